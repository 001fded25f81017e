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
    // A lone surrogate is one unit of its own: the unit after it is still converted.
    EXPECT_EQ(ToCp932(u"X\xD800" u"AB"), QByteArray("X?AB"));
    EXPECT_EQ(ToCp932(u"\xDC00\xD800\xD800\xDC00Z\xD800"), QByteArray("???Z?"));
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

TEST(Codepage, UnmarkedTextIsUtf8OnlyWhenItHasLongSequencesOrIsNoCodePage932) {
    // Half-width katakana pairs are also valid two-byte UTF-8 ("Ⱥ", "ýı").
    EXPECT_EQ(DecodeUnmarkedText("\xC8\xBA"), QStringLiteral("ﾈｺ"));
    EXPECT_EQ(DecodeUnmarkedText(ToCp932(QStringLiteral("ﾃｽﾄｱ"))), QStringLiteral("ﾃｽﾄｱ"));
    // So is short Latin UTF-8; reading it as katakana keeps its bytes through a
    // rewrite in code page 932. With a byte code page 932 lacks (A0) it is UTF-8.
    EXPECT_EQ(DecodeUnmarkedText(QStringLiteral("café").toUtf8()), QStringLiteral("cafﾃｩ"));
    EXPECT_EQ(ToCp932(DecodeUnmarkedText(QStringLiteral("café").toUtf8())), QStringLiteral("café").toUtf8());
    EXPECT_EQ(DecodeUnmarkedText(QStringLiteral("voilà").toUtf8()), QStringLiteral("voilà"));
    EXPECT_EQ(DecodeUnmarkedText(QStringLiteral("猫の写真").toUtf8()), QStringLiteral("猫の写真"));
    EXPECT_EQ(DecodeUnmarkedText(QStringLiteral("Café ﾈｺ 海").toUtf8()), QStringLiteral("Café ﾈｺ 海"));
    EXPECT_EQ(DecodeUnmarkedText(ToCp932(QStringLiteral("海辺のｶﾌｪ"))), QStringLiteral("海辺のｶﾌｪ"));
    EXPECT_EQ(DecodeUnmarkedText(QByteArray("a\0b", 3)), QString(QStringLiteral("a") + QChar(0) + QStringLiteral("b")));
}
