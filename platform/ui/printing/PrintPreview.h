// CPrintPreview: the print-preview window. It covers the frame's client area (bars and view) and
// shows one page of the view's print job scaled to fit, with Print, Next Page, Prev Page and
// Close buttons. Pages are drawn by the view's OnPrint on a screen bitmap whose mapping turns the
// printer's page (its size from a printer DC in the job's mode) into the preview's pixels, so the
// view draws in printer units exactly as when it prints. Closing ends the preview
// (OnEndPrinting) and shows the frame's children again.
#pragma once

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/printing/PrintInfo.h"

#include <memory>
#include <vector>

class CFrameWnd;
class CView;

class CPrintPreview : public CWnd
{
public:
    CPrintPreview(CView* pView, std::unique_ptr<CPrintInfo> pInfo);
    ~CPrintPreview() override;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    // Opens the preview over `pFrame`; FALSE (and the object deleted) when it cannot.
    BOOL Start(CFrameWnd* pFrame);

    UINT GetCurrentPage() const { return m_info->m_nCurPage; }
    UINT GetPageCount() const { return m_info->GetMaxPage(); }
    CPrintInfo* GetPrintInfo() const { return m_info.get(); }
    // The rendered page as shown (null before the first paint).
    CBitmap* GetPageBitmap() { return m_pageBitmap.GetSafeHandle() ? &m_pageBitmap : nullptr; }
    // Where the page sits in the preview's client area.
    CRect GetPageRect() const;

    void OnNextPage();
    void OnPrevPage();
    void OnPreviewClose();
    void OnPreviewPrint();
    void OnUpdateNextPage(CCmdUI* pCmdUI);
    void OnUpdatePrevPage(CCmdUI* pCmdUI);

    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);

protected:
    void PostNcDestroy() override;

private:
    void RenderPage();
    void UpdateButtons();
    void LayoutButtons();
    SIZE PrinterPageSize() const;

    CView* m_pView { nullptr };
    CFrameWnd* m_pFrame { nullptr };
    std::unique_ptr<CPrintInfo> m_info;
    CDC m_printerDC;
    CBitmap m_pageBitmap;
    UINT m_renderedPage { 0 };
    CButton m_print;
    CButton m_next;
    CButton m_prev;
    CButton m_close;
    std::vector<HWND> m_hidden; // the frame's children the preview hid
};
