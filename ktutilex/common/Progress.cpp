// Progress record arithmetic.
#include "ktutilex/common/Progress.h"

#include <algorithm>

namespace ktutilex {

LONG ProgressPercent(LONGLONG done, LONGLONG total)
{
    if (total <= 0 || done >= total)
        return 100;
    if (done <= 0)
        return 0;
    // Below total, so the product stays far from overflow for any file size the format holds.
    return static_cast<LONG>(done * 100 / total);
}

void BeginProgressFile(KTNotifyProgress& progress, const CString& name, LONG number, ULONGLONG size)
{
    progress.strFileName = name;
    progress.nFileNumber = number;
    progress.nFileSize = static_cast<DWORD>(std::min<ULONGLONG>(size, 0xFFFFFFFFu));
    progress.nFileDone = 0;
    progress.nFilePercent = 0;
}

void AddProgressBlock(KTNotifyProgress& progress, ULONGLONG bytes)
{
    progress.nTotalDone += static_cast<LONGLONG>(bytes);
    progress.nFileDone = static_cast<DWORD>(std::min<ULONGLONG>(progress.nFileDone + bytes, 0xFFFFFFFFu));
    progress.nTotalPercent = ProgressPercent(progress.nTotalDone, progress.nTotalSize);
    progress.nFilePercent = ProgressPercent(progress.nFileDone, progress.nFileSize);
}

} // namespace ktutilex
