// A "/"-separated path cut into its segments, empty ones included ("a//b" gives a, "", b;
// "" gives one empty segment).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ktutilex {

std::vector<std::string> SplitSegments(std::string_view path);

// The segments that name something: empty and "." segments dropped, each ".." taking back the
// segment before it (never climbing above the first).
std::vector<std::string> ResolveSegments(std::string_view path);

// The segments joined with "/", with a leading "/" when `absolute`.
std::string JoinSegments(const std::vector<std::string>& segments, bool absolute);

} // namespace ktutilex
