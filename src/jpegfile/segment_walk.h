#pragma once
// The walk over a JPEG header: SOI, then segments up to the first SOS. Fill bytes (extra
// FF before a marker) are skipped; TEM and RST0-7 stand alone; every other marker has a
// big-endian length that counts itself. Nothing after SOS is ever read.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>

class QIODevice;

namespace tollamar {

class ByteSource;

constexpr uint8_t kMarkerTEM = 0x01;
constexpr uint8_t kMarkerSOI = 0xD8;
constexpr uint8_t kMarkerSOS = 0xDA;
constexpr uint8_t kMarkerAPP1 = 0xE1;
constexpr uint8_t kMarkerCOM = 0xFE;

bool IsStandaloneMarker(uint8_t marker);

// Step by step access for walks that need more than ExtractSegment (segment listings).
class SegmentWalker {
public:
    explicit SegmentWalker(ByteSource& source) : m_source(source) {}
    // The first two bytes are FF D8.
    bool readSoi();
    // The next marker byte after FF and any fill bytes; false when the bytes are out of
    // step with the segment structure or the data ends.
    bool nextMarker(uint8_t& marker);
    // The length field; false when missing or below 2.
    bool readLength(uint16_t& length);
    void skipPayload(uint16_t length);
    // Appends length - 2 bytes; raises the stream read error when fewer remain.
    void copyPayload(uint16_t length, QByteArray& out);
    ByteSource& source() { return m_source; }

private:
    ByteSource& m_source;
};

// Walks from the source's position; for each marker that sinkFor answers with a buffer,
// the payload is appended there (this takes precedence over the standalone and SOS
// rules). True when SOS was reached. Raises the stream read error on a payload that
// runs past the end.
bool WalkSegments(ByteSource& source, const std::function<QByteArray*(uint8_t)>& sinkFor);

// True when the stream starts with SOI and its segments can be walked up to SOS.
bool IsJpegStream(QIODevice& stream);
bool IsJpegStream(QByteArrayView bytes);

// Appends the payload of every segment with the marker, in file order, without marker
// and length bytes. True only when the walk reached SOS; what was appended before a
// failure stays. Raises the stream read error on a payload that runs past the end.
bool ExtractSegment(QIODevice& source, uint8_t marker, QIODevice& destination);
bool ExtractSegment(ByteSource& source, uint8_t marker, QByteArray& destination);
bool ExtractSegment(QIODevice& source, uint8_t marker, QByteArray& destination);
// File form: opens the file read-only (raises the open error) and reads its header only.
bool ExtractSegmentFromFile(const QString& fileName, uint8_t marker, QByteArray& destination);

}  // namespace tollamar
