#include "ui/navigator/folder_tree_page.h"

#include "platform/folder_ops.h"

#include <QFileInfo>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QTreeView>
#include <QVBoxLayout>

namespace tollamar {
namespace {

const QString kRoot = QStringLiteral("/");

// Folders only, hidden ones too (the filter below decides which show); refreshed only
// on request, never renamed from the tree.
QFileSystemModel* newFolderModel(QObject* parent) {
    auto* model = new QFileSystemModel(parent);
    model->setOption(QFileSystemModel::DontWatchForChanges, true);
    model->setReadOnly(true);
    model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives | QDir::Hidden);
    model->setRootPath(kRoot);
    return model;
}

// Leaves out folders whose names start with "." as a file manager does, except the
// ones on the way to the followed folder, so that the tree can reach it.
class HiddenFolderFilter final : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void setFollowed(const QString& path) {
        if (path == m_followed) return;
        m_followed = path;
        invalidateRowsFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        const auto* folders = static_cast<const QFileSystemModel*>(sourceModel());
        const QModelIndex index = folders->index(row, 0, parent);
        if (!folders->fileName(index).startsWith(u'.')) return true;
        const QString path = folders->filePath(index);
        return m_followed == path || m_followed.startsWith(path + u'/');
    }

private:
    QString m_followed;
};

// Raises a flag for the lifetime of the object, restoring what it was.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : m_flag(flag), m_old(flag) { m_flag = true; }
    ~FlagScope() { m_flag = m_old; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& m_flag;
    bool m_old;
};

// The tree knows when it is handling the user's click or key, the only selections that
// open folders; the ones the program makes (following the main window, a refresh, a
// new model) never do. A click on the folder already selected (the tree may have been
// brought there without opening it) is the user's choice as well.
class ShellTree final : public QTreeView {
public:
    explicit ShellTree(QWidget* parent) : QTreeView(parent) {}
    bool handlingInput() const { return m_input; }
    std::function<void()> onSelectedClicked;

protected:
    void mousePressEvent(QMouseEvent* event) override {
        const FlagScope input(m_input);
        const QModelIndexList before = selectionModel()->selectedIndexes();
        QTreeView::mousePressEvent(event);
        const QPoint pos = event->position().toPoint();
        const QModelIndex index = indexAt(pos);
        if (event->button() == Qt::LeftButton && index.isValid() && visualRect(index).contains(pos) &&
            selectionModel()->isSelected(index) && selectionModel()->selectedIndexes() == before && onSelectedClicked)
            onSelectedClicked();
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        const FlagScope input(m_input);
        QTreeView::mouseReleaseEvent(event);
    }
    void keyPressEvent(QKeyEvent* event) override {
        const FlagScope input(m_input);
        QTreeView::keyPressEvent(event);
    }

private:
    bool m_input = false;
};

}  // namespace

