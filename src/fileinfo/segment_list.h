#pragma once
// The listing of a JPEG file's header segments: offset, marker code, description and
// length of each, up to the start of the image data.

#include "exif/text_tree.h"

#include <QByteArrayView>
#include <QString>
#include <cstdint>

namespace tollamar {

// The description of a marker code; payloadStart (the first bytes after the length
// field) tells an Exif APP1 from other APP1 data.
QString MarkerDescription(uint8_t marker, QByteArrayView payloadStart, uint16_t length);

class ByteSource;

// Adds one line per segment to parent; true when SOS was reached. A file that is not a
// JPEG adds nothing; damage ends the list at the last good segment.
bool ListSegments(ByteSource& source, TTextNode& parent);
// The same for a file; raises the open error.
bool ListSegments(const QString& fileName, TTextNode& parent);

}  // namespace tollamar
