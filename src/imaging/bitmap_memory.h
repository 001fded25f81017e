#pragma once
// Memory for big decoded bitmaps. Every fresh page costs a fault on first touch, and on
// virtual machines a fault is dear: about 25 us on ours, so 300 ms to fill a 12 MP
// RGB32 picture, three times the decode itself. Big bitmaps therefore live in memory
// aligned to and advised for 2 MiB pages, which cuts that more than ten-fold.

#include <QImage>

namespace tollamar {

// An uninitialised bitmap; null when the memory cannot be had. The QImage owns the
// memory and shares it with its copies as any QImage does.
QImage NewBitmap(int width, int height, QImage::Format format);

}  // namespace tollamar
