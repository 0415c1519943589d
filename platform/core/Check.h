// Checks of rules the code relies on but the compiler cannot see: a lock that must be held, the
// thread a function must run on. WARD_CHECK stays on in every build (RelWithDebInfo and Release
// included): a broken rule is a bug that tests must catch where it happens, not a race that shows
// up later somewhere else.
//
// A failed check writes "file:line: check failed: condition" to standard error, hands the same
// line to the report hook (the station puts it into its run log) and aborts, so the crash report
// follows.
#pragma once

namespace platform {

// Reports a failed check and aborts. Called by WARD_CHECK only.
[[noreturn]] void CheckFailed(const char* file, int line, const char* condition);

// Where a failed check's line goes besides standard error (null: nowhere else). The hook runs on
// the failing thread just before the abort; it must not take locks the failing code may hold.
using CheckReportHook = void (*)(const char* line);
void SetCheckReportHook(CheckReportHook hook);

// True on the user-interface thread: the program's main thread, which runs the main window's
// message loop (in a test program, the thread that runs the tests).
bool IsUserInterfaceThread();

} // namespace platform

#define WARD_CHECK(condition) \
    ((condition) ? static_cast<void>(0) : ::platform::CheckFailed(__FILE__, __LINE__, #condition))

// The rule "runs on the user-interface thread".
#define WARD_CHECK_UI_THREAD() WARD_CHECK(::platform::IsUserInterfaceThread())
