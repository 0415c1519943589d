// Input injected at screen coordinates reaches the window a user would reach: hit testing,
// capture, activation and focus, the classic double-click sequence, the wheel to the focus
// window, mouse-leave tracking, the cursor from WM_SETCURSOR, key state and characters; the
// queue's order (posted, input, paint, timer) and routing as input is taken from the queue.
#include "platform/core/Clock.h"
#include "platform/host/null/NullHost.h"
#include "testkit/TestWindow.h"

#include <gtest/gtest.h>

using testkit::RecordingWnd;
using platform::host::NullHost;

namespace {

// A frame on the screen at (100, 100) with two child panes; the left pane's class asks for
// double clicks, the right one's does not.
class InputRouting : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.CreateTop(CRect(100, 100, 500, 400), WS_POPUP | WS_VISIBLE));
        ASSERT_TRUE(left.CreateChild(&frame, CRect(0, 0, 200, 300), 1, WS_VISIBLE, testkit::TestClass("DblClkPane", CS_DBLCLKS)));
        ASSERT_TRUE(right.CreateChild(&frame, CRect(200, 0, 400, 300), 2, WS_VISIBLE, testkit::TestClass("PlainPane", 0)));
        NullHost::PumpPending();
        for (auto* w : { &frame, &left, &right })
            w->log.clear();
    }
    void TearDown() override
    {
        ReleaseCapture();
        NullHost::PumpPending();
    }

    // The window takes the capture on a press and gives it back on the release, as a button does.
    static void CaptureWhilePressed(RecordingWnd& w)
    {
        w.onMessage = [&w](UINT m, WPARAM, LPARAM, LRESULT&) {
            if (m == WM_LBUTTONDOWN || m == WM_LBUTTONDBLCLK)
                w.SetCapture();
            if (m == WM_LBUTTONUP)
                ReleaseCapture();
            return false;
        };
    }

    platform::ScopedTestClock clock { 5000 };
    RecordingWnd frame, left, right;
};

const std::initializer_list<UINT> kButtons = { WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK };

TEST_F(InputRouting, TwoQuickClicksMakeTheClassicDoubleClickSequence)
{
    NullHost::DoubleClick(150, 150);
    NullHost::PumpPending();
    EXPECT_EQ(left.Sequence(kButtons), (std::vector<UINT> { WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP }));
    // A third click starts a new pair.
    NullHost::Click(150, 150);
    NullHost::PumpPending();
    EXPECT_EQ(left.Count(WM_LBUTTONDOWN), 2);
}

TEST_F(InputRouting, DoubleClicksNeedTheClassStyleTheTimeAndTheSamePlace)
{
    NullHost::DoubleClick(450, 150); // right pane: no CS_DBLCLKS
    NullHost::PumpPending();
    EXPECT_EQ(right.Count(WM_LBUTTONDBLCLK), 0);
    EXPECT_EQ(right.Count(WM_LBUTTONDOWN), 2);

    NullHost::Click(150, 150);
    clock.Advance(GetDoubleClickTime() + 1); // too slow
    NullHost::Click(150, 150);
    NullHost::Click(150, 150);
    NullHost::Click(160, 150); // too far
    NullHost::PumpPending();
    EXPECT_EQ(left.Sequence(kButtons), (std::vector<UINT> { WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP,
                                                             WM_LBUTTONDBLCLK, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP }));
}

TEST_F(InputRouting, ClicksArriveInClientCoordinatesOfTheWindowUnderThePoint)
{
    DWORD messagePos = 0;
    LONG messageTime = 0;
    right.onMessage = [&](UINT m, WPARAM, LPARAM, LRESULT&) {
        if (m == WM_RBUTTONDOWN)
            messagePos = GetMessagePos(), messageTime = GetMessageTime();
        return false;
    };
    NullHost::Click(330, 160, platform::msg::MouseButton::Right);
    NullHost::PumpPending();
    // The message carries where and when it happened, in screen coordinates.
    EXPECT_EQ(CPoint(static_cast<LPARAM>(messagePos)), CPoint(330, 160));
    EXPECT_EQ(static_cast<DWORD>(messageTime), GetTickCount());
    ASSERT_EQ(right.Count(WM_RBUTTONDOWN), 1);
    auto down = std::find_if(right.log.begin(), right.log.end(), [](auto& e) { return e.message == WM_RBUTTONDOWN; });
    EXPECT_EQ(CPoint(down->lParam), CPoint(30, 60));
    EXPECT_EQ(down->wParam & MK_RBUTTON, MK_RBUTTON);
    EXPECT_EQ(left.Count(WM_RBUTTONDOWN), 0);
    EXPECT_EQ(frame.Count(WM_RBUTTONDOWN), 0);
}

