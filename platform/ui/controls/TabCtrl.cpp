// The "SysTabControl32" window class and CTabCtrl.
#include "platform/ui/controls/TabCtrl.h"

#include "platform/gdi/SysColors.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/ControlMetrics.h"
#include "platform/ui/controls/ControlWindow.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace platform::ui {

namespace {

constexpr int kFrameInset = 2;  // the selected tab reaches this far past the others
constexpr int kBorder = 2;      // the display area's raised border

struct TabItem
{
    CString text;
    int image { -1 };
    LPARAM data { 0 };
    DWORD state { 0 };
};

class TabWindow : public ControlWindow
{
public:
    using ControlWindow::ControlWindow;

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case TCM_GETITEMCOUNT: return static_cast<LRESULT>(m_items.size());
        case TCM_INSERTITEM: return Insert(static_cast<int>(wParam), reinterpret_cast<const TCITEM*>(lParam));
        case TCM_SETITEM: return Set(static_cast<int>(wParam), reinterpret_cast<const TCITEM*>(lParam));
        case TCM_GETITEM: return Get(static_cast<int>(wParam), reinterpret_cast<TCITEM*>(lParam));
        case TCM_DELETEITEM: return Delete(static_cast<int>(wParam));
        case TCM_DELETEALLITEMS:
            m_items.clear();
            m_current = m_focus = -1;
            Redraw();
            return TRUE;
        case TCM_GETITEMRECT: {
            if (!Valid(static_cast<int>(wParam)) || !lParam)
                return FALSE;
            *reinterpret_cast<RECT*>(lParam) = TabRect(static_cast<int>(wParam));
            return TRUE;
        }
        case TCM_GETCURSEL: return m_current;
        case TCM_SETCURSEL: {
            int old = m_current;
            if (!Valid(static_cast<int>(wParam)))
                return -1;
            m_current = m_focus = static_cast<int>(wParam);
            Redraw();
            return old;
        }
        case TCM_GETCURFOCUS: return m_focus;
        case TCM_SETCURFOCUS:
            if (Valid(static_cast<int>(wParam)))
                Select(static_cast<int>(wParam));
            return 0;
        case TCM_HITTEST: {
            auto* info = reinterpret_cast<TCHITTESTINFO*>(lParam);
            if (!info)
                return -1;
            int at = TabAt(CPoint(info->pt));
            info->flags = at >= 0 ? TCHT_ONITEMLABEL : TCHT_NOWHERE;
            return at;
        }
        case TCM_ADJUSTRECT: {
            if (lParam)
                Adjust(wParam != 0, *reinterpret_cast<RECT*>(lParam));
            return 0;
        }
        case TCM_SETITEMSIZE: {
            CSize old(m_fixedSize.cx ? m_fixedSize.cx : 0, RowHeight());
            m_fixedSize = CSize(LOWORD(lParam), HIWORD(lParam));
            Redraw();
            return MAKELONG(old.cx, old.cy);
        }
        case TCM_SETPADDING: m_padding = CSize(LOWORD(lParam), HIWORD(lParam)); Redraw(); return 0;
        case TCM_GETROWCOUNT: return m_items.empty() ? 0 : 1;
        case TCM_SETIMAGELIST: {
            HIMAGELIST old = std::exchange(m_images, reinterpret_cast<HIMAGELIST>(lParam));
            Redraw();
            return reinterpret_cast<LRESULT>(old);
        }
        case TCM_GETIMAGELIST: return reinterpret_cast<LRESULT>(m_images);
        case WM_GETDLGCODE: return DLGC_WANTARROWS;
        case WM_LBUTTONDOWN: {
            int at = TabAt(CPoint(lParam));
            if (!(Style() & TCS_FOCUSNEVER))
                SetFocus(m_hwnd);
            if (at >= 0)
                Select(at);
            NMHDR n;
            SendNotify(Parent(), m_hwnd, NM_CLICK, n);
            return 0;
        }
        case WM_KEYDOWN: {
            NMTCKEYDOWN key;
            key.wVKey = static_cast<WORD>(wParam);
            SendNotify(Parent(), m_hwnd, TCN_KEYDOWN, key);
            int step = (wParam == VK_LEFT || wParam == VK_UP) ? -1 : (wParam == VK_RIGHT || wParam == VK_DOWN) ? 1 : 0;
            if (step && Valid(m_current + step))
                Select(m_current + step);
            return 0;
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS: Redraw(); return 0;
        default: return ControlWindow::Handle(message, wParam, lParam);
        }
    }

private:
    bool Valid(int index) const { return index >= 0 && index < static_cast<int>(m_items.size()); }
    bool Vertical() const { return (Style() & TCS_VERTICAL) != 0; }
    // Tabs along the far edge: below, or right of a vertical control.
    bool FarSide() const { return (Style() & TCS_BOTTOM) != 0; }

