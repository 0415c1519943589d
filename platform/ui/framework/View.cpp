// CView: drawing, initial update, routing to the document, and the print loop.
#include "platform/ui/framework/View.h"

#include "platform/gdi/WindowDCs.h"
#include "platform/ui/framework/DocTemplate.h"
#include "platform/ui/framework/Document.h"
#include "platform/ui/framework/FrameWnd.h"
#include "platform/ui/printing/PrintInfo.h"
#include "platform/ui/printing/PrintPreview.h"

namespace {
constexpr int kMouseActivate = 1; // MA_ACTIVATE: activate, and pass the click on
} // namespace

CView::~CView()
{
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

const platform::MessageMap* CView::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_CREATE, &CView::OnCreate>(),
        Message<WM_DESTROY, &CView::OnDestroy>(),
        Message<WM_PAINT, &CView::OnPaint>(),
        Message<WM_MOUSEACTIVATE, &CView::OnMouseActivate>(),
        Message<WM_INITIALUPDATE, &CView::OnInitialUpdateMessage>(),
    };
    static constexpr platform::MessageMap kMap { &CWnd::GetThisMessageMap, kEntries };
    return &kMap;
}

CFrameWnd* CView::GetParentFrame() const { return AfxGetParentFrame(this); }

BOOL CView::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CWnd::PreCreateWindow(cs))
        return FALSE;
    cs.style |= WS_CLIPSIBLINGS;
    return TRUE;
}

int CView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    auto* context = static_cast<CCreateContext*>(lpcs ? lpcs->lpCreateParams : nullptr);
    if (context && context->m_pCurrentDoc)
        context->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy()
{
    if (m_pPreview && ::IsWindow(m_pPreview->m_hWnd))
        m_pPreview->DestroyWindow();
    if (CFrameWnd* frame = GetParentFrame(); frame && frame->GetActiveView() == this)
        frame->SetActiveView(nullptr, FALSE);
    Default();
}

void CView::PostNcDestroy()
{
    // The document may close itself when its last view goes.
    if (m_pDocument)
        m_pDocument->RemoveView(this);
    delete this;
}

void CView::OnPaint()
{
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

int CView::OnMouseActivate(CWnd*, UINT, UINT)
{
    if (CFrameWnd* frame = GetParentFrame())
        frame->SetActiveView(this);
    return kMouseActivate;
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM)
{
    OnInitialUpdate();
    return 0;
}

void CView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }

void CView::OnUpdate(CView*, LPARAM, CObject*) { Invalidate(TRUE); }

void CView::OnActivateView(BOOL bActivate, CView* pActivateView, CView*)
{
    if (bActivate && pActivateView == this && ::IsWindow(m_hWnd))
        SetFocus();
}

void CView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    (void)pDC;
    // Printing stops after the last page; a view that never said how many pages it has gets one.
    if (!pInfo)
        return;
    if (pInfo->HasPageLimit() ? pInfo->m_nCurPage > pInfo->GetMaxPage() : pInfo->m_nCurPage > pInfo->GetFromPage())
        pInfo->m_bContinuePrinting = FALSE;
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocument && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// ---- printing ----

BOOL CView::OnPreparePrinting(CPrintInfo* pInfo) { return DoPreparePrinting(pInfo); }

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo)
{
    if (!pInfo || !pInfo->m_pPD)
        return FALSE;
    CPrintDialog& dialog = *pInfo->m_pPD;
    if (pInfo->m_bDirect || pInfo->m_bPreview)
        return dialog.GetDefaults();
    // The dialog starts from the printer and mode print setup chose.
    dialog.GetDefaults();
    dialog.m_pd.hwndOwner = m_hWnd;
    return dialog.DoModal() == IDOK;
}

void CView::OnBeginPrinting(CDC*, CPrintInfo*) {}

void CView::OnPrint(CDC* pDC, CPrintInfo*) { OnDraw(pDC); }

void CView::OnEndPrinting(CDC*, CPrintInfo*) {}

void CView::OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT, CPrintPreview*) { OnEndPrinting(pDC, pInfo); }

void CView::OnFilePrint()
{
    CPrintInfo info;
    const MSG* current = GetCurrentMessage();
    if (current && current->message == WM_COMMAND && LOWORD(current->wParam) == ID_FILE_PRINT_DIRECT)
        info.m_bDirect = TRUE;
    if (!OnPreparePrinting(&info))
        return;
    PrintPages(info);
}

BOOL CView::PrintPages(CPrintInfo& info)
{
    CDC dc;
    if (!info.m_pPD->CreatePrinterDC(dc))
        return FALSE;
    OnBeginPrinting(&dc, &info);
    // A job whose view found no page to print starts no document at all.
    if (info.GetToPage() < info.GetFromPage()) {
        OnEndPrinting(&dc, &info);
        return FALSE;
    }

    CString title = m_pDocument ? m_pDocument->GetTitle() : CString();
    CString output = info.m_pPD->GetOutputFile();
    DOCINFO doc;
    doc.lpszDocName = title;
    doc.lpszOutput = output.IsEmpty() ? nullptr : static_cast<LPCSTR>(output);
    if (dc.StartDoc(&doc) <= 0) {
        OnEndPrinting(&dc, &info);
        return FALSE;
    }
    bool ok = true;
    UINT last = info.GetToPage();
    for (info.m_nCurPage = info.GetFromPage(); info.m_nCurPage <= last; ++info.m_nCurPage) {
        OnPrepareDC(&dc, &info);
        if (!info.m_bContinuePrinting)
            break;
        if (dc.StartPage() <= 0) {
            ok = false;
            break;
        }
        info.m_rectDraw.SetRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
        int saved = dc.SaveDC();
        OnPrint(&dc, &info);
        dc.RestoreDC(saved);
        if (dc.EndPage() <= 0) {
            ok = false;
            break;
        }
    }
    if (ok)
        ok = dc.EndDoc() > 0;
    else
        dc.AbortDoc();
    OnEndPrinting(&dc, &info);
    return ok ? TRUE : FALSE;
}

void CView::OnFilePrintPreview()
{
    if (m_pPreview)
        return;
    auto info = std::make_unique<CPrintInfo>();
    info->m_bPreview = TRUE;
    if (!OnPreparePrinting(info.get()))
        return;
    CFrameWnd* frame = GetParentFrame();
    if (!frame)
        return;
    auto* preview = new CPrintPreview(this, std::move(info));
    preview->Start(frame);
}
