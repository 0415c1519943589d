// KTKoreanDate: the lunar tables against the known figures, the conversions over the whole
// range, the weeks, and the holiday list.
#include "ktutil/KTHoliday.h"
#include "ktutil/KTKoreanDate.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

constexpr int S = KTKoreanDate::SOLAR;
constexpr int L = KTKoreanDate::LUNAR;

struct Known
{
    int solarYear, solarMonth, solarDay;
    int lunarYear, lunarMonth, lunarDay;
    BOOL leap;
};

// Year, month, day and leap flag in one comparable value.
std::tuple<int, int, int, bool> Fields(int year, int month, int day, BOOL leap)
{
    return { year, month, day, leap != FALSE };
}

std::tuple<int, int, int, bool> Fields(const KTKoreanDate& date)
{
    return Fields(date.GetYear(), date.GetMonth(), date.GetDay(), date.IsLeapMonth());
}

} // namespace

// ---- the tables --------------------------------------------------------------------------------------

TEST(KTKoreanDate, TablesHoldTheFiguresOfTheFirstYears)
{
    const BYTE first[12] = { 1, 2, 4, 1, 1, 2, 1, 2, 1, 2, 2, 1 };
    for (int m = 0; m < 12; ++m)
        EXPECT_EQ(KTKoreanDate::s_abyLunarTable[0][m], first[m]) << "month " << m + 1;
    EXPECT_EQ(KTKoreanDate::s_anDaysOfYear[0], 383);
    EXPECT_EQ(KTKoreanDate::s_anDaysOfYear[1], 354);
    EXPECT_EQ(KTKoreanDate::s_alDaysAccm[0], 383);
    EXPECT_EQ(KTKoreanDate::s_alDaysAccm[1], 737);
    EXPECT_EQ(KTKoreanDate::GetTotalDays(1841, 1, 23, S, FALSE), KTKoreanDate::EPOCH + 1);
}

TEST(KTKoreanDate, LeapMonthsFallWhereTheKoreanCalendarHasThem)
{
    const std::pair<int, int> leaps[] = { { 1841, 3 }, { 2001, 4 }, { 2004, 2 }, { 2006, 7 }, { 2009, 5 },
                                          { 2012, 3 }, { 2014, 9 }, { 2017, 5 }, { 2020, 4 }, { 2023, 2 },
                                          { 2025, 6 }, { 2033, 11 } };
    for (auto [year, month] : leaps)
        EXPECT_GT(KTKoreanDate::s_abyLunarTable[year - 1841][month - 1], 2) << year;
    EXPECT_EQ(KTKoreanDate::s_anDaysOfYear[2024 - 1841], 354);
}

TEST(KTKoreanDate, TablesAgreeWithThemselves)
{
    static const int lengths[7] = { 0, 29, 30, 58, 59, 59, 60 };
    long accumulated = 0;
    for (int y = 0; y < KTKoreanDate::LUNAR_YEARS; ++y) {
        int days = 0, leapMonths = 0;
        for (int m = 0; m < 12; ++m) {
            int code = KTKoreanDate::s_abyLunarTable[y][m];
            ASSERT_GE(code, 1);
            ASSERT_LE(code, 6);
            days += lengths[code];
            leapMonths += code > 2;
        }
        EXPECT_LE(leapMonths, 1) << 1841 + y;
        EXPECT_EQ(days, KTKoreanDate::s_anDaysOfYear[y]) << 1841 + y;
        EXPECT_TRUE(days >= 353 && days <= 385) << 1841 + y;
        accumulated += days;
        EXPECT_EQ(accumulated, KTKoreanDate::s_alDaysAccm[y]) << 1841 + y;
    }
}

// Lunar new years and harvest festivals as the Korean calendar has them; 1997 and 2027 are
// years whose new year falls a day later in Korea than at UTC+8.
TEST(KTKoreanDate, ConvertsKnownDatesBothWays)
{
    const Known known[] = {
        { 1841, 1, 23, 1841, 1, 1, FALSE },
        { 1997, 2, 8, 1997, 1, 1, FALSE },
        { 2000, 2, 5, 2000, 1, 1, FALSE },
        { 2020, 1, 25, 2020, 1, 1, FALSE },
        { 2023, 1, 22, 2023, 1, 1, FALSE },
        { 2023, 3, 22, 2023, 2, 1, TRUE },
        { 2023, 9, 29, 2023, 8, 15, FALSE },
        { 2024, 2, 10, 2024, 1, 1, FALSE },
        { 2024, 9, 17, 2024, 8, 15, FALSE },
        { 2025, 1, 29, 2025, 1, 1, FALSE },
        { 2025, 10, 6, 2025, 8, 15, FALSE },
        { 2027, 2, 7, 2027, 1, 1, FALSE },
    };
    for (const Known& k : known) {
        KTKoreanDate date(k.solarYear, k.solarMonth, k.solarDay, S);
        ASSERT_EQ(date.SolarToLunar(), 1) << k.solarYear;
        EXPECT_EQ(date.GetCalendar(), L);
        EXPECT_EQ(Fields(date), Fields(k.lunarYear, k.lunarMonth, k.lunarDay, k.leap)) << k.solarYear << "-" << k.solarMonth;

        KTKoreanDate back(k.lunarYear, k.lunarMonth, k.lunarDay, L, k.leap);
        ASSERT_EQ(back.LunarToSolar(), 1);
        EXPECT_EQ(Fields(back), Fields(k.solarYear, k.solarMonth, k.solarDay, back.IsLeapMonth())) << k.solarYear;
    }
}

