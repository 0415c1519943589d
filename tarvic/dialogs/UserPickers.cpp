// The pickers: the user list of the doctors or the nurses, unless a test put its own in.
#include "tarvic/dialogs/UserPickers.h"

#include "tarvic/dialogs/CManagerListDlg.h"

namespace tarvic::bed {

namespace {

UserPicker s_doctorPicker;
UserPicker s_nursePicker;

// The chosen user's id, or nothing when the user cancels.
std::optional<CString> PickFromUserList(CWnd* pParent, BOOL doctorMode)
{
    tarvic::records::CManagerListDlg dialog(pParent);
    dialog.SetDoctorMode(doctorMode);
    if (dialog.DoModal() != IDOK)
        return std::nullopt;
    return doctorMode ? dialog.GetDoctorId() : dialog.GetNurseId();
}

} // namespace

void SetUserPickers(UserPicker doctor, UserPicker nurse)
{
    s_doctorPicker = std::move(doctor);
    s_nursePicker = std::move(nurse);
}

std::optional<CString> PickDoctor(CWnd* pParent, const CString& currentId)
{
    return s_doctorPicker ? s_doctorPicker(pParent, currentId) : PickFromUserList(pParent, TRUE);
}

std::optional<CString> PickNurse(CWnd* pParent, const CString& currentId)
{
    return s_nursePicker ? s_nursePicker(pParent, currentId) : PickFromUserList(pParent, FALSE);
}

} // namespace tarvic::bed
