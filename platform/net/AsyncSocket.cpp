// CAsyncSocket on non-blocking POSIX sockets, with notifications through the descriptor
// watch of the owner thread's message queue.
//
// Each socket object owns a SocketState shared with its watch callback. The state records
// which notifications are armed; the watched poll flags are always derived from it, so a
// notification that is not armed is not even polled for and an unserved socket costs nothing.
#include "platform/net/AsyncSocket.h"

#include "platform/msg/FdWatch.h"

#include <cerrno>
#include <cstring>
#include <mutex>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace platform::net_detail {

struct SocketState
{
    using Role = CAsyncSocket::Role;

    // Guards every field below. Lock order: this lock, then the message queue's own lock
    // (the watch calls below take it); never held while a notification handler runs.
    std::mutex lock;
    CAsyncSocket* owner { nullptr };
    int fd { -1 };
    int cookie { 0 };
    Role role { Role::None };
    long events { 0 };
    bool readArmed { false };
    bool writeArmed { false };
    bool acceptArmed { false };
    bool closeReported { false };
    bool sendShut { false };
    bool resetSeen { false }; // the close came from a reset; later receives report it
    short watched { 0 };

    short WantedLocked() const
    {
        switch (role) {
        case Role::Listening:
            return acceptArmed && (events & FD_ACCEPT) ? POLLIN : 0;
        case Role::Connecting:
            return POLLOUT;
        case Role::Connected: {
            if (closeReported)
                return 0;
            short wanted = 0;
            if (readArmed && (events & FD_READ))
                wanted |= POLLIN;
            if (writeArmed && (events & FD_WRITE))
                wanted |= POLLOUT;
            if (events & FD_CLOSE)
                wanted |= POLLRDHUP;
            return wanted;
        }
        case Role::None:
            break;
        }
        return 0;
    }

    void UpdateWatchLocked()
    {
        short wanted = WantedLocked();
        if (cookie > 0 && wanted != watched) {
            platform::msg::SetWatchedEvents(cookie, wanted);
            watched = wanted;
        }
    }

    int TakeSocketError() const
    {
        int err = 0;
        socklen_t len = sizeof err;
        if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len) != 0)
            err = errno;
        return err;
    }

    int BytesWaiting() const
    {
        int waiting = 0;
        if (::ioctl(fd, FIONREAD, &waiting) != 0)
            return 0;
        return waiting;
    }

    enum class Note { Accept, Connect, Read, Write, Close };
    struct Pending
    {
        Note note;
        int error;
    };

    static void OnReady(const std::weak_ptr<SocketState>& weak, short revents);
    static void Deliver(CAsyncSocket* target, const Pending& p);
};

} // namespace platform::net_detail

using platform::net_detail::SocketState;

// ---- readiness to notifications ---------------------------------------------------------

namespace platform::net_detail {

void SocketState::OnReady(const std::weak_ptr<SocketState>& weak, short revents)
{
    std::shared_ptr<SocketState> self = weak.lock();
    if (!self)
        return;
    Pending notes[4];
    int count = 0;
    CAsyncSocket* target = nullptr;
    int unwatchCookie = 0;
    {
        std::lock_guard guard(self->lock);
        if (!self->owner)
            return;
        target = self->owner;
        const bool broken = revents & (POLLHUP | POLLERR);
        switch (self->role) {
        case Role::Listening:
            if (self->acceptArmed && (revents & (POLLIN | POLLERR | POLLHUP))) {
                self->acceptArmed = false;
                if (self->events & FD_ACCEPT)
                    notes[count++] = { Note::Accept, 0 };
            }
            break;
        case Role::Connecting:
            if (revents & (POLLOUT | POLLERR | POLLHUP)) {
                int err = self->TakeSocketError();
                if (err == 0) {
                    self->role = Role::Connected;
                    self->readArmed = true;
                    self->writeArmed = true; // OnSend follows OnConnect
                } else {
                    self->role = Role::None;
                }
                if (self->events & FD_CONNECT)
                    notes[count++] = { Note::Connect, WsaErrorFromErrno(err) };
            }
            break;
        case Role::Connected: {
            int waiting = self->BytesWaiting();
            bool readNoted = false;
            if ((revents & POLLIN) && self->readArmed && (self->events & FD_READ)) {
                // Data, or an end of stream nobody asked to hear about as a close: either
                // way the owner learns it from the next Receive.
                if (waiting > 0 || !(self->events & FD_CLOSE)) {
                    self->readArmed = false;
                    notes[count++] = { Note::Read, 0 };
                    readNoted = waiting > 0;
                }
            }
            if ((revents & POLLOUT) && !broken && self->writeArmed && (self->events & FD_WRITE)) {
                self->writeArmed = false;
                notes[count++] = { Note::Write, 0 };
            }
            const bool peerGone = broken || (revents & POLLRDHUP)
                || ((revents & POLLIN) && waiting == 0 && (self->events & FD_CLOSE));
            // Unread bytes that were just announced go first; the close follows once they are
            // read, or at the next round when the owner leaves them.
            if (peerGone && !self->closeReported && !readNoted) {
                self->closeReported = true;
                int err = broken ? self->TakeSocketError() : 0;
                self->resetSeen = err == ECONNRESET;
                if (self->events & FD_CLOSE)
                    notes[count++] = { Note::Close, WsaErrorFromErrno(err) };
                // Nothing more will come from this connection: stop watching it, so that a
                // hung-up descriptor never wakes the loop again.
                unwatchCookie = self->cookie;
                self->cookie = 0;
                self->watched = 0;
            }
            break;
        }
        case Role::None:
            break;
        }
        if (!unwatchCookie)
            self->UpdateWatchLocked();
    }
    if (unwatchCookie)
        platform::msg::UnwatchFd(unwatchCookie);

    for (int i = 0; i < count; ++i) {
        {
            // A handler may have closed or deleted the socket.
            std::lock_guard guard(self->lock);
            if (self->owner != target)
                return;
        }
        Deliver(target, notes[i]);
    }
}

} // namespace platform::net_detail

