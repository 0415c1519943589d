// Program, module and user folders from /proc, dladdr and the environment.
#include "platform/core/ModulePath.h"

#include <dlfcn.h>
#include <link.h>
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

CString FolderOf(const CString& path)
{
    const int slash = path.ReverseFind('/');
    if (slash < 0)
        return CString();
    return slash == 0 ? CString("/") : path.Left(slash);
}

CString CanonicalPath(const char* path)
{
    char resolved[PATH_MAX];
    return realpath(path, resolved) ? CString(resolved) : CString(path);
}

DWORD CopyOut(const CString& text, LPTSTR buffer, DWORD size)
{
    if (!buffer || size == 0)
        return 0;
    const DWORD n = std::min<DWORD>(static_cast<DWORD>(text.GetLength()), size - 1);
    std::memcpy(buffer, text.GetString(), n);
    buffer[n] = '\0';
    return n;
}

} // namespace

namespace platform {

CString GetProgramPath()
{
    std::vector<char> buffer(PATH_MAX);
    for (;;) {
        const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0)
            return CString();
        if (static_cast<size_t>(n) < buffer.size())
            return CString(buffer.data(), static_cast<int>(n));
        buffer.resize(buffer.size() * 2);
    }
}

CString GetProgramFolder()
{
    return FolderOf(GetProgramPath());
}

CString GetModulePathOf(const void* address)
{
    Dl_info info{};
    if (!address || !dladdr(address, &info) || !info.dli_fname || !*info.dli_fname)
        return GetProgramPath();
    // The program itself may be reported under the name it was started with, which need not
    // be a path from here: /proc knows better.
    char resolved[PATH_MAX];
    if (!std::strchr(info.dli_fname, '/') || !realpath(info.dli_fname, resolved))
        return GetProgramPath();
    return CString(resolved);
}

CString GetModuleFolderOf(const void* address)
{
    return FolderOf(GetModulePathOf(address));
}

CString GetHomeFolder()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return CString(home);
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir && *pw->pw_dir)
        return CString(pw->pw_dir);
    return CString("/");
}

CString GetTempFolder()
{
    CString folder = "/tmp";
    if (const char* tmp = std::getenv("TMPDIR"); tmp && *tmp)
        folder = tmp;
    while (folder.GetLength() > 1 && folder.Right(1) == "/")
        folder.Truncate(folder.GetLength() - 1);
    return folder;
}

CString GetConfigFolder()
{
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config == '/')
        return CString(config);
    CString home = GetHomeFolder();
    return home == "/" ? CString("/.config") : home + "/.config";
}

} // namespace platform

DWORD GetModuleFileName(HMODULE module, LPTSTR fileName, DWORD size)
{
    CString path;
    if (!module) {
        path = platform::GetProgramPath();
    } else {
        link_map* map = nullptr;
        if (dlinfo(module, RTLD_DI_LINKMAP, &map) != 0 || !map || !map->l_name)
            return SetLastError(ERROR_INVALID_HANDLE), 0;
        path = *map->l_name ? CanonicalPath(map->l_name) : platform::GetProgramPath();
    }
    if (path.IsEmpty())
        return SetLastError(ERROR_FILE_NOT_FOUND), 0;
    const DWORD n = CopyOut(path, fileName, size);
    SetLastError(n < static_cast<DWORD>(path.GetLength()) ? ERROR_INSUFFICIENT_BUFFER : ERROR_SUCCESS);
    return n;
}

DWORD GetTempPath(DWORD size, LPTSTR buffer)
{
    CString folder = platform::GetTempFolder();
    if (folder != "/")
        folder += '/';
    const DWORD needed = static_cast<DWORD>(folder.GetLength()) + 1;
    if (!buffer || size < needed)
        return needed;
    return CopyOut(folder, buffer, size);
}
