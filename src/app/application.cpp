#include "app/application.h"

#include "app/app_globals.h"
#include "app/app_icon.h"
#include "app/font_record.h"
#include "app/title_room.h"
#include "imaging/jpeg_image.h"
#include "platform/errors.h"
#include "platform/notice.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTranslator>

namespace tollamar {

QTranslator* InstallQtTranslation(const QLocale& locale) {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(translator))
        return translator;
    delete translator;
    return nullptr;
}

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
    // The program's own texts are Japanese as written; only Qt's follow the locale.
    InstallQtTranslation(QLocale::system());
    InstallTitleRoom();
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
