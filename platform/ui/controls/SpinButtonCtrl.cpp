// The "msctls_updown32" window class and CSpinButtonCtrl.
#include "platform/ui/controls/SpinButtonCtrl.h"

#include "platform/gdi/SysColors.h"
#include "platform/ui/controls/ControlWindow.h"
#include "platform/ui/controls/ScrollBar.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace platform::ui {

namespace {

constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstRepeatMs = 400;
constexpr UINT kRepeatMs = 80;

class SpinWindow : public ControlWindow
{
public:
    using ControlWindow::ControlWindow;

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_CREATE:
            if (Style() & UDS_AUTOBUDDY)
                SetBuddy(GetWindow(m_hwnd, GW_HWNDPREV));
            return 0;
        case UDM_SETRANGE: m_lower = static_cast<short>(HIWORD(lParam)), m_upper = static_cast<short>(LOWORD(lParam)); Clamp(); return 0;
        case UDM_SETRANGE32: m_lower = static_cast<int>(wParam), m_upper = static_cast<int>(lParam); Clamp(); return 0;
        case UDM_GETRANGE: return MAKELONG(static_cast<WORD>(m_upper), static_cast<WORD>(m_lower));
        case UDM_GETRANGE32:
            if (wParam)
                *reinterpret_cast<int*>(wParam) = m_lower;
            if (lParam)
                *reinterpret_cast<int*>(lParam) = m_upper;
            return 0;
        case UDM_SETPOS:
        case UDM_SETPOS32: {
            int old = m_pos;
            m_pos = Clamped(static_cast<int>(message == UDM_SETPOS ? static_cast<short>(LOWORD(lParam)) : lParam));
            ShowInBuddy();
            return old;
        }
        case UDM_GETPOS: {
            bool error = !ReadBuddy();
            return MAKELONG(static_cast<WORD>(m_pos), error ? 1 : 0);
        }
        case UDM_GETPOS32: {
            bool error = !ReadBuddy();
            if (lParam)
                *reinterpret_cast<BOOL*>(lParam) = error ? TRUE : FALSE;
            return m_pos;
        }
        case UDM_SETBUDDY: return reinterpret_cast<LRESULT>(SetBuddy(reinterpret_cast<HWND>(wParam)));
        case UDM_GETBUDDY: return reinterpret_cast<LRESULT>(m_buddy);
        case UDM_SETBASE: {
            if (wParam != 10 && wParam != 16)
                return 0;
            int old = m_base;
            m_base = static_cast<int>(wParam);
            ShowInBuddy();
            return old;
        }
        case UDM_GETBASE: return m_base;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            m_direction = UpperHalf(CPoint(lParam)) ? 1 : -1;
            SetCapture(m_hwnd);
            m_pressed = true;
            Redraw();
            Step();
            SetTimer(m_hwnd, kRepeatTimer, kFirstRepeatMs, nullptr);
            return 0;
        }
        case WM_TIMER:
            if (wParam == kRepeatTimer && m_pressed) {
                SetTimer(m_hwnd, kRepeatTimer, kRepeatMs, nullptr);
                Step();
            }
            return 0;
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            if (m_pressed) {
                m_pressed = false;
                KillTimer(m_hwnd, kRepeatTimer);
                if (message == WM_LBUTTONUP)
                    ReleaseCapture();
                Redraw();
                Scroll(SB_ENDSCROLL);
            }
            return 0;
        default: return ControlWindow::Handle(message, wParam, lParam);
        }
    }

