// CSerialThread: the worker thread that owns one serial port of a serial link (CUSerialEx). It
// opens and closes the port when asked, reads everything that arrives into a queue of chunks,
// and tells the link's window (message WM_SERIAL_RECEIVED) when at least one frame's worth of
// bytes is queued. Frames are written with Put from the caller's thread.
//
// Threads: the serial thread alone opens, closes, waits on and reads the port. Requests
// (TryOpen, TryClose, CloseThread) come from the link's thread and wake the serial thread
// whatever it waits for. Put writes from the caller's thread under the port lock, which the
// serial thread also takes to open and close, so a write never meets a port being closed.
// Lock order: the process-wide open lock, then a thread's port lock, then its queue lock.
#pragma once

#include "platform/core/Sync.h"
#include "platform/core/Types.h"
#include "platform/core/WinThread.h"
#include "platform/net/SerialPort.h"

#include <atomic>
#include <deque>
#include <mutex>
#include <vector>

// Messages to the link's window. The serial thread posts only the first; the other two are the
// link window's handlers for "port opened" and "port closed" notices.
constexpr UINT WM_SERIAL_RECEIVED = 0x48C;
constexpr UINT WM_SERIAL_OPENED = 0x48D;
constexpr UINT WM_SERIAL_CLOSED = 0x48E;

class CSerialThread : public CWinThread
{
public:
    enum eStatus
    {
        STATUS_IDLE = 0,      // no port open
        STATUS_CONNECTED = 1, // port open, reading
        STATUS_OPEN = 2,      // open requested
        STATUS_CLOSE = 3,     // close requested
        STATUS_END = 4,       // close and end the thread
    };

    // The most one read takes, and the largest chunk of the queue.
    static constexpr int kReadSize = 8192;

    CSerialThread();
    ~CSerialThread() override;

    BOOL InitInstance() override { return TRUE; }
    // Acts on the status until the thread is asked to end; returns 0.
    int Run() override;

    // ---- requests (the link's thread) ------------------------------------------------------------
    void TryOpen(UINT port);
    void TryClose();
    void CloseThread();
    // The window that gets WM_SERIAL_RECEIVED; null for none.
    void SetHwnd(HWND hwnd) { m_hNotify.store(hwnd); }

    // ---- data (any thread) -----------------------------------------------------------------------
    // Writes the bytes, waiting for room at most 10 ms per byte + 100 ms: nonzero when all were
    // written, 0 when the port is closed, broken or the time ran out.
    int Put(const BYTE* data, int length);
    // Takes queued bytes from the head of the queue, at most `size`, in order; a chunk larger
    // than the room left is split and its rest stays at the head. Returns the bytes copied.
    int Get(BYTE* buffer, int size);
    // Puts bytes back at the head of the queue, ahead of everything queued.
    void Unget(const BYTE* data, int length);
    void ClearRx();
    // Bytes queued.
    int GetPacketLength() const;
    BOOL IsReceived() const { return m_nQueued.load() > 0 ? TRUE : FALSE; }

    // ---- state -----------------------------------------------------------------------------------
    BOOL IsConnected() const { return GetStatus() == STATUS_CONNECTED ? TRUE : FALSE; }
    int GetStatus() const { return m_eStatus.load(); }
    UINT GetPort() const { return m_nPort.load(); }
    // The tick count of the last open attempt; false while there was none since TryOpen.
    bool GetReferenceTick(DWORD& tick) const;

private:
    struct Chunk
    {
        std::vector<BYTE> data;
        std::size_t offset { 0 }; // bytes of `data` already taken
    };

    void Request(int status);
    // Sets the status from `expected` to `next` unless a request changed it meanwhile.
    void FinishStep(int expected, int next);
    void OpenPort();
    void ServeOpenPort();
    void ReadWaitingBytes();
    void ClosePort();

    // Serialises the opening of ports across all serial threads of the process.
    static std::mutex m_LockOpen;

    std::atomic<int> m_nStopFlag { 0 };
    std::atomic<int> m_eStatus { STATUS_IDLE };
    std::atomic<HWND> m_hNotify { nullptr };
    std::atomic<UINT> m_nPort { 0 };
    std::atomic<DWORD> m_dwReferenceTick { 0 };
    std::atomic<bool> m_bReferenceTick { false };
    // Set with every request, so that a thread waiting while idle (or on a dead line) wakes.
    CEvent m_Requested;
    // Held by a request for its whole length. The thread passes through it before it ends, so
    // that the request that asked it to end has stopped touching the object before the object
    // deletes itself. Taken with no other lock held.
    std::mutex m_RequestLock;

    // Guards the port's opening, closing and writing (Put); after the open lock.
    std::mutex m_PortLock;
    platform::SerialPort m_Port;

    // Guards m_Queue; the innermost lock. m_nQueued mirrors the queued byte count for
    // IsReceived, which reads it without the lock.
    mutable std::mutex m_QueueLock;
    std::deque<Chunk> m_Queue;
    std::atomic<int> m_nQueued { 0 };
};
