// AlarmSoundNotice: a hidden window of the client manager on the user-interface thread. The
// alarm-sound thread posts to it when the sound cannot be played, and it shows
// "Can't play alarm sound" there, so the sound thread never waits for the box.
//
// One box per failing run: the manager asks again only after a sound has played since the last
// box was asked for (a station without a sound device shows the box once and keeps running).
#pragma once

#include "platform/msg/Wnd.h"

#include <atomic>

class AlarmSoundNotice : public CWnd
{
public:
    static constexpr UINT WM_ALARM_SOUND_FAILED = WM_APP + 0x1D05;

    AlarmSoundNotice() = default;
    ~AlarmSoundNotice() override;

    // Creates the hidden window on the calling (user-interface) thread; FALSE when that fails.
    BOOL CreateNotice();
    // Any thread: a sound was started (true) or could not be (false). A failure after a played
    // sound (or the first failure) posts one request for the box.
    void Report(bool played);
    // How many boxes were asked for (tests).
    int RequestCount() const { return m_nRequests.load(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Set when a box was asked for; cleared when a sound plays again.
    std::atomic<bool> m_bReported { false };
    std::atomic<int> m_nRequests { 0 };
    // The window handle as the sound thread reads it; set and cleared on the window's thread.
    std::atomic<HWND> m_hNotice { nullptr };
};
