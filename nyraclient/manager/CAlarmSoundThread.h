// CAlarmSoundThread: one per client manager. While any bed wants an alarm sound it plays the
// library's alarm sound every 3 seconds of the tick clock; otherwise it sleeps until the manager
// wakes it: a new bed, a bed whose alarms begin (its alarm manager's sound hook) or whose sound
// is switched on.
//
// It holds the manager's sound lock for its whole life. The pause between sounds is a wait on
// the thread's wake event, which the stop sets, so the manager's destructor (which stops the
// thread and waits for its end) never waits out a pause. A sound that cannot be started is reported to the manager, which asks its
// user-interface thread to show the box; this thread never waits for the box.
#pragma once

#include "nyraclient/thread/NyraWorkerThread.h"

class NyraClientManager;

class CAlarmSoundThread : public NyraWorkerThread<NyraClientManager>
{
public:
    static constexpr int kExitCode = 0x1D05;
    // Between two sounds, on the tick clock.
    static constexpr DWORD kSoundIntervalMs = 3000;

    BOOL InitInstance() override { return TRUE; }
    int Run() override;

private:
    // Waits `ms` of the tick clock, or less when the stop flag is set.
    void Pause(DWORD ms);
};
