// Registers the window classes of the standard controls, once per process.
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/controls/ListBox.h"
#include "platform/ui/controls/ProgressCtrl.h"
#include "platform/ui/controls/ControlWindow.h"
#include "platform/ui/controls/DateTimeCtrl.h"
#include "platform/ui/controls/ScrollBar.h"
#include "platform/ui/controls/SliderCtrl.h"
#include "platform/ui/controls/SpinButtonCtrl.h"
#include "platform/ui/controls/Static.h"
#include "platform/ui/controls/ToolTipCtrl.h"

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
