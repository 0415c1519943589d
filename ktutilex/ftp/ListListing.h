// The folder listing of an FTP server that offers no machine-readable one: the reply to LIST,
// which is whatever the server's system shows. Two forms are common and read here:
//
//   Unix ("ls -l"): drwxr-xr-x   2 owner group   4096 Mar  4 05:06 name
//                   -rw-r--r--   1 owner group     12 Mar  4  2021 old name
//   DOS / IIS:      03-04-21  05:06AM       <DIR>          name
//                   03-04-2021  05:06PM                12 name
//
// A Unix line without a year is within the last half year, so its year is the one that puts
// it at most a day after `now`. Times are taken as UTC, as servers mostly send them. A link
// counts as a file under its own name; devices, pipes and sockets are left out, and so are the
// folder's own entries and a "total" line.
//
// A line in neither form means the listing cannot be read: ParseList then gives false, so a
// caller never takes an unreadable listing for a folder without the entry it looks for.
#pragma once

#include "ktutilex/ftp/MlsdListing.h"

#include <ctime>
#include <string_view>
#include <vector>

namespace ktutilex::ftp {

bool ParseList(std::string_view text, time_t now, std::vector<RemoteEntry>& entries);

} // namespace ktutilex::ftp
