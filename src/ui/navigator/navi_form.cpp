#include "ui/navigator/navi_form.h"

#include "platform/settings_folder.h"
#include "ui/navigator/recent_folders.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tollamar {
namespace {

QWidget* makePage(const QString& title, QWidget* body, QWidget* parent) {
    auto* page = new QWidget(parent);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(new QLabel(title, page));
    layout->addWidget(body, 1);
    return page;
}

}  // namespace

TNaviForm::TNaviForm(QWidget* mainWindow)
    : TSubForm(QStringLiteral("NaviForm"), QStringLiteral("ナビゲーター"), false, mainWindow),
      m_pages(new QTabWidget(this)),
      m_recentList(new QListWidget(this)),
      m_folderLabel(new QLabel(this)),
      m_maxCount(RecentMaxCount(SettingsFileName(QStringLiteral("NaviForm")))) {
    // The navigator keeps the application's font when the main window's changes.
    setFont(QApplication::font());
    m_recentList->setObjectName(QStringLiteral("RecentList"));
    m_recentList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_recentList->setTextElideMode(Qt::ElideMiddle);
    m_folderLabel->setWordWrap(true);
    m_folderLabel->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_folderLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_pages->setTabPosition(QTabWidget::South);
    m_pages->addTab(makePage(QStringLiteral("表示中のフォルダ"), m_folderLabel, m_pages),
                    QStringLiteral("フォルダを選択"));
    m_pages->addTab(makePage(QStringLiteral("最近開いたフォルダのリスト"), m_recentList, m_pages),
                    QStringLiteral("最近開いたフォルダ"));
    setWidget(m_pages);
    resize(330, 400);
    connect(m_recentList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (m_filling || row < 0 || !onOpenRecent) return;
        onOpenRecent(m_recentList->item(row)->text());
    });
}

QString TNaviForm::recentFileName() const { return SettingsFileName(QStringLiteral("Recent")); }

void TNaviForm::fillRecentRows(const QStringList& folders) {
    m_filling = true;
    m_recentList->setUpdatesEnabled(false);
    m_recentList->clear();
    m_recentList->addItems(folders);
    m_recentList->setUpdatesEnabled(true);
    m_filling = false;
}

void TNaviForm::LoadRecent() { fillRecentRows(LoadRecentFolders(recentFileName())); }

void TNaviForm::showEvent(QShowEvent* event) {
    TSubForm::showEvent(event);
    if (!event->spontaneous()) LoadRecent();
}

void TNaviForm::AddRecentFolder(const QString& path) {
    const QStringList folders = WithRecentFolder(LoadRecentFolders(recentFileName()), path, m_maxCount,
                                                 QCoreApplication::applicationDirPath());
    SaveRecentFolders(recentFileName(), folders);
    if (isVisible()) fillRecentRows(folders);
}

void TNaviForm::SyncFolderTree(const QString& folder) {
    m_synced = folder;
    m_folderLabel->setText(folder);
}

void TNaviForm::clearRecentSelection() {
    m_filling = true;
    m_recentList->clearSelection();
    m_recentList->setCurrentRow(-1);
    m_filling = false;
}

QStringList TNaviForm::recentRows() const {
    QStringList rows;
    for (int i = 0; i < m_recentList->count(); ++i) rows.append(m_recentList->item(i)->text());
    return rows;
}

}  // namespace tollamar
