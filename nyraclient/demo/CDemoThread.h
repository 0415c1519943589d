// CDemoThread: the generator of one demo bed. Every 30 ms it makes a burst of up to 10 wave
// packets, each 26th followed by a parameter packet (some 12.8 parameter packets a second, a
// trend that runs faster than a monitor's: the demonstration shows a contraction within a
// minute). The packets go to the owner's demo queue, which the user-interface thread drains:
// the thread never waits for the user-interface thread, so stopping it never waits long.
//
// The generator knows nothing of the client around it: it asks its owner (CDemoThreadOwner)
// for the bed's key and hands it the packets. The owner is cleared before the stop flag is set
// (NyraClientInfo::StopDemo), and tested before each hand-over, so no packet reaches a client
// that is being removed.
#pragma once

#include "nyraclient/demo/CDemoGenerator.h"
#include "nyraclient/thread/NyraWorkerThread.h"

// What the generator asks of the demo bed it feeds. Both calls come from the generator thread.
class CDemoThreadOwner
{
public:
    virtual ~CDemoThreadOwner() = default;
    // The bed's key, which every packet carries.
    virtual int GetDemoKey() const = 0;
    // Takes a copy of one packet towards the user-interface thread; never waits for it.
    virtual void PushDemoPacket(const BYTE* data, int len) = 0;
};

class CDemoThread : public NyraWorkerThread<CDemoThreadOwner>
{
public:
    static constexpr int kExitCode = 0x1D01;
    static constexpr DWORD kBurstIntervalMs = 30;
    static constexpr int kWavesPerBurst = 10;

    CDemoThread() = default;
    BOOL InitInstance() override { return TRUE; }
    int Run() override;

private:
    // Hands the packet's bytes to the owner, when there still is one.
    void Deliver(const BYTE* data, int len);

    nyraclient::demo::CDemoGenerator m_Generator;
};
