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

} // namespace ktutilex
