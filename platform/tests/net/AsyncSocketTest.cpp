// Asynchronous sockets on loopback: the notifications arrive while the test thread pumps its
// message queue, exactly as they reach the station's views and clients.
#include "platform/core/Sync.h"
#include "platform/msg/Messages.h"
#include "platform/msg/WindowApi.h"
#include "platform/net/AsyncSocket.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <dirent.h>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

// A socket that records its notifications and wakes the pump after each one.
class TestSocket : public CAsyncSocket
{
public:
    std::vector<std::pair<char, int>> notes; // kind ('A'ccept, 'C'onnect, 'R'eceive, 'S'end, 'X' close), error
    std::function<void(TestSocket&)> onReceive;
    std::function<void(TestSocket&)> onAccept;

    int Count(char kind) const
    {
        int n = 0;
        for (auto& [k, e] : notes)
            n += k == kind;
        return n;
    }
    int ErrorOf(char kind) const
    {
        for (auto& [k, e] : notes)
            if (k == kind)
                return e;
        return -1;
    }

protected:
    void OnAccept(int e) override { Note('A', e, onAccept); }
    void OnConnect(int e) override { Note('C', e, nullptr); }
    void OnReceive(int e) override { Note('R', e, onReceive); }
    void OnSend(int e) override { Note('S', e, nullptr); }
    void OnClose(int e) override { Note('X', e, nullptr); }

private:
    void Note(char kind, int error, const std::function<void(TestSocket&)>& then)
    {
        notes.emplace_back(kind, error);
        PostThreadMessage(GetCurrentThreadId(), WM_NULL, 0, 0);
        if (then)
            then(*this);
    }
};

int OpenDescriptors()
{
    int n = 0;
    DIR* dir = opendir("/proc/self/fd");
    while (dir && readdir(dir))
        ++n;
    if (dir)
        closedir(dir);
    return n;
}

class NetSocket : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(AfxSocketInit());
        // A safety net, not a timing: a notification that never comes ends the pump with a
        // failure instead of hanging the test run.
        DWORD self = GetCurrentThreadId();
        m_guard = std::thread([this, self] {
            std::unique_lock lock(m_guardLock);
            if (!m_guardCv.wait_for(lock, std::chrono::seconds(30), [this] { return m_finished; })) {
                m_expired = true;
                PostThreadMessage(self, WM_NULL, 0, 0);
            }
        });
    }
    void TearDown() override
    {
        {
            std::lock_guard lock(m_guardLock);
            m_finished = true;
        }
        m_guardCv.notify_all();
        m_guard.join();
    }

    // Pumps the thread's messages until `done` holds.
    bool PumpUntil(const std::function<bool()>& done)
    {
        while (!done()) {
            MSG msg;
            if (m_expired || GetMessage(&msg, nullptr, 0, 0) <= 0)
                return false;
            DispatchMessage(&msg);
        }
        return true;
    }
    // Runs `rounds` passes over the queue without waiting; each pass polls every watch once
    // and handles at most one message.
    void PumpRounds(int rounds)
    {
        for (int i = 0; i < rounds; ++i) {
            MSG msg;
            if (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessage(&msg);
        }
    }

    // A listener on a free loopback port.
    UINT Listen(TestSocket& listener)
    {
        EXPECT_TRUE(listener.Create(0, SOCK_STREAM, FD_ACCEPT | FD_READ | FD_WRITE | FD_CLOSE | FD_CONNECT, "127.0.0.1"));
        EXPECT_TRUE(listener.Listen(5));
        CString address;
        UINT port = 0;
        EXPECT_TRUE(listener.GetSockName(address, port));
        return port;
    }

    // Connects `client` to the listener and accepts into `server`.
    bool Connect(TestSocket& listener, UINT port, TestSocket& client, TestSocket& server)
    {
        listener.onAccept = [&](TestSocket& l) { EXPECT_TRUE(l.Accept(server)); };
        int acceptsBefore = listener.Count('A');
        if (!client.Create())
            return false;
        if (!client.Connect("127.0.0.1", port) && client.GetLastError() != WSAEWOULDBLOCK)
            return false;
        return PumpUntil([&] { return listener.Count('A') > acceptsBefore && client.Count('C') > 0; });
    }

private:
    std::thread m_guard;
    std::mutex m_guardLock;
    std::condition_variable m_guardCv;
    bool m_finished { false };
    std::atomic<bool> m_expired { false };
};

