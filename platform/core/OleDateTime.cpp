// COleDateTime and COleDateTimeSpan. Calendar arithmetic is done on whole day numbers (the
// proleptic Gregorian calendar) and on a linear day count, so that values before 1899-12-30,
// whose fraction counts away from zero, add and compare like any other.
#include "platform/core/OleDateTime.h"

#include "platform/core/Time.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

// ---- calendar -------------------------------------------------------------------------

constexpr long long kSecondsPerDay = 86400;
// Day number of 1899-12-30 counted from 1970-01-01.
constexpr long long kEpochOffsetFrom1970 = -25569;
// Valid day counts: 100-01-01 00:00:00 to 9999-12-31 23:59:59.
constexpr double kMinDate = -657434.0;
constexpr double kMaxDate = 2958465.0;
constexpr int kMinYear = 100;
constexpr int kMaxYear = 9999;

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days since 1970-01-01 of a civil date (valid for every year we accept).
long long DaysFromCivil(int y, int m, int d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(long long z, int& year, int& month, int& day)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

// ---- the two day counts ------------------------------------------------------------------
// Stored: whole part = day, fraction = time of day away from zero. Linear: plain count of days
// since the epoch, so -1.25 (29 Dec 06:00) is -0.75.

double ToLinear(double dt)
{
    if (dt >= 0)
        return dt;
    const double day = std::ceil(dt);
    return day - (dt - day);
}

double FromLinear(double linear)
{
    if (linear >= 0)
        return linear;
    const double day = std::floor(linear);
    return day + (day - linear);
}

bool InRange(double dt)
{
    return std::isfinite(dt) && dt > kMinDate - 1.0 && dt < kMaxDate + 1.0;
}

struct Fields
{
    int year, month, day, hour, minute, second, dayOfWeek, dayOfYear;
};

Fields Split(double dt)
{
    long long seconds = std::llround(ToLinear(dt) * kSecondsPerDay);
    // Rounding must not carry the last second of 9999 into year 10000.
    const long long lastSecond = static_cast<long long>(kMaxDate + 1) * kSecondsPerDay - 1;
    if (seconds > lastSecond)
        seconds = lastSecond;
    long long days = seconds / kSecondsPerDay;
    long long rest = seconds % kSecondsPerDay;
    if (rest < 0) {
        rest += kSecondsPerDay;
        --days;
    }
    Fields f{};
    const long long civil = days + kEpochOffsetFrom1970;
    CivilFromDays(civil, f.year, f.month, f.day);
    f.hour = static_cast<int>(rest / 3600);
    f.minute = static_cast<int>(rest / 60 % 60);
    f.second = static_cast<int>(rest % 60);
    // 1970-01-01 was a Thursday (day 5 counting Sunday as 1).
    f.dayOfWeek = static_cast<int>(((civil % 7) + 7 + 4) % 7) + 1;
    f.dayOfYear = static_cast<int>(civil - DaysFromCivil(f.year, 1, 1)) + 1;
    return f;
}

bool ValidFields(int year, int month, int day, int hour, int minute, int second)
{
    return year >= kMinYear && year <= kMaxYear && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(year, month) && hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 &&
           second >= 0 && second <= 59;
}

double Compose(int year, int month, int day, int hour, int minute, int second)
{
    const double days = static_cast<double>(DaysFromCivil(year, month, day) - kEpochOffsetFrom1970);
    const double fraction = (hour * 3600 + minute * 60 + second) / static_cast<double>(kSecondsPerDay);
    return days >= 0 ? days + fraction : days - fraction;
}

// ---- parsing -------------------------------------------------------------------------------

struct Cursor
{
    const char* p;

    void SkipBlanks()
    {
        while (*p == ' ' || *p == '\t')
            ++p;
    }
    // A run of digits; false when there is none.
    bool Number(int& value, int& digits)
    {
        const char* start = p;
        value = 0;
        while (std::isdigit(static_cast<unsigned char>(*p)) && p - start < 9)
            value = value * 10 + (*p++ - '0');
        digits = static_cast<int>(p - start);
        return digits > 0;
    }
};

// Date part: "Y-M-D", "Y/M/D" (four-digit year first) or "M/D/Y", "M-D-Y".
bool ParseDatePart(Cursor& c, int& year, int& month, int& day)
{
    int a, b, y, da, db, dy;
    if (!c.Number(a, da))
        return false;
    const char sep = *c.p;
    if (sep != '-' && sep != '/')
        return false;
    ++c.p;
    if (!c.Number(b, db) || *c.p != sep)
        return false;
    ++c.p;
    if (!c.Number(y, dy))
        return false;
    if (da >= 3) {
        year = a, month = b, day = y;
    } else {
        if (dy != 4)
            return false;
        month = a, day = b, year = y;
    }
    return true;
}

// Time part: "H:MM[:SS]" with an optional "AM"/"PM" (blank before it optional).
bool ParseTimePart(Cursor& c, int& hour, int& minute, int& second)
{
    int digits;
    if (!c.Number(hour, digits) || *c.p != ':')
        return false;
    ++c.p;
    if (!c.Number(minute, digits))
        return false;
    second = 0;
    if (*c.p == ':') {
        ++c.p;
        if (!c.Number(second, digits))
            return false;
    }
    c.SkipBlanks();
    const char m0 = static_cast<char>(std::toupper(static_cast<unsigned char>(c.p[0])));
    const char m1 = m0 ? static_cast<char>(std::toupper(static_cast<unsigned char>(c.p[1]))) : '\0';
    if ((m0 == 'A' || m0 == 'P') && m1 == 'M') {
        if (hour < 1 || hour > 12)
            return false;
        hour = hour % 12 + (m0 == 'P' ? 12 : 0);
        c.p += 2;
    }
    return true;
}

} // namespace

