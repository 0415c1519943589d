// CBrokerViewer: the thread that sends one viewing station its queue of broker packets over the
// station's socket, so that a slow viewing station holds up only its own queue.
//
// Only whole packets go out: a packet not yet started is dropped after three would-block pauses
// of 50 ms (the viewer then misses it but stays in step); a packet once started is finished
// while the socket lives. The queue holds at most kQueueLimit packets and drops its oldest
// whole one first. The stop flag is looked at before each packet and during each pause, so
// stopping a viewer that cannot send takes a few milliseconds.
//
// The socket is the thread's owner; the server closes and deletes it only after the thread
// has ended.
#pragma once

#include "nyraclient/thread/NyraWorkerThread.h"
#include "nyraclient/thread/SmartBufferQueue.h"

class NyraClientSock;

class CBrokerViewer : public NyraWorkerThread<NyraClientSock>
{
public:
    static constexpr int kExitCode = 1;
    static constexpr std::size_t kQueueLimit = 4096;
    static constexpr DWORD kWouldBlockPauseMs = 50;
    static constexpr int kPausesBeforeDrop = 3;

    CBrokerViewer() = default;

    BOOL InitInstance() override { return TRUE; }
    int Run() override;

    // Queues a copy of the bytes (nothing when no copy can be made). Any thread.
    void PushData(const BYTE* data, UINT len);
    std::size_t GetQueueSize() const { return m_Queue.Size(); }
    // Sends one packet whole: 1 sent, 0 dropped or the socket failed.
    int SendData(const BYTE* data, UINT len);

    // The server thread's record of the client lists sent to this viewer (its thread only).
    int m_bListSent { 0 };
    DWORD m_dwListTick { 0 };

private:
    // Waits `ms`, or less when the stop flag is set; false when it is.
    bool Pause(DWORD ms) const;

    // Its lock is the last in the broker's lock order.
    nyraclient::SmartBufferQueue m_Queue { kQueueLimit };
};
