// The paint cycle: invalidation collects an update area; WM_ERASEBKGND and WM_PAINT come when
// the queue has nothing else; BeginPaint hands over the area; the drawing module's hooks get
// the geometry of the window in its top-level surface.
#include "platform/host/null/NullHost.h"
#include "platform/msg/WindowSurfaceHooks.h"
#include "testkit/TestWindow.h"

#include <gtest/gtest.h>

using testkit::RecordingWnd;
using platform::host::NullHost;

namespace {

// Paints with BeginPaint/EndPaint and keeps what it was given.
class PaintingWnd : public RecordingWnd
{
public:
    PaintingWnd()
    {
        onMessage = [this](UINT m, WPARAM, LPARAM, LRESULT&) {
            if (m != WM_PAINT)
                return false;
            PAINTSTRUCT ps;
            ::BeginPaint(m_hWnd, &ps);
            painted.push_back(CRect(ps.rcPaint));
            erasedFlags.push_back(ps.fErase);
            ::EndPaint(m_hWnd, &ps);
            return true;
        };
    }
    std::vector<CRect> painted;
    std::vector<BOOL> erasedFlags;
};

class PaintCycle : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window.CreateTop(CRect(0, 0, 300, 200), WS_POPUP | WS_VISIBLE));
        NullHost::PumpPending();
        window.log.clear();
        window.painted.clear();
    }
    PaintingWnd window;
};

TEST_F(PaintCycle, PaintComesAfterThePostedMessagesWithEraseFirst)
{
    window.InvalidateRect(CRect(10, 10, 20, 20), TRUE);
    window.PostMessage(WM_APP);
    window.InvalidateRect(CRect(50, 40, 60, 80), TRUE);
    NullHost::PumpPending();
    EXPECT_EQ(window.Sequence({ WM_APP, WM_ERASEBKGND, WM_PAINT }), (std::vector<UINT> { WM_APP, WM_PAINT, WM_ERASEBKGND }));
    // One paint for both areas, with their bounding rectangle.
    ASSERT_EQ(window.painted.size(), 1u);
    EXPECT_EQ(window.painted[0], CRect(10, 10, 60, 80));
    EXPECT_EQ(NullHost::PumpPending(), 0);
}

TEST_F(PaintCycle, InvalidationWithoutEraseSendsNoEraseMessage)
{
    window.InvalidateRect(nullptr, FALSE);
    NullHost::PumpPending();
    EXPECT_EQ(window.Count(WM_ERASEBKGND), 0);
    ASSERT_EQ(window.painted.size(), 1u);
    EXPECT_EQ(window.painted[0], CRect(0, 0, 300, 200));
    EXPECT_EQ(window.erasedFlags[0], FALSE);
}

TEST_F(PaintCycle, AHandlerThatDoesNotPaintIsNotAskedAgainAndAgain)
{
    RecordingWnd lazy;
    ASSERT_TRUE(lazy.CreateTop(CRect(0, 0, 50, 50), WS_POPUP | WS_VISIBLE));
    lazy.onMessage = [](UINT m, WPARAM, LPARAM, LRESULT&) { return m == WM_PAINT; };
    NullHost::PumpPending();
    EXPECT_EQ(lazy.Count(WM_PAINT), 1);
}

TEST_F(PaintCycle, UpdateWindowPaintsAtOnceAndValidatedAreasAreNotPainted)
{
    window.Invalidate();
    window.UpdateWindow();
    EXPECT_EQ(window.painted.size(), 1u);
    window.Invalidate();
    window.ValidateRect(nullptr);
    window.UpdateWindow();
    NullHost::PumpPending();
    EXPECT_EQ(window.painted.size(), 1u);
}

TEST_F(PaintCycle, HiddenWindowsAreNotPainted)
{
    window.ShowWindow(SW_HIDE);
    window.Invalidate();
    NullHost::PumpPending();
    EXPECT_TRUE(window.painted.empty());
    window.ShowWindow(SW_SHOW);
    NullHost::PumpPending();
    EXPECT_EQ(window.painted.size(), 1u);
}

TEST_F(PaintCycle, NothingIsPaintedWhileRedrawIsOff)
{
    window.SetRedraw(FALSE);
    window.Invalidate();
    NullHost::PumpPending();
    EXPECT_TRUE(window.painted.empty());
    window.SetRedraw(TRUE);
    NullHost::PumpPending();
    EXPECT_EQ(window.painted.size(), 1u);
}

