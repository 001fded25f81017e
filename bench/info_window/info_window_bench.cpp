// bench_info_window [--tab=file|camera|comment] FILE...
// Steps the information window through the photos as the main window does when the
// user moves down the list: the window is on screen (run it under Xvfb) on the given
// tab (the camera tab unless told), the camera tree with the details and one section
// open, and every step rebuilds the three tabs and
// takes the events that follow, painting among them (at most once a screen frame). The
// run ends with the last photo painted. Prints the run's time without the idle wait for
// that last frame, the wait apart, and the longest step, that is the longest time the
// interface thread was busy without taking an event.

#include "app/item_data.h"
#include "platform/errors.h"
#include "ui/infowin/image_info_form.h"
#include "ui/infowin/paint_pacer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <QEventLoop>
#include <QTabWidget>
#include <QTreeWidget>
#include <cstdio>
#include <memory>
#include <vector>

using namespace tollamar;

namespace {

// Opens the details and its first section, as a user reading the Exif text leaves them.
void openDetails(QTreeWidget& tree) {
    if (tree.topLevelItemCount() < 4) return;
    QTreeWidgetItem* details = tree.topLevelItem(3);
    details->setExpanded(true);
    if (details->childCount() > 0) details->child(0)->setExpanded(true);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList tabs{QStringLiteral("file"), QStringLiteral("camera"), QStringLiteral("comment")};
    int tab = TImageInfoForm::CameraTab;
    int first = 1;
    if (argc > 1 && QByteArray(argv[1]).startsWith("--tab=")) {
        tab = static_cast<int>(tabs.indexOf(QString::fromLatin1(argv[1] + 6)));
        ++first;
    }
    if (argc <= first || tab < 0) {
        std::fprintf(stderr, "usage: bench_info_window [--tab=file|camera|comment] FILE...\n");
        return 2;
    }
    std::vector<std::unique_ptr<TItemData>> entries;
    for (int i = first; i < argc; ++i) entries.push_back(std::make_unique<TItemData>(QString::fromLocal8Bit(argv[i])));

    TImageInfoForm form(nullptr);
    form.PageControl1->setCurrentIndex(TImageInfoForm::CameraTab);
    form.show();
    form.UpdateInfo(entries.front().get());
    openDetails(*form.ExifTree);
    form.PageControl1->setCurrentIndex(tab);
    form.UpdateInfo(nullptr);  // the state is kept; the first photo is read again below
    QApplication::processEvents();

    int errors = 0;
    qint64 longest = 0, rebuilding = 0;
    QElapsedTimer run, step;
    run.start();
    for (const auto& entry : entries) {
        step.start();
        try {
            form.UpdateInfo(entry.get());
        } catch (const Error&) {
            ++errors;
        }
        rebuilding += step.nsecsElapsed();
        QApplication::processEvents();  // the repaint of what changed
        longest = std::max(longest, step.nsecsElapsed());
    }
    const qint64 waitStart = run.nsecsElapsed();
    if (form.paintPacer().holding()) {
        QEventLoop frame;
        QObject::connect(&form.paintPacer(), &TPaintPacer::released, &frame, &QEventLoop::quit);
        frame.exec();
    }
    const qint64 waited = run.nsecsElapsed() - waitStart;
    step.start();
    QApplication::processEvents();  // the last frame
    longest = std::max(longest, step.nsecsElapsed());
    const qint64 total = run.nsecsElapsed() - waited;
    std::printf("gui_run_ms %.1f\nlast_frame_wait_ms %.1f\nrebuild_ms %.1f\npaint_ms %.1f\nlongest_step_ms %.2f\n"
                "steps %zu\nerrors %d\n",
                static_cast<double>(total) / 1e6, static_cast<double>(waited) / 1e6, static_cast<double>(rebuilding) / 1e6,
                static_cast<double>(total - rebuilding) / 1e6, static_cast<double>(longest) / 1e6, entries.size(),
                errors);
    return 0;
}
