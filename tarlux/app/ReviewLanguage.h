// The language step of the review station's start-up: the settings' "Language" names a language
// library beside the program, which becomes the program's resource module, so every later text,
// dialog and picture comes from it. English stays when the setting names none (3, or a number
// outside 1 to 14) or the library does not load; the settings then read 3 for the rest of the
// run (the ini file is not written).
#pragma once

#include "platform/core/Types.h"

class NyraConfig;

namespace tarlux {

// Loads the language of `config` from `folder`: the library, or null when English stays.
HINSTANCE LoadReviewLanguage(NyraConfig& config, LPCTSTR folder);

} // namespace tarlux