    // The user's change: asked first, refused on a non-zero answer.
    void Select(int index)
    {
        if (index == m_current)
            return;
        NMHDR asking;
        if (SendNotify(Parent(), m_hwnd, TCN_SELCHANGING, asking) != 0)
            return;
        if (!Valid(index))
            return; // the parent changed the tabs while it was asked
        m_current = m_focus = index;
        Redraw();
        NMHDR changed;
        SendNotify(Parent(), m_hwnd, TCN_SELCHANGE, changed);
    }

    static void Apply(TabItem& item, const TCITEM& from)
    {
        if ((from.mask & TCIF_TEXT) && from.pszText)
            item.text = from.pszText;
        if (from.mask & TCIF_IMAGE)
            item.image = from.iImage;
        if (from.mask & TCIF_PARAM)
            item.data = from.lParam;
        if (from.mask & TCIF_STATE)
            item.state = (item.state & ~from.dwStateMask) | (from.dwState & from.dwStateMask);
    }

    LRESULT Insert(int index, const TCITEM* from)
    {
        if (!from)
            return -1;
        index = std::clamp(index, 0, static_cast<int>(m_items.size()));
        TabItem item;
        Apply(item, *from);
        m_items.insert(m_items.begin() + index, item);
        if (m_current < 0)
            m_current = m_focus = 0;
        else if (m_current >= index)
            m_focus = ++m_current;
        Redraw();
        return index;
    }

    LRESULT Set(int index, const TCITEM* from)
    {
        if (!from || !Valid(index))
            return FALSE;
        Apply(m_items[static_cast<size_t>(index)], *from);
        Redraw();
        return TRUE;
    }

    LRESULT Get(int index, TCITEM* to) const
    {
        if (!to || !Valid(index))
            return FALSE;
        const TabItem& item = m_items[static_cast<size_t>(index)];
        if ((to->mask & TCIF_TEXT) && to->pszText && to->cchTextMax > 0) {
            int n = std::min(item.text.GetLength(), to->cchTextMax - 1);
            std::copy_n(static_cast<LPCSTR>(item.text), n, to->pszText);
            to->pszText[n] = '\0';
        }
        if (to->mask & TCIF_IMAGE)
            to->iImage = item.image;
        if (to->mask & TCIF_PARAM)
            to->lParam = item.data;
        if (to->mask & TCIF_STATE)
            to->dwState = item.state & to->dwStateMask;
        return TRUE;
    }

    LRESULT Delete(int index)
    {
        if (!Valid(index))
            return FALSE;
        m_items.erase(m_items.begin() + index);
        if (m_current == index)
            m_current = m_focus = m_items.empty() ? -1 : std::min(index, static_cast<int>(m_items.size()) - 1);
        else if (m_current > index)
            m_focus = --m_current;
        Redraw();
        return TRUE;
    }

