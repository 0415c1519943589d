// Lets the window layer's default procedure paint and track window scroll bars of any window.
#include "platform/msg/NonClientScrollBars.h"
#include "platform/ui/controls/ScrollBar.h"

namespace {
const bool s_registered = [] {
    platform::msg::SetNonClientScrollBarHandler({ platform::ui::PaintWindowScrollBars, platform::ui::TrackWindowScrollBar });
    return true;
}();
} // namespace
