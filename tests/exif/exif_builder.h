#pragma once
// Builds Exif APP1 payloads byte by byte in either byte order: IFD0, the Exif IFD and
// IFD1 with a thumbnail, entries of every type, values inline or at offsets, and raw
// value fields for damaged files.

#include "exif/tiff_reader.h"

#include <QByteArray>
#include <QList>
#include <gtest/gtest.h>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>

namespace exiftest {

enum class Dir { Ifd0, Exif, Ifd1 };

class ExifBuilder {
public:
    explicit ExifBuilder(tollamar::ByteOrder order = tollamar::ByteOrder::LittleEndian) : m_order(order) {}

    // The text with one terminating zero; count includes it.
    ExifBuilder& ascii(Dir dir, uint16_t tag, QByteArray text);
    ExifBuilder& shorts(Dir dir, uint16_t tag, std::initializer_list<uint16_t> values);
    ExifBuilder& longs(Dir dir, uint16_t tag, std::initializer_list<uint32_t> values);
    ExifBuilder& slongs(Dir dir, uint16_t tag, std::initializer_list<int32_t> values);
    ExifBuilder& rationals(Dir dir, uint16_t tag, std::initializer_list<std::pair<uint32_t, uint32_t>> values);
    ExifBuilder& srationals(Dir dir, uint16_t tag, std::initializer_list<std::pair<int32_t, int32_t>> values);
    ExifBuilder& undefined(Dir dir, uint16_t tag, QByteArray bytes);
    // Already encoded values with any type and count; inline when up to 4 bytes.
    ExifBuilder& encoded(Dir dir, uint16_t tag, uint16_t type, uint32_t count, QByteArray bytes);
    // An entry whose value field holds exactly the given LONG (an offset, usually).
    ExifBuilder& raw(Dir dir, uint16_t tag, uint16_t type, uint32_t count, uint32_t field);
    // The Exif IFD pointer, placed in IFD0 here.
    ExifBuilder& exifPointer();
    // IFD1 with JPEGInterchangeFormat and its length, the bytes after the directories.
    ExifBuilder& thumbnail(QByteArray jpeg);
    // Stores this IFD0 offset in the header instead of the real one.
    ExifBuilder& ifd0Offset(uint32_t offset);

    QByteArray tiff() const;
    // "Exif", zero, pad byte, then the TIFF data.
    QByteArray payload() const { return QByteArray("Exif\0\0", 6) + tiff(); }
    // A JPEG header with the payload in one APP1 segment, up to SOS.
    QByteArray jpeg() const;
    // Where a directory starts in the TIFF data (after tiff() laid it out).
    uint32_t offsetOf(Dir dir) const;

    // Encoding in the builder's byte order, for hand-made values.
    QByteArray u16(uint16_t v) const;
    QByteArray u32(uint32_t v) const;

private:
    enum class Kind { Plain, Raw, ExifPointer, ThumbOffset, ThumbLength };
    struct Entry {
        uint16_t tag;
        uint16_t type;
        uint32_t count;
        QByteArray data;
        uint32_t field = 0;
        Kind kind = Kind::Plain;
    };
    struct Layout {
        uint32_t dirAt[3] = {0, 0, 0};
        uint32_t thumbAt = 0;
    };
    QList<Entry>& entries(Dir dir) { return m_dirs[static_cast<int>(dir)]; }
    bool present(int dir) const;
    uint32_t dirSize(int dir) const;
    Layout layout() const;
    void writeDir(QByteArray& out, int dir, const Layout& at) const;
    uint32_t fieldOf(const Entry& e, const Layout& at, uint32_t& dataAt) const;

    tollamar::ByteOrder m_order;
    QList<Entry> m_dirs[3];
    QByteArray m_thumbnail;
    std::optional<uint32_t> m_ifd0Offset;
};

// A real JPEG (libjpeg, width x height) with the payload in an APP1 right after SOI.
QByteArray RealJpegWithApp1(const QByteArray& payload, int width = 64, int height = 48);

// Test names for suites run in both byte orders: II and MM.
std::string ByteOrderName(const testing::TestParamInfo<tollamar::ByteOrder>& param);

}  // namespace exiftest
