// Parsing MLSD listings.
#include "ktutilex/ftp/MlsdListing.h"

#include <cctype>
#include <charconv>

namespace ktutilex::ftp {

namespace {

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// "YYYYMMDDHHMMSS" (with optional fractions), in UTC.
time_t ParseModify(std::string_view value)
{
    if (value.size() < 14)
        return 0;
    int fields[6] = {};
    const int widths[6] = { 4, 2, 2, 2, 2, 2 };
    std::size_t at = 0;
    for (int i = 0; i < 6; ++i) {
        const auto [end, error] = std::from_chars(value.data() + at, value.data() + at + widths[i], fields[i]);
        if (error != std::errc() || end != value.data() + at + widths[i])
            return 0;
        at += static_cast<std::size_t>(widths[i]);
    }
    struct tm utc {};
    utc.tm_year = fields[0] - 1900;
    utc.tm_mon = fields[1] - 1;
    utc.tm_mday = fields[2];
    utc.tm_hour = fields[3];
    utc.tm_min = fields[4];
    utc.tm_sec = fields[5];
    if (utc.tm_mon < 0 || utc.tm_mon > 11 || utc.tm_mday < 1 || utc.tm_mday > 31)
        return 0;
    const time_t seconds = timegm(&utc);
    return seconds == static_cast<time_t>(-1) ? 0 : seconds;
}

bool ParseLine(std::string_view line, RemoteEntry& entry)
{
    const std::size_t blank = line.find(' ');
    if (blank == std::string_view::npos || blank + 1 >= line.size())
        return false;
    entry.name = std::string(line.substr(blank + 1));
    if (entry.name == "." || entry.name == "..")
        return false;
    std::string_view facts = line.substr(0, blank);
    while (!facts.empty()) {
        const std::size_t semicolon = facts.find(';');
        const std::string_view fact = facts.substr(0, semicolon);
        facts = semicolon == std::string_view::npos ? std::string_view() : facts.substr(semicolon + 1);
        const std::size_t equals = fact.find('=');
        if (equals == std::string_view::npos)
            continue;
        const std::string_view key = fact.substr(0, equals);
        const std::string_view value = fact.substr(equals + 1);
        if (EqualsNoCase(key, "type")) {
            if (EqualsNoCase(value, "file"))
                entry.type = 1;
            else if (EqualsNoCase(value, "dir"))
                entry.type = 2;
        } else if (EqualsNoCase(key, "size")) {
            std::uint64_t size = 0;
            const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), size);
            if (error == std::errc() && end == value.data() + value.size())
                entry.size = size;
        } else if (EqualsNoCase(key, "modify")) {
            entry.modified = ParseModify(value);
        }
    }
    return entry.type != 0;
}

} // namespace

std::vector<RemoteEntry> ParseMlsd(std::string_view text)
{
    std::vector<RemoteEntry> entries;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        RemoteEntry entry;
        if (ParseLine(line, entry))
            entries.push_back(std::move(entry));
    }
    return entries;
}

} // namespace ktutilex::ftp
