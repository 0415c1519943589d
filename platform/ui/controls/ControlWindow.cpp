// The shared half of the standard controls: the per-window object, painting, fonts, colours
// and notifications.
#include "platform/ui/controls/ControlWindow.h"

#include "platform/gdi/SysColors.h"
#include "platform/ui/controls/ScrollBar.h"

#include <atomic>
#include <mutex>

namespace platform::ui {

namespace {
constexpr const char* kControlProp = "platform.ui.control";
} // namespace

namespace detail {

namespace {
// The controls a thread's messages went to last: a dialog filling a list sends it thousands in
// a row, and the list notifies the dialog (itself a control) of each row. Any control attached
// or destroyed anywhere turns every thread's entries stale, so no entry outlives its control.
std::atomic<unsigned> g_controlsChanged { 0 };

struct KnownControl
{
    HWND hwnd { nullptr };
    ControlWindow* control { nullptr };
    unsigned changes { 0 };
};
thread_local KnownControl t_known[2];

void ControlsChanged() { g_controlsChanged.fetch_add(1, std::memory_order_acq_rel); }
} // namespace

ControlWindow* ControlOf(HWND hwnd)
{
    const unsigned changes = g_controlsChanged.load(std::memory_order_acquire);
    for (const KnownControl& known : t_known)
        if (known.hwnd == hwnd && hwnd != nullptr && known.changes == changes)
            return known.control;
    auto* control = static_cast<ControlWindow*>(GetProp(hwnd, kControlProp));
    if (control != nullptr) {
        t_known[1] = t_known[0];
        t_known[0] = KnownControl { hwnd, control, changes };
    }
    return control;
}

void AttachControl(HWND hwnd, ControlWindow* control)
{
    SetProp(hwnd, kControlProp, control);
    ControlsChanged();
}

LRESULT ControlProcTail(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, ControlWindow* control)
{
    if (!control)
        return DefWindowProc(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        RemoveProp(hwnd, kControlProp);
        ControlsChanged();
        delete control;
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
    return control->Handle(message, wParam, lParam);
}

} // namespace detail

HFONT DefaultControlFont()
{
    static CFont* font = [] {
        auto* f = new CFont; // lives for the process, like a stock object
        f->CreatePointFont(80, "MS Sans Serif");
        return f;
    }();
    return static_cast<HFONT>(*font);
}

void PaintNonClient(HWND hwnd)
{
    DWORD style = static_cast<DWORD>(GetWindowLongPtr(hwnd, GWL_STYLE));
    DWORD exStyle = static_cast<DWORD>(GetWindowLongPtr(hwnd, GWL_EXSTYLE));
    if ((style & (WS_BORDER | WS_DLGFRAME)) || (exStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_DLGMODALFRAME))) {
        HDC hdc = GetWindowDC(hwnd);
        if (CDC* dc = CDC::FromHandle(hdc)) {
            CRect window;
            GetWindowRect(hwnd, &window);
            CRect frame(0, 0, window.Width(), window.Height());
            if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
                dc->DrawEdge(&frame, EDGE_RAISED, BF_RECT | BF_ADJUST);
            else if (style & WS_BORDER) {
                dc->FrameRect(&frame, CBrush::FromHandle(GetSysColorBrush(COLOR_WINDOWFRAME)));
                frame.DeflateRect(1, 1);
            }
            if (exStyle & WS_EX_CLIENTEDGE)
                dc->DrawEdge(&frame, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
            if (exStyle & WS_EX_STATICEDGE)
                dc->DrawEdge(&frame, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        }
        ReleaseDC(hwnd, hdc);
    }
    PaintWindowScrollBars(hwnd);
}

LRESULT ControlWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(m_hwnd, &ps);
        if (CDC* dc = CDC::FromHandle(hdc)) {
            int saved = dc->SaveDC();
            Paint(*dc);
            dc->RestoreDC(saved);
        }
        EndPaint(m_hwnd, &ps);
        PaintNonClient(m_hwnd);
        return 0;
    }
    case WM_ERASEBKGND: return TRUE; // Paint covers the whole control
    case WM_SETFONT:
        m_font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam))
            Redraw();
        return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(m_font);
    case WM_ENABLE: Redraw(); return 0;
    case WM_SETTEXT: {
        LRESULT r = DefWindowProc(m_hwnd, message, wParam, lParam);
        Redraw();
        return r;
    }
    default: return DefWindowProc(m_hwnd, message, wParam, lParam);
    }
}

CRect ControlWindow::Client() const
{
    CRect r;
    GetClientRect(m_hwnd, &r);
    return r;
}

CString ControlWindow::Text() const
{
    int length = GetWindowTextLength(m_hwnd);
    CString text;
    int copied = GetWindowText(m_hwnd, text.GetBuffer(length), length + 1);
    text.ReleaseBuffer(copied);
    return text;
}

void ControlWindow::Notify(WORD code) const
{
    if (HWND parent = Parent())
        SendMessage(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(Id()), code), reinterpret_cast<LPARAM>(m_hwnd));
}

HBRUSH ControlWindow::AskColors(CDC& dc, UINT ctlColorMessage, int defaultBackground) const
{
    bool window = defaultBackground == COLOR_WINDOW;
    dc.SetTextColor(GetSysColor(Enabled() || !window ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    dc.SetBkColor(GetSysColor(defaultBackground));
    HBRUSH brush = nullptr;
    if (HWND parent = Parent())
        brush = reinterpret_cast<HBRUSH>(
            SendMessage(parent, ctlColorMessage, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), reinterpret_cast<LPARAM>(m_hwnd)));
    return brush ? brush : GetSysColorBrush(defaultBackground);
}

HFONT ControlWindow::Font() const { return m_font ? m_font : DefaultControlFont(); }

void ControlWindow::SelectFont(CDC& dc) const { dc.SelectObject(reinterpret_cast<HGDIOBJ>(Font())); }

} // namespace platform::ui
