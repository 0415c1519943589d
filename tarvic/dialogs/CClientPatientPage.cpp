// The patient settings page.
#include "tarvic/dialogs/CClientPatientPage.h"

#include "tarvic/app/StationGlobals.h"
#include "tarvic/dialogs/BedDialogControls.h"
#include "tarvic/dialogs/UserPickers.h"
#include "tarvic/res/BedDialogIds.h"

#include "nrdata/table/TBLUser.h"
#include "nyraclient/client/NyraClientInfo.h"

#include "platform/msg/MessageMap.h"
#include "platform/ui/controls/Edit.h"

namespace tarvic::bed {
namespace {

constexpr int IDC_PATIENT_ID = 1046;
constexpr int IDC_LAST_NAME = 1039;
constexpr int IDC_FIRST_NAME = 1048;
constexpr int IDC_HEIGHT_UNIT = 1497;
constexpr int IDC_WEIGHT_UNIT = 1496;
constexpr int kNameLimit = 10;

constexpr LabelText kLabels[] = {
    {IDC_HEADING, IDS_PATIENT_HEADING, false}, {1271, IDS_PATIENT_INFORMATION, false},
    {1498, IDS_ID, true},                      {1252, IDS_LAST_NAME, true},
    {1251, IDS_FIRST_NAME, true},              {1256, IDS_BIRTHDAY, true},
    {1263, IDS_AGE, true},                     {1257, IDS_HEIGHT, true},
    {1258, IDS_WEIGHT, true},                  {1272, IDS_USER_INFORMATION, false},
    {1264, IDS_DOCTOR, true},                  {1265, IDS_NURSE, true},
    {IDC_APPLY, IDS_APPLY, false},
};

constexpr int kMeasures[] = {CClientPatientPage::IDC_YEAR, CClientPatientPage::IDC_MONTH, CClientPatientPage::IDC_DAY,
                             CClientPatientPage::IDC_AGE, CClientPatientPage::IDC_HEIGHT, CClientPatientPage::IDC_WEIGHT};
constexpr int kReadOnly[] = {IDC_PATIENT_ID, IDC_LAST_NAME, IDC_FIRST_NAME, IDC_APPLY};

// Unit value 2 shows inches and pounds; the packet holds centimetres and kilograms.
constexpr int kImperial = 2;
constexpr double kInchPerCm = 0.393701;
constexpr double kPoundPerKg = 2.204667;

} // namespace

CClientPatientPage::CClientPatientPage(NyraClientInfo* pClient, ClientGone gone)
    : CClientPage(IDD_CLIENT_PATIENT, pClient, std::move(gone))
{
}

BOOL CClientPatientPage::OnInitDialog()
{
    CClientPage::OnInitDialog();
    EnableControls(*this, kReadOnly, FALSE);
    const BOOL measures = m_pClient->GetProtocolVerPacket().GetVersionToString() != "1.0";
    EnableControls(*this, kMeasures, measures);
    for (int id : {IDC_PATIENT_ID, IDC_LAST_NAME, IDC_FIRST_NAME})
        SendDlgItemMessage(id, EM_LIMITTEXT, kNameLimit);
    SetLabelTexts(*this, kLabels);
    return TRUE;
}

void CClientPatientPage::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_PATIENT_ID, m_strPatientId);
    DDX_Text(pDX, IDC_LAST_NAME, m_strLastName);
    DDX_Text(pDX, IDC_FIRST_NAME, m_strFirstName);
    DDX_Text(pDX, IDC_HEIGHT, m_dHeight);
    DDX_Text(pDX, IDC_WEIGHT, m_dWeight);
}

void CClientPatientPage::Reload()
{
    if (m_pClient->IsAdmitted()) {
        const TBLPatientRow& patient = m_pClient->GetAdmittedPatient();
        m_strPatientId = patient.P_ID;
        m_strLastName = patient.P_LAST_NAME;
        m_strFirstName = patient.P_FIRST_NAME;
    } else {
        m_strPatientId.Empty();
        m_strLastName.Empty();
        m_strFirstName.Empty();
    }
    const PKPatient_v110& packet = m_pClient->GetPatientPacket();
    FillNumberList(*this, IDC_YEAR, 1900, 2050, packet.GetYear());
    FillNumberList(*this, IDC_MONTH, 1, 12, packet.GetMonth());
    FillNumberList(*this, IDC_DAY, 1, 31, packet.GetDay());
    FillNumberList(*this, IDC_AGE, 0, 150, packet.GetAge());

    const int heightUnit = g_Config.HeightUnit;
    const int weightUnit = g_Config.WeightUnit;
    m_dHeight = packet.GetHeight() * (heightUnit == kImperial ? kInchPerCm : 1.0);
    m_dWeight = packet.GetWeight() * (weightUnit == kImperial ? kPoundPerKg : 1.0);
    SetDlgItemText(IDC_HEIGHT_UNIT, NRConstMap::GetHeightUnitText(heightUnit));
    SetDlgItemText(IDC_WEIGHT_UNIT, NRConstMap::GetWeightUnitText(weightUnit));
    SetDlgItemText(IDC_DOCTOR, TBLUser::GetUserNameStringInDatabase(&g_Database, m_pClient->m_strDoctorID));
    SetDlgItemText(IDC_NURSE, TBLUser::GetUserNameStringInDatabase(&g_Database, m_pClient->m_strNurseID));
    UpdateData(FALSE);
}

void CClientPatientPage::OnSelectDoctor()
{
    const std::optional<CString> chosen = PickDoctor(this, m_pClient->m_strDoctorID);
    if (!chosen || IsClientGone())
        return;
    m_pClient->m_strDoctorID = *chosen;
    SetDlgItemText(IDC_DOCTOR, TBLUser::GetUserNameStringInDatabase(&g_Database, *chosen));
}

void CClientPatientPage::OnSelectNurse()
{
    const std::optional<CString> chosen = PickNurse(this, m_pClient->m_strNurseID);
    if (!chosen || IsClientGone())
        return;
    m_pClient->m_strNurseID = *chosen;
    SetDlgItemText(IDC_NURSE, TBLUser::GetUserNameStringInDatabase(&g_Database, *chosen));
}

const platform::MessageMap* CClientPatientPage::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Command<&CClientPatientPage::OnSelectDoctor>(IDC_DOCTOR),
        Command<&CClientPatientPage::OnSelectNurse>(IDC_NURSE),
    };
    static constexpr platform::MessageMap kMap{&CClientPage::GetThisMessageMap, kEntries};
    return &kMap;
}

} // namespace tarvic::bed
