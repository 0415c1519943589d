// CZipException: what the zip layer raises when an archive or a zlib stream goes wrong.
//
// Like the framework's own exceptions it is created with new, thrown as a pointer and released
// by its handler with Delete(). Errors of the archive file itself (open, read, write, seek) are
// raised as the framework's CFileException instead.
#pragma once

#include "platform/core/CString.h"
#include "platform/core/FileException.h"

// Numeric errors of the layer, beside zlib's own (Z_STREAM_END ... Z_VERSION_ERROR).
constexpr int ZIP_PARAMERROR = -102;
constexpr int ZIP_BADZIPFILE = -103;
constexpr int ZIP_TOOLARGE = -104; // a size, offset or count that the classic format cannot hold
constexpr int ZIP_CRCERROR = -105;

class CZipException : public CException
{
public:
    enum
    {
        generic = 1,
        streamEnd,
        needDict,
        errNo,
        streamError,
        dataError,
        memError,
        bufError,
        versionError,
        badFuncParam,
        badZipFile,
        badCrc,
    };

    CZipException(int cause, LPCTSTR archivePath) : m_iCause(cause), m_szFileName(archivePath) {}

    // The cause of a numeric error of the layer or of zlib.
    static int ZipErrToCause(int zipError);
    // Raises a new CZipException for `zipError`, naming the archive that was open.
    [[noreturn]] static void Throw(int zipError, LPCTSTR archivePath);

    BOOL GetErrorMessage(LPTSTR text, UINT maxLength, UINT* helpContext = nullptr) const override;

    int m_iCause { generic };
    CString m_szFileName; // the archive that was open; empty when none was
    // The numeric error it was raised for (ZIP_TOOLARGE keeps its own number under "generic").
    int m_iZipError { 0 };
};
