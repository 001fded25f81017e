#include "imaging/jpeg_size.h"

#include "imaging/jpeg_decoder.h"
#include "imaging/jpeg_source.h"
#include "jpegfile/segment_walk.h"
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

QSize ReadJpegSizeFromBytes(QByteArrayView fileStart) {
    const JpegHeaderInfo header = ReadJpegHeader(fileStart, false);
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

namespace {

bool probeResult(const std::optional<QSize>& size, int& width, int& height) {
    if (!size) return false;
    width = size->width();
    height = size->height();
    return true;
}

// The markers libjpeg takes before the first SOS without raising: the frames it decodes
// (baseline, extended and progressive, Huffman or arithmetic), DHT, DAC, DQT, DNL, DRI,
// APPn, COM and the standalone ones. Lossless and hierarchical frames, DHP, EXP, JPGn,
// the reserved codes and a second SOI make it raise.
bool libjpegTakesMarker(uint8_t marker) {
    switch (marker) {
    case 0xC0: case 0xC1: case 0xC2: case 0xC9: case 0xCA:
    case 0xC4: case 0xCC: case 0xDB: case 0xDC: case 0xDD:
    case kMarkerSOS: case kMarkerCOM:
        return true;
    default:
        return (marker >= 0xE0 && marker <= 0xEF) || IsStandaloneMarker(marker);
    }
}

int byteAt(QByteArrayView bytes, qsizetype i) { return static_cast<unsigned char>(bytes[i]); }

// A frame header: precision, height, width (big-endian), component count, then per
// component its id, sampling factors (4 bits each) and table. The checks are those
// libjpeg makes while it reads the header; a frame that fails one is left to libjpeg,
// which raises its own error.
std::optional<QSize> plainFrameSize(QByteArrayView frame) {
    if (frame.size() < 6) return std::nullopt;
    const int components = byteAt(frame, 5);
    if (components < 1 || components > MAX_COMPONENTS || frame.size() != 6 + 3 * components) return std::nullopt;
    if (byteAt(frame, 0) != BITS_IN_JSAMPLE) return std::nullopt;
    // Height 0 leaves the height to a DNL segment after the first scan, which libjpeg refuses.
    const int height = byteAt(frame, 1) << 8 | byteAt(frame, 2);
    const int width = byteAt(frame, 3) << 8 | byteAt(frame, 4);
    if (height < 1 || width < 1 || height > JPEG_MAX_DIMENSION || width > JPEG_MAX_DIMENSION) return std::nullopt;
    for (int i = 0; i < components; ++i) {
        const int sampling = byteAt(frame, 7 + 3 * i);
        const int horizontal = sampling >> 4;
        const int vertical = sampling & 0x0F;
        if (horizontal < 1 || horizontal > MAX_SAMP_FACTOR || vertical < 1 || vertical > MAX_SAMP_FACTOR)
            return std::nullopt;
    }
    return QSize(width, height);
}

}  // namespace

bool ProbeJpegSize(const QString& fileName, int& width, int& height) {
    return probeResult(ReadJpegSize(fileName), width, height);
}

bool ProbeJpegSizeFromHeader(const QString& fileName, const JpegHeaderParts& header, int& width, int& height) {
    return probeResult(ReadJpegSize(fileName, header), width, height);
}

std::optional<QSize> FrameSize(const JpegHeaderParts& header) {
    if (!header.complete) return std::nullopt;
    int frames = 0;
    for (const char code : header.markers) {
        const auto marker = static_cast<uint8_t>(code);
        if (!libjpegTakesMarker(marker)) return std::nullopt;
        if (IsFrameMarker(marker)) ++frames;
    }
    return frames == 1 ? plainFrameSize(header.frame) : std::nullopt;
}

std::optional<QSize> ReadJpegSize(const QString& fileName, const JpegHeaderParts& header) {
    if (const std::optional<QSize> size = FrameSize(header)) return size;
    return ReadJpegSize(fileName);
}

}  // namespace tollamar
