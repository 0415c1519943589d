// Parsing LIST replies in the Unix and DOS forms.
#include "ktutilex/ftp/ListListing.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cstring>
#include <optional>

namespace ktutilex::ftp {

namespace {

enum class LineKind { Entry, Skipped, Unreadable };

struct Token
{
    std::string_view text;
    std::size_t end { 0 }; // offset just past the token in its line
};

bool IsBlank(char ch) { return ch == ' ' || ch == '\t'; }

// The blank-separated words of a line, each with where it ends.
std::vector<Token> Tokens(std::string_view line)
{
    std::vector<Token> tokens;
    std::size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && IsBlank(line[at]))
            ++at;
        const std::size_t start = at;
        while (at < line.size() && !IsBlank(line[at]))
            ++at;
        if (at > start)
            tokens.push_back({ line.substr(start, at - start), at });
    }
    return tokens;
}

// A whole token of decimal digits that fits `T`.
template <typename T>
std::optional<T> Number(std::string_view text)
{
    T value {};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || text.front() == '-')
        return std::nullopt;
    return value;
}

// 0 to 11 for "Jan" to "Dec", whatever the case.
std::optional<int> Month(std::string_view text)
{
    static constexpr std::array<const char*, 12> kMonths = { "jan", "feb", "mar", "apr", "may", "jun",
                                                             "jul", "aug", "sep", "oct", "nov", "dec" };
    if (text.size() != 3)
        return std::nullopt;
    for (std::size_t i = 0; i < kMonths.size(); ++i) {
        bool same = true;
        for (std::size_t c = 0; c < 3; ++c)
            same = same && std::tolower(static_cast<unsigned char>(text[c])) == kMonths[i][c];
        if (same)
            return static_cast<int>(i);
    }
    return std::nullopt;
}

// "HH:MM" with an optional "AM"/"PM" when `twelveHour` allows it; false for anything else.
bool ParseClock(std::string_view text, bool twelveHour, int& hour, int& minute)
{
    std::optional<bool> afternoon;
    if (twelveHour && text.size() > 2) {
        const std::string_view suffix = text.substr(text.size() - 2);
        if (suffix == "AM" || suffix == "am")
            afternoon = false;
        else if (suffix == "PM" || suffix == "pm")
            afternoon = true;
        if (afternoon)
            text.remove_suffix(2);
    }
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos)
        return false;
    const auto h = Number<int>(text.substr(0, colon));
    const auto m = Number<int>(text.substr(colon + 1));
    if (!h || !m || *m > 59)
        return false;
    hour = *h;
    minute = *m;
    if (afternoon) {
        if (hour < 1 || hour > 12)
            return false;
        hour = hour % 12 + (*afternoon ? 12 : 0);
    }
    return hour <= 23;
}

time_t Utc(int year, int month, int day, int hour, int minute)
{
    struct tm utc {};
    utc.tm_year = year - 1900;
    utc.tm_mon = month;
    utc.tm_mday = day;
    utc.tm_hour = hour;
    utc.tm_min = minute;
    const time_t seconds = timegm(&utc);
    return seconds == static_cast<time_t>(-1) ? 0 : seconds;
}

int YearOf(time_t when)
{
    struct tm utc {};
    gmtime_r(&when, &utc);
    return utc.tm_year + 1900;
}

// ---- the Unix form -----------------------------------------------------------------------------

bool IsPermissions(std::string_view text)
{
    if (text.size() < 10 || !std::strchr("-dlbcps", text[0]))
        return false;
    for (std::size_t i = 1; i < 10; ++i)
        if (!std::strchr("rwxsStTlL-", text[i]))
            return false;
    return true;
}

