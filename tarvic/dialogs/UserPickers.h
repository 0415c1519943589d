// The doctor and nurse pickers of the bed's patient page and the add patient dialog: each shows
// the user list for its level and answers the chosen user as "NAME(ID)", or the empty text when
// the user cancels.
#pragma once

#include "platform/msg/Wnd.h"

#include <functional>

namespace tarvic::bed {

CString PickDoctor(CWnd* pParent, const CString& currentId);
CString PickNurse(CWnd* pParent, const CString& currentId);

// Puts other pickers in (tests); empty functions put the built-in ones back.
using UserPicker = std::function<CString(CWnd* pParent, const CString& currentId)>;
void SetUserPickers(UserPicker doctor, UserPicker nurse);

// The id inside "NAME(ID)" (the text between the last parentheses); empty when there is none.
CString UserIdOfPickerText(const CString& text);

} // namespace tarvic::bed
