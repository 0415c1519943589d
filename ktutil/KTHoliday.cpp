// KTHoliday: the list of holidays.
#include "ktutil/KTHoliday.h"

int KTHoliday::Add(const KTHolidayItem& item)
{
    if (!item.IsValid())
        return -1;
    m_items.push_back(std::make_unique<KTHolidayItem>(item));
    return GetCount() - 1;
}

int KTHoliday::Add(int month, int day, LPCTSTR name, int calendar)
{
    return Add(KTHolidayItem(month, day, name, calendar));
}

void KTHoliday::Remove(int index)
{
    if (index >= 0 && index < GetCount())
        m_items.erase(m_items.begin() + index);
}

KTHolidayItem* KTHoliday::Get(int index) const
{
    return index >= 0 && index < GetCount() ? m_items[index].get() : nullptr;
}

int KTHoliday::Open(LPCTSTR) { return 0; }

int KTHoliday::IsHoliday(const COleDateTime&) const { return 0; }

int KTHoliday::IsHoliday(const KTKoreanDate&) const { return 0; }

int KTHoliday::IsHoliday(int, int, int) const { return 0; }
