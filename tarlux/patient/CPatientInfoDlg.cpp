// The patient information dialog: the patient's fields, the comment, the study history and
// deleting studies.
#include "tarlux/patient/CPatientInfoDlg.h"

#include "tarlux/app/ReviewGlobals.h"
#include "tarlux/common/ReviewDialogs.h"
#include "tarlux/context/CReviewContext.h"
#include "tarlux/res/TarluxResources.h"
#include "tarlux/study/StudyDeletion.h"
#include "tarlux/study/StudyHistory.h"

#include "ktutil/KTCtrlGF.h"
#include "ktutil/KTGF.h"
#include "ktutilex/KTAdo.h"
#include "nrdata/config/NyraConfig.h"
#include "nrdata/list/CSortList.h"
#include "nrdata/record/RecordFilePath.h"
#include "nrdata/table/TBLPatient.h"
#include "nrdata/table/TBLUser.h"

#include "platform/gdi/CDC.h"

#include <algorithm>
#include <iterator>
#include <vector>

using namespace platform::msgmap;

namespace tarlux {
namespace {

constexpr COLORREF kBackground = RGB(223, 223, 223);
constexpr int kStartColumn = 1;
constexpr int kDoctorColumn = 4;
constexpr int kNurseColumn = 5;
// The caption of the delete question.
constexpr char kDeleteCaption[] = "TarluxerII";

struct ColumnInfo
{
    UINT title;
    int width;
    bool sortable;
};
constexpr ColumnInfo kColumns[CPatientInfoDlg::kColumnCount] = {
    { IDS_STUDY_ID, 100, true }, { IDS_RECORD_START, 150, true },      { IDS_LENGTH, 150, true },
    { IDS_LOSS_OF_SIGNAL, 100, true }, { IDS_DOCTOR, 100, true },      { IDS_NURSE, 100, true },
    { IDS_MEMBRANE_STATUS, 100, false }, { IDS_EDIT_DATE, 100, true }, { IDS_COMMENT, 300, true },
};

constexpr LabelText kLabels[] = {
    { IDC_PINFO_ID_LABEL, IDS_ID, true },          { IDC_PINFO_NAME_LABEL, IDS_NAME, true },
    { IDC_PINFO_BIRTHDAY_LABEL, IDS_BIRTHDAY, true }, { IDC_PINFO_LMP_LABEL, IDS_LMP, true },
    { IDC_PINFO_EDC_LABEL, IDS_EDC, true },        { IDC_PINFO_COMMENT_LABEL, IDS_COMMENT, true },
    { IDC_PINFO_HISTORY_LABEL, IDS_HISTORY, false }, { IDC_PINFO_EDIT, IDS_EDIT, false },
    { IDC_PINFO_CANCEL, IDS_CANCEL, false },
};
constexpr int kFields[] = { IDC_PINFO_ID,  IDC_PINFO_NAME, IDC_PINFO_BIRTHDAY, IDC_PINFO_LMP,
                            IDC_PINFO_EDC, IDC_PINFO_GR,   IDC_PINFO_PA,       IDC_PINFO_COMMENT };
constexpr int kGreyControls[] = { IDC_PINFO_ID_LABEL,   IDC_PINFO_NAME_LABEL,    IDC_PINFO_COMMENT_LABEL,
                                  IDC_PINFO_BIRTHDAY_LABEL, IDC_PINFO_LMP_LABEL, IDC_PINFO_EDC_LABEL,
                                  IDC_PINFO_GRPA_LABEL, IDC_PINFO_HISTORY_LABEL, IDC_PINFO_EDIT,
                                  IDC_PINFO_CANCEL };

CString DateText(const COleDateTime& date)
{
    if (date.GetStatus() != COleDateTime::valid || date.GetYear() == 1000)
        return CString();
    return date.Format("%Y-%m-%d");
}

// Gravida and para: -1 is "not chosen".
CString CountText(long value)
{
    CString text;
    if (value != -1)
        text.Format("%d", static_cast<int>(value));
    return text;
}

KTAdo* Database()
{
    KTAdo& db = ReviewDatabase();
    return db.IsConnected() ? &db : nullptr;
}

} // namespace

CPatientInfoDlg::CPatientInfoDlg() : CDialog(IDD_PATIENT_INFO) {}

const platform::MessageMap* CPatientInfoDlg::GetThisMessageMap()
{
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_SIZE, &CPatientInfoDlg::OnSize>(),
        Message<WM_CTLCOLORDLG, &CPatientInfoDlg::OnCtlColor>(),
        Message<WM_CTLCOLORSTATIC, &CPatientInfoDlg::OnCtlColor>(),
        Message<WM_CTLCOLORBTN, &CPatientInfoDlg::OnCtlColor>(),
        Command<&CPatientInfoDlg::OnEditSave>(IDC_PINFO_EDIT),
        Command<&CPatientInfoDlg::OnCancelEdit>(IDC_PINFO_CANCEL),
        Notify<&CPatientInfoDlg::OnHistoryDblClk>(NM_DBLCLK, IDC_PINFO_HISTORY),
        Notify<&CPatientInfoDlg::OnHistoryKeyDown>(LVN_KEYDOWN, IDC_PINFO_HISTORY),
        Notify<&CPatientInfoDlg::OnColumnClick>(LVN_COLUMNCLICK, IDC_PINFO_HISTORY),
    };
    static constexpr platform::MessageMap kMap { &CDialog::GetThisMessageMap, kEntries };
    return &kMap;
}

