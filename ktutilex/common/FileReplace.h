// Writing a whole file so that it is either the old file or the new one, never half of each:
// the bytes go to a temporary file beside it, reach the disk, and replace the file in one rename.
#pragma once

#include <string_view>

namespace ktutilex {

// True once the new contents are on disk under `path`.
bool ReplaceFileContents(const char* path, std::string_view bytes);

} // namespace ktutilex
