// Reading back what a control drew: a pixel of a window's client area as a COLORREF.
#pragma once

#include "platform/gdi/CDC.h"
#include "platform/msg/WindowApi.h"

namespace ktctrl::test {

inline COLORREF ClientPixel(HWND hwnd, int x, int y)
{
    HDC hdc = GetDC(hwnd);
    COLORREF colour = CDC::FromHandle(hdc)->GetPixel(x, y);
    ReleaseDC(hwnd, hdc);
    return colour;
}

} // namespace ktctrl::test
