#include "app/application.h"

#include "app/app_globals.h"
#include "app/font_record.h"
#include "platform/errors.h"
#include "platform/notice.h"

namespace tollamar {

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
    SetAppTitle(QStringLiteral("Tollamar"));
    setApplicationName(AppTitle());
    InstallFontSubstitutes();
    SetNoticeHandler([](const QString& text) { ReportNotice(text); });
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const Error& e) {
        ReportError(e.message());
    } catch (const std::bad_alloc&) {
        ReportError(QStringLiteral("メモリが不足しています"));
    } catch (const std::exception& e) {
        ReportError(QString::fromUtf8(e.what()));
    }
    return true;
}

}  // namespace tollamar