    // ---- geometry ----
    CImageList* Images() const { return LinkedImageList(m_hwnd, kTabImageSlot, m_images); }

    CSize ImageSize() const
    {
        int cx = 0;
        int cy = 0;
        if (CImageList* images = Images())
            images->GetIconSize(&cx, &cy);
        return CSize(cx, cy);
    }

    int TextHeight() const { return FontCellHeight(m_hwnd, Font()); }
    int TextWidth(const CString& text) const { return FontTextWidth(m_hwnd, Font(), text); }

    // The tabs' thickness across the row.
    int RowHeight() const
    {
        if (m_fixedSize.cy > 0)
            return m_fixedSize.cy;
        return std::max(TextHeight(), ImageSize().cy) + 2 * m_padding.cy + 3;
    }

    int TabLength(const TabItem& item) const
    {
        if (m_fixedSize.cx > 0 && (Style() & TCS_FIXEDWIDTH || Style() & TCS_OWNERDRAWFIXED))
            return m_fixedSize.cx;
        int length = TextWidth(item.text) + 2 * m_padding.cx;
        if (item.image >= 0 && Images())
            length += ImageSize().cx + m_padding.cx / 2;
        return length;
    }

    // The band the tabs sit in, in client coordinates.
    CRect Row() const
    {
        CRect c = Client();
        int h = RowHeight();
        if (Vertical())
            return FarSide() ? CRect(c.right - h - kFrameInset, c.top, c.right, c.bottom)
                             : CRect(c.left, c.top, c.left + h + kFrameInset, c.bottom);
        return FarSide() ? CRect(c.left, c.bottom - h - kFrameInset, c.right, c.bottom)
                         : CRect(c.left, c.top, c.right, c.top + h + kFrameInset);
    }

    CRect TabRect(int index) const
    {
        CRect row = Row();
        int along = kFrameInset;
        for (int i = 0; i < index; ++i)
            along += TabLength(m_items[static_cast<size_t>(i)]);
        int length = TabLength(m_items[static_cast<size_t>(index)]);
        int h = RowHeight();
        if (Vertical()) {
            int left = FarSide() ? row.left : row.left + kFrameInset;
            return CRect(left, row.top + along, left + h, row.top + along + length);
        }
        int top = FarSide() ? row.top : row.top + kFrameInset;
        return CRect(row.left + along, top, row.left + along + length, top + h);
    }

    int TabAt(CPoint p) const
    {
        // The current tab lies over its neighbours, so it is tested first.
        if (Valid(m_current) && DrawnRect(m_current).PtInRect(p))
            return m_current;
        for (size_t i = 0; i < m_items.size(); ++i)
            if (TabRect(static_cast<int>(i)).PtInRect(p))
                return static_cast<int>(i);
        return -1;
    }

    // The current tab is drawn grown toward the display area and outward.
    CRect DrawnRect(int index) const
    {
        CRect r = TabRect(index);
        if (index == m_current)
            r.InflateRect(kFrameInset, kFrameInset);
        return r;
    }

    void Adjust(bool larger, RECT& r) const
    {
        int h = RowHeight() + kFrameInset;
        int sign = larger ? -1 : 1;
        CRect& rect = static_cast<CRect&>(r);
        if (Vertical())
            (FarSide() ? rect.right : rect.left) += FarSide() ? -sign * h : sign * h;
        else
            (FarSide() ? rect.bottom : rect.top) += FarSide() ? -sign * h : sign * h;
        rect.DeflateRect(sign * (kBorder + 2), sign * (kBorder + 2));
    }

    CRect DisplayFrame() const
    {
        CRect c = Client();
        int h = RowHeight() + kFrameInset;
        if (Vertical())
            (FarSide() ? c.right : c.left) += FarSide() ? -h : h;
        else
            (FarSide() ? c.bottom : c.top) += FarSide() ? -h : h;
        return c;
    }

