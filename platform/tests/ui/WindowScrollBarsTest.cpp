// Window scroll bars of a plain window (no control, no handling of its own): the default window
// procedure paints them into the non-client area and tracks a press on them, through the
// handler the standard controls register; their thickness is the system metric.
#include "platform/gdi/CDC.h"
#include "platform/gdi/SysColors.h"
#include "platform/host/null/NullHost.h"
#include "platform/ui/controls/ScrollBar.h"
#include "testkit/TestWindow.h"

#include <gtest/gtest.h>

using testkit::RecordingWnd;
using platform::host::NullHost;

namespace {

class PlainScrolledWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(wnd.CreateTop(CRect(100, 100, 400, 300), WS_POPUP | WS_VISIBLE | WS_VSCROLL));
        SetScrollRange(wnd.m_hWnd, SB_VERT, 0, 100, FALSE);
        NullHost::PumpPending();
    }
    void TearDown() override
    {
        ReleaseCapture();
        NullHost::PumpPending();
    }

    std::vector<WORD> ScrollCodes() const
    {
        std::vector<WORD> codes;
        for (auto& e : wnd.log)
            if (e.message == WM_VSCROLL)
                codes.push_back(LOWORD(e.wParam));
        return codes;
    }

    RecordingWnd wnd;
};

TEST_F(PlainScrolledWindow, ReservesTheSystemMetricForItsBar)
{
    CRect client;
    wnd.GetClientRect(&client);
    EXPECT_EQ(client.Width(), 300 - GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 17);
    EXPECT_EQ(GetSystemMetrics(SM_CYHSCROLL), 17);
    EXPECT_EQ(GetSystemMetrics(SM_CYVTHUMB), 17);
    EXPECT_EQ(GetSystemMetrics(SM_CXHTHUMB), 17);
}

TEST_F(PlainScrolledWindow, PaintsItsBarWithTheWindow)
{
    // The up arrow's button: face colour around a dark arrow.
    HDC hdc = GetWindowDC(wnd.m_hWnd);
    CDC* dc = CDC::FromHandle(hdc);
    ASSERT_NE(dc, nullptr);
    const int barX = 300 - GetSystemMetrics(SM_CXVSCROLL);
    int face = 0, dark = 0;
    for (int y = 0; y < GetSystemMetrics(SM_CYVSCROLL); ++y)
        for (int x = barX; x < 300; ++x) {
            COLORREF c = dc->GetPixel(x, y);
            face += c == GetSysColor(COLOR_BTNFACE);
            dark += c == GetSysColor(COLOR_BTNTEXT);
        }
    ReleaseDC(wnd.m_hWnd, hdc);
    EXPECT_GT(face, 100);
    EXPECT_GT(dark, 3);
}

TEST_F(PlainScrolledWindow, AClickOnTheDownArrowScrollsByALine)
{
    wnd.log.clear();
    NullHost::Click(400 - 5, 300 - 5);
    NullHost::PumpPending();
    EXPECT_EQ(ScrollCodes(), (std::vector<WORD> { SB_LINEDOWN, SB_ENDSCROLL }));
}

} // namespace
