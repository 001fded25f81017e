#include "imaging/jpeg_decoder.h"
#include "imaging/thumbnail.h"
#include "support/jpeg_builder.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

using namespace tollamar;

TEST(Thumbnail, FittedSizeAndContentFollowThePhoto) {
    testsupport::TempFolder folder;
    const QString big = folder.write("big.jpg", testsupport::EncodeJpeg(3000, 2000));
    const QImage wide = MakeThumbnailBitmap(big, 64, 48);
    EXPECT_EQ(wide.size(), QSize(64, 43));
    EXPECT_EQ(wide.format(), QImage::Format_RGB32);
    // The gradient runs red from left to right and green from top to bottom.
    EXPECT_LT(qRed(wide.pixel(0, 20)), 30);
    EXPECT_GT(qRed(wide.pixel(63, 20)), 225);
    EXPECT_LT(qGreen(wide.pixel(30, 0)), 30);
    EXPECT_GT(qGreen(wide.pixel(30, 42)), 225);

    EXPECT_EQ(MakeThumbnailBitmap(testsupport::EncodeJpeg(640, 480), 64, 48).size(), QSize(64, 48));
    EXPECT_EQ(MakeThumbnailBitmap(testsupport::EncodeJpeg(30, 20), 64, 48).size(), QSize(64, 43));
    EXPECT_EQ(MakeThumbnailBitmap(testsupport::EncodeJpeg(20, 200), 64, 48).size(), QSize(5, 48));
    EXPECT_TRUE(MakeThumbnailBitmap(testsupport::EncodeJpeg(20, 20), 0, 48).isNull());
    const QImage eightBit =
        MakeThumbnailBitmap(testsupport::EncodeJpeg(300, 200), 64, 48, JpegDefaultsForScreenDepth(8));
    EXPECT_EQ(eightBit.format(), QImage::Format_RGB32);
    EXPECT_EQ(eightBit.size(), QSize(64, 43));
}

TEST(Thumbnail, BadFilesRaise) {
    testsupport::TempFolder folder;
    EXPECT_THROW(MakeThumbnailBitmap(folder.write("e.jpg", {}), 64, 48), JpegDecodeError);
    EXPECT_THROW(MakeThumbnailBitmap(folder.write("t.jpg", "text"), 64, 48), JpegDecodeError);
    EXPECT_THROW(MakeThumbnailBitmap(folder.path("absent.jpg"), 64, 48), Error);
    // A photo cut inside its data still gives a thumbnail.
    const QByteArray jpeg = testsupport::EncodeJpeg(400, 300);
    EXPECT_EQ(MakeThumbnailBitmap(jpeg.left(jpeg.size() / 2), 64, 48).size(), QSize(64, 48));
}