// ==== COleDateTime ==========================================================================

COleDateTime::COleDateTime(int year, int month, int day, int hour, int minute, int second)
{
    SetDateTime(year, month, day, hour, minute, second);
}

COleDateTime::COleDateTime(time_t t)
{
    *this = t;
}

COleDateTime::COleDateTime(const CTime& t)
{
    *this = t.GetTime();
}

COleDateTime& COleDateTime::operator=(DATE dt)
{
    m_dt = dt;
    m_status = valid;
    CheckRange();
    return *this;
}

COleDateTime& COleDateTime::operator=(time_t t)
{
    struct tm local
    {
    };
    if (!localtime_r(&t, &local)) {
        m_dt = 0;
        m_status = invalid;
        return *this;
    }
    SetDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                local.tm_sec);
    return *this;
}

COleDateTime& COleDateTime::operator=(const CTime& t)
{
    return *this = t.GetTime();
}

COleDateTime COleDateTime::GetCurrentTime()
{
    return COleDateTime(::time(nullptr));
}

void COleDateTime::CheckRange()
{
    if (!InRange(m_dt)) {
        m_dt = 0;
        m_status = invalid;
    }
}

int COleDateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second)
{
    if (!ValidFields(year, month, day, hour, minute, second)) {
        m_dt = 0;
        m_status = invalid;
        return 1;
    }
    m_dt = Compose(year, month, day, hour, minute, second);
    m_status = valid;
    return 0;
}

int COleDateTime::GetYear() const
{
    return m_status == valid ? Split(m_dt).year : -1;
}
int COleDateTime::GetMonth() const
{
    return m_status == valid ? Split(m_dt).month : -1;
}
int COleDateTime::GetDay() const
{
    return m_status == valid ? Split(m_dt).day : -1;
}
int COleDateTime::GetHour() const
{
    return m_status == valid ? Split(m_dt).hour : -1;
}
int COleDateTime::GetMinute() const
{
    return m_status == valid ? Split(m_dt).minute : -1;
}
int COleDateTime::GetSecond() const
{
    return m_status == valid ? Split(m_dt).second : -1;
}
int COleDateTime::GetDayOfWeek() const
{
    return m_status == valid ? Split(m_dt).dayOfWeek : -1;
}
int COleDateTime::GetDayOfYear() const
{
    return m_status == valid ? Split(m_dt).dayOfYear : -1;
}

bool COleDateTime::GetAsTm(struct tm& out) const
{
    if (m_status != valid)
        return false;
    const Fields f = Split(m_dt);
    out = {};
    out.tm_year = f.year - 1900;
    out.tm_mon = f.month - 1;
    out.tm_mday = f.day;
    out.tm_hour = f.hour;
    out.tm_min = f.minute;
    out.tm_sec = f.second;
    out.tm_wday = f.dayOfWeek - 1;
    out.tm_yday = f.dayOfYear - 1;
    out.tm_isdst = -1;
    return true;
}

COleDateTime COleDateTime::operator+(const COleDateTimeSpan& span) const
{
    COleDateTime result;
    if (m_status == invalid || span.m_status == COleDateTimeSpan::invalid) {
        result.m_status = invalid;
        return result;
    }
    if (m_status == null || span.m_status == COleDateTimeSpan::null) {
        result.m_status = null;
        return result;
    }
    result.m_dt = FromLinear(ToLinear(m_dt) + span.m_span);
    result.CheckRange();
    return result;
}

COleDateTime COleDateTime::operator-(const COleDateTimeSpan& span) const
{
    return *this + (-span);
}

COleDateTime& COleDateTime::operator+=(const COleDateTimeSpan& span)
{
    return *this = *this + span;
}
COleDateTime& COleDateTime::operator-=(const COleDateTimeSpan& span)
{
    return *this = *this - span;
}

COleDateTimeSpan COleDateTime::operator-(const COleDateTime& other) const
{
    COleDateTimeSpan result;
    if (m_status == invalid || other.m_status == invalid)
        result.m_status = COleDateTimeSpan::invalid;
    else if (m_status == null || other.m_status == null)
        result.m_status = COleDateTimeSpan::null;
    else
        result.m_span = ToLinear(m_dt) - ToLinear(other.m_dt);
    return result;
}

bool COleDateTime::operator==(const COleDateTime& other) const
{
    return m_status == other.m_status && ToLinear(m_dt) == ToLinear(other.m_dt);
}

