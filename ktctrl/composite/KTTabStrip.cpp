// What the flat and side tab strips share.
#include "ktctrl/composite/KTTabStrip.h"

#include "ktctrl/basic/OffscreenDC.h"
#include "ktctrl/composite/ControlClass.h"
#include "ktutil/KTGF.h"
#include "platform/core/Clock.h"
#include "platform/gdi/Icon.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/WindowDCs.h"
#include "platform/msg/WindowApi.h"
#include "platform/ui/controls/Button.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {
constexpr UINT kClassStyles = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
constexpr int kEditLimit = 50;

// A tab text as the strips keep it: at most KTTAB_MAXTEXT characters, cut between characters.
CString LimitText(LPCTSTR text) { return KTGF::LeftText(text ? text : "", KTTAB_MAXTEXT); }
} // namespace

// Rows of the glyph strip, bit 31 the leftmost pixel: first (|<), previous (<), next (>), last (>|).
const DWORD KTTabStrip::s_GlyphBits[7] = {
    0x84042021u, 0x8C0C3031u, 0x9C1C3839u, 0xBC3C3C3Du, 0x9C1C3839u, 0x8C0C3031u, 0x84042021u,
};

KTTabStripItem& KTTabStripItem::operator=(const KTTabStripItem& other)
{
    if (this == &other)
        return *this;
    m_strText = other.m_strText;
    m_strTooltip = other.m_strTooltip;
    m_dwData = other.m_dwData;
    m_rcTab = other.m_rcTab;
    m_rcText = other.m_rcText;
    m_bVisible = other.m_bVisible;
    m_bCurrent = other.m_bCurrent;
    m_bDisabled = other.m_bDisabled;
    m_bHighlighted = other.m_bHighlighted;
    m_bHighlightChanged = other.m_bHighlightChanged;
    m_nImage = other.m_nImage;
    return *this;
}

// ---- life ------------------------------------------------------------------------------------------

KTTabStrip::KTTabStrip(LPCTSTR className) : m_className(className)
{
    ktctrl::RegisterControlClass(className, kClassStyles);
    m_edit.m_pStrip = this;
    DefaultFont(FALSE);
}

KTTabStrip::~KTTabStrip()
{
    if (m_edit.GetSafeHwnd()) {
        m_bEditClosing = TRUE;
        m_edit.DestroyWindow();
    }
    if (GetSafeHwnd())
        DestroyWindow();
    if (m_hMoveCursor)
        DestroyIcon(m_hMoveCursor);
    if (m_hCopyCursor)
        DestroyIcon(m_hCopyCursor);
}

BOOL KTTabStrip::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id)
{
    if (!CWnd::Create(m_className, "", style | WS_CHILD, rect, parent, id))
        return FALSE;
    PreSubclassWindow();
    return TRUE;
}

void KTTabStrip::PreSubclassWindow()
{
    m_theme.OpenThemeData(m_hWnd, L"SPIN");
    CWnd::ModifyStyle(0, WS_CLIPCHILDREN);
    m_bLayoutReady = TRUE;
    RecalcLayout(LAYOUT_VALIDATE);
}

// ---- items ---------------------------------------------------------------------------------------------

KTTabStripItem* KTTabStrip::Item(int index) const
{
    if (index < 0 || index >= GetItemCount())
        return nullptr;
    return m_items[static_cast<size_t>(index)].get();
}

int KTTabStrip::InsertItem(int index, LPCTSTR text, int image, long data)
{
    if (index < 0 || index > GetItemCount())
        return KTTAB_ERR_INDEX;
    if (KTGF::TextCount(text ? text : "") > KTTAB_MAXTEXT)
        return KTTAB_ERR_TEXTLONG;
    auto item = NewItem(text, static_cast<DWORD>(data));
    if (!item)
        return KTTAB_ERR_MEMORY;
    item->m_nImage = image;
    m_items.insert(m_items.begin() + index, std::move(item));
    if (m_nCurrent >= index)
        ++m_nCurrent;
    if (m_nEditItem >= index)
        ++m_nEditItem;
    RecalcLayout(LAYOUT_VALIDATE);
    Invalidate(FALSE);
    return index;
}

int KTTabStrip::DeleteItem(int index)
{
    if (!Item(index))
        return KTTAB_ERR_INDEX;
    if (index == m_nEditItem) {
        m_bEditClosing = TRUE;
        m_edit.DestroyWindow();
        m_bEditClosing = FALSE;
        m_nEditItem = -1;
    } else if (m_nEditItem > index) {
        --m_nEditItem;
    }
    m_items.erase(m_items.begin() + index);
    const int count = GetItemCount();
    if (index == m_nCurrent) {
        if (m_nCurrent >= count)
            m_nCurrent = count - 1; // the last one went: the one before it, or none
        if (auto* item = Item(m_nCurrent))
            item->m_bCurrent = TRUE;
    } else if (index < m_nCurrent) {
        --m_nCurrent;
    }
    if (m_nPress >= count)
        m_nPress = KTTAB_HIT_NOWHERE;
    if (m_nDrop > count)
        m_nDrop = count;
    RecalcLayout(LAYOUT_VALIDATE);
    Invalidate(FALSE);
    return 0;
}

