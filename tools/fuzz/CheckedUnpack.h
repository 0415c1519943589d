// Unpacking an archive of any bytes with KTZip under the guarantee that matters most: nothing
// lands outside the target folder. For the zip and spreadsheet fuzz targets.
#pragma once

#include <string>

namespace fuzz {

// Unpacks `archive` into `<folder>/target` (the folder is emptied first) and ends the run when
// anything was written outside the target, a path of the list of extracted files lies outside
// it or is no plain file, a link appears below it, or (after a whole unpack) a file below it is
// missing from the list. The layer's exceptions for a broken archive are answers, not faults.
// Returns KTZip's result, or 2 when an exception ended the unpack.
int CheckedUnpack(const std::string& archive, const std::string& folder);

} // namespace fuzz
