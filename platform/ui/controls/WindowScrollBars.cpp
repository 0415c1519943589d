// Drawing and tracking the window scroll bars (WS_HSCROLL / WS_VSCROLL).
//
// A window's two bars live in the non-client strip that the window layer reserves for the
// style bits; the window layer keeps their state (the scroll-bar functions). Tracking runs
// through a hidden helper window that holds the capture, so the window's own procedure sees
// only the WM_HSCROLL / WM_VSCROLL messages.
#include "platform/gdi/SysColors.h"
#include "platform/msg/NonClientScrollBars.h"
#include "platform/ui/controls/ControlWindow.h"
#include "platform/ui/controls/ScrollBar.h"
#include "platform/ui/controls/ScrollBarTracker.h"

namespace platform::ui {

namespace {

using platform::msg::GetWindowScrollBar;
using platform::msg::HasWindowScrollBar;

// The thickness the window layer reserves for a window scroll bar.
int BarThickness(int bar)
{
    DWORD bit = bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
    RECT with { 0, 0, 100, 100 }, without { 0, 0, 100, 100 };
    AdjustWindowRectEx(&with, WS_CHILD | bit, FALSE, 0);
    AdjustWindowRectEx(&without, WS_CHILD, FALSE, 0);
    int thickness = bar == SB_VERT ? (with.right - with.left) - (without.right - without.left)
                                   : (with.bottom - with.top) - (without.bottom - without.top);
    return thickness > 0 ? thickness : GetSystemMetrics(bar == SB_VERT ? SM_CXVSCROLL : SM_CYHSCROLL);
}

// The bar rectangle in window coordinates (the origin of GetWindowDC).
CRect BarRect(HWND hwnd, int bar)
{
    CRect window, client;
    GetWindowRect(hwnd, &window);
    GetClientRect(hwnd, &client);
    POINT origin {};
    ClientToScreen(hwnd, &origin);
    client.OffsetRect(origin.x - window.left, origin.y - window.top);
    if (bar == SB_VERT)
        return CRect(client.right, client.top, client.right + BarThickness(SB_VERT), client.bottom);
    return CRect(client.left, client.bottom, client.right, client.bottom + BarThickness(SB_HORZ));
}

// ---- tracking through a helper window that holds the capture -----------------------------------------

struct Tracking
{
    HWND target { nullptr };
    int bar { SB_VERT };
    ScrollBarTracker tracker;
};
thread_local Tracking* t_tracking = nullptr;

POINT ToWindow(HWND target, POINT screen)
{
    CRect window;
    GetWindowRect(target, &window);
    return POINT { screen.x - window.left, screen.y - window.top };
}

LRESULT TrackerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Tracking* t = t_tracking;
    if (!t)
        return DefWindowProc(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP: {
        POINT screen = CPoint(lParam);
        ClientToScreen(hwnd, &screen);
        if (!IsWindow(t->target))
            break;
        t->tracker.Move(ToWindow(t->target, screen));
        if (message == WM_LBUTTONUP)
            DestroyWindow(hwnd);
        return 0;
    }
    case WM_TIMER:
        if (wParam == ScrollBarTracker::kRepeatTimer && IsWindow(t->target))
            t->tracker.OnTimer();
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != hwnd)
            DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY: {
        t_tracking = nullptr;
        if (IsWindow(t->target))
            t->tracker.End();
        delete t;
        return 0;
    }
    default: break;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

const char* TrackerClass()
{
    static const char* name = [] {
        WNDCLASS wc;
        wc.lpfnWndProc = TrackerProc;
        wc.lpszClassName = "ScrollBarTracking";
        RegisterClass(&wc);
        return "ScrollBarTracking";
    }();
    return name;
}

} // namespace

void PaintWindowScrollBars(HWND hwnd)
{
    bool vertical = HasWindowScrollBar(hwnd, SB_VERT), horizontal = HasWindowScrollBar(hwnd, SB_HORZ);
    if (!vertical && !horizontal)
        return;
    HDC hdc = GetWindowDC(hwnd);
    CDC* dc = CDC::FromHandle(hdc);
    if (dc) {
        const platform::msg::WindowScrollBarState bars[2] { GetWindowScrollBar(hwnd, SB_HORZ), GetWindowScrollBar(hwnd, SB_VERT) };
        auto pressed = [&](int bar) {
            Tracking* t = t_tracking;
            return t && t->target == hwnd && t->bar == bar ? t->tracker.Pressed() : ScrollBarTracker::Part::None;
        };
        bool enabled = IsWindowEnabled(hwnd) != FALSE;
        if (vertical)
            ScrollBarTracker::Paint(*dc, BarRect(hwnd, SB_VERT), true, bars[SB_VERT].info, pressed(SB_VERT),
                                    enabled && !bars[SB_VERT].disabled);
        if (horizontal)
            ScrollBarTracker::Paint(*dc, BarRect(hwnd, SB_HORZ), false, bars[SB_HORZ].info, pressed(SB_HORZ),
                                    enabled && !bars[SB_HORZ].disabled);
        if (vertical && horizontal) {
            CRect v = BarRect(hwnd, SB_VERT), h = BarRect(hwnd, SB_HORZ);
            CRect corner(v.left, h.top, v.right, h.bottom);
            dc->FillSolidRect(&corner, GetSysColor(COLOR_BTNFACE));
        }
    }
    ReleaseDC(hwnd, hdc);
}

void TrackWindowScrollBar(HWND hwnd, LRESULT hitTest, POINT screen)
{
    if ((hitTest != HTVSCROLL && hitTest != HTHSCROLL) || t_tracking || !IsWindowEnabled(hwnd))
        return;
    int bar = hitTest == HTVSCROLL ? SB_VERT : SB_HORZ;
    if (GetWindowScrollBar(hwnd, bar).disabled)
        return;
    HWND helper = CreateWindowEx(0, TrackerClass(), "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    if (!helper)
        return;
    auto* t = new Tracking;
    t->target = hwnd;
    t->bar = bar;
    t_tracking = t;
    ScrollBarTracker::Owner owner;
    owner.info = [hwnd, bar] { return GetWindowScrollBar(hwnd, bar).info; };
    owner.setTrackPos = [hwnd, bar](int pos) { platform::msg::SetWindowScrollBarTrackPos(hwnd, bar, pos); };
    owner.send = [hwnd, bar](UINT code, int pos) {
        SendMessage(hwnd, bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(static_cast<WORD>(code), static_cast<WORD>(pos)), 0);
    };
    owner.redraw = [hwnd] { PaintWindowScrollBars(hwnd); };
    owner.timerWindow = helper;
    SetCapture(helper);
    t->tracker.Begin(std::move(owner), BarRect(hwnd, bar), bar == SB_VERT, ToWindow(hwnd, screen));
    if (!t->tracker.Tracking())
        DestroyWindow(helper);
}

} // namespace platform::ui
