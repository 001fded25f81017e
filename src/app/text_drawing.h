#pragma once
// Text as the photo list draws it: lines broken at CR, LF or CR LF, optionally wrapped
// at word boundaries, each line cut with an ellipsis where it is wider than the space,
// and an ellipsis at the end of the last line that fits when the rest is cut off.
// Heights are those of the fonts that draw the glyphs: a Japanese line under a Latin
// font takes the taller line of the fallback font.

#include <QList>
#include <QRect>
#include <QString>

class QFont;
class QPainter;

namespace tollamar {

enum class TTextWrap { SingleLine, WordWrap };

struct TTextLine {
    QString text;
    int height = 0;
};

// The lines of text drawn in width x height with font: at least one, ellipses in place.
QList<TTextLine> LayoutTextLines(const QString& text, const QFont& font, int width, int height, TTextWrap wrap);

// The height of one line of font holding Latin and Japanese text as drawn.
int DrawnLineHeight(const QFont& font);

// Draws with the painter's font and pen, aligned horizontally by alignment
// (Qt::AlignLeft or Qt::AlignHCenter), from the top of rect; nothing below rect.
void DrawTextInRect(QPainter& painter, const QRect& rect, const QString& text,
                    Qt::Alignment alignment, TTextWrap wrap);

}  // namespace tollamar
