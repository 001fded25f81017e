#include "app/item_loader.h"

#include "exif/exif_summary.h"
#include "exif/exif_thumbnail.h"
#include "exif/exif_values.h"
#include "fileinfo/list_thumbnail.h"
#include "imaging/jpeg_decoder.h"
#include "imaging/jpeg_size.h"
#include "imaging/thumbnail.h"
#include "jpegfile/byte_source.h"
#include "jpegfile/comment_io.h"
#include "jpegfile/segment_walk.h"
#include "platform/errors.h"
#include "platform/file_times.h"
#include "platform/regular_file.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <cerrno>

namespace tollamar {
namespace {

// Everything the list shows of a photo lies before SOS. Reading that much once, rather
// than once per field, halves the cost of filling a folder of small photos; a header
// longer than this takes the per-field file reads.
constexpr qint64 kHeadBytes = 128 * 1024;

QByteArray readHead(const QString& fileName) {
    struct stat st {};
    const FdGuard fd(OpenRegularFile(fileName, st));
    return ReadUpTo(fd.get(), fileName, std::min<qint64>(kHeadBytes, st.st_size));
}

// The fields from the file, one read per field.
QByteArray readFieldsFromFile(TItemData& entry) {
    entry.Comment = ReadComment(entry.FileName);
    entry.Summary = FileSummaryText(entry.FileName, ProbeJpegSize);
    entry.Camera = ExifSummaryText(entry.FileName);
    return UsableExifThumbnail(entry.FileName);
}

// The same fields from a header that walks to SOS, by the same rules.
QByteArray readFieldsFromHead(TItemData& entry, const QByteArray& head) {
    QBuffer stream;
    stream.setData(head);
    stream.open(QIODevice::ReadOnly);
    entry.Comment = ReadComment(stream);

    const QFileInfo info(entry.FileName);
    TFileTimes times;
    entry.Summary.clear();
    if (info.isFile() && GetFileTimes(entry.FileName, times)) {
        const JpegHeaderInfo header = ReadJpegHeader(QByteArrayView(head), false);
        entry.Summary = FileSummaryText(header.width, header.height,
                                        QDateTime::fromSecsSinceEpoch(times.lastWrite.tv_sec, Qt::LocalTime),
                                        info.size());
    }

    QByteArray app1;
    MemorySource source{QByteArrayView(head)};
    const bool reached = ExtractSegment(source, kMarkerAPP1, app1);
    ExifValueList values;
    const bool hasExif = reached && !app1.isEmpty() && ReadExifValuesFromPayload(values, app1);
    entry.Camera = hasExif ? ExifSummaryText(values) : QString();

    QByteArray thumbnail;
    if (!reached || app1.size() <= 5 || !ReadExifThumbnailFromPayload(app1, thumbnail)) return {};
    return IsJpegStream(QByteArrayView(thumbnail)) ? thumbnail : QByteArray();
}

}  // namespace

QImage CompactThumbnail(const QImage& bitmap) {
    return bitmap.convertToFormat(QImage::Format_RGB888);
}

bool LoadItemDetails(int width, int height, TItemData& entry) {
    const QByteArray head = readHead(entry.FileName);
    QByteArray embedded = IsJpegStream(QByteArrayView(head)) ? readFieldsFromHead(entry, head)
                                                             : readFieldsFromFile(entry);
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
