// The full-screen display over the image window, and its slide show on a clock the
// test turns by hand. The program runs with two screens side by side.
#include "app/item_data.h"
#include "app_fixture.h"
#include "imaging/jpeg_thread.h"
#include "support/temp_folder.h"
#include "ui/imagewin/full_screen_window.h"
#include "ui/imagewin/image_form.h"
#include "ui/imagewin/image_view.h"
#include "ui/imagewin/slide_show.h"

#include <QAction>
#include <QApplication>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace tollamar;

namespace {

TEST(SlideShow, StepsAfterSixSecondsOfQuietAcrossTheCounterWrap) {
    apptest::EnsureApplication();
    quint32 now = 1000;
    TSlideShow show([&] { return now; });
    QSignalSpy next(&show, &TSlideShow::next);
    now += 60000;
    show.tick();
    EXPECT_EQ(next.count(), 0) << "off until switched on";

    show.setActive(true);  // the wait starts now
    now += 6000;
    show.tick();
    EXPECT_EQ(next.count(), 0);
    now += 1;
    show.tick();
    EXPECT_EQ(next.count(), 1);
    now += 3000;
    show.tick();
    EXPECT_EQ(next.count(), 1) << "the step itself restarts the wait";

    // A key step restarts the wait: the next automatic step is six seconds after it.
    now += 2000;
    show.restart();
    now += 5000;
    show.tick();
    EXPECT_EQ(next.count(), 1);
    now += 1001;
    show.tick();
    EXPECT_EQ(next.count(), 2);

    // Near the top of the 32-bit counter: a quarter second is no wait, 6.1 s past the
    // wrap is.
    now = 0xFFFFF000u;
    show.restart();
    now += 256;
    show.tick();
    EXPECT_EQ(next.count(), 2);
    now = 0x00000800u;
    show.tick();
    EXPECT_EQ(next.count(), 3);

    show.setActive(false);
    now += 60000;
    show.tick();
    EXPECT_EQ(next.count(), 3);
}

class FullScreenTest : public apptest::AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        ASSERT_EQ(QGuiApplication::screens().size(), 2) << "run with the two-screen offscreen configuration";
        m_form = std::make_unique<TImageForm>(nullptr);
        m_form->setShowComment(true);
        m_form->show();
        ASSERT_TRUE(apptest::WaitFor([&] { return m_form->isVisible(); }));
    }
    void TearDown() override {
        m_window.reset();
        m_form.reset();
        AppTest::TearDown();
    }
    std::unique_ptr<TItemData> entry(int width, int height, const QString& comment) {
        const QString name = QStringLiteral("%1x%2.jpg").arg(width).arg(height);
        auto item = std::make_unique<TItemData>(m_folder.write(name, apptest::MakePhoto(width, height, comment)));
        item->Comment = comment;
        item->Thumbnail = QImage(8, 8, QImage::Format_RGB32);
        return item;
    }
    bool showAndWait(const TItemData* item) {
        QSignalSpy shown(m_form.get(), &TImageForm::pictureShown);
        m_form->ShowItem(item);
        return shown.wait(20000) && m_form->shownFile() == item->FileName;
    }
    void enter() {
        m_window = std::make_unique<TFullScreenWindow>(m_form.get(), nullptr);
        m_window->showFullScreen();
        m_window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    }
    TImageView& view() { return *m_form->view(); }
    QPoint pictureCentre() { return view().pictureArea().center() + QPoint(0, view().pictureArea().height() / 4); }

    testsupport::TempFolder m_folder;
    std::unique_ptr<TImageForm> m_form;
    std::unique_ptr<TFullScreenWindow> m_window;
};

