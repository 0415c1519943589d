// Window surfaces shared between threads: drawing from workers while the user-interface
// thread presents, one bitmap in a memory DC of each thread, opposite blits between two
// surfaces, dirty areas and clipping to the visible part of a child window.
#include "platform/gdi/CDC.h"
#include "platform/gdi/SurfaceDC.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

// A CDC that owns a DC over a part of a surface, like a child window's client DC.
std::unique_ptr<CDC> WindowDc(const platform::SurfacePtr& surface, POINT origin, RECT visible)
{
    auto dc = std::make_unique<CDC>();
    dc->Attach(platform::CreateSurfaceDC(surface, origin, visible));
    return dc;
}

TEST(GdiSurface, OneBitmapServesAMemoryDcOnEachThread)
{
    // The user-interface thread's DC keeps the bitmap selected throughout, as a bed window keeps
    // its background bitmap in its background DC.
    CDC own;
    own.CreateCompatibleDC(nullptr);
    CBitmap shared;
    ASSERT_TRUE(shared.CreateCompatibleBitmap(&own, 200, 100));
    CBitmap* ownOld = own.SelectObject(&shared);
    own.FillSolidRect(0, 0, 200, 100, RGB(0, 0, 0));

    const COLORREF colours[2] = { RGB(200, 0, 0), RGB(0, 0, 200) };
    std::atomic<bool> torn { false };
    std::vector<std::thread> threads;
    for (int w = 0; w < 2; ++w) {
        threads.emplace_back([&, w] {
            CDC dc;
            dc.CreateCompatibleDC(nullptr);
            CBitmap* old = dc.SelectObject(&shared);
            dc.SetViewportOrg(w * 100, 0); // each DC its own origin
            for (int i = 0; i < 300; ++i)
                dc.FillSolidRect(0, 0, 100, 100, colours[w]);
            dc.SelectObject(old);
        });
    }
    threads.emplace_back([&] {
        // A painter copying from the shared bitmap into a bitmap of its own.
        CDC from;
        from.CreateCompatibleDC(nullptr);
        CBitmap* fromOld = from.SelectObject(&shared);
        CDC to;
        to.CreateCompatibleDC(nullptr);
        CBitmap copy;
        copy.CreateCompatibleBitmap(&to, 200, 100);
        CBitmap* toOld = to.SelectObject(&copy);
        for (int i = 0; i < 100; ++i) {
            to.BitBlt(0, 0, 200, 100, &from, 0, 0, SRCCOPY);
            for (const COLORREF c : { to.GetPixel(50, 50), to.GetPixel(150, 50) })
                if (c != RGB(0, 0, 0) && c != colours[0] && c != colours[1])
                    torn = true;
        }
        to.SelectObject(toOld);
        from.SelectObject(fromOld);
    });
    for (std::thread& t : threads)
        t.join();

    EXPECT_FALSE(torn);
    EXPECT_EQ(own.GetPixel(50, 50), colours[0]);
    EXPECT_EQ(own.GetPixel(150, 50), colours[1]);
    own.SelectObject(ownOld);
}

