// The owner-drawn button, the shade button and the skin button: colours and images, the flat
// look that shows its border only while hovered, the check-box mode, auto-repeat (also when the
// parent deletes the button in its handler), double clicks, skins cut from one strip, the
// mask's region and size, and radio groups.
#include "ktctrl/buttons/KTButton.h"
#include "ktctrl/buttons/KTSkinButton.h"
#include "ktctrl/shaded/KTShadeButton.h"
#include "support/SkinPictures.h"
#include "support/WindowPixels.h"
#include "platform/core/Clock.h"
#include "platform/core/ResourceModule.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/WindowRegion.h"
#include "testkit/Canvas.h"
#include "testkit/ControlParent.h"
#include "testkit/TestWindow.h"

#include <gtest/gtest.h>

#include <memory>

using ktctrl::test::ClientPixel;
using platform::host::NullHost;
using testkit::Pump;

namespace {

constexpr UINT kButtonId = 100;
constexpr UINT kStripId = 9001, kMaskId = 9002, kOrangeId = 9003;

const platform::ResourceData kPictures[] = {
    { "PNG", kStripId, nullptr, ktctrl::test::kSkinStrip },
    { "PNG", kMaskId, nullptr, ktctrl::test::kSkinMask },
    { "PNG", kOrangeId, nullptr, ktctrl::test::kSkinOrange },
};
const platform::ResourceModuleRegistration s_pictures("ButtonsTest", { .data = kPictures });

class ButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateTop(CRect(100, 100, 500, 400), WS_POPUP | WS_VISIBLE));
        parent.onMessage = [this](UINT message, WPARAM wParam, LPARAM, LRESULT&) {
            if (message == WM_COMMAND && LOWORD(wParam) == kButtonId && onCommand)
                onCommand();
            return false;
        };
        Pump();
    }
    void TearDown() override
    {
        parent.onMessage = nullptr;
        Pump();
    }
    int Commands() const
    {
        int n = 0;
        for (auto& e : parent.log)
            n += e.message == WM_COMMAND && LOWORD(e.wParam) == kButtonId && HIWORD(e.wParam) == BN_CLICKED;
        return n;
    }
    POINT At(HWND button, int x, int y) const { return testkit::ScreenPoint(button, x, y); }
    void Click(HWND button)
    {
        clock.Advance(1000); // never the second click of a double click
        testkit::ClickPumped(At(button, 5, 5));
    }

    platform::ScopedTestClock clock { 10000 };
    testkit::RecordingWnd parent;
    std::function<void()> onCommand;
};

// ---- KTButton -------------------------------------------------------------------------------------------

TEST_F(ButtonTest, ColourIndexesOutsideTheTableAreRefused)
{
    KTButton button;
    struct { int index; DWORD result; } cases[] = { { -1, KTButton::BTNST_INVALIDINDEX }, { 0, 0 }, { 3, 0 },
                                                    { 4, KTButton::BTNST_INVALIDINDEX } };
    for (auto c : cases)
        EXPECT_EQ(button.SetColor(c.index, RGB(1, 2, 3), 0), c.result) << c.index;
    COLORREF colour = 0;
    EXPECT_EQ(button.GetColor(4, &colour), KTButton::BTNST_INVALIDINDEX);
    EXPECT_EQ(button.GetColor(2, &colour), 0u);
    EXPECT_EQ(colour, ::GetSysColor(COLOR_BTNFACE)) << "index 2 untouched by the refused calls";
    EXPECT_EQ(button.SetIcon(reinterpret_cast<HICON>(0x5151)), KTButton::BTNST_INVALIDRESOURCE);
}

TEST_F(ButtonTest, AFlatButtonShowsItsBorderOnlyWhileHovered)
{
    KTButton button;
    ASSERT_TRUE(button.Create("Go", WS_CHILD | WS_VISIBLE, CRect(10, 10, 90, 40), &parent, kButtonId));
    button.SetColor(KTButton::BTNST_COLOR_BK_IN, RGB(255, 255, 0));
    Pump();
    COLORREF out = ClientPixel(button, 0, 0);
    EXPECT_EQ(out, ::GetSysColor(COLOR_BTNFACE)) << "no border when flat and not hovered";
    POINT inside = At(button, 40, 15);
    NullHost::MoveMouse(inside.x, inside.y);
    Pump();
    EXPECT_TRUE(button.IsHover());
    EXPECT_EQ(ClientPixel(button, 0, 0), ::GetSysColor(COLOR_BTNHIGHLIGHT)) << "the raised border";
    EXPECT_EQ(ClientPixel(button, 5, 20), RGB(255, 255, 0)) << "the 'in' background";
    POINT outside = At(button, 200, 200);
    NullHost::MoveMouse(outside.x, outside.y);
    Pump();
    EXPECT_FALSE(button.IsHover());
    EXPECT_EQ(ClientPixel(button, 0, 0), ::GetSysColor(COLOR_BTNFACE));
}

