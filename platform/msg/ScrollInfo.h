// The state of a scroll bar as the scroll-bar functions exchange it, and the bar selectors:
// shared by CWnd's scroll-bar members and the standard controls' scroll bars.
#pragma once

#include "platform/core/Types.h"

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
