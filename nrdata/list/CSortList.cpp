// CSortList: list sorting by one column.
#include "nrdata/list/CSortList.h"

#include "platform/core/OleDateTime.h"
#include "platform/ui/controls/ListCtrl.h"

#include <algorithm>
#include <cstdlib>

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
    m_records.reserve(static_cast<size_t>(std::max(count, 0)));
    // A list of thousands of rows: each item's data and sort text in one request, the whole text
    // asked for again only when it filled the buffer.
    char buffer[512];
    for (int item = 0; item < count; ++item) {
        LVITEM read {};
        read.mask = LVIF_PARAM | LVIF_TEXT;
        read.iItem = item;
        read.iSubItem = column;
        read.pszText = buffer;
        read.cchTextMax = static_cast<int>(sizeof buffer);
        buffer[0] = '\0';
        m_pList->GetItem(&read);
        CString text(buffer);
        if (text.GetLength() >= static_cast<int>(sizeof buffer) - 1)
            text = m_pList->GetItemText(item, column);
        m_records.push_back(SortRecord { static_cast<DWORD_PTR>(read.lParam), text });
        m_pList->SetItemData(item, reinterpret_cast<DWORD_PTR>(&m_records.back()));
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
    const DWORD_PTR first = reinterpret_cast<DWORD_PTR>(m_records.data());
    const DWORD_PTR span = m_records.size() * sizeof(SortRecord);
    const int count = m_pList->GetItemCount();
    for (int item = 0; item < count; ++item) {
        const DWORD_PTR data = m_pList->GetItemData(item);
        const DWORD_PTR offset = data - first;
        if (offset < span && offset % sizeof(SortRecord) == 0)
            m_pList->SetItemData(item, m_records[offset / sizeof(SortRecord)].itemData);
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
