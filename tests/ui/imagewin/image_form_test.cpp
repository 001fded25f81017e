// The image window driven as the main window drives it: photos chosen in turn, quickly,
// from a list that is rebuilt meanwhile, missing and broken files, comments edited.
#include "app/app_globals.h"
#include "app/ini_file.h"
#include "app/item_data.h"
#include "app_fixture.h"
#include "imaging/jpeg_thread.h"
#include "support/temp_folder.h"
#include "ui/imagewin/image_form.h"
#include "ui/imagewin/image_view.h"

#include <QApplication>
#include <QFile>
#include <QSignalSpy>
#include <gtest/gtest.h>
#include <memory>

using namespace tollamar;

namespace {

class ImageFormTest : public apptest::AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        QFile::remove(apptest::SettingsFile(QStringLiteral("ImageForm.INI")));
        m_form = std::make_unique<TImageForm>(nullptr);
        m_form->show();
        ASSERT_TRUE(apptest::WaitFor([&] { return m_form->isVisible(); }));
    }
    void TearDown() override {
        m_form.reset();
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);  // every busy cursor popped
        AppTest::TearDown();
    }

    // An entry as the list holds it once loaded (with its comment) or before.
    std::unique_ptr<TItemData> entry(const QString& file, const QString& comment = {}, bool loaded = true) {
        auto item = std::make_unique<TItemData>(file);
        item->Comment = comment;
        if (loaded) item->Thumbnail = QImage(8, 8, QImage::Format_RGB32);
        return item;
    }
    // Shows item and waits until the window has put its picture (or its failure) up.
    bool showAndWait(const TItemData* item) {
        QSignalSpy shown(m_form.get(), &TImageForm::pictureShown);
        m_form->ShowItem(item);
        return shown.wait(20000) && m_form->shownFile() == item->FileName;
    }
    TImageView& view() { return *m_form->view(); }

    testsupport::TempFolder m_folder;
    std::unique_ptr<TImageForm> m_form;
};

}  // namespace

TEST_F(ImageFormTest, ShowsDecodedPhotosAndTakesThemBackFromTheCache) {
    m_form->SetCacheSize(64);
    const auto a = entry(m_folder.write("a.jpg", apptest::MakePhoto(640, 480)));
    const auto b = entry(m_folder.write("b.jpg", apptest::MakePhoto(320, 200)));
    ASSERT_TRUE(showAndWait(a.get()));
    EXPECT_EQ(m_form->ImageData().size(), QSize(640, 480));
    EXPECT_FALSE(view().statusVisible());
    ASSERT_TRUE(showAndWait(b.get()));
    ASSERT_EQ(m_form->cache().Items().size(), 2u);

    // Back to a: from the cache, at once, without a decode thread.
    m_form->ShowItem(a.get());
    ASSERT_TRUE(apptest::WaitFor([&] { return m_form->shownFile() == a->FileName; }));
    EXPECT_EQ(TJpegThread::RunningCount(), 0);
    EXPECT_EQ(m_form->ImageData().size(), QSize(640, 480));
    EXPECT_EQ(m_form->cache().Items().back().FileName, a->FileName);

    m_form->ShowItem(nullptr);
    ASSERT_TRUE(apptest::WaitFor([&] { return view().statusText() == QStringLiteral("no image"); }));
    EXPECT_TRUE(m_form->ImageData().isNull());
    EXPECT_EQ(TIniFile(apptest::SettingsFile(QStringLiteral("ImageForm.INI"))).ReadInteger(u"Jpeg", u"CacheSize", 0), 64);
}

