// The image view's geometry and pixels: where the picture goes in each mode, that
// zoomed pixels are repeated or dropped and never blended, and the comment band.
#include "app_fixture.h"
#include "ui/imagewin/image_view.h"

#include <QRandomGenerator>
#include <QScrollBar>
#include <QStyle>
#include <gtest/gtest.h>

using namespace tollamar;

namespace {

QImage noise(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, 0xff000000u | random.bounded(0x1000000u));
    return image;
}

// A shown view whose viewport is client, scroll bars included or not.
void showWithClient(TImageView& view, QSize client, bool withBars) {
    const int bar = view.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &view);
    view.resize(client + (withBars ? QSize(bar, bar) : QSize(0, 0)));
    view.show();
    ASSERT_TRUE(apptest::WaitFor([&] { return view.isVisible(); }));
}

QImage screen(TImageView& view) { return view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

}  // namespace

TEST(ImageView, ZoomArithmetic) {
    // x4: repainting (5, 5, 10, 10) copies source (1, 1, 3, 3) to (4, 4, 12, 12).
    const TZoomCopy four = ZoomCopyRect(TImageMode::Mul4, QRect(5, 5, 5, 5));
    EXPECT_EQ(four.source, QRect(1, 1, 2, 2));
    EXPECT_EQ(four.dest, QRect(4, 4, 8, 8));
    EXPECT_EQ(ZoomCopyRect(TImageMode::Half, QRect(3, 4, 5, 6)).source, QRect(6, 8, 10, 12));
    EXPECT_EQ(ZoomedSize(TImageMode::Half, QSize(1001, 801)), QSize(500, 400));
    EXPECT_EQ(AreaOffset(400, 301, 0), 49);
    EXPECT_EQ(AreaOffset(400, 2000, 800), -800);
    EXPECT_EQ(CentredPosition(1003, 0.5f, 400), 302);  // round(301.5): ties to even
}

// Equal to Double with a 1000 x 800 picture, client 400 x 300 and scroll (300, 250):
// the visible centre stays, so the scroll goes to (800, 650).
TEST(ImageView, ModeSwitchKeepsTheVisibleCentre) {
    apptest::EnsureApplication();
    TImageView view;
    view.SetImageMode(TImageMode::Equal);
    view.setPicture(noise(1000, 800));
    view.setPictureVisible(true);
    showWithClient(view, QSize(400, 300), true);
    ASSERT_EQ(view.viewport()->size(), QSize(400, 300));
    view.horizontalScrollBar()->setValue(300);
    view.verticalScrollBar()->setValue(250);
    view.SetImageMode(TImageMode::Double);
    EXPECT_EQ(view.horizontalScrollBar()->value(), 800);
    EXPECT_EQ(view.verticalScrollBar()->value(), 650);
    EXPECT_EQ(view.pictureArea(), QRect(-800, -650, 2000, 1600));

    view.SetImageMode(TImageMode::Scaled);
    EXPECT_EQ(view.viewport()->size(), view.size());
    EXPECT_EQ(view.pictureArea().height(), view.height());
}

TEST(ImageView, ZoomedPixelsAreRepeatedOrDroppedNeverBlended) {
    apptest::EnsureApplication();
    const QImage picture = noise(8, 6);
    TImageView view;
    view.setPicture(picture);
    view.setPictureVisible(true);
    showWithClient(view, QSize(200, 150), false);
    for (const int k : {2, 4}) {
        view.SetImageMode(k == 2 ? TImageMode::Double : TImageMode::Mul4);
        const QRect area = view.pictureArea();
        EXPECT_EQ(area, QRect((200 - 8 * k) / 2, (150 - 6 * k) / 2, 8 * k, 6 * k));
        const QImage shown = screen(view);
        for (int y = 0; y < area.height(); ++y)
            for (int x = 0; x < area.width(); ++x)
                ASSERT_EQ(shown.pixel(area.x() + x, area.y() + y), picture.pixel(x / k, y / k)) << k << ' ' << x << ' ' << y;
    }
    view.SetImageMode(TImageMode::Half);
    const QRect half = view.pictureArea();
    ASSERT_EQ(half.size(), QSize(4, 3));
    const QImage shown = screen(view);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) {
            const QRgb pixel = shown.pixel(half.x() + x, half.y() + y);
            bool fromPicture = false;
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx) fromPicture = fromPicture || pixel == picture.pixel(2 * x + dx, 2 * y + dy);
            EXPECT_TRUE(fromPicture) << x << ' ' << y;
        }

    // Fitted, a 2 x 2 picture becomes four solid squares of 75 pixels.
    view.setPicture(noise(2, 2));
    view.SetImageMode(TImageMode::Scaled);
    EXPECT_EQ(view.pictureArea(), QRect(25, 0, 150, 150));
    const QImage fitted = screen(view);
    EXPECT_EQ(fitted.pixel(25 + 74, 74), view.picture().pixel(0, 0));
    EXPECT_EQ(fitted.pixel(25 + 75, 75), view.picture().pixel(1, 1));
}

TEST(ImageView, CommentBandDarkensToSevenEighthsUnderWhiteText) {
    apptest::EnsureApplication();
    QImage plain(400, 300, QImage::Format_RGB32);
    plain.fill(qRgb(200, 100, 40));
    TImageView view;
    view.setPicture(plain);
    view.setPictureVisible(true);
    showWithClient(view, QSize(400, 300), false);
    view.setOverlayText(QStringLiteral("一行目\r\n二行目"));
    view.setOverlayVisible(true);
    const QRect band = view.overlayBand();
    EXPECT_EQ(band.width(), 400);
    EXPECT_GE(band.height(), 2 * view.fontMetrics().height() - 2);  // two lines
    const QImage shown = screen(view);
    EXPECT_EQ(shown.pixel(2, 2), qRgb(175, 88, 35));  // c - c >> 3, clear of the centred text
    EXPECT_EQ(shown.pixel(2, band.bottom() + 2), qRgb(200, 100, 40));
    bool white = false;
    for (int x = 0; x < 400 && !white; ++x) white = shown.pixel(x, band.height() / 4) == qRgb(255, 255, 255);
    EXPECT_TRUE(white);

    view.setOverlayText(QString());  // an empty comment draws no band
    EXPECT_EQ(screen(view).pixel(2, 2), qRgb(200, 100, 40));
}
