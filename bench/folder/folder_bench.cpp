// bench_folder FOLDER
// Opens FOLDER in a real main window (run it under Xvfb) and prints: the time from
// DoSelFolder to the end of the first paint of the list with rows in it, the time until
// every entry is filled, the longest idle step, and the peak resident memory.

#include "app/app_globals.h"
#include "app/main_form.h"
#include "app/photo_list_view.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

using namespace tollamar;

namespace {

// Notes when a paint of the list's viewport has finished.
class BenchApplication : public QApplication {
public:
    using QApplication::QApplication;
    QWidget* watched = nullptr;
    qint64 paintedAt = -1;
    const QElapsedTimer* clock = nullptr;
    const TMainForm* form = nullptr;

    bool notify(QObject* receiver, QEvent* event) override {
        const bool result = QApplication::notify(receiver, event);
        if (paintedAt < 0 && clock && receiver == watched && event->type() == QEvent::Paint &&
            !form->PhotoList().empty())
            paintedAt = clock->elapsed();
        return result;
    }
};

bool allLoaded(const TMainForm& form) {
    return std::all_of(form.PhotoList().begin(), form.PhotoList().end(),
                       [](const auto& entry) { return entry->isLoaded(); });
}

long peakResidentKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
    BenchApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_folder FOLDER\n");
        return 2;
    }
    int reports = 0;
    SetReportHook([&](const QString& text, bool) {
        if (++reports <= 3) std::fprintf(stderr, "report: %s\n", qPrintable(text));
    });
    QTemporaryDir empty;
    TMainForm form({empty.path()});
    form.resize(1000, 700);
    form.show();
    const qint64 deadline = QDateTime::currentMSecsSinceEpoch() + 3000;
    while (QDateTime::currentMSecsSinceEpoch() < deadline) QApplication::processEvents(QEventLoop::AllEvents, 50);

    qint64 longestStep = 0;
    int steps = 0;
    QObject::connect(&form, &TMainForm::idleStepFinished, [&](qint64 ms, bool) {
        longestStep = std::max(longestStep, ms);
        ++steps;
    });
    QElapsedTimer clock;
    app.watched = form.ListView1->activeView()->viewport();
    app.form = &form;
    app.clock = &clock;
    clock.start();
    form.DoSelFolder(TFolderRequester::MainForm, QString::fromLocal8Bit(argv[1]));
    const qint64 scanned = clock.elapsed();
    while (!allLoaded(form)) QApplication::processEvents(QEventLoop::AllEvents, 5);
    const qint64 filled = clock.elapsed();
    std::printf("entries %zu\nscan_ms %lld\nfirst_paint_ms %lld\nall_filled_ms %lld\n"
                "longest_idle_step_ms %lld\nidle_steps %d\npeak_rss_mb %.1f\nerror_reports %d\n",
                form.PhotoList().size(), static_cast<long long>(scanned),
                static_cast<long long>(app.paintedAt), static_cast<long long>(filled),
                static_cast<long long>(longestStep), steps, static_cast<double>(peakResidentKb()) / 1024.0, reports);
    form.hide();
    return 0;
}
