// The "ScrollBar" window class (scroll-bar controls) and CScrollBar.
#include "platform/ui/controls/ScrollBar.h"

#include "platform/gdi/SysColors.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/ControlWindow.h"
#include "platform/ui/controls/ScrollBarTracker.h"

#include <algorithm>

namespace platform::ui {

namespace {

class ScrollBarWindow : public ControlWindow
{
public:
    using ControlWindow::ControlWindow;

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case SBM_SETSCROLLINFO: return SetInfo(*reinterpret_cast<const SCROLLINFO*>(lParam), wParam != 0);
        case SBM_GETSCROLLINFO: {
            auto* out = reinterpret_cast<SCROLLINFO*>(lParam);
            UINT mask = out->fMask;
            if (mask & SIF_RANGE)
                out->nMin = m_info.nMin, out->nMax = m_info.nMax;
            if (mask & SIF_PAGE)
                out->nPage = m_info.nPage;
            if (mask & SIF_POS)
                out->nPos = m_info.nPos;
            if (mask & SIF_TRACKPOS)
                out->nTrackPos = m_info.nTrackPos;
            return TRUE;
        }
        case SBM_SETPOS: {
            int old = m_info.nPos;
            SCROLLINFO info;
            info.fMask = SIF_POS;
            info.nPos = static_cast<int>(wParam);
            SetInfo(info, lParam != 0);
            return old;
        }
        case SBM_GETPOS: return m_info.nPos;
        case SBM_SETRANGE:
        case SBM_SETRANGEREDRAW: {
            SCROLLINFO info;
            info.fMask = SIF_RANGE;
            info.nMin = static_cast<int>(wParam);
            info.nMax = static_cast<int>(lParam);
            SetInfo(info, message == SBM_SETRANGEREDRAW);
            return m_info.nPos;
        }
        case SBM_GETRANGE:
            if (wParam)
                *reinterpret_cast<int*>(wParam) = m_info.nMin;
            if (lParam)
                *reinterpret_cast<int*>(lParam) = m_info.nMax;
            return 0;
        case SBM_ENABLE_ARROWS: EnableWindow(m_hwnd, wParam != ESB_DISABLE_BOTH); return TRUE;
        case WM_GETDLGCODE: return DLGC_WANTARROWS;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (Style() & WS_TABSTOP)
                SetFocus(m_hwnd);
            SetCapture(m_hwnd);
            m_tracker.Begin(MakeOwner(), Client(), Vertical(), CPoint(lParam));
            if (!m_tracker.Tracking())
                ReleaseCapture();
            return 0;
        case WM_MOUSEMOVE: m_tracker.Move(CPoint(lParam)); return 0;
        case WM_LBUTTONUP:
            if (m_tracker.Tracking()) {
                ReleaseCapture();
                m_tracker.End();
            }
            return 0;
        case WM_CAPTURECHANGED: m_tracker.End(); return 0;
        case WM_TIMER:
            if (wParam == ScrollBarTracker::kRepeatTimer)
                m_tracker.OnTimer();
            return 0;
        case WM_KEYDOWN: Key(static_cast<int>(wParam)); return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS: Redraw(); return 0;
        default: return ControlWindow::Handle(message, wParam, lParam);
        }
    }

private:
    bool Vertical() const { return (Style() & SBS_VERT) != 0; }

    LRESULT SetInfo(const SCROLLINFO& in, bool redraw)
    {
        SCROLLINFO next = m_info;
        if (in.fMask & SIF_RANGE)
            next.nMin = in.nMin, next.nMax = in.nMax;
        if (in.fMask & SIF_PAGE)
            next.nPage = in.nPage;
        if (in.fMask & SIF_POS)
            next.nPos = in.nPos;
        ClampScrollInfo(next);
        bool changed = next.nMin != m_info.nMin || next.nMax != m_info.nMax || next.nPage != m_info.nPage ||
                       next.nPos != m_info.nPos;
        m_info = next;
        if (changed && redraw)
            Redraw();
        return m_info.nPos;
    }

