// The SQL side of the database layer: date literals, row ids for writable queries, LIKE and
// the password hash.
#include "ktutilex/ado/CaseInsensitiveLike.h"
#include "ktutilex/ado/Sha256.h"
#include "ktutilex/ado/SqlText.h"

#include "platform/core/OleDateTime.h"

#include <gtest/gtest.h>

namespace {

TEST(DateLiterals, BecomeDayCountsOutsideQuotesOnly)
{
    const CString day = ktado::DayCountLiteral(COleDateTime(2006, 3, 7, 0, 0, 0).m_dt);
    const CString noDate = ktado::DayCountLiteral(COleDateTime(1000, 1, 1, 0, 0, 0).m_dt);
    struct Case
    {
        const char* sql;
        CString expected;
    };
    const Case cases[] = {
        { "P_REG_DATE>=#2006-03-07#", "P_REG_DATE>=" + day },
        { "P_REG_DATE>=#2006/03/07# AND 1", "P_REG_DATE>=" + day + " AND 1" },
        { "P_REG_DATE=#3/7/2006#", "P_REG_DATE=" + day },
        { "X=#1000-01-01#", "X=" + noDate },
        { "C='#2006-03-07#'", "C='#2006-03-07#'" },
        { "C='it''s #2006-03-07#' OR D=#2006-03-07#", "C='it''s #2006-03-07#' OR D=" + day },
        { "[odd#name]=1 -- #2006-03-07#", "[odd#name]=1 -- #2006-03-07#" },
        { "X=#not a date#", "X=#not a date#" },
        { "X=#", "X=#" },
    };
    for (const Case& c : cases)
        EXPECT_STREQ(ktado::TranslateDateLiterals(c.sql), c.expected) << c.sql;
    EXPECT_DOUBLE_EQ(std::stod(ktado::TranslateDateLiterals("#2006-03-07 12:00:00#").str()),
                     COleDateTime(2006, 3, 7, 12, 0, 0).m_dt);
}

TEST(RowIds, AddedToPlainSelectsOfOneTableOnly)
{
    struct Case
    {
        const char* sql;
        const char* expected;
    };
    const Case cases[] = {
        { "SELECT * FROM T WHERE A='x'", "SELECT *, \"T\".rowid FROM T WHERE A='x'" },
        { "select a, (SELECT max(b) FROM U) FROM T ORDER BY 1", "select a, (SELECT max(b) FROM U), \"T\".rowid FROM T ORDER BY 1" },
        { "SELECT 'FROM' AS f FROM T", "SELECT 'FROM' AS f, \"T\".rowid FROM T" },
        { "SELECT DISTINCT a FROM T", "" },
        { "SELECT a FROM T GROUP BY a", "" },
        { "SELECT a FROM T UNION SELECT a FROM U", "" },
        { "PRAGMA table_info(T)", "" },
    };
    for (const Case& c : cases)
        EXPECT_STREQ(ktado::AddRowIdColumn(c.sql, "T"), c.expected) << c.sql;
}

TEST(Like, MatchesWildcardsWithoutCaseForEveryLetter)
{
    struct Case
    {
        const char* pattern;
        const char* text;
        bool matches;
    };
    const Case cases[] = {
        { "%abc%", "xxABCxx", true },
        { "abc", "ABC", true },
        { "abc", "abcd", false },
        { "a_c", "aXc", true },
        { "a_c", "ac", false },
        { "%", "", true },
        { "_", "", false },
        { "%müller%", "Frau MÜLLER", true },
        { "ä_", "Äö", true },
        { "%ΣΟΦ%", "σοφία", true },
        { "%a%b%", "xxaxxbxx", true },
        { "%a%b", "xxaxxbxxc", false },
        { "a%%b", "ab", true },
    };
    for (const Case& c : cases)
        EXPECT_EQ(ktado::LikeMatches(c.pattern, c.text, 0), c.matches) << c.pattern << " / " << c.text;
    EXPECT_TRUE(ktado::LikeMatches("100!%", "100%", '!'));
    EXPECT_FALSE(ktado::LikeMatches("100!%", "1000", '!'));
}

TEST(PasswordHash, Sha256OfKnownTexts)
{
    EXPECT_EQ(ktado::Sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(ktado::Sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(ktado::Sha256Hex(std::string(1000, 'a')),
              "41edece42d63e8d9bf515a9ba6932e1c20cbc9f5a5d134645adb5db1b9737ea3");
}

} // namespace
