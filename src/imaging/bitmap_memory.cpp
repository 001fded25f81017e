#include "imaging/bitmap_memory.h"

#include <cstdlib>
#include <sys/mman.h>

namespace tollamar {

namespace {

constexpr qsizetype kHugePage = 2 * 1024 * 1024;
// Below this a bitmap gains little and would waste most of a huge page.
constexpr qsizetype kHugePageThreshold = 4 * 1024 * 1024;

void releaseMemory(void* memory) { std::free(memory); }

}  // namespace

QImage NewBitmap(int width, int height, QImage::Format format) {
    if (width <= 0 || height <= 0) return QImage();
    const qsizetype bitsPerPixel = QImage::toPixelFormat(format).bitsPerPixel();
    // QImage wants every scanline 32-bit aligned.
    const qsizetype bytesPerLine = (qsizetype{width} * bitsPerPixel + 31) / 32 * 4;
    const qsizetype bytes = bytesPerLine * height;
    if (bytes < kHugePageThreshold) return QImage(width, height, format);

    const qsizetype rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void* memory = std::aligned_alloc(kHugePage, static_cast<size_t>(rounded));
    if (!memory) return QImage();
    // Only advice: without transparent huge pages the bitmap works the same, just slower.
    madvise(memory, static_cast<size_t>(rounded), MADV_HUGEPAGE);
    QImage bitmap(static_cast<uchar*>(memory), width, height, bytesPerLine, format,
                  releaseMemory, memory);
    if (bitmap.isNull()) std::free(memory);
    return bitmap;
}

}  // namespace tollamar
