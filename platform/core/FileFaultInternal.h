// The file layer's side of FileFault.h: CFile::Write asks before each write.
#pragma once

#include "platform/core/Types.h"

namespace platform::detail {

// 0 when the write may go ahead; otherwise the errno it fails with. A Kill fault writes half of
// `data` to `fd` and ends the process here.
int WriteFaultFor(const char* path, int fd, const void* data, UINT count);

} // namespace platform::detail
