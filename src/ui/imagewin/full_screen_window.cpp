#include "ui/imagewin/full_screen_window.h"

#include "ui/imagewin/image_form.h"
#include "ui/imagewin/image_view.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

namespace tollamar {
namespace {

QScreen* screenFor(const TImageForm* form, const QWidget* owner) {
    if (form->isVisible()) return form->screen();
    if (owner) return owner->screen();
    return QGuiApplication::primaryScreen();
}

}  // namespace

TFullScreenWindow::TFullScreenWindow(TImageForm* form, QWidget* owner, TSlideShow::Clock clock)
    : QWidget(owner, Qt::Window | Qt::FramelessWindowHint),
      m_form(form),
      m_autoShow(form->AutoShowAction),
      m_screen(screenFor(form, owner)),
      m_slideShow(std::move(clock)) {
    setObjectName(QStringLiteral("FullScreenWindow"));
    setWindowTitle(form->windowTitle());
    setWindowModality(Qt::ApplicationModal);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    black.setColor(QPalette::WindowText, Qt::white);
    setPalette(black);
    setAutoFillBackground(true);
    setFont(form->font());  // the comment band keeps the image window's font
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_view = form->lendView();
    m_savedCursor = m_view->pictureCursor();
    m_view->setPictureCursor(Qt::ArrowCursor);
    layout->addWidget(m_view);
    m_view->show();
    connect(m_view, &TImageView::pictureClicked, this, &TFullScreenWindow::pictureClicked);
    addShortcut(QKeySequence(Qt::Key_Escape), [this] { emit leaveRequested(); });
    addShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_F), [this] { emit leaveRequested(); });
    addShortcut(QKeySequence(Qt::Key_Left), [this] { emit stepRequested(-1); });
    addShortcut(QKeySequence(Qt::Key_Right), [this] { emit stepRequested(1); });
    connect(&m_slideShow, &TSlideShow::next, this, [this] { emit stepRequested(1); });
    connect(form->AutoShowAction, &QAction::toggled, this, [this](bool on) { m_slideShow.setActive(on && isVisible()); });
    setScreen(m_screen);
    setGeometry(m_screen->geometry());
}

TFullScreenWindow::~TFullScreenWindow() {
    if (!m_view) return;
    disconnect(m_view, nullptr, this, nullptr);
    m_view->setPictureCursor(m_savedCursor);
    if (m_form) m_form->returnView();
}

void TFullScreenWindow::addShortcut(const QKeySequence& key, const std::function<void()>& run) {
    auto* shortcut = new QShortcut(key, this);
    connect(shortcut, &QShortcut::activated, this, run);
}

void TFullScreenWindow::pictureClicked(int clickGuard, Qt::KeyboardModifiers modifiers) {
    // A drag of two moves or more, or the click that brought the window forward, is no step.
    if (clickGuard >= 2) return;
    emit stepRequested(modifiers & Qt::ShiftModifier ? -1 : 1);
}

void TFullScreenWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    const QAction* autoShow = m_autoShow.data();
    m_slideShow.setActive(autoShow && autoShow->isChecked());
}

void TFullScreenWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    m_slideShow.setActive(false);
}

// Closing by the window manager leaves full screen the same way Esc does: the owner
// destroys the window.
void TFullScreenWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    emit leaveRequested();
}

}  // namespace tollamar
