// The in-process drag and drop: the loop follows the mouse over registered windows (enter, over,
// leave, drop in client coordinates, Ctrl choosing copy), shows the answer by the cursor, ends
// with a drop, a refusal, Escape or a release where no target is, and keeps to the allowed
// effects; registration is one target per window, gone with its object.
#include "platform/gdi/Cursor.h"
#include "platform/ui/controls/DragDrop.h"
#include "testkit/ControlParent.h"
#include "testkit/TestWindow.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using platform::host::NullHost;
using testkit::Pump;

namespace {

// A target that writes down what it hears and answers copy with Ctrl, else move (or nothing
// when told to refuse).
class RecordingTarget : public COleDropTarget
{
public:
    std::vector<std::string> heard;
    std::vector<HCURSOR> cursors; // the cursor shown when each enter or over came
    bool refuse { false };
    bool refuseDrop { false };
    CString dropped;

    DROPEFFECT OnDragEnter(CWnd*, COleDataObject* data, DWORD keys, CPoint p) override
    {
        return Answer("enter", data, keys, p);
    }
    DROPEFFECT OnDragOver(CWnd*, COleDataObject* data, DWORD keys, CPoint p) override
    {
        return Answer("over", data, keys, p);
    }
    void OnDragLeave(CWnd*) override { heard.push_back("leave"); }
    BOOL OnDrop(CWnd*, COleDataObject* data, DROPEFFECT effect, CPoint p) override
    {
        heard.push_back("drop " + std::to_string(effect) + " " + Where(p));
        if (refuseDrop)
            return FALSE;
        data->GetText(dropped);
        return TRUE;
    }

private:
    static std::string Where(CPoint p) { return std::to_string(p.x) + "," + std::to_string(p.y); }
    DROPEFFECT Answer(const char* what, COleDataObject* data, DWORD keys, CPoint p)
    {
        cursors.push_back(platform::msg::CurrentCursor());
        heard.push_back(std::string(what) + " " + Where(p) + ((keys & MK_CONTROL) ? " ctrl" : ""));
        if (refuse || !data->IsDataAvailable(CF_TEXT))
            return DROPEFFECT_NONE;
        return (keys & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    }
};

class UiDragDrop : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(top.CreateTop(400, 300));
        ASSERT_TRUE(left.CreateChild(&top, CRect(0, 0, 200, 300), 1));
        ASSERT_TRUE(right.CreateChild(&top, CRect(200, 0, 400, 300), 2));
        ASSERT_TRUE(inner.CreateChild(&right, CRect(50, 50, 100, 100), 3));
        ASSERT_TRUE(leftTarget.Register(&left));
        ASSERT_TRUE(rightTarget.Register(&right));
        source.CacheText("a\tb");
        Pump();
    }

    // Starts from a move at `from` (the message the drag starts in), then runs the drag over
    // what the test injected after it.
    DROPEFFECT Drag(POINT from, const std::function<void()>& inject, DWORD allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE)
    {
        NullHost::MoveMouse(from.x, from.y);
        Pump();
        inject();
        return source.DoDragDrop(allowed);
    }

    testkit::ParentWnd top;
    testkit::RecordingWnd left, right, inner;
    RecordingTarget leftTarget, rightTarget;
    COleDataSource source;
};

TEST_F(UiDragDrop, FollowsTheMouseAcrossTargetsAndDropsWithCtrlAsCopy)
{
    const DROPEFFECT effect = Drag({ 20, 20 }, [] {
        NullHost::MoveMouse(30, 25);
        NullHost::MoveMouse(260, 70); // the inner child has no target: its parent takes the drag
        NullHost::KeyDown(VK_CONTROL);
        NullHost::MoveMouse(300, 200);
        NullHost::MouseUp(300, 200);
        NullHost::KeyUp(VK_CONTROL);
    });
    EXPECT_EQ(effect, DROPEFFECT_COPY);
    EXPECT_EQ(leftTarget.heard, (std::vector<std::string> { "enter 20,20", "over 30,25", "leave" }));
    EXPECT_EQ(rightTarget.heard, (std::vector<std::string> { "enter 60,70", "over 60,70 ctrl", "over 100,200 ctrl",
                                                             "over 100,200 ctrl", "drop 1 100,200" }));
    EXPECT_EQ(rightTarget.dropped, "a\tb");
    EXPECT_EQ(GetCapture(), nullptr) << "the drag gives the mouse back";
    EXPECT_EQ(platform::msg::CurrentCursor(), LoadCursor(nullptr, IDC_ARROW));
}

