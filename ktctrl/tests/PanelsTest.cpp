// The panels: the sizing dialog's rules after a series of resizes (stretch, anchor, centre,
// ratio, a zero denominator, a rule whose control went away), its minimum size and gripper;
// the split panes' sizes (the splitter between them, limits, a hidden side, nesting, dragging
// the splitter with the mouse); and the dialog bar's own command list.
#include "ktctrl/composite/KTDialogBar.h"
#include "ktctrl/composite/KTSizingDialog.h"
#include "ktctrl/composite/KTSplitDialog.h"
#include "support/PrintGeometry.h"
#include "platform/core/Clock.h"
#include "platform/gdi/SysColors.h"
#include "platform/msg/WindowApi.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/framework/FrameWnd.h"
#include "testkit/ControlParent.h"
#include "testkit/TestWindow.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using platform::host::NullHost;
using testkit::Pump;
using testkit::RecordingWnd;

namespace {

// An empty pop-up dialog: its client area is its window, so sizes are plain pixels.
const platform::DialogTemplate kEmptyDialog { 9001, nullptr, WS_POPUP | WS_VISIBLE, 0, 0, 0, 100, 80, nullptr, nullptr, 0, {} };

CRect RectInParent(CWnd& wnd)
{
    CRect r;
    wnd.GetWindowRect(&r);
    wnd.GetParent()->ScreenToClient(&r);
    return r;
}

void Resize(CWnd& dialog, int width, int height)
{
    dialog.SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
}

// ---- the sizing dialog ------------------------------------------------------------------------------

class KTSizingDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dialog.CreateIndirect(kEmptyDialog));
        Resize(dialog, 400, 300);
        for (int i = 0; i < 5; ++i)
            ASSERT_TRUE(controls[i].CreateChild(&dialog, CRect(20 + 60 * i, 20, 60 + 60 * i, 50), 100 + i));
        Pump();
    }
    void TearDown() override
    {
        if (dialog.GetSafeHwnd())
            dialog.DestroyWindow();
        Pump();
    }

    KTSizingDialog dialog;
    RecordingWnd controls[5];
};

TEST_F(KTSizingDialogTest, RulesMoveAndStretchControlsAfterEachResize)
{
    dialog.SetControlInfo(100, KTSIZE_SIZEX | KTSIZE_SIZEY);
    dialog.SetControlInfo(101, KTSIZE_MOVEX | KTSIZE_MOVEY);
    dialog.SetControlInfo(102, KTSIZE_HALFX);
    dialog.SetControlInfo(103, KTSIZE_HALFX | KTSIZE_MOVEX | KTSIZE_CENTERY);
    dialog.SetControlInfo(104, 0x10000); // no flags in the low 16 bits: ignored
    EXPECT_EQ(dialog.GetControlInfoCount(), 4);

    struct Step
    {
        int width, height;
        CRect expected[4];
    };
    const Step steps[] = {
        { 420, 310, { { 20, 20, 80, 60 }, { 100, 30, 140, 60 }, { 140, 20, 190, 50 }, { 210, 25, 260, 55 } } },
        { 400, 300, { { 20, 20, 60, 50 }, { 80, 20, 120, 50 }, { 140, 20, 180, 50 }, { 200, 20, 240, 50 } } },
        { 500, 300, { { 20, 20, 160, 50 }, { 180, 20, 220, 50 }, { 140, 20, 230, 50 }, { 250, 20, 340, 50 } } },
    };
    for (const auto& s : steps) {
        Resize(dialog, s.width, s.height);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(RectInParent(controls[i]), s.expected[i]) << s.width << " control " << i;
    }
    EXPECT_EQ(RectInParent(controls[4]), CRect(260, 20, 300, 50));
}

TEST_F(KTSizingDialogTest, ACentredControlFollowsInEvenSteps)
{
    dialog.SetControlInfo(100, KTSIZE_CENTERX);
    std::vector<int> moves;
    int left = RectInParent(controls[0]).left;
    for (int width : { 403, 406, 409 }) {
        Resize(dialog, width, 300);
        const int now = RectInParent(controls[0]).left;
        moves.push_back(now - left);
        left = now;
    }
    EXPECT_EQ(moves, (std::vector<int> { 1, 2, 1 }));
}

