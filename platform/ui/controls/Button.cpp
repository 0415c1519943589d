// The "Button" window class and CButton.
#include "platform/ui/controls/Button.h"

#include "platform/gdi/SysColors.h"
#include "platform/ui/controls/ControlWindow.h"

namespace platform::ui {

namespace {

constexpr int kCheckBoxSize = 13;
constexpr int kCheckBoxTextGap = 4;

class ButtonWindow : public ControlWindow
{
public:
    using ControlWindow::ControlWindow;

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_GETDLGCODE: return DialogCode();
        case BM_GETCHECK: return IsCheckable() ? m_check : 0;
        case BM_SETCHECK: SetCheck(static_cast<int>(wParam)); return 0;
        case BM_GETSTATE: return m_check | (m_pushed ? BST_PUSHED : 0) | (HasFocus() ? BST_FOCUS : 0);
        case BM_SETSTATE: SetPushed(wParam != 0); return 0;
        case BM_SETSTYLE: {
            DWORD style = (Style() & ~0xFFFFu) | static_cast<DWORD>(wParam & 0xFFFF);
            SetWindowLongPtr(m_hwnd, GWL_STYLE, static_cast<LONG_PTR>(style));
            if (LOWORD(lParam))
                Redraw();
            return 0;
        }
        case BM_CLICK: Click(); return 0;
        case BM_GETIMAGE: return reinterpret_cast<LRESULT>(wParam == IMAGE_ICON ? m_icon : m_bitmap);
        case BM_SETIMAGE: {
            HANDLE& slot = wParam == IMAGE_ICON ? m_icon : m_bitmap;
            HANDLE old = slot;
            slot = reinterpret_cast<HANDLE>(lParam);
            Redraw();
            return reinterpret_cast<LRESULT>(old);
        }
        case WM_NCHITTEST:
            // A group box frames the controls inside it and lets their clicks through to them.
            if (Type() == BS_GROUPBOX)
                return HTTRANSPARENT;
            return ControlWindow::Handle(message, wParam, lParam);
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (Type() == BS_GROUPBOX)
                return 0;
            if (message == WM_LBUTTONDBLCLK && (IsRadio() || Type() == BS_OWNERDRAW || (Style() & BS_NOTIFY))) {
                Notify(BN_DOUBLECLICKED);
                return 0;
            }
            SetFocus(m_hwnd);
            SetCapture(m_hwnd);
            m_tracking = true;
            SetPushed(true);
            return 0;
        case WM_MOUSEMOVE:
            if (m_tracking)
                SetPushed(Client().PtInRect(CPoint(lParam)));
            return 0;
        case WM_LBUTTONUP:
            if (!m_tracking)
                return 0;
            m_tracking = false;
            ReleaseCapture();
            if (m_pushed) {
                SetPushed(false);
                Clicked();
            }
            return 0;
        case WM_CAPTURECHANGED:
            if (m_tracking) {
                m_tracking = false;
                SetPushed(false);
            }
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_SPACE && Type() != BS_GROUPBOX)
                SetPushed(true);
            return 0;
        case WM_KEYUP:
            if (wParam == VK_SPACE && m_pushed) {
                SetPushed(false);
                Clicked();
            }
            return 0;
        case WM_SETFOCUS:
            Redraw();
            if (Style() & BS_NOTIFY)
                Notify(BN_SETFOCUS);
            return 0;
        case WM_KILLFOCUS:
            if (m_pushed && !m_tracking)
                SetPushed(false);
            Redraw();
            if (Style() & BS_NOTIFY)
                Notify(BN_KILLFOCUS);
            return 0;
        default: return ControlWindow::Handle(message, wParam, lParam);
        }
    }

