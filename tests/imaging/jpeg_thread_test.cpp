#include "imaging/jpeg_thread.h"
#include "support/jpeg_builder.h"
#include "support/temp_folder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

using namespace tollamar;

namespace {

void ensureApplication() {
    static int argc = 1;
    static char name[] = "imaging_tests";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
}

// Starts a decode reporting to a receiver object and runs the event loop until its
// result arrives.
std::optional<TJpegResult> decodeOnThread(const QString& file, bool cancelFirst) {
    ensureApplication();
    QObject receiver;
    std::optional<TJpegResult> got;
    TJpegThread thread(file, &receiver, [&](const TJpegResult& r) { got = r; });
    if (cancelFirst) thread.CancelDecode();
    thread.Start();
    QElapsedTimer clock;
    clock.start();
    while (!got && clock.elapsed() < 20000) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    if (got) {
        EXPECT_EQ(got->ThreadId, thread.Id());
    }
    return got;
}

// Sets the owner's termination request once the bitmap has its size, as a click on
// another photo would in the middle of a decode.
class CancelledOnRows : public TMyJpegImage {
public:
    explicit CancelledOnRows(std::atomic<bool>& flag) : TMyJpegImage(&flag), m_flag(flag) {}

protected:
    void BitmapReady(const QImage& bitmap) override {
        TMyJpegImage::BitmapReady(bitmap);
        m_flag.store(true);
    }

private:
    std::atomic<bool>& m_flag;
};

}  // namespace

TEST(JpegThread, DeliversThePictureOrTheErrorAsAValue) {
    testsupport::TempFolder folder;
    const QString good = folder.write("good.jpg", testsupport::EncodeJpeg(300, 200));
    const std::optional<TJpegResult> shown = decodeOnThread(good, false);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->FileName, good);
    EXPECT_EQ(shown->Bitmap.size(), QSize(300, 200));
    EXPECT_EQ(shown->Bitmap.format(), QImage::Format_RGB32);
    EXPECT_EQ(shown->Stamp, FileStampOf(good));
    EXPECT_TRUE(shown->Error.isEmpty());
    EXPECT_GT(qRed(shown->Bitmap.pixel(299, 100)), 225);  // the gradient's right edge

    for (const QString& bad : {folder.write("empty.jpg", {}), folder.write("text.jpg", "not a photo"),
                               folder.path("absent.jpg")}) {
        const std::optional<TJpegResult> failed = decodeOnThread(bad, false);
        ASSERT_TRUE(failed);
        EXPECT_TRUE(failed->Bitmap.isNull());
        EXPECT_FALSE(failed->Error.isEmpty());
        EXPECT_FALSE(failed->Cancelled);
    }
}

TEST(JpegThread, CancelledBeforeStartOrDuringRowsDeliversNoPicture) {
    testsupport::TempFolder folder;
    const QString file = folder.write("p.jpg", testsupport::EncodeJpeg(640, 480));
    const std::optional<TJpegResult> early = decodeOnThread(file, true);
    ASSERT_TRUE(early);
    EXPECT_TRUE(early->Cancelled);
    EXPECT_TRUE(early->Bitmap.isNull());
    EXPECT_FALSE(early->Stamp.valid());  // the file was never looked at

    std::atomic<bool> flag{false};
    CancelledOnRows image(flag);
    bool ending = false;
    image.SetOnProgress([&](TJPEGImage&, TProgressStage stage, int, bool, const QRect&) {
        ending = ending || stage == TProgressStage::Ending;
    });
    image.LoadFromData(testsupport::EncodeJpeg(640, 480));
    QImage dest;
    image.DecodeTo(dest);
    EXPECT_TRUE(image.Aborted());
    EXPECT_FALSE(ending);
    EXPECT_FALSE(image.HasBitmap());
    EXPECT_EQ(dest.size(), QSize(640, 480));  // shares the rows decoded before the stop
}

// A receiver released while its decode runs gets nothing afterwards, and nothing
// waits for it: the worker was cancelled and has ended when the release returns.
TEST(JpegThread, ReleasedReceiverGetsNothing) {
    ensureApplication();
    testsupport::TempFolder folder;
    const QString file = folder.write("big.jpg", testsupport::EncodeJpeg(3000, 2000));
    bool called = false;
    auto receiver = std::make_unique<QObject>();
    {
        TJpegThread thread(file, receiver.get(), [&](const TJpegResult&) { called = true; });
        thread.Start();
    }
    EXPECT_TRUE(TJpegThread::ReleaseContext(receiver.get(), 10000));
    EXPECT_EQ(TJpegThread::RunningCount(), 0);
    receiver.reset();
    QCoreApplication::processEvents();
    EXPECT_FALSE(called);
}
