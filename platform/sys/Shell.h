// Opening documents and starting programs the way the shell's "open" verb did.
//
// A program (an executable file, or a bare name found on PATH) is started directly with the
// parameters split like a command line ("double quotes" group words). Anything else (a
// document, a folder, a URL) goes to xdg-open, which hands it to the desktop's application
// for its type; so does a file with an execute bit that the system cannot run (a document
// copied from a memory stick). Nothing waits for the started program; it is reaped when it
// ends.
//
// The result is the classic one: a value above 32 on success, otherwise one of the codes
// below (2 not found, 3 path not found, 5 access denied, 8 out of memory, 11 not a program,
// 31 no application for it, which includes a system without xdg-open).
#pragma once

#include "platform/core/Types.h"

constexpr int SE_ERR_FNF = 2;
constexpr int SE_ERR_PNF = 3;
constexpr int SE_ERR_ACCESSDENIED = 5;
constexpr int SE_ERR_OOM = 8;
constexpr int SE_ERR_BADFORMAT = 11;
constexpr int SE_ERR_NOASSOC = 31;

// `operation` null or "open"; `directory` the started program's working folder (null: the
// current one); `owner` and `showCommand` are accepted for the callers' sake and not used.
HINSTANCE ShellExecute(HWND owner, LPCSTR operation, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                       INT showCommand);

namespace platform {
// The result of ShellExecute as a number.
inline int ShellResultCode(HINSTANCE result) { return static_cast<int>(reinterpret_cast<INT_PTR>(result)); }
} // namespace platform
