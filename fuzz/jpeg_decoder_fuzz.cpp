// The JPEG decoding paths over arbitrary bytes: the size probe (from memory and from a
// file), a 1/8 decode with options picked by the input, and the thumbnail. They may
// raise the decode or file error and nothing else; libjpeg must never longjmp past a
// frame that needs unwinding, read outside the data or write outside the bitmap.
#include "imaging/jpeg_decoder.h"
#include "imaging/jpeg_image.h"
#include "imaging/jpeg_size.h"
#include "imaging/thumbnail.h"
#include "platform/errors.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

using namespace tollamar;

namespace {

// Bigger pictures are valid but only slow the run down; the decoder's own limits are
// tested in the unit tests.
constexpr int64_t kMaxPixels = 4096 * 4096;

void probeFile(const QByteArray& bytes) {
    const int fd = memfd_create("jpeg", MFD_CLOEXEC);
    if (fd < 0) return;
    if (write(fd, bytes.constData(), static_cast<size_t>(bytes.size())) == bytes.size()) {
        try {
            (void)ReadJpegSize(QStringLiteral("/proc/self/fd/%1").arg(fd));
        } catch (const Error&) {
        }
    }
    close(fd);
}

TJPEGDefaults optionsFor(size_t size) {
    TJPEGDefaults options;
    options.Scale = TJPEGScale::Eighth;
    options.Performance = size % 2 ? TJPEGPerformance::BestSpeed : TJPEGPerformance::BestQuality;
    options.PixelFormat = size % 3 == 0 ? TJPEGPixelFormat::Bits8 : TJPEGPixelFormat::Bits24;
    options.Grayscale = size % 5 == 0;
    options.Smoothing = size % 7 != 0;
    return options;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    probeFile(bytes);
    QSize fullSize;
    try {
        const JpegHeaderInfo header = ReadJpegHeader(QByteArrayView(bytes), true);
        fullSize = QSize(header.width, header.height);
    } catch (const Error&) {
        return 0;
    }
    if (int64_t{fullSize.width()} * fullSize.height() > kMaxPixels) return 0;
    try {
        TJPEGImage image(optionsFor(size));
        image.LoadFromData(bytes);
        const QImage bitmap = image.Bitmap();
        // The bitmap is exactly libjpeg's scaled output size.
        if (bitmap.size() != ScaledJpegSize(fullSize, TJPEGScale::Eighth)) __builtin_trap();
    } catch (const Error&) {
    }
    try {
        (void)MakeThumbnailBitmap(bytes, 64, 48);
    } catch (const Error&) {
    }
    return 0;
}
