// The review station's process-wide objects: the settings, opened once at start-up and read by
// every page and dialog, the one database connection, opened at start-up and handed to every
// table object, and the places start-up reads from. All live until the process ends and are
// used on the user-interface thread only.
#pragma once

#include "platform/core/CString.h"

class KTAdo;
class NyraConfig;

namespace tarlux {

NyraConfig& ReviewConfig();
KTAdo& ReviewDatabase();

// What start-up works from: the folder beside the program (the empty template database and the
// language modules), the ini file, and the name a running copy holds so that a second start
// finds it. The running program's own folder, its ini file and "TarluxerII", unless a test
// points them elsewhere before start-up.
struct ReviewStartup
{
    CString programFolder;
    CString iniPath;
    CString instanceName;
};
ReviewStartup& ReviewStartupSettings();

} // namespace tarlux
