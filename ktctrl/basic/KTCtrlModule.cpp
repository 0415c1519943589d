// Load-time start-up of libKTCtrl.so: registers the library's resource module with the
// platform so that its string table joins the lookup chain.
#include "ktctrl/res/KTCtrlStrings.h"

namespace {

const platform::ExtensionModule s_module("KTCtrl", { .strings = ktctrl::StringTable() });

} // namespace
