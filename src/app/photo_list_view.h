#pragma once
// ListView1: the photo list in either of its two views over one model and one
// selection. The icon view is a wrapping grid of thumbnail cells; the report view has
// the columns "ファイル", "デジタルカメラ" and "コメント".

#include "app/photo_row_delegate.h"

#include <QStackedWidget>
#include <functional>

class QAbstractItemView;
class QItemSelectionModel;
class QListView;
class QTreeView;

namespace tollamar {

class TPhotoListModel;

class TPhotoListView : public QStackedWidget {
public:
    TPhotoListView(TPhotoListModel* model, QWidget* parent);

    TViewStyle viewStyle() const { return m_style; }
    void setViewStyle(TViewStyle style);
    QSize thumbnailSize() const { return m_thumbnail; }
    // Both views take the new cell size and lay their rows out again.
    void setThumbnailSize(QSize size);

    // The selected row, -1 when none.
    int selectedRow() const;
    void selectRow(int row);
    void clearSelection();

    QAbstractItemView* activeView() const;
    QListView* iconView() const { return m_iconView; }
    QTreeView* reportView() const { return m_reportView; }
    // The visible part of the active view, in the coordinates rowBounds uses.
    QRect clientRect() const;
    // A row's bounds across all columns; empty for a row that is not laid out.
    QRect rowBounds(int row) const;
    // The first row on screen (see the source for the estimate it falls back on).
    int TopVisibleIndex() const;
    // Repaints one row without erasing the others.
    void invalidateRow(int row);
    // Both views scrolled back to their first row and column (a new list).
    void scrollToStart();

    // What the owner does on these events (set once by the main window).
    std::function<void()> onEnter;
    std::function<void()> onDoubleClick;
    std::function<void(const QPoint& globalPos)> onPopup;
    // Scrolling, resizing, a new view or cell size: rows on screen changed.
    std::function<void()> onVisibleRowsChanged;
    std::function<void()> onSelectionChanged;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void setupIconView();
    void setupReportView();
    void connectView(QAbstractItemView* view);
    void applyCellSize();
    void notifyVisibleRows();

    TPhotoListModel* m_model;
    QItemSelectionModel* m_selection;
    TPhotoRowDelegate* m_iconDelegate;
    TPhotoRowDelegate* m_reportDelegate;
    QListView* m_iconView;
    QTreeView* m_reportView;
    TViewStyle m_style = TViewStyle::Icon;
    QSize m_thumbnail{64, 48};
};

}  // namespace tollamar
