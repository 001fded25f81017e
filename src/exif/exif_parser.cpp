#include "exif/exif_parser.h"

#include "exif/exif_tags.h"
#include "exif/exif_walk.h"
#include "jpegfile/segment_walk.h"

namespace tollamar {

namespace {

void apply(const ExifTagRule* rule, TExifInfo& info, const TiffReader& tiff, const TiffEntry& entry) {
    if (!rule) return;
    if (std::optional<QString> text = rule->convert(tiff, entry)) info.*(rule->field) = std::move(*text);
}

bool readFromApp1(TExifInfo& info, bool reachedSos, const QByteArray& payload) {
    return reachedSos && !payload.isEmpty() && ReadExifInfoFromPayload(info, payload);
}

}  // namespace

bool ReadExifInfoFromPayload(TExifInfo& info, QByteArrayView payload) {
    const std::optional<TiffReader> tiff = OpenExifTiff(payload);
    if (!tiff) return false;
    return WalkExifDirectories(
        *tiff, [&](const TiffEntry& e) { apply(FindIfd0Rule(e.tag), info, *tiff, e); },
        [&](const TiffEntry& e) { apply(FindExifIfdRule(e.tag), info, *tiff, e); });
}

bool ReadExifInfo(TExifInfo& info, QIODevice& stream) {
    QByteArray payload;
    const bool reached = ExtractSegment(stream, kMarkerAPP1, payload);
    return readFromApp1(info, reached, payload);
}

bool ReadExifInfo(TExifInfo& info, const QString& fileName) {
    QByteArray payload;
    const bool reached = ExtractSegmentFromFile(fileName, kMarkerAPP1, payload);
    return readFromApp1(info, reached, payload);
}

}  // namespace tollamar
