// The multi-selection tree control.
#include "ktctrl/lists/KTTreeCtrl.h"

#include "platform/gdi/SysColors.h"
#include "platform/gdi/WindowDCs.h"
#include "platform/msg/WindowApi.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

bool KeyDown(int vk)
{
    return (::GetKeyState(vk) & 0x8000) != 0;
}

bool BeyondDragDistance(CPoint a, CPoint b)
{
    return std::abs(a.x - b.x) > ::GetSystemMetrics(SM_CXDRAG) || std::abs(a.y - b.y) > ::GetSystemMetrics(SM_CYDRAG);
}

} // namespace

// ---- settings ----------------------------------------------------------------------------------------------

int KTTreeCtrl::SetMultiSelect(int multi)
{
    int old = m_bMulti;
    m_bMulti = multi;
    if (old && !multi) {
        HTREEITEM caret = GetSelectedItem();
        bool caretSelected = caret && IsSelected(caret);
        ClearSelection();
        if (caretSelected)
            SetSelectedRaw(caret, true);
    }
    return old;
}

int KTTreeCtrl::SetBandingHit(int hit)
{
    return std::exchange(m_bBandingHit, hit);
}

// ---- states ---------------------------------------------------------------------------------------------------

void KTTreeCtrl::SetSelectedRaw(HTREEITEM item, bool selected)
{
    CTreeCtrl::SetItemState(item, selected ? TVIS_SELECTED : 0, TVIS_SELECTED);
}

LRESULT KTTreeCtrl::SendTreeNotify(UINT code, HTREEITEM item, bool asNew, POINT point)
{
    NMTREEVIEW n {};
    n.hdr.hwndFrom = m_hWnd;
    n.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    n.hdr.code = code;
    TVITEM& described = asNew ? n.itemNew : n.itemOld;
    described.mask = TVIF_HANDLE | TVIF_PARAM;
    described.hItem = item;
    described.lParam = static_cast<LPARAM>(GetItemData(item));
    n.ptDrag = point;
    int previous = std::exchange(m_bEmulated, 1);
    LRESULT result = ::SendMessage(::GetParent(m_hWnd), WM_NOTIFY, n.hdr.idFrom, reinterpret_cast<LPARAM>(&n));
    m_bEmulated = previous;
    return result;
}

void KTTreeCtrl::SendClickNotify(bool right)
{
    NMHDR n {};
    n.hwndFrom = m_hWnd;
    n.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    n.code = right ? NM_RCLICK : NM_CLICK;
    ::SendMessage(::GetParent(m_hWnd), WM_NOTIFY, n.idFrom, reinterpret_cast<LPARAM>(&n));
}

bool KTTreeCtrl::ChangeSelection(HTREEITEM item, bool selected)
{
    if (!item || IsSelected(item) == selected)
        return true;
    HWND self = m_hWnd;
    if (SendTreeNotify(TVN_SELCHANGING, item, selected) != 0)
        return false;
    if (!::IsWindow(self))
        return false;
    SetSelectedRaw(item, selected);
    SendTreeNotify(TVN_SELCHANGED, item, selected);
    return true;
}

BOOL KTTreeCtrl::SetItemState(HTREEITEM item, UINT state, UINT mask)
{
    if (!m_bMulti)
        return CTreeCtrl::SetItemState(item, state & ~TVIS_FOCUSED, mask & ~TVIS_FOCUSED);
    if (!item)
        return FALSE;
    // What the item's selection is to be at the end.
    bool wanted = (mask & TVIS_SELECTED) ? (state & TVIS_SELECTED) != 0 : IsSelected(item);
    if (mask & TVIS_FOCUSED) {
        HTREEITEM caret = GetSelectedItem();
        if (state & TVIS_FOCUSED) {
            bool keepOld = caret && caret != item && IsSelected(caret);
            bool itemWas = IsSelected(item);
            CTreeCtrl::Select(item, TVGN_CARET);
            if (keepOld)
                SetSelectedRaw(caret, true);
            SetSelectedRaw(item, itemWas);
        } else if (caret == item) {
            bool itemWas = IsSelected(item);
            CTreeCtrl::Select(nullptr, TVGN_CARET);
            SetSelectedRaw(item, itemWas);
        }
    }
    if (IsSelected(item) != wanted)
        ChangeSelection(item, wanted);
    UINT rest = mask & ~(TVIS_FOCUSED | TVIS_SELECTED);
    return rest ? CTreeCtrl::SetItemState(item, state, rest) : TRUE;
}

