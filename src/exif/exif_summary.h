#pragma once
// The two three-line summaries the photo list shows for each file.

#include <QDateTime>
#include <QString>
#include <functional>

namespace tollamar {

class ExifValueList;

// Camera, date, exposure: "M1(MK)", "2003:05:04 13:22:10", "8.2 mm, F4.9, 1/120 sec,
// ISO100, flash-ON, -1/3EV", joined by CR LF; absent values show "?". Empty for an
// empty list. An ISO, flash or bias value that is not a number adds nothing.
QString ExifSummaryText(const ExifValueList& values);
// The same from a file's Exif; empty when it has none or none of the values. Raises the
// open error and the damaged-Exif error.
QString ExifSummaryText(const QString& fileName);

// "1,600 * 1,200 pixels", "2004/03/07 09:05", "612,345 bytes", joined by CR LF.
QString FileSummaryText(int width, int height, const QDateTime& lastWrite, qint64 size);
// The size probe the file summary uses: true with the picture's size from the JPEG
// header, false for an empty file; raises for a file that is no JPEG.
using JpegSizeProbe = std::function<bool(const QString& fileName, int& width, int& height)>;
// The file summary from the file system (last-write time in local time) and the probe;
// empty when the file does not exist. A size the probe does not give is written 0.
QString FileSummaryText(const QString& fileName, const JpegSizeProbe& readJpegSize);

}  // namespace tollamar
