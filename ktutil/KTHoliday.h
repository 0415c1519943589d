// KTHoliday: a list of named holidays. The list is kept; no date is a holiday yet (IsHoliday
// answers 0 for every date) and no holiday file is read.
#pragma once

#include "ktutil/KTHolidayItem.h"
#include "platform/core/OleDateTime.h"

#include <memory>
#include <vector>

class KTKoreanDate;

class KTHoliday
{
public:
    KTHoliday() = default;
    KTHoliday(const KTHoliday&) = delete;
    KTHoliday& operator=(const KTHoliday&) = delete;
    virtual ~KTHoliday() = default;

    // Appends a copy; its index, or -1 when the item is not valid.
    int Add(const KTHolidayItem& item);
    int Add(int month, int day, LPCTSTR name, int calendar = 1);
    void Remove(int index);
    void RemoveAll() { m_items.clear(); }
    KTHolidayItem* Get(int index) const;
    int GetCount() const { return static_cast<int>(m_items.size()); }

    int Open(LPCTSTR path);
    int IsHoliday(const COleDateTime& date) const;
    int IsHoliday(const KTKoreanDate& date) const;
    int IsHoliday(int month, int day, int calendar) const;

private:
    std::vector<std::unique_ptr<KTHolidayItem>> m_items;
};