UINT KTTreeCtrl::GetItemState(HTREEITEM item, UINT mask) const
{
    UINT state = CTreeCtrl::GetItemState(item, mask & ~TVIS_FOCUSED);
    if ((mask & TVIS_FOCUSED) && item && item == GetSelectedItem())
        state |= TVIS_FOCUSED;
    return state;
}

BOOL KTTreeCtrl::FocusItem(HTREEITEM item)
{
    if (item)
        return SetItemState(item, TVIS_FOCUSED, TVIS_FOCUSED);
    HTREEITEM caret = GetSelectedItem();
    return caret ? SetItemState(caret, 0, TVIS_FOCUSED) : TRUE;
}

// ---- selection walks -------------------------------------------------------------------------------------------

std::vector<HTREEITEM> KTTreeCtrl::VisibleItems() const
{
    std::vector<HTREEITEM> items;
    for (HTREEITEM item = FirstVisible(); item; item = NextVisible(item))
        items.push_back(item);
    return items;
}

HTREEITEM KTTreeCtrl::GetFirstSelectedItem() const
{
    for (HTREEITEM item = FirstVisible(); item; item = NextVisible(item))
        if (IsSelected(item))
            return item;
    return nullptr;
}

HTREEITEM KTTreeCtrl::GetNextSelectedItem(HTREEITEM item) const
{
    for (item = item ? NextVisible(item) : nullptr; item; item = NextVisible(item))
        if (IsSelected(item))
            return item;
    return nullptr;
}

UINT KTTreeCtrl::GetSelectedCount() const
{
    UINT count = 0;
    for (HTREEITEM item = GetFirstSelectedItem(); item; item = GetNextSelectedItem(item))
        ++count;
    return count;
}

void KTTreeCtrl::GetSelectedList(std::vector<HTREEITEM>& list) const
{
    list.clear();
    for (HTREEITEM item = GetFirstSelectedItem(); item; item = GetNextSelectedItem(item))
        list.push_back(item);
}

void KTTreeCtrl::SelectAll(int select)
{
    HWND self = m_hWnd;
    for (HTREEITEM item : VisibleItems()) {
        if (!::IsWindow(self))
            return;
        ChangeSelection(item, select != 0);
    }
}

void KTTreeCtrl::ClearSelection()
{
    HWND self = m_hWnd;
    for (HTREEITEM item = GetRootItem(); item && ::IsWindow(self); item = GetNextItem(item, static_cast<HTREEITEM>(nullptr)))
        ChangeSelection(item, false);
}

void KTTreeCtrl::SelectRange(HTREEITEM a, HTREEITEM b, int exclusive)
{
    HWND self = m_hWnd;
    bool inside = false;
    for (HTREEITEM item : VisibleItems()) {
        if (!::IsWindow(self))
            return;
        bool edge = item == a || item == b;
        bool selected = inside || edge;
        if (edge && a != b)
            inside = !inside;
        if (selected)
            ChangeSelection(item, true);
        else if (exclusive)
            ChangeSelection(item, false);
    }
}

BOOL KTTreeCtrl::SelectChildren(HTREEITEM item, int select, int recurse)
{
    BOOL hadCaret = FALSE;
    HTREEITEM caret = GetSelectedItem();
    for (HTREEITEM child = GetChildItem(item); child; child = GetNextSiblingItem(child)) {
        hadCaret |= child == caret;
        ChangeSelection(child, select != 0);
        if (recurse && (CTreeCtrl::GetItemState(child, TVIS_EXPANDED) & TVIS_EXPANDED))
            hadCaret |= SelectChildren(child, select, recurse);
    }
    return hadCaret;
}

// ---- tree walks ----------------------------------------------------------------------------------------------------

HTREEITEM KTTreeCtrl::GetNextItem(HTREEITEM item, HTREEITEM stop) const
{
    if (!item)
        return nullptr;
    if (HTREEITEM child = GetChildItem(item))
        return child;
    for (HTREEITEM at = item; at && at != stop; at = GetParentItem(at))
        if (HTREEITEM next = GetNextSiblingItem(at))
            return next;
    return nullptr;
}

HTREEITEM KTTreeCtrl::GetLastItem(HTREEITEM item) const
{
    HTREEITEM last = item ? GetChildItem(item) : GetRootItem();
    if (!last)
        return item;
    for (;;) {
        while (HTREEITEM next = GetNextSiblingItem(last))
            last = next;
        HTREEITEM child = GetChildItem(last);
        if (!child)
            return last;
        last = child;
    }
}