    ScrollBarTracker::Owner MakeOwner()
    {
        ScrollBarTracker::Owner owner;
        owner.info = [this] { return m_info; };
        owner.setTrackPos = [this](int pos) { m_info.nTrackPos = pos; };
        owner.send = [this](UINT code, int pos) { Send(code, pos); };
        owner.redraw = [this] { Redraw(); };
        owner.timerWindow = m_hwnd;
        return owner;
    }

    void Send(UINT code, int pos) const
    {
        if (HWND parent = Parent())
            SendMessage(parent, Vertical() ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(static_cast<WORD>(code), static_cast<WORD>(pos)),
                        reinterpret_cast<LPARAM>(m_hwnd));
    }

    void Key(int vk)
    {
        UINT code = 0xFFFF;
        switch (vk) {
        case VK_UP:
        case VK_LEFT: code = SB_LINEUP; break;
        case VK_DOWN:
        case VK_RIGHT: code = SB_LINEDOWN; break;
        case VK_PRIOR: code = SB_PAGEUP; break;
        case VK_NEXT: code = SB_PAGEDOWN; break;
        case VK_HOME: code = SB_TOP; break;
        case VK_END: code = SB_BOTTOM; break;
        default: return;
        }
        Send(code, 0);
        Send(SB_ENDSCROLL, 0);
    }

    void Paint(CDC& dc) override
    {
        AskColors(dc, WM_CTLCOLORSCROLLBAR, COLOR_SCROLLBAR);
        ScrollBarTracker::Paint(dc, Client(), Vertical(), m_info, m_tracker.Pressed(), Enabled());
    }

    SCROLLINFO m_info { sizeof(SCROLLINFO), 0, 0, 0, 0, 0, 0 };
    ScrollBarTracker m_tracker;
};

} // namespace

void RegisterScrollBarClass() { RegisterControlClass<ScrollBarWindow>("ScrollBar"); }

} // namespace platform::ui

// ---- CScrollBar -------------------------------------------------------------------------------------------

BOOL CScrollBar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    platform::ui::RegisterStandardControls();
    return CWnd::Create("ScrollBar", "", dwStyle, rect, pParentWnd, nID);
}

int CScrollBar::GetScrollPos() const { return ::GetScrollPos(m_hWnd, SB_CTL); }
int CScrollBar::SetScrollPos(int nPos, BOOL bRedraw) { return ::SetScrollPos(m_hWnd, SB_CTL, nPos, bRedraw); }
void CScrollBar::GetScrollRange(LPINT lpMinPos, LPINT lpMaxPos) const { ::GetScrollRange(m_hWnd, SB_CTL, lpMinPos, lpMaxPos); }
void CScrollBar::SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw) { ::SetScrollRange(m_hWnd, SB_CTL, nMinPos, nMaxPos, bRedraw); }
BOOL CScrollBar::SetScrollInfo(LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    ::SetScrollInfo(m_hWnd, SB_CTL, lpScrollInfo, bRedraw);
    return TRUE;
}
BOOL CScrollBar::GetScrollInfo(LPSCROLLINFO lpScrollInfo, UINT nMask)
{
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, SB_CTL, lpScrollInfo);
}
int CScrollBar::GetScrollLimit()
{
    SCROLLINFO info;
    GetScrollInfo(&info, SIF_RANGE | SIF_PAGE);
    return info.nMax - std::max<int>(static_cast<int>(info.nPage) - 1, 0);
}
void CScrollBar::ShowScrollBar(BOOL bShow) { ShowWindow(bShow ? SW_SHOW : SW_HIDE); }
BOOL CScrollBar::EnableScrollBar(UINT nArrowFlags) { return ::EnableScrollBar(m_hWnd, SB_CTL, nArrowFlags); }
