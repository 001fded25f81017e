#include "exif/exif_parser.h"
#include "exif/exif_text.h"
#include "exif_builder.h"
#include "platform/errors.h"
#include "support/jpeg_builder.h"
#include "support/temp_folder.h"

#include <QBuffer>

using namespace tollamar;
using namespace exiftest;
using testsupport::JpegBuilder;

namespace {

TExifInfo Parse(const QByteArray& payload, bool expected = true) {
    TExifInfo info;
    EXPECT_EQ(ReadExifInfoFromPayload(info, payload), expected);
    return info;
}

class ExifParserTest : public ::testing::TestWithParam<ByteOrder> {};

}  // namespace

TEST_P(ExifParserTest, FillsTheFieldsOfACameraBlock) {
    const TExifInfo i = Parse(CameraBlock(GetParam()).payload());
    const std::pair<QString TExifInfo::*, const char*> expected[] = {
        {&TExifInfo::ImageWidth, "1600"}, {&TExifInfo::BitsPerSample, "8:8:8"},
        {&TExifInfo::PhotometricInterpretation, "YCbCr"}, {&TExifInfo::ImageDescription, "A view"},
        {&TExifInfo::Maker, "Canon"}, {&TExifInfo::Orientation, "6"}, {&TExifInfo::XResolution, "180.0"},
        {&TExifInfo::ResolutionUnit, "inch"}, {&TExifInfo::Model, "PowerShot S1"}, {&TExifInfo::Artist, "Bob"},
        {&TExifInfo::WhitePoint, "0.31:0.33"}, {&TExifInfo::PrimaryChromaticities, "0.640:0.330:0.210:0.710:0.150:0.060"},
        {&TExifInfo::ExposureTime, "1/250"}, {&TExifInfo::FNumber, "2.8"}, {&TExifInfo::ExposureProgram, "Normal program"},
        {&TExifInfo::ISOSpeedRatings, "100"}, {&TExifInfo::ExifVersion, "2.20"},
        {&TExifInfo::DateTimeOriginal, "2004:01:02 03:04:05"}, {&TExifInfo::ComponentsConfiguration, "YCbCr"},
        {&TExifInfo::CompressedBitsPerPixel, "5.00"}, {&TExifInfo::ShutterSpeed, "1/64"}, {&TExifInfo::Aperture, "2.8"},
        {&TExifInfo::Brightness, "-0.5"}, {&TExifInfo::ExposureBias, "-1/3"}, {&TExifInfo::MaxLensAperture, "2.0"},
        {&TExifInfo::SubjectDistance, "1.5"}, {&TExifInfo::MeteringMode, "Pattern"}, {&TExifInfo::LightSource, "D65"},
        {&TExifInfo::Flash, "On (Strobe return light detected)"}, {&TExifInfo::FocalLength, "7.1"},
        {&TExifInfo::SubSecTimeOriginal, "25"}, {&TExifInfo::PixelXDimension, "1,600"},
        {&TExifInfo::FocalPlaneResolutionUnit, "cm"}, {&TExifInfo::SubjectLocation, "100:200"},
        {&TExifInfo::ExposureIndex, "66.67"}, {&TExifInfo::SensingMethod, "One-chip color area sensor"}};
    for (auto [field, text] : expected) EXPECT_EQ(i.*field, text);
}

