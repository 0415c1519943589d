// The bed windows' painter threads at work: two live beds on tiles of the 16-bed grid, one of
// them also expanded into a 1200 x 800 window with waves, receiving 25 wave packets and one
// parameter packet a second for 10 seconds (the painters pace themselves in real time, so the
// run takes 10 seconds):
//  - BM_PaintersCoreShare: the CPU time the painter threads spent, as a share of one core over
//    the run (counter "painter_core_share"; the target is below 0.05);
//  - BM_SameFramesDrawnDirectly: the same frames drawn once straight through the DCs on this
//    thread (each second: the three panels and the enlarged trend; 25 wave steps), as the cost
//    of the drawing alone.
#include "bench/BenchSetup.h"

#include "nyraclient/bedwindow/NyraControl.h"
#include "nyraclient/client/NyraClientInfo.h"
#include "nyraclient/manager/NyraClientManager.h"
#include "tools/monitor-sim/MonitorSim.h"

#include "platform/gdi/WindowDCs.h"
#include "platform/host/null/NullHost.h"
#include "platform/msg/Wnd.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <thread>

namespace {

constexpr int kSeconds = 10;
constexpr int kWavesPerSecond = 25;
const CSize kTile(400, 225);  // a tile of the 16-bed grid on a 1600 x 900 screen
const CSize kEnlarged(1200, 800);

using bench::CpuSeconds;

class Ward
{
public:
    Ward()
    {
        m_parent.CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE, 0, 0, 1600, 900, nullptr, nullptr);
        m_manager.SetParent(&m_parent);
        m_manager.SetDisplayMode(DISPMODE_16CH, FALSE); // a grid of tiles, none enlarged yet
        NyraConfig config = m_manager.GetConfig();
        config.GraphBackground = RGB(12, 16, 24);
        config.GraphText = config.ParamText = RGB(190, 196, 206);
        config.GraphFHR1 = RGB(40, 230, 80);
        config.GraphUC = RGB(255, 220, 0);
        config.GraphHR = RGB(255, 96, 96);
        config.GraphFECG = RGB(255, 128, 255);
        m_manager.SetConfig(config, FALSE);
        for (int bed = 0; bed < 2; ++bed) {
            const int key = bed + 1;
            m_manager.ConnectedAsLan(10, 0, 0, BYTE(7 + bed), key);
            clients[bed] = m_manager.GetClient(bed);
            sims[bed].SetKey(key);
            sims[bed].SetDisplayMode(2);
            sims[bed].SetMonitorNumber(bed + 1);
            Hand(bed, &NyraClientInfo::Receive_Monitor, sims[bed].MonitorPacket());
            NyraControl* tile = NyraControl::TileOf(clients[bed]);
            tile->SetDisplayMode(DISPMODE_16CH);
            tile->MoveWindow(kTile.cx * bed, 0, kTile.cx, kTile.cy);
            for (int s = 0; s < 600; ++s)
                Hand(bed, &NyraClientInfo::Receive_Parameter, sims[bed].ParamPacket());
        }
        clients[0]->Expand(&m_parent);
        enlarged = NyraControl::EnlargedOf(clients[0]);
        enlarged->MoveWindow(0, kTile.cy, kEnlarged.cx, kEnlarged.cy);
        platform::host::NullHost::PumpPending();
    }
    ~Ward() { m_manager.ClearAll(); }

    // One 40-ms slot: a wave packet for the enlarged bed, and each second a parameter packet
    // for both beds.
    void Slot(int slot)
    {
        Hand(0, &NyraClientInfo::Receive_Wave, sims[0].WavePacket());
        if (slot % kWavesPerSecond == 0)
            for (int bed = 0; bed < 2; ++bed)
                Hand(bed, &NyraClientInfo::Receive_Parameter, sims[bed].ParamPacket());
        platform::host::NullHost::PumpPending();
    }

