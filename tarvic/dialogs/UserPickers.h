// The doctor and nurse pickers of the bed's patient page and the add patient dialog: each shows
// the user list for its level and answers the chosen user's id as it is stored, or nothing when
// the user cancels. Callers show the user with TBLUser::GetUserNameStringInDatabase.
#pragma once

#include "platform/msg/Wnd.h"

#include <functional>
#include <optional>

namespace tarvic::bed {

std::optional<CString> PickDoctor(CWnd* pParent, const CString& currentId);
std::optional<CString> PickNurse(CWnd* pParent, const CString& currentId);

// Puts other pickers in (tests); empty functions put the built-in ones back.
using UserPicker = std::function<std::optional<CString>(CWnd* pParent, const CString& currentId)>;
void SetUserPickers(UserPicker doctor, UserPicker nurse);

} // namespace tarvic::bed