TEST_F(PaintCycle, InvalidationDuringPaintingIsPaintedNextTime)
{
    bool first = true;
    window.onMessage = [&](UINT m, WPARAM, LPARAM, LRESULT&) {
        if (m != WM_PAINT)
            return false;
        PAINTSTRUCT ps;
        ::BeginPaint(window.m_hWnd, &ps);
        window.painted.push_back(CRect(ps.rcPaint));
        if (first)
            window.InvalidateRect(CRect(1, 1, 2, 2), FALSE);
        first = false;
        ::EndPaint(window.m_hWnd, &ps);
        return true;
    };
    window.Invalidate();
    NullHost::PumpPending();
    ASSERT_EQ(window.painted.size(), 2u);
    EXPECT_EQ(window.painted[1], CRect(1, 1, 2, 2));
}

TEST_F(PaintCycle, ChildrenOfAParentWithoutClipChildrenPaintAfterIt)
{
    PaintingWnd child;
    ASSERT_TRUE(child.CreateChild(&window, CRect(100, 50, 200, 150), 1));
    NullHost::PumpPending();
    window.painted.clear();
    child.painted.clear();
    std::vector<HWND> order;
    auto note = [&](PaintingWnd& w) {
        auto paint = w.onMessage;
        w.onMessage = [&order, &w, paint](UINT m, WPARAM wp, LPARAM lp, LRESULT& r) {
            if (m == WM_PAINT)
                order.push_back(w.m_hWnd);
            return paint(m, wp, lp, r);
        };
    };
    note(window);
    note(child);
    window.InvalidateRect(CRect(150, 100, 250, 190), TRUE);
    NullHost::PumpPending();
    EXPECT_EQ(order, (std::vector<HWND> { window.m_hWnd, child.m_hWnd }));
    ASSERT_EQ(child.painted.size(), 1u);
    EXPECT_EQ(child.painted[0], CRect(50, 50, 100, 100)); // in the child's own coordinates

    // With WS_CLIPCHILDREN the parent's invalidation stays its own.
    window.ModifyStyle(0, WS_CLIPCHILDREN);
    window.Invalidate();
    NullHost::PumpPending();
    EXPECT_EQ(child.painted.size(), 1u);
}

TEST_F(PaintCycle, RedrawWindowFlags)
{
    PaintingWnd child;
    ASSERT_TRUE(child.CreateChild(&window, CRect(0, 0, 50, 50), 1));
    window.ModifyStyle(0, WS_CLIPCHILDREN);
    NullHost::PumpPending();
    window.painted.clear();
    child.painted.clear();

    window.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_EQ(window.painted.size(), 1u); // painted before RedrawWindow returned
    EXPECT_EQ(child.painted.size(), 1u);

    window.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    window.RedrawWindow(nullptr, nullptr, RDW_VALIDATE | RDW_ALLCHILDREN);
    NullHost::PumpPending();
    EXPECT_EQ(window.painted.size(), 1u);
    EXPECT_EQ(child.painted.size(), 1u);

    window.RedrawWindow(nullptr, nullptr, RDW_INTERNALPAINT);
    NullHost::PumpPending();
    ASSERT_EQ(window.painted.size(), 2u);
    EXPECT_TRUE(window.painted[1].IsRectEmpty());
}

TEST_F(PaintCycle, GrowingAWindowPaintsOnlyTheNewArea)
{
    window.MoveWindow(0, 0, 400, 200);
    NullHost::PumpPending();
    ASSERT_EQ(window.painted.size(), 1u);
    EXPECT_EQ(window.painted[0], CRect(300, 0, 400, 200));
}

// ---- the drawing module's hooks ---------------------------------------------------------------------

