#pragma once
// Baseline JPEG encoding through libjpeg.

#include "picture.h"

#include <QByteArray>

namespace tollamar::samples {

// The encoded stream, with a JFIF APP0 segment only when withJfif (an Exif file
// carries APP1 in its place). Throws std::runtime_error if libjpeg fails.
QByteArray EncodeJpeg(const Picture& picture, int quality, bool withJfif);

}  // namespace tollamar::samples
