// The steps of the central station's start-up that prepare its language, its data folder and
// its database, each on the objects and folders it is given.
#pragma once

#include "ktutilex/KTAdo.h"
#include "nrdata/config/NyraConfig.h"

namespace tarvic {

// The language of the setting "Language": 1 to 14 but 3 loads that language's module from
// `folder` and makes it the resource handle, so every later text, dialog, toolbar and picture
// comes from it. Otherwise, or when the module does not load, the built-in English stays and
// the setting becomes 3 in memory (not saved). Returns the module, or null for English. A
// module is never unloaded.
HINSTANCE LoadLanguageResources(NyraConfig& config, LPCTSTR folder);

// Makes sure the data folder of the settings exists: it is created when missing, and when it
// cannot be, the home folder's "Data" ("C:\Data" of old) is created, made the data folder and
// saved to `iniPath`. Returns the data folder.
CString PrepareDataFolder(NyraConfig& config, LPCTSTR iniPath);

// Copies the empty database of `programFolder` into `dataFolder` when the data folder has none;
// an existing database is never written over.
void PrepareDatabaseFile(LPCTSTR dataFolder, LPCTSTR programFolder);

// Connects `database` to the data folder's database with the stations' password: 1, or 0 after
// telling the user ("Database is not Found !!"); the station runs on without a database then.
int ConnectDatabase(KTAdo& database, LPCTSTR dataFolder);

} // namespace tarvic
