// The window scroll bars (WS_HSCROLL / WS_VSCROLL) and the scroll-bar functions for both kinds.
//
// A window's two bars live in the non-client strip that the window layer reserves for the
// style bits. Their state is kept here per window handle (handles are never reused, so a stale
// entry is harmless and is swept away as the table grows). Tracking runs through a hidden
// helper window that holds the capture, so the window's own procedure sees only the
// WM_HSCROLL / WM_VSCROLL messages.
#include "platform/gdi/SysColors.h"
#include "platform/ui/controls/ControlWindow.h"
#include "platform/ui/controls/ScrollBar.h"
#include "platform/ui/controls/ScrollBarTracker.h"

#include <map>
#include <mutex>

namespace platform::ui {

namespace {

struct WindowBars
{
    SCROLLINFO bar[2] { { sizeof(SCROLLINFO), 0, 0, 100, 0, 0, 0 }, { sizeof(SCROLLINFO), 0, 0, 100, 0, 0, 0 } };
    bool disabled[2] { false, false };
};

// Guards s_bars; a leaf lock, never held while a message is sent.
std::mutex s_lock;
std::map<HWND, WindowBars> s_bars;

WindowBars& BarsLocked(HWND hwnd)
{
    if (s_bars.size() > 256 && !s_bars.count(hwnd))
        std::erase_if(s_bars, [](const auto& entry) { return !IsWindow(entry.first); });
    return s_bars[hwnd];
}

SCROLLINFO GetBar(HWND hwnd, int bar)
{
    std::lock_guard lock(s_lock);
    return BarsLocked(hwnd).bar[bar];
}

bool HasStyleBar(HWND hwnd, int bar)
{
    DWORD style = static_cast<DWORD>(GetWindowLongPtr(hwnd, GWL_STYLE));
    return (style & (bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL)) != 0;
}

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
    bool vertical = HasStyleBar(hwnd, SB_VERT), horizontal = HasStyleBar(hwnd, SB_HORZ);
    if (!vertical && !horizontal)
        return;
    HDC hdc = GetWindowDC(hwnd);
    CDC* dc = CDC::FromHandle(hdc);
    if (dc) {
        WindowBars bars;
        {
            std::lock_guard lock(s_lock);
            bars = BarsLocked(hwnd);
        }
        auto pressed = [&](int bar) {
            Tracking* t = t_tracking;
            return t && t->target == hwnd && t->bar == bar ? t->tracker.Pressed() : ScrollBarTracker::Part::None;
        };
        bool enabled = IsWindowEnabled(hwnd) != FALSE;
        if (vertical)
            ScrollBarTracker::Paint(*dc, BarRect(hwnd, SB_VERT), true, bars.bar[SB_VERT], pressed(SB_VERT),
                                    enabled && !bars.disabled[SB_VERT]);
        if (horizontal)
            ScrollBarTracker::Paint(*dc, BarRect(hwnd, SB_HORZ), false, bars.bar[SB_HORZ], pressed(SB_HORZ),
                                    enabled && !bars.disabled[SB_HORZ]);
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
    {
        std::lock_guard lock(s_lock);
        if (BarsLocked(hwnd).disabled[bar])
            return;
    }
    HWND helper = CreateWindowEx(0, TrackerClass(), "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    if (!helper)
        return;
    auto* t = new Tracking;
    t->target = hwnd;
    t->bar = bar;
    t_tracking = t;
    ScrollBarTracker::Owner owner;
    owner.info = [hwnd, bar] { return GetBar(hwnd, bar); };
    owner.setTrackPos = [hwnd, bar](int pos) {
        std::lock_guard lock(s_lock);
        BarsLocked(hwnd).bar[bar].nTrackPos = pos;
    };
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

using namespace platform::ui;

// ---- the scroll-bar functions -------------------------------------------------------------------------------

int SetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL redraw)
{
    if (!info)
        return 0;
    if (bar == SB_CTL)
        return static_cast<int>(SendMessage(hwnd, SBM_SETSCROLLINFO, redraw, reinterpret_cast<LPARAM>(info)));
    if ((bar != SB_HORZ && bar != SB_VERT) || !IsWindow(hwnd))
        return 0;
    SCROLLINFO next;
    {
        std::lock_guard lock(s_lock);
        SCROLLINFO& state = BarsLocked(hwnd).bar[bar];
        next = state;
        if (info->fMask & SIF_RANGE)
            next.nMin = info->nMin, next.nMax = info->nMax;
        if (info->fMask & SIF_PAGE)
            next.nPage = info->nPage;
        if (info->fMask & SIF_POS)
            next.nPos = info->nPos;
        ClampScrollInfo(next);
        state = next;
    }
    // A change of range or page shows the bar when there is something to scroll and hides it
    // when there is not (or only disables it with SIF_DISABLENOSCROLL).
    if (info->fMask & (SIF_RANGE | SIF_PAGE)) {
        bool needed = next.nMax > next.nMin && static_cast<long long>(next.nPage) <= static_cast<long long>(next.nMax) - next.nMin;
        if (info->fMask & SIF_DISABLENOSCROLL) {
            {
                std::lock_guard lock(s_lock);
                BarsLocked(hwnd).disabled[bar] = !needed;
            }
            if (!HasStyleBar(hwnd, bar))
                ShowScrollBar(hwnd, bar, TRUE);
        } else if (needed != HasStyleBar(hwnd, bar)) {
            ShowScrollBar(hwnd, bar, needed);
        }
    }
    if (redraw)
        PaintWindowScrollBars(hwnd);
    return next.nPos;
}

BOOL GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info)
{
    if (!info)
        return FALSE;
    if (bar == SB_CTL)
        return static_cast<BOOL>(SendMessage(hwnd, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(info)));
    if ((bar != SB_HORZ && bar != SB_VERT) || !IsWindow(hwnd))
        return FALSE;
    SCROLLINFO state = GetBar(hwnd, bar);
    if (info->fMask & SIF_RANGE)
        info->nMin = state.nMin, info->nMax = state.nMax;
    if (info->fMask & SIF_PAGE)
        info->nPage = state.nPage;
    if (info->fMask & SIF_POS)
        info->nPos = state.nPos;
    if (info->fMask & SIF_TRACKPOS)
        info->nTrackPos = state.nTrackPos;
    return TRUE;
}

int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw)
{
    SCROLLINFO old;
    old.fMask = SIF_POS;
    GetScrollInfo(hwnd, bar, &old);
    SCROLLINFO info;
    info.fMask = SIF_POS;
    info.nPos = pos;
    SetScrollInfo(hwnd, bar, &info, redraw);
    return old.nPos;
}

int GetScrollPos(HWND hwnd, int bar)
{
    SCROLLINFO info;
    info.fMask = SIF_POS;
    return GetScrollInfo(hwnd, bar, &info) ? info.nPos : 0;
}

BOOL SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw)
{
    SCROLLINFO info;
    info.fMask = SIF_RANGE;
    info.nMin = minPos;
    info.nMax = maxPos;
    SetScrollInfo(hwnd, bar, &info, redraw);
    return TRUE;
}

