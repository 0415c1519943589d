// The sortable list control.
#include "ktctrl/lists/KTListCtrl.h"

#include "ktctrl/res/KTCtrlBitmaps.h"
#include "platform/gdi/MappedBitmap.h"
#include "platform/gdi/SysColors.h"
#include "platform/msg/WindowApi.h"

#include <cstdlib>
#include <cstring>
#include <memory>

KTListCtrl::~KTListCtrl()
{
    if (::IsWindow(m_hWnd))
        DestroyWindow();
}

// ---- records ---------------------------------------------------------------------------------------

KTListCtrl::ItemRecord* KTListCtrl::RecordOf(int item) const
{
    LVITEM lv {};
    lv.mask = LVIF_PARAM;
    lv.iItem = item;
    if (!CListCtrl::GetItem(&lv))
        return nullptr;
    return reinterpret_cast<ItemRecord*>(lv.lParam);
}

KTListCtrl::ItemRecord* KTListCtrl::EnsureRecord(int item)
{
    if (item < 0 || item >= GetItemCount())
        return nullptr;
    if (ItemRecord* record = RecordOf(item))
        return record;
    auto record = std::make_unique<ItemRecord>();
    if (!CListCtrl::SetItemData(item, reinterpret_cast<DWORD_PTR>(record.get())))
        return nullptr;
    return record.release();
}

BOOL KTListCtrl::SetItemData(int item, DWORD data)
{
    ItemRecord* record = EnsureRecord(item);
    if (!record)
        return FALSE;
    record->userData = data;
    return TRUE;
}

DWORD KTListCtrl::GetItemData(int item) const
{
    ItemRecord* record = RecordOf(item);
    return record ? record->userData : 0;
}

BOOL KTListCtrl::GetItem(LVITEM* item) const
{
    if (!item || !CListCtrl::GetItem(item))
        return FALSE;
    if (item->mask & LVIF_PARAM) {
        ItemRecord* record = reinterpret_cast<ItemRecord*>(item->lParam);
        item->lParam = record ? record->userData : 0;
    }
    return TRUE;
}

void KTListCtrl::OnInsertItem(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* info = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    // An insertion without LVIF_PARAM leaves the item's LPARAM 0.
    LVITEM lv {};
    lv.mask = LVIF_PARAM;
    lv.iItem = info->iItem;
    CListCtrl::GetItem(&lv);
    auto record = std::make_unique<ItemRecord>();
    record->userData = static_cast<DWORD>(lv.lParam);
    if (CListCtrl::SetItemData(info->iItem, reinterpret_cast<DWORD_PTR>(record.get())))
        record.release();
    *pResult = 0;
}

void KTListCtrl::OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* info = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    delete reinterpret_cast<ItemRecord*>(info->lParam ? info->lParam : 0);
    *pResult = 0;
}

void KTListCtrl::OnDestroy()
{
    // The records go with the items: nothing is left behind when the window goes.
    for (int i = 0, n = GetItemCount(); i < n; ++i) {
        delete RecordOf(i);
        CListCtrl::SetItemData(i, 0);
    }
    Default();
}

// ---- header ------------------------------------------------------------------------------------------

void KTListCtrl::SetUpHeaderImages()
{
    if (!m_HeaderImages.GetSafeHandle()) {
        m_HeaderImages.Create(9, 5, ILC_COLOR24 | ILC_MASK, 2, 0);
        COLORMAP grey { RGB(0, 0, 0), ::GetSysColor(COLOR_GRAYTEXT) };
        for (UINT id : { ktctrl::IDB_SORT_ASCENDING, ktctrl::IDB_SORT_DESCENDING }) {
            CBitmap bitmap;
            if (LoadMappedBitmap(bitmap, id, 0, &grey, 1))
                m_HeaderImages.Add(&bitmap, RGB(255, 255, 255));
        }
    }
    // The header may come into being after the list (with its first column).
    CHeaderCtrl* header = ::IsWindow(m_hWnd) ? GetHeaderCtrl() : nullptr;
    if (header && ::IsWindow(header->m_hWnd) && header->GetImageList() != &m_HeaderImages)
        header->SetImageList(&m_HeaderImages);
}

void KTListCtrl::PreSubclassWindow()
{
    CListCtrl::PreSubclassWindow();
    SetUpHeaderImages();
}

