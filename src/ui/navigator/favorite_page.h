#pragma once
// The navigator's page of favourite folders: named folders the user registers, kept in
// Favorite.INI. Selecting a row opens its folder; changes reach the file when the
// navigator saves them.

#include "ui/navigator/favorite_list.h"

#include <QWidget>
#include <functional>

class QAction;
class QTreeWidget;

namespace tollamar {

class TFavoritePage : public QWidget {
public:
    explicit TFavoritePage(QWidget* parent);

    // The rows from the file (none when it does not exist); opens nothing.
    void LoadFavorites(const QString& fileName);
    // Replaces the file with the rows; raises the write error.
    void SaveFavorites(const QString& fileName) const;
    QList<TFavorite> favorites() const;
    // The first row whose name is exactly name (case counts), or -1.
    int FindFavorite(const QString& name) const;
    // Deselects without opening anything.
    void clearSelection();

    QTreeWidget* FavoriteList;
    QAction* AddToFavoriteAction;
    QAction* DelFromFavoriteAction;

    // The main window's folder, the one a new favourite names.
    std::function<QString()> currentFolder;
    // A row the user selected: its folder.
    std::function<void(const QString& folder)> onOpen;

private:
    void fillRows(const QList<TFavorite>& favorites);
    void appendRow(const TFavorite& favorite);
    void AddToFavoriteActionExecute();
    void DelFromFavoriteActionExecute();
    void FavoriteListChange();

    bool m_filling = false;
};

}  // namespace tollamar
