// The causes of the zip layer's exception, from the layer's and zlib's numeric errors.
#include "ktutilex/zip/CZipException.h"

#include "ktutilex/res/KTUtilExStrings.h"

#include "ktutil/KTGF.h"

#include <zlib.h>

#include <cstring>

namespace {

struct CauseEntry
{
    int zipError;
    int cause;
};

constexpr CauseEntry kCauses[] = {
    { Z_STREAM_END, CZipException::streamEnd },
    { Z_NEED_DICT, CZipException::needDict },
    { Z_ERRNO, CZipException::errNo },
    { Z_STREAM_ERROR, CZipException::streamError },
    { Z_DATA_ERROR, CZipException::dataError },
    { Z_MEM_ERROR, CZipException::memError },
    { Z_BUF_ERROR, CZipException::bufError },
    { Z_VERSION_ERROR, CZipException::versionError },
    { ZIP_PARAMERROR, CZipException::badFuncParam },
    { ZIP_BADZIPFILE, CZipException::badZipFile },
    { ZIP_CRCERROR, CZipException::badCrc },
};

} // namespace

int CZipException::ZipErrToCause(int zipError)
{
    for (const CauseEntry& entry : kCauses)
        if (entry.zipError == zipError)
            return entry.cause;
    return generic;
}

void CZipException::Throw(int zipError, LPCTSTR archivePath)
{
    auto* exception = new CZipException(ZipErrToCause(zipError), archivePath);
    exception->m_iZipError = zipError;
    throw exception;
}

BOOL CZipException::GetErrorMessage(LPTSTR text, UINT maxLength, UINT* helpContext) const
{
    if (helpContext)
        *helpContext = 0;
    if (text == nullptr || maxLength == 0)
        return FALSE;
    CString message;
    message.Format(KTGF::GetString(IDS_KTUTILEX_ZIP_ERROR).GetString(), m_iCause, m_szFileName.GetString());
    const CString cut = KTGF::CompleteString(message, static_cast<int>(maxLength) - 1);
    std::memcpy(text, cut.GetString(), static_cast<std::size_t>(cut.GetLength()) + 1);
    return TRUE;
}
