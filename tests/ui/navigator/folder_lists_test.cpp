// Favourite and recent folders: Favorite.INI and Recent.INI as the navigator reads and
// writes them, the add and delete commands with their questions, and rows that open
// their folders when selected.
#include "app/ini_file.h"
#include "app/main_form.h"
#include "navigator_fixture.h"
#include "support/jpeg_builder.h"
#include "support/temp_folder.h"
#include "ui/navigator/favorite_page.h"
#include "ui/navigator/navi_form.h"
#include "ui/navigator/recent_page.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

using namespace tollamar;
using navitest::ModalScript;
using navitest::NaviTest;
using testsupport::TempFolder;

namespace {

QString settingsText(const char* name) {
    return QString::fromUtf8(TempFolder::read(apptest::SettingsFile(QString::fromLatin1(name))));
}

QString folderWithPhoto(const TempFolder& root, const QString& name) {
    QDir().mkpath(root.path(name));
    root.write(name + QStringLiteral("/p.jpg"), apptest::MakePhoto(16, 16));
    return root.path(name);
}

void writeSettings(const char* name, const QString& text) {
    QFile file(apptest::SettingsFile(QString::fromLatin1(name)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
}

QPushButton* buttonNamed(QWidget* page, const QString& text) {
    for (QPushButton* button : page->findChildren<QPushButton*>())
        if (button->text() == text) return button;
    return nullptr;
}

void clickRow(QTreeWidget* list, int row) { navitest::ClickRow(list, list->model()->index(row, 0)); }

}  // namespace

using FolderListsTest = NaviTest;

TEST_F(FolderListsTest, FavoritesAreAddedOverwrittenAndDeletedAfterTheQuestionsAndSavedWhenHidden) {
    TempFolder root;
    const QString album = folderWithPhoto(root, QStringLiteral("アルバム 2002"));
    const QString open = folderWithPhoto(root, QStringLiteral("open"));
    writeSettings("Favorite.INI", QStringLiteral("Trips=/p/2002=summer\r\n\n/misc\rAlbum=") + album + u'\n');
    TMainForm form({open});
    form.show();
    form.FromFavoriteAction->trigger();
    TFavoritePage& page = *form.NaviForm->FavoriteSheet;
    ASSERT_TRUE(form.NaviForm->isVisible());
    EXPECT_EQ(page.favorites(), (QList<TFavorite>{{"Trips", "/p/2002=summer"},
                                                   {"undefined(1)", ""},
                                                   {"undefined(2)", "/misc"},
                                                   {"Album", album}}));
    EXPECT_FALSE(page.DelFromFavoriteAction->isEnabled());
    QPushButton* add = buttonNamed(&page, QStringLiteral("追加"));
    QPushButton* del = buttonNamed(&page, QStringLiteral("削除"));
    ASSERT_TRUE(add && del);
    EXPECT_FALSE(del->isEnabled());
    const QString overwrite = QStringLiteral("「Trips」は登録済みの名前です|上書きしますか？");
    {
        ModalScript script;
        script.type(QStringLiteral("新しい 名前")).type(QStringLiteral("Trips")).press(QMessageBox::No);
        QTest::mouseClick(add, Qt::LeftButton);
        QTest::mouseClick(add, Qt::LeftButton);
        EXPECT_EQ(script.boxes, (QStringList{overwrite}));
    }
    EXPECT_EQ(page.favorites().size(), 5);
    EXPECT_EQ(page.favorites().last(), (TFavorite{"新しい 名前", open}));
    EXPECT_EQ(page.favorites().first().path, QStringLiteral("/p/2002=summer")) << "No changes nothing";
    {
        ModalScript script;
        script.type(QStringLiteral("Trips")).press(QMessageBox::Yes).type(QStringLiteral("trips")).cancelInput();
        script.type(QString()).type(QStringLiteral("a=b"));
        for (int i = 0; i < 5; ++i) QTest::mouseClick(add, Qt::LeftButton);
    }
    EXPECT_EQ(page.favorites().first(), (TFavorite{"Trips", open})) << "overwritten in place";
    EXPECT_EQ(page.favorites().size(), 6) << "names differing by case are two favourites";
    EXPECT_EQ(page.favorites().last().name, QStringLiteral("trips"));
    EXPECT_EQ(m_reports.size(), 1) << "a name with '=' would not come back from the file";
    EXPECT_TRUE(settingsText("Favorite.INI").startsWith(u"Trips=/p/2002=summer")) << "saved only when hidden";

    clickRow(page.FavoriteList, 3);
    EXPECT_EQ(form.CurrentFolder(), album) << "selecting a row opens its folder";
    EXPECT_TRUE(del->isEnabled());
    {
        ModalScript script;
        script.press(QMessageBox::No).press(QMessageBox::Yes);
        QTest::mouseClick(del, Qt::LeftButton);
        EXPECT_EQ(page.favorites().size(), 6);
        QTest::mouseClick(del, Qt::LeftButton);
        EXPECT_EQ(script.boxes, (QStringList(2, QStringLiteral("選択している項目を削除します|削除してもいいですか？"))));
    }
    EXPECT_EQ(page.favorites().size(), 5);
    EXPECT_EQ(page.FindFavorite(QStringLiteral("Album")), -1);
    EXPECT_FALSE(del->isEnabled());
    EXPECT_EQ(form.CurrentFolder(), album) << "no neighbour was opened";

    form.NavigatorVisibleAction->trigger();
    EXPECT_FALSE(form.NaviForm->isVisible());
    EXPECT_EQ(settingsText("Favorite.INI"), QStringLiteral("Trips=") + open + QStringLiteral("\r\nundefined(1)=\r\n") +
                                                QStringLiteral("undefined(2)=/misc\r\n新しい 名前=") + open +
                                                QStringLiteral("\r\ntrips=") + open + QStringLiteral("\r\n"));
}

TEST_F(FolderListsTest, RecentFoldersStayWithinMaxCountAndRowsOpenTheirFolders) {
    writeSettings("NaviForm.INI", QStringLiteral("[Recent]\r\nMaxCount=3\r\n"));
    TempFolder root;
    QStringList folders;
    for (const char* name : {"f1", "f2", "f3", "f 4"}) folders.append(folderWithPhoto(root, QString::fromUtf8(name)));
    writeSettings("Favorite.INI", QStringLiteral("Last=") + folders[3]);
    TMainForm form({folders[0]});
    form.show();
    form.FromRecentAction->trigger();
    TNaviForm& navi = *form.NaviForm;
    EXPECT_EQ(navi.activePage(), TNaviPage::RecentSheet);
    EXPECT_EQ(navi.recentRows(), (QStringList{folders[0]}));
    for (int i = 1; i < 4; ++i) form.DoSelFolder(TFolderRequester::MainForm, folders[i]);
    const QStringList newest = {folders[3], folders[2], folders[1]};
    EXPECT_EQ(navi.recentRows(), newest) << "the oldest is dropped, the rows follow at once";
    EXPECT_EQ(settingsText("Recent.INI"), newest.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    form.DoSelFolder(TFolderRequester::MainForm, folders[2] + u'/');
    EXPECT_EQ(navi.recentRows(), (QStringList{folders[2], folders[3], folders[1]}));

    clickRow(navi.RecentSheet->RecentList, 2);
    EXPECT_EQ(form.CurrentFolder(), folders[1]);
    EXPECT_EQ(form.PhotoList().size(), 1u);
    EXPECT_EQ(navi.recentRows(), (QStringList{folders[2], folders[3], folders[1]})) << "not recorded again";

    form.FromFavoriteAction->trigger();
    EXPECT_EQ(navi.activePage(), TNaviPage::FavoriteSheet);
    clickRow(navi.FavoriteSheet->FavoriteList, 0);
    EXPECT_EQ(form.CurrentFolder(), folders[3]);
    EXPECT_EQ(navi.recentRows().first(), folders[3]);
    EXPECT_TRUE(navi.RecentSheet->RecentList->selectedItems().isEmpty());
}

TEST(RecentRows, LongPathsKeepTheirStartAndLastFolderName) {
    apptest::EnsureApplication();
    const QFontMetrics metrics(QApplication::font());
    const QString last = QStringLiteral("/最後のフォルダ");
    QString path = QStringLiteral("/home/user");
    for (int i = 0; i < 30; ++i) path += QStringLiteral("/長い名前 %1").arg(i);
    path += last;
    const int width = metrics.horizontalAdvance(QStringLiteral("/home/user/長い名前") + last);
    const QString shown = ElidePath(metrics, path, width);
    EXPECT_TRUE(shown.startsWith(QStringLiteral("/home/"))) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith(last)) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("…")));
    EXPECT_LE(metrics.horizontalAdvance(shown), width);
    EXPECT_EQ(ElidePath(metrics, QStringLiteral("/short"), width), QStringLiteral("/short"));
    const QString narrow = ElidePath(metrics, path, metrics.horizontalAdvance(last) / 2);
    EXPECT_LE(metrics.horizontalAdvance(narrow), metrics.horizontalAdvance(last) / 2);
    QString emoji = QStringLiteral("/a");
    for (int i = 0; i < 40; ++i) emoji += QStringLiteral("🍜");
    emoji += QStringLiteral("/end");
    const QString cut = ElidePath(metrics, emoji, width / 2);
    const qsizetype dots = cut.indexOf(QStringLiteral("…"));
    ASSERT_GT(dots, 0) << cut.toStdString();
    EXPECT_FALSE(cut[dots - 1].isHighSurrogate()) << "no half character before the ellipsis";
}
