// The sizes of the non-client parts of a window in the classic look at 96 dots per inch: the
// one table that both the window layer (client area insets) and GetSystemMetrics read.
#pragma once

namespace platform::msg {

struct NonClientMetrics
{
    int border = 1;      // WS_BORDER
    int dialogFrame = 3; // WS_DLGFRAME, WS_CAPTION, WS_EX_DLGMODALFRAME
    int sizingFrame = 4; // WS_THICKFRAME
    int clientEdge = 2;  // WS_EX_CLIENTEDGE
    int staticEdge = 1;  // WS_EX_STATICEDGE
    int caption = 19;    // a caption bar with its separating line
    int toolCaption = 16;
    int menuBar = 19;
    int scrollBar = 17;  // width of a vertical, height of a horizontal scroll bar, and its arrows
    int scrollThumb = 17; // the smallest thumb along the bar
};
inline constexpr NonClientMetrics kNonClientMetrics {};

} // namespace platform::msg
