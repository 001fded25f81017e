#pragma once
// The header-only size probe and the reduced decode scale chosen from it for thumbnails.

#include "imaging/jpeg_image.h"
#include "jpegfile/header_scan.h"

#include <QSize>
#include <QString>
#include <optional>

namespace tollamar {

// The picture's full size from its header, reading the file only as far as the header
// (segments before it are skipped by seeking). Empty optional for an empty file; a
// header of tables only gives 0 x 0. Raises the file open or read error, and
// "JPEG エラー #%d" for a file that is not a JPEG.
std::optional<QSize> ReadJpegSize(const QString& fileName);
// ReadJpegSize from a file's first bytes held in memory: the whole file, or as far as the
// end of its first scan header at least (libjpeg's header read ends there). libjpeg then
// reads what it would read from the file, so the answer and the error are the same.
QSize ReadJpegSizeFromBytes(QByteArrayView fileStart);
// ReadJpegSize in the form a size probe takes: false for an empty file.
bool ProbeJpegSize(const QString& fileName, int& width, int& height);

// The size libjpeg reads from a complete header, taken from its frame header: nullopt
// unless libjpeg would read that header without complaint the way it reads common
// photos (one frame of a kind it decodes, 8-bit samples, a height of its own rather
// than one left to a DNL segment, sides up to 65500, only markers it knows).
std::optional<QSize> FrameSize(const JpegHeaderParts& header);
// ReadJpegSize for a file whose header was scanned: FrameSize when it answers, else
// libjpeg's probe of the file. The tables (DQT, DHT) are not examined, so only a file
// whose tables libjpeg would refuse gets its frame size where the probe would raise.
std::optional<QSize> ReadJpegSize(const QString& fileName, const JpegHeaderParts& header);
// That in the form a size probe takes.
bool ProbeJpegSizeFromHeader(const QString& fileName, const JpegHeaderParts& header, int& width, int& height);

// The scale for a picture of that full size shown in a box of boxWidth x boxHeight:
// with r the larger of width / boxWidth and height / boxHeight (truncated), 1/1 up to 8,
// 1/2 up to 11, 1/4 up to 19, 1/8 from 20. A box side below 1 counts as 1.
TJPEGScale ChooseJpegScaleForSize(QSize picture, int boxWidth, int boxHeight);
// The same for a file; 1/1 for an empty file. Raises what ReadJpegSize raises.
TJPEGScale ChooseJpegScale(const QString& fileName, int boxWidth, int boxHeight);

}  // namespace tollamar
