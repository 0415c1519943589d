// Choosing the language of the process at the data library's load: the "Language" setting of
// the ini file names a language library, which becomes the current resource module so that every
// later text comes from it. The built-in English texts stay when the setting names none or the
// library does not load; neither case is reported.
#pragma once

#include "platform/core/Types.h"

namespace nrdata {

// The built-in English texts: no language library.
constexpr int LANGUAGE_ENGLISH = 3;

// The library of a language number 1 to 14 ("LANG_KOR.dll" for 13); null for English and for
// any number outside 1 to 14.
const char* LanguageLibraryName(int language);

// Reads "Language" from section "CENTRAL_DEFAULT" of the ini file (3 when the file or the key is
// missing), loads that language's library from `folder` (null: the program folder) and makes it
// the current resource module. Returns the library, or null when English stays. The library is
// never unloaded.
HINSTANCE InstallLanguage(const char* iniPath, const char* folder = nullptr);

} // namespace nrdata
