// Socket types, event bits and error numbers with their classic values.
//
// A SOCKET is the descriptor itself. Errors are reported through the thread's last error with
// the classic socket error numbers (10035 would-block, 10054 reset ...), so code that compares
// against them works unchanged.
#pragma once

#include "platform/core/Types.h"

#include <netinet/in.h>
#include <sys/socket.h>

using SOCKET = int;
constexpr SOCKET INVALID_SOCKET = -1;
constexpr int SOCKET_ERROR = -1;
using SOCKADDR = sockaddr;
using SOCKADDR_IN = sockaddr_in;

// Events an asynchronous socket reports (AsyncSelect).
constexpr long FD_READ = 0x01;
constexpr long FD_WRITE = 0x02;
constexpr long FD_OOB = 0x04;
constexpr long FD_ACCEPT = 0x08;
constexpr long FD_CONNECT = 0x10;
constexpr long FD_CLOSE = 0x20;

// Socket error numbers.
constexpr int WSAEINTR = 10004;
constexpr int WSAEACCES = 10013;
constexpr int WSAEFAULT = 10014;
constexpr int WSAEINVAL = 10022;
constexpr int WSAEMFILE = 10024;
constexpr int WSAEWOULDBLOCK = 10035;
constexpr int WSAEALREADY = 10037;
constexpr int WSAENOTSOCK = 10038;
constexpr int WSAEMSGSIZE = 10040;
constexpr int WSAENOPROTOOPT = 10042;
constexpr int WSAEOPNOTSUPP = 10045;
constexpr int WSAEAFNOSUPPORT = 10047;
constexpr int WSAEADDRINUSE = 10048;
constexpr int WSAEADDRNOTAVAIL = 10049;
constexpr int WSAENETDOWN = 10050;
constexpr int WSAENETUNREACH = 10051;
constexpr int WSAECONNABORTED = 10053;
constexpr int WSAECONNRESET = 10054;
constexpr int WSAENOBUFS = 10055;
constexpr int WSAEISCONN = 10056;
constexpr int WSAENOTCONN = 10057;
constexpr int WSAESHUTDOWN = 10058;
constexpr int WSAETIMEDOUT = 10060;
constexpr int WSAECONNREFUSED = 10061;
constexpr int WSAEHOSTUNREACH = 10065;
constexpr int WSAHOST_NOT_FOUND = 11001;

int WSAGetLastError();
void WSASetLastError(int error);
// The errno of a failed socket call as a classic socket error number.
int WsaErrorFromErrno(int err);

// Prepares the process for sockets (a peer that goes away must not kill it with SIGPIPE).
// TRUE on success; safe to call more than once.
BOOL AfxSocketInit();
