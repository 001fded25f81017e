// Damaged Exif data: every reader answers with what it could read or raises the
// damaged-Exif error, never reads outside the payload (this suite also runs under
// AddressSanitizer, on exact-size copies) and never hangs.

#include "exif/exif_parser.h"
#include "exif/exif_summary.h"
#include "exif/exif_text.h"
#include "exif/exif_thumbnail.h"
#include "exif/exif_values.h"
#include "exif_builder.h"
#include "jpegfile/segment_walk.h"
#include "platform/errors.h"
#include "support/jpeg_builder.h"
#include "support/temp_folder.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <random>

using namespace tollamar;
using namespace exiftest;

namespace {

// TExifInfo is 54 QStrings in a row; the checks walk them as an array.
constexpr int kFields = 54;
static_assert(sizeof(TExifInfo) == kFields * sizeof(QString));
const QString& Field(const TExifInfo& info, int i) { return reinterpret_cast<const QString*>(&info)[i]; }

// Every reader on an exact-size copy; only the damaged-Exif error may come out.
int RunAll(const QByteArray& bytes, TExifInfo& info) {
    const std::vector<char> exact = Exact(bytes);
    int raised = 0;
    ExifValueList values;
    QByteArray thumbnail;
    for (const std::function<void()>& read : std::initializer_list<std::function<void()>>{
             [&] { ReadExifInfoFromPayload(info, View(exact)); }, [&] { ReadExifValuesFromPayload(values, View(exact)); },
             [&] { ReadExifThumbnailFromPayload(View(exact), thumbnail); }}) {
        try {
            read();
        } catch (const Error& e) {
            EXPECT_TRUE(e.message().startsWith("Exif")) << e.what();
            ++raised;
        }
    }
    TTextNode root;
    AddExifText(root, info);
    ExifSummaryText(values);
    return raised;
}

QByteArray Payload(const QByteArray& tiff) { return QByteArray("Exif\0\0", 6) + tiff; }

class ExifDamageTest : public ::testing::TestWithParam<ByteOrder> {};

}  // namespace

TEST_P(ExifDamageTest, TruncationAtEveryLengthGivesPartOfTheFieldsOrTheError) {
    const QByteArray full = CameraBlock(GetParam()).payload();
    TExifInfo complete;
    ASSERT_EQ(RunAll(full, complete), 0);
    int raised = 0;
    for (qsizetype n = 0; n < full.size(); ++n) {
        TExifInfo info;
        raised += RunAll(full.left(n), info);
        for (int f = 0; f < kFields; ++f)
            EXPECT_TRUE(Field(info, f).isEmpty() || Field(info, f) == Field(complete, f)) << "length " << n;
    }
    EXPECT_GT(raised, 0);
    TExifInfo partial;  // cut inside IFD0's third entry: the two before it count
    EXPECT_THROW(ReadExifInfoFromPayload(partial, full.left(6 + 8 + 2 + 12 * 2 + 5)), Error);
    EXPECT_EQ(partial.ImageWidth + partial.BitsPerSample, "1600");
}

TEST_P(ExifDamageTest, WildOffsetsCountsAndDirectories) {
    ExifBuilder b(GetParam());
    b.raw(Dir::Ifd0, 0x010F, kTiffAscii, 20, 0xFFFFFFF0U).raw(Dir::Ifd0, 0x0110, kTiffAscii, 0xFFFFFFFFU, 8);
    b.raw(Dir::Ifd0, 0x011A, kTiffRational, 1, 0xFFFFFFFCU).raw(Dir::Ifd0, 0x0100, kTiffShort, 0xFFFFFFFFU, 0xFFFFFFFFU);
    b.raw(Dir::Ifd0, 0x013E, kTiffRational, 2, 0x7FFFFFFF).raw(Dir::Ifd0, 0x0131, 0xFFFF, 0xFFFFFFFFU, 0);
    b.raw(Dir::Ifd0, 0x8769, kTiffLong, 1, 0x10000000).ascii(Dir::Ifd0, 0x0132, "2004:01:02 03:04:05");
    TExifInfo info;
    ASSERT_TRUE(ReadExifInfoFromPayload(info, b.payload()));
    EXPECT_EQ(info.Maker + info.Model + info.XResolution + info.ImageWidth + info.WhitePoint + info.Software, "");
    EXPECT_EQ(info.DateTime, "2004:01:02 03:04:05");
    ExifValueList values;
    ASSERT_TRUE(ReadExifValuesFromPayload(values, b.payload()));
    EXPECT_TRUE(values.isEmpty());
    QByteArray tiff = b.tiff();
    tiff.replace(4, 4, b.u32(0xFFFFFFFFU));  // IFD0 outside: no usable Exif
    EXPECT_FALSE(ReadExifInfoFromPayload(info, Payload(tiff)));

    // An entry count that promises more than the data holds: the entries before count.
    ExifBuilder many(GetParam());
    many.ascii(Dir::Ifd0, 0x0110, "M1").exifPointer().add(Dir::Exif, 0x8827, kTiffShort, {100});
    tiff = many.tiff();
    tiff.replace(many.offsetOf(Dir::Exif), 2, many.u16(0xFFFF));
    TExifInfo partial;
    EXPECT_THROW(ReadExifInfoFromPayload(partial, Payload(tiff)), Error);
    EXPECT_EQ(partial.Model + partial.ISOSpeedRatings, "M1100");
    EXPECT_THROW(ReadExifValuesFromPayload(values, Payload(tiff)), Error);
    EXPECT_EQ(values.lines(), QStringList({"Model=M1", "ISO=100"}));
}

