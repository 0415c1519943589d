// Number formats that callers hand to the composite controls ("%d%%", "%.1f"): applied only
// when they hold exactly one conversion of the expected kind, so a stray "%s" or "%n" in a
// format can never read or write memory it should not. Any other format gives empty text.
#pragma once

#include "platform/core/CString.h"

namespace ktctrl {

// One integer conversion (d, i, u, x, X, o, with flags, width and precision) plus "%%".
CString FormatInteger(LPCTSTR format, long long value);
// One floating conversion (f, e, g, E, G) plus "%%".
CString FormatReal(LPCTSTR format, double value);

} // namespace ktctrl