HTREEITEM KTTreeCtrl::GetPrevItem(HTREEITEM item) const
{
    if (HTREEITEM previous = GetPrevSiblingItem(item))
        return GetChildItem(previous) ? GetLastItem(previous) : previous;
    return GetParentItem(item);
}

int KTTreeCtrl::GetChildItemCount(HTREEITEM item) const
{
    int count = 0;
    for (HTREEITEM child = GetChildItem(item); child; child = GetNextSiblingItem(child))
        ++count;
    return count;
}

HTREEITEM KTTreeCtrl::FindItem(const CString& text, int length, HTREEITEM start) const
{
    int compared = std::max(text.GetLength() - length, 0);
    for (HTREEITEM item = start ? start : GetRootItem(); item; item = GetNextItem(item, static_cast<HTREEITEM>(nullptr))) {
        CString label = GetItemText(item).Left(compared);
        if (label.CompareNoCase(text.Left(compared)) == 0)
            return item;
    }
    return nullptr;
}

HTREEITEM KTTreeCtrl::FindItemWithDirection(const CString& text, int backwards, HTREEITEM start) const
{
    auto step = [&](HTREEITEM item) -> HTREEITEM {
        HTREEITEM next = backwards ? GetPrevItem(item) : GetNextItem(item, static_cast<HTREEITEM>(nullptr));
        if (next)
            return next;
        return backwards ? GetLastItem(nullptr) : GetRootItem(); // wrap around
    };
    if (!GetRootItem())
        return nullptr;
    HTREEITEM first = start ? step(start) : (backwards ? GetLastItem(nullptr) : GetRootItem());
    for (HTREEITEM item = first;;) {
        if (!GetChildItem(item) && GetItemText(item).Find(text) >= 0)
            return item;
        item = step(item);
        if (item == first)
            return nullptr;
    }
}

// ---- mouse --------------------------------------------------------------------------------------------------------

void KTTreeCtrl::OnLButtonDown(UINT nFlags, CPoint point) { OnButtonDown(false, nFlags, point); }
void KTTreeCtrl::OnRButtonDown(UINT nFlags, CPoint point) { OnButtonDown(true, nFlags, point); }

void KTTreeCtrl::OnButtonDown(bool right, UINT flags, CPoint point)
{
    if (!m_bMulti) {
        Default();
        return;
    }
    UINT hitFlags = 0;
    HTREEITEM item = HitTest(point, &hitFlags);
    bool onButton = (hitFlags & TVHT_ONITEMBUTTON) != 0;
    bool onCheckBox = !right && (GetStyle() & TVS_CHECKBOXES) && (hitFlags & TVHT_ONITEMSTATEICON);
    if (item && (onButton || onCheckBox)) {
        Default();
        return;
    }
    if (item && (hitFlags & (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON))) {
        HWND self = m_hWnd;
        PreSelect(right, flags, item);
        if (::IsWindow(self))
            ClickOrDrag(right, flags, item, point);
        return;
    }
    RubberBand(right, flags, point);
}

void KTTreeCtrl::PreSelect(bool right, UINT flags, HTREEITEM item)
{
    bool shift = (flags & MK_SHIFT) != 0, ctrl = (flags & MK_CONTROL) != 0;
    if (!right && shift) {
        HTREEITEM anchor = m_hSelectAnchor ? m_hSelectAnchor : GetSelectedItem();
        SelectRange(anchor ? anchor : item, item, !ctrl);
        SetItemState(item, TVIS_FOCUSED, TVIS_FOCUSED);
        return;
    }
    if (right && ctrl && !shift) {
        m_hSelectAnchor = item;
        return;
    }
    if (!shift && !ctrl) {
        if (!IsSelected(item)) {
            for (HTREEITEM other : VisibleItems())
                if (other != item)
                    ChangeSelection(other, false);
        }
        SetItemState(item, TVIS_FOCUSED | TVIS_SELECTED, TVIS_FOCUSED | TVIS_SELECTED);
        m_hSelectAnchor = nullptr;
    }
}

