// Full screen from the main window, as a user goes through it: entered with the windows
// docked, floating, independent or hidden, left by each of the four ways, and the
// windows found exactly as they were; stepping across both ends of the list.
#include "app/main_form.h"
#include "app/photo_list_view.h"
#include "app_fixture.h"
#include "support/temp_folder.h"
#include "ui/imagewin/full_screen_window.h"
#include "ui/imagewin/image_form.h"
#include "ui/imagewin/image_view.h"
#include "ui/infowin/image_info_form.h"
#include "ui/navigator/navi_form.h"

#include <QAction>
#include <QApplication>
#include <QTest>
#include <functional>
#include <memory>
#include <tuple>

using namespace tollamar;

namespace {

class MainFormFullScreenTest : public apptest::AppTest {
protected:
    std::unique_ptr<TMainForm> openWith(int photos) {
        for (int i = 0; i < photos; ++i)
            m_folder.write(QStringLiteral("p%1.jpg").arg(i), apptest::MakePhoto(160 + 8 * i, 120));
        auto form = std::make_unique<TMainForm>(QStringList{m_folder.path({})});
        form->show();
        EXPECT_TRUE(apptest::WaitFor([&] { return form->PhotoList().size() == size_t(photos); }));
        return form;
    }
    // Enters by the command and waits until the window takes the keys.
    static TFullScreenWindow* enter(TMainForm& form) {
        form.FS_StartAction->trigger();
        TFullScreenWindow* window = form.fullScreenWindow();
        if (window) {
            EXPECT_TRUE(apptest::WaitFor([&] { return QApplication::activeWindow() == window; }));
        }
        return window;
    }
    static bool shows(const TMainForm& form, int row) {
        return form.ListView1->selectedRow() == row &&
               form.ImageForm->shownFile() == form.PhotoList()[size_t(row)]->FileName;
    }

    testsupport::TempFolder m_folder;
};

// What full screen must leave as it found it.
struct Snapshot {
    QByteArray dockState;
    std::array<bool, 3> childOfMain;
    bool imageHidden, imageFloating, infoHidden, naviHidden;
    QRect imageGeometry;
    bool viewAtHome;
    Qt::CursorShape cursor;
    QList<bool> actionsVisible;

    static Snapshot of(const TMainForm& form) {
        const TMainForm::TSubFormLayout layout = form.saveSubFormLayout();
        QList<bool> visible;
        for (const QAction* a : {form.FS_StartAction, form.FS_NextAction, form.FS_PrevAction, form.FS_EndAction,
                                 form.ImageForm->AutoShowAction, form.EditComSegAction, form.SearchAction,
                                 form.SaveSegAction, form.LoadSegAction, form.ImageForm->Docking1})
            visible.append(a->isVisible());
        const TImageForm& image = *form.ImageForm;
        return {layout.dockState, layout.childOfMain, image.isHidden(), image.isFloating(),
                form.ImageInfoForm->isHidden(), form.NaviForm->isHidden(),
                image.geometry(), image.widget() == image.view(),
                image.view()->pictureCursor().shape(), visible};
    }
    bool operator==(const Snapshot&) const = default;
};

TEST_F(MainFormFullScreenTest, LeavingByEachWayPutsEveryWindowBackAsItWas) {
    const auto form = openWith(2);
    const std::pair<const char*, std::function<void(TFullScreenWindow*)>> ways[] = {
        {"Esc", [](TFullScreenWindow* w) { QTest::keyClick(w, Qt::Key_Escape); }},
        {"FS_EndAction", [&](TFullScreenWindow*) { form->FS_EndAction->trigger(); }},
        {"Ctrl+Alt+F", [](TFullScreenWindow* w) { QTest::keyClick(w, Qt::Key_F, Qt::ControlModifier | Qt::AltModifier); }},
        {"closing", [](TFullScreenWindow* w) { w->close(); }}};
    const std::pair<const char*, std::function<void()>> layouts[] = {
        {"docked", [] {}},
        {"floating and independent, navigator up, information hidden",
         [&] {
             form->ImageForm->setFloating(true);
             form->ImageForm->setGeometry(60, 70, 320, 240);
             form->ImageForm->StayOnTopMenu->trigger();
             form->NavigatorVisibleAction->trigger();
             form->InfoVisibleAction->trigger();
         }},
        {"image window hidden", [&] { form->ImageVisibleAction->trigger(); }}};
    for (const auto& [layoutName, arrange] : layouts) {
        arrange();
        QTest::qWait(50);  // the dock panel lays itself out after a change
        const Snapshot before = Snapshot::of(*form);
        for (const auto& [wayName, leave] : ways) {
            SCOPED_TRACE(std::string(layoutName) + ", left by " + wayName);
            TFullScreenWindow* window = enter(*form);
            ASSERT_NE(window, nullptr);
            EXPECT_TRUE(window->isFullScreen());
            EXPECT_EQ(form->ImageForm->view()->window(), window);
            const Snapshot inside = Snapshot::of(*form);
            EXPECT_EQ(inside.actionsVisible,
                      (QList<bool>{false, true, true, true, true, false, false, false, false, false}));
            // The windows stay put behind it (the tool bars shrink by the hidden commands).
            EXPECT_EQ(std::tie(inside.imageHidden, inside.imageFloating, inside.imageGeometry, inside.infoHidden),
                      std::tie(before.imageHidden, before.imageFloating, before.imageGeometry, before.infoHidden));
            leave(window);
            ASSERT_TRUE(apptest::WaitFor([&] { return form->fullScreenWindow() == nullptr; }));
            EXPECT_TRUE(Snapshot::of(*form) == before);
        }
    }
    EXPECT_TRUE(m_reports.isEmpty());
}

TEST_F(MainFormFullScreenTest, SteppingWrapsAroundAtBothEnds) {
    const auto form = openWith(3);
    form->ListView1->clearSelection();
    TFullScreenWindow* window = enter(*form);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(apptest::WaitFor([&] { return shows(*form, 0); }, 20000)) << "none selected: the first";
    QTest::keyClick(window, Qt::Key_Left);
    ASSERT_TRUE(apptest::WaitFor([&] { return shows(*form, 2); }, 20000)) << "back from the first: the last";
    QTest::keyClick(window, Qt::Key_Right);
    ASSERT_TRUE(apptest::WaitFor([&] { return shows(*form, 0); }, 20000)) << "on from the last: the first";
    form->FS_NextAction->trigger();
    EXPECT_EQ(form->ListView1->selectedRow(), 1);
    emit window->slideShow().next();
    EXPECT_EQ(form->ListView1->selectedRow(), 2);
    form->FS_PrevAction->trigger();
    EXPECT_EQ(form->ListView1->selectedRow(), 1);
    form->FS_EndAction->trigger();
    ASSERT_TRUE(apptest::WaitFor([&] { return form->fullScreenWindow() == nullptr; }));
    form->FS_NextAction->trigger();
    EXPECT_EQ(form->ListView1->selectedRow(), 1) << "no stepping outside full screen";
}

TEST_F(MainFormFullScreenTest, AnEmptyListHasNothingToShow) {
    const auto form = openWith(0);
    form->FS_StartAction->trigger();
    EXPECT_EQ(form->fullScreenWindow(), nullptr);
    EXPECT_TRUE(form->FS_StartAction->isVisible());
}

}  // namespace
