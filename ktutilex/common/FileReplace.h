// Writing a whole file so that it is either the old file or the new one, never half of each:
// the new file is written beside it under a temporary name, reaches the disk, and replaces the
// file in one rename.
#pragma once

#include <functional>
#include <string_view>

namespace ktutilex {

// `write` fills the temporary file at the path it is given and says whether it succeeded. True
// once the new file is on disk under `path`; the temporary file never stays.
bool ReplaceFileWith(const char* path, const std::function<bool(const char* temporaryPath)>& write);
// The same with the bytes as the new contents.
bool ReplaceFileContents(const char* path, std::string_view bytes);

} // namespace ktutilex
