// The image bar (item sizes, clicks and check buttons, a press released elsewhere, disabled
// items, shortened captions and their tooltips, indices out of range), the tip text (its size
// from its text, the show delay) and the title window's gradient.
#include "ktctrl/composite/KTImageBar.h"
#include "ktctrl/composite/KTTipText.h"
#include "ktctrl/composite/KTTitle.h"
#include "support/WindowPixels.h"
#include "platform/core/Clock.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/WindowDCs.h"
#include "testkit/NotifyParent.h"

#include <gtest/gtest.h>

#include <memory>

using ktctrl::test::ClientPixel;
using testkit::Pump;

namespace {

constexpr UINT kBarId = 730;

class KTImageBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        parent.sizeOf = [](UINT) { return sizeof(ImageBarNotifyInfo); };
        ASSERT_TRUE(parent.CreateTop(400, 200));
        ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 310, 40), &parent, kBarId));
        bar.Add(1, -1, "Push");
        bar.Add(2, -1, "Check", KTImageBarItem::TYPE_CHECK, TRUE);
        bar.Add(3, -1, "Off");
        bar.EnableItem(2, FALSE);
        Pump();
        parent.Clear();
    }
    POINT On(int index) const
    {
        CPoint c = bar.Get(index)->m_rcItem.CenterPoint();
        return testkit::ScreenPoint(bar, c.x, c.y);
    }
    void Click(int index)
    {
        clock.Advance(1000);
        testkit::ClickPumped(On(index));
    }
    std::vector<int> Indices() const
    {
        std::vector<int> out;
        for (auto& n : parent.notifications)
            out.push_back(n.As<ImageBarNotifyInfo>().nIndex);
        return out;
    }

    platform::ScopedTestClock clock { 10000 };
    testkit::NotifyParent parent;
    KTImageBar bar;
};

TEST_F(KTImageBarTest, ItemsAreOneAndAHalfTimesAsWideAsTheBarIsHigh)
{
    EXPECT_EQ(bar.Get(0)->m_rcItem, CRect(0, 0, 45, 28));
    EXPECT_EQ(bar.Get(1)->m_rcItem, CRect(45, 0, 90, 28));
    EXPECT_EQ(bar.Get(2)->m_rcItem, CRect(93, 0, 138, 28)); // 3 more after a separator
    EXPECT_EQ(bar.HitTest(CPoint(45, 10)), -1);              // the rim belongs to no item
    EXPECT_EQ(bar.HitTest(CPoint(50, 10)), 1);
}

TEST_F(KTImageBarTest, ClicksAndCheckButtons)
{
    struct ClickCase
    {
        const char* what;
        int press, release;
        std::vector<UINT> codes;
        BOOL checkedAfter;
    };
    const ClickCase cases[] = {
        { "check", 1, 1, { 1, 3 }, TRUE },
        { "uncheck", 1, 1, { 1, 3 }, FALSE },
        { "released on another item", 0, 1, { 1 }, FALSE },
        { "a disabled item", 2, 2, { 1 }, FALSE },
        { "a push button", 0, 0, { 1, 3 }, FALSE },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        parent.Clear();
        clock.Advance(1000);
        POINT down = On(c.press), up = On(c.release);
        platform::host::NullHost::MoveMouse(down.x, down.y);
        platform::host::NullHost::MouseDown(down.x, down.y);
        Pump();
        if (c.press == 2)
            EXPECT_FALSE(bar.Get(2)->m_bPressed);
        platform::host::NullHost::MoveMouse(up.x, up.y);
        Pump();
        platform::host::NullHost::MouseUp(up.x, up.y);
        Pump();
        EXPECT_EQ(parent.Codes(), c.codes);
        EXPECT_EQ(bar.Get(1)->m_bChecked, c.checkedAfter);
        for (auto& n : parent.notifications)
            EXPECT_EQ(n.As<ImageBarNotifyInfo>().nID, static_cast<UINT>(c.press + 1));
        for (int i = 0; i < bar.GetCount(); ++i)
            EXPECT_FALSE(bar.Get(i)->m_bPressed);
    }
    platform::host::NullHost::Click(On(0).x, On(0).y, platform::msg::MouseButton::Right);
    Pump();
    EXPECT_EQ(parent.notifications.back().code, 2u);
}

