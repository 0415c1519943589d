// Crash dumps through the platform's crash reports.
#include "tarvic/app/CrashDump.h"

#include "tarvic/app/StationGlobals.h"

#include "ktutil/KTGF.h"
#include "platform/sys/CrashReport.h"

namespace tarvic {

namespace {

constexpr char kDumpFileName[] = "%Y%m%d_%H%M%S.dmp";

} // namespace

int InstallCrashDumpFilter(LPCTSTR programFolder)
{
    const CString folder =
        KTGF::MakePath(programFolder != nullptr ? CString(programFolder) : ProgramFolder(), kDumpFolderName);
    platform::InstallCrashReportHandler(static_cast<const char*>(folder), kDumpFileName);
    return 1;
}

int RestoreCrashDumpFilter()
{
    platform::RemoveCrashReportHandler();
    return 1;
}

} // namespace tarvic
