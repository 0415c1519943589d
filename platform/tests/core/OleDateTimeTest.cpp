#include "platform/core/OleDateTime.h"
#include "platform/core/Time.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

struct FieldCase
{
    int year, month, day, hour, minute, second;
    double dt;
};

// Day counts of the classic calendar, including times before the epoch where the fraction is
// the time of day counted away from zero.
const FieldCase kFieldCases[] = {
    {1899, 12, 30, 0, 0, 0, 0.0},       {1899, 12, 30, 12, 0, 0, 0.5},    {1899, 12, 31, 0, 0, 0, 1.0},
    {1899, 12, 29, 0, 0, 0, -1.0},      {1899, 12, 29, 6, 0, 0, -1.25},   {1899, 12, 28, 18, 0, 0, -2.75},
    {1900, 1, 1, 0, 0, 0, 2.0},         {1900, 3, 1, 0, 0, 0, 61.0}, // 1900 has no 29 February
    {2000, 1, 1, 0, 0, 0, 36526.0},     {1000, 1, 1, 0, 0, 0, -328716.0}, {100, 1, 1, 0, 0, 0, -657434.0},
    {9999, 12, 31, 0, 0, 0, 2958465.0},
};

TEST(OleDateTime, FieldsMapToClassicDayCounts)
{
    for (const FieldCase& c : kFieldCases) {
        SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << "-" << c.day << " " << c.hour);
        COleDateTime fromFields(c.year, c.month, c.day, c.hour, c.minute, c.second);
        ASSERT_EQ(fromFields.GetStatus(), COleDateTime::valid);
        EXPECT_DOUBLE_EQ(fromFields.m_dt, c.dt);

        COleDateTime fromCount(c.dt);
        ASSERT_EQ(fromCount.GetStatus(), COleDateTime::valid);
        EXPECT_EQ(fromCount.GetYear(), c.year);
        EXPECT_EQ(fromCount.GetMonth(), c.month);
        EXPECT_EQ(fromCount.GetDay(), c.day);
        EXPECT_EQ(fromCount.GetHour(), c.hour);
        EXPECT_EQ(fromCount.GetMinute(), c.minute);
        EXPECT_EQ(fromCount.GetSecond(), c.second);
    }
}

TEST(OleDateTime, NoDateValueOfYear1000SurvivesRoundTrips)
{
    COleDateTime noDate(1000, 1, 1, 0, 0, 0);
    ASSERT_EQ(noDate.GetStatus(), COleDateTime::valid);
    EXPECT_EQ(noDate.Format("%Y-%m-%d %H:%M:%S"), "1000-01-01 00:00:00");
    COleDateTime again(noDate.m_dt);
    EXPECT_EQ(again.GetYear(), 1000);
    EXPECT_EQ(again, noDate);
    // 1 January 1000 was a Wednesday in the proleptic Gregorian calendar.
    EXPECT_EQ(noDate.GetDayOfWeek(), 4);
}

