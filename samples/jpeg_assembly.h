#pragma once
// Puts a camera's segments around libjpeg's output: APP1 (Exif) right after SOI,
// the comment in COM segments right before SOS.

#include <QByteArray>

#include <cstdint>

namespace tollamar::samples {

// A JPEG stream cut at its first SOS: the segments between SOI and SOS, and
// everything from SOS to the end.
struct JpegParts {
    QByteArray header;
    QByteArray scan;
};

// Throws std::runtime_error if encoded is not a walkable JPEG stream.
JpegParts SplitAtSos(const QByteArray& encoded);
// FF marker, big-endian length, payload (at most 65533 bytes).
QByteArray Segment(uint8_t marker, const QByteArray& payload);
// The payload cut into COM segments of at most 65533 bytes each; none for an empty one.
QByteArray CommentSegments(const QByteArray& payload);
// SOI, the Exif segment (when exif is not empty), libjpeg's header segments, the
// comment segments, then the scan.
QByteArray AssemblePhoto(const QByteArray& encoded, const QByteArray& exif,
                         const QByteArray& comment);

}  // namespace tollamar::samples