TEST_F(ButtonTest, CheckBoxModeTogglesAtEachClickAndTheParentHearsEveryOne)
{
    KTButton button;
    ASSERT_TRUE(button.Create("Check", WS_CHILD | WS_VISIBLE | BS_CHECKBOX, CRect(10, 10, 90, 40), &parent, kButtonId));
    Pump();
    for (int expected : { 1, 0, 1 }) {
        Click(button);
        EXPECT_EQ(button.GetCheck(), expected);
    }
    EXPECT_EQ(Commands(), 3);
    KTButton plain;
    plain.SetCheck(1, 0);
    EXPECT_EQ(plain.GetCheck(), 0) << "SetCheck acts only in check-box mode";
}

TEST_F(ButtonTest, ADoubleClickCountsAsTwoClicks)
{
    KTButton button;
    ASSERT_TRUE(button.Create("Go", WS_CHILD | WS_VISIBLE, CRect(10, 10, 90, 40), &parent, kButtonId));
    Pump();
    POINT p = At(button, 5, 5);
    NullHost::DoubleClick(p.x, p.y);
    Pump();
    EXPECT_EQ(Commands(), 2);
}

TEST_F(ButtonTest, AutoRepeatSendsAnEvenNumberOfCommandsBeforeTheClick)
{
    KTButton button;
    ASSERT_TRUE(button.Create("Up", WS_CHILD | WS_VISIBLE, CRect(10, 10, 90, 40), &parent, kButtonId));
    button.SetAutoRepeat(1, 5);
    Pump();
    POINT p = At(button, 5, 5);
    int commands = 0;
    onCommand = [&] {
        // Let go after the third repeat.
        if (++commands == 3)
            NullHost::MouseUp(p.x, p.y);
    };
    NullHost::MoveMouse(p.x, p.y);
    NullHost::MouseDown(p.x, p.y);
    Pump();
    EXPECT_GE(Commands(), 4);
    EXPECT_LE(Commands(), 5);
}

TEST_F(ButtonTest, AParentMayDeleteAnAutoRepeatButtonInItsHandler)
{
    auto button = std::make_unique<KTButton>();
    ASSERT_TRUE(button->Create("Up", WS_CHILD | WS_VISIBLE, CRect(10, 10, 90, 40), &parent, kButtonId));
    button->SetAutoRepeat(1, 5);
    Pump();
    HWND hwnd = *button;
    POINT p = At(hwnd, 5, 5);
    onCommand = [&] {
        if (button) {
            button->DestroyWindow();
            button.reset();
        }
    };
    NullHost::MoveMouse(p.x, p.y);
    NullHost::MouseDown(p.x, p.y);
    Pump();
    NullHost::MouseUp(p.x, p.y);
    Pump();
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(Commands(), 1);
}

TEST_F(ButtonTest, ABitmapShowsTheBackgroundWhereItHasTheTransparentColour)
{
    testkit::Canvas picture(8, 8, RGB(255, 255, 255));
    picture.dc.FillSolidRect(0, 0, 4, 8, RGB(255, 0, 0));
    picture.dc.SelectObject(static_cast<CBitmap*>(nullptr));
    HBITMAP bitmap = reinterpret_cast<HBITMAP>(picture.bitmap.Detach());

    KTButton button;
    ASSERT_TRUE(button.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 30, 30), &parent, kButtonId));
    button.SetColor(KTButton::BTNST_COLOR_BK_OUT, RGB(0, 0, 255));
    EXPECT_EQ(button.SetBitmaps(bitmap, RGB(255, 255, 255)), 0u);
    ::DeleteObject(bitmap); // the button keeps its own copy
    Pump();
    // Without a caption the 8 x 8 picture is centred in the 20 x 20 button: (6, 6) to (14, 14).
    EXPECT_EQ(ClientPixel(button, 7, 10), RGB(255, 0, 0));
    EXPECT_EQ(ClientPixel(button, 12, 10), RGB(0, 0, 255)) << "transparent: the background shows";
    EXPECT_EQ(ClientPixel(button, 2, 2), RGB(0, 0, 255));
}

TEST_F(ButtonTest, AShadeButtonLightensWhileHovered)
{
    KTShadeButton button;
    button.SetShade(KTShade::SHADE_FLAT, 0, 60, 0, 0);
    ASSERT_TRUE(button.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 90, 40), &parent, kButtonId));
    Pump();
    COLORREF out = ClientPixel(button, 20, 15);
    EXPECT_EQ(out, ::GetSysColor(COLOR_BTNFACE));
    POINT inside = At(button, 20, 15);
    NullHost::MoveMouse(inside.x, inside.y);
    Pump();
    COLORREF in = ClientPixel(button, 20, 15);
    EXPECT_GT(GetRValue(in) + GetGValue(in) + GetBValue(in), GetRValue(out) + GetGValue(out) + GetBValue(out));
}

