// The process-wide objects of the central station.
#include "tarvic/app/StationGlobals.h"

#include "ktutil/KTGF.h"

NyraConfig g_Config;
KTAdo g_Database;

namespace tarvic {

StationOptions& Options()
{
    static StationOptions options;
    return options;
}

namespace {

CString& DataFolderInUse()
{
    static CString folder;
    return folder;
}

} // namespace

CString DataFolder()
{
    const CString& folder = DataFolderInUse();
    return folder.IsEmpty() ? g_Config.DataPath : folder;
}

void SetDataFolder(const CString& folder) { DataFolderInUse() = folder; }

CString ProgramFolder()
{
    const CString& folder = Options().programFolder;
    return folder.IsEmpty() ? KTGF::GetModulePath() : folder;
}

CString ProgramFile(LPCTSTR name)
{
    return KTGF::MakePath(ProgramFolder(), name);
}

CString IniPath()
{
    return ProgramFile(NyraConfig::kIniFileName);
}

} // namespace tarvic
