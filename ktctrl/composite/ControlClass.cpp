// Window-class registration of the composite controls.
#include "ktctrl/composite/ControlClass.h"

#include "platform/core/ResourceModule.h"
#include "platform/gdi/SysColors.h"
#include "platform/msg/WindowApi.h"
#include "platform/msg/WindowClass.h"

namespace ktctrl {

void RegisterControlClass(LPCTSTR className, UINT classStyle, HINSTANCE instance)
{
    WNDCLASS existing;
    if (GetClassInfo(instance, className, &existing))
        return;
    WNDCLASS wc {};
    wc.style = classStyle;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = instance;
    wc.hbrBackground = GetSysColorBrush(COLOR_3DFACE);
    wc.lpszClassName = className;
    if (!AfxRegisterClass(&wc))
        AfxThrowResourceException();
}

void RegisterControlClass(LPCTSTR className, UINT classStyle)
{
    RegisterControlClass(className, classStyle, AfxGetInstanceHandle());
    RegisterControlClass(className, classStyle, AfxGetResourceHandle());
}

} // namespace ktctrl
