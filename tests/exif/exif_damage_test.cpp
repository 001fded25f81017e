// Damaged Exif data: every reader either answers with what it could read or raises the
// damaged-Exif error, and never reads outside the payload (this suite also runs under
// AddressSanitizer, where the payload copies below are exactly as long as their data).

#include "exif/exif_info.h"
#include "exif/exif_parser.h"
#include "exif/exif_summary.h"
#include "exif/exif_text.h"
#include "exif/exif_thumbnail.h"
#include "exif/exif_values.h"
#include "exif_builder.h"
#include "platform/errors.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <random>

using namespace tollamar;
using namespace exiftest;

namespace {

// TExifInfo is 54 QStrings in a row; the tests walk them as an array.
constexpr int kFieldCount = 54;
static_assert(sizeof(TExifInfo) == kFieldCount * sizeof(QString));

const QString& Field(const TExifInfo& info, int i) { return reinterpret_cast<const QString*>(&info)[i]; }

ExifBuilder RichBlock(ByteOrder order) {
    ExifBuilder b(order);
    b.ascii(Dir::Ifd0, 0x010F, "Canon")
        .ascii(Dir::Ifd0, 0x0110, "Canon PowerShot S1 IS")
        .shorts(Dir::Ifd0, 0x0102, {8, 8, 8})
        .rationals(Dir::Ifd0, 0x013E, {{313, 1000}, {329, 1000}})
        .exifPointer()
        .ascii(Dir::Ifd0, 0x0132, "2004:01:02 03:04:05")
        .thumbnail(QByteArray("\xFF\xD8\xFF\xD9", 4));
    b.rationals(Dir::Exif, 0x829A, {{1, 250}})
        .ascii(Dir::Exif, 0x9003, "2004:01:02 03:04:05")
        .srationals(Dir::Exif, 0x9204, {{-1, 3}})
        .shorts(Dir::Exif, 0xA214, {10, 20})
        .undefined(Dir::Exif, 0x9000, "0220");
    b.shorts(Dir::Ifd1, 0x0103, {6});
    return b;
}

// Runs every reader; only the damaged-Exif error may come out.
void RunAll(const QByteArray& payload) {
    TExifInfo info;
    try {
        ReadExifInfoFromPayload(info, payload);
    } catch (const Error&) {
    }
    TTextNode root;
    AddExifText(root, info);
    ExifValueList values;
    try {
        ReadExifValuesFromPayload(values, payload);
    } catch (const Error&) {
    }
    ExifSummaryText(values);
    QByteArray thumbnail;
    try {
        ReadExifThumbnailFromPayload(payload, thumbnail);
    } catch (const Error&) {
    }
}

class ExifDamageTest : public ::testing::TestWithParam<ByteOrder> {};

}  // namespace

TEST_P(ExifDamageTest, TruncationAtEveryLengthGivesPartOfTheFieldsOrTheError) {
    const QByteArray full = RichBlock(GetParam()).payload();
    TExifInfo complete;
    ASSERT_TRUE(ReadExifInfoFromPayload(complete, full));
    int raised = 0;
    for (qsizetype n = 0; n <= full.size(); ++n) {
        const QByteArray cut = full.left(n);
        TExifInfo info;
        try {
            ReadExifInfoFromPayload(info, cut);
        } catch (const Error& e) {
            ++raised;
            EXPECT_TRUE(e.message().startsWith("Exif"));
        }
        for (int f = 0; f < kFieldCount; ++f)
            if (!Field(info, f).isEmpty()) {
                EXPECT_EQ(Field(info, f), Field(complete, f)) << "length " << n;
            }
        RunAll(cut);
    }
    EXPECT_GT(raised, 0);
    // Cut inside IFD0's entries: the entries before the cut count, then the error.
    TExifInfo partial;
    EXPECT_THROW(ReadExifInfoFromPayload(partial, full.left(6 + 8 + 2 + 12 * 2 + 5)), Error);
    EXPECT_EQ(partial.Maker, "");  // its text lies beyond the cut
    EXPECT_EQ(partial.BitsPerSample, "");
}

