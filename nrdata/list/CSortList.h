// CSortList: sorts the rows of a report-style list control by the text of one column, read as
// a whole number, a text, a date-time or a real number.
//
// While the object lives, every item's data is a sort record holding the item's own data and
// its text in the sort column; the destructor gives each item its own data back. So the object
// must be destroyed while the list still holds the same items, and it lives only around one
// Sort, as the dialogs use it:
//
//     CSortList(&m_list, column).Sort(ascending, CSortList::SORT_TEXT);
//
// The comparison is no strict ordering (equal dates and real numbers compare as 1), which the
// list control's sort is made to bear: it is stable and memory-safe whatever the callback says.
#pragma once

#include "platform/core/CString.h"
#include "platform/core/Types.h"

#include <vector>

class CListCtrl;

class CSortList
{
public:
    enum EDataType : int { SORT_INTEGER = 1, SORT_TEXT = 2, SORT_DATETIME = 3, SORT_REAL = 4 };

    CSortList(CListCtrl* list, int column);
    // Only the list is copied; the copy holds no sort records.
    CSortList(const CSortList& other);
    CSortList& operator=(const CSortList& other);
    ~CSortList();

    // Sorts by the column (LVM_SORTITEMS with Compare): the control's answer.
    int Sort(bool ascending, EDataType type);

    // The comparison of two items' sort records; param is the kind, negative for descending.
    static int Compare(LPARAM a, LPARAM b, LPARAM param);

private:
    struct SortRecord
    {
        DWORD_PTR itemData;
        CString text;
    };

    CListCtrl* m_pList { nullptr };
    // Reserved once for every item: the records never move while the items point at them.
    std::vector<SortRecord> m_records;
};
