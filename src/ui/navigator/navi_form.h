#pragma once
// The navigator: a floating tool window that cannot be docked, with four pages along
// its bottom edge: the comment search, the folder tree, the favourite folders and the
// recently opened folders. Everything it opens or searches goes back to the main window
// through the callbacks below. Its choices live in NaviForm.INI, read when it is
// created and written when it is destroyed; the favourites and recent folders in
// Favorite.INI and Recent.INI.

#include "app/sub_form.h"
#include "search/search_run.h"

#include <QRect>
#include <functional>

class QTabWidget;

namespace tollamar {

class TFavoritePage;
class TFolderTreePage;
class TRecentPage;
class TSearchPage;

// The pages in tab order; the number is TabIndex in NaviForm.INI.
enum class TNaviPage { SearchSheet = 0, FolderSheet = 1, FavoriteSheet = 2, RecentSheet = 3 };

class TNaviForm : public TSubForm {
public:
    explicit TNaviForm(QWidget* mainWindow);
    // Writes NaviForm.INI; a write error is reported.
    ~TNaviForm() override;

    // Records path as the folder opened last in Recent.INI (also while hidden) and,
    // when the navigator is visible, shows the new list. A path with a line break
    // cannot be stored and is not recorded. Raises the write error.
    void AddRecentFolder(const QString& path);
    // Brings the folder tree to folder when the navigator shows the tree page, not
    // minimized; otherwise only remembers it. Never opens the folder.
    void SyncFolderTree(const QString& folder);
    // The same with the main window's folder.
    void SyncFolderTree();
    void clearRecentSelection();
    void clearFavoriteSelection();

    TNaviPage activePage() const;
    void setActivePage(TNaviPage page);
    // Makes page the active one and shows the navigator in front, restored if minimized;
    // on the search page the first field to fill gets the focus.
    void ShowPage(TNaviPage page);

    // Hidden, the window keeps its place and size for the next show.
    void setVisible(bool visible) override;

    void LoadRecent();
    void LoadFavorites();
    // Both raise the write error; the rows stay as they are.
    void SaveRecent() const;
    void SaveFavorites() const;

    // The outcome of the last search, kept between searches.
    SearchState& searchState() { return m_searchState; }
    int recentMaxCount() const { return m_maxCount; }
    QString syncedFolder() const { return m_synced; }
    QStringList recentRows() const;
    QString recentFileName() const;
    QString favoriteFileName() const;

    QTabWidget* PageControl1;
    TSearchPage* SearchSheet;
    TFolderTreePage* FolderSheet;
    TFavoritePage* FavoriteSheet;
    TRecentPage* RecentSheet;

    // The main window's folder.
    std::function<QString()> currentFolder;
    // Folders the user chose on the recent, favourite and tree pages.
    std::function<void(const QString& folder)> onOpenRecent;
    std::function<void(const QString& folder)> onOpenFavorite;
    std::function<void(const QString& folder)> onOpenTreeFolder;
    // DoBtn pressed, after the tree's selection was cleared.
    std::function<void()> onSearch;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void connectPages();
    void ReadSettings();
    void WriteSettings() const;
    void saveLists();
    QString mainFolder() const;

    SearchState m_searchState;
    QString m_synced;
    int m_maxCount;
    bool m_rowsLoaded = false;
    QRect m_place;
};

}  // namespace tollamar