TEST_P(ExifDamageTest, WildOffsetsAndCountsAreSkipped) {
    ExifBuilder b(GetParam());
    b.raw(Dir::Ifd0, 0x010F, kTiffAscii, 20, 0xFFFFFFF0U)       // text past the end
        .raw(Dir::Ifd0, 0x0110, kTiffAscii, 0xFFFFFFFFU, 8)      // count far too big
        .raw(Dir::Ifd0, 0x011A, kTiffRational, 1, 0xFFFFFFFCU)   // offset + 8 wraps 32 bits
        .raw(Dir::Ifd0, 0x0102, kTiffShort, 3, 0xFFFFFFFFU)
        .raw(Dir::Ifd0, 0x0100, kTiffShort, 0xFFFFFFFFU, 0xFFFFFFFFU)
        .raw(Dir::Ifd0, 0x013E, kTiffRational, 2, 0x7FFFFFFF)
        .raw(Dir::Ifd0, 0x0131, 0xFFFF, 0xFFFFFFFFU, 0)          // unknown type
        .ascii(Dir::Ifd0, 0x0132, "2004:01:02 03:04:05")
        .exifPointer();
    b.raw(Dir::Exif, 0x9003, kTiffAscii, 20, 0x7FFFFFFF)
        .raw(Dir::Exif, 0x829A, kTiffRational, 1, 0xFFFFFFFFU)
        .raw(Dir::Exif, 0x8827, kTiffAscii, 0xFFFFFFFFU, 0x7FFFFFF0)
        .shorts(Dir::Exif, 0x9209, {1});
    TExifInfo info;
    ASSERT_TRUE(ReadExifInfoFromPayload(info, b.payload()));
    EXPECT_EQ(info.Maker, "");
    EXPECT_EQ(info.Model, "");
    EXPECT_EQ(info.XResolution, "");
    EXPECT_EQ(info.BitsPerSample, "");
    EXPECT_EQ(info.ImageWidth, "");
    EXPECT_EQ(info.WhitePoint, "");
    EXPECT_EQ(info.Software, "");
    EXPECT_EQ(info.DateTime, "2004:01:02 03:04:05");
    EXPECT_EQ(info.DateTimeOriginal, "");
    EXPECT_EQ(info.Flash, "On");
    ExifValueList values;
    ASSERT_TRUE(ReadExifValuesFromPayload(values, b.payload()));
    EXPECT_EQ(values.lines(), QStringList({"Flash=1"}));
}

TEST_P(ExifDamageTest, DirectoriesOutsideOrCutOff) {
    ExifBuilder wildIfd0(GetParam());
    wildIfd0.ascii(Dir::Ifd0, 0x010F, "Canon").ifd0Offset(0xFFFFFFFFU);
    TExifInfo info;
    EXPECT_FALSE(ReadExifInfoFromPayload(info, wildIfd0.payload()));
    ExifValueList values;
    EXPECT_FALSE(ReadExifValuesFromPayload(values, wildIfd0.payload()));

    ExifBuilder wildExif(GetParam());
    wildExif.ascii(Dir::Ifd0, 0x010F, "Canon").raw(Dir::Ifd0, 0x8769, kTiffLong, 1, 0x10000000);
    EXPECT_TRUE(ReadExifInfoFromPayload(info, wildExif.payload()));
    EXPECT_EQ(info.Maker, "Canon");

    // An entry count that promises more entries than the data holds.
    ExifBuilder tooMany(GetParam());
    tooMany.ascii(Dir::Ifd0, 0x0110, "M1").exifPointer();
    tooMany.shorts(Dir::Exif, 0x8827, {100});
    QByteArray tiff = tooMany.tiff();
    const uint32_t exifAt = tooMany.offsetOf(Dir::Exif);
    tiff.replace(exifAt, 2, tooMany.u16(0xFFFF));
    const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
    TExifInfo partial;
    EXPECT_THROW(ReadExifInfoFromPayload(partial, payload), Error);
    EXPECT_EQ(partial.Model, "M1");
    EXPECT_EQ(partial.ISOSpeedRatings, "100");
    ExifValueList partialValues;
    EXPECT_THROW(ReadExifValuesFromPayload(partialValues, payload), Error);
    EXPECT_EQ(partialValues.value(u"Model"), "M1");
}

