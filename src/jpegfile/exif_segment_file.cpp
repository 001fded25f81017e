#include "jpegfile/exif_segment_file.h"

#include "jpegfile/safe_rewrite.h"
#include "jpegfile/segment_walk.h"
#include "platform/errors.h"
#include "platform/file_ops.h"

#include <QSaveFile>

namespace tollamar {

void ExportExifSegment(const QString& photo, const QString& exifFile) {
    // Saving over the photo itself would replace the photo by its Exif bytes.
    if (ResolveLinks(photo) == ResolveLinks(exifFile))
        throw Error(QStringLiteral("%1 は写真そのものです。別の名前を指定してください").arg(exifFile));
    QByteArray payloads;
    // A damaged photo gives the payloads met before the damage.
    ExtractSegmentFromFile(photo, kMarkerAPP1, payloads);
    QSaveFile out(exifFile);
    if (!out.open(QIODevice::WriteOnly)) ThrowWriteError(exifFile, EACCES);
    if (out.write(payloads) != payloads.size() || !out.commit())
        throw Error(QStringLiteral("ファイル %1 の書き込みに失敗しました。%2").arg(exifFile, out.errorString()));
}

bool ImportExifSegment(const QString& photo, const QString& exifFile) {
    const QByteArray data = ReadWholeFile(exifFile);
    return ReplaceSegmentInFile(photo, data, kMarkerAPP1);
}

}  // namespace tollamar
