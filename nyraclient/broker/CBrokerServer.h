// CBrokerServer: the relay of the station's beds to viewing stations (port 5100). A hidden child
// window of the station's view, which creates it, names the beds to relay and hands it each
// accepted viewer socket.
//
// The relay itself (client lists, packets, the viewers' thread) is not in yet: this server
// refuses every viewer, so the view closes the connection at once.
#pragma once

#include "platform/msg/Wnd.h"

class NyraClientManager;
class NyraClientSock;

// The server window's control id below the view.
constexpr UINT IDC_BROKER_SERVER = 6020;

class CBrokerServer : public CWnd
{
public:
    explicit CBrokerServer(CWnd* pOwner);
    ~CBrokerServer() override;
    CBrokerServer(const CBrokerServer&) = delete;
    CBrokerServer& operator=(const CBrokerServer&) = delete;

    void SetClientManager(NyraClientManager* pManager) { m_pManager = pManager; }
    NyraClientManager* GetClientManager() const { return m_pManager; }

    // Takes an accepted viewer socket: non-zero when the server took it (and owns it from then
    // on), 0 when refused (the caller closes and deletes it).
    int AddViewer(NyraClientSock* pSock);

private:
    NyraClientManager* m_pManager{nullptr};
};
