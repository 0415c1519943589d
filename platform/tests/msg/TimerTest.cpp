// Timers: WM_TIMER on the owner's thread when due by the process clock; a late timer fires
// once; KillTimer and the window's destruction stop it; thread timers call their procedure.
#include "platform/core/Clock.h"
#include "platform/host/null/NullHost.h"
#include "testkit/TestWindow.h"

#include <gtest/gtest.h>

#include <thread>

using testkit::RecordingWnd;
using platform::host::NullHost;

namespace {

class Timers : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(window.CreateTop(CRect(0, 0, 10, 10), WS_POPUP)); }
    std::vector<WPARAM> Fired() const
    {
        std::vector<WPARAM> ids;
        for (auto& e : window.log)
            if (e.message == WM_TIMER)
                ids.push_back(e.wParam);
        return ids;
    }
    platform::ScopedTestClock clock { 100 };
    RecordingWnd window;
};

TEST_F(Timers, FireWhenDueAndOnlyOncePerCheckHoweverLate)
{
    window.SetTimer(1, 500, nullptr);
    window.SetTimer(2, 200, nullptr);
    clock.Advance(199);
    NullHost::PumpPending();
    EXPECT_TRUE(Fired().empty());
    clock.Advance(1);
    NullHost::PumpPending();
    EXPECT_EQ(Fired(), std::vector<WPARAM> { 2 });
    clock.Advance(5000); // both long overdue: one message each
    NullHost::PumpPending();
    EXPECT_EQ(Fired(), (std::vector<WPARAM> { 2, 1, 2 }));
}

TEST_F(Timers, KillTimerAndDestructionStopThem)
{
    window.SetTimer(1, 100, nullptr);
    window.SetTimer(2, 100, nullptr);
    EXPECT_TRUE(window.KillTimer(1));
    EXPECT_FALSE(window.KillTimer(1));
    clock.Advance(100);
    NullHost::PumpPending();
    EXPECT_EQ(Fired(), std::vector<WPARAM> { 2 });
    HWND h = window.m_hWnd;
    window.DestroyWindow();
    clock.Advance(100);
    EXPECT_EQ(NullHost::PumpPending(), 0);
    EXPECT_FALSE(KillTimer(h, 2));
}

TEST_F(Timers, SettingATimerAgainRestartsIt)
{
    window.SetTimer(1, 100, nullptr);
    clock.Advance(90);
    window.SetTimer(1, 100, nullptr);
    clock.Advance(90);
    NullHost::PumpPending();
    EXPECT_TRUE(Fired().empty());
    clock.Advance(10);
    NullHost::PumpPending();
    EXPECT_EQ(Fired(), std::vector<WPARAM> { 1 });
}

std::vector<UINT_PTR> s_procCalls;
void RecordTimerProc(HWND, UINT, UINT_PTR id, DWORD) { s_procCalls.push_back(id); }

TEST_F(Timers, ThreadTimersCallTheirProcedure)
{
    s_procCalls.clear();
    UINT_PTR id = SetTimer(nullptr, 0, 50, RecordTimerProc);
    ASSERT_NE(id, 0u);
    clock.Advance(50);
    NullHost::PumpPending();
    EXPECT_EQ(s_procCalls, std::vector<UINT_PTR> { id });
    EXPECT_TRUE(KillTimer(nullptr, id));
}

TEST_F(Timers, ATimerSetFromAWorkerFiresOnTheWindowsThreadAndTheClockWakesIt)
{
    std::thread::id firedOn;
    window.onMessage = [&](UINT m, WPARAM, LPARAM, LRESULT&) {
        if (m == WM_TIMER) {
            firedOn = std::this_thread::get_id();
            PostQuitMessage(0);
        }
        return false;
    };
    std::thread worker([&] {
        window.SetTimer(4, 300, nullptr);
        clock.Advance(300); // wakes the waiting user-interface thread
    });
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0))
        DispatchMessage(&msg);
    worker.join();
    EXPECT_EQ(firedOn, std::this_thread::get_id());
}

} // namespace
