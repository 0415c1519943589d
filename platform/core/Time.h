// CTime and CTimeSpan: whole seconds since 1970-01-01 UTC in 64 bits, read and formatted in
// local time. Used for file times and wherever the system wants a plain clock value.
#pragma once

#include "platform/core/CString.h"
#include "platform/core/Types.h"

#include <compare>
#include <ctime>

namespace platform {
// strftime into a CString ("C" locale rules, any length).
CString FormatTm(const char* format, const struct tm& tm);
// The span codes shared by both span classes: "%D" days, "%H", "%M", "%S" (two digits), "%%".
CString FormatSpan(const char* format, long long days, int hours, int minutes, int seconds);
} // namespace platform

class CTimeSpan
{
public:
    CTimeSpan() = default;
    CTimeSpan(LONGLONG seconds) : m_span(seconds) {}
    CTimeSpan(LONG days, int hours, int minutes, int seconds)
        : m_span(((static_cast<LONGLONG>(days) * 24 + hours) * 60 + minutes) * 60 + seconds)
    {
    }

    LONGLONG GetTimeSpan() const { return m_span; }
    LONGLONG GetDays() const { return m_span / 86400; }
    LONGLONG GetTotalHours() const { return m_span / 3600; }
    LONG GetHours() const { return static_cast<LONG>(GetTotalHours() % 24); }
    LONGLONG GetTotalMinutes() const { return m_span / 60; }
    LONG GetMinutes() const { return static_cast<LONG>(GetTotalMinutes() % 60); }
    LONGLONG GetTotalSeconds() const { return m_span; }
    LONG GetSeconds() const { return static_cast<LONG>(m_span % 60); }

    CTimeSpan operator+(CTimeSpan other) const { return CTimeSpan(m_span + other.m_span); }
    CTimeSpan operator-(CTimeSpan other) const { return CTimeSpan(m_span - other.m_span); }
    CTimeSpan& operator+=(CTimeSpan other)
    {
        m_span += other.m_span;
        return *this;
    }
    CTimeSpan& operator-=(CTimeSpan other)
    {
        m_span -= other.m_span;
        return *this;
    }
    friend auto operator<=>(const CTimeSpan&, const CTimeSpan&) = default;

    // "%D" days, "%H" hours (00-23), "%M" minutes, "%S" seconds, "%%".
    CString Format(const char* format) const;

private:
    LONGLONG m_span{0};
};

class CTime
{
public:
    CTime() = default;
    CTime(time_t t) : m_time(t) {}
    // Local date and time; isDst -1 lets the C library decide. An impossible date gives 0.
    CTime(int year, int month, int day, int hour, int minute, int second, int isDst = -1);

    static CTime GetCurrentTime();

    time_t GetTime() const { return m_time; }
    // Broken-down local (or UTC) time; null when the value cannot be represented.
    struct tm* GetLocalTm(struct tm* out) const;
    struct tm* GetGmtTm(struct tm* out) const;

    int GetYear() const;
    int GetMonth() const; // 1..12
    int GetDay() const;   // 1..31
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const; // 1 = Sunday

    // strftime codes, local time / UTC.
    CString Format(const char* format) const;
    CString FormatGmt(const char* format) const;

    CTime operator+(CTimeSpan span) const { return CTime(m_time + span.GetTimeSpan()); }
    CTime operator-(CTimeSpan span) const { return CTime(m_time - span.GetTimeSpan()); }
    CTimeSpan operator-(CTime other) const { return CTimeSpan(m_time - other.m_time); }
    CTime& operator+=(CTimeSpan span)
    {
        m_time += span.GetTimeSpan();
        return *this;
    }
    CTime& operator-=(CTimeSpan span)
    {
        m_time -= span.GetTimeSpan();
        return *this;
    }
    friend auto operator<=>(const CTime&, const CTime&) = default;

private:
    time_t m_time{0};
};
