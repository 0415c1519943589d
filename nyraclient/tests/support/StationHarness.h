// A central station in miniature for the client tests: a parent window that records every
// WM_CLIENT_NOTIFY, a client manager, a loopback listener, and monitor simulators connected to
// it as the far ends. Also reading the run log.
#pragma once

#include "testkit/SerialFarEnd.h"

#include "nyraclient/client/DeferredDelete.h"
#include "nyraclient/client/NyraClientInfo.h"
#include "nyraclient/client/NyraClientSock.h"
#include "nyraclient/manager/NyraClientManager.h"
#include "nyraclient/startup/NyraRunLog.h"
#include "tools/monitor-sim/MonitorSim.h"

#include "platform/core/Collections.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace stationtest {

using monitorsim::Bytes;
using monitorsim::MonitorSim;
using monitorsim::Reply;
using testkit::PumpUntil;

struct Notice
{
    NyraClientInfo* client;
    int code;
    DWORD value;
    bool operator==(const Notice&) const = default;
};

// The station's window: records each notification (the record is copied, as the station must)
// and hands it to `onNotice`, where a test plays the station's part.
class StationParent : public CWnd
{
public:
    std::vector<Notice> notices;
    std::function<void(const Notice&)> onNotice;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_CLIENT_NOTIFY) {
            const auto* notify = reinterpret_cast<const _CLIENT_NOTIFY*>(lParam);
            const Notice notice { reinterpret_cast<NyraClientInfo*>(wParam), notify->nCode, notify->dwValue };
            notices.push_back(notice);
            if (onNotice)
                onNotice(notice);
            return 1;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// The run log redirected into a fresh file for one test.
class RunLogFile
{
public:
    RunLogFile()
    {
        char path[] = "/tmp/clients-runlog-XXXXXX";
        const int fd = mkstemp(path);
        if (fd >= 0)
            close(fd);
        m_path = path;
        std::remove(m_path.c_str());
        RunLog.SetLogFile(m_path.c_str());
        RunLog.AddPrefix(FALSE);
        RunLog.Log("*"); // the entry that creates the file is not written
    }
    ~RunLogFile()
    {
        RunLog.SetLogFile("");
        std::remove(m_path.c_str());
    }
    std::vector<std::string> Lines() const
    {
        CStringArray lines;
        RunLog.Load(lines);
        std::vector<std::string> out;
        for (int i = 0; i < lines.GetSize(); ++i)
            out.emplace_back(static_cast<const char*>(lines[i]));
        return out;
    }

private:
    std::string m_path;
};

class Station
{
public:
    Station()
    {
        EXPECT_TRUE(parent.CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr));
        manager.SetParent(&parent);
        manager.SetDisplayMode(DISPMODE_16CH, FALSE); // a grid of tiles, none enlarged
        EXPECT_TRUE(m_listener.Create(0, SOCK_STREAM, FD_READ | FD_WRITE | FD_ACCEPT | FD_CLOSE, "127.0.0.1"));
        EXPECT_TRUE(m_listener.Listen());
        CString address;
        m_listener.GetSockName(address, m_port);
    }
    ~Station()
    {
        manager.ClearAll();
        nyraclient::FlushDeferredDeletes();
    }

    UINT Port() const { return m_port; }

    // A simulator connected to the listener, and the station's socket for it.
    std::unique_ptr<MonitorSim> ConnectMonitor(NyraClientSock*& sock)
    {
        auto sim = std::make_unique<MonitorSim>();
        EXPECT_TRUE(sim->ConnectTcp("127.0.0.1", int(m_port)));
        auto accepted = std::make_unique<NyraClientSock>();
        EXPECT_TRUE(PumpUntil([&] { return m_listener.Accept(*accepted) == TRUE; }));
        sock = accepted.release();
        return sim;
    }

    // A connected monitor handed to the manager; its client.
    NyraClientInfo* Attach(MonitorSim& sim, NyraClientSock* sock)
    {
        const int key = manager.Connected(sock);
        EXPECT_GE(key, 1);
        (void)sim;
        return manager.GetClient(manager.FindClient(sock, 0));
    }

    StationParent parent;
    NyraClientManager manager;

private:
    CAsyncSocket m_listener;
    UINT m_port { 0 };
};

// Sends and pumps the station until the simulator has `count` replies; returns them.
inline std::vector<Reply> Exchange(MonitorSim& sim, const Bytes& bytes, std::size_t count)
{
    if (!bytes.empty()) {
        EXPECT_TRUE(sim.SendRaw(bytes));
    }
    std::vector<Reply> replies;
    PumpUntil([&] {
        auto got = sim.Poll(0);
        replies.insert(replies.end(), got.begin(), got.end());
        return replies.size() >= count;
    });
    return replies;
}

// Sends `bytes` followed by a connect notice, whose ACK always comes, and returns what the
// station answered before that ACK: how a test sees "no answer".
inline std::vector<Reply> Settle(MonitorSim& sim, const Bytes& bytes)
{
    Bytes marked = bytes;
    const Bytes connect = sim.ConnectPacket();
    marked.insert(marked.end(), connect.begin(), connect.end());
    EXPECT_TRUE(sim.SendRaw(marked));
    std::vector<Reply> replies;
    EXPECT_TRUE(PumpUntil([&] {
        auto got = sim.Poll(0);
        replies.insert(replies.end(), got.begin(), got.end());
        return !replies.empty() && replies.back().IsAck(PK_CONTROL_CONNECT);
    }));
    if (!replies.empty())
        replies.pop_back();
    return replies;
}

inline Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

} // namespace stationtest
