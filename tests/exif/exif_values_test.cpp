#include "exif/exif_summary.h"
#include "exif/exif_values.h"
#include "exif_builder.h"
#include "platform/errors.h"
#include "platform/file_times.h"
#include "support/jpeg_builder.h"
#include "support/temp_folder.h"

#include <QBuffer>

using namespace tollamar;
using namespace exiftest;

namespace {

using Tags = std::initializer_list<std::tuple<uint16_t, uint16_t, std::initializer_list<int64_t>>>;

QStringList Lines(ByteOrder order, Tags exifTags) {
    ExifBuilder b(order);
    b.ascii(Dir::Ifd0, 0x010F, " Canon  ").exifPointer().ascii(Dir::Ifd0, 0x0110, "PowerShot\x01");
    for (const auto& [tag, type, values] : exifTags) b.add(Dir::Exif, tag, type, values);
    ExifValueList list;
    EXPECT_TRUE(ReadExifValuesFromPayload(list, b.payload()));
    return list.lines();
}

QString Summary(std::initializer_list<std::pair<const char16_t*, const char*>> pairs) {
    ExifValueList v;
    for (auto [name, value] : pairs) v.setValue(name, QString::fromUtf8(value));
    return ExifSummaryText(v);
}

constexpr const char* kNoValues = "?(?)\r\n?\r\n? mm, F?, ? sec";

class ExifValuesTest : public ::testing::TestWithParam<ByteOrder> {};

}  // namespace

TEST_P(ExifValuesTest, ReadsTheNineValuesInStoredOrder) {
    EXPECT_EQ(Lines(GetParam(), {{0x829A, kTiffRational, {1, 250}}, {0x829D, kTiffRational, {28, 10}},
                                 {0x8827, kTiffLong, {4000000000}}, {0x9204, kTiffSRational, {-1, 3}},
                                 {0x9209, kTiffSLong, {-3}}, {0x920A, kTiffRational, {709375, 100000}},
                                 {0x9290, kTiffShort, {25}}}),
              QStringList({"Maker=Canon", "ExpTime=1/250", "FNum=2.8", "ISO=4000000000", "ExpBias=-0.333333333333333",
                           "Flash=-3", "FocalLen=7.09375", "Model=PowerShot"}));
    auto expTime = [&](Tags tags) { return Lines(GetParam(), tags).filter("ExpTime").join(""); };
    EXPECT_EQ(expTime({{0x829A, kTiffRational, {10, 1}}}), "ExpTime=10");
    EXPECT_EQ(expTime({{0x829A, kTiffRational, {1, 3}}}), "ExpTime=1/3");
    EXPECT_EQ(expTime({{0x829A, kTiffRational, {0, 1}}}), "ExpTime=0");
    EXPECT_EQ(expTime({{0x829A, kTiffShort, {1}}}), "");
    EXPECT_EQ(expTime({{0x829A, kTiffRational, {1, 60}}, {0x9201, kTiffSRational, {7, 1}}}), "ExpTime=1/128");
    EXPECT_EQ(expTime({{0x829A, kTiffRational, {1, 60}}, {0x9201, kTiffRational, {7, 1}}}), "");
    // 0/0 gives no value instead of an error, and the other values still come.
    EXPECT_EQ(Lines(GetParam(), {{0x829A, kTiffRational, {0, 0}}, {0x829D, kTiffRational, {28, 0}},
                                 {0x9204, kTiffSRational, {0, 0}}, {0x920A, kTiffRational, {50, 1}}}),
              QStringList({"Maker=Canon", "FocalLen=50", "Model=PowerShot"}));
}

INSTANTIATE_TEST_SUITE_P(BothByteOrders, ExifValuesTest,
                         ::testing::Values(ByteOrder::LittleEndian, ByteOrder::BigEndian), ByteOrderName);

TEST(ExifValues, ListStreamFileAndNoExif) {
    ExifValueList v;
    v.setValue(u"Maker", "A");
    v.setValue(u"MAKER", "B");
    EXPECT_EQ(v.value(u"maker"), "B");
    v.setValue(u"Maker", "");
    EXPECT_TRUE(v.isEmpty());

    QByteArray jpeg = testsupport::JpegBuilder().soi().app1(CameraBlock(ByteOrder::BigEndian).payload()).tables().sosAndData().bytes();
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::ReadOnly);
    EXPECT_TRUE(ReadExifValues(v, buffer));
    EXPECT_EQ(v.value(u"DateTimeOrg"), "2004:01:02 03:04:05");
    testsupport::TempFolder folder;
    const QString plain = folder.write("plain.jpg", testsupport::EncodeJpeg(8, 8));
    const QString bare = folder.write("bare.jpg", RealJpegWithApp1(ExifBuilder().payload()));
    ExifValueList none;
    EXPECT_FALSE(ReadExifValues(none, plain));
    EXPECT_TRUE(ReadExifValues(none, bare));
    EXPECT_TRUE(none.isEmpty());
    EXPECT_EQ(ExifSummaryText(plain) + ExifSummaryText(bare), "");
    EXPECT_THROW(ReadExifValues(none, folder.path("missing.jpg")), Error);
}

