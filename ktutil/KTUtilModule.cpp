// Load-time start-up of libKTUtil.so: registers the library's resource module with the
// platform, which makes it an extension library whose resources join the lookup chain.
#include "platform/core/ResourceModule.h"

namespace {

const platform::ExtensionModule s_module("KTUtil", {});

} // namespace
