#include "jpegfile/segment_replace.h"
#include "platform/errors.h"
#include "support/jpeg_builder.h"

#include <gtest/gtest.h>

using namespace tollamar;
using testsupport::FromSos;
using testsupport::HeaderMarkers;
using testsupport::JpegBuilder;
using testsupport::SegmentPayloads;

TEST(SegmentReplace, CommentMovesRightBeforeSosAndEverythingElseKeepsItsBytes) {
    const QByteArray scan("\x11\x22\xFF\x00\xFF\xFE\x00\x03x", 9);
    QByteArray jpeg = JpegBuilder().soi().com("first").fill(2).app1(QByteArray("Exif\0\0", 6)).tables()
               .standalone(0xD0).com("second").sosAndData(scan).raw("trailing").bytes();
    const QByteArray original = jpeg;
    ASSERT_TRUE(ReplaceSegment(jpeg, "new", 0xFE));
    EXPECT_EQ(HeaderMarkers(jpeg), QByteArray("\xE1\xDB\xC0\xC4\xD0\xFE\xDA", 7));
    EXPECT_EQ(SegmentPayloads(jpeg, 0xFE), QList<QByteArray>({"new"}));
    EXPECT_EQ(SegmentPayloads(jpeg, 0xE1), SegmentPayloads(original, 0xE1));
    EXPECT_EQ(FromSos(jpeg), FromSos(original));  // scan data, EOI and trailing bytes
    EXPECT_FALSE(jpeg.contains(QByteArray("\xFF\xFF", 2)));  // fill bytes are dropped
}

TEST(SegmentReplace, OtherMarkersTakeThePlaceOfTheFirstOldSegment) {
    QByteArray jpeg = JpegBuilder().soi().segment(0xE0, "JFIF").app1("exif").tables()
                          .app1("xmp").sosAndData().bytes();
    ASSERT_TRUE(ReplaceSegment(jpeg, "joined", 0xE1));
    EXPECT_EQ(HeaderMarkers(jpeg), QByteArray("\xE0\xE1\xDB\xC0\xC4\xDA", 6));
    EXPECT_EQ(SegmentPayloads(jpeg, 0xE1), QList<QByteArray>({"joined"}));

    QByteArray none = JpegBuilder().soi().tables().sosAndData().bytes();
    ASSERT_TRUE(ReplaceSegment(none, "exif", 0xE1));
    EXPECT_EQ(HeaderMarkers(none), QByteArray("\xDB\xC0\xC4\xE1\xDA", 5));

    ASSERT_TRUE(ReplaceSegment(jpeg, {}, 0xE1));  // empty data removes the marker
    EXPECT_EQ(HeaderMarkers(jpeg), QByteArray("\xE0\xDB\xC0\xC4\xDA", 5));
}

TEST(SegmentReplace, SplitsLongDataIntoFullChunks) {
    QByteArray jpeg = JpegBuilder().soi().tables().sosAndData().bytes();
    QByteArray data(70000, 'x');
    data[65533] = 'y';
    ASSERT_TRUE(ReplaceSegment(jpeg, data, 0xE1));
    const QList<QByteArray> payloads = SegmentPayloads(jpeg, 0xE1);
    ASSERT_EQ(payloads.size(), 2);
    EXPECT_EQ(payloads[0].size(), 65533);
    EXPECT_EQ(payloads[1].size(), 4467);
    EXPECT_EQ(payloads[1][0], 'y');
    EXPECT_EQ(SegmentChunks(QByteArray(65533, 'a'), 0xFE).size(), 65537);
    EXPECT_TRUE(SegmentChunks({}, 0xFE).isEmpty());
}

TEST(SegmentReplace, LeavesUnrebuildableContentAsItWas) {
    for (QByteArray bad : {QByteArray("not a jpeg"),
                           JpegBuilder().soi().tables().bytes(),                        // no SOS
                           JpegBuilder().soi().raw(QByteArray("\x00\x01", 2)).sosAndData().bytes(),    // out of step
                           QByteArray("\xFF\xD8\xFF\xE0\x00\x01\xFF\xDA", 8)}) {        // length < 2
        const QByteArray before = bad;
        EXPECT_FALSE(ReplaceSegment(bad, "c", 0xFE));
        EXPECT_EQ(bad, before);
    }
    // A segment that runs past the end raises; the content stays.
    QByteArray cut = JpegBuilder().soi().segment(0xDB, QByteArray(60, 1)).bytes().chopped(10);
    const QByteArray before = cut;
    EXPECT_THROW(ReplaceSegment(cut, "c", 0xFE), Error);
    EXPECT_EQ(cut, before);
}