bool COleDateTime::operator<(const COleDateTime& other) const
{
    return ToLinear(m_dt) < ToLinear(other.m_dt);
}

CString COleDateTime::Format(const char* format) const
{
    if (m_status == null)
        return CString();
    struct tm tm;
    if (!GetAsTm(tm))
        return CString("Invalid DateTime");
    return platform::FormatTm(format, tm);
}

CString COleDateTime::Format(DWORD flags, DWORD /*locale*/) const
{
    if (m_status == null)
        return CString();
    if (m_status != valid)
        return CString("Invalid DateTime");
    const Fields f = Split(m_dt);
    const bool midnight = f.hour == 0 && f.minute == 0 && f.second == 0;
    const bool zeroDate = f.year == 1899 && f.month == 12 && f.day == 30;
    bool showDate = !zeroDate;
    bool showTime = !midnight || zeroDate;
    if (flags & VAR_DATEVALUEONLY)
        showDate = true, showTime = false;
    else if (flags & VAR_TIMEVALUEONLY)
        showDate = false, showTime = true;
    CString text;
    if (showDate)
        text.Format("%d/%d/%d", f.month, f.day, f.year);
    if (showTime) {
        if (showDate)
            text += ' ';
        const int hour12 = f.hour % 12 == 0 ? 12 : f.hour % 12;
        text.AppendFormat("%d:%02d:%02d %s", hour12, f.minute, f.second, f.hour < 12 ? "AM" : "PM");
    }
    return text;
}

bool COleDateTime::ParseDateTime(const char* text, DWORD flags)
{
    m_dt = 0;
    m_status = invalid;
    if (!text)
        return false;
    Cursor c{text};
    c.SkipBlanks();
    int year = 1899, month = 12, day = 30, hour = 0, minute = 0, second = 0;
    const char* start = c.p;
    if (!ParseDatePart(c, year, month, day)) {
        // No date: a time alone.
        c.p = start;
        if (!ParseTimePart(c, hour, minute, second))
            return false;
        year = 1899, month = 12, day = 30;
    } else {
        const bool separated = *c.p == 'T' || *c.p == ' ' || *c.p == '\t';
        if (*c.p == 'T')
            ++c.p;
        c.SkipBlanks();
        if (*c.p) {
            if (!separated || !ParseTimePart(c, hour, minute, second))
                return false;
        }
    }
    c.SkipBlanks();
    if (*c.p)
        return false;
    if (flags & VAR_DATEVALUEONLY)
        hour = minute = second = 0;
    if (flags & VAR_TIMEVALUEONLY)
        year = 1899, month = 12, day = 30;
    return SetDateTime(year, month, day, hour, minute, second) == 0;
}

// ==== COleDateTimeSpan ======================================================================

void COleDateTimeSpan::SetDateTimeSpan(long days, int hours, int minutes, int seconds)
{
    m_span = days + (hours * 3600.0 + minutes * 60.0 + seconds) / kSecondsPerDay;
    m_status = valid;
}

long long COleDateTimeSpan::RoundedSeconds() const
{
    return std::llround(m_span * kSecondsPerDay);
}

double COleDateTimeSpan::GetTotalDays() const
{
    return static_cast<double>(RoundedSeconds() / kSecondsPerDay);
}
double COleDateTimeSpan::GetTotalHours() const
{
    return static_cast<double>(RoundedSeconds() / 3600);
}
double COleDateTimeSpan::GetTotalMinutes() const
{
    return static_cast<double>(RoundedSeconds() / 60);
}
double COleDateTimeSpan::GetTotalSeconds() const
{
    return static_cast<double>(RoundedSeconds());
}
LONG COleDateTimeSpan::GetDays() const
{
    return static_cast<LONG>(RoundedSeconds() / kSecondsPerDay);
}
LONG COleDateTimeSpan::GetHours() const
{
    return static_cast<LONG>(RoundedSeconds() / 3600 % 24);
}
LONG COleDateTimeSpan::GetMinutes() const
{
    return static_cast<LONG>(RoundedSeconds() / 60 % 60);
}
LONG COleDateTimeSpan::GetSeconds() const
{
    return static_cast<LONG>(RoundedSeconds() % 60);
}

COleDateTimeSpan COleDateTimeSpan::operator+(const COleDateTimeSpan& other) const
{
    COleDateTimeSpan result(m_span + other.m_span);
    if (m_status == invalid || other.m_status == invalid)
        result.m_status = invalid;
    else if (m_status == null || other.m_status == null)
        result.m_status = null;
    return result;
}

COleDateTimeSpan COleDateTimeSpan::operator-(const COleDateTimeSpan& other) const
{
    return *this + (-other);
}

COleDateTimeSpan COleDateTimeSpan::operator-() const
{
    COleDateTimeSpan result(-m_span);
    result.m_status = m_status;
    return result;
}

CString COleDateTimeSpan::Format(const char* format) const
{
    return platform::FormatSpan(format, GetDays(), GetHours(), GetMinutes(), GetSeconds());
}
