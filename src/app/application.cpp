#include "app/application.h"

#include "app/app_globals.h"
#include "app/app_icon.h"
#include "app/font_record.h"
#include "imaging/jpeg_image.h"
#include "platform/errors.h"
#include "platform/notice.h"

#include <QScreen>

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
    if (const QScreen* screen = primaryScreen()) SetJpegDefaults(JpegDefaultsForScreenDepth(screen->depth()));
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    bool handled = true;
    RunReporting([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

}  // namespace tollamar
