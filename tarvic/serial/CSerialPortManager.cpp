// The serial port manager's poll.
#include "tarvic/serial/CSerialPortManager.h"

#include "tarvic/app/CTarvicIIApp.h"
#include "tarvic/app/StationGlobals.h"
#include "tarvic/view/CTarvicIIView.h"

#include "nyraclient/link/CSerialThread.h"
#include "nyraclient/link/CUSerialEx.h"
#include "platform/core/Check.h"

#include <algorithm>
#include <new>

namespace {

constexpr UINT kManagerId = 1;
// The line always runs at 115,200 baud 8N1; these are what the link is asked for.
constexpr UINT kBaudRate = 115200;
constexpr BYTE kDataBits = 8;
constexpr BYTE kNoParity = 0;
constexpr BYTE kOneStopBit = 0;

} // namespace

const platform::MessageMap* CSerialPortManager::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_TIMER, &CSerialPortManager::OnTimer>(),
        Message<WM_SERIAL_NOTIFY, &CSerialPortManager::OnSerialNotify>(),
    };
    static constexpr platform::MessageMap kMap{&CWnd::GetThisMessageMap, kEntries};
    return &kMap;
}

CSerialPortManager::CSerialPortManager(CTarvicIIView* pView) : m_pView(pView)
{
    CreateEx(0, nullptr, "", WS_CHILD, CRect(0, 0, 0, 0), pView, kManagerId);
}

CSerialPortManager::~CSerialPortManager()
{
    if (GetSafeHwnd() != nullptr)
        KillTimer(TIMER_SERIAL_POLL);
    m_Ports.clear();
    for (CUSerialEx* link : m_Links)
        Release(link);
    m_Links.clear();
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

void CSerialPortManager::Release(CUSerialEx* pLink)
{
    WARD_CHECK_UI_THREAD();
    pLink->SetNotify(nullptr, WM_SERIAL_NOTIFY);
    delete pLink;
}

void CSerialPortManager::Start()
{
    WARD_CHECK_UI_THREAD();
    // Every link goes, open or not: a link left behind would keep its port and its thread.
    for (CUSerialEx* link : m_Links)
        Release(link);
    m_Links.clear();
    m_Ports.clear();
    for (int port : g_Config.SerialName)
        if (port > 0 && static_cast<int>(m_Ports.size()) < kMaxPorts)
            m_Ports.push_back(static_cast<UINT>(port));
    SetTimer(TIMER_SERIAL_POLL, kPollPeriodMs);
}

int CSerialPortManager::GetAnnouncedLinkCount() const
{
    return static_cast<int>(
        std::count_if(m_Links.begin(), m_Links.end(), [](CUSerialEx* l) { return l->IsCentralConnected() != 0; }));
}

void CSerialPortManager::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == TIMER_SERIAL_POLL)
        Poll();
    Default();
}

void CSerialPortManager::Poll()
{
    WARD_CHECK_UI_THREAD();
    for (int i = static_cast<int>(m_Links.size()) - 1; i >= 0; --i) {
        CUSerialEx* link = m_Links[size_t(i)];
        switch (link->GetStatus()) {
        case CSerialThread::STATUS_CONNECTED:
            if (link->IsCentralConnected()) {
                // A monitor that announced itself during start-up waits until the station is up.
                if (!tarvic::IsStartUpComplete())
                    break;
                m_Links.erase(m_Links.begin() + i);
                m_pView->OnSerialClientConnected(link);
            } else if (link->IsOverTime(kConnectFrameTimeOutMs)) {
                // Closing turns the link idle; the next poll deletes it and opens the port anew.
                link->Disconnect();
            }
            break;
        case CSerialThread::STATUS_IDLE:
            m_Links.erase(m_Links.begin() + i);
            Release(link);
            break;
        default:
            break; // opening or closing
        }
    }
    OpenMissingPorts();
}

void CSerialPortManager::OpenMissingPorts()
{
    for (UINT port : m_Ports) {
        const bool polled = std::any_of(m_Links.begin(), m_Links.end(),
                                        [port](CUSerialEx* l) { return l->GetPort() == port; });
        if (polled)
            continue;
        auto* link = new (std::nothrow) CUSerialEx(this);
        if (link == nullptr)
            continue;
        link->ClearRx();
        if (link->Connect(port, kBaudRate, kDataBits, kNoParity, kOneStopBit))
            m_Links.push_back(link);
        else
            delete link;
    }
}
