#include "imaging/jpeg_decoder.h"
#include "imaging/jpeg_image.h"
#include "support/jpeg_builder.h"
#include "test_pictures.h"

#include <QSet>
#include <gtest/gtest.h>
#include <thread>

using namespace tollamar;
using imagingtest::Kind;

namespace {

constexpr TJPEGScale kScales[] = {TJPEGScale::FullSize, TJPEGScale::Half, TJPEGScale::Quarter,
                                  TJPEGScale::Eighth};

// Every pixel of our RGB32 or grey bitmap against libjpeg's own decode.
void expectSamePixels(const QImage& ours, const QImage& reference) {
    ASSERT_EQ(ours.size(), reference.size());
    for (int y = 0; y < ours.height(); ++y)
        for (int x = 0; x < ours.width(); ++x)
            ASSERT_EQ(ours.pixel(x, y), reference.pixel(x, y)) << x << "," << y;
}

TJPEGImage loaded(const QByteArray& jpeg, TJPEGScale scale = TJPEGScale::FullSize) {
    TJPEGImage image;
    image.LoadFromData(jpeg);
    image.SetScale(scale);
    return image;
}

}  // namespace

TEST(JpegDecode, ScaledSizesRoundUpBeforeAndAfterDecoding) {
    for (const QSize size : {QSize(333, 217), QSize(1, 1), QSize(17, 9), QSize(8, 8)}) {
        const QByteArray jpeg = testsupport::EncodeJpeg(size.width(), size.height());
        for (const TJPEGScale scale : kScales) {
            const int d = static_cast<int>(scale);
            const QSize expected((size.width() + d - 1) / d, (size.height() + d - 1) / d);
            TJPEGImage image = loaded(jpeg, scale);
            EXPECT_EQ(QSize(image.Width(), image.Height()), expected) << d;
            EXPECT_EQ(image.Bitmap().size(), expected) << d;
            EXPECT_EQ(QSize(image.Width(), image.Height()), expected) << d;
            EXPECT_EQ(ScaledJpegSize(size, scale), expected);
        }
    }
}

TEST(JpegDecode, PixelsAreLibjpegsOwnWithoutConversionLoss) {
    const QByteArray colour = testsupport::EncodeJpeg(123, 77);
    const QByteArray progressive = imagingtest::EncodePicture(Kind::Progressive, 61, 45);
    for (const QByteArray& jpeg : {colour, progressive}) {
        for (const int d : {1, 8}) {
            TJPEGImage best = loaded(jpeg, static_cast<TJPEGScale>(d));
            const QImage bitmap = best.Bitmap();
            EXPECT_EQ(bitmap.format(), QImage::Format_RGB32);
            expectSamePixels(bitmap, imagingtest::ReferenceDecode(jpeg, d, false));

            TJPEGImage fast = loaded(jpeg, static_cast<TJPEGScale>(d));
            fast.SetPerformance(TJPEGPerformance::BestSpeed);
            expectSamePixels(fast.Bitmap(), imagingtest::ReferenceDecode(jpeg, d, true));
        }
    }
}

TEST(JpegDecode, GreyAndEightBitOutputs) {
    const QByteArray grey = imagingtest::EncodePicture(Kind::Grey, 40, 30);
    TJPEGImage greyImage = loaded(grey);
    EXPECT_EQ(greyImage.Bitmap().format(), QImage::Format_Grayscale8);
    expectSamePixels(greyImage.Bitmap(), imagingtest::ReferenceDecode(grey, 1, false));

    const QByteArray colour = testsupport::EncodeJpeg(50, 40);
    TJPEGImage asGrey = loaded(colour);
    asGrey.SetGrayscale(true);
    EXPECT_EQ(asGrey.Bitmap().format(), QImage::Format_Grayscale8);

    for (const auto performance : {TJPEGPerformance::BestQuality, TJPEGPerformance::BestSpeed}) {
        TJPEGImage eightBit(JpegDefaultsForScreenDepth(8));
        eightBit.LoadFromData(colour);
        eightBit.SetPerformance(performance);
        const QImage bitmap = eightBit.Bitmap();
        ASSERT_EQ(bitmap.format(), QImage::Format_Indexed8);
        EXPECT_GT(bitmap.colorCount(), 16);
        EXPECT_LE(bitmap.colorCount(), 236);
        // The palette follows the gradient: the left edge has little red, the right a lot.
        EXPECT_LT(qRed(bitmap.pixel(0, 20)), 40);
        EXPECT_GT(qRed(bitmap.pixel(49, 20)), 200);
    }
    EXPECT_EQ(JpegDefaultsForScreenDepth(24).PixelFormat, TJPEGPixelFormat::Bits24);
}

TEST(JpegDecode, AdobeCmykComesOutAsRgb) {
    const QByteArray cmyk = imagingtest::EncodePicture(Kind::AdobeCmyk, 24, 16);
    TJPEGImage image = loaded(cmyk);
    const QImage bitmap = image.Bitmap();
    ASSERT_EQ(bitmap.format(), QImage::Format_RGB32);
    const QRgb pixel = bitmap.pixel(12, 8);
    EXPECT_GT(qRed(pixel), 245);
    EXPECT_LT(qGreen(pixel), 10);
    EXPECT_LT(qBlue(pixel), 10);
    TJPEGImage indexed(JpegDefaultsForScreenDepth(8));
    indexed.LoadFromData(cmyk);
    EXPECT_GT(qRed(indexed.Bitmap().pixel(12, 8)), 230);
}

