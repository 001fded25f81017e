#include "jpegfile/comment_codec.h"
#include "jpegfile/comment_io.h"
#include "platform/codepage.h"
#include "platform/errors.h"
#include "support/jpeg_builder.h"
#include "support/temp_folder.h"

#include <QBuffer>
#include <gtest/gtest.h>

using namespace tollamar;
using testsupport::JpegBuilder;
using testsupport::SegmentPayloads;
using testsupport::TempFolder;

namespace {

QString commentOf(const QByteArray& jpeg) {
    QByteArray copy = jpeg;
    QBuffer in(&copy);
    in.open(QIODevice::ReadOnly);
    return ReadComment(in);
}

QByteArray photoWithComment(QByteArrayView payload) {
    return JpegBuilder().soi().com(payload).tables().sosAndData().bytes();
}

}  // namespace

TEST(CommentRead, DecodesBothFormsAndTrimsControlCharacters) {
    EXPECT_EQ(commentOf(photoWithComment(ToCp932(QStringLiteral("一行目\r\n二行目\r\n")))),
              QStringLiteral("一行目\r\n二行目"));
    EXPECT_EQ(commentOf(photoWithComment(QByteArray("\xFF\xFE", 2))), QString());
    EXPECT_EQ(commentOf(photoWithComment(QByteArray("\xFF\xFE" "A\0B\0", 6))), QStringLiteral("AB"));
    EXPECT_EQ(commentOf(photoWithComment(QByteArray("\xFF\xFE" "A\0\0\0B\0", 8))), QStringLiteral("A"));
    // An odd last byte is a final unit whose high byte is 0.
    EXPECT_EQ(commentOf(photoWithComment(QByteArray("\xFF\xFE" "A\0B", 5))), QStringLiteral("AB"));
    EXPECT_EQ(commentOf(photoWithComment(" \r\n\t  海\x00")), QStringLiteral("海"));
    EXPECT_EQ(commentOf(JpegBuilder().soi().tables().sosAndData().bytes()), QString());
    EXPECT_EQ(commentOf("not a jpeg at all"), QString());
}

TEST(CommentRead, Cp932KeepsNulBytesAndUtf8FromLinuxToolsIsRecognised) {
    EXPECT_EQ(commentOf(photoWithComment(QByteArray("a\0b", 3))),
              QString(QStringLiteral("a") + QChar(0) + QStringLiteral("b")));
    EXPECT_EQ(commentOf(photoWithComment(QStringLiteral("Café 海 😀").toUtf8())), QStringLiteral("Café 海 😀"));
    // Plain ASCII and Shift-JIS that happens not to be valid UTF-8 stay code page 932.
    EXPECT_EQ(commentOf(photoWithComment("plain")), QStringLiteral("plain"));
    EXPECT_EQ(commentOf(photoWithComment(ToCp932(QStringLiteral("ｶﾀｶﾅと漢字")))), QStringLiteral("ｶﾀｶﾅと漢字"));
    EXPECT_EQ(commentOf(photoWithComment("\xC8\xBA")), QStringLiteral("ﾈｺ"));  // also two-byte UTF-8
}

TEST(CommentRead, JoinsSegmentsAndIgnoresWhatFollowsDamageOrSos) {
    EXPECT_EQ(commentOf(JpegBuilder().soi().com("AB").tables().com("CD").sosAndData().bytes()),
              QStringLiteral("ABCD"));
    QByteArray afterSos = JpegBuilder().soi().com("in").tables().sosAndData().bytes();
    afterSos += JpegBuilder().com("after").bytes();
    EXPECT_EQ(commentOf(afterSos), QStringLiteral("in"));
    const QByteArray cutInDqt = JpegBuilder().soi().com("kept").segment(0xDB, QByteArray(60, 1)).bytes().chopped(20);
    EXPECT_EQ(commentOf(cutInDqt), QStringLiteral("kept"));
}

TEST(CommentRead, FileFormRaisesTheOpenError) {
    TempFolder dir;
    EXPECT_EQ(ReadComment(dir.write("a.jpg", photoWithComment("hello"))), QStringLiteral("hello"));
    EXPECT_THROW(ReadComment(dir.path("missing.jpg")), Error);
}

TEST(CommentWrite, EncodesBothFormsExactly) {
    EXPECT_EQ(EncodeComment(QStringLiteral("AB"), true), QByteArray("\xFF\xFE" "A\0B\0", 6));
    EXPECT_EQ(EncodeComment(QString(), true), QByteArray("\xFF\xFE", 2));
    EXPECT_EQ(EncodeComment(QString(), false), QByteArray());
    EXPECT_EQ(EncodeComment(QString(QStringLiteral("A") + QChar(0) + QStringLiteral("B")), true),
              QByteArray("\xFF\xFE" "A\0", 4));
    EXPECT_EQ(EncodeComment(QStringLiteral("海😀"), false), ToCp932(QStringLiteral("海")) + "?");
}

class CommentFile : public ::testing::Test {
protected:
    TempFolder dir;
    QString photo = dir.write("p.jpg", JpegBuilder().soi().com("old").tables().com("more")
                                           .sosAndData().bytes());
};

TEST_F(CommentFile, RoundTripsLongUnicodeTextSplitInsideACodeUnit) {
    const QString text(40000, QChar(u'海'));
    ASSERT_TRUE(WriteComment(photo, text, true));
    const QByteArray bytes = TempFolder::read(photo);
    const QList<QByteArray> payloads = SegmentPayloads(bytes, 0xFE);
    ASSERT_EQ(payloads.size(), 2);
    EXPECT_EQ(payloads[0].size(), 65533);
    EXPECT_EQ(payloads[1].size(), 14469);
    EXPECT_TRUE(testsupport::HeaderMarkers(bytes).endsWith("\xFE\xFE\xDA"));
    EXPECT_EQ(ReadComment(photo), text);
}

TEST_F(CommentFile, EmptyTextRemovesOrMarksAndSecondWriteIsIdentical) {
    ASSERT_TRUE(WriteComment(photo, QString(), false));
    EXPECT_TRUE(SegmentPayloads(TempFolder::read(photo), 0xFE).isEmpty());
    ASSERT_TRUE(WriteComment(photo, QString(), true));
    EXPECT_EQ(SegmentPayloads(TempFolder::read(photo), 0xFE), QList<QByteArray>({"\xFF\xFE"}));
    EXPECT_EQ(ReadComment(photo), QString());

    ASSERT_TRUE(WriteComment(photo, QStringLiteral("日本語\r\nUnicode 😀"), true));
    const QByteArray first = TempFolder::read(photo);
    ASSERT_TRUE(WriteComment(photo, QStringLiteral("日本語\r\nUnicode 😀"), true));
    EXPECT_EQ(TempFolder::read(photo), first);
    EXPECT_EQ(ReadComment(photo), QStringLiteral("日本語\r\nUnicode 😀"));
    EXPECT_EQ(dir.entries(), QStringList({"p.jpg"}));
}

TEST_F(CommentFile, AppendingInShiftJisKeepsWhatWasStored) {
    // Half-width katakana that also read as UTF-8, and a lone surrogate in the text.
    ASSERT_TRUE(WriteComment(photo, QStringLiteral("ﾈｺ") + QStringView(u"X\xD800" u"AB").toString(), false));
    ASSERT_TRUE(WriteComment(photo, ReadComment(photo) + QStringLiteral("C"), false));
    EXPECT_EQ(SegmentPayloads(TempFolder::read(photo), 0xFE), QList<QByteArray>({"\xC8\xBAX?ABC"}));
}
