#include "ui/imagewin/image_geometry.h"

#include <cmath>

namespace tollamar {

namespace {

int zoomFactor(TImageMode mode) { return mode == TImageMode::Mul4 ? 4 : mode == TImageMode::Double ? 2 : 1; }

// Integer division rounding toward minus infinity, for clips left of the area.
int floorDiv(int value, int divisor) { return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor); }

}  // namespace

QSize ZoomedSize(TImageMode mode, QSize picture) {
    switch (mode) {
    case TImageMode::Half: return QSize(picture.width() / 2, picture.height() / 2);
    case TImageMode::Double:
    case TImageMode::Mul4: return picture * zoomFactor(mode);
    case TImageMode::Scaled:
    case TImageMode::Equal: break;
    }
    return picture;
}

TZoomCopy ZoomCopyRect(TImageMode mode, const QRect& clip) {
    const int left = clip.x(), top = clip.y();
    const int right = clip.x() + clip.width(), bottom = clip.y() + clip.height();
    if (mode == TImageMode::Half)
        return {QRect(QPoint(2 * left, 2 * top), QSize(2 * clip.width(), 2 * clip.height())), clip};
    const int k = zoomFactor(mode);
    if (k == 1) return {clip, clip};
    const QPoint from(floorDiv(left, k), floorDiv(top, k));
    const QPoint to(floorDiv(right + k - 1, k), floorDiv(bottom + k - 1, k));
    const QRect source(from, QSize(to.x() - from.x(), to.y() - from.y()));
    return {source, QRect(source.topLeft() * k, source.size() * k)};
}

float VisibleCentre(int position, int client, int areaLength) {
    if (client >= areaLength || areaLength <= 0) return 0.5f;
    return static_cast<float>(position + client / 2) / static_cast<float>(areaLength);
}

int CentredPosition(int areaLength, float fraction, int client) {
    const double wanted = static_cast<double>(areaLength) * fraction - client / 2.0;
    return static_cast<int>(std::nearbyint(wanted));  // the default rounding: ties to even
}

int AreaOffset(int client, int areaLength, int position) {
    return client > areaLength ? (client - areaLength) / 2 : -position;
}

void DarkenToSevenEighths(QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        auto* pixel = reinterpret_cast<quint32*>(image.scanLine(y));
        // Per byte c >> 3, the alpha byte left alone; no byte borrows from its neighbour
        // because c >> 3 <= c.
        for (int x = 0; x < image.width(); ++x) pixel[x] -= (pixel[x] >> 3) & 0x001F1F1Fu;
    }
}

}  // namespace tollamar
