// Connecting the review station to the stations' database.
#include "tarlux/app/ReviewDatabase.h"

#include "tarlux/app/ReviewGlobals.h"
#include "tarlux/res/TarluxResources.h"

#include "ktutil/KTGF.h"
#include "ktutilex/KTAdo.h"
#include "nrdata/config/NyraConfig.h"

#include "platform/msg/WindowApi.h"

namespace tarlux {

int ConnectReviewDatabase()
{
    const CString database = KTGF::MakePath(ReviewConfig().DataPath, kDatabaseFileName);
    const CString emptyTemplate = KTGF::MakePath(ReviewStartupSettings().programFolder, kDatabaseFileName);
    // The copy makes a missing data folder on its way. Its result is not needed: a failed copy
    // shows as a failed connection below.
    if (!KTGF::IsFile(database))
        KTGF::CopyFileA(emptyTemplate, database, TRUE, TRUE, nullptr);
    if (ReviewDatabase().ConnectDB(database, kDatabasePassword))
        return 1;
    ::MessageBox(nullptr, KTGF::GetString(IDS_DATABASE_NOT_FOUND), kProgramName, MB_OK | MB_ICONERROR);
    return 0;
}

} // namespace tarlux
