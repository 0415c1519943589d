// Text members of KTGF: counting and cutting by characters over UTF-8, numbers with thousands
// separators, and the string table look-up.
#include "ktutil/KTGF.h"

#include "platform/core/ResourceModule.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Two-, three- and four-byte characters.
const char* const kUmlauts = "gr\xC3\xB6\xC3\x9F" "e";          // "größe": 5 characters, 7 bytes
const char* const kKanji = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E"; // three characters, 9 bytes
const char* const kEmoji = "a\xF0\x9F\x98\x80" "b";              // 3 characters, 6 bytes

TEST(KTGFText, BlankMeansEmptyAfterTrimming)
{
    EXPECT_TRUE(KTGF::IsEmpty(""));
    EXPECT_TRUE(KTGF::IsEmpty(" \t\r\n "));
    EXPECT_TRUE(KTGF::IsEmpty(nullptr));
    EXPECT_FALSE(KTGF::IsEmpty(" x "));
    CString text(" \t a b \n");
    KTGF::Trim(text);
    EXPECT_EQ(text, "a b");
}

TEST(KTGFText, CountsCharactersAndBytes)
{
    EXPECT_EQ(KTGF::TextCount(kUmlauts), 5);
    EXPECT_EQ(KTGF::GetLength(kUmlauts), 7);
    EXPECT_EQ(KTGF::TextCount(kKanji), 3);
    EXPECT_EQ(KTGF::TextCount(kEmoji), 3);
    EXPECT_EQ(KTGF::TextCount(""), 0);
    // A stray byte that starts no character counts as one of its own.
    EXPECT_EQ(KTGF::TextCount("a\xC3" "b"), 3);
}

struct CutCase {
    const char* text;
    int n;
    const char* left;
    const char* right;
};

TEST(KTGFText, LeftAndRightCutWholeCharacters)
{
    const std::vector<CutCase> cases = {
        { "abcdef", 0, "", "" },
        { "abcdef", 2, "ab", "ef" },
        { "abcdef", 6, "abcdef", "abcdef" },
        { "abcdef", 9, "abcdef", "abcdef" },
        { "abcdef", -1, "", "" },
        { kUmlauts, 3, "gr\xC3\xB6", "\xC3\xB6\xC3\x9F" "e" },
        { kKanji, 1, "\xE6\x97\xA5", "\xE8\xAA\x9E" },
        { kKanji, 3, kKanji, kKanji },
        { kEmoji, 2, "a\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80" "b" },
    };
    for (const CutCase& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " n=" + std::to_string(c.n));
        EXPECT_EQ(KTGF::LeftText(c.text, c.n), c.left);
        EXPECT_EQ(KTGF::RightText(c.text, c.n), c.right);
    }
}

TEST(KTGFText, CompleteStringNeverEndsInsideACharacter)
{
    struct Case {
        const char* text;
        int limit;
        const char* expected;
    };
    const std::vector<Case> cases = {
        { "abcdef", 0, "" },
        { "abcdef", -1, "abcdef" },
        { "abcdef", 3, "abc" },
        { "abcdef", 6, "abcdef" },
        { "abcdef", 60, "abcdef" },
        { kUmlauts, 3, "gr" },             // the third byte is the lead of ö
        { kUmlauts, 4, "gr\xC3\xB6" },
        { kKanji, 5, "\xE6\x97\xA5" },     // 5 bytes hold one whole character
        { kKanji, 2, "" },
        { kEmoji, 4, "a" },
        { kEmoji, 5, "a\xF0\x9F\x98\x80" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " limit=" + std::to_string(c.limit));
        EXPECT_EQ(KTGF::CompleteString(c.text, c.limit), c.expected);
    }
}

TEST(KTGFText, AbbreviateTextKeepsWidthCharacters)
{
    struct Case {
        const char* text;
        int width;
        const char* expected;
    };
    const std::vector<Case> cases = {
        { "abcdef", 4, "a..." },
        { "abcdef", 3, "..." },
        { "", 2, "..." },
        { "abcdef", 6, "abcdef" },
        { "abcdefg", 6, "abc..." },
        { kKanji, 3, "..." },
        { kKanji, 4, kKanji },
        { "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE6\x97\xA5\xE6\x9C\xAC", 4, "\xE6\x97\xA5..." },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " width=" + std::to_string(c.width));
        EXPECT_EQ(KTGF::AbbreviateText(c.text, c.width), c.expected);
        CString out("old");
        KTGF::AbbreviateText(out, c.text, c.width);
        EXPECT_EQ(out, c.expected);
    }
}