void KTTabStrip::DeleteAllItems()
{
    if (m_edit.GetSafeHwnd()) {
        m_bEditClosing = TRUE;
        m_edit.DestroyWindow();
        m_bEditClosing = FALSE;
    }
    m_nEditItem = -1;
    m_items.clear();
    m_nCurrent = -1;
    m_nFirst = 0;
    m_nPress = KTTAB_HIT_NOWHERE;
    m_nDrop = -1;
    m_bDragging = FALSE;
    RecalcLayout(LAYOUT_VALIDATE);
    Invalidate(FALSE);
}

BOOL KTTabStrip::SetItemText(int index, LPCTSTR text)
{
    auto* item = Item(index);
    if (!item)
        return FALSE;
    item->m_strText = LimitText(text);
    RecalcLayout(LAYOUT_VALIDATE);
    Invalidate(FALSE);
    return TRUE;
}

BOOL KTTabStrip::SetItemData(int index, DWORD data)
{
    auto* item = Item(index);
    if (!item)
        return FALSE;
    item->m_dwData = data;
    return TRUE;
}

int KTTabStrip::SetItemTooltipText(int index, LPCTSTR text)
{
    if (!(GetStyle() & KTTAB_TOOLTIPS))
        return KTTAB_ERR_NOTOOLTIP;
    if (index < KTTAB_HIT_LAST || index >= GetItemCount())
        return KTTAB_ERR_INDEX;
    if (!m_tooltip.GetSafeHwnd()) {
        if (!m_tooltip.Create(this))
            return KTTAB_ERR_TOOLTIPCREATE;
        m_tooltip.Activate(TRUE);
    }
    if (index < 0)
        m_buttonTips[-index - 1] = text ? text : "";
    else
        Item(index)->m_strTooltip = text ? text : "";
    RefreshTooltips();
    return 0;
}

CString KTTabStrip::GetItemText(int index) const
{
    auto* item = Item(index);
    return item ? item->m_strText : CString();
}

DWORD KTTabStrip::GetItemData(int index) const
{
    auto* item = Item(index);
    return item ? item->m_dwData : 0;
}

BOOL KTTabStrip::GetItemRect(int index, LPRECT rect) const
{
    auto* item = Item(index);
    if (!item || !rect)
        return FALSE;
    *rect = item->m_rcTab;
    return TRUE;
}

CRect KTTabStrip::GetItemTextRect(int index) const
{
    auto* item = Item(index);
    return item ? item->m_rcText : CRect(0, 0, 0, 0);
}

BOOL KTTabStrip::IsItemHighlighted(int index) const
{
    auto* item = Item(index);
    return item ? item->m_bHighlighted : FALSE;
}

BOOL KTTabStrip::IsItemEnabled(int index) const
{
    auto* item = Item(index);
    return item ? !item->m_bDisabled : FALSE;
}

BOOL KTTabStrip::IsItemVisible(int index) const
{
    auto* item = Item(index);
    return item ? item->m_bVisible : FALSE;
}

int KTTabStrip::EnableItem(int index, BOOL enable, BOOL redraw)
{
    auto* item = Item(index);
    if (!item)
        return KTTAB_ERR_INDEX;
    item->m_bDisabled = !enable;
    if (redraw)
        Invalidate(FALSE);
    return 0;
}

// ---- current item and highlights ------------------------------------------------------------------

BOOL KTTabStrip::CtrlDown() const { return (GetKeyState(VK_CONTROL) & 0x8000) != 0; }

void KTTabStrip::SetHighlight(KTTabStripItem& item, BOOL highlight)
{
    if ((item.m_bHighlighted != FALSE) == (highlight != FALSE))
        return;
    item.m_bHighlighted = highlight;
    item.m_bHighlightChanged = TRUE;
}

void KTTabStrip::ClearHighlightChanges()
{
    for (auto& item : m_items)
        item->m_bHighlightChanged = FALSE;
}

void KTTabStrip::MakeCurrent(int index, BOOL fromMouse)
{
    if (auto* old = Item(m_nCurrent))
        old->m_bCurrent = FALSE;
    m_nCurrent = index;
    if (auto* item = Item(index))
        item->m_bCurrent = TRUE;
    RecalcLayout(fromMouse ? LAYOUT_SHOW : LAYOUT_VALIDATE, index);
    if (!fromMouse)
        RecalcLayout(LAYOUT_SHOW, index);
}

int KTTabStrip::SetCurSel(int index)
{
    auto* item = Item(index);
    if (!item)
        return KTTAB_ERR_INDEX;
    MakeCurrent(index, FALSE);
    if (GetStyle() & KTTAB_MULTIHIGHLIGHT) {
        // The new current item is highlighted; without Ctrl it becomes the only one.
        if (!CtrlDown())
            for (int i = 0; i < GetItemCount(); ++i)
                if (i != index)
                    SetHighlight(*Item(i), FALSE);
        SetHighlight(*item, TRUE);
    }
    Invalidate(FALSE);
    return 0;
}

