// KTSerial: one serial port whose received bytes a watch thread moves into a locked queue of
// chunks, from which the owner takes them at its own pace with Get. Writes come from the
// owner's thread.
//
// Threads: the owner's thread connects, disconnects, writes and takes bytes; the watch thread
// only waits on the port and reads into the queue. Disconnect ends the watch thread before the
// port closes, so the thread never touches a closed port.
// Lock order: the queue lock is the only lock; it is held only to move bytes.
#pragma once

#include "platform/core/Object.h"
#include "platform/core/Sync.h"
#include "platform/core/Types.h"
#include "platform/net/SerialPort.h"

#include <atomic>
#include <deque>
#include <mutex>
#include <vector>

class CWnd;

class KTSerial : public CObject
{
public:
    KTSerial() = default;
    ~KTSerial() override;
    KTSerial(const KTSerial&) = delete;
    KTSerial& operator=(const KTSerial&) = delete;

    // Opens COM<port> (through the device mapping) with the line settings, DTR and RTS off, both
    // directions purged, and starts the watch thread: 1, or 0 with the port closed.
    // stopBits and parity take the classic numbers (platform::SerialPort::StopBits, Parity).
    int Connect(UINT port, UINT baud, BYTE byteSize, BYTE stopBits, BYTE parity);
    // Ends the watch thread, drops DTR, purges and closes the port, and empties the queue.
    void Disconnect();
    void SetNotify(CWnd* wnd, UINT message);

    // Writes all bytes, waiting for room at most 1000 ms: 1, or 0 (also when not connected).
    int Put(const BYTE* data, int length);
    // Writes the bytes one at a time, pausing `elapse` ms after each while the calling thread's
    // messages are handled: 1, or 0 when not connected or a write fails.
    int PutDelay(const BYTE* data, int length, UINT elapse);
    // Takes up to `length` received bytes, oldest first; the number taken.
    int Get(BYTE* buffer, int length);
    void ClearRx();

    int IsConnected() const { return m_port.IsOpen() ? 1 : 0; }
    // The open port, or null.
    platform::SerialPort* GetHandle() { return m_port.IsOpen() ? &m_port : nullptr; }
    // 1 when received bytes wait in the queue.
    int IsReceived() const;
    // Bytes received and not yet taken.
    int GetReceivedCount() const;
    UINT GetPort() const { return m_nPort; }
    UINT GetBaud() const { return m_nBaud; }
    BYTE GetParity() const { return m_nParity; }
    BYTE GetDatabits() const { return m_nByteSize; }
    BYTE GetStopbits() const { return m_nStopBits; }

    static constexpr int kChunkSize = 4096;
    static constexpr DWORD kWatchExitCode = 1234;

protected:
    static UINT CommWatchProc(LPVOID param);

private:
    struct Chunk
    {
        std::vector<BYTE> bytes;
        std::size_t readPos { 0 };
    };

    void ReceiveWaitingBytes();
    void StopWatchThread();

    platform::SerialPort m_port;
    CWnd* m_pNotifyWnd { nullptr };
    UINT m_nNotifyMsg { 0 };
    UINT m_nPort { 1 };
    UINT m_nBaud { 0 };
    BYTE m_nByteSize { 0 };
    BYTE m_nStopBits { 0 };
    BYTE m_nParity { 0 };

    std::atomic<bool> m_bStop { false };
    // Set with the stop flag, for a watch thread that waits on a dead line.
    CEvent m_stopEvent { FALSE, TRUE };
    platform::WaitHandle m_watchEnd;

    // Guards m_queue and m_nWaiting.
    mutable std::mutex m_queueLock;
    std::deque<Chunk> m_queue;
    int m_nWaiting { 0 };
};
