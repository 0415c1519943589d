// The listener and its one notification.
#include "tarvic/net/CListenSocket.h"

#include "platform/msg/Wnd.h"

namespace {

constexpr int kBacklog = 5;

} // namespace

BOOL CListenSocket::Start(UINT port)
{
    return Create(port, SOCK_STREAM, FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE) &&
           Listen(kBacklog);
}

void CListenSocket::OnAccept(int nErrorCode)
{
    if (m_pOwner != nullptr && ::IsWindow(m_pOwner->GetSafeHwnd()))
        m_pOwner->SendMessage(m_nMessage, 0, 0);
    CAsyncSocket::OnAccept(nErrorCode);
}
