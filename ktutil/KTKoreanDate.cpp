// KTKoreanDate: validity, day numbers, weeks and the conversions.
#include "ktutil/KTKoreanDate.h"

namespace {

// ---- the lunar table ---------------------------------------------------------------------------------

bool InLunarRange(int year) { return year >= KTKoreanDate::FIRST_LUNAR_YEAR && year <= KTKoreanDate::LAST_LUNAR_YEAR; }

int MonthCode(int year, int month) { return KTKoreanDate::s_abyLunarTable[year - KTKoreanDate::FIRST_LUNAR_YEAR][month - 1]; }

bool HasLeapMonth(int code) { return code >= 3 && code <= 6; }

// Length of the regular month of a code, and of its leap month.
int RegularLength(int code)
{
    switch (code) {
    case 1: case 3: case 4: return 29;
    case 2: case 5: case 6: return 30;
    default: return 0;
    }
}

int LeapLength(int code)
{
    switch (code) {
    case 3: case 5: return 29;
    case 4: case 6: return 30;
    default: return 0;
    }
}

// Days from the epoch to the day before the first of the lunar year.
long DaysBeforeLunarYear(int year)
{
    return year == KTKoreanDate::FIRST_LUNAR_YEAR ? 0 : KTKoreanDate::s_alDaysAccm[year - KTKoreanDate::FIRST_LUNAR_YEAR - 1];
}

// ---- the solar calendar ------------------------------------------------------------------------------

bool IsSolarLeapYear(int year) { return year % 400 == 0 || (year % 4 == 0 && year % 100 != 0); }

long DaysBeforeSolarYear(int year)
{
    long y = year - 1;
    return y * 365 + y / 4 - y / 100 + y / 400;
}

// The day number of a valid solar date.
long SolarDayNumber(int year, int month, int day)
{
    long days = DaysBeforeSolarYear(year);
    for (int m = 1; m < month; ++m)
        days += KTKoreanDate::GetDaysOfMonth(year, m, KTKoreanDate::SOLAR, FALSE);
    return days + day;
}

// The solar date of a day number (at least 1).
void SolarDateOf(long dayNumber, int& year, int& month, int& day)
{
    year = static_cast<int>(dayNumber / 365 + 1);
    while (year > 1 && DaysBeforeSolarYear(year) >= dayNumber)
        --year;
    while (DaysBeforeSolarYear(year + 1) < dayNumber)
        ++year;
    long rest = dayNumber - DaysBeforeSolarYear(year);
    month = 1;
    for (int length; rest > (length = KTKoreanDate::GetDaysOfMonth(year, month, KTKoreanDate::SOLAR, FALSE)); ++month)
        rest -= length;
    day = static_cast<int>(rest);
}

// The solar form of a valid date, or false when a lunar date cannot be converted.
bool SolarFormOf(int year, int month, int day, int calendar, BOOL leap, KTKoreanDate& solar)
{
    if (!solar.SetDate(year, month, day, calendar, leap))
        return false;
    return KTKoreanDate::LunarToSolar(solar) == 1;
}

} // namespace

const int KTKoreanDate::s_anSolarDays[13] = { 0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };

// ---- the date ---------------------------------------------------------------------------------------

void KTKoreanDate::SetNull()
{
    m_nCalendar = 0;
    m_nStatus = STATUS_NULL;
    m_nYear = m_nMonth = m_nDay = 0;
    m_bLeap = FALSE;
}

int KTKoreanDate::SetDate(int year, int month, int day, int calendar, BOOL leap)
{
    SetNull();
    if (!IsValid(year, month, day, calendar, leap))
        return 0;
    m_nCalendar = calendar;
    m_nStatus = STATUS_VALID;
    m_nYear = year;
    m_nMonth = month;
    m_nDay = day;
    if (calendar == LUNAR)
        m_bLeap = leap && HasLeapMonth(MonthCode(year, month));
    else
        m_bLeap = month == 2 && IsSolarLeapYear(year);
    return 1;
}

int KTKoreanDate::SetDate(const COleDateTime& date)
{
    return SetDate(date.GetYear(), date.GetMonth(), date.GetDay(), LUNAR, FALSE);
}

BOOL KTKoreanDate::IsValid(int year, int month, int day, int calendar, BOOL leap)
{
    if (year < 1 || month < 1 || month > 12 || day < 1 || day > 31)
        return FALSE;
    return day <= GetDaysOfMonth(year, month, calendar, leap);
}

int KTKoreanDate::GetDaysOfMonth(int year, int month, int calendar, BOOL leap)
{
    if (month < 1 || month > 12)
        return 0;
    if (calendar == SOLAR) {
        if (year < 1)
            return 0;
        return month == 2 && IsSolarLeapYear(year) ? 29 : s_anSolarDays[month];
    }
    if (calendar != LUNAR || !InLunarRange(year))
        return 0;
    int code = MonthCode(year, month);
    return leap && HasLeapMonth(code) ? LeapLength(code) : RegularLength(code);
}

