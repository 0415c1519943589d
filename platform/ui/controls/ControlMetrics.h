// Measures shared by the common controls: heights and widths of text in a control's font, taken
// on a DC of the control's window (the screen's when the window is null), and the steps of a
// scroll bar over rows.
#pragma once

#include "platform/core/CString.h"
#include "platform/core/Types.h"

namespace platform::ui {

// The cell height of `font` (the default control font when null).
int FontCellHeight(HWND window, HFONT font);
// The width of `text` in `font`.
int FontTextWidth(HWND window, HFONT font, const CString& text);

// How many rows a WM_VSCROLL code moves a list whose first shown row is `top`, with `page` rows
// in view and `count` in all (the thumb's position from the window's scroll bar `bar`).
int RowScrollDelta(HWND window, int bar, UINT code, int top, int page, int count);

} // namespace platform::ui
