// A "/"-separated path cut into its segments, empty ones included ("a//b" gives a, "", b;
// "" gives one empty segment).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ktutilex {

std::vector<std::string> SplitSegments(std::string_view path);

} // namespace ktutilex
