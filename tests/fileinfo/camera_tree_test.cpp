#include "fileinfo/camera_tree.h"

#include <gtest/gtest.h>

using namespace tollamar;

TEST(CameraTree, SummaryLineFallsBackAndSkipsNeutralValues) {
    TExifInfo info;
    EXPECT_EQ(CameraSummaryLine(info), QStringLiteral("? mm"));
    info.FocalLength = "8.2";
    info.Aperture = "2.8";
    info.ShutterSpeed = "1/60";
    info.ExposureBias = "0";
    info.Flash = "Off";
    EXPECT_EQ(CameraSummaryLine(info), QStringLiteral("8.2 mm, F2.8, 1/60 sec"));
    info.FNumber = "4.0";
    info.ExposureTime = "1/125";
    info.ISOSpeedRatings = "100";
    info.ExposureBias = "-1/3";
    info.Flash = "On, red-eye reduction";
    EXPECT_EQ(CameraSummaryLine(info), QStringLiteral("8.2 mm, F4.0, 1/125 sec, ISO100, -1/3EV, Flash-ON"));
}

TEST(CameraTree, ModelDateSummaryThenDetails) {
    TExifInfo info;
    info.Model = "KX-100";
    info.Maker = "Kestrel";
    info.DateTimeOriginal = "2019:04:06 07:12:45";
    info.SubSecTimeOriginal = "25";
    const QList<TTextNode> tree = BuildCameraTree(info);
    ASSERT_EQ(tree.size(), 4);
    EXPECT_EQ(tree[0].text, QStringLiteral("KX-100(Kestrel)"));
    EXPECT_EQ(tree[1].text, QStringLiteral("2019:04:06 07:12:45.25"));
    EXPECT_EQ(tree[3].text, QStringLiteral("【詳細】（ダブルクリックで開閉）"));
    EXPECT_FALSE(tree[3].children.isEmpty());
}
