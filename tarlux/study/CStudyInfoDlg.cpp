// The study information dialog: the study's fields, editing its comment, and its two pages.
#include "tarlux/study/CStudyInfoDlg.h"

#include "tarlux/app/ReviewGlobals.h"
#include "tarlux/common/ReviewDialogs.h"
#include "tarlux/context/CReviewContext.h"
#include "tarlux/print/ReviewExportName.h"
#include "tarlux/res/TarluxResources.h"
#include "tarlux/study/StudyComment.h"
#include "tarlux/study/StudyRecording.h"

#include "ktutil/KTGF.h"
#include "ktutilex/KTAdo.h"
#include "nrdata/table/TBLStudy.h"
#include "nrdata/table/TBLUser.h"

#include "platform/gdi/CDC.h"

#include <algorithm>
#include <iterator>

using namespace platform::msgmap;

namespace tarlux {
namespace {

constexpr COLORREF kBackground = RGB(223, 223, 223);
// Where the pages stand inside the tab control.
constexpr int kPageLeft = 1;
constexpr int kPageTop = 22;
constexpr int kPageRightGap = 5;
constexpr int kPageBottomGap = 25;

constexpr LabelText kLabels[] = {
    { IDC_STUDY_START_LABEL, IDS_RECORD_START, true }, { IDC_STUDY_LENGTH_LABEL, IDS_LENGTH, true },
    { IDC_STUDY_DOCTOR_LABEL, IDS_DOCTOR, true },      { IDC_STUDY_NURSE_LABEL, IDS_NURSE, true },
    { IDC_STUDY_COMMENT_LABEL, IDS_COMMENT, false },   { IDC_STUDY_EDIT, IDS_EDIT, false },
    { IDC_STUDY_CANCEL, IDS_CANCEL, false },
};
constexpr int kFields[] = { IDC_STUDY_START, IDC_STUDY_LENGTH, IDC_STUDY_DOCTOR, IDC_STUDY_NURSE, IDC_STUDY_COMMENT };
// The controls drawn on the dialog's grey.
constexpr int kGreyControls[] = { IDC_STUDY_TAB,         IDC_STUDY_COMMENT_LABEL, IDC_STUDY_START_LABEL,
                                  IDC_STUDY_LENGTH_LABEL, IDC_STUDY_DOCTOR_LABEL,  IDC_STUDY_NURSE_LABEL,
                                  IDC_STUDY_EDIT,         IDC_STUDY_CANCEL };

KTAdo* Database()
{
    KTAdo& db = ReviewDatabase();
    return db.IsConnected() ? &db : nullptr;
}

} // namespace

CStudyInfoDlg::CStudyInfoDlg() : CDialog(IDD_STUDY_INFO) {}

const platform::MessageMap* CStudyInfoDlg::GetThisMessageMap()
{
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_SIZE, &CStudyInfoDlg::OnSize>(),
        Message<WM_DESTROY, &CStudyInfoDlg::OnDestroy>(),
        Message<WM_CTLCOLORDLG, &CStudyInfoDlg::OnCtlColor>(),
        Message<WM_CTLCOLORSTATIC, &CStudyInfoDlg::OnCtlColor>(),
        Message<WM_CTLCOLORBTN, &CStudyInfoDlg::OnCtlColor>(),
        Message<WM_CTLCOLOREDIT, &CStudyInfoDlg::OnCtlColor>(),
        Command<&CStudyInfoDlg::OnEditSave>(IDC_STUDY_EDIT),
        Command<&CStudyInfoDlg::OnCancelEdit>(IDC_STUDY_CANCEL),
        Notify<&CStudyInfoDlg::OnTabSelChanging>(TCN_SELCHANGING, IDC_STUDY_TAB),
        Notify<&CStudyInfoDlg::OnTabSelChange>(TCN_SELCHANGE, IDC_STUDY_TAB),
    };
    static constexpr platform::MessageMap kMap { &CDialog::GetThisMessageMap, kEntries };
    return &kMap;
}

BOOL CStudyInfoDlg::Create(CWnd* pParentWnd) { return CDialog::Create(IDD_STUDY_INFO, pParentWnd); }

void CStudyInfoDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_STUDY_TAB, m_tab);
}

BOOL CStudyInfoDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetLabelTexts(*this, kLabels);
    m_brBack.CreateSolidBrush(kBackground);
    m_tab.EnableTheme(TRUE);
    m_tab.InsertItem(kTrendPage, LoadText(IDS_TAB_TREND));
    m_tab.InsertItem(kWavePage, LoadText(IDS_TAB_WAVEFORM));
    for (CStudyPageDlg* page : { static_cast<CStudyPageDlg*>(&m_trendPage), static_cast<CStudyPageDlg*>(&m_wavePage) }) {
        page->Create(&m_tab);
        page->ShowWindow(SW_HIDE);
    }
    PlacePages();
    m_tab.SetCurSel(kTrendPage);
    m_trendPage.ShowWindow(SW_SHOW);
    return TRUE;
}

// The dialog is part of the form: Enter and Escape never close or hide it.
BOOL CStudyInfoDlg::PreTranslateMessage(MSG* pMsg)
{
    if (IsEnterOrEscape(pMsg))
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

// ---- pages ---------------------------------------------------------------------------------------------

CStudyPageDlg* CStudyInfoDlg::PageOf(int tab)
{
    if (tab == kTrendPage)
        return &m_trendPage;
    if (tab == kWavePage)
        return &m_wavePage;
    return nullptr;
}

void CStudyInfoDlg::PlacePages()
{
    if (!::IsWindow(m_tab.m_hWnd))
        return;
    CRect tab;
    m_tab.GetWindowRect(&tab);
    // Below the tabs: a row taller than the classic 22 pixels (a larger font, a theme's tabs with
    // their mark toward the page) is never covered by the page.
    CRect display(0, 0, tab.Width(), tab.Height());
    m_tab.AdjustRect(FALSE, &display);
    const int top = std::max(kPageTop, static_cast<int>(display.top));
    for (CStudyPageDlg* page : { static_cast<CStudyPageDlg*>(&m_trendPage), static_cast<CStudyPageDlg*>(&m_wavePage) })
        if (::IsWindow(page->m_hWnd))
            page->MoveWindow(kPageLeft, top, tab.Width() - kPageRightGap, tab.Height() - kPageBottomGap - (top - kPageTop));
}

void CStudyInfoDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    if (!::IsWindow(m_tab.m_hWnd))
        return;
    CRect tab;
    m_tab.GetWindowRect(&tab);
    ScreenToClient(&tab);
    if (tab.IsRectEmpty())
        return;
    CRect client;
    GetClientRect(&client);
    tab.right = client.right - 5;
    tab.bottom = client.bottom - 2;
    m_tab.MoveWindow(&tab);
    m_tab.Invalidate();
    PlacePages();
}

void CStudyInfoDlg::OnTabSelChanging(NMHDR*, LRESULT* pResult)
{
    if (CStudyPageDlg* page = PageOf(m_tab.GetCurSel()))
        page->ShowWindow(SW_HIDE);
    *pResult = m_tab.OnSelChanging();
}

void CStudyInfoDlg::OnTabSelChange(NMHDR*, LRESULT* pResult)
{
    if (CStudyPageDlg* page = PageOf(m_tab.GetCurSel()))
        page->ShowWindow(SW_SHOW);
    *pResult = m_tab.OnSelChange();
}

void CStudyInfoDlg::SelectPage(int page)
{
    if (!PageOf(page) || page == m_tab.GetCurSel())
        return;
    LRESULT result = 0;
    OnTabSelChanging(nullptr, &result);
    m_tab.SetCurSel(page);
    OnTabSelChange(nullptr, &result);
}

void CStudyInfoDlg::RefreshPages()
{
    if (!CReviewContext::HasInstance())
        return;
    m_trendPage.Refresh();
    m_wavePage.Refresh();
}

