// COleDateTime and COleDateTimeSpan: the system's date-time value.
//
// A date is a day count held in a double, counted from 30 December 1899 00:00. The whole part is
// the day, the fraction the time of day. Before 1899-12-30 the day count is negative and the
// fraction is still the time of day, measured away from zero: -1.25 is 29 December 1899 06:00,
// and -0.5 is the same instant as 0.5. Arithmetic therefore goes through a linear day count
// (see ToLinear/FromLinear in the .cpp) so that adding six hours to -1.25 gives -1.5.
//
// Years 100 to 9999 are valid; the system stores "no date" as 1000-01-01 00:00:00, which must
// survive every round trip. A value has a status: valid, invalid (a failed conversion or a
// result out of range) or null (no value, as from an empty database field). Field accessors of
// a value that is not valid return -1. Values are rounded to the nearest second when split into
// fields.
#pragma once

#include "platform/core/CString.h"
#include "platform/core/Types.h"

#include <ctime>

using DATE = double;

class CTime;
class COleDateTimeSpan;

// Flags of COleDateTime::Format(DWORD) and ParseDateTime.
constexpr DWORD VAR_TIMEVALUEONLY = 0x00000001;
constexpr DWORD VAR_DATEVALUEONLY = 0x00000002;

class COleDateTime
{
public:
    enum DateTimeStatus
    {
        error = -1,
        valid = 0,
        invalid = 1,
        null = 2
    };

    DATE m_dt{0.0};
    DateTimeStatus m_status{valid};

    // ---- construction ------------------------------------------------------------
    COleDateTime() = default;
    COleDateTime(DATE dt) : m_dt(dt) { CheckRange(); }
    COleDateTime(int year, int month, int day, int hour, int minute, int second);
    COleDateTime(time_t t);
    COleDateTime(const CTime& t);

    COleDateTime& operator=(DATE dt);
    COleDateTime& operator=(time_t t);
    COleDateTime& operator=(const CTime& t);

    // Local time now, to the second.
    static COleDateTime GetCurrentTime();

    // ---- status ------------------------------------------------------------------
    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus status) { m_status = status; }
    operator DATE() const { return m_dt; }

    // ---- setting fields: return 0 on success, 1 when the fields form no valid date ----
    int SetDateTime(int year, int month, int day, int hour, int minute, int second);
    int SetDate(int year, int month, int day) { return SetDateTime(year, month, day, 0, 0, 0); }
    // The time of day on the zero date (30 December 1899).
    int SetTime(int hour, int minute, int second) { return SetDateTime(1899, 12, 30, hour, minute, second); }

    // ---- fields (-1 when the value is not valid) ----------------------------------
    int GetYear() const;
    int GetMonth() const;     // 1..12
    int GetDay() const;       // 1..31
    int GetHour() const;      // 0..23
    int GetMinute() const;    // 0..59
    int GetSecond() const;    // 0..59
    int GetDayOfWeek() const; // 1 = Sunday .. 7 = Saturday
    int GetDayOfYear() const; // 1 = 1 January

    // Splits the value into a broken-down time (tm_year from 1900, tm_mon from 0); false when
    // the value is not valid.
    bool GetAsTm(struct tm& out) const;

    // ---- arithmetic and comparison -------------------------------------------------
    COleDateTime operator+(const COleDateTimeSpan& span) const;
    COleDateTime operator-(const COleDateTimeSpan& span) const;
    COleDateTime& operator+=(const COleDateTimeSpan& span);
    COleDateTime& operator-=(const COleDateTimeSpan& span);
    COleDateTimeSpan operator-(const COleDateTime& other) const;

    // Compares instants (so -0.5 equals 0.5). Both values are expected to be valid.
    bool operator==(const COleDateTime& other) const;
    bool operator!=(const COleDateTime& other) const { return !(*this == other); }
    bool operator<(const COleDateTime& other) const;
    bool operator>(const COleDateTime& other) const { return other < *this; }
    bool operator<=(const COleDateTime& other) const { return !(other < *this); }
    bool operator>=(const COleDateTime& other) const { return !(*this < other); }

    // ---- text ------------------------------------------------------------------------
    // strftime codes ("%Y-%m-%d %H:%M:%S", "%Y%m%d%H%M%S" ...), "C" locale.
    // An invalid value gives "Invalid DateTime", a null value an empty text.
    CString Format(const char* format) const;
    // The classic short form "M/D/YYYY h:mm:ss AM": the date alone at midnight, the time alone
    // on the zero date; VAR_DATEVALUEONLY / VAR_TIMEVALUEONLY force one part. The locale is
    // ignored: numbers and names are always those of the "C" locale.
    CString Format(DWORD flags = 0, DWORD locale = 0) const;

    // Accepts "YYYY-MM-DD", "YYYY/MM/DD", "M/D/YYYY", optionally followed (after a blank or a
    // 'T') by "H:MM[:SS]" with an optional AM/PM, or a time alone (on the zero date).
    // On failure the value becomes invalid and the result is false.
    bool ParseDateTime(const char* text, DWORD flags = 0);

private:
    void CheckRange();
};

class COleDateTimeSpan
{
public:
    enum DateTimeSpanStatus
    {
        valid = 0,
        invalid = 1,
        null = 2
    };

    double m_span{0.0};
    DateTimeSpanStatus m_status{valid};

    COleDateTimeSpan() = default;
    COleDateTimeSpan(double days) : m_span(days) {}
    COleDateTimeSpan(long days, int hours, int minutes, int seconds)
    {
        SetDateTimeSpan(days, hours, minutes, seconds);
    }

    void SetDateTimeSpan(long days, int hours, int minutes, int seconds);
    DateTimeSpanStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeSpanStatus status) { m_status = status; }
    operator double() const { return m_span; }

    // Totals of the span rounded to the nearest second, then cut towards zero to the unit.
    double GetTotalDays() const;
    double GetTotalHours() const;
    double GetTotalMinutes() const;
    double GetTotalSeconds() const;
    // Components: whole days, then hours (0..23), minutes and seconds (0..59) of the rest;
    // all negative for a negative span.
    LONG GetDays() const;
    LONG GetHours() const;
    LONG GetMinutes() const;
    LONG GetSeconds() const;

    COleDateTimeSpan operator+(const COleDateTimeSpan& other) const;
    COleDateTimeSpan operator-(const COleDateTimeSpan& other) const;
    COleDateTimeSpan& operator+=(const COleDateTimeSpan& other) { return *this = *this + other; }
    COleDateTimeSpan& operator-=(const COleDateTimeSpan& other) { return *this = *this - other; }
    COleDateTimeSpan operator-() const;

    bool operator==(const COleDateTimeSpan& other) const { return m_span == other.m_span; }
    bool operator!=(const COleDateTimeSpan& other) const { return m_span != other.m_span; }
    bool operator<(const COleDateTimeSpan& other) const { return m_span < other.m_span; }
    bool operator>(const COleDateTimeSpan& other) const { return m_span > other.m_span; }
    bool operator<=(const COleDateTimeSpan& other) const { return m_span <= other.m_span; }
    bool operator>=(const COleDateTimeSpan& other) const { return m_span >= other.m_span; }

    // "%D" days, "%H" hours, "%M" minutes, "%S" seconds (two digits each but days), "%%".
    CString Format(const char* format) const;

private:
    long long RoundedSeconds() const;
};