TEST(GdiSurface, WorkersDrawIntoOneWindowWhileTheInterfaceThreadPresentsIt)
{
    auto surface = std::make_shared<platform::Surface>(400, 200);
    std::atomic<bool> stop { false };
    std::atomic<int> frames { 0 };
    const COLORREF colours[2] = { RGB(200, 0, 0), RGB(0, 0, 200) };
    std::vector<std::thread> workers;
    for (int w = 0; w < 2; ++w) {
        workers.emplace_back([&, w] {
            // Each worker paints its own bed pane: x 0..200 or 200..400.
            auto dc = WindowDc(surface, POINT { w * 200, 0 }, RECT { w * 200, 0, w * 200 + 200, 200 });
            CPen pen(PS_SOLID, 1, RGB(255, 255, 255));
            dc->SelectObject(&pen);
            dc->SetBkMode(TRANSPARENT);
            for (int i = 0; i < 300; ++i) {
                dc->FillSolidRect(0, 0, 300, 200, colours[w]); // wider than the pane: clipped
                dc->MoveTo(0, i % 200);
                dc->LineTo(200, (i * 7) % 200);
                CRect text(0, 0, 200, 30);
                dc->DrawText(CString("FHR 140"), &text, DT_SINGLELINE);
            }
            dc->FillSolidRect(0, 0, 200, 200, colours[w]);
        });
    }
    // The interface thread copies dirty areas to a "screen" until the workers are done.
    CDC screen;
    screen.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, 400, 200);
    CBitmap* old = screen.SelectObject(&bitmap);
    auto window = WindowDc(surface, POINT { 0, 0 }, RECT { 0, 0, 400, 200 });
    std::thread finisher([&] {
        for (auto& t : workers)
            t.join();
        stop = true;
    });
    do {
        CRect dirty = surface->TakeDirty();
        if (!dirty.IsRectEmpty())
            screen.BitBlt(dirty.left, dirty.top, dirty.Width(), dirty.Height(), window.get(), dirty.left, dirty.top, SRCCOPY);
        ++frames;
    } while (!stop.load());
    finisher.join();
    CRect dirty = surface->TakeDirty();
    screen.BitBlt(dirty.left, dirty.top, dirty.Width(), dirty.Height(), window.get(), dirty.left, dirty.top, SRCCOPY);

    EXPECT_GT(frames.load(), 0);
    EXPECT_EQ(screen.GetPixel(10, 100), colours[0]);
    EXPECT_EQ(screen.GetPixel(199, 100), colours[0]); // the left pane never painted past its edge
    EXPECT_EQ(screen.GetPixel(200, 100), colours[1]);
    EXPECT_EQ(screen.GetPixel(390, 100), colours[1]);
    screen.SelectObject(old);
}

TEST(GdiSurface, OppositeBlitsBetweenTwoSurfacesDoNotDeadlock)
{
    auto a = std::make_shared<platform::Surface>(64, 64);
    auto b = std::make_shared<platform::Surface>(64, 64);
    auto run = [](platform::SurfacePtr from, platform::SurfacePtr to) {
        auto src = WindowDc(from, POINT {}, RECT { 0, 0, 64, 64 });
        auto dst = WindowDc(to, POINT {}, RECT { 0, 0, 64, 64 });
        for (int i = 0; i < 2000; ++i)
            EXPECT_TRUE(dst->BitBlt(0, 0, 64, 64, src.get(), 0, 0, i % 2 ? SRCCOPY : SRCINVERT));
    };
    std::thread one(run, a, b), two(run, b, a);
    one.join();
    two.join();
}

TEST(GdiSurface, DrawingMarksOnlyTheVisibleDrawnAreaDirty)
{
    auto surface = std::make_shared<platform::Surface>(300, 200);
    surface->TakeDirty();
    // A child at (50, 40) in its top-level, partly hidden by its parent's edge at x = 150.
    auto dc = WindowDc(surface, POINT { 50, 40 }, RECT { 50, 40, 150, 140 });
    dc->FillSolidRect(10, 10, 20, 20, RGB(1, 2, 3));
    EXPECT_EQ(surface->TakeDirty(), CRect(60, 50, 80, 70));
    dc->FillSolidRect(90, 0, 50, 10, RGB(1, 2, 3)); // runs past the visible edge
    EXPECT_EQ(surface->TakeDirty(), CRect(140, 40, 150, 50));
    CRect clip;
    dc->GetClipBox(&clip);
    EXPECT_EQ(clip, CRect(0, 0, 100, 100));
    EXPECT_EQ(surface->Row(45)[145], 0xFF010203u);
    EXPECT_EQ(surface->Row(45)[150], 0xFF000000u);
}

} // namespace
