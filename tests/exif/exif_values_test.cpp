#include "exif/exif_summary.h"
#include "exif/exif_values.h"
#include "exif_builder.h"
#include "platform/errors.h"
#include "platform/file_times.h"
#include "support/jpeg_builder.h"
#include "support/temp_folder.h"

#include <QBuffer>
#include <gtest/gtest.h>

using namespace tollamar;
using namespace exiftest;

namespace {

ExifValueList Values(const ExifBuilder& b, bool* ok = nullptr) {
    ExifValueList values;
    const bool result = ReadExifValuesFromPayload(values, b.payload());
    if (ok) *ok = result;
    return values;
}

class ExifValuesTest : public ::testing::TestWithParam<ByteOrder> {};

}  // namespace

TEST_P(ExifValuesTest, ReadsTheNineValues) {
    ExifBuilder b(GetParam());
    b.ascii(Dir::Ifd0, 0x010F, " Canon  ")
        .exifPointer()
        .ascii(Dir::Ifd0, 0x0110, "PowerShot S1\x01")
        .shorts(Dir::Ifd0, 0x0112, {1});
    b.rationals(Dir::Exif, 0x829A, {{1, 250}})
        .rationals(Dir::Exif, 0x829D, {{28, 10}})
        .shorts(Dir::Exif, 0x8827, {100})
        .ascii(Dir::Exif, 0x9003, "2003:05:04 13:22:10")
        .srationals(Dir::Exif, 0x9204, {{-1, 3}})
        .shorts(Dir::Exif, 0x9209, {25})
        .rationals(Dir::Exif, 0x920A, {{709375, 100000}})
        .ascii(Dir::Exif, 0x9290, "25");
    bool ok = false;
    const ExifValueList v = Values(b, &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(v.size(), 9);
    EXPECT_EQ(v.value(u"Maker"), "Canon");
    EXPECT_EQ(v.value(u"MODEL"), "PowerShot S1");
    EXPECT_EQ(v.value(u"ExpTime"), "1/250");
    EXPECT_EQ(v.value(u"FNum"), "2.8");
    EXPECT_EQ(v.value(u"ISO"), "100");
    EXPECT_EQ(v.value(u"DateTimeOrg"), "2003:05:04 13:22:10");
    EXPECT_EQ(v.value(u"ExpBias"), "-0.333333333333333");
    EXPECT_EQ(v.value(u"Flash"), "25");
    EXPECT_EQ(v.value(u"FocalLen"), "7.09375");
}

TEST_P(ExifValuesTest, ValueTextOfEachType) {
    ExifBuilder b(GetParam());
    b.exifPointer();
    b.encoded(Dir::Exif, 0x829D, kTiffByte, 1, "\x07")
        .longs(Dir::Exif, 0x8827, {4000000000U})
        .slongs(Dir::Exif, 0x9209, {-3})
        .undefined(Dir::Exif, 0x920A, "0220")
        .ascii(Dir::Exif, 0x9003, "ab")         // inline text
        .encoded(Dir::Exif, 0x9204, 8, 1, "\x01\x00");  // SSHORT is not read
    const ExifValueList v = Values(b);
    EXPECT_EQ(v.value(u"FNum"), "7");
    EXPECT_EQ(v.value(u"ISO"), "4000000000");
    EXPECT_EQ(v.value(u"Flash"), "-3");
    EXPECT_FALSE(v.contains(u"FocalLen"));
    EXPECT_EQ(v.value(u"DateTimeOrg"), "ab");
    EXPECT_FALSE(v.contains(u"ExpBias"));
}

TEST_P(ExifValuesTest, ExposureTimeFromBothTags) {
    auto expTime = [&](auto add) {
        ExifBuilder b(GetParam());
        b.exifPointer();
        add(b);
        return Values(b).value(u"ExpTime");
    };
    EXPECT_EQ(expTime([](ExifBuilder& b) { b.rationals(Dir::Exif, 0x829A, {{10, 1}}); }), "10");
    EXPECT_EQ(expTime([](ExifBuilder& b) { b.rationals(Dir::Exif, 0x829A, {{1, 3}}); }), "1/3");
    EXPECT_EQ(expTime([](ExifBuilder& b) { b.rationals(Dir::Exif, 0x829A, {{0, 1}}); }), "0");
    EXPECT_EQ(expTime([](ExifBuilder& b) { b.shorts(Dir::Exif, 0x829A, {1}); }), "");
    EXPECT_EQ(expTime([](ExifBuilder& b) {
                  b.rationals(Dir::Exif, 0x829A, {{1, 60}}).srationals(Dir::Exif, 0x9201, {{7, 1}});
              }),
              "1/128");
    EXPECT_EQ(expTime([](ExifBuilder& b) {
                  b.rationals(Dir::Exif, 0x829A, {{1, 60}}).rationals(Dir::Exif, 0x9201, {{7, 1}});
              }),
              "");
    EXPECT_EQ(expTime([](ExifBuilder& b) { b.srationals(Dir::Exif, 0x9201, {{-1, 1}}); }), "2");
}

TEST_P(ExifValuesTest, ZeroDenominatorsGiveNoValueInsteadOfAnError) {
    ExifBuilder b(GetParam());
    b.ascii(Dir::Ifd0, 0x010F, "Canon").exifPointer();
    b.rationals(Dir::Exif, 0x829A, {{0, 0}})
        .rationals(Dir::Exif, 0x829D, {{28, 0}})
        .srationals(Dir::Exif, 0x9204, {{0, 0}})
        .rationals(Dir::Exif, 0x920A, {{50, 1}});
    const ExifValueList v = Values(b);
    EXPECT_FALSE(v.contains(u"ExpTime"));
    EXPECT_FALSE(v.contains(u"FNum"));
    EXPECT_FALSE(v.contains(u"ExpBias"));
    EXPECT_EQ(v.value(u"FocalLen"), "50");
    EXPECT_EQ(v.value(u"Maker"), "Canon");
}

INSTANTIATE_TEST_SUITE_P(BothByteOrders, ExifValuesTest,
                         ::testing::Values(ByteOrder::LittleEndian, ByteOrder::BigEndian),
                         ByteOrderName);

TEST(ExifValueList, SetReplaceRemove) {
    ExifValueList v;
    v.setValue(u"Maker", "A");
    v.setValue(u"maker", "B");
    v.setValue(u"Model", "M");
    EXPECT_EQ(v.lines(), QStringList({"Maker=B", "Model=M"}));
    v.setValue(u"MAKER", "");
    EXPECT_EQ(v.lines(), QStringList({"Model=M"}));
    EXPECT_EQ(v.value(u"Maker"), "");
}

TEST(ExifValues, StreamFileAndNoExif) {
    ExifBuilder b(ByteOrder::BigEndian);
    b.ascii(Dir::Ifd0, 0x0110, "M1");
    QByteArray jpeg = b.jpeg();
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::ReadOnly);
    ExifValueList v;
    EXPECT_TRUE(ReadExifValues(v, buffer));
    EXPECT_EQ(v.value(u"Model"), "M1");

    testsupport::TempFolder folder;
    ExifValueList none;
    EXPECT_FALSE(ReadExifValues(none, folder.write("plain.jpg", testsupport::EncodeJpeg(8, 8))));
    EXPECT_TRUE(none.isEmpty());
    ExifValueList empty;
    EXPECT_TRUE(ReadExifValues(empty, folder.write("bare.jpg", RealJpegWithApp1(ExifBuilder().payload()))));
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_EQ(ExifSummaryText(folder.path("bare.jpg")), "");
    EXPECT_EQ(ExifSummaryText(folder.path("plain.jpg")), "");
    EXPECT_THROW(ReadExifValues(none, folder.path("missing.jpg")), Error);
}

