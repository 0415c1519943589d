// CBrokerServer: the relay of the station's beds to a viewing station (port 5100). A hidden
// child window of the station's view, which creates it, names the beds to relay and hands it
// each accepted viewer socket. Its server thread (CBrokerServerThread) builds the broker
// packets; one viewer thread per viewing station (CBrokerViewer) sends them. Traffic is one
// way: what a viewing station sends is never read.
//
// The server owns every viewer socket it took. A viewer ends when its socket closes or the
// server goes; its thread is stopped and waited for before its socket is closed and deleted.
#pragma once

#include "nyraclient/broker/CBrokerServerThread.h"

#include "platform/msg/Wnd.h"

class NyraClientManager;
class NyraClientSock;

// The server window's control id below the view (the enlarged bed window has 3000).
constexpr UINT IDC_BROKER_SERVER = 6020;
// A viewer socket's notifications: data received (not read), closed.
constexpr UINT WM_BROKER_SOCK_RECEIVE = 0x65A;
constexpr UINT WM_BROKER_SOCK_DISCONNECT = 0x659;

class CBrokerServer : public CWnd
{
public:
    explicit CBrokerServer(CWnd* pOwner);
    ~CBrokerServer() override;
    CBrokerServer(const CBrokerServer&) = delete;
    CBrokerServer& operator=(const CBrokerServer&) = delete;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    void SetClientManager(NyraClientManager* pManager);
    NyraClientManager* GetClientManager() const { return m_pManager; }

    // Takes an accepted viewer socket: 0 without a server thread (the caller keeps the socket);
    // otherwise 1, and the socket is the server's: served, or closed and deleted when a viewer
    // is served already.
    int AddViewer(NyraClientSock* pSock);
    int GetViewerCount();

    LRESULT OnBrokerSockDisconnect(WPARAM wParam, LPARAM lParam);

private:
    void DropViewerSocket(NyraClientSock* pSock);

    NyraClientManager* m_pManager { nullptr };
    NyraWorkerControl<CBrokerServerThread> m_ServerThread;
};
