#include "search/photo_header.h"

#include "exif/exif_values.h"
#include "jpegfile/byte_source.h"
#include "jpegfile/segment_walk.h"
#include "platform/errors.h"

namespace tollamar {

PhotoHeader ReadPhotoHeader(const QString& fileName, bool withApp1) {
    PhotoHeader header;
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

bool ReadHeaderExif(const PhotoHeader& header, ExifValueList& values) {
    if (!header.reachedSos || header.app1.isEmpty()) return false;
    try {
        return ReadExifValuesFromPayload(values, header.app1);
    } catch (const Error&) {
        // A directory that runs past the end of the data: one damaged photo loses its
        // values instead of ending the whole run.
        return false;
    }
}

}  // namespace tollamar
