#pragma once
// The file information tree of a photo: name, pixel size, byte size, times, attributes
// and the segment listing, as the information window shows it.

#include "exif/text_tree.h"

#include <QList>
#include <QSize>
#include <QString>
#include <ctime>
#include <optional>

namespace tollamar {

class ByteSource;

// "%d/%.2d/%.2d %.2d:%.2d:%.2d" in local time; empty when the conversion fails.
QString LocalTimeText(const timespec& time);

// The top-level items in order. pictureSize is what ReadJpegSize gave (the caller probes
// it first, since a file libjpeg rejects is an error before anything is shown); without
// it the size line is left out. Without readable file data the tree ends after the size.
// Raises the open error from the segment listing.
QList<TTextNode> BuildFileInfoTree(const QString& fileName, std::optional<QSize> pictureSize);
// The same with the segments listed from segmentSource (the file's bytes from its start,
// as far as its header), for a caller that holds the header and need not open it again.
QList<TTextNode> BuildFileInfoTree(const QString& fileName, std::optional<QSize> pictureSize,
                                   ByteSource& segmentSource);

}  // namespace tollamar
