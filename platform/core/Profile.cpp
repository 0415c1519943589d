// Private-profile functions: a small line-preserving ini model, read whole, changed, and
// written back through UpdateFileLocked.
#include "platform/core/Profile.h"

#include "platform/core/AtomicFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

// ---- text helpers -----------------------------------------------------------------------------

std::string_view Trim(std::string_view s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool EqualNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

// ---- the ini model -------------------------------------------------------------------------------

struct IniText
{
    std::vector<std::string> lines; // without line ends
    bool crlf{false};
    bool finalNewline{true};

    explicit IniText(const std::string& text)
    {
        crlf = text.find("\r\n") != std::string::npos;
        finalNewline = text.empty() || text.back() == '\n';
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find('\n', start);
            if (end == std::string::npos)
                end = text.size();
            std::string line = text.substr(start, end - start);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            lines.push_back(std::move(line));
            start = end + 1;
        }
    }

    std::string Join() const
    {
        const char* eol = crlf ? "\r\n" : "\n";
        std::string text;
        for (size_t i = 0; i < lines.size(); ++i) {
            text += lines[i];
            if (i + 1 < lines.size() || finalNewline)
                text += eol;
        }
        return text;
    }
};

// "[name]" -> name (trimmed); false for any other line.
bool SectionName(const std::string& line, std::string_view& name)
{
    const std::string_view t = Trim(line);
    if (t.empty() || t.front() != '[')
        return false;
    const size_t close = t.find(']');
    if (close == std::string_view::npos)
        return false;
    name = Trim(t.substr(1, close - 1));
    return true;
}

// "key=value" -> trimmed key and value; false for comments, headers and lines without '='.
bool Entry(const std::string& line, std::string_view& key, std::string_view& value)
{
    const std::string_view t = Trim(line);
    if (t.empty() || t.front() == ';' || t.front() == '[')
        return false;
    const size_t eq = t.find('=');
    if (eq == std::string_view::npos)
        return false;
    key = Trim(t.substr(0, eq));
    value = Trim(t.substr(eq + 1));
    return true;
}

// Lines [first, end) of the first section called `name`; first is the header line.
bool FindSection(const IniText& ini, std::string_view name, size_t& first, size_t& end)
{
    std::string_view found;
    for (size_t i = 0; i < ini.lines.size(); ++i) {
        if (!SectionName(ini.lines[i], found) || !EqualNoCase(found, name))
            continue;
        first = i;
        end = i + 1;
        while (end < ini.lines.size() && !SectionName(ini.lines[end], found))
            ++end;
        return true;
    }
    return false;
}

// Line index of `key` inside the section, or npos.
size_t FindKey(const IniText& ini, size_t first, size_t end, std::string_view key)
{
    std::string_view k, v;
    for (size_t i = first + 1; i < end; ++i)
        if (Entry(ini.lines[i], k, v) && EqualNoCase(k, key))
            return i;
    return std::string::npos;
}

// A value read back: surrounding matching quotes are removed.
std::string_view Unquote(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// A line break inside a name or a value would end its line early: the rest would be read back
// as an entry or a section of its own. Such texts cannot be written.
bool HasLineBreak(LPCTSTR text)
{
    return text != nullptr && std::strpbrk(text, "\r\n") != nullptr;
}

bool LoadIni(LPCTSTR fileName, std::string& text)
{
    return fileName && *fileName && platform::ReadWholeFile(fileName, text);
}

// ---- copying out -----------------------------------------------------------------------------------

// Copies a value: at most size - 1 bytes, cut before a partial UTF-8 character.
DWORD CopyValue(std::string_view value, LPTSTR buffer, DWORD size)
{
    if (!buffer || size == 0)
        return 0;
    size_t n = value.size();
    if (n > size - 1) {
        n = size - 1;
        while (n > 0 && (static_cast<unsigned char>(value[n]) & 0xC0) == 0x80)
            --n;
    }
    if (n > 0)
        std::memcpy(buffer, value.data(), n);
    buffer[n] = '\0';
    return static_cast<DWORD>(n);
}

// Copies a NUL-separated list ending with a double NUL. When it does not fit, the list is cut
// after the last whole item (or inside an item at a character boundary) and size - 2 returned.
DWORD CopyList(const std::vector<std::string>& items, LPTSTR buffer, DWORD size)
{
    if (!buffer || size == 0)
        return 0;
    if (size == 1) {
        buffer[0] = '\0';
        return 0;
    }
    std::string list;
    for (const std::string& item : items)
        list.append(item).push_back('\0');
    if (list.size() + 1 <= size) {
        std::memcpy(buffer, list.data(), list.size());
        buffer[list.size()] = '\0';
        if (list.empty())
            buffer[1 < size ? 1 : 0] = '\0';
        return static_cast<DWORD>(list.size());
    }
    size_t n = size - 2;
    while (n > 0 && (static_cast<unsigned char>(list[n]) & 0xC0) == 0x80)
        --n;
    std::memcpy(buffer, list.data(), n);
    std::memset(buffer + n, 0, size - n);
    return size - 2;
}

} // namespace

// ==== reading ====================================================================================

