// KTSerialEx: the window, its timer and the frame scan.
#include "ktutilex/KTSerialEx.h"

#include <algorithm>

namespace {

constexpr int kWorkSize = 4096;
constexpr BYTE kFrameStart = 0xFE;
constexpr BYTE kFrameSecond = 0xA0;
constexpr BYTE kFrameEnd = 0xFC;
constexpr BYTE kNotifyKind = 1;

bool IsFrameAt(const std::vector<BYTE>& bytes, std::size_t at)
{
    return bytes[at] == kFrameStart && bytes[at + 1] == kFrameSecond &&
           bytes[at + KTSerialEx::kFrameSize - 1] == kFrameEnd;
}

} // namespace

const platform::MessageMap* KTSerialEx::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_TIMER, &KTSerialEx::OnTimer>(),
    };
    static constexpr platform::MessageMap kMap { &CWnd::GetThisMessageMap, kEntries };
    return &kMap;
}

KTSerialEx::KTSerialEx(CWnd* parent) : m_pParent(parent)
{
    CreateEx(0, nullptr, "", WS_CHILD, CRect(0, 0, 0, 0), parent, IDC_KTSERIALEX);
}

KTSerialEx::~KTSerialEx()
{
    if (m_hWnd)
        KillTimer(kTimerId);
    m_pSerial.reset();
    m_remainder.clear();
    DestroyWindow();
}

int KTSerialEx::SetNotify(CWnd* wnd, UINT message)
{
    if (!wnd || message < WM_USER)
        return 0;
    m_pNotifyWnd = wnd;
    m_nNotifyMsg = message;
    return 1;
}

int KTSerialEx::Connect(UINT port, UINT baud, BYTE byteSize, BYTE stopBits, BYTE parity)
{
    auto serial = std::make_unique<KTSerial>();
    if (!serial->Connect(port, baud, byteSize, stopBits, parity))
        return 0;
    m_pSerial = std::move(serial);
    SetTimer(kTimerId, kTimerPeriodMs);
    return 1;
}

// ---- forwarded to the port ------------------------------------------------------------------------

void KTSerialEx::ClearRx()
{
    if (m_pSerial)
        m_pSerial->ClearRx();
}
int KTSerialEx::Put(const BYTE* data, int length) { return m_pSerial ? m_pSerial->Put(data, length) : 0; }
int KTSerialEx::Get(BYTE* buffer, int length) { return m_pSerial ? m_pSerial->Get(buffer, length) : 0; }
int KTSerialEx::IsConnected() const { return m_pSerial ? m_pSerial->IsConnected() : 0; }
int KTSerialEx::IsReceived() const { return m_pSerial ? m_pSerial->IsReceived() : 0; }
UINT KTSerialEx::GetPort() const { return m_pSerial ? m_pSerial->GetPort() : 0; }
UINT KTSerialEx::GetBaud() const { return m_pSerial ? m_pSerial->GetBaud() : 0; }
BYTE KTSerialEx::GetParity() const { return m_pSerial ? m_pSerial->GetParity() : 0; }
BYTE KTSerialEx::GetDatabits() const { return m_pSerial ? m_pSerial->GetDatabits() : 0; }
BYTE KTSerialEx::GetStopbits() const { return m_pSerial ? m_pSerial->GetStopbits() : 0; }

// ---- the timer and the frame scan -----------------------------------------------------------------

void KTSerialEx::OnTimer(UINT_PTR id)
{
    if (id == kTimerId && m_pSerial && m_pSerial->GetReceivedCount() > 0) {
        if (m_bCentralConnected)
            Notify();
        else
            ProcessDataForTarvic();
    }
    Default();
}

void KTSerialEx::Notify()
{
    if (!m_pNotifyWnd || !m_pNotifyWnd->m_hWnd)
        return;
    const int waiting = m_pSerial ? m_pSerial->GetReceivedCount() : 0;
    ::PostMessage(m_pNotifyWnd->m_hWnd, m_nNotifyMsg, static_cast<WPARAM>(waiting), reinterpret_cast<LPARAM>(this));
}

void KTSerialEx::ProcessDataForTarvic()
{
    if (!m_pSerial)
        return;
    std::vector<BYTE> work = m_remainder;
    const std::size_t kept = work.size();
    work.resize(kWorkSize);
    const int got = m_pSerial->Get(work.data() + kept, static_cast<int>(kWorkSize - kept));
    // Nothing new: the remainder stays for the next tick.
    if (got <= 0)
        return;
    work.resize(kept + static_cast<std::size_t>(got));

    std::size_t at = 0;
    while (work.size() - at >= static_cast<std::size_t>(kFrameSize)) {
        if (!IsFrameAt(work, at)) {
            ++at;
            continue;
        }
        if (work[at + 2] == kNotifyKind)
            Notify();
        at += kFrameSize;
    }
    m_remainder.assign(work.begin() + static_cast<std::ptrdiff_t>(at), work.end());
}
