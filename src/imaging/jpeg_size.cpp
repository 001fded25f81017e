#include "imaging/jpeg_size.h"

#include "imaging/jpeg_decoder.h"
#include "imaging/jpeg_source.h"
#include "platform/errors.h"
#include "platform/fault_injection.h"
#include "platform/file_ops.h"
#include "platform/regular_file.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace tollamar {

namespace {

// Enough for the SOI and a JFIF or Exif start in one read; the rest of a big APP1 is
// skipped by moving the offset.
constexpr size_t kProbeChunk = 16 * 1024;

int openForRead(const QString& fileName) {
    struct stat st {};
    return OpenRegularFile(fileName, st);
}

}  // namespace

std::optional<QSize> ReadJpegSize(const QString& fileName) {
    const FdGuard file(openForRead(fileName));
    JOCTET buffer[kProbeChunk];
    const int64_t first = ReadFileAt(file.get(), buffer, sizeof buffer, 0);
    if (first < 0) ThrowReadError(fileName, errno);
    if (first == 0) return std::nullopt;

    JpegFileSource source{};
    InitFileSource(source, file.get(), buffer, sizeof buffer, static_cast<size_t>(first));
    JpegHeaderInfo header;
    try {
        header = ReadJpegHeader(source.pub, false);
    } catch (const JpegDecodeError&) {
        // A read failure ends the data early; that, not the decoder's complaint, is the cause.
        if (source.readErrno != 0) ThrowReadError(fileName, source.readErrno);
        throw;
    }
    if (source.readErrno != 0) ThrowReadError(fileName, source.readErrno);
    return QSize(header.width, header.height);
}

TJPEGScale ChooseJpegScaleForSize(QSize picture, int boxWidth, int boxHeight) {
    const int r = std::max(picture.width() / std::max(boxWidth, 1),
                           picture.height() / std::max(boxHeight, 1));
    if (r <= 8) return TJPEGScale::FullSize;
    if (r <= 11) return TJPEGScale::Half;
    if (r <= 19) return TJPEGScale::Quarter;
    return TJPEGScale::Eighth;
}

TJPEGScale ChooseJpegScale(const QString& fileName, int boxWidth, int boxHeight) {
    const std::optional<QSize> size = ReadJpegSize(fileName);
    return size ? ChooseJpegScaleForSize(*size, boxWidth, boxHeight) : TJPEGScale::FullSize;
}

bool ProbeJpegSize(const QString& fileName, int& width, int& height) {
    const std::optional<QSize> size = ReadJpegSize(fileName);
    if (!size) return false;
    width = size->width();
    height = size->height();
    return true;
}

}  // namespace tollamar
