// The state of a scroll bar as the scroll-bar functions exchange it, the bar selectors and the
// scroll-bar functions themselves: shared by CWnd's scroll-bar members and the standard
// controls' scroll bars. A window's own bars (SB_HORZ, SB_VERT) are kept by the window layer; a
// scroll-bar control (SB_CTL) answers the scroll-bar messages.
#pragma once

#include "platform/core/Types.h"

#include <algorithm>

constexpr int SB_HORZ = 0;
constexpr int SB_VERT = 1;
constexpr int SB_CTL = 2;
constexpr int SB_BOTH = 3;

constexpr UINT SIF_RANGE = 0x0001;
constexpr UINT SIF_PAGE = 0x0002;
constexpr UINT SIF_POS = 0x0004;
constexpr UINT SIF_DISABLENOSCROLL = 0x0008;
constexpr UINT SIF_TRACKPOS = 0x0010;
constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

constexpr UINT ESB_ENABLE_BOTH = 0x0000;
constexpr UINT ESB_DISABLE_BOTH = 0x0003;

struct SCROLLINFO
{
    UINT cbSize { sizeof(SCROLLINFO) };
    UINT fMask { 0 };
    int nMin { 0 };
    int nMax { 0 };
    UINT nPage { 0 };
    int nPos { 0 };
    int nTrackPos { 0 };
};
using LPSCROLLINFO = SCROLLINFO*;
using LPCSCROLLINFO = const SCROLLINFO*;

constexpr UINT SBM_SETPOS = 0x00E0;
constexpr UINT SBM_GETPOS = 0x00E1;
constexpr UINT SBM_SETRANGE = 0x00E2;
constexpr UINT SBM_GETRANGE = 0x00E3;
constexpr UINT SBM_ENABLE_ARROWS = 0x00E4;
constexpr UINT SBM_SETRANGEREDRAW = 0x00E6;
constexpr UINT SBM_SETSCROLLINFO = 0x00E9;
constexpr UINT SBM_GETSCROLLINFO = 0x00EA;

// ---- window scroll bars (SB_HORZ, SB_VERT) and scroll-bar controls (SB_CTL) ---------------------------
int SetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL redraw);
BOOL GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info);
int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw);
int GetScrollPos(HWND hwnd, int bar);
BOOL SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw);
BOOL GetScrollRange(HWND hwnd, int bar, LPINT minPos, LPINT maxPos);
// Showing or hiding a window scroll bar changes the client area and sends WM_SIZE.
BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show);
BOOL EnableScrollBar(HWND hwnd, int bar, UINT arrows);

namespace platform::msg {

// The classic position clamp: page within 0..range, position within min..max - page + 1.
inline void ClampScrollInfo(SCROLLINFO& info)
{
    if (info.nMax < info.nMin)
        info.nMax = info.nMin;
    unsigned range = static_cast<unsigned>(info.nMax - info.nMin) + 1;
    if (info.nPage > range)
        info.nPage = range;
    int highest = info.nMax - std::max<int>(static_cast<int>(info.nPage) - 1, 0);
    info.nPos = std::clamp(info.nPos, info.nMin, std::max(highest, info.nMin));
    info.nTrackPos = std::clamp(info.nTrackPos, info.nMin, std::max(highest, info.nMin));
}

} // namespace platform::msg