TEST_F(KTSizingDialogTest, RatioRulesMoveByWholeStepsRounded)
{
    dialog.SetControlInfoPercent(100, 50, 0, 0, 0);
    dialog.SetControlInfoRatio(101, 0, 0, 1, 1, 1, 1); // zero denominators hold the control still
    dialog.SetControlInfoRatio(102, 10, 10, 0, 0, 1, 2);
    struct Step
    {
        int width, height, left0;
        CRect third;
    };
    const Step steps[] = {
        { 430, 300, 20, { 140, 20, 183, 50 } },  // 30 of 100: rounds to 0 steps; 3 steps of 10
        { 460, 320, 70, { 140, 20, 186, 54 } },  // 60 of 100: one step of 50; 2 steps of 10 down, twice
        { 560, 320, 120, { 140, 20, 196, 54 } }, // a further 100
    };
    for (const auto& s : steps) {
        Resize(dialog, s.width, s.height);
        EXPECT_EQ(RectInParent(controls[0]).left, s.left0) << s.width;
        EXPECT_EQ(RectInParent(controls[1]), CRect(80, 20, 120, 50));
        EXPECT_EQ(RectInParent(controls[2]), s.third) << s.width;
    }
}

TEST_F(KTSizingDialogTest, RulesOfVanishedControlsAreDroppedAndTheRestKeepsWorking)
{
    dialog.SetControlInfo(100, KTSIZE_MOVEX);
    dialog.SetControlInfo(101, KTSIZE_MOVEX);
    dialog.SetControlInfo(101, KTSIZE_MOVEY); // not merged: both apply
    controls[0].DestroyWindow();
    Resize(dialog, 410, 310);
    EXPECT_EQ(dialog.GetControlInfoCount(), 2);
    EXPECT_EQ(dialog.FindControlInfo(100), -1);
    EXPECT_EQ(RectInParent(controls[1]), CRect(90, 30, 130, 60));
    EXPECT_TRUE(dialog.RemoveControlInfo(101));
    EXPECT_EQ(dialog.FindControlInfo(101), 0);
    EXPECT_FALSE(dialog.RemoveControlInfo(555));
}

TEST_F(KTSizingDialogTest, AllControlsModeMovesEveryChild)
{
    dialog.SetControlInfo(100, KTSIZE_SIZEX); // not used in all-controls mode
    dialog.SetControlInfoAll(TRUE, KTSIZE_MOVEY);
    Resize(dialog, 450, 310);
    for (auto& control : controls)
        EXPECT_EQ(RectInParent(control).top, 30);
    EXPECT_EQ(RectInParent(controls[0]).Width(), 40);
}

TEST_F(KTSizingDialogTest, TheGripperSizesFromTheCornerAndTheMinimumIsTheFirstSize)
{
    dialog.ShowGripper(TRUE);
    Pump();
    CRect window;
    dialog.GetWindowRect(&window);
    const int cx = GetSystemMetrics(SM_CXHSCROLL);
    const int cy = GetSystemMetrics(SM_CYVSCROLL);
    auto hit = [&](int x, int y) { return dialog.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(x, y)); };
    EXPECT_EQ(hit(window.right - 2, window.bottom - 2), HTBOTTOMRIGHT);
    EXPECT_EQ(hit(window.right - cx - 2, window.bottom - 2), HTCLIENT);
    EXPECT_EQ(dialog.GetGripperRect(), CRect(400 - cx, 300 - cy, 400, 300));

    MINMAXINFO info {};
    dialog.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    CRect created(0, 0, 100, 80);
    ::MapDialogRect(dialog, &created);
    EXPECT_EQ(info.ptMinTrackSize.x, created.Width());
    EXPECT_EQ(info.ptMinTrackSize.y, created.Height());
}

// ---- split panes ---------------------------------------------------------------------------------------

class KTSplitDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dialog.CreateIndirect(kEmptyDialog));
        Resize(dialog, 400, 300);
        for (int i = 0; i < 3; ++i)
            ASSERT_TRUE(windows[i].CreateChild(&dialog, CRect(0, 0, 10, 10), 200 + i));
    }
    void TearDown() override
    {
        delete root;
        if (dialog.GetSafeHwnd())
            dialog.DestroyWindow();
        Pump();
    }
    void SideBySide()
    {
        root = dialog.CreatePane(KTSplitPane::SIDE_BY_SIDE);
        dialog.SetPaneWnd(root, &windows[0], KTSplitPane::SIDE_LEFT, 50, 0, 100, 100);
        dialog.SetPaneWnd(root, &windows[1], KTSplitPane::SIDE_RIGHT, 80, 0);
        dialog.Initialize();
    }

    platform::ScopedTestClock clock { 10000 };
    KTSplitDialog dialog;
    RecordingWnd windows[3];
    KTSplitPane* root { nullptr };
};

TEST_F(KTSplitDialogTest, TheSplitterSitsBetweenTheSidesWithinTheirMinimums)
{
    SideBySide();
    EXPECT_EQ(RectInParent(windows[0]), CRect(0, 0, 100, 300));
    EXPECT_EQ(RectInParent(windows[1]), CRect(105, 0, 400, 300));
    EXPECT_EQ(root->GetSplitterRect(), CRect(100, 0, 105, 300));
    EXPECT_EQ(root->GetMinWidth(), 50 + 80 + 5);

    struct Move
    {
        int x, leftWidth;
    };
    const Move moves[] = { { 200, 200 }, { 380, 315 }, { 10, 50 }, { 150, 150 } };
    for (const auto& m : moves) {
        root->MoveSplitter(CPoint(m.x, 100));
        EXPECT_EQ(RectInParent(windows[0]), CRect(0, 0, m.leftWidth, 300)) << m.x;
        EXPECT_EQ(RectInParent(windows[1]), CRect(m.leftWidth + 5, 0, 400, 300)) << m.x;
    }
    // A wider dialog keeps the left width and gives the rest to the right side.
    Resize(dialog, 500, 200);
    EXPECT_EQ(RectInParent(windows[0]), CRect(0, 0, 150, 200));
    EXPECT_EQ(RectInParent(windows[1]), CRect(155, 0, 500, 200));
}

TEST_F(KTSplitDialogTest, AHiddenRightSideGivesTheLeftEverything)
{
    SideBySide();
    root->MoveSplitter(CPoint(180, 10));
    dialog.ShowPane(root, FALSE, KTSplitPane::SIDE_RIGHT);
    EXPECT_FALSE(root->IsRightVisible());
    EXPECT_FALSE(windows[1].IsWindowVisible());
    EXPECT_EQ(RectInParent(windows[0]), CRect(0, 0, 400, 300));
    EXPECT_TRUE(root->GetSplitterRect().IsRectEmpty());
    EXPECT_EQ(root->IsPointInSplitter(CPoint(182, 10)), nullptr);
    CSize size;
    EXPECT_TRUE(root->GetWndSize(size, KTSplitPane::SIDE_LEFT));
    EXPECT_EQ(size.cx, 180);

    dialog.ShowPane(root, TRUE, KTSplitPane::SIDE_RIGHT);
    EXPECT_EQ(RectInParent(windows[0]), CRect(0, 0, 180, 300));
    EXPECT_EQ(RectInParent(windows[1]), CRect(185, 0, 400, 300));
}

