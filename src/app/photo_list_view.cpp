#include "app/photo_list_view.h"

#include "app/photo_list_model.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QListView>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QTreeView>

namespace tollamar {
namespace {

bool isEnterKey(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

void setCommonOptions(QAbstractItemView* view) {
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    view->setMouseTracking(true);
    view->setMinimumSize(32, 32);
}

// The report view draws the focus rectangle around the whole row, which the
// per-column delegate cannot.
class ReportView : public QTreeView {
public:
    using QTreeView::QTreeView;

protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override {
        QTreeView::drawRow(painter, option, index);
        if (!hasFocus() || index.row() != currentIndex().row()) return;
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = QRect(0, option.rect.top(), viewport()->width(), option.rect.height());
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, this);
    }
};

}  // namespace

TPhotoListView::TPhotoListView(TPhotoListModel* model, QWidget* parent)
    : QStackedWidget(parent),
      m_model(model),
      m_selection(new QItemSelectionModel(model, this)),
      m_iconDelegate(new TPhotoRowDelegate(model, TViewStyle::Icon, this)),
      m_reportDelegate(new TPhotoRowDelegate(model, TViewStyle::Report, this)),
      m_iconView(new QListView(this)),
      m_reportView(new ReportView(this)) {
    setObjectName(QStringLiteral("ListView1"));
    setMinimumSize(32, 32);
    setupIconView();
    setupReportView();
    addWidget(m_iconView);
    addWidget(m_reportView);
    connect(m_selection, &QItemSelectionModel::selectionChanged, this, [this] {
        if (onSelectionChanged) onSelectionChanged();
    });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] { notifyVisibleRows(); });
    applyCellSize();
}

void TPhotoListView::setupIconView() {
    setCommonOptions(m_iconView);
    // A wrapping grid of equal cells: the list mode lays it out arithmetically,
    // without the per-item geometry the free icon mode keeps.
    m_iconView->setViewMode(QListView::ListMode);
    m_iconView->setFlow(QListView::LeftToRight);
    m_iconView->setWrapping(true);
    m_iconView->setResizeMode(QListView::Adjust);
    m_iconView->setMovement(QListView::Static);
    m_iconView->setUniformItemSizes(true);
    m_iconView->setSpacing(0);
    m_iconView->setModel(m_model);
    m_iconView->setSelectionModel(m_selection);
    m_iconView->setItemDelegate(m_iconDelegate);
    connectView(m_iconView);
}

void TPhotoListView::setupReportView() {
    setCommonOptions(m_reportView);
    m_reportView->setRootIsDecorated(false);
    m_reportView->setItemsExpandable(false);
    m_reportView->setIndentation(0);
    m_reportView->setUniformRowHeights(true);
    m_reportView->setAllColumnsShowFocus(true);
    m_reportView->setModel(m_model);
    m_reportView->setSelectionModel(m_selection);
    m_reportView->setItemDelegate(m_reportDelegate);
    QHeaderView* header = m_reportView->header();
    header->setStretchLastSection(false);
    header->setSectionsMovable(false);
    header->resizeSection(0, 200);
    header->resizeSection(1, 240);
    header->resizeSection(2, 200);
    connect(header, &QHeaderView::sectionResized, this, [this] { m_reportView->viewport()->update(); });
    connectView(m_reportView);
}

void TPhotoListView::connectView(QAbstractItemView* view) {
    view->installEventFilter(this);
    view->viewport()->installEventFilter(this);
    connect(view->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { notifyVisibleRows(); });
    connect(view, &QWidget::customContextMenuRequested, this, [this, view](const QPoint& pos) {
        if (onPopup) onPopup(view->viewport()->mapToGlobal(pos));
    });
}

bool TPhotoListView::eventFilter(QObject* watched, QEvent* event) {
    const bool isView = watched == m_iconView || watched == m_reportView;
    if (isView && event->type() == QEvent::KeyPress && isEnterKey(static_cast<QKeyEvent*>(event))) {
        if (onEnter) onEnter();
        return true;
    }
    const bool isViewport = watched == m_iconView->viewport() || watched == m_reportView->viewport();
    if (isViewport && event->type() == QEvent::MouseButtonDblClick) {
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && onDoubleClick) onDoubleClick();
        return true;
    }
    if (isViewport && event->type() == QEvent::Resize) notifyVisibleRows();
    return QStackedWidget::eventFilter(watched, event);
}

void TPhotoListView::changeEvent(QEvent* event) {
    QStackedWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) applyCellSize();
}

void TPhotoListView::setViewStyle(TViewStyle style) {
    const bool hadFocus = activeView()->hasFocus();
    m_style = style;
    setCurrentWidget(activeView());
    if (hadFocus) activeView()->setFocus();
    const int row = selectedRow();
    if (row >= 0) activeView()->scrollTo(m_model->index(row, 0));
    notifyVisibleRows();
}

void TPhotoListView::setThumbnailSize(QSize size) {
    m_thumbnail = size;
    applyCellSize();
}

void TPhotoListView::applyCellSize() {
    m_iconDelegate->setThumbnailSize(m_thumbnail);
    m_reportDelegate->setThumbnailSize(m_thumbnail);
    m_iconView->setGridSize(TPhotoRowDelegate::iconCellSize(m_thumbnail, font()));
    m_iconView->doItemsLayout();
    m_reportView->doItemsLayout();
    notifyVisibleRows();
}

void TPhotoListView::notifyVisibleRows() {
    if (onVisibleRowsChanged) onVisibleRowsChanged();
}

QAbstractItemView* TPhotoListView::activeView() const {
    if (m_style == TViewStyle::Report) return m_reportView;
    return m_iconView;
}

int TPhotoListView::selectedRow() const {
    const QModelIndexList rows = m_selection->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void TPhotoListView::selectRow(int row) {
    const QModelIndex index = m_model->index(row, 0);
    if (!index.isValid()) return;
    m_selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    activeView()->scrollTo(index);
}

void TPhotoListView::clearSelection() { m_selection->clear(); }

QRect TPhotoListView::clientRect() const { return activeView()->viewport()->rect(); }

QRect TPhotoListView::rowBounds(int row) const {
    const QRect cell = activeView()->visualRect(m_model->index(row, 0));
    if (m_style == TViewStyle::Icon || cell.isEmpty()) return cell;
    return {0, cell.top(), m_reportView->viewport()->width(), cell.height()};
}

int TPhotoListView::TopVisibleIndex() const {
    const QModelIndex atTop = activeView()->indexAt(QPoint(1, 1));
    if (atTop.isValid()) return atTop.row();
    // Between cells: estimate from the scroll bar as a fraction of the list.
    const QScrollBar* bar = activeView()->verticalScrollBar();
    const qint64 p = bar->value(), m = bar->minimum(), M = bar->maximum();
    const qint64 count = m_model->rowCount();
    if (M == m || p == m || count == 0) return 0;
    return static_cast<int>(std::min(count - 1, (count - 1) * (p - m) / (M - m + 3)));
}

void TPhotoListView::invalidateRow(int row) {
    const QRect bounds = rowBounds(row);
    if (!bounds.isEmpty()) activeView()->viewport()->update(bounds);
}

void TPhotoListView::scrollToStart() {
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(m_iconView),
                                    static_cast<QAbstractItemView*>(m_reportView)}) {
        view->verticalScrollBar()->setValue(view->verticalScrollBar()->minimum());
        view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->minimum());
    }
}

}  // namespace tollamar
