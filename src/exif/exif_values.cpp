#include "exif/exif_values.h"

#include "exif/exif_format.h"
#include "exif/exif_walk.h"
#include "exif/number_text.h"
#include "exif/tiff_values.h"
#include "jpegfile/header_scan.h"
#include "jpegfile/segment_walk.h"

#include <cmath>

namespace tollamar {

qsizetype ExifValueList::indexOf(QStringView name) const {
    for (qsizetype i = 0; i < m_pairs.size(); ++i)
        if (QStringView(m_pairs[i].first).compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

QString ExifValueList::value(QStringView name) const {
    const qsizetype i = indexOf(name);
    return i < 0 ? QString() : m_pairs[i].second;
}

bool ExifValueList::contains(QStringView name) const { return indexOf(name) >= 0; }

void ExifValueList::setValue(QStringView name, const QString& value) {
    const qsizetype i = indexOf(name);
    if (value.isEmpty()) {
        if (i >= 0) m_pairs.removeAt(i);
    } else if (i >= 0) {
        m_pairs[i].second = value;
    } else {
        m_pairs.append({name.toString(), value});
    }
}

QStringList ExifValueList::lines() const {
    QStringList out;
    for (const auto& [name, value] : m_pairs) out.append(name + QLatin1Char('=') + value);
    return out;
}

namespace {

// numerator / denominator of a RATIONAL or SRATIONAL; nullopt for 0/0 and the like,
// which cameras write for a value they do not know, and for values outside the data.
std::optional<double> rational(const TiffReader& tiff, const TiffEntry& e) {
    const std::optional<uint32_t> n = tiff.u32(e.fieldValue);
    const std::optional<uint32_t> d = tiff.u32(uint64_t{e.fieldValue} + 4);
    if (!n || !d || *d == 0) return std::nullopt;
    if (e.type == kTiffSRational)
        return static_cast<double>(static_cast<int32_t>(*n)) / static_cast<int32_t>(*d);
    return static_cast<double>(*n) / *d;
}

QString asciiText(const TiffReader& tiff, const TiffEntry& e) {
    const uint64_t at = e.valuesAt(e.count);
    return ExifStringText(tiff.bytesToZero(at, e.count).value_or(QByteArrayView()));
}

QString numberText(std::optional<int64_t> value) { return value ? QString::number(*value) : QString(); }

// The list's own conversion of an entry to text; empty when there is no value.
QString valueText(const TiffReader& tiff, const TiffEntry& e) {
    switch (e.type) {
    case kTiffByte: return numberText(tiff.u8(e.field));
    case kTiffAscii: return asciiText(tiff, e);
    case kTiffShort: return numberText(tiff.u16(e.valuesAt(2 * uint64_t{e.count})));
    case kTiffLong: return numberText(tiff.u32(e.valuesAt(4 * uint64_t{e.count})));
    case kTiffSLong: {
        const std::optional<uint32_t> bits = tiff.u32(e.valuesAt(4 * uint64_t{e.count}));
        return bits ? QString::number(static_cast<int32_t>(*bits)) : QString();
    }
    case kTiffRational:
    case kTiffSRational: {
        const std::optional<double> x = rational(tiff, e);
        return x ? GeneralFloatText(*x) : QString();
    }
    default: return {};
    }
}

// Exposure time as the list shows it: 1/N below a second, else the general text.
QString summaryExposureTime(std::optional<double> seconds) {
    if (!seconds) return {};
    const double x = *seconds;
    const double reciprocal = 1 / x;
    if (x > 0 && x < 1 && std::isfinite(reciprocal))
        return QStringLiteral("1/") + FixedText(RoundHalfEven(reciprocal), 0);
    return GeneralFloatText(x);
}

void readExifEntry(ExifValueList& values, const TiffReader& tiff, const TiffEntry& e) {
    switch (e.tag) {
    case 0x829A:
        values.setValue(u"ExpTime", summaryExposureTime(e.type == kTiffRational ? rational(tiff, e) : std::nullopt));
        break;
    case 0x9201: {
        const std::optional<double> v = e.type == kTiffSRational ? rational(tiff, e) : std::nullopt;
        values.setValue(u"ExpTime", summaryExposureTime(v ? std::optional(std::pow(2.0, -*v)) : std::nullopt));
        break;
    }
    case 0x829D: values.setValue(u"FNum", valueText(tiff, e)); break;
    case 0x8827: values.setValue(u"ISO", valueText(tiff, e)); break;
    case 0x9003: values.setValue(u"DateTimeOrg", valueText(tiff, e)); break;
    case 0x9204: values.setValue(u"ExpBias", valueText(tiff, e)); break;
    case 0x9209: values.setValue(u"Flash", valueText(tiff, e)); break;
    case 0x920A: values.setValue(u"FocalLen", valueText(tiff, e)); break;
    default: break;
    }
}

void readIfd0Entry(ExifValueList& values, const TiffReader& tiff, const TiffEntry& e) {
    if (e.tag != 0x010F && e.tag != 0x0110) return;
    QString text = valueText(tiff, e);
    // Trimmed of blanks and control characters (codes 0-32) at both ends.
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 32) ++begin;
    while (end > begin && text[end - 1].unicode() <= 32) --end;
    values.setValue(e.tag == 0x010F ? u"Maker" : u"Model", text.sliced(begin, end - begin));
}

bool readFromApp1(ExifValueList& values, bool reachedSos, const QByteArray& payload) {
    return reachedSos && !payload.isEmpty() && ReadExifValuesFromPayload(values, payload);
}

}  // namespace

bool ReadExifValuesFromPayload(ExifValueList& values, QByteArrayView payload) {
    const std::optional<TiffReader> tiff = OpenExifTiff(payload);
    if (!tiff) return false;
    return WalkExifDirectories(
        *tiff, [&](const TiffEntry& e) { readIfd0Entry(values, *tiff, e); },
        [&](const TiffEntry& e) { readExifEntry(values, *tiff, e); });
}

bool ReadExifValues(ExifValueList& values, QIODevice& stream) {
    QByteArray payload;
    const bool reached = ExtractSegment(stream, kMarkerAPP1, payload);
    return readFromApp1(values, reached, payload);
}

bool ReadExifValues(ExifValueList& values, const QString& fileName) {
    QByteArray payload;
    const bool reached = ExtractSegmentFromFile(fileName, kMarkerAPP1, payload);
    return readFromApp1(values, reached, payload);
}

bool ReadExifValues(ExifValueList& values, const QString& fileName, const JpegHeaderParts& header) {
    if (!header.complete) return ReadExifValues(values, fileName);
    return readFromApp1(values, true, header.exif);
}

}  // namespace tollamar
