// CGroupCheck on the layer's check box and group box under the null host: it takes the group
// box's caption place, and the controls inside the box (even partly) follow its check state,
// set by SetCheck or by a click that the parent still hears.
#include "nrdata/list/CGroupCheck.h"

#include "platform/gdi/WindowDCs.h"
#include "platform/host/null/NullHost.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using platform::host::NullHost;

constexpr UINT kBoxId = 100;
constexpr UINT kCheckId = 101;

class Parent : public CWnd
{
public:
    std::vector<std::pair<WORD, WORD>> commands; // (id, code)

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND)
            commands.emplace_back(LOWORD(wParam), HIWORD(wParam));
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class GroupCheck : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr));
        ASSERT_TRUE(box.Create("FHR1 alarm", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, CRect(20, 20, 220, 120), &parent, kBoxId));
        // Inside, partly inside (over the bottom-right corner), and outside the box.
        inside = Make(CRect(30, 40, 100, 60), 1);
        partly = Make(CRect(200, 100, 260, 140), 2);
        outside = Make(CRect(250, 150, 300, 170), 3);
        // Three states, so that the indeterminate state can be shown.
        ASSERT_TRUE(check.Create("Alarm", WS_CHILD | WS_VISIBLE | BS_AUTO3STATE, CRect(0, 0, 10, 10), &parent, kCheckId));
    }

    CButton* Make(const CRect& rect, UINT id)
    {
        controls.push_back(std::make_unique<CButton>());
        EXPECT_TRUE(controls.back()->Create("x", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, rect, &parent, id));
        return controls.back().get();
    }

    static bool Enabled(CWnd* w) { return w->IsWindowEnabled() != FALSE; }
    static bool Visible(CWnd* w) { return (w->GetStyle() & WS_VISIBLE) != 0; }

    Parent parent;
    CButton box;
    std::vector<std::unique_ptr<CButton>> controls;
    CButton* inside { nullptr };
    CButton* partly { nullptr };
    CButton* outside { nullptr };
    CGroupCheck check;
};

TEST_F(GroupCheck, TakesTheCaptionPlaceOfTheGroupBox)
{
    check.SetGroupbox(kBoxId, FALSE);
    CString caption;
    box.GetWindowText(caption);
    EXPECT_EQ(caption, "");

    CSize text;
    {
        CClientDC dc(&check);
        dc.SelectObject(reinterpret_cast<HGDIOBJ>(check.SendMessage(WM_GETFONT)));
        text = dc.GetTextExtent("Alarm");
    }
    ASSERT_GT(text.cx, 0);
    CRect placed;
    check.GetWindowRect(&placed);
    parent.ScreenToClient(&placed);
    EXPECT_EQ(placed, CRect(30, 20, 30 + text.cx + 25, 20 + text.cy));
    // Drawn over the box's frame: right before it in z-order.
    EXPECT_EQ(box.GetWindow(GW_HWNDPREV)->GetSafeHwnd(), check.GetSafeHwnd());
}

TEST_F(GroupCheck, ControlsInsideTheBoxFollowTheState)
{
    struct Case
    {
        BOOL hide;
        int state;
        bool enabled;
        bool visible;
    } cases[] = {
        { FALSE, BST_UNCHECKED, false, true },  { FALSE, BST_CHECKED, true, true },
        { FALSE, BST_INDETERMINATE, false, true }, { TRUE, BST_UNCHECKED, false, false },
        { TRUE, BST_CHECKED, true, true },      { TRUE, BST_INDETERMINATE, false, true },
    };
    for (const Case& c : cases) {
        check.SetGroupbox(&box, c.hide);
        check.SetCheck(c.state);
        EXPECT_EQ(check.GetCheck(), c.state);
        for (CWnd* control : { inside, partly }) {
            EXPECT_EQ(Enabled(control), c.enabled) << "hide " << c.hide << " state " << c.state;
            EXPECT_EQ(Visible(control), c.visible) << "hide " << c.hide << " state " << c.state;
        }
        EXPECT_EQ(Visible(&box), c.visible);
        EXPECT_TRUE(Enabled(outside));
        EXPECT_TRUE(Visible(outside));
        EXPECT_TRUE(Enabled(&check));
        EXPECT_TRUE(Visible(&check));
    }
}

TEST_F(GroupCheck, BindingAppliesTheCurrentStateAtOnce)
{
    check.CButton::SetCheck(BST_UNCHECKED);
    check.SetGroupbox(&box, TRUE);
    EXPECT_FALSE(Enabled(inside));
    EXPECT_FALSE(Visible(inside));
    EXPECT_FALSE(Visible(&box));
}

TEST_F(GroupCheck, AClickChecksAndEnablesAndTheParentHearsIt)
{
    check.SetGroupbox(kBoxId, FALSE);
    check.SetCheck(BST_UNCHECKED);
    ASSERT_FALSE(Enabled(inside));
    NullHost::PumpPending();
    parent.commands.clear();

    CRect rect;
    check.GetWindowRect(&rect);
    NullHost::Click(rect.left + 5, rect.CenterPoint().y);
    NullHost::PumpPending();
    EXPECT_EQ(check.GetCheck(), BST_CHECKED);
    EXPECT_TRUE(Enabled(inside));
    EXPECT_TRUE(Enabled(partly));
    ASSERT_FALSE(parent.commands.empty());
    EXPECT_EQ(parent.commands.back(), std::make_pair(static_cast<WORD>(kCheckId), static_cast<WORD>(BN_CLICKED)));

    // The next click makes it indeterminate: the controls are disabled again.
    NullHost::Click(rect.left + 5, rect.CenterPoint().y);
    NullHost::PumpPending();
    EXPECT_EQ(check.GetCheck(), BST_INDETERMINATE);
    EXPECT_FALSE(Enabled(inside));
}

TEST_F(GroupCheck, WithoutAGroupBoxNothingElseChanges)
{
    check.SetGroupbox(999u, TRUE); // no such control
    check.SetCheck(BST_UNCHECKED);
    EXPECT_TRUE(Enabled(inside));
    EXPECT_TRUE(Visible(inside));
}

} // namespace
