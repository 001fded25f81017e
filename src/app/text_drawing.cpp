#include "app/text_drawing.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>

namespace tollamar {
namespace {

const QChar kEllipsis(0x2026);

QString withLineSeparators(QString text) {
    text.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    text.replace(u'\r', QChar::LineSeparator).replace(u'\n', QChar::LineSeparator);
    return text;
}

// The visible lines of text laid out in width, at most maxLines; cut is set when text
// remains after them.
QStringList layoutLines(const QString& text, const QFont& font, int width, int maxLines,
                        TTextWrap wrap, bool& cut) {
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(wrap == TTextWrap::WordWrap ? QTextOption::WrapAtWordBoundaryOrAnywhere
                                                   : QTextOption::ManualWrap);
    layout.setTextOption(option);
    QStringList lines;
    cut = false;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        if (lines.size() == maxLines) {
            cut = true;
            break;
        }
        line.setLineWidth(width);
        QString piece = text.mid(line.textStart(), line.textLength());
        while (!piece.isEmpty() && (piece.back() == QChar::LineSeparator || piece.back() == u' '))
            piece.chop(1);
        lines.append(piece);
    }
    layout.endLayout();
    return lines;
}

}  // namespace

void DrawTextInRect(QPainter& painter, const QRect& rect, const QString& text,
                    Qt::Alignment alignment, TTextWrap wrap) {
    if (text.isEmpty() || rect.width() <= 0 || rect.height() <= 0) return;
    const QFontMetrics metrics(painter.font());
    const int lineHeight = std::max(1, metrics.height());
    const int maxLines = wrap == TTextWrap::SingleLine ? 1 : std::max(1, rect.height() / lineHeight);
    bool cut = false;
    QString shown = withLineSeparators(text);
    if (wrap == TTextWrap::SingleLine) {
        const qsizetype end = shown.indexOf(QChar::LineSeparator);
        if (end >= 0) shown.truncate(end);
    }
    QStringList lines = layoutLines(shown, painter.font(), rect.width(), maxLines, wrap, cut);
    if (lines.isEmpty()) return;
    QString& last = lines.last();
    if (cut) last += kEllipsis;
    last = metrics.elidedText(last, Qt::ElideRight, rect.width());
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    int y = rect.top();
    for (const QString& line : lines) {
        painter.drawText(QRect(rect.left(), y, rect.width(), lineHeight),
                         static_cast<int>(alignment | Qt::AlignTop | Qt::TextSingleLine), line);
        y += lineHeight;
    }
    painter.restore();
}

}  // namespace tollamar
