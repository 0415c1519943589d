// CSortList: list sorting by one column.
#include "nrdata/list/CSortList.h"

#include "platform/core/OleDateTime.h"
#include "platform/ui/controls/ListCtrl.h"

#include <cstdlib>
#include <unordered_set>

namespace {

int Sign(long long value) { return (value > 0) - (value < 0); }

// Case-insensitive comparison of texts: ASCII letters fold, other bytes (multi-byte characters)
// compare as they are.
int CompareNoCase(const CString& a, const CString& b) { return Sign(a.CompareNoCase(b)); }

} // namespace

CSortList::CSortList(CListCtrl* list, int column) : m_pList(list)
{
    if (!m_pList)
        return;
    const int count = m_pList->GetItemCount();
    for (int item = 0; item < count; ++item) {
        auto record = std::make_unique<SortRecord>(SortRecord { m_pList->GetItemData(item), m_pList->GetItemText(item, column) });
        m_pList->SetItemData(item, reinterpret_cast<DWORD_PTR>(record.get()));
        m_records.push_back(std::move(record));
    }
}

CSortList::CSortList(const CSortList& other) : m_pList(other.m_pList) {}

CSortList& CSortList::operator=(const CSortList& other)
{
    m_pList = other.m_pList;
    return *this;
}

CSortList::~CSortList()
{
    if (!m_pList || m_records.empty())
        return;
    // Only items that still carry one of our records get their own data back; the records are
    // ours and go with the object whatever happened to the list meanwhile.
    std::unordered_set<DWORD_PTR> ours;
    for (const auto& record : m_records)
        ours.insert(reinterpret_cast<DWORD_PTR>(record.get()));
    const int count = m_pList->GetItemCount();
    for (int item = 0; item < count; ++item) {
        const DWORD_PTR data = m_pList->GetItemData(item);
        if (ours.count(data))
            m_pList->SetItemData(item, reinterpret_cast<const SortRecord*>(data)->itemData);
    }
}

int CSortList::Sort(bool ascending, EDataType type)
{
    if (!m_pList)
        return 0;
    const LPARAM param = ascending ? static_cast<LPARAM>(type) : -static_cast<LPARAM>(type);
    return m_pList->SortItems(&CSortList::Compare, static_cast<DWORD_PTR>(param));
}

int CSortList::Compare(LPARAM a, LPARAM b, LPARAM param)
{
    const auto* first = reinterpret_cast<const SortRecord*>(a);
    const auto* second = reinterpret_cast<const SortRecord*>(b);
    if (!first || !second)
        return 0;
    const int sign = param < 0 ? -1 : 1;
    switch (param < 0 ? -param : param) {
    case SORT_INTEGER: {
        // Compared, not subtracted: a difference too wide for the result would turn round.
        const long x = std::atol(first->text);
        const long y = std::atol(second->text);
        return ((x > y) - (x < y)) * sign;
    }
    case SORT_TEXT:
        return CompareNoCase(first->text, second->text) * sign;
    case SORT_DATETIME: {
        COleDateTime x, y;
        if (!x.ParseDateTime(first->text) || !y.ParseDateTime(second->text))
            return 0;
        return (x < y ? -1 : 1) * sign;
    }
    case SORT_REAL:
        return (std::atof(first->text) >= std::atof(second->text) ? 1 : -1) * sign;
    default:
        return 0;
    }
}
