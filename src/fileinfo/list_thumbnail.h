#pragma once
// The thumbnail the photo list shows: the camera's embedded Exif thumbnail when it is
// a walkable JPEG, else the photo decoded at a reduced scale.

#include <QByteArray>
#include <QImage>
#include <QString>

namespace tollamar {

// The embedded thumbnail's bytes when IsJpegStream accepts them; empty otherwise.
// Raises the open error and the damaged-Exif error.
QByteArray UsableExifThumbnail(const QString& fileName);

// The bitmap fitted into boxWidth x boxHeight, from the embedded thumbnail when usable,
// else by decoding the photo. Raises file and decode errors.
QImage ListThumbnail(const QString& fileName, int boxWidth, int boxHeight);

}  // namespace tollamar
