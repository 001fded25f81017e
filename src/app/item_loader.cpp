#include "app/item_loader.h"

#include "exif/exif_summary.h"
#include "exif/exif_thumbnail.h"
#include "exif/exif_values.h"
#include "fileinfo/list_thumbnail.h"
#include "imaging/jpeg_size.h"
#include "imaging/thumbnail.h"
#include "jpegfile/comment_codec.h"
#include "jpegfile/comment_io.h"
#include "jpegfile/header_scan.h"
#include "jpegfile/segment_walk.h"

namespace tollamar {
namespace {

// The fields from the file, one read per field: a header the single walk could not take
// whole meets each reader, which treats the damage by its own rules.
QByteArray readFieldsFromFile(TItemData& entry) {
    entry.Comment = ReadComment(entry.FileName);
    entry.Summary = FileSummaryText(entry.FileName, ProbeJpegSize);
    entry.Camera = ExifSummaryText(entry.FileName);
    return UsableExifThumbnail(entry.FileName);
}

// The same fields from one walk over a complete header, by the same rules: the photo is
// opened and its header read once.
QByteArray readFieldsFromHeader(TItemData& entry, const JpegHeaderParts& header) {
    entry.Comment = DecodeComment(header.comment);
    entry.Summary = FileSummaryText(entry.FileName, [&header](const QString& file, int& w, int& h) {
        return ProbeJpegSizeFromHeader(file, header, w, h);
    });
    ExifValueList values;
    const bool hasExif = ReadExifValues(values, entry.FileName, header);
    entry.Camera = hasExif ? ExifSummaryText(values) : QString();

    QByteArray thumbnail;
    if (header.exif.size() <= 5 || !ReadExifThumbnailFromPayload(header.exif, thumbnail)) return {};
    return IsJpegStream(QByteArrayView(thumbnail)) ? thumbnail : QByteArray();
}

}  // namespace

QImage CompactThumbnail(const QImage& bitmap) {
    return bitmap.convertToFormat(QImage::Format_RGB888);
}

bool LoadItemDetails(int width, int height, TItemData& entry) {
    const JpegHeaderParts header = ScanJpegHeader(entry.FileName);
    QByteArray embedded = header.complete ? readFieldsFromHeader(entry, header) : readFieldsFromFile(entry);
    if (!embedded.isEmpty()) {
        entry.Thumbnail = std::move(embedded);
        return true;
    }
    if (entry.isLoaded()) return false;
    // The blank bitmap goes in first, so a photo that cannot be decoded is not retried.
    entry.Thumbnail = BlankThumbnail();
    const QImage bitmap = MakeThumbnailBitmap(entry.FileName, width, height);
    if (!bitmap.isNull()) entry.Thumbnail = CompactThumbnail(bitmap);
    return true;
}

}  // namespace tollamar
