// The admission dialog.
#include "tarvic/dialogs/CAdmitPatientDlg.h"

#include "tarvic/dialogs/RecordLists.h"

#include "tarvic/app/StationGlobals.h"
#include "tarvic/app/StationMessages.h"
#include "tarvic/dialogs/ApplyToMonitor.h"
#include "tarvic/dialogs/BedDialogControls.h"
#include "tarvic/dialogs/CWaitMessageDlg.h"
#include "tarvic/res/BedDialogIds.h"

#include "nrdata/list/CSortList.h"
#include "nyraclient/client/NyraClientInfo.h"
#include "nyraclient/manager/NyraClientManager.h"

#include "ktutil/KTGF.h"
#include "ktutilex/KTAdo.h"

#include "platform/msg/MessageMap.h"
#include "platform/ui/controls/Edit.h"

#include <charconv>
#include <ctime>

namespace tarvic::bed {
namespace {

constexpr LabelText kLabels[] = {
    {1270, IDS_DEVICE_INFORMATION, false}, {1265, IDS_UNIT_NAME, true},  {1266, IDS_DEVICE_NUMBER, true},
    {1268, IDS_ADMIT_STATUS, true},        {1269, IDS_MODEL_NAME, true}, {1271, IDS_CONDITION, false},
    {1250, IDS_ID, true},                  {1251, IDS_FIRST_NAME, true}, {1252, IDS_LAST_NAME, true},
    {1528, IDS_REGISTRATION_DATE, true},   {IDOK, IDS_SEARCH, false},    {1029, IDS_CLEAR, false},
    {1057, IDS_ADMIT, false},              {1028, IDS_DISCHARGE, false}, {IDCANCEL, IDS_CLOSE, false},
};

struct Column
{
    UINT header;
    int width;
    CSortList::EDataType sort;
};

constexpr Column kColumns[CAdmitPatientDlg::kColumnCount] = {
    {IDS_ID, 80, CSortList::SORT_TEXT},
    {IDS_NAME, 80, CSortList::SORT_TEXT},
    {IDS_REGISTRATION_DATE, 100, CSortList::SORT_TEXT},
    {IDS_BIRTHDAY, 80, CSortList::SORT_TEXT},
    {IDS_EDC, 60, CSortList::SORT_TEXT},
    {IDS_DOCTOR, 60, CSortList::SORT_TEXT},
    {IDS_LMP, 60, CSortList::SORT_TEXT},
    {IDS_GR, 60, CSortList::SORT_INTEGER},
    {IDS_PA, 60, CSortList::SORT_INTEGER},
    {IDS_HEIGHT, 70, CSortList::SORT_INTEGER},
    {IDS_WEIGHT, 70, CSortList::SORT_INTEGER},
    {IDS_EDIT_DATE, 60, CSortList::SORT_TEXT},
    {IDS_COMMENT, 100, CSortList::SORT_TEXT},
};

constexpr int IDC_UNIT_NAME = 1045;
constexpr int IDC_DEVICE_NUMBER = 1020;
constexpr int IDC_ADMIT_STATUS = 1065;
constexpr int IDC_MODEL_NAME = 1066;
constexpr int kNoDateYear = 1000;
constexpr int kUnset = -1;
constexpr int kImperial = 2;
constexpr double kInchPerCm = 0.393701;
constexpr double kPoundPerKg = 2.204667;

// One direction for every column and every admission dialog of the program's life.
bool s_bSortAscending = true;

// The list's texts are made for thousands of rows at a time: by hand, not through a format.
CString DateText(const COleDateTime& date)
{
    struct tm parts {};
    if (date.GetStatus() != COleDateTime::valid || !date.GetAsTm(parts) || parts.tm_year + 1900 == kNoDateYear)
        return {};
    return tarvic::records::DayText(parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday);
}

CString NumberText(LONG value)
{
    if (value == kUnset)
        return {};
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, static_cast<long>(value)).ptr;
    return CString(digits, static_cast<int>(end - digits));
}

// "%0.1f %s": the measure with one decimal, a blank and its unit.
CString MeasureText(double value, const CString& unit)
{
    char digits[48];
    const auto result = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 1);
    CString text(digits, static_cast<int>(result.ptr - digits));
    text += ' ';
    text += unit;
    return text;
}

