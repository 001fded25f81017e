#pragma once
// While a command's dialog is open (ModalBusy), a mouse press on the main window or a
// sub-window does nothing but sound the beep when the program is active, or bring the
// dialog to the front when it is not. Qt already refuses input to windows blocked by a
// modal dialog; this adds the feedback, on X11.

#include <QAbstractNativeEventFilter>

namespace tollamar {

class TModalClickGuard final : public QAbstractNativeEventFilter {
public:
    // True (the press is dropped) for a left, right or middle press on one of the
    // program's windows other than the open dialog while ModalBusy.
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
};

}  // namespace tollamar
