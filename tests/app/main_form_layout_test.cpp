// The main window's sub-windows as a user handles them: visibility commands, docking
// order, minimising and restoring with floating windows, and the font command.
#include "app/font_record.h"
#include "app/ini_file.h"
#include "app/main_form.h"
#include "app/photo_list_view.h"
#include "app_fixture.h"
#include "ui/imagewin/image_form.h"
#include "ui/infowin/image_info_form.h"
#include "ui/navigator/navi_form.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontDialog>
#include <QTimer>

using namespace tollamar;

namespace {

using MainFormLayoutTest = apptest::AppTest;

QString texts(const QAction* action) { return action->text() + u'|' + action->statusTip(); }

bool imageAboveInfo(const TMainForm& form) {
    return form.ImageForm->isDocked() && form.ImageInfoForm->isDocked() &&
           form.ImageForm->geometry().bottom() < form.ImageInfoForm->geometry().top();
}

}  // namespace

TEST_F(MainFormLayoutTest, VisibilityCommandsNameWhatTheyWillDo) {
    TMainForm form({});
    form.show();
    EXPECT_EQ(texts(form.NavigatorVisibleAction), QStringLiteral("Navigatorウィンドウを表示|Navigatorウィンドウを表示します"));
    EXPECT_EQ(texts(form.ImageVisibleAction), QStringLiteral("画像ウィンドウを隠す|画像ウィンドウを隠します"));
    EXPECT_EQ(texts(form.InfoVisibleAction), QStringLiteral("画像情報ウィンドウを隠す|画像情報ウィンドウを隠します"));
    form.ImageVisibleAction->trigger();
    form.NavigatorVisibleAction->trigger();
    EXPECT_TRUE(form.ImageForm->isHidden());
    EXPECT_EQ(texts(form.ImageVisibleAction), QStringLiteral("画像ウィンドウを表示|画像ウィンドウを表示します"));
    EXPECT_EQ(texts(form.NavigatorVisibleAction), QStringLiteral("Navigatorウィンドウを隠す|Navigatorウィンドウを隠します"));
    EXPECT_FALSE(form.ImageVisibleAction->isChecked());
    EXPECT_TRUE(form.NavigatorVisibleAction->isChecked());
    form.close();
}

TEST_F(MainFormLayoutTest, DockingPutsTheImageWindowAboveTheInformationWindowWhicheverComesFirst) {
    TMainForm form({});
    form.show();
    ASSERT_TRUE(apptest::WaitFor([&] { return imageAboveInfo(form); }));
    EXPECT_FALSE(form.ImageForm->Docking1->isEnabled());
    EXPECT_FALSE(form.NaviForm->Docking1->isEnabled());
    // The user dragged the information window above the image window, then floated the
    // image window: docking it again restores the order.
    form.splitDockWidget(form.ImageInfoForm, form.ImageForm, Qt::Vertical);
    ASSERT_TRUE(apptest::WaitFor([&] { return form.ImageInfoForm->geometry().bottom() < form.ImageForm->geometry().top(); }));
    form.ImageForm->setFloating(true);
    ASSERT_TRUE(form.ImageForm->Docking1->isEnabled());
    form.ImageForm->Docking1->trigger();
    ASSERT_TRUE(apptest::WaitFor([&] { return imageAboveInfo(form); }));
    // Both floating, the information window docked first.
    form.ImageForm->setFloating(true);
    form.ImageInfoForm->setFloating(true);
    form.ImageInfoForm->Docking1->trigger();
    ASSERT_TRUE(apptest::WaitFor([&] { return form.ImageInfoForm->isDocked() && form.ImageInfoForm->isVisible(); }));
    form.ImageForm->Docking1->trigger();
    ASSERT_TRUE(apptest::WaitFor([&] { return imageAboveInfo(form); }));
    form.close();
}