TEST_P(ExifParserTest, OddTypesCountsAndRepeats) {
    ExifBuilder b(GetParam());
    b.add(Dir::Ifd0, 0x0100, kTiffRational, {640, 1}).add(Dir::Ifd0, 0x0101, kTiffShort, {480, 7});
    b.add(Dir::Ifd0, 0x0102, kTiffShort, {8}).add(Dir::Ifd0, 0x0112, kTiffLong, {3});
    b.add(Dir::Ifd0, 0x013E, kTiffRational, {1, 2, 1, 4, 1, 8}).add(Dir::Ifd0, 0x013F, kTiffRational, {1, 2});
    b.bytes(Dir::Ifd0, 0x010F, QByteArray("\0Canon", 6), kTiffAscii);
    b.ascii(Dir::Ifd0, 0x0110, "First").ascii(Dir::Ifd0, 0x0110, "Second");
    b.add(Dir::Ifd0, 0x0128, kTiffShort, {3}).add(Dir::Ifd0, 0x0128, kTiffShort, {9}).exifPointer();
    b.add(Dir::Exif, 0x9201, kTiffSRational, {120, 1}).ascii(Dir::Exif, 0x829D, "4.5");
    b.ascii(Dir::Exif, 0x8827, "AUTO").add(Dir::Exif, 0xA214, kTiffShort, {1, 2, 3});
    b.bytes(Dir::Exif, 0x9101, "\x04\x05\x06").add(Dir::Exif, 0x9207, kTiffShort, {2, 2, 2});
    b.add(Dir::Exif, 0x9208, kTiffShort, {255}).add(Dir::Exif, 0xA002, kTiffSLong, {-1234});
    b.ascii(Dir::Exif, 0x010F, "Nikon");  // an IFD0 tag in the Exif IFD
    // Values too long for the value field are read at their offset.
    b.bytes(Dir::Ifd0, 0x0106, "\x02\x02\x02\x02\x02", kTiffByte).add(Dir::Exif, 0xA003, kTiffLong, {3000, 1});
    b.bytes(Dir::Exif, 0xA000, QByteArray("0100xx", 6));
    const TExifInfo i = Parse(b.payload());
    const QStringList texts = {i.ImageWidth, i.ImageHeight, i.BitsPerSample, i.Orientation, i.WhitePoint,
                               i.PrimaryChromaticities, i.Maker, i.Model, i.ResolutionUnit, i.ShutterSpeed,
                               i.FNumber, i.ISOSpeedRatings, i.SubjectLocation, i.ComponentsConfiguration,
                               i.MeteringMode, i.LightSource, i.PixelXDimension, i.PhotometricInterpretation,
                               i.PixelYDimension, i.FlashPixVersion};
    EXPECT_EQ(texts, QStringList({"?", "480", "8", "0", "0.50", "", "", "Second", "cm", "", "4.5", "0", "1", "",
                                  "CenterWeightedAverage", "other", "-1,234", "RGB", "3,000", "1.00"}));
}

TEST_P(ExifParserTest, TextsEndAtTheirFirstZeroAndShortUtf8PairsReadAsShiftJis) {
    ExifBuilder b(GetParam());
    b.bytes(Dir::Ifd0, 0x010F, QByteArray("Can\0on\0", 7), kTiffAscii);
    b.ascii(Dir::Ifd0, 0x0110, "\xC8\xBA");               // half-width katakana, also two-byte UTF-8
    b.ascii(Dir::Ifd0, 0x013B, "Caf\xC3\xA9 \xE5\xB1\xB1");  // UTF-8 with a three-byte character
    const TExifInfo i = Parse(b.payload());
    EXPECT_EQ(QStringList({i.Maker, i.Model, i.Artist}), QStringList({"Can", "ﾈｺ", "Café 山"}));
}

// Cameras write 0/0 for values they do not know; the other values must still show.
TEST_P(ExifParserTest, ZeroDenominatorsLeaveTheirFieldsAndNothingElse) {
    ExifBuilder b(GetParam());
    b.add(Dir::Ifd0, 0x011A, kTiffRational, {72, 1}).add(Dir::Ifd0, 0x011A, kTiffRational, {0, 0});
    b.add(Dir::Ifd0, 0x013E, kTiffRational, {0, 0, 329, 1000}).exifPointer().ascii(Dir::Ifd0, 0x010F, "Canon");
    b.add(Dir::Exif, 0x829A, kTiffRational, {0, 0}).add(Dir::Exif, 0x829D, kTiffRational, {28, 0});
    b.add(Dir::Exif, 0x9201, kTiffSRational, {0, 0}).add(Dir::Exif, 0x9204, kTiffSRational, {0, 0});
    b.add(Dir::Exif, 0x920A, kTiffRational, {0, 0}).add(Dir::Exif, 0x8827, kTiffShort, {200});
    const TExifInfo i = Parse(b.payload());
    EXPECT_EQ(QStringList({i.XResolution, i.WhitePoint, i.ExposureTime + i.FNumber + i.ShutterSpeed + i.ExposureBias,
                           i.FocalLength, i.ISOSpeedRatings, i.Maker}),
              QStringList({"72.0", "#0div:0.33", "", "#0div", "200", "Canon"}));
}

