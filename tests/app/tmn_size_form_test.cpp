#include "app/tmn_size_form.h"
#include "app_fixture.h"

#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <gtest/gtest.h>

using tollamar::TTmnSizeForm;

TEST(TmnSizeForm, SlidersStepByFourAndTheDefaultButtonSetsTheStandardSize) {
    apptest::EnsureApplication();
    TTmnSizeForm dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("サムネイルの表示サイズを変える"));
    dialog.setThumbnailSize(QSize(33, 35));
    EXPECT_EQ(dialog.TrackBarWidth->value(), 8);
    EXPECT_EQ(dialog.TrackBarHeight->value(), 9);
    EXPECT_EQ(dialog.thumbnailSize(), QSize(32, 36));
    EXPECT_EQ(dialog.Label1->text(), QStringLiteral("32 × 36"));
    dialog.setThumbnailSize(QSize(64, 48));
    EXPECT_EQ(dialog.TrackBarWidth->value(), 16);
    EXPECT_EQ(dialog.TrackBarHeight->value(), 12);
    dialog.setThumbnailSize(QSize(500, 4));
    EXPECT_EQ(dialog.thumbnailSize(), QSize(128, 32)) << "the sliders keep their range";

    dialog.show();
    dialog.TrackBarWidth->setValue(20);
    EXPECT_EQ(dialog.Label1->text(), QStringLiteral("80 × 32"));
    dialog.DefSizeBtn->click();
    EXPECT_EQ(dialog.thumbnailSize(), QSize(64, 48));
    EXPECT_TRUE(dialog.isVisible()) << "the default button does not close";
    EXPECT_TRUE(dialog.OkBtn->isDefault());
    EXPECT_EQ(dialog.TrackBarWidth->minimum() * 4, 32);
    EXPECT_EQ(dialog.TrackBarHeight->maximum() * 4, 128);
    EXPECT_EQ(dialog.TrackBarWidth->pageStep(), 4);
    dialog.OkBtn->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}
