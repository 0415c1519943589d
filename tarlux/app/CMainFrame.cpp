// The review station's main frame: its bars and its size.
#include "tarlux/app/CMainFrame.h"

#include "tarlux/res/TarluxResources.h"

#include "platform/gdi/CBitmap.h"

using namespace platform::msgmap;

namespace tarlux {
namespace {

// The toolbar's border: left, top, right, bottom.
const CRect kToolBarBorders(0, 2, 0, 2);

} // namespace

const platform::MessageMap* CMainFrame::GetThisMessageMap()
{
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_CREATE, &CMainFrame::OnCreate>(),
        Message<WM_GETMINMAXINFO, &CMainFrame::OnGetMinMaxInfo>(),
    };
    static constexpr platform::MessageMap kMap { &CFrameWnd::GetThisMessageMap, kEntries };
    return &kMap;
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    // No menu bar, no document name in the title, no scroll bars.
    cs.hMenu = nullptr;
    cs.style &= ~static_cast<LONG>(FWS_ADDTOTITLE | WS_HSCROLL | WS_VSCROLL);
    return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!CreateToolBar() || !CreateReBar() || !CreateStatusBar())
        return -1;
    CenterWindow();
    return 0;
}

BOOL CMainFrame::CreateToolBar()
{
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT | TBSTYLE_TRANSPARENT,
                               WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_TOOLTIPS, kToolBarBorders,
                               AFX_IDW_TOOLBAR)
        || !m_wndToolBar.LoadToolBar(IDR_MAINFRAME))
        return FALSE;
    // The pictures come in three strips of nine, magenta where they are transparent.
    constexpr UINT kStrips[3] = { IDB_TOOLBAR_NORMAL, IDB_TOOLBAR_HOT, IDB_TOOLBAR_DISABLED };
    for (int i = 0; i < 3; ++i) {
        m_images[i].Create(kToolbarImageWidth, kToolbarImageHeight, ILC_COLOR24 | ILC_MASK, 1, 1);
        CBitmap strip;
        if (strip.LoadBitmap(kStrips[i])) {
            m_images[i].Add(&strip, kToolbarMask);
            strip.DeleteObject();
        }
    }
    CToolBarCtrl& buttons = m_wndToolBar.GetToolBarCtrl();
    buttons.SetImageList(&m_images[0]);
    buttons.SetHotImageList(&m_images[1]);
    buttons.SetDisabledImageList(&m_images[2]);
    m_wndToolBar.SetHeight(kToolbarHeight);
    return TRUE;
}

BOOL CMainFrame::CreateReBar()
{
    if (!m_wndReBar.Create(this, 0, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP,
                           AFX_IDW_REBAR))
        return FALSE;
    CBitmap band;
    band.LoadBitmap(IDB_TOOLBAR_BAND);
    if (!m_wndReBar.AddBar(&m_wndToolBar, "", &band, RBBS_FIXEDSIZE | RBBS_NOGRIPPER))
        return FALSE;
    m_wndToolBar.SetBarStyle(m_wndToolBar.GetBarStyle());
    return TRUE;
}

BOOL CMainFrame::CreateStatusBar()
{
    constexpr UINT kIndicators[] = { ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL };
    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM | CBRS_BORDER_TOP, AFX_IDW_STATUS_BAR)
        || !m_wndStatusBar.SetIndicators(kIndicators, 4))
        return FALSE;
    // The review station shows no status; the bar exists for the framework's sake.
    m_wndStatusBar.ShowWindow(SW_HIDE);
    return TRUE;
}

void CMainFrame::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    CFrameWnd::OnGetMinMaxInfo(lpMMI);
    lpMMI->ptMinTrackSize.x = kMinWidth;
    lpMMI->ptMinTrackSize.y = kMinHeight;
}

} // namespace tarlux
