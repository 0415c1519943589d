// The patient list dialog: the search, the list and choosing a patient.
#include "tarlux/patient/CPatientListDlg.h"

#include "tarlux/app/ReviewGlobals.h"
#include "tarlux/common/ReviewDialogs.h"
#include "tarlux/context/CReviewContext.h"
#include "tarlux/patient/PatientSearch.h"
#include "tarlux/res/TarluxResources.h"

#include "ktutil/KTCtrlGF.h"
#include "ktutilex/KTAdo.h"
#include "nrdata/list/CSortList.h"
#include "nrdata/table/TBLPatient.h"
#include "nrdata/table/TBLUser.h"

#include "platform/gdi/CDC.h"

#include <algorithm>
#include <iterator>

using namespace platform::msgmap;

namespace tarlux {
namespace {

constexpr COLORREF kBackground = RGB(200, 200, 200);
constexpr int kDoctorColumn = 5;
constexpr int kNameColumn = 1;

struct ColumnInfo
{
    UINT title;
    int width;
    bool sortable; // sorted as text; the other columns compare equal
};
constexpr ColumnInfo kColumns[CPatientListDlg::kColumnCount] = {
    { IDS_ID, 110, true },      { IDS_NAME, 110, true },   { IDS_REGISTRATION_DATE, 100, true },
    { IDS_BIRTHDAY, 80, true }, { IDS_EDC, 80, true },     { IDS_DOCTOR, 80, true },
    { IDS_LMP, 80, false },     { IDS_GR, 80, false },     { IDS_PA, 80, false },
    { IDS_HEIGHT, 70, false },  { IDS_WEIGHT, 70, false }, { IDS_EDIT_DATE, 70, false },
    { IDS_COMMENT, 100, false },
};

constexpr LabelText kLabels[] = {
    { IDC_PLIST_TITLE, IDS_PATIENT_LIST, false },
    { IDC_PLIST_ID_LABEL, IDS_ID, true },
    { IDC_PLIST_NAME_LABEL, IDS_NAME, true },
    { IDC_PLIST_SEARCH, IDS_SEARCH, false },
};
constexpr int kGreyControls[] = { IDC_PLIST_ID_LABEL, IDC_PLIST_NAME_LABEL, IDC_PLIST_TITLE, IDC_PLIST_SEARCH };

// A date column: empty for the year 1000, which marks "no date".
CString DateText(const COleDateTime& date)
{
    if (date.GetStatus() != COleDateTime::valid || date.GetYear() == 1000)
        return CString();
    return date.Format("%Y-%m-%d");
}

CString Number(const char* format, double value, const char* unit = nullptr)
{
    CString text;
    if (unit)
        text.Format(format, value, unit);
    else
        text.Format(format, static_cast<int>(value));
    return text;
}

} // namespace

CPatientListDlg::CPatientListDlg() : CDialog(IDD_PATIENT_LIST) {}

const platform::MessageMap* CPatientListDlg::GetThisMessageMap()
{
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_SIZE, &CPatientListDlg::OnSize>(),
        Message<WM_CTLCOLORDLG, &CPatientListDlg::OnCtlColor>(),
        Message<WM_CTLCOLORSTATIC, &CPatientListDlg::OnCtlColor>(),
        Message<WM_CTLCOLORBTN, &CPatientListDlg::OnCtlColor>(),
        Command<&CPatientListDlg::OnSearch>(IDC_PLIST_SEARCH),
        Notify<&CPatientListDlg::OnListDblClk>(NM_DBLCLK, IDC_PLIST_LIST),
        Notify<&CPatientListDlg::OnColumnClick>(LVN_COLUMNCLICK, IDC_PLIST_LIST),
        Notify<&CPatientListDlg::OnListKeyDown>(LVN_KEYDOWN, IDC_PLIST_LIST),
    };
    static constexpr platform::MessageMap kMap { &CDialog::GetThisMessageMap, kEntries };
    return &kMap;
}

BOOL CPatientListDlg::Create(CWnd* pParentWnd) { return CDialog::Create(IDD_PATIENT_LIST, pParentWnd); }

void CPatientListDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PLIST_LIST, m_list);
}

BOOL CPatientListDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetLabelTexts(*this, kLabels);
    for (int column = 0; column < kColumnCount; ++column)
        m_list.InsertColumn(column, LoadText(kColumns[column].title), LVCFMT_LEFT, kColumns[column].width);
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    m_brBack.CreateSolidBrush(kBackground);
    Search();
    return TRUE;
}

