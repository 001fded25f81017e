#pragma once
// One walk over a JPEG header for the readers that want several of its parts (the photo
// list, the summaries): the comment, the Exif data and the frame header come out of a
// single open and read of the file.

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace tollamar {

class ByteSource;

struct JpegHeaderParts {
    bool complete = false;  // the walk reached SOS and no payload ran past the end
    QByteArray markers;     // every marker met, in file order, SOS last when complete
    QByteArray comment;     // the COM payloads, joined
    QByteArray exif;        // the APP1 payloads, joined
    QByteArray frame;       // the payloads of the frame headers (SOF0-SOF15), joined
};

// SOF0-SOF15: C0-CF except DHT (C4), JPG (C8) and DAC (CC).
bool IsFrameMarker(uint8_t marker);

// Walks from the source's position. A header that is not complete holds what came
// before the damage; its readers then take the file again by their own rules, which
// raise what they raise, so damage is never reported from here.
JpegHeaderParts ScanJpegHeader(ByteSource& source);
// From the start of the file; raises the open error.
JpegHeaderParts ScanJpegHeader(const QString& fileName);

}  // namespace tollamar