std::string ReceiveAll(TestSocket& s)
{
    std::string got;
    char buf[4096];
    int n;
    while ((n = s.Receive(buf, sizeof buf)) > 0)
        got.append(buf, size_t(n));
    return got;
}

} // namespace

TEST_F(NetSocket, ExchangesDataAndReportsAnOrderlyClose)
{
    TestSocket listener, client, server;
    UINT port = Listen(listener);
    ASSERT_TRUE(Connect(listener, port, client, server));
    EXPECT_EQ(client.ErrorOf('C'), 0);

    // Addresses as the client manager reads them: four bytes, first byte first.
    BYTE peer[4] = {};
    UINT peerPort = 0, clientPort = 0;
    CString clientAddress;
    ASSERT_TRUE(server.GetPeerAddress(peer, &peerPort));
    ASSERT_TRUE(client.GetSockName(clientAddress, clientPort));
    EXPECT_EQ(peer[0], 127);
    EXPECT_EQ(peer[3], 1);
    EXPECT_EQ(peerPort, clientPort);
    EXPECT_EQ(clientAddress, "127.0.0.1");

    // Both ends are told once that they may send.
    ASSERT_TRUE(PumpUntil([&] { return client.Count('S') >= 1 && server.Count('S') >= 1; }));
    PumpRounds(5);
    EXPECT_EQ(client.Count('S'), 1);
    EXPECT_EQ(server.Count('S'), 1);

    // Nothing waiting: would-block, reported with the classic number.
    char buf[16];
    EXPECT_EQ(server.Receive(buf, sizeof buf), SOCKET_ERROR);
    EXPECT_EQ(server.GetLastError(), WSAEWOULDBLOCK);

    std::string got;
    server.onReceive = [&](TestSocket& s) { got += ReceiveAll(s); };
    ASSERT_EQ(client.Send("monitor packet", 14), 14);
    ASSERT_TRUE(PumpUntil([&] { return got.size() == 14; }));
    EXPECT_EQ(got, "monitor packet");

    std::string reply;
    client.onReceive = [&](TestSocket& s) { reply += ReceiveAll(s); };
    ASSERT_EQ(server.Send("ACK", 3), 3);
    ASSERT_TRUE(PumpUntil([&] { return reply == "ACK"; }));

    // The client leaves in order: the server hears a close without error and reads the end.
    client.Close();
    client.Close(); // twice is harmless
    ASSERT_TRUE(PumpUntil([&] { return server.Count('X') >= 1; }));
    EXPECT_EQ(server.ErrorOf('X'), 0);
    EXPECT_EQ(server.Receive(buf, sizeof buf), 0);
    PumpRounds(5);
    EXPECT_EQ(server.Count('X'), 1);
    EXPECT_EQ(client.Send("x", 1), SOCKET_ERROR);
    EXPECT_EQ(client.GetLastError(), WSAENOTSOCK);
}

TEST_F(NetSocket, ReportsAResetConnectionAsReset)
{
    TestSocket listener, client, server;
    UINT port = Listen(listener);
    ASSERT_TRUE(Connect(listener, port, client, server));

    linger abort { 1, 0 };
    ASSERT_TRUE(client.SetSockOpt(SO_LINGER, &abort, sizeof abort));
    client.Close();
    ASSERT_TRUE(PumpUntil([&] { return server.Count('X') >= 1; }));
    EXPECT_EQ(server.ErrorOf('X'), WSAECONNRESET);
    char buf[8];
    EXPECT_EQ(server.Receive(buf, sizeof buf), SOCKET_ERROR);
    EXPECT_EQ(server.GetLastError(), WSAECONNRESET);
    // Nothing more comes from a dead connection, however long the loop runs.
    PumpRounds(20);
    EXPECT_EQ(server.Count('X'), 1);
}

