#pragma once
// The navigator's folder tree page: the file system's folders from "/" down, read only
// once the tree is first shown. Hidden folders appear only on the way to the folder the
// tree follows. Choosing a folder opens it in the main window; the tree
// is brought to the main window's folder without ever opening anything itself.

#include <QWidget>
#include <functional>

class QFileSystemModel;
class QModelIndex;
class QSortFilterProxyModel;
class QPushButton;
class QTreeView;

namespace tollamar {

class TFolderTreePage : public QWidget {
public:
    explicit TFolderTreePage(QWidget* parent);

    // Expands the tree down to path and selects its folder; true when found. A path the
    // tree does not hold (gone, unreadable on the way) leaves nothing selected.
    bool SelectFolderInTree(const QString& path);
    // The selected folder's path; empty when none is selected.
    QString selectedPath() const;
    // The tree's node of a folder; invalid for a folder the tree does not show.
    QModelIndex nodeOf(const QString& path) const;
    void clearSelection();
    // The tree is made hidden; from the first call on it is shown and reads folders.
    void showTree();
    // While detached, even the user's selections open nothing.
    void setChangeNoticeAttached(bool attached) { m_noticeAttached = attached; }
    bool changeNoticeAttached() const { return m_noticeAttached; }
    // Reads the tree afresh and selects the folder selected before, opening nothing.
    void RefreshButtonClick();

    QTreeView* ShellTreeView1;
    QPushButton* RefreshButton;

    // Whether a selection the user makes with the mouse or the keyboard may open its
    // folder now (the navigator shows this page).
    std::function<bool()> mayOpen;
    // The folder the user selected.
    std::function<void(const QString& folder)> onOpen;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QFileSystemModel* model();
    void setModel(QFileSystemModel* model);
    QModelIndex selectedNode() const;
    void ShellTreeView1Change();
    void followSelection();

    QFileSystemModel* m_model = nullptr;
    // What the tree shows of m_model: hidden folders only on the way to the folder it
    // was last brought to.
    QSortFilterProxyModel* m_shown = nullptr;
    bool m_noticeAttached = false;
    bool m_selecting = false;
    bool m_following = false;
};

}  // namespace tollamar
