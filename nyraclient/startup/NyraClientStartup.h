// Start-up and shut-down of the client library, in the order the library's entry point runs
// them (NyraClientModule.cpp calls them with the program folder and the current time; tests
// call them with a folder of their own):
//  1. the library's resource module is registered (at load, NyraClientStrings.cpp);
//  2. the "Log" folder is pruned: when it holds more than 20 files, the first 20 by name are
//     deleted (run log names sort in the order of their start times);
//  3. the language library chosen by "Language" in the ini file becomes the current resource
//     module (English when none loads; never reported);
//  4. the run log is opened on "<Log folder>/%Y-%m-%d %H%M%S.log" of the start time, and "*"
//     and the start banner are written.
// Shut-down writes the end banner.
#pragma once

#include "ktutil/KTLogFile.h"
#include "platform/core/CString.h"
#include "platform/core/Time.h"

namespace nyraclient {

// A start finds at most this many older run logs and leaves them all.
constexpr int kRunLogsKept = 20;

// The "Log" folder of a program folder.
CString RunLogFolder(LPCTSTR programFolder);
// The run log file name of a start at `start` (local time): "2026-12-09 083104.log".
CString RunLogFileName(const CTime& start);
// Deletes the first kRunLogsKept files of the folder, by name, when it holds more than
// kRunLogsKept files. Returns the number deleted; a missing folder deletes nothing.
int PruneRunLogs(LPCTSTR logFolder);

// Steps 2 to 4 above for the program in `programFolder` (its ini file and language modules sit
// there), started at `start`. Returns the language module that became current, or null when
// English stays.
HINSTANCE StartUp(KTLogFile& log, LPCTSTR programFolder, const CTime& start);
// Writes the end banner.
void ShutDown(KTLogFile& log);

} // namespace nyraclient