TFolderTreePage::TFolderTreePage(QWidget* parent)
    : QWidget(parent),
      ShellTreeView1(new ShellTree(this)),
      RefreshButton(new QPushButton(QStringLiteral("更新(&R)"), this)) {
    setObjectName(QStringLiteral("FolderSheet"));
    ShellTreeView1->setObjectName(QStringLiteral("ShellTreeView1"));
    RefreshButton->setObjectName(QStringLiteral("RefreshButton"));
    RefreshButton->setDefault(true);
    ShellTreeView1->setHeaderHidden(true);
    ShellTreeView1->setRootIsDecorated(false);
    ShellTreeView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ShellTreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ShellTreeView1->setUniformRowHeights(true);
    ShellTreeView1->hide();
    static_cast<ShellTree*>(ShellTreeView1)->onSelectedClicked = [this] { ShellTreeView1Change(); };
    for (QObject* input : {static_cast<QObject*>(ShellTreeView1), static_cast<QObject*>(ShellTreeView1->viewport()),
                           static_cast<QObject*>(ShellTreeView1->verticalScrollBar())})
        input->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(new QLabel(QStringLiteral("写真（JPEG）のあるフォルダを選択する"), this));
    layout->addWidget(ShellTreeView1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(RefreshButton);
    layout->addLayout(buttons);
    connect(RefreshButton, &QPushButton::clicked, this, [this] { RefreshButtonClick(); });
}

QFileSystemModel* TFolderTreePage::model() {
    if (!m_model) setModel(newFolderModel(this));
    return m_model;
}

void TFolderTreePage::setModel(QFileSystemModel* model) {
    QFileSystemModel* old = m_model;
    QSortFilterProxyModel* oldShown = m_shown;
    m_model = model;
    m_shown = new HiddenFolderFilter(this);
    m_shown->setSourceModel(model);
    {
        const FlagScope selecting(m_selecting);
        ShellTreeView1->setModel(m_shown);
    }
    for (int column = 1; column < m_shown->columnCount(); ++column) ShellTreeView1->hideColumn(column);
    ShellTreeView1->expand(m_shown->mapFromSource(model->index(kRoot)));
    // A mouse press makes the node current before it selects it: the selection is the
    // change that counts.
    connect(ShellTreeView1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { ShellTreeView1Change(); });
    // Folders are listed and sorted in the background: keep the selected one in view as
    // the rows around it arrive, until the user moves about in the tree.
    connect(model, &QFileSystemModel::directoryLoaded, this, [this] { followSelection(); });
    connect(model, &QAbstractItemModel::layoutChanged, this, [this] { followSelection(); });
    if (oldShown) oldShown->deleteLater();
    if (old) old->deleteLater();
}

bool TFolderTreePage::SelectFolderInTree(const QString& path) {
    QFileSystemModel* folders = model();
    QString wanted = path;
    while (wanted.size() > 1 && wanted.endsWith(u'/')) wanted.chop(1);
    // The model makes the whole chain of folders down to a path at once, so looking the
    // path up is the walk through the children, folder boundary by folder boundary.
    const QModelIndex found = wanted.isEmpty() ? QModelIndex() : folders->index(wanted);
    const FlagScope selecting(m_selecting);
    if (found.isValid()) static_cast<HiddenFolderFilter*>(m_shown)->setFollowed(folders->filePath(found));
    const QModelIndex index = m_shown->mapFromSource(found);
    if (!index.isValid() || !folders->isDir(found)) {
        clearSelection();
        return false;
    }
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        ShellTreeView1->expand(parent);
    ShellTreeView1->setCurrentIndex(index);
    ShellTreeView1->scrollTo(index);
    m_following = true;
    return true;
}

QModelIndex TFolderTreePage::selectedNode() const {
    if (!m_model) return {};
    for (const QModelIndex& index : ShellTreeView1->selectionModel()->selectedIndexes())
        if (index.column() == 0) return index;
    return {};
}

QString TFolderTreePage::selectedPath() const {
    const QModelIndex node = selectedNode();
    return node.isValid() ? NativePathFromQt(m_model->filePath(m_shown->mapToSource(node))) : QString();
}

QModelIndex TFolderTreePage::nodeOf(const QString& path) const {
    return m_model ? m_shown->mapFromSource(m_model->index(path)) : QModelIndex();
}

void TFolderTreePage::clearSelection() {
    if (!m_model) return;
    const FlagScope selecting(m_selecting);
    ShellTreeView1->selectionModel()->clear();
}

void TFolderTreePage::showTree() {
    model();
    ShellTreeView1->show();
}

void TFolderTreePage::RefreshButtonClick() {
    const bool attached = m_noticeAttached;
    m_noticeAttached = false;
    const QString selected = selectedPath();
    setModel(newFolderModel(this));
    if (!selected.isEmpty()) SelectFolderInTree(selected);
    m_noticeAttached = attached;
}

void TFolderTreePage::ShellTreeView1Change() {
    const QModelIndex node = selectedNode();
    if (!node.isValid()) return;
    const bool byUser = static_cast<const ShellTree*>(ShellTreeView1)->handlingInput();
    if (m_noticeAttached && byUser && !m_selecting && mayOpen && mayOpen() && onOpen) {
        const QString path = selectedPath();
        if (IsFolder(path)) onOpen(path);
    }
    // Opening a folder may have moved the selection on.
    if (const QModelIndex now = selectedNode(); now.isValid()) ShellTreeView1->scrollTo(now);
}

void TFolderTreePage::followSelection() {
    if (!m_following) return;
    if (const QModelIndex node = selectedNode(); node.isValid()) ShellTreeView1->scrollTo(node);
}

bool TFolderTreePage::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
    case QEvent::KeyPress:
        m_following = false;
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

// RefreshButton is the page's default button; the tree passes Enter on.
void TFolderTreePage::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier) {
        RefreshButton->click();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace tollamar
