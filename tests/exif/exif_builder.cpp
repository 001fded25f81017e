#include "exif_builder.h"

#include "support/jpeg_builder.h"

namespace exiftest {

using namespace tollamar;

QByteArray ExifBuilder::u16(uint32_t v) const {
    const char big[2] = {static_cast<char>(v >> 8), static_cast<char>(v)};
    const char little[2] = {big[1], big[0]};
    return QByteArray(m_order == ByteOrder::LittleEndian ? little : big, 2);
}

QByteArray ExifBuilder::u32(uint32_t v) const {
    return m_order == ByteOrder::LittleEndian ? u16(v & 0xFFFF) + u16(v >> 16) : u16(v >> 16) + u16(v & 0xFFFF);
}

ExifBuilder& ExifBuilder::add(Dir dir, uint16_t tag, uint16_t type, std::initializer_list<int64_t> values) {
    QByteArray data;
    for (int64_t v : values) data += type == kTiffShort ? u16(static_cast<uint32_t>(v)) : u32(static_cast<uint32_t>(v));
    const size_t perValue = type == kTiffRational || type == kTiffSRational ? 2 : 1;
    m_dirs[static_cast<int>(dir)].append(Entry{tag, type, static_cast<uint32_t>(values.size() / perValue), data});
    return *this;
}

ExifBuilder& ExifBuilder::bytes(Dir dir, uint16_t tag, const QByteArray& data, uint16_t type) {
    m_dirs[static_cast<int>(dir)].append(Entry{tag, type, static_cast<uint32_t>(data.size()), data});
    return *this;
}

ExifBuilder& ExifBuilder::raw(Dir dir, uint16_t tag, uint16_t type, uint32_t count, uint32_t field) {
    m_dirs[static_cast<int>(dir)].append(Entry{tag, type, count, {}, kRaw, field});
    return *this;
}

ExifBuilder& ExifBuilder::exifPointer() {
    m_dirs[0].append(Entry{0x8769, kTiffLong, 1, {}, kExifIfd});
    return *this;
}

ExifBuilder& ExifBuilder::thumbnail(const QByteArray& jpeg) {
    m_thumbnail = jpeg;
    m_dirs[2].append(Entry{0x0201, kTiffLong, 1, {}, kThumbAt});
    m_dirs[2].append(Entry{0x0202, kTiffLong, 1, {}, kThumbSize});
    return *this;
}

static uint32_t outOfLine(qsizetype n) { return static_cast<uint32_t>(n > 4 ? (n + 1) & ~qsizetype{1} : 0); }

std::vector<uint32_t> ExifBuilder::layout() const {
    std::vector<uint32_t> at(4, 0);
    uint32_t next = 8;
    for (int dir = 0; dir < 3; ++dir) {
        if (!present(dir)) continue;
        at[dir] = next;
        next += static_cast<uint32_t>(2 + 12 * m_dirs[dir].size() + 4);
        for (const Entry& e : m_dirs[dir]) next += outOfLine(e.data.size());
    }
    at[3] = next;
    return at;
}

void ExifBuilder::writeDir(QByteArray& out, int dir, const std::vector<uint32_t>& at) const {
    uint32_t dataAt = at[dir] + static_cast<uint32_t>(2 + 12 * m_dirs[dir].size() + 4);
    QByteArray data;
    out += u16(static_cast<uint32_t>(m_dirs[dir].size()));
    for (const Entry& e : m_dirs[dir]) {
        out += u16(e.tag) + u16(e.type) + u32(e.count);
        const uint32_t fields[] = {dataAt, e.field, at[1], at[3], static_cast<uint32_t>(m_thumbnail.size())};
        if (e.kind == kPlain && e.data.size() <= 4) {
            out += e.data + QByteArray(4 - e.data.size(), '\0');
            continue;
        }
        out += u32(fields[e.kind]);
        dataAt += outOfLine(e.data.size());
        data += e.data + QByteArray(e.data.size() % 2, '\0');
    }
    out += u32(dir == 0 && present(2) ? at[2] : 0) + data;
}

QByteArray ExifBuilder::tiff() const {
    const std::vector<uint32_t> at = layout();
    QByteArray out = QByteArray(m_order == ByteOrder::LittleEndian ? "II" : "MM") + u16(42) + u32(at[0]);
    for (int dir = 0; dir < 3; ++dir)
        if (present(dir)) writeDir(out, dir, at);
    return out + m_thumbnail;
}

ExifBuilder CameraBlock(ByteOrder order) {
    ExifBuilder b(order);
    b.add(Dir::Ifd0, 0x0100, kTiffShort, {1600}).add(Dir::Ifd0, 0x0102, kTiffShort, {8, 8, 8});
    b.add(Dir::Ifd0, 0x0106, kTiffShort, {6}).ascii(Dir::Ifd0, 0x010E, "  A view \x01 ");
    b.ascii(Dir::Ifd0, 0x010F, "Canon").add(Dir::Ifd0, 0x0112, kTiffShort, {6});
    b.add(Dir::Ifd0, 0x011A, kTiffRational, {180, 1}).add(Dir::Ifd0, 0x0128, kTiffShort, {2});
    b.exifPointer().ascii(Dir::Ifd0, 0x0110, "PowerShot S1").ascii(Dir::Ifd0, 0x013B, "Bob");
    b.add(Dir::Ifd0, 0x013E, kTiffRational, {313, 1000, 329, 1000});
    b.add(Dir::Ifd0, 0x013F, kTiffRational, {64, 100, 33, 100, 21, 100, 71, 100, 15, 100, 6, 100});
    b.add(Dir::Exif, 0x829A, kTiffRational, {1, 250}).add(Dir::Exif, 0x829D, kTiffRational, {28, 10});
    b.add(Dir::Exif, 0x8822, kTiffShort, {2}).add(Dir::Exif, 0x8827, kTiffShort, {100});
    b.bytes(Dir::Exif, 0x9000, "0220").ascii(Dir::Exif, 0x9003, "2004:01:02 03:04:05");
    b.bytes(Dir::Exif, 0x9101, QByteArray("\x01\x02\x03\x00", 4)).add(Dir::Exif, 0x9102, kTiffRational, {5, 1});
    b.add(Dir::Exif, 0x9201, kTiffSRational, {6, 1}).add(Dir::Exif, 0x9202, kTiffRational, {3, 1});
    b.add(Dir::Exif, 0x9203, kTiffSRational, {-5, 10}).add(Dir::Exif, 0x9204, kTiffSRational, {-1, 3});
    b.add(Dir::Exif, 0x9205, kTiffRational, {2, 1}).add(Dir::Exif, 0x9206, kTiffRational, {15, 10});
    b.add(Dir::Exif, 0x9207, kTiffShort, {5}).add(Dir::Exif, 0x9208, kTiffShort, {21});
    b.add(Dir::Exif, 0x9209, kTiffShort, {7}).add(Dir::Exif, 0x920A, kTiffRational, {709375, 100000});
    b.ascii(Dir::Exif, 0x9291, "25").add(Dir::Exif, 0xA002, kTiffLong, {1600});
    b.add(Dir::Exif, 0xA210, kTiffShort, {3}).add(Dir::Exif, 0xA214, kTiffShort, {100, 200});
    b.add(Dir::Exif, 0xA215, kTiffRational, {200, 3}).add(Dir::Exif, 0xA217, kTiffShort, {2});
    return b.thumbnail(testsupport::EncodeJpeg(16, 12)).add(Dir::Ifd1, 0x0103, kTiffShort, {6});
}

QByteArray RealJpegWithApp1(const QByteArray& payload) {
    QByteArray jpeg = testsupport::EncodeJpeg(64, 48);
    return jpeg.insert(2, testsupport::JpegBuilder().app1(payload).bytes());
}

std::vector<char> Exact(const QByteArray& bytes) { return std::vector<char>(bytes.begin(), bytes.end()); }

std::string ByteOrderName(const testing::TestParamInfo<ByteOrder>& param) {
    return param.param == ByteOrder::LittleEndian ? "II" : "MM";
}

}  // namespace exiftest