TEST_P(ExifParserTest, ExifAndTiffHeaderChecks) {
    const QByteArray good = CameraBlock(GetParam()).payload();
    EXPECT_EQ(Parse("EXIF" + good.mid(4)).Maker, "Canon");
    QByteArray wrongMagic = good;
    wrongMagic[GetParam() == ByteOrder::LittleEndian ? 8 : 9] = 43;
    for (const QByteArray& bad : {"JFXX" + good.mid(4), QByteArray("Exif\x01", 5) + good.mid(5), good.left(13),
                                  good.left(6) + "IM" + good.mid(8), wrongMagic, QByteArray()})
        EXPECT_EQ(Parse(bad, false).Maker, "");
}

INSTANTIATE_TEST_SUITE_P(BothByteOrders, ExifParserTest,
                         ::testing::Values(ByteOrder::LittleEndian, ByteOrder::BigEndian), ByteOrderName);

TEST(ExifParser, StreamAndFileForms) {
    const QByteArray payload = CameraBlock(ByteOrder::BigEndian).payload();
    QByteArray jpeg = JpegBuilder().soi().app1(payload).tables().sosAndData().bytes();
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::ReadOnly);
    TExifInfo info;
    EXPECT_TRUE(ReadExifInfo(info, buffer));
    EXPECT_EQ(info.Model, "PowerShot S1");
    testsupport::TempFolder folder;
    EXPECT_TRUE(ReadExifInfo(info, folder.write("a.jpg", RealJpegWithApp1(payload))));
    // No APP1; a first APP1 that is not Exif; no SOS: false and an untouched record.
    TExifInfo none;
    EXPECT_FALSE(ReadExifInfo(none, folder.write("b.jpg", testsupport::EncodeJpeg(8, 8))));
    EXPECT_FALSE(ReadExifInfo(none, folder.write("c.jpg", JpegBuilder().soi().app1("XMP").app1(payload).tables().sosAndData().bytes())));
    EXPECT_FALSE(ReadExifInfo(none, folder.write("d.jpg", JpegBuilder().soi().app1(payload).tables().bytes())));
    EXPECT_EQ(none.Model, "");
    EXPECT_THROW(ReadExifInfo(none, folder.path("missing.jpg")), Error);
}

TEST(ExifText, SectionsLinesAndDates) {
    TTextNode empty;
    AddExifText(empty, TExifInfo());
    const QStringList titles = {"[TIFF Header]", "[Version]", "[Image data characteristics]", "[Image configuration]",
                                "[Related File]", "[Date & Time]", "[Picture-taking conditions]"};
    const QList<qsizetype> counts = {19, 2, 1, 4, 1, 0, 22};
    ASSERT_EQ(empty.children.size(), 7);
    for (qsizetype s = 0; s < 7; ++s) {
        EXPECT_EQ(empty.children[s].text, titles[s]);
        EXPECT_EQ(empty.children[s].children.size(), counts[s]);
    }
    EXPECT_EQ(empty.children[6].children[10].text, "Subject Distance = ");

    TExifInfo info = Parse(CameraBlock(ByteOrder::LittleEndian).payload());
    info.SubSecTime = "10";
    info.DateTimeDigitized = "2004:01:02 03:04:06";
    TTextNode root;
    AddExifText(root, info);
    EXPECT_EQ(root.children[0].children[14].text, "Maker = Canon");
    EXPECT_EQ(root.children[5].children[0].text, "DateTime Original = 2004:01:02 03:04:05.25");
    EXPECT_EQ(root.children[5].children[1].text, "DateTime Digitized = 2004:01:02 03:04:06.10");
    EXPECT_EQ(root.children[6].children[10].text, "Subject Distance = 1.5 m");
    EXPECT_EQ(root.children[6].children[14].text, "Focal Length = 7.1mm");
    info.SubSecTimeOriginal = info.SubSecTime = "";
    TTextNode plain;
    AddExifText(plain, info);
    EXPECT_EQ(plain.children[5].children[0].text, "DateTime Original = 2004:01:02 03:04:05");
}
