#include "exif/exif_format.h"

#include "exif/number_text.h"
#include "exif/tiff_directory.h"
#include "platform/codepage.h"

#include <cmath>

namespace tollamar {

QString RationalText(uint32_t numerator, uint32_t denominator, int decimals) {
    if (denominator == 0) return QStringLiteral("#0div");
    return FixedText(static_cast<double>(numerator) / denominator, decimals);
}

std::optional<QString> RationalListText(const TiffReader& tiff, const TiffEntry& entry, bool all,
                                        int decimals) {
    if (entry.type != kTiffRational) return QString();
    const uint32_t count = all && entry.count > 1 && entry.count < 10 ? entry.count : 1;
    QString text;
    for (uint32_t i = 0; i < count; ++i) {
        const uint64_t at = entry.fieldValue + 8 * static_cast<uint64_t>(i);
        const std::optional<uint32_t> numerator = tiff.u32(at);
        const std::optional<uint32_t> denominator = tiff.u32(at + 4);
        if (!numerator || !denominator) return std::nullopt;
        if (i > 0) text += QLatin1Char(':');
        text += RationalText(*numerator, *denominator, decimals);
    }
    return text;
}

QString ExposureTimeText(float seconds) {
    const double x = seconds;
    if (x > 1) return GeneralFloatText(x);
    if (x > 0.000001) return QStringLiteral("1/") + FixedText(RoundHalfEven(1 / x), 0);
    return {};
}

namespace {

// The distance to the nearest whole number, on both sides: a single-precision third
// or tenth lies just below or just above its multiple (3 x -5/3 is -4.9999998).
bool nearWhole(double y) {
    constexpr double kTolerance = 0.001;
    return std::abs(y - std::round(y)) < kTolerance;
}

QString unsignedBiasText(double x) {
    if (nearWhole(x)) return FixedText(x, 0);
    for (int k = 2; k <= 4; ++k) {
        if (nearWhole(k * x)) return FixedText(k * x, 0) + QLatin1Char('/') + QString::number(k);
    }
    if (nearWhole(10 * x)) return FixedText(x, 1);
    if (nearWhole(100 * x)) return FixedText(x, 2);
    return GeneralFloatText(x);
}

}  // namespace

QString ExposureBiasText(float ev) {
    QString text = unsignedBiasText(ev);
    // A bias a hair below zero rounds to "-0", which is still no bias.
    if (text == QLatin1String("-0")) text = QStringLiteral("0");
    if (text != QLatin1String("0") && !text.startsWith(QLatin1Char('+')) && !text.startsWith(QLatin1Char('-')))
        text.prepend(QLatin1Char('+'));
    return text;
}

QString FlashText(uint16_t code) {
    // Bit 0: the flash fired. Bits 1-2: strobe return light, 2 not detected, 3 detected.
    if ((code & 1) == 0) return QStringLiteral("Off");
    switch ((code >> 1) & 3) {
    case 2: return QStringLiteral("On (Strobe return light not detected)");
    case 3: return QStringLiteral("On (Strobe return light detected)");
    default: return QStringLiteral("On");
    }
}

namespace {

QLatin1String componentText(uint8_t code) {
    static const char* const kNames[] = {"", "Y", "Cb", "Cr", "R", "G", "B"};
    return QLatin1String(code < std::size(kNames) ? kNames[code] : "");
}

}  // namespace

QString ComponentsText(const TiffReader& tiff, const TiffEntry& entry) {
    if (entry.type != kTiffUndefined || entry.count != 4) return {};
    QString text;
    for (uint64_t i = 0; i < 4; ++i) text += componentText(tiff.u8(entry.field + i).value_or(0));
    return text;
}

std::optional<QString> VersionText(const TiffReader& tiff, const TiffEntry& entry) {
    // A version longer than four bytes lies at its offset, not in the value field.
    const std::optional<QByteArrayView> bytes = tiff.bytes(entry.valuesAt(entry.count), 4);
    if (!bytes) return std::nullopt;
    QString text = QString::fromLatin1(*bytes);
    text.insert(2, QLatin1Char('.'));
    if (text.startsWith(QLatin1Char('0'))) text.remove(0, 1);
    return text;
}

std::optional<QString> ResolutionUnitText(int64_t code) {
    switch (code) {
    case 1: return QStringLiteral("Not defined");
    case 2: return QStringLiteral("inch");
    case 3: return QStringLiteral("cm");
    default: return std::nullopt;
    }
}

QString PhotometricText(int64_t code) {
    switch (code) {
    case 2: return QStringLiteral("RGB");
    case 6: return QStringLiteral("YCbCr");
    default: return QStringLiteral("Other");
    }
}

QString ExposureProgramText(int64_t code) {
    static const char* const kNames[] = {
        "Not defined",      "Manual",         "Normal program", "Aperture priority", "Shutter priority",
        "Creative program", "Action program", "Portrait mode",  "Landscape mode"};
    if (code < 0 || code >= static_cast<int64_t>(std::size(kNames))) return QStringLiteral("other");
    return QString::fromLatin1(kNames[code]);
}

QString MeteringModeText(int64_t code) {
    static const char* const kNames[] = {"unknown",   "Average", "CenterWeightedAverage", "Spot",
                                         "MultiSpot", "Pattern", "Partial"};
    if (code < 0 || code >= static_cast<int64_t>(std::size(kNames))) return QStringLiteral("other");
    return QString::fromLatin1(kNames[code]);
}

QString LightSourceText(int64_t code) {
    switch (code) {
    case 0: return QStringLiteral("unknown");
    case 1: return QStringLiteral("Daylight");
    case 2: return QStringLiteral("Fluorescent");
    case 3: return QStringLiteral("Tungsten");
    case 17: return QStringLiteral("Standard light A");
    case 18: return QStringLiteral("Standard light B");
    case 19: return QStringLiteral("Standard light C");
    case 20: return QStringLiteral("D55");
    case 21: return QStringLiteral("D65");
    case 22: return QStringLiteral("D75");
    default: return QStringLiteral("other");
    }
}

std::optional<QString> SensingMethodText(int64_t code) {
    switch (code) {
    case 1: return QStringLiteral("Not defined");
    case 2: return QStringLiteral("One-chip color area sensor");
    case 3: return QStringLiteral("Two-chip color area sensor");
    case 4: return QStringLiteral("Tree-chip color area sensor");
    case 5: return QStringLiteral("Color sequential area sensor");
    case 7: return QStringLiteral("Trilinear sensor");
    case 8: return QStringLiteral("Color sequential linear sensor");
    default: return std::nullopt;
    }
}

QString ExifStringText(QByteArrayView bytes) { return DecodeUnmarkedText(bytes); }

}  // namespace tollamar
