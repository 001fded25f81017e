// The folder tree page inside the main window: it follows the open folder, opens what
// the user picks with the mouse or the keys (also the folder already selected), and
// never opens anything on its own (a refresh, a page change after a search).
#include "app/main_form.h"
#include "navigator_fixture.h"
#include "support/temp_folder.h"
#include "ui/navigator/folder_tree_page.h"
#include "ui/navigator/navi_form.h"
#include "ui/navigator/search_page.h"

#include <QDir>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

using namespace tollamar;
using navitest::NaviTest;
using testsupport::TempFolder;

namespace {

void writePhoto(const TempFolder& root, const QString& relative, const QString& comment = {}) {
    QDir().mkpath(QFileInfo(root.path(relative)).path());
    root.write(relative, apptest::MakePhoto(16, 16, comment));
}

QModelIndex nodeOf(const TFolderTreePage& page, const QString& path) { return page.nodeOf(path); }

QString firstLineOf(const QString& file) {
    return QString::fromUtf8(TempFolder::read(file)).section(QStringLiteral("\r\n"), 0, 0);
}

}  // namespace

using FolderTreeTest = NaviTest;

TEST_F(FolderTreeTest, TheTreeFollowsTheOpenFolderAndOpensTheFolderTheUserPicks) {
    TempFolder root;
    writePhoto(root, QStringLiteral("写真 x/a.jpg"));
    writePhoto(root, QStringLiteral("写真 x/y/b.jpg"));
    writePhoto(root, QStringLiteral("写真 x/y/c.jpg"));
    writePhoto(root, QStringLiteral("z/d.jpg"));
    const QString x = root.path("写真 x"), y = root.path("写真 x/y"), z = root.path("z");
    const QString recent = apptest::SettingsFile(QStringLiteral("Recent.INI"));
    TMainForm form({y});
    form.show();
    TFolderTreePage& page = *form.NaviForm->FolderSheet;
    EXPECT_FALSE(page.ShellTreeView1->isVisible()) << "the tree reads nothing before it is first seen";
    form.FromTreeAction->trigger();
    ASSERT_TRUE(page.ShellTreeView1->isVisible());
    EXPECT_EQ(page.selectedPath(), y);

    form.DoSelFolder(TFolderRequester::MainForm, z);
    EXPECT_EQ(page.selectedPath(), z);
    EXPECT_EQ(form.CurrentFolder(), z);

    navitest::ClickRow(page.ShellTreeView1, nodeOf(page, x));
    EXPECT_EQ(form.CurrentFolder(), x);
    EXPECT_EQ(form.PhotoList().size(), 1u);
    EXPECT_EQ(firstLineOf(recent), x);
    EXPECT_EQ(page.selectedPath(), x);

    page.ShellTreeView1->expand(nodeOf(page, x));
    QTest::keyClick(page.ShellTreeView1, Qt::Key_Down);
    EXPECT_EQ(form.CurrentFolder(), y) << "the keys open folders as well";
    EXPECT_EQ(form.PhotoList().size(), 2u);

    form.SetCurrentFolder(z);
    QTest::mouseClick(page.RefreshButton, Qt::LeftButton);
    EXPECT_EQ(page.selectedPath(), y) << "a refresh keeps the selection";
    EXPECT_EQ(form.CurrentFolder(), z) << "and opens nothing";
    EXPECT_EQ(firstLineOf(recent), y);

    // Moved and resized, hidden and shown again: the same place and size.
    form.NaviForm->setGeometry(QRect(form.NaviForm->geometry().topLeft() + QPoint(37, 23), QSize(610, 700)));
    const QRect place = form.NaviForm->geometry();
    form.NavigatorVisibleAction->trigger();
    form.DoSelFolder(TFolderRequester::MainForm, x);
    form.NavigatorVisibleAction->trigger();
    EXPECT_EQ(page.selectedPath(), x) << "shown again, the tree comes to the open folder";
    EXPECT_EQ(form.NaviForm->geometry(), place);
}

TEST_F(FolderTreeTest, TheTreeReachesAFolderInsideAHiddenOneAndShowsNoOtherHiddenFolder) {
    TempFolder root;
    writePhoto(root, QStringLiteral(".photos/2024/a.jpg"));
    writePhoto(root, QStringLiteral(".cache/b.jpg"));
    const QString inside = root.path(".photos/2024");
    TMainForm form({inside});
    form.show();
    form.FromTreeAction->trigger();
    TFolderTreePage& page = *form.NaviForm->FolderSheet;
    EXPECT_EQ(page.selectedPath(), inside);
    EXPECT_TRUE(page.nodeOf(root.path(".photos")).isValid());
    EXPECT_FALSE(page.nodeOf(root.path(".cache")).isValid()) << "hidden folders off the way stay out";
}

TEST_F(FolderTreeTest, AfterASearchThePageChangeFollowsWithoutReopeningAndAClickReopens) {
    TempFolder root;
    writePhoto(root, QStringLiteral("x/a.jpg"), QStringLiteral("海"));
    writePhoto(root, QStringLiteral("x/b.jpg"), QStringLiteral("山"));
    writePhoto(root, QStringLiteral("w/c.jpg"));
    const QString x = root.path("x");
    TMainForm form({x});
    form.show();
    form.FromTreeAction->trigger();
    TFolderTreePage& page = *form.NaviForm->FolderSheet;
    EXPECT_EQ(page.selectedPath(), x);

    form.SearchAction->trigger();
    TSearchPage& search = *form.NaviForm->SearchSheet;
    navitest::TypeText(search.Keyword, QStringLiteral("海"));
    navitest::TypeText(search.PathEdit, x);
    QTest::mouseClick(search.DoBtn, Qt::LeftButton);
    ASSERT_EQ(form.PhotoList().size(), 1u);
    EXPECT_TRUE(page.selectedPath().isEmpty()) << "the search button clears the tree's selection";

    form.FromTreeAction->trigger();
    EXPECT_EQ(page.selectedPath(), x);
    EXPECT_EQ(form.PhotoList().size(), 1u) << "following the open folder does not replace the matches";

    navitest::ClickRow(page.ShellTreeView1, nodeOf(page, x));
    EXPECT_EQ(form.PhotoList().size(), 2u) << "a click on the selected folder opens it";
}
