// Load-time start-up of libNRData.so. In this order, before any text of the system is fetched:
//  1. register the library's resource module with the platform, which makes it an extension
//     library whose string table joins the lookup chain;
//  2. choose the language: the "Language" setting of the ini file beside the program names the
//     language library that becomes the current resource module (English when none loads).
#include "nrdata/config/NyraConfig.h"
#include "nrdata/res/NRDataStrings.h"
#include "nrdata/startup/NRDataLanguage.h"

#include "platform/core/ResourceModule.h"

namespace {

const platform::ExtensionModule s_module("NRData", { .strings = nrdata::StringTable() });

// Statics of one file start in the order they are written, so the language is chosen after the
// library's own texts are registered.
const HINSTANCE s_language = nrdata::InstallLanguage(NyraConfig::GetDefaultIniPath());

} // namespace
