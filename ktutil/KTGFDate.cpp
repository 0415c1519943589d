// KTGF date members: ages, birth-date ranges, day, month and year arithmetic, and the compact
// date texts "YYYYMMDD" and "YYYYMMDDhhmmss". Month and year arithmetic always gives a real
// date: a day that the target month lacks becomes that month's last day.
#include "ktutil/KTGF.h"

#include "ktutil/KTGFDateMath.h"

#include <string_view>

namespace ktutil {

namespace {

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month)
{
    static constexpr int kDays[12] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// The date with the given year, month and a day limited to that month's length, at the time
// of day of `time`. Invalid when the year lies outside the date range.
COleDateTime ClampedDate(int year, int month, int day, const COleDateTime& time)
{
    COleDateTime result;
    if (month < 1 || month > 12) {
        result.SetStatus(COleDateTime::invalid);
        return result;
    }
    const int last = DaysInMonth(year, month);
    result.SetDateTime(year, month, day > last ? last : day, time.GetHour(), time.GetMinute(),
                       time.GetSecond());
    return result;
}

COleDateTime InvalidDate()
{
    COleDateTime result;
    result.SetStatus(COleDateTime::invalid);
    return result;
}

} // namespace

int CalcAgeAt(const COleDateTime& birth, BOOL completed, const COleDateTime& now)
{
    if (birth.GetStatus() != COleDateTime::valid || now.GetStatus() != COleDateTime::valid)
        return 0;
    if (!completed)
        return now.GetYear() - birth.GetYear() + 1;
    int age = now.GetYear() - birth.GetYear();
    const int nowMonthDay = now.GetMonth() * 100 + now.GetDay();
    const int birthMonthDay = birth.GetMonth() * 100 + birth.GetDay();
    if (nowMonthDay < birthMonthDay)
        --age;
    return age;
}

void CalcBirthAt(int age, COleDateTime& from, COleDateTime& to, BOOL completed, const COleDateTime& now)
{
    COleDateTime time;
    time.SetTime(1, 1, 1);
    const int y = now.GetYear() + 1 - age;
    if (!completed) {
        from = ClampedDate(y, 1, 1, time);
        to = ClampedDate(y, 12, 31, time);
        return;
    }
    // Born on today's month and day age years ago completes the age today; born a day later in
    // the year before still has it to come. On 29 February a common year gives 28 February.
    to = ClampedDate(y - 1, now.GetMonth(), now.GetDay(), time);
    from = ClampedDate(y - 2, now.GetMonth(), now.GetDay(), time);
    if (from.GetStatus() == COleDateTime::valid)
        from = KTGF::CalcDate_Day(from, 1);
}

} // namespace ktutil

// ---- ages ---------------------------------------------------------------------------------------

int KTGF::CalcAge(const COleDateTime& birth, BOOL completed)
{
    return ktutil::CalcAgeAt(birth, completed, COleDateTime::GetCurrentTime());
}

void KTGF::CalcBirth(int age, COleDateTime& from, COleDateTime& to, BOOL completed)
{
    ktutil::CalcBirthAt(age, from, to, completed, COleDateTime::GetCurrentTime());
}

// ---- arithmetic ------------------------------------------------------------------------------------

COleDateTime KTGF::CalcDate_Day(const COleDateTime& date, int days)
{
    if (date.GetStatus() != COleDateTime::valid)
        return ktutil::InvalidDate();
    return date + COleDateTimeSpan(days, 0, 0, 0);
}

COleDateTime KTGF::CalcDate_Month(const COleDateTime& date, int months)
{
    if (date.GetStatus() != COleDateTime::valid)
        return ktutil::InvalidDate();
    // Months counted from year 0, so that any count carries into as many years as it spans.
    const long long total = static_cast<long long>(date.GetYear()) * 12 + (date.GetMonth() - 1) + months;
    long long year = total / 12;
    long long month = total % 12;
    if (month < 0)
        month += 12, year -= 1;
    if (year < 100 || year > 9999)
        return ktutil::InvalidDate();
    return ktutil::ClampedDate(static_cast<int>(year), static_cast<int>(month) + 1, date.GetDay(), date);
}

COleDateTime KTGF::CalcDate_Year(const COleDateTime& date, int years)
{
    if (date.GetStatus() != COleDateTime::valid)
        return ktutil::InvalidDate();
    const long long year = static_cast<long long>(date.GetYear()) + years;
    if (year < 100 || year > 9999)
        return ktutil::InvalidDate();
    return ktutil::ClampedDate(static_cast<int>(year), date.GetMonth(), date.GetDay(), date);
}

// ---- compact texts ---------------------------------------------------------------------------------

namespace {

// The leading decimal digits of a piece of text; 0 when it starts with none.
int LeadingNumber(std::string_view piece)
{
    int value = 0;
    for (char c : piece) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace

COleDateTime KTGF::DateFromString(LPCTSTR text, BOOL withTime)
{
    COleDateTime date; // the zero date, 30 December 1899
    const std::string_view t = text ? std::string_view(text) : std::string_view();
    if (t.size() < (withTime ? 14u : 8u))
        return date;
    const int year = LeadingNumber(t.substr(0, 4));
    const int month = LeadingNumber(t.substr(4, 2));
    const int day = LeadingNumber(t.substr(6, 2));
    int hour = 0, minute = 0, second = 0;
    if (withTime) {
        hour = LeadingNumber(t.substr(8, 2));
        minute = LeadingNumber(t.substr(10, 2));
        second = LeadingNumber(t.substr(12, 2));
    }
    date.SetDateTime(year, month, day, hour, minute, second);
    return date;
}

CString KTGF::StringFromDate(const COleDateTime& date, LPCTSTR format, BOOL withTime)
{
    if (IsEmpty(format))
        return date.Format(withTime ? "%Y%m%d%H%M%S" : "%Y%m%d");
    return date.Format(format);
}
