// The broker server window; viewers are refused until the relay is in.
#include "nyraclient/broker/CBrokerServer.h"

CBrokerServer::CBrokerServer(CWnd* pOwner)
{
    CreateEx(0, nullptr, "", WS_CHILD, CRect(0, 0, 0, 0), pOwner, IDC_BROKER_SERVER);
}

CBrokerServer::~CBrokerServer()
{
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

int CBrokerServer::AddViewer(NyraClientSock* pSock)
{
    (void)pSock;
    return 0;
}