TEST(PaintHooks, DeviceContextsAreMadeByTheRegisteredFactoryWithTheWindowsPlaceInItsSurface)
{
    std::vector<platform::msg::DcRequest> requests;
    std::vector<HDC> released;
    platform::msg::SetDcFactory(
        [&](const platform::msg::DcRequest& r) {
            requests.push_back(r);
            return reinterpret_cast<HDC>(static_cast<std::uintptr_t>(0x100 + requests.size()));
        },
        [&](HWND, HDC dc) { released.push_back(dc); });
    HDC erasedWith = nullptr;
    platform::msg::SetBackgroundEraser([&](HWND, HDC dc, HBRUSH) {
        erasedWith = dc;
        return true;
    });

    PaintingWnd frame, child;
    ASSERT_TRUE(frame.CreateTop(CRect(100, 100, 500, 400), WS_POPUP | WS_VISIBLE | WS_BORDER));
    ASSERT_TRUE(child.CreateChild(&frame, CRect(350, 10, 450, 60), 1));
    NullHost::PumpPending();
    requests.clear();
    released.clear();
    erasedWith = nullptr;

    child.InvalidateRect(CRect(0, 0, 10, 10), TRUE);
    NullHost::PumpPending();
    ASSERT_EQ(requests.size(), 1u);
    const auto& r = requests[0];
    EXPECT_EQ(r.kind, platform::msg::DcKind::Paint);
    EXPECT_EQ(r.topLevel, frame.m_hWnd);
    EXPECT_EQ(CPoint(r.originInTop), CPoint(351, 11)); // inside the frame's 1-pixel border
    EXPECT_EQ(CRect(r.clipInTop), CRect(351, 11, 361, 21));
    EXPECT_EQ(erasedWith, reinterpret_cast<HDC>(0x101));
    EXPECT_EQ(child.erasedFlags.back(), FALSE); // the eraser did it
    EXPECT_EQ(released, std::vector<HDC> { reinterpret_cast<HDC>(0x101) });

    // When nothing erased the background, the painter is told to.
    platform::msg::SetBackgroundEraser([](HWND, HDC, HBRUSH) { return false; });
    child.Invalidate(TRUE);
    NullHost::PumpPending();
    EXPECT_EQ(child.erasedFlags.back(), TRUE);

    // A window DC is clipped to the part of the child that the frame's client area shows.
    HDC dc = ::GetDC(child.m_hWnd);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(CRect(requests.back().clipInTop), CRect(351, 11, 399, 61));
    ::ReleaseDC(child.m_hWnd, dc);

    platform::msg::WindowSurfaceGeometry g;
    ASSERT_TRUE(platform::msg::GetWindowSurfaceGeometry(child.m_hWnd, &g));
    EXPECT_EQ(CSize(g.topLevelSize), CSize(400, 300));
    EXPECT_EQ(CRect(g.windowInTop), CRect(351, 11, 451, 61));
    EXPECT_EQ(CRect(g.visibleInTop), CRect(351, 11, 399, 61));

    platform::msg::SetDcFactory(nullptr, nullptr);
    platform::msg::SetBackgroundEraser(nullptr);
}

TEST(PaintHooks, TopLevelListenersHearCreationResizeAndDestructionAndSlotsGoWithTheWindow)
{
    std::vector<std::pair<HWND, platform::msg::TopLevelEvent>> events;
    int cookie = platform::msg::AddTopLevelListener([&](HWND h, platform::msg::TopLevelEvent e) { events.emplace_back(h, e); });
    std::weak_ptr<void> watch;
    HWND h;
    {
        RecordingWnd top, child;
        ASSERT_TRUE(top.CreateTop(CRect(0, 0, 100, 100), WS_POPUP));
        ASSERT_TRUE(child.CreateChild(&top, CRect(0, 0, 10, 10), 1));
        h = top.m_hWnd;
        // Whatever the drawing module keeps there (nothing without one): the slot of a child
        // is its top-level's.
        auto held = platform::msg::GetSurfaceSlot(top.m_hWnd);
        watch = held;
        EXPECT_TRUE(platform::msg::SetSurfaceSlot(child.m_hWnd, held));
        EXPECT_EQ(platform::msg::GetSurfaceSlot(child.m_hWnd), held);
        held.reset();
        top.ShowWindow(SW_SHOW);
        top.MoveWindow(0, 0, 200, 100);
    }
    platform::msg::RemoveTopLevelListener(cookie);
    using E = platform::msg::TopLevelEvent;
    std::vector<std::pair<HWND, E>> expected { { h, E::Created }, { h, E::Shown }, { h, E::Resized }, { h, E::Hidden }, { h, E::Destroyed } };
    EXPECT_EQ(events, expected);
    EXPECT_TRUE(watch.expired());
}

} // namespace
