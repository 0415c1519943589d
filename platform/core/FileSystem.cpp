// File-system primitives over POSIX calls. Each failure leaves a classic error number in the
// thread's last error.
#include "platform/core/FileSystem.h"

#include "platform/core/ModulePath.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cctype>
#include <mutex>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

BOOL Fail(DWORD error)
{
    SetLastError(error);
    return FALSE;
}

BOOL FailErrno()
{
    return Fail(ErrorFromErrno(errno));
}

BOOL Succeed()
{
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

// The last component of a path, without trailing slashes.
std::string BaseName(const char* path)
{
    std::string p(path);
    while (p.size() > 1 && p.back() == '/')
        p.pop_back();
    const size_t slash = p.rfind('/');
    return slash == std::string::npos ? p : p.substr(slash + 1);
}

// The folder part of a path ("." when there is none).
std::string FolderName(const std::string& path)
{
    std::string p(path);
    while (p.size() > 1 && p.back() == '/')
        p.pop_back();
    const size_t slash = p.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : p.substr(0, slash);
}

bool IsReadOnlyMode(mode_t mode)
{
    return (mode & S_IWUSR) == 0;
}

void InfoFromStatx(const struct statx& st, const std::string& name, platform::FileInfo& info)
{
    info.isDirectory = S_ISDIR(st.stx_mode);
    info.size = info.isDirectory ? 0 : st.stx_size;
    info.lastAccessTime = CTime(static_cast<time_t>(st.stx_atime.tv_sec));
    info.lastWriteTime = CTime(static_cast<time_t>(st.stx_mtime.tv_sec));
    info.creationTime =
        (st.stx_mask & STATX_BTIME) ? CTime(static_cast<time_t>(st.stx_btime.tv_sec)) : info.lastWriteTime;
    info.attributes = info.isDirectory ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    if (IsReadOnlyMode(st.stx_mode))
        info.attributes |= FILE_ATTRIBUTE_READONLY;
    if (name.size() > 1 && name[0] == '.' && name != "..")
        info.attributes |= FILE_ATTRIBUTE_HIDDEN;
}

// Copies the bytes of one open file into another; false with errno set on failure.
bool CopyContents(int from, int to)
{
    std::string buffer(64 * 1024, '\0');
    for (;;) {
        const ssize_t n = read(from, buffer.data(), buffer.size());
        if (n == 0)
            return true;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = write(to, buffer.data() + done, static_cast<size_t>(n - done));
            if (w < 0) {
                if (errno == EINTR)
                    continue;
                return false;
            }
            done += w;
        }
    }
}

// The nearest existing folder at or above `path` that statvfs can read.
bool StatNearest(std::string path, struct statvfs& out)
{
    for (int guard = 0; guard < 4096; ++guard) {
        if (statvfs(path.c_str(), &out) == 0)
            return true;
        if (errno != ENOENT && errno != ENOTDIR)
            return false;
        if (path == "/" || path == ".")
            return false;
        path = FolderName(path);
    }
    return false;
}

} // namespace

// ==== attributes ============================================================================

