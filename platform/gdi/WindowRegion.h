// Window regions: the visible shape of a window. A window given a region is hit by the mouse
// only inside it (elsewhere the point goes to what lies beneath). The window owns the region
// from SetWindowRgn on: the caller must not use or delete the handle afterwards; a new region
// or null frees the old one.
#pragma once

#include "platform/gdi/CRgn.h"

// Region coordinates are relative to the window rectangle's top-left. Returns non-zero on
// success.
int SetWindowRgn(HWND hwnd, HRGN region, BOOL redraw);
// Copies the window's region into `region` (made with CreateRectRgn first); returns the
// region type, or ERROR when the window has none.
int GetWindowRgn(HWND hwnd, HRGN region);

constexpr UINT SW_SCROLLCHILDREN = 0x0001;
constexpr UINT SW_INVALIDATE = 0x0002;
constexpr UINT SW_ERASE = 0x0004;

// Moves the pixels of `scroll` (null: the client area) by (dx, dy) inside `clip` (null: the
// same area) and reports the uncovered part in `updateRect` and `update` (either may be null);
// with SW_INVALIDATE the uncovered part is invalidated (erased first with SW_ERASE), and with
// SW_SCROLLCHILDREN the child windows move along. Returns SIMPLEREGION, NULLREGION when nothing
// was uncovered, or ERROR.
int ScrollWindowEx(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN update, LPRECT updateRect,
                   UINT flags);
