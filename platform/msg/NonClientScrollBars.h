// Window scroll bars (WS_HSCROLL, WS_VSCROLL) in the non-client area. The window layer reserves
// their room, hit-tests them (HTHSCROLL, HTVSCROLL) and keeps their state (the scroll-bar
// functions of ScrollInfo.h), but neither draws nor tracks them: the standard controls, which sit
// above this layer, register how at load. BeginPaint sends
// WM_NCPAINT to a window with a window scroll bar; DefWindowProc answers WM_NCPAINT with the
// paint callback and a left press on a bar (WM_NCLBUTTONDOWN, WM_NCLBUTTONDBLCLK) with the
// track callback, which scrolls the window by WM_HSCROLL / WM_VSCROLL.
#pragma once

#include "platform/msg/Messages.h"
#include "platform/msg/ScrollInfo.h"

namespace platform::msg {

struct NonClientScrollBarHandler
{
    // Draws the window's scroll bars into its window DC.
    void (*paint)(HWND hwnd) = nullptr;
    // Starts tracking the bar under `screen`; `hitTest` is HTHSCROLL or HTVSCROLL.
    void (*track)(HWND hwnd, LRESULT hitTest, POINT screen) = nullptr;
};

// Registers the handler (callable from any thread; a later call replaces it).
void SetNonClientScrollBarHandler(NonClientScrollBarHandler handler);

// The window layer's calls of the registered handler; nothing happens without one.
void PaintNonClientScrollBars(HWND hwnd);
void TrackNonClientScrollBar(HWND hwnd, LRESULT hitTest, POINT screen);

// ---- the state the scroll-bar functions keep, for the painter and the tracker ----

// Whether the window's style shows bar `bar` (SB_HORZ or SB_VERT).
bool HasWindowScrollBar(HWND hwnd, int bar);

struct WindowScrollBarState
{
    SCROLLINFO info;
    bool disabled { false }; // EnableScrollBar(ESB_DISABLE_BOTH), or nothing to scroll with SIF_DISABLENOSCROLL
};
// The state of the window's bar `bar` (SB_HORZ or SB_VERT).
WindowScrollBarState GetWindowScrollBar(HWND hwnd, int bar);
// The thumb's position while the tracker drags it (what SIF_TRACKPOS reports).
void SetWindowScrollBarTrackPos(HWND hwnd, int bar, int pos);

} // namespace platform::msg
