// CPrintPreview: the pages of a print job, one at a time, scaled into a window over the frame.
#include "platform/ui/printing/PrintPreview.h"

#include "platform/gdi/SysColors.h"
#include "platform/gdi/WindowDCs.h"
#include "platform/ui/framework/FrameWnd.h"
#include "platform/ui/framework/View.h"

#include <algorithm>

namespace {

constexpr int kButtonBarHeight = 30;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 22;
constexpr int kMargin = 8;
constexpr int kShadow = 3;

} // namespace

CPrintPreview::CPrintPreview(CView* pView, std::unique_ptr<CPrintInfo> pInfo) : m_pView(pView), m_info(std::move(pInfo)) {}

CPrintPreview::~CPrintPreview()
{
    if (m_pView && m_pView->m_pPreview == this)
        m_pView->m_pPreview = nullptr;
}

const platform::MessageMap* CPrintPreview::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_PAINT, &CPrintPreview::OnPaint>(),
        Message<WM_ERASEBKGND, &CPrintPreview::OnEraseBkgnd>(),
        Message<WM_SIZE, &CPrintPreview::OnSize>(),
        Message<WM_KEYDOWN, &CPrintPreview::OnKeyDown>(),
        Command<&CPrintPreview::OnNextPage>(AFX_ID_PREVIEW_NEXT),
        Command<&CPrintPreview::OnPrevPage>(AFX_ID_PREVIEW_PREV),
        Command<&CPrintPreview::OnPreviewClose>(AFX_ID_PREVIEW_CLOSE),
        Command<&CPrintPreview::OnPreviewPrint>(AFX_ID_PREVIEW_PRINT),
    };
    static constexpr platform::MessageMap kMap { &CWnd::GetThisMessageMap, kEntries };
    return &kMap;
}

BOOL CPrintPreview::Start(CFrameWnd* pFrame)
{
    m_pFrame = pFrame;
    // The printer DC gives the page size in the job's mode; the view may turn it to landscape.
    if (!m_info->m_pPD->CreatePrinterDC(m_printerDC)) {
        delete this;
        return FALSE;
    }
    m_pView->m_pPreview = this;
    m_pView->OnBeginPrinting(&m_printerDC, m_info.get());
    m_info->m_nCurPage = std::max(m_info->GetMinPage(), 1u);

    // The preview takes the frame's client area; what it covers is hidden until it closes.
    for (CWnd* child = pFrame->GetTopWindow(); child; child = child->GetNextWindow())
        if (child->IsWindowVisible()) {
            m_hidden.push_back(child->m_hWnd);
            child->ShowWindow(SW_HIDE);
        }
    CRect client;
    pFrame->GetClientRect(&client);
    if (!Create(nullptr, "", WS_CHILD | WS_VISIBLE, client, pFrame, AFX_IDW_PANE_FIRST + 1)) {
        // Create failed: PostNcDestroy deleted the object already.
        return FALSE;
    }
    auto makeButton = [&](CButton& button, LPCTSTR text, UINT id) {
        button.Create(text, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, kButtonWidth, kButtonHeight), this, id);
    };
    makeButton(m_print, "&Print...", AFX_ID_PREVIEW_PRINT);
    makeButton(m_next, "&Next Page", AFX_ID_PREVIEW_NEXT);
    makeButton(m_prev, "Pre&v Page", AFX_ID_PREVIEW_PREV);
    makeButton(m_close, "&Close", AFX_ID_PREVIEW_CLOSE);
    LayoutButtons();
    UpdateButtons();
    SetFocus();
    return TRUE;
}

void CPrintPreview::LayoutButtons()
{
    int x = kMargin;
    for (CButton* b : { &m_print, &m_next, &m_prev, &m_close }) {
        if (b->GetSafeHwnd())
            b->MoveWindow(x, (kButtonBarHeight - kButtonHeight) / 2, kButtonWidth, kButtonHeight);
        x += kButtonWidth + kMargin / 2;
    }
}

void CPrintPreview::UpdateButtons()
{
    UINT page = m_info->m_nCurPage;
    if (m_next.GetSafeHwnd())
        m_next.EnableWindow(page < GetPageCount());
    if (m_prev.GetSafeHwnd())
        m_prev.EnableWindow(page > m_info->GetMinPage());
}

void CPrintPreview::OnUpdateNextPage(CCmdUI* pCmdUI) { pCmdUI->Enable(m_info->m_nCurPage < GetPageCount()); }
void CPrintPreview::OnUpdatePrevPage(CCmdUI* pCmdUI) { pCmdUI->Enable(m_info->m_nCurPage > m_info->GetMinPage()); }

void CPrintPreview::OnNextPage()
{
    if (m_info->m_nCurPage >= GetPageCount())
        return;
    ++m_info->m_nCurPage;
    UpdateButtons();
    Invalidate();
}

void CPrintPreview::OnPrevPage()
{
    if (m_info->m_nCurPage <= m_info->GetMinPage())
        return;
    --m_info->m_nCurPage;
    UpdateButtons();
    Invalidate();
}

void CPrintPreview::OnPreviewClose()
{
    CView* view = m_pView;
    CPoint none(0, 0);
    view->OnEndPrintPreview(&m_printerDC, m_info.get(), none, this);
    DestroyWindow();
}