BOOL GetScrollRange(HWND hwnd, int bar, LPINT minPos, LPINT maxPos)
{
    SCROLLINFO info;
    info.fMask = SIF_RANGE;
    if (!GetScrollInfo(hwnd, bar, &info))
        return FALSE;
    if (minPos)
        *minPos = info.nMin;
    if (maxPos)
        *maxPos = info.nMax;
    return TRUE;
}

BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show)
{
    if (bar == SB_CTL)
        return ShowWindow(hwnd, show ? SW_SHOW : SW_HIDE), TRUE;
    DWORD bits = bar == SB_VERT ? WS_VSCROLL : bar == SB_HORZ ? WS_HSCROLL : (WS_VSCROLL | WS_HSCROLL);
    DWORD style = static_cast<DWORD>(GetWindowLongPtr(hwnd, GWL_STYLE));
    DWORD changed = show ? (style | bits) : (style & ~bits);
    if (changed == style)
        return TRUE;
    SetWindowLongPtr(hwnd, GWL_STYLE, static_cast<LONG_PTR>(changed));
    // The frame change recomputes the client area, which sends WM_SIZE.
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    PaintWindowScrollBars(hwnd);
    return TRUE;
}

BOOL EnableScrollBar(HWND hwnd, int bar, UINT arrows)
{
    if (bar == SB_CTL)
        return static_cast<BOOL>(SendMessage(hwnd, SBM_ENABLE_ARROWS, arrows, 0));
    {
        std::lock_guard lock(s_lock);
        auto& bars = BarsLocked(hwnd);
        for (int b : { SB_HORZ, SB_VERT })
            if (bar == b || bar == SB_BOTH)
                bars.disabled[b] = arrows == ESB_DISABLE_BOTH;
    }
    PaintWindowScrollBars(hwnd);
    return TRUE;
}
