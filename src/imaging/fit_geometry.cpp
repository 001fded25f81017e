#include "imaging/fit_geometry.h"

#include "imaging/jpeg_image.h"

#include <QPainter>

namespace tollamar {

namespace {

bool isEmptyPicture(QSize picture) { return picture.width() <= 0 || picture.height() <= 0; }

QSize sizeOf(const TJPEGImage& picture) {
    return picture.Empty() ? QSize(0, 0) : QSize(picture.Width(), picture.Height());
}

bool fillArea(QPainter& painter, const QRect& rect) {
    if (rect.width() <= 0 || rect.height() <= 0) return false;
    painter.fillRect(rect, painter.brush());
    return true;
}

}  // namespace

int64_t DivRoundTiesToEven(int64_t numerator, int64_t denominator) {
    int64_t quotient = numerator / denominator;
    const int64_t remainder = numerator % denominator;
    const int64_t twice = 2 * (remainder < 0 ? -remainder : remainder);
    if (twice > denominator || (twice == denominator && quotient % 2 != 0))
        quotient += remainder < 0 ? -1 : 1;
    return quotient;
}

QSize CalcFitSize(int boxWidth, int boxHeight, QSize picture) {
    if (isEmptyPicture(picture)) return QSize(0, 0);
    const int64_t gw = picture.width(), gh = picture.height();
    if (gw * boxHeight <= gh * boxWidth)
        return QSize(static_cast<int>(DivRoundTiesToEven(gw * boxHeight, gh)), boxHeight);
    return QSize(boxWidth, static_cast<int>(DivRoundTiesToEven(gh * boxWidth, gw)));
}

QSize CalcFitSize(int boxWidth, int boxHeight, const QImage& picture) {
    return CalcFitSize(boxWidth, boxHeight, picture.size());
}

QSize CalcFitSize(int boxWidth, int boxHeight, const TJPEGImage& picture) {
    return CalcFitSize(boxWidth, boxHeight, sizeOf(picture));
}

QRect CalcFitRect(const QRect& rect, QSize picture) {
    if (isEmptyPicture(picture)) return QRect(0, 0, 0, 0);
    const int64_t gw = picture.width(), gh = picture.height();
    const int64_t left = rect.x(), top = rect.y();
    const int64_t w = rect.width(), h = rect.height();
    if (gw * h <= gh * w) {
        const int64_t nw = DivRoundTiesToEven(gw * h, gh);
        // C++ division truncates toward zero, as the placement rule wants.
        const int64_t newLeft = (left + left + w - nw) / 2;
        return QRect(static_cast<int>(newLeft), rect.y(), static_cast<int>(nw), rect.height());
    }
    const int64_t nh = DivRoundTiesToEven(gh * w, gw);
    const int64_t newTop = (top + top + h - nh) / 2;
    return QRect(rect.x(), static_cast<int>(newTop), rect.width(), static_cast<int>(nh));
}

QRect CalcFitRect(const QRect& rect, const QImage& picture) {
    return CalcFitRect(rect, picture.size());
}

QRect CalcFitRect(const QRect& rect, const TJPEGImage& picture) {
    return CalcFitRect(rect, sizeOf(picture));
}

void DrawFitted(QPainter& painter, const QRect& rect, const QImage& picture) {
    if (!fillArea(painter, rect) || isEmptyPicture(picture.size())) return;
    const bool smooth = painter.testRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(CalcFitRect(rect, picture.size()), picture);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
}

void DrawFitted(QPainter& painter, const QRect& rect, TJPEGImage& picture) {
    if (!fillArea(painter, rect) || picture.Empty()) return;
    const QSize size = sizeOf(picture);
    if (isEmptyPicture(size)) return;
    picture.Draw(painter, CalcFitRect(rect, size));
}

}  // namespace tollamar