namespace {

QString Summary(std::initializer_list<std::pair<const char16_t*, const char*>> pairs) {
    ExifValueList v;
    for (auto [name, value] : pairs) v.setValue(name, QString::fromUtf8(value));
    return ExifSummaryText(v);
}

QString BiasPart(const char* bias) {
    const QString text = Summary({{u"ExpBias", bias}});
    return text.mid(text.indexOf(" sec") + 4);
}

}  // namespace

TEST(ExifSummary, ThreeLines) {
    EXPECT_EQ(Summary({{u"Model", "M1"},
                       {u"Maker", "MK"},
                       {u"DateTimeOrg", "2003:05:04 13:22:10"},
                       {u"FocalLen", "8.2"},
                       {u"FNum", "4.9"},
                       {u"ExpTime", "1/120"},
                       {u"ISO", "100"},
                       {u"Flash", "25"},
                       {u"ExpBias", "-0.333333333333333"}}),
              "M1(MK)\r\n2003:05:04 13:22:10\r\n8.2 mm, F4.9, 1/120 sec, ISO100, flash-ON, -1/3EV");
    EXPECT_EQ(Summary({{u"Maker", "MK"}}), "?(MK)\r\n?\r\n? mm, F?, ? sec");
    EXPECT_EQ(Summary({{u"FocalLen", "7.09375"}}), "?(?)\r\n?\r\n7.09 mm, F?, ? sec");
    EXPECT_EQ(Summary({{u"FocalLen", "50"}, {u"ISO", "0"}, {u"Flash", "16"}}), "?(?)\r\n?\r\n50 mm, F?, ? sec, flash-ON");
    EXPECT_EQ(Summary({{u"Flash", "0"}}), "?(?)\r\n?\r\n? mm, F?, ? sec");
    EXPECT_EQ(ExifSummaryText(ExifValueList()), "");
}

