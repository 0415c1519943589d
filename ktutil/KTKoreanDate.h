// KTKoreanDate: a date of the solar (Gregorian) or the Korean lunisolar calendar, converted
// between the two for the lunar years 1841 to 2043, with week arithmetic.
//
// A lunar date may lie in a leap month: the month that follows the regular month of the same
// number. The lunar calendar comes from built-in tables (KTKoreanDateTable.cpp, computed by
// tools/lunar-gen). Day numbers count 1 January of year 1 (proleptic Gregorian) as day 1; a
// lunar date's day number is that of its solar day.
#pragma once

#include "platform/core/OleDateTime.h"
#include "platform/core/Types.h"

class KTKoreanDate
{
public:
    static constexpr int SOLAR = 1;
    static constexpr int LUNAR = 2;
    static constexpr int STATUS_NULL = 0;
    static constexpr int STATUS_VALID = 2;
    static constexpr int FIRST_LUNAR_YEAR = 1841;
    static constexpr int LAST_LUNAR_YEAR = 2043;
    static constexpr int LUNAR_YEARS = LAST_LUNAR_YEAR - FIRST_LUNAR_YEAR + 1;
    // The day before the first day of lunar 1841 (solar 23 January 1841).
    static constexpr long EPOCH = 672068;

    KTKoreanDate() = default;
    KTKoreanDate(int year, int month, int day, int calendar, BOOL leap = FALSE)
    {
        SetDate(year, month, day, calendar, leap);
    }
    KTKoreanDate(const KTKoreanDate&) = default;
    KTKoreanDate& operator=(const KTKoreanDate&) = default;
    virtual ~KTKoreanDate() = default;

    // 0 (and a null date) when the date is not valid. A lunar leap flag is kept only when the
    // month has a leap month; a solar date's flag marks February of a leap year.
    int SetDate(int year, int month, int day, int calendar, BOOL leap = FALSE);
    // A lunar date with the value's year, month and day.
    int SetDate(const COleDateTime& date);
    void SetNull();
    BOOL IsValid() const { return m_nStatus == STATUS_VALID; }
    BOOL IsLeapMonth() const { return m_bLeap; }
    int GetCalendar() const { return m_nCalendar; }
    int GetYear() const { return m_nYear; }
    int GetMonth() const { return m_nMonth; }
    int GetDay() const { return m_nDay; }

    static BOOL IsValid(int year, int month, int day, int calendar, BOOL leap);
    // Solar: the month's length (29 for February of a leap year), 0 for a year below 1. Lunar:
    // from the table (the leap month's length with the flag when the month has one), 0 outside
    // 1841 to 2043.
    static int GetDaysOfMonth(int year, int month, int calendar, BOOL leap);
    // -1 when the date is not valid (or a lunar date cannot be converted).
    static long GetTotalDays(int year, int month, int day, int calendar, BOOL leap);
    // 0 Sunday to 6 Saturday; -1 as GetTotalDays.
    static int GetDayOfWeek(int year, int month, int day, int calendar, BOOL leap);
    // Weeks (rows of a Sunday-first calendar) of the solar month in which the month's first day
    // falls; -1 when that day is not valid or cannot be converted.
    static int GetWeekCount(int year, int month, int calendar, BOOL leap);
    // The week of its solar month in which the date falls, from 1; -1 as above.
    static int GetWeekNumber(int year, int month, int day, int calendar, BOOL leap);

    long GetTotalDays() const;
    int GetDaysOfMonth() const;
    int GetWeekCount() const;
    int GetWeekNumber() const;
    int GetDayOfWeek() const;

    // Convert in place: 1 on success or when the date is in that calendar already; 0 when it is
    // not valid or lies outside the lunar years of the table.
    int SolarToLunar() { return SolarToLunar(*this); }
    int LunarToSolar() { return LunarToSolar(*this); }
    static int SolarToLunar(KTKoreanDate& date);
    static int LunarToSolar(KTKoreanDate& date);

    // The stored year, month and day at 00:00:00, whatever the calendar.
    operator COleDateTime() const;

    static const BYTE s_abyLunarTable[LUNAR_YEARS][12];
    static const int s_anDaysOfYear[LUNAR_YEARS];
    static const long s_alDaysAccm[LUNAR_YEARS];
    static const int s_anSolarDays[13];

private:
    int m_nCalendar { 0 };
    int m_nStatus { STATUS_NULL };
    int m_nYear { 0 };
    int m_nMonth { 0 };
    int m_nDay { 0 };
    BOOL m_bLeap { FALSE };
};
