// The scroll-bar functions and the state of the window scroll bars (WS_HSCROLL / WS_VSCROLL).
//
// A window's two bars are kept here per window handle (handles are never reused, so a stale
// entry is harmless and is swept away as the table grows); the registered painter draws them.
// For a scroll-bar control (SB_CTL) the functions send the scroll-bar messages.
#include "platform/msg/NonClientScrollBars.h"
#include "platform/msg/WindowApi.h"

#include <map>
#include <mutex>

namespace platform::msg {

namespace {

struct WindowBars
{
    // A bar's range starts as 0 to 100, the classic window's.
    WindowScrollBarState bar[2] { { { sizeof(SCROLLINFO), 0, 0, 100, 0, 0, 0 } }, { { sizeof(SCROLLINFO), 0, 0, 100, 0, 0, 0 } } };
};

// Guards s_bars; a leaf lock, never held while a message is sent or a bar is painted.
std::mutex s_lock;
std::map<HWND, WindowBars> s_bars;

WindowBars& BarsLocked(HWND hwnd)
{
    if (s_bars.size() > 256 && !s_bars.count(hwnd))
        std::erase_if(s_bars, [](const auto& entry) { return !IsWindow(entry.first); });
    return s_bars[hwnd];
}

} // namespace

bool HasWindowScrollBar(HWND hwnd, int bar)
{
    DWORD style = static_cast<DWORD>(GetWindowLongPtr(hwnd, GWL_STYLE));
    return (style & (bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL)) != 0;
}

WindowScrollBarState GetWindowScrollBar(HWND hwnd, int bar)
{
    std::lock_guard lock(s_lock);
    return BarsLocked(hwnd).bar[bar];
}

void SetWindowScrollBarTrackPos(HWND hwnd, int bar, int pos)
{
    std::lock_guard lock(s_lock);
    BarsLocked(hwnd).bar[bar].info.nTrackPos = pos;
}

} // namespace platform::msg

using namespace platform::msg;

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
        SCROLLINFO& state = BarsLocked(hwnd).bar[bar].info;
        next = state;
        if (info->fMask & SIF_RANGE) {
            next.nMin = info->nMin;
            next.nMax = info->nMax;
        }
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
                BarsLocked(hwnd).bar[bar].disabled = !needed;
            }
            if (!HasWindowScrollBar(hwnd, bar))
                ShowScrollBar(hwnd, bar, TRUE);
        } else if (needed != HasWindowScrollBar(hwnd, bar)) {
            ShowScrollBar(hwnd, bar, needed);
        }
    }
    // A window not shown (or with drawing off while a list is filled) is painted whole later.
    if (redraw && IsWindowVisible(hwnd))
        PaintNonClientScrollBars(hwnd);
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
    SCROLLINFO state = GetWindowScrollBar(hwnd, bar).info;
    if (info->fMask & SIF_RANGE) {
        info->nMin = state.nMin;
        info->nMax = state.nMax;
    }
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
    if (bar == SB_CTL) {
        ShowWindow(hwnd, show ? SW_SHOW : SW_HIDE);
        return TRUE;
    }
    DWORD bits = bar == SB_VERT ? WS_VSCROLL : bar == SB_HORZ ? WS_HSCROLL : (WS_VSCROLL | WS_HSCROLL);
    DWORD style = static_cast<DWORD>(GetWindowLongPtr(hwnd, GWL_STYLE));
    DWORD changed = show ? (style | bits) : (style & ~bits);
    if (changed == style)
        return TRUE;
    SetWindowLongPtr(hwnd, GWL_STYLE, static_cast<LONG_PTR>(changed));
    // The frame change recomputes the client area, which sends WM_SIZE.
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    PaintNonClientScrollBars(hwnd);
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
                bars.bar[b].disabled = arrows == ESB_DISABLE_BOTH;
    }
    PaintNonClientScrollBars(hwnd);
    return TRUE;
}
