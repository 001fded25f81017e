#include "app/text_drawing.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace tollamar {
namespace {

const QChar kEllipsis(0x2026);

QString withLineSeparators(QString text) {
    text.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    text.replace(u'\r', QChar::LineSeparator).replace(u'\n', QChar::LineSeparator);
    return text;
}

QString trimmedEnd(QString piece) {
    while (!piece.isEmpty() && (piece.back() == QChar::LineSeparator || piece.back() == u' ')) piece.chop(1);
    return piece;
}

}  // namespace

QList<TTextLine> LayoutTextLines(const QString& text, const QFont& font, int width, int height, TTextWrap wrap) {
    QString shown = withLineSeparators(text);
    if (wrap == TTextWrap::SingleLine) {
        const qsizetype end = shown.indexOf(QChar::LineSeparator);
        if (end >= 0) shown.truncate(end);
    }
    QTextLayout layout(shown, font);
    QTextOption option;
    // A word wider than the line stays whole and is cut with an ellipsis below, rather
    // than broken somewhere inside it.
    option.setWrapMode(wrap == TTextWrap::WordWrap ? QTextOption::WordWrap : QTextOption::ManualWrap);
    layout.setTextOption(option);
    QList<TTextLine> lines;
    bool cut = false;
    int used = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        const int lineHeight = static_cast<int>(std::ceil(line.height()));
        const bool full = wrap == TTextWrap::SingleLine ? !lines.isEmpty() : used + lineHeight > height;
        if (!lines.isEmpty() && full) {
            cut = true;
            break;
        }
        lines.append({trimmedEnd(shown.mid(line.textStart(), line.textLength())), lineHeight});
        used += lineHeight;
    }
    layout.endLayout();
    if (lines.isEmpty()) return lines;
    if (cut) lines.last().text += kEllipsis;
    const QFontMetrics metrics(font);
    for (TTextLine& line : lines) line.text = metrics.elidedText(line.text, Qt::ElideRight, width);
    return lines;
}

int DrawnLineHeight(const QFont& font) {
    QTextLayout layout(QStringLiteral("Ag漢字かな"), font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(1e6);
    layout.endLayout();
    return std::max(QFontMetrics(font).height(), static_cast<int>(std::ceil(line.height())));
}

void DrawTextInRect(QPainter& painter, const QRect& rect, const QString& text,
                    Qt::Alignment alignment, TTextWrap wrap) {
    if (text.isEmpty() || rect.width() <= 0 || rect.height() <= 0) return;
    const QList<TTextLine> lines = LayoutTextLines(text, painter.font(), rect.width(), rect.height(), wrap);
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    int y = rect.top();
    for (const TTextLine& line : lines) {
        painter.drawText(QRect(rect.left(), y, rect.width(), line.height),
                         static_cast<int>(alignment | Qt::AlignTop | Qt::TextSingleLine), line.text);
        y += line.height;
    }
    painter.restore();
}

}  // namespace tollamar
