#include "exif/tiff_values.h"

#include "exif/exif_format.h"
#include "exif/number_text.h"
#include "exif/tiff_directory.h"

namespace tollamar {

std::optional<int64_t> IntegerValue(const TiffReader& tiff, const TiffEntry& entry) {
    // The first value, from the value field or, when the values do not fit there, from
    // their offset: an ISO of 100, 200, 400 is 100, not the offset's low bits.
    const uint64_t count = entry.count;
    switch (entry.type) {
    case kTiffByte: return tiff.u8(entry.valuesAt(count));
    case kTiffShort: return tiff.u16(entry.valuesAt(2 * count));
    case kTiffLong: return tiff.u32(entry.valuesAt(4 * count));
    case kTiffSLong: {
        const std::optional<uint32_t> value = tiff.u32(entry.valuesAt(4 * count));
        if (!value) return std::nullopt;
        return static_cast<int32_t>(*value);
    }
    default: return 0;
    }
}

uint16_t SingleShortValue(const TiffReader& tiff, const TiffEntry& entry) {
    if (entry.type != kTiffShort || entry.count != 1) return 0;
    return tiff.u16(entry.field).value_or(0);
}

namespace {

std::optional<float> rationalValue(const TiffReader& tiff, const TiffEntry& entry) {
    const std::optional<uint32_t> numerator = tiff.u32(entry.fieldValue);
    const std::optional<uint32_t> denominator = tiff.u32(uint64_t{entry.fieldValue} + 4);
    // Cameras write 0/0 for a value they do not know: that is no value, not an error.
    if (!numerator || !denominator || *denominator == 0) return std::nullopt;
    if (entry.type == kTiffSRational) {
        const double n = static_cast<int32_t>(*numerator);
        const double d = static_cast<int32_t>(*denominator);
        return static_cast<float>(n / d);
    }
    return static_cast<float>(static_cast<double>(*numerator) / *denominator);
}

}  // namespace

std::optional<float> NumberValue(const TiffReader& tiff, const TiffEntry& entry) {
    switch (entry.type) {
    case kTiffByte:
    case kTiffShort:
    case kTiffLong:
    case kTiffSLong: {
        const std::optional<int64_t> value = IntegerValue(tiff, entry);
        if (!value) return std::nullopt;
        return static_cast<float>(*value);
    }
    case kTiffRational:
    case kTiffSRational: return rationalValue(tiff, entry);
    case kTiffAscii: {
        const std::optional<QString> text = TextValue(tiff, entry);
        if (!text) return std::nullopt;
        return ParseSingle(*text).value_or(0.0F);
    }
    default: return 0.0F;
    }
}

QByteArrayView TrimmedBytes(QByteArrayView bytes) {
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    qsizetype begin = 0;
    qsizetype end = bytes.size();
    while (begin < end && blank(bytes[begin])) ++begin;
    while (end > begin && blank(bytes[end - 1])) --end;
    return bytes.sliced(begin, end - begin);
}

std::optional<QString> TextValue(const TiffReader& tiff, const TiffEntry& entry) {
    if (entry.type != kTiffAscii) return QString();
    const std::optional<QByteArrayView> bytes = tiff.bytes(entry.valuesAt(entry.count), entry.count);
    if (!bytes) return std::nullopt;
    // The text ends at its first zero byte, as a C string does; what follows is padding
    // or junk and would reach a terminal as a raw NUL.
    const qsizetype zero = bytes->indexOf('\0');
    return ExifStringText(TrimmedBytes(zero < 0 ? *bytes : bytes->first(zero)));
}

std::optional<QString> TextToZeroValue(const TiffReader& tiff, const TiffEntry& entry) {
    if (entry.type != kTiffAscii) return QString();
    const std::optional<QByteArrayView> bytes = tiff.bytesToZero(entry.fieldValue, UINT64_MAX);
    if (!bytes) return std::nullopt;
    return ExifStringText(TrimmedBytes(*bytes));
}

std::optional<QString> FirstIntegerText(const TiffReader& tiff, const TiffEntry& entry) {
    std::optional<uint32_t> value;
    if (entry.type == kTiffShort) value = tiff.u16(entry.valuesAt(2 * uint64_t{entry.count}));
    else if (entry.type == kTiffLong) value = tiff.u32(entry.valuesAt(4 * uint64_t{entry.count}));
    else return QStringLiteral("?");
    if (!value) return std::nullopt;
    return QString::number(*value);
}

std::optional<QString> ShortListText(const TiffReader& tiff, const TiffEntry& entry, bool withList) {
    if (entry.type != kTiffShort) return QString();
    const uint64_t at = entry.valuesAt(2 * uint64_t{entry.count});
    const uint32_t count = withList && entry.count < 10 ? std::max<uint32_t>(entry.count, 1) : 1;
    QString text;
    for (uint32_t i = 0; i < count; ++i) {
        const std::optional<uint16_t> value = tiff.u16(at + 2 * uint64_t{i});
        if (!value) return std::nullopt;
        if (i > 0) text += QLatin1Char(':');
        text += QString::number(*value);
    }
    return text;
}

}  // namespace tollamar
