// Whole-file updates that two processes can make to one small file (an ini file, the registry
// store) without losing each other's changes or ever showing a half-written file.
#pragma once

#include <functional>
#include <string>

namespace platform {

// Reads the whole file; false (errno set) when it cannot be read.
bool ReadWholeFile(const char* path, std::string& text);

// Under an exclusive flock on the lock file ".<name>.lock" beside the file: reads the file
// (empty text when it does not exist), calls `change`, and when that returns true writes the
// text to a temporary file in the same folder and renames it over the file. A symbolic link is
// followed, so the file it names is replaced. An existing read-only file is not written.
// False with the last error set on failure; true also when `change` changed nothing.
bool UpdateFileLocked(const char* path, const std::function<bool(std::string& text, bool exists)>& change);

} // namespace platform
