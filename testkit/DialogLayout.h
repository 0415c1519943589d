// A check of a dialog's layout as it stands on the screen (the controls at the sizes they took,
// a colour picker's fixed height included): every shown control lies inside the dialog, no two
// controls overlap, and a group box's frame never cuts a control: each control lies either
// wholly inside the frame, below its caption, or wholly outside it. Group boxes nest or stand
// apart.
#pragma once

#include "platform/core/Geometry.h"
#include "platform/msg/Wnd.h"

#include <string>
#include <vector>

namespace testkit {

// What is wrong with the layout of `dialog`'s shown children, one line per fault naming the
// control ids ("1443 crosses the frame of group 1434"); empty when nothing is.
std::vector<std::string> LayoutFaults(CWnd& dialog);

} // namespace testkit
