// CMainFrame: the central station's main window. No menu: a large picture toolbar in a rebar
// band across the top carries every command, the bed-grid view fills the rest, and the window
// switches between a normal window (never smaller than 1280 x 768) and full screen on its
// monitor. The setting "Window Mode" 0 starts it in full screen.
#pragma once

#include "appcommon/MainToolBar.h"

#include "platform/gdi/CImageList.h"
#include "platform/ui/framework/FrameWnd.h"
#include "platform/ui/framework/ReBar.h"
#include "platform/ui/framework/StatusBar.h"
#include "platform/ui/framework/WindowPlacement.h"

#include <functional>

// A bar of the band across the top that says when it has painted itself: the view's clock is
// drawn over the band and goes back on at once.
template <class Bar>
class CPaintToldBar : public Bar
{
public:
    std::function<void()> onPainted;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        const LRESULT result = Bar::WindowProc(message, wParam, lParam);
        if (message == WM_PAINT && onPainted)
            onPainted();
        return result;
    }
};

class CMainFrame : public CFrameWnd
{
public:
    // The smallest window the user can drag the frame to, when it is not full screen.
    static constexpr int kMinWidth = 1280;
    static constexpr int kMinHeight = 768;
    static constexpr int kToolBarHeight = 56;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnGetMinMaxInfo(MINMAXINFO* info);
    // Leaves the station's screenshot (when asked for) before the window goes.
    void OnClose();

    // Nothing happens when the window already is (or is not) full screen.
    void SetFullScreen(int bFullScreen);
    void ToggleFullScreen();
    int IsFullScreen() const { return m_bFullScreen; }
    CRect GetFullScreenRect() const { return m_rcFullScreen; }

    CMainToolBar& GetToolBar() { return m_wndToolBar; }
    CReBar& GetReBar() { return m_wndReBar; }
    CStatusBar& GetStatusBar() { return m_wndStatusBar; }
    // Called after the toolbar or its band painted (empty: nothing).
    void SetBandPainted(std::function<void()> painted);

private:
    BOOL CreateToolBar();
    BOOL CreateToolBarImages();

    // Normal, hot and disabled pictures.
    CImageList m_ImageLists[3];
    WINDOWPLACEMENT m_wpPrev;
    int m_bFullScreen{0};
    CRect m_rcFullScreen;
    CStatusBar m_wndStatusBar;
    CPaintToldBar<CMainToolBar> m_wndToolBar;
    CPaintToldBar<CReBar> m_wndReBar;
};
