// MatchComment hands Wordseek UTF-8, so comments in any script match, including
// characters Shift-JIS has no code for.

#include "search/match_comment.h"

#include <gtest/gtest.h>

namespace {

using tollamar::MatchComment;

constexpr bool kIgnoreCase = true;
constexpr bool kExactCase = false;
constexpr bool kAnd = true;
constexpr bool kOr = false;

TEST(MatchComment, JapaneseKeywords)
{
    const QString comment = QStringLiteral("富士山と海\r\n夕焼けの空");
    EXPECT_TRUE(MatchComment(comment, {"富士山", "夕焼け"}, kExactCase, kAnd));
    EXPECT_FALSE(MatchComment(comment, {"富士山", "雪"}, kExactCase, kAnd));
    EXPECT_TRUE(MatchComment(comment, {"雪", "空"}, kExactCase, kOr));
    EXPECT_FALSE(MatchComment(comment, {"雪", "川"}, kIgnoreCase, kOr));
    // A keyword may span the line break.
    EXPECT_TRUE(MatchComment(comment, {"海\r\n夕"}, kExactCase, kAnd));
}

TEST(MatchComment, CharactersOutsideShiftJisAreKept)
{
    // U+20BB7 and U+1F600 are surrogate pairs in QString and have no Shift-JIS form;
    // a lossy conversion would turn both into '?'.
    const QString comment = QStringLiteral("𠮷野家で😀");
    EXPECT_TRUE(MatchComment(comment, {"𠮷野家"}, kExactCase, kAnd));
    EXPECT_TRUE(MatchComment(comment, {"😀"}, kIgnoreCase, kAnd));
    EXPECT_FALSE(MatchComment(comment, {"吉野家"}, kExactCase, kAnd));
    EXPECT_FALSE(MatchComment(comment, {"?"}, kExactCase, kOr));
    EXPECT_FALSE(MatchComment(QStringLiteral("??野家"), {"𠮷"}, kExactCase, kOr));
}

TEST(MatchComment, CommentEndsAtItsFirstNul)
{
    const QString comment = QString::fromUtf16(u"harbour\0lighthouse", 18);
    ASSERT_EQ(comment.size(), 18);
    EXPECT_TRUE(MatchComment(comment, {"harbour"}, kExactCase, kAnd));
    EXPECT_FALSE(MatchComment(comment, {"lighthouse"}, kExactCase, kOr));
    EXPECT_FALSE(MatchComment(QString(QChar(u'\0')) + "sea", {"sea"}, kIgnoreCase, kOr));
}

TEST(MatchComment, IgnoreCaseFoldsAsciiLettersOnly)
{
    const QString comment = QStringLiteral("Mt. FUJI from Lake Kawaguchi");
    EXPECT_TRUE(MatchComment(comment, {"fuji", "LAKE"}, kIgnoreCase, kAnd));
    EXPECT_FALSE(MatchComment(comment, {"fuji"}, kExactCase, kAnd));
    EXPECT_TRUE(MatchComment(comment, {"FUJI"}, kExactCase, kAnd));
    // Full-width and accented letters are never folded.
    EXPECT_FALSE(MatchComment(QStringLiteral("ａｂｃ"), {"ＡＢＣ"}, kIgnoreCase, kOr));
    EXPECT_FALSE(MatchComment(QStringLiteral("café"), {"CAFÉ"}, kIgnoreCase, kOr));
    EXPECT_TRUE(MatchComment(QStringLiteral("café"), {"CAFé"}, kIgnoreCase, kOr));
}

TEST(MatchComment, EmptyKeywordsDoNotHideTheOthers)
{
    // An empty keyword packed as-is would end the keyword block and lose "boat".
    EXPECT_TRUE(MatchComment("a boat", {"sea", "", "boat"}, kExactCase, kOr));
    EXPECT_FALSE(MatchComment("a boat", {"", "sea"}, kExactCase, kAnd));
    EXPECT_TRUE(MatchComment("at sea", {"", "sea"}, kExactCase, kAnd));
    EXPECT_FALSE(MatchComment("anything", {"", ""}, kExactCase, kOr));
    EXPECT_FALSE(MatchComment("anything", {}, kExactCase, kAnd));
    // A keyword is cut at a NUL instead of splitting into two keywords.
    const QString withNul = QString::fromUtf16(u"sea\0boat", 8);
    EXPECT_TRUE(MatchComment("at sea", {withNul}, kExactCase, kAnd));
}

}  // namespace
