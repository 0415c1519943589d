// CFrameWnd: creation from a document template, layout of bars and view, routing, title, closing.
#include "platform/ui/framework/FrameWnd.h"

#include "platform/core/Collections.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/SysColors.h"
#include "platform/msg/MessageQueue.h"
#include "platform/ui/framework/ControlBar.h"
#include "platform/ui/framework/DocTemplate.h"
#include "platform/ui/framework/Document.h"
#include "platform/ui/framework/View.h"
#include "platform/ui/framework/WinApp.h"

#include <vector>

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

CFrameWnd* AfxGetParentFrame(const CWnd* wnd)
{
    for (HWND h = wnd ? wnd->GetSafeHwnd() : nullptr; h; h = ::GetParent(h))
        if (auto* frame = dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(h)))
            return frame;
    return nullptr;
}

CFrameWnd::~CFrameWnd()
{
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this)
        app->m_pMainWnd = nullptr;
}

const platform::MessageMap* CFrameWnd::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_CREATE, &CFrameWnd::OnCreate>(),
        Message<WM_SIZE, &CFrameWnd::OnSize>(),
        Message<WM_CLOSE, &CFrameWnd::OnClose>(),
        Message<WM_DESTROY, &CFrameWnd::OnDestroy>(),
        Message<WM_ERASEBKGND, &CFrameWnd::OnEraseBkgnd>(),
        Message<WM_SETFOCUS, &CFrameWnd::OnSetFocus>(),
        Message<WM_SETMESSAGESTRING, &CFrameWnd::OnSetMessageString>(),
        Message<WM_IDLEUPDATECMDUI, &CFrameWnd::OnIdleUpdateCmdUIMessage>(),
    };
    static constexpr platform::MessageMap kMap { &CWnd::GetThisMessageMap, kEntries };
    return &kMap;
}

// ---- creation ----

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    return CWnd::PreCreateWindow(cs);
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    CString strings;
    strings.LoadString(nIDResource);
    int newline = strings.Find('\n');
    m_strTitle = newline < 0 ? strings : strings.Left(newline);
    return Create(nullptr, m_strTitle, dwDefaultStyle, rectDefault, pParentWnd, nullptr, 0, pContext);
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                       LPCTSTR, DWORD dwExStyle, CCreateContext* pContext)
{
    if (lpszWindowName && m_strTitle.IsEmpty())
        m_strTitle = lpszWindowName;
    // rectDefault leaves place and size to the window layer.
    bool byDefault = rect.left == CW_USEDEFAULT;
    int x = byDefault ? CW_USEDEFAULT : rect.left;
    int y = byDefault ? CW_USEDEFAULT : rect.top;
    int cx = byDefault ? CW_USEDEFAULT : rect.right - rect.left;
    int cy = byDefault ? CW_USEDEFAULT : rect.bottom - rect.top;
    m_pCreateContext = pContext;
    BOOL ok = CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, cx, cy,
                       pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr, nullptr, pContext);
    return ok;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    auto* context = static_cast<CCreateContext*>(lpCreateStruct ? lpCreateStruct->lpCreateParams : nullptr);
    if (!OnCreateClient(lpCreateStruct, context))
        return -1;
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext && pContext->m_pNewViewClass)
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    if (!pContext || !pContext->m_pNewViewClass)
        return nullptr;
    CObject* object = pContext->m_pNewViewClass->CreateObject();
    auto* view = dynamic_cast<CWnd*>(object);
    if (!view) {
        delete object;
        return nullptr;
    }
    // A view that fails to create deletes itself (PostNcDestroy).
    if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, nID, pContext))
        return nullptr;
    return view;
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    CView* view = m_pViewActive;
    if (!view)
        view = dynamic_cast<CView*>(GetDlgItem(AFX_IDW_PANE_FIRST));
    if (bMakeVisible) {
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE);
        if (view)
            SetActiveView(view, FALSE);
    }
    OnUpdateFrameTitle(TRUE);
    (void)pDoc;
    if (bMakeVisible) {
        CWinApp* app = AfxGetApp();
        ActivateFrame(app && app->m_pMainWnd == this ? app->m_nCmdShow : -1);
    }
    RecalcLayout();
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1)
        nCmdShow = IsWindowVisible() ? SW_SHOW : SW_SHOWNORMAL;
    ShowWindow(nCmdShow);
    if (IsWindowVisible())
        BringWindowToTop();
}

// ---- views ----

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* old = m_pViewActive;
    if (old == pViewNew)
        return;
    m_pViewActive = pViewNew;
    if (bNotify && old)
        old->OnActivateView(FALSE, pViewNew, old);
    if (bNotify && pViewNew)
        pViewNew->OnActivateView(TRUE, pViewNew, old);
}

CDocument* CFrameWnd::GetActiveDocument()
{
    return m_pViewActive ? m_pViewActive->GetDocument() : nullptr;
}

// ---- layout ----