void CStudyInfoDlg::OnDestroy()
{
    CDialog::OnDestroy();
    for (CStudyPageDlg* page : { static_cast<CStudyPageDlg*>(&m_trendPage), static_cast<CStudyPageDlg*>(&m_wavePage) })
        if (::IsWindow(page->m_hWnd))
            page->DestroyWindow();
}

HBRUSH CStudyInfoDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (HBRUSH own = DialogBrushFor(m_brBack, pDC, pWnd, nCtlColor, kGreyControls))
        return own;
    return reinterpret_cast<HBRUSH>(Default());
}

// ---- the study -----------------------------------------------------------------------------------------

void CStudyInfoDlg::ClearFields()
{
    for (const int id : kFields)
        SetDlgItemText(id, "");
}

void CStudyInfoDlg::LoadStudy()
{
    if (!CReviewContext::HasInstance())
        return;
    CReviewContext& context = *CReviewContext::GetInstance();
    ClearFields();
    m_patientId = context.GetPatientId();
    m_studyId = context.GetStudyId();
    if (m_studyId.IsEmpty()) {
        GetDlgItem(IDC_STUDY_EDIT)->EnableWindow(FALSE);
    } else {
        if (!LoadCurrentStudyRecording(context))
            ::MessageBox(GetSafeHwnd(), KTGF::GetString(IDS_RECORD_FILE_NOT_OPENED), kProgramName, MB_OK);
        FillFields();
        GetDlgItem(IDC_STUDY_EDIT)->EnableWindow(TRUE);
    }
    RefreshPages();
}

void CStudyInfoDlg::FillFields()
{
    m_patientId.Trim();
    m_studyId.Trim();
    KTAdo* db = Database();
    if (!db || m_patientId.IsEmpty() || m_studyId.IsEmpty())
        return;
    TBLStudy study(db);
    study.S_ID = m_patientId;
    study.S_STUDY_ID = m_studyId;
    if (study.Get() != 1)
        return;
    SetDlgItemText(IDC_STUDY_START, study.S_START_TIME.Format("%Y-%m-%d %H:%M:%S"));
    int records = 0;
    if (CReviewContext::HasInstance())
        records = CReviewContext::GetInstance()->GetReader().GetRecordCount();
    SetDlgItemText(IDC_STUDY_LENGTH, DurationText(records));
    SetDlgItemText(IDC_STUDY_DOCTOR, TBLUser::GetUserNameStringInDatabase(db, study.S_DOCTOR_ID));
    SetDlgItemText(IDC_STUDY_NURSE, TBLUser::GetUserNameStringInDatabase(db, study.S_NURSE_ID));
    SetDlgItemText(IDC_STUDY_COMMENT, study.S_COMMENT);
}

// ---- editing the comment -------------------------------------------------------------------------------

// Switching the mode fills the fields again from the row (the stored comment comes back); the
// recording already loaded stays, so the pages keep their place.
void CStudyInfoDlg::SetEditMode(int mode)
{
    m_nEditMode = mode ? 1 : 0;
    SetDlgItemText(IDC_STUDY_EDIT, LoadText(m_nEditMode ? IDS_SAVE : IDS_EDIT));
    GetDlgItem(IDC_STUDY_EDIT)->EnableWindow(m_nEditMode || !m_patientId.IsEmpty());
    GetDlgItem(IDC_STUDY_COMMENT)->EnableWindow(m_nEditMode);
    GetDlgItem(IDC_STUDY_CANCEL)->EnableWindow(m_nEditMode);
    ClearFields();
    FillFields();
}

void CStudyInfoDlg::OnEditSave()
{
    if (!m_nEditMode) {
        SetEditMode(1);
        return;
    }
    CString comment;
    GetDlgItem(IDC_STUDY_COMMENT)->GetWindowText(comment);
    if (!m_patientId.IsEmpty() && !m_studyId.IsEmpty())
        SaveStudyComment(Database(), m_patientId, m_studyId, comment, COleDateTime::GetCurrentTime());
    SetEditMode(0);
    if (CReviewContext::HasInstance())
        CReviewContext::GetInstance()->RefreshPatientInfo();
}

void CStudyInfoDlg::OnCancelEdit() { SetEditMode(0); }

} // namespace tarlux
