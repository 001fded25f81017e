#include "exif/tiff_reader.h"

#include "platform/errors.h"

#include <QString>

namespace tollamar {

namespace {

uint8_t byteAt(QByteArrayView data, uint64_t offset) {
    return static_cast<uint8_t>(data[static_cast<qsizetype>(offset)]);
}

}  // namespace

std::optional<uint8_t> TiffReader::u8(uint64_t offset) const {
    if (!contains(offset, 1)) return std::nullopt;
    return byteAt(m_data, offset);
}

std::optional<uint16_t> TiffReader::u16(uint64_t offset) const {
    if (!contains(offset, 2)) return std::nullopt;
    const unsigned b0 = byteAt(m_data, offset);
    const unsigned b1 = byteAt(m_data, offset + 1);
    return static_cast<uint16_t>(m_order == ByteOrder::LittleEndian ? b0 | (b1 << 8) : (b0 << 8) | b1);
}

std::optional<uint32_t> TiffReader::u32(uint64_t offset) const {
    if (!contains(offset, 4)) return std::nullopt;
    uint32_t value = 0;
    for (uint64_t i = 0; i < 4; ++i) {
        const uint64_t at = m_order == ByteOrder::LittleEndian ? offset + 3 - i : offset + i;
        value = (value << 8) | byteAt(m_data, at);
    }
    return value;
}

bool TiffReader::spend(uint64_t length) const {
    if (length > m_budget) {
        m_budget = 0;
        return false;
    }
    m_budget -= length;
    return true;
}

std::optional<QByteArrayView> TiffReader::bytes(uint64_t offset, uint64_t length) const {
    if (!contains(offset, length) || !spend(length)) return std::nullopt;
    return m_data.sliced(static_cast<qsizetype>(offset), static_cast<qsizetype>(length));
}

std::optional<QByteArrayView> TiffReader::bytesToZero(uint64_t offset, uint64_t maxLength) const {
    if (offset > size()) return std::nullopt;
    const QByteArrayView rest = m_data.sliced(static_cast<qsizetype>(offset));
    const uint64_t limit = std::min<uint64_t>(maxLength, size() - offset);
    // The search for the zero is what costs, so it is what the budget pays for.
    const uint64_t searched = std::min(limit, m_budget);
    const qsizetype zero = rest.first(static_cast<qsizetype>(searched)).indexOf('\0');
    if (zero >= 0) {
        if (!spend(static_cast<uint64_t>(zero) + 1)) return std::nullopt;
        return rest.first(zero);
    }
    if (!spend(searched) || searched < limit) return std::nullopt;  // the budget ended first
    if (maxLength > size() - offset) return std::nullopt;           // the data ended first
    return rest.first(static_cast<qsizetype>(maxLength));
}

std::optional<TiffReader> OpenExifTiff(QByteArrayView payload) {
    // Bytes 0-5: "Exif", a zero byte and a pad byte; the TIFF header follows at 6.
    constexpr qsizetype kTiffStart = 6;
    if (payload.size() < kTiffStart + 8) return std::nullopt;
    if (payload.first(4).compare("exif", Qt::CaseInsensitive) != 0 || payload[4] != '\0')
        return std::nullopt;
    const QByteArrayView tiff = payload.sliced(kTiffStart);
    ByteOrder order;
    if (tiff.startsWith("II")) order = ByteOrder::LittleEndian;
    else if (tiff.startsWith("MM")) order = ByteOrder::BigEndian;
    else return std::nullopt;
    TiffReader reader(tiff, order);
    if (reader.u16(2) != 42) return std::nullopt;
    return reader;
}

uint32_t FirstIfdOffset(const TiffReader& tiff) { return tiff.u32(4).value_or(0); }

void ThrowExifDamaged() {
    throw Error(QStringLiteral("Exif データが壊れています（ディレクトリが APP1 セグメントの終わりを越えています）"));
}

}  // namespace tollamar
