#include "fileinfo/list_thumbnail.h"

#include "exif/exif_thumbnail.h"
#include "imaging/thumbnail.h"
#include "jpegfile/segment_walk.h"

#include <QBuffer>

namespace tollamar {

QByteArray UsableExifThumbnail(const QString& fileName) {
    QByteArray bytes;
    QBuffer stream(&bytes);
    stream.open(QIODevice::WriteOnly);
    if (!ReadExifThumbnail(stream, fileName) || !IsJpegStream(QByteArrayView(bytes))) return {};
    return bytes;
}

QImage ListThumbnail(const QString& fileName, int boxWidth, int boxHeight) {
    const QByteArray embedded = UsableExifThumbnail(fileName);
    if (!embedded.isEmpty()) {
        try {
            return MakeThumbnailBitmap(embedded, boxWidth, boxHeight);
        } catch (const std::exception&) {
            // A thumbnail that walks but does not decode: fall back to the photo itself.
        }
    }
    return MakeThumbnailBitmap(fileName, boxWidth, boxHeight);
}

}  // namespace tollamar
