#include "exif/exif_tags.h"

#include "exif/exif_format.h"
#include "exif/number_text.h"
#include "exif/tiff_directory.h"
#include "exif/tiff_values.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace tollamar {

namespace {

using Text = std::optional<QString>;
using Entry = const TiffEntry&;
using Tiff = const TiffReader&;

// The number with one decimal, when the entry holds one inside [low, high].
template <typename F>
Text numberIn(Tiff tiff, Entry entry, double low, double high, F toText) {
    const std::optional<float> v = NumberValue(tiff, entry);
    if (!v || !(*v >= low && *v <= high)) return std::nullopt;
    return toText(static_cast<double>(*v));
}

Text oneDecimal(Tiff tiff, Entry entry) {
    const std::optional<float> v = NumberValue(tiff, entry);
    if (!v) return std::nullopt;
    return FixedText(*v, 1);
}

// The entry's first integer in the words of toText.
template <typename F>
Text integerText(Tiff tiff, Entry entry, F toText) {
    const std::optional<int64_t> v = IntegerValue(tiff, entry);
    if (!v) return std::nullopt;
    return toText(*v);
}

Text apexAperture(double v) { return FixedText(std::pow(2.0, v / 2), 1); }

Text rationalFirst1(Tiff tiff, Entry entry) { return RationalListText(tiff, entry, false, 1); }
Text rationalFirst2(Tiff tiff, Entry entry) { return RationalListText(tiff, entry, false, 2); }

Text shortListIf(Tiff tiff, Entry entry, uint32_t listCount) {
    return ShortListText(tiff, entry, entry.count == listCount);
}

Text rationalListIf(Tiff tiff, Entry entry, uint32_t count, int decimals) {
    if (entry.type != kTiffRational || entry.count != count) return std::nullopt;
    return RationalListText(tiff, entry, true, decimals);
}

const ExifTagRule kIfd0Rules[] = {
    {0x0100, &TExifInfo::ImageWidth, FirstIntegerText},
    {0x0101, &TExifInfo::ImageHeight, FirstIntegerText},
    {0x0102, &TExifInfo::BitsPerSample, [](Tiff t, Entry e) { return shortListIf(t, e, 3); }},
    {0x0106, &TExifInfo::PhotometricInterpretation,
     [](Tiff t, Entry e) { return integerText(t, e, PhotometricText); }},
    {0x010E, &TExifInfo::ImageDescription, TextValue},
    {0x010F, &TExifInfo::Maker, TextValue},
    {0x0110, &TExifInfo::Model, TextValue},
    {0x0112, &TExifInfo::Orientation,
     [](Tiff t, Entry e) -> Text { return QString::number(SingleShortValue(t, e)); }},
    {0x011A, &TExifInfo::XResolution, oneDecimal},
    {0x011B, &TExifInfo::YResolution, oneDecimal},
    {0x0128, &TExifInfo::ResolutionUnit,
     [](Tiff t, Entry e) { return ResolutionUnitText(SingleShortValue(t, e)); }},
    {0x0131, &TExifInfo::Software, TextValue},
    {0x0132, &TExifInfo::DateTime, TextValue},
    {0x013B, &TExifInfo::Artist, TextValue},
    {0x013E, &TExifInfo::WhitePoint, [](Tiff t, Entry e) { return RationalListText(t, e, e.count == 2, 2); }},
    {0x013F, &TExifInfo::PrimaryChromaticities, [](Tiff t, Entry e) { return rationalListIf(t, e, 6, 3); }},
    {0x0211, &TExifInfo::YCbCrCoefficients, [](Tiff t, Entry e) { return rationalListIf(t, e, 3, 3); }},
    {0x0214, &TExifInfo::ReferenceBlackWhite, [](Tiff t, Entry e) { return rationalListIf(t, e, 6, 1); }},
    {0x8298, &TExifInfo::Copyright, TextValue},
};

const ExifTagRule kExifIfdRules[] = {
    {0x829A, &TExifInfo::ExposureTime,
     [](Tiff t, Entry e) -> Text {
         const std::optional<float> v = NumberValue(t, e);
         if (!v) return std::nullopt;
         return ExposureTimeText(*v);
     }},
    {0x829D, &TExifInfo::FNumber, oneDecimal},
    {0x8822, &TExifInfo::ExposureProgram,
     [](Tiff t, Entry e) -> Text { return ExposureProgramText(SingleShortValue(t, e)); }},
    {0x8824, &TExifInfo::SpectralSensitivity, TextValue},
    {0x8827, &TExifInfo::ISOSpeedRatings,
     [](Tiff t, Entry e) -> Text {
         const std::optional<float> v = NumberValue(t, e);
         if (!v) return std::nullopt;
         return GeneralFloatText(*v);
     }},
    {0x9000, &TExifInfo::ExifVersion, VersionText},
    {0x9003, &TExifInfo::DateTimeOriginal, TextToZeroValue},
    {0x9004, &TExifInfo::DateTimeDigitized, TextToZeroValue},
    {0x9101, &TExifInfo::ComponentsConfiguration, [](Tiff t, Entry e) -> Text { return ComponentsText(t, e); }},
    {0x9102, &TExifInfo::CompressedBitsPerPixel, rationalFirst2},
    {0x9201, &TExifInfo::ShutterSpeed,
     [](Tiff t, Entry e) {
         return numberIn(t, e, -99.99, 99.99, [](double v) -> Text {
             return ExposureTimeText(static_cast<float>(std::pow(0.5, v)));
         });
     }},
    {0x9202, &TExifInfo::Aperture, [](Tiff t, Entry e) { return numberIn(t, e, -99.99, 99.99, apexAperture); }},
    {0x9203, &TExifInfo::Brightness,
     [](Tiff t, Entry e) {
         return numberIn(t, e, -99.99, 99.99, [](double v) -> Text { return FixedText(v, 1); });
     }},
    {0x9204, &TExifInfo::ExposureBias,
     [](Tiff t, Entry e) -> Text {
         const std::optional<float> v = NumberValue(t, e);
         if (!v) return std::nullopt;
         return ExposureBiasText(*v);
     }},
    {0x9205, &TExifInfo::MaxLensAperture, [](Tiff t, Entry e) { return numberIn(t, e, 0, 99.99, apexAperture); }},
    {0x9206, &TExifInfo::SubjectDistance, oneDecimal},
    {0x9207, &TExifInfo::MeteringMode, [](Tiff t, Entry e) { return integerText(t, e, MeteringModeText); }},
    {0x9208, &TExifInfo::LightSource, [](Tiff t, Entry e) { return integerText(t, e, LightSourceText); }},
    {0x9209, &TExifInfo::Flash, [](Tiff t, Entry e) -> Text { return FlashText(SingleShortValue(t, e)); }},
    {0x920A, &TExifInfo::FocalLength, rationalFirst1},
    {0x9290, &TExifInfo::SubSecTime, TextValue},
    {0x9291, &TExifInfo::SubSecTimeOriginal, TextValue},
    {0x9292, &TExifInfo::SubSecTimeDigitized, TextValue},
    {0xA000, &TExifInfo::FlashPixVersion, VersionText},
    {0xA001, &TExifInfo::ColorSpace,
     [](Tiff t, Entry e) -> Text { return QString::number(SingleShortValue(t, e)); }},
    {0xA002, &TExifInfo::PixelXDimension, [](Tiff t, Entry e) { return integerText(t, e, GroupedText); }},
    {0xA003, &TExifInfo::PixelYDimension, [](Tiff t, Entry e) { return integerText(t, e, GroupedText); }},
    {0xA004, &TExifInfo::RelatedSoundFile, TextValue},
    {0xA20B, &TExifInfo::FlashEnergy, rationalFirst1},
    {0xA20E, &TExifInfo::FocalPlaneXResolution, rationalFirst1},
    {0xA20F, &TExifInfo::FocalPlaneYResolution, rationalFirst1},
    {0xA210, &TExifInfo::FocalPlaneResolutionUnit,
     [](Tiff t, Entry e) { return ResolutionUnitText(SingleShortValue(t, e)); }},
    {0xA214, &TExifInfo::SubjectLocation, [](Tiff t, Entry e) { return shortListIf(t, e, 2); }},
    {0xA215, &TExifInfo::ExposureIndex, rationalFirst2},
    {0xA217, &TExifInfo::SensingMethod,
     [](Tiff t, Entry e) { return SensingMethodText(SingleShortValue(t, e)); }},
};

const ExifTagRule* findRule(std::span<const ExifTagRule> rules, uint16_t tag) {
    const auto it = std::lower_bound(rules.begin(), rules.end(), tag,
                                     [](const ExifTagRule& rule, uint16_t t) { return rule.tag < t; });
    return it != rules.end() && it->tag == tag ? &*it : nullptr;
}

}  // namespace

const ExifTagRule* FindIfd0Rule(uint16_t tag) { return findRule(kIfd0Rules, tag); }
const ExifTagRule* FindExifIfdRule(uint16_t tag) { return findRule(kExifIfdRules, tag); }

}  // namespace tollamar
