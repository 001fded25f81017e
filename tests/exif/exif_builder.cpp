#include "exif_builder.h"

#include "support/jpeg_builder.h"

namespace exiftest {

using tollamar::ByteOrder;

QByteArray ExifBuilder::u16(uint16_t v) const {
    const char hi = static_cast<char>(v >> 8);
    const char lo = static_cast<char>(v & 0xFF);
    return m_order == ByteOrder::LittleEndian ? QByteArray(1, lo).append(hi) : QByteArray(1, hi).append(lo);
}

QByteArray ExifBuilder::u32(uint32_t v) const {
    const QByteArray high = u16(static_cast<uint16_t>(v >> 16));
    const QByteArray low = u16(static_cast<uint16_t>(v & 0xFFFF));
    return m_order == ByteOrder::LittleEndian ? low + high : high + low;
}

ExifBuilder& ExifBuilder::encoded(Dir dir, uint16_t tag, uint16_t type, uint32_t count, QByteArray bytes) {
    entries(dir).append(Entry{tag, type, count, std::move(bytes)});
    return *this;
}

ExifBuilder& ExifBuilder::ascii(Dir dir, uint16_t tag, QByteArray text) {
    text.append('\0');
    const auto count = static_cast<uint32_t>(text.size());
    return encoded(dir, tag, tollamar::kTiffAscii, count, text);
}

ExifBuilder& ExifBuilder::shorts(Dir dir, uint16_t tag, std::initializer_list<uint16_t> values) {
    QByteArray data;
    for (uint16_t v : values) data += u16(v);
    return encoded(dir, tag, tollamar::kTiffShort, static_cast<uint32_t>(values.size()), data);
}

ExifBuilder& ExifBuilder::longs(Dir dir, uint16_t tag, std::initializer_list<uint32_t> values) {
    QByteArray data;
    for (uint32_t v : values) data += u32(v);
    return encoded(dir, tag, tollamar::kTiffLong, static_cast<uint32_t>(values.size()), data);
}

ExifBuilder& ExifBuilder::slongs(Dir dir, uint16_t tag, std::initializer_list<int32_t> values) {
    QByteArray data;
    for (int32_t v : values) data += u32(static_cast<uint32_t>(v));
    return encoded(dir, tag, tollamar::kTiffSLong, static_cast<uint32_t>(values.size()), data);
}

ExifBuilder& ExifBuilder::rationals(Dir dir, uint16_t tag,
                                    std::initializer_list<std::pair<uint32_t, uint32_t>> values) {
    QByteArray data;
    for (auto [n, d] : values) data += u32(n) + u32(d);
    return encoded(dir, tag, tollamar::kTiffRational, static_cast<uint32_t>(values.size()), data);
}

ExifBuilder& ExifBuilder::srationals(Dir dir, uint16_t tag,
                                     std::initializer_list<std::pair<int32_t, int32_t>> values) {
    QByteArray data;
    for (auto [n, d] : values) data += u32(static_cast<uint32_t>(n)) + u32(static_cast<uint32_t>(d));
    return encoded(dir, tag, tollamar::kTiffSRational, static_cast<uint32_t>(values.size()), data);
}

ExifBuilder& ExifBuilder::undefined(Dir dir, uint16_t tag, QByteArray bytes) {
    const auto count = static_cast<uint32_t>(bytes.size());
    return encoded(dir, tag, tollamar::kTiffUndefined, count, std::move(bytes));
}

ExifBuilder& ExifBuilder::raw(Dir dir, uint16_t tag, uint16_t type, uint32_t count, uint32_t field) {
    entries(dir).append(Entry{tag, type, count, {}, field, Kind::Raw});
    return *this;
}

ExifBuilder& ExifBuilder::exifPointer() {
    entries(Dir::Ifd0).append(Entry{0x8769, tollamar::kTiffLong, 1, {}, 0, Kind::ExifPointer});
    return *this;
}

ExifBuilder& ExifBuilder::thumbnail(QByteArray jpeg) {
    m_thumbnail = std::move(jpeg);
    entries(Dir::Ifd1).append(Entry{0x0201, tollamar::kTiffLong, 1, {}, 0, Kind::ThumbOffset});
    entries(Dir::Ifd1).append(Entry{0x0202, tollamar::kTiffLong, 1, {}, 0, Kind::ThumbLength});
    return *this;
}

ExifBuilder& ExifBuilder::ifd0Offset(uint32_t offset) {
    m_ifd0Offset = offset;
    return *this;
}

bool ExifBuilder::present(int dir) const { return dir == 0 || !m_dirs[dir].isEmpty(); }

uint32_t ExifBuilder::dirSize(int dir) const {
    auto size = static_cast<uint32_t>(2 + 12 * m_dirs[dir].size() + 4);
    for (const Entry& e : m_dirs[dir])
        if (e.data.size() > 4) size += static_cast<uint32_t>((e.data.size() + 1) & ~qsizetype{1});
    return size;
}

ExifBuilder::Layout ExifBuilder::layout() const {
    Layout at;
    uint32_t next = 8;
    for (int dir = 0; dir < 3; ++dir) {
        if (!present(dir)) continue;
        at.dirAt[dir] = next;
        next += dirSize(dir);
    }
    at.thumbAt = next;
    return at;
}

uint32_t ExifBuilder::fieldOf(const Entry& e, const Layout& at, uint32_t& dataAt) const {
    switch (e.kind) {
    case Kind::Raw: return e.field;
    case Kind::ExifPointer: return at.dirAt[1];
    case Kind::ThumbOffset: return at.thumbAt;
    case Kind::ThumbLength: return static_cast<uint32_t>(m_thumbnail.size());
    case Kind::Plain: break;
    }
    const uint32_t offset = dataAt;
    dataAt += static_cast<uint32_t>((e.data.size() + 1) & ~qsizetype{1});
    return offset;
}

void ExifBuilder::writeDir(QByteArray& out, int dir, const Layout& at) const {
    const QList<Entry>& list = m_dirs[dir];
    uint32_t dataAt = at.dirAt[dir] + static_cast<uint32_t>(2 + 12 * list.size() + 4);
    QByteArray data;
    out += u16(static_cast<uint16_t>(list.size()));
    for (const Entry& e : list) {
        out += u16(e.tag) + u16(e.type) + u32(e.count);
        if (e.kind == Kind::Plain && e.data.size() <= 4) {
            out += e.data + QByteArray(4 - e.data.size(), '\0');
            continue;
        }
        out += u32(fieldOf(e, at, dataAt));
        if (e.kind == Kind::Plain) data += e.data + QByteArray(e.data.size() % 2, '\0');
    }
    const bool linkToIfd1 = dir == 0 && present(2);
    out += u32(linkToIfd1 ? at.dirAt[2] : 0);
    out += data;
}

QByteArray ExifBuilder::tiff() const {
    const Layout at = layout();
    QByteArray out = m_order == ByteOrder::LittleEndian ? QByteArray("II") : QByteArray("MM");
    out += u16(42) + u32(m_ifd0Offset.value_or(at.dirAt[0]));
    for (int dir = 0; dir < 3; ++dir)
        if (present(dir)) writeDir(out, dir, at);
    return out + m_thumbnail;
}

uint32_t ExifBuilder::offsetOf(Dir dir) const { return layout().dirAt[static_cast<int>(dir)]; }

QByteArray ExifBuilder::jpeg() const {
    return testsupport::JpegBuilder().soi().app1(payload()).tables().sosAndData().bytes();
}

std::string ByteOrderName(const testing::TestParamInfo<tollamar::ByteOrder>& param) {
    return param.param == ByteOrder::LittleEndian ? "II" : "MM";
}

QByteArray RealJpegWithApp1(const QByteArray& payload, int width, int height) {
    QByteArray jpeg = testsupport::EncodeJpeg(width, height);
    jpeg.insert(2, testsupport::JpegBuilder().app1(payload).bytes());
    return jpeg;
}

}  // namespace exiftest
