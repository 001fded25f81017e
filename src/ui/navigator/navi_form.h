#pragma once
// The navigator: a floating tool window with the recent folders page and the folder
// the photo list shows. Opening a folder from it goes back to the main window.

#include "app/sub_form.h"

#include <functional>

class QLabel;
class QListWidget;
class QTabWidget;

namespace tollamar {

class TNaviForm : public TSubForm {
public:
    explicit TNaviForm(QWidget* mainWindow);

    // Records path as the folder opened last in Recent.INI (also while hidden) and,
    // when the navigator is visible, shows the new list. Raises the write error.
    void AddRecentFolder(const QString& path);
    // Shows folder as the one the photo list holds.
    void SyncFolderTree(const QString& folder);
    void clearRecentSelection();

    QString syncedFolder() const { return m_synced; }
    QStringList recentRows() const;
    QString recentFileName() const;

    // Called with the folder of a recent row the user selected.
    std::function<void(const QString& folder)> onOpenRecent;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void LoadRecent();
    void fillRecentRows(const QStringList& folders);

    QTabWidget* m_pages;
    QListWidget* m_recentList;
    QLabel* m_folderLabel;
    QString m_synced;
    int m_maxCount;
    bool m_filling = false;
};

}  // namespace tollamar
