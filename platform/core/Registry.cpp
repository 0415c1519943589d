// The registry store: a key tree read from and written to one text file.
//
// File format (one section per key, written in tree order):
//
//     [HKEY_CURRENT_USER\Software\Ward]
//     "Name"="Ward 3"              a REG_SZ whose bytes are the text and one terminating NUL
//     "Beds"=dword:00000008        a 4-byte REG_DWORD
//     "Blob"=hex(3):01,02,ff       any other type or shape, as raw bytes
//     @="text"                     the unnamed value
//
// In quoted texts, backslash, quote, CR and LF are escaped with a backslash.
#include "platform/core/Registry.h"

#include "platform/core/AtomicFile.h"
#include "platform/core/ModulePath.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

// ==== the key tree ============================================================================

std::string Lower(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

struct Value
{
    std::string name;
    DWORD type{REG_NONE};
    std::string data;
};

struct Key
{
    std::string name;                   // as created
    std::vector<Value> values;          // in the order first set
    std::map<std::string, Key> subKeys; // by lower-case name, so enumeration is in name order

    Value* FindValue(std::string_view valueName)
    {
        const std::string lower = Lower(valueName);
        for (Value& v : values)
            if (Lower(v.name) == lower)
                return &v;
        return nullptr;
    }
    Key* FindSubKey(std::string_view keyName)
    {
        const auto it = subKeys.find(Lower(keyName));
        return it == subKeys.end() ? nullptr : &it->second;
    }
    Key& SubKey(std::string_view keyName, bool* created = nullptr)
    {
        auto [it, inserted] = subKeys.try_emplace(Lower(keyName));
        if (inserted)
            it->second.name = std::string(keyName);
        if (created)
            *created = inserted;
        return it->second;
    }
};

// The roots live in one Key whose sub-keys are named after them.
using Path = std::vector<std::string>;

Key* Walk(Key& top, const Path& path)
{
    Key* key = &top;
    for (const std::string& part : path)
        if (!(key = key->FindSubKey(part)))
            return nullptr;
    return key;
}

// ==== text form =================================================================================

std::string Quote(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out + "\"";
}

// Reads a quoted text at `pos`; on success `pos` is after the closing quote.
bool Unquote(std::string_view line, size_t& pos, std::string& text)
{
    if (pos >= line.size() || line[pos] != '"')
        return false;
    text.clear();
    for (++pos; pos < line.size(); ++pos) {
        char c = line[pos];
        if (c == '"') {
            ++pos;
            return true;
        }
        if (c == '\\' && pos + 1 < line.size()) {
            c = line[++pos];
            c = c == 'n' ? '\n' : c == 'r' ? '\r' : c;
        }
        text += c;
    }
    return false;
}

std::string ValueData(const Value& v)
{
    const bool plainText = (v.type == REG_SZ) && !v.data.empty() && v.data.back() == '\0' &&
                           v.data.find('\0') == v.data.size() - 1;
    if (plainText)
        return Quote(std::string_view(v.data).substr(0, v.data.size() - 1));
    if (v.type == REG_DWORD && v.data.size() == 4) {
        DWORD n;
        std::memcpy(&n, v.data.data(), 4);
        char text[32];
        std::snprintf(text, sizeof text, "dword:%08x", n);
        return text;
    }
    std::string out = "hex(" + std::to_string(v.type) + "):";
    char hex[4];
    for (size_t i = 0; i < v.data.size(); ++i) {
        std::snprintf(hex, sizeof hex, i ? ",%02x" : "%02x", static_cast<unsigned char>(v.data[i]));
        out += hex;
    }
    return out;
}

bool ParseValueData(std::string_view text, Value& v)
{
    if (!text.empty() && text.front() == '"') {
        size_t pos = 0;
        std::string s;
        if (!Unquote(text, pos, s))
            return false;
        v.type = REG_SZ;
        v.data = s + '\0';
        return true;
    }
    if (text.substr(0, 6) == "dword:") {
        const std::string digits(text.substr(6));
        char* end = nullptr;
        const unsigned long n = std::strtoul(digits.c_str(), &end, 16);
        if (digits.empty() || *end)
            return false;
        const DWORD d = static_cast<DWORD>(n);
        v.type = REG_DWORD;
        v.data.assign(reinterpret_cast<const char*>(&d), 4);
        return true;
    }
    if (text.substr(0, 4) == "hex(") {
        const size_t close = text.find("):");
        if (close == std::string_view::npos)
            return false;
        v.type =
            static_cast<DWORD>(std::strtoul(std::string(text.substr(4, close - 4)).c_str(), nullptr, 10));
        v.data.clear();
        std::string_view bytes = text.substr(close + 2);
        while (!bytes.empty()) {
            if (bytes.size() < 2)
                return false;
            const int b =
                static_cast<int>(std::strtoul(std::string(bytes.substr(0, 2)).c_str(), nullptr, 16));
            v.data += static_cast<char>(b);
            bytes.remove_prefix(bytes.size() > 2 ? 3 : 2);
        }
        return true;
    }
    return false;
}

Path SplitPath(std::string_view path)
{
    Path parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('\\', start);
        if (end == std::string_view::npos)
            end = path.size();
        if (end > start)
            parts.emplace_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

Key Parse(const std::string& text)
{
    Key top;
    Key* current = nullptr;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string_view line(text.data() + start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            current = &top;
            for (const std::string& part : SplitPath(line.substr(1, line.size() - 2)))
                current = &current->SubKey(part);
            continue;
        }
        if (!current || line.empty())
            continue;
        Value v;
        size_t pos = 0;
        if (line.front() == '@')
            pos = 1;
        else if (!Unquote(line, pos, v.name))
            continue;
        if (pos >= line.size() || line[pos] != '=' || !ParseValueData(line.substr(pos + 1), v))
            continue;
        if (Value* existing = current->FindValue(v.name))
            *existing = std::move(v);
        else
            current->values.push_back(std::move(v));
    }
    return top;
}

void Serialize(const Key& key, const std::string& path, std::string& out)
{
    if (!path.empty() && (!key.values.empty() || path.find('\\') != std::string::npos)) {
        out += "[" + path + "]\n";
        for (const Value& v : key.values)
            out += (v.name.empty() ? std::string("@") : Quote(v.name)) + "=" + ValueData(v) + "\n";
        out += "\n";
    }
    for (const auto& [lower, sub] : key.subKeys)
        Serialize(sub, path.empty() ? sub.name : path + "\\" + sub.name, out);
}

std::string Serialize(const Key& top)
{
    std::string out = "; Registry store of the ward stations, written by the programs.\n\n";
    Serialize(top, std::string(), out);
    return out;
}

// ==== store file ===============================================================================

bool MakeFolders(const std::string& folder)
{
    for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            return true;
    }
}

