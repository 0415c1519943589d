// KTListCtrl: a report-style list view that sorts by a column when its header is clicked
// (a second click on the same column reverses the direction) and shows an arrow in the sorted
// column's header. It keeps its own record behind every item, so the caller's item data
// survives a sort by text.
#pragma once

#include "platform/gdi/CImageList.h"
#include "platform/ui/controls/ListCtrl.h"

class KTListCtrl : public CListCtrl
{
public:
    using SortCallback = PFNLVCOMPARE;

    KTListCtrl() = default;
    // Destroys the window while the object is still a KTListCtrl, so the item records go too.
    ~KTListCtrl() override;

    // 0 does nothing; +n sorts ascending by column n (1-based), -n descending.
    void SortColumn(int column);
    int GetSortColumn() const { return m_nSortColumn; }
    void SortItems(SortCallback callback, DWORD userValue);
    void SetSortCallBack(SortCallback callback, DWORD userValue);
    void EnalbeAutoSort(int enable) { m_bAutoSort = enable; }
    void ShowSortIcon(int show);
    BOOL IsSortAscending() const { return m_nSortColumn > 0; }

    // The caller's data of an item, kept in the control's record.
    BOOL SetItemData(int item, DWORD data);
    DWORD GetItemData(int item) const;
    // LVM_GETITEM, with the record's user data in place of the LPARAM.
    BOOL GetItem(LVITEM* item) const;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

protected:
    void PreSubclassWindow() override;

private:
    struct ItemRecord
    {
        virtual ~ItemRecord() = default;
        DWORD userData { 0 };
        CString text;
        int reserved { 0 };
    };

    void SetUpHeaderImages();
    void UpdateHeaderArrows();
    void Sort();
    ItemRecord* RecordOf(int item) const;
    ItemRecord* EnsureRecord(int item);
    static int CompareUser(LPARAM a, LPARAM b, LPARAM self);
    static int CompareText(LPARAM a, LPARAM b, LPARAM self);

    int OnCreate(LPCREATESTRUCT cs);
    void OnDestroy();
    void OnInsertItem(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult);
    BOOL OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);

    SortCallback m_pfnSort { nullptr };
    DWORD m_dwSortData { 0 };
    CImageList m_HeaderImages;
    int m_nSortColumn { 0 };
    int m_bAutoSort { 1 };
    int m_bShowSortIcon { 1 };
};
