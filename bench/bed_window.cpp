// A bed window's work on the user-interface thread, on a 1600 x 900 enlarged window with an
// hour of trend (the store's limit when not recording):
//  - per parameter packet, the packet handler as the interface runs it (the numerics and the
//    trend are drawn by the window's painter threads, measured in bed_painters.cpp; a bed sends
//    one packet a second, so this is the share of a second that one bed costs the interface);
//  - a rebuild of both bitmaps, as after a resize or a settings change.
#include "bench/BenchSetup.h"

#include "nyraclient/bedwindow/NyraControl.h"
#include "nyraclient/client/NyraClientInfo.h"
#include "nyraclient/manager/NyraClientManager.h"

#include "platform/msg/Wnd.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

constexpr int kKey = 1;
constexpr int kHour = 3600;

class Bed
{
public:
    Bed()
    {
        m_parent.CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE, 0, 0, 1600, 900, nullptr, nullptr);
        m_manager.SetParent(&m_parent);
        m_manager.SetDisplayMode(DISPMODE_16CH, FALSE); // a grid of tiles, none enlarged
        NyraConfig config = m_manager.GetConfig();
        config.GraphBackground = RGB(12, 16, 24);
        config.GraphText = config.ParamText = RGB(190, 196, 206);
        config.GraphFHR1 = RGB(40, 230, 80);
        config.GraphUC = RGB(255, 220, 0);
        config.GridOuter = RGB(96, 120, 104);
        config.GridCenter = RGB(60, 80, 68);
        config.GridInner = RGB(36, 50, 42);
        m_manager.SetConfig(config, FALSE);
        m_manager.ConnectedAsLan(10, 0, 0, 7, kKey);
        client = m_manager.GetClient(0);
        for (int i = 0; i < kHour; ++i)
            Send();
        window = NyraControl::TileOf(client);
        window->SetDisplayMode(DISPMODE_ENLARGE);
        window->MoveWindow(0, 0, 1600, 900);
    }
    ~Bed() { m_manager.ClearAll(); }

    // The next second of a gently varying trace.
    void Send()
    {
        PKParam_v110 p;
        p.Clear(0xFF);
        p.SetTimeStamp(m_sequence);
        for (int i = 0; i < PKParam_v110::kSamples; ++i) {
            const double t = m_sequence + i / 5.0;
            p.SetFHR1(i, static_cast<BYTE>(140 + 8 * std::sin(t / 9.0)));
            p.SetUC(i, static_cast<BYTE>(15 + 40 * std::pow(std::sin(t / 180.0), 12)));
            p.SetECG(i, 84);
            p.SetSpO2(i, 98);
            p.SetSpO2R(i, 84);
        }
        p.SetMarker(0);
        p.SetStimulator(0);
        p.SetKey(BYTE(kKey));
        ++m_sequence;
        client->Receive_Parameter(p.GetPacket(), p.GetPacketSize());
    }

    NyraClientInfo* client { nullptr };
    NyraControl* window { nullptr };

private:
    CWnd m_parent;
    NyraClientManager m_manager;
    unsigned m_sequence { 1 };
};

void BM_BedWindowParameterPacket(benchmark::State& state)
{
    Bed bed;
    for (auto _ : state)
        bed.Send();
}
BENCHMARK(BM_BedWindowParameterPacket)->Unit(benchmark::kMillisecond);

void BM_BedWindowRebuild(benchmark::State& state)
{
    Bed bed;
    for (auto _ : state)
        bed.window->RedrawControl();
}
BENCHMARK(BM_BedWindowRebuild)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) { return bench::RunOnNullHost(argc, argv); }
