#pragma once
// The thumbnail a camera stores in IFD1 of the Exif data: a complete small JPEG.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class QIODevice;

namespace tollamar {

// The thumbnail bytes of an APP1 payload. False when there is no Exif, no IFD1, or no
// thumbnail offset and length in it; true with empty bytes when they name bytes outside
// the data. Raises the damaged-Exif error when IFD0 or IFD1 is cut off by the end.
bool ReadExifThumbnailFromPayload(QByteArrayView payload, QByteArray& thumbnail);
// The same for a file, the thumbnail written to destination; raises the open error.
// Whether the bytes are a usable JPEG is the caller's test (IsJpegStream).
bool ReadExifThumbnail(QIODevice& destination, const QString& fileName);

}  // namespace tollamar
