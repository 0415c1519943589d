// The serial link window: the connect-frame hunt, the notifications and the link's life.
#include "nyraclient/link/CUSerialEx.h"

#include "nyraclient/link/SerialFrame.h"

#include "platform/core/Clock.h"

#include <cstring>

namespace {

constexpr int kPutAttempts = 4;
constexpr DWORD kPutPauseMs = 10;

} // namespace

const platform::MessageMap* CUSerialEx::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_SERIAL_RECEIVED, &CUSerialEx::OnSerialReceived>(),
        Message<WM_SERIAL_OPENED, &CUSerialEx::OnSerialOpened>(),
        Message<WM_SERIAL_CLOSED, &CUSerialEx::OnSerialClosed>(),
    };
    static constexpr platform::MessageMap kMap { &CWnd::GetThisMessageMap, kEntries };
    return &kMap;
}

// ==== life ========================================================================================

CUSerialEx::CUSerialEx(CWnd* parent) : m_pParent(parent)
{
    CreateEx(0, nullptr, "", WS_CHILD, CRect(0, 0, 0, 0), parent, IDC_USERIAL);
    CSerialThread* thread = AfxBeginThread<CSerialThread>(THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (thread == nullptr)
        return;
    m_SerialThreadEnd = platform::WaitHandle(thread->m_hThread);
    m_pSerialThread = thread;
    thread->ResumeThread();
}

CUSerialEx::~CUSerialEx()
{
    if (m_pSerialThread != nullptr) {
        m_pSerialThread->SetHwnd(nullptr);
        // Whatever the thread is doing (opening, reading, closing), its next step is to close
        // the port, drop its queue and end; it never waits for this window's thread.
        m_pSerialThread->CloseThread();
        m_pSerialThread = nullptr;
        m_SerialThreadEnd.Wait(INFINITE);
        m_SerialThreadEnd.reset();
    }
    m_HuntBytes.clear();
    DestroyWindow();
}

// ==== requests ====================================================================================

int CUSerialEx::Connect(UINT port, UINT /*baud*/, BYTE /*byteSize*/, BYTE /*parity*/, BYTE /*stopBits*/)
{
    if (m_pSerialThread != nullptr) {
        m_pSerialThread->SetHwnd(m_hWnd);
        m_pSerialThread->TryOpen(port);
    }
    return 1;
}

int CUSerialEx::Disconnect()
{
    if (m_pSerialThread != nullptr)
        m_pSerialThread->TryClose();
    return 1;
}

int CUSerialEx::SetNotify(CWnd* target, UINT message)
{
    m_pNotifyWnd = target;
    m_nNotifyMsg = message;
    if (target != nullptr && m_bCentralConnected && IsReceived())
        PostMessage(WM_SERIAL_RECEIVED);
    return 1;
}

// ==== data ========================================================================================

int CUSerialEx::Put(BYTE* data, int length)
{
    if (m_pSerialThread == nullptr)
        return 0;
    int result = 0;
    for (int attempt = 1; attempt <= kPutAttempts; ++attempt) {
        result = m_pSerialThread->Put(data, length);
        // The pause paces the frames for the monitor, also after a write that succeeded.
        if (attempt < kPutAttempts)
            Sleep(kPutPauseMs);
        if (result != 0)
            break;
    }
    return result;
}

int CUSerialEx::Get(BYTE* buffer, int size)
{
    const int got = m_pSerialThread ? m_pSerialThread->Get(buffer, size) : 0;
    if (got > 0)
        ++m_nTakes;
    return got;
}

void CUSerialEx::Unget(const BYTE* data, int length)
{
    if (m_pSerialThread != nullptr)
        m_pSerialThread->Unget(data, length);
}

int CUSerialEx::ClearRx()
{
    if (m_pSerialThread == nullptr)
        return 0;
    m_pSerialThread->ClearRx();
    return 1;
}

// ==== state =======================================================================================

BOOL CUSerialEx::IsConnected() const { return m_pSerialThread ? m_pSerialThread->IsConnected() : FALSE; }

BOOL CUSerialEx::IsReceived() const { return m_pSerialThread ? m_pSerialThread->IsReceived() : FALSE; }

int CUSerialEx::GetPacketLength() const { return m_pSerialThread ? m_pSerialThread->GetPacketLength() : 0; }

UINT CUSerialEx::GetPort() const { return m_pSerialThread ? m_pSerialThread->GetPort() : 0; }

int CUSerialEx::GetStatus() const
{
    return m_pSerialThread ? m_pSerialThread->GetStatus() : static_cast<int>(CSerialThread::STATUS_IDLE);
}

BOOL CUSerialEx::IsOverTime(DWORD ms) const
{
    DWORD reference = 0;
    if (m_pSerialThread == nullptr || !m_pSerialThread->GetReferenceTick(reference))
        return FALSE;
    // Unsigned difference: right across the wrap of the 32-bit tick count.
    return GetTickCount() - reference > ms ? TRUE : FALSE;
}

// ==== the connect-frame hunt ======================================================================

void CUSerialEx::ProcessDataForTarvic()
{
    BYTE buffer[CSerialThread::kReadSize];
    const std::size_t kept = m_HuntBytes.size();
    if (kept > 0)
        std::memcpy(buffer, m_HuntBytes.data(), kept);
    const int got = Get(buffer + kept, static_cast<int>(sizeof buffer - kept));
    // Nothing new: the kept bytes stay as they are for the next hunt.
    if (got <= 0)
        return;
    const std::size_t length = kept + static_cast<std::size_t>(got);

    std::size_t position = 0;
    while (length - position >= SERIAL_FRAME_SIZE) {
        if (IsConnectFrame(buffer + position)) {
            m_bCentralConnected = 1;
            position += SERIAL_FRAME_SIZE;
            // What came after the connect frame is the monitor's data: it goes back to the head
            // of the queue for the target that takes the link over.
            if (m_pSerialThread != nullptr)
                m_pSerialThread->Unget(buffer + position, static_cast<int>(length - position));
            m_HuntBytes.clear();
            return;
        }
        // No frame here, or a frame of another packet: look again one byte further.
        ++position;
    }
    m_HuntBytes.assign(buffer + position, buffer + length);
}

// ==== messages ====================================================================================

LRESULT CUSerialEx::OnSerialReceived(WPARAM, LPARAM)
{
    if (!IsReceived())
        return 0;
    const unsigned takes = m_nTakes;
    if (m_bCentralConnected)
        Notify(SERIAL_NOTIFY_RECEIVED);
    else
        ProcessDataForTarvic();
    // The serial thread tells this window once per wake-up, however much it read then, and
    // only when a frame's worth is queued after its read. A reader takes at most what its
    // buffer holds (the client 8 KB, the hunt 8 KB less its kept bytes) and gives back the
    // start of a frame it cannot cut yet, possibly after the thread's last check. Either way
    // whole frames could stay queued with nobody told until the monitor sends again, and a
    // monitor waiting for the answer to one of them never does. So while a frame's worth is
    // queued and the reader took something, tell this window again. Each round consumes at
    // least one byte, and a reader that takes nothing (no target yet) is not told in a loop:
    // SetNotify tells the next target.
    if (m_nTakes != takes && GetPacketLength() >= SERIAL_FRAME_SIZE)
        PostMessage(WM_SERIAL_RECEIVED);
    return 0;
}

LRESULT CUSerialEx::OnSerialOpened(WPARAM, LPARAM)
{
    Notify(SERIAL_NOTIFY_OPENED);
    return 0;
}

LRESULT CUSerialEx::OnSerialClosed(WPARAM, LPARAM)
{
    Notify(SERIAL_NOTIFY_CLOSED);
    return 0;
}

void CUSerialEx::Notify(WPARAM code)
{
    if (m_pNotifyWnd == nullptr || !::IsWindow(m_pNotifyWnd->GetSafeHwnd()))
        return;
    m_pNotifyWnd->SendMessage(m_nNotifyMsg, code, reinterpret_cast<LPARAM>(this));
}
