// Choosing the language of the process from the ini file.
#include "nrdata/startup/NRDataLanguage.h"

#include "platform/core/Profile.h"
#include "platform/core/ResourceModule.h"

#include <string_view>

namespace nrdata {
namespace {

// Language libraries by language number (index 0 is unused; 3 is the built-in English).
constexpr const char* kLanguageLibraries[] = {
    nullptr,        "LANG_BUL.dll", "LANG_CZE.dll", nullptr,        "LANG_FRA.dll",
    "LANG_GER.dll", "LANG_ITA.dll", "LANG_POL.dll", "LANG_POR.dll", "LANG_ROM.dll",
    "LANG_RUS.dll", "LANG_SPA.dll", "LANG_TUR.dll", "LANG_KOR.dll", "LANG_CHN.dll",
};

} // namespace

const char* LanguageLibraryName(int language)
{
    if (language < 0 || language >= static_cast<int>(std::size(kLanguageLibraries)))
        return nullptr;
    return kLanguageLibraries[language];
}

HINSTANCE InstallLanguage(const char* iniPath, const char* folder)
{
    const int language = static_cast<int>(
        GetPrivateProfileInt("CENTRAL_DEFAULT", "Language", LANGUAGE_ENGLISH, iniPath ? iniPath : ""));
    const char* library = LanguageLibraryName(language);
    if (library == nullptr)
        return nullptr;
    HINSTANCE module = platform::LoadLanguageModule(library, folder ? std::string_view(folder) : std::string_view());
    if (module != nullptr)
        AfxSetResourceHandle(module);
    return module;
}

} // namespace nrdata
