#include "exif/exif_thumbnail.h"
#include "exif_builder.h"
#include "jpegfile/segment_walk.h"
#include "platform/errors.h"
#include "support/jpeg_builder.h"
#include "support/temp_folder.h"

#include <QBuffer>
#include <gtest/gtest.h>

using namespace tollamar;
using namespace exiftest;

namespace {

class ExifThumbnailTest : public ::testing::TestWithParam<ByteOrder> {};

bool Thumb(const QByteArray& payload, QByteArray& out) { return ReadExifThumbnailFromPayload(payload, out); }

}  // namespace

TEST_P(ExifThumbnailTest, CopiesTheThumbnailOfIfd1) {
    const QByteArray small = testsupport::EncodeJpeg(16, 12);
    ExifBuilder b(GetParam());
    b.ascii(Dir::Ifd0, 0x010F, "Canon").exifPointer().thumbnail(small);
    b.shorts(Dir::Exif, 0x8827, {100});
    b.shorts(Dir::Ifd1, 0x0103, {6});
    QByteArray out;
    ASSERT_TRUE(Thumb(b.payload(), out));
    EXPECT_EQ(out, small);
    EXPECT_TRUE(IsJpegStream(out));

    testsupport::TempFolder folder;
    QBuffer destination;
    destination.open(QIODevice::WriteOnly);
    EXPECT_TRUE(ReadExifThumbnail(destination, folder.write("t.jpg", RealJpegWithApp1(b.payload()))));
    EXPECT_EQ(destination.data(), small);
    QBuffer none;
    none.open(QIODevice::WriteOnly);
    EXPECT_FALSE(ReadExifThumbnail(none, folder.write("n.jpg", testsupport::EncodeJpeg(8, 8))));
    EXPECT_THROW(ReadExifThumbnail(none, folder.path("missing.jpg")), Error);
}

TEST_P(ExifThumbnailTest, MissingOrUnusableThumbnailTags) {
    QByteArray out;
    ExifBuilder noIfd1(GetParam());
    noIfd1.ascii(Dir::Ifd0, 0x010F, "Canon");
    EXPECT_FALSE(Thumb(noIfd1.payload(), out));

    ExifBuilder noLength(GetParam());
    noLength.longs(Dir::Ifd1, 0x0201, {8});
    EXPECT_FALSE(Thumb(noLength.payload(), out));

    ExifBuilder zeroOffset(GetParam());
    zeroOffset.longs(Dir::Ifd1, 0x0201, {0}).longs(Dir::Ifd1, 0x0202, {10});
    EXPECT_FALSE(Thumb(zeroOffset.payload(), out));

    // Offset and length that name bytes past the end, also where their sum wraps around
    // 32 bits: true, but nothing copied.
    for (auto [offset, length] : {std::pair<uint32_t, uint32_t>{100, 5000}, {0xFFFFFFF0U, 0x20}, {8, 0xFFFFFFFFU}}) {
        ExifBuilder past(GetParam());
        past.longs(Dir::Ifd1, 0x0201, {offset}).longs(Dir::Ifd1, 0x0202, {length});
        out = "old";
        EXPECT_TRUE(Thumb(past.payload(), out));
        EXPECT_TRUE(out.isEmpty());
    }

    ExifBuilder wildLink(GetParam());
    wildLink.thumbnail("\xFF\xD8\xFF\xD9");
    QByteArray tiff = wildLink.tiff();
    tiff.replace(8 + 2, 4, wildLink.u32(0x7FFFFFFF));  // IFD0 has no entries: its link follows the count
    EXPECT_FALSE(Thumb(QByteArray("Exif\0\0", 6) + tiff, out));
}

TEST_P(ExifThumbnailTest, CutOffDirectories) {
    ExifBuilder b(GetParam());
    b.ascii(Dir::Ifd0, 0x010F, "Canon").thumbnail("\xFF\xD8\xFF\xD9");
    const QByteArray payload = b.payload();
    const qsizetype ifd1 = 6 + b.offsetOf(Dir::Ifd1);
    QByteArray out;
    // IFD0 without its link, and IFD1 without its whole count: the damaged-Exif error.
    EXPECT_THROW(Thumb(payload.left(6 + 8 + 2 + 12 + 2), out), Error);
    EXPECT_THROW(Thumb(payload.left(ifd1 + 1), out), Error);
    // IFD1 entries cut off are passed over.
    EXPECT_FALSE(Thumb(payload.left(ifd1 + 2 + 12 + 11), out));
}

INSTANTIATE_TEST_SUITE_P(BothByteOrders, ExifThumbnailTest,
                         ::testing::Values(ByteOrder::LittleEndian, ByteOrder::BigEndian),
                         ByteOrderName);
