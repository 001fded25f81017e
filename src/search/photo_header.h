#pragma once
// One walk over a photo's header that keeps its comment and, on request, its Exif
// (APP1) data, for the readers that need both: the search test and the comment listing.

#include <QByteArray>
#include <QString>

namespace tollamar {

class ExifValueList;

struct PhotoHeader {
    QByteArray comment;  // the joined COM payloads
    QByteArray app1;     // the joined APP1 payloads; empty when cut off
    bool reachedSos = false;
};

// Reads the header only. Safe to call from several threads at once. Raises the open
// error, and the stream read error when a COM segment is cut off by the end of the file.
PhotoHeader ReadPhotoHeader(const QString& fileName, bool withApp1);
// The nine values from the header's Exif; false when there is none or it is damaged.
bool ReadHeaderExif(const PhotoHeader& header, ExifValueList& values);

}  // namespace tollamar
