// CTime and CTimeSpan: conversions through the C library's local-time functions.
#include "platform/core/Time.h"

#include <string>

// ---- formatting helpers ------------------------------------------------------------------

CString platform::FormatTm(const char* format, const struct tm& tm)
{
    if (!format || !*format)
        return CString();
    // strftime reports both "too small" and "empty result" as 0; grow a few times, then give up.
    for (size_t size = 128; size <= 16384; size *= 4) {
        std::string buffer(size, '\0');
        const size_t n = std::strftime(buffer.data(), size, format, &tm);
        if (n > 0) {
            buffer.resize(n);
            return CString(std::move(buffer));
        }
    }
    return CString();
}

CString platform::FormatSpan(const char* format, long long days, int hours, int minutes, int seconds)
{
    CString text;
    if (!format)
        return text;
    for (const char* p = format; *p; ++p) {
        if (*p != '%' || !p[1]) {
            text += *p;
            continue;
        }
        switch (*++p) {
        case 'D':
            text.AppendFormat("%lld", days);
            break;
        case 'H':
            text.AppendFormat("%02d", hours);
            break;
        case 'M':
            text.AppendFormat("%02d", minutes);
            break;
        case 'S':
            text.AppendFormat("%02d", seconds);
            break;
        case '%':
            text += '%';
            break;
        default:
            text += '%';
            text += *p;
        }
    }
    return text;
}

// ---- CTimeSpan ---------------------------------------------------------------------------

CString CTimeSpan::Format(const char* format) const
{
    return platform::FormatSpan(format, GetDays(), GetHours(), GetMinutes(), GetSeconds());
}

// ---- CTime -------------------------------------------------------------------------------

CTime::CTime(int year, int month, int day, int hour, int minute, int second, int isDst)
{
    struct tm tm
    {
    };
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = isDst;
    const bool inRange = month >= 1 && month <= 12 && day >= 1 && day <= 31 && hour >= 0 && hour <= 23 &&
                         minute >= 0 && minute <= 59 && second >= 0 && second <= 59;
    const time_t t = inRange ? mktime(&tm) : static_cast<time_t>(-1);
    // mktime moves 30 February to 2 March; such a date does not exist, so it gives 0.
    const bool exists = tm.tm_year == year - 1900 && tm.tm_mon == month - 1 && tm.tm_mday == day;
    m_time = t == static_cast<time_t>(-1) || !exists ? 0 : t;
}

CTime CTime::GetCurrentTime()
{
    return CTime(::time(nullptr));
}

struct tm* CTime::GetLocalTm(struct tm* out) const
{
    return out ? localtime_r(&m_time, out) : nullptr;
}
struct tm* CTime::GetGmtTm(struct tm* out) const
{
    return out ? gmtime_r(&m_time, out) : nullptr;
}

namespace {
struct tm LocalFields(time_t t)
{
    struct tm tm
    {
    };
    localtime_r(&t, &tm);
    return tm;
}
} // namespace

int CTime::GetYear() const
{
    return LocalFields(m_time).tm_year + 1900;
}
int CTime::GetMonth() const
{
    return LocalFields(m_time).tm_mon + 1;
}
int CTime::GetDay() const
{
    return LocalFields(m_time).tm_mday;
}
int CTime::GetHour() const
{
    return LocalFields(m_time).tm_hour;
}
int CTime::GetMinute() const
{
    return LocalFields(m_time).tm_min;
}
int CTime::GetSecond() const
{
    return LocalFields(m_time).tm_sec;
}
int CTime::GetDayOfWeek() const
{
    return LocalFields(m_time).tm_wday + 1;
}

CString CTime::Format(const char* format) const
{
    return platform::FormatTm(format, LocalFields(m_time));
}

CString CTime::FormatGmt(const char* format) const
{
    struct tm tm
    {
    };
    gmtime_r(&m_time, &tm);
    return platform::FormatTm(format, tm);
}