TEST_F(InputRouting, CaptureRoutesMovesOutsideTheWindowToIt)
{
    CaptureWhilePressed(left);
    NullHost::MouseDown(150, 150);
    NullHost::PumpPending();
    ASSERT_EQ(GetCapture(), left.m_hWnd);
    NullHost::MoveMouse(450, 150); // over the right pane
    NullHost::MoveMouse(900, 900); // off the frame altogether
    NullHost::MouseUp(900, 900);
    NullHost::PumpPending();

    EXPECT_EQ(right.Count(WM_MOUSEMOVE), 0);
    std::vector<CPoint> moves;
    for (auto& e : left.log)
        if (e.message == WM_MOUSEMOVE)
            moves.push_back(CPoint(e.lParam));
    EXPECT_EQ(moves, (std::vector<CPoint> { CPoint(350, 50), CPoint(800, 800) }));
    EXPECT_EQ(left.Count(WM_LBUTTONUP), 1);
    EXPECT_EQ(left.Count(WM_CAPTURECHANGED), 1);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(InputRouting, TakingCaptureAwayTellsTheWindowThatHadIt)
{
    left.SetCapture();
    right.SetCapture();
    EXPECT_EQ(left.Count(WM_CAPTURECHANGED), 1);
    EXPECT_EQ(static_cast<HWND>(reinterpret_cast<HWND>(left.log.back().lParam)), right.m_hWnd);
}

TEST_F(InputRouting, TheWheelGoesToTheFocusWindowWhereverTheMouseIs)
{
    right.SetFocus();
    NullHost::Wheel(-2, 150, 150); // over the left pane
    NullHost::PumpPending();
    EXPECT_EQ(left.Count(WM_MOUSEWHEEL), 0);
    ASSERT_EQ(right.Count(WM_MOUSEWHEEL), 1);
    auto wheel = std::find_if(right.log.begin(), right.log.end(), [](auto& e) { return e.message == WM_MOUSEWHEEL; });
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheel->wParam), -240);
    // Unhandled, it goes on to the parent.
    EXPECT_EQ(frame.Count(WM_MOUSEWHEEL), 1);
}

