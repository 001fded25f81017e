#include "fileinfo/segment_list.h"
#include "support/jpeg_builder.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

using namespace tollamar;
using testsupport::JpegBuilder;
using testsupport::TempFolder;

namespace {

QStringList listing(const QByteArray& jpeg, bool* reachedSos = nullptr) {
    TempFolder dir;
    TTextNode parent;
    const bool reached = ListSegments(dir.write("p.jpg", jpeg), parent);
    if (reachedSos) *reachedSos = reached;
    QStringList lines;
    for (const TTextNode& child : parent.children) lines.append(child.text);
    return lines;
}

}  // namespace

TEST(SegmentList, ListsACameraLikeHeaderWithOffsetsAndGroupedLengths) {
    QByteArray exif("Exif\0\0", 6);
    exif += QByteArray(9176 - 6, 'x');
    const QByteArray jpeg = JpegBuilder().soi().app1(exif).segment(0xDB, QByteArray(130, 1))
                                .app1("http://ns.adobe.com/xap/1.0/").segment(0xEE, "Adobe")
                                .com("c").sosAndData().bytes();
    bool reached = false;
    const QStringList lines = listing(jpeg, &reached);
    EXPECT_TRUE(reached);
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0], QStringLiteral("000000: 0xD8: SOI（Start of Image）"));
    EXPECT_EQ(lines[1], QStringLiteral("000002: 0xE1: APP1（Exif）: 9,178 bytes"));
    EXPECT_EQ(lines[2], QStringLiteral("009182: 0xDB: DQT（量子化テーブル）: 132 bytes"));
    EXPECT_EQ(lines[3], QStringLiteral("009316: 0xE1: APP1（アプリケーション・マーカー）: 30 bytes"));
    EXPECT_EQ(lines[4], QStringLiteral("009348: 0xEE: APP14（アプリケーション・マーカー）: 7 bytes"));
    EXPECT_EQ(lines[5], QStringLiteral("009357: 0xFE: COM（コメント）: 3 bytes"));
    EXPECT_EQ(lines[6], QStringLiteral("009362: 0xDA: SOS（Start of Scan）画像データの先頭"));
}

TEST(SegmentList, FillBytesStandalonesAndDamage) {
    // The offset printed is that of the last FF before the code; RST and TEM add no line.
    const QStringList filled = listing(JpegBuilder().soi().fill(2).segment(0xE0, "JFIF")
                                           .standalone(0xD0).sosAndData().bytes());
    EXPECT_EQ(filled, QStringList({QStringLiteral("000000: 0xD8: SOI（Start of Image）"),
                                   QStringLiteral("000004: 0xE0: APP0（アプリケーション・マーカー）: 6 bytes"),
                                   QStringLiteral("000014: 0xDA: SOS（Start of Scan）画像データの先頭")}));
    bool reached = true;
    EXPECT_EQ(listing(QByteArray("\xFF\xD8\xFF\xE0\x00\x01\xFF\xDA", 8), &reached).size(), 1);
    EXPECT_FALSE(reached);
    EXPECT_TRUE(listing("GIF89a").isEmpty());
    // A length that runs past the end is listed; the walk then ends quietly.
    EXPECT_EQ(listing(JpegBuilder().soi().segment(0xDB, QByteArray(300, 1)).bytes().left(40)).size(), 2);
}

TEST(SegmentList, DescriptionsOfTheMarkerRanges) {
    EXPECT_EQ(MarkerDescription(0xF7, {}, 10), QStringLiteral("JPG7（JPEG拡張用）"));
    EXPECT_EQ(MarkerDescription(0xC2, {}, 10), QStringLiteral("SOF2（Progressive DCT, Huffman）"));
    EXPECT_EQ(MarkerDescription(0xDD, {}, 4), QStringLiteral("DRI（リスタート・インターバル定義）"));
    EXPECT_EQ(MarkerDescription(0xE1, QByteArrayView("Exif\0", 5), 7), QStringLiteral("APP1（アプリケーション・マーカー）"));
    EXPECT_EQ(MarkerDescription(0x02, {}, 4), QString());
    EXPECT_EQ(MarkerDescription(0xFE, {}, 4), QStringLiteral("COM（コメント）"));
}
