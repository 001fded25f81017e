// bench_full_screen FOLDER ROUNDS
//   Opens the folder in a real main window (run it under Xvfb), enters full screen with
//   the comment band on and steps through every photo as the Right key does. Per step it
//   times the step to the end of the first paint of the new picture, next to a bare
//   in-process libjpeg float decode of the same file, and it checks every paint of the
//   full-screen picture: the comment drawn must be that of the photo whose picture is up.

#include "app/main_form.h"
#include "app/photo_list_view.h"
#include "window_bench.h"
#include "ui/imagewin/full_screen_window.h"
#include "ui/imagewin/image_form.h"
#include "ui/imagewin/image_view.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QHash>
#include <algorithm>
#include <cstdio>
#include <numeric>
#include <vector>

using namespace tollamar;

namespace {

// Counts finished paints of the full-screen picture and checks what each one showed.
class BenchApplication : public QApplication {
public:
    using QApplication::QApplication;
    TImageView* view = nullptr;
    QHash<qint64, QString> commentOfPicture;  // picture's cache key -> its photo's comment
    QHash<QString, QString> commentOfFile;     // as the photo list read it
    int paints = 0;
    int mismatches = 0;

    bool notify(QObject* receiver, QEvent* event) override {
        const bool result = QApplication::notify(receiver, event);
        if (view && receiver == view->viewport() && event->type() == QEvent::Paint) {
            ++paints;
            const auto known = commentOfPicture.constFind(view->picture().cacheKey());
            if (!view->picture().isNull() && (known == commentOfPicture.cend() || *known != view->overlayText()))
                ++mismatches;
        }
        return result;
    }
};

double g_shownMs = 0;  // when the last step's picture was handed to the view



// Steps once and returns the milliseconds until the new picture has been painted.
double step(BenchApplication& app, TMainForm& form, TFullScreenWindow& window, const QString& file) {
    int paintsAtShow = -1;
    QElapsedTimer clock;
    const auto connection = QObject::connect(form.ImageForm, &TImageForm::pictureShown, [&](const QString& name) {
        if (name != file) return;
        app.commentOfPicture.insert(app.view->picture().cacheKey(), app.commentOfFile.value(name));
        paintsAtShow = app.paints;
        g_shownMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    });
    clock.start();
    emit window.stepRequested(1);  // what the Right key does
    while ((paintsAtShow < 0 || app.paints == paintsAtShow) && clock.elapsed() < 30000)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QObject::disconnect(connection);
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int run(BenchApplication& app, TMainForm& form, int rounds) {
    const int count = static_cast<int>(form.PhotoList().size());
    form.ImageForm->SetCacheSize(0);  // every step decodes, as it does for photos not seen yet
    form.ShowCommentAction->setChecked(true);
    form.ListView1->selectRow(count - 1);  // the first step goes to the first photo
    form.FS_StartAction->trigger();
    TFullScreenWindow* window = form.fullScreenWindow();
    if (!window) return 1;
    for (const auto& entry : form.PhotoList()) app.commentOfFile.insert(entry->FileName, entry->Comment);
    pump(1500);
    app.commentOfPicture.insert(form.ImageForm->view()->picture().cacheKey(),
                                app.commentOfFile.value(form.ImageForm->shownFile()));
    app.view = form.ImageForm->view();
    std::vector<double> bestStep(count, 1e9), bestBare(count, 1e9);
    for (int round = 0; round < rounds; ++round) {
        for (int row = 0; row < count; ++row) {
            const QString file = form.PhotoList()[static_cast<size_t>(row)]->FileName;
            const double bare = bareFullDecodeMs(file);
            const double stepped = step(app, form, *window, file);
            std::printf("round %d row %d: step %.1f ms (picture handed over at %.1f), bare decode %.1f ms\n", round,
                        row, stepped, g_shownMs, bare);
            bestStep[row] = std::min(bestStep[row], stepped);
            bestBare[row] = std::min(bestBare[row], bare);
        }
    }
    std::vector<double> ratios;
    for (int row = 0; row < count; ++row) ratios.push_back(bestStep[row] / bestBare[row]);
    const double steps = std::accumulate(bestStep.begin(), bestStep.end(), 0.0);
    const double bares = std::accumulate(bestBare.begin(), bestBare.end(), 0.0);
    std::printf("photos %d\nstep_ms_mean %.1f\nbare_ms_mean %.1f\nstep_over_bare_total %.2f\n"
                "step_over_bare_median %.2f\nstep_over_bare_worst %.2f\npaints_checked %d\n"
                "paints_with_another_photos_comment %d\n",
                count, steps / count, bares / count, steps / bares, median(ratios),
                *std::max_element(ratios.begin(), ratios.end()), app.paints, app.mismatches);
    form.FS_EndAction->trigger();
    pump(100);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    BenchApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_full_screen FOLDER ROUNDS\n");
        return 2;
    }
    TMainForm form({QString::fromLocal8Bit(argv[1])});
    form.resize(1200, 800);
    showListed(form);
    const int status = run(app, form, std::max(1, std::atoi(argv[2])));
    form.hide();
    return status;
}
