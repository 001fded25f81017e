#pragma once
// The arithmetic of the image view's scale modes: the picture area's size, which
// source pixels a repaint copies, and where the scroll position goes when the mode
// changes. Rectangles here are right/bottom exclusive in the comments' (l, t, r, b).

#include <QImage>
#include <QRect>
#include <QSize>

namespace tollamar {

enum class TImageMode { Scaled, Half, Equal, Double, Mul4 };

// The picture area's size in a fixed mode: W div 2 x H div 2, W x H, 2W x 2H, 4W x 4H;
// the picture's own size in Scaled, where the area follows the client instead.
QSize ZoomedSize(TImageMode mode, QSize picture);

// For a fixed mode and the part clip of the area to repaint (area coordinates): the
// source rectangle of the picture and the destination in the area. Half doubles every
// coordinate of the source; Double and Mul4 widen the destination to whole source
// pixels, so that every source pixel is repeated exactly k times and never blended.
struct TZoomCopy {
    QRect source;
    QRect dest;
};
TZoomCopy ZoomCopyRect(TImageMode mode, const QRect& clip);

// Where the visible centre lies as a fraction of the area's length: (position +
// client div 2) / length when the client is shorter than the area, else 0.5.
float VisibleCentre(int position, int client, int areaLength);
// The scroll position that puts fraction of areaLength at the client's centre:
// round(areaLength x fraction - client / 2), ties to even (not yet clamped).
int CentredPosition(int areaLength, float fraction, int client);
// The area's offset along one axis: centred (integer halving) when the client is
// longer than the area, else minus the scroll position.
int AreaOffset(int client, int areaLength, int position);

// Each 8-bit colour channel c becomes c - (c >> 3), in place: the overlay band's
// darkening to seven eighths. The image must be Format_RGB32.
void DarkenToSevenEighths(QImage& image);

}  // namespace tollamar
