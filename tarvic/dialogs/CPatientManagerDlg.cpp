// The patient manager.
#include "tarvic/dialogs/CPatientManagerDlg.h"

#include "tarvic/app/StationGlobals.h"
#include "tarvic/app/StationMessages.h"
#include "tarvic/dialogs/BedDialogControls.h"
#include "tarvic/dialogs/CAddPatientDlg.h"
#include "tarvic/dialogs/PatientDeletion.h"
#include "tarvic/dialogs/RecordLists.h"
#include "tarvic/res/UserDialogIds.h"
#include "tarvic/view/StationClock.h"

#include "nrdata/list/CSortList.h"
#include "nrdata/table/TBLUser.h"
#include "nyraclient/manager/NyraClientManager.h"

#include "ktutil/KTGF.h"

#include "platform/msg/MessageMap.h"
#include "platform/ui/controls/Edit.h"

#include <algorithm>
#include <map>
#include <vector>

namespace tarvic::records {
namespace {

using tarvic::bed::LabelText;

constexpr LabelText kLabels[] = {
    {1255, IDS_CONDITION, false},   {1250, IDS_ID, true},          {1251, IDS_FIRST_NAME, true},
    {1252, IDS_LAST_NAME, true},    {1254, IDS_REGISTRATION_DATE, true}, {IDC_ALL, IDS_ALL, false},
    {IDC_3_MONTHS, IDS_3_MONTHS, false}, {IDC_1_MONTH, IDS_1_MONTH, false}, {IDC_1_WEEK, IDS_1_WEEK, false},
    {IDC_1_DAY, IDS_1_DAY, false},  {IDC_CLEAR, IDS_CLEAR, false}, {IDC_SEARCH, IDS_SEARCH, false},
    {IDC_ADD, IDS_ADD, false},      {IDC_EDIT, IDS_EDIT, false},   {IDC_DELETE, IDS_DELETE, false},
    {IDCANCEL, IDS_CLOSE, false},
};

constexpr ListColumn kColumns[CPatientManagerDlg::kColumnCount] = {
    {IDS_ID, 80},   {IDS_NAME, 80}, {IDS_REGISTRATION_DATE, 100}, {IDS_BIRTHDAY, 80}, {IDS_EDC, 60},
    {IDS_DOCTOR, 60}, {IDS_LMP, 60}, {IDS_GR, 60}, {IDS_PA, 60}, {IDS_HEIGHT, 70},
    {IDS_WEIGHT, 70}, {IDS_EDIT_DATE, 60}, {IDS_COMMENT, 100},
};

// Heights and weights ("170.0 cm") sort by their numbers, decimals included.
constexpr CSortList::EDataType kSortKinds[CPatientManagerDlg::kColumnCount] = {
    CSortList::SORT_TEXT,    CSortList::SORT_TEXT, CSortList::SORT_TEXT, CSortList::SORT_TEXT,
    CSortList::SORT_TEXT,    CSortList::SORT_TEXT, CSortList::SORT_TEXT, CSortList::SORT_INTEGER,
    CSortList::SORT_INTEGER, CSortList::SORT_REAL, CSortList::SORT_REAL, CSortList::SORT_TEXT,
    CSortList::SORT_TEXT,
};

constexpr int kDoctorColumn = 5;
constexpr int kSearchLimit = 10;

bool HasDate(const CDateTimeCtrl& picker, COleDateTime& date)
{
    return picker.GetTime(date) && date.GetStatus() == COleDateTime::valid;
}

} // namespace

CPatientManagerDlg::CPatientManagerDlg(CWnd* pParent) : CRecordManagerDlg(IDD_PATIENT_MANAGER, pParent) {}

BOOL CPatientManagerDlg::OnInitDialog()
{
    SetWindowText(tarvic::bed::LoadText(IDS_PATIENT_MANAGER));
    SetLabelTexts(*this, kLabels);
    // "All" stays hidden: Clear takes both dates away.
    if (CWnd* all = GetDlgItem(IDC_ALL))
        all->ShowWindow(SW_HIDE);
    m_List.SubclassDlgItem(IDC_PATIENT_LIST, this);
    m_DateFrom.SubclassDlgItem(IDC_DATE_FROM, this);
    m_DateTo.SubclassDlgItem(IDC_DATE_TO, this);
    SetUpReportList(m_List, kColumns);
    for (int id : {IDC_ID, IDC_FIRST_NAME, IDC_LAST_NAME})
        SendDlgItemMessage(id, EM_LIMITTEXT, kSearchLimit);
    EnableEditDelete(FALSE, FALSE);
    OnOneWeek();
    OnClear();
    OnSearch();
    return TRUE;
}

void CPatientManagerDlg::OnDeleteAllItems(NMHDR*, LRESULT* pResult)
{
    // The dialog keeps nothing per row: no notice per deleted item is needed.
    *pResult = TRUE;
}

int CPatientManagerDlg::FillList(const char* clause)
{
    // The rows are read first: naming a doctor asks the database, and the connection holds one
    // record set at a time.
    std::vector<Row> rows;
    TBLPatient cursor(&g_Database);
    const int count = cursor.CursorOpenEx(clause);
    const auto units = tarvic::bed::CAdmitPatientDlg::Units::Of(g_Config.HeightUnit, g_Config.WeightUnit);
    rows.reserve(size_t(std::max(count, 0)));
    for (int i = 0; i < count; ++i) {
        // A row that cannot be read is skipped (the table has told the user); the cursor moves on.
        if (cursor.CursorGet() == 1)
            rows.push_back(tarvic::bed::CAdmitPatientDlg::FormatRow(cursor, units));
        cursor.CursorMove();
    }
    cursor.CursorClose();

    // Most patients share a few doctors: each doctor is named once per search.
    std::map<CString, CString> doctors;
    m_List.SetRedraw(FALSE);
    m_List.DeleteAllItems();
    int shown = 0;
    for (Row& texts : rows) {
        CString& doctor = texts[kDoctorColumn];
        auto named = doctors.find(doctor);
        if (named == doctors.end())
            named = doctors.emplace(doctor, TBLUser::GetUserNameStringInDatabase(&g_Database, doctor)).first;
        doctor = named->second;
        InsertRow(m_List, shown++, texts);
    }
    m_List.SetRedraw(TRUE);
    m_List.Invalidate(FALSE);
    return shown;
}

void CPatientManagerDlg::OnSearch()
{
    CString id;
    CString first;
    CString last;
    GetDlgItemText(IDC_ID, id);
    GetDlgItemText(IDC_FIRST_NAME, first);
    GetDlgItemText(IDC_LAST_NAME, last);
    COleDateTime from;
    COleDateTime to;
    const bool hasFrom = HasDate(m_DateFrom, from);
    const bool hasTo = HasDate(m_DateTo, to);
    const CString clause = tarvic::bed::CAdmitPatientDlg::BuildSearchClause(id, first, last, hasFrom ? &from : nullptr,
                                                                             hasTo ? &to : nullptr);
    FillList(clause.IsEmpty() ? nullptr : clause.GetString());
    EnableForSelection();
}

void CPatientManagerDlg::OnClear()
{
    for (int id : {IDC_ID, IDC_FIRST_NAME, IDC_LAST_NAME})
        SetDlgItemText(id, "");
    OnAllDates();
}

void CPatientManagerDlg::SetRange(const COleDateTime& from, const COleDateTime& to)
{
    m_DateFrom.SetTime(from);
    m_DateTo.SetTime(to);
}

void CPatientManagerDlg::OnAllDates()
{
    COleDateTime none;
    none.SetStatus(COleDateTime::null);
    SetRange(none, none);
}

void CPatientManagerDlg::OnOneDay()
{
    const COleDateTime now = StationClockNow();
    SetRange(now, now);
}

void CPatientManagerDlg::OnOneWeek()
{
    const COleDateTime now = StationClockNow();
    SetRange(now - COleDateTimeSpan(6, 0, 0, 0), now);
}

void CPatientManagerDlg::OnOneMonth()
{
    const COleDateTime now = StationClockNow();
    SetRange(KTGF::CalcDate_Month(now, -1) + COleDateTimeSpan(1, 0, 0, 0), now);
}

void CPatientManagerDlg::OnThreeMonths()
{
    const COleDateTime now = StationClockNow();
    SetRange(KTGF::CalcDate_Month(now, -3) + COleDateTimeSpan(1, 0, 0, 0), now);
}

INT_PTR CPatientManagerDlg::OpenRecordDialog(const CString& patientId)
{
    CAddPatientDlg dialog(this);
    dialog.SetPatientId(patientId);
    return dialog.DoModal();
}

void CPatientManagerDlg::OnDelete()
{
    const int remembered = SelectedFocusedRow(m_List);
    const std::vector<ChosenRow> chosen = SelectedRows(m_List);
    if (chosen.empty() || m_pManager == nullptr)
        return;
    for (const ChosenRow& row : chosen) {
        if (m_pManager->CheckAdmitInfoInUse(row.id)) {
            // The id goes in as text: a "%" in it, or a translation's own format, cannot misfire.
            CString text = tarvic::bed::LoadText(IDS_PATIENT_BEING_USED);
            text.Replace("%s", row.id);
            StationMessageBox(text, MB_OK | MB_ICONSTOP);
            return;
        }
    }
    if (StationMessageBox(IDS_ASK_DELETE_PATIENT, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    std::vector<int> removed;
    bool failed = false;
    for (const ChosenRow& row : chosen) {
        // The recordings lie in the data folder in use since start-up, whatever "Data Path" was
        // saved since.
        const PatientDeleteResult result = DeletePatientWithStudies(&g_Database, tarvic::DataFolder(), row.id);
        if (result != PatientDeleteResult::RowRefused)
            removed.push_back(row.position);
        failed = failed || result != PatientDeleteResult::Deleted;
    }
    FinishDelete(remembered, removed, failed);
}

void CPatientManagerDlg::SortByColumn(int column)
{
    if (column < 0 || column >= kColumnCount)
        return;
    SortList(column, kSortKinds[column]);
}

void CPatientManagerDlg::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    SortByColumn(reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iSubItem);
    *pResult = 0;
}

const platform::MessageMap* CPatientManagerDlg::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Command<&CPatientManagerDlg::OnAllDates>(IDC_ALL),
        Command<&CPatientManagerDlg::OnOneDay>(IDC_1_DAY),
        Command<&CPatientManagerDlg::OnOneWeek>(IDC_1_WEEK),
        Command<&CPatientManagerDlg::OnOneMonth>(IDC_1_MONTH),
        Command<&CPatientManagerDlg::OnThreeMonths>(IDC_3_MONTHS),
        Notify<&CPatientManagerDlg::OnItemChanged>(LVN_ITEMCHANGED, IDC_PATIENT_LIST),
        Notify<&CPatientManagerDlg::OnColumnClick>(LVN_COLUMNCLICK, IDC_PATIENT_LIST),
        Notify<&CPatientManagerDlg::OnDeleteAllItems>(LVN_DELETEALLITEMS, IDC_PATIENT_LIST),
    };
    static constexpr platform::MessageMap kMap{&CRecordManagerDlg::GetThisMessageMap, kEntries};
    return &kMap;
}

void OpenPatientManager(CWnd* pParent, NyraClientManager* pManager)
{
    CPatientManagerDlg dialog(pParent);
    dialog.SetClientManager(pManager);
    dialog.DoModal();
}

} // namespace tarvic::records
