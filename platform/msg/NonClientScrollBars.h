// Window scroll bars (WS_HSCROLL, WS_VSCROLL) in the non-client area. The window layer reserves
// their room and hit-tests them (HTHSCROLL, HTVSCROLL) but neither draws nor tracks them: the
// standard controls, which sit above this layer, register how at load. BeginPaint sends
// WM_NCPAINT to a window with a window scroll bar; DefWindowProc answers WM_NCPAINT with the
// paint callback and a left press on a bar (WM_NCLBUTTONDOWN, WM_NCLBUTTONDBLCLK) with the
// track callback, which scrolls the window by WM_HSCROLL / WM_VSCROLL.
#pragma once

#include "platform/msg/Messages.h"

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

} // namespace platform::msg
