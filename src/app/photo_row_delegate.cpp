#include "app/photo_row_delegate.h"

#include "app/item_data.h"
#include "app/photo_list_model.h"
#include "app/text_drawing.h"
#include "imaging/fit_geometry.h"
#include "imaging/thumbnail.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFontInfo>
#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>
#include <algorithm>

namespace tollamar {
namespace {

constexpr int kIconLabelLines = 2;
constexpr int kCellMargin = 2;

// The embedded thumbnail's picture, decoded now: a JPEG at the size it is shown, a
// bitmap as it is; null for anything else or a decode error.
QImage decodeStream(const QByteArray& bytes, QSize shown) {
    try {
        if (bytes.startsWith("\xFF\xD8")) return MakeThumbnailBitmap(bytes, shown.width(), shown.height());
        if (bytes.startsWith("BM")) return QImage::fromData(bytes, "BMP");
    } catch (const std::exception&) {
        // A damaged stream shows as an empty cell, like one that was never loaded.
    }
    return {};
}

void drawOutline(QPainter& painter, const QRect& rect) {
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

}  // namespace

TPhotoRowDelegate::TPhotoRowDelegate(const TPhotoListModel* model, TViewStyle style, QObject* parent)
    : QStyledItemDelegate(parent), m_model(model), m_style(style) {}

QSize TPhotoRowDelegate::iconCellSize(QSize thumbnail, const QFont& font) {
    // Two lines as the names are drawn, Japanese ones in the fallback font included.
    const int lineHeight = DrawnLineHeight(font);
    return {std::max(thumbnail.width() + 20, 76),
            thumbnail.height() + 3 * kCellMargin + kIconLabelLines * lineHeight + 2 * kCellMargin};
}

QRect TPhotoRowDelegate::iconRect(const QRect& bounds) const {
    if (m_style == TViewStyle::Report)
        return {bounds.left() + kCellMargin, bounds.top(), m_thumbnail.width(), m_thumbnail.height()};
    return {bounds.left() + (bounds.width() - m_thumbnail.width()) / 2, bounds.top() + kCellMargin,
            m_thumbnail.width(), m_thumbnail.height()};
}

void TPhotoRowDelegate::drawThumbnail(QPainter& painter, const QRect& rect, const TItemData& entry) {
    if (const QImage* bitmap = std::get_if<QImage>(&entry.Thumbnail)) {
        DrawFitted(painter, rect, *bitmap);
        return;
    }
    if (const QByteArray* stream = std::get_if<QByteArray>(&entry.Thumbnail)) {
        const QImage picture = decodeStream(*stream, rect.size());
        if (!picture.isNull()) {
            DrawFitted(painter, rect, picture);
            return;
        }
    }
    drawOutline(painter, rect);
}

void TPhotoRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    const TItemData* entry = m_model->entry(index.row());
    if (!entry) return;
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette::ColorGroup group =
        option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
    const QColor back = option.palette.color(group, selected ? QPalette::Highlight : QPalette::Base);
    const QColor text = option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
    painter->save();
    painter->fillRect(option.rect, back);
    painter->setBrush(back);
    painter->setPen(text);
    painter->setFont(option.font);
    if (m_style == TViewStyle::Icon) paintIconCell(*painter, option, *entry);
    else paintReportCell(*painter, option, index.column(), *entry);
    painter->restore();
    if (m_style == TViewStyle::Icon && (option.state & QStyle::State_HasFocus)) {
        QStyleOptionFocusRect focus;
        focus.initFrom(option.widget);
        focus.rect = option.rect;
        focus.backgroundColor = option.palette.color(QPalette::Base);
        const QStyle* style = option.widget ? option.widget->style() : QApplication::style();
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, option.widget);
    }
}

void TPhotoRowDelegate::paintIconCell(QPainter& painter, const QStyleOptionViewItem& option,
                                      const TItemData& entry) const {
    const QRect icon = iconRect(option.rect);
    drawThumbnail(painter, icon, entry);
    const QRect label(option.rect.left() + kCellMargin, icon.bottom() + 1 + kCellMargin,
                      option.rect.width() - 2 * kCellMargin,
                      option.rect.bottom() - icon.bottom() - kCellMargin);
    DrawTextInRect(painter, label, entry.caption(), Qt::AlignHCenter, TTextWrap::WordWrap);
}

void TPhotoRowDelegate::paintReportCell(QPainter& painter, const QStyleOptionViewItem& option,
                                        int column, const TItemData& entry) const {
    const QRect cell = option.rect;
    if (column == 1 || column == 2) {
        const QRect text = cell.adjusted(4, 0, -4, 0);
        DrawTextInRect(painter, text, column == 1 ? entry.Camera : entry.Comment, Qt::AlignLeft,
                       TTextWrap::WordWrap);
        return;
    }
    const QRect icon = iconRect(cell);
    drawThumbnail(painter, icon, entry);
    const QRect label(icon.right() + 1 + 2 * kCellMargin, cell.top(),
                      cell.right() - icon.right() - 3 * kCellMargin, cell.height());
    QFont bold = option.font;
    bold.setWeight(QFont::Bold);
    painter.setFont(bold);
    DrawTextInRect(painter, label, entry.caption(), Qt::AlignLeft, TTextWrap::SingleLine);
    if (entry.Summary.isEmpty()) return;
    // The summary sits under the name, indented by the font's height.
    const int indent = QFontInfo(option.font).pixelSize();
    painter.setFont(option.font);
    DrawTextInRect(painter, label.adjusted(indent, DrawnLineHeight(bold), 0, 0), entry.Summary,
                   Qt::AlignLeft, TTextWrap::WordWrap);
}

QSize TPhotoRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    if (m_style == TViewStyle::Icon) return iconCellSize(m_thumbnail, option.font);
    const int width = index.column() == 0 ? m_thumbnail.width() + 200 : 200;
    return {width, m_thumbnail.height()};
}

bool TPhotoRowDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                  const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (!event || event->type() != QEvent::ToolTip) return false;
    const TItemData* entry = m_model->entry(index.row());
    if (m_style != TViewStyle::Icon || !entry || entry->Comment.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    QToolTip::showText(event->globalPos(), entry->Comment, view, option.rect);
    return true;
}

}  // namespace tollamar