// The dialog is part of the form: Enter and Escape never close or hide it.
BOOL CPatientListDlg::PreTranslateMessage(MSG* pMsg)
{
    if (IsEnterOrEscape(pMsg))
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

// ---- the search ----------------------------------------------------------------------------------------

void CPatientListDlg::OnSearch() { Search(); }

void CPatientListDlg::Search()
{
    if (!::IsWindow(m_list.m_hWnd))
        return;
    m_list.DeleteAllItems();
    KTAdo& db = ReviewDatabase();
    if (!db.IsConnected())
        return;
    CString idFilter;
    CString nameFilter;
    GetDlgItem(IDC_PLIST_ID)->GetWindowText(idFilter);
    GetDlgItem(IDC_PLIST_NAME)->GetWindowText(nameFilter);

    TBLPatient patients(&db);
    for (const CString& condition : PatientSearchConditions(idFilter, nameFilter))
        patients.AddCondition(condition);
    const int rows = patients.CursorOpenCondition();
    // A row that cannot be read has been shown to the user once; the listing ends there.
    for (int row = 0; row < rows && patients.CursorGet(); ++row) {
        const int item = m_list.InsertItem(row, patients.P_ID);
        CString name;
        name.Format("%s %s", patients.P_LAST_NAME.GetString(), patients.P_FIRST_NAME.GetString());
        const CString texts[kColumnCount] = {
            patients.P_ID,
            name,
            patients.P_REG_DATE.Format("%Y-%m-%d"),
            DateText(patients.P_BIRTHDAY),
            DateText(patients.P_EDC),
            patients.P_DOCTOR_ID,
            DateText(patients.P_LMP),
            Number("%d", patients.P_GR),
            Number("%d", patients.P_PA),
            Number("%0.1f %s", patients.P_HEIGHT, "cm"),
            Number("%0.1f %s", patients.P_WEIGHT, "kg"),
            patients.P_EDIT_DATE.Format("%Y-%m-%d"),
            patients.P_COMMENT,
        };
        for (int column = 1; column < kColumnCount; ++column)
            m_list.SetItemText(item, column, texts[column]);
        patients.CursorMove();
    }
    patients.CursorClose();

    for (int item = 0; item < m_list.GetItemCount(); ++item)
        m_list.SetItemText(item, kDoctorColumn,
                           TBLUser::GetUserNameStringInDatabase(&db, m_list.GetItemText(item, kDoctorColumn)));
    CSortList(&m_list, kNameColumn).Sort(true, CSortList::SORT_TEXT);
    m_bAscending = true;
}

// ---- the list ------------------------------------------------------------------------------------------

void CPatientListDlg::SortByColumn(int column)
{
    if (column < 0 || column >= kColumnCount)
        return;
    const bool ascending = !m_bAscending;
    if (kColumns[column].sortable)
        CSortList(&m_list, column).Sort(ascending, CSortList::SORT_TEXT);
    m_bAscending = ascending;
}

void CPatientListDlg::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    SortByColumn(reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iSubItem);
    *pResult = 0;
}

void CPatientListDlg::OnListDblClk(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    const int index = KTCtrlGF::LST_GetSelectedIndex(&m_list, TRUE);
    if (index < 0 || !CReviewContext::HasInstance())
        return;
    CReviewContext::GetInstance()->SelectPatient(m_list.GetItemText(index, 0));
}

void CPatientListDlg::OnListKeyDown(NMHDR*, LRESULT* pResult) { *pResult = 1; }

// ---- layout and colours --------------------------------------------------------------------------------

void CPatientListDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    if (!::IsWindow(m_list.m_hWnd))
        return;
    CRect client;
    GetClientRect(&client);
    CRect list;
    m_list.GetWindowRect(&list);
    ScreenToClient(&list);
    list.left = client.left + 2;
    list.right = client.right - 2;
    list.bottom = client.bottom - 5;
    m_list.MoveWindow(&list);
}

HBRUSH CPatientListDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (HBRUSH own = DialogBrushFor(m_brBack, pDC, pWnd, nCtlColor, kGreyControls))
        return own;
    return reinterpret_cast<HBRUSH>(Default());
}

} // namespace tarlux
