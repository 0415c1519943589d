// The study information dialog: loading the chosen study and its trend page.
#include "tarlux/study/CStudyInfoDlg.h"

#include "tarlux/context/CReviewContext.h"
#include "tarlux/res/TarluxResources.h"
#include "tarlux/study/StudyRecording.h"

#include "ktutil/KTGF.h"

using namespace platform::msgmap;

namespace tarlux {
namespace {

// The page's distance from the dialog's edges.
constexpr int kPageMargin = 2;

} // namespace

CStudyInfoDlg::CStudyInfoDlg() : CDialog(IDD_STUDY_INFO) {}

const platform::MessageMap* CStudyInfoDlg::GetThisMessageMap()
{
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_SIZE, &CStudyInfoDlg::OnSize>(),
    };
    static constexpr platform::MessageMap kMap { &CDialog::GetThisMessageMap, kEntries };
    return &kMap;
}

BOOL CStudyInfoDlg::Create(CWnd* pParentWnd) { return CDialog::Create(IDD_STUDY_INFO, pParentWnd); }

BOOL CStudyInfoDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_trendPage.Create(this);
    PlacePages();
    m_trendPage.ShowWindow(SW_SHOW);
    return TRUE;
}

// The dialog is part of the form: Enter and Escape never close or hide it.
BOOL CStudyInfoDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE))
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

void CStudyInfoDlg::PlacePages()
{
    if (!::IsWindow(m_trendPage.m_hWnd))
        return;
    CRect client;
    GetClientRect(&client);
    client.DeflateRect(kPageMargin, kPageMargin);
    m_trendPage.MoveWindow(&client);
}

void CStudyInfoDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    PlacePages();
}

void CStudyInfoDlg::LoadStudy()
{
    if (!CReviewContext::HasInstance())
        return;
    CReviewContext& context = *CReviewContext::GetInstance();
    m_patientId = context.GetPatientId();
    m_studyId = context.GetStudyId();
    if (!LoadCurrentStudyRecording(context))
        ::MessageBox(GetSafeHwnd(), KTGF::GetString(IDS_RECORD_FILE_NOT_OPENED), kProgramName, MB_OK);
    RefreshPages();
}

void CStudyInfoDlg::RefreshPages()
{
    if (!CReviewContext::HasInstance())
        return;
    m_trendPage.Refresh();
}

} // namespace tarlux
