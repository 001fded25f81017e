// libWordseek.so seen from outside: through its header, through QueryFunction from
// C, and loaded by path with dlopen.

#include <wordseek.h>

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

extern "C" int32_t WordseekLookupAndQuery(const char* text, const char* keywords,
                                          int32_t caseFlag, int32_t andFlag);

namespace {

constexpr int32_t kMatch = -1;
constexpr int32_t kExact = 0;
constexpr int32_t kFold = 1;
constexpr int32_t kOr = 0;
constexpr int32_t kAnd = 1;

// The keyword block: every keyword with its NUL, then the closing NUL.
std::string Block(const std::vector<std::string>& keywords)
{
    std::string block;
    for (const std::string& k : keywords) {
        block += k;
        block += '\0';
    }
    block += '\0';
    return block;
}

int32_t Query(const char* text, const std::vector<std::string>& keywords, int32_t caseFlag,
              int32_t andFlag)
{
    return QueryMemo(text, Block(keywords).c_str(), caseFlag, andFlag);
}

TEST(WordseekQueryMemo, AndNeedsEveryKeywordOrNeedsOne)
{
    const std::vector<std::string> seaBoat{"sea", "boat"};
    EXPECT_EQ(Query("a boat at sea", seaBoat, kExact, kAnd), kMatch);
    EXPECT_EQ(Query("a boat", seaBoat, kExact, kAnd), 0);
    EXPECT_EQ(Query("at sea", seaBoat, kExact, kAnd), 0);
    EXPECT_EQ(Query("a boat", seaBoat, kExact, kOr), kMatch);
    EXPECT_EQ(Query("at sea", seaBoat, kExact, kOr), kMatch);
    EXPECT_EQ(Query("cars", seaBoat, kExact, kOr), 0);
    // Any non-zero flag counts as set.
    EXPECT_EQ(Query("a boat", seaBoat, kExact, 7), 0);
    EXPECT_EQ(Query("a boat", seaBoat, -5, 0), kMatch);
    // The example block of wordseek.h, spelled out in bytes.
    const char bytes[] = {0x73, 0x65, 0x61, 0x00, 0x62, 0x6F, 0x61, 0x74, 0x00, 0x00};
    EXPECT_EQ(QueryMemo("sea and boat", bytes, kExact, kAnd), kMatch);
}

TEST(WordseekQueryMemo, FoldsOnlyAsciiLetters)
{
    EXPECT_EQ(Query("seaside", {"SEA"}, kFold, kAnd), kMatch);
    EXPECT_EQ(Query("seaside", {"SEA"}, kExact, kAnd), 0);
    EXPECT_EQ(Query("SeAsIdE", {"sIDe"}, kFold, kAnd), kMatch);
    // Neighbours of the letter ranges differ by 0x20 too but are not letters.
    EXPECT_EQ(Query("[x", {"{X"}, kFold, kAnd), 0);
    EXPECT_EQ(Query("@home", {"`HOME"}, kFold, kAnd), 0);
    EXPECT_EQ(Query("^_^", {"~\x7F~"}, kFold, kAnd), 0);
    // Full-width A (U+FF21) and a (U+FF41) in UTF-8, and accented letters, are exact.
    EXPECT_EQ(Query("\xEF\xBD\x81", {"\xEF\xBC\xA1"}, kFold, kAnd), 0);
    EXPECT_EQ(Query("caf\xC3\xA9", {"CAF\xC3\x89"}, kFold, kAnd), 0);
    EXPECT_EQ(Query("caf\xC3\xA9", {"CAF\xC3\xA9"}, kFold, kAnd), kMatch);
}

TEST(WordseekQueryMemo, MatchesBytesNotCharacters)
{
    // Shift-JIS: a match may start on a trailing byte, and a trailing byte in
    // 0x61-0x7A folds like a letter (83 72 is "ビ", 83 52 is "ツ").
    EXPECT_EQ(Query("\x83\x41\x83\x72", {"\x41\x83"}, kExact, kAnd), kMatch);
    EXPECT_EQ(Query("\x83\x72", {"\x83\x52"}, kFold, kAnd), kMatch);
    EXPECT_EQ(Query("\x83\x72", {"\x83\x52"}, kExact, kAnd), 0);
    // High bytes are compared as unsigned: no sign extension makes them equal.
    EXPECT_EQ(Query("\xC1", {"\xE1"}, kFold, kAnd), 0);
}

TEST(WordseekQueryMemo, TextEndsAreRespected)
{
    for (int32_t caseFlag : {kExact, kFold}) {
        SCOPED_TRACE(caseFlag);
        EXPECT_EQ(Query("sea", {"seas"}, caseFlag, kOr), 0);
        EXPECT_EQ(Query("", {"a"}, caseFlag, kOr), 0);
        EXPECT_EQ(QueryMemo(nullptr, Block({"a"}).c_str(), caseFlag, kOr), 0);
        EXPECT_EQ(Query("sea", {"sea"}, caseFlag, kOr), kMatch);
        EXPECT_EQ(Query("the sea", {"sea"}, caseFlag, kOr), kMatch);
        EXPECT_EQ(Query("the se", {"sea"}, caseFlag, kOr), 0);
        EXPECT_EQ(Query("sss", {"ss"}, caseFlag, kOr), kMatch);
        // The keyword must not be matched across the text's terminating NUL.
        const char textWithTail[] = "abc\0def";
        EXPECT_EQ(Query(textWithTail, {"cd"}, caseFlag, kOr), 0);
    }
}

TEST(WordseekQueryMemo, KeywordBlockEndsAtFirstEmptyString)
{
    const char block[] = {0x61, 0x00, 0x00, 0x62, 0x00, 0x00};
    EXPECT_EQ(QueryMemo("b", block, kExact, kOr), 0);
    EXPECT_EQ(QueryMemo("a", block, kExact, kAnd), kMatch);
    const char empty[] = {0x00, 0x00};
    for (int32_t andFlag : {kOr, kAnd}) {
        EXPECT_EQ(QueryMemo("anything", empty, kExact, andFlag), 0);
        EXPECT_EQ(QueryMemo("anything", empty, kFold, andFlag), 0);
        EXPECT_EQ(QueryMemo("anything", nullptr, kFold, andFlag), 0);
    }
    EXPECT_EQ(Query("abc", {"x", "y", "c"}, kExact, kOr), kMatch);
    EXPECT_EQ(Query("abc", {"a", "b", "x"}, kExact, kAnd), 0);
}

// A straightforward model of the folded search, to compare on random bytes that
// crowd the letter ranges and their neighbours.
bool ReferenceFoldedContains(const std::string& text, const std::string& keyword)
{
    auto fold = [](unsigned char c) { return (c >= 'a' && c <= 'z') ? c - 0x20 : c; };
    auto equal = [&](char a, char b) {
        return fold(static_cast<unsigned char>(a)) == fold(static_cast<unsigned char>(b));
    };
    return std::search(text.begin(), text.end(), keyword.begin(), keyword.end(), equal) !=
           text.end();
}

TEST(WordseekQueryMemo, FoldedSearchAgreesWithModelOnRandomBytes)
{
    const std::string alphabet = "aAbB@`[{zZ\x7F\x80\xE1\xC1\xFF";
    std::mt19937 rng(20240517);
    auto randomText = [&](int maxLength) {
        std::string s(rng() % (maxLength + 1), ' ');
        for (char& c : s)
            c = alphabet[rng() % alphabet.size()];
        return s;
    };
    for (int i = 0; i < 20000; ++i) {
        const std::string text = randomText(12);
        std::string keyword = randomText(4);
        if (keyword.empty())
            keyword.push_back('a');
        const bool expected = ReferenceFoldedContains(text, keyword);
        ASSERT_EQ(Query(text.c_str(), {keyword}, kFold, kAnd), expected ? kMatch : 0)
            << "text '" << text << "' keyword '" << keyword << "'";
        const bool exact = text.find(keyword) != std::string::npos;
        ASSERT_EQ(Query(text.c_str(), {keyword}, kExact, kAnd), exact ? kMatch : 0);
    }
}

TEST(WordseekQueryFunction, AnswersOnlyTheExactName)
{
    void* address = QueryFunction("QueryMemo");
    ASSERT_NE(address, nullptr);
    WordseekQueryMemoFn query = nullptr;
    std::memcpy(&query, &address, sizeof query);
    EXPECT_EQ(query, &QueryMemo);
    EXPECT_EQ(query("a boat", Block({"boat"}).c_str(), kExact, kAnd), kMatch);

    for (const char* name : {"querymemo", "QUERYMEMO", "QueryFunction", "", "QueryMem",
                             "QueryMemoX", " QueryMemo"})
        EXPECT_EQ(QueryFunction(name), nullptr) << name;
    EXPECT_EQ(QueryFunction(nullptr), nullptr);

    // The same lookup made from a C translation unit.
    EXPECT_EQ(WordseekLookupAndQuery("at sea", Block({"SEA"}).c_str(), kFold, kAnd), kMatch);
    EXPECT_EQ(WordseekLookupAndQuery("at sea", Block({"SEA"}).c_str(), kExact, kAnd), 0);
}

TEST(WordseekLibrary, LoadsByPathAndResolvesBothExports)
{
    void* library = dlopen(WORDSEEK_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    void* queryMemo = dlsym(library, "QueryMemo");
    void* queryFunction = dlsym(library, "QueryFunction");
    ASSERT_NE(queryMemo, nullptr);
    ASSERT_NE(queryFunction, nullptr);
    using LookupFn = void* (*)(const char*);
    LookupFn lookup = nullptr;
    std::memcpy(&lookup, &queryFunction, sizeof lookup);
    EXPECT_EQ(lookup("QueryMemo"), queryMemo);
    // Internal helpers stay hidden.
    EXPECT_EQ(dlsym(library, "ContainsNoCase"), nullptr);
    EXPECT_EQ(dlclose(library), 0);
}

}  // namespace
