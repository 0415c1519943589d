// Crash dumps of the central station: when the program dies of a fatal fault, a report is
// written into the "MemoryDump" folder beside the program, named from the local time
// ("%04d%02d%02d_%02d%02d%02d.dmp"; a second crash within the same second replaces the first),
// and the fault then ends the program as it would have. Nothing is reported when no report can
// be written.
#pragma once

#include "platform/core/Types.h"

namespace tarvic {

constexpr char kDumpFolderName[] = "MemoryDump";

// Installs the crash handler for the dump folder of `programFolder` (null: the station's
// program folder) and keeps the handler that was there; 1.
int InstallCrashDumpFilter(LPCTSTR programFolder = nullptr);
// Puts the kept handler back; 1.
int RestoreCrashDumpFilter();

} // namespace tarvic
