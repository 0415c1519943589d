// Integer, handle and result types shared by the whole layer and by the system's code.
// Sizes that the system calls 32-bit are fixed-width; message parameters and item data are
// pointer-sized.
#pragma once

#include <cstddef>
#include <cstdint>

using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using INT = int;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using SHORT = std::int16_t;
using USHORT = std::uint16_t;
using LONGLONG = std::int64_t;
using ULONGLONG = std::uint64_t;
using UINT_PTR = std::uintptr_t;
using INT_PTR = std::intptr_t;
using DWORD_PTR = std::uintptr_t;
using LONG_PTR = std::intptr_t;
using ULONG_PTR = std::uintptr_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using HRESULT = std::int32_t;
using COLORREF = std::uint32_t;
using TCHAR = char;
using LPSTR = char*;
using LPCSTR = const char*;
using LPTSTR = char*;
using LPCTSTR = const char*;
using LPVOID = void*;
using LPCVOID = const void*;
using LPBYTE = BYTE*;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

// Opaque handles. A handle is a pointer-sized token, never a pointer the caller may follow:
// windows are ids from a handle table with a generation count, so a stale one is reliably invalid.
#define WARD_DECLARE_HANDLE(name) \
    struct name##__;              \
    using name = name##__*
WARD_DECLARE_HANDLE(HWND);
WARD_DECLARE_HANDLE(HDC);
WARD_DECLARE_HANDLE(HGDIOBJ);
WARD_DECLARE_HANDLE(HPEN);
WARD_DECLARE_HANDLE(HBRUSH);
WARD_DECLARE_HANDLE(HFONT);
WARD_DECLARE_HANDLE(HBITMAP);
WARD_DECLARE_HANDLE(HRGN);
WARD_DECLARE_HANDLE(HPALETTE);
WARD_DECLARE_HANDLE(HICON);
WARD_DECLARE_HANDLE(HMENU);
WARD_DECLARE_HANDLE(HINSTANCE);
WARD_DECLARE_HANDLE(HIMAGELIST);
WARD_DECLARE_HANDLE(HMONITOR);
WARD_DECLARE_HANDLE(HTREEITEM);
#undef WARD_DECLARE_HANDLE
using HCURSOR = HICON;
using HMODULE = HINSTANCE;
using HANDLE = void*;
using LPINT = int*;
using LPDWORD = DWORD*;
inline HANDLE const INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1));

constexpr WORD MAKEWORD(BYTE lo, BYTE hi) { return static_cast<WORD>(lo | (static_cast<WORD>(hi) << 8)); }
constexpr LONG MAKELONG(WORD lo, WORD hi) { return static_cast<LONG>(lo | (static_cast<DWORD>(hi) << 16)); }
constexpr WORD LOWORD(std::uintptr_t v) { return static_cast<WORD>(v & 0xFFFF); }
constexpr WORD HIWORD(std::uintptr_t v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
constexpr BYTE LOBYTE(std::uintptr_t v) { return static_cast<BYTE>(v & 0xFF); }
constexpr BYTE HIBYTE(std::uintptr_t v) { return static_cast<BYTE>((v >> 8) & 0xFF); }
constexpr LPARAM MAKELPARAM(WORD lo, WORD hi) { return static_cast<LPARAM>(MAKELONG(lo, hi)); }
constexpr WPARAM MAKEWPARAM(WORD lo, WORD hi) { return static_cast<WPARAM>(static_cast<DWORD>(MAKELONG(lo, hi))); }
constexpr int GET_X_LPARAM(LPARAM lp) { return static_cast<SHORT>(LOWORD(static_cast<std::uintptr_t>(lp))); }
constexpr int GET_Y_LPARAM(LPARAM lp) { return static_cast<SHORT>(HIWORD(static_cast<std::uintptr_t>(lp))); }

// Colours are 0x00BBGGRR.
constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b)
{
    return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) | (static_cast<COLORREF>(b) << 16);
}
constexpr BYTE GetRValue(COLORREF c) { return static_cast<BYTE>(c & 0xFF); }
constexpr BYTE GetGValue(COLORREF c) { return static_cast<BYTE>((c >> 8) & 0xFF); }
constexpr BYTE GetBValue(COLORREF c) { return static_cast<BYTE>((c >> 16) & 0xFF); }

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
constexpr bool FAILED(HRESULT hr) { return hr < 0; }

constexpr int MAX_PATH = 260;

// A broken-down date and time (date-time pickers, time conversions).
struct SYSTEMTIME
{
    WORD wYear { 0 };
    WORD wMonth { 0 };
    WORD wDayOfWeek { 0 };
    WORD wDay { 0 };
    WORD wHour { 0 };
    WORD wMinute { 0 };
    WORD wSecond { 0 };
    WORD wMilliseconds { 0 };
};
using LPSYSTEMTIME = SYSTEMTIME*;

// System error numbers the layer reports through GetLastError.
constexpr DWORD ERROR_SUCCESS = 0;
constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
constexpr DWORD ERROR_PATH_NOT_FOUND = 3;
constexpr DWORD ERROR_ACCESS_DENIED = 5;
constexpr DWORD ERROR_INVALID_HANDLE = 6;
constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr DWORD ERROR_SHARING_VIOLATION = 32;
constexpr DWORD ERROR_HANDLE_EOF = 38;
constexpr DWORD ERROR_FILE_EXISTS = 80;
constexpr DWORD ERROR_INVALID_PARAMETER = 87;
constexpr DWORD ERROR_DISK_FULL = 112;
constexpr DWORD ERROR_DIR_NOT_EMPTY = 145;
constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
constexpr DWORD ERROR_ALREADY_EXISTS = 183;
constexpr DWORD ERROR_MORE_DATA = 234;
constexpr DWORD ERROR_NO_MORE_ITEMS = 259;
constexpr DWORD ERROR_IO_PENDING = 997;
constexpr DWORD ERROR_TIMEOUT = 1460;
constexpr DWORD ERROR_BADKEY = 1010;
constexpr DWORD ERROR_KEY_DELETED = 1018;
constexpr DWORD ERROR_CLASS_ALREADY_EXISTS = 1410;

DWORD GetLastError();
void SetLastError(DWORD error);
// The errno of a failed libc call as a classic error number.
DWORD ErrorFromErrno(int err);