namespace platform {

bool GetFileInfoAt(int folderFd, const char* name, FileInfo& info)
{
    if (!name || !*name)
        return errno = ENOENT, false;
    struct statx st
    {
    };
    if (statx(folderFd, name, 0, STATX_BASIC_STATS | STATX_BTIME, &st) != 0 &&
        statx(folderFd, name, AT_SYMLINK_NOFOLLOW, STATX_BASIC_STATS | STATX_BTIME, &st) != 0)
        return false;
    info = FileInfo{};
    InfoFromStatx(st, BaseName(name), info);
    return true;
}

bool GetFileInfo(const char* path, FileInfo& info)
{
    return GetFileInfoAt(AT_FDCWD, path, info);
}

bool SetFileTimes(const char* path, const CTime* lastAccess, const CTime* lastWrite)
{
    struct timespec times[2];
    times[0].tv_sec = lastAccess ? lastAccess->GetTime() : 0;
    times[0].tv_nsec = lastAccess ? 0 : UTIME_OMIT;
    times[1].tv_sec = lastWrite ? lastWrite->GetTime() : 0;
    times[1].tv_nsec = lastWrite ? 0 : UTIME_OMIT;
    if (!path || utimensat(AT_FDCWD, path, times, 0) != 0) {
        SetLastError(path ? ErrorFromErrno(errno) : ERROR_INVALID_PARAMETER);
        return false;
    }
    return true;
}

CString NativePath(const char* path)
{
    if (!path)
        return CString();
    const bool driveRoot = std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
                           (path[2] == '\\' || path[2] == '/' || path[2] == '\0');
    if (!driveRoot)
        return CString(path);
    const char* rest = path + 2;
    while (*rest == '\\' || *rest == '/')
        ++rest;
    CString native = GetHomeFolder();
    if (*rest) {
        if (native.Right(1) != "/")
            native += '/';
        native += rest;
        native.Replace('\\', '/');
    }
    return native;
}

// ---- wildcards -------------------------------------------------------------------------------

namespace {

// Length of the UTF-8 sequence that starts at `p` (1 for a stray byte).
size_t CharLength(const char* p)
{
    size_t n = 1;
    while (p[n] && (static_cast<unsigned char>(p[n]) & 0xC0) == 0x80)
        ++n;
    return n;
}

bool Glob(const char* name, const char* pattern)
{
    const char* star = nullptr;   // last '*' seen in the pattern
    const char* resume = nullptr; // where the name continues after that star's match
    while (*name) {
        if (*pattern == '*') {
            star = pattern++;
            resume = name;
        } else if (*pattern == '?') {
            ++pattern;
            name += CharLength(name);
        } else if (*pattern && *pattern == *name) {
            ++pattern;
            ++name;
        } else if (star) {
            pattern = star + 1;
            resume += CharLength(resume);
            name = resume;
        } else {
            return false;
        }
    }
    while (*pattern == '*')
        ++pattern;
    return *pattern == '\0';
}

} // namespace

bool MatchesWildcard(const char* name, const char* pattern)
{
    if (!name || !pattern)
        return false;
    if (Glob(name, pattern))
        return true;
    const size_t len = std::strlen(pattern);
    // "name.*" also matches "name" (so "*.*" matches everything); "name." matches a name
    // without any dot.
    if (len >= 2 && pattern[len - 2] == '.' && pattern[len - 1] == '*')
        return Glob(name, std::string(pattern, len - 2).c_str());
    if (len >= 1 && pattern[len - 1] == '.' && !std::strchr(name, '.'))
        return Glob(name, std::string(pattern, len - 1).c_str());
    return false;
}

// ---- rename without replacing ----------------------------------------------------------------

bool RenameNoReplace(const char* from, const char* to)
{
    if (renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        return false;
    // The file system cannot do it in one step: a hard link fails on an existing target.
    struct stat st
    {
    };
    if (lstat(from, &st) != 0)
        return false;
    if (!S_ISDIR(st.st_mode)) {
        if (link(from, to) == 0) {
            if (unlink(from) == 0)
                return true;
            const int err = errno;
            unlink(to);
            errno = err;
            return false;
        }
        if (errno != EPERM && errno != EOPNOTSUPP)
            return false;
    }
    // Last resort (folders, or file systems without hard links): check, then rename.
    if (lstat(to, &st) == 0) {
        errno = EEXIST;
        return false;
    }
    return rename(from, to) == 0;
}

} // namespace platform

DWORD GetFileAttributes(LPCTSTR path)
{
    platform::FileInfo info;
    if (!path || !platform::GetFileInfo(path, info)) {
        SetLastError(path ? ErrorFromErrno(errno) : ERROR_INVALID_PARAMETER);
        return INVALID_FILE_ATTRIBUTES;
    }
    SetLastError(ERROR_SUCCESS);
    return info.attributes;
}

BOOL SetFileAttributes(LPCTSTR path, DWORD attributes)
{
    struct stat st
    {
    };
    if (!path)
        return Fail(ERROR_INVALID_PARAMETER);
    if (stat(path, &st) != 0)
        return FailErrno();
    mode_t mode = st.st_mode & 07777;
    if (attributes & FILE_ATTRIBUTE_READONLY)
        mode &= ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH);
    else
        mode |= S_IWUSR;
    if (mode != (st.st_mode & 07777) && chmod(path, mode) != 0)
        return FailErrno();
    return Succeed();
}