TEST(KTKoreanDate, EverySolarDayOfTheRangeRoundTrips)
{
    KTKoreanDate day(1841, 1, 23, S);
    long total = KTKoreanDate::s_alDaysAccm[KTKoreanDate::LUNAR_YEARS - 1];
    int previousDay = 0;
    for (long n = 1; n <= total; ++n) {
        KTKoreanDate lunar = day;
        ASSERT_EQ(lunar.SolarToLunar(), 1) << n;
        ASSERT_TRUE(lunar.GetDay() == previousDay + 1 || lunar.GetDay() == 1) << n; // days run on
        previousDay = lunar.GetDay();
        KTKoreanDate solar = lunar;
        ASSERT_EQ(solar.LunarToSolar(), 1) << n;
        ASSERT_EQ(solar.GetYear(), day.GetYear()) << n;
        ASSERT_EQ(solar.GetMonth(), day.GetMonth()) << n;
        ASSERT_EQ(solar.GetDay(), day.GetDay()) << n;
        ASSERT_EQ(lunar.GetDayOfWeek(), day.GetDayOfWeek()) << n;

        // The next solar day.
        int y = day.GetYear(), m = day.GetMonth(), d = day.GetDay() + 1;
        if (d > KTKoreanDate::GetDaysOfMonth(y, m, S, FALSE))
            d = 1, m += 1;
        if (m > 12)
            m = 1, y += 1;
        day.SetDate(y, m, d, S);
    }
    // The day after the last lunar day of 2043 has no lunar date here.
    KTKoreanDate after = day;
    EXPECT_EQ(after.SolarToLunar(), 0);
    KTKoreanDate last(2043, 12, KTKoreanDate::GetDaysOfMonth(2043, 12, L, FALSE), L);
    ASSERT_EQ(last.LunarToSolar(), 1);
    EXPECT_EQ(last.GetTotalDays() + 1, after.GetTotalDays());
}

// ---- validity and the leap flag ---------------------------------------------------------------------

TEST(KTKoreanDate, TheLeapFlagIsKeptOnlyForAMonthThatHasALeapMonth)
{
    KTKoreanDate leap(1841, 3, 30, L, TRUE); // the leap 3rd month of 1841 has 30 days
    EXPECT_TRUE(leap.IsValid());
    EXPECT_TRUE(leap.IsLeapMonth());
    EXPECT_EQ(leap.GetDaysOfMonth(), 30);

    KTKoreanDate plain(1841, 4, 1, L, TRUE);
    EXPECT_TRUE(plain.IsValid());
    EXPECT_FALSE(plain.IsLeapMonth());

    EXPECT_EQ(KTKoreanDate::GetDaysOfMonth(1841, 3, L, FALSE), 29);
    EXPECT_FALSE(KTKoreanDate::IsValid(1841, 3, 30, L, FALSE));
    EXPECT_EQ(KTKoreanDate::GetDaysOfMonth(1840, 1, L, FALSE), 0);
    EXPECT_EQ(KTKoreanDate::GetDaysOfMonth(2044, 1, L, FALSE), 0);

    KTKoreanDate february(2024, 2, 10, S);
    EXPECT_TRUE(february.IsLeapMonth()); // February of a leap year
}

TEST(KTKoreanDate, SolarMonthLengthsAndValidity)
{
    EXPECT_EQ(KTKoreanDate::GetDaysOfMonth(2000, 2, S, FALSE), 29);
    EXPECT_EQ(KTKoreanDate::GetDaysOfMonth(1900, 2, S, FALSE), 28);
    EXPECT_EQ(KTKoreanDate::GetDaysOfMonth(2024, 2, S, FALSE), 29);
    EXPECT_EQ(KTKoreanDate::GetDaysOfMonth(0, 1, S, FALSE), 0);
    EXPECT_FALSE(KTKoreanDate::IsValid(2023, 2, 29, S, FALSE));
    EXPECT_FALSE(KTKoreanDate::IsValid(2023, 13, 1, S, FALSE));
    EXPECT_FALSE(KTKoreanDate::IsValid(2023, 1, 0, S, FALSE));

    KTKoreanDate date;
    EXPECT_FALSE(date.IsValid());
    EXPECT_EQ(date.SetDate(2023, 2, 29, S), 0);
    EXPECT_FALSE(date.IsValid());
    EXPECT_EQ(date.GetTotalDays(), 0);
    EXPECT_EQ(date.GetDayOfWeek(), -1);
    EXPECT_EQ(date.SolarToLunar(), 0);
}

// ---- conversions at and beyond the edges --------------------------------------------------------------