int KTTabStrip::HighlightItem(int index, BOOL highlight)
{
    auto* item = Item(index);
    if (!item)
        return KTTAB_ERR_INDEX;
    if (!(GetStyle() & KTTAB_MULTIHIGHLIGHT))
        return KTTAB_ERR_NOHIGHLIGHT;
    if (index != m_nCurrent)
        SetHighlight(*item, highlight);
    Invalidate(FALSE);
    return 0;
}

// ---- layout -------------------------------------------------------------------------------------------

int KTTabStrip::ButtonHitCode(int slot) const
{
    if (ButtonCount() == 4)
        return -(slot + 1);
    return slot == 0 ? KTTAB_HIT_PREV : KTTAB_HIT_NEXT;
}

CRect KTTabStrip::GetButtonRect(int hitCode) const
{
    if (!m_bButtons)
        return CRect(0, 0, 0, 0);
    for (int slot = 0; slot < ButtonCount(); ++slot)
        if (ButtonHitCode(slot) == hitCode)
            return ButtonSlotRect(slot);
    return CRect(0, 0, 0, 0);
}

int KTTabStrip::GetButtonState(int hitCode) const
{
    if (hitCode > KTTAB_HIT_FIRST || hitCode < KTTAB_HIT_LAST)
        return BTN_HIDDEN;
    return m_btnState[-hitCode - 1];
}

void KTTabStrip::RecalcRectangles()
{
    if (!GetSafeHwnd())
        return;
    CClientDC dc(this);
    CFont* old = dc.SelectObject(&m_fontBold);
    int widest = 0;
    std::vector<int> extents;
    for (auto& item : m_items) {
        extents.push_back(TextExtent(dc, item->m_strText));
        widest = std::max(widest, extents.back());
    }
    dc.SelectObject(old);
    const bool same = GetStyle() & KTTAB_SAMEWIDTH;
    int start = 0;
    for (size_t i = 0; i < m_items.size(); ++i) {
        auto& item = *m_items[i];
        item.m_nStart = start;
        item.m_nLength = TabLength(same ? widest : extents[i]);
        start = NextStart(start, item.m_nLength);
    }
}

BOOL KTTabStrip::LastFullyVisible() const
{
    if (m_items.empty())
        return TRUE;
    const auto& last = *m_items.back();
    const int shift = (m_bButtons ? ButtonAreaLength(ButtonCount()) : 0) - Item(m_nFirst)->m_nStart;
    return last.m_nStart + shift + last.m_nLength <= ClientLength();
}

void KTTabStrip::RecalcOffset()
{
    const int count = GetItemCount();
    m_nFirst = count == 0 ? 0 : std::clamp(m_nFirst, 0, count - 1);
    const int buttons = m_bButtons ? ButtonAreaLength(ButtonCount()) : 0;
    const int shift = count == 0 ? 0 : buttons - m_items[static_cast<size_t>(m_nFirst)]->m_nStart;
    for (int i = 0; i < count; ++i) {
        auto& item = *m_items[static_cast<size_t>(i)];
        item.m_bCurrent = i == m_nCurrent;
        if (i < m_nFirst) {
            item.m_bVisible = FALSE;
            item.m_rcTab.SetRectEmpty();
            item.m_rcText.SetRectEmpty();
            item.m_rgn.DeleteObject();
            item.m_outline.clear();
            item.m_bevel.clear();
            continue;
        }
        item.m_bVisible = TRUE;
        item.m_rcTab = TabRect(item.m_nStart + shift, item.m_nLength);
        item.m_rcText = TextRect(item.m_rcTab);
        const int kind = (i == m_nCurrent || i == count - 1) ? 3 : 4;
        BuildShape(item, kind);
    }
    RefreshTooltips();
}

void KTTabStrip::RecalcLayout(int kind, int index)
{
    if (!GetSafeHwnd() || !m_bLayoutReady)
        return;
    RecalcRectangles();
    const int count = GetItemCount();
    const int total = count == 0 ? 0 : m_items.back()->m_nStart + m_items.back()->m_nLength;
    const bool autoHide = GetStyle() & KTTAB_AUTOHIDEBUTTONS;
    if (autoHide && (count <= 1 || total <= ClientLength())) {
        m_bButtons = FALSE;
        std::fill(std::begin(m_btnState), std::end(m_btnState), BTN_HIDDEN);
        m_nFirst = 0;
        RecalcOffset();
        return;
    }
    m_bButtons = TRUE;
    std::fill(std::begin(m_btnState), std::end(m_btnState), BTN_HIDDEN);
    for (int slot = 0; slot < ButtonCount(); ++slot) {
        const int b = -ButtonHitCode(slot) - 1;
        m_btnState[b] = BTN_NORMAL;
    }
    if (m_nPress <= KTTAB_HIT_FIRST && m_nPress >= KTTAB_HIT_LAST && m_btnState[-m_nPress - 1] != BTN_HIDDEN)
        m_btnState[-m_nPress - 1] = BTN_PRESSED;
    m_nFirst = count == 0 ? 0 : std::clamp(m_nFirst, 0, count - 1);
    RecalcOffset();
    switch (kind) {
    case LAYOUT_BACK:
        m_nFirst = std::max(0, m_nFirst - 1);
        break;
    case LAYOUT_FORWARD:
        if (!LastFullyVisible())
            m_nFirst = std::min(count - 1, m_nFirst + 1);
        break;
    case LAYOUT_SHOW:
        if (index >= 0 && index < count) {
            if (index < m_nFirst)
                m_nFirst = index;
            RecalcOffset();
            while (m_nFirst < index && AlongOf(Item(index)->m_rcTab, true) > ClientLength()) {
                ++m_nFirst;
                RecalcOffset();
            }
        }
        break;
    case LAYOUT_FIRST:
        m_nFirst = 0;
        break;
    case LAYOUT_LAST:
        while (m_nFirst < count - 1 && !LastFullyVisible()) {
            ++m_nFirst;
            RecalcOffset();
        }
        break;
    case LAYOUT_EDIT:
        PlaceLabelEdit();
        break;
    default:
        // Keep the offset valid: no empty room after the last tab while earlier tabs are hidden.
        while (m_nFirst > 0) {
            --m_nFirst;
            RecalcOffset();
            if (!LastFullyVisible()) {
                ++m_nFirst;
                break;
            }
        }
        break;
    }
    RecalcOffset();
}

