// The doctor and nurse pickers of the bed's patient page: each shows the user list for its
// level and answers the chosen user as "NAME(ID)", or the empty text when the user cancels.
#pragma once

#include "platform/msg/Wnd.h"

namespace tarvic::bed {

CString PickDoctor(CWnd* pParent, const CString& currentId);
CString PickNurse(CWnd* pParent, const CString& currentId);

// The id inside "NAME(ID)" (the text between the last parentheses); empty when there is none.
CString UserIdOfPickerText(const CString& text);

} // namespace tarvic::bed
