// Date members of KTGF around month ends, year ends and 29 February.
#include "ktutil/KTGF.h"
#include "ktutil/KTGFDateMath.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

COleDateTime Date(int y, int m, int d, int hh = 0, int mm = 0, int ss = 0)
{
    return COleDateTime(y, m, d, hh, mm, ss);
}

std::string Text(const COleDateTime& date)
{
    if (date.GetStatus() != COleDateTime::valid)
        return "invalid";
    return date.Format("%Y-%m-%d %H:%M:%S").GetString();
}

TEST(KTGFDate, CalcDateMonthLandsOnARealDay)
{
    struct Case {
        COleDateTime date;
        int months;
        const char* expected;
    };
    const std::vector<Case> cases = {
        { Date(2024, 1, 31, 8, 30, 15), 1, "2024-02-29 08:30:15" },
        { Date(2023, 1, 31), 1, "2023-02-28 00:00:00" },
        { Date(2024, 3, 31), -1, "2024-02-29 00:00:00" },
        { Date(2023, 3, 31), -1, "2023-02-28 00:00:00" },
        { Date(2024, 1, 15), 1, "2024-02-15 00:00:00" },
        { Date(2024, 12, 15, 23, 59, 59), 1, "2025-01-15 23:59:59" },
        { Date(2024, 1, 15), -1, "2023-12-15 00:00:00" },
        { Date(2024, 5, 31), 1, "2024-06-30 00:00:00" },
        { Date(2024, 12, 31), 12, "2025-12-31 00:00:00" },
        { Date(2024, 1, 1), -12, "2023-01-01 00:00:00" },
        // Counts beyond a year carry as many years as they span.
        { Date(2024, 2, 29), 25, "2026-03-29 00:00:00" },
        { Date(2024, 2, 29), 24, "2026-02-28 00:00:00" },
        { Date(2024, 1, 31), -13, "2022-12-31 00:00:00" },
        { Date(2024, 3, 31), -25, "2022-02-28 00:00:00" },
        { Date(2024, 6, 10), 0, "2024-06-10 00:00:00" },
        { Date(9999, 12, 1), 1, "invalid" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Text(KTGF::CalcDate_Month(c.date, c.months)), c.expected)
            << Text(c.date) << " + " << c.months << " months";
}

TEST(KTGFDate, CalcDateYearAndDay)
{
    EXPECT_EQ(Text(KTGF::CalcDate_Year(Date(2004, 2, 29, 1, 2, 3), 1)), "2005-02-28 01:02:03");
    EXPECT_EQ(Text(KTGF::CalcDate_Year(Date(2004, 2, 29), 4)), "2008-02-29 00:00:00");
    EXPECT_EQ(Text(KTGF::CalcDate_Year(Date(2004, 2, 29), -100)), "1904-02-29 00:00:00");
    EXPECT_EQ(Text(KTGF::CalcDate_Year(Date(2000, 2, 29), 100)), "2100-02-28 00:00:00");
    EXPECT_EQ(Text(KTGF::CalcDate_Day(Date(2024, 12, 31, 22, 0, 0), 1)), "2025-01-01 22:00:00");
    EXPECT_EQ(Text(KTGF::CalcDate_Day(Date(2024, 3, 1, 6, 0, 0), -1)), "2024-02-29 06:00:00");
    EXPECT_EQ(Text(KTGF::CalcDate_Day(Date(2023, 3, 1), -1)), "2023-02-28 00:00:00");
    EXPECT_EQ(Text(KTGF::CalcDate_Day(Date(2024, 1, 1), 366)), "2025-01-01 00:00:00");

    COleDateTime invalid;
    invalid.SetStatus(COleDateTime::invalid);
    EXPECT_EQ(Text(KTGF::CalcDate_Month(invalid, 1)), "invalid");
    EXPECT_EQ(Text(KTGF::CalcDate_Year(invalid, 1)), "invalid");
    EXPECT_EQ(Text(KTGF::CalcDate_Day(invalid, 1)), "invalid");
}

TEST(KTGFDate, CalcAgeCountsAndCompletesYears)
{
    struct Case {
        COleDateTime birth;
        COleDateTime now;
        int counting;
        int completed;
    };
    const std::vector<Case> cases = {
        { Date(2000, 6, 15), Date(2024, 6, 14, 23, 59, 59), 25, 23 }, // the day before the birthday
        { Date(2000, 6, 15), Date(2024, 6, 15), 25, 24 },             // the birthday
        { Date(2000, 12, 31), Date(2024, 1, 1), 25, 23 },
        { Date(2000, 1, 1), Date(2024, 12, 31), 25, 24 },
        { Date(2024, 3, 1), Date(2024, 12, 31), 1, 0 },               // born this year
        { Date(2004, 2, 29), Date(2023, 2, 28), 20, 18 },             // leapling in a common year
        { Date(2004, 2, 29), Date(2023, 3, 1), 20, 19 },
        { Date(2004, 2, 29), Date(2024, 2, 29), 21, 20 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Text(c.birth) + " at " + Text(c.now));
        EXPECT_EQ(ktutil::CalcAgeAt(c.birth, FALSE, c.now), c.counting);
        EXPECT_EQ(ktutil::CalcAgeAt(c.birth, TRUE, c.now), c.completed);
    }
    COleDateTime none;
    none.SetStatus(COleDateTime::null);
    EXPECT_EQ(KTGF::CalcAge(none, TRUE), 0);
    EXPECT_EQ(KTGF::CalcAge(none, FALSE), 0);
    EXPECT_EQ(KTGF::CalcAge(COleDateTime::GetCurrentTime(), FALSE), 1);
    EXPECT_EQ(KTGF::CalcAge(COleDateTime::GetCurrentTime(), TRUE), 0);
}

// The range from CalcBirth is exactly the set of birth dates that CalcAge turns into the age.
TEST(KTGFDate, CalcBirthGivesTheBirthDatesOfAnAge)
{
    const std::vector<COleDateTime> nows = {
        Date(2024, 6, 15, 12), Date(2024, 12, 31, 12), Date(2025, 1, 1, 12),
        Date(2024, 2, 29, 12), Date(2024, 3, 1, 12),   Date(2023, 2, 28, 12),
    };
    for (const COleDateTime& now : nows) {
        for (int age : { 0, 1, 20, 37 }) {
            for (BOOL completed : { FALSE, TRUE }) {
                SCOPED_TRACE(Text(now) + " age " + std::to_string(age) + (completed ? " completed" : ""));
                COleDateTime from, to;
                ktutil::CalcBirthAt(age, from, to, completed, now);
                ASSERT_EQ(from.GetStatus(), COleDateTime::valid);
                ASSERT_EQ(to.GetStatus(), COleDateTime::valid);
                EXPECT_EQ(from.Format("%H:%M:%S"), "01:01:01");
                EXPECT_EQ(to.Format("%H:%M:%S"), "01:01:01");
                EXPECT_EQ(ktutil::CalcAgeAt(from, completed, now), age);
                EXPECT_EQ(ktutil::CalcAgeAt(to, completed, now), age);
                EXPECT_NE(ktutil::CalcAgeAt(KTGF::CalcDate_Day(from, -1), completed, now), age);
                EXPECT_NE(ktutil::CalcAgeAt(KTGF::CalcDate_Day(to, 1), completed, now), age);
            }
        }
    }
    COleDateTime from, to;
    ktutil::CalcBirthAt(30, from, to, TRUE, Date(2028, 2, 29, 9));
    EXPECT_EQ(Text(from), "1997-03-01 01:01:01");
    EXPECT_EQ(Text(to), "1998-02-28 01:01:01");
    ktutil::CalcBirthAt(30, from, to, FALSE, Date(2028, 2, 29, 9));
    EXPECT_EQ(Text(from), "1999-01-01 01:01:01");
    EXPECT_EQ(Text(to), "1999-12-31 01:01:01");
}

TEST(KTGFDate, CompactTextsToAndFromDates)
{
    struct Case {
        const char* text;
        BOOL withTime;
        const char* expected;
    };
    const std::vector<Case> cases = {
        { "20240229", FALSE, "2024-02-29 00:00:00" },
        { "20240229235958", TRUE, "2024-02-29 23:59:58" },
        { "20240229235958", FALSE, "2024-02-29 00:00:00" },
        { "2024022", FALSE, "1899-12-30 00:00:00" },         // too short: the zero date
        { "2024022923595", TRUE, "1899-12-30 00:00:00" },
        { "", FALSE, "1899-12-30 00:00:00" },
        { "20241301", FALSE, "invalid" },                     // month 13
        { "20230229", FALSE, "invalid" },
        { "2024xx01", FALSE, "invalid" },                     // no digits: month 0
        { "20240101246000", TRUE, "invalid" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Text(KTGF::DateFromString(c.text, c.withTime)), c.expected) << c.text;

    const COleDateTime date = Date(2026, 12, 9, 8, 31, 4);
    EXPECT_EQ(KTGF::StringFromDate(date, "", TRUE), "20261209083104");
    EXPECT_EQ(KTGF::StringFromDate(date, nullptr, FALSE), "20261209");
    EXPECT_EQ(KTGF::StringFromDate(date, "%Y-%m-%d %H%M%S", FALSE), "2026-12-09 083104");
    EXPECT_EQ(Text(KTGF::DateFromString(KTGF::StringFromDate(date, "", TRUE), TRUE)), Text(date));
}

} // namespace