// ==== folders and files ==========================================================================

BOOL CreateDirectory(LPCTSTR path, void*)
{
    if (!path || !*path)
        return Fail(ERROR_PATH_NOT_FOUND);
    if (mkdir(path, 0777) != 0)
        return Fail(errno == ENOENT ? ERROR_PATH_NOT_FOUND : ErrorFromErrno(errno));
    return Succeed();
}

BOOL RemoveDirectory(LPCTSTR path)
{
    if (!path || !*path)
        return Fail(ERROR_PATH_NOT_FOUND);
    if (rmdir(path) != 0)
        return Fail(errno == ENOTEMPTY || errno == EEXIST ? ERROR_DIR_NOT_EMPTY : ErrorFromErrno(errno));
    return Succeed();
}

BOOL DeleteFile(LPCTSTR path)
{
    struct stat st
    {
    };
    if (!path || !*path)
        return Fail(ERROR_FILE_NOT_FOUND);
    if (lstat(path, &st) != 0)
        return FailErrno();
    if (S_ISDIR(st.st_mode) || (S_ISREG(st.st_mode) && IsReadOnlyMode(st.st_mode)))
        return Fail(ERROR_ACCESS_DENIED);
    if (unlink(path) != 0)
        return FailErrno();
    return Succeed();
}

BOOL MoveFile(LPCTSTR existing, LPCTSTR target)
{
    if (!existing || !target || !*existing || !*target)
        return Fail(ERROR_INVALID_PARAMETER);
    if (platform::RenameNoReplace(existing, target))
        return Succeed();
    if (errno != EXDEV)
        return FailErrno();
    // Another file system: a file is copied and the original deleted; a folder cannot move.
    struct stat st
    {
    };
    if (lstat(existing, &st) != 0)
        return FailErrno();
    if (!S_ISREG(st.st_mode))
        return Fail(ERROR_ACCESS_DENIED);
    if (!CopyFile(existing, target, TRUE))
        return FALSE;
    if (unlink(existing) != 0) {
        const DWORD error = ErrorFromErrno(errno);
        unlink(target); // keep one file, not two
        return Fail(error);
    }
    return Succeed();
}

