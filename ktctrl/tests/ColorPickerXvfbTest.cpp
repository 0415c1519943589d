// The colour picker under the gtk host on a real X display: a click opens the palette, a click
// on a cell chooses its colour, and a click on the desktop, outside every window of the
// program, closes the palette with cancel.
#include "ktctrl/basic/KTColorPicker.h"
#include "ktctrl/basic/KTColorPopup.h"
#include "testkit/ControlParent.h"
#include "testkit/Golden.h"
#include "testkit/TempFolder.h"
#include "testkit/TestWindow.h"
#include "testkit/Xvfb.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

using testkit::PumpDisplayUntil;
using testkit::RecordingWnd;

namespace {

class KTColorPickerOnXvfb : public testkit::XvfbTest
{
protected:
    void SetUp() override
    {
        testkit::XvfbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(frame.CreateTop(CRect(40, 50, 400, 300), WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, nullptr, "Colours"));
        ASSERT_TRUE(testkit::DisplayHostRunning());
        ASSERT_TRUE(picker.Create("", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(20, 20, 120, 40), &frame, 300));
        picker.SetColour(RGB(0, 0, 255));
        ASSERT_TRUE(PumpDisplayUntil([&] { return testkit::IsOnDisplay(frame.m_hWnd); }));
    }

    // Lets the host follow what just changed for a few frames.
    static void Settle()
    {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(200);
        PumpDisplayUntil([&] { return std::chrono::steady_clock::now() > until; });
    }
    static int ClickAt(POINT screen)
    {
        return testkit::RunTool({ "xdotool", "mousemove", "--sync", std::to_string(screen.x), std::to_string(screen.y),
                                  "click", "1" });
    }
    KTColorPopup* OpenPopup()
    {
        if (ClickAt(testkit::ScreenPoint(picker, 10, 10)) != 0)
            return nullptr;
        KTColorPopup* popup = nullptr;
        PumpDisplayUntil([&] {
            popup = dynamic_cast<KTColorPopup*>(CWnd::FromHandlePermanent(GetCapture()));
            return popup && testkit::IsOnDisplay(popup->m_hWnd);
        });
        Settle();
        return popup;
    }
    bool Heard(UINT message)
    {
        return PumpDisplayUntil([&] { return frame.Count(message) > 0; });
    }

    RecordingWnd frame;
    KTColorPicker picker;
};

TEST_F(KTColorPickerOnXvfb, PopupOpensTakesAClickAndClosesOnAClickOutside)
{
    KTColorPopup* popup = OpenPopup();
    ASSERT_NE(popup, nullptr) << "the click did not open the palette";
    {
        // For a person to look at: the palette as the X server shows it, under the picker.
        testkit::TempFolder temp;
        CRect shown, pickerRect;
        popup->GetWindowRect(&shown);
        picker.GetWindowRect(&pickerRect);
        shown.UnionRect(&shown, &pickerRect);
        testkit::PresentNow();
        testkit::SaveForReview(testkit::ScreenShot(shown, temp / "palette.png"), "ktctrl_ColorPopupOnX");
    }
    CPoint red = popup->GetCellRect(16).CenterPoint();
    ASSERT_EQ(ClickAt(testkit::ScreenPoint(*popup, red.x, red.y)), 0);
    ASSERT_TRUE(Heard(CPM_SELENDOK));
    EXPECT_EQ(picker.GetColour(), RGB(255, 0, 0));
    EXPECT_EQ(frame.Count(CPM_SELENDCANCEL), 0);

    popup = OpenPopup();
    ASSERT_NE(popup, nullptr);
    HWND popupWindow = popup->m_hWnd;
    ASSERT_EQ(ClickAt(POINT { 900, 650 }), 0); // the desktop
    ASSERT_TRUE(Heard(CPM_SELENDCANCEL)) << "the click outside did not close the palette";
    EXPECT_FALSE(IsWindow(popupWindow));
    EXPECT_EQ(picker.GetColour(), RGB(255, 0, 0));
}

} // namespace