bool KTTreeCtrl::ClickOrDrag(bool right, UINT flags, HTREEITEM item, CPoint start)
{
    HWND self = m_hWnd;
    SetCapture();
    UINT up = right ? WM_RBUTTONUP : WM_LBUTTONUP;
    bool dragged = false, clicked = false;
    MSG msg {};
    while (!clicked && !dragged && ::GetCapture() == self && ::GetMessage(&msg, nullptr, 0, 0) > 0) {
        if (msg.hwnd == self && (msg.message == WM_LBUTTONUP || msg.message == WM_RBUTTONUP || msg.message == up)) {
            clicked = true;
        } else if (msg.hwnd == self && msg.message == WM_MOUSEMOVE &&
                   BeyondDragDistance(CPoint(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)), start)) {
            dragged = true;
        } else {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
            if (!::IsWindow(self))
                return false;
        }
    }
    if (::GetCapture() == self)
        ::ReleaseCapture();
    if (msg.message == WM_QUIT)
        ::PostQuitMessage(static_cast<int>(msg.wParam));
    if (!::IsWindow(self))
        return false;
    if (clicked) {
        if (!right && !(flags & MK_SHIFT) && (flags & MK_CONTROL)) {
            ChangeSelection(item, !IsSelected(item));
        } else if (!(flags & MK_SHIFT) || right) {
            for (HTREEITEM other : VisibleItems())
                if (other != item)
                    ChangeSelection(other, false);
            ChangeSelection(item, true);
        }
        if (!::IsWindow(self))
            return false;
        SetItemState(item, TVIS_FOCUSED, TVIS_FOCUSED);
        SetFocus();
        SendClickNotify(right);
    } else if (dragged) {
        SetItemState(item, TVIS_FOCUSED | TVIS_SELECTED, TVIS_FOCUSED | TVIS_SELECTED);
        if (!(GetStyle() & TVS_DISABLEDRAGDROP) && ::IsWindow(self))
            SendTreeNotify(right ? TVN_BEGINRDRAG : TVN_BEGINDRAG, item, true, start);
    }
    return ::IsWindow(self) != FALSE;
}

void KTTreeCtrl::UpdateBand(const CRect& band, UINT flags, const std::vector<HTREEITEM>& remembered)
{
    bool ctrl = (flags & MK_CONTROL) != 0, shift = (flags & MK_SHIFT) != 0;
    auto inList = [&](HTREEITEM item) { return std::find(remembered.begin(), remembered.end(), item) != remembered.end(); };
    for (HTREEITEM item : VisibleItems()) {
        CRect rect;
        GetItemRect(item, &rect, m_bBandingHit);
        CRect overlap;
        bool inside = overlap.IntersectRect(&rect, &band) != FALSE;
        bool listed = inList(item);
        if (inside)
            ChangeSelection(item, listed ? (ctrl ? false : shift) : true);
        else
            ChangeSelection(item, listed);
    }
}

void KTTreeCtrl::RubberBand(bool right, UINT flags, CPoint start)
{
    HWND self = m_hWnd;
    SetFocus();
    SetCapture();
    std::vector<HTREEITEM> remembered;
    if (flags & (MK_SHIFT | MK_CONTROL))
        GetSelectedList(remembered);
    SetTimer(kBandTimer, 75, nullptr);
    // The start point is kept in scrolled coordinates: the vertical position counts in items,
    // the horizontal one in pixels.
    int itemHeight = std::max<int>(GetItemHeight(), 1);
    int startScroll = GetScrollPos(SB_VERT);
    int startScrollX = GetScrollPos(SB_HORZ);
    bool dragging = false;
    CRect shown;
    UINT up = right ? WM_RBUTTONUP : WM_LBUTTONUP;
    MSG msg {};
    auto eraseBand = [&] {
        if (!shown.IsRectEmpty()) {
            CClientDC dc(this);
            dc.DrawFocusRect(&shown);
            shown.SetRectEmpty();
        }
    };
    while (::GetCapture() == self && ::GetMessage(&msg, nullptr, 0, 0) > 0) {
        if (msg.hwnd == self && msg.message == up)
            break;
        if (msg.hwnd == self && msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
            eraseBand();
            SelectAll(0);
            break;
        }
        bool move = msg.hwnd == self && msg.message == WM_MOUSEMOVE;
        bool tick = msg.hwnd == self && msg.message == WM_TIMER && msg.wParam == kBandTimer;
        if (!move && !tick) {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
            if (!::IsWindow(self))
                return;
            continue;
        }
        POINT cursor {};
        ::GetCursorPos(&cursor);
        ScreenToClient(&cursor);
        CRect client;
        GetClientRect(&client);
        if (tick && client.PtInRect(cursor))
            continue;
        if (!dragging && !BeyondDragDistance(cursor, start))
            continue;
        if (!dragging) {
            dragging = true;
            if (!(flags & (MK_SHIFT | MK_CONTROL)))
                ClearSelection();
        }
        if (cursor.y < client.top)
            SendMessage(WM_VSCROLL, SB_LINEUP);
        else if (cursor.y >= client.bottom)
            SendMessage(WM_VSCROLL, SB_LINEDOWN);
        if (::IsWindow(self) && cursor.x < client.left)
            SendMessage(WM_HSCROLL, SB_LINELEFT);
        else if (::IsWindow(self) && cursor.x >= client.right)
            SendMessage(WM_HSCROLL, SB_LINERIGHT);
        if (!::IsWindow(self))
            return;
        int scrolled = (GetScrollPos(SB_VERT) - startScroll) * itemHeight;
        int scrolledX = GetScrollPos(SB_HORZ) - startScrollX;
        CRect band(start.x - scrolledX, start.y - scrolled, cursor.x, cursor.y);
        band.NormalizeRect();
        eraseBand();
        UpdateBand(band, flags, remembered);
        if (!::IsWindow(self))
            return;
        CClientDC dc(this);
        dc.DrawFocusRect(&band);
        shown = band;
    }
    if (msg.message == WM_QUIT)
        ::PostQuitMessage(static_cast<int>(msg.wParam));
    if (!::IsWindow(self))
        return;
    KillTimer(kBandTimer);
    if (::GetCapture() == self)
        ::ReleaseCapture();
    eraseBand();
    if (!dragging && !(flags & (MK_SHIFT | MK_CONTROL)))
        ClearSelection();
    if (::IsWindow(self))
        SendClickNotify(right);
}

