// The entry point of libNyraClient.so. Its statics are built in the order they are written:
//  1. the run log object (opened later, by the start-up);
//  2. the library's resource module, which makes it an extension library whose string table and
//     bitmaps join the lookup chain;
//  3. the entry point: at load it prunes the "Log" folder, installs the language library chosen
//     by "Language", opens the run log and writes the start banner; at unload (statics go in
//     the reverse order, so the run log still exists) it writes the end banner.
#include "nyraclient/res/NyraClientBitmaps.h"
#include "nyraclient/res/NyraClientSounds.h"
#include "nyraclient/res/NyraClientStrings.h"
#include "nyraclient/startup/NyraClientStartup.h"
#include "nyraclient/startup/NyraRunLog.h"

#include "ktutil/KTGF.h"
#include "platform/core/ResourceModule.h"
#include "platform/sys/ModuleHooks.h"

KTLogFile RunLog;

namespace {

const platform::ExtensionModule s_module("NyraClient", { .strings = nyraclient::StringTable(),
                                                        .data = nyraclient::BitmapTable() });
// The alarm sound joins the same module as a second table.
const platform::ExtensionModule s_sounds("NyraClient sounds", { .data = nyraclient::SoundTable() });

void AttachNyraClient() { nyraclient::StartUp(RunLog, KTGF::GetModulePath(), CTime::GetCurrentTime()); }

void DetachNyraClient() { nyraclient::ShutDown(RunLog); }

const platform::ModuleHooks s_hooks(&AttachNyraClient, &DetachNyraClient);

} // namespace