CString DateLiteral(const COleDateTime& date)
{
    CString text;
    text.Format("#%04d-%02d-%02d#", date.GetYear(), date.GetMonth(), date.GetDay());
    return text;
}

} // namespace

CAdmitPatientDlg::CAdmitPatientDlg(NyraClientInfo* pClient, NyraClientManager* pManager, CWnd* pParent,
                                   std::function<bool()> clientGone)
    : CDialog(IDD_ADMIT_PATIENT, pParent), m_pClient(pClient), m_pManager(pManager),
      m_ClientGone(std::move(clientGone)), m_SelectedPatient(&g_Database)
{
}

void CAdmitPatientDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_PATIENT_ID, m_strPatientId);
    DDX_Text(pDX, IDC_FIRST_NAME, m_strFirstName);
    DDX_Text(pDX, IDC_LAST_NAME, m_strLastName);
}

BOOL CAdmitPatientDlg::OnInitDialog()
{
    SetWindowText(LoadText(IDS_ADMIT_CAPTION));
    SetLabelTexts(*this, kLabels);
    m_List.SubclassDlgItem(IDC_PATIENT_LIST, this);
    m_DateFrom.SubclassDlgItem(IDC_DATE_FROM, this);
    m_DateTo.SubclassDlgItem(IDC_DATE_TO, this);
    if (m_pClient == nullptr) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    m_bAdmitted = m_pClient->IsAdmitted();
    for (int i = 0; i < kColumnCount; ++i)
        m_List.InsertColumn(i, LoadText(kColumns[i].header), LVCFMT_LEFT, kColumns[i].width);
    m_List.SetExtendedStyle(m_List.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);

    EnableButton(IDOK, !m_bAdmitted);
    EnableButton(IDC_CLEAR, !m_bAdmitted);
    EnableButton(IDC_ADMIT, FALSE);
    EnableButton(IDC_DISCHARGE, m_bAdmitted);

    const PKMonitor_v110& monitor = m_pClient->GetMonitorPacket();
    CString number;
    number.Format("%d", monitor.GetMonitorNumber());
    SetDlgItemText(IDC_UNIT_NAME, monitor.GetUnitName());
    SetDlgItemText(IDC_MODEL_NAME, NRConstMap::GetModelText(monitor.GetModelType()));
    SetDlgItemText(IDC_DEVICE_NUMBER, number);
    SetDlgItemText(IDC_ADMIT_STATUS, NRConstMap::GetAdmitStatusText(m_bAdmitted ? 1 : 0));

    if (m_bAdmitted) {
        const TBLPatientRow& patient = m_pClient->GetAdmittedPatient();
        m_strPatientId = patient.P_ID;
        m_strFirstName = patient.P_FIRST_NAME;
        m_strLastName = patient.P_LAST_NAME;
        SetSearchEditsReadOnly(TRUE);
        m_DateFrom.EnableWindow(FALSE);
        m_DateTo.EnableWindow(FALSE);
        UpdateData(FALSE);
    } else {
        UpdateData(FALSE);
        OnClear();
    }
    return TRUE;
}

void CAdmitPatientDlg::EnableButton(int id, BOOL enable)
{
    if (CWnd* button = GetDlgItem(id))
        button->EnableWindow(enable);
}

void CAdmitPatientDlg::SetSearchEditsReadOnly(BOOL readOnly)
{
    for (int id : {IDC_PATIENT_ID, IDC_FIRST_NAME, IDC_LAST_NAME})
        SendDlgItemMessage(id, EM_SETREADONLY, readOnly);
}

CString CAdmitPatientDlg::BuildSearchClause(CString id, CString first, CString last, const COleDateTime* from,
                                            const COleDateTime* to)
{
    CString condition;
    auto like = [&condition](const char* column, CString text) {
        KTGF::Trim(text);
        if (text.IsEmpty())
            return;
        CString part;
        part.Format("%s LIKE '%%%s%%' AND ", column, KTAdo::EscapeString(text).GetString());
        condition += part;
    };
    like("P_ID", std::move(id));
    like("P_FIRST_NAME", std::move(first));
    like("P_LAST_NAME", std::move(last));
    if (from != nullptr)
        condition += "P_REG_DATE>=" + DateLiteral(*from) + " AND ";
    if (to != nullptr) {
        // Registrations carry a time of day: everything before the next day belongs to `to`.
        const COleDateTime day(to->GetYear(), to->GetMonth(), to->GetDay(), 0, 0, 0);
        condition += "P_REG_DATE<" + DateLiteral(day + COleDateTimeSpan(1, 0, 0, 0)) + " AND ";
    }
    if (condition.IsEmpty())
        return condition;
    return "WHERE " + condition.Left(condition.GetLength() - 5);
}

