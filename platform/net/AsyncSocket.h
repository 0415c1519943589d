// CAsyncSocket: a non-blocking IPv4 stream socket that reports its events to virtual
// handlers on the thread that created it (Create, Accept into it, or Attach), while that
// thread pumps messages, also inside modal loops.
//
// Re-arming, as the classic socket does it, so that a socket nobody serves never spins the
// loop:
//   OnReceive comes once, and again only after a Receive call;
//   OnAccept comes once, and again only after an Accept call;
//   OnSend comes once when the socket becomes writable (after connecting or accepting), and
//     again only after a Send failed with would-block (10035);
//   OnConnect comes once per Connect; OnClose comes once, when the peer closed or reset the
//     connection (nErrorCode 0 for an orderly close, 10054 for a reset). Bytes still unread
//     when OnClose comes can be read afterwards.
// A handler may delete its socket object.
//
// Threads: Send may be called from a worker thread while the owner thread handles the
// notifications; everything else belongs to the owner thread.
#pragma once

#include "platform/core/CString.h"
#include "platform/net/SocketTypes.h"

#include <memory>

namespace platform::net_detail {
struct SocketState;
}

class CAsyncSocket
{
public:
    enum { receives = 0, sends = 1, both = 2 };

    CAsyncSocket();
    virtual ~CAsyncSocket();
    CAsyncSocket(const CAsyncSocket&) = delete;
    CAsyncSocket& operator=(const CAsyncSocket&) = delete;

    // A stream socket reporting `events`, bound to `port` (0: any) on `address` (null: any
    // local address). A listener's port is bound with address reuse, so a restart does not
    // wait for old connections to time out.
    BOOL Create(UINT nSocketPort = 0, int nSocketType = SOCK_STREAM,
                long lEvent = FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE,
                LPCTSTR lpszSocketAddress = nullptr);
    BOOL Bind(UINT nSocketPort, LPCTSTR lpszSocketAddress = nullptr);
    BOOL Listen(int nConnectionBacklog = 5);
    // Takes a pending connection into `rConnectedSocket` (which must hold no socket); the new
    // socket reports the listener's events on the calling thread.
    virtual BOOL Accept(CAsyncSocket& rConnectedSocket, SOCKADDR* lpSockAddr = nullptr, int* lpSockAddrLen = nullptr);
    // Starts connecting to `host` (dotted address or name) and `port`. Returns FALSE with
    // 10035 while the connection is under way; OnConnect tells how it ended.
    BOOL Connect(LPCTSTR lpszHostAddress, UINT nHostPort);

    // > 0 bytes, 0 when the peer closed in order, SOCKET_ERROR with the last error set
    // (10035 when nothing is waiting).
    virtual int Receive(void* lpBuf, int nBufLen, int nFlags = 0);
    // Bytes taken (possibly fewer than offered), or SOCKET_ERROR (10035 when the send buffer
    // is full). Never blocks and never raises SIGPIPE.
    virtual int Send(const void* lpBuf, int nBufLen, int nFlags = 0);
    // Stops the notifications and closes the descriptor; closing twice is harmless.
    virtual void Close();
    BOOL ShutDown(int nHow = sends);
    // Changes the reported events; conditions that already hold are reported again.
    BOOL AsyncSelect(long lEvent = FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE);

    // Takes over a connected or listening descriptor (made non-blocking) / gives it up.
    BOOL Attach(SOCKET hSocket, long lEvent = FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE);
    SOCKET Detach();

    BOOL GetPeerName(CString& rPeerAddress, UINT& rPeerPort);
    BOOL GetPeerName(SOCKADDR* lpSockAddr, int* lpSockAddrLen);
    BOOL GetSockName(CString& rSocketAddress, UINT& rSocketPort);
    BOOL GetSockName(SOCKADDR* lpSockAddr, int* lpSockAddrLen);
    // The IPv4 address as four bytes, first byte first, and the port.
    BOOL GetPeerAddress(BYTE address[4], UINT* port = nullptr);
    BOOL GetSockAddress(BYTE address[4], UINT* port = nullptr);

    BOOL SetSockOpt(int nOptionName, const void* lpOptionValue, int nOptionLen, int nLevel = SOL_SOCKET);
    BOOL GetSockOpt(int nOptionName, void* lpOptionValue, int* lpOptionLen, int nLevel = SOL_SOCKET);
    // FIONREAD: bytes waiting to be received.
    BOOL IOCtl(long lCommand, DWORD* lpArgument);

    static int GetLastError() { return WSAGetLastError(); }
    operator SOCKET() const { return m_hSocket; }

    SOCKET m_hSocket { INVALID_SOCKET };

protected:
    virtual void OnReceive(int nErrorCode);
    virtual void OnSend(int nErrorCode);
    virtual void OnOutOfBandData(int nErrorCode);
    virtual void OnAccept(int nErrorCode);
    virtual void OnConnect(int nErrorCode);
    virtual void OnClose(int nErrorCode);

private:
    friend struct platform::net_detail::SocketState;
    enum class Role { None, Listening, Connecting, Connected };
    BOOL Adopt(SOCKET fd, Role role, long events);

    std::shared_ptr<platform::net_detail::SocketState> m_state;
};
