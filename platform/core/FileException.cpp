// File exceptions: causes from error numbers and the texts shown to the user.
#include "platform/core/FileException.h"

#include <cerrno>
#include <cstring>

namespace {

// User texts by cause; "%s" is the file name.
struct CauseText
{
    int cause;
    const char* named;
    const char* unnamed;
};

const CauseText kCauseTexts[] = {
    {CFileException::none, "No error occurred with %s.", "No error occurred."},
    {CFileException::genericException, "An unexpected error occurred with %s.",
     "An unexpected file error occurred."},
    {CFileException::fileNotFound, "%s was not found.", "The file was not found."},
    {CFileException::badPath, "%s contains an invalid path.", "The path is invalid."},
    {CFileException::tooManyOpenFiles, "%s could not be opened because there are too many open files.",
     "There are too many open files."},
    {CFileException::accessDenied, "Access to %s was denied.", "Access to the file was denied."},
    {CFileException::invalidFile, "An invalid file handle was used with %s.",
     "An invalid file handle was used."},
    {CFileException::removeCurrentDir, "%s could not be removed because it is the current folder.",
     "The current folder cannot be removed."},
    {CFileException::directoryFull, "%s could not be created because the folder is full.",
     "The folder is full."},
    {CFileException::badSeek, "Seek failed on %s.", "Seek failed."},
    {CFileException::hardIO, "A hardware I/O error was reported while accessing %s.",
     "A hardware I/O error was reported."},
    {CFileException::sharingViolation, "%s is in use by another program.",
     "The file is in use by another program."},
    {CFileException::lockViolation, "A locked region of %s could not be accessed.",
     "A locked region of the file could not be accessed."},
    {CFileException::diskFull, "The disk is full while writing %s.", "The disk is full."},
    {CFileException::endOfFile, "An attempt was made to read past the end of %s.",
     "An attempt was made to read past the end of the file."},
};

void CopyText(const CString& message, LPTSTR text, UINT maxLength)
{
    UINT n = static_cast<UINT>(message.GetLength());
    if (n >= maxLength) {
        n = maxLength - 1;
        // Never end on a partial UTF-8 character.
        while (n > 0 && (static_cast<unsigned char>(message.GetString()[n]) & 0xC0) == 0x80)
            --n;
    }
    std::memcpy(text, message.GetString(), n);
    text[n] = '\0';
}

} // namespace

BOOL CException::GetErrorMessage(LPTSTR text, UINT maxLength, UINT* helpContext) const
{
    if (helpContext)
        *helpContext = 0;
    if (text && maxLength > 0)
        *text = '\0';
    return FALSE;
}

BOOL CFileException::GetErrorMessage(LPTSTR text, UINT maxLength, UINT* helpContext) const
{
    if (helpContext)
        *helpContext = 0;
    if (!text || maxLength == 0)
        return FALSE;
    const CauseText* entry = &kCauseTexts[CFileException::genericException];
    for (const CauseText& c : kCauseTexts)
        if (c.cause == m_cause)
            entry = &c;
    CString message;
    if (m_strFileName.IsEmpty())
        message = entry->unnamed;
    else
        message.Format(entry->named, m_strFileName.GetString());
    CopyText(message, text, maxLength);
    return TRUE;
}

int CFileException::OsErrorToException(LONG osError)
{
    switch (static_cast<DWORD>(osError)) {
    case ERROR_SUCCESS:
        return none;
    case ERROR_FILE_NOT_FOUND:
        return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
        return badPath;
    case ERROR_ACCESS_DENIED:
        return accessDenied;
    case ERROR_INVALID_HANDLE:
        return invalidFile;
    case ERROR_SHARING_VIOLATION:
        return sharingViolation;
    case ERROR_HANDLE_EOF:
        return endOfFile;
    case ERROR_DISK_FULL:
        return diskFull;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return accessDenied;
    default:
        return genericException;
    }
}

int CFileException::ErrnoToException(int err)
{
    switch (err) {
    case EMFILE:
    case ENFILE:
        return tooManyOpenFiles;
    case EIO:
        return hardIO;
    case ESPIPE:
        return badSeek;
    case EISDIR:
        return accessDenied;
    case ENAMETOOLONG:
        return badPath;
    case EDQUOT:
        return diskFull;
    default:
        return OsErrorToException(static_cast<LONG>(ErrorFromErrno(err)));
    }
}

void CFileException::ThrowErrno(int err, LPCTSTR fileName)
{
    throw new CFileException(ErrnoToException(err), static_cast<LONG>(ErrorFromErrno(err)), fileName);
}

void CFileException::ThrowOsError(LONG osError, LPCTSTR fileName)
{
    throw new CFileException(OsErrorToException(osError), osError, fileName);
}

void AfxThrowFileException(int cause, LONG osError, LPCTSTR fileName)
{
    throw new CFileException(cause, osError, fileName);
}
