#include "exif/exif_thumbnail.h"

#include "exif/tiff_directory.h"
#include "jpegfile/segment_walk.h"

#include <QIODevice>

namespace tollamar {

namespace {

constexpr uint16_t kTagJpegOffset = 0x0201;  // JPEGInterchangeFormat
constexpr uint16_t kTagJpegLength = 0x0202;  // JPEGInterchangeFormatLength

// The second directory in the chain describes the thumbnail (Exif 2.2, section 4.5.2).
std::optional<TiffDirectory> openIfd1(const TiffReader& tiff) {
    const std::optional<TiffDirectory> ifd0 = TiffDirectory::open(tiff, FirstIfdOffset(tiff));
    if (!ifd0) return std::nullopt;
    const uint32_t next = ifd0->nextOffset();
    if (next == 0) return std::nullopt;
    return TiffDirectory::open(tiff, next);
}

}  // namespace

bool ReadExifThumbnailFromPayload(QByteArrayView payload, QByteArray& thumbnail) {
    const std::optional<TiffReader> tiff = OpenExifTiff(payload);
    if (!tiff) return false;
    const std::optional<TiffDirectory> ifd1 = openIfd1(*tiff);
    if (!ifd1) return false;
    uint32_t offset = 0;
    uint32_t length = 0;
    // Entries cut off by the end of the data are passed over, not an error: the
    // thumbnail tags usually come first.
    for (int i = 0; i < ifd1->count() && ifd1->hasEntry(i); ++i) {
        const TiffEntry entry = ifd1->entry(i);
        if (entry.tag == kTagJpegOffset) offset = entry.fieldValue;
        if (entry.tag == kTagJpegLength) length = entry.fieldValue;
    }
    if (offset == 0 || length == 0) return false;
    thumbnail = tiff->bytes(offset, length).value_or(QByteArrayView()).toByteArray();
    return true;
}

bool ReadExifThumbnail(QIODevice& destination, const QString& fileName) {
    QByteArray payload;
    if (!ExtractSegmentFromFile(fileName, kMarkerAPP1, payload) || payload.size() <= 5) return false;
    QByteArray thumbnail;
    if (!ReadExifThumbnailFromPayload(payload, thumbnail)) return false;
    if (!thumbnail.isEmpty()) destination.write(thumbnail);
    return true;
}

}  // namespace tollamar
