// The pickers' call sites. The user list dialog joins them in a later version; until then they
// answer as a cancel.
#include "tarvic/dialogs/UserPickers.h"

namespace tarvic::bed {

CString PickDoctor(CWnd*, const CString&) { return {}; }

CString PickNurse(CWnd*, const CString&) { return {}; }

CString UserIdOfPickerText(const CString& text)
{
    const int open = text.ReverseFind('(');
    const int close = text.ReverseFind(')');
    if (open < 0 || close < open + 1)
        return {};
    return text.Mid(open + 1, close - open - 1);
}

} // namespace tarvic::bed
