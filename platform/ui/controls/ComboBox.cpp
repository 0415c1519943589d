// The "ComboBox" window class and CComboBox.
#include "platform/ui/controls/ComboBox.h"

#include "platform/gdi/SysColors.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/ControlWindow.h"
#include "platform/ui/controls/Edit.h"

#include <algorithm>
#include <cstring>

namespace platform::ui {

namespace {

constexpr int kDefaultVisibleItems = 8;
constexpr const char* kComboEditProp = "platform.ui.combo.editproc";

LRESULT ComboEditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

class ComboWindow : public ControlWindow, public ComboListOwner
{
public:
    using ControlWindow::ControlWindow;

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_CREATE: Create(reinterpret_cast<CREATESTRUCT*>(lParam)); return 0;
        case WM_DESTROY:
            if (IsWindow(m_list))
                DestroyWindow(m_list);
            return 0;
        case WM_WINDOWPOSCHANGING: {
            // The combo box keeps the height of its selection field; a taller request sets the
            // height of the drop-down list.
            auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
            if (!(pos->flags & SWP_NOSIZE) && !m_sizing) {
                if (pos->cy > FieldHeight())
                    m_droppedHeight = pos->cy - FieldHeight();
                pos->cy = FieldHeight();
            }
            return 0;
        }
        case WM_SIZE: LayoutEdit(); return 0;
        case WM_SETFONT:
            ControlWindow::Handle(message, wParam, lParam);
            if (m_edit)
                SendMessage(m_edit, WM_SETFONT, wParam, lParam);
            SendMessage(m_list, WM_SETFONT, wParam, lParam);
            return 0;
        case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS | (Dropped() ? DLGC_WANTALLKEYS : 0);
        case WM_SETTEXT:
            if (m_edit)
                return SendMessage(m_edit, WM_SETTEXT, wParam, lParam);
            return ControlWindow::Handle(message, wParam, lParam);
        case WM_GETTEXT:
        case WM_GETTEXTLENGTH: return GetText(message, wParam, lParam);
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSTATIC:
            // The edit and the list ask on behalf of the combo box.
            if (HWND parent = Parent())
                return SendMessage(parent, message, wParam, reinterpret_cast<LPARAM>(m_hwnd));
            return 0;
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_DELETEITEM:
            if (HWND parent = Parent())
                return SendMessage(parent, message, static_cast<WPARAM>(Id()), lParam);
            return 0;
        case WM_COMMAND: EditNotification(HIWORD(wParam)); return 0;
        case WM_SETFOCUS:
            if (m_edit) {
                SetFocus(m_edit);
                SendMessage(m_edit, EM_SETSEL, 0, -1);
                return 0;
            }
            Redraw();
            Notify(CBN_SETFOCUS);
            return 0;
        case WM_KILLFOCUS: {
            HWND to = reinterpret_cast<HWND>(wParam);
            if (to == m_edit || to == m_list)
                return 0;
            CloseUp(false);
            Redraw();
            if (!m_edit)
                Notify(CBN_KILLFOCUS);
            return 0;
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (!HasFocus() && GetFocus() != m_edit)
                SetFocus(m_hwnd);
            if (Dropped())
                CloseUp(false);
            else if (!m_edit || ButtonRect().PtInRect(CPoint(lParam)))
                DropDown();
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: return Key(message, static_cast<int>(wParam)) ? 0 : ControlWindow::Handle(message, wParam, lParam);
        case WM_CHAR:
            if (!m_edit)
                TypeAhead(static_cast<char>(wParam));
            return 0;
        case WM_MOUSEWHEEL:
            if (Dropped())
                return SendMessage(m_list, message, wParam, lParam);
            Step(GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? -1 : 1);
            return 0;
        case CB_ADDSTRING: return List(LB_ADDSTRING, wParam, lParam);
        case CB_INSERTSTRING: return List(LB_INSERTSTRING, wParam, lParam);
        case CB_DELETESTRING: {
            LRESULT r = List(LB_DELETESTRING, wParam, lParam);
            Redraw();
            return r;
        }
        case CB_RESETCONTENT:
            List(LB_RESETCONTENT, 0, 0);
            if (m_edit)
                SendMessage(m_edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
            Redraw();
            return CB_OKAY;
        case CB_DIR: return List(LB_DIR, wParam, lParam);
        case CB_GETCOUNT: return List(LB_GETCOUNT, 0, 0);
        case CB_GETCURSEL: return List(LB_GETCURSEL, 0, 0);
        case CB_SETCURSEL: {
            int i = static_cast<int>(wParam);
            List(LB_SETCURSEL, static_cast<WPARAM>(i), 0);
            ShowSelection();
            return (i >= 0 && i < Count()) ? i : CB_ERR;
        }
        case CB_SELECTSTRING: {
            LRESULT found = List(LB_FINDSTRING, wParam, lParam);
            if (found != CB_ERR) {
                List(LB_SETCURSEL, static_cast<WPARAM>(found), 0);
                ShowSelection();
            }
            return found;
        }
        case CB_GETLBTEXT: return List(LB_GETTEXT, wParam, lParam);
        case CB_GETLBTEXTLEN: return List(LB_GETTEXTLEN, wParam, lParam);
        case CB_FINDSTRING: return List(LB_FINDSTRING, wParam, lParam);
        case CB_FINDSTRINGEXACT: return List(LB_FINDSTRINGEXACT, wParam, lParam);
        case CB_GETITEMDATA: return List(LB_GETITEMDATA, wParam, lParam);
        case CB_SETITEMDATA: return List(LB_SETITEMDATA, wParam, lParam);
        case CB_SHOWDROPDOWN:
            if (wParam)
                DropDown();
            else
                CloseUp(false);
            return TRUE;
        case CB_GETDROPPEDSTATE: return Dropped();
        case CB_GETDROPPEDCONTROLRECT: {
            CRect r;
            GetWindowRect(m_hwnd, &r);
            r.bottom += m_droppedHeight;
            *reinterpret_cast<RECT*>(lParam) = r;
            return CB_OKAY;
        }
        case CB_SETITEMHEIGHT:
            if (static_cast<int>(wParam) == -1) {
                m_fieldItemHeight = static_cast<int>(lParam);
                m_sizing = true;
                SetWindowPos(m_hwnd, nullptr, 0, 0, Client().Width(), FieldHeight(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
                m_sizing = false;
                return CB_OKAY;
            }
            return List(LB_SETITEMHEIGHT, wParam, lParam);
        case CB_GETITEMHEIGHT:
            return static_cast<int>(wParam) == -1 ? FieldItemHeight() : List(LB_GETITEMHEIGHT, wParam, lParam);
        case CB_LIMITTEXT: return m_edit ? SendMessage(m_edit, EM_LIMITTEXT, wParam, 0), TRUE : CB_ERR;
        case CB_GETEDITSEL: return m_edit ? SendMessage(m_edit, EM_GETSEL, wParam, lParam) : CB_ERR;
        case CB_SETEDITSEL:
            if (!m_edit)
                return CB_ERR;
            SendMessage(m_edit, EM_SETSEL, static_cast<WPARAM>(static_cast<short>(LOWORD(lParam))), static_cast<short>(HIWORD(lParam)));
            return TRUE;
        case CB_SETDROPPEDWIDTH: m_droppedWidth = static_cast<int>(wParam); return m_droppedWidth;
        case CB_GETDROPPEDWIDTH: return std::max(m_droppedWidth, Client().Width());
        case CB_GETCOMBOBOXINFO: {
            auto* info = reinterpret_cast<COMBOBOXINFO*>(lParam);
            info->hwndCombo = m_hwnd;
            info->hwndItem = m_edit;
            info->hwndList = m_list;
            info->rcButton = ButtonRect();
            info->rcItem = FieldRect();
            return TRUE;
        }
        default: return ControlWindow::Handle(message, wParam, lParam);
        }
    }

    // The keys that the edit child passes on.
    bool EditKey(int vk, bool system)
    {
        if (vk == VK_F4 || (system && (vk == VK_DOWN || vk == VK_UP)))
            return Key(system ? WM_SYSKEYDOWN : WM_KEYDOWN, vk);
        if (vk == VK_UP || vk == VK_DOWN || vk == VK_PRIOR || vk == VK_NEXT)
            return Key(WM_KEYDOWN, vk);
        if (Dropped() && (vk == VK_RETURN || vk == VK_ESCAPE))
            return Key(WM_KEYDOWN, vk);
        return false;
    }

    bool Dropped() const { return m_list && IsWindowVisible(m_list); }

    // ---- the drop-down list's reports ---------------------------------------------------------------

    void ListTracked(int index, bool chosen) override
    {
        List(LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        if (!chosen)
            return;
        if (index != m_selectionAtDrop) {
            ShowSelection();
            Notify(CBN_SELCHANGE);
        }
        CloseUp(true);
    }

    // A click anywhere outside the list (also on the combo box itself) closes it unchosen.
    void ListClickedOutside(POINT) override { CloseUp(false); }

private:
    DWORD Type() const { return Style() & 3; }
    int Count() const { return static_cast<int>(List(LB_GETCOUNT, 0, 0)); }
    LRESULT List(UINT message, WPARAM wParam, LPARAM lParam) const { return SendMessage(m_list, message, wParam, lParam); }

    int FieldItemHeight() const
    {
        if (m_fieldItemHeight > 0)
            return m_fieldItemHeight;
        return static_cast<int>(List(LB_GETITEMHEIGHT, 0, 0));
    }
    int FieldHeight() const { return FieldItemHeight() + 6; }
    CRect ButtonRect() const
    {
        CRect c = Client();
        int width = GetSystemMetrics(SM_CXVSCROLL);
        return CRect(c.right - 2 - width, c.top + 2, c.right - 2, c.bottom - 2);
    }
    CRect FieldRect() const
    {
        CRect c = Client();
        return CRect(c.left + 3, c.top + 3, ButtonRect().left - 1, c.bottom - 3);
    }

    void Create(CREATESTRUCT* cs)
    {
        DWORD style = Style();
        // WS_VSCROLL on a combo box is meant for its list, not for the combo box itself.
        if (style & (WS_VSCROLL | WS_HSCROLL)) {
            style &= ~(WS_VSCROLL | WS_HSCROLL);
            SetWindowLongPtr(m_hwnd, GWL_STYLE, static_cast<LONG_PTR>(style));
        }
        DWORD listStyle = WS_POPUP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY;
        if (style & CBS_OWNERDRAWFIXED)
            listStyle |= LBS_OWNERDRAWFIXED;
        if (style & CBS_OWNERDRAWVARIABLE)
            listStyle |= LBS_OWNERDRAWVARIABLE;
        if (style & CBS_HASSTRINGS)
            listStyle |= LBS_HASSTRINGS;
        if (style & CBS_SORT)
            listStyle |= LBS_SORT;
        // The list is made before the combo box is attached to its owner's object, so its
        // owner-draw measuring reaches the parent through the combo box.
        m_list = CreateWindowEx(WS_EX_TOOLWINDOW, "ComboLBox", "", listStyle, 0, 0, 100, 100, m_hwnd, nullptr, nullptr, nullptr);
        AttachComboList(m_list, this, m_hwnd);
        SendMessage(m_list, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), 0);
        if (Type() == CBS_DROPDOWN || Type() == CBS_SIMPLE) {
            DWORD editStyle = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
            if (style & CBS_UPPERCASE)
                editStyle |= ES_UPPERCASE;
            if (style & CBS_LOWERCASE)
                editStyle |= ES_LOWERCASE;
            m_edit = CreateWindowEx(0, "Edit", cs && cs->lpszName ? cs->lpszName : "", editStyle, 0, 0, 10, 10, m_hwnd,
                                    reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(kComboEditId)), nullptr, nullptr);
            SetProp(m_edit, kComboEditProp, reinterpret_cast<HANDLE>(GetWindowLongPtr(m_edit, GWLP_WNDPROC)));
            SetWindowLongPtr(m_edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ComboEditProc));
        }
        int requested = cs ? cs->cy : 0;
        m_droppedHeight = requested > FieldHeight() ? requested - FieldHeight() : FieldItemHeight() * kDefaultVisibleItems + 2;
        m_sizing = true;
        SetWindowPos(m_hwnd, nullptr, 0, 0, cs ? cs->cx : 100, FieldHeight(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        m_sizing = false;
        LayoutEdit();
    }

    void LayoutEdit()
    {
        if (!m_edit)
            return;
        CRect field = FieldRect();
        MoveWindow(m_edit, field.left, field.top, field.Width(), field.Height(), TRUE);
    }

    LRESULT GetText(UINT message, WPARAM wParam, LPARAM lParam) const
    {
        if (m_edit)
            return SendMessage(m_edit, message, wParam, lParam);
        int sel = static_cast<int>(List(LB_GETCURSEL, 0, 0));
        std::string text;
        if (sel >= 0 && List(LB_GETTEXTLEN, static_cast<WPARAM>(sel), 0) >= 0 && !((Style() & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) && !(Style() & CBS_HASSTRINGS))) {
            text.resize(static_cast<std::size_t>(List(LB_GETTEXTLEN, static_cast<WPARAM>(sel), 0)) + 1);
            List(LB_GETTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(text.data()));
            text.resize(std::strlen(text.c_str()));
        }
        if (message == WM_GETTEXTLENGTH)
            return static_cast<LRESULT>(text.size());
        if (!lParam || wParam == 0)
            return 0;
        std::size_t n = std::min(text.size(), static_cast<std::size_t>(wParam) - 1);
        std::memcpy(reinterpret_cast<char*>(lParam), text.data(), n);
        reinterpret_cast<char*>(lParam)[n] = '\0';
        return static_cast<LRESULT>(n);
    }

    // Shows the current selection in the edit or the selection field.
    void ShowSelection()
    {
        if (m_edit) {
            int sel = static_cast<int>(List(LB_GETCURSEL, 0, 0));
            std::string text;
            if (sel >= 0) {
                text.resize(static_cast<std::size_t>(std::max<LRESULT>(List(LB_GETTEXTLEN, static_cast<WPARAM>(sel), 0), 0)) + 1);
                List(LB_GETTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(text.data()));
                text.resize(std::strlen(text.c_str()));
            }
            m_settingEdit = true;
            SendMessage(m_edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
            SendMessage(m_edit, EM_SETSEL, 0, -1);
            m_settingEdit = false;
        }
        Redraw();
    }

    void EditNotification(UINT code)
    {
        switch (code) {
        case EN_SETFOCUS: Notify(CBN_SETFOCUS); break;
        case EN_KILLFOCUS:
            if (GetFocus() != m_hwnd && GetFocus() != m_list) {
                CloseUp(false);
                Notify(CBN_KILLFOCUS);
            }
            break;
        case EN_UPDATE:
            if (!m_settingEdit)
                Notify(CBN_EDITUPDATE);
            break;
        case EN_CHANGE:
            if (!m_settingEdit)
                Notify(CBN_EDITCHANGE);
            break;
        default: break;
        }
    }

    void DropDown()
    {
        if (Dropped() || !Enabled())
            return;
        Notify(CBN_DROPDOWN); // the owner may fill the list now
        m_selectionAtDrop = static_cast<int>(List(LB_GETCURSEL, 0, 0));
        CRect combo;
        GetWindowRect(m_hwnd, &combo);
        int itemHeight = std::max<int>(static_cast<int>(List(LB_GETITEMHEIGHT, 0, 0)), 1);
        int rows = std::max(1, std::min(Count(), std::max(1, (m_droppedHeight - 2) / itemHeight)));
        int height = rows * itemHeight + 2;
        int width = std::max(combo.Width(), m_droppedWidth);
        SIZE screen { GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN) };
        int top = combo.bottom + height > screen.cy && combo.top - height >= 0 ? combo.top - height : combo.bottom;
        SetWindowPos(m_list, HWND_TOPMOST, combo.left, top, width, height, SWP_NOACTIVATE);
        // A list that can show every item needs no scroll bar.
        ShowScrollBar(m_list, SB_VERT, Count() > rows);
        if (m_selectionAtDrop >= 0)
            List(LB_SETTOPINDEX, static_cast<WPARAM>(std::max(0, m_selectionAtDrop - rows + 1)), 0);
        else
            List(LB_SETTOPINDEX, 0, 0);
        ShowWindow(m_list, SW_SHOWNA);
        SetCapture(m_list);
        Redraw();
    }

    void CloseUp(bool chosen)
    {
        if (!Dropped())
            return;
        if (!chosen) {
            int now = static_cast<int>(List(LB_GETCURSEL, 0, 0));
            if (now != m_selectionAtDrop)
                List(LB_SETCURSEL, static_cast<WPARAM>(m_selectionAtDrop), 0);
        }
        ShowWindow(m_list, SW_HIDE);
        if (GetCapture() == m_list)
            ReleaseCapture();
        Redraw();
        Notify(chosen ? CBN_SELENDOK : CBN_SELENDCANCEL);
        Notify(CBN_CLOSEUP);
    }

    // Moves the selection by `delta` items (keyboard or wheel), notifying the change.
    void Step(int delta)
    {
        int n = Count();
        if (n == 0)
            return;
        int sel = static_cast<int>(List(LB_GETCURSEL, 0, 0));
        int next = sel < 0 ? 0 : std::clamp(sel + delta, 0, n - 1);
        if (next == sel)
            return;
        List(LB_SETCURSEL, static_cast<WPARAM>(next), 0);
        if (Dropped())
            m_selectionAtDrop = next; // a keyboard choice stands even if the list is cancelled
        ShowSelection();
        Notify(CBN_SELCHANGE);
    }

    bool Key(UINT message, int vk)
    {
        bool system = message == WM_SYSKEYDOWN;
        if (vk == VK_F4 || (system && (vk == VK_DOWN || vk == VK_UP))) {
            if (Dropped())
                CloseUp(true);
            else
                DropDown();
            return true;
        }
        if (system)
            return false;
        int page = std::max(1, static_cast<int>(m_droppedHeight / std::max<LRESULT>(List(LB_GETITEMHEIGHT, 0, 0), 1)) - 1);
        switch (vk) {
        case VK_UP: Step(-1); return true;
        case VK_DOWN: Step(1); return true;
        case VK_PRIOR: Step(-page); return true;
        case VK_NEXT: Step(page); return true;
        case VK_HOME:
            if (m_edit)
                return false;
            Step(-Count());
            return true;
        case VK_END:
            if (m_edit)
                return false;
            Step(Count());
            return true;
        case VK_RETURN:
            if (!Dropped())
                return false;
            CloseUp(true);
            return true;
        case VK_ESCAPE:
            if (!Dropped())
                return false;
            CloseUp(false);
            return true;
        default: return false;
        }
    }

    void TypeAhead(char ch)
    {
        if (static_cast<unsigned char>(ch) < 0x20)
            return;
        char text[2] = { ch, 0 };
        int sel = static_cast<int>(List(LB_GETCURSEL, 0, 0));
        LRESULT found = List(LB_FINDSTRING, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(text));
        if (found >= 0 && found != sel) {
            List(LB_SETCURSEL, static_cast<WPARAM>(found), 0);
            ShowSelection();
            Notify(CBN_SELCHANGE);
        }
    }

    void Paint(CDC& dc) override
    {
        CRect client = Client();
        bool editable = m_edit != nullptr;
        HBRUSH background = AskColors(dc, editable ? WM_CTLCOLOREDIT : WM_CTLCOLORLISTBOX, COLOR_WINDOW);
        dc.FillRect(&client, CBrush::FromHandle(background));
        CRect edge = client;
        dc.DrawEdge(&edge, EDGE_SUNKEN, BF_RECT);
        CRect button = ButtonRect();
        dc.DrawFrameControl(&button, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (Dropped() ? DFCS_PUSHED | DFCS_FLAT : 0) |
                                                     (Enabled() ? 0 : DFCS_INACTIVE));
        if (editable)
            return;
        CRect field = FieldRect();
        int sel = static_cast<int>(List(LB_GETCURSEL, 0, 0));
        bool focused = HasFocus() && !Dropped();
        if (Style() & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) {
            DRAWITEMSTRUCT dis;
            dis.CtlType = ODT_COMBOBOX;
            dis.CtlID = static_cast<UINT>(Id());
            dis.itemID = static_cast<UINT>(sel);
            dis.itemAction = ODA_DRAWENTIRE;
            dis.itemState = ODS_COMBOBOXEDIT | (focused ? ODS_SELECTED | ODS_FOCUS : 0) | (Enabled() ? 0 : ODS_DISABLED);
            dis.hwndItem = m_hwnd;
            dis.hDC = dc.GetSafeHdc();
            dis.rcItem = field;
            dis.itemData = sel >= 0 ? static_cast<ULONG_PTR>(List(LB_GETITEMDATA, static_cast<WPARAM>(sel), 0)) : 0;
            if (HWND parent = Parent())
                SendMessage(parent, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
            return;
        }
        SelectFont(dc);
        dc.SetBkMode(TRANSPARENT);
        if (focused) {
            dc.FillSolidRect(&field, GetSysColor(COLOR_HIGHLIGHT));
            dc.SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
        } else if (!Enabled()) {
            dc.SetTextColor(GetSysColor(COLOR_GRAYTEXT));
        }
        CString text;
        int length = static_cast<int>(GetText(WM_GETTEXTLENGTH, 0, 0));
        GetText(WM_GETTEXT, static_cast<WPARAM>(length + 1), reinterpret_cast<LPARAM>(text.GetBuffer(length)));
        text.ReleaseBuffer(length);
        CRect textBox = field;
        textBox.left += 2;
        dc.DrawText(text, &textBox, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        if (focused)
            dc.DrawFocusRect(&field);
    }

    HWND m_list { nullptr };
    HWND m_edit { nullptr };
    int m_droppedHeight { 0 };
    int m_droppedWidth { 0 };
    int m_fieldItemHeight { 0 };
    int m_selectionAtDrop { -1 };
    bool m_sizing { false };
    bool m_settingEdit { false };
};

// The edit child of a drop-down combo box passes the list keys to its combo box.
LRESULT ComboEditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto original = reinterpret_cast<WNDPROC>(GetProp(hwnd, kComboEditProp));
    auto* combo = ControlAs<ComboWindow>(GetParent(hwnd));
    if (combo) {
        if ((message == WM_KEYDOWN || message == WM_SYSKEYDOWN) && combo->EditKey(static_cast<int>(wParam), message == WM_SYSKEYDOWN))
            return 0;
        if (message == WM_GETDLGCODE && combo->Dropped())
            return CallWindowProc(original, hwnd, message, wParam, lParam) | DLGC_WANTALLKEYS;
        if (message == WM_CHAR && combo->Dropped() && (wParam == '\r' || wParam == 0x1B))
            return 0;
    }
    if (message == WM_NCDESTROY)
        RemoveProp(hwnd, kComboEditProp);
    return CallWindowProc(original, hwnd, message, wParam, lParam);
}

} // namespace

void RegisterComboBoxClass() { RegisterControlClass<ComboWindow>("ComboBox"); }

} // namespace platform::ui

BOOL GetComboBoxInfo(HWND combo, COMBOBOXINFO* info)
{
    return info ? static_cast<BOOL>(SendMessage(combo, CB_GETCOMBOBOXINFO, 0, reinterpret_cast<LPARAM>(info))) : FALSE;
}

// ---- CComboBox ---------------------------------------------------------------------------------------------

const platform::MessageMap* CComboBox::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        ReflectDrawItem<&CComboBox::OnReflectDrawItem>(),
        ReflectMeasureItem<&CComboBox::OnReflectMeasureItem>(),
    };
    static constexpr platform::MessageMap kMap { &CWnd::GetThisMessageMap, kEntries };
    return &kMap;
}

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    platform::ui::RegisterStandardControls();
    return CWnd::Create("ComboBox", "", dwStyle, rect, pParentWnd, nID);
}

void CComboBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT) {}

namespace {
LPARAM Text(LPCTSTR text) { return reinterpret_cast<LPARAM>(text); }
} // namespace

int CComboBox::GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
int CComboBox::GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
int CComboBox::SetCurSel(int i) { return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(i))); }
int CComboBox::AddString(LPCTSTR s) { return static_cast<int>(SendMessage(CB_ADDSTRING, 0, Text(s))); }
int CComboBox::InsertString(int i, LPCTSTR s) { return static_cast<int>(SendMessage(CB_INSERTSTRING, static_cast<WPARAM>(i), Text(s))); }
int CComboBox::DeleteString(UINT i) { return static_cast<int>(SendMessage(CB_DELETESTRING, i)); }
void CComboBox::ResetContent() { SendMessage(CB_RESETCONTENT); }
int CComboBox::GetLBText(int i, LPTSTR s) const { return static_cast<int>(SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(s))); }
void CComboBox::GetLBText(int i, CString& s) const
{
    int length = GetLBTextLen(i);
    if (length < 0) {
        s.Empty();
        return;
    }
    GetLBText(i, s.GetBuffer(length));
    s.ReleaseBuffer(length);
}
int CComboBox::GetLBTextLen(int i) const { return static_cast<int>(SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(i))); }
int CComboBox::FindString(int after, LPCTSTR s) const { return static_cast<int>(SendMessage(CB_FINDSTRING, static_cast<WPARAM>(after), Text(s))); }
int CComboBox::FindStringExact(int after, LPCTSTR s) const { return static_cast<int>(SendMessage(CB_FINDSTRINGEXACT, static_cast<WPARAM>(after), Text(s))); }
int CComboBox::SelectString(int after, LPCTSTR s) { return static_cast<int>(SendMessage(CB_SELECTSTRING, static_cast<WPARAM>(after), Text(s))); }
DWORD_PTR CComboBox::GetItemData(int i) const { return static_cast<DWORD_PTR>(SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(i))); }
int CComboBox::SetItemData(int i, DWORD_PTR d) { return static_cast<int>(SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(i), static_cast<LPARAM>(d))); }
void* CComboBox::GetItemDataPtr(int i) const { return reinterpret_cast<void*>(GetItemData(i)); }
int CComboBox::SetItemDataPtr(int i, void* p) { return SetItemData(i, reinterpret_cast<DWORD_PTR>(p)); }
void CComboBox::ShowDropDown(BOOL show) { SendMessage(CB_SHOWDROPDOWN, static_cast<WPARAM>(show)); }
BOOL CComboBox::GetDroppedState() const { return static_cast<BOOL>(SendMessage(CB_GETDROPPEDSTATE)); }
void CComboBox::GetDroppedControlRect(LPRECT r) const { SendMessage(CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(r)); }
int CComboBox::SetItemHeight(int i, UINT h) { return static_cast<int>(SendMessage(CB_SETITEMHEIGHT, static_cast<WPARAM>(i), static_cast<LPARAM>(h))); }
int CComboBox::GetItemHeight(int i) const { return static_cast<int>(SendMessage(CB_GETITEMHEIGHT, static_cast<WPARAM>(i))); }
BOOL CComboBox::LimitText(int n) { return static_cast<BOOL>(SendMessage(CB_LIMITTEXT, static_cast<WPARAM>(n))); }
DWORD CComboBox::GetEditSel() const { return static_cast<DWORD>(SendMessage(CB_GETEDITSEL)); }
BOOL CComboBox::SetEditSel(int from, int to)
{
    return static_cast<BOOL>(SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(static_cast<WORD>(from), static_cast<WORD>(to))));
}
int CComboBox::SetDroppedWidth(UINT w) { return static_cast<int>(SendMessage(CB_SETDROPPEDWIDTH, w)); }
int CComboBox::GetDroppedWidth() const { return static_cast<int>(SendMessage(CB_GETDROPPEDWIDTH)); }
int CComboBox::Dir(UINT attr, LPCTSTR wildcard) { return static_cast<int>(SendMessage(CB_DIR, attr, Text(wildcard))); }
BOOL CComboBox::GetComboBoxInfo(COMBOBOXINFO* info) const { return ::GetComboBoxInfo(m_hWnd, info); }
