#pragma once
// The window program's application object: the one place where errors that reach the
// event loop are caught and shown.

#include "app/modal_click_guard.h"

#include <QApplication>

namespace tollamar {

class TApplication : public QApplication {
public:
    TApplication(int& argc, char** argv);

    // Delivers the event; an exception from a handler is shown in the standard error
    // report and the event counts as handled.
    bool notify(QObject* receiver, QEvent* event) override;

private:
    TModalClickGuard m_modalClickGuard;
};

}  // namespace tollamar
