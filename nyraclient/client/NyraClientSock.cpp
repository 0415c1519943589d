// The monitor socket's forwarding of its events to the client's hidden window.
#include "nyraclient/client/NyraClientSock.h"

#include "nyraclient/client/DeferredDelete.h"

#include "platform/msg/Wnd.h"

NyraClientSock::~NyraClientSock()
{
    if (m_pDeleted != nullptr)
        *m_pDeleted = true;
}

void NyraClientSock::SetNotify(CWnd* pWnd, UINT nReceiveMsg, UINT nCloseMsg)
{
    m_pNotifyWnd = pWnd;
    m_nReceiveMsg = nReceiveMsg;
    m_nCloseMsg = nCloseMsg;
}

void NyraClientSock::OnReceive(int nErrorCode)
{
    // The receive pass may remove the client and with it this socket: deletions wait for the
    // scope to close, and the guard keeps us from touching an object deleted all the same.
    bool deleted = false;
    {
        nyraclient::NotifyScope scope;
        m_pDeleted = &deleted;
        if (m_pNotifyWnd != nullptr && ::IsWindow(m_pNotifyWnd->GetSafeHwnd()))
            m_pNotifyWnd->SendMessage(m_nReceiveMsg, 0, 0);
        if (!deleted)
            m_pDeleted = nullptr;
    }
    if (!deleted)
        CAsyncSocket::OnReceive(nErrorCode);
}

void NyraClientSock::OnClose(int nErrorCode)
{
    bool deleted = false;
    {
        nyraclient::NotifyScope scope;
        m_pDeleted = &deleted;
        if (m_pNotifyWnd != nullptr && m_nCloseMsg != 0 && ::IsWindow(m_pNotifyWnd->GetSafeHwnd()))
            m_pNotifyWnd->SendMessage(m_nCloseMsg, reinterpret_cast<WPARAM>(this), 0);
        if (!deleted)
            m_pDeleted = nullptr;
    }
    if (!deleted)
        CAsyncSocket::OnClose(nErrorCode);
}