DWORD GetPrivateProfileString(LPCTSTR section, LPCTSTR key, LPCTSTR defaultValue, LPTSTR buffer, DWORD size,
                              LPCTSTR fileName)
{
    std::string text;
    const bool loaded = LoadIni(fileName, text);
    const IniText ini(loaded ? text : std::string());

    if (!section) {
        std::vector<std::string> names;
        std::string_view name;
        for (const std::string& line : ini.lines)
            if (SectionName(line, name))
                names.emplace_back(name);
        return CopyList(names, buffer, size);
    }

    size_t first = 0, end = 0;
    const bool hasSection = FindSection(ini, section, first, end);
    if (!key) {
        std::vector<std::string> keys;
        std::string_view k, v;
        for (size_t i = first + 1; hasSection && i < end; ++i)
            if (Entry(ini.lines[i], k, v))
                keys.emplace_back(k);
        return CopyList(keys, buffer, size);
    }

    if (hasSection) {
        const size_t line = FindKey(ini, first, end, key);
        if (line != std::string::npos) {
            std::string_view k, v;
            Entry(ini.lines[line], k, v);
            SetLastError(ERROR_SUCCESS);
            return CopyValue(Unquote(v), buffer, size);
        }
    }
    SetLastError(loaded ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND);
    std::string_view fallback = defaultValue ? std::string_view(defaultValue) : std::string_view();
    while (!fallback.empty() && (fallback.back() == ' ' || fallback.back() == '\t'))
        fallback.remove_suffix(1);
    return CopyValue(fallback, buffer, size);
}

UINT GetPrivateProfileInt(LPCTSTR section, LPCTSTR key, INT defaultValue, LPCTSTR fileName)
{
    if (!section || !key)
        return static_cast<UINT>(defaultValue);
    // A marker that no real value can hold tells "missing" from "present".
    static const char kMissing[] = "\x01missing\x01";
    char value[64];
    GetPrivateProfileString(section, key, kMissing, value, sizeof value, fileName);
    if (std::strcmp(value, kMissing) == 0)
        return static_cast<UINT>(defaultValue);
    const char* p = value;
    bool negative = false;
    if (*p == '-' || *p == '+')
        negative = *p++ == '-';
    long long result = 0;
    while (*p >= '0' && *p <= '9' && result < 0x100000000LL)
        result = result * 10 + (*p++ - '0');
    return static_cast<UINT>(negative ? -result : result);
}

DWORD GetPrivateProfileSection(LPCTSTR section, LPTSTR buffer, DWORD size, LPCTSTR fileName)
{
    std::string text;
    LoadIni(fileName, text);
    const IniText ini(text);
    std::vector<std::string> entries;
    size_t first = 0, end = 0;
    if (section && FindSection(ini, section, first, end)) {
        std::string_view k, v;
        for (size_t i = first + 1; i < end; ++i)
            if (Entry(ini.lines[i], k, v))
                entries.push_back(std::string(k) + "=" + std::string(v));
    }
    return CopyList(entries, buffer, size);
}

DWORD GetPrivateProfileSectionNames(LPTSTR buffer, DWORD size, LPCTSTR fileName)
{
    return GetPrivateProfileString(nullptr, nullptr, nullptr, buffer, size, fileName);
}

// ==== writing ====================================================================================

BOOL WritePrivateProfileString(LPCTSTR section, LPCTSTR key, LPCTSTR value, LPCTSTR fileName)
{
    if (!section || !fileName || !*fileName || HasLineBreak(section) || HasLineBreak(key) ||
        HasLineBreak(value)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::string sectionName(Trim(section));
    const std::string keyName(key ? Trim(key) : std::string_view());
    const std::string newValue(value ? Trim(value) : std::string_view());
    if (key && keyName.empty()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }

    const auto change = [&](std::string& text, bool) {
        IniText ini(text);
        size_t first = 0, end = 0;
        const bool hasSection = FindSection(ini, sectionName, first, end);
        if (!key) { // delete the section
            if (!hasSection)
                return false;
            ini.lines.erase(ini.lines.begin() + static_cast<long>(first),
                            ini.lines.begin() + static_cast<long>(end));
        } else if (!value) { // delete the entry
            const size_t line = hasSection ? FindKey(ini, first, end, keyName) : std::string::npos;
            if (line == std::string::npos)
                return false;
            ini.lines.erase(ini.lines.begin() + static_cast<long>(line));
        } else if (!hasSection) { // a new section at the end
            if (!ini.lines.empty() && !Trim(ini.lines.back()).empty())
                ini.lines.emplace_back();
            ini.lines.push_back("[" + sectionName + "]");
            ini.lines.push_back(keyName + "=" + newValue);
            ini.finalNewline = true;
        } else if (const size_t line = FindKey(ini, first, end, keyName); line != std::string::npos) {
            const std::string replaced = keyName + "=" + newValue;
            if (ini.lines[line] == replaced)
                return false;
            // The stored key keeps its spelling; only the value changes.
            std::string_view k, v;
            Entry(ini.lines[line], k, v);
            ini.lines[line] = std::string(k) + "=" + newValue;
        } else { // append after the last non-blank line of the section
            size_t at = end;
            while (at > first + 1 && Trim(ini.lines[at - 1]).empty())
                --at;
            ini.lines.insert(ini.lines.begin() + static_cast<long>(at), keyName + "=" + newValue);
            if (at == ini.lines.size() - 1)
                ini.finalNewline = true;
        }
        text = ini.Join();
        return true;
    };
    return platform::UpdateFileLocked(fileName, change) ? TRUE : FALSE;
}
