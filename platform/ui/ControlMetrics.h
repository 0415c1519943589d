// Text measures of the common controls: heights and widths in a control's font, taken on a DC
// of the control's window (the screen's when the window is null).
#pragma once

#include "platform/core/CString.h"
#include "platform/core/Types.h"

namespace platform::ui {

// The cell height of `font` (the default control font when null).
int FontCellHeight(HWND window, HFONT font);
// The width of `text` in `font`.
int FontTextWidth(HWND window, HFONT font, const CString& text);

} // namespace platform::ui
