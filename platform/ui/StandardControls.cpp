// Registers the window classes of the standard controls, once per process.
#include "platform/ui/Button.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/ProgressCtrl.h"
#include "platform/ui/ControlWindow.h"
#include "platform/ui/DateTimeCtrl.h"
#include "platform/ui/ScrollBar.h"
#include "platform/ui/SliderCtrl.h"
#include "platform/ui/SpinButtonCtrl.h"
#include "platform/ui/Static.h"
#include "platform/ui/ToolTipCtrl.h"

#include <mutex>

namespace platform::ui {

void RegisterStandardControls()
{
    static std::once_flag once;
    std::call_once(once, [] {
        RegisterButtonClass();
        RegisterStaticClass();
        RegisterScrollBarClass();
        RegisterEditClass();
        RegisterListBoxClass();
        RegisterComboBoxClass();
        RegisterProgressClass();
        RegisterSliderClass();
        RegisterSpinClass();
        RegisterToolTipClass();
        RegisterDateTimeClass();
    });
}

} // namespace platform::ui