TEST_F(KTSplitDialogTest, NestedPanesSplitTheRestAgain)
{
    root = dialog.CreatePane(KTSplitPane::SIDE_BY_SIDE);
    KTSplitPane* right = dialog.CreatePane(KTSplitPane::STACKED, root, KTSplitPane::SIDE_RIGHT);
    dialog.SetPaneWnd(root, &windows[0], KTSplitPane::SIDE_LEFT, 40, 30, 120, 10);
    dialog.SetPaneWnd(right, &windows[1], KTSplitPane::SIDE_LEFT, 30, 60, 100, 100);
    dialog.SetPaneWnd(right, &windows[2], KTSplitPane::SIDE_RIGHT, 30, 50);
    dialog.Initialize();
    EXPECT_EQ(RectInParent(windows[0]), CRect(0, 0, 120, 300));
    EXPECT_EQ(RectInParent(windows[1]), CRect(125, 0, 400, 100));
    EXPECT_EQ(RectInParent(windows[2]), CRect(125, 105, 400, 300));
    EXPECT_EQ(root->GetMinHeight(), 60 + 50 + 5 + 5);
    int cursor = 0;
    EXPECT_EQ(root->IsPointInSplitter(CPoint(200, 102), &cursor), right);
    EXPECT_EQ(cursor, KTSplitPane::kCursorSizeNS);
    EXPECT_EQ(root->IsPointInSplitter(CPoint(122, 200), &cursor), root);
    EXPECT_EQ(cursor, KTSplitPane::kCursorSizeWE);
    // The bottom keeps its minimum height.
    right->MoveSplitter(CPoint(200, 290));
    EXPECT_EQ(RectInParent(windows[2]), CRect(125, 250, 400, 300));
    // A copied tree has panes of its own.
    KTSplitPane copy(*root);
    EXPECT_NE(copy.GetSide(KTSplitPane::SIDE_RIGHT).pPane, right);
    EXPECT_EQ(copy.GetSide(KTSplitPane::SIDE_RIGHT).pPane->GetSide(KTSplitPane::SIDE_RIGHT).pWnd, &windows[2]);
}

TEST_F(KTSplitDialogTest, DraggingTheSplitterWithTheMouse)
{
    SideBySide();
    Pump();
    POINT from = testkit::ScreenPoint(dialog, 102, 150);
    POINT to = testkit::ScreenPoint(dialog, 250, 150);
    NullHost::MoveMouse(from.x, from.y);
    NullHost::MouseDown(from.x, from.y);
    Pump();
    EXPECT_TRUE(dialog.IsDragging());
    NullHost::MoveMouse(to.x, to.y);
    Pump();
    NullHost::MouseUp(to.x, to.y);
    Pump();
    EXPECT_FALSE(dialog.IsDragging());
    EXPECT_EQ(RectInParent(windows[0]), CRect(0, 0, 250, 300));
    EXPECT_EQ(RectInParent(windows[1]), CRect(255, 0, 400, 300));
}

// ---- the dialog bar ------------------------------------------------------------------------------------

constexpr UINT ID_BAR_CHECK = 4001;
constexpr UINT ID_BAR_LABEL = 4002;
constexpr UINT ID_BAR_OTHER = 4003;
constexpr UINT ID_BAR_RADIO = 4004;

const platform::DialogItem kBarItems[] = {
    { "Button", "Check", ID_BAR_CHECK, BS_AUTOCHECKBOX, 2, 2, 60, 10 },
    { "Static", "Label", ID_BAR_LABEL, 0, 70, 2, 60, 10 },
    { "Button", "Other", ID_BAR_OTHER, BS_PUSHBUTTON, 140, 2, 40, 12 },
    { "Button", "Radio", ID_BAR_RADIO, BS_AUTORADIOBUTTON, 190, 2, 40, 10 },
};
const platform::DialogTemplate kBarTemplate { 9002, nullptr, WS_CHILD, 0, 0, 0, 240, 16, nullptr, nullptr, 0, kBarItems };

