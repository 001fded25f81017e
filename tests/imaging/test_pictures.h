#pragma once
// Pictures for the decoding tests that the shared builder does not make, and an
// independent decode by plain libjpeg to compare against.

#include <QByteArray>
#include <QImage>

namespace imagingtest {

enum class Kind { Grey, Progressive, AdobeCmyk };

// A width x height picture of the given kind, encoded by libjpeg. The CMYK one is plain
// red (inverted CMYK 255/0/0/255, as Adobe applications store it).
QByteArray EncodePicture(Kind kind, int width, int height);

// libjpeg's own decode into Format_RGB888 (or Format_Grayscale8 for grey files).
QImage ReferenceDecode(const QByteArray& jpeg, int scaleDenom, bool fastDct);

}  // namespace imagingtest
