// The main window: its bars, full screen and the smallest size.
#include "tarvic/frame/CMainFrame.h"

#include "tarvic/app/StationGlobals.h"
#include "tarvic/res/TarvicResourceIds.h"

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/WindowCapture.h"

namespace {

// The toolbar pictures' transparent colour.
constexpr COLORREF kMaskColour = RGB(255, 0, 255);
constexpr UINT kPictures[3] = {tarvic::IDB_TOOLBAR_NORMAL, tarvic::IDB_TOOLBAR_HOT,
                               tarvic::IDB_TOOLBAR_DISABLED};
// The caption and sizing border go in full screen and come back after it.
constexpr DWORD kWindowFrame = WS_CAPTION | WS_THICKFRAME;

} // namespace

const platform::MessageMap* CMainFrame::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_CREATE, &CMainFrame::OnCreate>(),
        Message<WM_GETMINMAXINFO, &CMainFrame::OnGetMinMaxInfo>(),
        Message<WM_CLOSE, &CMainFrame::OnClose>(),
    };
    static constexpr platform::MessageMap kMap{&CFrameWnd::GetThisMessageMap, kEntries};
    return &kMap;
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    cs.hMenu = nullptr;
    return TRUE;
}

// ==== creation ===================================================================================

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!CreateToolBar())
        return -1;
    const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
    if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(indicators, 4))
        return -1;
    m_wndStatusBar.ShowWindow(SW_HIDE);
    CenterWindow();
    if (g_Config.WindowMode == 0)
        SetFullScreen(1);
    return 0;
}

void CMainFrame::SetBandPainted(std::function<void()> painted)
{
    m_wndToolBar.onPainted = painted;
    m_wndReBar.onPainted = std::move(painted);
}

BOOL CMainFrame::CreateToolBar()
{
    const UINT layout = g_Config.DemoMode != 0 ? tarvic::IDR_MAINFRAME_DEMO : tarvic::IDR_MAINFRAME;
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT | TBSTYLE_TRANSPARENT,
                               WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_TOOLTIPS, CRect(0, 2, 0, 2)) ||
        !m_wndToolBar.LoadToolBar(layout))
        return FALSE;
    if (!CreateToolBarImages())
        return FALSE;
    m_wndToolBar.SetHeight(kToolBarHeight);
    CBitmap band;
    band.LoadBitmap(tarvic::IDB_TOOLBAR_BAND);
    return m_wndReBar.Create(this, 0, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_BORDER_BOTTOM) &&
           m_wndReBar.AddBar(&m_wndToolBar, nullptr, &band, RBBS_NOGRIPPER | RBBS_FIXEDSIZE);
}

BOOL CMainFrame::CreateToolBarImages()
{
    for (int i = 0; i < 3; ++i) {
        CBitmap strip;
        if (!m_ImageLists[i].Create(tarvic::kToolBarImageWidth, tarvic::kToolBarImageHeight,
                                    ILC_COLOR24 | ILC_MASK, 1, 1) ||
            !strip.LoadBitmap(kPictures[i]) || m_ImageLists[i].Add(&strip, kMaskColour) < 0)
            return FALSE;
    }
    CToolBarCtrl& control = m_wndToolBar.GetToolBarCtrl();
    control.SetImageList(&m_ImageLists[0]);
    control.SetHotImageList(&m_ImageLists[1]);
    control.SetDisabledImageList(&m_ImageLists[2]);
    return TRUE;
}

// ==== size and full screen =======================================================================

void CMainFrame::OnGetMinMaxInfo(MINMAXINFO* info)
{
    if (m_bFullScreen) {
        info->ptMaxSize = POINT{m_rcFullScreen.Width(), m_rcFullScreen.Height()};
        info->ptMaxTrackSize = info->ptMaxSize;
    } else {
        info->ptMinTrackSize = POINT{kMinWidth, kMinHeight};
    }
    Default();
}

void CMainFrame::SetFullScreen(int bFullScreen)
{
    if ((bFullScreen != 0) == (m_bFullScreen != 0))
        return;
    if (!bFullScreen) {
        m_bFullScreen = 0;
        ModifyStyle(0, kWindowFrame, SWP_FRAMECHANGED);
        SetWindowPlacement(m_hWnd, &m_wpPrev);
        return;
    }
    m_wpPrev.length = sizeof m_wpPrev;
    GetWindowPlacement(m_hWnd, &m_wpPrev);
    MONITORINFO monitor;
    GetMonitorInfo(MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor);
    ModifyStyle(kWindowFrame, 0, SWP_FRAMECHANGED);
    // The whole monitor, enlarged by whatever frame the remaining style still draws.
    CRect full(monitor.rcMonitor);
    AdjustWindowRectEx(&full, GetStyle(), FALSE, GetExStyle());
    m_rcFullScreen = full;
    m_bFullScreen = 1;
    WINDOWPLACEMENT placement = m_wpPrev;
    placement.showCmd = SW_SHOWNORMAL;
    placement.rcNormalPosition = full;
    SetWindowPlacement(m_hWnd, &placement);
}

void CMainFrame::ToggleFullScreen()
{
    SetFullScreen(m_bFullScreen != 1 ? 1 : 0);
}

// ==== closing ====================================================================================

void CMainFrame::OnClose()
{
    const CString& screenshot = tarvic::Options().screenshotPath;
    if (!screenshot.IsEmpty())
        platform::CaptureWindow(m_hWnd).SavePng(screenshot);
    CFrameWnd::OnClose();
}