TEST(KTKoreanDate, ConversionsOutsideTheTableAreRefused)
{
    KTKoreanDate before(1841, 1, 22, S); // the day before the first lunar day of 1841
    EXPECT_EQ(before.SolarToLunar(), 0);
    EXPECT_EQ(before.GetCalendar(), S);
    KTKoreanDate early(1800, 6, 1, S);
    EXPECT_EQ(early.SolarToLunar(), 0);
    KTKoreanDate late(2100, 6, 1, S);
    EXPECT_EQ(late.SolarToLunar(), 0);

    KTKoreanDate lunar(1841, 1, 1, L);
    EXPECT_EQ(lunar.SolarToLunar(), 1); // already lunar
    EXPECT_EQ(lunar.GetYear(), 1841);
    ASSERT_EQ(lunar.LunarToSolar(), 1);
    EXPECT_EQ(lunar.GetMonth(), 1);
    EXPECT_EQ(lunar.GetDay(), 23);
}

// ---- weeks -----------------------------------------------------------------------------------------------

TEST(KTKoreanDate, WeekdaysAndWeeksComeFromTheSolarDay)
{
    EXPECT_EQ(KTKoreanDate::GetDayOfWeek(1, 1, 1, S, FALSE), 1); // a Monday
    EXPECT_EQ(KTKoreanDate::GetDayOfWeek(2024, 2, 10, S, FALSE), 6); // a Saturday
    EXPECT_EQ(KTKoreanDate::GetDayOfWeek(2024, 1, 1, L, FALSE), 6); // the same day, lunar
    EXPECT_EQ(KTKoreanDate::GetDayOfWeek(2024, 2, 30, S, FALSE), -1);

    // February 2024 starts on a Thursday: 5 rows; the 10th lies in row 2.
    EXPECT_EQ(KTKoreanDate::GetWeekCount(2024, 2, S, FALSE), 5);
    EXPECT_EQ(KTKoreanDate::GetWeekNumber(2024, 2, 10, S, FALSE), 2);
    EXPECT_EQ(KTKoreanDate::GetWeekNumber(2024, 2, 11, S, FALSE), 3);
    // Lunar 2024-1-1 falls in February 2024; lunar 1-2 is 11 February.
    EXPECT_EQ(KTKoreanDate::GetWeekCount(2024, 1, L, FALSE), 5);
    EXPECT_EQ(KTKoreanDate::GetWeekNumber(2024, 1, 2, L, FALSE), 3);
    // June 2024 starts on a Saturday and has 30 days: 6 rows.
    EXPECT_EQ(KTKoreanDate::GetWeekCount(2024, 6, S, FALSE), 6);
    EXPECT_EQ(KTKoreanDate::GetWeekCount(1700, 1, L, FALSE), -1);

    KTKoreanDate date(2024, 2, 10, S);
    EXPECT_EQ(date.GetWeekNumber(), 2);
    EXPECT_EQ(date.GetWeekCount(), 5);
}

TEST(KTKoreanDate, ConvertsToAndFromOleDates)
{
    KTKoreanDate date(2023, 9, 29, S);
    COleDateTime value = date;
    EXPECT_EQ(value.GetYear(), 2023);
    EXPECT_EQ(value.GetMonth(), 9);
    EXPECT_EQ(value.GetDay(), 29);
    EXPECT_EQ(value.GetHour(), 0);

    KTKoreanDate lunar;
    EXPECT_EQ(lunar.SetDate(COleDateTime(2023, 8, 15, 10, 0, 0)), 1);
    EXPECT_EQ(lunar.GetCalendar(), L);
    EXPECT_FALSE(lunar.IsLeapMonth());
}

// ---- holidays ------------------------------------------------------------------------------------------

TEST(KTHoliday, KeepsValidItemsAndFindsNoHoliday)
{
    KTHolidayItem item;
    EXPECT_FALSE(item.SetHoliday(1, 31, "too late", S));
    EXPECT_FALSE(item.SetHoliday(2, 29, "not every year", S));
    EXPECT_TRUE(item.SetHoliday(2, 29, "lunar", L));
    EXPECT_TRUE(item.SetHoliday(12, 25, "Christmas", S));

    KTHoliday holidays;
    EXPECT_EQ(holidays.Add(item), 0);
    EXPECT_EQ(holidays.Add(8, 15, "Chuseok", L), 1);
    EXPECT_EQ(holidays.Add(13, 1, "bad", S), -1);
    EXPECT_EQ(holidays.GetCount(), 2);
    EXPECT_EQ(holidays.Get(1)->m_strName, CString("Chuseok"));
    EXPECT_EQ(holidays.Get(2), nullptr);

    EXPECT_EQ(holidays.IsHoliday(12, 25, S), 0);
    EXPECT_EQ(holidays.IsHoliday(COleDateTime(2023, 12, 25, 0, 0, 0)), 0);
    EXPECT_EQ(holidays.IsHoliday(KTKoreanDate(2023, 8, 15, L)), 0);
    EXPECT_EQ(holidays.Open("/nonexistent"), 0);

    holidays.Remove(0);
    EXPECT_EQ(holidays.GetCount(), 1);
    holidays.RemoveAll();
    EXPECT_EQ(holidays.GetCount(), 0);
}
