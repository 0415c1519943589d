// KTSerial: the port, its watch thread and the receive queue.
#include "ktutilex/KTSerial.h"

#include "ktutil/KTGF.h"

#include "platform/core/WinThread.h"
#include "platform/msg/MessageQueue.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace {

constexpr int kWriteTimeoutMs = 1000;

} // namespace

KTSerial::~KTSerial() { Disconnect(); }

// ==== connection ==================================================================================

int KTSerial::Connect(UINT port, UINT baud, BYTE byteSize, BYTE stopBits, BYTE parity)
{
    Disconnect();
    m_nPort = port;
    if (!m_port.Open(port))
        return 0;
    if (!m_port.SetLine(baud, byteSize, parity, stopBits) || !m_port.Purge(true, true) || !m_port.SetDtr(false) ||
        !m_port.SetRts(false)) {
        m_port.Close();
        return 0;
    }
    m_nBaud = baud;
    m_nByteSize = byteSize;
    m_nStopBits = stopBits;
    m_nParity = parity;

    m_bStop.store(false);
    m_stopEvent.ResetEvent();
    CWinThread* thread = AfxBeginThread(&KTSerial::CommWatchProc, this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (!thread) {
        m_port.Close();
        return 0;
    }
    m_watchEnd = platform::WaitHandle(thread->m_hThread);
    thread->ResumeThread();
    return 1;
}

void KTSerial::StopWatchThread()
{
    if (m_watchEnd.empty())
        return;
    m_bStop.store(true);
    m_stopEvent.SetEvent();
    m_port.WakeUp();
    m_watchEnd.Wait(INFINITE);
    m_watchEnd.reset();
}

void KTSerial::Disconnect()
{
    StopWatchThread();
    // Close drops DTR and RTS and discards both directions first.
    m_port.Close();
    ClearRx();
}

void KTSerial::SetNotify(CWnd* wnd, UINT message)
{
    m_pNotifyWnd = wnd;
    m_nNotifyMsg = message;
}

// ==== the watch thread ============================================================================

UINT KTSerial::CommWatchProc(LPVOID param)
{
    auto* self = static_cast<KTSerial*>(param);
    while (!self->m_bStop.load()) {
        switch (self->m_port.WaitForData(-1)) {
        case platform::SerialPort::WaitResult::Data:
            self->ReceiveWaitingBytes();
            break;
        case platform::SerialPort::WaitResult::HangUp:
        case platform::SerialPort::WaitResult::Error:
            // Nothing more can arrive on a dead line: wait for the owner to disconnect instead
            // of asking it again and again.
            self->m_stopEvent.Lock(INFINITE);
            break;
        default:
            break;
        }
    }
    return kWatchExitCode;
}

void KTSerial::ReceiveWaitingBytes()
{
    for (;;) {
        const int waiting = m_port.BytesQueued();
        if (waiting <= 0)
            return;
        Chunk chunk;
        chunk.bytes.resize(static_cast<std::size_t>(std::min(waiting, kChunkSize)));
        const int read = m_port.Read(chunk.bytes.data(), static_cast<int>(chunk.bytes.size()));
        if (read <= 0)
            return;
        chunk.bytes.resize(static_cast<std::size_t>(read));
        std::lock_guard lock(m_queueLock);
        m_queue.push_back(std::move(chunk));
        m_nWaiting += read;
    }
}

// ==== data ========================================================================================

int KTSerial::Put(const BYTE* data, int length)
{
    if (!m_port.IsOpen() || !data || length <= 0)
        return 0;
    return m_port.Write(data, length, kWriteTimeoutMs) == length ? 1 : 0;
}

int KTSerial::PutDelay(const BYTE* data, int length, UINT elapse)
{
    if (!m_port.IsOpen() || !data || length <= 0)
        return 0;
    for (int i = 0; i < length; ++i) {
        if (m_port.Write(data + i, 1, kWriteTimeoutMs) != 1)
            return 0;
        // Each call keeps its own deadline, so two calls on two ports never end each other's
        // pauses.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(elapse);
        for (;;) {
            while (KTGF::PeekMsg(nullptr)) {
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                break;
            platform::msg::MessageQueue::Current()->WaitForWake(static_cast<int>(left.count()));
        }
    }
    return 1;
}

int KTSerial::Get(BYTE* buffer, int length)
{
    if (!buffer || length <= 0)
        return 0;
    std::lock_guard lock(m_queueLock);
    int copied = 0;
    while (!m_queue.empty() && copied < length) {
        Chunk& chunk = m_queue.front();
        const std::size_t take = std::min(chunk.bytes.size() - chunk.readPos, static_cast<std::size_t>(length - copied));
        std::memcpy(buffer + copied, chunk.bytes.data() + chunk.readPos, take);
        chunk.readPos += take;
        copied += static_cast<int>(take);
        if (chunk.readPos == chunk.bytes.size())
            m_queue.pop_front();
    }
    m_nWaiting -= copied;
    return copied;
}

void KTSerial::ClearRx()
{
    std::lock_guard lock(m_queueLock);
    m_queue.clear();
    m_nWaiting = 0;
}

int KTSerial::IsReceived() const
{
    std::lock_guard lock(m_queueLock);
    return m_queue.empty() ? 0 : 1;
}

int KTSerial::GetReceivedCount() const
{
    std::lock_guard lock(m_queueLock);
    return m_nWaiting;
}