void KTTabStrip::PlaceLabelEdit()
{
    auto* item = Item(m_nEditItem);
    if (!item || !m_edit.GetSafeHwnd())
        return;
    CString text;
    m_edit.GetWindowText(text);
    CClientDC dc(this);
    CFont* old = dc.SelectObject(&m_fontBold);
    const CSize extent = dc.GetTextExtent(text + "X");
    dc.SelectObject(old);
    CRect client;
    GetClientRect(&client);
    auto placed = [&] {
        const CRect& t = item->m_rcText;
        const int top = t.top + (t.Height() - extent.cy) / 2;
        return CRect(t.left + 2, top, t.left + 2 + extent.cx, top + extent.cy);
    };
    CRect r = placed();
    while (r.right > client.right && m_nFirst < m_nEditItem) {
        ++m_nFirst;
        RecalcOffset();
        r = placed();
    }
    r.right = std::min(r.right, client.right);
    m_edit.MoveWindow(&r);
}

// ---- scrolling -----------------------------------------------------------------------------------------

void KTTabStrip::ScrollStep(int hitCode)
{
    switch (hitCode) {
    case KTTAB_HIT_FIRST: RecalcLayout(LAYOUT_FIRST); break;
    case KTTAB_HIT_PREV: RecalcLayout(LAYOUT_BACK); break;
    case KTTAB_HIT_NEXT: RecalcLayout(LAYOUT_FORWARD); break;
    case KTTAB_HIT_LAST: RecalcLayout(LAYOUT_LAST); break;
    default: return;
    }
    Invalidate(FALSE);
}

// ---- hit test --------------------------------------------------------------------------------------------

int KTTabStrip::HitTest(CPoint point) const
{
    if (m_bButtons) {
        for (int slot = 0; slot < ButtonCount(); ++slot)
            if (ButtonSlotRect(slot).PtInRect(point))
                return ButtonHitCode(slot);
    }
    for (int i = 0; i < GetItemCount(); ++i) {
        const auto& item = *m_items[static_cast<size_t>(i)];
        if (!item.m_bVisible || !item.m_rgn.GetSafeHandle() || !item.m_rgn.PtInRegion(point))
            continue;
        return item.m_bDisabled ? KTTAB_HIT_NOWHERE : i;
    }
    return KTTAB_HIT_NOWHERE;
}

// ---- notifications ----------------------------------------------------------------------------------------

BOOL KTTabStrip::Notify(UINT code, int index, CPoint point, LRESULT* answer)
{
    TabNotifyInfo info;
    info.hdr.hwndFrom = m_hWnd;
    info.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    info.hdr.code = code;
    info.nItem = index;
    info.x = point.x;
    info.y = point.y;
    if (auto* item = Item(index)) {
        const CString text = KTGF::CompleteString(item->m_strText, static_cast<int>(sizeof info.szText) - 1);
        std::memcpy(info.szText, static_cast<LPCTSTR>(text), static_cast<size_t>(text.GetLength()));
        info.dwData = item->m_dwData;
        info.rcText = item->m_rcText;
        info.bCurrent = item->m_bCurrent ? 1 : 0;
        info.bHighlighted = item->m_bHighlighted ? 1 : 0;
    }
    const HWND self = m_hWnd;
    CWnd* parent = GetParent();
    LRESULT result = parent ? ::SendMessage(parent->GetSafeHwnd(), WM_NOTIFY, static_cast<WPARAM>(info.hdr.idFrom),
                                            reinterpret_cast<LPARAM>(&info))
                            : 0;
    if (!::IsWindow(self))
        return FALSE; // the parent destroyed the strip (and perhaps its object): touch nothing
    if (answer)
        *answer = result;
    return TRUE;
}

BOOL KTTabStrip::NotifyHighlightChanges()
{
    // Items are looked up again after every notification: the parent may change the list.
    for (int i = 0; i < GetItemCount(); ++i) {
        auto* item = Item(i);
        if (!item->m_bHighlightChanged)
            continue;
        item->m_bHighlightChanged = FALSE;
        if (!Notify(KTTAB_HIGHLIGHTCHANGE, i))
            return FALSE;
    }
    return TRUE;
}

// ---- moving and copying ------------------------------------------------------------------------------------

