// CView: a child window of a frame that shows a document. It paints through OnDraw, gets
// OnInitialUpdate once its frame is ready, routes commands to its document after itself, and
// carries the print framework: OnFilePrint runs the print dialog (DoPreparePrinting) and the
// print loop over pages (OnBeginPrinting, OnPrepareDC and OnPrint per page, OnEndPrinting);
// OnFilePrintPreview shows the same pages in a print-preview window over the frame.
#pragma once

#include "platform/msg/Wnd.h"
#include "platform/ui/framework/FrameworkIds.h"

class CDocument;
class CFrameWnd;
class CPrintInfo;
class CPrintPreview;

class CView : public CWnd
{
public:
    CView() = default;
    ~CView() override;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    CDocument* GetDocument() const { return m_pDocument; }
    CFrameWnd* GetParentFrame() const;

    virtual void OnDraw(CDC* pDC) = 0;
    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // ---- printing ----
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    // Prints to the printer the print dialog chooses; a direct print and a preview take the
    // default printer without asking. FALSE when the user cancelled.
    BOOL DoPreparePrinting(CPrintInfo* pInfo);
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CPrintPreview* pPreview);
    // The commands ID_FILE_PRINT, ID_FILE_PRINT_DIRECT and ID_FILE_PRINT_PREVIEW; a program's
    // view maps them to these.
    void OnFilePrint();
    void OnFilePrintPreview();
    // The preview open on this view, or null.
    CPrintPreview* GetPrintPreview() const { return m_pPreview; }

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    void OnPaint();
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    LRESULT OnInitialUpdateMessage(WPARAM wParam, LPARAM lParam);

    CDocument* m_pDocument { nullptr };

protected:
    void PostNcDestroy() override;

private:
    // Runs the print loop on a prepared job; FALSE when a step failed.
    BOOL PrintPages(CPrintInfo& info);
    friend class CPrintPreview;
    CPrintPreview* m_pPreview { nullptr };
};
