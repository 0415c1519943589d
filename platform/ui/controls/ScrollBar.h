// CScrollBar and the window scroll bars (WS_HSCROLL / WS_VSCROLL).
//
// Both keep a range, a page, a position and a track position. The position is clamped the
// classic way to max - page + 1 (page 0 counts as 1); the thumb is as long as the page is a part
// of the range. Mouse input sends WM_HSCROLL / WM_VSCROLL with codes 0 to 8: arrows (repeating
// while held), the trough (a page, repeating), thumb tracking (SB_THUMBTRACK while dragging,
// SB_THUMBPOSITION at release), always ending with SB_ENDSCROLL. A bar never moves its own
// position; the window that gets the message does, with SetScrollPos or SetScrollInfo.
#pragma once

#include "platform/msg/Wnd.h"

constexpr DWORD SBS_HORZ = 0x0000;
constexpr DWORD SBS_VERT = 0x0001;

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