int KTTabStrip::MoveItem(int from, int to, BOOL notify)
{
    const int count = GetItemCount();
    if (from < 0 || from >= count || to < 0 || to > count)
        return KTTAB_ERR_INDEX;
    if (to == from || to == from + 1)
        return from;
    auto moving = std::move(m_items[static_cast<size_t>(from)]);
    m_items.erase(m_items.begin() + from);
    const int target = to > from ? to - 1 : to;
    m_items.insert(m_items.begin() + target, std::move(moving));
    if (m_nEditItem == from)
        m_nEditItem = target;
    if (auto* old = Item(m_nCurrent))
        old->m_bCurrent = FALSE;
    m_nCurrent = -1;
    MakeCurrent(target, FALSE);
    Invalidate(FALSE);
    if (notify && !Notify(KTTAB_ITEMMOVED, target))
        return target;
    return target;
}

CString KTTabStrip::CopyName(const CString& text) const
{
    const int length = text.GetLength();
    CString base = text;
    bool tight = false;
    if (length >= 3 && text[length - 3] == '(' && text[length - 2] >= '2' && text[length - 2] <= '9'
        && text[length - 1] == ')') {
        base = text.Left(length - 3);
        tight = true;
    } else if (length >= 4 && text[length - 4] == '(' && text[length - 3] >= '1' && text[length - 3] <= '9'
               && text[length - 2] >= '0' && text[length - 2] <= '9' && text[length - 1] == ')') {
        base = text.Left(length - 4);
        tight = true;
    }
    for (int n = 2;; ++n) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, tight ? "(%d)" : " (%d)", n);
        // The name keeps to the tab text limit: the base gives way to the number.
        CString name = KTGF::LeftText(base, KTTAB_MAXTEXT - static_cast<int>(std::strlen(suffix))) + suffix;
        bool taken = false;
        for (auto& item : m_items)
            if (item->m_strText == name) {
                taken = true;
                break;
            }
        if (!taken)
            return name;
    }
}

int KTTabStrip::CopyItem(int from, int to, BOOL notify)
{
    const int count = GetItemCount();
    if (from < 0 || from >= count || to < 0 || to > count)
        return KTTAB_ERR_INDEX;
    const auto& source = *m_items[static_cast<size_t>(from)];
    const CString name = CopyName(source.m_strText);
    const int image = source.m_nImage;
    const DWORD data = source.m_dwData;
    const int index = InsertItem(to, name, image, static_cast<long>(data));
    if (index < 0) {
        if (notify)
            Notify(KTTAB_OUTOFMEMORY, from);
        return index;
    }
    if (auto* old = Item(m_nCurrent))
        old->m_bCurrent = FALSE;
    MakeCurrent(index, FALSE);
    Invalidate(FALSE);
    if (notify)
        Notify(KTTAB_ITEMCOPIED, index);
    return index;
}

// ---- label editing -----------------------------------------------------------------------------------------

int KTTabStrip::EditLabel(int index)
{
    auto* item = Item(index);
    if (!item)
        return KTTAB_ERR_INDEX;
    if (!(GetStyle() & KTTAB_EDITLABELS))
        return KTTAB_ERR_NOEDIT;
    if (index != m_nCurrent)
        return KTTAB_ERR_NOTCURRENT;
    if (m_edit.GetSafeHwnd())
        return KTTAB_ERR_EDITOPEN;
    if (!m_edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, item->m_rcText, this, kLabelEditId))
        return KTTAB_ERR_MEMORY;
    m_nEditItem = index;
    m_strEditOld = item->m_strText;
    m_edit.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(m_fontBold)), FALSE);
    m_edit.SetLimitText(kEditLimit);
    m_edit.SetWindowText(item->m_strText);
    m_edit.SetSel(0, -1);
    RecalcLayout(LAYOUT_EDIT);
    m_edit.SetFocus();
    return 0;
}

BOOL KTTabStrip::EndLabelEdit(BOOL accept)
{
    if (!m_edit.GetSafeHwnd() || m_bEditClosing)
        return TRUE;
    const int index = m_nEditItem;
    if (accept) {
        LRESULT keep = 0;
        m_bEditClosing = TRUE; // the parent may move the focus while it answers
        const BOOL alive = Notify(KTTAB_LABELEDIT, index, CPoint(0, 0), &keep);
        if (!alive)
            return TRUE;
        m_bEditClosing = FALSE;
        if (keep && m_edit.GetSafeHwnd())
            return FALSE;
        if (auto* item = Item(m_nEditItem); item && m_edit.GetSafeHwnd()) {
            CString text;
            m_edit.GetWindowText(text);
            item->m_strText = LimitText(text);
        }
    } else if (auto* item = Item(m_nEditItem)) {
        item->m_strText = m_strEditOld;
    }
    m_bEditClosing = TRUE;
    if (m_edit.GetSafeHwnd())
        m_edit.DestroyWindow();
    m_bEditClosing = FALSE;
    m_nEditItem = -1;
    RecalcLayout(LAYOUT_VALIDATE);
    Invalidate(FALSE);
    return TRUE;
}

