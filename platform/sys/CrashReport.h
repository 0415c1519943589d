// Crash reports: when the process dies of a fatal signal (segmentation fault, bus error,
// illegal instruction, arithmetic fault, abort), a text report with the signal, the faulting
// address and a backtrace is written before the signal ends the process.
//
// The report goes into `folder` (created when missing) under `fileNamePattern`, in which
// %Y %m %d %H %M %S stand for the local time of the crash (four-digit year, two-digit fields)
// and %% for a percent sign; the classic name is "%Y%m%d_%H%M%S.dmp". A report of the same
// name is replaced. Local time uses the time-zone offset in force at installation (the
// handler may not consult the time-zone database).
//
// After the report the handler that was installed before takes the signal (by default the
// process ends with it), so a debugger, a sanitizer or a core dump still sees the crash.
#pragma once

#include <string>

namespace platform {

// Installs the handler for every fatal signal; false when the names do not fit its buffers.
bool InstallCrashReportHandler(const std::string& folder, const std::string& fileNamePattern);
// Puts back the handlers that were there before.
void RemoveCrashReportHandler();

} // namespace platform
