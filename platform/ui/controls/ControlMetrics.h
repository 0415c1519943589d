// Measures shared by the common controls: heights and widths of text in a control's font, taken
// on a DC of the control's window (the screen's when the window is null), and the steps of a
// scroll bar over rows, and the settling of a control's own scroll bars.
#pragma once

#include "platform/core/CString.h"
#include "platform/core/Types.h"

#include <functional>

namespace platform::ui {

// The cell height of `font` (the default control font when null).
int FontCellHeight(HWND window, HFONT font);
// The width of `text` in `font`.
int FontTextWidth(HWND window, HFONT font, const CString& text);

// How many rows a WM_VSCROLL code moves a list whose first shown row is `top`, with `page` rows
// in view and `count` in all (the thumb's position from the window's scroll bar `bar`).
int RowScrollDelta(HWND window, int bar, UINT code, int top, int page, int count);

// Runs `apply` (which sets the control's scroll bars with SetScrollInfo, showing or hiding them)
// until the bars shown stop changing: a bar that appears shrinks the client area and may make the
// other one needed, one that goes may let the other go. Showing or hiding a bar resizes the client
// area and so sends WM_SIZE, whose handler updates the bars again; `settling` (the control's own
// flag) makes that nested call return at once, the loop here takes the new size on its next pass.
void SettleScrollBars(HWND window, bool& settling, const std::function<void()>& apply);

// Sets a control's own window scroll bar `bar` to the range 0 to `max` with `page` and `pos`
// (SetScrollInfo shows it when the range exceeds the page, hides it when not), and leaves it as it
// is when that would change nothing: a list filled row by row repaints its bars only as they move.
void SetOwnScrollBar(HWND window, int bar, int max, int page, int pos);

} // namespace platform::ui
