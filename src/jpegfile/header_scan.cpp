#include "jpegfile/header_scan.h"

#include "jpegfile/byte_source.h"
#include "jpegfile/segment_walk.h"
#include "platform/errors.h"

namespace tollamar {

bool IsFrameMarker(uint8_t marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

JpegHeaderParts ScanJpegHeader(ByteSource& source) {
    JpegHeaderParts parts;
    const auto sinkFor = [&parts](uint8_t marker) -> QByteArray* {
        parts.markers.append(static_cast<char>(marker));
        if (marker == kMarkerCOM) return &parts.comment;
        if (marker == kMarkerAPP1) return &parts.exif;
        return IsFrameMarker(marker) ? &parts.frame : nullptr;
    };
    try {
        parts.complete = WalkSegments(source, sinkFor);
    } catch (const Error&) {
        // A payload cut off by the end of the data: the single readers report it.
        parts.complete = false;
    }
    return parts;
}

JpegHeaderParts ScanJpegHeader(const QString& fileName) {
    FileSource source(fileName);
    return ScanJpegHeader(source);
}

}  // namespace tollamar
