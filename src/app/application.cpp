#include "app/application.h"

#include "app/app_globals.h"
#include "app/app_icon.h"
#include "app/font_record.h"
#include "platform/errors.h"
#include "platform/notice.h"

namespace tollamar {

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
    SetAppTitle(QStringLiteral("Tollamar"));
    setApplicationName(AppTitle());
    // Lets the desktop match the windows to the installed menu entry and its icon.
    setDesktopFileName(QStringLiteral("org.tollworks.Tollamar"));
    setWindowIcon(AppIcon());
    InstallFontSubstitutes();
    installNativeEventFilter(&m_modalClickGuard);
    SetNoticeHandler([](const QString& text) { ReportNotice(text); });
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    bool handled = true;
    RunReporting([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

}  // namespace tollamar
