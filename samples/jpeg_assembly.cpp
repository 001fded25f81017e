#include "jpeg_assembly.h"

#include <stdexcept>

namespace tollamar::samples {

namespace {

constexpr qsizetype kMaxPayload = 65533;  // the length field counts its own two bytes

uint8_t At(const QByteArray& b, qsizetype i)
{
    return static_cast<uint8_t>(b.at(i));
}

}  // namespace

JpegParts SplitAtSos(const QByteArray& encoded)
{
    if (encoded.size() < 4 || At(encoded, 0) != 0xFF || At(encoded, 1) != 0xD8)
        throw std::runtime_error("encoder output does not start with SOI");
    qsizetype pos = 2;
    // libjpeg writes no fill bytes and no standalone markers before SOS.
    while (pos + 4 <= encoded.size() && At(encoded, pos) == 0xFF) {
        if (At(encoded, pos + 1) == 0xDA)
            return {encoded.mid(2, pos - 2), encoded.mid(pos)};
        pos += 2 + (At(encoded, pos + 2) << 8 | At(encoded, pos + 3));
    }
    throw std::runtime_error("encoder output has no SOS marker");
}

QByteArray Segment(uint8_t marker, const QByteArray& payload)
{
    if (payload.size() > kMaxPayload)
        throw std::runtime_error("segment payload over 65533 bytes");
    const qsizetype length = payload.size() + 2;
    QByteArray out;
    out.append(static_cast<char>(0xFF));
    out.append(static_cast<char>(marker));
    out.append(static_cast<char>(length >> 8));
    out.append(static_cast<char>(length & 0xFF));
    return out + payload;
}

QByteArray CommentSegments(const QByteArray& payload)
{
    QByteArray out;
    for (qsizetype pos = 0; pos < payload.size(); pos += kMaxPayload)
        out += Segment(0xFE, payload.mid(pos, kMaxPayload));
    return out;
}

QByteArray AssemblePhoto(const QByteArray& encoded, const QByteArray& exif,
                         const QByteArray& comment)
{
    const JpegParts parts = SplitAtSos(encoded);
    QByteArray out("\xFF\xD8", 2);
    if (!exif.isEmpty())
        out += Segment(0xE1, exif);
    return out + parts.header + CommentSegments(comment) + parts.scan;
}

}  // namespace tollamar::samples
