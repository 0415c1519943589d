// CFormView: a view on a dialog template.
#include "platform/ui/framework/FormView.h"

#include "platform/gdi/SysColors.h"
#include "platform/gdi/WindowDCs.h"
#include "platform/ui/dialogs/DialogFunctions.h"
#include "platform/ui/dialogs/DialogTemplate.h"

const platform::MessageMap* CFormView::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_ERASEBKGND, &CFormView::OnEraseBkgnd>(),
        Message<WM_PAINT, &CFormView::OnPaint>(),
    };
    static constexpr platform::MessageMap kMap { &CView::GetThisMessageMap, kEntries };
    return &kMap;
}

BOOL CFormView::Create(LPCTSTR, LPCTSTR, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, void* pContext)
{
    const platform::DialogTemplate* tmpl = m_lpszTemplateName ? platform::FindDialogTemplate(m_lpszTemplateName)
                                                                : platform::FindDialogTemplate(m_nIDTemplate);
    if (!tmpl || !(tmpl->style & WS_CHILD) || !pParentWnd) {
        // A form needs a child template; without one there is no view, and the object goes
        // the way a view that fails to create goes.
        PostNcDestroy();
        return FALSE;
    }
    // The creation context travels as the creation parameter, so that OnCreate joins the
    // document as for any view.
    HWND hwnd = platform::ui::CreateDialogFromTemplate(*tmpl, pParentWnd->GetSafeHwnd(), this, reinterpret_cast<LPARAM>(pContext));
    if (!hwnd)
        return FALSE;
    SetDlgCtrlID(static_cast<int>(nID));
    MoveWindow(&rect, FALSE);
    if (dwStyle & WS_VISIBLE)
        ShowWindow(SW_SHOW);
    return TRUE;
}

void CFormView::OnInitialUpdate()
{
    UpdateData(FALSE);
    CView::OnInitialUpdate();
}

BOOL CFormView::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    return platform::ui::RunDataExchange(dx, [this](CDataExchange* pDX) { DoDataExchange(pDX); }) ? TRUE : FALSE;
}

BOOL CFormView::PreTranslateMessage(MSG* pMsg)
{
    if (!m_hWnd || pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    return ::IsDialogMessage(m_hWnd, pMsg);
}

BOOL CFormView::OnEraseBkgnd(CDC* pDC)
{
    CRect r;
    GetClientRect(&r);
    if (pDC)
        pDC->FillSolidRect(&r, GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

void CFormView::OnPaint()
{
    // The controls paint themselves; the form has only its face, drawn at erase.
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}