long KTKoreanDate::GetTotalDays(int year, int month, int day, int calendar, BOOL leap)
{
    if (!IsValid(year, month, day, calendar, leap))
        return -1;
    if (calendar == SOLAR)
        return SolarDayNumber(year, month, day);
    KTKoreanDate solar;
    if (!SolarFormOf(year, month, day, calendar, leap, solar))
        return -1;
    return SolarDayNumber(solar.m_nYear, solar.m_nMonth, solar.m_nDay);
}

int KTKoreanDate::GetDayOfWeek(int year, int month, int day, int calendar, BOOL leap)
{
    long days = GetTotalDays(year, month, day, calendar, leap);
    return days < 0 ? -1 : static_cast<int>(days % 7);
}

int KTKoreanDate::GetWeekCount(int year, int month, int calendar, BOOL leap)
{
    KTKoreanDate first;
    if (!SolarFormOf(year, month, 1, calendar, leap, first))
        return -1;
    int weekdayOfFirst = GetDayOfWeek(first.m_nYear, first.m_nMonth, 1, SOLAR, FALSE);
    int length = GetDaysOfMonth(first.m_nYear, first.m_nMonth, SOLAR, FALSE);
    return (weekdayOfFirst + length - 1) / 7 + 1;
}

int KTKoreanDate::GetWeekNumber(int year, int month, int day, int calendar, BOOL leap)
{
    KTKoreanDate date;
    if (!SolarFormOf(year, month, day, calendar, leap, date))
        return -1;
    int weekdayOfFirst = GetDayOfWeek(date.m_nYear, date.m_nMonth, 1, SOLAR, FALSE);
    return (weekdayOfFirst + date.m_nDay - 1) / 7 + 1;
}

long KTKoreanDate::GetTotalDays() const
{
    return IsValid() ? GetTotalDays(m_nYear, m_nMonth, m_nDay, m_nCalendar, m_bLeap) : 0;
}

int KTKoreanDate::GetDaysOfMonth() const
{
    return IsValid() ? GetDaysOfMonth(m_nYear, m_nMonth, m_nCalendar, m_bLeap) : 0;
}

int KTKoreanDate::GetWeekCount() const
{
    return IsValid() ? GetWeekCount(m_nYear, m_nMonth, m_nCalendar, m_bLeap) : 0;
}

int KTKoreanDate::GetWeekNumber() const
{
    return IsValid() ? GetWeekNumber(m_nYear, m_nMonth, m_nDay, m_nCalendar, m_bLeap) : 0;
}

int KTKoreanDate::GetDayOfWeek() const
{
    return IsValid() ? GetDayOfWeek(m_nYear, m_nMonth, m_nDay, m_nCalendar, m_bLeap) : -1;
}

// ---- conversions --------------------------------------------------------------------------------------

int KTKoreanDate::SolarToLunar(KTKoreanDate& date)
{
    if (!date.IsValid())
        return 0;
    if (date.m_nCalendar == LUNAR)
        return 1;
    // d: the day within the table, 1 for the first day of lunar 1841. Days before it or after
    // the last day of lunar 2043 have no lunar date here.
    long d = SolarDayNumber(date.m_nYear, date.m_nMonth, date.m_nDay) - EPOCH;
    if (d < 1 || d > s_alDaysAccm[LUNAR_YEARS - 1])
        return 0;
    int year = FIRST_LUNAR_YEAR;
    while (s_alDaysAccm[year - FIRST_LUNAR_YEAR] < d)
        ++year;
    d -= DaysBeforeLunarYear(year);
    for (int month = 1; month <= 12; ++month) {
        int code = MonthCode(year, month);
        if (d <= RegularLength(code))
            return date.SetDate(year, month, static_cast<int>(d), LUNAR, FALSE);
        d -= RegularLength(code);
        if (HasLeapMonth(code)) {
            if (d <= LeapLength(code))
                return date.SetDate(year, month, static_cast<int>(d), LUNAR, TRUE);
            d -= LeapLength(code);
        }
    }
    return 0; // the table's year lengths and month codes disagree
}

int KTKoreanDate::LunarToSolar(KTKoreanDate& date)
{
    if (!date.IsValid())
        return 0;
    if (date.m_nCalendar == SOLAR)
        return 1;
    if (!InLunarRange(date.m_nYear))
        return 0;
    long dayNumber = EPOCH + DaysBeforeLunarYear(date.m_nYear);
    for (int month = 1; month < date.m_nMonth; ++month) {
        int code = MonthCode(date.m_nYear, month);
        dayNumber += RegularLength(code) + LeapLength(code);
    }
    if (date.m_bLeap)
        dayNumber += RegularLength(MonthCode(date.m_nYear, date.m_nMonth));
    dayNumber += date.m_nDay;
    int year, month, day;
    SolarDateOf(dayNumber, year, month, day);
    return date.SetDate(year, month, day, SOLAR, FALSE);
}

KTKoreanDate::operator COleDateTime() const { return COleDateTime(m_nYear, m_nMonth, m_nDay, 0, 0, 0); }
