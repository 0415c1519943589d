// CAlarmThread: the alarm-caption painter of one bed window. It writes the bed's active alarm
// texts into the caption bar one after the other, each shown for 500 ms and hidden for 500 ms,
// in orange or red by the alarm's level, and while the bed records it refreshes the elapsed
// recording time at the right of the caption every 500 ms (only while no alarm text is shown,
// so the two never overlap). All intervals are on the tick clock.
//
// The alarm values are atomic bytes that the receiving thread writes; the list of texts is
// built anew at every step, so an alarm that comes or goes shows within 500 ms. A step draws
// only the caption text's place (the alarm text over it, or the bed's own text again), never
// the buttons around it. Between steps the painter sleeps until the next one falls due; a
// quiet bed's painter (no alarm, not recording) sleeps until it is woken: by the alarm
// manager when an alarm value changes, and by the window when the bed's state changes (a
// recording that begins).
#pragma once

#include "nyraclient/thread/NyraWorkerThread.h"

#include "platform/core/CString.h"

#include <atomic>

class NyraControl;

class CAlarmThread : public NyraWorkerThread<NyraControl>
{
public:
    static constexpr int kExitCode = 0x1D04;
    // One text step (shown or hidden) and one refresh of the recording time.
    static constexpr DWORD kStepMs = 500;

    // The steps count from the thread's start (made on the window's thread), so a tick clock
    // that moves before the thread first runs still times the first step.
    CAlarmThread();

    BOOL InitInstance() override { return TRUE; }
    int Run() override;

    // For tests: how many text steps and time refreshes were drawn.
    unsigned GetTextSteps() const { return m_nTextSteps.load(); }
    unsigned GetTimeRefreshes() const { return m_nTimeRefreshes.load(); }
    // For tests: how often the painter looked at its bed (woke up).
    unsigned GetLooks() const { return m_nLooks.load(); }

private:
    // One look; returns the tick milliseconds until the next step or time refresh falls due
    // (0 when one is due now), INFINITE when none will.
    DWORD Pass(NyraControl& owner);
    void Step(NyraControl& owner, bool alarms, bool recording);
    void TextStep(NyraControl& owner);
    static void DrawAlarmText(NyraControl& owner, const CString& text, int level, bool shown);
    void DrawRecordingTime(NyraControl& owner);

    DWORD m_dwLastStep { 0 };
    DWORD m_dwLastTime { 0 };
    int m_nPhase { 0 }; // 0 hidden, 1 shown
    int m_nIndex { 0 };
    bool m_bTextDrawn { false };
    bool m_bTimeDrawn { false };
    std::atomic<unsigned> m_nTextSteps { 0 };
    std::atomic<unsigned> m_nTimeRefreshes { 0 };
    std::atomic<unsigned> m_nLooks { 0 };
};
