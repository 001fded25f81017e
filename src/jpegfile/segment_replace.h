#pragma once
// Rebuilds a JPEG in memory with every segment of one marker replaced by new data.

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>

namespace tollamar {

constexpr int kMaxSegmentPayload = 65533;

// data as consecutive segments of the marker, each at most 65533 payload bytes; no
// segment at all for empty data.
QByteArray SegmentChunks(QByteArrayView data, uint8_t marker);

// COM goes right before SOS; any other marker takes the place of its first old segment,
// or right before SOS when there was none. Fill bytes are dropped. On success content
// holds the new file; on failure (no SOI, broken structure, no SOS) it is unchanged.
// Raises the stream read error when a segment runs past the end.
bool ReplaceSegment(QByteArray& content, QByteArrayView data, uint8_t marker);

// Whether an EOI marker follows scanStart: inside entropy-coded data FF is always
// followed by 00 or a restart marker, so FF D9 there ends the image.
bool HasEoiAfter(QByteArrayView content, qsizetype scanStart);
// A JPEG whose header walks cleanly to SOS and whose image data ends in EOI.
bool IsCompleteJpeg(QByteArrayView content);

}  // namespace tollamar
