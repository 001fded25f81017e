#include "ui/navigator/recent_page.h"

#include "platform/native_name.h"

#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tollamar {
namespace {

const QString kEllipsis = QStringLiteral("…");

// Draws the row itself: highlight or background, the shortened path from the top left,
// and a focus frame around a selected row.
class RecentRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        const QRect rect = option.rect;
        painter->save();
        painter->fillRect(rect, selected ? option.palette.highlight() : option.palette.base());
        painter->setPen(selected ? option.palette.highlightedText().color() : option.palette.text().color());
        painter->setFont(option.font);
        const QString path = DisplayName(index.data(Qt::DisplayRole).toString());
        painter->drawText(rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                          ElidePath(option.fontMetrics, path, rect.width()));
        painter->restore();
        if (!selected) return;
        QStyleOptionFocusRect focus;
        focus.initFrom(option.widget);
        focus.rect = rect;
        focus.backgroundColor = option.palette.highlight().color();
        const QStyle* style = option.widget ? option.widget->style() : nullptr;
        if (style) style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, option.widget);
    }
};

}  // namespace

QString ElidePath(const QFontMetrics& metrics, const QString& path, int width) {
    if (metrics.horizontalAdvance(path) <= width) return path;
    const qsizetype slash = path.lastIndexOf(u'/');
    const QString tail = slash > 0 ? path.mid(slash) : QString();
    const int room = width - metrics.horizontalAdvance(tail) - metrics.horizontalAdvance(kEllipsis);
    if (tail.isEmpty() || room <= 0) return metrics.elidedText(path, Qt::ElideMiddle, width);
    // The longest start that fits in front of the ellipsis.
    qsizetype low = 0, high = slash;
    while (low < high) {
        const qsizetype mid = (low + high + 1) / 2;
        if (metrics.horizontalAdvance(path.left(mid)) <= room) low = mid;
        else high = mid - 1;
    }
    // A surrogate pair is not cut in two.
    if (low > 0 && path[low - 1].isHighSurrogate()) --low;
    return path.left(low) + kEllipsis + tail;
}

TRecentPage::TRecentPage(QWidget* parent) : QWidget(parent), RecentList(new QTreeWidget(this)) {
    setObjectName(QStringLiteral("RecentSheet"));
    RecentList->setObjectName(QStringLiteral("RecentList"));
    RecentList->setColumnCount(1);
    RecentList->setHeaderLabels({QStringLiteral("パス")});
    RecentList->header()->setStretchLastSection(false);
    RecentList->setColumnWidth(0, 400);
    RecentList->setRootIsDecorated(false);
    RecentList->setUniformRowHeights(true);
    RecentList->setSelectionMode(QAbstractItemView::SingleSelection);
    RecentList->setSelectionBehavior(QAbstractItemView::SelectRows);
    RecentList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    RecentList->setItemDelegate(new RecentRowDelegate(RecentList));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(new QLabel(QStringLiteral("最近開いたフォルダのリスト"), this));
    layout->addWidget(RecentList, 1);
    connect(RecentList, &QTreeWidget::itemSelectionChanged, this, [this] { RecentListChange(); });
}

void TRecentPage::fillRows(const QStringList& folders) {
    m_filling = true;
    RecentList->setUpdatesEnabled(false);
    RecentList->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(folders.size());
    for (const QString& folder : folders) items.append(new QTreeWidgetItem(QStringList{folder}));
    RecentList->addTopLevelItems(items);
    RecentList->setUpdatesEnabled(true);
    m_filling = false;
}

QStringList TRecentPage::rows() const {
    QStringList folders;
    for (int i = 0; i < RecentList->topLevelItemCount(); ++i) folders.append(RecentList->topLevelItem(i)->text(0));
    return folders;
}

void TRecentPage::clearSelection() {
    m_filling = true;
    RecentList->clearSelection();
    RecentList->setCurrentItem(nullptr);
    m_filling = false;
}

void TRecentPage::RecentListChange() {
    if (m_filling || !onOpen) return;
    const QList<QTreeWidgetItem*> selected = RecentList->selectedItems();
    if (!selected.isEmpty()) onOpen(selected.first()->text(0));
}

}  // namespace tollamar