BOOL CPatientInfoDlg::Create(CWnd* pParentWnd) { return CDialog::Create(IDD_PATIENT_INFO, pParentWnd); }

void CPatientInfoDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PINFO_HISTORY, m_history);
}

BOOL CPatientInfoDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetLabelTexts(*this, kLabels);
    SetDlgItemText(IDC_PINFO_GRPA_LABEL, LoadText(IDS_GR) + "/" + LoadText(IDS_PA, true));
    for (int column = 0; column < kColumnCount; ++column)
        m_history.InsertColumn(column, LoadText(kColumns[column].title), LVCFMT_LEFT, kColumns[column].width);
    m_history.SetExtendedStyle(m_history.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    m_brBack.CreateSolidBrush(kBackground);
    return TRUE;
}

BOOL CPatientInfoDlg::PreTranslateMessage(MSG* pMsg)
{
    if (IsEnterOrEscape(pMsg))
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

// ---- loading -------------------------------------------------------------------------------------------

void CPatientInfoDlg::ClearFields()
{
    for (const int id : kFields)
        SetDlgItemText(id, "");
}

void CPatientInfoDlg::LoadPatient()
{
    if (!CReviewContext::HasInstance() || !::IsWindow(m_history.m_hWnd))
        return;
    m_patientId = CReviewContext::GetInstance()->GetPatientId();
    ClearFields();
    m_history.DeleteAllItems();
    if (m_patientId.IsEmpty()) {
        GetDlgItem(IDC_PINFO_EDIT)->EnableWindow(FALSE);
        return;
    }
    GetDlgItem(IDC_PINFO_EDIT)->EnableWindow(TRUE);
    KTAdo* db = Database();
    if (!db)
        return;
    TBLPatient patient(db);
    patient.P_ID = m_patientId;
    patient.P_ID.Trim();
    if (!patient.P_ID.IsEmpty() && patient.Get() == 1) {
        SetDlgItemText(IDC_PINFO_ID, patient.P_ID);
        CString name;
        name.Format("%s %s", patient.P_LAST_NAME.GetString(), patient.P_FIRST_NAME.GetString());
        SetDlgItemText(IDC_PINFO_NAME, name);
        SetDlgItemText(IDC_PINFO_BIRTHDAY, DateText(patient.P_BIRTHDAY));
        SetDlgItemText(IDC_PINFO_LMP, DateText(patient.P_LMP));
        SetDlgItemText(IDC_PINFO_EDC, DateText(patient.P_EDC));
        SetDlgItemText(IDC_PINFO_GR, CountText(patient.P_GR));
        SetDlgItemText(IDC_PINFO_PA, CountText(patient.P_PA));
        SetDlgItemText(IDC_PINFO_COMMENT, patient.P_COMMENT);
    }
    FillHistory();
}

void CPatientInfoDlg::FillHistory()
{
    KTAdo* db = Database();
    m_history.DeleteAllItems();
    const std::vector<StudyHistoryItem> studies = LoadStudyHistory(db, m_patientId);
    for (int row = 0; row < static_cast<int>(studies.size()); ++row) {
        const StudyHistoryItem& study = studies[static_cast<size_t>(row)];
        CString status;
        status.Format("%d", static_cast<int>(study.membraneStatus));
        const CString texts[kColumnCount] = {
            study.studyId,
            study.startText,
            study.lengthText,
            study.lossText,
            TBLUser::GetUserNameStringInDatabase(db, study.doctorId),
            TBLUser::GetUserNameStringInDatabase(db, study.nurseId),
            status,
            study.editDateText,
            study.comment,
        };
        const int item = m_history.InsertItem(row, texts[0]);
        for (int column = 1; column < kColumnCount; ++column)
            m_history.SetItemText(item, column, texts[column]);
    }
    // The rows come newest first; the direction flag says so.
    m_bAscending = false;
}

// ---- editing the comment -------------------------------------------------------------------------------

void CPatientInfoDlg::SetEditMode(bool editing)
{
    m_bEditing = editing;
    SetDlgItemText(IDC_PINFO_EDIT, LoadText(editing ? IDS_SAVE : IDS_EDIT));
    GetDlgItem(IDC_PINFO_COMMENT)->EnableWindow(editing);
    GetDlgItem(IDC_PINFO_CANCEL)->EnableWindow(editing);
    LoadPatient();
    GetDlgItem(IDC_PINFO_EDIT)->EnableWindow(editing || !m_patientId.IsEmpty());
}

void CPatientInfoDlg::SaveComment()
{
    KTAdo* db = Database();
    if (!db || m_patientId.IsEmpty())
        return;
    TBLPatient patient(db);
    patient.P_ID = m_patientId;
    if (patient.Get() != 1)
        return;
    CString comment;
    GetDlgItem(IDC_PINFO_COMMENT)->GetWindowText(comment);
    patient.P_COMMENT = comment;
    patient.P_EDIT_DATE = COleDateTime::GetCurrentTime();
    patient.Update();
}

void CPatientInfoDlg::OnEditSave()
{
    if (!m_bEditing) {
        SetEditMode(true);
        return;
    }
    SaveComment();
    SetEditMode(false);
    if (CReviewContext::HasInstance())
        CReviewContext::GetInstance()->RefreshPatientList();
}

void CPatientInfoDlg::OnCancelEdit() { SetEditMode(false); }

// ---- the history ---------------------------------------------------------------------------------------

void CPatientInfoDlg::OnHistoryDblClk(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    const int index = KTCtrlGF::LST_GetSelectedIndex(&m_history, TRUE);
    if (index < 0 || !CReviewContext::HasInstance())
        return;
    CReviewContext::GetInstance()->SelectStudy(m_history.GetItemText(index, 0));
}

void CPatientInfoDlg::OnHistoryKeyDown(NMHDR* pNMHDR, LRESULT* pResult)
{
    if (reinterpret_cast<NMLVKEYDOWN*>(pNMHDR)->wVKey == VK_DELETE)
        DeleteSelectedStudies();
    *pResult = 0;
}

void CPatientInfoDlg::SortByColumn(int column)
{
    if (column < 0 || column >= kColumnCount)
        return;
    const bool ascending = !m_bAscending;
    if (kColumns[column].sortable)
        CSortList(&m_history, column).Sort(ascending, CSortList::SORT_TEXT);
    m_bAscending = ascending;
}

void CPatientInfoDlg::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    SortByColumn(reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iSubItem);
    *pResult = 0;
}

