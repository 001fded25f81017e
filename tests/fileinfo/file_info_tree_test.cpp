#include "fileinfo/file_info_tree.h"
#include "platform/file_ops.h"
#include "platform/file_times.h"
#include "support/jpeg_builder.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace tollamar;
using testsupport::JpegBuilder;
using testsupport::TempFolder;

TEST(FileInfoTree, ItemsInOrderWithGroupedNumbersTimesAndAttributes) {
    TempFolder dir;
    QByteArray jpeg = JpegBuilder().soi().tables().sosAndData().bytes();
    jpeg += QByteArray(1000 - jpeg.size(), '\0');
    const QString photo = dir.write("写真 1.jpg", jpeg);
    chmod(NativePath(photo).constData(), 0444);
    TFileTimes times;
    times.lastAccess = times.lastWrite = {1700000000, 0};
    SetFileTimes(photo, times);

    const QList<TTextNode> tree = BuildFileInfoTree(photo, QSize(2048, 1536));
    ASSERT_EQ(tree.size(), 6);
    EXPECT_EQ(tree[0].text, QStringLiteral("写真 1.jpg"));
    EXPECT_EQ(tree[1].text, QStringLiteral("2,048 * 1,536 pixels"));
    EXPECT_EQ(tree[2].text, QStringLiteral("1,000 bytes"));
    EXPECT_EQ(tree[3].text, QStringLiteral("Date & Time"));
    ASSERT_EQ(tree[3].children.size(), 3);
    EXPECT_EQ(tree[3].children[1].text, LocalTimeText({1700000000, 0}) + QStringLiteral(" (Last Write Time)"));
    EXPECT_TRUE(tree[3].children[0].text.endsWith(QStringLiteral(" (Creation Time)")));
    EXPECT_TRUE(tree[3].children[2].text.endsWith(QStringLiteral(" (Last Access Time)")));
    EXPECT_EQ(tree[4].text, QStringLiteral("Attributes"));
    ASSERT_EQ(tree[4].children.size(), 1);
    EXPECT_EQ(tree[4].children[0].text, QStringLiteral("READONLY"));
    EXPECT_EQ(tree[5].text, QStringLiteral("Segments"));
    EXPECT_EQ(tree[5].children.size(), 5);  // SOI, DQT, SOF0, DHT, SOS
}

TEST(FileInfoTree, WithoutSizeOrFileDataTheTreeIsShorter) {
    TempFolder dir;
    const QString photo = dir.write("a.jpg", QByteArray(999, 'x'));
    const QList<TTextNode> tree = BuildFileInfoTree(photo, std::nullopt);
    ASSERT_EQ(tree.size(), 5);
    EXPECT_EQ(tree[1].text, QStringLiteral("999 bytes"));
    EXPECT_EQ(tree[3].children.first().text, QStringLiteral("NORMAL"));
    EXPECT_TRUE(tree[4].children.isEmpty());
    EXPECT_EQ(BuildFileInfoTree(dir.path("gone.jpg"), std::nullopt).size(), 1);
    EXPECT_EQ(LocalTimeText({0, 0}).size(), 19);
}
