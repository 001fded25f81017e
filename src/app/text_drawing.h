#pragma once
// Text as the photo list draws it: lines broken at CR, LF or CR LF, optionally wrapped
// at word breaks, and an ellipsis at the end of the last line that fits when the rest
// is cut off.

#include <QRect>
#include <QString>

class QPainter;

namespace tollamar {

enum class TTextWrap { SingleLine, WordWrap };

// Draws with the painter's font and pen, aligned horizontally by alignment
// (Qt::AlignLeft or Qt::AlignHCenter), from the top of rect; nothing below rect.
void DrawTextInRect(QPainter& painter, const QRect& rect, const QString& text,
                    Qt::Alignment alignment, TTextWrap wrap);

}  // namespace tollamar
