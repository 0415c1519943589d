// Frames on the screen: centring, full screen on the nearest monitor through the window
// placement and back, and the layout of a visible status bar below the view.
#include "platform/ui/framework/FrameWnd.h"
#include "platform/ui/framework/StatusBar.h"
#include "platform/ui/framework/WindowPlacement.h"
#include "testkit/ControlParent.h"

#include <gtest/gtest.h>

using testkit::Pump;

namespace {

class CPlainFrame : public CFrameWnd
{
public:
    CStatusBar status;
    CWnd view;
};

class UiFrameworkPlacement : public ::testing::Test
{
protected:
    void SetUp() override
    {
        platform::host::NullHost::SetScreenSize(1920, 1080);
        frame = new CPlainFrame;
        ASSERT_TRUE(frame->Create(nullptr, "Central", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(100, 100, 1380, 868)));
        hwnd = frame->m_hWnd;
    }
    void TearDown() override
    {
        if (::IsWindow(hwnd))
            frame->DestroyWindow(); // the frame deletes itself
        Pump();
    }

    CPlainFrame* frame { nullptr };
    HWND hwnd { nullptr };
};

TEST_F(UiFrameworkPlacement, FullScreenOnTheNearestMonitorAndBack)
{
    frame->CenterWindow();
    CRect before;
    frame->GetWindowRect(&before);
    EXPECT_EQ(before.CenterPoint(), CPoint(960, 540));

    // On: the placement is kept, the caption and sizing border go, the monitor's rectangle grown
    // by what frame remains becomes the normal position.
    WINDOWPLACEMENT saved;
    ASSERT_TRUE(GetWindowPlacement(hwnd, &saved));
    EXPECT_EQ(saved.showCmd, static_cast<UINT>(SW_SHOWNORMAL));
    EXPECT_EQ(CRect(saved.rcNormalPosition), before);
    MONITORINFO monitor;
    ASSERT_TRUE(GetMonitorInfo(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &monitor));
    EXPECT_EQ(CRect(monitor.rcMonitor), CRect(0, 0, 1920, 1080));
    frame->ModifyStyle(WS_CAPTION | WS_THICKFRAME, 0);
    CRect full(monitor.rcMonitor);
    AdjustWindowRectEx(&full, frame->GetStyle(), FALSE, frame->GetExStyle());
    WINDOWPLACEMENT fullScreen = saved;
    fullScreen.showCmd = SW_SHOWNORMAL;
    fullScreen.rcNormalPosition = full;
    ASSERT_TRUE(SetWindowPlacement(hwnd, &fullScreen));
    CRect now;
    frame->GetWindowRect(&now);
    EXPECT_EQ(now, full);

    // Off: the styles come back and the saved placement returns the window where it was.
    frame->ModifyStyle(0, WS_CAPTION | WS_THICKFRAME);
    ASSERT_TRUE(SetWindowPlacement(hwnd, &saved));
    frame->GetWindowRect(&now);
    EXPECT_EQ(now, before);

    // A window off every monitor has none unless the nearest is asked for.
    frame->MoveWindow(5000, 5000, 100, 100);
    EXPECT_EQ(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONULL), nullptr);
    EXPECT_NE(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), nullptr);
}

TEST_F(UiFrameworkPlacement, MaximizedPlacementKeepsTheNormalRectangle)
{
    WINDOWPLACEMENT placement;
    ASSERT_TRUE(GetWindowPlacement(hwnd, &placement));
    CRect normal(placement.rcNormalPosition);
    placement.showCmd = SW_SHOWMAXIMIZED;
    ASSERT_TRUE(SetWindowPlacement(hwnd, &placement));
    EXPECT_TRUE(frame->IsZoomed());
    WINDOWPLACEMENT read;
    ASSERT_TRUE(GetWindowPlacement(hwnd, &read));
    EXPECT_EQ(read.showCmd, static_cast<UINT>(SW_SHOWMAXIMIZED));
    EXPECT_EQ(CRect(read.rcNormalPosition), normal);
    EXPECT_FALSE(GetWindowPlacement(nullptr, &read));
}

TEST_F(UiFrameworkPlacement, VisibleStatusBarSitsBelowTheView)
{
    ASSERT_TRUE(frame->view.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), frame, AFX_IDW_PANE_FIRST));
    const UINT panes[] = { ID_SEPARATOR, ID_INDICATOR_CAPS };
    ASSERT_TRUE(frame->status.Create(frame));
    ASSERT_TRUE(frame->status.SetIndicators(panes, 2));
    frame->RecalcLayout();
    CRect client;
    frame->GetClientRect(&client);
    CRect status;
    frame->status.GetWindowRect(&status);
    frame->ScreenToClient(&status);
    CRect view;
    frame->view.GetWindowRect(&view);
    frame->ScreenToClient(&view);
    EXPECT_EQ(status.bottom, client.bottom);
    EXPECT_EQ(view.bottom, status.top);
    EXPECT_EQ(view.top, client.top);
    EXPECT_EQ(frame->GetControlBar(AFX_IDW_STATUS_BAR), &frame->status);

    // The message pane takes the frame's message text; the stretching pane fills the rest.
    frame->SetMessageText("Ready");
    EXPECT_EQ(frame->status.GetPaneText(0), "Ready");
    CRect first;
    CRect caps;
    frame->status.GetItemRect(0, &first);
    frame->status.GetItemRect(1, &caps);
    EXPECT_LT(first.right, caps.left);
    EXPECT_GT(first.Width(), caps.Width());

    frame->ShowControlBar(&frame->status, FALSE, FALSE);
    frame->view.GetWindowRect(&view);
    frame->ScreenToClient(&view);
    EXPECT_EQ(view.bottom, client.bottom);
}

} // namespace
