// The registry functions over one store file per user: $XDG_CONFIG_HOME/ward-stations/registry.ini
// (~/.config/... when the variable is not set).
//
// Keys form a tree under the roots (HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, ...; each root is its
// own tree in the same file). Key and value names are matched without regard to ASCII case and
// keep the case they were created with; "\" separates the levels of a sub-key path. Sub-keys
// enumerate in name order, values in the order they were first set. Values are typed byte
// strings (REG_SZ, REG_DWORD, REG_BINARY ...), returned exactly as they were stored.
//
// Every change rewrites the file atomically under a lock (see AtomicFile.h), so two programs can
// use the store at once; every read sees the file as it is now. Results are the classic error
// numbers: ERROR_SUCCESS, ERROR_FILE_NOT_FOUND (no such key or value), ERROR_MORE_DATA (buffer
// too small; the size needed is returned), ERROR_NO_MORE_ITEMS (enumeration ended),
// ERROR_INVALID_HANDLE, ERROR_INVALID_PARAMETER, ERROR_ACCESS_DENIED (a key with sub-keys cannot
// be deleted; the store cannot be written), ERROR_KEY_DELETED (the key of an open handle is gone).
#pragma once

#include "platform/core/FileSystem.h"
#include "platform/core/Types.h"

struct HKEY__;
using HKEY = HKEY__*;
using PHKEY = HKEY*;
using REGSAM = DWORD;

inline HKEY const HKEY_CLASSES_ROOT = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000000u));
inline HKEY const HKEY_CURRENT_USER = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000001u));
inline HKEY const HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000002u));
inline HKEY const HKEY_USERS = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000003u));

constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_EXPAND_SZ = 2;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;
constexpr DWORD REG_MULTI_SZ = 7;
constexpr DWORD REG_QWORD = 11;

constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_SET_VALUE = 0x0002;
constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
constexpr REGSAM KEY_READ = 0x20019;
constexpr REGSAM KEY_WRITE = 0x20006;
constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// Access rights are accepted and not enforced: the store belongs to the user.
LONG RegOpenKeyEx(HKEY key, LPCTSTR subKey, DWORD options, REGSAM access, PHKEY result);
LONG RegCreateKeyEx(HKEY key, LPCTSTR subKey, DWORD reserved, LPTSTR keyClass, DWORD options, REGSAM access,
                    void* securityAttributes, PHKEY result, LPDWORD disposition);
LONG RegOpenKey(HKEY key, LPCTSTR subKey, PHKEY result);
LONG RegCreateKey(HKEY key, LPCTSTR subKey, PHKEY result);
LONG RegCloseKey(HKEY key);

// A null or empty name is the key's unnamed (default) value.
LONG RegSetValueEx(HKEY key, LPCTSTR valueName, DWORD reserved, DWORD type, const BYTE* data, DWORD size);
// With a null `data`, only the type and the size needed are returned.
LONG RegQueryValueEx(HKEY key, LPCTSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size);
LONG RegDeleteValue(HKEY key, LPCTSTR valueName);
// Deletes a key that has no sub-keys (ERROR_ACCESS_DENIED otherwise).
LONG RegDeleteKey(HKEY key, LPCTSTR subKey);

// `nameSize` is the buffer size in bytes on entry and the name's length (without the
// terminator) on success.
LONG RegEnumKeyEx(HKEY key, DWORD index, LPTSTR name, LPDWORD nameSize, LPDWORD reserved, LPTSTR keyClass,
                  LPDWORD classSize, FILETIME* lastWriteTime);
LONG RegEnumValue(HKEY key, DWORD index, LPTSTR valueName, LPDWORD valueNameSize, LPDWORD reserved,
                  LPDWORD type, LPBYTE data, LPDWORD dataSize);
// Counts and longest lengths of the key's sub-keys and values; any output may be null.
LONG RegQueryInfoKey(HKEY key, LPTSTR keyClass, LPDWORD classSize, LPDWORD reserved, LPDWORD subKeys,
                     LPDWORD maxSubKeyLength, LPDWORD maxClassLength, LPDWORD values,
                     LPDWORD maxValueNameLength, LPDWORD maxValueLength, LPDWORD securityDescriptor,
                     FILETIME* lastWriteTime);

namespace platform {
// The store file the functions above use now (it follows the environment).
CString RegistryStorePath();
} // namespace platform
