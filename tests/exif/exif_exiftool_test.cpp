// Exif written by exiftool into pictures libjpeg made, read by our readers and by
// exiftool: an independent writer and an independent reader.

#include "exif/exif_parser.h"
#include "exif/exif_thumbnail.h"
#include "exif/exif_values.h"
#include "exif_builder.h"
#include "support/jpeg_builder.h"
#include "support/temp_folder.h"

#include <QBuffer>
#include <QProcess>
#include <QStandardPaths>

using namespace tollamar;

namespace {

QByteArray Exiftool(const QStringList& arguments) {
    QProcess process;
    process.start(QStandardPaths::findExecutable("exiftool"), QStringList{"-charset", "exif=utf8"} + arguments);
    process.waitForFinished(60000);
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return process.readAllStandardOutput();
}

// One value per tag, as exiftool -s3 prints them (numerically with -n).
QStringList Tags(const QString& file, const QStringList& tags, bool numeric) {
    QStringList arguments = {"-s3", "-f"};
    if (numeric) arguments << "-n";
    for (const QString& tag : tags) arguments << "-" + tag;
    return QString::fromUtf8(Exiftool(arguments << file)).trimmed().split('\n');
}

class ExiftoolTest : public ::testing::TestWithParam<const char*> {};

}  // namespace

TEST_P(ExiftoolTest, FieldsAgreeWithExiftool) {
    if (QStandardPaths::findExecutable("exiftool").isEmpty()) GTEST_SKIP() << "exiftool is not installed";
    testsupport::TempFolder folder;
    const QString photo = folder.write("photo.jpg", testsupport::EncodeJpeg(64, 48));
    const QString thumb = folder.write("thumb.jpg", testsupport::EncodeJpeg(16, 12, 50));
    Exiftool({"-q", "-overwrite_original", QString("-ExifByteOrder#=") + GetParam(), "-Make=Tollamar Test",
              "-Model=TT-1 Mark II", QString::fromUtf8("-Artist=山田 太郎"), "-DateTimeOriginal=2004:01:02 03:04:05",
              "-ExposureTime=1/250", "-FNumber=2.8", "-ISO=200", "-ExposureCompensation=-0.5", "-EXIF:Flash#=25",
              "-FocalLength=7.09375", "-XResolution=300", "-ExifImageWidth=1600", "-ThumbnailImage<=" + thumb, photo});
    ASSERT_EQ(Tags(photo, {"ExifByteOrder"}, true), QStringList({GetParam()}));

    TExifInfo info;
    ASSERT_TRUE(ReadExifInfo(info, photo));
    EXPECT_EQ(QStringList({info.Maker, info.Model, info.Artist, info.DateTimeOriginal, info.ExposureTime, info.FNumber,
                           info.ISOSpeedRatings, info.XResolution.chopped(2), QString(info.PixelXDimension).remove(',')}),
              Tags(photo, {"Make", "Model", "Artist", "DateTimeOriginal", "ExposureTime", "FNumber", "ISO",
                           "XResolution", "ExifImageWidth"}, false));
    EXPECT_EQ(info.ExposureBias, "-1/2");
    ExifValueList values;
    ASSERT_TRUE(ReadExifValues(values, photo));
    EXPECT_EQ(QStringList({values.value(u"Maker"), values.value(u"FNum"), values.value(u"ISO"), values.value(u"ExpBias"),
                           values.value(u"Flash"), values.value(u"FocalLen")}),
              Tags(photo, {"Make", "FNumber", "ISO", "ExposureCompensation", "Flash", "FocalLength"}, true));

    QBuffer ours;
    ours.open(QIODevice::WriteOnly);
    ASSERT_TRUE(ReadExifThumbnail(ours, photo));
    EXPECT_EQ(ours.data(), Exiftool({"-b", "-ThumbnailImage", photo}));
    EXPECT_EQ(ours.data(), testsupport::TempFolder::read(thumb));
}

INSTANTIATE_TEST_SUITE_P(BothByteOrders, ExiftoolTest, ::testing::Values("MM", "II"),
                         [](const auto& param) { return std::string(param.param); });
