#pragma once
// Aspect-preserving fit of a picture into a box, shared by the thumbnails and the image
// window's fit mode. Products are formed in 64 bits and every quotient is rounded to the
// nearest integer with ties to even (2.5 -> 2, 3.5 -> 4), so a picture is placed the same
// way at every size. Pictures may be enlarged: there is no cap at 1:1.

#include <QImage>
#include <QRect>
#include <QSize>
#include <cstdint>

class QPainter;

namespace tollamar {

class TJPEGImage;

// numerator / denominator rounded to nearest, ties to even; denominator > 0.
int64_t DivRoundTiesToEven(int64_t numerator, int64_t denominator);

// The largest size with the picture's aspect that fits boxWidth x boxHeight, touching it
// in at least one direction; (0, 0) for an empty picture (a side of 0 or less).
QSize CalcFitSize(int boxWidth, int boxHeight, QSize picture);
QSize CalcFitSize(int boxWidth, int boxHeight, const QImage& picture);
// Raises the image's header error.
QSize CalcFitSize(int boxWidth, int boxHeight, const TJPEGImage& picture);

// That size centred in rect (odd margins leave the extra pixel on the right or bottom);
// the empty rectangle for an empty picture.
QRect CalcFitRect(const QRect& rect, QSize picture);
QRect CalcFitRect(const QRect& rect, const QImage& picture);
QRect CalcFitRect(const QRect& rect, const TJPEGImage& picture);

// Fills rect with the painter's brush, then draws the picture stretched into
// CalcFitRect by pixel replication or deletion. Draws nothing, not even the fill, when
// rect has no area. The TJPEGImage form decodes it and raises its decode errors.
void DrawFitted(QPainter& painter, const QRect& rect, const QImage& picture);
void DrawFitted(QPainter& painter, const QRect& rect, TJPEGImage& picture);

}  // namespace tollamar
