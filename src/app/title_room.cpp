#include "app/title_room.h"

#include "app/tmn_size_form.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QInputDialog>
#include <QLayout>
#include <QMessageBox>
#include <QScreen>
#include <algorithm>

namespace tollamar {
namespace {

// The icon, the three buttons and the padding of a title bar, measured on common
// window manager themes at their default sizes.
constexpr int kTitleBarExtras = 110;

bool sizesToContents(const QObject* window) {
    return qobject_cast<const QMessageBox*>(window) || qobject_cast<const QInputDialog*>(window) ||
           dynamic_cast<const TTmnSizeForm*>(window);
}

// Wider margins rather than a minimum width: the boxes compute their own fixed size
// from their layout when shown.
void makeRoom(QWidget& window) {
    QLayout* layout = window.layout();
    if (!layout) return;
    int wanted = TitleBarWidth(window);
    if (const QScreen* screen = window.screen()) wanted = std::min(wanted, screen->availableGeometry().width() * 4 / 5);
    // Some windows take their layout's minimum width, others its preferred one.
    const int missing =
        wanted - std::min(layout->totalMinimumSize().width(), layout->totalSizeHint().width());
    if (missing <= 0) return;
    const QMargins margins = layout->contentsMargins();
    layout->setContentsMargins(margins.left() + missing / 2, margins.top(), margins.right() + missing - missing / 2,
                               margins.bottom());
    // The window has taken its size from the layout already; it is not on screen yet.
    layout->activate();
    if (window.width() < wanted) window.resize(wanted, window.height());
}

class TitleRoom final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // Before the window's own show handling, which fixes the size of a message box.
        if (event->type() == QEvent::Show && !event->spontaneous() && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow() && sizesToContents(watched))
            makeRoom(*static_cast<QWidget*>(watched));
        return false;
    }
};

}  // namespace

int TitleBarWidth(const QWidget& window) {
    QFont font = window.font();
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(window.windowTitle()) + kTitleBarExtras;
}

void InstallTitleRoom() {
    static TitleRoom* room = nullptr;
    if (room) return;
    room = new TitleRoom(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(room);
}

}  // namespace tollamar
