// Choosing the review station's language.
#include "tarlux/app/ReviewLanguage.h"

#include "nrdata/config/NyraConfig.h"
#include "nrdata/startup/NRDataLanguage.h"

#include "platform/core/ResourceModule.h"

#include <string_view>

namespace tarlux {

HINSTANCE LoadReviewLanguage(NyraConfig& config, LPCTSTR folder)
{
    HINSTANCE module = nullptr;
    if (const char* library = nrdata::LanguageLibraryName(config.Language))
        module = platform::LoadLanguageModule(library, folder ? std::string_view(folder) : std::string_view());
    if (module == nullptr) {
        config.Language = nrdata::LANGUAGE_ENGLISH;
        return nullptr;
    }
    AfxSetResourceHandle(module);
    return module;
}

} // namespace tarlux
