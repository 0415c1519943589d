// The central station's process-wide objects: the settings and the database connection, which
// every part of the program uses, and the options that place the station (its program folder,
// its listening ports, the picture it leaves when it ends).
#pragma once

#include "ktutilex/KTAdo.h"
#include "nrdata/config/NyraConfig.h"

#include "platform/core/CString.h"

// The settings, opened at start-up; dialogs edit copies and save through the configuration.
extern NyraConfig g_Config;
// The one database connection, connected at start-up and disconnected at exit.
extern KTAdo g_Database;

namespace tarvic {

// The database password of the stations.
constexpr char kDatabasePassword[] = "vam38216";
constexpr char kDatabaseFileName[] = "TarvicII.mdb";
// Monitors connect to the first port, viewing stations to the second.
constexpr UINT kMonitorPort = 5000;
constexpr UINT kViewerPort = 5100;
// The name one running station holds; a second start finds it and raises the first.
constexpr char kInstanceName[] = "TarvicII_BrokerServer";

struct StationOptions
{
    // Where the ini file, the empty database, language modules, the background picture and the
    // crash dumps sit; empty means the folder of the running program.
    CString programFolder;
    // Port 0 lets the system choose (tests use it; the view reports the ports it got).
    UINT monitorPort{kMonitorPort};
    UINT viewerPort{kViewerPort};
    // The single-instance name (tests give each station of theirs its own).
    CString instanceName{kInstanceName};
    // When set, the main window's picture is written there as a PNG when the station ends.
    CString screenshotPath;
};

StationOptions& Options();

// The data folder the database was opened from at start-up. A new "Data Path" saved by the
// configuration takes effect at the next start; until then recordings and study rows stay in
// this folder. Before start-up has set one it is the settings' "Data Path".
CString DataFolder();
void SetDataFolder(const CString& folder);
// The program folder of the options, or the running program's.
CString ProgramFolder();
// A file of the program folder.
CString ProgramFile(LPCTSTR name);
// The settings file of the program folder.
CString IniPath();

} // namespace tarvic
