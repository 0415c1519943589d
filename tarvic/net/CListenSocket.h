// CListenSocket: a listening socket that tells its owner window about a pending connection with
// a synchronous message (both parameters 0); the owner accepts it from the socket.
#pragma once

#include "platform/net/AsyncSocket.h"

class CWnd;

// What the view's two listeners send: a monitor on port 5000, a viewing station on port 5100.
constexpr UINT WM_MONITOR_ACCEPT = 0x5F4;
constexpr UINT WM_VIEWER_ACCEPT = 0x5F5;

class CListenSocket : public CAsyncSocket
{
public:
    CListenSocket(CWnd* pOwner, UINT nMessage) : m_pOwner(pOwner), m_nMessage(nMessage) {}

    // A stream socket on `port` of every local address, listening with a backlog of 5; FALSE when
    // the port cannot be had (the listener then stays silent).
    BOOL Start(UINT port);

protected:
    void OnAccept(int nErrorCode) override;

private:
    CWnd* m_pOwner;
    UINT m_nMessage;
};