Key LoadStore()
{
    std::string text;
    platform::ReadWholeFile(platform::RegistryStorePath(), text);
    return Parse(text);
}

// Runs `change` on the store under the lock; the store is written back when it returns
// ERROR_SUCCESS and sets `dirty`.
template <class Change> LONG UpdateStore(Change change)
{
    const std::string path = platform::RegistryStorePath().str();
    if (!MakeFolders(path.substr(0, path.rfind('/'))))
        return static_cast<LONG>(ERROR_ACCESS_DENIED);
    LONG result = static_cast<LONG>(ERROR_SUCCESS);
    const bool ok = platform::UpdateFileLocked(path.c_str(), [&](std::string& text, bool) {
        Key top = Parse(text);
        bool dirty = false;
        result = change(top, dirty);
        if (result != static_cast<LONG>(ERROR_SUCCESS) || !dirty)
            return false;
        text = Serialize(top);
        return true;
    });
    if (!ok)
        return static_cast<LONG>(GetLastError() == ERROR_SUCCESS ? ERROR_ACCESS_DENIED : GetLastError());
    return result;
}

// ==== handles ====================================================================================

struct RootName
{
    HKEY key;
    const char* name;
};
const RootName kRoots[] = {
    {HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT"},
    {HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
    {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"},
    {HKEY_USERS, "HKEY_USERS"},
};

// Guards the table of open keys. Held only to look a handle up or change the table, never
// while the store file is locked: lookups copy the path out first.
std::mutex g_handlesMutex;
std::map<std::uintptr_t, Path> g_handles;
std::uintptr_t g_nextHandle = 1;

// The full path (root name first) of an open key or a root; nullopt for a bad handle.
std::optional<Path> PathOf(HKEY key)
{
    for (const RootName& root : kRoots)
        if (root.key == key)
            return Path{root.name};
    std::lock_guard lock(g_handlesMutex);
    const auto it = g_handles.find(reinterpret_cast<std::uintptr_t>(key));
    if (it == g_handles.end())
        return std::nullopt;
    return it->second;
}

HKEY NewHandle(Path path)
{
    std::lock_guard lock(g_handlesMutex);
    const std::uintptr_t id = g_nextHandle++;
    g_handles.emplace(id, std::move(path));
    return reinterpret_cast<HKEY>(id);
}

bool ValidName(std::string_view name)
{
    return name.size() <= 255 && name.find_first_of("\r\n") == std::string_view::npos;
}

// The key of a handle inside a loaded tree; null when the key is gone.
Key* KeyOf(Key& top, const Path& path)
{
    if (path.size() == 1)
        return &top.SubKey(path[0]); // roots always exist
    return Walk(top, path);
}

constexpr LONG Result(DWORD error)
{
    return static_cast<LONG>(error);
}

// Copies a name out with the enumeration rules: size in bytes on entry, length on return.
LONG CopyName(const std::string& name, LPTSTR buffer, LPDWORD size)
{
    if (!size)
        return Result(ERROR_INVALID_PARAMETER);
    if (!buffer || *size <= name.size()) {
        *size = static_cast<DWORD>(name.size());
        return Result(ERROR_MORE_DATA);
    }
    std::memcpy(buffer, name.c_str(), name.size() + 1);
    *size = static_cast<DWORD>(name.size());
    return Result(ERROR_SUCCESS);
}

// Copies value data with the query rules: null data asks for the size only.
LONG CopyData(const Value& v, LPDWORD type, LPBYTE data, LPDWORD size)
{
    if (data && !size)
        return Result(ERROR_INVALID_PARAMETER);
    if (type)
        *type = v.type;
    if (!size)
        return Result(ERROR_SUCCESS);
    const DWORD needed = static_cast<DWORD>(v.data.size());
    if (data && *size < needed) {
        *size = needed;
        return Result(ERROR_MORE_DATA);
    }
    if (data && needed)
        std::memcpy(data, v.data.data(), needed);
    *size = needed;
    return Result(ERROR_SUCCESS);
}

// Loads the store and finds the key of a handle: ERROR_INVALID_HANDLE for a bad handle,
// ERROR_KEY_DELETED when its key is gone.
LONG LoadKeyOf(HKEY handle, Key& top, Key*& key)
{
    const std::optional<Path> path = PathOf(handle);
    if (!path)
        return Result(ERROR_INVALID_HANDLE);
    top = LoadStore();
    key = KeyOf(top, *path);
    return key ? Result(ERROR_SUCCESS) : Result(ERROR_KEY_DELETED);
}

} // namespace

CString platform::RegistryStorePath()
{
    return platform::GetConfigFolder() + "/ward-stations/registry.ini";
}

// ==== keys =========================================================================================

LONG RegOpenKeyEx(HKEY key, LPCTSTR subKey, DWORD, REGSAM, PHKEY result)
{
    if (!result)
        return Result(ERROR_INVALID_PARAMETER);
    *result = nullptr;
    std::optional<Path> base = PathOf(key);
    if (!base)
        return Result(ERROR_INVALID_HANDLE);
    Key top = LoadStore();
    Key* k = KeyOf(top, *base);
    if (!k)
        return Result(ERROR_KEY_DELETED);
    Path path = *base;
    for (const std::string& part : SplitPath(subKey ? subKey : "")) {
        if (!(k = k->FindSubKey(part)))
            return Result(ERROR_FILE_NOT_FOUND);
        path.push_back(k->name);
    }
    *result = NewHandle(std::move(path));
    return Result(ERROR_SUCCESS);
}

LONG RegCreateKeyEx(HKEY key, LPCTSTR subKey, DWORD, LPTSTR, DWORD, REGSAM, void*, PHKEY result,
                    LPDWORD disposition)
{
    if (!result)
        return Result(ERROR_INVALID_PARAMETER);
    *result = nullptr;
    std::optional<Path> base = PathOf(key);
    if (!base)
        return Result(ERROR_INVALID_HANDLE);
    const Path parts = SplitPath(subKey ? subKey : "");
    for (const std::string& part : parts)
        if (!ValidName(part))
            return Result(ERROR_INVALID_PARAMETER);
    Path path = *base;
    bool createdAny = false;
    const LONG status = UpdateStore([&](Key& top, bool& dirty) {
        Key* k = KeyOf(top, *base);
        if (!k)
            return Result(ERROR_KEY_DELETED);
        for (const std::string& part : parts) {
            bool created = false;
            k = &k->SubKey(part, &created);
            createdAny |= created;
            path.push_back(k->name);
        }
        dirty = createdAny;
        return Result(ERROR_SUCCESS);
    });
    if (status != Result(ERROR_SUCCESS))
        return status;
    if (disposition)
        *disposition = createdAny ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    *result = NewHandle(std::move(path));
    return Result(ERROR_SUCCESS);
}

LONG RegOpenKey(HKEY key, LPCTSTR subKey, PHKEY result)
{
    return RegOpenKeyEx(key, subKey, 0, KEY_ALL_ACCESS, result);
}

LONG RegCreateKey(HKEY key, LPCTSTR subKey, PHKEY result)
{
    return RegCreateKeyEx(key, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, result,
                          nullptr);
}

LONG RegCloseKey(HKEY key)
{
    for (const RootName& root : kRoots)
        if (root.key == key)
            return Result(ERROR_SUCCESS);
    std::lock_guard lock(g_handlesMutex);
    return g_handles.erase(reinterpret_cast<std::uintptr_t>(key)) ? Result(ERROR_SUCCESS)
                                                                  : Result(ERROR_INVALID_HANDLE);
}

LONG RegDeleteKey(HKEY key, LPCTSTR subKey)
{
    std::optional<Path> base = PathOf(key);
    if (!base)
        return Result(ERROR_INVALID_HANDLE);
    const Path parts = SplitPath(subKey ? subKey : "");
    if (parts.empty())
        return Result(ERROR_INVALID_PARAMETER);
    return UpdateStore([&](Key& top, bool& dirty) {
        Key* parent = KeyOf(top, *base);
        if (!parent)
            return Result(ERROR_KEY_DELETED);
        for (size_t i = 0; i + 1 < parts.size(); ++i)
            if (!(parent = parent->FindSubKey(parts[i])))
                return Result(ERROR_FILE_NOT_FOUND);
        Key* victim = parent->FindSubKey(parts.back());
        if (!victim)
            return Result(ERROR_FILE_NOT_FOUND);
        if (!victim->subKeys.empty())
            return Result(ERROR_ACCESS_DENIED);
        parent->subKeys.erase(Lower(parts.back()));
        dirty = true;
        return Result(ERROR_SUCCESS);
    });
}

// ==== values ======================================================================================

LONG RegSetValueEx(HKEY key, LPCTSTR valueName, DWORD, DWORD type, const BYTE* data, DWORD size)
{
    std::optional<Path> path = PathOf(key);
    if (!path)
        return Result(ERROR_INVALID_HANDLE);
    const std::string name = valueName ? valueName : "";
    if ((!data && size) || !ValidName(name))
        return Result(ERROR_INVALID_PARAMETER);
    const std::string bytes = size ? std::string(reinterpret_cast<const char*>(data), size) : std::string();
    return UpdateStore([&](Key& top, bool& dirty) {
        Key* k = KeyOf(top, *path);
        if (!k)
            return Result(ERROR_KEY_DELETED);
        Value* v = k->FindValue(name);
        if (!v) {
            k->values.push_back(Value{name, type, bytes});
            dirty = true;
        } else if (v->type != type || v->data != bytes) {
            v->type = type;
            v->data = bytes;
            dirty = true;
        }
        return Result(ERROR_SUCCESS);
    });
}

LONG RegQueryValueEx(HKEY key, LPCTSTR valueName, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD size)
{
    Key top;
    Key* k = nullptr;
    if (const LONG status = LoadKeyOf(key, top, k); status != Result(ERROR_SUCCESS))
        return status;
    const Value* v = k->FindValue(valueName ? valueName : "");
    if (!v)
        return Result(ERROR_FILE_NOT_FOUND);
    return CopyData(*v, type, data, size);
}

LONG RegDeleteValue(HKEY key, LPCTSTR valueName)
{
    std::optional<Path> path = PathOf(key);
    if (!path)
        return Result(ERROR_INVALID_HANDLE);
    const std::string name = valueName ? valueName : "";
    return UpdateStore([&](Key& top, bool& dirty) {
        Key* k = KeyOf(top, *path);
        if (!k)
            return Result(ERROR_KEY_DELETED);
        const Value* v = k->FindValue(name);
        if (!v)
            return Result(ERROR_FILE_NOT_FOUND);
        k->values.erase(k->values.begin() + (v - k->values.data()));
        dirty = true;
        return Result(ERROR_SUCCESS);
    });
}

// ==== enumeration ===================================================================================

LONG RegEnumKeyEx(HKEY key, DWORD index, LPTSTR name, LPDWORD nameSize, LPDWORD, LPTSTR keyClass,
                  LPDWORD classSize, FILETIME* lastWriteTime)
{
    Key top;
    Key* k = nullptr;
    if (const LONG status = LoadKeyOf(key, top, k); status != Result(ERROR_SUCCESS))
        return status;
    if (index >= k->subKeys.size())
        return Result(ERROR_NO_MORE_ITEMS);
    auto it = k->subKeys.begin();
    std::advance(it, index);
    if (keyClass && classSize && *classSize)
        *keyClass = '\0';
    if (classSize)
        *classSize = 0;
    if (lastWriteTime)
        *lastWriteTime = FILETIME{};
    return CopyName(it->second.name, name, nameSize);
}

LONG RegEnumValue(HKEY key, DWORD index, LPTSTR valueName, LPDWORD valueNameSize, LPDWORD, LPDWORD type,
                  LPBYTE data, LPDWORD dataSize)
{
    Key top;
    Key* k = nullptr;
    if (const LONG status = LoadKeyOf(key, top, k); status != Result(ERROR_SUCCESS))
        return status;
    if (index >= k->values.size())
        return Result(ERROR_NO_MORE_ITEMS);
    const Value& v = k->values[index];
    const LONG nameResult = CopyName(v.name, valueName, valueNameSize);
    if (nameResult != Result(ERROR_SUCCESS))
        return nameResult;
    return CopyData(v, type, data, dataSize);
}

LONG RegQueryInfoKey(HKEY key, LPTSTR keyClass, LPDWORD classSize, LPDWORD, LPDWORD subKeys,
                     LPDWORD maxSubKeyLength, LPDWORD maxClassLength, LPDWORD values,
                     LPDWORD maxValueNameLength, LPDWORD maxValueLength, LPDWORD securityDescriptor,
                     FILETIME* lastWriteTime)
{
    Key top;
    Key* k = nullptr;
    if (const LONG status = LoadKeyOf(key, top, k); status != Result(ERROR_SUCCESS))
        return status;
    DWORD longestKey = 0, longestName = 0, longestData = 0;
    for (const auto& [lower, sub] : k->subKeys)
        longestKey = std::max(longestKey, static_cast<DWORD>(sub.name.size()));
    for (const Value& v : k->values) {
        longestName = std::max(longestName, static_cast<DWORD>(v.name.size()));
        longestData = std::max(longestData, static_cast<DWORD>(v.data.size()));
    }
    if (keyClass && classSize && *classSize)
        *keyClass = '\0';
    if (classSize)
        *classSize = 0;
    if (subKeys)
        *subKeys = static_cast<DWORD>(k->subKeys.size());
    if (maxSubKeyLength)
        *maxSubKeyLength = longestKey;
    if (maxClassLength)
        *maxClassLength = 0;
    if (values)
        *values = static_cast<DWORD>(k->values.size());
    if (maxValueNameLength)
        *maxValueNameLength = longestName;
    if (maxValueLength)
        *maxValueLength = longestData;
    if (securityDescriptor)
        *securityDescriptor = 0;
    if (lastWriteTime)
        *lastWriteTime = FILETIME{};
    return Result(ERROR_SUCCESS);
}