namespace platform::net_detail {

void SocketState::Deliver(CAsyncSocket* target, const Pending& p)
{
    switch (p.note) {
    case Note::Accept: target->OnAccept(p.error); break;
    case Note::Connect: target->OnConnect(p.error); break;
    case Note::Read: target->OnReceive(p.error); break;
    case Note::Write: target->OnSend(p.error); break;
    case Note::Close: target->OnClose(p.error); break;
    }
}

} // namespace platform::net_detail

// ---- helpers -------------------------------------------------------------------------------

namespace {

BOOL FailWithErrno()
{
    WSASetLastError(WsaErrorFromErrno(errno));
    return FALSE;
}

BOOL FailWith(int wsaError)
{
    WSASetLastError(wsaError);
    return FALSE;
}

// Dotted address or host name to an IPv4 address; an empty text is any address.
bool ResolveIPv4(LPCTSTR host, in_addr& out)
{
    if (!host || !*host) {
        out.s_addr = htonl(INADDR_ANY);
        return true;
    }
    if (::inet_pton(AF_INET, host, &out) == 1)
        return true;
    addrinfo hints {};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host, nullptr, &hints, &found) != 0 || !found)
        return false;
    out = reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr;
    ::freeaddrinfo(found);
    return true;
}

sockaddr_in MakeAddress(in_addr address, UINT port)
{
    sockaddr_in sa {};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(static_cast<uint16_t>(port));
    sa.sin_addr = address;
    return sa;
}

BOOL SplitAddress(const sockaddr_in& sa, CString& text, UINT& port)
{
    char buf[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &sa.sin_addr, buf, sizeof buf);
    text = buf;
    port = ntohs(sa.sin_port);
    return TRUE;
}

void CopyBytes(const sockaddr_in& sa, BYTE address[4], UINT* port)
{
    std::memcpy(address, &sa.sin_addr.s_addr, 4); // network order: first byte first
    if (port)
        *port = ntohs(sa.sin_port);
}

} // namespace

// ---- life ----------------------------------------------------------------------------------

CAsyncSocket::CAsyncSocket() = default;

CAsyncSocket::~CAsyncSocket() { Close(); }

BOOL CAsyncSocket::Adopt(SOCKET fd, Role role, long events)
{
    auto state = std::make_shared<SocketState>();
    state->owner = this;
    state->fd = fd;
    state->role = role;
    state->events = events;
    state->readArmed = role == Role::Connected;
    state->writeArmed = role == Role::Connected;
    state->acceptArmed = role == Role::Listening;
    m_hSocket = fd;
    m_state = state;
    std::weak_ptr<SocketState> weak = state;
    std::lock_guard guard(state->lock);
    state->watched = state->WantedLocked();
    state->cookie = platform::msg::WatchFd(fd, state->watched,
                                           [weak](int, short revents) { SocketState::OnReady(weak, revents); });
    return TRUE;
}

