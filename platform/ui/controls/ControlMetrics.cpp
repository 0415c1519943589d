// Text measures on a window's DC with a font selected.
#include "platform/ui/controls/ControlMetrics.h"

#include "platform/gdi/CDC.h"
#include "platform/msg/WindowApi.h"
#include "platform/ui/controls/ControlWindow.h"
#include "platform/ui/controls/ScrollBar.h"

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

int RowScrollDelta(HWND window, int bar, UINT code, int top, int page, int count)
{
    switch (code) {
    case SB_LINEUP: return -1;
    case SB_LINEDOWN: return 1;
    case SB_PAGEUP: return -page;
    case SB_PAGEDOWN: return page;
    case SB_TOP: return -count;
    case SB_BOTTOM: return count;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO si;
        si.fMask = SIF_TRACKPOS;
        GetScrollInfo(window, bar, &si);
        return si.nTrackPos - top;
    }
    default: return 0;
    }
}

void SettleScrollBars(HWND window, bool& settling, const std::function<void()>& apply)
{
    if (settling)
        return;
    settling = true;
    auto shown = [window] { return static_cast<DWORD>(GetWindowLongPtr(window, GWL_STYLE)) & (WS_HSCROLL | WS_VSCROLL); };
    // Each pass sets both bars for the client area the last pass left; a bar shown only when the
    // other came, or hidden only when the other went, settles within a few passes.
    for (int pass = 0; pass < 4; ++pass) {
        DWORD before = shown();
        apply();
        if (shown() == before)
            break;
    }
    settling = false;
}

void SetOwnScrollBar(HWND window, int bar, int max, int page, int pos)
{
    SCROLLINFO now;
    now.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    GetScrollInfo(window, bar, &now);
    bool needed = max > 0 && page <= max;
    bool shown = (static_cast<DWORD>(GetWindowLongPtr(window, GWL_STYLE)) & (bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL)) != 0;
    if (now.nMin == 0 && now.nMax == max && now.nPage == static_cast<UINT>(page) && now.nPos == pos && needed == shown)
        return;
    SCROLLINFO next;
    next.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    next.nMin = 0;
    next.nMax = max;
    next.nPage = static_cast<UINT>(page);
    next.nPos = pos;
    SetScrollInfo(window, bar, &next, TRUE);
}

} // namespace platform::ui
