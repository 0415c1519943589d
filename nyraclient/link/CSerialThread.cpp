// The serial thread of a serial link: port opening and closing on request, reading into the
// queue of chunks, writing frames.
#include "nyraclient/link/CSerialThread.h"

#include "nyraclient/link/SerialFrame.h"

#include "platform/core/Clock.h"
#include "platform/msg/WindowApi.h"

#include <algorithm>
#include <cstring>

namespace {

// The line every monitor link uses, whatever the caller asked for.
constexpr unsigned kBaudRate = 115200;
constexpr int kDataBits = 8;

// Writes may wait for room this long: 10 ms per byte and 100 ms more.
int WriteTimeoutMs(int length) { return 10 * length + 100; }

} // namespace

std::mutex CSerialThread::m_LockOpen;

CSerialThread::CSerialThread() : m_Requested(FALSE, FALSE) {}

// The port, if still open, is closed by its own destructor, on this thread.
CSerialThread::~CSerialThread() = default;

// ==== the thread's loop ===========================================================================

int CSerialThread::Run()
{
    while (m_nStopFlag.load() == 0) {
        switch (m_eStatus.load()) {
        case STATUS_OPEN:
            OpenPort();
            break;
        case STATUS_CONNECTED:
            ServeOpenPort();
            break;
        case STATUS_CLOSE:
            ClosePort();
            FinishStep(STATUS_CLOSE, STATUS_IDLE);
            break;
        case STATUS_END:
            ClosePort();
            m_nStopFlag.store(1);
            break;
        default:
            // Idle: nothing to do until the next request.
            m_Requested.Lock(INFINITE);
            break;
        }
    }
    // The end request may still be waking this thread; it must be done before the object goes.
    std::lock_guard requestDone(m_RequestLock);
    return 0;
}

void CSerialThread::FinishStep(int expected, int next) { m_eStatus.compare_exchange_strong(expected, next); }

void CSerialThread::OpenPort()
{
    bool opened = false;
    {
        std::lock_guard openLock(m_LockOpen);
        std::lock_guard portLock(m_PortLock);
        // An open request for a port that is already open starts it afresh.
        if (m_Port.IsOpen())
            m_Port.Close();
        opened = m_Port.Open(m_nPort.load()) && m_Port.Purge(true, true) &&
                 m_Port.SetLine(kBaudRate, kDataBits, platform::SerialPort::NoParity, platform::SerialPort::OneStopBit) &&
                 m_Port.SetDtr(true) && m_Port.SetRts(true);
        if (!opened)
            m_Port.Close();
    }
    m_dwReferenceTick.store(GetTickCount());
    m_bReferenceTick.store(true);
    // A close or end request that came meanwhile wins; its step closes the port again.
    FinishStep(STATUS_OPEN, opened ? STATUS_CONNECTED : STATUS_IDLE);
}

void CSerialThread::ServeOpenPort()
{
    switch (m_Port.WaitForData(-1)) {
    case platform::SerialPort::WaitResult::Data:
        ReadWaitingBytes();
        if (GetPacketLength() >= SERIAL_FRAME_SIZE)
            if (HWND notify = m_hNotify.load())
                ::PostMessage(notify, WM_SERIAL_RECEIVED, 0, 0);
        break;
    case platform::SerialPort::WaitResult::HangUp:
    case platform::SerialPort::WaitResult::Error:
        // The far end hung up or the device failed, and everything it sent has been read:
        // nothing more can arrive, so wait for the link to close the port instead of asking
        // the dead line again and again.
        m_Requested.Lock(INFINITE);
        break;
    default:
        // Woken up by a request: the loop looks at the status again.
        break;
    }
}

void CSerialThread::ReadWaitingBytes()
{
    BYTE buffer[kReadSize];
    for (;;) {
        const int waiting = m_Port.BytesQueued();
        if (waiting <= 0)
            return;
        const int read = m_Port.Read(buffer, std::min(waiting, kReadSize));
        if (read <= 0)
            return;
        std::lock_guard lock(m_QueueLock);
        m_Queue.push_back({ std::vector<BYTE>(buffer, buffer + read), 0 });
        m_nQueued.fetch_add(read);
    }
}

void CSerialThread::ClosePort()
{
    {
        std::lock_guard portLock(m_PortLock);
        // Drops DTR and RTS and discards both directions before closing.
        m_Port.Close();
    }
    ClearRx();
}

// ==== requests ====================================================================================

void CSerialThread::Request(int status)
{
    std::lock_guard lock(m_RequestLock);
    // Once the thread is asked to end, no other request replaces that.
    int current = m_eStatus.load();
    while (current != STATUS_END && !m_eStatus.compare_exchange_weak(current, status)) {
    }
    m_Requested.SetEvent();
    m_Port.WakeUp();
}

void CSerialThread::TryOpen(UINT port)
{
    m_nPort.store(port);
    m_bReferenceTick.store(false);
    m_dwReferenceTick.store(0);
    Request(STATUS_OPEN);
}

void CSerialThread::TryClose() { Request(STATUS_CLOSE); }

void CSerialThread::CloseThread() { Request(STATUS_END); }

bool CSerialThread::GetReferenceTick(DWORD& tick) const
{
    if (!m_bReferenceTick.load())
        return false;
    tick = m_dwReferenceTick.load();
    return true;
}

// ==== data ========================================================================================

int CSerialThread::Put(const BYTE* data, int length)
{
    if (data == nullptr || length <= 0)
        return 0;
    std::lock_guard lock(m_PortLock);
    if (!m_Port.IsOpen())
        return 0;
    return m_Port.Write(data, length, WriteTimeoutMs(length)) == length ? 1 : 0;
}

int CSerialThread::Get(BYTE* buffer, int size)
{
    if (buffer == nullptr || size <= 0)
        return 0;
    std::lock_guard lock(m_QueueLock);
    std::size_t copied = 0;
    const auto room = static_cast<std::size_t>(size);
    while (!m_Queue.empty() && copied < room) {
        Chunk& chunk = m_Queue.front();
        const std::size_t take = std::min(chunk.data.size() - chunk.offset, room - copied);
        std::memcpy(buffer + copied, chunk.data.data() + chunk.offset, take);
        chunk.offset += take;
        copied += take;
        if (chunk.offset == chunk.data.size())
            m_Queue.pop_front();
    }
    m_nQueued.fetch_sub(static_cast<int>(copied));
    return static_cast<int>(copied);
}

void CSerialThread::Unget(const BYTE* data, int length)
{
    if (data == nullptr || length <= 0)
        return;
    std::lock_guard lock(m_QueueLock);
    m_Queue.push_front({ std::vector<BYTE>(data, data + length), 0 });
    m_nQueued.fetch_add(length);
}

void CSerialThread::ClearRx()
{
    std::lock_guard lock(m_QueueLock);
    m_Queue.clear();
    m_nQueued.store(0);
}

int CSerialThread::GetPacketLength() const
{
    std::lock_guard lock(m_QueueLock);
    return m_nQueued.load();
}
