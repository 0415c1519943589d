// Placeholder until the resource-module registry lands: no module holds any text yet.
#include "platform/core/StringTable.h"

namespace platform {

bool LookupString(UINT, std::string&) { return false; }

} // namespace platform
