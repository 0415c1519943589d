// The review station's settings and database connection.
#include "tarlux/app/ReviewGlobals.h"

#include "tarlux/res/TarluxResources.h"

#include "ktutilex/KTAdo.h"
#include "nrdata/config/NyraConfig.h"

#include "platform/core/ModulePath.h"

namespace tarlux {

NyraConfig& ReviewConfig()
{
    static NyraConfig config;
    return config;
}

KTAdo& ReviewDatabase()
{
    static KTAdo database;
    return database;
}

ReviewStartup& ReviewStartupSettings()
{
    static ReviewStartup startup { platform::GetProgramFolder(), NyraConfig::GetDefaultIniPath(), kInstanceName };
    return startup;
}

} // namespace tarlux
