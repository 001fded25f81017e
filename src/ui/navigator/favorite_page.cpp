#include "ui/navigator/favorite_page.h"

#include "app/app_globals.h"
#include "platform/native_name.h"
#include "ui/navigator/list_file.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tollamar {
namespace {

// The row shows the folder's display name and keeps the folder itself.
void setPath(QTreeWidgetItem* item, const QString& path) {
    item->setText(1, DisplayName(path));
    item->setData(1, Qt::UserRole, path);
}

QString pathOf(const QTreeWidgetItem* item) { return item->data(1, Qt::UserRole).toString(); }

// A Yes/No question with No as the default; true for Yes.
bool askYesNo(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    ModalBracket bracket;
    return box.exec() == QMessageBox::Yes;
}

QPushButton* commandButton(const QString& text, QAction* action, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    button->setToolTip(action->text());
    QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
    QObject::connect(action, &QAction::changed, button, [button, action] { button->setEnabled(action->isEnabled()); });
    button->setEnabled(action->isEnabled());
    return button;
}

}  // namespace

TFavoritePage::TFavoritePage(QWidget* parent)
    : QWidget(parent),
      FavoriteList(new QTreeWidget(this)),
      AddToFavoriteAction(new QAction(QStringLiteral("お気に入りに追加"), this)),
      DelFromFavoriteAction(new QAction(QStringLiteral("お気に入りから削除"), this)) {
    setObjectName(QStringLiteral("FavoriteSheet"));
    AddToFavoriteAction->setObjectName(QStringLiteral("AddToFavoriteAction"));
    DelFromFavoriteAction->setObjectName(QStringLiteral("DelFromFavoriteAction"));
    DelFromFavoriteAction->setEnabled(false);
    connect(AddToFavoriteAction, &QAction::triggered, this, [this] { AddToFavoriteActionExecute(); });
    connect(DelFromFavoriteAction, &QAction::triggered, this, [this] { DelFromFavoriteActionExecute(); });

    FavoriteList->setObjectName(QStringLiteral("FavoriteList"));
    FavoriteList->setColumnCount(2);
    FavoriteList->setHeaderLabels({QStringLiteral("登録名"), QStringLiteral("パス")});
    FavoriteList->header()->setStretchLastSection(false);
    FavoriteList->setColumnWidth(0, 100);
    FavoriteList->setColumnWidth(1, 300);
    FavoriteList->setRootIsDecorated(false);
    FavoriteList->setUniformRowHeights(true);
    FavoriteList->setSelectionMode(QAbstractItemView::SingleSelection);
    FavoriteList->setSelectionBehavior(QAbstractItemView::SelectRows);
    FavoriteList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FavoriteList->setContextMenuPolicy(Qt::ActionsContextMenu);
    FavoriteList->addActions({AddToFavoriteAction, DelFromFavoriteAction});
    connect(FavoriteList, &QTreeWidget::itemSelectionChanged, this, [this] { FavoriteListChange(); });

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("‘お気に入り’ のフォルダ"), this), 1);
    top->addWidget(commandButton(QStringLiteral("追加"), AddToFavoriteAction, this));
    top->addWidget(commandButton(QStringLiteral("削除"), DelFromFavoriteAction, this));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(top);
    layout->addWidget(FavoriteList, 1);
}

void TFavoritePage::appendRow(const TFavorite& favorite) {
    auto* item = new QTreeWidgetItem(QStringList{favorite.name});
    setPath(item, favorite.path);
    FavoriteList->addTopLevelItem(item);
}

void TFavoritePage::fillRows(const QList<TFavorite>& favorites) {
    m_filling = true;
    FavoriteList->setUpdatesEnabled(false);
    FavoriteList->clear();
    for (const TFavorite& favorite : favorites) appendRow(favorite);
    FavoriteList->setUpdatesEnabled(true);
    m_filling = false;
    DelFromFavoriteAction->setEnabled(false);
}

void TFavoritePage::LoadFavorites(const QString& fileName) { fillRows(LoadFavoriteList(fileName)); }

void TFavoritePage::SaveFavorites(const QString& fileName) const { SaveFavoriteList(fileName, favorites()); }

QList<TFavorite> TFavoritePage::favorites() const {
    QList<TFavorite> all;
    for (int i = 0; i < FavoriteList->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = FavoriteList->topLevelItem(i);
        all.append({item->text(0), pathOf(item)});
    }
    return all;
}

int TFavoritePage::FindFavorite(const QString& name) const {
    for (int i = 0; i < FavoriteList->topLevelItemCount(); ++i)
        if (FavoriteList->topLevelItem(i)->text(0) == name) return i;
    return -1;
}

void TFavoritePage::clearSelection() {
    m_filling = true;
    FavoriteList->clearSelection();
    FavoriteList->setCurrentItem(nullptr);
    m_filling = false;
    DelFromFavoriteAction->setEnabled(false);
}

void TFavoritePage::AddToFavoriteActionExecute() {
    const QString folder = currentFolder ? currentFolder() : QString();
    bool ok = false;
    QString name;
    {
        ModalBracket bracket;
        name = QInputDialog::getText(this, QStringLiteral("登録名を入力してください"), folder, QLineEdit::Normal,
                                     QString(), &ok);
    }
    if (!ok || name.isEmpty()) return;
    // Favorite.INI holds "name=path" lines: a name with "=" or a line break, or a path
    // with a line break, would come back as something else.
    if (!IsStorableFavoriteName(name)) {
        ReportError(name + u'\n' + QStringLiteral("登録名に「=」や改行は使えません"));
        return;
    }
    if (!FitsOnOneLine(folder)) {
        ReportError(folder + u'\n' + QStringLiteral("改行を含むフォルダは登録できません"));
        return;
    }
    const int row = FindFavorite(name);
    if (row < 0) {
        appendRow({name, folder});
        return;
    }
    if (askYesNo(this, QStringLiteral("「") + name + QStringLiteral("」は登録済みの名前です"),
                 QStringLiteral("上書きしますか？")))
        setPath(FavoriteList->topLevelItem(row), folder);
}

void TFavoritePage::DelFromFavoriteActionExecute() {
    const QList<QTreeWidgetItem*> selected = FavoriteList->selectedItems();
    if (selected.isEmpty()) return;
    if (!askYesNo(this, QStringLiteral("選択している項目を削除します"), QStringLiteral("削除してもいいですか？")))
        return;
    // Removing the row must not select and open its neighbour.
    m_filling = true;
    delete selected.first();
    m_filling = false;
    clearSelection();
}

void TFavoritePage::FavoriteListChange() {
    const QList<QTreeWidgetItem*> selected = FavoriteList->selectedItems();
    DelFromFavoriteAction->setEnabled(!selected.isEmpty());
    if (m_filling || selected.isEmpty() || !onOpen) return;
    onOpen(pathOf(selected.first()));
}

}  // namespace tollamar
