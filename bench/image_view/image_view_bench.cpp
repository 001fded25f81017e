// bench_image_view FOLDER view ROUNDS
//   Selects the folder's photos in a real main window (run it under Xvfb) and prints,
//   per photo, the time from the selection to the end of the first paint of the full
//   picture on a cache miss, next to a bare in-process libjpeg float decode of the same
//   file; then the same for a cache hit; and the longest gap between the ticks of a
//   1 ms timer on the interface thread while decodes ran.
// bench_image_view FOLDER step CACHE_MB
//   Presses the down arrow 30 times in 1.5 s in the list and prints the decodes still
//   running after the last key and the peak resident memory.

#include "app/main_form.h"
#include "app/photo_list_view.h"
#include "window_bench.h"
#include "imaging/jpeg_thread.h"
#include "ui/imagewin/image_form.h"
#include "ui/imagewin/image_view.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

using namespace tollamar;

namespace {

// Notes when a paint of the watched widget has finished.
class BenchApplication : public QApplication {
public:
    using QApplication::QApplication;
    QObject* watched = nullptr;
    int paints = 0;

    bool notify(QObject* receiver, QEvent* event) override {
        const bool result = QApplication::notify(receiver, event);
        if (receiver == watched && event->type() == QEvent::Paint) ++paints;
        return result;
    }
};

// The longest time the interface thread kept a 1 ms timer waiting.
class StallMeter {
public:
    StallMeter() {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (m_clock.isValid()) m_longest = std::max(m_longest, m_clock.restart());
            else m_clock.start();
        });
    }
    void start() {
        m_clock.invalidate();
        m_timer.start(1);
    }
    void stop() { m_timer.stop(); }
    qint64 longest() const { return m_longest; }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_longest = 0;
};

double g_shownMs = 0;  // when the last showRow's picture was handed to the view


// Selects row and returns the milliseconds until the window has painted its picture.
double showRow(BenchApplication& app, TMainForm& form, int row) {
    const QString file = form.PhotoList()[static_cast<size_t>(row)]->FileName;
    QElapsedTimer clock;
    int paintsAtShow = -1;
    const auto connection = QObject::connect(form.ImageForm, &TImageForm::pictureShown, [&](const QString& name) {
        if (name != file) return;
        paintsAtShow = app.paints;
        g_shownMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    });
    clock.start();
    form.ListView1->selectRow(row);
    // Waits for events rather than spinning, which would take a core from the decode.
    while ((paintsAtShow < 0 || app.paints == paintsAtShow) && clock.elapsed() < 30000)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QObject::disconnect(connection);
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}


// The same decode the window's thread runs, here on the calling thread.
double decoderMs(const QString& file) {
    QElapsedTimer clock;
    clock.start();
    const std::atomic<bool> never{false};
    DecodeJpegFile(file, never);
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

long peakResidentMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

// Other work on the machine only ever adds time, so each photo's fastest round is
// compared with the fastest bare decode of the same file.
int runView(BenchApplication& app, TMainForm& form, int rounds) {
    const int count = static_cast<int>(form.PhotoList().size());
    std::vector<double> bestMiss(count, 1e9), bestBare(count, 1e9), bestDecoder(count, 1e9), hits;
    StallMeter stall;
    for (int round = 0; round < rounds; ++round) {
        form.ImageForm->SetCacheSize(0);  // every photo misses again
        form.ImageForm->SetCacheSize(256);
        for (int row = 0; row < count; ++row) {
            const QString file = form.PhotoList()[static_cast<size_t>(row)]->FileName;
            const double bare = bareFullDecodeMs(file);
            const double decoder = decoderMs(file);
            stall.start();
            const double miss = showRow(app, form, row);
            const double handedOver = g_shownMs;
            stall.stop();
            pump(50);
            if (row > 0) {
                hits.push_back(showRow(app, form, row - 1));  // shown a moment ago: a hit
                showRow(app, form, row);
            }
            std::printf("round %d row %d: miss %.1f ms (picture handed over at %.1f), bare decode %.1f ms, "
                        "same decode on the calling thread %.1f ms\n", round, row, miss, handedOver, bare, decoder);
            bestDecoder[row] = std::min(bestDecoder[row], decoder);
            bestMiss[row] = std::min(bestMiss[row], miss);
            bestBare[row] = std::min(bestBare[row], bare);
        }
    }
    std::vector<double> ratios, overhead;
    for (int row = 0; row < count; ++row) {
        ratios.push_back(bestMiss[row] / bestBare[row]);
        overhead.push_back(bestMiss[row] / bestDecoder[row]);
    }
    std::sort(ratios.begin(), ratios.end());
    std::sort(overhead.begin(), overhead.end());
    std::printf("miss_over_same_decode_median %.2f\nmiss_over_same_decode_worst %.2f\n", overhead[overhead.size() / 2],
                overhead.back());
    std::sort(hits.begin(), hits.end());
    std::printf("miss_over_bare_median %.2f\nmiss_over_bare_worst %.2f\nhit_ms_median %.1f\nhit_ms_worst %.1f\n"
                "longest_stall_ms %lld\n",
                ratios[ratios.size() / 2], ratios.back(), hits[hits.size() / 2], hits.back(),
                static_cast<long long>(stall.longest()));
    return 0;
}

int runSteps(TMainForm& form, int cacheMb) {
    form.ImageForm->SetCacheSize(cacheMb);
    // One photo per line: in the icon view the down arrow jumps a whole line of icons
    // and stops at the last line, so 30 presses would not be 30 photos.
    if (form.viewStyle() != TViewStyle::Report) form.ViewStyleAction->trigger();
    form.ListView1->selectRow(0);
    pump(1500);
    QWidget* list = form.ListView1->activeView();
    list->setFocus();
    const int firstRow = form.ListView1->selectedRow();
    int sent = 0;
    int runningAfter = -1;
    QTimer keys;
    QObject::connect(&keys, &QTimer::timeout, [&] {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(list, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(list, &release);
        if (++sent == 30) keys.stop();
    });
    keys.start(50);
    while (sent < 30) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    // The last selection reaches the image window within the next idle step.
    pump(30);
    runningAfter = TJpegThread::RunningCount();
    pump(3000);
    std::printf("keys %d\nrows_moved %d\ndecodes_running_after_last_key %d\npeak_rss_mb %ld\n", sent,
                form.ListView1->selectedRow() - firstRow, runningAfter, peakResidentMb());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    BenchApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: bench_image_view FOLDER view ROUNDS | FOLDER step CACHE_MB\n");
        return 2;
    }
    TMainForm form({QString::fromLocal8Bit(argv[1])});
    form.resize(1500, 950);
    showListed(form);
    app.watched = form.ImageForm->view()->viewport();
    const int value = std::atoi(argv[3]);
    const int status = qstrcmp(argv[2], "step") == 0 ? runSteps(form, value) : runView(app, form, value);
    form.hide();
    return status;
}
