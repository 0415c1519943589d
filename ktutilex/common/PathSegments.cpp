// Cutting paths into segments.
#include "ktutilex/common/PathSegments.h"

namespace ktutilex {

std::vector<std::string> SplitSegments(std::string_view path)
{
    std::vector<std::string> segments;
    for (;;) {
        const std::size_t slash = path.find('/');
        segments.emplace_back(path.substr(0, slash));
        if (slash == std::string_view::npos)
            return segments;
        path.remove_prefix(slash + 1);
    }
}

std::vector<std::string> ResolveSegments(std::string_view path)
{
    std::vector<std::string> kept;
    for (std::string& segment : SplitSegments(path)) {
        if (segment == "..") {
            if (!kept.empty())
                kept.pop_back();
        } else if (!segment.empty() && segment != ".") {
            kept.push_back(std::move(segment));
        }
    }
    return kept;
}

std::string JoinSegments(const std::vector<std::string>& segments, bool absolute)
{
    std::string joined;
    for (const std::string& segment : segments)
        joined += (absolute || !joined.empty() ? "/" : "") + segment;
    return joined;
}

} // namespace ktutilex
