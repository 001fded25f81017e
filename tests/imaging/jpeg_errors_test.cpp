#include "imaging/jpeg_decoder.h"
#include "imaging/jpeg_image.h"
#include "support/jpeg_builder.h"
#include "support/temp_folder.h"
#include "test_pictures.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <jpeglib.h>
#include <jerror.h>

using namespace tollamar;

namespace {

// The decode error's code, or -1 when the decode succeeded.
int decodeCode(const QByteArray& bytes, TJPEGScale scale = TJPEGScale::FullSize) {
    TJPEGImage image;
    image.LoadFromData(bytes);
    image.SetScale(scale);
    try {
        image.Bitmap();
        return -1;
    } catch (const JpegDecodeError& error) {
        EXPECT_EQ(error.message(), QStringLiteral("JPEG エラー #%1").arg(error.code()));
        EXPECT_FALSE(image.HasBitmap());
        return error.code();
    }
}

qsizetype sosOffset(const QByteArray& jpeg) { return jpeg.size() - testsupport::FromSos(jpeg).size(); }

// The file without its DQT segments.
QByteArray withoutQuantTables(const QByteArray& jpeg) {
    QByteArray out = jpeg;
    for (qsizetype at = out.indexOf("\xFF\xDB"); at > 0 && at < sosOffset(out); at = out.indexOf("\xFF\xDB")) {
        const int length = (static_cast<uchar>(out[at + 2]) << 8) | static_cast<uchar>(out[at + 3]);
        out.remove(at, length + 2);
    }
    return out;
}

QByteArray withSize(QByteArray jpeg, char sofMarker, int width, int height) {
    const qsizetype sof = jpeg.indexOf(QByteArray("\xFF") + sofMarker);
    jpeg[sof + 5] = static_cast<char>(height >> 8);
    jpeg[sof + 6] = static_cast<char>(height);
    jpeg[sof + 7] = static_cast<char>(width >> 8);
    jpeg[sof + 8] = static_cast<char>(width);
    return jpeg;
}

}  // namespace

TEST(JpegErrors, NonJpegInputRaisesTheDecodeError) {
    EXPECT_EQ(decodeCode("This is a text file, not a picture.\n"), JERR_NO_SOI);
    EXPECT_EQ(decodeCode(QByteArray()), JERR_NO_SOI);
    EXPECT_EQ(decodeCode(QByteArray("\xFF\xD8\xFF\xD9", 4)), JERR_NO_IMAGE);
    TJPEGImage text;
    text.LoadFromData("hello");
    EXPECT_FALSE(text.Empty());
    EXPECT_THROW(text.Width(), JpegDecodeError);
    testsupport::TempFolder folder;
    TJPEGImage missing;
    try {
        missing.LoadFromFile(folder.path("absent.jpg"));
        ADD_FAILURE();
    } catch (const Error& error) {
        EXPECT_TRUE(error.message().contains("absent.jpg"));
    }
    EXPECT_TRUE(missing.Empty());
}

TEST(JpegErrors, TruncatedFilesFailInTheHeaderAndDecodeAfterIt) {
    const QByteArray baseline = testsupport::EncodeJpeg(97, 61);
    const QByteArray progressive = imagingtest::EncodePicture(imagingtest::Kind::Progressive, 97, 61);
    for (const QByteArray& jpeg : {baseline, progressive}) {
        const qsizetype sos = sosOffset(jpeg);
        // A cut inside the tables and scan headers between later scans is an error too.
        const qsizetype lastSos = jpeg.lastIndexOf("\xFF\xDA");
        for (qsizetype cut = 0; cut < jpeg.size(); cut += cut < sos + 20 ? 1 : 37) {
            const QByteArray part = jpeg.left(cut);
            for (const TJPEGScale scale : {TJPEGScale::FullSize, TJPEGScale::Eighth}) {
                const int code = decodeCode(part, scale);
                if (cut < sos) {
                    EXPECT_NE(code, -1) << cut;
                }
                // Past the first scan's header a premature end is a warning: the rows
                // are filled in and the picture comes out.
                if (cut >= lastSos + 20) {
                    EXPECT_EQ(code, -1) << cut;
                }
            }
        }
    }
}

TEST(JpegErrors, ErrorAfterStartEndsProgressAtZero) {
    TJPEGImage image;
    image.LoadFromData(withoutQuantTables(testsupport::EncodeJpeg(32, 32)));
    QList<int> percents;
    image.SetOnProgress([&](TJPEGImage&, TProgressStage stage, int percent, bool, const QRect&) {
        if (stage != TProgressStage::Running) percents.append(percent);
    });
    try {
        image.Bitmap();
        ADD_FAILURE();
    } catch (const JpegDecodeError& error) {
        EXPECT_EQ(error.code(), JERR_NO_QUANT_TABLE);
    }
    EXPECT_EQ(percents, QList<int>({0, 0}));
}

TEST(JpegErrors, HugeClaimedSizesFailInsteadOfExhaustingMemory) {
    const QByteArray baseline = withSize(testsupport::EncodeJpeg(16, 16), '\xC0', 65000, 65000);
    TJPEGImage image;
    image.LoadFromData(baseline);
    EXPECT_EQ(image.Width(), 65000);
    EXPECT_EQ(decodeCode(baseline), JERR_IMAGE_TOO_BIG);
    const QByteArray progressive = withSize(
        imagingtest::EncodePicture(imagingtest::Kind::Progressive, 16, 16), '\xC2', 65000, 65000);
    EXPECT_EQ(decodeCode(progressive), JERR_NO_BACKING_STORE);
}

TEST(JpegErrors, EndlessScanSequencesAreCut) {
    const QByteArray jpeg = imagingtest::EncodePicture(imagingtest::Kind::Progressive, 16, 16);
    const qsizetype lastScan = jpeg.lastIndexOf("\xFF\xDA");
    const QByteArray scan = jpeg.mid(lastScan, jpeg.size() - 2 - lastScan);
    const auto repeated = [&](int times) {
        QByteArray out = jpeg.left(jpeg.size() - 2);
        for (int i = 0; i < times; ++i) out += scan;
        return out + "\xFF\xD9";
    };
    EXPECT_EQ(decodeCode(repeated(20)), -1);  // libjpeg only warns about repeated scans
    EXPECT_EQ(decodeCode(repeated(600)), JERR_BAD_PROGRESSION);
}
