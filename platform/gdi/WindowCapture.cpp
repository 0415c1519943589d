// Capturing a window: its window DC blitted into a bitmap of its size.
#include "platform/gdi/WindowCapture.h"

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/msg/WindowApi.h"

namespace platform {

Image CaptureWindow(HWND hwnd)
{
    CRect window;
    if (!IsWindow(hwnd) || !GetWindowRect(hwnd, &window) || window.IsRectEmpty())
        return Image();
    CDC memory;
    memory.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&memory, window.Width(), window.Height());
    CBitmap* old = memory.SelectObject(&bitmap);
    HDC source = GetWindowDC(hwnd);
    memory.BitBlt(0, 0, window.Width(), window.Height(), CDC::FromHandle(source), 0, 0, SRCCOPY);
    ReleaseDC(hwnd, source);
    Image image;
    image.FromBitmap(bitmap);
    memory.SelectObject(old);
    return image;
}

} // namespace platform
