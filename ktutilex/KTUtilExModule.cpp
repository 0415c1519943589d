// Load-time start-up of libKTUtilEx.so: registers the library's resource module with the
// platform, which makes it an extension library whose string table joins the lookup chain.
#include "ktutilex/res/KTUtilExStrings.h"

#include "platform/core/ResourceModule.h"

namespace {

const platform::ExtensionModule s_module("KTUtilEx", { .strings = ktutilex::StringTable() });

} // namespace
