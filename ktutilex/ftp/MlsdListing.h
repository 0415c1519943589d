// The machine-readable folder listing of an FTP server (MLSD): one line per entry, facts
// ("type=file;size=12;modify=20240102030405;") then one blank and the name. Lines that do not
// follow the form, and the folder's own entries, are left out.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

namespace ktutilex::ftp {

struct RemoteEntry
{
    std::string name;
    std::uint64_t size { 0 };
    int type { 0 };          // 1 file, 2 folder
    time_t modified { 0 };   // 0 when the server did not tell
};

std::vector<RemoteEntry> ParseMlsd(std::string_view text);

} // namespace ktutilex::ftp
