#include "jpegfile/segment_replace.h"

#include "jpegfile/byte_source.h"
#include "jpegfile/segment_rebuild.h"
#include "jpegfile/segment_walk.h"
#include "platform/errors.h"

namespace tollamar {

QByteArray SegmentChunks(QByteArrayView data, uint8_t marker) {
    QByteArray out;
    out.reserve(data.size() + (data.size() / kMaxSegmentPayload + 1) * 4);
    for (qsizetype at = 0; at < data.size(); at += kMaxSegmentPayload) {
        const qsizetype chunk = std::min<qsizetype>(kMaxSegmentPayload, data.size() - at);
        const auto length = static_cast<uint16_t>(chunk + 2);
        const char head[4] = {'\xFF', static_cast<char>(marker), static_cast<char>(length >> 8),
                              static_cast<char>(length & 0xFF)};
        out.append(head, 4);
        out.append(data.sliced(at, chunk));
    }
    return out;
}

std::optional<RebuiltHeader> RebuildHeader(QByteArrayView content, QByteArrayView data,
                                           uint8_t marker) {
    MemorySource source(content);
    SegmentWalker walker(source);
    if (!walker.readSoi()) return std::nullopt;
    RebuiltHeader result;
    QByteArray& head = result.head;
    head.reserve(64 * 1024 + data.size());
    head.append("\xFF\xD8", 2);
    bool written = false;
    uint8_t m = 0;
    uint16_t length = 0;
    while (walker.nextMarker(m)) {
        if (m == marker) {
            // The first old segment's place keeps the new data, except for COM, which
            // always goes right before SOS.
            if (!written && marker != kMarkerCOM) {
                head.append(SegmentChunks(data, marker));
                written = true;
            }
            if (!walker.readLength(length)) return std::nullopt;
            walker.skipPayload(length);
            continue;
        }
        if (IsStandaloneMarker(m)) {
            head.append('\xFF').append(static_cast<char>(m));
            continue;
        }
        if (m == kMarkerSOS) {
            if (!written) head.append(SegmentChunks(data, marker));
            head.append('\xFF').append(static_cast<char>(m));
            result.tailOffset = static_cast<qsizetype>(source.position());
            return result;
        }
        if (!walker.readLength(length)) return std::nullopt;
        head.append('\xFF').append(static_cast<char>(m));
        head.append(static_cast<char>(length >> 8)).append(static_cast<char>(length & 0xFF));
        walker.copyPayload(length, head);
    }
    return std::nullopt;
}

bool ReplaceSegment(QByteArray& content, QByteArrayView data, uint8_t marker) {
    std::optional<RebuiltHeader> rebuilt = RebuildHeader(content, data, marker);
    if (!rebuilt) return false;
    QByteArray out = std::move(rebuilt->head);
    out.append(QByteArrayView(content).sliced(rebuilt->tailOffset));
    content = std::move(out);
    return true;
}

bool HasEoiAfter(QByteArrayView content, qsizetype scanStart) {
    // From the end: EOI is normally the last marker, so a whole photo costs a few bytes.
    return content.sliced(scanStart).lastIndexOf(QByteArrayView("\xFF\xD9", 2)) >= 0;
}

bool IsCompleteJpeg(QByteArrayView content) {
    try {
        const std::optional<RebuiltHeader> header = RebuildHeader(content, {}, kMarkerCOM);
        return header && HasEoiAfter(content, header->tailOffset);
    } catch (const Error&) {
        return false;  // a segment runs past the end
    }
}

}  // namespace tollamar