TEST(KTGFText, VertTextPutsEachCharacterOnItsOwnLine)
{
    EXPECT_EQ(KTGF::VertText("ab"), "a\nb\n");
    EXPECT_EQ(KTGF::VertText(kKanji), "\xE6\x97\xA5\n\xE6\x9C\xAC\n\xE8\xAA\x9E\n");
    EXPECT_EQ(KTGF::VertText(""), "");
}

TEST(KTGFText, WideConversionsRoundTrip)
{
    const int needed = KTGF::MultiToWide(kEmoji, nullptr, 0);
    ASSERT_EQ(needed, 4);
    std::vector<wchar_t> wide(needed);
    EXPECT_EQ(KTGF::MultiToWide(kEmoji, wide.data(), needed), 4);
    EXPECT_EQ(wide[1], static_cast<wchar_t>(0x1F600));
    EXPECT_EQ(KTGF::MultiToWide(kEmoji, wide.data(), 3), 0) << "a short buffer is refused";

    const int bytes = KTGF::WideToMulti(wide.data(), nullptr, 0);
    ASSERT_EQ(bytes, 7);
    std::vector<char> back(bytes);
    EXPECT_EQ(KTGF::WideToMulti(wide.data(), back.data(), bytes), 7);
    EXPECT_STREQ(back.data(), kEmoji);
    EXPECT_EQ(KTGF::WideToMulti(wide.data(), back.data(), 6), 0);
}

TEST(KTGFText, CommaStringGroupsDigitsOnly)
{
    struct Case {
        const char* text;
        const char* expected;
    };
    const std::vector<Case> cases = {
        { "", "" },
        { "1", "1" },
        { "123", "123" },
        { "1234", "1,234" },
        { "123456", "123,456" },
        { "1234567.5", "1,234,567.5" },
        { "1234.5678", "1,234.5678" },
        { "-123456", "-123,456" }, // the sign is never a group's member
        { "-12345", "-12,345" },
        { "+1000", "+1,000" },
        { ".25", ".25" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(KTGF::CommaString(c.text), c.expected) << c.text;

    EXPECT_EQ(KTGF::CommaString(LONGLONG { 0 }), "0");
    EXPECT_EQ(KTGF::CommaString(LONGLONG { -123456 }), "-123,456");
    EXPECT_EQ(KTGF::CommaString(LONGLONG { 9223372036854775807 }), "9,223,372,036,854,775,807");
}

TEST(KTGFText, ExtractNumberKeepsDigits)
{
    EXPECT_EQ(KTGF::ExtractNumber("(030) 12-34 x5"), "03012345");
    EXPECT_EQ(KTGF::ExtractNumber("none"), "");
}

TEST(KTGFText, FormatMsgDescribesKnownErrors)
{
    EXPECT_FALSE(KTGF::FormatMsg(ERROR_FILE_NOT_FOUND).IsEmpty());
    EXPECT_EQ(KTGF::FormatMsg(ERROR_FILE_NOT_FOUND), KTGF::FormatMsg(ErrorFromErrno(ENOENT)));
    const CString text = KTGF::FormatMsg(ERROR_ACCESS_DENIED);
    EXPECT_EQ(text, CString(text).Trim());
    EXPECT_TRUE(KTGF::FormatMsg(0x0FFFFFFF).IsEmpty());
}

const platform::StringEntry kTestStrings[] = { { 61001, "Record \xE6\x97\xA5" } };
const platform::ExtensionModule s_testModule("KTGFTextTest", { .strings = kTestStrings });

TEST(KTGFText, GetStringFindsRegisteredTextsAndGivesEmptyTextOtherwise)
{
    EXPECT_EQ(KTGF::GetString(61001), "Record \xE6\x97\xA5");
    EXPECT_TRUE(KTGF::GetString(0xFFF0).IsEmpty());
}

} // namespace
