// The data library's own string table: the English texts of the shared value-map range
// 10000 to 10182. It is the library's resource module string table; a language module
// replaces any of these texts under the same id.
#pragma once

#include "platform/core/ResourceModule.h"
#include "platform/core/Types.h"

#include <span>

namespace nrdata {

constexpr UINT NRDATA_STRING_FIRST = 10000;
constexpr UINT NRDATA_STRING_LAST = 10182;
// The language names: id = NRDATA_STRING_LANGUAGE_BASE + language number (1 to 14).
constexpr UINT NRDATA_STRING_LANGUAGE_BASE = 10067;

// Every entry in ascending id order.
std::span<const platform::StringEntry> StringTable();

} // namespace nrdata