TEST_F(NetSocket, UnservedSocketsAreNotifiedOnceUntilServed)
{
    TestSocket listener, first, second, server;
    UINT port = Listen(listener);

    // A pending connection that nobody accepts is announced once.
    ASSERT_TRUE(first.Create());
    first.Connect("127.0.0.1", port);
    ASSERT_TRUE(PumpUntil([&] { return listener.Count('A') >= 1; }));
    PumpRounds(50);
    EXPECT_EQ(listener.Count('A'), 1);
    ASSERT_TRUE(second.Create());
    second.Connect("127.0.0.1", port);
    PumpRounds(50);
    EXPECT_EQ(listener.Count('A'), 1);

    // Accepting re-arms: the second pending connection is announced.
    ASSERT_TRUE(listener.Accept(server));
    ASSERT_TRUE(PumpUntil([&] { return listener.Count('A') >= 2; }));

    // Unread bytes are announced once; more bytes do not repeat it until a Receive.
    ASSERT_TRUE(PumpUntil([&] { return first.Count('C') >= 1; }));
    ASSERT_EQ(first.Send("12345", 5), 5);
    ASSERT_TRUE(PumpUntil([&] { return server.Count('R') >= 1; }));
    ASSERT_EQ(first.Send("67890", 5), 5);
    PumpRounds(50);
    EXPECT_EQ(server.Count('R'), 1);
    char buf[3];
    ASSERT_EQ(server.Receive(buf, sizeof buf), 3);
    // Bytes are still waiting, so the Receive brings the next announcement.
    ASSERT_TRUE(PumpUntil([&] { return server.Count('R') >= 2; }));
}

TEST_F(NetSocket, SendsFromAWorkerThreadMeetWouldBlockAndTheOwnerHearsWhenThereIsRoom)
{
    TestSocket listener, client, server;
    UINT port = Listen(listener);
    ASSERT_TRUE(Connect(listener, port, client, server));
    ASSERT_TRUE(PumpUntil([&] { return client.Count('S') >= 1; }));
    PumpRounds(5);
    ASSERT_EQ(client.Count('S'), 1);

    int size = 64000;
    ASSERT_TRUE(client.SetSockOpt(SO_SNDBUF, &size, sizeof size));
    int actual = 0, len = sizeof actual;
    ASSERT_TRUE(client.GetSockOpt(SO_SNDBUF, &actual, &len));
    EXPECT_GE(actual, 64000);

    // The worker fills the connection until the send buffer is full.
    long sent = 0;
    int lastError = 0;
    std::thread worker([&] {
        std::vector<char> block(8192, 'w');
        for (;;) {
            int n = client.Send(block.data(), int(block.size()));
            if (n == SOCKET_ERROR) {
                lastError = WSAGetLastError();
                break;
            }
            sent += n;
        }
    });
    worker.join();
    EXPECT_EQ(lastError, WSAEWOULDBLOCK);
    EXPECT_GT(sent, 0);

    // The server drains it; the owner thread then hears that it may send again.
    long received = 0;
    server.onReceive = [&](TestSocket& s) { received += long(ReceiveAll(s).size()); };
    ASSERT_TRUE(PumpUntil([&] { return received == sent && client.Count('S') >= 2; }));
}

TEST_F(NetSocket, ConnectionRefusedIsReportedThroughOnConnect)
{
    TestSocket probe;
    UINT port = Listen(probe);
    probe.Close(); // the port is free again, nobody listens there

    TestSocket client;
    ASSERT_TRUE(client.Create());
    client.Connect("127.0.0.1", port);
    ASSERT_TRUE(PumpUntil([&] { return client.Count('C') >= 1; }));
    EXPECT_EQ(client.ErrorOf('C'), WSAECONNREFUSED);
    PumpRounds(10);
    EXPECT_EQ(client.Count('S'), 0);
}

TEST_F(NetSocket, ThousandConnectCloseCyclesLeakNoDescriptor)
{
    TestSocket listener;
    UINT port = Listen(listener);
    int before = OpenDescriptors();
    for (int i = 0; i < 1000; ++i) {
        TestSocket client, server;
        ASSERT_TRUE(Connect(listener, port, client, server)) << "cycle " << i;
        if (i % 2)
            client.Close();
        else
            server.Close();
    }
    PumpRounds(2);
    EXPECT_EQ(OpenDescriptors(), before);
}
