// CDemoThread: the generator of one demo bed. Every 30 ms it makes a burst of up to 10 wave
// packets, each 26th followed by a parameter packet (some 12.8 parameter packets a second, a
// trend that runs faster than a monitor's: the demonstration shows a contraction within a
// minute). The packets go to the owner's demo queue, which the user-interface thread drains:
// the thread never waits for the user-interface thread, so stopping it never waits long.
//
// The owner is cleared before the stop flag is set (NyraClientInfo::StopDemo), and tested
// before each hand-over, so no packet reaches a client that is being removed.
#pragma once

#include "nyraclient/demo/CDemoGenerator.h"
#include "nyraclient/thread/NyraWorkerThread.h"

class NyraClientInfo;

class CDemoThread : public NyraWorkerThread<NyraClientInfo>
{
public:
    static constexpr int kExitCode = 0x1D01;
    static constexpr DWORD kBurstIntervalMs = 30;
    static constexpr int kWavesPerBurst = 10;

    CDemoThread() = default;
    BOOL InitInstance() override { return TRUE; }
    int Run() override;

private:
    // Hands the packet's bytes to the owner, when there still is one with its window.
    void Deliver(const BYTE* data, int len);

    nyraclient::demo::CDemoGenerator m_Generator;
};
