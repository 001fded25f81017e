#pragma once
// Thumbnails decoded at a reduced scale with the fast transform, so a photo many times
// larger than the box never goes through a full-size decode.

#include "imaging/jpeg_image.h"

#include <QByteArray>
#include <QImage>
#include <QString>

namespace tollamar {

// A Format_RGB32 bitmap of CalcFitSize(boxWidth, boxHeight, picture), the photo
// decoded at the scale ChooseJpegScale picks and drawn into it (white where the picture
// leaves room). Null when the fitted size has no area. Raises the file open or read
// error and "JPEG エラー #%d".
QImage MakeThumbnailBitmap(const QString& fileName, int boxWidth, int boxHeight,
                           const TJPEGDefaults& defaults = TJPEGDefaults());
// The same for a whole JPEG file already in memory.
QImage MakeThumbnailBitmap(const QByteArray& jpeg, int boxWidth, int boxHeight,
                           const TJPEGDefaults& defaults = TJPEGDefaults());

}  // namespace tollamar
