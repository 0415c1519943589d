// The progress record arithmetic that the zip and FTP transfers share with the file copies:
// bytes done and percents after each block. A percent of nothing to do is 100.
#pragma once

#include "ktutil/KTCallBack.h"

namespace ktutilex {

// done * 100 / total in 64 bits; 100 for a total of 0 (and never more than 100).
LONG ProgressPercent(LONGLONG done, LONGLONG total);

// Starts the record's current file: its name, number and size, nothing of it done yet.
void BeginProgressFile(KTNotifyProgress& progress, const CString& name, LONG number, ULONGLONG size);
// Counts a block of the current file as done and recomputes both percents.
void AddProgressBlock(KTNotifyProgress& progress, ULONGLONG bytes);

} // namespace ktutilex
