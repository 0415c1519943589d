// The review form: its three dialogs, their layout and the review context's messages.
#include "tarlux/view/CTarluxIIView.h"

#include "tarlux/app/ReviewDatabase.h"
#include "tarlux/context/CReviewContext.h"
#include "tarlux/res/TarluxResources.h"
#include "tarlux/settings/CEnvironmentSettingDlg.h"

#include "platform/gdi/CDC.h"
#include "platform/gdi/CGdiObject.h"
#include "platform/ui/framework/FrameWnd.h"

#include <algorithm>

using namespace platform::msgmap;

namespace tarlux {
namespace {

// The gap between the dialogs and the form's edges.
constexpr int kEdge = 2;
constexpr COLORREF kFormText = RGB(0, 0, 0);

} // namespace

CTarluxIIView::CTarluxIIView() : CFormView(IDD_TARLUXII_FORM) {}

const platform::MessageMap* CTarluxIIView::GetThisMessageMap()
{
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_SIZE, &CTarluxIIView::OnSize>(),
        Message<WM_DESTROY, &CTarluxIIView::OnDestroy>(),
        Message<WM_ERASEBKGND, &CTarluxIIView::OnEraseBkgnd>(),
        Message<WM_CTLCOLORDLG, &CTarluxIIView::OnCtlColor>(),
        Message<WM_CTLCOLORSTATIC, &CTarluxIIView::OnCtlColor>(),
        Message<WM_CTLCOLORBTN, &CTarluxIIView::OnCtlColor>(),
        Message<WM_CTLCOLOREDIT, &CTarluxIIView::OnCtlColor>(),
        Message<WM_CTLCOLORLISTBOX, &CTarluxIIView::OnCtlColor>(),
        Message<WM_PATIENT_CHANGED, &CTarluxIIView::OnPatientChanged>(),
        Message<WM_STUDY_CHANGED, &CTarluxIIView::OnStudyChanged>(),
        Message<WM_PATIENT_LIST_REFRESH, &CTarluxIIView::OnPatientListRefresh>(),
        Message<WM_PATIENT_INFO_REFRESH, &CTarluxIIView::OnPatientInfoRefresh>(),
        Message<WM_SETTINGS_CHANGED, &CTarluxIIView::OnSettingsChanged>(),
        Command<&CTarluxIIView::OnReviewExit>(ID_REVIEW_EXIT),
        Command<&CTarluxIIView::OnReviewSetting>(ID_REVIEW_SETTING),
        Command<&CTarluxIIView::OnReviewPrint>(ID_REVIEW_PRINT),
        Command<&CTarluxIIView::OnReviewPreview>(ID_REVIEW_PREVIEW),
        Command<&CTarluxIIView::OnReviewImage>(ID_REVIEW_IMAGE),
        // The framework's own print commands (the preview's "Print..." sends the first) print
        // the job the trend print dialog last chose.
        Command<&CView::OnFilePrint>(ID_FILE_PRINT),
        Command<&CView::OnFilePrint>(ID_FILE_PRINT_DIRECT),
        Command<&CView::OnFilePrintPreview>(ID_FILE_PRINT_PREVIEW),
    };
    static constexpr platform::MessageMap kMap { &CFormView::GetThisMessageMap, kEntries };
    return &kMap;
}

BOOL CTarluxIIView::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CFormView::PreCreateWindow(cs))
        return FALSE;
    cs.style &= ~static_cast<LONG>(WS_HSCROLL | WS_VSCROLL);
    return TRUE;
}

// ---- start ---------------------------------------------------------------------------------------------

void CTarluxIIView::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    if (CFrameWnd* frame = GetParentFrame())
        frame->RecalcLayout();
    FitFrameToForm();

    CReviewContext::GetInstance()->SetView(m_hWnd);
    ConnectReviewDatabase();
    CreateDialogs();
}

void CTarluxIIView::FitFrameToForm()
{
    CFrameWnd* frame = GetParentFrame();
    const platform::DialogTemplate* form = platform::FindDialogTemplate(IDD_TARLUXII_FORM);
    if (!frame || !form)
        return;
    CRect formRect(0, 0, form->cx, form->cy);
    ::MapDialogRect(m_hWnd, &formRect);
    CRect client;
    GetClientRect(&client);
    CRect frameRect;
    frame->GetWindowRect(&frameRect);
    MINMAXINFO limits {};
    frame->SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    const int width = std::max<int>(frameRect.Width() - std::max(0, client.Width() - formRect.Width()),
                                    limits.ptMinTrackSize.x);
    const int height = std::max<int>(frameRect.Height() - std::max(0, client.Height() - formRect.Height()),
                                     limits.ptMinTrackSize.y);
    if (width == frameRect.Width() && height == frameRect.Height())
        return;
    frame->SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The frame was centred at its first size; it stays centred at this one.
    frame->CenterWindow();
}

