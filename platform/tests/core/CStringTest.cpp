#include "platform/core/CString.h"

#include <gtest/gtest.h>

TEST(CString, ExtractionClampsOutOfRangeArguments)
{
    CString s("abcdef");
    EXPECT_EQ(s.Left(3), "abc");
    EXPECT_EQ(s.Left(10), "abcdef");
    EXPECT_EQ(s.Left(-1), "");
    EXPECT_EQ(s.Right(2), "ef");
    EXPECT_EQ(s.Right(10), "abcdef");
    EXPECT_EQ(s.Mid(2), "cdef");
    EXPECT_EQ(s.Mid(2, 2), "cd");
    EXPECT_EQ(s.Mid(5, 10), "f");
    EXPECT_EQ(s.Mid(9, 1), "");
}

TEST(CString, LengthsAndPositionsAreBytesOnMultiByteText)
{
    CString s("°C ▼ 37.3");
    EXPECT_EQ(s.GetLength(), 2 + 2 + 3 + 5);
    EXPECT_EQ(s.Find("37"), 8);
    EXPECT_EQ(s.Find('C'), 2);
    CString upper = s;
    upper.MakeUpper();
    EXPECT_EQ(upper, "°C ▼ 37.3"); // multi-byte characters pass through case mapping
    CString mixed("ÄbÇ");
    mixed.MakeLower();
    EXPECT_EQ(mixed, "ÄbÇ");
    CString rev("a▼b");
    rev.MakeReverse();
    EXPECT_EQ(rev, "b▼a");
}

TEST(CString, TrimReplaceRemoveInsertDelete)
{
    CString s("  \t hello world \r\n");
    s.Trim();
    EXPECT_EQ(s, "hello world");
    EXPECT_EQ(s.Replace("o", "0"), 2);
    EXPECT_EQ(s, "hell0 w0rld");
    EXPECT_EQ(s.Replace("", "x"), 0);
    EXPECT_EQ(s.Remove('l'), 3);
    EXPECT_EQ(s, "he0 w0rd");
    s.Insert(0, "<");
    s.Insert(100, '>');
    EXPECT_EQ(s, "<he0 w0rd>");
    s.Delete(1, 3);
    EXPECT_EQ(s, "< w0rd>");
    CString t("xxabcxx");
    t.Trim('x');
    EXPECT_EQ(t, "abc");
}

TEST(CString, FormatGrowsBeyondAnyFixedBuffer)
{
    CString s;
    s.Format("%s-%05d-%.1f", std::string(5000, 'a').c_str(), 42, 37.25);
    EXPECT_EQ(s.GetLength(), 5000 + 1 + 5 + 1 + 4);
    EXPECT_EQ(s.Right(11), "-00042-37.2");
    s.AppendFormat("%c", '!');
    EXPECT_EQ(s.Right(1), "!");
}

TEST(CString, CompareNoCaseAndOrdering)
{
    EXPECT_EQ(CString("Smith").CompareNoCase("SMITH"), 0);
    EXPECT_LT(CString("abc").CompareNoCase("ABD"), 0);
    EXPECT_GT(CString("b").Compare("a"), 0);
    EXPECT_TRUE(CString("a") < CString("b"));
}

TEST(CString, GetBufferAndReleaseBuffer)
{
    CString s;
    char* p = s.GetBuffer(16);
    std::snprintf(p, 17, "%s", "monitor");
    s.ReleaseBuffer();
    EXPECT_EQ(s, "monitor");
    EXPECT_EQ(s.GetLength(), 7);
    p = s.GetBuffer(0);
    p[3] = '\0';
    s.ReleaseBuffer(2);
    EXPECT_EQ(s, "mo");
}

TEST(CString, TokenizeSkipsEmptyPieces)
{
    CString s(",a,,b c,");
    int pos = 0;
    std::vector<std::string> tokens;
    for (CString t = s.Tokenize(", ", pos); pos != -1; t = s.Tokenize(", ", pos))
        tokens.push_back(t.str());
    EXPECT_EQ(tokens, (std::vector<std::string> { "a", "b", "c" }));
}