TEST_F(InputRouting, FocusMovesWithKillAndSetFocusMessages)
{
    left.SetFocus();
    right.SetFocus();
    EXPECT_EQ(GetFocus(), right.m_hWnd);
    EXPECT_EQ(left.Sequence({ WM_SETFOCUS, WM_KILLFOCUS }), (std::vector<UINT> { WM_SETFOCUS, WM_KILLFOCUS }));
    EXPECT_EQ(reinterpret_cast<HWND>(left.log.back().wParam), right.m_hWnd);
    EXPECT_EQ(GetActiveWindow(), frame.m_hWnd);
    // Hiding the focus window takes the focus away.
    right.ShowWindow(SW_HIDE);
    EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(InputRouting, MouseLeaveArrivesOnceWhenTheMouseLeavesATrackedWindow)
{
    left.onMessage = [&](UINT m, WPARAM, LPARAM, LRESULT&) {
        if (m == WM_MOUSEMOVE) {
            TRACKMOUSEEVENT track;
            track.dwFlags = TME_LEAVE;
            track.hwndTrack = left.m_hWnd;
            TrackMouseEvent(&track);
        }
        return false;
    };
    for (int x : { 150, 160, 450, 460 }) {
        NullHost::MoveMouse(x, 150);
        NullHost::PumpPending();
    }
    EXPECT_EQ(left.Count(WM_MOUSELEAVE), 1);
    EXPECT_EQ(right.Count(WM_MOUSELEAVE), 0);
}

TEST_F(InputRouting, TheCursorComesFromWmSetCursorAndTheClassCursor)
{
    auto paneCursor = reinterpret_cast<HCURSOR>(0x5001);
    SetClassLongPtr(left.m_hWnd, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(paneCursor));
    // The window is asked for its cursor as the move is taken from the queue.
    NullHost::MoveMouse(150, 150);
    NullHost::PumpPending();
    EXPECT_EQ(GetCursor(), paneCursor);
    auto custom = reinterpret_cast<HCURSOR>(0x5002);
    right.onMessage = [&](UINT m, WPARAM, LPARAM lParam, LRESULT& result) {
        if (m != WM_SETCURSOR || LOWORD(lParam) != HTCLIENT)
            return false;
        SetCursor(custom);
        result = TRUE;
        return true;
    };
    NullHost::MoveMouse(450, 150);
    NullHost::PumpPending();
    EXPECT_EQ(GetCursor(), custom);
    SetClassLongPtr(left.m_hWnd, GCLP_HCURSOR, 0);
}

TEST_F(InputRouting, KeysGoToTheFocusWindowWithStateAndCharacters)
{
    left.SetFocus();
    SHORT shiftDuringKey = 0;
    left.onMessage = [&](UINT m, WPARAM w, LPARAM, LRESULT&) {
        if (m == WM_KEYDOWN && w == 'A')
            shiftDuringKey = GetKeyState(VK_SHIFT);
        return false;
    };
    NullHost::PressKeyWith('A', { VK_SHIFT });
    NullHost::TypeText("b1!");
    NullHost::PumpPending();
    EXPECT_LT(shiftDuringKey, 0);
    EXPECT_GE(GetKeyState(VK_SHIFT), 0);
    std::string typed;
    for (auto& e : left.log)
        if (e.message == WM_CHAR)
            typed += static_cast<char>(e.wParam);
    EXPECT_EQ(typed, "Ab1!");
    EXPECT_EQ(right.Count(WM_KEYDOWN), 0);
}

TEST_F(InputRouting, AltKeysAreSystemKeys)
{
    left.SetFocus();
    NullHost::PressKeyWith(VK_F4, { VK_MENU });
    NullHost::PumpPending();
    EXPECT_EQ(left.Count(WM_SYSKEYDOWN), 2); // Alt itself, then F4
    EXPECT_EQ(left.Count(WM_KEYDOWN), 0);
}

TEST_F(InputRouting, AClickActivatesTheTopLevelUnderIt)
{
    RecordingWnd other;
    ASSERT_TRUE(other.CreateTop(CRect(600, 100, 800, 300), WS_POPUP | WS_VISIBLE));
    EXPECT_EQ(GetActiveWindow(), other.m_hWnd);
    NullHost::Click(150, 150);
    NullHost::PumpPending();
    EXPECT_EQ(GetActiveWindow(), frame.m_hWnd);
    EXPECT_GE(frame.Count(WM_ACTIVATE), 1);
    auto activate = std::find_if(frame.log.rbegin(), frame.log.rend(), [](auto& e) { return e.message == WM_ACTIVATE; });
    EXPECT_EQ(LOWORD(activate->wParam), WA_CLICKACTIVE);
    EXPECT_EQ(GetTopWindow(nullptr), frame.m_hWnd);
}

TEST_F(InputRouting, TheProgramsActivationReachesEveryTopLevelAsActivateApp)
{
    RecordingWnd hidden;
    ASSERT_TRUE(hidden.CreateTop(CRect(600, 100, 800, 300), WS_POPUP));
    ASSERT_TRUE(platform::msg::IsApplicationActive());
    auto activateApp = [](RecordingWnd& w) {
        std::vector<WPARAM> seen;
        for (auto& e : w.log)
            if (e.message == WM_ACTIVATEAPP)
                seen.push_back(e.wParam);
        return seen;
    };

    // Moving between the program's own windows is no change of the program's activation.
    SetActiveWindow(hidden.m_hWnd);
    SetActiveWindow(frame.m_hWnd);
    EXPECT_TRUE(activateApp(frame).empty());

    // The host reports the desktop's focus going elsewhere and coming back: every top-level
    // hears it, shown or not, and the active window is kept for the return.
    platform::msg::SetApplicationActive(false);
    platform::msg::SetApplicationActive(false);
    EXPECT_EQ(GetActiveWindow(), frame.m_hWnd);
    platform::msg::SetApplicationActive(true);
    EXPECT_EQ(activateApp(frame), (std::vector<WPARAM> { FALSE, TRUE }));
    EXPECT_EQ(activateApp(hidden), (std::vector<WPARAM> { FALSE, TRUE }));
    EXPECT_TRUE(activateApp(left).empty()) << "a child window is no top-level";

    // No window of the program active: the program is not; the next active window makes it so,
    // telling the windows before the window itself hears of its activation.
    frame.log.clear();
    SetActiveWindow(nullptr);
    EXPECT_FALSE(platform::msg::IsApplicationActive());
    SetActiveWindow(frame.m_hWnd);
    EXPECT_TRUE(platform::msg::IsApplicationActive());
    EXPECT_EQ(frame.Sequence({ WM_ACTIVATEAPP, WM_ACTIVATE }),
              (std::vector<UINT> { WM_ACTIVATE, WM_ACTIVATEAPP, WM_ACTIVATEAPP, WM_ACTIVATE }));
}

TEST_F(InputRouting, DisabledChildLetsTheClickThroughToItsParent)
{
    right.EnableWindow(FALSE);
    NullHost::Click(450, 150);
    NullHost::PumpPending();
    EXPECT_EQ(right.Count(WM_LBUTTONDOWN), 0);
    EXPECT_EQ(frame.Count(WM_LBUTTONDOWN), 1);
}

// ---- the classic queue order: sent, posted, input, paint, timer; input routed when taken ----
// All input below is injected first and pumped once, as a user's fast typing and clicking
// queues it.

const std::initializer_list<UINT> kKeys = { WM_KEYDOWN, WM_CHAR, WM_KEYUP };

TEST_F(InputRouting, EachCharacterArrivesRightAfterItsKeyPress)
{
    left.SetFocus();
    NullHost::TypeText("ab");
    NullHost::PumpPending();
    EXPECT_EQ(left.Sequence(kKeys),
              (std::vector<UINT> { WM_KEYDOWN, WM_CHAR, WM_KEYUP, WM_KEYDOWN, WM_CHAR, WM_KEYUP }));
    std::string typed;
    for (auto& e : left.log)
        if (e.message == WM_CHAR)
            typed += static_cast<char>(e.wParam);
    EXPECT_EQ(typed, "ab");
}

TEST_F(InputRouting, CharactersWithoutAKeyKeepTheirPlaceAmongTypedKeys)
{
    left.SetFocus();
    NullHost::TypeText("a\xC3\xA9" "b"); // a, e acute (no key on the keyboard), b
    NullHost::PumpPending();
    std::string typed;
    for (auto& e : left.log)
        if (e.message == WM_CHAR)
            typed += static_cast<char>(e.wParam);
    EXPECT_EQ(typed, "a\xC3\xA9" "b");
}

TEST_F(InputRouting, PostedThenInputThenPaintThenTimer)
{
    NullHost::Click(150, 150);
    left.PostMessage(WM_USER + 1);
    left.Invalidate();
    left.SetTimer(1, 10, nullptr);
    clock.Advance(10);
    NullHost::PumpPending();
    left.KillTimer(1);
    EXPECT_EQ(left.Sequence({ WM_USER + 1, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_PAINT, WM_TIMER }),
              (std::vector<UINT> { WM_USER + 1, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_PAINT, WM_TIMER }));
}

TEST_F(InputRouting, CaptureTakenOnThePressGetsTheReleaseAlreadyWaiting)
{
    CaptureWhilePressed(left);
    NullHost::MouseDown(150, 150);
    NullHost::MoveMouse(450, 150); // over the right pane
    NullHost::MouseUp(450, 150);
    NullHost::PumpPending();

    EXPECT_EQ(left.Sequence({ WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP }),
              (std::vector<UINT> { WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP }));
    auto up = std::find_if(left.log.begin(), left.log.end(), [](auto& e) { return e.message == WM_LBUTTONUP; });
    ASSERT_NE(up, left.log.end());
    EXPECT_EQ(CPoint(up->lParam), CPoint(350, 50)); // in the capturing window's client coordinates
    EXPECT_EQ(right.Count(WM_MOUSEMOVE), 0);
    EXPECT_EQ(right.Count(WM_LBUTTONUP), 0);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(InputRouting, ADoubleClickQueuedAtOnceStaysADoubleClick)
{
    CaptureWhilePressed(left);
    NullHost::DoubleClick(150, 150);
    NullHost::DoubleClick(450, 150); // the right pane's class takes no double clicks
    NullHost::PumpPending();
    EXPECT_EQ(left.Sequence({ WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK }),
              (std::vector<UINT> { WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP }));
    EXPECT_EQ(right.Sequence({ WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK }),
              (std::vector<UINT> { WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP }));
}

TEST_F(InputRouting, KeysGoWhereEarlierKeysMovedTheFocus)
{
    left.SetFocus();
    left.onMessage = [&](UINT m, WPARAM w, LPARAM, LRESULT&) {
        if (m == WM_KEYDOWN && w == VK_TAB)
            right.SetFocus();
        return false;
    };
    NullHost::PressKey(VK_TAB);
    NullHost::TypeText("x");
    NullHost::PumpPending();
    // The Tab's release and everything after it go to the new focus.
    EXPECT_EQ(right.Sequence(kKeys), (std::vector<UINT> { WM_KEYUP, WM_KEYDOWN, WM_CHAR, WM_KEYUP }));
    EXPECT_EQ(left.Sequence({ WM_KEYDOWN, WM_KEYUP }), (std::vector<UINT> { WM_KEYDOWN }));
}

} // namespace
