#include "jpegfile/exif_segment_file.h"

#include "jpegfile/safe_rewrite.h"
#include "jpegfile/segment_walk.h"
#include "platform/errors.h"
#include "platform/file_ops.h"
#include "platform/new_file.h"


namespace tollamar {

void ExportExifSegment(const QString& photo, const QString& exifFile) {
    RefuseOutputOverInput(photo, exifFile);
    QByteArray payloads;
    // A damaged photo gives the payloads met before the damage.
    ExtractSegmentFromFile(photo, kMarkerAPP1, payloads);
    WriteFileReplacing(exifFile, payloads);
}

QByteArray ReadExifSegmentFile(const QString& photo, const QString& exifFile) {
    RefuseOutputOverInput(exifFile, photo);
    return ReadWholeFile(exifFile);
}

bool ImportExifSegment(const QString& photo, const QString& exifFile) {
    return ReplaceSegmentInFile(photo, ReadExifSegmentFile(photo, exifFile), kMarkerAPP1);
}

}  // namespace tollamar
