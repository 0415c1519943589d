// Buttons and statics: clicks by mouse and Space with BN_CLICKED, a press dragged off the button
// not clicking, check boxes of two and three states, automatic radio groups, the pushed state,
// owner-drawn buttons with their item state, and notifying labels.
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/Static.h"
#include "testkit/ControlParent.h"

#include <gtest/gtest.h>

using platform::host::NullHost;
using testkit::Pump;

namespace {

class UiButton : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(parent.CreateTop()); }

    static POINT Center(CWnd& wnd)
    {
        CRect r;
        wnd.GetWindowRect(&r);
        return r.CenterPoint();
    }

    testkit::ParentWnd parent;
};

TEST_F(UiButton, ClickAndSpaceSendClickedButAPressDraggedOffDoesNot)
{
    CButton button;
    ASSERT_TRUE(button.Create("Admit", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 90, 33), &parent, 11));
    testkit::ClickPumped(Center(button));
    EXPECT_EQ(parent.Codes(11), (std::vector<WORD> { BN_CLICKED }));
    EXPECT_EQ(GetFocus(), button.m_hWnd);
    NullHost::PressKey(VK_SPACE), Pump();
    EXPECT_EQ(parent.Codes(11).size(), 2u);
    POINT down = Center(button);
    NullHost::MoveMouse(down.x, down.y);
    NullHost::MouseDown(down.x, down.y);
    Pump();
    EXPECT_TRUE(button.GetState() & BST_PUSHED);
    NullHost::MoveMouse(down.x + 200, down.y);
    Pump();
    EXPECT_FALSE(button.GetState() & BST_PUSHED);
    NullHost::MouseUp(down.x + 200, down.y);
    Pump();
    EXPECT_EQ(parent.Codes(11).size(), 2u);
}

TEST_F(UiButton, CheckBoxesCycleTheirStates)
{
    CButton two, three, manual;
    ASSERT_TRUE(two.Create("Alarm", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, CRect(10, 10, 110, 26), &parent, 21));
    ASSERT_TRUE(three.Create("Sound", WS_CHILD | WS_VISIBLE | BS_AUTO3STATE, CRect(10, 30, 110, 46), &parent, 22));
    ASSERT_TRUE(manual.Create("Print", WS_CHILD | WS_VISIBLE | BS_CHECKBOX, CRect(10, 50, 110, 66), &parent, 23));
    testkit::ClickPumped(Center(two));
    EXPECT_EQ(two.GetCheck(), BST_CHECKED);
    testkit::ClickPumped(Center(two));
    EXPECT_EQ(two.GetCheck(), BST_UNCHECKED);
    std::vector<int> states;
    for (int i = 0; i < 3; ++i) {
        testkit::ClickPumped(Center(three));
        states.push_back(three.GetCheck());
    }
    EXPECT_EQ(states, (std::vector<int> { BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED }));
    // A plain check box leaves its state to the program; two states only.
    testkit::ClickPumped(Center(manual));
    EXPECT_EQ(manual.GetCheck(), BST_UNCHECKED);
    manual.SetCheck(BST_INDETERMINATE);
    EXPECT_EQ(manual.GetCheck(), BST_CHECKED);
    EXPECT_EQ(parent.Codes(23), (std::vector<WORD> { BN_CLICKED }));
}

TEST_F(UiButton, AutomaticRadioButtonsCheckOneOfTheirGroup)
{
    CButton a, b, c, other;
    ASSERT_TRUE(a.Create("kg", WS_CHILD | WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON, CRect(10, 10, 80, 26), &parent, 31));
    ASSERT_TRUE(b.Create("lb", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, CRect(10, 30, 80, 46), &parent, 32));
    ASSERT_TRUE(c.Create("oz", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, CRect(10, 50, 80, 66), &parent, 33));
    ASSERT_TRUE(other.Create("cm", WS_CHILD | WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON, CRect(100, 10, 180, 26), &parent, 34));
    other.SetCheck(BST_CHECKED);
    testkit::ClickPumped(Center(b));
    testkit::ClickPumped(Center(c));
    EXPECT_EQ(a.GetCheck(), 0);
    EXPECT_EQ(b.GetCheck(), 0);
    EXPECT_EQ(c.GetCheck(), 1);
    EXPECT_EQ(other.GetCheck(), 1); // another group
    EXPECT_TRUE(c.GetStyle() & WS_TABSTOP);
    EXPECT_FALSE(b.GetStyle() & WS_TABSTOP);
}

class OwnerDrawnButton : public CButton
{
public:
    std::vector<UINT> states;
    void DrawItem(LPDRAWITEMSTRUCT p) override
    {
        EXPECT_EQ(p->CtlType, ODT_BUTTON);
        states.push_back(p->itemState);
    }
};

TEST_F(UiButton, OwnerDrawnButtonGetsItsItemState)
{
    OwnerDrawnButton button;
    ASSERT_TRUE(button.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 90, 33), &parent, 41));
    button.UpdateWindow();
    ASSERT_FALSE(button.states.empty());
    EXPECT_EQ(button.states.back() & (ODS_SELECTED | ODS_FOCUS), 0u);
    button.SetFocus();
    button.SetState(TRUE);
    button.UpdateWindow();
    EXPECT_EQ(button.states.back() & (ODS_SELECTED | ODS_FOCUS), ODS_SELECTED | ODS_FOCUS);
    button.EnableWindow(FALSE);
    button.UpdateWindow();
    EXPECT_TRUE(button.states.back() & ODS_DISABLED);
    EXPECT_EQ(button.SendMessage(WM_GETDLGCODE) & DLGC_UNDEFPUSHBUTTON, DLGC_UNDEFPUSHBUTTON);
}

TEST_F(UiButton, NotifyingStaticReportsClicksAndOthersLetThemThrough)
{
    CStatic link, label;
    ASSERT_TRUE(link.Create("www", WS_CHILD | WS_VISIBLE | SS_NOTIFY, CRect(10, 10, 90, 26), &parent, 51));
    ASSERT_TRUE(label.Create("Bed", WS_CHILD | WS_VISIBLE, CRect(10, 40, 90, 56), &parent, 52));
    testkit::ClickPumped(Center(link));
    EXPECT_EQ(parent.Codes(51), (std::vector<WORD> { STN_CLICKED }));
    testkit::ClickPumped(Center(label));
    EXPECT_TRUE(parent.Codes(52).empty());
}

} // namespace