LineKind ParseUnix(std::string_view line, const std::vector<Token>& tokens, time_t now, RemoteEntry& entry)
{
    // Owner and group may be missing or be numbers, so the size is found by what follows it:
    // a month, a day, and a time or a year.
    for (std::size_t i = 1; i + 3 < tokens.size(); ++i) {
        const auto size = Number<std::uint64_t>(tokens[i].text);
        const auto month = Month(tokens[i + 1].text);
        const auto day = Number<int>(tokens[i + 2].text);
        if (!size || !month || !day || *day < 1 || *day > 31)
            continue;
        int hour = 0;
        int minute = 0;
        int year = 0;
        const std::string_view when = tokens[i + 3].text;
        if (ParseClock(when, false, hour, minute)) {
            year = YearOf(now);
            if (Utc(year, *month, *day, hour, minute) > now + 86400)
                --year;
        } else if (const auto stated = Number<int>(when); stated && when.size() == 4) {
            year = *stated;
        } else {
            continue;
        }
        // One blank separates the date from the name, which may hold (and begin with) blanks.
        const std::size_t nameAt = tokens[i + 3].end + 1;
        if (nameAt >= line.size())
            return LineKind::Unreadable;
        std::string_view name = line.substr(nameAt);
        const char type = tokens[0].text[0];
        if (type == 'l') {
            if (const std::size_t arrow = name.find(" -> "); arrow != std::string_view::npos)
                name = name.substr(0, arrow);
        }
        if (type != '-' && type != 'd' && type != 'l')
            return LineKind::Skipped;
        if (name.empty() || name == "." || name == "..")
            return name.empty() ? LineKind::Unreadable : LineKind::Skipped;
        entry.name = std::string(name);
        entry.type = type == 'd' ? 2 : 1;
        entry.size = type == 'd' ? 0 : *size;
        entry.modified = Utc(year, *month, *day, hour, minute);
        return LineKind::Entry;
    }
    return LineKind::Unreadable;
}

// ---- the DOS form ------------------------------------------------------------------------------

// "MM-DD-YY" or "MM-DD-YYYY"; two-digit years from 70 are 19xx, the others 20xx.
bool ParseDosDate(std::string_view text, int& year, int& month, int& day)
{
    if ((text.size() != 8 && text.size() != 10) || text[2] != '-' || text[5] != '-')
        return false;
    const auto m = Number<int>(text.substr(0, 2));
    const auto d = Number<int>(text.substr(3, 2));
    const auto y = Number<int>(text.substr(6));
    if (!m || !d || !y || *m < 1 || *m > 12 || *d < 1 || *d > 31)
        return false;
    month = *m - 1;
    day = *d;
    year = text.size() == 10 ? *y : (*y >= 70 ? 1900 + *y : 2000 + *y);
    return true;
}

LineKind ParseDos(std::string_view line, const std::vector<Token>& tokens, RemoteEntry& entry)
{
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    if (tokens.size() < 4 || !ParseDosDate(tokens[0].text, year, month, day) ||
        !ParseClock(tokens[1].text, true, hour, minute))
        return LineKind::Unreadable;
    const bool folder = tokens[2].text == "<DIR>";
    const auto size = Number<std::uint64_t>(tokens[2].text);
    if (!folder && !size)
        return LineKind::Unreadable;
    // The name starts at the next word; the server pads the columns with blanks.
    std::size_t nameAt = tokens[2].end;
    while (nameAt < line.size() && IsBlank(line[nameAt]))
        ++nameAt;
    const std::string_view name = line.substr(nameAt);
    if (name == "." || name == "..")
        return LineKind::Skipped;
    entry.name = std::string(name);
    entry.type = folder ? 2 : 1;
    entry.size = folder ? 0 : *size;
    entry.modified = Utc(year, month, day, hour, minute);
    return LineKind::Entry;
}

LineKind ParseLine(std::string_view line, time_t now, RemoteEntry& entry)
{
    const std::vector<Token> tokens = Tokens(line);
    if (tokens.empty())
        return LineKind::Skipped;
    if (tokens.size() == 2 && tokens[0].text == "total" && Number<std::uint64_t>(tokens[1].text))
        return LineKind::Skipped;
    if (IsPermissions(tokens[0].text))
        return ParseUnix(line, tokens, now, entry);
    return ParseDos(line, tokens, entry);
}

} // namespace

bool ParseList(std::string_view text, time_t now, std::vector<RemoteEntry>& entries)
{
    entries.clear();
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        RemoteEntry entry;
        switch (ParseLine(line, now, entry)) {
        case LineKind::Entry:
            entries.push_back(std::move(entry));
            break;
        case LineKind::Skipped:
            break;
        case LineKind::Unreadable:
            entries.clear();
            return false;
        }
    }
    return true;
}

} // namespace ktutilex::ftp
