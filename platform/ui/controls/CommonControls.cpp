// Registration of the common controls' window classes.
#include "platform/ui/controls/CommonControls.h"

#include "platform/ui/controls/HeaderCtrl.h"
#include "platform/ui/controls/ListCtrl.h"
#include "platform/ui/controls/TabCtrl.h"
#include "platform/ui/controls/TreeCtrl.h"

#include <mutex>

namespace platform::ui {

void RegisterCommonControls()
{
    static std::once_flag once;
    std::call_once(once, [] {
        RegisterHeaderClass();
        RegisterListViewClass();
        RegisterTreeViewClass();
        RegisterTabControlClass();
    });
}

namespace {
// At load: dialog templates may name these classes before any wrapper made a control. The
// window-class registry is a function-local static of the window layer, so this is safe at any
// point of static initialisation.
[[maybe_unused]] const bool s_registered = (RegisterCommonControls(), true);
} // namespace

} // namespace platform::ui

void InitCommonControls() { platform::ui::RegisterCommonControls(); }

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce)
{
    if (!picce || picce->dwSize != sizeof(INITCOMMONCONTROLSEX))
        return FALSE;
    platform::ui::RegisterCommonControls();
    return TRUE;
}
