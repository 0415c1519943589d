// Text measures on a window's DC with a font selected.
#include "platform/ui/ControlMetrics.h"

#include "platform/gdi/CDC.h"
#include "platform/msg/WindowApi.h"
#include "platform/ui/ControlWindow.h"

namespace platform::ui {

namespace {

template <class F>
void Measure(HWND window, HFONT font, F&& measure)
{
    HDC handle = GetDC(window);
    if (CDC* dc = CDC::FromHandle(handle)) {
        int saved = dc->SaveDC();
        dc->SelectObject(reinterpret_cast<HGDIOBJ>(font ? font : DefaultControlFont()));
        measure(*dc);
        dc->RestoreDC(saved);
    }
    ReleaseDC(window, handle);
}

} // namespace

int FontCellHeight(HWND window, HFONT font)
{
    int height = 13; // the default font's, should no DC be had
    Measure(window, font, [&](CDC& dc) {
        TEXTMETRIC tm {};
        if (dc.GetTextMetrics(&tm))
            height = tm.tmHeight;
    });
    return height;
}

int FontTextWidth(HWND window, HFONT font, const CString& text)
{
    int width = 0;
    Measure(window, font, [&](CDC& dc) { width = dc.GetTextExtent(text).cx; });
    return width;
}

} // namespace platform::ui
