// The round button's edge colours, its bevel as painted, the hidden key flash, and the
// about box's random button colour.
#include "ui/dialogs/about_box.h"
#include "ui/dialogs/rnd_rect_btn.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <map>

using namespace tollamar;

namespace {

QString rgb(const QColor& c) { return c.name(); }

int brightness(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)); }

}  // namespace

TEST(RndRectBtnTest, EdgeColoursFollowTheIntegerFormulasPerComponent) {
    const TRndRectEdgeColors colors = RndRectEdgeColors(QColor(0, 100, 255));
    // light A = 255 - (255 - c) * 2 / 3, dark A = c * 3 / 4, light B = 255 - (255 - c) / 4,
    // dark B = c / 2, each truncated.
    EXPECT_EQ(rgb(colors.lightA), QColor(85, 152, 255).name());
    EXPECT_EQ(rgb(colors.darkA), QColor(0, 75, 191).name());
    EXPECT_EQ(rgb(colors.lightB), QColor(192, 217, 255).name());
    EXPECT_EQ(rgb(colors.darkB), QColor(0, 50, 127).name());
}

TEST(RndRectBtnTest, RaisedButtonIsLightAboveAndDarkBelowAndPressedTheReverse) {
    TRndRectBtn button(QStringLiteral("OK"));
    button.resize(81, 33);
    button.setColor(QColor(0xA0, 0xA0, 0xFF));
    const int x = button.width() / 2, bottom = button.height() - 2;
    const QImage raised = button.grab().toImage();
    EXPECT_EQ(raised.pixelColor(x, button.height() / 2 - 8), QColor(0xA0, 0xA0, 0xFF));
    EXPECT_GT(brightness(raised, x, 1), brightness(raised, x, bottom));
    button.setDown(true);
    const QImage pressed = button.grab().toImage();
    EXPECT_LT(brightness(pressed, x, 1), brightness(pressed, x, bottom));
    // The corners are cut away by the window's shape.
    EXPECT_FALSE(button.mask().contains(QPoint(0, 0)));
    button.setEllipseWidth(0);
    EXPECT_TRUE(button.mask().isEmpty());
}

TEST(RndRectBtnTest, HiddenKeySequenceFlashesInsteadOfPressing) {
    TRndRectBtn button(QStringLiteral("OK"));
    QSignalSpy clicks(&button, &QPushButton::clicked);
    for (const Qt::Key key : {Qt::Key_T, Qt::Key_L, Qt::Key_M}) QTest::keyClick(&button, key);
    EXPECT_FALSE(button.isFlashing());
    QTest::keyClick(&button, Qt::Key_Space);
    EXPECT_TRUE(button.isFlashing());
    EXPECT_EQ(clicks.count(), 0);
    QElapsedTimer clock;
    clock.start();
    while (button.isFlashing() && clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    EXPECT_FALSE(button.isFlashing());
    // Any other sequence is an ordinary key press.
    QTest::keyClick(&button, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 1);
}

TEST(AboutBoxTest, ButtonColourMapsEveryTwoDrawsToOneColourAndTheLastToTheButtonFace) {
    std::map<QRgb, int> seen;
    for (int r = 0; r < 24; ++r) {
        const std::optional<QColor> color = AboutButtonColor(r);
        ASSERT_TRUE(color.has_value()) << r;
        ++seen[color->rgb()];
    }
    EXPECT_EQ(seen.size(), 12u);
    for (const auto& [color, count] : seen) EXPECT_EQ(count, 2) << QColor(color).name().toStdString();
    EXPECT_EQ(AboutButtonColor(0)->name(), "#ffa0a0");
    EXPECT_EQ(AboutButtonColor(23)->name(), "#d070ff");
    EXPECT_FALSE(AboutButtonColor(24).has_value());
}
