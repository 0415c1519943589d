// KTGF path members. Paths are native Linux paths: "/" separates folders and there is no drive
// part. A folder part keeps its trailing "/"; the root "/" is never taken apart.
#include "ktutil/KTGF.h"

#include "platform/core/ModulePath.h"

#include <cstring>
#include <string>
#include <string_view>

namespace {

constexpr char kSep = '/';
// Characters refused in a file name; a folder part refuses the same less the separator.
constexpr const char* kBadNameChars = "\\?|><:/*\"";
constexpr const char* kBadDirChars = "\\?|><:*\"";

std::string_view View(LPCTSTR text) { return text ? std::string_view(text) : std::string_view(); }

// Position just past the last separator (0 for a bare name).
std::size_t NameStart(std::string_view path)
{
    const std::size_t sep = path.rfind(kSep);
    return sep == std::string_view::npos ? 0 : sep + 1;
}

// Position of the extension's "." inside the file name, npos when it has none. A leading dot
// marks a hidden file, not an extension.
std::size_t ExtStart(std::string_view path)
{
    const std::size_t nameStart = NameStart(path);
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || dot <= nameStart)
        return std::string_view::npos;
    return dot;
}

} // namespace

// ---- taking paths apart ---------------------------------------------------------------------------

void KTGF::SplitPath(LPCTSTR path, CString* drive, CString* dir, CString* name, CString* ext)
{
    const std::string_view p = View(path);
    const std::size_t nameStart = NameStart(p);
    const std::size_t extStart = ExtStart(p);
    const std::size_t nameEnd = extStart == std::string_view::npos ? p.size() : extStart;
    if (drive)
        drive->Empty();
    if (dir)
        *dir = CString(p.substr(0, nameStart));
    if (name)
        *name = CString(p.substr(nameStart, nameEnd - nameStart));
    if (ext)
        *ext = CString(p.substr(nameEnd));
}

void KTGF::AddPathSep(CString& path)
{
    if (path.IsEmpty() || path[path.GetLength() - 1] != kSep)
        path += kSep;
}

void KTGF::DelPathSep(CString& path)
{
    const int length = path.GetLength();
    if (length > 1 && path[length - 1] == kSep)
        path.Truncate(length - 1);
}

CString KTGF::ExtractDrive(LPCTSTR) { return CString(kSep); }

CString KTGF::ExtractDir(LPCTSTR path)
{
    const std::string_view p = View(path);
    return CString(p.substr(0, NameStart(p)));
}

CString KTGF::ExtractName(LPCTSTR path, BOOL withExt)
{
    CString name;
    CString ext;
    SplitPath(path, nullptr, nullptr, &name, &ext);
    return withExt ? name + ext : name;
}

CString KTGF::ExtractExt(LPCTSTR path, BOOL withDot)
{
    CString ext;
    SplitPath(path, nullptr, nullptr, nullptr, &ext);
    if (!withDot && !ext.IsEmpty())
        ext = ext.Mid(1);
    return ext;
}

// ---- building paths -----------------------------------------------------------------------------

CString KTGF::MakePath(LPCTSTR folder, LPCTSTR name)
{
    CString path = IsEmpty(folder) ? GetModulePath() : CString(folder);
    if (!IsEmpty(name)) {
        AddPathSep(path);
        path += name;
    }
    return path;
}

CString KTGF::GetModulePath(HMODULE module)
{
    // Longer than the classic 260 bytes: Linux paths may be; a cut name is no name.
    char buffer[4096] = {};
    const DWORD length = GetModuleFileName(module, buffer, sizeof buffer);
    if (length == 0 || length >= sizeof buffer - 1)
        return CString();
    return ExtractDir(CString(buffer, static_cast<int>(length)));
}

CString KTGF::GetSystemDir() { return CString("/usr/lib/"); }

CString KTGF::GetSystemTempDir()
{
    CString dir = platform::GetTempFolder();
    AddPathSep(dir);
    return dir;
}

// ---- shortening for display ---------------------------------------------------------------------
//
// "/home/ward/data/records/a.fmf" shortened keeps its first folder ("/home"), then "/..." and
// as many trailing components as fit: "/home/.../records/a.fmf". A share path "//server/share"
// keeps server and share. When not even the first folder, "/.../" and the name fit, only the
// name is left; when the name alone is too long, the name (keepName) or nothing.

void KTGF::AbbreviatePath(CString& path, int maxLength, BOOL keepName)
{
    const std::string p = path.str();
    const std::size_t length = p.size();
    if (maxLength < 0)
        maxLength = 0;
    const auto max = static_cast<std::size_t>(maxLength);
    if (max >= length)
        return;
    const std::size_t nameStart = NameStart(p);
    const std::string name = p.substr(nameStart);
    if (max < name.size()) {
        path = keepName ? CString(name) : CString();
        return;
    }
    // The volume part: the root with one folder, or a share's server and share name.
    std::size_t scan = 0;
    if (length > 2 && p[0] == kSep && p[1] == kSep && p[2] != kSep) {
        const std::size_t server = p.find(kSep, 2);
        if (server != std::string::npos)
            scan = server;
    }
    if (nameStart > 1) {
        const std::size_t next = p.find(kSep, scan + 1);
        if (next != std::string::npos)
            scan = next;
    }
    const std::size_t volume = scan;
    if (max < volume + 5 + name.size()) {
        path = CString(name);
        return;
    }
    std::size_t rest = scan;
    while (volume + 4 + (length - rest) > max) {
        const std::size_t next = p.find(kSep, rest + 1);
        if (next == std::string::npos)
            break;
        rest = next;
    }
    path = CString(p.substr(0, volume) + "/..." + p.substr(rest));
}

void KTGF::AbbreviatePath(LPTSTR path, int maxLength, BOOL keepName)
{
    if (!path)
        return;
    CString text(path);
    AbbreviatePath(text, maxLength, keepName);
    // The result is never longer than the path it came from, so it fits the caller's buffer.
    std::memcpy(path, text.GetString(), static_cast<std::size_t>(text.GetLength()) + 1);
}

// ---- validity ------------------------------------------------------------------------------------

BOOL KTGF::IsValidFileName(LPCTSTR name)
{
    if (IsEmpty(name))
        return FALSE;
    return std::strpbrk(name, kBadNameChars) == nullptr;
}

BOOL KTGF::IsValidPathName(LPCTSTR path)
{
    if (IsEmpty(path))
        return FALSE;
    const std::string_view p = View(path);
    const std::size_t nameStart = NameStart(p);
    if (!IsValidFileName(std::string(p.substr(nameStart)).c_str()))
        return FALSE;
    return p.substr(0, nameStart).find_first_of(kBadDirChars) == std::string_view::npos;
}

int KTGF::GetValidPathName(CString& path)
{
    if (IsValidPathName(path))
        return 0;
    for (const char* c = kBadDirChars; *c; ++c)
        path.Remove(*c);
    return 1;
}
