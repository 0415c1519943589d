// KTCtrlGF: each member works through the control's window messages, so the object form and the
// by-id form (which has only the window) share one path.
#include "ktutil/KTCtrlGF.h"

#include "ktutil/KTGF.h"
#include "platform/core/Collections.h"
#include "platform/msg/Wnd.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/controls/HeaderCtrl.h"
#include "platform/ui/controls/ListCtrl.h"
#include "platform/ui/controls/TreeCtrl.h"
#include "platform/ui/controls/ListBox.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// The texts of a list-like control: its count, text-length and text messages.
struct EntryMessages
{
    UINT count;
    UINT length;
    UINT text;
};

constexpr EntryMessages kComboEntries { CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT };
constexpr EntryMessages kListEntries { LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT };

CStringArray EntriesOf(const CWnd* control, const EntryMessages& messages)
{
    CStringArray entries;
    const int count = static_cast<int>(control->SendMessage(messages.count));
    for (int i = 0; i < count; ++i) {
        const int length = static_cast<int>(control->SendMessage(messages.length, static_cast<WPARAM>(i)));
        std::vector<char> text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
        control->SendMessage(messages.text, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        entries.Add(CString(text.data()));
    }
    return entries;
}

int FindEntry(const CWnd* control, const EntryMessages& messages, LPCTSTR text, BOOL caseSensitive)
{
    if (!KTCtrlGF::IsValidWnd(control) || !text)
        return -1;
    return KTGF::FindString(EntriesOf(control, messages), text, caseSensitive);
}

int ColumnCount(const CListCtrl* list)
{
    CHeaderCtrl* header = list->GetHeaderCtrl();
    return header ? header->GetItemCount() : 0;
}

// Both list views valid and with the same number of columns.
bool CanCopy(const CListCtrl* source, const CListCtrl* target)
{
    return KTCtrlGF::IsValidWnd(source) && KTCtrlGF::IsValidWnd(target) && ColumnCount(source) == ColumnCount(target);
}

// Inserts the source item's first column at the index (text and image 0), then its other
// columns and its item data; the index the item got.
int CopyItemTo(const CListCtrl* source, int sourceIndex, CListCtrl* target, int targetIndex)
{
    int index = target->InsertItem(LVIF_TEXT | LVIF_IMAGE, targetIndex, source->GetItemText(sourceIndex, 0), 0, 0, 0, 0);
    if (index < 0)
        return -1;
    const int columns = ColumnCount(source);
    for (int column = 1; column < columns; ++column)
        target->SetItemText(index, column, source->GetItemText(sourceIndex, column));
    target->SetItemData(index, static_cast<DWORD>(source->GetItemData(sourceIndex)));
    return index;
}

// Sets or clears the selected state of one tree item; the tree's answer.
BOOL SetTreeItemSelected(CWnd* tree, HTREEITEM item, bool selected)
{
    TVITEM change;
    change.mask = TVIF_STATE;
    change.hItem = item;
    change.state = selected ? TVIS_SELECTED : 0;
    change.stateMask = TVIS_SELECTED;
    return static_cast<BOOL>(tree->SendMessage(TVM_SETITEM, 0, reinterpret_cast<LPARAM>(&change)));
}

// The control's rectangle in its parent's client area (in screen terms for a top-level).
CRect PlaceOf(const CWnd* control)
{
    CRect rect;
    control->GetWindowRect(&rect);
    if (CWnd* parent = control->GetParent())
        parent->ScreenToClient(&rect);
    return rect;
}

} // namespace

// ---- windows -------------------------------------------------------------------------------------

BOOL KTCtrlGF::IsValidWnd(const CWnd* window) { return window && ::IsWindow(window->GetSafeHwnd()); }

CWnd* KTCtrlGF::GetWnd(const CWnd* parent, UINT id)
{
    return IsValidWnd(parent) ? parent->GetDlgItem(static_cast<int>(id)) : nullptr;
}

