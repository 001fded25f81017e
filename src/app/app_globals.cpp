#include "app/app_globals.h"

#include "platform/errors.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

namespace tollamar {
namespace {

struct Globals {
    QString title = QStringLiteral("Tollamar");
    bool modalBusy = false;
    ReportHook hook;
};

Globals& globals() {
    static Globals g;
    return g;
}

// The caption activity follows ModalBusy: repaint the frames of the visible windows so
// that the title bars are redrawn.
void refreshWindows() {
    if (!qApp) return;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible()) w->update();
}

void showBox(const QString& text, bool isError) {
    Globals& g = globals();
    if (g.hook) {
        g.hook(text, isError);
        return;
    }
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
    QMessageBox box(isError ? QMessageBox::Critical : QMessageBox::Information, g.title, text,
                    QMessageBox::Ok, QApplication::activeWindow());
    ModalBracket bracket;
    box.exec();
}

}  // namespace

QString AppTitle() { return globals().title; }
void SetAppTitle(const QString& title) { globals().title = title; }

void BeginModal() {
    if (globals().modalBusy) return;
    globals().modalBusy = true;
    refreshWindows();
}

void EndModal() {
    if (!globals().modalBusy) return;
    globals().modalBusy = false;
    refreshWindows();
}

bool ModalBusy() { return globals().modalBusy; }

void ReportError(const QString& text) { showBox(text, true); }
void ReportNotice(const QString& text) { showBox(text, false); }

void SetReportHook(ReportHook hook) { globals().hook = std::move(hook); }

void RunReporting(const std::function<void()>& work) {
    try {
        work();
    } catch (const Error& e) {
        ReportError(e.message());
    } catch (const std::bad_alloc&) {
        ReportError(QStringLiteral("メモリが不足しています"));
    } catch (const std::exception& e) {
        ReportError(QString::fromUtf8(e.what()));
    }
}

}  // namespace tollamar
