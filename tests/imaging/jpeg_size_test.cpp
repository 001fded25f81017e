#include "imaging/jpeg_decoder.h"
#include "imaging/jpeg_size.h"
#include "platform/fault_injection.h"
#include "support/jpeg_builder.h"
#include "support/temp_folder.h"

#include <cerrno>
#include <gtest/gtest.h>

using namespace tollamar;
using testsupport::JpegBuilder;

TEST(JpegSize, ReadsTheFullSizeOrReportsAnEmptyFile) {
    testsupport::TempFolder folder;
    EXPECT_EQ(ReadJpegSize(folder.write("a.jpg", testsupport::EncodeJpeg(333, 217))), QSize(333, 217));
    EXPECT_EQ(ReadJpegSize(folder.write("empty.jpg", {})), std::nullopt);
    const QByteArray tablesOnly =
        JpegBuilder().soi().segment(0xDB, QByteArray(65, '\x01')).standalone(0xD9).bytes();
    EXPECT_EQ(ReadJpegSize(folder.write("tables.jpg", tablesOnly)), QSize(0, 0));
    try {
        ReadJpegSize(folder.write("text.jpg", "plain text\n"));
        ADD_FAILURE();
    } catch (const JpegDecodeError& error) {
        EXPECT_EQ(error.message(), QStringLiteral("JPEG エラー #%1").arg(error.code()));
    }
    EXPECT_THROW(ReadJpegSize(folder.path("absent.jpg")), Error);
    EXPECT_THROW(ReadJpegSize(folder.path("")), Error);
}

TEST(JpegSize, SkipsBigAppSegmentsWithoutReadingThem) {
    const QByteArray picture = testsupport::EncodeJpeg(640, 480);
    JpegBuilder builder;
    builder.soi();
    for (int i = 0; i < 6; ++i) builder.segment(static_cast<uint8_t>(0xE1 + i % 3), QByteArray(65533, 'x'));
    builder.raw(picture.mid(2));
    testsupport::TempFolder folder;
    const QString file = folder.write("big-app.jpg", builder.bytes());
    // Open, the first chunk, then one read per skipped segment and one for the frame
    // header: a probe that read the 390 KB of APPn would need far more.
    faults::FailNth(faults::Op::Read, 10, EIO);
    EXPECT_EQ(ReadJpegSize(file), QSize(640, 480));
    faults::Reset();
    faults::FailNth(faults::Op::Read, 2, EIO);
    try {
        ReadJpegSize(file);
        ADD_FAILURE();
    } catch (const JpegDecodeError&) {
        ADD_FAILURE();
    } catch (const Error& error) {
        EXPECT_TRUE(error.message().contains("big-app.jpg"));
    }
    faults::Reset();
}

TEST(JpegSize, ScaleSteps) {
    const auto scale = [](int w, int h, int bw, int bh) {
        return static_cast<int>(ChooseJpegScaleForSize(QSize(w, h), bw, bh));
    };
    EXPECT_EQ(scale(3000, 2000, 64, 48), 8);  // r = max(46, 41)
    EXPECT_EQ(scale(640, 480, 64, 48), 2);    // r = 10
    EXPECT_EQ(scale(8 * 64 + 63, 10, 64, 48), 1);
    EXPECT_EQ(scale(9 * 64, 10, 64, 48), 2);
    EXPECT_EQ(scale(10, 11 * 48 + 47, 64, 48), 2);
    EXPECT_EQ(scale(10, 12 * 48, 64, 48), 4);
    EXPECT_EQ(scale(19 * 64 + 63, 10, 64, 48), 4);
    EXPECT_EQ(scale(20 * 64, 10, 64, 48), 8);
    EXPECT_EQ(scale(0, 0, 64, 48), 1);
    EXPECT_EQ(scale(100, 100, 0, -5), 8);  // no division by zero

    testsupport::TempFolder folder;
    EXPECT_EQ(ChooseJpegScale(folder.write("e.jpg", {}), 64, 48), TJPEGScale::FullSize);
    EXPECT_EQ(ChooseJpegScale(folder.write("p.jpg", testsupport::EncodeJpeg(1280, 960)), 64, 48),
              TJPEGScale::Eighth);
    EXPECT_THROW(ChooseJpegScale(folder.write("t.jpg", "text"), 64, 48), JpegDecodeError);
}