void KTCtrlGF::ResizeWnd(CWnd* control, int dx, int dy)
{
    if (!IsValidWnd(control))
        return;
    CRect rect = PlaceOf(control);
    control->SetWindowPos(nullptr, 0, 0, rect.Width() + dx, rect.Height() + dy,
                          SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void KTCtrlGF::ResizeWnd(const CWnd* parent, UINT id, int dx, int dy) { ResizeWnd(GetWnd(parent, id), dx, dy); }

void KTCtrlGF::MoveWnd(CWnd* control, int dx, int dy)
{
    if (!IsValidWnd(control))
        return;
    CRect rect = PlaceOf(control);
    control->SetWindowPos(nullptr, rect.left + dx, rect.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void KTCtrlGF::MoveWnd(const CWnd* parent, UINT id, int dx, int dy) { MoveWnd(GetWnd(parent, id), dx, dy); }

void KTCtrlGF::SetWndNum(CWnd* control, int value)
{
    if (!IsValidWnd(control))
        return;
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    control->SetWindowText(text);
}

void KTCtrlGF::SetWndNum(const CWnd* parent, UINT id, int value) { SetWndNum(GetWnd(parent, id), value); }

int KTCtrlGF::GetWndNum(const CWnd* control)
{
    if (!IsValidWnd(control))
        return 0;
    CString text;
    control->GetWindowText(text);
    errno = 0;
    long value = std::strtol(text, nullptr, 10);
    if (errno == ERANGE || value > INT_MAX || value < INT_MIN)
        return value < 0 ? INT_MIN : INT_MAX;
    return static_cast<int>(value);
}

int KTCtrlGF::GetWndNum(const CWnd* parent, UINT id) { return GetWndNum(GetWnd(parent, id)); }

void KTCtrlGF::EnableWnd(CWnd* control, BOOL enable)
{
    if (IsValidWnd(control))
        control->EnableWindow(enable);
}

void KTCtrlGF::EnableWnd(const CWnd* parent, UINT id, BOOL enable) { EnableWnd(GetWnd(parent, id), enable); }

// ---- edits and buttons ---------------------------------------------------------------------------------

void KTCtrlGF::EDT_SetFocus(CWnd* edit, BOOL selectAll)
{
    if (!IsValidWnd(edit))
        return;
    edit->SetFocus();
    if (selectAll) {
        edit->SendMessage(EM_SETSEL, 0, -1);
        edit->SendMessage(EM_SCROLLCARET);
    }
}

void KTCtrlGF::EDT_SetFocus(const CWnd* parent, UINT id, BOOL selectAll) { EDT_SetFocus(GetWnd(parent, id), selectAll); }

int KTCtrlGF::BTN_GetCheck(const CWnd* button)
{
    return IsValidWnd(button) ? static_cast<int>(button->SendMessage(BM_GETCHECK)) : 0;
}

int KTCtrlGF::BTN_GetCheck(const CWnd* parent, UINT id) { return BTN_GetCheck(GetWnd(parent, id)); }

void KTCtrlGF::BTN_SetCheck(CWnd* button, int state)
{
    if (IsValidWnd(button))
        button->SendMessage(BM_SETCHECK, static_cast<WPARAM>(state));
}

void KTCtrlGF::BTN_SetCheck(const CWnd* parent, UINT id, int state) { BTN_SetCheck(GetWnd(parent, id), state); }

// ---- combo boxes and list boxes ------------------------------------------------------------------------

int KTCtrlGF::CBO_FindString(const CComboBox* combo, LPCTSTR text, BOOL caseSensitive)
{
    return FindEntry(combo, kComboEntries, text, caseSensitive);
}

int KTCtrlGF::CBO_FindData(const CComboBox* combo, DWORD data)
{
    if (!IsValidWnd(combo))
        return -1;
    const int count = combo->GetCount();
    for (int i = 0; i < count; ++i) {
        if (static_cast<DWORD>(combo->GetItemData(i)) == data)
            return i;
    }
    return -1;
}

int KTCtrlGF::LB_FindString(const CListBox* list, LPCTSTR text, BOOL caseSensitive)
{
    return FindEntry(list, kListEntries, text, caseSensitive);
}

// ---- list views -----------------------------------------------------------------------------------

int KTCtrlGF::LST_GetSelectedIndex(const CListCtrl* list, BOOL focusedOnly)
{
    if (!IsValidWnd(list))
        return -1;
    for (int item = list->GetNextItem(-1, LVNI_SELECTED); item >= 0; item = list->GetNextItem(item, LVNI_SELECTED)) {
        if (!focusedOnly || (list->GetItemState(item, LVIS_FOCUSED) & LVIS_FOCUSED))
            return item;
    }
    return -1;
}

int KTCtrlGF::LST_GetCheckedCount(const CListCtrl* list)
{
    if (!IsValidWnd(list))
        return 0;
    int checked = 0;
    const int count = list->GetItemCount();
    for (int item = 0; item < count; ++item)
        checked += list->GetCheck(item) ? 1 : 0;
    return checked;
}

int KTCtrlGF::LST_FindString(const CListCtrl* list, int column, LPCTSTR text, BOOL caseSensitive)
{
    if (!IsValidWnd(list) || !text)
        return -1;
    CStringArray texts;
    const int count = list->GetItemCount();
    for (int item = 0; item < count; ++item)
        texts.Add(list->GetItemText(item, column));
    return KTGF::FindString(texts, text, caseSensitive);
}

int KTCtrlGF::LST_SelectItem(CListCtrl* list, int index, BOOL exclusive)
{
    if (!IsValidWnd(list))
        return 0;
    constexpr UINT kStates = LVIS_SELECTED | LVIS_FOCUSED;
    const int count = list->GetItemCount();
    for (int item = 0; item < count; ++item) {
        if (item == index)
            list->SetItemState(item, kStates, kStates);
        else if (exclusive)
            list->SetItemState(item, 0, kStates);
    }
    return 1;
}

int KTCtrlGF::LST_CopyItemAll(const CListCtrl* source, CListCtrl* target, BOOL clear)
{
    if (!CanCopy(source, target))
        return 0;
    if (clear)
        target->DeleteAllItems();
    const int count = source->GetItemCount();
    for (int item = 0; item < count; ++item)
        CopyItemTo(source, item, target, item);
    return 1;
}

int KTCtrlGF::LST_CopyItem(const CListCtrl* source, CListCtrl* target, int sourceIndex, int targetIndex)
{
    if (!CanCopy(source, target) || sourceIndex < 0 || sourceIndex >= source->GetItemCount())
        return -1;
    const int count = target->GetItemCount();
    if (targetIndex < 0 || targetIndex >= count)
        targetIndex = count;
    return CopyItemTo(source, sourceIndex, target, targetIndex);
}

// ---- trees ------------------------------------------------------------------------------------------

HTREEITEM KTCtrlGF::TRE_GetSelectedItem(const CWnd* tree)
{
    if (!IsValidWnd(tree))
        return nullptr;
    return reinterpret_cast<HTREEITEM>(tree->SendMessage(TVM_GETNEXTITEM, TVGN_CARET, 0));
}

HTREEITEM KTCtrlGF::TRE_GetSelectedItem(const CWnd* parent, UINT id) { return TRE_GetSelectedItem(GetWnd(parent, id)); }

BOOL KTCtrlGF::TRE_SetSelectedItem(CWnd* tree, HTREEITEM item)
{
    if (!IsValidWnd(tree))
        return FALSE;
    BOOL result = FALSE;
    if (HTREEITEM caret = TRE_GetSelectedItem(tree))
        result = SetTreeItemSelected(tree, caret, false);
    if (item)
        result = SetTreeItemSelected(tree, item, true);
    return result;
}

BOOL KTCtrlGF::TRE_SetSelectedItem(const CWnd* parent, UINT id, HTREEITEM item)
{
    return TRE_SetSelectedItem(GetWnd(parent, id), item);
}