CAdmitPatientDlg::Units CAdmitPatientDlg::Units::Of(int heightUnit, int weightUnit)
{
    Units units;
    units.inch = heightUnit == kImperial;
    units.pound = weightUnit == kImperial;
    units.heightText = NRConstMap::GetHeightUnitText(units.inch ? kImperial : 1);
    units.weightText = NRConstMap::GetWeightUnitText(units.pound ? kImperial : 1);
    return units;
}

CAdmitPatientDlg::Row CAdmitPatientDlg::FormatRow(const TBLPatientRow& row, int heightUnit, int weightUnit)
{
    return FormatRow(row, Units::Of(heightUnit, weightUnit));
}

CAdmitPatientDlg::Row CAdmitPatientDlg::FormatRow(const TBLPatientRow& row, const Units& units)
{
    Row texts;
    texts[0] = row.P_ID;
    texts[1] = row.P_LAST_NAME;
    texts[1] += ' ';
    texts[1] += row.P_FIRST_NAME;
    texts[2] = DateText(row.P_REG_DATE);
    texts[3] = DateText(row.P_BIRTHDAY);
    texts[4] = DateText(row.P_EDC);
    texts[5] = row.P_DOCTOR_ID;
    texts[6] = DateText(row.P_LMP);
    texts[7] = NumberText(row.P_GR);
    texts[8] = NumberText(row.P_PA);
    texts[9] = MeasureText(row.P_HEIGHT * (units.inch ? kInchPerCm : 1.0), units.heightText);
    texts[10] = MeasureText(row.P_WEIGHT * (units.pound ? kPoundPerKg : 1.0), units.weightText);
    texts[11] = DateText(row.P_EDIT_DATE);
    texts[12] = row.P_COMMENT;
    return texts;
}

int CAdmitPatientDlg::FillList(const char* clause)
{
    // The list repaints once, when it is full.
    m_List.SetRedraw(FALSE);
    m_List.DeleteAllItems();
    TBLPatient cursor(&g_Database);
    const int count = cursor.CursorOpenEx(clause);
    const Units units = Units::Of(g_Config.HeightUnit, g_Config.WeightUnit);
    int shown = 0;
    for (int i = 0; i < count; ++i) {
        if (cursor.CursorGet() == 1) {
            tarvic::records::InsertRow(m_List, shown, FormatRow(cursor, units));
            ++shown;
        }
        cursor.CursorMove();
    }
    cursor.CursorClose();
    m_List.SetRedraw(TRUE);
    m_List.Invalidate(FALSE);
    EnableButton(IDC_ADMIT, FALSE);
    return shown;
}

void CAdmitPatientDlg::OnSearch()
{
    if (m_bAdmitted)
        return;
    UpdateData(TRUE);
    COleDateTime from;
    COleDateTime to;
    const bool hasFrom = m_DateFrom.GetTime(from) && from.GetStatus() == COleDateTime::valid;
    const bool hasTo = m_DateTo.GetTime(to) && to.GetStatus() == COleDateTime::valid;
    const CString clause = BuildSearchClause(m_strPatientId, m_strFirstName, m_strLastName, hasFrom ? &from : nullptr,
                                             hasTo ? &to : nullptr);
    FillList(clause.IsEmpty() ? nullptr : clause.GetString());
}

void CAdmitPatientDlg::OnClear()
{
    if (m_bAdmitted)
        return;
    UpdateData(TRUE);
    m_strPatientId.Empty();
    m_strFirstName.Empty();
    m_strLastName.Empty();
    COleDateTime none;
    none.SetStatus(COleDateTime::null);
    m_DateFrom.SetTime(none);
    m_DateTo.SetTime(none);
    SetSearchEditsReadOnly(FALSE);
    UpdateData(FALSE);
    FillList(nullptr);
}

