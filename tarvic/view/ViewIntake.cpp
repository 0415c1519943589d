// Monitors and viewing stations coming in: accepting from the listeners, re-attaching a
// returning monitor, refusing when the beds are taken, taking over serial links, and handing
// viewers to the broker.
#include "tarvic/view/CTarvicIIView.h"

#include "tarvic/app/CTarvicIIApp.h"
#include "tarvic/app/StationGlobals.h"
#include "tarvic/app/StationMessages.h"
#include "tarvic/net/CListenSocket.h"
#include "tarvic/res/TarvicResourceIds.h"
#include "tarvic/serial/CSerialPortManager.h"

#include "nyraclient/broker/CBrokerServer.h"
#include "nyraclient/client/ClientMessages.h"
#include "nyraclient/client/DeferredDelete.h"
#include "nyraclient/client/NyraClientSock.h"
#include "nyraclient/link/CUSerialEx.h"

#include <memory>
#include <new>

namespace {

// The refusals of NyraClientManager::Connected.
constexpr int kRefusedAllBedsTaken = -1;
constexpr int kRefusedNoMemory = -2;

UINT PortOf(CListenSocket* listener)
{
    CString address;
    UINT port = 0;
    if (listener == nullptr || !listener->GetSockName(address, port))
        return 0;
    return port;
}

// An accepted connection of `listener`, or null when none is waiting.
std::unique_ptr<NyraClientSock> AcceptFrom(CListenSocket* listener)
{
    if (listener == nullptr)
        return nullptr;
    std::unique_ptr<NyraClientSock> sock(new (std::nothrow) NyraClientSock);
    if (sock == nullptr || !listener->Accept(*sock))
        return nullptr;
    return sock;
}

} // namespace

// ==== start-up ===================================================================================

void CTarvicIIView::OnStartUpComplete()
{
    // A listener tells of a waiting connection once, and again only after an accept: the
    // connections that came while the station was starting are taken here.
    while (OnMonitorAccept(0, 0) == 1) {
    }
    while (OnViewerAccept(0, 0) == 1) {
    }
}

// ==== monitors ===================================================================================

LRESULT CTarvicIIView::OnMonitorAccept(WPARAM, LPARAM)
{
    if (!tarvic::IsStartUpComplete())
        return -1;
    std::unique_ptr<NyraClientSock> sock = AcceptFrom(m_pMonitorListener.get());
    if (sock == nullptr)
        return -1;
    BYTE peer[4]{};
    sock->GetPeerAddress(peer);
    const int known = m_ClientManager.PeerCheck(peer[0], peer[1], peer[2], peer[3]);
    if (known >= 0) {
        m_ClientManager.ReConnected(sock.release(), known);
        return 1;
    }
    const int result = m_ClientManager.Connected(sock.get());
    if (result >= 0) {
        sock.release(); // the manager owns it
        return 1;
    }
    sock->Close();
    sock.reset();
    ShowRefusal(result, m_bMonitorRefusalShown);
    return 1;
}

void CTarvicIIView::OnSerialClientConnected(CUSerialEx* pSerial)
{
    if (pSerial == nullptr || !tarvic::IsStartUpComplete())
        return;
    const int known = m_ClientManager.PeerCheck(pSerial->GetPort());
    if (known >= 0) {
        m_ClientManager.ReConnected(pSerial, known);
        return;
    }
    const int result = m_ClientManager.Connected(pSerial);
    if (result >= 0)
        return;
    pSerial->CentralDisconnected();
    pSerial->SetNotify(nullptr, WM_RECEIVE_SERIAL_DATA);
    // Deleting the link joins its thread and frees its port.
    nyraclient::DeleteObjectWhenIdle(pSerial);
    ShowRefusal(result, m_bSerialRefusalShown);
}

void CTarvicIIView::ShowRefusal(int nRefusal, int& bShown)
{
    if (nRefusal == kRefusedAllBedsTaken || bShown)
        return;
    bShown = 1;
    tarvic::StationMessageBox(nRefusal == kRefusedNoMemory ? tarvic::IDS_LACK_OF_MEMORY
                                                           : tarvic::IDS_CONNECTION_ERROR,
                              MB_OK | MB_ICONERROR);
    bShown = 0;
}

// ==== viewing stations ===========================================================================

LRESULT CTarvicIIView::OnViewerAccept(WPARAM, LPARAM)
{
    if (!tarvic::IsStartUpComplete())
        return -1;
    std::unique_ptr<NyraClientSock> sock = AcceptFrom(m_pViewerListener.get());
    if (sock == nullptr)
        return -1;
    const int sendBuffer = kViewerSendBuffer;
    sock->SetSockOpt(SO_SNDBUF, &sendBuffer, sizeof sendBuffer);
    if (m_pBrokerServer != nullptr && m_pBrokerServer->AddViewer(sock.get())) {
        sock.release(); // the broker owns it
        return 1;
    }
    sock->Close();
    return 1;
}

// ==== configuration and ports ====================================================================

void CTarvicIIView::ApplyConfiguration()
{
    if (m_pSerialManager != nullptr)
        m_pSerialManager->Start();
    m_ClientManager.SetConfig(g_Config, FALSE);
}

UINT CTarvicIIView::GetMonitorPort() const
{
    return PortOf(m_pMonitorListener.get());
}

UINT CTarvicIIView::GetViewerPort() const
{
    return PortOf(m_pViewerListener.get());
}
