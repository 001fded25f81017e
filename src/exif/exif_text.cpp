#include "exif/exif_text.h"

#include <initializer_list>
#include <utility>

namespace tollamar {

namespace {

using Line = std::pair<const char*, QString TExifInfo::*>;

TTextNode& addSection(TTextNode& parent, const char* title) {
    parent.children.append(TTextNode{QString::fromUtf8(title), {}});
    return parent.children.last();
}

void addLine(TTextNode& section, const QString& text) { section.children.append(TTextNode{text, {}}); }

void addLines(TTextNode& parent, const char* title, const TExifInfo& info, std::initializer_list<Line> lines) {
    TTextNode& section = addSection(parent, title);
    for (const auto& [label, field] : lines) addLine(section, QString::fromUtf8(label) + info.*field);
}

// A date line appears only with a date; its fraction of a second, when recorded, follows
// after a full stop.
void addDateLine(TTextNode& section, const char* label, const QString& date, const QString& subSec,
                 const QString& fallbackSubSec) {
    if (date.isEmpty()) return;
    QString text = QString::fromUtf8(label) + date;
    if (!subSec.isEmpty()) text += QLatin1Char('.') + subSec;
    else if (!fallbackSubSec.isEmpty()) text += QLatin1Char('.') + fallbackSubSec;
    addLine(section, text);
}

QString withUnit(const QString& value, const char* unit) {
    return value.isEmpty() ? value : value + QLatin1String(unit);
}

void addTiffSection(TTextNode& parent, const TExifInfo& i) {
    addLines(parent, "[TIFF Header]", i,
             {{"Image Width = ", &TExifInfo::ImageWidth},
              {"Image Height = ", &TExifInfo::ImageHeight},
              {"Bits Per Sample = ", &TExifInfo::BitsPerSample},
              {"X Resolution = ", &TExifInfo::XResolution},
              {"Y Resolution = ", &TExifInfo::YResolution},
              {"Resolution unit = ", &TExifInfo::ResolutionUnit},
              {"White Point = ", &TExifInfo::WhitePoint},
              {"Primary Chromaticities = ", &TExifInfo::PrimaryChromaticities},
              {"YCbCr Coefficients = ", &TExifInfo::YCbCrCoefficients},
              {"Reference Black & White = ", &TExifInfo::ReferenceBlackWhite},
              {"Photometric Interpretation = ", &TExifInfo::PhotometricInterpretation},
              {"Orientation = ", &TExifInfo::Orientation},
              {"Date = ", &TExifInfo::DateTime},
              {"Image Description = ", &TExifInfo::ImageDescription},
              {"Maker = ", &TExifInfo::Maker},
              {"Model = ", &TExifInfo::Model},
              {"Software = ", &TExifInfo::Software},
              {"Artist = ", &TExifInfo::Artist},
              {"Copyright = ", &TExifInfo::Copyright}});
}

void addConditionsSection(TTextNode& parent, const TExifInfo& i) {
    TTextNode& s = addSection(parent, "[Picture-taking conditions]");
    addLine(s, QStringLiteral("Exposure Time = ") + i.ExposureTime);
    addLine(s, QStringLiteral("F Number = ") + i.FNumber);
    addLine(s, QStringLiteral("Exposure Program = ") + i.ExposureProgram);
    addLine(s, QStringLiteral("Spectral Sensitivity = ") + i.SpectralSensitivity);
    addLine(s, QStringLiteral("ISO Speed Rating = ") + i.ISOSpeedRatings);
    addLine(s, QStringLiteral("Shutter Speed = ") + i.ShutterSpeed);
    addLine(s, QStringLiteral("Aperture = ") + i.Aperture);
    addLine(s, QStringLiteral("Brightness = ") + i.Brightness);
    addLine(s, QStringLiteral("Exposure Bias = ") + i.ExposureBias);
    addLine(s, QStringLiteral("Maximum Lens Aperture = ") + i.MaxLensAperture);
    addLine(s, QStringLiteral("Subject Distance = ") + withUnit(i.SubjectDistance, " m"));
    addLine(s, QStringLiteral("Metering Mode = ") + i.MeteringMode);
    addLine(s, QStringLiteral("LightSource = ") + i.LightSource);
    addLine(s, QStringLiteral("Flash = ") + i.Flash);
    addLine(s, QStringLiteral("Focal Length = ") + withUnit(i.FocalLength, "mm"));
    addLine(s, QStringLiteral("Flash Energy = ") + i.FlashEnergy);
    addLine(s, QStringLiteral("Focal Plane X Resolution = ") + i.FocalPlaneXResolution);
    addLine(s, QStringLiteral("Focal Plane Y Resolution = ") + i.FocalPlaneYResolution);
    addLine(s, QStringLiteral("Focal Plane Resolution Unit = ") + i.FocalPlaneResolutionUnit);
    addLine(s, QStringLiteral("Subject Location = ") + i.SubjectLocation);
    addLine(s, QStringLiteral("Exposure Index = ") + i.ExposureIndex);
    addLine(s, QStringLiteral("Sensing Method = ") + i.SensingMethod);
}

}  // namespace

void AddExifText(TTextNode& parent, const TExifInfo& info) {
    addTiffSection(parent, info);
    addLines(parent, "[Version]", info,
             {{"Exif Ver. = ", &TExifInfo::ExifVersion}, {"FlashPix Ver. = ", &TExifInfo::FlashPixVersion}});
    addLines(parent, "[Image data characteristics]", info, {{"Color space = ", &TExifInfo::ColorSpace}});
    addLines(parent, "[Image configuration]", info,
             {{"Components Configuration = ", &TExifInfo::ComponentsConfiguration},
              {"Compressed Bits Per Pixel = ", &TExifInfo::CompressedBitsPerPixel},
              {"Image Width = ", &TExifInfo::PixelXDimension},
              {"Image Height = ", &TExifInfo::PixelYDimension}});
    addLines(parent, "[Related File]", info, {{"Related Sound File = ", &TExifInfo::RelatedSoundFile}});
    TTextNode& dates = addSection(parent, "[Date & Time]");
    addDateLine(dates, "DateTime Original = ", info.DateTimeOriginal, info.SubSecTimeOriginal, info.SubSecTime);
    addDateLine(dates, "DateTime Digitized = ", info.DateTimeDigitized, info.SubSecTimeDigitized, info.SubSecTime);
    addConditionsSection(parent, info);
}

}  // namespace tollamar