TEST_F(MainFormLayoutTest, MinimisingHidesTheFloatingWindowsAndRestoringBringsBackThoseOnly) {
    TMainForm form({});
    form.show();
    form.NavigatorVisibleAction->trigger();
    form.ImageForm->setFloating(true);
    form.ImageForm->show();
    ASSERT_TRUE(form.NaviForm->isVisible() && form.ImageForm->isVisible() && form.ImageInfoForm->isVisible());
    form.setWindowState(Qt::WindowMinimized);
    EXPECT_TRUE(form.NaviForm->isHidden());
    EXPECT_TRUE(form.ImageForm->isHidden());
    EXPECT_FALSE(form.ImageInfoForm->isHidden());  // docked: it goes with the main window
    EXPECT_EQ(form.hiddenByMinimize(), (std::array<bool, 3>{true, true, false}));
    form.setWindowState(Qt::WindowNoState);
    EXPECT_TRUE(form.NaviForm->isVisible());
    EXPECT_TRUE(form.ImageForm->isVisible() && form.ImageForm->isFloating());
    EXPECT_EQ(form.hiddenByMinimize(), (std::array<bool, 3>{}));
    // A window the user hid before minimising stays hidden afterwards.
    form.ImageVisibleAction->trigger();
    form.setWindowState(Qt::WindowMinimized);
    form.setWindowState(Qt::WindowNoState);
    EXPECT_TRUE(form.ImageForm->isHidden());
    form.close();
}

TEST_F(MainFormLayoutTest, ChosenFontIsStoredAtOnceAndHandedToTheSubWindows) {
    const QStringList families = QFontDatabase::families();
    ASSERT_FALSE(families.isEmpty());
    TMainForm form({});
    form.show();
    QFont chosen(families.constLast());
    chosen.setPointSize(15);
    chosen.setItalic(true);
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->setCurrentFont(chosen);
        dialog->accept();
    });
    form.FontSelectAction->trigger();
    const QFont shown = form.ListView1->font();
    EXPECT_EQ(shown.family(), chosen.family());
    EXPECT_TRUE(shown.italic());
    EXPECT_EQ(form.ImageForm->font(), shown);
    EXPECT_EQ(form.ImageInfoForm->font(), shown);
    // Read back while the window is still open: nothing else has written the file yet.
    const TIniFile ini(apptest::SettingsFile(QStringLiteral("MainForm.INI")));
    const std::optional<QByteArray> record = FontRecordFromHex(ini.ReadString(u"App", u"Font", {}));
    ASSERT_TRUE(record.has_value());
    const std::optional<QFont> stored = FontFromRecord(*record, QFont());
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->family(), chosen.family());
    EXPECT_TRUE(stored->italic());
    form.close();
}

TEST_F(MainFormLayoutTest, SavedSubWindowLayoutComesBackAfterTheWindowsWereRearranged) {
    TMainForm form({});
    form.show();
    form.ImageForm->setFloating(true);
    form.ImageForm->setGeometry(40, 50, 300, 200);
    form.ImageForm->StayOnTopMenu->trigger();
    form.InfoVisibleAction->trigger();
    const TMainForm::TSubFormLayout saved = form.saveSubFormLayout();
    form.ImageForm->Docking1->trigger();
    form.ImageForm->setChildOfMain(true);
    form.InfoVisibleAction->trigger();
    ASSERT_TRUE(form.ImageForm->isDocked() && form.ImageInfoForm->isVisible());
    ASSERT_TRUE(form.restoreSubFormLayout(saved));
    EXPECT_TRUE(form.ImageForm->isFloating());
    EXPECT_FALSE(form.ImageForm->ChildOfMain());
    EXPECT_FALSE(form.ImageForm->StayOnTopMenu->isChecked());
    EXPECT_TRUE(form.ImageInfoForm->isHidden());
    EXPECT_EQ(form.InfoVisibleAction->text(), QStringLiteral("画像情報ウィンドウを表示"));
    form.close();
}