BOOL CopyFile(LPCTSTR existing, LPCTSTR target, BOOL failIfExists)
{
    if (!existing || !target || !*existing || !*target)
        return Fail(ERROR_INVALID_PARAMETER);
    const int from = open(existing, O_RDONLY | O_CLOEXEC);
    if (from < 0)
        return FailErrno();
    struct stat src
    {
    };
    if (fstat(from, &src) != 0 || S_ISDIR(src.st_mode)) {
        close(from);
        return Fail(ERROR_ACCESS_DENIED);
    }
    struct stat dst
    {
    };
    if (stat(target, &dst) == 0) {
        DWORD error = ERROR_SUCCESS;
        if (failIfExists)
            error = ERROR_FILE_EXISTS;
        else if (S_ISDIR(dst.st_mode) || IsReadOnlyMode(dst.st_mode))
            error = ERROR_ACCESS_DENIED;
        if (error != ERROR_SUCCESS) {
            close(from);
            return Fail(error);
        }
    }

    // Write beside the target, then rename into place.
    std::string temp = FolderName(target) + "/." + BaseName(target) + ".copy-XXXXXX";
    const int to = mkostemp(temp.data(), O_CLOEXEC);
    if (to < 0) {
        const DWORD error = errno == ENOENT ? ERROR_PATH_NOT_FOUND : ErrorFromErrno(errno);
        close(from);
        return Fail(error);
    }
    bool ok = CopyContents(from, to);
    int err = errno;
    if (ok) {
        const struct timespec times[2] = {src.st_atim, src.st_mtim};
        fchmod(to, src.st_mode & 07777);
        futimens(to, times);
    }
    close(from);
    if (close(to) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (ok) {
        ok = failIfExists ? platform::RenameNoReplace(temp.c_str(), target)
                          : rename(temp.c_str(), target) == 0;
        err = errno;
    }
    if (!ok) {
        unlink(temp.c_str());
        return Fail(err == EEXIST ? ERROR_FILE_EXISTS : ErrorFromErrno(err));
    }
    return Succeed();
}

// ==== disk space =================================================================================

namespace {

// Guards the probe (a leaf lock); the probe is called with a copy, outside it.
std::mutex s_diskProbeLock;
platform::DiskSpaceProbe s_diskProbe;

std::optional<platform::DiskSpace> AskDiskProbe(const std::string& path)
{
    platform::DiskSpaceProbe probe;
    {
        std::lock_guard lock(s_diskProbeLock);
        probe = s_diskProbe;
    }
    return probe ? probe(path.c_str()) : std::nullopt;
}

} // namespace

void platform::SetDiskSpaceProbe(DiskSpaceProbe probe)
{
    std::lock_guard lock(s_diskProbeLock);
    s_diskProbe = std::move(probe);
}

BOOL GetDiskFreeSpaceEx(LPCTSTR path, ULARGE_INTEGER* freeBytesAvailableToCaller, ULARGE_INTEGER* totalBytes,
                        ULARGE_INTEGER* totalFreeBytes)
{
    if (const auto probed = AskDiskProbe(path && *path ? std::string(path) : platform::GetHomeFolder().str())) {
        if (freeBytesAvailableToCaller)
            freeBytesAvailableToCaller->QuadPart = probed->freeBytes;
        if (totalBytes)
            totalBytes->QuadPart = probed->totalBytes;
        if (totalFreeBytes)
            totalFreeBytes->QuadPart = probed->freeBytes;
        return Succeed();
    }
    struct statvfs vfs
    {
    };
    const std::string start = path && *path ? std::string(path) : platform::GetHomeFolder().str();
    if (!StatNearest(start, vfs))
        return FailErrno();
    const ULONGLONG unit = vfs.f_frsize ? vfs.f_frsize : vfs.f_bsize;
    if (freeBytesAvailableToCaller)
        freeBytesAvailableToCaller->QuadPart = static_cast<ULONGLONG>(vfs.f_bavail) * unit;
    if (totalBytes)
        totalBytes->QuadPart = static_cast<ULONGLONG>(vfs.f_blocks) * unit;
    if (totalFreeBytes)
        totalFreeBytes->QuadPart = static_cast<ULONGLONG>(vfs.f_bfree) * unit;
    return Succeed();
}

BOOL GetDiskFreeSpace(LPCTSTR path, DWORD* sectorsPerCluster, DWORD* bytesPerSector, DWORD* freeClusters,
                      DWORD* totalClusters)
{
    struct statvfs vfs
    {
    };
    const std::string start = path && *path ? std::string(path) : platform::GetHomeFolder().str();
    if (!StatNearest(start, vfs))
        return FailErrno();
    const ULONGLONG unit = vfs.f_frsize ? vfs.f_frsize : vfs.f_bsize;
    const ULONGLONG sector = unit % 512 == 0 ? 512 : unit;
    const auto cap = [](ULONGLONG v) { return static_cast<DWORD>(v > 0xFFFFFFFFull ? 0xFFFFFFFFull : v); };
    if (sectorsPerCluster)
        *sectorsPerCluster = cap(unit / sector);
    if (bytesPerSector)
        *bytesPerSector = cap(sector);
    if (freeClusters)
        *freeClusters = cap(vfs.f_bavail);
    if (totalClusters)
        *totalClusters = cap(vfs.f_blocks);
    return Succeed();
}
