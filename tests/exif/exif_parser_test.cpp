#include "exif/exif_parser.h"
#include "exif/exif_text.h"
#include "exif_builder.h"
#include "platform/errors.h"
#include "support/jpeg_builder.h"
#include "support/temp_folder.h"

#include <QBuffer>
#include <gtest/gtest.h>

using namespace tollamar;
using namespace exiftest;

namespace {

// A camera's worth of tags, the Exif IFD pointer in the middle of IFD0.
ExifBuilder CameraBlock(ByteOrder order) {
    ExifBuilder b(order);
    b.shorts(Dir::Ifd0, 0x0100, {1600})
        .longs(Dir::Ifd0, 0x0101, {1200})
        .shorts(Dir::Ifd0, 0x0102, {8, 8, 8})
        .shorts(Dir::Ifd0, 0x0106, {2})
        .ascii(Dir::Ifd0, 0x010E, "  A view \x01 ")
        .ascii(Dir::Ifd0, 0x010F, "Canon")
        .ascii(Dir::Ifd0, 0x0110, "PowerShot S1")
        .shorts(Dir::Ifd0, 0x0112, {6})
        .rationals(Dir::Ifd0, 0x011A, {{180, 1}})
        .rationals(Dir::Ifd0, 0x011B, {{72, 1}})
        .shorts(Dir::Ifd0, 0x0128, {2})
        .exifPointer()
        .ascii(Dir::Ifd0, 0x0131, "Firmware 1.0")
        .ascii(Dir::Ifd0, 0x0132, "2004:01:02 03:04:05")
        .ascii(Dir::Ifd0, 0x013B, "Bob")
        .rationals(Dir::Ifd0, 0x013E, {{313, 1000}, {329, 1000}})
        .rationals(Dir::Ifd0, 0x013F, {{64, 100}, {33, 100}, {21, 100}, {71, 100}, {15, 100}, {6, 100}})
        .rationals(Dir::Ifd0, 0x0211, {{299, 1000}, {587, 1000}, {114, 1000}})
        .rationals(Dir::Ifd0, 0x0214, {{0, 1}, {255, 1}, {128, 1}, {255, 1}, {128, 1}, {255, 1}})
        .ascii(Dir::Ifd0, 0x8298, "(c) Bob");
    b.rationals(Dir::Exif, 0x829A, {{1, 250}})
        .rationals(Dir::Exif, 0x829D, {{28, 10}})
        .shorts(Dir::Exif, 0x8822, {2})
        .ascii(Dir::Exif, 0x8824, "ASTM")
        .shorts(Dir::Exif, 0x8827, {100})
        .undefined(Dir::Exif, 0x9000, "0220")
        .ascii(Dir::Exif, 0x9003, "2004:01:02 03:04:05")
        .ascii(Dir::Exif, 0x9004, "2004:01:02 03:04:06")
        .undefined(Dir::Exif, 0x9101, QByteArray("\x01\x02\x03\x00", 4))
        .rationals(Dir::Exif, 0x9102, {{5, 1}})
        .srationals(Dir::Exif, 0x9201, {{6, 1}})
        .rationals(Dir::Exif, 0x9202, {{3, 1}})
        .srationals(Dir::Exif, 0x9203, {{-5, 10}})
        .srationals(Dir::Exif, 0x9204, {{-1, 3}})
        .rationals(Dir::Exif, 0x9205, {{2, 1}})
        .rationals(Dir::Exif, 0x9206, {{15, 10}})
        .shorts(Dir::Exif, 0x9207, {5})
        .shorts(Dir::Exif, 0x9208, {21})
        .shorts(Dir::Exif, 0x9209, {7})
        .rationals(Dir::Exif, 0x920A, {{709375, 100000}})
        .ascii(Dir::Exif, 0x9290, "10")
        .ascii(Dir::Exif, 0x9291, "25")
        .ascii(Dir::Exif, 0x9292, "50")
        .undefined(Dir::Exif, 0xA000, "0100")
        .shorts(Dir::Exif, 0xA001, {1})
        .longs(Dir::Exif, 0xA002, {1600})
        .shorts(Dir::Exif, 0xA003, {1200})
        .ascii(Dir::Exif, 0xA004, "SND00001.WAV")
        .rationals(Dir::Exif, 0xA20B, {{25, 10}})
        .rationals(Dir::Exif, 0xA20E, {{3072000, 225}})
        .rationals(Dir::Exif, 0xA20F, {{2304000, 169}})
        .shorts(Dir::Exif, 0xA210, {2})
        .shorts(Dir::Exif, 0xA214, {100, 200})
        .rationals(Dir::Exif, 0xA215, {{200, 3}})
        .shorts(Dir::Exif, 0xA217, {2});
    return b;
}

TExifInfo Parse(const QByteArray& payload, bool* ok = nullptr) {
    TExifInfo info;
    const bool result = ReadExifInfoFromPayload(info, payload);
    if (ok) *ok = result;
    return info;
}

class ExifParserTest : public ::testing::TestWithParam<ByteOrder> {};

}  // namespace

