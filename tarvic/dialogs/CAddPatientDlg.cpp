// The add patient dialog.
#include "tarvic/dialogs/CAddPatientDlg.h"

#include "tarvic/app/StationGlobals.h"
#include "tarvic/app/StationMessages.h"
#include "tarvic/dialogs/BedDialogControls.h"
#include "tarvic/dialogs/RecordLists.h"
#include "tarvic/dialogs/UserPickers.h"
#include "tarvic/res/UserDialogIds.h"
#include "tarvic/view/StationClock.h"

#include "nrdata/constmap/NRConstMap.h"
#include "nrdata/table/TBLPatient.h"
#include "nrdata/table/TBLUser.h"

#include "ktutil/KTGF.h"
#include "ktutilex/KTAdo.h"

#include "platform/msg/MessageMap.h"
#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/controls/Edit.h"

namespace tarvic::records {
namespace {

using tarvic::bed::LabelText;

constexpr LabelText kLabels[] = {
    {1250, IDS_ID, true},         {1256, IDS_BIRTHDAY, true},  {1251, IDS_FIRST_NAME, true},
    {1252, IDS_LAST_NAME, true},  {1253, IDS_DOCTOR, true},    {1262, IDS_LMP, true},
    {1263, IDS_EDC, true},        {1260, IDS_GR, true},        {1261, IDS_PA, true},
    {1257, IDS_HEIGHT, true},     {1258, IDS_WEIGHT, true},    {1254, IDS_REGISTRATION_DATE, true},
    {1554, IDS_EDIT_DATE, true},  {1259, IDS_COMMENT, true},   {IDC_DOCTOR, IDS_SELECT_DOCTOR, false},
    {IDOK, IDS_SAVE, false},      {IDCANCEL, IDS_CANCEL, false},
};

constexpr int kTextLimit = 10;
constexpr int kNoDateYear = 1000;
constexpr int kImperial = 2;
constexpr double kInchPerCm = 0.393701;
constexpr double kPoundPerKg = 2.204667;
constexpr double kCmPerInch = 2.54;
constexpr double kKgPerPound = 0.453583;

const COleDateTime kNoDate(kNoDateYear, 1, 1, 0, 0, 0);

} // namespace

CAddPatientDlg::CAddPatientDlg(CWnd* pParent) : CDialog(IDD_ADD_PATIENT, pParent) {}

BOOL CAddPatientDlg::OnInitDialog()
{
    m_bAddMode = TRUE;
    SetWindowText(tarvic::bed::LoadText(m_strPatientId.IsEmpty() ? IDS_ADD_PATIENT_TITLE : IDS_MODIFY_PATIENT_TITLE));
    SetLabelTexts(*this, kLabels);
    m_Height.SubclassDlgItem(IDC_HEIGHT, this);
    m_Weight.SubclassDlgItem(IDC_WEIGHT, this);
    m_Birthday.SubclassDlgItem(IDC_BIRTHDAY, this);
    m_Lmp.SubclassDlgItem(IDC_LMP, this);
    m_Edc.SubclassDlgItem(IDC_EDC, this);
    for (CDateTimeCtrl* picker : {&m_Birthday, &m_Lmp, &m_Edc})
        SetDate(*picker, kNoDate);
    FillCountList(IDC_GR);
    FillCountList(IDC_PA);
    SetDlgItemText(IDC_HEIGHT_UNIT, NRConstMap::GetHeightUnitText(g_Config.HeightUnit));
    SetDlgItemText(IDC_WEIGHT_UNIT, NRConstMap::GetWeightUnitText(g_Config.WeightUnit));
    Load();
    for (int id : {IDC_ID, IDC_FIRST_NAME, IDC_LAST_NAME})
        SendDlgItemMessage(id, EM_LIMITTEXT, kTextLimit);
    return TRUE;
}

void CAddPatientDlg::FillCountList(int id)
{
    tarvic::bed::AddListEntry(*this, id, "", -1);
    for (int count = 0; count <= 19; ++count)
        tarvic::bed::AddListEntry(*this, id, FormatString("%d", count), count);
    SendDlgItemMessage(id, CB_SETCURSEL, 0);
}

void CAddPatientDlg::SetDate(CDateTimeCtrl& picker, const COleDateTime& date)
{
    if (date.GetStatus() != COleDateTime::valid || date.GetYear() == kNoDateYear) {
        // The cleared picker shows today, where a date typed in would start.
        picker.SetTime(StationClockNow());
        COleDateTime none;
        none.SetStatus(COleDateTime::null);
        picker.SetTime(none);
    } else {
        picker.SetTime(date);
    }
}

COleDateTime CAddPatientDlg::DateOf(const CDateTimeCtrl& picker)
{
    COleDateTime date;
    if (!picker.GetTime(date) || date.GetStatus() != COleDateTime::valid)
        return kNoDate;
    return date;
}

void CAddPatientDlg::Load()
{
    if (m_strPatientId.IsEmpty()) {
        SetDlgItemText(IDC_REG_DATE, DayText(StationClockNow()));
        return;
    }
    TBLPatient patient(&g_Database);
    patient.P_ID = m_strPatientId;
    if (patient.Get() != 1)
        return;
    SetWindowText(FormatString("%s", tarvic::bed::LoadText(IDS_MODIFY_PATIENT_TITLE).GetString()));
    SetDlgItemText(IDC_ID, patient.P_ID);
    SendDlgItemMessage(IDC_ID, EM_SETREADONLY, TRUE);
    SetDlgItemText(IDC_FIRST_NAME, patient.P_FIRST_NAME);
    SetDlgItemText(IDC_LAST_NAME, patient.P_LAST_NAME);
    SetDate(m_Birthday, patient.P_BIRTHDAY);
    m_Height.SetReal(g_Config.HeightUnit == kImperial ? patient.P_HEIGHT * kInchPerCm : patient.P_HEIGHT, 1);
    m_Weight.SetReal(g_Config.WeightUnit == kImperial ? patient.P_WEIGHT * kPoundPerKg : patient.P_WEIGHT, 1);
    GetDlgItemText(IDC_HEIGHT, m_strLoadedHeight);
    GetDlgItemText(IDC_WEIGHT, m_strLoadedWeight);
    SetDlgItemText(IDC_REG_DATE, DayText(patient.P_REG_DATE));
    SetDlgItemText(IDC_COMMENT, patient.P_COMMENT);
    m_strDoctorId = patient.P_DOCTOR_ID;
    SetDlgItemText(IDC_DOCTOR, TBLUser::GetUserNameStringInDatabase(&g_Database, m_strDoctorId));
    SetDate(m_Lmp, patient.P_LMP);
    SetDate(m_Edc, patient.P_EDC);
    // A value without an entry leaves the empty entry selected.
    tarvic::bed::SelectListValue(*this, IDC_GR, patient.P_GR);
    tarvic::bed::SelectListValue(*this, IDC_PA, patient.P_PA);
    if (SendDlgItemMessage(IDC_GR, CB_GETCURSEL) < 0)
        SendDlgItemMessage(IDC_GR, CB_SETCURSEL, 0);
    if (SendDlgItemMessage(IDC_PA, CB_GETCURSEL) < 0)
        SendDlgItemMessage(IDC_PA, CB_SETCURSEL, 0);
    SetDlgItemText(IDC_EDIT_DATE, DayText(patient.P_EDIT_DATE));
    m_bAddMode = FALSE;
}

void CAddPatientDlg::OnSelectDoctor()
{
    const std::optional<CString> chosen = tarvic::bed::PickDoctor(this, m_strDoctorId);
    if (!chosen)
        return;
    m_strDoctorId = *chosen;
    SetDlgItemText(IDC_DOCTOR, TBLUser::GetUserNameStringInDatabase(&g_Database, *chosen));
}

void CAddPatientDlg::OnOK()
{
    if (StationMessageBox(m_bAddMode ? IDS_ASK_ADD_PATIENT : IDS_ASK_MODIFY_PATIENT, MB_YESNO | MB_ICONQUESTION) !=
        IDYES)
        return;
    TBLPatient patient(&g_Database);
    const bool adding = m_strPatientId.IsEmpty();
    if (adding) {
        CString id;
        GetDlgItemText(IDC_ID, id);
        KTGF::Trim(id);
        if (id.IsEmpty()) {
            RefuseInput(*this, IDS_INPUT_ID, IDC_ID);
            return;
        }
        TBLPatient existing(&g_Database);
        existing.P_ID = id;
        if (existing.Get() == 1) {
            RefuseInput(*this, IDS_DUPLICATED_ID, IDC_ID);
            return;
        }
        patient.P_ID = id;
    } else {
        patient.P_ID = m_strPatientId;
        const CString clause = FormatString("WHERE P_Id='%s'", KTAdo::EscapeString(m_strPatientId).GetString());
        const int found = patient.CursorOpenEx(clause);
        const int read = found >= 1 ? patient.CursorGet() : 0;
        patient.CursorClose();
        if (read != 1) {
            StationMessageBox(IDS_DATABASE_ERROR, MB_OK | MB_ICONSTOP);
            return;
        }
    }

    GetDlgItemText(IDC_FIRST_NAME, patient.P_FIRST_NAME);
    GetDlgItemText(IDC_LAST_NAME, patient.P_LAST_NAME);
    CString first = patient.P_FIRST_NAME;
    CString last = patient.P_LAST_NAME;
    KTGF::Trim(first);
    KTGF::Trim(last);
    if (first.IsEmpty() && last.IsEmpty()) {
        RefuseInput(*this, IDS_INPUT_NAME, IDC_FIRST_NAME);
        return;
    }
    patient.P_BIRTHDAY = DateOf(m_Birthday);

    CString height;
    CString weight;
    GetDlgItemText(IDC_HEIGHT, height);
    GetDlgItemText(IDC_WEIGHT, weight);
    if (adding || height != m_strLoadedHeight)
        patient.P_HEIGHT = m_Height.GetReal() * (g_Config.HeightUnit == kImperial ? kCmPerInch : 1.0);
    if (adding || weight != m_strLoadedWeight)
        patient.P_WEIGHT = m_Weight.GetReal() * (g_Config.WeightUnit == kImperial ? kKgPerPound : 1.0);

    GetDlgItemText(IDC_COMMENT, patient.P_COMMENT);
    patient.P_DOCTOR_ID = m_strDoctorId;
    patient.P_LMP = DateOf(m_Lmp);
    patient.P_EDC = DateOf(m_Edc);
    patient.P_GR = tarvic::bed::SelectedListValue(*this, IDC_GR, -1);
    patient.P_PA = tarvic::bed::SelectedListValue(*this, IDC_PA, -1);
    const COleDateTime now = StationClockNow();
    if (m_bAddMode)
        patient.P_REG_DATE = now;
    patient.P_EDIT_DATE = now;

    if ((adding ? patient.Add() : patient.Update()) != 1) {
        StationMessageBox(IDS_DATABASE_ERROR, MB_OK | MB_ICONSTOP);
        return;
    }
    EndDialog(IDOK);
}

void CAddPatientDlg::OnIdKillFocus() { MakeUpperCase(*this, IDC_ID); }
void CAddPatientDlg::OnFirstNameKillFocus() { MakeUpperCase(*this, IDC_FIRST_NAME); }
void CAddPatientDlg::OnLastNameKillFocus() { MakeUpperCase(*this, IDC_LAST_NAME); }

const platform::MessageMap* CAddPatientDlg::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Command<&CAddPatientDlg::OnSelectDoctor>(IDC_DOCTOR),
        Control<&CAddPatientDlg::OnIdKillFocus>(EN_KILLFOCUS, IDC_ID),
        Control<&CAddPatientDlg::OnFirstNameKillFocus>(EN_KILLFOCUS, IDC_FIRST_NAME),
        Control<&CAddPatientDlg::OnLastNameKillFocus>(EN_KILLFOCUS, IDC_LAST_NAME),
    };
    static constexpr platform::MessageMap kMap{&CDialog::GetThisMessageMap, kEntries};
    return &kMap;
}

} // namespace tarvic::records
