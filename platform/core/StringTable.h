// The process-wide string lookup: the current resource module first, then every loaded
// module in load order. A language module that becomes current overrides texts by id.
#pragma once

#include "platform/core/Types.h"

#include <string>

namespace platform {

// Finds the text of `id`; false when no module has it.
bool LookupString(UINT id, std::string& text);

} // namespace platform