// ---- KTSkinButton -----------------------------------------------------------------------------------------

TEST_F(ButtonTest, SkinsCutFromOneStripShowNormalPressedAndHovered)
{
    KTSkinButton button;
    ASSERT_TRUE(button.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 50, 30), &parent, kButtonId));
    button.SetSkinAll(kStripId, KTSkinButton::SKIN_NORMAL, KTSkinButton::SKIN_PRESSED, KTSkinButton::SKIN_HOVER, -1);
    button.SetDrawInfo(0, 0, 0);
    EXPECT_TRUE(button.HasSkin(KTSkinButton::SKIN_NORMAL));
    EXPECT_TRUE(button.HasSkin(KTSkinButton::SKIN_PRESSED));
    EXPECT_TRUE(button.HasSkin(KTSkinButton::SKIN_HOVER));
    EXPECT_FALSE(button.HasSkin(KTSkinButton::SKIN_FOCUS));
    button.Invalidate();
    Pump();
    EXPECT_EQ(ClientPixel(button, 20, 10), RGB(255, 0, 0)) << "normal: the first 40 pixels";
    POINT p = At(button, 20, 10);
    NullHost::MoveMouse(p.x, p.y);
    Pump();
    EXPECT_EQ(ClientPixel(button, 20, 10), RGB(0, 0, 255)) << "hovered: the third piece";
    NullHost::MouseDown(p.x, p.y);
    Pump();
    EXPECT_EQ(ClientPixel(button, 20, 10), RGB(0, 255, 0)) << "pressed: the second piece";
    NullHost::MouseUp(p.x, p.y);
    Pump();
    EXPECT_EQ(Commands(), 1);
}

TEST_F(ButtonTest, SkinPartsOutsideTheBitmapAndUnknownSlotsAreRefused)
{
    KTSkinButton button;
    EXPECT_FALSE(button.SetSkinEx(kStripId, KTSkinButton::SKIN_NORMAL, CRect(100, 0, 130, 20)));
    EXPECT_FALSE(button.SetSkinEx(kStripId, 7, CRect(0, 0, 10, 10)));
    EXPECT_FALSE(button.SetSkinEx(kStripId, -1, CRect(0, 0, 10, 10)));
    EXPECT_FALSE(button.HasSkin(KTSkinButton::SKIN_NORMAL));
    EXPECT_TRUE(button.SetSkinEx(kStripId, KTSkinButton::SKIN_NORMAL, CRect(80, 0, 120, 20)));
    EXPECT_TRUE(button.HasSkin(KTSkinButton::SKIN_NORMAL));
}

TEST_F(ButtonTest, TheMaskShapesAndSizesTheWindowInDrawModeZero)
{
    KTSkinButton shaped;
    ASSERT_TRUE(shaped.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 60), &parent, kButtonId));
    shaped.SetSkin(kOrangeId, 0, 0, 0, 0, kMaskId);
    CRect rect;
    shaped.GetWindowRect(&rect);
    EXPECT_EQ(rect.Size(), CSize(30, 20)) << "the mask's size";
    // The region holds the pixels that differ from the mask colour (black): the right half.
    POINT left = At(shaped, 5, 10), right = At(shaped, 20, 10);
    EXPECT_NE(::WindowFromPoint(left), static_cast<HWND>(shaped));
    EXPECT_EQ(::WindowFromPoint(right), static_cast<HWND>(shaped));

    KTSkinButton stretched;
    stretched.SetDrawInfo(1, 1, 2);
    ASSERT_TRUE(stretched.Create("", WS_CHILD | WS_VISIBLE, CRect(150, 10, 250, 60), &parent, kButtonId + 1));
    stretched.SetSkin(kOrangeId, 0, 0, 0, 0, kMaskId);
    stretched.GetWindowRect(&rect);
    EXPECT_EQ(rect.Size(), CSize(100, 50)) << "other modes keep the window's size";
}

TEST_F(ButtonTest, CheckingOneSkinRadioButtonUnchecksTheOthersOfItsGroup)
{
    KTSkinButton radios[3];
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(radios[i].Create("", WS_CHILD | WS_VISIBLE | BS_RADIOBUTTON | (i == 0 ? WS_GROUP : 0),
                                     CRect(10 + 50 * i, 10, 50 + 50 * i, 30), &parent, kButtonId + i));
    Pump();
    Click(radios[0]);
    EXPECT_EQ(radios[0].SendMessage(BM_GETCHECK), 1);
    Click(radios[2]);
    Pump();
    EXPECT_EQ(radios[0].SendMessage(BM_GETCHECK), 0);
    EXPECT_EQ(radios[1].SendMessage(BM_GETCHECK), 0);
    EXPECT_EQ(radios[2].SendMessage(BM_GETCHECK), 1);
}

} // namespace