private:
    DWORD Type() const { return Style() & BS_TYPEMASK; }
    bool IsRadio() const { return Type() == BS_RADIOBUTTON || Type() == BS_AUTORADIOBUTTON; }
    bool IsCheckable() const
    {
        DWORD t = Type();
        return t == BS_CHECKBOX || t == BS_AUTOCHECKBOX || t == BS_3STATE || t == BS_AUTO3STATE || IsRadio();
    }
    bool IsPush() const { return Type() == BS_PUSHBUTTON || Type() == BS_DEFPUSHBUTTON || (Style() & BS_PUSHLIKE); }

    UINT DialogCode() const
    {
        switch (Type()) {
        case BS_DEFPUSHBUTTON: return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        case BS_PUSHBUTTON:
        case BS_OWNERDRAW: return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON: return DLGC_BUTTON | DLGC_RADIOBUTTON;
        case BS_GROUPBOX: return DLGC_STATIC;
        default: return DLGC_BUTTON;
        }
    }

    void SetCheck(int check)
    {
        if (!IsCheckable())
            return;
        int most = (Type() == BS_3STATE || Type() == BS_AUTO3STATE) ? BST_INDETERMINATE : BST_CHECKED;
        check = check < 0 ? 0 : (check > most ? most : check);
        if (check == m_check)
            return;
        m_check = check;
        // A checked radio button becomes its group's tab stop, as the dialog manager expects.
        if (IsRadio()) {
            DWORD style = Style();
            DWORD changed = check ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP);
            if (changed != style)
                SetWindowLongPtr(m_hwnd, GWL_STYLE, static_cast<LONG_PTR>(changed));
        }
        Redraw();
    }

    void SetPushed(bool pushed)
    {
        if (pushed == m_pushed)
            return;
        m_pushed = pushed;
        Redraw();
    }

    void Click()
    {
        SetPushed(true);
        SetPushed(false);
        Clicked();
    }

    // The automatic styles change their own state before the parent hears of the click.
    void Clicked()
    {
        switch (Type()) {
        case BS_AUTOCHECKBOX: SetCheck(m_check ? BST_UNCHECKED : BST_CHECKED); break;
        case BS_AUTO3STATE: SetCheck((m_check + 1) % 3); break;
        case BS_AUTORADIOBUTTON: CheckInGroup(); break;
        default: break;
        }
        Notify(BN_CLICKED);
    }

    // Checks this radio button and unchecks the other radio buttons of its group.
    void CheckInGroup()
    {
        HWND parent = Parent();
        if (!parent) {
            SetCheck(BST_CHECKED);
            return;
        }
        // The group runs from the last WS_GROUP control at or before this one to the next one.
        HWND first = m_hwnd;
        while (!(GetWindowLongPtr(first, GWL_STYLE) & WS_GROUP)) {
            HWND prev = GetWindow(first, GW_HWNDPREV);
            if (!prev)
                break;
            first = prev;
        }
        for (HWND h = first; h; h = GetWindow(h, GW_HWNDNEXT)) {
            if (h != first && (GetWindowLongPtr(h, GWL_STYLE) & WS_GROUP))
                break;
            if (h == m_hwnd)
                continue;
            if (SendMessage(h, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)
                SendMessage(h, BM_SETCHECK, BST_UNCHECKED, 0);
        }
        SetCheck(BST_CHECKED);
    }

    void Paint(CDC& dc) override
    {
        CRect client = Client();
        SelectFont(dc);
        if (Type() == BS_OWNERDRAW) {
            PaintOwnerDrawn(dc, client);
            return;
        }
        HBRUSH background = AskColors(dc, WM_CTLCOLORBTN, COLOR_BTNFACE);
        dc.FillRect(&client, CBrush::FromHandle(background));
        dc.SetBkMode(TRANSPARENT);
        if (!Enabled())
            dc.SetTextColor(GetSysColor(COLOR_GRAYTEXT));
        if (Type() == BS_GROUPBOX)
            PaintGroupBox(dc, client, background);
        else if (IsPush())
            PaintPushButton(dc, client);
        else
            PaintCheckOrRadio(dc, client);
    }

    void PaintOwnerDrawn(CDC& dc, const CRect& client)
    {
        DRAWITEMSTRUCT dis;
        dis.CtlType = ODT_BUTTON;
        dis.CtlID = static_cast<UINT>(Id());
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = (m_pushed ? ODS_SELECTED : 0) | (HasFocus() ? ODS_FOCUS : 0) | (Enabled() ? 0 : ODS_DISABLED);
        dis.hwndItem = m_hwnd;
        dis.hDC = dc.GetSafeHdc();
        dis.rcItem = client;
        if (HWND parent = Parent())
            SendMessage(parent, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
    }

    UINT TextFormat(UINT defaultHorizontal) const
    {
        DWORD style = Style();
        UINT format = (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
        switch (style & BS_CENTER) {
        case BS_LEFT: format |= DT_LEFT; break;
        case BS_RIGHT: format |= DT_RIGHT; break;
        case BS_CENTER: format |= DT_CENTER; break;
        default: format |= defaultHorizontal; break;
        }
        if (!(style & BS_MULTILINE))
            format |= DT_VCENTER;
        return format;
    }

    void PaintPushButton(CDC& dc, CRect face)
    {
        bool isDefault = Type() == BS_DEFPUSHBUTTON;
        if (isDefault) {
            dc.FrameRect(&face, CBrush::FromHandle(GetSysColorBrush(COLOR_WINDOWFRAME)));
            face.DeflateRect(1, 1);
        }
        bool checkedLike = (Style() & BS_PUSHLIKE) && m_check;
        dc.DrawFrameControl(&face, DFC_BUTTON, DFCS_BUTTONPUSH | (m_pushed || checkedLike ? DFCS_PUSHED : 0));
        CRect text = face;
        text.DeflateRect(4, 3);
        if (m_pushed)
            text.OffsetRect(1, 1);
        if (m_bitmap)
            PaintBitmap(dc, text);
        else
            dc.DrawText(Text(), &text, TextFormat(DT_CENTER));
        if (HasFocus()) {
            CRect focus = face;
            focus.DeflateRect(3, 3);
            dc.DrawFocusRect(&focus);
        }
    }

    void PaintBitmap(CDC& dc, const CRect& area)
    {
        BITMAP bm {};
        if (!GetObject(static_cast<HBITMAP>(m_bitmap), sizeof(bm), &bm))
            return;
        CDC memory;
        memory.CreateCompatibleDC(&dc);
        HGDIOBJ old = memory.SelectObject(static_cast<HGDIOBJ>(m_bitmap));
        dc.BitBlt(area.left + (area.Width() - bm.bmWidth) / 2, area.top + (area.Height() - bm.bmHeight) / 2, bm.bmWidth,
                  bm.bmHeight, &memory, 0, 0, SRCCOPY);
        memory.SelectObject(old);
    }

    void PaintCheckOrRadio(CDC& dc, const CRect& client)
    {
        bool leftText = (Style() & BS_LEFTTEXT) != 0;
        int boxTop = client.top + (client.Height() - kCheckBoxSize) / 2;
        int boxLeft = leftText ? client.right - kCheckBoxSize : client.left;
        CRect box(boxLeft, boxTop, boxLeft + kCheckBoxSize, boxTop + kCheckBoxSize);
        UINT state = IsRadio() ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK;
        if (m_check)
            state |= DFCS_CHECKED;
        // The indeterminate state: a grey check mark on the face colour.
        if (m_check == BST_INDETERMINATE)
            state |= DFCS_INACTIVE;
        if (m_pushed)
            state |= DFCS_PUSHED;
        if (!Enabled())
            state |= DFCS_INACTIVE;
        int saved = dc.SaveDC(); // the painter may leave its colours behind
        dc.DrawFrameControl(&box, DFC_BUTTON, state);
        dc.RestoreDC(saved);
        CRect text = client;
        if (leftText)
            text.right = box.left - kCheckBoxTextGap;
        else
            text.left = box.right + kCheckBoxTextGap;
        CString label = Text();
        dc.DrawText(label, &text, TextFormat(DT_LEFT));
        if (HasFocus() && !label.IsEmpty()) {
            CRect measure = text;
            dc.DrawText(label, &measure, TextFormat(DT_LEFT) | DT_CALCRECT);
            CRect focus(text.left - 1, text.top + (text.Height() - measure.Height()) / 2 - 1, text.left + measure.Width() + 1,
                        text.top + (text.Height() + measure.Height()) / 2 + 1);
            dc.DrawFocusRect(&focus);
        }
    }

    void PaintGroupBox(CDC& dc, const CRect& client, HBRUSH background)
    {
        CString label = Text();
        CSize extent = dc.GetTextExtent(label.IsEmpty() ? CString("X") : label);
        CRect frame = client;
        frame.top += extent.cy / 2;
        dc.DrawEdge(&frame, EDGE_ETCHED, BF_RECT);
        if (label.IsEmpty())
            return;
        CRect text(client.left + 8, client.top, client.left + 8, client.top + extent.cy);
        dc.DrawText(label, &text, DT_SINGLELINE | DT_CALCRECT);
        CRect gap(text.left - 2, text.top, text.right + 2, text.bottom);
        dc.FillRect(&gap, CBrush::FromHandle(background));
        dc.DrawText(label, &text, DT_SINGLELINE);
    }

    int m_check { BST_UNCHECKED };
    bool m_pushed { false };
    bool m_tracking { false };
    HANDLE m_bitmap { nullptr };
    HANDLE m_icon { nullptr };
};

} // namespace

void RegisterButtonClass() { RegisterControlClass<ButtonWindow>("Button"); }

} // namespace platform::ui