// The display borrows the view on the image window's screen and gives it back as it
// was; the keys are its own and only Esc, the arrows and Ctrl+Alt+F do anything.
TEST_F(FullScreenTest, OpensOnTheImageWindowsScreenAndHandlesItsOwnKeys) {
    QScreen* right = QGuiApplication::screens().at(1);
    m_form->setGeometry(right->geometry().left() + 100, 100, 400, 300);
    ASSERT_TRUE(apptest::WaitFor([&] { return m_form->screen() == right; }));
    const QCursor cursor = view().pictureCursor();
    enter();
    EXPECT_EQ(m_window->targetScreen(), right);
    ASSERT_TRUE(apptest::WaitFor([&] { return m_window->geometry() == right->geometry(); }));
    EXPECT_EQ(view().window(), m_window.get());
    EXPECT_TRUE(m_form->isVisible());
    EXPECT_EQ(view().pictureCursor().shape(), Qt::ArrowCursor);

    QSignalSpy steps(m_window.get(), &TFullScreenWindow::stepRequested);
    QSignalSpy leave(m_window.get(), &TFullScreenWindow::leaveRequested);
    for (const int key : {int(Qt::Key_Down), int(Qt::Key_Return), int(Qt::Key_Space), int(Qt::Key_F3)})
        QTest::keyClick(m_window.get(), Qt::Key(key));
    QTest::keyClick(m_window.get(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(steps.count() + leave.count(), 0);
    QTest::keyClick(m_window.get(), Qt::Key_Right);
    QTest::keyClick(m_window.get(), Qt::Key_Left);
    ASSERT_EQ(steps.count(), 2);
    EXPECT_EQ(steps.at(0).at(0).toInt(), 1);
    EXPECT_EQ(steps.at(1).at(0).toInt(), -1);
    QTest::keyClick(m_window.get(), Qt::Key_Escape);
    QTest::keyClick(m_window.get(), Qt::Key_F, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_FALSE(m_window->close()) << "closing asks the owner to leave";
    EXPECT_EQ(leave.count(), 3);

    m_window.reset();
    EXPECT_EQ(m_form->widget(), &view());
    EXPECT_TRUE(view().isVisible());
    EXPECT_EQ(view().pictureCursor().shape(), cursor.shape());
    EXPECT_FALSE(m_form->viewLent());
}

// A click steps on, a Shift-click back; a drag of two moves or more does not step and a
// double-click asks for no editor.
TEST_F(FullScreenTest, ClicksStepAndDragsDoNot) {
    const auto photo = entry(640, 480, {});
    ASSERT_TRUE(showAndWait(photo.get()));
    enter();
    ASSERT_TRUE(apptest::WaitFor([&] { return view().pictureArea().width() > 640; }));
    QSignalSpy steps(m_window.get(), &TFullScreenWindow::stepRequested);
    QSignalSpy editor(m_form.get(), &TImageForm::editCommentRequested);
    QWidget* area = view().viewport();
    const QPoint at = pictureCentre();
    QTest::mouseClick(area, Qt::LeftButton, {}, at);
    QTest::mouseClick(area, Qt::LeftButton, Qt::ShiftModifier, at);
    ASSERT_EQ(steps.count(), 2);
    EXPECT_EQ(steps.at(0).at(0).toInt(), 1);
    EXPECT_EQ(steps.at(1).at(0).toInt(), -1);

    QTest::mousePress(area, Qt::LeftButton, {}, at);
    QTest::mouseMove(area, at + QPoint(3, 0));
    QTest::mouseRelease(area, Qt::LeftButton, {}, at + QPoint(3, 0));
    EXPECT_EQ(steps.count(), 3) << "one small move is still a click";
    QTest::mousePress(area, Qt::LeftButton, {}, at);
    QTest::mouseMove(area, at + QPoint(3, 0));
    QTest::mouseMove(area, at + QPoint(6, 0));
    QTest::mouseRelease(area, Qt::LeftButton, {}, at + QPoint(6, 0));
    EXPECT_EQ(steps.count(), 3);

    QTest::mouseDClick(area, Qt::LeftButton, {}, at);
    EXPECT_EQ(editor.count(), 0);
}

// While the next photo decodes the previous one stays up; every paint shows a picture
// with its own comment, never the next picture under the previous comment or the reverse.
TEST_F(FullScreenTest, PictureAndCommentChangeTogether) {
    const auto first = entry(400, 300, QStringLiteral("一枚目"));
    const auto second = entry(3000, 2000, QStringLiteral("二枚目"));
    ASSERT_TRUE(showAndWait(first.get()));
    enter();
    QStringList painted;
    struct PaintProbe : QObject {
        TImageView* view;
        QStringList* painted;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint)
                painted->append(QString::number(view->picture().width()) + u' ' + view->overlayText());
            return false;
        }
    } probe;
    probe.view = &view();
    probe.painted = &painted;
    view().viewport()->installEventFilter(&probe);
    m_form->ShowItem(second.get());
    ASSERT_TRUE(apptest::WaitFor([&] { return TJpegThread::RunningCount() > 0; }));
    EXPECT_EQ(view().picture().width(), 400);
    EXPECT_TRUE(m_form->ImageData().isNull()) << "the picture up is not the current photo's";
    EXPECT_FALSE(view().statusVisible());
    ASSERT_TRUE(apptest::WaitFor([&] { return m_form->shownFile() == second->FileName && !m_form->ImageData().isNull(); }, 20000));
    ASSERT_TRUE(apptest::WaitFor([&] { return !painted.isEmpty() && painted.last().startsWith(u"3000"); }));
    view().viewport()->removeEventFilter(&probe);
    for (const QString& paint : painted)
        EXPECT_TRUE(paint == QStringLiteral("400 一枚目") || paint == QStringLiteral("3000 二枚目")) << paint.toStdString();
}

// The slide show runs only while the display is up and 自動更新 is checked.
TEST_F(FullScreenTest, SlideShowFollowsTheSwitchAndTheWindow) {
    m_form->AutoShowAction->setChecked(true);
    enter();
    EXPECT_TRUE(m_window->slideShow().isActive());
    m_form->AutoShowAction->setChecked(false);
    EXPECT_FALSE(m_window->slideShow().isActive());
    m_form->AutoShowAction->setChecked(true);
    EXPECT_TRUE(m_window->slideShow().isActive());
    m_window->hide();
    EXPECT_FALSE(m_window->slideShow().isActive());
}

}  // namespace
