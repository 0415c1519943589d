// KTHolidayItem: storing and checking one holiday.
#include "ktutil/KTHolidayItem.h"

#include "ktutil/KTKoreanDate.h"

BOOL KTHolidayItem::SetHoliday(int month, int day, LPCTSTR name, int calendar)
{
    m_nMonth = month;
    m_nDay = day;
    m_strName = name ? name : "";
    m_nCalendar = calendar;
    return IsValid();
}

BOOL KTHolidayItem::IsValid() const
{
    if (m_nMonth < 1 || m_nMonth > 12 || m_nDay < 1)
        return FALSE;
    int lastDay = m_nMonth == 2 && m_nCalendar == KTKoreanDate::SOLAR ? 28 : 30;
    return m_nDay <= lastDay;
}
