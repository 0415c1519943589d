// The page controls' window class.
#include "tarlux/common/ReviewControlClass.h"

#include "platform/gdi/SysColors.h"
#include "platform/msg/WindowApi.h"
#include "platform/msg/WindowClass.h"

#include <cstdint>

namespace tarlux {

BOOL RegisterReviewControlClass(HINSTANCE instance, const char* className)
{
    WNDCLASS wc;
    if (::GetClassInfo(instance, className, &wc))
        return TRUE;
    wc = WNDCLASS {};
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(COLOR_BTNFACE + 1));
    wc.lpszClassName = className;
    if (!::RegisterClass(&wc))
        AfxThrowResourceException();
    return TRUE;
}

} // namespace tarlux
