#include "jpegfile/segment_walk.h"

#include "jpegfile/byte_source.h"
#include "platform/errors.h"

#include <QIODevice>

namespace tollamar {

bool IsStandaloneMarker(uint8_t marker) {
    return marker == kMarkerTEM || (marker >= 0xD0 && marker <= 0xD7);
}

bool SegmentWalker::readSoi() {
    return m_source.getByte() == 0xFF && m_source.getByte() == kMarkerSOI;
}

bool SegmentWalker::nextMarker(uint8_t& marker) {
    if (m_source.getByte() != 0xFF) return false;
    int byte;
    do {
        byte = m_source.getByte();
    } while (byte == 0xFF);
    if (byte < 0) return false;
    marker = static_cast<uint8_t>(byte);
    return true;
}

bool SegmentWalker::readLength(uint16_t& length) {
    const int hi = m_source.getByte();
    const int lo = hi < 0 ? -1 : m_source.getByte();
    if (lo < 0) return false;
    length = static_cast<uint16_t>((hi << 8) | lo);
    return length >= 2;
}

void SegmentWalker::skipPayload(uint16_t length) { m_source.skip(length - 2); }

void SegmentWalker::copyPayload(uint16_t length, QByteArray& out) {
    if (m_source.read(length - 2, out) != length - 2) ThrowStreamReadError();
}

bool WalkSegments(ByteSource& source, const std::function<QByteArray*(uint8_t)>& sinkFor) {
    SegmentWalker walker(source);
    if (!walker.readSoi()) return false;
    uint8_t marker = 0;
    uint16_t length = 0;
    while (walker.nextMarker(marker)) {
        if (QByteArray* sink = sinkFor(marker)) {
            if (!walker.readLength(length)) return false;
            walker.copyPayload(length, *sink);
            continue;
        }
        if (IsStandaloneMarker(marker)) continue;
        if (marker == kMarkerSOS) return true;
        if (!walker.readLength(length)) return false;
        walker.skipPayload(length);
    }
    return false;
}

bool ExtractSegment(ByteSource& source, uint8_t marker, QByteArray& destination) {
    return WalkSegments(source, [&](uint8_t m) { return m == marker ? &destination : nullptr; });
}

bool ExtractSegment(QIODevice& source, uint8_t marker, QByteArray& destination) {
    DeviceSource in(source);
    return ExtractSegment(in, marker, destination);
}

bool ExtractSegment(QIODevice& source, uint8_t marker, QIODevice& destination) {
    QByteArray payloads;
    bool reached = false;
    try {
        DeviceSource in(source);
        reached = ExtractSegment(in, marker, payloads);
    } catch (...) {
        destination.write(payloads);  // what was copied before the error stays
        throw;
    }
    destination.write(payloads);
    return reached;
}

bool ExtractSegmentFromFile(const QString& fileName, uint8_t marker, QByteArray& destination) {
    FileSource in(fileName);
    return ExtractSegment(in, marker, destination);
}

bool IsJpegStream(QIODevice& stream) {
    DeviceSource in(stream);
    try {
        return WalkSegments(in, [](uint8_t) { return nullptr; });
    } catch (const Error&) {
        return false;
    }
}

bool IsJpegStream(QByteArrayView bytes) {
    MemorySource in(bytes);
    return WalkSegments(in, [](uint8_t) { return nullptr; });
}

}  // namespace tollamar
