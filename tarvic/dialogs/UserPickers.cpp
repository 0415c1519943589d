// The pickers: the user list of the doctors or the nurses, unless a test put its own in.
#include "tarvic/dialogs/UserPickers.h"

#include "tarvic/app/StationGlobals.h"
#include "tarvic/dialogs/CManagerListDlg.h"

#include "nrdata/table/TBLUser.h"

namespace tarvic::bed {

namespace {

UserPicker s_doctorPicker;
UserPicker s_nursePicker;

// The chosen user as "NAME(ID)", or empty when the user cancels.
CString PickFromUserList(CWnd* pParent, BOOL doctorMode)
{
    tarvic::records::CManagerListDlg dialog(pParent);
    dialog.SetDoctorMode(doctorMode);
    if (dialog.DoModal() != IDOK)
        return {};
    return TBLUser::GetUserNameStringInDatabase(&g_Database,
                                                doctorMode ? dialog.GetDoctorId() : dialog.GetNurseId());
}

} // namespace

void SetUserPickers(UserPicker doctor, UserPicker nurse)
{
    s_doctorPicker = std::move(doctor);
    s_nursePicker = std::move(nurse);
}

CString PickDoctor(CWnd* pParent, const CString& currentId)
{
    return s_doctorPicker ? s_doctorPicker(pParent, currentId) : PickFromUserList(pParent, TRUE);
}

CString PickNurse(CWnd* pParent, const CString& currentId)
{
    return s_nursePicker ? s_nursePicker(pParent, currentId) : PickFromUserList(pParent, FALSE);
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
