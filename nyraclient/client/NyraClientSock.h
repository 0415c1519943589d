// NyraClientSock: the TCP socket of one monitor (or of a viewing station of the broker). It
// forwards the socket's receive and close events to a notify window with a synchronous send;
// a null window silences it.
#pragma once

#include "platform/net/AsyncSocket.h"

class CWnd;

class NyraClientSock : public CAsyncSocket
{
public:
    NyraClientSock() = default;
    ~NyraClientSock() override;

    void SetNotify(CWnd* pWnd, UINT nReceiveMsg, UINT nCloseMsg);
    CWnd* GetNotifyWnd() const { return m_pNotifyWnd; }

protected:
    void OnReceive(int nErrorCode) override;
    void OnClose(int nErrorCode) override;

private:
    CWnd* m_pNotifyWnd { nullptr };
    UINT m_nReceiveMsg { 0 };
    UINT m_nCloseMsg { 0 };
    // Set by the destructor when the object goes while one of its notifications runs.
    bool* m_pDeleted { nullptr };
};
