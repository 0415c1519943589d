// The "ListBox" and "ComboLBox" window classes and CListBox.
#include "platform/ui/controls/ListBox.h"

#include "platform/gdi/SysColors.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/ControlWindow.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fnmatch.h>
#include <set>
#include <string>
#include <strings.h>
#include <vector>

namespace platform::ui {

namespace {

struct Item
{
    std::string text;
    DWORD_PTR data { 0 };
    bool selected { false };
    int height { 0 };
};

class ListBoxWindow : public ControlWindow
{
public:
    using ControlWindow::ControlWindow;

    void SetComboOwner(ComboListOwner* owner, HWND combo)
    {
        m_combo = owner;
        m_notifyParent = combo;
        MeasureFixed();
    }

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_CREATE:
            // The scroll bars asked for at creation come and go with the need for them.
            m_wantsVertical = (Style() & WS_VSCROLL) != 0;
            m_wantsHorizontal = (Style() & WS_HSCROLL) != 0;
            // A combo box's list measures once it knows its combo box.
            if (!(Style() & WS_POPUP))
                MeasureFixed();
            return 0;
        case WM_SETFONT:
            ControlWindow::Handle(message, wParam, lParam);
            MeasureFixed();
            UpdateScrollBars();
            return 0;
        case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case LB_ADDSTRING: return Insert(-1, lParam, !(Style() & LBS_SORT) ? false : true);
        case LB_INSERTSTRING: return Insert(static_cast<int>(wParam), lParam, false);
        case LB_DELETESTRING: return Delete(static_cast<int>(wParam));
        case LB_RESETCONTENT: Reset(); return 0;
        case LB_GETCOUNT: return Count();
        case LB_GETTEXT: {
            int i = static_cast<int>(wParam);
            if (!Valid(i))
                return LB_ERR;
            if (!HasStrings()) {
                *reinterpret_cast<DWORD_PTR*>(lParam) = m_items[i].data;
                return sizeof(DWORD_PTR);
            }
            std::memcpy(reinterpret_cast<char*>(lParam), m_items[i].text.c_str(), m_items[i].text.size() + 1);
            return static_cast<LRESULT>(m_items[i].text.size());
        }
        case LB_GETTEXTLEN: {
            int i = static_cast<int>(wParam);
            return Valid(i) ? (HasStrings() ? static_cast<LRESULT>(m_items[i].text.size()) : sizeof(DWORD_PTR)) : LB_ERR;
        }
        case LB_GETITEMDATA: return Valid(static_cast<int>(wParam)) ? static_cast<LRESULT>(m_items[wParam].data) : LB_ERR;
        case LB_SETITEMDATA:
            if (!Valid(static_cast<int>(wParam)))
                return LB_ERR;
            m_items[wParam].data = static_cast<DWORD_PTR>(lParam);
            return LB_OKAY;
        case LB_FINDSTRING: return Find(static_cast<int>(wParam), lParam, false);
        case LB_FINDSTRINGEXACT: return Find(static_cast<int>(wParam), lParam, true);
        case LB_SELECTSTRING: {
            int found = Find(static_cast<int>(wParam), lParam, false);
            if (found != LB_ERR && !Multi())
                SelectSingle(found, false);
            return found;
        }
        case LB_GETCURSEL: return Multi() ? m_caret : m_selected;
        case LB_SETCURSEL: {
            if (Multi())
                return LB_ERR;
            int i = static_cast<int>(wParam);
            SelectSingle(Valid(i) ? i : -1, false);
            return Valid(i) ? i : LB_ERR;
        }
        case LB_GETSEL: {
            int i = static_cast<int>(wParam);
            if (!Valid(i))
                return LB_ERR;
            return Multi() ? m_items[i].selected : i == m_selected;
        }
        case LB_SETSEL: {
            if (!Multi())
                return LB_ERR;
            int i = static_cast<int>(lParam);
            if (i == -1) {
                for (auto& item : m_items)
                    item.selected = wParam != 0;
            } else if (Valid(i)) {
                m_items[i].selected = wParam != 0;
            } else {
                return LB_ERR;
            }
            Redraw();
            return LB_OKAY;
        }
        case LB_SELITEMRANGE: {
            if (!Multi())
                return LB_ERR;
            int first = LOWORD(lParam), last = HIWORD(lParam);
            for (int i = std::max(0, first); i <= last && i < Count(); ++i)
                m_items[i].selected = wParam != 0;
            Redraw();
            return LB_OKAY;
        }
        case LB_GETSELCOUNT:
            if (!Multi())
                return LB_ERR;
            return std::count_if(m_items.begin(), m_items.end(), [](const Item& i) { return i.selected; });
        case LB_GETSELITEMS: {
            if (!Multi())
                return LB_ERR;
            int n = 0;
            auto* out = reinterpret_cast<int*>(lParam);
            for (int i = 0; i < Count() && n < static_cast<int>(wParam); ++i)
                if (m_items[i].selected)
                    out[n++] = i;
            return n;
        }
        case LB_GETCARETINDEX: return m_caret;
        case LB_SETCARETINDEX:
            if (!Valid(static_cast<int>(wParam)))
                return LB_ERR;
            m_caret = static_cast<int>(wParam);
            EnsureVisible(m_caret);
            Redraw();
            return LB_OKAY;
        case LB_GETANCHORINDEX: return m_anchor;
        case LB_SETANCHORINDEX: m_anchor = static_cast<int>(wParam); return LB_OKAY;
        case LB_GETTOPINDEX: return m_top;
        case LB_SETTOPINDEX:
            if (Count() && !Valid(static_cast<int>(wParam)))
                return LB_ERR;
            ScrollTo(static_cast<int>(wParam));
            return LB_OKAY;
        case LB_GETITEMHEIGHT: {
            int i = static_cast<int>(wParam);
            return Variable() && Valid(i) ? m_items[i].height : m_itemHeight;
        }
        case LB_SETITEMHEIGHT: {
            int height = std::clamp(static_cast<int>(LOWORD(lParam)), 1, 255);
            if (Variable() && Valid(static_cast<int>(wParam)))
                m_items[wParam].height = height;
            else
                m_itemHeight = height;
            UpdateScrollBars();
            Redraw();
            return LB_OKAY;
        }
        case LB_GETITEMRECT: {
            int i = static_cast<int>(wParam);
            if (!Valid(i) && !(i == 0 && Count() == 0))
                return LB_ERR;
            *reinterpret_cast<RECT*>(lParam) = ItemRect(i);
            return LB_OKAY;
        }
        case LB_ITEMFROMPOINT: {
            int i = ItemAt(CPoint(lParam));
            bool outside = i < 0;
            if (outside)
                i = Count() ? std::clamp(m_top + (GET_Y_LPARAM(lParam) < 0 ? 0 : VisibleCount()), 0, Count() - 1) : 0;
            return MAKELONG(static_cast<WORD>(i), outside ? 1 : 0);
        }
        case LB_SETTABSTOPS: {
            m_tabStops.assign(reinterpret_cast<const int*>(lParam), reinterpret_cast<const int*>(lParam) + wParam);
            if (wParam == 1)
                m_tabStops.resize(1);
            Redraw();
            return TRUE;
        }
        case LB_GETHORIZONTALEXTENT: return m_extent;
        case LB_SETHORIZONTALEXTENT:
            m_extent = static_cast<int>(wParam);
            UpdateScrollBars();
            Redraw();
            return 0;
        case LB_DIR: return Dir(static_cast<UINT>(wParam), lParam ? reinterpret_cast<const char*>(lParam) : "*");
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: MouseDown(CPoint(lParam), static_cast<UINT>(wParam), message == WM_LBUTTONDBLCLK); return 0;
        case WM_MOUSEMOVE: MouseMove(CPoint(lParam)); return 0;
        case WM_LBUTTONUP: MouseUp(CPoint(lParam)); return 0;
        case WM_CAPTURECHANGED: m_dragging = false; return 0;
        case WM_MOUSEWHEEL: ScrollTo(m_top - GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * 3); return 0;
        case WM_KEYDOWN: Key(static_cast<int>(wParam)); return 0;
        case WM_CHAR: TypeAhead(static_cast<char>(wParam)); return 0;
        case WM_SETFOCUS:
            Redraw();
            if (Style() & LBS_NOTIFY)
                Notify(LBN_SETFOCUS);
            return 0;
        case WM_KILLFOCUS:
            Redraw();
            if (Style() & LBS_NOTIFY)
                Notify(LBN_KILLFOCUS);
            return 0;
        case WM_VSCROLL: Scroll(LOWORD(wParam), true); return 0;
        case WM_HSCROLL: Scroll(LOWORD(wParam), false); return 0;
        case WM_NCLBUTTONDOWN: TrackWindowScrollBar(m_hwnd, static_cast<LRESULT>(wParam), CPoint(lParam)); return 0;
        case WM_SIZE: UpdateScrollBars(); return 0;
        default: return ControlWindow::Handle(message, wParam, lParam);
        }
    }