CControlBar* CFrameWnd::GetControlBar(UINT nID)
{
    struct Search
    {
        UINT id;
        CControlBar* found;
    } search { nID, nullptr };
    EnumChildWindows(
        m_hWnd,
        [](HWND h, LPARAM l) -> BOOL {
            auto* s = reinterpret_cast<Search*>(l);
            if (::GetDlgCtrlID(h) != static_cast<int>(s->id))
                return TRUE;
            s->found = dynamic_cast<CControlBar*>(CWnd::FromHandlePermanent(h));
            return s->found ? FALSE : TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL)
{
    if (!pBar)
        return;
    pBar->ShowWindow(bShow ? SW_SHOWNA : SW_HIDE);
    RecalcLayout();
}

void CFrameWnd::RecalcLayout(BOOL)
{
    if (!m_hWnd)
        return;
    CRect area;
    GetClientRect(&area);
    // Bars along the top in creation order, then the bottom ones from the bottom edge up.
    for (CWnd* child = GetTopWindow(); child; child = child->GetNextWindow()) {
        auto* bar = dynamic_cast<CControlBar*>(CWnd::FromHandlePermanent(child->m_hWnd));
        if (!bar || !bar->IsWindowVisible())
            continue;
        DWORD align = bar->GetBarStyle() & CBRS_ALIGN_ANY;
        if (align & CBRS_ALIGN_TOP) {
            CSize size = bar->CalcFixedLayout(TRUE, TRUE);
            bar->MoveWindow(area.left, area.top, area.Width(), size.cy);
            area.top += size.cy;
        } else if (align & CBRS_ALIGN_BOTTOM) {
            CSize size = bar->CalcFixedLayout(TRUE, TRUE);
            bar->MoveWindow(area.left, area.bottom - size.cy, area.Width(), size.cy);
            area.bottom -= size.cy;
        }
    }
    if (CWnd* view = GetDlgItem(AFX_IDW_PANE_FIRST)) {
        if (area.bottom < area.top)
            area.bottom = area.top;
        view->MoveWindow(&area);
    }
}

void CFrameWnd::OnSize(UINT nType, int, int)
{
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (!m_hWnd)
        return;
    CString title = m_strTitle;
    CDocument* doc = GetActiveDocument();
    if (bAddToTitle && (GetStyle() & FWS_ADDTOTITLE) && doc && !doc->GetTitle().IsEmpty()) {
        if (GetStyle() & FWS_PREFIXTITLE)
            title = doc->GetTitle() + " - " + m_strTitle;
        else
            title = m_strTitle + " - " + doc->GetTitle();
    }
    CString current;
    GetWindowText(current);
    if (current != title)
        SetWindowText(title);
}

void CFrameWnd::SetMessageText(LPCTSTR lpszText)
{
    if (CControlBar* bar = GetControlBar(AFX_IDW_STATUS_BAR))
        bar->SetWindowText(lpszText ? lpszText : "");
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    CString text;
    if (lParam)
        text = reinterpret_cast<LPCSTR>(lParam);
    else if (wParam)
        text.LoadString(static_cast<UINT>(wParam));
    SetMessageText(text);
    return 0;
}

// ---- routing and idle ----

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CView* view = m_pViewActive)
        if (view->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CFrameWnd::OnIdleUpdateCmdUI()
{
    if (!m_hWnd || !IsWindowVisible())
        return;
    // The title is not made again here: it follows the document when the document's title
    // changes and when the frame is first updated, and a title the program set itself stays.
    // Every bar below the frame, also those inside a rebar.
    SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUIMessage(WPARAM, LPARAM)
{
    OnIdleUpdateCmdUI();
    return 0;
}

// ---- closing ----

void CFrameWnd::OnClose()
{
    CWinApp* app = AfxGetApp();
    // The main window asked to close while a modal loop of this thread runs (a termination
    // request, a close posted under an open dialog): closing now would destroy the windows and
    // the objects the loop and its caller still use. The loops end first, as a Cancel, and the
    // request comes again once they have returned.
    if (app && app->m_pMainWnd == this && platform::msg::ModalLoopDepth() > 0) {
        platform::msg::CancelModalLoops();
        PostMessage(WM_CLOSE);
        return;
    }
    CDocument* doc = GetActiveDocument();
    if (doc && !doc->CanCloseFrame(this))
        return;
    if (app && app->m_pMainWnd == this) {
        // The main window: every document closes, and with it this frame, which may then be
        // deleted already: only the handle is used afterwards.
        HWND self = m_hWnd;
        app->CloseAllDocuments(FALSE);
        if (::IsWindow(self))
            ::DestroyWindow(self);
        return;
    }
    if (doc)
        doc->OnCloseDocument();
    else
        DestroyWindow();
}

void CFrameWnd::OnDestroy()
{
    m_pViewActive = nullptr;
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        PostQuitMessage(0);
    }
    Default();
}

BOOL CFrameWnd::OnEraseBkgnd(CDC* pDC)
{
    // The view covers the client area; without one the frame shows a face.
    if (m_pViewActive && m_pViewActive->IsWindowVisible())
        return TRUE;
    CRect r;
    GetClientRect(&r);
    if (pDC)
        pDC->FillSolidRect(&r, GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

void CFrameWnd::OnSetFocus(CWnd*)
{
    if (m_pViewActive && ::IsWindow(m_pViewActive->m_hWnd))
        m_pViewActive->SetFocus();
}

void CFrameWnd::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}
