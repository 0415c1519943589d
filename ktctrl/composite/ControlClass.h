// How the library's controls with a window class of their own register it: once for the
// library's module and once for its resource module, each time only when that class is not
// registered yet; a failed registration raises the framework's resource exception.
#pragma once

#include "platform/msg/Messages.h"

namespace ktctrl {

// Arrow cursor, the default window procedure and the button-face brush as background.
void RegisterControlClass(LPCTSTR className, UINT classStyle, HINSTANCE instance);
void RegisterControlClass(LPCTSTR className, UINT classStyle);

} // namespace ktctrl