int KTListCtrl::OnCreate(LPCREATESTRUCT)
{
    int result = static_cast<int>(Default());
    if (result != -1)
        SetUpHeaderImages();
    return result;
}

void KTListCtrl::ShowSortIcon(int show)
{
    m_bShowSortIcon = show;
    UpdateHeaderArrows();
}

void KTListCtrl::UpdateHeaderArrows()
{
    SetUpHeaderImages();
    CHeaderCtrl* header = GetHeaderCtrl();
    if (!header || !::IsWindow(header->m_hWnd))
        return;
    int sorted = std::abs(m_nSortColumn) - 1;
    for (int i = 0, n = header->GetItemCount(); i < n; ++i) {
        HDITEM item {};
        item.mask = HDI_FORMAT;
        header->GetItem(i, &item);
        item.fmt &= HDF_JUSTIFYMASK;
        item.fmt |= HDF_STRING;
        if (m_bShowSortIcon && i == sorted) {
            item.mask |= HDI_IMAGE;
            item.fmt |= HDF_IMAGE | HDF_BITMAP_ON_RIGHT;
            item.iImage = m_nSortColumn > 0 ? 0 : 1;
        }
        header->SetItem(i, &item);
    }
}

// ---- sorting -------------------------------------------------------------------------------------------

int KTListCtrl::CompareUser(LPARAM a, LPARAM b, LPARAM self)
{
    auto* list = reinterpret_cast<KTListCtrl*>(self);
    auto* ra = reinterpret_cast<ItemRecord*>(a);
    auto* rb = reinterpret_cast<ItemRecord*>(b);
    return list->m_pfnSort(ra ? ra->userData : 0, rb ? rb->userData : 0, list->m_dwSortData);
}

int KTListCtrl::CompareText(LPARAM a, LPARAM b, LPARAM self)
{
    auto* list = reinterpret_cast<KTListCtrl*>(self);
    auto* ra = reinterpret_cast<ItemRecord*>(a);
    auto* rb = reinterpret_cast<ItemRecord*>(b);
    int order = std::strcmp(ra ? ra->text.GetString() : "", rb ? rb->text.GetString() : "");
    return list->m_nSortColumn < 0 ? -order : order;
}

void KTListCtrl::Sort()
{
    if (m_pfnSort) {
        CListCtrl::SortItems(&CompareUser, reinterpret_cast<DWORD_PTR>(this));
        return;
    }
    if (!m_bAutoSort || m_nSortColumn == 0)
        return;
    int column = std::abs(m_nSortColumn) - 1;
    for (int i = 0, n = GetItemCount(); i < n; ++i)
        if (ItemRecord* record = EnsureRecord(i))
            record->text = GetItemText(i, column);
    CListCtrl::SortItems(&CompareText, reinterpret_cast<DWORD_PTR>(this));
}

void KTListCtrl::SortColumn(int column)
{
    if (column == 0)
        return;
    m_nSortColumn = column;
    if (m_bShowSortIcon)
        UpdateHeaderArrows();
    Sort();
}

void KTListCtrl::SortItems(SortCallback callback, DWORD userValue)
{
    m_pfnSort = callback;
    m_dwSortData = userValue;
    Sort();
}

void KTListCtrl::SetSortCallBack(SortCallback callback, DWORD userValue)
{
    m_pfnSort = callback;
    m_dwSortData = userValue;
}

BOOL KTListCtrl::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (!m_bAutoSort)
        return FALSE;
    auto* info = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    int column = info->iSubItem + 1;
    SortColumn(std::abs(m_nSortColumn) == column ? -m_nSortColumn : column);
    return FALSE; // the parent still hears of the click
}

const platform::MessageMap* KTListCtrl::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_CREATE, &KTListCtrl::OnCreate>(),
        Message<WM_DESTROY, &KTListCtrl::OnDestroy>(),
        ReflectNotify<&KTListCtrl::OnInsertItem>(LVN_INSERTITEM),
        ReflectNotify<&KTListCtrl::OnDeleteItem>(LVN_DELETEITEM),
        ReflectNotify<&KTListCtrl::OnColumnClick>(LVN_COLUMNCLICK),
    };
    static constexpr platform::MessageMap kMap { &CListCtrl::GetThisMessageMap, kEntries };
    return &kMap;
}