void CTarluxIIView::CreateDialogs()
{
    const struct
    {
        CDialog* dialog;
        BOOL (*create)(CDialog*, CWnd*);
        int frame;
    } places[] = {
        { &m_patientList, [](CDialog* d, CWnd* p) { return static_cast<CPatientListDlg*>(d)->Create(p); },
          IDC_FRAME_PATIENT_LIST },
        { &m_patientInfo, [](CDialog* d, CWnd* p) { return static_cast<CPatientInfoDlg*>(d)->Create(p); },
          IDC_FRAME_PATIENT_INFO },
        { &m_studyInfo, [](CDialog* d, CWnd* p) { return static_cast<CStudyInfoDlg*>(d)->Create(p); },
          IDC_FRAME_STUDY_INFO },
    };
    for (const auto& place : places) {
        if (!place.create(place.dialog, this))
            continue;
        if (CWnd* frame = GetDlgItem(place.frame)) {
            CRect r;
            frame->GetWindowRect(&r);
            ScreenToClient(&r);
            place.dialog->MoveWindow(&r);
            // The frame only marks the place; the dialog stands in it.
            frame->ShowWindow(SW_HIDE);
        }
        place.dialog->Invalidate();
        place.dialog->ShowWindow(SW_SHOW);
    }
}

// ---- layout --------------------------------------------------------------------------------------------

void CTarluxIIView::LayoutDialogs()
{
    CRect client;
    GetClientRect(&client);
    const auto place = [this](int frameId, CWnd& dialog, auto rectFor) {
        CWnd* frame = GetDlgItem(frameId);
        if (!frame)
            return;
        CRect r;
        frame->GetWindowRect(&r);
        ScreenToClient(&r);
        const CRect target = rectFor(r);
        frame->MoveWindow(&target);
        if (::IsWindow(dialog.m_hWnd)) {
            dialog.MoveWindow(&target);
            dialog.Invalidate();
        }
    };
    // The patient list keeps its width and fills the height.
    place(IDC_FRAME_PATIENT_LIST, m_patientList, [&](const CRect& r) {
        return CRect(client.left + kEdge, client.top + kEdge, client.left + kEdge + r.Width(), client.bottom - kEdge);
    });
    // The patient information keeps its height and fills the width.
    place(IDC_FRAME_PATIENT_INFO, m_patientInfo, [&](const CRect& r) {
        return CRect(r.left, client.top + kEdge, client.right - kEdge, client.top + kEdge + r.Height());
    });
    // The study information fills the rest.
    place(IDC_FRAME_STUDY_INFO, m_studyInfo,
          [&](const CRect& r) { return CRect(r.left, r.top, client.right - kEdge, client.bottom - kEdge); });
}

void CTarluxIIView::OnSize(UINT nType, int cx, int cy)
{
    CFormView::OnSize(nType, cx, cy);
    LayoutDialogs();
}

// ---- end -----------------------------------------------------------------------------------------------

void CTarluxIIView::OnDestroy()
{
    CFormView::OnDestroy();
    for (CWnd* dialog : { static_cast<CWnd*>(&m_patientList), static_cast<CWnd*>(&m_patientInfo),
                          static_cast<CWnd*>(&m_studyInfo) })
        if (::IsWindow(dialog->m_hWnd))
            dialog->DestroyWindow();
    CReviewContext::DeleteInstance();
}

// ---- colours -------------------------------------------------------------------------------------------

BOOL CTarluxIIView::OnEraseBkgnd(CDC* pDC)
{
    CRect r;
    GetClientRect(&r);
    if (pDC)
        pDC->FillSolidRect(&r, RGB(255, 255, 255));
    return TRUE;
}

HBRUSH CTarluxIIView::OnCtlColor(CDC* pDC, CWnd*, UINT)
{
    if (pDC) {
        pDC->SetTextColor(kFormText);
        pDC->SetBkColor(kFormText);
    }
    return reinterpret_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
}

// ---- the review context's messages ---------------------------------------------------------------------

LRESULT CTarluxIIView::OnPatientChanged(WPARAM, LPARAM)
{
    m_patientInfo.LoadPatient();
    return 0;
}

LRESULT CTarluxIIView::OnStudyChanged(WPARAM, LPARAM)
{
    CReviewContext::GetInstance()->OnStudyChangedTaken();
    if (m_bLoadingStudy) {
        m_bStudyChangedWhileLoading = true;
        return 0;
    }
    m_bLoadingStudy = true;
    do {
        m_bStudyChangedWhileLoading = false;
        m_studyInfo.LoadStudy();
    } while (m_bStudyChangedWhileLoading);
    m_bLoadingStudy = false;
    return 0;
}

LRESULT CTarluxIIView::OnPatientListRefresh(WPARAM, LPARAM)
{
    m_patientList.Search();
    return 0;
}

LRESULT CTarluxIIView::OnPatientInfoRefresh(WPARAM, LPARAM)
{
    m_patientInfo.LoadPatient();
    return 0;
}

LRESULT CTarluxIIView::OnSettingsChanged(WPARAM, LPARAM)
{
    m_studyInfo.RefreshPages();
    return 0;
}

// ---- toolbar -------------------------------------------------------------------------------------------

void CTarluxIIView::OnReviewExit()
{
    if (CWnd* frame = GetParent())
        frame->SendMessage(WM_CLOSE);
}

void CTarluxIIView::OnReviewSetting()
{
    CEnvironmentSettingDlg sheet;
    sheet.SetNotifyWnd(m_hWnd);
    sheet.DoModal();
}

} // namespace tarlux
