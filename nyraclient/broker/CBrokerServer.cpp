#include "nyraclient/broker/CBrokerServer.h"

#include "nyraclient/client/DeferredDelete.h"
#include "nyraclient/client/NyraClientSock.h"
#include "nyraclient/manager/NyraClientManager.h"

const platform::MessageMap* CBrokerServer::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_BROKER_SOCK_DISCONNECT, &CBrokerServer::OnBrokerSockDisconnect>(),
    };
    static constexpr platform::MessageMap kMap { &CWnd::GetThisMessageMap, kEntries };
    return &kMap;
}

CBrokerServer::CBrokerServer(CWnd* pOwner)
{
    if (CreateEx(0, nullptr, "", WS_CHILD, CRect(0, 0, 0, 0), pOwner, IDC_BROKER_SERVER))
        m_ServerThread.Start(static_cast<NyraClientManager*>(nullptr));
}

CBrokerServer::~CBrokerServer()
{
    if (CBrokerServerThread* thread = m_ServerThread.Get()) {
        while (thread->ViewerGetSize() > 0) {
            NyraClientSock* sock = thread->ViewerSocketAt(0);
            thread->ViewerRemoveAt(0);
            DropViewerSocket(sock);
        }
        if (m_pManager != nullptr)
            m_pManager->SetViewerCount(0);
    }
    m_ServerThread.Stop();
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

void CBrokerServer::SetClientManager(NyraClientManager* pManager)
{
    m_pManager = pManager;
    if (CBrokerServerThread* thread = m_ServerThread.Get())
        thread->SetClientManager(pManager);
}

int CBrokerServer::AddViewer(NyraClientSock* pSock)
{
    CBrokerServerThread* thread = m_ServerThread.Get();
    if (thread == nullptr || pSock == nullptr)
        return 0;
    if (!thread->AddViewer(pSock)) {
        pSock->SetNotify(nullptr, 0, 0);
        pSock->Close();
        delete pSock;
        return 1;
    }
    pSock->SetNotify(this, WM_BROKER_SOCK_RECEIVE, WM_BROKER_SOCK_DISCONNECT);
    return 1;
}

int CBrokerServer::GetViewerCount()
{
    CBrokerServerThread* thread = m_ServerThread.Get();
    return thread != nullptr ? thread->ViewerGetSize() : 0;
}

LRESULT CBrokerServer::OnBrokerSockDisconnect(WPARAM wParam, LPARAM)
{
    auto* sock = reinterpret_cast<NyraClientSock*>(wParam);
    CBrokerServerThread* thread = m_ServerThread.Get();
    if (thread == nullptr || sock == nullptr)
        return 0;
    thread->RemoveViewer(sock);
    DropViewerSocket(sock);
    return 0;
}

void CBrokerServer::DropViewerSocket(NyraClientSock* pSock)
{
    if (pSock == nullptr)
        return;
    pSock->SetNotify(nullptr, 0, 0);
    pSock->Close();
    // The close notification that brought us here is still running on the socket.
    nyraclient::DeleteObjectWhenIdle(pSock);
}
