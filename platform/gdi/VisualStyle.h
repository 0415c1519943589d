// The desktop's visual style as a replaceable service: parts of the classic theme classes ("TAB":
// the page frame and the tabs; "SPIN": the arrow buttons) drawn the way the desktop draws its
// own tabs and buttons.
//
// A host with a desktop theme installs a service (the gtk host renders with GTK's style
// contexts); without one (the null host, and tests) no style is active, every call here answers
// false and the controls draw their classic look. A service draws only on its own thread (the
// gtk host's user-interface thread) and answers false elsewhere.
//
// Parts and states keep the classic numbers: "TAB" part 1 a tab (state 1 normal, 2 hot, 3
// selected), part 9 the page frame (the pane, state 0); "SPIN" parts 1 up, 2 down, 3 left-pointing
// and 4 right-pointing buttons (state 1 normal, 2 hot, 3 pressed, 4 disabled).
#pragma once

#include "platform/core/Geometry.h"
#include "platform/core/Types.h"

#include <cstdint>
#include <memory>

namespace platform {

class VisualStyleService
{
public:
    virtual ~VisualStyleService() = default;
    // Whether parts of the class can be drawn on the calling thread now.
    virtual bool Draws(const char* themeClass) const = 0;
    // Draws the part over `pixels` (width x height, 0x00RRGGBB, rows top-down, holding what lies
    // beneath); false when it cannot, and the pixels are then untouched.
    virtual bool DrawPart(const char* themeClass, int part, int state, std::uint32_t* pixels, int width,
                          int height) = 0;
};

// Installs a service; null takes it away (no style is active).
void SetVisualStyleService(std::shared_ptr<VisualStyleService> service);

// Whether a visual style draws parts of the class on the calling thread.
bool IsVisualStyleActive(const char* themeClass);

// Draws the part into the rectangle of the device context, over what it holds there; false (and
// nothing drawn) without an active style for the class or for an empty rectangle.
bool DrawVisualStylePart(HDC dc, const char* themeClass, int part, int state, const RECT& rect);

} // namespace platform
