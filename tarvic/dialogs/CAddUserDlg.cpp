// The add user dialog.
#include "tarvic/dialogs/CAddUserDlg.h"

#include "tarvic/app/StationGlobals.h"
#include "tarvic/app/StationMessages.h"
#include "tarvic/dialogs/BedDialogControls.h"
#include "tarvic/dialogs/RecordLists.h"
#include "tarvic/dialogs/UserLists.h"
#include "tarvic/res/UserDialogIds.h"
#include "tarvic/view/StationClock.h"

#include "nrdata/table/TBLUser.h"

#include "ktutil/KTGF.h"
#include "ktutilex/KTAdo.h"

#include "platform/msg/MessageMap.h"
#include "platform/ui/controls/Edit.h"

namespace tarvic::records {
namespace {

using tarvic::bed::LabelText;

constexpr LabelText kLabels[] = {
    {IDOK, IDS_SAVE, false}, {IDCANCEL, IDS_CANCEL, false},
};

// The labels of this dialog end in ":" without blanks.
constexpr std::pair<int, UINT> kColonLabels[] = {
    {1250, IDS_ID},       {1548, IDS_NAME},  {1552, IDS_PASSWORD}, {1555, IDS_REPEAT_PASSWORD},
    {1549, IDS_LEVEL},    {1254, IDS_REGISTRATION_DATE}, {1554, IDS_EDIT_DATE},
};

constexpr int kTextLimit = 50;

CString Trimmed(CString text)
{
    KTGF::Trim(text);
    return text;
}

} // namespace

CAddUserDlg::CAddUserDlg(CWnd* pParent) : CDialog(IDD_ADD_USER, pParent) {}

BOOL CAddUserDlg::OnInitDialog()
{
    SetWindowText(tarvic::bed::LoadText(m_bAddMode ? IDS_ADD_USER_TITLE : IDS_EDIT_USER_TITLE));
    SetLabelTexts(*this, kLabels);
    for (const auto& [id, text] : kColonLabels)
        SetDlgItemText(id, tarvic::bed::LoadText(text) + ":");
    for (long level : {kLevelSystem, kLevelNurse, kLevelDoctor})
        tarvic::bed::AddListEntry(*this, IDC_LEVEL, UserLevelText(level), level);
    tarvic::bed::SelectListValue(*this, IDC_LEVEL, kLevelNurse);
    Load();
    SendDlgItemMessage(IDC_ID, EM_LIMITTEXT, kUserIdLimit);
    for (int id : {IDC_USER_NAME, IDC_PASSWORD, IDC_REPEAT_PASSWORD})
        SendDlgItemMessage(id, EM_LIMITTEXT, kTextLimit);
    return TRUE;
}

void CAddUserDlg::Load()
{
    if (m_strUserId.IsEmpty()) {
        SetDlgItemText(IDC_REG_DATE, DayText(StationClockNow()));
        return;
    }
    TBLUser user(&g_Database);
    user.M_ID = m_strUserId;
    if (user.Get() != 1)
        return;
    SetWindowText(FormatString("%s", tarvic::bed::LoadText(IDS_EDIT_USER_TITLE).GetString()));
    SetDlgItemText(IDC_ID, user.M_ID);
    SendDlgItemMessage(IDC_ID, EM_SETREADONLY, TRUE);
    SetDlgItemText(IDC_USER_NAME, user.M_NAME);
    SetDlgItemText(IDC_PASSWORD, user.M_PASSWORD);
    SetDlgItemText(IDC_REPEAT_PASSWORD, user.M_PASSWORD);
    tarvic::bed::SelectListValue(*this, IDC_LEVEL, user.M_LEVEL);
    SetDlgItemText(IDC_REG_DATE, DayText(user.M_REG_DATE));
    SetDlgItemText(IDC_EDIT_DATE, DayText(user.M_EDIT_DATE));
    m_bAddMode = FALSE;
}

void CAddUserDlg::OnOK()
{
    if (StationMessageBox(m_bAddMode ? IDS_ASK_ADD_USER : IDS_ASK_MODIFY_USER, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    TBLUser user(&g_Database);
    const bool adding = m_strUserId.IsEmpty();
    if (adding) {
        CString id;
        GetDlgItemText(IDC_ID, id);
        id = Trimmed(id);
        if (id.IsEmpty()) {
            RefuseInput(*this, IDS_INPUT_ID, IDC_ID);
            return;
        }
        TBLUser existing(&g_Database);
        existing.M_ID = id;
        if (existing.Get() == 1) {
            RefuseInput(*this, IDS_DUPLICATED_ID, IDC_ID);
            return;
        }
        user.M_ID = id;
    } else {
        user.M_ID = m_strUserId;
        const CString clause = FormatString("WHERE M_ID='%s'", KTAdo::EscapeString(m_strUserId).GetString());
        const int found = user.CursorOpenEx(clause);
        const int read = found >= 1 ? user.CursorGet() : 0;
        user.CursorClose();
        if (read != 1) {
            StationMessageBox(IDS_DATABASE_ERROR, MB_OK | MB_ICONSTOP);
            return;
        }
    }

    GetDlgItemText(IDC_USER_NAME, user.M_NAME);
    if (Trimmed(user.M_NAME).IsEmpty()) {
        RefuseInput(*this, IDS_INPUT_NAME, IDC_USER_NAME);
        return;
    }
    CString password;
    CString repeated;
    GetDlgItemText(IDC_PASSWORD, password);
    GetDlgItemText(IDC_REPEAT_PASSWORD, repeated);
    if (Trimmed(password).IsEmpty() || Trimmed(repeated).IsEmpty()) {
        RefuseInput(*this, IDS_ENTER_PASSWORD, Trimmed(password).IsEmpty() ? IDC_PASSWORD : IDC_REPEAT_PASSWORD);
        return;
    }
    if (password != repeated) {
        RefuseInput(*this, IDS_INCORRECT_PASSWORD, IDC_PASSWORD);
        return;
    }
    user.M_PASSWORD = password;
    // Without a chosen level the stored one stays.
    user.M_LEVEL = tarvic::bed::SelectedListValue(*this, IDC_LEVEL, user.M_LEVEL);
    const COleDateTime now = StationClockNow();
    if (m_bAddMode)
        user.M_REG_DATE = now;
    user.M_EDIT_DATE = now;

    if ((adding ? user.Add() : user.Update()) != 1) {
        StationMessageBox(IDS_DATABASE_ERROR, MB_OK | MB_ICONSTOP);
        return;
    }
    EndDialog(IDOK);
}

void CAddUserDlg::OnIdKillFocus() { MakeUpperCase(*this, IDC_ID); }
void CAddUserDlg::OnNameKillFocus() { MakeUpperCase(*this, IDC_USER_NAME); }

const platform::MessageMap* CAddUserDlg::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Control<&CAddUserDlg::OnIdKillFocus>(EN_KILLFOCUS, IDC_ID),
        Control<&CAddUserDlg::OnNameKillFocus>(EN_KILLFOCUS, IDC_USER_NAME),
    };
    static constexpr platform::MessageMap kMap{&CDialog::GetThisMessageMap, kEntries};
    return &kMap;
}

} // namespace tarvic::records
