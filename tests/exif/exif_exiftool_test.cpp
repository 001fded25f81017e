// Exif written by exiftool into pictures libjpeg made, read back by our readers and by
// exiftool itself: an independent writer and an independent reader.

#include "exif/exif_parser.h"
#include "exif/exif_thumbnail.h"
#include "exif/exif_values.h"
#include "support/jpeg_builder.h"
#include "support/temp_folder.h"

#include <QBuffer>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace tollamar;

namespace {

QString Exiftool() { return QStandardPaths::findExecutable(QStringLiteral("exiftool")); }

QByteArray RunExiftool(const QStringList& arguments) {
    QProcess process;
    process.start(Exiftool(), arguments);
    process.waitForFinished(60000);
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return process.readAllStandardOutput();
}

// "Tag: value" lines of exiftool -s -s into a map.
QMap<QString, QString> ReadTags(const QString& file, const QStringList& tags, bool numeric) {
    QStringList arguments = {QStringLiteral("-s"), QStringLiteral("-s"), QStringLiteral("-charset"),
                             QStringLiteral("exif=utf8")};
    if (numeric) arguments << QStringLiteral("-n");
    for (const QString& tag : tags) arguments << QLatin1Char('-') + tag;
    arguments << file;
    QMap<QString, QString> result;
    for (const QString& line : QString::fromUtf8(RunExiftool(arguments)).split(QLatin1Char('\n'))) {
        const qsizetype colon = line.indexOf(QStringLiteral(": "));
        if (colon > 0) result[line.left(colon)] = line.mid(colon + 2).trimmed();
    }
    return result;
}

class ExiftoolTest : public ::testing::TestWithParam<const char*> {};

}  // namespace

TEST_P(ExiftoolTest, FieldsAgreeWithExiftool) {
    if (Exiftool().isEmpty()) GTEST_SKIP() << "exiftool is not installed";
    testsupport::TempFolder folder;
    const QString photo = folder.write("photo.jpg", testsupport::EncodeJpeg(64, 48));
    const QString thumb = folder.write("thumb.jpg", testsupport::EncodeJpeg(16, 12, 50));
    RunExiftool({"-q", "-overwrite_original", "-charset", "exif=utf8", QStringLiteral("-ExifByteOrder#=") + GetParam(),
                 "-Make=Tollamar Test", "-Model=TT-1 Mark II", QString::fromUtf8("-Artist=山田 太郎"),
                 "-DateTimeOriginal=2004:01:02 03:04:05", "-ExposureTime=1/250", "-FNumber=2.8", "-ISO=200",
                 "-ExposureCompensation=-0.5", "-EXIF:Flash#=25", "-FocalLength=7.09375", "-XResolution=300",
                 "-ResolutionUnit=inches", "-ExifImageWidth=64", "-ExifImageHeight=48",
                 "-ThumbnailImage<=" + thumb, photo});

    const QMap<QString, QString> n = ReadTags(
        photo,
        {"Make", "Model", "Artist", "DateTimeOriginal", "FNumber", "ISO", "ExposureCompensation", "Flash",
         "FocalLength", "XResolution", "ExifImageWidth", "ExifByteOrder"},
        true);
    const QMap<QString, QString> text = ReadTags(photo, {"ExposureTime", "ResolutionUnit"}, false);
    ASSERT_EQ(n.value("ExifByteOrder"), GetParam());

    TExifInfo info;
    ASSERT_TRUE(ReadExifInfo(info, photo));
    EXPECT_EQ(info.Maker, n.value("Make"));
    EXPECT_EQ(info.Model, n.value("Model"));
    EXPECT_EQ(info.Artist, n.value("Artist"));
    EXPECT_EQ(info.DateTimeOriginal, n.value("DateTimeOriginal"));
    EXPECT_EQ(info.ExposureTime, text.value("ExposureTime"));
    EXPECT_EQ(info.FNumber, n.value("FNumber"));
    EXPECT_EQ(info.ISOSpeedRatings, n.value("ISO"));
    EXPECT_EQ(info.ExposureBias, "-1/2");
    EXPECT_EQ(info.XResolution.toDouble(), n.value("XResolution").toDouble());
    EXPECT_EQ(info.ResolutionUnit, text.value("ResolutionUnit").chopped(2));  // "inches"
    EXPECT_EQ(info.PixelXDimension, n.value("ExifImageWidth"));

    ExifValueList values;
    ASSERT_TRUE(ReadExifValues(values, photo));
    EXPECT_EQ(values.value(u"Maker"), n.value("Make"));
    EXPECT_EQ(values.value(u"ExpTime"), text.value("ExposureTime"));
    EXPECT_EQ(values.value(u"FNum"), n.value("FNumber"));
    EXPECT_EQ(values.value(u"ISO"), n.value("ISO"));
    EXPECT_EQ(values.value(u"ExpBias"), n.value("ExposureCompensation"));
    EXPECT_EQ(values.value(u"Flash"), n.value("Flash"));
    EXPECT_EQ(values.value(u"FocalLen"), n.value("FocalLength"));

    QBuffer ours;
    ours.open(QIODevice::WriteOnly);
    ASSERT_TRUE(ReadExifThumbnail(ours, photo));
    EXPECT_EQ(ours.data(), RunExiftool({"-b", "-ThumbnailImage", photo}));
    EXPECT_EQ(ours.data(), testsupport::TempFolder::read(thumb));
}

INSTANTIATE_TEST_SUITE_P(BothByteOrders, ExiftoolTest, ::testing::Values("MM", "II"),
                         [](const auto& param) { return std::string(param.param); });