class UpdatingFrame : public CFrameWnd
{
public:
    int checkState { 1 };
    BOOL radioOn { TRUE };
    CString label { "Ready" };
    int updates { 0 };
    void OnUpdateCheck(CCmdUI* ui)
    {
        ++updates;
        ui->SetCheck(checkState);
    }
    void OnUpdateRadio(CCmdUI* ui) { ui->SetRadio(radioOn); }
    void OnUpdateLabel(CCmdUI* ui) { ui->SetText(label); }
    static const platform::MessageMap* GetThisMessageMap()
    {
        using namespace platform::msgmap;
        static constexpr platform::MessageMapEntry kEntries[] = {
            UpdateUI<&UpdatingFrame::OnUpdateCheck>(ID_BAR_CHECK),
            UpdateUI<&UpdatingFrame::OnUpdateLabel>(ID_BAR_LABEL),
            UpdateUI<&UpdatingFrame::OnUpdateRadio>(ID_BAR_RADIO),
        };
        static constexpr platform::MessageMap kMap { &CFrameWnd::GetThisMessageMap, kEntries };
        return &kMap;
    }
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }
};

class InitialisingBar : public KTDialogBar
{
public:
    int initialised { 0 };
    void OnInitDialogBar() override { ++initialised; }
    using KTDialogBar::DrawBorder;
};

TEST(KTDialogBarTest, IdleUpdatesReachOnlyTheListedControls)
{
    // A frame deletes itself when its window goes.
    auto* framePointer = new UpdatingFrame;
    UpdatingFrame& frame = *framePointer;
    ASSERT_TRUE(frame.Create(nullptr, "frame", WS_OVERLAPPEDWINDOW));
    InitialisingBar bar;
    ASSERT_TRUE(bar.CreateIndirect(&frame, kBarTemplate, WS_VISIBLE | CBRS_TOP, 300));
    Pump();
    EXPECT_EQ(bar.initialised, 1);

    // An empty list leaves every control alone, even with disable-if-no-handler.
    bar.OnUpdateCmdUI(&frame, TRUE);
    EXPECT_EQ(frame.updates, 0);
    EXPECT_TRUE(bar.GetDlgItem(ID_BAR_OTHER)->IsWindowEnabled());

    bar.AddUpdateCmdID(ID_BAR_CHECK);
    bar.AddUpdateCmdID(ID_BAR_CHECK);
    bar.AddUpdateCmdID(ID_BAR_LABEL);
    EXPECT_EQ(bar.GetUpdateCmdIDCount(), 2);
    EXPECT_EQ(bar.GetUpdateCmdID(1), ID_BAR_LABEL);
    bar.OnUpdateCmdUI(&frame, TRUE);
    EXPECT_EQ(frame.updates, 1);
    EXPECT_EQ(bar.IsDlgButtonChecked(ID_BAR_CHECK), 1u);
    CString text;
    bar.GetDlgItemText(ID_BAR_LABEL, text);
    EXPECT_STREQ(text, "Ready");
    EXPECT_TRUE(bar.GetDlgItem(ID_BAR_OTHER)->IsWindowEnabled()); // not in the list

    frame.checkState = 0;
    bar.OnUpdateCmdUI(&frame, TRUE);
    EXPECT_EQ(bar.IsDlgButtonChecked(ID_BAR_CHECK), 0u);

    // A radio state reaches the radio button as its check, and a state already shown is not
    // set again.
    bar.AddUpdateCmdID(ID_BAR_RADIO);
    bar.OnUpdateCmdUI(&frame, TRUE);
    EXPECT_EQ(bar.IsDlgButtonChecked(ID_BAR_RADIO), 1u);
    testkit::RecordingWnd radio;
    ASSERT_TRUE(radio.SubclassWindow(bar.GetDlgItem(ID_BAR_RADIO)->GetSafeHwnd()));
    bar.OnUpdateCmdUI(&frame, TRUE);
    EXPECT_EQ(radio.Count(BM_SETCHECK), 0);
    frame.radioOn = FALSE;
    bar.OnUpdateCmdUI(&frame, TRUE);
    EXPECT_EQ(bar.IsDlgButtonChecked(ID_BAR_RADIO), 0u);
    EXPECT_EQ(radio.Count(BM_SETCHECK), 1);
    radio.UnsubclassWindow();
    bar.ResetUpdateCmdID();
    EXPECT_EQ(bar.GetUpdateCmdIDCount(), 0);
    bar.DestroyWindow();
    frame.DestroyWindow();
    Pump();
}

} // namespace
