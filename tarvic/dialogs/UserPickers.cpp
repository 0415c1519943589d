// The pickers' call sites. The user list dialog joins them in a later version; until then they
// answer as a cancel.
#include "tarvic/dialogs/UserPickers.h"

namespace tarvic::bed {

namespace {

UserPicker s_doctorPicker;
UserPicker s_nursePicker;

} // namespace

void SetUserPickers(UserPicker doctor, UserPicker nurse)
{
    s_doctorPicker = std::move(doctor);
    s_nursePicker = std::move(nurse);
}

CString PickDoctor(CWnd* pParent, const CString& currentId)
{
    return s_doctorPicker ? s_doctorPicker(pParent, currentId) : CString();
}

CString PickNurse(CWnd* pParent, const CString& currentId)
{
    return s_nursePicker ? s_nursePicker(pParent, currentId) : CString();
}

CString UserIdOfPickerText(const CString& text)
{
    const int open = text.ReverseFind('(');
    const int close = text.ReverseFind(')');
    if (open < 0 || close < open + 1)
        return {};
    return text.Mid(open + 1, close - open - 1);
}

} // namespace tarvic::bed