    // ---- what the combo box asks of its list ----------------------------------------------------------
    int Count() const { return static_cast<int>(m_items.size()); }
    int Selected() const { return m_selected; }
    int ItemHeight() const { return m_itemHeight; }
    // Height that shows `rows` items.
    int HeightFor(int rows) const { return rows * m_itemHeight; }
    void SelectSingle(int index, bool notify)
    {
        if (index == m_selected && m_caret == index)
            return;
        m_selected = index;
        if (index >= 0)
            m_caret = m_anchor = index;
        EnsureVisible(index);
        Redraw();
        if (notify && (Style() & LBS_NOTIFY))
            Notify(LBN_SELCHANGE);
    }
    void EnsureVisible(int index)
    {
        if (index < 0)
            return;
        if (index < m_top)
            ScrollTo(index);
        else if (index >= m_top + VisibleCount())
            ScrollTo(index - VisibleCount() + 1);
    }
    int TopIndex() const { return m_top; }

private:
    bool Multi() const { return (Style() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }
    bool OwnerDraw() const { return (Style() & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0; }
    bool Variable() const { return (Style() & LBS_OWNERDRAWVARIABLE) != 0; }
    bool HasStrings() const { return !OwnerDraw() || (Style() & LBS_HASSTRINGS); }
    bool Valid(int i) const { return i >= 0 && i < Count(); }

    // The window whose parent gets owner-draw and notification messages for this list: the
    // list itself, or its combo box.
    HWND NotifyWindow() const { return m_combo ? Parent() : m_hwnd; }

    void MeasureFixed()
    {
        HDC hdc = GetDC(m_hwnd);
        if (CDC* dc = CDC::FromHandle(hdc)) {
            int saved = dc->SaveDC();
            SelectFont(*dc);
            TEXTMETRIC tm {};
            dc->GetTextMetrics(&tm);
            m_itemHeight = std::max<int>(tm.tmHeight, 1);
            dc->RestoreDC(saved);
        }
        ReleaseDC(m_hwnd, hdc);
        if (OwnerDraw() && !Variable()) {
            MEASUREITEMSTRUCT mis;
            HWND owner = NotifyWindow();
            mis.CtlType = m_combo ? ODT_COMBOBOX : ODT_LISTBOX;
            mis.CtlID = static_cast<UINT>(GetDlgCtrlID(owner));
            mis.itemHeight = static_cast<UINT>(m_itemHeight);
            if (HWND parent = ::GetParent(owner))
                SendMessage(parent, WM_MEASUREITEM, mis.CtlID, reinterpret_cast<LPARAM>(&mis));
            m_itemHeight = std::max<int>(static_cast<int>(mis.itemHeight), 1);
        }
    }

    int Insert(int index, LPARAM lParam, bool sorted)
    {
        Item item;
        if (HasStrings())
            item.text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        else
            item.data = static_cast<DWORD_PTR>(lParam);
        if (index < -1 || index > Count())
            return LB_ERR;
        if (index == -1)
            index = Count();
        if (sorted && HasStrings()) {
            auto it = std::upper_bound(m_items.begin(), m_items.end(), item, [](const Item& a, const Item& b) {
                return strcasecmp(a.text.c_str(), b.text.c_str()) < 0;
            });
            index = static_cast<int>(it - m_items.begin());
        }
        item.height = m_itemHeight;
        if (Variable()) {
            MEASUREITEMSTRUCT mis;
            HWND owner = NotifyWindow();
            mis.CtlType = m_combo ? ODT_COMBOBOX : ODT_LISTBOX;
            mis.CtlID = static_cast<UINT>(GetDlgCtrlID(owner));
            mis.itemID = static_cast<UINT>(index);
            mis.itemHeight = static_cast<UINT>(m_itemHeight);
            mis.itemData = static_cast<ULONG_PTR>(lParam);
            if (HWND parent = ::GetParent(owner))
                SendMessage(parent, WM_MEASUREITEM, mis.CtlID, reinterpret_cast<LPARAM>(&mis));
            item.height = std::max<int>(static_cast<int>(mis.itemHeight), 1);
        }
        m_items.insert(m_items.begin() + index, std::move(item));
        if (m_selected >= index)
            ++m_selected;
        if (m_caret >= index && m_caret >= 0 && Count() > 1)
            ++m_caret;
        UpdateScrollBars();
        Redraw();
        return index;
    }

    int Delete(int index)
    {
        if (!Valid(index))
            return LB_ERR;
        SendDeleteItem(index);
        m_items.erase(m_items.begin() + index);
        if (m_selected == index)
            m_selected = -1;
        else if (m_selected > index)
            --m_selected;
        if (m_caret >= Count())
            m_caret = Count() - 1;
        m_top = std::clamp(m_top, 0, std::max(0, Count() - 1));
        UpdateScrollBars();
        Redraw();
        return Count();
    }

    void Reset()
    {
        for (int i = Count() - 1; i >= 0; --i)
            SendDeleteItem(i);
        m_items.clear();
        m_selected = -1;
        m_caret = 0;
        m_anchor = 0;
        m_top = 0;
        UpdateScrollBars();
        Redraw();
    }

    void SendDeleteItem(int index)
    {
        if (!OwnerDraw())
            return;
        HWND owner = NotifyWindow();
        DELETEITEMSTRUCT dis;
        dis.CtlType = m_combo ? ODT_COMBOBOX : ODT_LISTBOX;
        dis.CtlID = static_cast<UINT>(GetDlgCtrlID(owner));
        dis.itemID = static_cast<UINT>(index);
        dis.hwndItem = owner;
        dis.itemData = m_items[index].data;
        if (HWND parent = ::GetParent(owner))
            SendMessage(parent, WM_DELETEITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
    }

    // Prefix (or whole-text) search without case, after `after`, wrapping around.
    int Find(int after, LPARAM lParam, bool exact) const
    {
        int n = Count();
        if (n == 0)
            return LB_ERR;
        int start = (after < 0 || after >= n) ? 0 : after + 1;
        for (int k = 0; k < n; ++k) {
            const Item& item = m_items[(start + k) % n];
            bool match = false;
            if (!HasStrings()) {
                match = item.data == static_cast<DWORD_PTR>(lParam);
            } else {
                const char* text = lParam ? reinterpret_cast<const char*>(lParam) : "";
                match = exact ? strcasecmp(item.text.c_str(), text) == 0 : strncasecmp(item.text.c_str(), text, std::strlen(text)) == 0;
            }
            if (match)
                return (start + k) % n;
        }
        return LB_ERR;
    }

    int Dir(UINT attributes, const std::string& pattern)
    {
        namespace fs = std::filesystem;
        fs::path spec(pattern);
        fs::path folder = spec.has_parent_path() ? spec.parent_path() : fs::path(".");
        std::string mask = spec.filename().string();
        if (mask.empty() || mask == "*.*")
            mask = "*";
        std::set<std::string> files, folders;
        std::error_code ec;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            std::string name = it->path().filename().string();
            bool isFolder = it->is_directory(ec);
            if (isFolder && (attributes & DDL_DIRECTORY))
                folders.insert("[" + name + "]");
            else if (!isFolder && !(attributes & DDL_EXCLUSIVE) && fnmatch(mask.c_str(), name.c_str(), 0) == 0)
                files.insert(name);
        }
        if (ec && files.empty() && folders.empty())
            return LB_ERR;
        int last = LB_ERR;
        for (const auto& set : { files, folders })
            for (const auto& name : set)
                last = Insert(-1, reinterpret_cast<LPARAM>(name.c_str()), (Style() & LBS_SORT) != 0);
        return last;
    }

    // ---- geometry ----------------------------------------------------------------------------------

    int HeightOf(int i) const { return Variable() && Valid(i) ? m_items[i].height : m_itemHeight; }

    CRect ItemRect(int i) const
    {
        CRect client = Client();
        int y = 0;
        if (i >= m_top)
            for (int k = m_top; k < i; ++k)
                y += HeightOf(k);
        else
            for (int k = i; k < m_top; ++k)
                y -= HeightOf(k);
        return CRect(-m_scrollX, y, std::max<int>(client.right, m_extent) - m_scrollX, y + HeightOf(i));
    }

    int ItemAt(CPoint p) const
    {
        CRect client = Client();
        if (!client.PtInRect(p))
            return -1;
        int y = 0;
        for (int i = m_top; i < Count(); ++i) {
            y += HeightOf(i);
            if (p.y < y)
                return i;
        }
        return -1;
    }

    int VisibleCount() const
    {
        int height = Client().Height(), used = 0, n = 0;
        for (int i = m_top; i < Count(); ++i) {
            used += HeightOf(i);
            if (used > height)
                break;
            ++n;
        }
        if (!Variable() && m_top + n >= Count())
            n = std::max(n, height / std::max(m_itemHeight, 1));
        return std::max(1, n);
    }

    void ScrollTo(int top)
    {
        int last = std::max(0, Count() - VisibleCount());
        top = std::clamp(top, 0, last);
        if (top == m_top)
            return;
        m_top = top;
        UpdateScrollBars();
        Redraw();
    }

    void UpdateScrollBars()
    {
        DWORD style = Style();
        if (m_wantsVertical || m_combo) {
            SCROLLINFO info;
            info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | ((style & LBS_DISABLENOSCROLL) ? SIF_DISABLENOSCROLL : 0);
            info.nMax = std::max(0, Count() - 1);
            info.nPage = static_cast<UINT>(VisibleCount());
            info.nPos = m_top;
            SetScrollInfo(m_hwnd, SB_VERT, &info, TRUE);
        }
        if (m_wantsHorizontal) {
            SCROLLINFO info;
            info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
            info.nMax = m_extent - 1;
            info.nPage = static_cast<UINT>(Client().Width());
            info.nPos = m_scrollX;
            SetScrollInfo(m_hwnd, SB_HORZ, &info, TRUE);
        }
    }

    void Scroll(UINT code, bool vertical)
    {
        SCROLLINFO info;
        info.fMask = SIF_ALL;
        GetScrollInfo(m_hwnd, vertical ? SB_VERT : SB_HORZ, &info);
        int pos = vertical ? m_top : m_scrollX;
        int line = vertical ? 1 : 8;
        int page = vertical ? VisibleCount() : Client().Width();
        switch (code) {
        case SB_LINEUP: pos -= line; break;
        case SB_LINEDOWN: pos += line; break;
        case SB_PAGEUP: pos -= page; break;
        case SB_PAGEDOWN: pos += page; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: pos = info.nTrackPos; break;
        case SB_TOP: pos = 0; break;
        case SB_BOTTOM: pos = vertical ? Count() : m_extent; break;
        case SB_ENDSCROLL:
            // The drop-down list takes the mouse back after its scroll bar was dragged.
            if (m_combo && IsWindowVisible(m_hwnd))
                SetCapture(m_hwnd);
            return;
        default: return;
        }
        if (vertical) {
            ScrollTo(pos);
        } else {
            m_scrollX = std::clamp(pos, 0, std::max(0, m_extent - Client().Width()));
            UpdateScrollBars();
            Redraw();
        }
    }

    // ---- input --------------------------------------------------------------------------------------

    void UserSelects(int index, UINT keys)
    {
        if (!Valid(index))
            return;
        DWORD style = Style();
        if (style & LBS_NOSEL)
            return;
        if (!Multi()) {
            SelectSingle(index, true);
            return;
        }
        bool extended = (style & LBS_EXTENDEDSEL) != 0;
        if (extended && (keys & MK_SHIFT)) {
            if (!(keys & MK_CONTROL))
                for (auto& item : m_items)
                    item.selected = false;
            for (int i = std::min(m_anchor, index); i <= std::max(m_anchor, index); ++i)
                m_items[i].selected = true;
        } else if (extended && !(keys & MK_CONTROL)) {
            for (auto& item : m_items)
                item.selected = false;
            m_items[index].selected = true;
            m_anchor = index;
        } else {
            m_items[index].selected = !m_items[index].selected;
            m_anchor = index;
        }
        m_caret = index;
        EnsureVisible(index);
        Redraw();
        if (style & LBS_NOTIFY)
            Notify(LBN_SELCHANGE);
    }

    void MouseDown(CPoint point, UINT keys, bool doubleClick)
    {
        if (m_combo) {
            POINT screen = point;
            ClientToScreen(m_hwnd, &screen);
            CRect window;
            GetWindowRect(m_hwnd, &window);
            if (!window.PtInRect(screen)) {
                m_combo->ListClickedOutside(screen);
                return;
            }
            if (!Client().PtInRect(point)) {
                TrackWindowScrollBar(m_hwnd, HTVSCROLL, screen);
                return;
            }
            int index = ItemAt(point);
            if (index >= 0)
                m_combo->ListTracked(index, false);
            return;
        }
        if (!HasFocus())
            SetFocus(m_hwnd);
        int index = ItemAt(point);
        if (index < 0)
            return;
        if (doubleClick) {
            if (Style() & LBS_NOTIFY)
                Notify(LBN_DBLCLK);
            return;
        }
        UserSelects(index, keys);
        if (!(Style() & LBS_MULTIPLESEL)) {
            m_dragging = true;
            SetCapture(m_hwnd);
        }
    }

    void MouseMove(CPoint point)
    {
        int index = ItemAt(point);
        if (m_combo) {
            if (index >= 0 && index != m_selected)
                m_combo->ListTracked(index, false);
            return;
        }
        if (!m_dragging || index < 0 || index == m_caret)
            return;
        if (!Multi())
            UserSelects(index, 0);
        else if (Style() & LBS_EXTENDEDSEL)
            UserSelects(index, MK_SHIFT);
    }

    void MouseUp(CPoint point)
    {
        if (m_combo) {
            int index = ItemAt(point);
            if (index >= 0)
                m_combo->ListTracked(index, true);
            return;
        }
        if (m_dragging) {
            m_dragging = false;
            ReleaseCapture();
        }
    }

    void Key(int vk)
    {
        if (Count() == 0)
            return;
        int from = Multi() ? m_caret : std::max(m_selected, 0);
        int to = from;
        switch (vk) {
        case VK_UP: to = from - 1; break;
        case VK_DOWN: to = (Multi() || m_selected >= 0) ? from + 1 : 0; break;
        case VK_PRIOR: to = from - VisibleCount() + 1; break;
        case VK_NEXT: to = from + VisibleCount() - 1; break;
        case VK_HOME: to = 0; break;
        case VK_END: to = Count() - 1; break;
        case VK_SPACE:
            if (Style() & LBS_MULTIPLESEL)
                UserSelects(m_caret, MK_CONTROL);
            return;
        default: return;
        }
        to = std::clamp(to, 0, Count() - 1);
        if (Style() & LBS_MULTIPLESEL) {
            m_caret = to;
            EnsureVisible(to);
            Redraw();
            return;
        }
        UINT keys = GetKeyState(VK_SHIFT) < 0 ? MK_SHIFT : 0;
        if (to != m_selected || Multi())
            UserSelects(to, keys);
    }

    void TypeAhead(char ch)
    {
        if (!HasStrings() || static_cast<unsigned char>(ch) < 0x20)
            return;
        char text[2] = { ch, 0 };
        int found = Find(Multi() ? m_caret : m_selected, reinterpret_cast<LPARAM>(text), false);
        if (found >= 0)
            UserSelects(found, 0);
    }

    // ---- painting ------------------------------------------------------------------------------------------

    void Paint(CDC& dc) override
    {
        HBRUSH background = AskColors(dc, WM_CTLCOLORLISTBOX, COLOR_WINDOW);
        CRect client = Client();
        dc.FillRect(&client, CBrush::FromHandle(background));
        SelectFont(dc);
        dc.SetBkMode(TRANSPARENT);
        COLORREF text = dc.GetTextColor();
        for (int i = m_top; i < Count(); ++i) {
            CRect r = ItemRect(i);
            if (r.top >= client.bottom)
                break;
            bool selected = Multi() ? m_items[i].selected : i == m_selected;
            bool focus = HasFocus() && i == m_caret && !m_combo;
            if (OwnerDraw()) {
                DrawOwnerItem(dc, i, r, selected, focus);
                continue;
            }
            if (selected) {
                dc.FillSolidRect(&r, GetSysColor(COLOR_HIGHLIGHT));
                dc.SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
            } else {
                dc.SetTextColor(text);
            }
            DrawItemText(dc, m_items[i].text, r);
            if (focus)
                dc.DrawFocusRect(&r);
        }
    }

    // Tab stops are in dialog units (a quarter of the average character width); without any,
    // every 32 units; with one, every multiple of it.
    void DrawItemText(CDC& dc, const std::string& text, const CRect& r) const
    {
        int x = r.left + 2;
        if (!(Style() & LBS_USETABSTOPS) || text.find('\t') == std::string::npos) {
            CRect box(x, r.top, r.right, r.bottom);
            dc.DrawText(CString(text), &box, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_EXPANDTABS);
            return;
        }
        TEXTMETRIC tm {};
        dc.GetTextMetrics(&tm);
        int unit = std::max<int>(tm.tmAveCharWidth, 1);
        auto stopX = [&](int k, int current) {
            if (m_tabStops.size() > 1 && k < static_cast<int>(m_tabStops.size()))
                return r.left + 2 + m_tabStops[k] * unit / 4;
            int every = (m_tabStops.size() == 1 ? m_tabStops[0] : 32) * unit / 4;
            every = std::max(every, 1);
            return r.left + 2 + ((current - r.left - 2) / every + 1) * every;
        };
        std::size_t start = 0;
        for (int k = 0;; ++k) {
            std::size_t tab = text.find('\t', start);
            std::string part = text.substr(start, tab == std::string::npos ? std::string::npos : tab - start);
            CRect box(x, r.top, r.right, r.bottom);
            dc.DrawText(CString(part), &box, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
            if (tab == std::string::npos)
                break;
            x = std::max(stopX(k, x + (part.empty() ? 0 : dc.GetTextExtent(CString(part)).cx)), x);
            start = tab + 1;
        }
    }

    void DrawOwnerItem(CDC& dc, int i, const CRect& r, bool selected, bool focus)
    {
        HWND owner = NotifyWindow();
        DRAWITEMSTRUCT dis;
        dis.CtlType = m_combo ? ODT_COMBOBOX : ODT_LISTBOX;
        dis.CtlID = static_cast<UINT>(GetDlgCtrlID(owner));
        dis.itemID = static_cast<UINT>(i);
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = (selected ? ODS_SELECTED : 0) | (focus ? ODS_FOCUS : 0) | (Enabled() ? 0 : ODS_DISABLED);
        dis.hwndItem = owner;
        dis.hDC = dc.GetSafeHdc();
        dis.rcItem = r;
        dis.itemData = m_items[i].data;
        if (HWND parent = ::GetParent(owner))
            SendMessage(parent, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
    }

    std::vector<Item> m_items;
    int m_selected { -1 }; // single selection
    int m_caret { 0 };
    int m_anchor { 0 };
    int m_top { 0 };
    int m_itemHeight { 13 };
    int m_extent { 0 };
    int m_scrollX { 0 };
    std::vector<int> m_tabStops;
    bool m_wantsVertical { false };
    bool m_wantsHorizontal { false };
    bool m_dragging { false };
    ComboListOwner* m_combo { nullptr };
};

} // namespace

void RegisterListBoxClass()
{
    RegisterControlClass<ListBoxWindow>("ListBox");
    RegisterControlClass<ListBoxWindow>("ComboLBox", CS_DBLCLKS | CS_SAVEBITS);
}

void AttachComboList(HWND list, ComboListOwner* owner, HWND combo)
{
    if (auto* l = ControlAs<ListBoxWindow>(list))
        l->SetComboOwner(owner, combo);
}

} // namespace platform::ui

// ---- CListBox ------------------------------------------------------------------------------------------

const platform::MessageMap* CListBox::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        ReflectDrawItem<&CListBox::OnReflectDrawItem>(),
        ReflectMeasureItem<&CListBox::OnReflectMeasureItem>(),
    };
    static constexpr platform::MessageMap kMap { &CWnd::GetThisMessageMap, kEntries };
    return &kMap;
}

BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    platform::ui::RegisterStandardControls();
    return CWnd::Create("ListBox", "", dwStyle, rect, pParentWnd, nID);
}

void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}

namespace {
LPARAM Text(LPCTSTR text) { return reinterpret_cast<LPARAM>(text); }
} // namespace

int CListBox::GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
int CListBox::AddString(LPCTSTR s) { return static_cast<int>(SendMessage(LB_ADDSTRING, 0, Text(s))); }
int CListBox::InsertString(int i, LPCTSTR s) { return static_cast<int>(SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(i), Text(s))); }
int CListBox::DeleteString(UINT i) { return static_cast<int>(SendMessage(LB_DELETESTRING, i)); }
void CListBox::ResetContent() { SendMessage(LB_RESETCONTENT); }
int CListBox::GetText(int i, LPTSTR buffer) const { return static_cast<int>(SendMessage(LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer))); }
void CListBox::GetText(int i, CString& s) const
{
    int length = GetTextLen(i);
    if (length < 0) {
        s.Empty();
        return;
    }
    GetText(i, s.GetBuffer(length));
    s.ReleaseBuffer(length);
}
int CListBox::GetTextLen(int i) const { return static_cast<int>(SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(i))); }
int CListBox::FindString(int after, LPCTSTR s) const { return static_cast<int>(SendMessage(LB_FINDSTRING, static_cast<WPARAM>(after), Text(s))); }
int CListBox::FindStringExact(int after, LPCTSTR s) const { return static_cast<int>(SendMessage(LB_FINDSTRINGEXACT, static_cast<WPARAM>(after), Text(s))); }
int CListBox::SelectString(int after, LPCTSTR s) { return static_cast<int>(SendMessage(LB_SELECTSTRING, static_cast<WPARAM>(after), Text(s))); }
int CListBox::GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
int CListBox::SetCurSel(int i) { return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(i))); }
int CListBox::GetSel(int i) const { return static_cast<int>(SendMessage(LB_GETSEL, static_cast<WPARAM>(i))); }
int CListBox::SetSel(int i, BOOL select) { return static_cast<int>(SendMessage(LB_SETSEL, static_cast<WPARAM>(select), i)); }
int CListBox::GetSelCount() const { return static_cast<int>(SendMessage(LB_GETSELCOUNT)); }
int CListBox::GetSelItems(int n, LPINT out) const { return static_cast<int>(SendMessage(LB_GETSELITEMS, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(out))); }
int CListBox::SelItemRange(BOOL select, int first, int last)
{
    return static_cast<int>(SendMessage(LB_SELITEMRANGE, static_cast<WPARAM>(select), MAKELPARAM(static_cast<WORD>(first), static_cast<WORD>(last))));
}
int CListBox::GetCaretIndex() const { return static_cast<int>(SendMessage(LB_GETCARETINDEX)); }
int CListBox::SetCaretIndex(int i, BOOL scroll) { return static_cast<int>(SendMessage(LB_SETCARETINDEX, static_cast<WPARAM>(i), scroll)); }
int CListBox::GetAnchorIndex() const { return static_cast<int>(SendMessage(LB_GETANCHORINDEX)); }
void CListBox::SetAnchorIndex(int i) { SendMessage(LB_SETANCHORINDEX, static_cast<WPARAM>(i)); }
int CListBox::GetTopIndex() const { return static_cast<int>(SendMessage(LB_GETTOPINDEX)); }
int CListBox::SetTopIndex(int i) { return static_cast<int>(SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(i))); }
DWORD_PTR CListBox::GetItemData(int i) const { return static_cast<DWORD_PTR>(SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(i))); }
int CListBox::SetItemData(int i, DWORD_PTR d) { return static_cast<int>(SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(i), static_cast<LPARAM>(d))); }
void* CListBox::GetItemDataPtr(int i) const { return reinterpret_cast<void*>(GetItemData(i)); }
int CListBox::SetItemDataPtr(int i, void* p) { return SetItemData(i, reinterpret_cast<DWORD_PTR>(p)); }
int CListBox::GetItemRect(int i, LPRECT r) const { return static_cast<int>(SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(r))); }
int CListBox::GetItemHeight(int i) const { return static_cast<int>(SendMessage(LB_GETITEMHEIGHT, static_cast<WPARAM>(i))); }
int CListBox::SetItemHeight(int i, UINT h) { return static_cast<int>(SendMessage(LB_SETITEMHEIGHT, static_cast<WPARAM>(i), MAKELPARAM(static_cast<WORD>(h), 0))); }
BOOL CListBox::SetTabStops(int n, LPINT stops) { return static_cast<BOOL>(SendMessage(LB_SETTABSTOPS, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(stops))); }
void CListBox::SetTabStops() { SendMessage(LB_SETTABSTOPS, 0, 0); }
BOOL CListBox::SetTabStops(const int& each) { return static_cast<BOOL>(SendMessage(LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&each))); }
int CListBox::GetHorizontalExtent() const { return static_cast<int>(SendMessage(LB_GETHORIZONTALEXTENT)); }
void CListBox::SetHorizontalExtent(int cx) { SendMessage(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(cx)); }
int CListBox::Dir(UINT attr, LPCTSTR wildcard) { return static_cast<int>(SendMessage(LB_DIR, attr, Text(wildcard))); }
UINT CListBox::ItemFromPoint(CPoint pt, BOOL& bOutside) const
{
    DWORD r = static_cast<DWORD>(SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y))));
    bOutside = HIWORD(r) ? TRUE : FALSE;
    return LOWORD(r);
}
