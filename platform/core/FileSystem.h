// File-system primitives with the classic meaning the system's code relies on, over POSIX.
//
// Paths are native ("/" separates folders, names are case-sensitive). A classic path that starts
// at a drive root ("C:\Data") is taken relative to the user's home folder: see NativePath.
//
// Attributes: a file or folder without write permission for its owner is read-only; a name that
// starts with "." is hidden; folders carry FILE_ATTRIBUTE_DIRECTORY, plain files
// FILE_ATTRIBUTE_ARCHIVE. Only the read-only attribute can be changed.
//
// Every function sets the thread's last error (GetLastError) on failure.
#pragma once

#include "platform/core/CString.h"
#include "platform/core/Time.h"
#include "platform/core/Types.h"

#include <functional>
#include <optional>

constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x00000001;
constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x00000002;
constexpr DWORD FILE_ATTRIBUTE_SYSTEM = 0x00000004;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x00000010;
constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x00000020;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x00000080;
constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;

// 100-nanosecond intervals since 1601-01-01 UTC.
struct FILETIME
{
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};

union ULARGE_INTEGER {
    struct
    {
        DWORD LowPart;
        DWORD HighPart;
    };
    ULONGLONG QuadPart;
};

// INVALID_FILE_ATTRIBUTES when the path does not exist.
DWORD GetFileAttributes(LPCTSTR path);
// Sets or clears read-only (the owner's, group's and others' write permission as the umask
// allows); the other bits are accepted and ignored.
BOOL SetFileAttributes(LPCTSTR path, DWORD attributes);

// Fails with ERROR_ALREADY_EXISTS for an existing entry and ERROR_PATH_NOT_FOUND when the parent
// folder is missing.
BOOL CreateDirectory(LPCTSTR path, void* securityAttributes = nullptr);
// Only an empty folder can be removed.
BOOL RemoveDirectory(LPCTSTR path);
// A read-only file is not deleted (ERROR_ACCESS_DENIED), nor is a folder.
BOOL DeleteFile(LPCTSTR path);
// Moves or renames a file or folder. Never replaces an existing target (ERROR_ALREADY_EXISTS):
// the check and the rename are one step where the file system allows it. A file moves across
// file systems by copy and delete.
BOOL MoveFile(LPCTSTR existing, LPCTSTR target);
// Copies contents, times and the read-only attribute. The copy is written beside the target
// and renamed into place, so the target is either the old file or the whole copy. With
// failIfExists an existing target is kept (ERROR_FILE_EXISTS); a read-only target is never
// overwritten (ERROR_ACCESS_DENIED).
BOOL CopyFile(LPCTSTR existing, LPCTSTR target, BOOL failIfExists);

// Space of the file system that holds the path, or its nearest existing parent folder (a null
// path means the home folder). Any output may be null.
BOOL GetDiskFreeSpaceEx(LPCTSTR path, ULARGE_INTEGER* freeBytesAvailableToCaller, ULARGE_INTEGER* totalBytes,
                        ULARGE_INTEGER* totalFreeBytes);
// The cluster form: a cluster is the file system's fragment size, a sector 512 bytes where it
// divides evenly. Cluster counts above 32 bits are capped at 0xFFFFFFFF.
BOOL GetDiskFreeSpace(LPCTSTR path, DWORD* sectorsPerCluster, DWORD* bytesPerSector, DWORD* freeClusters,
                      DWORD* totalClusters);

namespace platform {

// The test seam of GetDiskFreeSpaceEx: a probe answers for the paths it knows (its free bytes
// are both the caller's and the file system's free space) and lets the others through to the
// file system with nullopt. Tests of low-disk handling fill a disk this way; null removes it.
struct DiskSpace
{
    ULONGLONG freeBytes { 0 };
    ULONGLONG totalBytes { 0 };
};
using DiskSpaceProbe = std::function<std::optional<DiskSpace>(const char* path)>;
void SetDiskSpaceProbe(DiskSpaceProbe probe);

} // namespace platform

namespace platform {

// "C:\Data\x.ini" -> "<home>/Data/x.ini" (any drive letter; backslashes become "/");
// every other path is returned unchanged.
CString NativePath(const char* path);

// Status of a path (a symbolic link is followed; a dangling one reports the link itself).
// False when the path does not exist.
struct FileInfo
{
    bool isDirectory{false};
    ULONGLONG size{0};
    CTime creationTime; // birth time where the file system records it, else the last write
    CTime lastAccessTime;
    CTime lastWriteTime;
    DWORD attributes{0};
};
bool GetFileInfo(const char* path, FileInfo& info);
// The same for `name` inside the open folder `folderFd`.
bool GetFileInfoAt(int folderFd, const char* name, FileInfo& info);

// Sets the last access and last write times; a null time is left as it is.
bool SetFileTimes(const char* path, const CTime* lastAccess, const CTime* lastWrite);

// Classic wildcard match of one name: '*' any run, '?' one character (a UTF-8 sequence counts
// once); "*.*" matches every name, with or without a dot, and "name.*" matches "name" too.
// Case-sensitive, like the file names.
bool MatchesWildcard(const char* name, const char* pattern);

// Renames `from` to `to` unless `to` exists (EEXIST otherwise); errno is set on failure.
bool RenameNoReplace(const char* from, const char* to);

} // namespace platform