TEST(JpegDecode, BitmapIsSharedAndOptionChangesDiscardIt) {
    TJPEGImage image = loaded(testsupport::EncodeJpeg(64, 64));
    EXPECT_FALSE(image.HasBitmap());
    const QImage first = image.Bitmap();
    EXPECT_EQ(image.Bitmap().constBits(), first.constBits());  // no second decode, no copy
    const TJPEGImage copy = image;
    EXPECT_EQ(copy.Data().constData(), image.Data().constData());
    image.SetSmoothing(true);  // unchanged
    EXPECT_TRUE(image.HasBitmap());
    image.SetScale(TJPEGScale::Half);
    EXPECT_FALSE(image.HasBitmap());
    EXPECT_EQ(image.Width(), 32);
    image.Bitmap();
    image.SetPerformance(TJPEGPerformance::BestSpeed);
    EXPECT_FALSE(image.HasBitmap());
    EXPECT_TRUE(TJPEGImage().Empty());
    EXPECT_TRUE(TJPEGImage().Bitmap().isNull());
    EXPECT_EQ(TJPEGImage().Width(), 0);
}

TEST(JpegDecode, ProgressStartsAndEnds) {
    TJPEGImage image = loaded(testsupport::EncodeJpeg(100, 80));
    QList<std::pair<TProgressStage, int>> reports;
    image.SetOnProgress([&](TJPEGImage& sender, TProgressStage stage, int percent, bool, const QRect&) {
        EXPECT_EQ(&sender, &image);
        reports.append({stage, percent});
    });
    image.Bitmap();
    ASSERT_GE(reports.size(), 2);
    EXPECT_EQ(reports.first(), std::make_pair(TProgressStage::Starting, 0));
    EXPECT_EQ(reports.last(), std::make_pair(TProgressStage::Ending, 100));
}

TEST(JpegDecode, ExceptionFromProgressHandlerEndsTheDecode) {
    TJPEGImage image = loaded(testsupport::EncodeJpeg(100, 80));
    image.SetOnProgress([](TJPEGImage&, TProgressStage stage, int, bool, const QRect&) {
        if (stage == TProgressStage::Starting) throw std::runtime_error("cancelled");
    });
    EXPECT_THROW(image.Bitmap(), std::runtime_error);
    EXPECT_FALSE(image.HasBitmap());
    image.SetOnProgress(nullptr);
    EXPECT_FALSE(image.Bitmap().isNull());
}

namespace {

// Stops after a number of polls and keeps the copy it was handed before the rows.
class StoppingImage : public TJPEGImage {
public:
    explicit StoppingImage(int pollsBeforeStop) : m_pollsLeft(pollsBeforeStop) {}
    QImage dest;

protected:
    bool StopRequested() override { return m_pollsLeft-- <= 0; }
    void BitmapReady(const QImage& bitmap) override { dest = bitmap; }

private:
    int m_pollsLeft;
};

}  // namespace

TEST(JpegDecode, StopKeepsRowsInTheSharedCopyButNoBitmap) {
    const QByteArray jpeg = testsupport::EncodeJpeg(64, 256);
    const QImage reference = imagingtest::ReferenceDecode(jpeg, 1, false);
    StoppingImage early(0);
    early.LoadFromData(jpeg);
    EXPECT_TRUE(early.Bitmap().isNull());
    EXPECT_TRUE(early.dest.isNull());  // stopped before the rows: Dest untouched

    StoppingImage late(40);
    late.LoadFromData(jpeg);
    EXPECT_TRUE(late.Bitmap().isNull());
    ASSERT_EQ(late.dest.size(), QSize(64, 256));
    for (int x = 0; x < 64; ++x) ASSERT_EQ(late.dest.pixel(x, 0), reference.pixel(x, 0));
}

TEST(JpegDecode, ThreadsDecodeIndependently) {
    const QByteArray a = testsupport::EncodeJpeg(300, 200), b = imagingtest::EncodePicture(Kind::Progressive, 200, 300);
    const QImage expectedA = loaded(a).Bitmap(), expectedB = loaded(b).Bitmap();
    QImage gotA, gotB;
    std::thread first([&] { for (int i = 0; i < 5; ++i) gotA = loaded(a).Bitmap(); });
    std::thread second([&] { for (int i = 0; i < 5; ++i) gotB = loaded(b).Bitmap(); });
    first.join();
    second.join();
    EXPECT_EQ(gotA, expectedA);
    EXPECT_EQ(gotB, expectedB);
}

TEST(JpegDecode, BigBitmapsBehaveLikeAnyQImage) {
    const QByteArray jpeg = testsupport::EncodeJpeg(1100, 1001);  // over 4 MiB in RGB32
    TJPEGImage image = loaded(jpeg);
    const QImage bitmap = image.Bitmap();
    expectSamePixels(bitmap, imagingtest::ReferenceDecode(jpeg, 1, false));
    QImage copy = bitmap;
    copy.setPixel(5, 5, qRgb(1, 2, 3));  // detaches: the decoded bitmap stays as it was
    EXPECT_NE(bitmap.pixel(5, 5), qRgb(1, 2, 3));
    EXPECT_EQ(image.Bitmap().constBits(), bitmap.constBits());
}