TEST_P(ExifParserTest, FillsEveryFieldOfACameraBlock) {
    bool ok = false;
    const TExifInfo i = Parse(CameraBlock(GetParam()).payload(), &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(i.ImageWidth, "1600");
    EXPECT_EQ(i.ImageHeight, "1200");
    EXPECT_EQ(i.BitsPerSample, "8:8:8");
    EXPECT_EQ(i.PhotometricInterpretation, "RGB");
    EXPECT_EQ(i.ImageDescription, "A view");
    EXPECT_EQ(i.Maker, "Canon");
    EXPECT_EQ(i.Model, "PowerShot S1");
    EXPECT_EQ(i.Orientation, "6");
    EXPECT_EQ(i.XResolution, "180.0");
    EXPECT_EQ(i.YResolution, "72.0");
    EXPECT_EQ(i.ResolutionUnit, "inch");
    EXPECT_EQ(i.Software, "Firmware 1.0");
    EXPECT_EQ(i.DateTime, "2004:01:02 03:04:05");
    EXPECT_EQ(i.Artist, "Bob");
    EXPECT_EQ(i.WhitePoint, "0.31:0.33");
    EXPECT_EQ(i.PrimaryChromaticities, "0.640:0.330:0.210:0.710:0.150:0.060");
    EXPECT_EQ(i.YCbCrCoefficients, "0.299:0.587:0.114");
    EXPECT_EQ(i.ReferenceBlackWhite, "0.0:255.0:128.0:255.0:128.0:255.0");
    EXPECT_EQ(i.Copyright, "(c) Bob");
    EXPECT_EQ(i.ExposureTime, "1/250");
    EXPECT_EQ(i.FNumber, "2.8");
    EXPECT_EQ(i.ExposureProgram, "Normal program");
    EXPECT_EQ(i.SpectralSensitivity, "ASTM");
    EXPECT_EQ(i.ISOSpeedRatings, "100");
    EXPECT_EQ(i.ExifVersion, "2.20");
    EXPECT_EQ(i.DateTimeOriginal, "2004:01:02 03:04:05");
    EXPECT_EQ(i.DateTimeDigitized, "2004:01:02 03:04:06");
    EXPECT_EQ(i.ComponentsConfiguration, "YCbCr");
    EXPECT_EQ(i.CompressedBitsPerPixel, "5.00");
    EXPECT_EQ(i.ShutterSpeed, "1/64");
    EXPECT_EQ(i.Aperture, "2.8");
    EXPECT_EQ(i.Brightness, "-0.5");
    EXPECT_EQ(i.ExposureBias, "-1/3");
    EXPECT_EQ(i.MaxLensAperture, "2.0");
    EXPECT_EQ(i.SubjectDistance, "1.5");
    EXPECT_EQ(i.MeteringMode, "Pattern");
    EXPECT_EQ(i.LightSource, "D65");
    EXPECT_EQ(i.Flash, "On (Strobe return light detected)");
    EXPECT_EQ(i.FocalLength, "7.1");
    EXPECT_EQ(i.SubSecTime, "10");
    EXPECT_EQ(i.SubSecTimeOriginal, "25");
    EXPECT_EQ(i.SubSecTimeDigitized, "50");
    EXPECT_EQ(i.FlashPixVersion, "1.00");
    EXPECT_EQ(i.ColorSpace, "1");
    EXPECT_EQ(i.PixelXDimension, "1,600");
    EXPECT_EQ(i.PixelYDimension, "1,200");
    EXPECT_EQ(i.RelatedSoundFile, "SND00001.WAV");
    EXPECT_EQ(i.FlashEnergy, "2.5");
    EXPECT_EQ(i.FocalPlaneXResolution, "13653.3");
    EXPECT_EQ(i.FocalPlaneYResolution, "13633.1");
    EXPECT_EQ(i.FocalPlaneResolutionUnit, "inch");
    EXPECT_EQ(i.SubjectLocation, "100:200");
    EXPECT_EQ(i.ExposureIndex, "66.67");
    EXPECT_EQ(i.SensingMethod, "One-chip color area sensor");
}

TEST_P(ExifParserTest, ConversionRulesForOddTypesAndCounts) {
    ExifBuilder b(GetParam());
    b.rationals(Dir::Ifd0, 0x0100, {{640, 1}})                   // width as RATIONAL: "?"
        .shorts(Dir::Ifd0, 0x0101, {480, 7})                     // first of two inline SHORTs
        .shorts(Dir::Ifd0, 0x0102, {8})                          // one value, no list
        .longs(Dir::Ifd0, 0x0112, {3})                           // Orientation must be one SHORT
        .rationals(Dir::Ifd0, 0x013E, {{1, 2}, {1, 4}, {1, 8}})  // three: first value only
        .rationals(Dir::Ifd0, 0x013F, {{1, 2}})                  // wrong count: unchanged
        .ascii(Dir::Ifd0, 0x010F, QByteArray("\0Canon", 6))      // first byte zero: empty
        .ascii(Dir::Ifd0, 0x0131, "Abc");                        // fits the value field
    b.srationals(Dir::Exif, 0x9201, {{120, 1}})  // out of range: ignored
        .srationals(Dir::Exif, 0x9205, {{-1, 1}})
        .ascii(Dir::Exif, 0x829D, "4.5")        // a number written as text
        .ascii(Dir::Exif, 0x8827, "AUTO")       // text that is no number reads as 0
        .shorts(Dir::Exif, 0xA214, {1, 2, 3})   // list only for exactly two values
        .undefined(Dir::Exif, 0x9101, "\x04\x05\x06")
        .longs(Dir::Exif, 0x9209, {1})           // Flash must be one SHORT: reads as 0
        .slongs(Dir::Exif, 0xA002, {-1234})
        .ascii(Dir::Exif, 0x010F, "Nikon");     // IFD0 tag in the Exif IFD: not recognised
    b.exifPointer();
    const TExifInfo i = Parse(b.payload());
    EXPECT_EQ(i.ImageWidth, "?");
    EXPECT_EQ(i.ImageHeight, "480");
    EXPECT_EQ(i.BitsPerSample, "8");
    EXPECT_EQ(i.Orientation, "0");
    EXPECT_EQ(i.WhitePoint, "0.50");
    EXPECT_EQ(i.PrimaryChromaticities, "");
    EXPECT_EQ(i.Maker, "");
    EXPECT_EQ(i.Software, "Abc");
    EXPECT_EQ(i.ShutterSpeed, "");
    EXPECT_EQ(i.MaxLensAperture, "");
    EXPECT_EQ(i.FNumber, "4.5");
    EXPECT_EQ(i.ISOSpeedRatings, "0");
    EXPECT_EQ(i.SubjectLocation, "1");
    EXPECT_EQ(i.ComponentsConfiguration, "");
    EXPECT_EQ(i.Flash, "Off");
    EXPECT_EQ(i.PixelXDimension, "-1,234");
}

TEST_P(ExifParserTest, LastTagWinsAndUnlistedCodesKeepTheField) {
    ExifBuilder b(GetParam());
    b.ascii(Dir::Ifd0, 0x010F, "First")
        .ascii(Dir::Ifd0, 0x010F, "Second")
        .shorts(Dir::Ifd0, 0x0128, {3})
        .shorts(Dir::Ifd0, 0x0128, {9})  // no text: stays "cm"
        .exifPointer();
    b.shorts(Dir::Exif, 0x9207, {2})
        .shorts(Dir::Exif, 0x9208, {255})
        .shorts(Dir::Exif, 0xA217, {3})
        .shorts(Dir::Exif, 0xA217, {6});  // no text: stays
    const TExifInfo i = Parse(b.payload());
    EXPECT_EQ(i.Maker, "Second");
    EXPECT_EQ(i.ResolutionUnit, "cm");
    EXPECT_EQ(i.MeteringMode, "CenterWeightedAverage");
    EXPECT_EQ(i.LightSource, "other");
    EXPECT_EQ(i.SensingMethod, "Two-chip color area sensor");
}

TEST_P(ExifParserTest, ZeroDenominatorsLeaveTheirFieldsAndNothingElse) {
    ExifBuilder b(GetParam());
    b.rationals(Dir::Ifd0, 0x011A, {{72, 1}})
        .rationals(Dir::Ifd0, 0x011A, {{0, 0}})  // keeps 72.0
        .rationals(Dir::Ifd0, 0x011B, {{0, 0}})
        .rationals(Dir::Ifd0, 0x013E, {{0, 0}, {329, 1000}})
        .exifPointer()
        .ascii(Dir::Ifd0, 0x010F, "Canon");
    b.rationals(Dir::Exif, 0x829A, {{0, 0}})
        .rationals(Dir::Exif, 0x829D, {{28, 0}})
        .srationals(Dir::Exif, 0x9201, {{0, 0}})
        .srationals(Dir::Exif, 0x9204, {{0, 0}})
        .rationals(Dir::Exif, 0x920A, {{0, 0}})
        .shorts(Dir::Exif, 0x8827, {200});
    TExifInfo i;
    ASSERT_TRUE(ReadExifInfoFromPayload(i, b.payload()));
    EXPECT_EQ(i.XResolution, "72.0");
    EXPECT_EQ(i.YResolution, "");
    EXPECT_EQ(i.WhitePoint, "#0div:0.33");
    EXPECT_EQ(i.ExposureTime, "");
    EXPECT_EQ(i.FNumber, "");
    EXPECT_EQ(i.ShutterSpeed, "");
    EXPECT_EQ(i.ExposureBias, "");
    EXPECT_EQ(i.FocalLength, "#0div");
    EXPECT_EQ(i.ISOSpeedRatings, "200");
    EXPECT_EQ(i.Maker, "Canon");
}

TEST_P(ExifParserTest, HeaderChecks) {
    const QByteArray good = CameraBlock(GetParam()).payload();
    bool ok = false;
    QByteArray upper = good;
    upper.replace(0, 4, "EXIF");
    EXPECT_EQ(Parse(upper, &ok).Maker, "Canon");
    EXPECT_TRUE(ok);
    for (const QByteArray& bad : {QByteArray("Exif"), QByteArray("JFXX\0\0", 6) + good.mid(6),
                                  QByteArray("Exif\x01\0", 6) + good.mid(6), good.left(13),
                                  good.left(6) + "IM" + good.mid(8), QByteArray()}) {
        const TExifInfo i = Parse(bad, &ok);
        EXPECT_FALSE(ok);
        EXPECT_EQ(i.Maker, "");
    }
    QByteArray wrongMagic = good;
    wrongMagic[GetParam() == ByteOrder::LittleEndian ? 8 : 9] = 43;
    EXPECT_FALSE(Parse(wrongMagic, &ok).Maker.size() || ok);
}

INSTANTIATE_TEST_SUITE_P(BothByteOrders, ExifParserTest,
                         ::testing::Values(ByteOrder::LittleEndian, ByteOrder::BigEndian),
                         ByteOrderName);

TEST(ExifParser, BothByteOrdersGiveTheSameRecord) {
    TExifInfo little = Parse(CameraBlock(ByteOrder::LittleEndian).payload());
    TExifInfo big = Parse(CameraBlock(ByteOrder::BigEndian).payload());
    TTextNode a, b;
    AddExifText(a, little);
    AddExifText(b, big);
    ASSERT_EQ(a.children.size(), b.children.size());
    for (qsizetype s = 0; s < a.children.size(); ++s) {
        ASSERT_EQ(a.children[s].children.size(), b.children[s].children.size());
        for (qsizetype l = 0; l < a.children[s].children.size(); ++l)
            EXPECT_EQ(a.children[s].children[l].text, b.children[s].children[l].text);
    }
}

TEST(ExifParser, StreamAndFileForms) {
    const ExifBuilder block = CameraBlock(ByteOrder::BigEndian);
    QByteArray jpeg = block.jpeg();
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::ReadOnly);
    TExifInfo fromStream;
    EXPECT_TRUE(ReadExifInfo(fromStream, buffer));
    EXPECT_EQ(fromStream.Model, "PowerShot S1");

    testsupport::TempFolder folder;
    TExifInfo fromFile;
    EXPECT_TRUE(ReadExifInfo(fromFile, folder.write("a.jpg", RealJpegWithApp1(block.payload()))));
    EXPECT_EQ(fromFile.ExposureTime, "1/250");

    // No APP1, an APP1 that is not Exif, no SOS: false and an untouched record.
    TExifInfo none;
    using testsupport::JpegBuilder;
    EXPECT_FALSE(ReadExifInfo(none, folder.write("b.jpg", testsupport::EncodeJpeg(8, 8))));
    EXPECT_FALSE(ReadExifInfo(none, folder.write("c.jpg", JpegBuilder().soi().app1("http://ns.adobe.com/xap/1.0/").tables().sosAndData().bytes())));
    EXPECT_FALSE(ReadExifInfo(none, folder.write("d.jpg", JpegBuilder().soi().app1(block.payload()).tables().bytes())));
    EXPECT_EQ(none.Model, "");
    EXPECT_THROW(ReadExifInfo(none, folder.path("missing.jpg")), Error);
    // Several APP1 segments count as one payload: a first one that is not Exif hides Exif.
    EXPECT_FALSE(ReadExifInfo(none, folder.write("e.jpg", JpegBuilder().soi().app1("XMP").app1(block.payload()).tables().sosAndData().bytes())));
}

