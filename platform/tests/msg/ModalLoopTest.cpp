// Modal loops: the code given to EndDialog comes back from the loop whoever calls it (a
// handler, a timer, a nested message box, another thread); timers keep firing in nested loops;
// the owner is disabled while its modal window runs.
#include "platform/core/Clock.h"
#include "platform/host/null/NullHost.h"
#include "platform/msg/MessageQueue.h"
#include "testkit/ScriptedDialogs.h"
#include "testkit/TestWindow.h"

#include <gtest/gtest.h>

using testkit::RecordingWnd;
using platform::msg::RunModal;

namespace {

constexpr UINT_PTR kTimer = 7;

// A main window and a dialog it owns. While a modal loop idles, the modal window's owner moves the
// test clock on by 100 ms (WM_ENTERIDLE, once each time the queue runs empty), so 100 ms
// timers come due without any sleeping.
class ModalLoop : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(main.CreateTop(CRect(0, 0, 640, 480)));
        ASSERT_TRUE(dialog.CreateTop(CRect(100, 100, 300, 250), WS_POPUP | WS_CAPTION, main.m_hWnd));
        auto advanceWhenIdle = [this](UINT m, WPARAM, LPARAM, LRESULT&) {
            if (m == WM_ENTERIDLE)
                clock.Advance(100);
            return false;
        };
        main.onMessage = advanceWhenIdle;
        dialog.onMessage = advanceWhenIdle; // the owner of nested modal windows
    }

    testkit::ScriptedDialogs dialogs;
    platform::ScopedTestClock clock { 1000 };
    RecordingWnd main;
    RecordingWnd dialog;
};

TEST_F(ModalLoop, EndDialogFromATimerHandlerEndsTheLoopWithItsCode)
{
    int ticks = 0;
    dialog.onMessage = [&](UINT m, WPARAM w, LPARAM, LRESULT&) {
        if (m == WM_TIMER && w == kTimer && ++ticks == 3)
            EndDialog(dialog.m_hWnd, 1234);
        return false;
    };
    dialog.SetTimer(kTimer, 100, nullptr);
    EXPECT_EQ(RunModal(dialog.m_hWnd), 1234);
    EXPECT_EQ(ticks, 3);
    EXPECT_FALSE(dialog.IsWindowVisible());
}

TEST_F(ModalLoop, TimersKeepFiringInsideANestedModalLoop)
{
    RecordingWnd inner;
    ASSERT_TRUE(inner.CreateTop(CRect(120, 120, 220, 200), WS_POPUP | WS_CAPTION, dialog.m_hWnd));
    int ticksInInner = 0;
    INT_PTR innerResult = 0;
    bool outerDisabledInInner = false;
    // The main window's timer drives both loops: the first tick opens the inner modal loop,
    // later ticks arrive inside it and the third one ends it.
    int ticks = 0;
    main.onMessage = [&](UINT m, WPARAM w, LPARAM, LRESULT&) {
        if (m == WM_ENTERIDLE)
            clock.Advance(100);
        if (m != WM_TIMER || w != kTimer)
            return false;
        ++ticks;
        if (ticks == 1) {
            innerResult = RunModal(inner.m_hWnd);
            EndDialog(dialog.m_hWnd, 9);
        } else if (platform::msg::IsModalLoopRunning(inner.m_hWnd)) {
            ++ticksInInner;
            outerDisabledInInner = !dialog.IsWindowEnabled();
            if (ticksInInner == 2)
                EndDialog(inner.m_hWnd, 5);
        }
        return true;
    };
    main.SetTimer(kTimer, 100, nullptr);

    EXPECT_EQ(RunModal(dialog.m_hWnd), 9);
    EXPECT_EQ(innerResult, 5);
    EXPECT_EQ(ticksInInner, 2);
    EXPECT_TRUE(outerDisabledInInner);
    EXPECT_TRUE(dialog.IsWindowEnabled());
    EXPECT_TRUE(main.IsWindowEnabled());
}

TEST_F(ModalLoop, EndDialogFromANestedMessageBoxEndsTheOuterLoop)
{
    // The message box is itself modal; what runs while it is up may end the dialog.
    dialogs.AnswerBox([&](const platform::msg::MessageBoxRequest&) {
        EndDialog(dialog.m_hWnd, 77);
        return IDYES;
    });
    int answer = 0;
    dialog.onMessage = [&](UINT m, WPARAM, LPARAM, LRESULT&) {
        if (m == WM_APP)
            answer = dialog.MessageBox("Discharge the patient?", "Bed 1", MB_YESNO | MB_ICONQUESTION);
        return false;
    };
    dialog.PostMessage(WM_APP);
    EXPECT_EQ(RunModal(dialog.m_hWnd), 77);
    EXPECT_EQ(answer, IDYES);
}

TEST_F(ModalLoop, OwnerIsDisabledWhileModalAndGetsNoClicks)
{
    bool ownerEnabledInLoop = true;
    dialog.onMessage = [&](UINT m, WPARAM, LPARAM, LRESULT&) {
        if (m == WM_APP) {
            ownerEnabledInLoop = main.IsWindowEnabled();
            // A click on the disabled owner goes nowhere.
            platform::host::NullHost::Click(600, 400);
            PostMessage(dialog.m_hWnd, WM_APP + 1, 0, 0);
        }
        if (m == WM_APP + 1)
            EndDialog(dialog.m_hWnd, IDOK);
        return false;
    };
    dialog.PostMessage(WM_APP);
    EXPECT_EQ(RunModal(dialog.m_hWnd), IDOK);
    EXPECT_FALSE(ownerEnabledInLoop);
    EXPECT_EQ(main.Count(WM_LBUTTONDOWN), 0);
    EXPECT_TRUE(main.IsWindowEnabled());
}

TEST_F(ModalLoop, EndDialogBeforeTheLoopStartsReturnsAtOnce)
{
    EndDialog(dialog.m_hWnd, IDCANCEL);
    EXPECT_EQ(RunModal(dialog.m_hWnd), IDCANCEL);
}

TEST_F(ModalLoop, QuitRequestEndsTheLoopAndStaysForTheOuterLoop)
{
    dialog.onMessage = [&](UINT m, WPARAM, LPARAM, LRESULT&) {
        if (m == WM_APP)
            PostQuitMessage(3);
        return false;
    };
    dialog.PostMessage(WM_APP);
    EXPECT_EQ(RunModal(dialog.m_hWnd), -1);
    MSG msg;
    EXPECT_FALSE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(ModalLoop, DestroyingTheModalWindowEndsTheLoop)
{
    dialog.onMessage = [&](UINT m, WPARAM, LPARAM, LRESULT&) {
        if (m == WM_APP)
            dialog.DestroyWindow();
        return false;
    };
    dialog.PostMessage(WM_APP);
    EXPECT_EQ(RunModal(dialog.m_hWnd), -1);
    EXPECT_TRUE(main.IsWindowEnabled());
}

TEST_F(ModalLoop, CWndModalLoopEndsWithEndModalLoop)
{
    dialog.onMessage = [&](UINT m, WPARAM, LPARAM, LRESULT&) {
        if (m == WM_APP)
            dialog.EndModalLoop(11);
        return false;
    };
    dialog.PostMessage(WM_APP);
    EXPECT_EQ(dialog.RunModalLoop(), 11);
    EXPECT_FALSE(dialog.ContinueModal());
}

} // namespace