void KTTabStrip::OnLabelUpdate()
{
    auto* item = Item(m_nEditItem);
    if (!item || !m_edit.GetSafeHwnd())
        return;
    CString text;
    m_edit.GetWindowText(text);
    item->m_strText = LimitText(text);
    RecalcLayout(LAYOUT_EDIT);
    Invalidate(FALSE);
}

void KTTabStrip::LabelEdit::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    if (key == VK_RETURN) {
        m_pStrip->EndLabelEdit(TRUE);
        return;
    }
    if (key == VK_ESCAPE) {
        m_pStrip->EndLabelEdit(FALSE);
        return;
    }
    (void)repeat;
    (void)flags;
    Default();
}

void KTTabStrip::LabelEdit::OnKillFocus(CWnd*)
{
    Default();
    if (!m_pStrip->m_bEditClosing)
        m_pStrip->EndLabelEdit(TRUE);
}

const platform::MessageMap* KTTabStrip::LabelEdit::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_KEYDOWN, &LabelEdit::OnKeyDown>(),
        Message<WM_KILLFOCUS, &LabelEdit::OnKillFocus>(),
        Message<WM_GETDLGCODE, &LabelEdit::OnGetDlgCode>(),
    };
    static constexpr platform::MessageMap kMap { &CEdit::GetThisMessageMap, kEntries };
    return &kMap;
}

// ---- appearance --------------------------------------------------------------------------------------------

void KTTabStrip::SetFont(const LOGFONT& font, BOOL redraw)
{
    LOGFONT bold = font;
    bold.lfWeight = std::min(900, static_cast<int>(font.lfWeight == 0 ? 400 : font.lfWeight) + 300);
    m_font.DeleteObject();
    m_fontBold.DeleteObject();
    m_font.CreateFontIndirect(&font);
    m_fontBold.CreateFontIndirect(&bold);
    RecalcLayout(LAYOUT_VALIDATE);
    if (redraw)
        Invalidate(FALSE);
}

void KTTabStrip::SetFont(CFont& font, BOOL redraw)
{
    LOGFONT lf {};
    if (font.GetSafeHandle() && font.GetLogFont(&lf))
        SetFont(lf, redraw);
}

void KTTabStrip::DefaultFont(BOOL redraw)
{
    LOGFONT lf {};
    lf.lfHeight = 12;
    lf.lfWeight = 400;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = 1; // string precision
    lf.lfClipPrecision = 1; // character precision
    std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "%s", "Microsoft Sans Serif");
    SetFont(lf, redraw);
}

void KTTabStrip::SetDragCursors(HICON move, HICON copy)
{
    if (m_hMoveCursor && m_hMoveCursor != move)
        DestroyIcon(m_hMoveCursor);
    if (m_hCopyCursor && m_hCopyCursor != copy)
        DestroyIcon(m_hCopyCursor);
    m_hMoveCursor = move;
    m_hCopyCursor = copy;
}

BOOL KTTabStrip::ModifyStyle(DWORD remove, DWORD add, UINT flags)
{
    BOOL changed = CWnd::ModifyStyle(remove, add, flags);
    RecalcLayout(LAYOUT_VALIDATE);
    Invalidate(FALSE);
    return changed;
}

void KTTabStrip::Invalidate(BOOL erase)
{
    if (GetSafeHwnd())
        CWnd::Invalidate(erase);
}

void KTTabStrip::RefreshTooltips()
{
    if (!m_tooltip.GetSafeHwnd())
        return;
    for (UINT_PTR id : m_tools)
        m_tooltip.DelTool(this, id);
    m_tools.clear();
    if (m_bButtons) {
        for (int slot = 0; slot < ButtonCount(); ++slot) {
            const int code = ButtonHitCode(slot);
            const CString& tip = m_buttonTips[-code - 1];
            if (tip.IsEmpty())
                continue;
            CRect r = ButtonSlotRect(slot);
            const auto id = static_cast<UINT_PTR>(static_cast<INT_PTR>(code));
            m_tooltip.AddTool(this, tip, &r, id);
            m_tools.push_back(id);
        }
    }
    for (int i = 0; i < GetItemCount(); ++i) {
        auto& item = *m_items[static_cast<size_t>(i)];
        if (item.m_strTooltip.IsEmpty() || !item.m_bVisible)
            continue;
        const auto id = static_cast<UINT_PTR>(i + 1);
        m_tooltip.AddTool(this, item.m_strTooltip, &item.m_rcText, id);
        m_tools.push_back(id);
    }
}

BOOL KTTabStrip::PreTranslateMessage(MSG* msg)
{
    if ((GetStyle() & KTTAB_TOOLTIPS) && m_tooltip.GetSafeHwnd() && msg->message >= WM_MOUSEFIRST
        && msg->message <= WM_MOUSELAST)
        m_tooltip.RelayEvent(msg);
    return CWnd::PreTranslateMessage(msg);
}

// ---- painting -------------------------------------------------------------------------------------------------

void KTTabStrip::DrawGlyph(CDC& dc, const CRect& rect, int glyph, COLORREF colour) const
{
    const int width = m_bVerticalGlyphs ? 7 : 8;
    const int left = rect.left + (rect.Width() - width) / 2;
    const int top = rect.top + (rect.Height() - (15 - width)) / 2;
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 8; ++x)
            if (s_GlyphBits[y] & (0x80000000u >> (glyph * 8 + x))) {
                if (m_bVerticalGlyphs)
                    dc.SetPixel(left + y, top + x, colour);
                else
                    dc.SetPixel(left + x, top + y, colour);
            }
}