    NyraClientInfo* clients[2] {};
    monitorsim::MonitorSim sims[2];
    NyraControl* enlarged { nullptr };

private:
    void Hand(int bed, void (NyraClientInfo::*handler)(BYTE*, int), monitorsim::Bytes bytes)
    {
        (clients[bed]->*handler)(bytes.data(), static_cast<int>(bytes.size()));
    }

    CWnd m_parent;
    NyraClientManager m_manager;
};

void BM_PaintersCoreShare(benchmark::State& state)
{
    Ward ward;
    for (auto _ : state) {
        const double process = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
        const double self = CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
        const auto start = std::chrono::steady_clock::now();
        for (int slot = 0; slot < kSeconds * kWavesPerSecond; ++slot) {
            ward.Slot(slot);
            std::this_thread::sleep_until(start + std::chrono::milliseconds(40 * (slot + 1)));
        }
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double painters = (CpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - process) - (CpuSeconds(CLOCK_THREAD_CPUTIME_ID) - self);
        state.counters["painter_core_share"] = painters / wall;
        state.counters["waves_drawn"] = double(ward.enlarged->GetDrawnWavePackets());
    }
}
BENCHMARK(BM_PaintersCoreShare)->Iterations(1)->Unit(benchmark::kMillisecond);

// One wave step as the wave painter draws it: the erase bar, two channels of 12 samples, the
// strip onto the window.
void DrawWaveStep(CDC& canvas, CDC& background, CDC& window, const CRect& graph, int& sweep)
{
    const int w = graph.Width(), h = graph.Height();
    const int step = 12;
    canvas.BitBlt(sweep, 0, step + 4, h, &background, sweep, 0, SRCCOPY);
    for (int channel = 0; channel < 2; ++channel) {
        const int base = channel == 0 ? h / 2 - h / 14 : h - h / 14;
        canvas.MoveTo(sweep, base);
        for (int i = 1; i < 12; ++i)
            canvas.LineTo(sweep + i, base - (i * 7 % 23));
    }
    window.BitBlt(graph.left, graph.top, w, h, &canvas, 0, 0, SRCCOPY);
    sweep = (sweep + step) % std::max(w - step - 4, 1);
}

void BM_SameFramesDrawnDirectly(benchmark::State& state)
{
    Ward ward;
    NyraControl* tiles[2] = { NyraControl::TileOf(ward.clients[0]), NyraControl::TileOf(ward.clients[1]) };
    NyraControl& big = *ward.enlarged;
    const CRect graph = big.GetGraphRectAll();
    CClientDC window(&big);
    CDC canvas, background, panel;
    CBitmap canvasBitmap, backgroundBitmap, panelBitmap;
    canvas.CreateCompatibleDC(&window);
    background.CreateCompatibleDC(&window);
    panel.CreateCompatibleDC(&window);
    canvasBitmap.CreateCompatibleBitmap(&window, graph.Width(), graph.Height());
    backgroundBitmap.CreateCompatibleBitmap(&window, graph.Width(), graph.Height());
    panelBitmap.CreateCompatibleBitmap(&window, kEnlarged.cx, kEnlarged.cy);
    canvas.SelectObject(&canvasBitmap);
    background.SelectObject(&backgroundBitmap);
    panel.SelectObject(&panelBitmap);
    CPen pen;
    NyraControl::CreatePen(pen, RGB(255, 96, 96), 1);
    canvas.SelectObject(&pen);
    int sweep = 0;
    for (auto _ : state) {
        for (int second = 0; second < kSeconds; ++second) {
            for (NyraControl* tile : tiles)
                tile->DrawParameter(&panel);
            big.DrawParameter(&panel);
            big.DrawTrendCurves(&panel, big.GetDrawFirstIndexOfTrend());
            for (int i = 0; i < kWavesPerSecond; ++i)
                DrawWaveStep(canvas, background, window, graph, sweep);
        }
    }
}
BENCHMARK(BM_SameFramesDrawnDirectly)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) { return bench::RunOnNullHost(argc, argv); }
