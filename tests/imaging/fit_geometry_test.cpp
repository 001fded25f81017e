#include "imaging/fit_geometry.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace tollamar;

TEST(FitGeometry, RoundsQuotientsToNearestWithTiesToEven) {
    EXPECT_EQ(DivRoundTiesToEven(10, 4), 2);   // 2.5
    EXPECT_EQ(DivRoundTiesToEven(14, 4), 4);   // 3.5
    EXPECT_EQ(DivRoundTiesToEven(-10, 4), -2);
    EXPECT_EQ(DivRoundTiesToEven(-14, 4), -4);
    EXPECT_EQ(DivRoundTiesToEven(16000, 375), 43);  // 42.67
    EXPECT_EQ(DivRoundTiesToEven(7, 3), 2);
    EXPECT_EQ(DivRoundTiesToEven(8, 3), 3);
}

TEST(FitGeometry, FitSizeKeepsAspectAndTouchesTheBox) {
    EXPECT_EQ(CalcFitSize(64, 48, QSize(375, 250)), QSize(64, 43));
    EXPECT_EQ(CalcFitSize(64, 48, QSize(320, 240)), QSize(64, 48));  // equal aspect
    EXPECT_EQ(CalcFitSize(10, 10, QSize(4, 1)), QSize(10, 2));       // 2.5 -> 2
    EXPECT_EQ(CalcFitSize(10, 10, QSize(4, 3)), QSize(10, 8));       // 7.5 -> 8
    EXPECT_EQ(CalcFitSize(10, 10, QSize(1, 4)), QSize(2, 10));
    EXPECT_EQ(CalcFitSize(64, 48, QSize(30, 20)), QSize(64, 43));    // enlarged, no 1:1 cap
    EXPECT_EQ(CalcFitSize(64, 48, QSize(0, 0)), QSize(0, 0));
    EXPECT_EQ(CalcFitSize(64, 48, QSize(100, 0)), QSize(0, 0));
    EXPECT_EQ(CalcFitSize(64, 48, QImage()), QSize(0, 0));
    // Products beyond 32 bits stay exact.
    EXPECT_EQ(CalcFitSize(60000, 60000, QSize(65000, 50000)), QSize(60000, 46154));
}

TEST(FitGeometry, FitRectCentresWithTruncatedHalfMargins) {
    EXPECT_EQ(CalcFitRect(QRect(0, 0, 101, 50), QSize(100, 100)), QRect(25, 0, 50, 50));
    EXPECT_EQ(CalcFitRect(QRect(10, 20, 100, 101), QSize(100, 50)), QRect(10, 45, 100, 50));
    EXPECT_EQ(CalcFitRect(QRect(-50, 0, 101, 50), QSize(100, 100)), QRect(-24, 0, 50, 50));  // (-49) div 2
    EXPECT_EQ(CalcFitRect(QRect(0, 0, 64, 48), QSize(4, 3)), QRect(0, 0, 64, 48));
    const QRect none = CalcFitRect(QRect(5, 5, 100, 100), QSize(0, 7));
    EXPECT_EQ(none, QRect(0, 0, 0, 0));
    EXPECT_TRUE(none.isEmpty());
}

namespace {

QImage canvas(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

}  // namespace

TEST(FitGeometry, DrawFittedFillsThenDrawsCentredWithoutSmoothing) {
    QImage picture(2, 1, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(255, 0, 0));
    picture.setPixel(1, 0, qRgb(0, 0, 255));
    QImage target = canvas(100, 100);
    {
        QPainter painter(&target);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        painter.setBrush(Qt::white);
        DrawFitted(painter, QRect(0, 0, 100, 100), picture);
        EXPECT_TRUE(painter.testRenderHint(QPainter::SmoothPixmapTransform));
    }
    EXPECT_EQ(target.pixel(50, 10), qRgb(255, 255, 255));  // fill above the picture
    EXPECT_EQ(target.pixel(50, 90), qRgb(255, 255, 255));
    for (int x = 0; x < 100; ++x) {  // rows 25..74: pure colours, no blend at the seam
        const QRgb expected = x < 50 ? qRgb(255, 0, 0) : qRgb(0, 0, 255);
        ASSERT_EQ(target.pixel(x, 25), expected) << x;
        ASSERT_EQ(target.pixel(x, 74), expected) << x;
    }
}

TEST(FitGeometry, DrawFittedOnEmptyRectOrPictureDrawsNothingMore) {
    QImage target = canvas(20, 20);
    {
        QPainter painter(&target);
        painter.setBrush(Qt::white);
        DrawFitted(painter, QRect(5, 5, 0, 10), QImage(4, 4, QImage::Format_RGB32));
        DrawFitted(painter, QRect(5, 5, 10, 0), QImage(4, 4, QImage::Format_RGB32));
    }
    EXPECT_EQ(target, canvas(20, 20));  // not even the fill
    {
        QPainter painter(&target);
        painter.setBrush(Qt::white);
        DrawFitted(painter, QRect(0, 0, 10, 20), QImage());
    }
    EXPECT_EQ(target.pixel(9, 19), qRgb(255, 255, 255));  // fill only
    EXPECT_EQ(target.pixel(10, 0), qRgb(0, 0, 0));
}
