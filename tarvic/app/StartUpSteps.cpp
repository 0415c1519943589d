// Language, data folder and database at start-up.
#include "tarvic/app/StartUpSteps.h"

#include "tarvic/app/StationGlobals.h"
#include "tarvic/app/StationMessages.h"
#include "tarvic/res/TarvicResourceIds.h"

#include "ktutil/KTGF.h"
#include "nrdata/startup/NRDataLanguage.h"

#include "platform/core/FileSystem.h"
#include "platform/core/ResourceModule.h"

namespace tarvic {

namespace {

// The classic fallback data folder; on this system it lies in the home folder.
constexpr char kFallbackDataFolder[] = "C:\\Data";

} // namespace

HINSTANCE LoadLanguageResources(NyraConfig& config, LPCTSTR folder)
{
    HINSTANCE module = nullptr;
    if (const char* library = nrdata::LanguageLibraryName(config.Language))
        module = platform::LoadLanguageModule(library, folder != nullptr ? folder : "");
    if (module == nullptr) {
        config.Language = nrdata::LANGUAGE_ENGLISH;
        return nullptr;
    }
    AfxSetResourceHandle(module);
    return module;
}

CString PrepareDataFolder(NyraConfig& config, LPCTSTR iniPath)
{
    if (!KTGF::IsDir(config.DataPath))
        KTGF::CreateDir(config.DataPath);
    if (!KTGF::IsDir(config.DataPath)) {
        const CString fallback = platform::NativePath(kFallbackDataFolder);
        KTGF::CreateDir(fallback);
        config.DataPath = fallback;
        config.Save(iniPath);
    }
    return config.DataPath;
}

void PrepareDatabaseFile(LPCTSTR dataFolder, LPCTSTR programFolder)
{
    const CString target = KTGF::MakePath(dataFolder, kDatabaseFileName);
    if (KTGF::IsFile(target))
        return;
    // The result does not matter here: the connection that follows reports a missing database.
    KTGF::CopyFileA(KTGF::MakePath(programFolder, kDatabaseFileName), target, TRUE, TRUE, nullptr);
}

int ConnectDatabase(KTAdo& database, LPCTSTR dataFolder)
{
    if (database.ConnectDB(KTGF::MakePath(dataFolder, kDatabaseFileName), kDatabasePassword))
        return 1;
    StationMessageBox(IDS_DATABASE_NOT_FOUND, MB_OK | MB_ICONERROR);
    return 0;
}

} // namespace tarvic