void KTTabStrip::DrawScrollButtons(CDC& dc)
{
    if (!m_bButtons)
        return;
    for (int slot = 0; slot < ButtonCount(); ++slot) {
        const int code = ButtonHitCode(slot);
        const int state = m_btnState[-code - 1];
        CRect r = ButtonSlotRect(slot);
        // The glyph follows the strip's direction: a right-to-left strip mirrors them.
        int glyph = -code - 1;
        if (GetStyle() & KTTAB_RIGHTTOLEFT)
            glyph = 3 - glyph;
        // The desktop's arrow button (up, down, left-pointing, right-pointing), else the classic
        // push button; the glyph goes on top of either.
        const bool backward = glyph < 2;
        const int part = m_bVerticalGlyphs ? (backward ? 1 : 2) : (backward ? 3 : 4);
        if (!m_theme.DrawThemePart(&dc, part, state, r)) {
            dc.DrawFrameControl(&r, DFC_BUTTON, DFCS_BUTTONPUSH | (state == BTN_PRESSED ? DFCS_PUSHED : 0));
            if (state == BTN_PRESSED)
                r.OffsetRect(1, 1);
        }
        DrawGlyph(dc, r, glyph, state == BTN_HOT ? GetSysColor(COLOR_HIGHLIGHT) : GetSysColor(COLOR_BTNTEXT));
    }
}

void KTTabStrip::OnPaint()
{
    PAINTSTRUCT ps;
    CDC* paintDC = BeginPaint(&ps);
    CRect client;
    GetClientRect(&client);
    {
        ktctrl::OffscreenDC dc(paintDC, client);
        PaintStrip(dc);
    }
    EndPaint(&ps);
}

// ---- mouse ------------------------------------------------------------------------------------------------------

void KTTabStrip::EndDrag()
{
    KillTimer(kDragTimer);
    m_bDragging = FALSE;
    m_nPress = KTTAB_HIT_NOWHERE;
    m_nDrop = -1;
    if (GetCapture() == this)
        ReleaseCapture();
    Invalidate(FALSE);
}

void KTTabStrip::OnLButtonDown(UINT, CPoint point)
{
    if (m_edit.GetSafeHwnd()) {
        auto* editing = Item(m_nEditItem);
        if (!editing || !editing->m_rgn.GetSafeHandle() || !editing->m_rgn.PtInRegion(point))
            if (!EndLabelEdit(TRUE))
                return;
    }
    const HWND self = m_hWnd;
    const int hit = HitTest(point);
    if (!Notify(KTTAB_LBUTTONDOWN, hit, point))
        return;
    SetCapture();
    if (hit <= KTTAB_HIT_FIRST && hit >= KTTAB_HIT_LAST) {
        m_nPress = hit;
        m_btnState[-hit - 1] = BTN_PRESSED;
        ScrollStep(hit);
        m_dwLastStep = GetTickCount();
        SetTimer(kRepeatTimer, 100);
        return;
    }
    // The parent may have changed the items while it handled the press.
    if (!Item(hit)) {
        m_nPress = KTTAB_HIT_NOWHERE;
        return;
    }
    const BOOL ctrl = CtrlDown();
    const DWORD style = GetStyle();
    if (((style & KTTAB_DRAGMOVE) && !ctrl && m_hMoveCursor) || ((style & KTTAB_DRAGCOPY) && ctrl && m_hCopyCursor)) {
        m_nPress = hit;
        m_nDrop = hit;
        SetTimer(kDragTimer, 300);
    } else {
        m_nPress = KTTAB_HIT_NOWHERE;
    }
    ClearHighlightChanges();
    const bool multi = style & KTTAB_MULTIHIGHLIGHT;
    if (multi && ctrl) {
        if (hit != m_nCurrent)
            SetHighlight(*Item(hit), !Item(hit)->m_bHighlighted);
        Invalidate(FALSE);
    } else {
        const int old = m_nCurrent;
        MakeCurrent(hit, TRUE);
        if (multi)
            for (int i = 0; i < GetItemCount(); ++i)
                SetHighlight(*Item(i), i == hit);
        Invalidate(FALSE);
        if (old != hit && !Notify(KTTAB_SELCHANGE, hit, point))
            return;
    }
    if (!::IsWindow(self) || !NotifyHighlightChanges())
        return;
    if (m_nPress >= GetItemCount())
        m_nPress = KTTAB_HIT_NOWHERE;
}