TEST_P(ExifDamageTest, LoopsRepeatsAndHugeTextsEndQuickly) {
    ExifBuilder self(GetParam());  // the Exif IFD pointer aimed at IFD0 itself
    self.ascii(Dir::Ifd0, 0x010F, "Canon").raw(Dir::Ifd0, 0x8769, kTiffLong, 1, 8);
    TExifInfo info;
    EXPECT_TRUE(ReadExifInfoFromPayload(info, self.payload()));
    EXPECT_EQ(info.Maker, "Canon");
    QByteArray thumbnail;  // IFD1 linked back to IFD0, which has no thumbnail tags
    QByteArray tiff = self.tiff();
    tiff.replace(8 + 2 + 24, 4, self.u32(8));
    EXPECT_FALSE(ReadExifThumbnailFromPayload(Payload(tiff), thumbnail));

    // IFD0 full of pointers to one Exif IFD whose texts all name one long run without
    // a zero byte: each directory is walked once and the long text is not read again
    // and again.
    ExifBuilder many(GetParam());
    const uint32_t run = 8 + (2 + 12 * 3000 + 4) + (2 + 12 * 9000 + 4);
    for (int i = 0; i < 3000; ++i) {
        many.exifPointer().add(Dir::Exif, 0x8827, kTiffShort, {i});
        many.raw(Dir::Exif, 0x9003, kTiffAscii, 4000000, run).raw(Dir::Exif, 0x8824, kTiffAscii, 4000000, run);
    }
    const QByteArray payload = many.payload() + QByteArray(4000000, 'x');
    QElapsedTimer timer;
    timer.start();
    EXPECT_TRUE(ReadExifInfoFromPayload(info, payload));
    ExifValueList values;
    EXPECT_TRUE(ReadExifValuesFromPayload(values, payload));
    EXPECT_LT(timer.elapsed(), 10000);
    EXPECT_EQ(info.ISOSpeedRatings + values.value(u"ISO"), "29992999");
}

TEST_P(ExifDamageTest, RandomDamageNeverEscapes) {
    const QByteArray good = CameraBlock(GetParam()).payload();
    std::mt19937 random(GetParam() == ByteOrder::LittleEndian ? 1 : 2);
    for (int round = 0; round < 3000; ++round) {
        QByteArray bad = good;
        for (int c = 1 + static_cast<int>(random() % 8); c > 0; --c)
            bad[static_cast<qsizetype>(6 + random() % (bad.size() - 6))] = static_cast<char>(random() % 3 ? random() : 0xFF);
        if (random() % 4 == 0) bad.truncate(static_cast<qsizetype>(random() % bad.size()));
        TExifInfo info;
        RunAll(bad, info);
    }
}

TEST_P(ExifDamageTest, Thumbnail) {
    const QByteArray payload = CameraBlock(GetParam()).payload();
    QByteArray out;
    ASSERT_TRUE(ReadExifThumbnailFromPayload(payload, out));
    EXPECT_EQ(out, testsupport::EncodeJpeg(16, 12));
    EXPECT_TRUE(IsJpegStream(out));
    testsupport::TempFolder folder;
    QBuffer destination;
    destination.open(QIODevice::WriteOnly);
    EXPECT_TRUE(ReadExifThumbnail(destination, folder.write("t.jpg", RealJpegWithApp1(payload))));
    EXPECT_EQ(destination.data(), out);
    EXPECT_FALSE(ReadExifThumbnail(destination, folder.write("n.jpg", testsupport::EncodeJpeg(8, 8))));
    EXPECT_THROW(ReadExifThumbnail(destination, folder.path("missing.jpg")), Error);

    auto thumb = [&](std::initializer_list<std::pair<uint16_t, uint32_t>> tags) {
        ExifBuilder b(GetParam());
        b.ascii(Dir::Ifd0, 0x010F, "Canon");
        for (auto [tag, value] : tags) b.add(Dir::Ifd1, tag, kTiffLong, {value});
        out = "old";
        return ReadExifThumbnailFromPayload(b.payload(), out);
    };
    EXPECT_FALSE(thumb({}) || thumb({{0x0201, 8}}) || thumb({{0x0201, 0}, {0x0202, 10}}));
    // Bytes named past the end, also where offset + length wraps 32 bits: true, nothing.
    for (auto [offset, length] : {std::pair<uint32_t, uint32_t>{100, 5000}, {0xFFFFFFF0U, 0x20}, {8, 0xFFFFFFFFU}}) {
        EXPECT_TRUE(thumb({{0x0201, offset}, {0x0202, length}}));
        EXPECT_TRUE(out.isEmpty());
    }
    // IFD0 without its whole link, IFD1 without its whole count: the error; IFD1
    // entries cut off are passed over.
    const qsizetype ifd1 = 6 + CameraBlock(GetParam()).offsetOf(Dir::Ifd1);
    const int ifd0Entries = TiffReader(QByteArrayView(payload).sliced(6), GetParam()).u16(8).value();
    EXPECT_THROW(ReadExifThumbnailFromPayload(payload.left(6 + 8 + 2 + 12 * ifd0Entries + 2), out), Error);
    EXPECT_THROW(ReadExifThumbnailFromPayload(payload.left(ifd1 + 1), out), Error);
    EXPECT_FALSE(ReadExifThumbnailFromPayload(payload.left(ifd1 + 2 + 12 + 11), out));
}

INSTANTIATE_TEST_SUITE_P(BothByteOrders, ExifDamageTest,
                         ::testing::Values(ByteOrder::LittleEndian, ByteOrder::BigEndian), ByteOrderName);