BOOL CAsyncSocket::Create(UINT nSocketPort, int nSocketType, long lEvent, LPCTSTR lpszSocketAddress)
{
    if (m_hSocket != INVALID_SOCKET)
        return FailWith(WSAEINVAL);
    if (nSocketType != SOCK_STREAM)
        return FailWith(WSAEOPNOTSUPP);
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return FailWithErrno();
    Adopt(fd, Role::None, lEvent);
    // A socket on any port and any address needs no bind: connecting or listening binds it.
    if (nSocketPort == 0 && (!lpszSocketAddress || !*lpszSocketAddress))
        return TRUE;
    if (!Bind(nSocketPort, lpszSocketAddress)) {
        int err = WSAGetLastError();
        Close();
        return FailWith(err);
    }
    return TRUE;
}

BOOL CAsyncSocket::Bind(UINT nSocketPort, LPCTSTR lpszSocketAddress)
{
    if (m_hSocket == INVALID_SOCKET)
        return FailWith(WSAENOTSOCK);
    in_addr address;
    if (!ResolveIPv4(lpszSocketAddress, address))
        return FailWith(WSAEINVAL);
    if (nSocketPort != 0) {
        // Lets a restarted station listen again while old connections linger in TIME_WAIT;
        // Linux still refuses a second listener on the same port.
        int on = 1;
        ::setsockopt(m_hSocket, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    }
    sockaddr_in sa = MakeAddress(address, nSocketPort);
    if (::bind(m_hSocket, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0)
        return FailWithErrno();
    return TRUE;
}

BOOL CAsyncSocket::Listen(int nConnectionBacklog)
{
    if (m_hSocket == INVALID_SOCKET)
        return FailWith(WSAENOTSOCK);
    if (::listen(m_hSocket, nConnectionBacklog) != 0)
        return FailWithErrno();
    std::lock_guard guard(m_state->lock);
    m_state->role = Role::Listening;
    m_state->acceptArmed = true;
    m_state->UpdateWatchLocked();
    return TRUE;
}

BOOL CAsyncSocket::Accept(CAsyncSocket& rConnectedSocket, SOCKADDR* lpSockAddr, int* lpSockAddrLen)
{
    if (m_hSocket == INVALID_SOCKET)
        return FailWith(WSAENOTSOCK);
    if (rConnectedSocket.m_hSocket != INVALID_SOCKET || &rConnectedSocket == this)
        return FailWith(WSAEINVAL);
    sockaddr_in peer {};
    socklen_t len = sizeof peer;
    int fd = ::accept4(m_hSocket, reinterpret_cast<sockaddr*>(&peer), &len, SOCK_NONBLOCK | SOCK_CLOEXEC);
    int err = errno;
    long events;
    {
        std::lock_guard guard(m_state->lock);
        m_state->acceptArmed = true;
        m_state->UpdateWatchLocked();
        events = m_state->events;
    }
    if (fd < 0) {
        WSASetLastError(WsaErrorFromErrno(err));
        return FALSE;
    }
    if (lpSockAddr && lpSockAddrLen) {
        int n = std::min<int>(*lpSockAddrLen, static_cast<int>(sizeof peer));
        std::memcpy(lpSockAddr, &peer, n > 0 ? static_cast<size_t>(n) : 0);
        *lpSockAddrLen = static_cast<int>(sizeof peer);
    }
    return rConnectedSocket.Adopt(fd, Role::Connected, events);
}

BOOL CAsyncSocket::Connect(LPCTSTR lpszHostAddress, UINT nHostPort)
{
    if (m_hSocket == INVALID_SOCKET)
        return FailWith(WSAENOTSOCK);
    in_addr address;
    if (!lpszHostAddress || !*lpszHostAddress || !ResolveIPv4(lpszHostAddress, address))
        return FailWith(WSAEINVAL);
    sockaddr_in sa = MakeAddress(address, nHostPort);
    int r = ::connect(m_hSocket, reinterpret_cast<sockaddr*>(&sa), sizeof sa);
    int err = errno;
    if (r != 0 && err != EINPROGRESS) {
        WSASetLastError(WsaErrorFromErrno(err));
        return FALSE;
    }
    {
        // Also an immediate success is reported through OnConnect, as the caller expects.
        std::lock_guard guard(m_state->lock);
        m_state->role = Role::Connecting;
        m_state->UpdateWatchLocked();
    }
    if (r == 0)
        return TRUE;
    return FailWith(WSAEWOULDBLOCK);
}

// ---- data ----------------------------------------------------------------------------------

int CAsyncSocket::Receive(void* lpBuf, int nBufLen, int nFlags)
{
    if (m_hSocket == INVALID_SOCKET) {
        WSASetLastError(WSAENOTSOCK);
        return SOCKET_ERROR;
    }
    ssize_t n = ::recv(m_hSocket, lpBuf, nBufLen > 0 ? static_cast<size_t>(nBufLen) : 0, nFlags);
    int err = errno;
    bool resetSeen;
    {
        std::lock_guard guard(m_state->lock);
        if (!m_state->readArmed) {
            m_state->readArmed = true;
            m_state->UpdateWatchLocked();
        }
        resetSeen = m_state->resetSeen;
    }
    // The close notification took the reset from the socket; the reader still hears of it.
    if (resetSeen && n <= 0) {
        WSASetLastError(WSAECONNRESET);
        return SOCKET_ERROR;
    }
    if (n < 0) {
        WSASetLastError(WsaErrorFromErrno(err));
        return SOCKET_ERROR;
    }
    return static_cast<int>(n);
}

int CAsyncSocket::Send(const void* lpBuf, int nBufLen, int nFlags)
{
    // Read once: a worker may send while the owner closes (the owner must not, but a stale
    // descriptor then gives an error here, not a send on a reused one, as long as Close ran).
    SOCKET fd = m_hSocket;
    std::shared_ptr<SocketState> state = m_state;
    if (fd == INVALID_SOCKET || !state) {
        WSASetLastError(WSAENOTSOCK);
        return SOCKET_ERROR;
    }
    ssize_t n = ::send(fd, lpBuf, nBufLen > 0 ? static_cast<size_t>(nBufLen) : 0, nFlags | MSG_NOSIGNAL);
    if (n >= 0)
        return static_cast<int>(n);
    int err = errno;
    std::lock_guard guard(state->lock);
    if (err == EAGAIN) {
        // OnSend tells the owner thread when there is room again.
        state->writeArmed = true;
        state->UpdateWatchLocked();
    }
    WSASetLastError(err == EPIPE && state->sendShut ? WSAESHUTDOWN : WsaErrorFromErrno(err));
    return SOCKET_ERROR;
}

void CAsyncSocket::Close()
{
    SOCKET fd = Detach();
    if (fd != INVALID_SOCKET)
        ::close(fd);
}

SOCKET CAsyncSocket::Detach()
{
    SOCKET fd = m_hSocket;
    if (fd == INVALID_SOCKET)
        return INVALID_SOCKET;
    int cookie = 0;
    if (m_state) {
        std::lock_guard guard(m_state->lock);
        m_state->owner = nullptr;
        cookie = m_state->cookie;
        m_state->cookie = 0;
    }
    // The watch goes before the descriptor, so the queue never polls a closed or reused one.
    if (cookie)
        platform::msg::UnwatchFd(cookie);
    m_state.reset();
    m_hSocket = INVALID_SOCKET;
    return fd;
}

BOOL CAsyncSocket::Attach(SOCKET hSocket, long lEvent)
{
    if (m_hSocket != INVALID_SOCKET || hSocket == INVALID_SOCKET)
        return FailWith(WSAEINVAL);
    int flags = ::fcntl(hSocket, F_GETFL);
    if (flags < 0)
        return FailWith(WSAENOTSOCK);
    ::fcntl(hSocket, F_SETFL, flags | O_NONBLOCK);
    int listening = 0;
    socklen_t len = sizeof listening;
    ::getsockopt(hSocket, SOL_SOCKET, SO_ACCEPTCONN, &listening, &len);
    sockaddr_in peer {};
    socklen_t peerLen = sizeof peer;
    bool connected = ::getpeername(hSocket, reinterpret_cast<sockaddr*>(&peer), &peerLen) == 0;
    Role role = listening ? Role::Listening : (connected ? Role::Connected : Role::None);
    return Adopt(hSocket, role, lEvent);
}

BOOL CAsyncSocket::ShutDown(int nHow)
{
    if (m_hSocket == INVALID_SOCKET)
        return FailWith(WSAENOTSOCK);
    if (::shutdown(m_hSocket, nHow) != 0)
        return FailWithErrno();
    if (nHow == sends || nHow == both) {
        std::lock_guard guard(m_state->lock);
        m_state->sendShut = true;
    }
    return TRUE;
}

BOOL CAsyncSocket::AsyncSelect(long lEvent)
{
    if (m_hSocket == INVALID_SOCKET)
        return FailWith(WSAENOTSOCK);
    std::lock_guard guard(m_state->lock);
    m_state->events = lEvent;
    m_state->readArmed = true;
    m_state->writeArmed = true;
    m_state->acceptArmed = true;
    m_state->UpdateWatchLocked();
    return TRUE;
}

// ---- addresses and options ---------------------------------------------------------------

namespace {

using NameQuery = int (*)(int, sockaddr*, socklen_t*);

BOOL QueryName(SOCKET s, NameQuery query, SOCKADDR* lpSockAddr, int* lpSockAddrLen)
{
    if (!lpSockAddr || !lpSockAddrLen)
        return FailWith(WSAEFAULT);
    socklen_t len = static_cast<socklen_t>(*lpSockAddrLen);
    if (query(s, lpSockAddr, &len) != 0)
        return FailWithErrno();
    *lpSockAddrLen = static_cast<int>(len);
    return TRUE;
}

BOOL QueryIPv4(SOCKET s, NameQuery query, sockaddr_in& sa)
{
    int len = sizeof sa;
    return QueryName(s, query, reinterpret_cast<SOCKADDR*>(&sa), &len);
}

} // namespace

BOOL CAsyncSocket::GetPeerName(SOCKADDR* lpSockAddr, int* lpSockAddrLen)
{
    return QueryName(m_hSocket, ::getpeername, lpSockAddr, lpSockAddrLen);
}

BOOL CAsyncSocket::GetSockName(SOCKADDR* lpSockAddr, int* lpSockAddrLen)
{
    return QueryName(m_hSocket, ::getsockname, lpSockAddr, lpSockAddrLen);
}

BOOL CAsyncSocket::GetPeerName(CString& rPeerAddress, UINT& rPeerPort)
{
    sockaddr_in sa {};
    return QueryIPv4(m_hSocket, ::getpeername, sa) && SplitAddress(sa, rPeerAddress, rPeerPort);
}

BOOL CAsyncSocket::GetSockName(CString& rSocketAddress, UINT& rSocketPort)
{
    sockaddr_in sa {};
    return QueryIPv4(m_hSocket, ::getsockname, sa) && SplitAddress(sa, rSocketAddress, rSocketPort);
}

BOOL CAsyncSocket::GetPeerAddress(BYTE address[4], UINT* port)
{
    sockaddr_in sa {};
    if (!QueryIPv4(m_hSocket, ::getpeername, sa))
        return FALSE;
    CopyBytes(sa, address, port);
    return TRUE;
}

BOOL CAsyncSocket::GetSockAddress(BYTE address[4], UINT* port)
{
    sockaddr_in sa {};
    if (!QueryIPv4(m_hSocket, ::getsockname, sa))
        return FALSE;
    CopyBytes(sa, address, port);
    return TRUE;
}

BOOL CAsyncSocket::SetSockOpt(int nOptionName, const void* lpOptionValue, int nOptionLen, int nLevel)
{
    if (::setsockopt(m_hSocket, nLevel, nOptionName, lpOptionValue, static_cast<socklen_t>(nOptionLen)) != 0)
        return FailWithErrno();
    return TRUE;
}

BOOL CAsyncSocket::GetSockOpt(int nOptionName, void* lpOptionValue, int* lpOptionLen, int nLevel)
{
    if (!lpOptionLen)
        return FailWith(WSAEFAULT);
    socklen_t len = static_cast<socklen_t>(*lpOptionLen);
    if (::getsockopt(m_hSocket, nLevel, nOptionName, lpOptionValue, &len) != 0)
        return FailWithErrno();
    *lpOptionLen = static_cast<int>(len);
    return TRUE;
}

BOOL CAsyncSocket::IOCtl(long lCommand, DWORD* lpArgument)
{
    if (!lpArgument)
        return FailWith(WSAEFAULT);
    if (lCommand != static_cast<long>(FIONREAD))
        return FailWith(WSAEINVAL);
    int value = 0;
    if (::ioctl(m_hSocket, FIONREAD, &value) != 0)
        return FailWithErrno();
    *lpArgument = static_cast<DWORD>(value);
    return TRUE;
}

// ---- default handlers ----------------------------------------------------------------------

void CAsyncSocket::OnReceive(int) {}
void CAsyncSocket::OnSend(int) {}
void CAsyncSocket::OnOutOfBandData(int) {}
void CAsyncSocket::OnAccept(int) {}
void CAsyncSocket::OnConnect(int) {}
void CAsyncSocket::OnClose(int) {}
