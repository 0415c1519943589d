// Window and paint DCs on the window layer: each top-level window's backing surface, children
// painting into their part of it, the class background erasing, and a worker thread drawing
// through GetDC while the user-interface thread is busy elsewhere.
#include "platform/gdi/CDC.h"
#include "platform/gdi/SurfaceDC.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/WindowDCs.h"
#include "platform/msg/Wnd.h"
#include "platform/msg/WindowApi.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

constexpr COLORREF kChildInk = RGB(200, 0, 0);

LRESULT ChildProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        CPaintDC dc(CWnd::FromHandle(hwnd));
        dc.FillSolidRect(0, 0, 1000, 1000, kChildInk); // clipped to the child
        return 0;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

void RegisterClasses()
{
    static bool done = [] {
        WNDCLASS top;
        top.lpfnWndProc = DefWindowProc;
        top.lpszClassName = "GdiTestTop";
        top.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_BTNFACE + 1));
        RegisterClass(&top);
        WNDCLASS child;
        child.lpfnWndProc = ChildProc;
        child.lpszClassName = "GdiTestChild";
        RegisterClass(&child);
        return true;
    }();
    (void)done;
}

std::uint32_t Pixel(const platform::SurfacePtr& s, int x, int y)
{
    std::lock_guard lock(s->Mutex());
    return s->Row(y)[x] & 0xFFFFFF;
}

TEST(GdiWindowDc, ChildrenPaintTheirPartOfTheTopLevelSurface)
{
    RegisterClasses();
    HWND top = CreateWindowEx(0, "GdiTestTop", "bed", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(top);
    HWND child = CreateWindowEx(0, "GdiTestChild", "", WS_CHILD | WS_VISIBLE, 20, 10, 50, 30, top, nullptr, nullptr, nullptr);
    ASSERT_TRUE(child);
    UpdateWindow(top);
    UpdateWindow(child);
    platform::SurfacePtr surface = platform::WindowSurface(child);
    ASSERT_TRUE(surface);
    EXPECT_EQ(surface, platform::WindowSurface(top));
    EXPECT_EQ(surface->Width(), 200);
    EXPECT_EQ(surface->Height(), 100);
    EXPECT_EQ(Pixel(surface, 25, 15), 0xC80000u);
    EXPECT_EQ(Pixel(surface, 69, 39), 0xC80000u);
    EXPECT_NE(Pixel(surface, 70, 15), 0xC80000u);

    // Resizing the top-level resizes its surface.
    MoveWindow(top, 0, 0, 300, 150, TRUE);
    EXPECT_EQ(surface->Width(), 300);
    DestroyWindow(top);
}

TEST(GdiWindowDc, AClipChildrenParentPaintsAroundItsVisibleChildren)
{
    RegisterClasses();
    HWND top = CreateWindowEx(0, "GdiTestTop", "grid", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(top);
    HWND child = CreateWindowEx(0, "GdiTestChild", "", WS_CHILD | WS_VISIBLE, 20, 10, 50, 30, top, nullptr, nullptr, nullptr);
    HWND hidden = CreateWindowEx(0, "GdiTestChild", "", WS_CHILD, 100, 10, 50, 30, top, nullptr, nullptr, nullptr);
    ASSERT_TRUE(child && hidden);
    UpdateWindow(child);
    platform::SurfacePtr surface = platform::WindowSurface(top);
    ASSERT_TRUE(surface);
    auto fillTop = [&](COLORREF colour) {
        CClientDC dc(CWnd::FromHandle(top));
        dc.FillSolidRect(0, 0, 200, 100, colour);
    };

    // With the style the parent's drawing leaves every visible child alone, a hidden one not.
    SetWindowLong(top, GWL_STYLE, GetWindowLong(top, GWL_STYLE) | WS_CLIPCHILDREN);
    fillTop(RGB(0, 0, 255));
    EXPECT_EQ(Pixel(surface, 25, 15), 0xC80000u);
    EXPECT_EQ(Pixel(surface, 69, 39), 0xC80000u);
    EXPECT_EQ(Pixel(surface, 70, 15), 0x0000FFu);
    EXPECT_EQ(Pixel(surface, 19, 15), 0x0000FFu);
    EXPECT_EQ(Pixel(surface, 110, 15), 0x0000FFu);

    // Without it the parent paints over its children.
    SetWindowLong(top, GWL_STYLE, GetWindowLong(top, GWL_STYLE) & ~WS_CLIPCHILDREN);
    fillTop(RGB(0, 255, 0));
    EXPECT_EQ(Pixel(surface, 25, 15), 0x00FF00u);
    DestroyWindow(top);
}

TEST(GdiWindowDc, AWorkerDrawsThroughGetDcWithoutTheInterfaceThread)
{
    RegisterClasses();
    HWND top = CreateWindowEx(0, "GdiTestTop", "bed", WS_POPUP | WS_VISIBLE, 0, 0, 120, 80, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(top);
    platform::SurfacePtr surface = platform::WindowSurface(top);
    ASSERT_TRUE(surface);
    surface->TakeDirty();
    // The interface thread waits in join: it pumps nothing while the worker draws.
    std::thread worker([top] {
        CClientDC dc(CWnd::FromHandle(top));
        ASSERT_TRUE(dc.m_hDC);
        dc.FillSolidRect(10, 10, 20, 20, RGB(0, 0, 255));
    });
    worker.join();
    EXPECT_EQ(Pixel(surface, 15, 15), 0x0000FFu);
    EXPECT_EQ(surface->TakeDirty(), CRect(10, 10, 30, 30));
    DestroyWindow(top);
}

TEST(GdiWindowDc, TheScreenDcMeasuresButDrawsNothing)
{
    HDC dc = GetDC(nullptr);
    ASSERT_TRUE(dc);
    CDC* screen = CDC::FromHandle(dc);
    EXPECT_EQ(screen->GetDeviceCaps(LOGPIXELSY), 96);
    EXPECT_EQ(screen->GetDeviceCaps(HORZRES), GetSystemMetrics(SM_CXSCREEN));
    EXPECT_GT(screen->GetTextExtent(CString("Bed")).cx, 0);
    screen->FillSolidRect(0, 0, 10, 10, RGB(1, 2, 3)); // nowhere to go, and no harm
    ReleaseDC(nullptr, dc);
}

} // namespace
