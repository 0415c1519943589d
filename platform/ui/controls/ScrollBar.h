// CScrollBar and the window scroll bars (WS_HSCROLL / WS_VSCROLL).
//
// Both keep a range, a page, a position and a track position. The position is clamped the
// classic way to max - page + 1 (page 0 counts as 1); the thumb is as long as the page is a part
// of the range. Mouse input sends WM_HSCROLL / WM_VSCROLL with codes 0 to 8: arrows (repeating
// while held), the trough (a page, repeating), thumb tracking (SB_THUMBTRACK while dragging,
// SB_THUMBPOSITION at release), always ending with SB_ENDSCROLL. A bar never moves its own
// position; the window that gets the message does, with SetScrollPos or SetScrollInfo. The
// scroll-bar functions and messages come with the window layer (platform/msg/ScrollInfo.h).
#pragma once

#include "platform/msg/Wnd.h"

constexpr DWORD SBS_HORZ = 0x0000;
constexpr DWORD SBS_VERT = 0x0001;

class CScrollBar : public CWnd
{
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    int GetScrollPos() const;
    int SetScrollPos(int nPos, BOOL bRedraw = TRUE);
    void GetScrollRange(LPINT lpMinPos, LPINT lpMaxPos) const;
    void SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
    BOOL SetScrollInfo(LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
    BOOL GetScrollInfo(LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL);
    int GetScrollLimit();
    void ShowScrollBar(BOOL bShow = TRUE);
    BOOL EnableScrollBar(UINT nArrowFlags = ESB_ENABLE_BOTH);
};

namespace platform::ui {
void RegisterScrollBarClass();
// Draws the window scroll bars of `hwnd` in its non-client area.
void PaintWindowScrollBars(HWND hwnd);
// Starts tracking a window scroll bar after WM_NCLBUTTONDOWN with HTHSCROLL / HTVSCROLL at the
// screen point; the window's procedure calls it for the hit codes it gets.
void TrackWindowScrollBar(HWND hwnd, LRESULT hitTest, POINT screen);
}