TEST_F(UiDragDrop, EndsWithoutADropWhenCancelledRefusedOrOverNothing)
{
    struct Case
    {
        const char* name;
        std::function<void()> inject;
        bool refuse, refuseDrop;
        std::vector<std::string> heard;
    } cases[] = {
        { "escape", [] { NullHost::MoveMouse(260, 20); NullHost::PressKey(VK_ESCAPE); NullHost::MouseUp(260, 20); },
          false, false, { "enter 50,20", "over 60,20", "leave" } },
        { "released outside every window", [] { NullHost::MoveMouse(260, 20); NullHost::MoveMouse(900, 700);
                                                 NullHost::MouseUp(900, 700); },
          false, false, { "enter 50,20", "over 60,20", "leave" } },
        { "the target answers none", [] { NullHost::MoveMouse(260, 20); NullHost::MouseUp(260, 20); },
          true, false, { "enter 50,20", "over 60,20", "over 60,20", "leave" } },
        { "the target refuses the drop", [] { NullHost::MoveMouse(260, 20); NullHost::MouseUp(260, 20); },
          false, true, { "enter 50,20", "over 60,20", "over 60,20", "drop 2 60,20" } },
    };
    for (auto& c : cases) {
        rightTarget.heard.clear();
        rightTarget.refuse = c.refuse;
        rightTarget.refuseDrop = c.refuseDrop;
        EXPECT_EQ(Drag({ 250, 20 }, c.inject), DROPEFFECT_NONE) << c.name;
        EXPECT_EQ(rightTarget.heard, c.heard) << c.name;
        EXPECT_EQ(GetCapture(), nullptr) << c.name;
        Pump();
    }
    EXPECT_TRUE(rightTarget.dropped.IsEmpty());
}

TEST_F(UiDragDrop, KeepsToTheAllowedEffectsAndShowsThemByTheCursor)
{
    const HCURSOR none = platform::DragCursor(platform::DragFeedback::NoDrop);
    const HCURSOR move = platform::DragCursor(platform::DragFeedback::Move);
    const HCURSOR copy = platform::DragCursor(platform::DragFeedback::Copy);
    ASSERT_TRUE(none && move && copy);
    EXPECT_STREQ(platform::StandardCursorName(copy), "copy");

    leftTarget.refuse = true;
    Drag({ 250, 20 }, [] {
        NullHost::MoveMouse(260, 20);
        NullHost::KeyDown(VK_CONTROL);
        NullHost::MoveMouse(100, 20);
        NullHost::MoveMouse(110, 20);
        NullHost::KeyUp(VK_CONTROL);
        NullHost::PressKey(VK_ESCAPE);
    });
    // Each event sees the cursor that the answer before it chose.
    EXPECT_EQ(std::vector<HCURSOR>(rightTarget.cursors.begin() + 1, rightTarget.cursors.end()),
              (std::vector<HCURSOR> { move, move }));
    EXPECT_EQ(leftTarget.cursors, (std::vector<HCURSOR> { copy, none, none }));

    // A copy-only drag: a target that answers move does not get the drop, unless Ctrl asks for a copy.
    rightTarget.heard.clear();
    EXPECT_EQ(Drag({ 250, 20 }, [] { NullHost::MouseUp(250, 20); }, DROPEFFECT_COPY), DROPEFFECT_NONE);
    EXPECT_EQ(rightTarget.heard.back(), "leave");
    EXPECT_EQ(Drag({ 250, 20 }, [] {
                  NullHost::KeyDown(VK_CONTROL);
                  NullHost::MouseUp(250, 20);
                  NullHost::KeyUp(VK_CONTROL);
              }, DROPEFFECT_COPY),
              DROPEFFECT_COPY);
}

TEST_F(UiDragDrop, OneTargetPerWindowAndNoneForDisabledOrGoneWindows)
{
    RecordingTarget second;
    EXPECT_FALSE(second.Register(&left)) << "the window has a target";
    EXPECT_FALSE(leftTarget.Register(&inner)) << "a target serves one window";
    EXPECT_TRUE(second.Register(&inner));

    left.EnableWindow(FALSE);
    EXPECT_EQ(Drag({ 20, 20 }, [] { NullHost::MouseUp(20, 20); }), DROPEFFECT_NONE);
    EXPECT_TRUE(leftTarget.heard.empty()) << "a disabled window takes no drop";
    left.EnableWindow(TRUE);

    {
        auto gone = std::make_unique<RecordingTarget>();
        leftTarget.Revoke();
        ASSERT_TRUE(gone->Register(&left));
    }
    EXPECT_EQ(Drag({ 20, 20 }, [] { NullHost::MouseUp(20, 20); }), DROPEFFECT_NONE)
        << "a deleted target is no longer asked";
    EXPECT_TRUE(leftTarget.Register(&left));

    EXPECT_EQ(Drag({ 70, 70 }, [] {
                  NullHost::MoveMouse(260, 60);
                  NullHost::MouseUp(260, 60);
              }),
              DROPEFFECT_MOVE);
    EXPECT_EQ(second.heard, (std::vector<std::string> { "enter 10,10", "over 10,10", "drop 2 10,10" }))
        << "the inner window's own target comes before its parent's";
}

} // namespace