void CPrintPreview::OnPreviewPrint()
{
    CView* view = m_pView;
    OnPreviewClose();
    // The view's own print command, as from the frame: the print dialog, then the job.
    if (view && ::IsWindow(view->m_hWnd))
        view->SendMessage(WM_COMMAND, ID_FILE_PRINT);
}

void CPrintPreview::OnKeyDown(UINT nChar, UINT, UINT)
{
    switch (nChar) {
    case VK_NEXT:
    case VK_RIGHT: OnNextPage(); break;
    case VK_PRIOR:
    case VK_LEFT: OnPrevPage(); break;
    case VK_ESCAPE: OnPreviewClose(); break;
    default: break;
    }
}

void CPrintPreview::PostNcDestroy()
{
    // The frame's children come back.
    for (HWND h : m_hidden)
        if (::IsWindow(h))
            ::ShowWindow(h, SW_SHOW);
    if (m_pFrame && ::IsWindow(m_pFrame->m_hWnd))
        m_pFrame->RecalcLayout();
    delete this;
}

// ---- geometry and painting ----

SIZE CPrintPreview::PrinterPageSize() const
{
    auto& dc = const_cast<CDC&>(m_printerDC);
    return SIZE { std::max(1, dc.GetDeviceCaps(HORZRES)), std::max(1, dc.GetDeviceCaps(VERTRES)) };
}

CRect CPrintPreview::GetPageRect() const
{
    CRect client;
    GetClientRect(&client);
    CRect area(client.left + kMargin, client.top + kButtonBarHeight + kMargin, client.right - kMargin - kShadow,
               client.bottom - kMargin - kShadow);
    if (area.Width() <= 0 || area.Height() <= 0)
        return CRect();
    SIZE page = PrinterPageSize();
    // The largest page of the printer's shape that fits.
    long long width = area.Width();
    long long height = width * page.cy / page.cx;
    if (height > area.Height()) {
        height = area.Height();
        width = height * page.cx / page.cy;
    }
    int left = area.left + static_cast<int>((area.Width() - width) / 2);
    int top = area.top + static_cast<int>((area.Height() - height) / 2);
    return CRect(left, top, left + static_cast<int>(width), top + static_cast<int>(height));
}

void CPrintPreview::RenderPage()
{
    CRect page = GetPageRect();
    if (page.IsRectEmpty())
        return;
    CClientDC screen(this);
    CDC dc;
    if (!dc.CreateCompatibleDC(&screen))
        return;
    m_pageBitmap.DeleteObject();
    if (!m_pageBitmap.CreateCompatibleBitmap(&screen, page.Width(), page.Height()))
        return;
    CBitmap* old = dc.SelectObject(&m_pageBitmap);
    CRect paper(0, 0, page.Width(), page.Height());
    dc.FillSolidRect(&paper, RGB(255, 255, 255));

    // The view draws in printer units; the mapping scales them onto the preview's pixels.
    SIZE printer = PrinterPageSize();
    int saved = dc.SaveDC();
    dc.m_bPrinting = TRUE;
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(printer.cx, printer.cy);
    dc.SetViewportExt(page.Width(), page.Height());
    m_info->m_rectDraw.SetRect(0, 0, printer.cx, printer.cy);
    m_info->m_bContinuePrinting = TRUE;
    m_pView->OnPrepareDC(&dc, m_info.get());
    if (m_info->m_bContinuePrinting)
        m_pView->OnPrint(&dc, m_info.get());
    dc.RestoreDC(saved);
    dc.m_bPrinting = FALSE;
    dc.SelectObject(old);
    m_renderedPage = m_info->m_nCurPage;
}

BOOL CPrintPreview::OnEraseBkgnd(CDC*) { return TRUE; }

void CPrintPreview::OnSize(UINT, int, int)
{
    LayoutButtons();
    m_renderedPage = 0; // a new size needs a new rendering
    Invalidate();
}

void CPrintPreview::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CRect bar(client.left, client.top, client.right, client.top + kButtonBarHeight);
    dc.FillSolidRect(&bar, GetSysColor(COLOR_BTNFACE));
    CRect rest(client.left, bar.bottom, client.right, client.bottom);
    dc.FillSolidRect(&rest, GetSysColor(COLOR_APPWORKSPACE));

    CRect page = GetPageRect();
    if (page.IsRectEmpty())
        return;
    BITMAP info {};
    bool stale = m_renderedPage != m_info->m_nCurPage || !m_pageBitmap.GetSafeHandle()
                 || !m_pageBitmap.GetBitmap(&info) || info.bmWidth != page.Width() || info.bmHeight != page.Height();
    if (stale)
        RenderPage();
    CRect shadow = page;
    shadow.OffsetRect(kShadow, kShadow);
    dc.FillSolidRect(&shadow, GetSysColor(COLOR_BTNSHADOW));
    CDC picture;
    if (m_pageBitmap.GetSafeHandle() && picture.CreateCompatibleDC(&dc)) {
        CBitmap* old = picture.SelectObject(&m_pageBitmap);
        dc.BitBlt(page.left, page.top, page.Width(), page.Height(), &picture, 0, 0, SRCCOPY);
        picture.SelectObject(old);
    }
    dc.FrameRect(&page, CBrush::FromHandle(GetSysColorBrush(COLOR_WINDOWFRAME)));
}
