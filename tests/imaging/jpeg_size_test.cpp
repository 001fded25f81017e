#include "imaging/jpeg_decoder.h"
#include "imaging/jpeg_size.h"
#include "platform/fault_injection.h"
#include "support/jpeg_builder.h"
#include "support/temp_folder.h"
#include "test_pictures.h"

#include <cerrno>
#include <functional>
#include <gtest/gtest.h>

using namespace tollamar;
using testsupport::JpegBuilder;

namespace {

// What a size probe answers: the size, "none", or the text of the error it raises.
QString answerOf(const std::function<std::optional<QSize>()>& probe) {
    try {
        const std::optional<QSize> size = probe();
        return size ? QStringLiteral("%1x%2").arg(size->width()).arg(size->height()) : QStringLiteral("none");
    } catch (const Error& error) {
        return error.message();
    }
}

// A real picture whose SOF0 segment is replaced by the given segments.
QByteArray withFrameSegments(const QByteArray& jpeg, const std::function<QByteArray(const QByteArray&)>& make) {
    const qsizetype at = jpeg.indexOf("\xFF\xC0");
    const int length = static_cast<unsigned char>(jpeg[at + 2]) << 8 | static_cast<unsigned char>(jpeg[at + 3]);
    QByteArray out = jpeg;
    return out.replace(at, 2 + length, make(jpeg.mid(at + 4, length - 2)));
}

QByteArray frameSegment(uint8_t marker, const QByteArray& payload) {
    return JpegBuilder().segment(marker, payload).bytes();
}

QByteArray patched(QByteArray frame, qsizetype at, QByteArrayView bytes) {
    return frame.replace(at, bytes.size(), bytes.toByteArray());
}

}  // namespace

TEST(JpegSize, ReadsTheFullSizeOrReportsAnEmptyFile) {
    testsupport::TempFolder folder;
    EXPECT_EQ(ReadJpegSize(folder.write("a.jpg", testsupport::EncodeJpeg(333, 217))), QSize(333, 217));
    EXPECT_EQ(ReadJpegSize(folder.write("empty.jpg", {})), std::nullopt);
    const QByteArray tablesOnly =
        JpegBuilder().soi().segment(0xDB, QByteArray(65, '\x01')).standalone(0xD9).bytes();
    EXPECT_EQ(ReadJpegSize(folder.write("tables.jpg", tablesOnly)), QSize(0, 0));
    try {
        ReadJpegSize(folder.write("text.jpg", "plain text\n"));
        ADD_FAILURE();
    } catch (const JpegDecodeError& error) {
        EXPECT_EQ(error.message(), QStringLiteral("JPEG エラー #%1").arg(error.code()));
    }
    EXPECT_THROW(ReadJpegSize(folder.path("absent.jpg")), Error);
    EXPECT_THROW(ReadJpegSize(folder.path("")), Error);
}

TEST(JpegSize, SkipsBigAppSegmentsWithoutReadingThem) {
    const QByteArray picture = testsupport::EncodeJpeg(640, 480);
    JpegBuilder builder;
    builder.soi();
    for (int i = 0; i < 6; ++i) builder.segment(static_cast<uint8_t>(0xE1 + i % 3), QByteArray(65533, 'x'));
    builder.raw(picture.mid(2));
    testsupport::TempFolder folder;
    const QString file = folder.write("big-app.jpg", builder.bytes());
    // Open, the first chunk, then one read per skipped segment and one for the frame
    // header: a probe that read the 390 KB of APPn would need far more.
    faults::FailNth(faults::Op::Read, 10, EIO);
    EXPECT_EQ(ReadJpegSize(file), QSize(640, 480));
    faults::Reset();
    faults::FailNth(faults::Op::Read, 2, EIO);
    try {
        ReadJpegSize(file);
        ADD_FAILURE();
    } catch (const JpegDecodeError&) {
        ADD_FAILURE();
    } catch (const Error& error) {
        EXPECT_TRUE(error.message().contains("big-app.jpg"));
    }
    faults::Reset();
}

