// bench_comment_run FOLDER TEXT
// Opens FOLDER in a real main window (run it under Xvfb; xdotool holds the keys) and
// runs the comment command on it as a user does: the editor on the first photo gets
// TEXT and is confirmed with Ctrl and Shift held, the question is answered Yes, and the
// set-all run writes every listed photo inside its progress dialog. Prints the time
// from the dialog appearing to its closing, the time of the whole command, and how
// many files hold TEXT afterwards.

#include "app/app_globals.h"
#include "app/main_form.h"
#include "app/photo_list_view.h"
#include "jpegfile/comment_io.h"
#include "platform/errors.h"
#include "ui/dialogs/edit_text_dlg.h"
#include "ui/dialogs/progress_dlg.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

using namespace tollamar;

namespace {

// Notes when the progress dialog is shown and hidden.
class RunClock : public QObject {
public:
    QElapsedTimer clock;
    qint64 shownAt = -1;
    qint64 hiddenAt = -1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (dynamic_cast<TProgressDlg*>(watched)) {
            if (event->type() == QEvent::Show && shownAt < 0) shownAt = clock.elapsed();
            if (event->type() == QEvent::Hide && hiddenAt < 0) hiddenAt = clock.elapsed();
        }
        return false;
    }
};

// The user's part: type, hold Ctrl and Shift while pressing OK, answer Yes.
void answerModalWindows(const QString& text) {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* editor = dynamic_cast<TEditTextDlg*>(modal)) {
        editor->RichEdit1->setPlainText(text);
        QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("keydown"), QStringLiteral("ctrl+shift")});
        editor->OKBtn->click();
        QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("keyup"), QStringLiteral("ctrl+shift")});
    } else if (auto* box = dynamic_cast<QMessageBox*>(modal)) {
        box->button(QMessageBox::Yes)->click();
    }
}

bool waitFor(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_comment_run FOLDER TEXT\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString text = QString::fromLocal8Bit(argv[2]);
    int reports = 0;
    SetReportHook([&](const QString& message, bool) {
        if (++reports <= 3) std::fprintf(stderr, "report: %s\n", qPrintable(message));
    });
    TMainForm form({folder});
    form.resize(1000, 700);
    form.show();
    // The rows on screen are loaded before the user starts; the rest may still be
    // loading, as when a user starts at once.
    if (!waitFor([&] { return !form.PhotoList().empty() && form.PhotoList()[0]->isLoaded(); }, 60000)) return 1;
    waitFor([] { return false; }, 1000);
    form.ListView1->selectRow(0);
    form.SetCurrentItem(form.PhotoList()[0].get());

    RunClock run;
    app.installEventFilter(&run);
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] { answerModalWindows(text); });
    driver.start(10);
    run.clock.start();
    form.EditComSegAction->trigger();
    const qint64 commandMs = run.clock.elapsed();
    driver.stop();

    int holding = 0;
    for (const auto& entry : form.PhotoList()) {
        try {
            if (ReadComment(entry->FileName) == text) ++holding;
        } catch (const Error&) {
        }
    }
    std::printf("files %zu\nwritten %d\nreports %d\n", form.PhotoList().size(), holding, reports);
    std::printf("gui_run_ms %lld\ngui_command_ms %lld\n", static_cast<long long>(run.hiddenAt - run.shownAt),
                static_cast<long long>(commandMs));
    form.close();
    return holding == static_cast<int>(form.PhotoList().size()) ? 0 : 1;
}
