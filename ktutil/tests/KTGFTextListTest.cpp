// Finding, sorting and splitting lists of texts with KTGF.
#include "ktutil/KTGF.h"

#include "platform/core/Collections.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CStringArray ArrayOf(const std::vector<const char*>& items)
{
    CStringArray list;
    for (const char* item : items)
        list.Add(item);
    return list;
}

std::vector<std::string> Items(const CStringArray& list)
{
    std::vector<std::string> out;
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        out.push_back(list[i].GetString());
    return out;
}

using Strings = std::vector<std::string>;

TEST(KTGFTextList, FindStringWithAndWithoutCase)
{
    const CStringArray list = ArrayOf({ "Alpha", "beta", "BETA", "\xC3\x84rger" });
    EXPECT_EQ(KTGF::FindString(list, "beta", TRUE), 1);
    EXPECT_EQ(KTGF::FindString(list, "BETA", TRUE), 2);
    EXPECT_EQ(KTGF::FindString(list, "BETA", FALSE), 1);
    EXPECT_EQ(KTGF::FindString(list, "alpha", TRUE), -1);
    EXPECT_EQ(KTGF::FindString(list, "alpha", FALSE), 0);
    EXPECT_EQ(KTGF::FindString(list, "\xC3\x84rger", TRUE), 3);
    EXPECT_EQ(KTGF::FindString(list, "gamma", FALSE), -1);
    EXPECT_EQ(KTGF::FindString(CStringArray(), "x", FALSE), -1);
}

TEST(KTGFTextList, SortStringIgnoresCaseAndReversesEqualEntries)
{
    struct Case {
        std::vector<const char*> input;
        BOOL ascending;
        Strings expected;
    };
    const std::vector<Case> cases = {
        { { "b", "A", "c" }, TRUE, { "A", "b", "c" } },
        { { "b", "A", "c" }, FALSE, { "c", "b", "A" } },
        // Equal entries (ignoring case) end in the reverse order of their arrival.
        { { "x", "a", "X", "A" }, TRUE, { "A", "a", "X", "x" } },
        { { "x", "a", "X", "A" }, FALSE, { "X", "x", "A", "a" } },
        { { "rec10", "rec2", "Rec1" }, TRUE, { "Rec1", "rec10", "rec2" } },
        { { "only" }, TRUE, { "only" } },
        { {}, TRUE, {} },
    };
    for (const Case& c : cases) {
        CStringArray list = ArrayOf(c.input);
        KTGF::SortString(list, c.ascending);
        EXPECT_EQ(Items(list), c.expected);
    }
}

TEST(KTGFTextList, SplitTextWithAWholeDelimiterKeepsEmptyEntries)
{
    struct Case {
        const char* text;
        const char* delimiter;
        Strings expected;
    };
    const std::vector<Case> cases = {
        { "a,b", ",", { "a", "b" } },
        { "a,", ",", { "a", "" } },
        { ",a", ",", { "", "a" } },
        { "a,,", ",", { "a", "" } },
        { "a,,b", ",", { "a", "", "b" } },
        { ",", ",", { "" } },
        { "", ",", {} },
        { "abc", ",", { "abc" } },
        { "a<>b<>c", "<>", { "a", "b", "c" } },
        { "a<b>c", "<>", { "a<b>c" } },
        { "\xE6\x97\xA5\xE3\x80\x81\xE6\x9C\xAC", "\xE3\x80\x81", { "\xE6\x97\xA5", "\xE6\x9C\xAC" } },
        { "abc", "", { "abc" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " at " + c.delimiter);
        CStringArray list = ArrayOf({ "stale" });
        EXPECT_EQ(KTGF::SplitText(c.text, c.delimiter, FALSE, list), static_cast<int>(c.expected.size()));
        EXPECT_EQ(Items(list), c.expected);
    }
}

TEST(KTGFTextList, SplitTextTokenizedCutsAtRunsOfCharacters)
{
    struct Case {
        const char* text;
        const char* delimiters;
        Strings expected;
    };
    const std::vector<Case> cases = {
        { "a,,b", ",", { "a", "b" } },
        { ",a,", ",", { "a" } },
        { "a, b;c", ", ;", { "a", "b", "c" } },
        { ",,,", ",", {} },
        { "", ",", {} },
        // A multi-byte delimiter character cuts only at itself, never inside another
        // character that shares a byte with it.
        { "x\xC3\x97y\xC3\xB7z", "\xC3\x97", { "x", "y\xC3\xB7z" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CStringArray list;
        EXPECT_EQ(KTGF::SplitText(c.text, c.delimiters, TRUE, list), static_cast<int>(c.expected.size()));
        EXPECT_EQ(Items(list), c.expected);
    }
}

TEST(KTGFTextList, SplitCmdLineKeepsQuotedGroupsTogether)
{
    struct Case {
        const char* text;
        Strings expected;
    };
    const std::vector<Case> cases = {
        { "run -x file", { "run", "-x", "file" } },
        { "open \"my file.fmf\" now", { "open", "my file.fmf", "now" } },
        { "a \"b c d\"", { "a", "b c d" } },
        // A quoted single word is a token of its own, not joined with the next piece.
        { "\"one\" two", { "one", "two" } },
        { "x \"y\" \"z w\"", { "x", "y", "z w" } },
        // An unclosed group runs to the end.
        { "a \"b c", { "a", "b c" } },
        { "   ", {} },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CStringArray list;
        EXPECT_EQ(KTGF::SplitCmdLine(c.text, list), static_cast<int>(c.expected.size()));
        EXPECT_EQ(Items(list), c.expected);
    }
}

} // namespace