// ---- CButton ------------------------------------------------------------------------------------------

const platform::MessageMap* CButton::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        ReflectDrawItem<&CButton::OnReflectDrawItem>(),
    };
    static constexpr platform::MessageMap kMap { &CWnd::GetThisMessageMap, kEntries };
    return &kMap;
}

BOOL CButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    platform::ui::RegisterStandardControls();
    return CWnd::Create("Button", lpszCaption, dwStyle, rect, pParentWnd, nID);
}

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

int CButton::GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
void CButton::SetCheck(int nCheck) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck)); }
UINT CButton::GetState() const { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }
void CButton::SetState(BOOL bHighlight) { SendMessage(BM_SETSTATE, static_cast<WPARAM>(bHighlight)); }
UINT CButton::GetButtonStyle() const { return static_cast<UINT>(GetStyle() & 0xFFFF); }
void CButton::SetButtonStyle(UINT nStyle, BOOL bRedraw) { SendMessage(BM_SETSTYLE, nStyle, bRedraw); }
HBITMAP CButton::SetBitmap(HBITMAP h) { return reinterpret_cast<HBITMAP>(SendMessage(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(h))); }
HBITMAP CButton::GetBitmap() const { return reinterpret_cast<HBITMAP>(SendMessage(BM_GETIMAGE, IMAGE_BITMAP)); }
HICON CButton::SetIcon(HICON h) { return reinterpret_cast<HICON>(SendMessage(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(h))); }
HICON CButton::GetIcon() const { return reinterpret_cast<HICON>(SendMessage(BM_GETIMAGE, IMAGE_ICON)); }