void KTTabStrip::OnTimer(UINT_PTR id)
{
    if (id == kRepeatTimer) {
        if (m_nPress <= KTTAB_HIT_FIRST && m_nPress >= KTTAB_HIT_LAST && m_btnState[-m_nPress - 1] == BTN_PRESSED
            && GetTickCount() - m_dwLastStep >= 250) {
            ScrollStep(m_nPress);
            m_dwLastStep = GetTickCount();
        }
        return;
    }
    if (id == kDragTimer) {
        KillTimer(kDragTimer);
        if (!Item(m_nPress))
            return EndDrag();
        const BOOL ctrl = CtrlDown();
        const DWORD style = GetStyle();
        if (ctrl && (style & KTTAB_DRAGCOPY) && m_hCopyCursor) {
            m_bDragCopy = TRUE;
            SetCursor(m_hCopyCursor);
        } else if (!ctrl && (style & KTTAB_DRAGMOVE) && m_hMoveCursor) {
            m_bDragCopy = FALSE;
            SetCursor(m_hMoveCursor);
        } else {
            return EndDrag();
        }
        m_bDragging = TRUE;
        Invalidate(FALSE);
    }
}

void KTTabStrip::OnMouseMove(UINT flags, CPoint point)
{
    if (!m_bTracking) {
        TRACKMOUSEEVENT track;
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = m_hWnd;
        m_bTracking = TrackMouseEvent(&track);
    }
    if (m_bButtons) {
        for (int slot = 0; slot < ButtonCount(); ++slot) {
            const int code = ButtonHitCode(slot);
            int& state = m_btnState[-code - 1];
            const int before = state;
            if (ButtonSlotRect(slot).PtInRect(point)) {
                if (m_nPress == code)
                    state = BTN_PRESSED;
                else if (m_nPress != KTTAB_HIT_NOWHERE || (flags & MK_LBUTTON))
                    state = BTN_NORMAL;
                else
                    state = BTN_HOT;
            } else {
                state = BTN_NORMAL;
            }
            if (state != before)
                Invalidate(FALSE);
        }
    }
    if (m_bDragging && Item(m_nPress)) {
        // The insertion point: before the first visible tab whose text centre lies beyond the point.
        const int along = Along(point);
        int drop = GetItemCount();
        for (int i = m_nFirst; i < GetItemCount(); ++i) {
            const CRect& text = Item(i)->m_rcText;
            if ((AlongOf(text, false) + AlongOf(text, true)) / 2 > along) {
                drop = i;
                break;
            }
        }
        if (drop != m_nDrop) {
            m_nDrop = drop;
            if (drop < GetItemCount())
                RecalcLayout(LAYOUT_SHOW, drop);
            Invalidate(FALSE);
        }
    }
}

void KTTabStrip::OnLButtonUp(UINT, CPoint)
{
    KillTimer(kRepeatTimer);
    for (int& state : m_btnState)
        if (state == BTN_PRESSED)
            state = BTN_NORMAL;
    const BOOL dragging = m_bDragging && Item(m_nPress);
    const int source = m_nPress;
    const int drop = m_nDrop;
    const BOOL copy = m_bDragCopy && CtrlDown();
    EndDrag();
    if (dragging && drop >= 0) {
        if (copy)
            CopyItem(source, drop, TRUE);
        else if (!m_bDragCopy)
            MoveItem(source, drop, TRUE);
    }
}

void KTTabStrip::OnLButtonDblClk(UINT, CPoint point)
{
    EndDrag();
    const int hit = HitTest(point);
    if (hit >= 0)
        EditLabel(hit);
}

void KTTabStrip::OnRButtonDown(UINT, CPoint point) { Notify(KTTAB_RBUTTONDOWN, HitTest(point), point); }

void KTTabStrip::OnMouseLeave()
{
    m_bTracking = FALSE;
    for (int& state : m_btnState)
        if (state != BTN_HIDDEN)
            state = BTN_NORMAL;
    KillTimer(kRepeatTimer);
    Invalidate(FALSE);
}

void KTTabStrip::OnSize(UINT, int cx, int cy)
{
    Default();
    if (cx > 0 && cy > 0)
        RecalcLayout(LAYOUT_VALIDATE);
}

LRESULT KTTabStrip::OnThemeChanged(WPARAM, LPARAM)
{
    m_theme.CloseThemeData();
    m_theme.OpenThemeData(m_hWnd, L"SPIN");
    Invalidate(FALSE);
    return 0;
}

const platform::MessageMap* KTTabStrip::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_PAINT, &KTTabStrip::OnPaint>(),
        Message<WM_ERASEBKGND, &KTTabStrip::OnEraseBkgnd>(),
        Message<WM_SIZE, &KTTabStrip::OnSize>(),
        Message<WM_LBUTTONDOWN, &KTTabStrip::OnLButtonDown>(),
        Message<WM_LBUTTONUP, &KTTabStrip::OnLButtonUp>(),
        Message<WM_LBUTTONDBLCLK, &KTTabStrip::OnLButtonDblClk>(),
        Message<WM_RBUTTONDOWN, &KTTabStrip::OnRButtonDown>(),
        Message<WM_MOUSEMOVE, &KTTabStrip::OnMouseMove>(),
        Message<WM_MOUSELEAVE, &KTTabStrip::OnMouseLeave>(),
        Message<WM_TIMER, &KTTabStrip::OnTimer>(),
        Message<WM_THEMECHANGED_KT, &KTTabStrip::OnThemeChanged>(),
        Control<&KTTabStrip::OnLabelUpdate>(EN_UPDATE, kLabelEditId),
    };
    static constexpr platform::MessageMap kMap { &CWnd::GetThisMessageMap, kEntries };
    return &kMap;
}