// ---- keys, expansion, focus -------------------------------------------------------------------------------------------

void KTTreeCtrl::OnKeyDown(UINT nChar, UINT, UINT)
{
    if (!m_bMulti || (nChar != VK_UP && nChar != VK_DOWN)) {
        Default();
        return;
    }
    bool shift = KeyDown(VK_SHIFT), ctrl = KeyDown(VK_CONTROL);
    HWND self = m_hWnd;
    if (!shift && !ctrl) {
        SelectAll(0);
        m_hSelectAnchor = nullptr;
        if (::IsWindow(self))
            Default();
        return;
    }
    if (!m_hSelectAnchor)
        m_hSelectAnchor = GetSelectedItem();
    HTREEITEM caret = GetSelectedItem();
    bool caretWas = caret && IsSelected(caret);
    Default();
    if (!::IsWindow(self))
        return;
    // The standard move unselects the old caret; a multi-selection keeps it.
    if (caret && caretWas && caret != GetSelectedItem())
        SetSelectedRaw(caret, true);
    HTREEITEM now = GetSelectedItem();
    if (shift)
        SelectRange(m_hSelectAnchor, now, 1);
    else if (ctrl)
        SetItemState(now, TVIS_FOCUSED, TVIS_FOCUSED);
}

BOOL KTTreeCtrl::OnItemExpanding(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    auto* info = reinterpret_cast<NMTREEVIEW*>(pNMHDR);
    if (!m_bMulti || !(info->action & TVE_COLLAPSE))
        return FALSE;
    HTREEITEM item = info->itemNew.hItem;
    BOOL hadCaret = SelectChildren(item, 0, 1);
    if (hadCaret && !IsSelected(item))
        SetItemState(GetSelectedItem(), 0, TVIS_FOCUSED);
    return FALSE;
}

void KTTreeCtrl::OnKillFocus(CWnd*)
{
    Default();
    if (!m_bMulti || !::IsWindow(m_hWnd))
        return;
    for (HTREEITEM item = GetFirstSelectedItem(); item; item = GetNextSelectedItem(item)) {
        CRect rect;
        if (GetItemRect(item, &rect, FALSE))
            InvalidateRect(&rect);
    }
}

const platform::MessageMap* KTTreeCtrl::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_LBUTTONDOWN, &KTTreeCtrl::OnLButtonDown>(),
        Message<WM_RBUTTONDOWN, &KTTreeCtrl::OnRButtonDown>(),
        Message<WM_KEYDOWN, &KTTreeCtrl::OnKeyDown>(),
        Message<WM_KILLFOCUS, &KTTreeCtrl::OnKillFocus>(),
        ReflectNotify<&KTTreeCtrl::OnItemExpanding>(TVN_ITEMEXPANDING),
    };
    static constexpr platform::MessageMap kMap { &CTreeCtrl::GetThisMessageMap, kEntries };
    return &kMap;
}