TEST(ExifSummary, ThreeLinesAndTheirOptionalParts) {
    EXPECT_EQ(Summary({{u"Model", "M1"}, {u"Maker", "MK"}, {u"DateTimeOrg", "2003:05:04 13:22:10"}, {u"FocalLen", "8.2"},
                       {u"FNum", "4.9"}, {u"ExpTime", "1/120"}, {u"ISO", "100"}, {u"Flash", "25"},
                       {u"ExpBias", "-0.333333333333333"}}),
              "M1(MK)\r\n2003:05:04 13:22:10\r\n8.2 mm, F4.9, 1/120 sec, ISO100, flash-ON, -1/3EV");
    EXPECT_EQ(Summary({{u"Maker", "MK"}, {u"FocalLen", "7.09375"}}), "?(MK)\r\n?\r\n7.09 mm, F?, ? sec");
    EXPECT_EQ(Summary({{u"FocalLen", "50"}, {u"ISO", "0"}, {u"Flash", "16"}}), "?(?)\r\n?\r\n50 mm, F?, ? sec, flash-ON");
    EXPECT_EQ(Summary({{u"Flash", "0"}}), kNoValues);
    EXPECT_EQ(ExifSummaryText(ExifValueList()), "");
    // Values a camera wrote as words add nothing (and raise nothing).
    EXPECT_EQ(Summary({{u"ISO", "AUTO"}, {u"Flash", "fired"}, {u"ExpBias", "+1/3 EV"}}), kNoValues);
    const std::pair<const char*, const char*> bias[] = {
        {"0", ""}, {"0.05", ""}, {"1", ", +1EV"}, {"0.3", ", +1/3EV"}, {"0.7", ", +2/3EV"},
        {"-0.666666666666667", ", -2/3EV"}, {"1.5", ", +3/2EV"}, {"1.3", ", +1.3EV"}, {"-0.1", ", -0.1EV"},
        {"0.1", ", +0.1EV"}};  // 0.1 in single precision is a little more than 0.1
    for (auto [value, part] : bias) EXPECT_EQ(Summary({{u"ExpBias", value}}), kNoValues + QString(part)) << value;
}

TEST(FileSummary, FormatAndFileSystem) {
    const QDateTime when(QDate(2004, 3, 7), QTime(9, 5, 59));
    EXPECT_EQ(FileSummaryText(1600, 1200, when, 612345), "1,600 * 1,200 pixels\r\n2004/03/07 09:05\r\n612,345 bytes");
    EXPECT_EQ(FileSummaryText(0, 0, when, 5000000000), "0 * 0 pixels\r\n2004/03/07 09:05\r\n5,000,000,000 bytes");
    testsupport::TempFolder folder;
    const QString small = folder.write("small.jpg", QByteArray(999, 'x'));
    const QString big = folder.write("big.jpg", QByteArray(1000, 'x'));
    TFileTimes times;
    ASSERT_TRUE(GetFileTimes(small, times));
    times.lastWrite.tv_sec = when.toSecsSinceEpoch();
    ASSERT_TRUE(SetFileTimes(small, times));
    auto probe = [](const QString&, int& w, int& h) { w = 640; h = 4800; return true; };
    EXPECT_EQ(FileSummaryText(small, probe), "640 * 4,800 pixels\r\n2004/03/07 09:05\r\n999 bytes");
    EXPECT_TRUE(FileSummaryText(big, probe).endsWith("\r\n1,000 bytes"));
    EXPECT_TRUE(FileSummaryText(big, [](const QString&, int&, int&) { return false; }).startsWith("0 * 0 pixels\r\n"));
    EXPECT_EQ(FileSummaryText(folder.path("missing.jpg"), probe) + FileSummaryText(folder.path(""), probe), "");
    EXPECT_THROW(FileSummaryText(big, [](const QString&, int&, int&) -> bool { throw Error("JPEG エラー #55"); }), Error);
}
