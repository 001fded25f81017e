#pragma once
// TFullScreenWindow: the image window's picture over a whole screen, black around it.
// A frameless top-level window of its own, made on entering full screen and destroyed
// on leaving: it borrows the image window's view and gives it back when destroyed, so
// the image window keeps its place, docking and visibility throughout. It blocks input
// to the other windows while it is up.
//
// It steps nothing itself: keys, clicks and the slide show ask for a step, and the main
// window moves its selection, which the image window follows as always. The main
// window's shortcuts do not reach a window of its own, so this one carries Esc, the
// arrows and Ctrl+Alt+F.

#include "ui/imagewin/slide_show.h"

#include <QCursor>
#include <QPointer>
#include <QWidget>

class QAction;
class QScreen;

namespace tollamar {

class TImageForm;
class TImageView;

class TFullScreenWindow : public QWidget {
    Q_OBJECT

public:
    // Borrows form's view and shows it full screen on the screen the image window is on,
    // or the owner's when the image window is hidden. clock drives the slide show.
    TFullScreenWindow(TImageForm* form, QWidget* owner, TSlideShow::Clock clock = {});
    ~TFullScreenWindow() override;

    // The screen it was placed on.
    QScreen* targetScreen() const { return m_screen; }
    TSlideShow& slideShow() { return m_slideShow; }

signals:
    // One photo on (+1) or back (-1): the arrows, a click (with Shift: back), the slide show.
    void stepRequested(int delta);
    // Esc, Ctrl+Alt+F or closing the window.
    void leaveRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void addShortcut(const QKeySequence& key, const std::function<void()>& run);
    void pictureClicked(int clickGuard, Qt::KeyboardModifiers modifiers);

    QPointer<TImageForm> m_form;
    QPointer<QAction> m_autoShow;
    QPointer<TImageView> m_view;
    QScreen* m_screen;
    QCursor m_savedCursor;
    TSlideShow m_slideShow;
};

}  // namespace tollamar