TEST(ExifText, SectionsAndLines) {
    TExifInfo info;
    TTextNode root;
    AddExifText(root, info);
    ASSERT_EQ(root.children.size(), 7);
    const QStringList titles = {"[TIFF Header]",         "[Version]",   "[Image data characteristics]",
                                "[Image configuration]", "[Related File]", "[Date & Time]",
                                "[Picture-taking conditions]"};
    const QList<qsizetype> counts = {19, 2, 1, 4, 1, 0, 22};
    for (qsizetype s = 0; s < 7; ++s) {
        EXPECT_EQ(root.children[s].text, titles[s]);
        EXPECT_EQ(root.children[s].children.size(), counts[s]) << titles[s].toStdString();
    }
    EXPECT_EQ(root.children[6].children[10].text, "Subject Distance = ");
    EXPECT_EQ(root.children[6].children[14].text, "Focal Length = ");
    EXPECT_EQ(root.children[0].children[9].text, "Reference Black & White = ");

    info.SubjectDistance = "1.5";
    info.FocalLength = "7.1";
    info.DateTimeOriginal = "2004:01:02 03:04:05";
    info.SubSecTimeOriginal = "25";
    info.SubSecTime = "10";
    info.DateTimeDigitized = "2004:01:02 03:04:06";
    TTextNode filled;
    AddExifText(filled, info);
    const TTextNode& dates = filled.children[5];
    ASSERT_EQ(dates.children.size(), 2);
    EXPECT_EQ(dates.children[0].text, "DateTime Original = 2004:01:02 03:04:05.25");
    EXPECT_EQ(dates.children[1].text, "DateTime Digitized = 2004:01:02 03:04:06.10");
    EXPECT_EQ(filled.children[6].children[10].text, "Subject Distance = 1.5 m");
    EXPECT_EQ(filled.children[6].children[14].text, "Focal Length = 7.1mm");

    info.SubSecTimeOriginal.clear();
    info.SubSecTime.clear();
    TTextNode plain;
    AddExifText(plain, info);
    EXPECT_EQ(plain.children[5].children[0].text, "DateTime Original = 2004:01:02 03:04:05");
}