TEST_P(ExifDamageTest, LoopsAndRepeatsEndQuickly) {
    // The Exif IFD pointer aimed at IFD0 itself, and an Exif IFD that points at itself.
    ExifBuilder self(GetParam());
    self.ascii(Dir::Ifd0, 0x010F, "Canon").raw(Dir::Ifd0, 0x8769, kTiffLong, 1, 8);
    TExifInfo info;
    EXPECT_TRUE(ReadExifInfoFromPayload(info, self.payload()));
    EXPECT_EQ(info.Maker, "Canon");
    ExifBuilder inner(GetParam());
    inner.exifPointer();
    inner.shorts(Dir::Exif, 0x8827, {100}).raw(Dir::Exif, 0x8769, kTiffLong, 1, inner.offsetOf(Dir::Exif));
    EXPECT_TRUE(ReadExifInfoFromPayload(info, inner.payload()));
    EXPECT_EQ(info.ISOSpeedRatings, "100");

    // IFD0 full of Exif IFD pointers to one huge Exif IFD: each is walked once.
    ExifBuilder many(GetParam());
    for (int i = 0; i < 4000; ++i) many.exifPointer();
    for (int i = 0; i < 4000; ++i) many.shorts(Dir::Exif, 0x8827, {static_cast<uint16_t>(i)});
    const QByteArray payload = many.payload();
    QElapsedTimer timer;
    timer.start();
    EXPECT_TRUE(ReadExifInfoFromPayload(info, payload));
    ExifValueList values;
    EXPECT_TRUE(ReadExifValuesFromPayload(values, payload));
    EXPECT_LT(timer.elapsed(), 2000);
    EXPECT_EQ(info.ISOSpeedRatings, "3999");
    EXPECT_EQ(values.value(u"ISO"), "3999");

    // IFD1 linked back to IFD0.
    ExifBuilder back(GetParam());
    back.ascii(Dir::Ifd0, 0x010F, "Canon");
    QByteArray tiff = back.tiff();
    tiff.replace(8 + 2 + 12, 4, back.u32(8));
    QByteArray thumbnail;
    EXPECT_FALSE(ReadExifThumbnailFromPayload(QByteArray("Exif\0\0", 6) + tiff, thumbnail));
}

TEST_P(ExifDamageTest, RandomDamageNeverEscapes) {
    const QByteArray good = RichBlock(GetParam()).payload();
    std::mt19937 random(GetParam() == ByteOrder::LittleEndian ? 1 : 2);
    for (int round = 0; round < 3000; ++round) {
        QByteArray bad = good;
        const int changes = 1 + static_cast<int>(random() % 8);
        for (int c = 0; c < changes; ++c) {
            const auto at = static_cast<qsizetype>(6 + random() % static_cast<uint32_t>(bad.size() - 6));
            bad[at] = static_cast<char>(random() % 3 == 0 ? 0xFF : random());
        }
        if (random() % 4 == 0) bad.truncate(static_cast<qsizetype>(random() % static_cast<uint32_t>(bad.size())));
        RunAll(bad);
    }
}

INSTANTIATE_TEST_SUITE_P(BothByteOrders, ExifDamageTest,
                         ::testing::Values(ByteOrder::LittleEndian, ByteOrder::BigEndian),
                         ByteOrderName);
