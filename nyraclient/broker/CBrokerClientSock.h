// CBrokerClientSock: the viewing side's socket to a central station's broker port. Its events
// only record: the connection's status, and every received block as a CSmartBuffer in its
// receive queue, which CBrokerClient's timer takes one block at a time.
#pragma once

#include "nyraclient/thread/SmartBufferQueue.h"

#include "platform/net/AsyncSocket.h"

#include <limits>

class CBrokerClientSock : public CAsyncSocket
{
public:
    enum Status
    {
        STATUS_IDLE = 0,
        STATUS_CONNECTED = 1,
        STATUS_RUNNING = 2,
        STATUS_CLOSED = 3,
        STATUS_FAILED = 4,
    };
    static constexpr int kReceiveBlock = 50000;

    CBrokerClientSock() = default;

    int GetStatus() const { return m_nStatus; }
    void SetStatus(int status) { m_nStatus = status; }
    // The oldest received block (the caller releases it), or null.
    CSmartBuffer* GetData() { return m_Queue.Pop(); }
    int GetDataCount() const { return static_cast<int>(m_Queue.Size()); }

protected:
    void OnConnect(int nErrorCode) override;
    void OnReceive(int nErrorCode) override;
    void OnClose(int nErrorCode) override;

private:
    // Reads one block into the queue; false when nothing came.
    bool ReadBlock();

    int m_nStatus { STATUS_IDLE };
    // Not bounded: the timer takes what the station sent, in order.
    nyraclient::SmartBufferQueue m_Queue { std::numeric_limits<std::size_t>::max() };
};
