#pragma once
// Draws every row of the photo list itself: in the icon view a thumbnail cell with the
// name under it, in the report view the thumbnail, the bold name with the file summary
// under it, the camera and the comment. Embedded thumbnails are decoded for each paint
// and not kept.

#include <QSize>
#include <QStyledItemDelegate>

namespace tollamar {

class TItemData;
class TPhotoListModel;

enum class TViewStyle { Icon = 0, Report = 3 };

class TPhotoRowDelegate : public QStyledItemDelegate {
public:
    TPhotoRowDelegate(const TPhotoListModel* model, TViewStyle style, QObject* parent);

    void setThumbnailSize(QSize size) { m_thumbnail = size; }
    QSize thumbnailSize() const { return m_thumbnail; }

    // The icon view's cell for the thumbnail size and the list font.
    static QSize iconCellSize(QSize thumbnail, const QFont& font);
    // Where the thumbnail sits in a row's bounds.
    QRect iconRect(const QRect& bounds) const;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // The comment as tooltip in the icon view; none in the report view.
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

    // The thumbnail of an entry fitted into rect, filled with the painter's brush first;
    // an outline when there is none or it cannot be decoded.
    static void drawThumbnail(QPainter& painter, const QRect& rect, const TItemData& entry);

private:
    void paintIconCell(QPainter& painter, const QStyleOptionViewItem& option,
                       const TItemData& entry) const;
    void paintReportCell(QPainter& painter, const QStyleOptionViewItem& option, int column,
                         const TItemData& entry) const;

    const TPhotoListModel* m_model;
    TViewStyle m_style;
    QSize m_thumbnail{64, 48};
};

}  // namespace tollamar