TEST(ExifSummary, ExposureBiasPart) {
    EXPECT_EQ(BiasPart("0"), "");
    EXPECT_EQ(BiasPart("0.05"), "");
    EXPECT_EQ(BiasPart("0.1"), ", +0.1EV");  // 0.1 in single precision is a little more
    EXPECT_EQ(BiasPart("1"), ", +1EV");
    EXPECT_EQ(BiasPart("0.3"), ", +1/3EV");
    EXPECT_EQ(BiasPart("0.7"), ", +2/3EV");
    EXPECT_EQ(BiasPart("-0.666666666666667"), ", -2/3EV");
    EXPECT_EQ(BiasPart("1.5"), ", +3/2EV");
    EXPECT_EQ(BiasPart("1.3"), ", +1.3EV");
    EXPECT_EQ(BiasPart("-0.1"), ", -0.1EV");
    EXPECT_EQ(BiasPart("0.25"), ", +1/4EV");
}

TEST(ExifSummary, TextThatIsNoNumberAddsNothing) {
    EXPECT_EQ(Summary({{u"ISO", "AUTO"}, {u"Flash", "fired"}, {u"ExpBias", "n/a"}}), "?(?)\r\n?\r\n? mm, F?, ? sec");
    ExifBuilder b;
    b.exifPointer();
    b.ascii(Dir::Exif, 0x8827, "AUTO").ascii(Dir::Exif, 0x9209, "yes").ascii(Dir::Exif, 0x9204, "+1/3 EV");
    testsupport::TempFolder folder;
    EXPECT_EQ(ExifSummaryText(folder.write("a.jpg", RealJpegWithApp1(b.payload()))), "?(?)\r\n?\r\n? mm, F?, ? sec");
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
    QString probed;
    auto probe = [&](const QString& name, int& w, int& h) {
        probed = name;
        w = 640;
        h = 4800;
        return true;
    };
    EXPECT_EQ(FileSummaryText(small, probe), "640 * 4,800 pixels\r\n2004/03/07 09:05\r\n999 bytes");
    EXPECT_EQ(probed, small);
    EXPECT_TRUE(FileSummaryText(big, probe).endsWith("\r\n1,000 bytes"));
    auto empty = [](const QString&, int&, int&) { return false; };
    EXPECT_TRUE(FileSummaryText(big, empty).startsWith("0 * 0 pixels\r\n"));
    EXPECT_EQ(FileSummaryText(folder.path("missing.jpg"), probe), "");
    EXPECT_EQ(FileSummaryText(folder.path(""), probe), "");
    auto failing = [](const QString&, int&, int&) -> bool { throw Error("JPEG エラー #55"); };
    EXPECT_THROW(FileSummaryText(big, failing), Error);
}
