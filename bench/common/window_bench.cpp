#include "window_bench.h"

#include "app/main_form.h"
#include "bare_decode.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>

void pump(int ms) {
    QElapsedTimer clock;
    clock.start();
    QTimer::singleShot(ms, [] {});
    while (clock.elapsed() < ms) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void showListed(tollamar::TMainForm& form) {
    form.show();
    pump(2000);
    while (std::any_of(form.PhotoList().begin(), form.PhotoList().end(), [](const auto& e) { return !e->isLoaded(); }))
        QApplication::processEvents(QEventLoop::AllEvents, 5);
}

double bareFullDecodeMs(const QString& file) {
    QElapsedTimer clock;
    clock.start();
    bareDecode(file.toStdString(), 1, JDCT_FLOAT);
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}
