#include "app/modal_click_guard.h"

#include "app/app_globals.h"

#include <QApplication>
#include <QWidget>
#include <cstdint>
#include <cstring>
#include <optional>

namespace tollamar {
namespace {

// Qt's X11 back end receives the mouse through the X Input extension (version 2): a
// press arrives as a generic event (code 35) of type XI_ButtonPress (4), with the
// button at byte 16 and the window at byte 24; a server without it sends the core
// ButtonPress (code 4, button at byte 1, window at byte 12). Both as the protocol lays
// them out on the wire.
constexpr uint8_t kCoreButtonPress = 4;
constexpr uint8_t kGenericEvent = 35;
constexpr uint16_t kXiButtonPress = 4;

struct Press {
    uint32_t button;
    uint32_t window;
};

template <typename T>
T readAt(const unsigned char* bytes, size_t offset) {
    T value;
    std::memcpy(&value, bytes + offset, sizeof value);
    return value;
}

std::optional<Press> buttonPress(const void* message) {
    const auto* bytes = static_cast<const unsigned char*>(message);
    const uint8_t code = bytes[0] & 0x7F;
    if (code == kCoreButtonPress) return Press{bytes[1], readAt<uint32_t>(bytes, 12)};
    if (code == kGenericEvent && readAt<uint16_t>(bytes, 8) == kXiButtonPress)
        return Press{readAt<uint32_t>(bytes, 16), readAt<uint32_t>(bytes, 24)};
    return std::nullopt;
}

// True when window is one of the program's windows other than the open dialog.
bool isBlockedWindow(uint32_t window) {
    const QWidget* modal = QApplication::activeModalWidget();
    for (const QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->internalWinId() == window) return w != modal;
    return false;
}

}  // namespace

bool TModalClickGuard::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (!ModalBusy() || eventType != "xcb_generic_event_t") return false;
    const std::optional<Press> press = buttonPress(message);
    if (!press || press->button < 1 || press->button > 3 || !isBlockedWindow(press->window)) return false;
    if (QGuiApplication::applicationState() == Qt::ApplicationActive) {
        QApplication::beep();
    } else if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->raise();
        modal->activateWindow();
    }
    return true;
}

}  // namespace tollamar
