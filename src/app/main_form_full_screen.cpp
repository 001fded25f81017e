// TMainForm: full screen. A window of its own shows the image window's picture over a
// whole screen; the main window steps its list's selection, which the image window
// follows as it always does. Nothing else is rearranged, so leaving by any way puts
// back exactly what was there: docking, placement, visibility, ownership.

#include "app/main_form.h"
#include "app/new_action.h"
#include "app/photo_list_model.h"
#include "app/photo_list_view.h"
#include "ui/imagewin/full_screen_window.h"
#include "ui/imagewin/image_form.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QTimer>
#include <utility>

namespace tollamar {
namespace {

// The row a step lands on: past either end it wraps around; with none selected the
// first row.
int steppedRow(int row, int count, int delta) {
    if (row < 0) return 0;
    return ((row + delta) % count + count) % count;
}

}  // namespace

void TMainForm::createFullScreenActions() {
    FS_StartAction = NewAction(this, "FS_StartAction", QStringLiteral("フルスクリーンで表示"));
    FS_StartAction->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_F));
    connect(FS_StartAction, &QAction::triggered, this, [this] { FS_StartActionExecute(); });
    // The shortcut works in the floating image window too.
    ImageForm->addAction(FS_StartAction);
    FS_NextAction = NewAction(this, "FS_NextAction", QStringLiteral("次へ"));
    connect(FS_NextAction, &QAction::triggered, this, [this] { stepFullScreen(1); });
    FS_PrevAction = NewAction(this, "FS_PrevAction", QStringLiteral("戻る"));
    connect(FS_PrevAction, &QAction::triggered, this, [this] { stepFullScreen(-1); });
    FS_EndAction = NewAction(this, "FS_EndAction", QStringLiteral("フルスクリーン解除"));
    // Chosen from the context menu, inside the full-screen window's own event handling:
    // the window goes once that has returned.
    connect(FS_EndAction, &QAction::triggered, this, [this] { QTimer::singleShot(0, this, [this] { leaveFullScreen(); }); });
    showFullScreenActions(false);
}

void TMainForm::FS_StartActionExecute() {
    if (m_fullScreen) FS_EndAction->trigger();
    else if (!m_photoList.empty()) enterFullScreen();
}

void TMainForm::enterFullScreen() {
    m_activeBeforeFullScreen = QApplication::activeWindow();
    if (ListView1->selectedRow() < 0) ListView1->selectRow(0);
    // The window first: should it fail, nothing else has changed yet.
    m_fullScreen = new TFullScreenWindow(ImageForm, this);
    showFullScreenActions(true);
    connect(m_fullScreen, &TFullScreenWindow::stepRequested, this, [this](int delta) { stepFullScreen(delta); });
    connect(m_fullScreen, &TFullScreenWindow::leaveRequested, this, [this] { leaveFullScreen(); }, Qt::QueuedConnection);
    m_fullScreen->showFullScreen();
    m_fullScreen->activateWindow();
}

void TMainForm::leaveFullScreen() {
    if (!m_fullScreen) return;
    // The window gives the view back to the image window as it goes.
    delete std::exchange(m_fullScreen, nullptr);
    showFullScreenActions(false);
    const int row = ListView1->selectedRow();
    if (row >= 0) ListView1->activeView()->scrollTo(m_model->index(row, 0), QAbstractItemView::EnsureVisible);
    // The window that had the keys gets them back, and with them its place in front: an
    // independent image window would otherwise end up behind the main window.
    QWidget* active = m_activeBeforeFullScreen.data();
    if (!active || !active->isVisible()) active = this;
    active->raise();
    active->activateWindow();
}

void TMainForm::stepFullScreen(int delta) {
    const int count = static_cast<int>(m_photoList.size());
    if (!m_fullScreen || count == 0) return;
    // The selection moves with the focus mark; the idle step makes the photo current.
    ListView1->selectRow(steppedRow(ListView1->selectedRow(), count, delta));
    m_fullScreen->slideShow().restart();
}

void TMainForm::showFullScreenActions(bool fullScreen) {
    for (QAction* action : {FS_NextAction, FS_PrevAction, FS_EndAction, ImageForm->AutoShowAction})
        action->setVisible(fullScreen);
    if (m_fullScreenSeparator) m_fullScreenSeparator->setVisible(fullScreen);
    // Commands that open dialogs or rearrange the windows wait until full screen ends.
    for (QAction* action : {FS_StartAction, EditComSegAction, SearchAction, SaveSegAction, LoadSegAction,
                            ImageForm->Docking1, ImageForm->StayOnTopMenu})
        action->setVisible(!fullScreen);
}

}  // namespace tollamar