void CPatientInfoDlg::DeleteSelectedStudies()
{
    int focused = KTCtrlGF::LST_GetSelectedIndex(&m_history, TRUE);
    std::vector<int> selected;
    POSITION pos = m_history.GetFirstSelectedItemPosition();
    while (pos)
        selected.push_back(m_history.GetNextSelectedItem(pos));
    CString question;
    question.Format(KTGF::GetString(IDS_DELETE_STUDIES), static_cast<int>(selected.size()));
    if (::MessageBox(GetSafeHwnd(), question, kDeleteCaption, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    std::sort(selected.begin(), selected.end());

    KTAdo* db = Database();
    std::vector<int> deleted;
    CStringArray deletedIds;
    CString refusal;
    bool refused = false;
    for (const int item : selected) {
        const CString studyId = m_history.GetItemText(item, 0);
        CString error;
        switch (DeleteStudy(db, m_patientId, studyId, &error)) {
        case StudyDeleteResult::Deleted:
            deleted.push_back(item);
            deletedIds.Add(studyId);
            break;
        case StudyDeleteResult::InUse: {
            const CString committed = nrdata::record::RecordFilePathOf(
                ReviewConfig().DataPath, m_patientId, studyId, nrdata::record::kCommittedExtension);
            CString text;
            text.Format(KTGF::GetString(IDS_STUDY_IN_USE), committed.GetString());
            ::MessageBox(GetSafeHwnd(), text, kProgramName, MB_OK);
            break;
        }
        case StudyDeleteResult::RowRefused:
            if (!refused)
                refusal = error;
            refused = true;
            break;
        }
    }
    // One box for every row the database kept: those studies stay, with their recordings.
    if (refused)
        ::MessageBox(GetSafeHwnd(), refusal.IsEmpty() ? CString("Internal database error!!") : refusal, kProgramName,
                     MB_OK | MB_ICONSTOP);

    for (auto it = deleted.rbegin(); it != deleted.rend(); ++it)
        m_history.DeleteItem(*it);
    if (focused >= m_history.GetItemCount())
        focused = m_history.GetItemCount() - 1;
    if (focused >= 0 && !deleted.empty())
        KTCtrlGF::LST_SelectItem(&m_history, focused, TRUE);
    if (CReviewContext::HasInstance() && !deletedIds.IsEmpty())
        CReviewContext::GetInstance()->OnStudiesDeleted(deletedIds);
}

// ---- layout and colours --------------------------------------------------------------------------------

void CPatientInfoDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    if (!::IsWindow(m_history.m_hWnd))
        return;
    CRect client;
    GetClientRect(&client);
    CRect list;
    m_history.GetWindowRect(&list);
    ScreenToClient(&list);
    list.right = client.right - 5;
    m_history.MoveWindow(&list);
}

HBRUSH CPatientInfoDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (HBRUSH own = DialogBrushFor(m_brBack, pDC, pWnd, nCtlColor, kGreyControls))
        return own;
    return reinterpret_cast<HBRUSH>(Default());
}

} // namespace tarlux
