// Load-time start-up of libNRData.so: registers the library's resource module with the
// platform, which makes it an extension library whose string table joins the lookup chain.
#include "nrdata/res/NRDataStrings.h"

#include "platform/core/ResourceModule.h"

namespace {

const platform::ExtensionModule s_module("NRData", { .strings = nrdata::StringTable() });

} // namespace
