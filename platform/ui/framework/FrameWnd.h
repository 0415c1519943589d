// CFrameWnd: a program's main window. It holds the control bars (toolbar, rebar, status bar)
// along its edges and the view in the rest (RecalcLayout), routes commands to the active view
// first (view -> document -> frame -> application), keeps the title from the document template's
// string, and at idle lets its bars refresh their command UI.
//
// Closing the main frame closes its document, destroys the window and ends the message loop.
// Frames made by a document template are owned by their window: the object deletes itself after
// the window is gone.
#pragma once

#include "platform/msg/Wnd.h"
#include "platform/ui/framework/FrameworkIds.h"

struct CCreateContext;
class CControlBar;
class CDocument;
class CView;

class CFrameWnd : public CWnd
{
public:
    CFrameWnd() = default;
    ~CFrameWnd() override;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    // Creates the frame with the title of string resource `nIDResource` (its first "\n" field).
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr, LPCTSTR lpszMenuName = nullptr,
                DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // ---- views and documents ----
    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    virtual void ActivateFrame(int nCmdShow = -1);

    // ---- layout and title ----
    // Places the visible control bars along their edges and the view in what is left.
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    // Sets the window text from the frame's title (and the document's, with FWS_ADDTOTITLE);
    // called when the frame is first updated and when its document's title changes, never at
    // idle, so a window text the program sets afterwards stays.
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }
    CString GetTitle() const { return m_strTitle; }
    // The bar with this id among the frame's descendants, or null.
    CControlBar* GetControlBar(UINT nID);
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    virtual void SetMessageText(LPCTSTR lpszText);

    // ---- routing ----
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    // The bars refresh their command UI against this frame.
    void OnIdleUpdateCmdUI();

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnClose();
    void OnDestroy();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSetFocus(CWnd* pOldWnd);
    LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUIMessage(WPARAM wParam, LPARAM lParam);

    static const CRect rectDefault;

protected:
    void PostNcDestroy() override;

    UINT m_nIDHelp { 0 };
    CString m_strTitle;
    CView* m_pViewActive { nullptr };
    CCreateContext* m_pCreateContext { nullptr };
    // Frames made with `new` by a template delete themselves.
    BOOL m_bAutoDelete { TRUE };

    friend class CPrintPreview;
};

// The frame that holds `wnd` (itself when it is one), or null.
CFrameWnd* AfxGetParentFrame(const CWnd* wnd);