TEST(OleDateTime, InvalidFieldsAndOutOfRangeCountsGiveInvalidStatus)
{
    const int bad[][6] = {
        {2023, 2, 29, 0, 0, 0}, {1900, 2, 29, 0, 0, 0}, {2024, 13, 1, 0, 0, 0}, {2024, 4, 31, 0, 0, 0},
        {2024, 1, 0, 0, 0, 0},  {2024, 1, 1, 24, 0, 0}, {2024, 1, 1, 0, 60, 0}, {2024, 1, 1, 0, 0, 60},
        {99, 12, 31, 0, 0, 0},  {10000, 1, 1, 0, 0, 0},
    };
    for (const auto& f : bad) {
        COleDateTime dt;
        EXPECT_EQ(dt.SetDateTime(f[0], f[1], f[2], f[3], f[4], f[5]), 1)
            << f[0] << "-" << f[1] << "-" << f[2];
        EXPECT_EQ(dt.GetStatus(), COleDateTime::invalid);
        EXPECT_EQ(dt.GetYear(), -1);
        EXPECT_EQ(dt.Format("%Y"), "Invalid DateTime");
    }
    EXPECT_EQ(COleDateTime(2024, 2, 29, 23, 59, 59).GetStatus(), COleDateTime::valid);
    EXPECT_EQ(COleDateTime(-657435.5).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(COleDateTime(2958466.0).GetStatus(), COleDateTime::invalid);

    COleDateTime nullDate;
    nullDate.SetStatus(COleDateTime::null);
    EXPECT_EQ(nullDate.Format("%Y"), "");
    EXPECT_EQ(nullDate.GetDay(), -1);
}

TEST(OleDateTime, AddingSpansCrossesTheEpochAndMonthEnds)
{
    // Six hours after 29 Dec 1899 18:00 is the epoch; the stored fraction flips direction.
    COleDateTime evening(1899, 12, 29, 18, 0, 0);
    EXPECT_DOUBLE_EQ(evening.m_dt, -1.75);
    COleDateTime epoch = evening + COleDateTimeSpan(0, 6, 0, 0);
    EXPECT_DOUBLE_EQ(epoch.m_dt, 0.0);
    COleDateTime earlier = COleDateTime(0.25) - COleDateTimeSpan(0, 12, 0, 0);
    EXPECT_EQ(earlier.Format("%Y-%m-%d %H:%M:%S"), "1899-12-29 18:00:00");
    EXPECT_DOUBLE_EQ(earlier.m_dt, -1.75);
    COleDateTime morning = COleDateTime(-1.25) + COleDateTimeSpan(0, 6, 0, 0);
    EXPECT_EQ(morning.Format("%Y-%m-%d %H:%M"), "1899-12-29 12:00");
    EXPECT_DOUBLE_EQ(morning.m_dt, -1.5);

    struct
    {
        COleDateTime start;
        COleDateTimeSpan span;
        const char* expected;
    } cases[] = {
        {COleDateTime(2024, 2, 28, 23, 0, 0), COleDateTimeSpan(0, 2, 0, 0), "2024-02-29 01:00:00"},
        {COleDateTime(2023, 2, 28, 23, 0, 0), COleDateTimeSpan(0, 2, 0, 0), "2023-03-01 01:00:00"},
        {COleDateTime(2023, 12, 31, 23, 59, 59), COleDateTimeSpan(0, 0, 0, 1), "2024-01-01 00:00:00"},
        {COleDateTime(2024, 3, 1, 0, 0, 0), COleDateTimeSpan(-1, 0, 0, 0), "2024-02-29 00:00:00"},
        {COleDateTime(1000, 1, 1, 0, 0, 0), COleDateTimeSpan(-1, 0, 0, 0), "999-12-31 00:00:00"},
        {COleDateTime(1000, 1, 1, 12, 0, 0), COleDateTimeSpan(0, 13, 0, 0), "1000-01-02 01:00:00"},
        {COleDateTime(1899, 12, 31, 3, 0, 0), COleDateTimeSpan(-2, 0, 0, 0), "1899-12-29 03:00:00"},
    };
    for (const auto& c : cases) {
        COleDateTime result = c.start + c.span;
        EXPECT_EQ(result.Format("%Y-%m-%d %H:%M:%S"), c.expected);
        COleDateTime back = result - c.span;
        EXPECT_EQ(back.Format("%Y-%m-%d %H:%M:%S"), c.start.Format("%Y-%m-%d %H:%M:%S"));
        EXPECT_NEAR((result - c.start).GetTotalSeconds(), c.span.GetTotalSeconds(), 0.0);
    }
}

TEST(OleDateTime, DifferenceAndComparisonUseTheInstantNotTheStoredCount)
{
    COleDateTime a(1899, 12, 29, 6, 0, 0);  // -1.25
    COleDateTime b(1899, 12, 29, 18, 0, 0); // -1.75: numerically smaller, but later
    EXPECT_TRUE(a < b);
    EXPECT_TRUE(b > a);
    EXPECT_DOUBLE_EQ((b - a).m_span, 0.5);
    EXPECT_EQ((b - a).GetHours(), 12);
    EXPECT_EQ(COleDateTime(-0.5), COleDateTime(0.5));
    EXPECT_EQ((COleDateTime(2024, 1, 1, 0, 0, 0) - COleDateTime(1000, 1, 1, 0, 0, 0)).GetDays(), 374008);

    COleDateTime bad;
    bad.SetStatus(COleDateTime::invalid);
    EXPECT_EQ((bad + COleDateTimeSpan(1.0)).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ((a - bad).GetStatus(), COleDateTimeSpan::invalid);
}

TEST(OleDateTime, DayOfWeekAndDayOfYear)
{
    EXPECT_EQ(COleDateTime(1899, 12, 30, 0, 0, 0).GetDayOfWeek(), 7); // Saturday
    EXPECT_EQ(COleDateTime(1899, 12, 29, 23, 0, 0).GetDayOfWeek(), 6);
    EXPECT_EQ(COleDateTime(2024, 12, 31, 0, 0, 0).GetDayOfYear(), 366);
    EXPECT_EQ(COleDateTime(2023, 12, 31, 0, 0, 0).GetDayOfYear(), 365);
    EXPECT_EQ(COleDateTime(2024, 3, 1, 0, 0, 0).GetDayOfYear(), 61);
}

TEST(OleDateTime, FieldsRoundToTheNearestSecond)
{
    COleDateTime t(2024, 5, 6, 7, 8, 9);
    const double almost = t.m_dt - 0.4 / 86400.0;
    EXPECT_EQ(COleDateTime(almost).GetSecond(), 9);
    const double past = t.m_dt + 0.4 / 86400.0;
    EXPECT_EQ(COleDateTime(past).GetSecond(), 9);
    // 9999-12-31 23:59:59.7 stays in year 9999.
    COleDateTime last(2958465.0 + 86399.7 / 86400.0);
    EXPECT_EQ(last.GetYear(), 9999);
    EXPECT_EQ(last.GetSecond(), 59);
}

TEST(OleDateTime, FormatWithStrftimeCodesAndClassicDefault)
{
    COleDateTime t(2026, 3, 7, 14, 5, 9);
    EXPECT_EQ(t.Format("%Y%m%d%H%M%S"), "20260307140509");
    EXPECT_EQ(t.Format("%Y-%m-%d"), "2026-03-07");
    EXPECT_EQ(t.Format("%a %b %d %j"), "Sat Mar 07 066");
    EXPECT_EQ(t.Format(""), "");
    EXPECT_EQ(COleDateTime(1899, 12, 29, 6, 0, 0).Format("%Y-%m-%d %H:%M %A"), "1899-12-29 06:00 Friday");

    EXPECT_EQ(t.Format(), "3/7/2026 2:05:09 PM");
    EXPECT_EQ(COleDateTime(2026, 3, 7, 0, 0, 0).Format(), "3/7/2026");
    EXPECT_EQ(COleDateTime(1899, 12, 30, 0, 30, 0).Format(), "12:30:00 AM");
    EXPECT_EQ(COleDateTime(0.0).Format(), "12:00:00 AM");
    EXPECT_EQ(t.Format(VAR_DATEVALUEONLY), "3/7/2026");
    EXPECT_EQ(t.Format(VAR_TIMEVALUEONLY), "2:05:09 PM");
}

TEST(OleDateTime, ParseDateTimeAcceptsCommonFormsAndRejectsNonsense)
{
    struct
    {
        const char* text;
        const char* expected; // nullptr: must fail
    } cases[] = {
        {"2024-02-29", "2024-02-29 00:00:00"},
        {"2024-02-29 13:45:10", "2024-02-29 13:45:10"},
        {"2024-02-29T13:45", "2024-02-29 13:45:00"},
        {"  2024/2/9 1:02:03 PM ", "2024-02-09 13:02:03"},
        {"12/31/1999 12:00 AM", "1999-12-31 00:00:00"},
        {"1000-01-01 00:00:00", "1000-01-01 00:00:00"},
        {"13:45", "1899-12-30 13:45:00"},
        {"2023-02-29", nullptr},
        {"2024-02-29 25:00", nullptr},
        {"2024-02-29 13:00 PM", nullptr},
        {"2024-02", nullptr},
        {"hello", nullptr},
        {"", nullptr},
        {"2024-01-01 10:00 junk", nullptr},
    };
    for (const auto& c : cases) {
        COleDateTime dt;
        const bool ok = dt.ParseDateTime(c.text);
        if (c.expected) {
            EXPECT_TRUE(ok) << c.text;
            EXPECT_EQ(dt.Format("%Y-%m-%d %H:%M:%S"), c.expected) << c.text;
        } else {
            EXPECT_FALSE(ok) << c.text;
            EXPECT_EQ(dt.GetStatus(), COleDateTime::invalid) << c.text;
        }
    }
    COleDateTime dateOnly;
    ASSERT_TRUE(dateOnly.ParseDateTime("2024-05-06 07:08:09", VAR_DATEVALUEONLY));
    EXPECT_EQ(dateOnly.Format("%Y-%m-%d %H:%M:%S"), "2024-05-06 00:00:00");
}

TEST(OleDateTime, SpanComponentsAndTotals)
{
    COleDateTimeSpan span(2, 3, 4, 5);
    EXPECT_EQ(span.GetDays(), 2);
    EXPECT_EQ(span.GetHours(), 3);
    EXPECT_EQ(span.GetMinutes(), 4);
    EXPECT_EQ(span.GetSeconds(), 5);
    EXPECT_EQ(span.GetTotalSeconds(), 2 * 86400 + 3 * 3600 + 4 * 60 + 5);
    EXPECT_EQ(span.GetTotalMinutes(), 2 * 1440 + 3 * 60 + 4);
    EXPECT_EQ(span.GetTotalHours(), 51);
    EXPECT_EQ(span.Format("%D days %H:%M:%S"), "2 days 03:04:05");

    COleDateTimeSpan negative = -span;
    EXPECT_EQ(negative.GetDays(), -2);
    EXPECT_EQ(negative.GetHours(), -3);
    EXPECT_EQ(negative.GetTotalSeconds(), -(2 * 86400 + 3 * 3600 + 4 * 60 + 5));

    // A difference of one minute computed from day counts is a whole minute, not 59.999 s.
    COleDateTime a(2024, 1, 1, 10, 0, 0), b(2024, 1, 1, 10, 1, 0);
    EXPECT_EQ(static_cast<int>((b - a).GetTotalSeconds()), 60);
    EXPECT_EQ(static_cast<int>((b - a).GetTotalMinutes()), 1);
}

TEST(OleDateTime, LocalTimeConversionsAgreeWithTheCLibrary)
{
    setenv("TZ", "UTC", 1);
    tzset();
    COleDateTime fromTimeT(static_cast<time_t>(1700000000)); // 2023-11-14 22:13:20 UTC
    EXPECT_EQ(fromTimeT.Format("%Y-%m-%d %H:%M:%S"), "2023-11-14 22:13:20");
    COleDateTime fromCTime(CTime(static_cast<time_t>(0)));
    EXPECT_EQ(fromCTime.Format("%Y-%m-%d %H:%M:%S"), "1970-01-01 00:00:00");
    EXPECT_DOUBLE_EQ(fromCTime.m_dt, 25569.0);

    const time_t before = time(nullptr);
    COleDateTime now = COleDateTime::GetCurrentTime();
    const time_t after = time(nullptr);
    EXPECT_GE(now, COleDateTime(before));
    EXPECT_LE(now, COleDateTime(after));
}

} // namespace