    // ---- painting ----
    void Paint(CDC& dc) override
    {
        CRect client = Client();
        HBRUSH background = AskColors(dc, WM_CTLCOLORDLG, COLOR_BTNFACE);
        dc.FillRect(&client, CBrush::FromHandle(background));
        SelectFont(dc);
        dc.SetBkMode(TRANSPARENT);
        CRect frame = DisplayFrame();
        dc.DrawEdge(&frame, EDGE_RAISED, BF_RECT);
        // The current tab last, over its neighbours and the frame's edge.
        for (size_t i = m_items.size(); i-- > 0;)
            if (static_cast<int>(i) != m_current)
                PaintTab(dc, static_cast<int>(i));
        if (Valid(m_current))
            PaintTab(dc, m_current);
    }

    UINT OpenSide() const
    {
        if (Vertical())
            return FarSide() ? BF_LEFT : BF_RIGHT;
        return FarSide() ? BF_TOP : BF_BOTTOM;
    }

    void PaintTab(CDC& dc, int index)
    {
        const TabItem& item = m_items[static_cast<size_t>(index)];
        CRect r = DrawnRect(index);
        bool current = index == m_current;
        if (current)
            dc.FillSolidRect(&r, GetSysColor(COLOR_BTNFACE));
        if (Style() & TCS_OWNERDRAWFIXED) {
            DRAWITEMSTRUCT draw;
            draw.CtlType = ODT_TAB;
            draw.CtlID = static_cast<UINT>(Id());
            draw.itemID = static_cast<UINT>(index);
            draw.itemAction = ODA_DRAWENTIRE;
            draw.itemState = current ? ODS_SELECTED : 0;
            draw.hwndItem = m_hwnd;
            draw.hDC = dc.m_hDC;
            draw.rcItem = r;
            draw.itemData = static_cast<ULONG_PTR>(item.data);
            if (HWND parent = Parent())
                SendMessage(parent, WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw));
            return;
        }
        dc.DrawEdge(&r, EDGE_RAISED, BF_RECT & ~OpenSide());
        CRect inside = r;
        inside.DeflateRect(m_padding.cx, 1);
        if (CImageList* images = Images(); images && item.image >= 0 && item.image < images->GetImageCount()) {
            CSize size = ImageSize();
            images->Draw(&dc, item.image, CPoint(inside.left, inside.top + (inside.Height() - size.cy) / 2), ILD_TRANSPARENT);
            inside.left += size.cx + m_padding.cx / 2;
        }
        dc.SetTextColor(GetSysColor(Enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        dc.DrawText(item.text, &inside, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        if (current && HasFocus()) {
            CRect focus = r;
            focus.DeflateRect(3, 3);
            dc.DrawFocusRect(&focus);
        }
    }

    std::vector<TabItem> m_items;
    int m_current { -1 };
    int m_focus { -1 };
    HIMAGELIST m_images { nullptr };
    CSize m_fixedSize { 0, 0 };
    CSize m_padding { 6, 3 };
};

} // namespace

void RegisterTabControlClass() { RegisterControlClass<TabWindow>(kTabControlClass); }

} // namespace platform::ui

// ---- CTabCtrl ----

const platform::MessageMap* CTabCtrl::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = { ReflectDrawItem<&CTabCtrl::DrawItem>() };
    static constexpr platform::MessageMap kMap { &CWnd::GetThisMessageMap, kEntries };
    return &kMap;
}

BOOL CTabCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    platform::ui::RegisterTabControlClass();
    return CWnd::Create(platform::ui::kTabControlClass, "", dwStyle, rect, pParentWnd, nID);
}

void CTabCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

CImageList* CTabCtrl::SetImageList(CImageList* pImageList)
{
    CImageList* old = GetImageList();
    platform::ui::LinkImageList(m_hWnd, platform::ui::kTabImageSlot, pImageList);
    SendMessage(TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(pImageList ? pImageList->GetSafeHandle() : nullptr));
    return old;
}

