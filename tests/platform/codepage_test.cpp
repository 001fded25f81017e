#include "platform/codepage.h"

#include <gtest/gtest.h>

using namespace tollamar;

TEST(Codepage, RoundTripsJapaneseAndMarksWhatCp932Lacks) {
    const QString text = QStringLiteral("海辺の写真\r\n二行目 ①ｱ");
    const QByteArray bytes = ToCp932(text);
    EXPECT_EQ(bytes.left(4), QByteArray("\x8A\x43\x95\xD3", 4));  // 海辺
    EXPECT_EQ(FromCp932(bytes), text);
    // Characters outside code page 932 become one '?' each, surrogate pairs included.
    EXPECT_EQ(ToCp932(QStringLiteral("a😀b𠮷c")), QByteArray("a?b?c"));
    EXPECT_EQ(ToCp932(QString()), QByteArray());
}

TEST(Codepage, DecodesEveryByteIncludingNulAndBadSequences) {
    EXPECT_EQ(FromCp932(QByteArray("A\0B", 3)), QString(QStringLiteral("A") + QChar(0) + QStringLiteral("B")));
    // A lead byte with no trail byte at the end, and a byte that is no character.
    EXPECT_EQ(FromCp932(QByteArray("x\x82", 2)), QStringLiteral("x?"));
    EXPECT_EQ(FromCp932(QByteArray("\xA0z", 2)).right(1), QStringLiteral("z"));
}

TEST(Codepage, Utf8ValidityRejectsOverlongsSurrogatesAndCuts) {
    EXPECT_TRUE(IsValidUtf8("plain"));
    EXPECT_TRUE(IsValidUtf8(QStringLiteral("日本語😀").toUtf8()));
    EXPECT_FALSE(IsValidUtf8(QByteArray("\xC0\x80", 2)));          // overlong NUL
    EXPECT_FALSE(IsValidUtf8(QByteArray("\xED\xA0\x80", 3)));      // surrogate
    EXPECT_FALSE(IsValidUtf8(QByteArray("\xE6\x97", 2)));          // cut short
    EXPECT_FALSE(IsValidUtf8(QByteArray("\xF4\x90\x80\x80", 4)));  // above U+10FFFF
    EXPECT_FALSE(IsValidUtf8(ToCp932(QStringLiteral("海辺の写真"))));
    EXPECT_EQ(DecodeUtf8OrCp932(ToCp932(QStringLiteral("設定"))), QStringLiteral("設定"));
    EXPECT_EQ(DecodeUtf8OrCp932(QStringLiteral("設定").toUtf8()), QStringLiteral("設定"));
}