void CAdmitPatientDlg::SelectRow(int index)
{
    m_List.SetItemState(index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void CAdmitPatientDlg::OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const auto* change = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    const UINT both = LVIS_SELECTED | LVIS_FOCUSED;
    if ((change->uNewState & both) == both) {
        m_SelectedPatient.Clear();
        m_SelectedPatient.P_ID = m_List.GetItemText(change->iItem, 0);
        if (m_SelectedPatient.Get() == 1) {
            m_strPatientId = m_SelectedPatient.P_ID;
            m_strFirstName = m_SelectedPatient.P_FIRST_NAME;
            m_strLastName = m_SelectedPatient.P_LAST_NAME;
            UpdateData(FALSE);
            EnableButton(IDC_ADMIT, !m_bAdmitted);
            SetSearchEditsReadOnly(TRUE);
            return;
        }
    }
    m_SelectedPatient.Clear();
    m_strPatientId.Empty();
    m_strFirstName.Empty();
    m_strLastName.Empty();
    UpdateData(FALSE);
    EnableButton(IDC_ADMIT, FALSE);
    SetSearchEditsReadOnly(FALSE);
}

void CAdmitPatientDlg::SortByColumn(int column)
{
    if (column < 0 || column >= kColumnCount)
        return;
    CSortList(&m_List, column).Sort(s_bSortAscending, kColumns[column].sort);
    s_bSortAscending = !s_bSortAscending;
}

void CAdmitPatientDlg::OnDeleteAllItems(NMHDR*, LRESULT* pResult)
{
    // The dialog keeps nothing per row: no notice per deleted item is needed.
    *pResult = TRUE;
}

void CAdmitPatientDlg::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    SortByColumn(reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iSubItem);
    *pResult = 0;
}

void CAdmitPatientDlg::OnAdmit()
{
    if (m_bAdmitted || m_SelectedPatient.P_ID.IsEmpty() || IsClientGone())
        return;
    if (m_pManager != nullptr && m_pManager->CheckAdmitInfoInUse(m_SelectedPatient.P_ID)) {
        StationMessageBox(IDS_PATIENT_IN_USE, MB_OK | MB_ICONSTOP);
        return;
    }
    if (StationMessageBox(IDS_ASK_ADMIT, MB_YESNO | MB_ICONQUESTION) != IDYES || IsClientGone())
        return;
    m_pClient->Admit(m_SelectedPatient);
    CWaitMessageDlg wait;
    wait.Open(this, LoadText(IDS_WAIT_ADMIT));
    // The station acknowledges the admission itself on a demo bed and on a bed whose link is up.
    const bool admitted = m_pClient->IsDemo() || m_pClient->IsConnected();
    if (admitted)
        AcknowledgeLocally(*m_pClient, PK_TYPE_PATIENT);
    wait.Close();
    if (admitted) {
        EndDialog(IDOK);
        return;
    }
    m_pClient->CancelWaitAdmit();
    StationMessageBox(IDS_ADMIT_FAILED, MB_OK | MB_ICONSTOP);
}

void CAdmitPatientDlg::OnDischarge()
{
    if (!m_bAdmitted || IsClientGone())
        return;
    if (StationMessageBox(IDS_ASK_DISCHARGE, MB_YESNO | MB_ICONQUESTION) != IDYES || IsClientGone())
        return;
    m_pClient->Discharge();
    EndDialog(IDOK);
}

const platform::MessageMap* CAdmitPatientDlg::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Command<&CAdmitPatientDlg::OnSearch>(IDOK),
        Command<&CAdmitPatientDlg::OnClear>(IDC_CLEAR),
        Command<&CAdmitPatientDlg::OnAdmit>(IDC_ADMIT),
        Command<&CAdmitPatientDlg::OnDischarge>(IDC_DISCHARGE),
        Notify<&CAdmitPatientDlg::OnItemChanged>(LVN_ITEMCHANGED, IDC_PATIENT_LIST),
        Notify<&CAdmitPatientDlg::OnColumnClick>(LVN_COLUMNCLICK, IDC_PATIENT_LIST),
        Notify<&CAdmitPatientDlg::OnDeleteAllItems>(LVN_DELETEALLITEMS, IDC_PATIENT_LIST),
    };
    static constexpr platform::MessageMap kMap{&CDialog::GetThisMessageMap, kEntries};
    return &kMap;
}

} // namespace tarvic::bed
