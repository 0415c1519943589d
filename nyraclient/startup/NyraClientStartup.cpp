// Start-up and shut-down of the client library: log pruning, language, run log and banners.
#include "nyraclient/startup/NyraClientStartup.h"

#include "nyraclient/startup/NyraRunLog.h"

#include "ktutil/KTGF.h"
#include "nrdata/config/NyraConfig.h"
#include "nrdata/startup/NRDataLanguage.h"
#include "platform/core/Check.h"
#include "platform/core/Collections.h"

#include <algorithm>
#include <atomic>
#include <string>
#include <vector>

namespace nyraclient {

CString RunLogFolder(LPCTSTR programFolder) { return KTGF::MakePath(programFolder, "Log"); }

CString RunLogFileName(const CTime& start) { return start.Format("%Y-%m-%d %H%M%S.log"); }

int PruneRunLogs(LPCTSTR logFolder)
{
    CStringArray listing;
    if (KTGF::GetDirFiles(logFolder, "*.*", &listing, FALSE) <= kRunLogsKept)
        return 0;
    // Sorted here rather than trusting the order of the listing: the names carry the start
    // time, so the first ones by name are the oldest run logs.
    std::vector<std::string> files;
    for (INT_PTR i = 0; i < listing.GetSize(); ++i)
        files.emplace_back(listing.GetAt(i).GetString());
    std::sort(files.begin(), files.end());
    int deleted = 0;
    for (int i = 0; i < kRunLogsKept; ++i)
        if (KTGF::DeleteFileA(files[static_cast<std::size_t>(i)].c_str(), FALSE) == 0)
            ++deleted;
    return deleted;
}

namespace {

// The run log that a failed check writes into, while the library runs.
std::atomic<KTLogFile*> g_checkLog { nullptr };

void LogFailedCheck(const char* line)
{
    if (KTLogFile* log = g_checkLog.load())
        log->Log("[ CHECK ] %s", line);
}

} // namespace

HINSTANCE StartUp(KTLogFile& log, LPCTSTR programFolder, const CTime& start)
{
    const CString logFolder = RunLogFolder(programFolder);
    PruneRunLogs(logFolder);

    const CString iniPath = KTGF::MakePath(programFolder, NyraConfig::kIniFileName);
    HINSTANCE language = nrdata::InstallLanguage(iniPath, programFolder);

    log.SetLogFile(KTGF::MakePath(logFolder, RunLogFileName(start)));
    // The entry that creates the file is not written into it.
    log.Log(runlog::kFirstLine);
    log.Log(runlog::kStartBanner);
    g_checkLog.store(&log);
    platform::SetCheckReportHook(&LogFailedCheck);
    return language;
}

void ShutDown(KTLogFile& log)
{
    platform::SetCheckReportHook(nullptr);
    g_checkLog.store(nullptr);
    log.Log(runlog::kEndBanner);
}

} // namespace nyraclient