private:
    bool Horizontal() const { return (Style() & UDS_HORZ) != 0; }
    int Low() const { return std::min(m_lower, m_upper); }
    int High() const { return std::max(m_lower, m_upper); }
    int Clamped(int pos) const { return std::clamp(pos, Low(), High()); }
    void Clamp() { m_pos = Clamped(m_pos); }

    // The up (or right) arrow is the first half.
    bool UpperHalf(CPoint p) const
    {
        CRect c = Client();
        return Horizontal() ? p.x >= c.Width() / 2 : p.y < c.Height() / 2;
    }

    HWND SetBuddy(HWND buddy)
    {
        HWND old = m_buddy;
        m_buddy = buddy;
        if (buddy && (Style() & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT))) {
            // Sits against the buddy's edge and takes its width from the buddy.
            CRect b, me;
            GetWindowRect(buddy, &b);
            GetWindowRect(m_hwnd, &me);
            HWND parent = ::GetParent(m_hwnd);
            POINT topLeft { b.left, b.top };
            ScreenToClient(parent, &topLeft);
            int width = me.Width();
            if (Style() & UDS_ALIGNRIGHT) {
                MoveWindow(buddy, topLeft.x, topLeft.y, b.Width() - width, b.Height(), TRUE);
                MoveWindow(m_hwnd, topLeft.x + b.Width() - width, topLeft.y, width, b.Height(), TRUE);
            } else {
                MoveWindow(buddy, topLeft.x + width, topLeft.y, b.Width() - width, b.Height(), TRUE);
                MoveWindow(m_hwnd, topLeft.x, topLeft.y, width, b.Height(), TRUE);
            }
        }
        ShowInBuddy();
        return old;
    }

    void ShowInBuddy()
    {
        if (!m_buddy || !(Style() & UDS_SETBUDDYINT))
            return;
        char text[32];
        if (m_base == 16)
            std::snprintf(text, sizeof(text), "0x%X", static_cast<unsigned>(m_pos));
        else
            std::snprintf(text, sizeof(text), "%d", m_pos);
        SetWindowText(m_buddy, text);
    }

    // Takes the number the user typed into the buddy; false when it holds none.
    bool ReadBuddy()
    {
        if (!m_buddy || !(Style() & UDS_SETBUDDYINT))
            return true;
        char text[64] {};
        GetWindowText(m_buddy, text, sizeof(text));
        char* end = nullptr;
        long value = std::strtol(text, &end, m_base == 16 ? 16 : 10);
        if (end == text || *end)
            return false;
        m_pos = Clamped(static_cast<int>(value));
        return true;
    }

    void Step()
    {
        ReadBuddy();
        int delta = (m_upper >= m_lower ? 1 : -1) * m_direction;
        int next = m_pos + delta;
        if (next < Low() || next > High()) {
            if (!(Style() & UDS_WRAP))
                return;
            next = next < Low() ? High() : Low();
        }
        NMUPDOWN nm;
        nm.hdr.hwndFrom = m_hwnd;
        nm.hdr.idFrom = static_cast<UINT_PTR>(Id());
        nm.hdr.code = UDN_DELTAPOS;
        nm.iPos = m_pos;
        nm.iDelta = next - m_pos;
        if (HWND parent = Parent())
            if (SendMessage(parent, WM_NOTIFY, static_cast<WPARAM>(Id()), reinterpret_cast<LPARAM>(&nm)))
                return; // the parent refused the step
        m_pos = Clamped(m_pos + nm.iDelta);
        ShowInBuddy();
        Scroll(SB_THUMBPOSITION);
    }

    void Scroll(UINT code)
    {
        if (HWND parent = Parent())
            SendMessage(parent, Horizontal() ? WM_HSCROLL : WM_VSCROLL, MAKEWPARAM(static_cast<WORD>(code), static_cast<WORD>(m_pos)),
                        reinterpret_cast<LPARAM>(m_hwnd));
    }

    void Paint(CDC& dc) override
    {
        CRect c = Client();
        CRect first = c, second = c;
        if (Horizontal())
            first.right = second.left = c.left + c.Width() / 2;
        else
            first.bottom = second.top = c.top + c.Height() / 2;
        UINT inactive = Enabled() ? 0 : DFCS_INACTIVE;
        // Up (or left, for the lower end) first.
        dc.DrawFrameControl(&first, DFC_SCROLL, (Horizontal() ? DFCS_SCROLLLEFT : DFCS_SCROLLUP) | inactive |
                                                    (m_pressed && m_direction == (Horizontal() ? -1 : 1) ? DFCS_PUSHED : 0));
        dc.DrawFrameControl(&second, DFC_SCROLL, (Horizontal() ? DFCS_SCROLLRIGHT : DFCS_SCROLLDOWN) | inactive |
                                                     (m_pressed && m_direction == (Horizontal() ? 1 : -1) ? DFCS_PUSHED : 0));
    }

    int m_lower { 100 }; // the classic default range, 100 down to 0
    int m_upper { 0 };
    int m_pos { 0 };
    int m_base { 10 };
    int m_direction { 1 };
    bool m_pressed { false };
    HWND m_buddy { nullptr };
};

} // namespace

void RegisterSpinClass() { RegisterControlClass<SpinWindow>("msctls_updown32"); }

} // namespace platform::ui

BOOL CSpinButtonCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    platform::ui::RegisterStandardControls();
    return CWnd::Create("msctls_updown32", "", dwStyle, rect, pParentWnd, nID);
}

int CSpinButtonCtrl::GetPos() const { return static_cast<int>(SendMessage(UDM_GETPOS)); }
int CSpinButtonCtrl::SetPos(int nPos) { return static_cast<int>(SendMessage(UDM_SETPOS, 0, MAKELPARAM(static_cast<WORD>(nPos), 0))); }
int CSpinButtonCtrl::GetPos32(BOOL* lpbError) const { return static_cast<int>(SendMessage(UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(lpbError))); }
int CSpinButtonCtrl::SetPos32(int nPos) { return static_cast<int>(SendMessage(UDM_SETPOS32, 0, nPos)); }
void CSpinButtonCtrl::SetRange(short nLower, short nUpper)
{
    SendMessage(UDM_SETRANGE, 0, MAKELPARAM(static_cast<WORD>(nUpper), static_cast<WORD>(nLower)));
}
void CSpinButtonCtrl::SetRange32(int nLower, int nUpper) { SendMessage(UDM_SETRANGE32, static_cast<WPARAM>(nLower), nUpper); }
DWORD CSpinButtonCtrl::GetRange() const { return static_cast<DWORD>(SendMessage(UDM_GETRANGE)); }
void CSpinButtonCtrl::GetRange32(int& nLower, int& nUpper) const
{
    SendMessage(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&nLower), reinterpret_cast<LPARAM>(&nUpper));
}
CWnd* CSpinButtonCtrl::SetBuddy(CWnd* pWndBuddy)
{
    return CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(pWndBuddy ? pWndBuddy->m_hWnd : nullptr))));
}
CWnd* CSpinButtonCtrl::GetBuddy() const { return CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(UDM_GETBUDDY))); }
int CSpinButtonCtrl::SetBase(int nBase) { return static_cast<int>(SendMessage(UDM_SETBASE, static_cast<WPARAM>(nBase))); }