// Stepping on before a decode ends cancels it; its late result neither shows nor is kept.
TEST_F(ImageFormTest, SteppingPastADecodeForgetsIt) {
    m_form->SetCacheSize(256);
    const auto big = entry(m_folder.write("big.jpg", apptest::MakePhoto(3000, 2000)));
    const auto small = entry(m_folder.write("small.jpg", apptest::MakePhoto(300, 200)));
    m_form->ShowItem(big.get());
    ASSERT_TRUE(apptest::WaitFor([&] { return TJpegThread::RunningCount() > 0; }));
    ASSERT_TRUE(showAndWait(small.get()));
    ASSERT_TRUE(apptest::WaitFor([&] { return TJpegThread::RunningCount() == 0; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(m_form->shownFile(), small->FileName);
    EXPECT_EQ(m_form->ImageData().size(), QSize(300, 200));
    ASSERT_EQ(m_form->cache().Items().size(), 1u);
    EXPECT_EQ(m_form->cache().Items().front().FileName, small->FileName);
}

// The entries of a list rebuilt while a decode runs are new objects; the window holds
// none of them and shows the photo the last entry names.
TEST_F(ImageFormTest, ListRebuiltDuringADecode) {
    const QString fileA = m_folder.write("a.jpg", apptest::MakePhoto(2000, 1500, QStringLiteral("古い")));
    const QString fileB = m_folder.write("b.jpg", apptest::MakePhoto(200, 150));
    auto a = entry(fileA, QStringLiteral("古い"));
    m_form->ShowItem(a.get());
    ASSERT_TRUE(apptest::WaitFor([&] { return TJpegThread::RunningCount() > 0; }));
    a.reset();
    const auto again = entry(fileA, QStringLiteral("新しい"));
    m_form->ShowItem(again.get());
    ASSERT_TRUE(apptest::WaitFor([&] { return !m_form->ImageData().isNull(); }, 20000));
    EXPECT_EQ(m_form->shownFile(), fileA);
    EXPECT_EQ(view().overlayText(), QStringLiteral("新しい"));

    auto b = entry(fileB);
    m_form->ShowItem(b.get());
    b.reset();
    ASSERT_TRUE(apptest::WaitFor([&] { return m_form->ImageData().size() == QSize(200, 150); }));
}

TEST_F(ImageFormTest, CommentBandFollowsTheEntryAndTheFile) {
    m_form->setShowComment(true);
    const QString file = m_folder.write("c.jpg", apptest::MakePhoto(320, 240, QStringLiteral("ファイルの説明")));
    // Reached before its row was loaded: the comment comes from the file.
    const auto unloaded = entry(file, {}, false);
    ASSERT_TRUE(showAndWait(unloaded.get()));
    EXPECT_EQ(view().overlayText(), QStringLiteral("ファイルの説明"));
    EXPECT_TRUE(view().overlayVisible());

    // After an edit the main window shows no photo and then the same one at once.
    const auto edited = entry(file, QStringLiteral("書き換えた説明"));
    m_form->ShowItem(nullptr);
    m_form->ShowItem(edited.get());
    EXPECT_EQ(view().overlayText(), QStringLiteral("書き換えた説明"));
    m_form->setShowComment(false);
    EXPECT_FALSE(view().overlayVisible());
}

TEST_F(ImageFormTest, MissingAndBrokenFiles) {
    const auto missing = entry(m_folder.path("gone.jpg"));
    m_form->ShowItem(missing.get());
    ASSERT_TRUE(apptest::WaitFor([&] { return m_form->shownFile() == missing->FileName; }));
    EXPECT_EQ(view().statusText(), QStringLiteral("gone.jpg\n\nファイルが見つかりません"));
    EXPECT_TRUE(view().statusVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    for (const QString& bad : {m_folder.write("empty.jpg", {}), m_folder.write("text.jpg", "plain text")}) {
        const auto item = entry(bad);
        ASSERT_TRUE(showAndWait(item.get()));
        EXPECT_FALSE(view().statusVisible());
        EXPECT_TRUE(m_form->ImageData().isNull());
        EXPECT_TRUE(view().pictureArea().isEmpty());
        EXPECT_TRUE(m_form->cache().Items().empty());
    }
    EXPECT_TRUE(m_reports.isEmpty());
}

// Closing during a decode: the window goes at once, the worker ends on its own and
// its result goes nowhere.
TEST_F(ImageFormTest, DestroyedDuringADecode) {
    const auto big = entry(m_folder.write("big.jpg", apptest::MakePhoto(3000, 2000)));
    m_form->ShowItem(big.get());
    ASSERT_TRUE(apptest::WaitFor([&] { return TJpegThread::RunningCount() > 0; }));
    m_form.reset();
    EXPECT_EQ(TJpegThread::RunningCount(), 0);
    QCoreApplication::processEvents();
}
