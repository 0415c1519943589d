// Ids of the control library's bitmap resources.
#pragma once

#include "platform/core/Types.h"

namespace ktctrl {

constexpr UINT IDB_SORT_DESCENDING = 131;
constexpr UINT IDB_SORT_ASCENDING = 132;

} // namespace ktctrl
