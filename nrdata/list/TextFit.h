// Text fit: cuts a text to the width of a database column before it is stored.
#pragma once

#include "platform/core/CString.h"
#include "platform/core/Types.h"

// 1 when the text's length in bytes is at most `width`. Otherwise 0, and with `cut` the text is
// shortened to `width` characters, its end marked with "..." (KTGF::AbbreviateText); a text of
// multi-byte characters that is longer in bytes but not in characters stays as it is.
int FitText(CString& text, int width, BOOL cut);
