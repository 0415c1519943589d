// CFile over open/read/write/lseek, with flock for the share modes.
#include "platform/core/File.h"

#include "platform/core/FileFaultInternal.h"
#include "platform/core/FileSystem.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <string>

namespace {

CString AbsolutePath(const char* path)
{
    if (path[0] == '/')
        return CString(path);
    char cwd[PATH_MAX];
    if (!getcwd(cwd, sizeof cwd))
        return CString(path);
    CString full(cwd);
    if (full.Right(1) != "/")
        full += '/';
    return full + path;
}

// The flock operation for a share mode, 0 for none.
int LockFor(UINT flags)
{
    const UINT share = flags & 0x70;
    const bool writing = (flags & (CFile::modeWrite | CFile::modeReadWrite)) != 0;
    switch (share) {
    case CFile::shareExclusive:
    case CFile::shareDenyRead:
        return LOCK_EX;
    case CFile::shareDenyWrite:
        return writing ? LOCK_EX : LOCK_SH;
    default:
        return 0;
    }
}

bool ParentFolderExists(const char* path)
{
    const char* slash = std::strrchr(path, '/');
    if (!slash)
        return true;
    const std::string folder = slash == path ? std::string("/") : std::string(path, slash);
    struct stat st
    {
    };
    return stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void FillException(CFileException* error, int cause, LONG osError, const char* fileName)
{
    if (!error)
        return;
    error->m_cause = cause;
    error->m_lOsError = osError;
    error->m_strFileName = fileName;
}

} // namespace

CFile::CFile(LPCTSTR fileName, UINT openFlags)
{
    CFileException error;
    if (!Open(fileName, openFlags, &error))
        throw new CFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CFile::~CFile()
{
    if (m_hFile != hFileNull)
        Abort();
}

BOOL CFile::Open(LPCTSTR fileName, UINT openFlags, CFileException* error)
{
    if (m_hFile != hFileNull)
        Abort();
    if (!fileName || !*fileName) {
        FillException(error, CFileException::badPath, static_cast<LONG>(ERROR_PATH_NOT_FOUND), fileName);
        SetLastError(ERROR_PATH_NOT_FOUND);
        return FALSE;
    }
    int oflags = O_CLOEXEC;
    if (openFlags & modeReadWrite)
        oflags |= O_RDWR;
    else if (openFlags & modeWrite)
        oflags |= O_WRONLY;
    else
        oflags |= O_RDONLY;
    if (openFlags & modeCreate)
        oflags |= O_CREAT;

    const auto fail = [&](int err) {
        const LONG os = static_cast<LONG>(err == EWOULDBLOCK ? ERROR_SHARING_VIOLATION : ErrorFromErrno(err));
        const int cause =
            err == EWOULDBLOCK ? CFileException::sharingViolation : CFileException::ErrnoToException(err);
        FillException(error, cause, os, fileName);
        SetLastError(static_cast<DWORD>(os));
        return FALSE;
    };

    const int fd = open(fileName, oflags, 0666);
    if (fd < 0) {
        const int err = errno;
        // A folder opened for writing: refused like one opened for reading below.
        if (err == EISDIR)
            return fail(EACCES);
        if (err == ENOENT && !ParentFolderExists(fileName)) {
            FillException(error, CFileException::badPath, static_cast<LONG>(ERROR_PATH_NOT_FOUND), fileName);
            SetLastError(ERROR_PATH_NOT_FOUND);
            return FALSE;
        }
        return fail(err);
    }
    // Only a read-only open reaches a folder (writing one fails above); a file opened for
    // writing again and again is not looked at each time.
    struct stat st
    {
    };
    if ((oflags & O_ACCMODE) == O_RDONLY && (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode))) {
        close(fd);
        return fail(EACCES);
    }
    if (const int lock = LockFor(openFlags); lock && flock(fd, lock | LOCK_NB) != 0) {
        const int err = errno;
        close(fd);
        return fail(err);
    }
    if ((openFlags & modeCreate) && !(openFlags & modeNoTruncate) && ftruncate(fd, 0) != 0) {
        const int err = errno;
        close(fd);
        return fail(err);
    }
    m_hFile = fd;
    m_path = AbsolutePath(fileName);
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

void CFile::ThrowErrno(int err) const
{
    CFileException::ThrowErrno(err, m_path);
}

UINT CFile::Read(void* buffer, UINT count)
{
    if (m_hFile == hFileNull)
        ThrowErrno(EBADF);
    UINT done = 0;
    while (done < count) {
        const ssize_t n = read(m_hFile, static_cast<char*>(buffer) + done, count - done);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno(errno);
        }
        done += static_cast<UINT>(n);
    }
    return done;
}

void CFile::Write(const void* buffer, UINT count)
{
    if (m_hFile == hFileNull)
        ThrowErrno(EBADF);
    if (const int injected = platform::detail::WriteFaultFor(m_path, m_hFile, buffer, count))
        ThrowErrno(injected);
    UINT done = 0;
    while (done < count) {
        const ssize_t n = write(m_hFile, static_cast<const char*>(buffer) + done, count - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno(errno);
        }
        if (n == 0)
            ThrowErrno(ENOSPC);
        done += static_cast<UINT>(n);
    }
}

ULONGLONG CFile::Seek(LONGLONG offset, UINT from)
{
    if (m_hFile == hFileNull)
        ThrowErrno(EBADF);
    const int whence = from == end ? SEEK_END : from == current ? SEEK_CUR : SEEK_SET;
    const off_t pos = lseek(m_hFile, static_cast<off_t>(offset), whence);
    if (pos < 0)
        AfxThrowFileException(CFileException::badSeek, static_cast<LONG>(ErrorFromErrno(errno)), m_path);
    return static_cast<ULONGLONG>(pos);
}

ULONGLONG CFile::GetLength() const
{
    struct stat st
    {
    };
    if (m_hFile == hFileNull || fstat(m_hFile, &st) != 0)
        ThrowErrno(m_hFile == hFileNull ? EBADF : errno);
    return static_cast<ULONGLONG>(st.st_size);
}

void CFile::SetLength(ULONGLONG length)
{
    if (m_hFile == hFileNull || ftruncate(m_hFile, static_cast<off_t>(length)) != 0)
        ThrowErrno(m_hFile == hFileNull ? EBADF : errno);
}

ULONGLONG CFile::GetPosition() const
{
    const off_t pos = m_hFile == hFileNull ? -1 : lseek(m_hFile, 0, SEEK_CUR);
    if (pos < 0)
        ThrowErrno(m_hFile == hFileNull ? EBADF : errno);
    return static_cast<ULONGLONG>(pos);
}

void CFile::Flush()
{
    if (m_hFile == hFileNull)
        return;
    if (fdatasync(m_hFile) != 0 && errno != EINVAL)
        ThrowErrno(errno);
}

void CFile::Close()
{
    const int fd = m_hFile;
    m_hFile = hFileNull;
    if (fd != hFileNull && close(fd) != 0 && errno != EINTR)
        ThrowErrno(errno);
}

void CFile::Abort()
{
    if (m_hFile != hFileNull)
        close(m_hFile);
    m_hFile = hFileNull;
}

CString CFile::GetFileName() const
{
    const int slash = m_path.ReverseFind('/');
    return slash < 0 ? m_path : m_path.Mid(slash + 1);
}

CString CFile::GetFileTitle() const
{
    CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot > 0 ? name.Left(dot) : name;
}

BOOL CFile::GetStatus(CFileStatus& status) const
{
    if (m_hFile == hFileNull)
        return FALSE;
    return GetStatus(m_path, status);
}

BOOL CFile::GetStatus(LPCTSTR fileName, CFileStatus& status)
{
    platform::FileInfo info;
    if (!fileName || !platform::GetFileInfo(fileName, info)) {
        SetLastError(fileName ? ErrorFromErrno(errno) : ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    status.m_ctime = info.creationTime;
    status.m_mtime = info.lastWriteTime;
    status.m_atime = info.lastAccessTime;
    status.m_size = info.size;
    status.m_attribute = static_cast<BYTE>(info.attributes);
    const CString full = AbsolutePath(fileName);
    std::strncpy(status.m_szFullName, full, sizeof status.m_szFullName - 1);
    status.m_szFullName[sizeof status.m_szFullName - 1] = '\0';
    return TRUE;
}

void CFile::SetStatus(LPCTSTR fileName, const CFileStatus& status)
{
    const CTime* access = status.m_atime.GetTime() ? &status.m_atime : nullptr;
    const CTime* write = status.m_mtime.GetTime() ? &status.m_mtime : nullptr;
    // Times first: a read-only file can still have its times set by its owner.
    if ((access || write) && !platform::SetFileTimes(fileName, access, write))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), fileName);
    if (!SetFileAttributes(fileName, status.m_attribute))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), fileName);
}

void CFile::Rename(LPCTSTR oldName, LPCTSTR newName)
{
    if (!MoveFile(oldName, newName))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), oldName);
}

void CFile::Remove(LPCTSTR fileName)
{
    if (!DeleteFile(fileName))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), fileName);
}
