#include "ui/navigator/navi_form.h"

#include "app/app_globals.h"
#include "app/ini_file.h"
#include "platform/errors.h"
#include "platform/settings_folder.h"
#include "ui/navigator/favorite_page.h"
#include "ui/navigator/folder_tree_page.h"
#include "ui/navigator/list_file.h"
#include "ui/navigator/recent_folders.h"
#include "ui/navigator/recent_page.h"
#include "ui/navigator/search_page.h"

#include <QApplication>
#include <QCheckBox>
#include <QShowEvent>
#include <QTabWidget>

namespace tollamar {
namespace {

const QString kApp = QStringLiteral("App");
const QString kSearch = QStringLiteral("Search");
constexpr TNaviPage kFirstPage = TNaviPage::FolderSheet;

}  // namespace

TNaviForm::TNaviForm(QWidget* mainWindow)
    : TSubForm(QStringLiteral("NaviForm"), QStringLiteral("ナビゲーター"), false, mainWindow),
      PageControl1(new QTabWidget(this)),
      SearchSheet(new TSearchPage(PageControl1)),
      FolderSheet(new TFolderTreePage(PageControl1)),
      FavoriteSheet(new TFavoritePage(PageControl1)),
      RecentSheet(new TRecentPage(PageControl1)),
      m_maxCount(kDefaultRecentCount) {
    // The navigator keeps the application's font when the main window's changes.
    setFont(QApplication::font());
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setTabPosition(QTabWidget::South);
    PageControl1->addTab(SearchSheet, QStringLiteral("‘コメント’で検索"));
    PageControl1->addTab(FolderSheet, QStringLiteral("フォルダを選択"));
    PageControl1->addTab(FavoriteSheet, QStringLiteral("お気に入り"));
    PageControl1->addTab(RecentSheet, QStringLiteral("最近開いたフォルダ"));
    setWidget(PageControl1);
    resize(450, 600);
    connectPages();
    ReadSettings();
    connect(PageControl1, &QTabWidget::currentChanged, this, [this] { SyncFolderTree(); });
}

TNaviForm::~TNaviForm() {
    // A navigator still on screen at the end is closed with the program: its lists are
    // saved as on any hide.
    if (isVisible()) saveLists();
    try {
        WriteSettings();
    } catch (const Error& e) {
        ReportError(e.message());
    }
}

void TNaviForm::connectPages() {
    SearchSheet->currentFolder = [this] { return mainFolder(); };
    SearchSheet->onSearch = [this] {
        // Afterwards the folder selected before the search opens again when clicked.
        FolderSheet->clearSelection();
        if (onSearch) onSearch();
    };
    FolderSheet->mayOpen = [this] { return isVisible() && activePage() == TNaviPage::FolderSheet; };
    // The main window records a folder opened from the tree among the recent ones.
    FolderSheet->onOpen = [this](const QString& folder) {
        if (onOpenTreeFolder) onOpenTreeFolder(folder);
    };
    FavoriteSheet->currentFolder = [this] { return mainFolder(); };
    FavoriteSheet->onOpen = [this](const QString& folder) {
        if (onOpenFavorite) onOpenFavorite(folder);
    };
    RecentSheet->onOpen = [this](const QString& folder) {
        if (onOpenRecent) onOpenRecent(folder);
    };
}

void TNaviForm::ReadSettings() {
    const TIniFile ini(settingsFileName());
    SearchSheet->SubDir->setChecked(ini.ReadBool(kSearch, u"SubDir", false));
    SearchSheet->CaseSensitive->setChecked(ini.ReadBool(kSearch, u"CaseSensitive", false));
    SearchSheet->setSearchType(ini.ReadInteger(kSearch, u"SearchType", 0));
    SearchSheet->ExifCheck->setChecked(ini.ReadBool(kSearch, u"UseExif", false));
    m_maxCount = RecentMaxCount(ini);
    const int page = ini.ReadInteger(kApp, u"TabIndex", static_cast<int>(kFirstPage));
    setActivePage(page >= 0 && page < PageControl1->count() ? static_cast<TNaviPage>(page) : kFirstPage);
}

void TNaviForm::WriteSettings() const {
    TIniFile ini(settingsFileName());
    ini.WriteInteger(kApp, QStringLiteral("TabIndex"), PageControl1->currentIndex());
    ini.WriteBool(kSearch, QStringLiteral("CaseSensitive"), SearchSheet->CaseSensitive->isChecked());
    ini.WriteInteger(kSearch, QStringLiteral("SearchType"), SearchSheet->searchType());
    ini.WriteBool(kSearch, QStringLiteral("SubDir"), SearchSheet->SubDir->isChecked());
    ini.WriteBool(kSearch, QStringLiteral("UseExif"), SearchSheet->ExifCheck->isChecked());
    ini.UpdateFile();
}

QString TNaviForm::mainFolder() const { return currentFolder ? currentFolder() : m_synced; }

QString TNaviForm::recentFileName() const { return SettingsFileName(QStringLiteral("Recent")); }

QString TNaviForm::favoriteFileName() const { return SettingsFileName(QStringLiteral("Favorite")); }

TNaviPage TNaviForm::activePage() const { return static_cast<TNaviPage>(PageControl1->currentIndex()); }

void TNaviForm::setActivePage(TNaviPage page) { PageControl1->setCurrentIndex(static_cast<int>(page)); }

void TNaviForm::ShowPage(TNaviPage page) {
    setActivePage(page);
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
    if (page == TNaviPage::SearchSheet) SearchSheet->focusFirstField();
}

void TNaviForm::setVisible(bool visible) {
    // A window shown again is placed anew by the window manager unless it is given its
    // place; setting it also covers a place and size the user gave it by dragging.
    if (!visible && isVisible() && isFloating()) m_place = geometry();
    if (visible && !isVisible() && isFloating() && m_place.isValid()) setGeometry(m_place);
    TSubForm::setVisible(visible);
}

void TNaviForm::showEvent(QShowEvent* event) {
    TSubForm::showEvent(event);
    if (event->spontaneous()) return;
    LoadRecent();
    LoadFavorites();
    m_rowsLoaded = true;
    if (activePage() == TNaviPage::SearchSheet) SearchSheet->focusFirstField();
    SyncFolderTree();
}

void TNaviForm::hideEvent(QHideEvent* event) {
    TSubForm::hideEvent(event);
    if (!event->spontaneous()) saveLists();
}

void TNaviForm::saveLists() {
    // The base class shows the window once while it is made floating, before these
    // handlers are in place: rows never loaded must not replace the files.
    if (!m_rowsLoaded) return;
    m_rowsLoaded = false;
    for (const auto save : {&TNaviForm::SaveRecent, &TNaviForm::SaveFavorites}) {
        try {
            (this->*save)();
        } catch (const Error& e) {
            ReportError(e.message());
        }
    }
}

void TNaviForm::LoadRecent() { RecentSheet->fillRows(LoadRecentFolders(recentFileName())); }

void TNaviForm::SaveRecent() const { SaveRecentFolders(recentFileName(), RecentSheet->rows()); }

void TNaviForm::LoadFavorites() { FavoriteSheet->LoadFavorites(favoriteFileName()); }

void TNaviForm::SaveFavorites() const { FavoriteSheet->SaveFavorites(favoriteFileName()); }

void TNaviForm::AddRecentFolder(const QString& path) {
    if (!FitsOnOneLine(path)) return;
    const QStringList folders = WithRecentFolder(LoadRecentFolders(recentFileName()), path, m_maxCount,
                                                 QCoreApplication::applicationDirPath());
    SaveRecentFolders(recentFileName(), folders);
    if (isVisible()) RecentSheet->fillRows(folders);
}

void TNaviForm::SyncFolderTree(const QString& folder) {
    m_synced = folder;
    if (!isVisible() || activePage() != TNaviPage::FolderSheet || isMinimized()) return;
    FolderSheet->SelectFolderInTree(folder);
    FolderSheet->showTree();
    FolderSheet->setChangeNoticeAttached(true);
}

void TNaviForm::SyncFolderTree() { SyncFolderTree(mainFolder()); }

void TNaviForm::clearRecentSelection() { RecentSheet->clearSelection(); }

void TNaviForm::clearFavoriteSelection() { FavoriteSheet->clearSelection(); }

QStringList TNaviForm::recentRows() const { return RecentSheet->rows(); }

}  // namespace tollamar