TEST(JpegSize, ScaleSteps) {
    const auto scale = [](int w, int h, int bw, int bh) {
        return static_cast<int>(ChooseJpegScaleForSize(QSize(w, h), bw, bh));
    };
    EXPECT_EQ(scale(3000, 2000, 64, 48), 8);  // r = max(46, 41)
    EXPECT_EQ(scale(640, 480, 64, 48), 2);    // r = 10
    EXPECT_EQ(scale(8 * 64 + 63, 10, 64, 48), 1);
    EXPECT_EQ(scale(9 * 64, 10, 64, 48), 2);
    EXPECT_EQ(scale(10, 11 * 48 + 47, 64, 48), 2);
    EXPECT_EQ(scale(10, 12 * 48, 64, 48), 4);
    EXPECT_EQ(scale(19 * 64 + 63, 10, 64, 48), 4);
    EXPECT_EQ(scale(20 * 64, 10, 64, 48), 8);
    EXPECT_EQ(scale(0, 0, 64, 48), 1);
    EXPECT_EQ(scale(100, 100, 0, -5), 8);  // no division by zero

    testsupport::TempFolder folder;
    EXPECT_EQ(ChooseJpegScale(folder.write("e.jpg", {}), 64, 48), TJPEGScale::FullSize);
    EXPECT_EQ(ChooseJpegScale(folder.write("p.jpg", testsupport::EncodeJpeg(1280, 960)), 64, 48),
              TJPEGScale::Eighth);
    EXPECT_THROW(ChooseJpegScale(folder.write("t.jpg", "text"), 64, 48), JpegDecodeError);
}

// The header walk takes the size from the frame header where libjpeg would read that
// header without complaint, and leaves every other file to libjpeg: either way the
// answer (size or error) is the one libjpeg's own probe gives.
TEST(JpegSize, FromTheHeaderWalkAgreesWithLibjpegsProbe) {
    const QByteArray real = testsupport::EncodeJpeg(333, 217);
    using Make = std::function<QByteArray(const QByteArray&)>;
    const std::pair<Make, bool> variants[] = {
        {[](const QByteArray& f) { return frameSegment(0xC0, f); }, true},
        {[](const QByteArray& f) { return frameSegment(0xC1, f); }, true},
        {[](const QByteArray& f) { return frameSegment(0xC9, f); }, true},  // arithmetic coding
        {[](const QByteArray& f) {
             return JpegBuilder().fill(3).com("c").segment(0xDD, QByteArray("\x00\x10", 2)).standalone(0x01).bytes() +
                    frameSegment(0xC0, f);
         }, true},
        {[](const QByteArray& f) { return frameSegment(0xC3, f); }, false},              // lossless
        {[](const QByteArray& f) { return frameSegment(0xC0, patched(f, 1, QByteArray(2, 0))); }, false},  // DNL
        {[](const QByteArray& f) { return frameSegment(0xC0, patched(f, 0, "\x0C")); }, false},  // 12-bit
        {[](const QByteArray& f) { return frameSegment(0xC0, patched(f, 3, "\xFF\xFF")); }, false},
        {[](const QByteArray& f) { return frameSegment(0xC0, patched(f, 7, "\x51")); }, false},  // sampling 5
        {[](const QByteArray& f) { return frameSegment(0xC0, f + "x"); }, false},
        {[](const QByteArray& f) { return frameSegment(0xC0, f) + frameSegment(0xC2, f); }, false},
        {[](const QByteArray& f) { return frameSegment(0xDE, "h") + frameSegment(0xC0, f); }, false},  // DHP
        {[](const QByteArray&) { return QByteArray(); }, false},
    };
    testsupport::TempFolder folder;
    int n = 0;
    for (const auto& [make, fromFrame] : variants) {
        const QString file = folder.write(QStringLiteral("v%1.jpg").arg(n++), withFrameSegments(real, make));
        const JpegHeaderParts header = ScanJpegHeader(file);
        EXPECT_EQ(FrameSize(header).has_value(), fromFrame) << n;
        EXPECT_EQ(answerOf([&] { return ReadJpegSize(file, header); }), answerOf([&] { return ReadJpegSize(file); }))
            << n;
    }
    const QString progressive =
        folder.write("p.jpg", imagingtest::EncodePicture(imagingtest::Kind::Progressive, 200, 100));
    EXPECT_EQ(FrameSize(ScanJpegHeader(progressive)), QSize(200, 100));
    EXPECT_EQ(ReadJpegSize(progressive), QSize(200, 100));
    const QString empty = folder.write("e.jpg", {});
    EXPECT_EQ(ReadJpegSize(empty, ScanJpegHeader(empty)), std::nullopt);
}
