// What the drawing module adds to windows: the standard cursors, window regions that shape hit
// testing, scrolling a window's pixels with ScrollWindowEx, and moving a window by a press on
// its caption area.
#include "platform/core/Clock.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/Cursor.h"
#include "platform/gdi/Image.h"
#include "platform/gdi/WindowRegion.h"
#include "platform/host/null/NullHost.h"
#include "platform/msg/WindowApi.h"
#include "testkit/TestWindow.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

using platform::host::NullHost;

namespace {

TEST(StandardCursors, AreSharedNamedAndNeverDestroyed)
{
    struct { LPCSTR id; const char* name; } cases[] = {
        { IDC_ARROW, "default" }, { IDC_HAND, "pointer" }, { IDC_WAIT, "wait" },
        { IDC_SIZEWE, "ew-resize" }, { IDC_SIZENS, "ns-resize" }, { IDC_SIZENWSE, "nwse-resize" },
        { IDC_SIZENESW, "nesw-resize" }, { IDC_SIZEALL, "move" }, { IDC_IBEAM, "text" },
    };
    for (auto c : cases) {
        HCURSOR cursor = LoadCursor(nullptr, c.id);
        ASSERT_NE(cursor, nullptr) << c.name;
        EXPECT_EQ(LoadCursor(nullptr, c.id), cursor) << "one shared handle";
        EXPECT_EQ(std::string(platform::StandardCursorName(cursor)), c.name);
        EXPECT_FALSE(DestroyCursor(cursor));
        EXPECT_EQ(std::string(platform::StandardCursorName(cursor)), c.name);
    }
    EXPECT_EQ(LoadCursor(nullptr, MAKEINTRESOURCE(1)), nullptr);
    HICON own = platform::CreateIconFromImage(platform::Image(4, 4));
    EXPECT_EQ(platform::StandardCursorName(own), nullptr);
    EXPECT_TRUE(DestroyCursor(own));
}

class WindowShapeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(top.CreateTop(CRect(100, 100, 400, 300), WS_POPUP | WS_VISIBLE));
        ASSERT_TRUE(child.CreateChild(&top, CRect(10, 10, 50, 30), 7));
        NullHost::PumpPending();
    }
    platform::ScopedTestClock clock { 10000 };
    testkit::RecordingWnd top, child;
};

TEST_F(WindowShapeTest, AWindowIsFoundUnderThePointerOnlyInsideItsRegion)
{
    HRGN rightHalf = CreateRectRgn(20, 0, 40, 20);
    ASSERT_TRUE(SetWindowRgn(child, rightHalf, TRUE));
    EXPECT_EQ(WindowFromPoint(POINT { 115, 115 }), static_cast<HWND>(top));
    EXPECT_EQ(WindowFromPoint(POINT { 135, 115 }), static_cast<HWND>(child));
    CRgn copy;
    copy.CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(GetWindowRgn(child, copy), ERROR);
    CRect box;
    copy.GetRgnBox(&box);
    EXPECT_EQ(box, CRect(20, 0, 40, 20));

    ASSERT_TRUE(SetWindowRgn(child, nullptr, TRUE)); // the old region is freed with it
    EXPECT_EQ(WindowFromPoint(POINT { 115, 115 }), static_cast<HWND>(child));
    EXPECT_EQ(GetWindowRgn(child, copy), ERROR);
    EXPECT_FALSE(SetWindowRgn(nullptr, nullptr, FALSE));
}

TEST_F(WindowShapeTest, ScrollWindowExMovesThePixelsAndReportsWhatItUncovered)
{
    child.DestroyWindow();
    NullHost::PumpPending();
    HDC hdc = GetDC(top);
    CDC* dc = CDC::FromHandle(hdc);
    dc->FillSolidRect(0, 0, 300, 200, RGB(255, 255, 255));
    dc->FillSolidRect(0, 0, 10, 10, RGB(255, 0, 0));
    ReleaseDC(top, hdc);

    CRect uncovered;
    EXPECT_EQ(ScrollWindowEx(top, 5, 3, nullptr, nullptr, nullptr, &uncovered, SW_INVALIDATE), COMPLEXREGION);
    hdc = GetDC(top);
    dc = CDC::FromHandle(hdc);
    EXPECT_EQ(dc->GetPixel(5, 3), RGB(255, 0, 0));
    EXPECT_EQ(dc->GetPixel(14, 12), RGB(255, 0, 0));
    EXPECT_EQ(dc->GetPixel(15, 12), RGB(255, 255, 255));
    ReleaseDC(top, hdc);
    EXPECT_EQ(uncovered, CRect(0, 0, 300, 200)) << "the box of an L-shaped strip";
    CRect update;
    EXPECT_TRUE(GetUpdateRect(top, &update, FALSE));
    EXPECT_EQ(ScrollWindowEx(top, 0, 0, nullptr, nullptr, nullptr, nullptr, 0), NULLREGION);
}

TEST_F(WindowShapeTest, APressOnTheCaptionAreaMovesTheWindowWithThePointer)
{
    std::atomic<bool> tracking { false };
    top.onMessage = [&](UINT message, WPARAM, LPARAM lParam, LRESULT&) {
        if (message == WM_LBUTTONDOWN)
            top.PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, lParam);
        if (message == WM_NCLBUTTONDOWN)
            tracking = true;
        return false;
    };
    child.ShowWindow(SW_HIDE);
    // The move loop reads the pointer itself: the rest of the drag arrives while it runs.
    std::thread hand([&] {
        while (!tracking)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        NullHost::MoveMouse(230, 220);
        NullHost::MouseUp(230, 220);
    });
    NullHost::MoveMouse(200, 200);
    NullHost::MouseDown(200, 200);
    NullHost::PumpPending();
    hand.join();
    NullHost::PumpPending();
    CRect rect;
    top.GetWindowRect(&rect);
    EXPECT_EQ(rect.TopLeft(), CPoint(130, 120));
    EXPECT_EQ(GetCapture(), nullptr);
}

} // namespace
