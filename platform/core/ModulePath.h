// Where the program, its libraries and the user's folders are.
//
// The program folder is the folder of the running executable; the ini file, the template
// database and language modules sit there. A shared library finds its own folder from an
// address inside it. An HMODULE is a handle returned by dlopen; null stands for the program.
#pragma once

#include "platform/core/CString.h"
#include "platform/core/Types.h"

// Full path of the module's file, truncated to `size` - 1 bytes and terminated (the classic
// rule); returns the length written, 0 on failure.
DWORD GetModuleFileName(HMODULE module, LPTSTR fileName, DWORD size);
// The temporary folder with a trailing "/"; returns the length (or the size needed, counting
// the terminator, when the buffer is too small).
DWORD GetTempPath(DWORD size, LPTSTR buffer);

namespace platform {

// Full path of the running executable, and its folder (no trailing "/").
CString GetProgramPath();
CString GetProgramFolder();
// Full path of the shared library (or program) that holds `address`, and its folder.
CString GetModulePathOf(const void* address);
CString GetModuleFolderOf(const void* address);
// $HOME, else the password database's entry; never empty ("/" at worst).
CString GetHomeFolder();
// $TMPDIR, else "/tmp" (no trailing "/").
CString GetTempFolder();
// $XDG_CONFIG_HOME, else <home>/.config.
CString GetConfigFolder();

} // namespace platform
