// CException and CFileException: the framework's exceptions.
//
// As in the framework, an exception object is created with new, thrown as a pointer and
// released by the handler with Delete():
//
//     try { file.Write(data, size); }
//     catch (CFileException* e) { e->GetErrorMessage(text, sizeof text); e->Delete(); }
//
// The system's code only throws and catches file exceptions where the framework would.
#pragma once

#include "platform/core/CString.h"
#include "platform/core/Object.h"
#include "platform/core/Types.h"

class CException : public CObject
{
public:
    // Copies a description for the user into `text` (at most `maxLength` - 1 bytes, never
    // splitting a UTF-8 character); FALSE when there is none.
    virtual BOOL GetErrorMessage(LPTSTR text, UINT maxLength, UINT* helpContext = nullptr) const;
    // Frees an exception caught by pointer.
    void Delete() { delete this; }
};

class CFileException : public CException
{
public:
    enum
    {
        none = 0,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile,
    };

    CFileException() = default;
    CFileException(int cause, LONG osError = -1, LPCTSTR fileName = nullptr)
        : m_cause(cause), m_lOsError(osError), m_strFileName(fileName)
    {
    }

    BOOL GetErrorMessage(LPTSTR text, UINT maxLength, UINT* helpContext = nullptr) const override;

    // The cause that matches a classic error number / an errno value.
    static int OsErrorToException(LONG osError);
    static int ErrnoToException(int err);
    // Throws a new CFileException for a failed libc call (errno) / a classic error number.
    [[noreturn]] static void ThrowErrno(int err, LPCTSTR fileName = nullptr);
    [[noreturn]] static void ThrowOsError(LONG osError, LPCTSTR fileName = nullptr);

    int m_cause{none};
    LONG m_lOsError{-1};
    CString m_strFileName;
};

[[noreturn]] void AfxThrowFileException(int cause, LONG osError = -1, LPCTSTR fileName = nullptr);
