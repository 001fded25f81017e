#include "search/photo_match.h"

#include "exif/exif_values.h"
#include "jpegfile/byte_source.h"
#include "jpegfile/comment_codec.h"
#include "jpegfile/segment_walk.h"
#include "platform/errors.h"
#include "search/search_criteria.h"

namespace tollamar {
namespace {

struct HeaderPayloads {
    QByteArray comment;
    QByteArray app1;
    bool reachedSos = false;
};

// One walk for both payloads, so a search with Exif conditions reads each header once.
HeaderPayloads readHeader(const QString& fileName, bool withApp1) {
    HeaderPayloads header;
    FileSource source(fileName);
    uint8_t copying = 0;
    try {
        header.reachedSos = WalkSegments(source, [&](uint8_t marker) -> QByteArray* {
            copying = marker;
            if (marker == kMarkerCOM) return &header.comment;
            return withApp1 && marker == kMarkerAPP1 ? &header.app1 : nullptr;
        });
    } catch (const Error&) {
        // An APP1 segment cut off by the end of the file leaves no readable Exif; the COM
        // segments before it are the whole comment, as a walk that skipped it would find.
        if (copying != kMarkerAPP1) throw;
        header.app1.clear();
    }
    return header;
}

bool readExif(const HeaderPayloads& header, ExifValueList& values) {
    if (!header.reachedSos || header.app1.isEmpty()) return false;
    try {
        return ReadExifValuesFromPayload(values, header.app1);
    } catch (const Error&) {
        // A directory that runs past the end of the data: one damaged photo fails its
        // conditions instead of ending the whole search.
        return false;
    }
}

}  // namespace

bool PhotoMatches(const SearchCriteria& criteria, const QString& fileName) {
    const HeaderPayloads header = readHeader(fileName, criteria.useExif);
    if (!CommentMatches(criteria, DecodeComment(header.comment))) return false;
    if (!criteria.useExif) return true;
    ExifValueList values;
    const bool exifRead = readExif(header, values);
    return ExifConditionsMet(criteria, exifRead, values);
}

}  // namespace tollamar
