#pragma once
// The window program's application object: the one place where errors that reach the
// event loop are caught and shown. Qt's own dialogs speak the user's language.

#include "app/modal_click_guard.h"

#include <QApplication>

class QLocale;
class QTranslator;

namespace tollamar {

// Installs Qt's own translation (button texts, file and folder pickers) for locale;
// the installed translator, or null when none is installed for that language.
QTranslator* InstallQtTranslation(const QLocale& locale);

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