TEST_F(KTImageBarTest, ALongCaptionIsShortenedWithAToolTip)
{
    bar.Get(0)->m_strText = "Fifteen letters";
    bar.Invalidate();
    Pump();
    EXPECT_TRUE(bar.Get(0)->m_bShortened);
    EXPECT_EQ(bar.GetToolTip().GetToolCount(), 1);
    CString tip;
    bar.GetToolTip().GetText(tip, &bar, 1);
    EXPECT_STREQ(tip, "Fifteen letters");
    bar.Get(0)->m_strText = "Twelve chars";
    bar.Invalidate();
    Pump();
    EXPECT_FALSE(bar.Get(0)->m_bShortened);
    EXPECT_EQ(bar.GetToolTip().GetToolCount(), 0);
}

TEST_F(KTImageBarTest, IndicesOutsideTheListAreAppendedOrIgnored)
{
    EXPECT_EQ(bar.Insert(10, 9, -1, "Far"), 3);
    EXPECT_EQ(bar.Insert(-4, 8, -1, "Below"), 4);
    EXPECT_EQ(bar.Insert(0, 7, -1, "Front"), 0);
    EXPECT_EQ(bar.Find(9), 4);
    bar.Remove(42);
    bar.Remove(-1);
    EXPECT_EQ(bar.GetCount(), 6);
    EXPECT_EQ(bar.Get(6), nullptr);
    EXPECT_EQ(bar.GetItemData(6), 0u);
    bar.CheckItem(17, TRUE, FALSE);
    bar.CheckItem(2, TRUE, TRUE); // "Check": the only checked item
    EXPECT_TRUE(bar.GetEx(2)->m_bChecked);
    bar.RemoveEx(2);
    EXPECT_EQ(bar.Find(2), -1);
    bar.RemoveAll();
    EXPECT_EQ(bar.GetCount(), 0);
    Pump();
}

TEST_F(KTImageBarTest, AParentMayEmptyTheBarWhileItIsTold)
{
    for (UINT code : { 1u, 3u }) {
        if (bar.GetCount() == 0) {
            bar.Add(1, -1, "Push");
            Pump();
        }
        parent.answer = [&](const NMHDR& h) {
            if (h.code == code)
                bar.RemoveAll();
            return LRESULT { 0 };
        };
        Click(0);
        parent.answer = nullptr;
        EXPECT_EQ(bar.GetCount(), 0) << code;
        Pump();
    }
}

// ---- tip text ----------------------------------------------------------------------------------

TEST(KTTipTextTest, SizesItselfToItsTextAndAppearsAfterTheDelay)
{
    platform::ScopedTestClock clock { 10000 };
    testkit::ParentWnd owner;
    ASSERT_TRUE(owner.CreateTop(300, 200));
    KTTipText tip;
    ASSERT_TRUE(tip.Create(CPoint(50, 60), &owner));
    EXPECT_FALSE(tip.IsWindowVisible());
    EXPECT_EQ(tip.GetExStyle() & WS_EX_TOOLWINDOW, WS_EX_TOOLWINDOW);
    tip.SetWindowText("Fetal heart rate");

    CFont font;
    font.CreatePointFont(100, "Arial");
    CClientDC dc(&tip);
    CFont* old = dc.SelectObject(&font);
    CRect measured(0, 0, 0, 0);
    dc.DrawText("Fetal heart rate", -1, &measured, DT_CALCRECT | DT_SINGLELINE);
    dc.SelectObject(old);
    CRect window;
    tip.GetWindowRect(&window);
    EXPECT_EQ(window.Width(), measured.Width() + 8);
    EXPECT_EQ(window.Height(), measured.Height() + 8);
    EXPECT_EQ(window.TopLeft(), CPoint(50, 60));

    tip.SetMargin(10, 0);
    tip.SetWindowText("Uterine activity");
    CRect again;
    tip.GetWindowRect(&again);
    EXPECT_EQ(again.Height(), window.Height()); // a vertical margin of 0 keeps the height

    tip.ShowDelayed(500);
    testkit::AdvancePumped(clock, 300);
    EXPECT_FALSE(tip.IsWindowVisible());
    tip.Cancel();
    testkit::AdvancePumped(clock, 500);
    EXPECT_FALSE(tip.IsWindowVisible());
    tip.ShowDelayed(500);
    testkit::AdvancePumped(clock, 600);
    EXPECT_TRUE(tip.IsWindowVisible());
    tip.Cancel();
    tip.ShowDelayed(0);
    EXPECT_TRUE(tip.IsWindowVisible());
    EXPECT_FALSE(tip.SetFont(nullptr));
    CFont empty;
    EXPECT_FALSE(tip.SetFont(&empty));
    EXPECT_TRUE(tip.SetFont(&font));
}