CImageList* CTabCtrl::GetImageList() const
{
    return platform::ui::LinkedImageList(m_hWnd, platform::ui::kTabImageSlot,
                                         reinterpret_cast<HIMAGELIST>(SendMessage(TCM_GETIMAGELIST)));
}

int CTabCtrl::GetItemCount() const { return static_cast<int>(SendMessage(TCM_GETITEMCOUNT)); }
BOOL CTabCtrl::GetItem(int nItem, TCITEM* pTabCtrlItem) const
{
    return static_cast<BOOL>(SendMessage(TCM_GETITEM, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(pTabCtrlItem)));
}
BOOL CTabCtrl::SetItem(int nItem, TCITEM* pTabCtrlItem)
{
    return static_cast<BOOL>(SendMessage(TCM_SETITEM, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(pTabCtrlItem)));
}
LONG CTabCtrl::InsertItem(int nItem, TCITEM* pTabCtrlItem)
{
    return static_cast<LONG>(SendMessage(TCM_INSERTITEM, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(pTabCtrlItem)));
}
LONG CTabCtrl::InsertItem(int nItem, LPCTSTR lpszItem) { return InsertItem(TCIF_TEXT, nItem, lpszItem, 0, 0); }
LONG CTabCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage)
{
    return InsertItem(TCIF_TEXT | TCIF_IMAGE, nItem, lpszItem, nImage, 0);
}
LONG CTabCtrl::InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, int nImage, LPARAM lParam)
{
    TCITEM item;
    item.mask = nMask;
    item.pszText = const_cast<LPSTR>(lpszItem);
    item.iImage = nImage;
    item.lParam = lParam;
    return InsertItem(nItem, &item);
}
BOOL CTabCtrl::DeleteItem(int nItem) { return static_cast<BOOL>(SendMessage(TCM_DELETEITEM, static_cast<WPARAM>(nItem))); }
BOOL CTabCtrl::DeleteAllItems() { return static_cast<BOOL>(SendMessage(TCM_DELETEALLITEMS)); }
BOOL CTabCtrl::GetItemRect(int nItem, LPRECT lpRect) const
{
    return static_cast<BOOL>(SendMessage(TCM_GETITEMRECT, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(lpRect)));
}
int CTabCtrl::GetCurSel() const { return static_cast<int>(SendMessage(TCM_GETCURSEL)); }
int CTabCtrl::SetCurSel(int nItem) { return static_cast<int>(SendMessage(TCM_SETCURSEL, static_cast<WPARAM>(nItem))); }
int CTabCtrl::GetCurFocus() const { return static_cast<int>(SendMessage(TCM_GETCURFOCUS)); }
void CTabCtrl::SetCurFocus(int nItem) { SendMessage(TCM_SETCURFOCUS, static_cast<WPARAM>(nItem)); }
int CTabCtrl::HitTest(TCHITTESTINFO* pHitTestInfo) const
{
    return static_cast<int>(SendMessage(TCM_HITTEST, 0, reinterpret_cast<LPARAM>(pHitTestInfo)));
}
void CTabCtrl::AdjustRect(BOOL bLarger, LPRECT lpRect) { SendMessage(TCM_ADJUSTRECT, static_cast<WPARAM>(bLarger), reinterpret_cast<LPARAM>(lpRect)); }
CSize CTabCtrl::SetItemSize(CSize size)
{
    auto old = static_cast<DWORD>(SendMessage(TCM_SETITEMSIZE, 0, MAKELPARAM(size.cx, size.cy)));
    return CSize(LOWORD(old), HIWORD(old));
}
void CTabCtrl::SetPadding(CSize size) { SendMessage(TCM_SETPADDING, 0, MAKELPARAM(size.cx, size.cy)); }
int CTabCtrl::GetRowCount() const { return static_cast<int>(SendMessage(TCM_GETROWCOUNT)); }
