// KTHolidayItem: a named holiday by month and day in the solar or the lunar calendar.
#pragma once

#include "platform/core/CString.h"
#include "platform/core/Types.h"

class KTHolidayItem
{
public:
    KTHolidayItem() = default;
    KTHolidayItem(int month, int day, LPCTSTR name, int calendar = 1) { SetHoliday(month, day, name, calendar); }
    KTHolidayItem(const KTHolidayItem&) = default;
    KTHolidayItem& operator=(const KTHolidayItem&) = default;
    virtual ~KTHolidayItem() = default;

    // Stores the values; whether they are valid (see IsValid).
    BOOL SetHoliday(int month, int day, LPCTSTR name, int calendar = 1);
    // Month 1 to 12 and day 1 to 30 (1 to 28 for February of the solar calendar).
    BOOL IsValid() const;

    int m_nMonth { 0 };
    int m_nDay { 0 };
    int m_nCalendar { 1 };
    CString m_strName;
};