// ---- title -------------------------------------------------------------------------------------

class GradientPicture
{
public:
    GradientPicture(int width, int level, COLORREF a, COLORREF b)
    {
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateCompatibleBitmap(&dc, width, 4);
        old = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, width, 4, RGB(1, 2, 3));
        KTTitle::DrawGradientBox(&dc, CRect(0, 0, width, 4), level, a, b);
    }
    ~GradientPicture() { dc.SelectObject(old); }
    COLORREF At(int x) const { return dc.GetPixel(x, 1) & 0xFFFFFF; }

    CDC dc;
    CBitmap bitmap;
    CBitmap* old { nullptr };
};

TEST(KTTitleTest, GradientBandsRunFromTheSecondColourAtTheRight)
{
    const COLORREF black = RGB(0, 0, 0), white = RGB(255, 255, 255);
    {
        GradientPicture p(256, 128, black, white);
        EXPECT_EQ(p.At(255), white);
        EXPECT_EQ(p.At(254), white);
        EXPECT_NE(p.At(253), white); // bands of 2 pixels
        EXPECT_EQ(p.At(253), p.At(252));
        EXPECT_EQ(p.At(0), black);
        EXPECT_EQ(p.At(2), black);
        EXPECT_EQ(p.At(3), RGB(3, 3, 3)); // the band with k = 2: 255 x 2 / 128
    }
    {
        GradientPicture p(100, 128, black, white);
        EXPECT_EQ(p.At(99), white);
        EXPECT_EQ(p.At(0), black);
        EXPECT_EQ(p.At(1), black);
        EXPECT_NE(p.At(2), black); // only 100 of the 128 steps are reached
    }
    for (int level : { 0, -3 }) {
        GradientPicture p(50, level, black, white);
        EXPECT_EQ(p.At(0), black);
        EXPECT_EQ(p.At(49), black);
    }
}

TEST(KTTitleTest, TheDefaultTitleFadesFromWhiteToBlackWithWhiteText)
{
    testkit::ParentWnd owner;
    ASSERT_TRUE(owner.CreateTop(300, 100));
    KTTitle title;
    ASSERT_TRUE(title.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 256, 24), &owner, 1));
    title.SetWindowText("Central station");
    Pump();
    EXPECT_EQ(ClientPixel(title, 255, 2) & 0xFFFFFF, RGB(255, 255, 255));
    EXPECT_EQ(ClientPixel(title, 0, 2) & 0xFFFFFF, RGB(0, 0, 0));
    bool whiteText = false;
    for (int x = 5; x < 60 && !whiteText; ++x)
        for (int y = 4; y < 20; ++y)
            if ((ClientPixel(title, x, y) & 0xFFFFFF) == RGB(255, 255, 255))
                whiteText = true;
    EXPECT_TRUE(whiteText);
    title.SetBkColor(RGB(0, 0, 128), RGB(0, 128, 255));
    Pump();
    EXPECT_EQ(ClientPixel(title, 255, 2) & 0xFFFFFF, RGB(0, 128, 255));
}

} // namespace
