#pragma once
// Builds Exif APP1 payloads byte by byte in either byte order: IFD0, the Exif IFD and
// IFD1 with a thumbnail; values inline or at offsets; raw value fields for damage.

#include "exif/tiff_reader.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>
#include <gtest/gtest.h>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

// Readable values in failure messages and test names.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
namespace tollamar {
inline void PrintTo(ByteOrder order, std::ostream* out) { *out << (order == ByteOrder::LittleEndian ? "II" : "MM"); }
}  // namespace tollamar

namespace exiftest {

enum class Dir { Ifd0, Exif, Ifd1 };

class ExifBuilder {
public:
    explicit ExifBuilder(tollamar::ByteOrder order = tollamar::ByteOrder::LittleEndian) : m_order(order) {}

    // Integer or rational values (rationals as numerator, denominator, ...).
    ExifBuilder& add(Dir dir, uint16_t tag, uint16_t type, std::initializer_list<int64_t> values);
    // The text and a terminating zero.
    ExifBuilder& ascii(Dir dir, uint16_t tag, const QByteArray& text) {
        return bytes(dir, tag, text + '\0', tollamar::kTiffAscii);
    }
    ExifBuilder& bytes(Dir dir, uint16_t tag, const QByteArray& data, uint16_t type = tollamar::kTiffUndefined);
    // An entry whose value field holds exactly `field`.
    ExifBuilder& raw(Dir dir, uint16_t tag, uint16_t type, uint32_t count, uint32_t field);
    ExifBuilder& exifPointer();                      // in IFD0, here
    ExifBuilder& thumbnail(const QByteArray& jpeg);  // IFD1 0201/0202, the bytes at the end

    QByteArray tiff() const;
    QByteArray payload() const { return QByteArray("Exif\0\0", 6) + tiff(); }
    uint32_t offsetOf(Dir dir) const { return layout()[static_cast<int>(dir)]; }
    QByteArray u16(uint32_t v) const;
    QByteArray u32(uint32_t v) const;

private:
    enum Kind { kPlain, kRaw, kExifIfd, kThumbAt, kThumbSize };
    struct Entry {
        uint16_t tag, type;
        uint32_t count;
        QByteArray data;
        Kind kind = kPlain;
        uint32_t field = 0;
    };
    bool present(int dir) const { return dir == 0 || !m_dirs[dir].isEmpty(); }
    std::vector<uint32_t> layout() const;  // the three directories, then the thumbnail
    void writeDir(QByteArray& out, int dir, const std::vector<uint32_t>& at) const;

    tollamar::ByteOrder m_order;
    QList<Entry> m_dirs[3];
    QByteArray m_thumbnail;
};

// Tags of every conversion, the Exif IFD pointer in the middle of IFD0, a thumbnail.
ExifBuilder CameraBlock(tollamar::ByteOrder order);
// A libjpeg picture with the payload in an APP1 right after SOI.
QByteArray RealJpegWithApp1(const QByteArray& payload);
// A heap copy exactly as long as the bytes, so that AddressSanitizer sees a read past them.
std::vector<char> Exact(const QByteArray& bytes);
inline QByteArrayView View(const std::vector<char>& v) { return {v.data(), static_cast<qsizetype>(v.size())}; }
std::string ByteOrderName(const testing::TestParamInfo<tollamar::ByteOrder>& param);

}  // namespace exiftest
