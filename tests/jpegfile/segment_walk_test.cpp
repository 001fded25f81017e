#include "jpegfile/byte_source.h"
#include "jpegfile/segment_walk.h"
#include "platform/errors.h"
#include "support/jpeg_builder.h"

#include <QBuffer>
#include <gtest/gtest.h>

using namespace tollamar;
using testsupport::JpegBuilder;

namespace {

bool extract(const QByteArray& jpeg, uint8_t marker, QByteArray& out) {
    MemorySource source(jpeg);
    return ExtractSegment(source, marker, out);
}

}  // namespace

TEST(SegmentWalk, ExtractsEveryPayloadOfAMarkerInOrderThroughFillAndStandalones) {
    const QByteArray jpeg = JpegBuilder()
                                .soi().fill(3).com("AB").app1("Exif")
                                .standalone(0xD3).standalone(0x01).tables()
                                .fill(1).com("CD").sosAndData("\xFF\xFE\x00\x05zz")
                                .bytes();
    QByteArray out;
    EXPECT_TRUE(extract(jpeg, 0xFE, out));
    EXPECT_EQ(out, "ABCD");  // the FF FE inside the scan data is not seen
    EXPECT_TRUE(IsJpegStream(QByteArrayView(jpeg)));
}

TEST(SegmentWalk, DamageStopsTheWalkButKeepsWhatWasCopied) {
    const QByteArray good = JpegBuilder().soi().com("AB").tables().sosAndData().bytes();
    QByteArray out;
    // Cut inside a DQT segment: the comment before it counts, the walk fails quietly.
    EXPECT_FALSE(extract(good.left(good.indexOf('\xDB') + 10), 0xFE, out));
    EXPECT_EQ(out, "AB");

    // Every cut short of SOS fails without raising, except a cut inside the wanted segment.
    for (qsizetype cut = 0; cut < good.indexOf('\xDA'); ++cut) {
        QByteArray partial;
        MemorySource source(QByteArrayView(good).first(cut));
        if (cut >= 6 && cut < 8) {  // inside the COM payload
            EXPECT_THROW(ExtractSegment(source, 0xFE, partial), Error) << cut;
        } else {
            EXPECT_FALSE(ExtractSegment(source, 0xFE, partial)) << cut;
        }
        EXPECT_FALSE(IsJpegStream(QByteArrayView(good).first(cut))) << cut;
    }
}

TEST(SegmentWalk, RejectsNonJpegAndBrokenStructure) {
    QByteArray out;
    EXPECT_FALSE(extract("GIF89a", 0xFE, out));
    EXPECT_FALSE(IsJpegStream(QByteArrayView("\xFF\xD9\xFF\xDA", 4)));
    // A length below 2, and a byte between segments that is not FF.
    EXPECT_FALSE(IsJpegStream(QByteArrayView("\xFF\xD8\xFF\xE0\x00\x01\xFF\xDA", 8)));
    EXPECT_FALSE(IsJpegStream(JpegBuilder().soi().com("x").raw(QByteArray(1, 0)).sosAndData().bytes()));
    // Ends on fill bytes.
    EXPECT_FALSE(IsJpegStream(JpegBuilder().soi().fill(4).bytes()));
    EXPECT_TRUE(out.isEmpty());
}

TEST(SegmentWalk, WantedMarkerIsTestedBeforeTheStandaloneAndSosRules) {
    // A wanted TEM is read as a segment with a length.
    const QByteArray jpeg = JpegBuilder().soi().segment(0x01, "xy").sosAndData().bytes();
    QByteArray out;
    EXPECT_TRUE(extract(jpeg, 0x01, out));
    EXPECT_EQ(out, "xy");
}

TEST(SegmentWalk, DeviceFormsReadFromTheCurrentPositionAndStopAfterTheHeader) {
    QByteArray data = "junk";
    data += JpegBuilder().soi().com("hello").tables().sosAndData(QByteArray(100000, '\x11')).bytes();
    QBuffer in(&data);
    in.open(QIODevice::ReadOnly);
    in.seek(4);
    QByteArray payload;
    QBuffer out(&payload);
    out.open(QIODevice::WriteOnly);
    EXPECT_TRUE(ExtractSegment(in, 0xFE, out));
    EXPECT_EQ(payload, "hello");
    EXPECT_LT(in.pos(), 300);  // left right after SOS, nothing of the scan data consumed
    in.seek(0);
    EXPECT_FALSE(IsJpegStream(in));
}

TEST(SegmentWalk, SkipsLargeSegmentsBeyondTheBuffer) {
    const QByteArray big(65533, 'q');
    const QByteArray jpeg =
        JpegBuilder().soi().app1(big).app1(big).segment(0xE2, big).com("end").sosAndData().bytes();
    QByteArray out;
    EXPECT_TRUE(extract(jpeg, 0xFE, out));
    EXPECT_EQ(out, "end");
    QByteArray app1;
    EXPECT_TRUE(extract(jpeg, 0xE1, app1));
    EXPECT_EQ(app1.size(), 2 * 65533);
}
