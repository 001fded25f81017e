#include "support/jpeg_builder.h"

#include <cstdio>
#include <jpeglib.h>
#include <vector>

namespace testsupport {

JpegBuilder& JpegBuilder::soi() {
    m_bytes.append("\xFF\xD8", 2);
    return *this;
}

JpegBuilder& JpegBuilder::segment(uint8_t marker, QByteArrayView payload) {
    const auto length = static_cast<int>(payload.size() + 2);
    m_bytes.append('\xFF').append(static_cast<char>(marker));
    m_bytes.append(static_cast<char>((length >> 8) & 0xFF)).append(static_cast<char>(length & 0xFF));
    m_bytes.append(payload);
    return *this;
}

JpegBuilder& JpegBuilder::tables() {
    segment(0xDB, QByteArray(65, '\x01'));
    segment(0xC0, QByteArray("\x08\x00\x08\x00\x08\x01\x01\x11\x00", 9));
    return segment(0xC4, QByteArray(29, '\x00'));
}

JpegBuilder& JpegBuilder::standalone(uint8_t marker) {
    m_bytes.append('\xFF').append(static_cast<char>(marker));
    return *this;
}

JpegBuilder& JpegBuilder::fill(int n) {
    m_bytes.append(QByteArray(n, '\xFF'));
    return *this;
}

JpegBuilder& JpegBuilder::sosAndData(QByteArrayView scanData) {
    segment(0xDA, QByteArray("\x01\x01\x00\x00\x3F\x00", 6));
    m_bytes.append(scanData);
    m_bytes.append("\xFF\xD9", 2);
    return *this;
}

JpegBuilder& JpegBuilder::raw(QByteArrayView bytes) {
    m_bytes.append(bytes);
    return *this;
}

QByteArray EncodeJpeg(int width, int height, int quality) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&cinfo, &out, &outSize);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<unsigned char> row(static_cast<size_t>(width) * 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        const auto y = cinfo.next_scanline;
        for (int x = 0; x < width; ++x) {
            row[static_cast<size_t>(x) * 3] = static_cast<unsigned char>(x * 255 / std::max(1, width - 1));
            row[static_cast<size_t>(x) * 3 + 1] = static_cast<unsigned char>(y * 255 / std::max(1u, cinfo.image_height - 1));
            row[static_cast<size_t>(x) * 3 + 2] = static_cast<unsigned char>((x + static_cast<int>(y)) & 0xFF);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray bytes(reinterpret_cast<const char*>(out), static_cast<qsizetype>(outSize));
    free(out);
    return bytes;
}

namespace {

// Calls visit(marker, payloadStart, payloadLength) for each header segment; stops at SOS,
// whose offset it returns (-1 when there is none).
template <typename Visit>
qsizetype walk(const QByteArray& jpeg, Visit visit) {
    qsizetype at = 2;
    while (at + 1 < jpeg.size()) {
        if (static_cast<unsigned char>(jpeg[at]) != 0xFF) return -1;
        while (at + 1 < jpeg.size() && static_cast<unsigned char>(jpeg[at + 1]) == 0xFF) ++at;
        if (at + 1 >= jpeg.size()) return -1;
        const auto marker = static_cast<uint8_t>(jpeg[at + 1]);
        if (marker == 0xDA) return at;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            visit(marker, at + 2, 0);
            at += 2;
            continue;
        }
        if (at + 3 >= jpeg.size()) return -1;
        const int length = (static_cast<unsigned char>(jpeg[at + 2]) << 8) | static_cast<unsigned char>(jpeg[at + 3]);
        visit(marker, at + 4, length - 2);
        at += 2 + length;
    }
    return -1;
}

}  // namespace

QList<QByteArray> SegmentPayloads(const QByteArray& jpeg, uint8_t marker) {
    QList<QByteArray> payloads;
    walk(jpeg, [&](uint8_t m, qsizetype start, qsizetype length) {
        if (m == marker) payloads.append(jpeg.mid(start, length));
    });
    return payloads;
}

QByteArray HeaderMarkers(const QByteArray& jpeg) {
    QByteArray markers;
    const qsizetype sos = walk(jpeg, [&](uint8_t m, qsizetype, qsizetype) { markers.append(static_cast<char>(m)); });
    if (sos >= 0) markers.append('\xDA');
    return markers;
}

QByteArray FromSos(const QByteArray& jpeg) {
    const qsizetype sos = walk(jpeg, [](uint8_t, qsizetype, qsizetype) {});
    return sos < 0 ? QByteArray() : jpeg.mid(sos);
}

}  // namespace testsupport
