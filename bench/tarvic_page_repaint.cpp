// The whole-window repaint of a page of sixteen tiles on a 1920 x 1080 screen: the central
// station runs in this process (its own program folder, the sixteen-bed layout), two monitor
// simulators on loopback bring two beds with ten minutes of trend, and
//  - BM_PageRepaint: the main window and every child invalidated and painted at once, until
//    every painter the repaint woke has finished, in CPU time of the whole process;
//  - BM_SameSceneIntoMemory: the same scene drawn into a plain memory surface of the window's
//    size from pictures at their final size (the frame and its toolbar, the background picture
//    over the view, each tile);
//  - BM_RepaintRatio: both in one run, counter "ratio" (the target is below 2).
#include "bench/BenchSetup.h"

#include "tarvic/app/CTarvicIIApp.h"
#include "tarvic/app/StationGlobals.h"
#include "tarvic/view/CTarvicIIView.h"

#include "nyraclient/bedwindow/NyraControl.h"
#include "nyraclient/client/DeferredDelete.h"
#include "nyraclient/client/NyraClientInfo.h"
#include "tools/monitor-sim/MonitorSim.h"

#include "platform/core/FileSystem.h"
#include "platform/gdi/Image.h"
#include "platform/gdi/WindowDCs.h"
#include "platform/host/null/NullHost.h"
#include "platform/sys/Sound.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>
#include <filesystem>
#include <fstream>
#include <memory>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kTrendSeconds = 600;

using bench::ProgramFolder;

bool PumpUntil(const std::function<bool()>& done, int limitMs = 10000)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    while (!done()) {
        platform::host::NullHost::PumpPending();
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return true;
}

// The station with two beds on a page of sixteen tiles.
class Ward
{
public:
    Ward()
    {
        fs::create_directories(m_root / "Data");
        for (const char* file : { "TarvicII.mdb", "BG_Image.jpg" })
            fs::copy_file(ProgramFolder() / file, m_root / file);
        std::ofstream(m_root / "TarvicII.ini") << "[CENTRAL_DEFAULT]\nDisplay Mode=4\nData Path=" << (m_root / "Data").string()
                                               << "\n";
        tarvic::StationOptions& options = tarvic::Options();
        options.programFolder = m_root.Path().c_str();
        options.monitorPort = 0;
        options.viewerPort = 0;
        static int s_station = 0;
        options.instanceName.Format("TarvicII_PageRepaint_%d_%d", int(getpid()), ++s_station);
        platform::SetSoundSink(std::make_shared<platform::FakeSoundSink>());
        m_app = std::make_unique<CTarvicIIApp>();
        m_app->SetCommandLineArguments({});
        ready = m_app->InitInstance() && m_app->GetView() != nullptr;
        if (!ready)
            return;
        view = m_app->GetView();
        frame = m_app->m_pMainWnd;
        PumpUntil([] { return false; }, 200);
        for (int bed = 0; bed < 2; ++bed)
            ready = ready && Connect(bed);
        // Ten minutes of trend, as fast as the station takes it.
        for (int second = 0; second < kTrendSeconds && ready; ++second)
            for (auto& sim : m_sims) {
                sim->Send(sim->ParamPacket());
                PumpUntil([&] { return !sim->Poll(0).empty(); });
            }
        PumpUntil([this] { return Idle(); });
        for (int i = 0; i < view->GetClientManager().GetClientCount(); ++i)
            if (NyraClientInfo* client = view->GetClientManager().GetClient(i))
                tiles.push_back(NyraControl::TileOf(client));
        ready = ready && tiles.size() == 2;
    }
    ~Ward()
    {
        m_sims.clear();
        if (m_app) {
            if (CWnd* main = m_app->m_pMainWnd; main != nullptr && ::IsWindow(main->GetSafeHwnd()))
                main->DestroyWindow();
            MSG msg;
            while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
                if (msg.message != WM_QUIT)
                    ::DispatchMessage(&msg);
            m_app->ExitInstance();
            m_app.reset();
        }
        nyraclient::FlushDeferredDeletes();
        platform::SetSoundSink(nullptr);
    }

    // Whether every tile's painters have drawn what they were asked to.
    bool Idle() const
    {
        for (NyraControl* tile : tiles)
            if (tile->IsParameterDrawPending())
                return false;
        return true;
    }

    bool ready { false };
    CTarvicIIView* view { nullptr };
    CWnd* frame { nullptr };
    std::vector<NyraControl*> tiles;

private:
    bool Connect(int bed)
    {
        auto sim = std::make_unique<monitorsim::MonitorSim>();
        sim->SetMonitorNumber(bed + 1);
        if (!sim->ConnectTcp("127.0.0.1", int(view->GetMonitorPort()), "127.0.0." + std::to_string(2 + bed)))
            return false;
        sim->Send(sim->ConnectPacket());
        size_t got = 0;
        if (!PumpUntil([&] { return (got += sim->Poll(0).size()) >= 1; }))
            return false;
        sim->Send(sim->VersionPacket());
        sim->Send(sim->MonitorPacket());
        sim->Send(sim->PatientPacket());
        sim->Send(sim->AlarmPacket());
        got = 0;
        if (!PumpUntil([&] { return (got += sim->Poll(0).size()) >= 4; }))
            return false;
        m_sims.push_back(std::move(sim));
        return true;
    }

    bench::ScratchFolder m_root { "page-repaint" };
    std::unique_ptr<CTarvicIIApp> m_app;
    std::vector<std::unique_ptr<monitorsim::MonitorSim>> m_sims;
};

// The same scene drawn plainly into a memory surface of the main window's size: its pictures
// are taken once at their final size (the frame around the view and its toolbar, the background
// picture stretched over the view, each tile), and each drawing puts them at their places.
class PlainScene
{
public:
    explicit PlainScene(const Ward& ward)
    {
        CWnd* frame = ward.frame;
        frame->GetClientRect(&m_frame);
        ward.view->GetWindowRect(&m_view);
        frame->ScreenToClient(&m_view);
        CClientDC screen(frame);
        m_target.CreateCompatibleDC(&screen);
        m_targetBitmap.CreateCompatibleBitmap(&screen, m_frame.Width(), m_frame.Height());
        m_target.SelectObject(&m_targetBitmap);

        Take(m_frameShot, screen, m_frame.Size(), [&](CDC& dc) { dc.BitBlt(0, 0, m_frame.Width(), m_frame.Height(), &screen, 0, 0, SRCCOPY); });
        platform::Image picture;
        picture.Load((ProgramFolder() / "BG_Image.jpg").c_str());
        CDC source;
        CBitmap sourceBitmap;
        source.CreateCompatibleDC(&screen);
        sourceBitmap.Attach(picture.ToBitmap());
        source.SelectObject(&sourceBitmap);
        Take(m_background, screen, m_view.Size(), [&](CDC& dc) {
            dc.SetStretchBltMode(HALFTONE);
            dc.StretchBlt(0, 0, m_view.Width(), m_view.Height(), &source, 0, 0, picture.Width(), picture.Height(), SRCCOPY);
        });
        for (NyraControl* tile : ward.tiles) {
            CRect place;
            tile->GetWindowRect(&place);
            frame->ScreenToClient(&place);
            auto& shot = m_tiles.emplace_back();
            shot.place = place;
            CClientDC tileDC(tile);
            Take(shot, screen, place.Size(), [&](CDC& dc) { dc.BitBlt(0, 0, place.Width(), place.Height(), &tileDC, 0, 0, SRCCOPY); });
        }
    }

    void Draw()
    {
        // The frame around the view (toolbar, clock), the background over the view, the tiles.
        m_target.BitBlt(0, 0, m_frame.Width(), m_view.top, m_frameShot.dc.get(), 0, 0, SRCCOPY);
        m_target.BitBlt(m_view.left, m_view.top, m_view.Width(), m_view.Height(), m_background.dc.get(), 0, 0, SRCCOPY);
        for (auto& tile : m_tiles)
            m_target.BitBlt(tile.place.left, tile.place.top, tile.place.Width(), tile.place.Height(), tile.dc.get(), 0,
                            0, SRCCOPY);
    }

private:
    struct Shot
    {
        CRect place;
        std::unique_ptr<CDC> dc;
        std::unique_ptr<CBitmap> bitmap;
    };
    static void Take(Shot& shot, CDC& screen, CSize size, const std::function<void(CDC&)>& draw)
    {
        shot.dc = std::make_unique<CDC>();
        shot.bitmap = std::make_unique<CBitmap>();
        shot.dc->CreateCompatibleDC(&screen);
        shot.bitmap->CreateCompatibleBitmap(&screen, size.cx, size.cy);
        shot.dc->SelectObject(shot.bitmap.get());
        draw(*shot.dc);
    }

    CRect m_frame, m_view;
    CDC m_target;
    CBitmap m_targetBitmap;
    Shot m_frameShot, m_background;
    std::vector<Shot> m_tiles;
};

// One whole repaint of the page, until the painters it woke are done: its CPU seconds.
double Repaint(Ward& ward)
{
    const double start = bench::CpuSeconds();
    ward.frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpUntil([&] { return ward.Idle(); });
    return bench::CpuSeconds() - start;
}

void BM_PageRepaint(benchmark::State& state)
{
    Ward ward;
    if (!ward.ready) {
        state.SkipWithError("the station or its beds did not come up");
        return;
    }
    for (auto _ : state)
        state.SetIterationTime(Repaint(ward));
}
BENCHMARK(BM_PageRepaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);

void BM_SameSceneIntoMemory(benchmark::State& state)
{
    Ward ward;
    if (!ward.ready) {
        state.SkipWithError("the station or its beds did not come up");
        return;
    }
    PlainScene scene(ward);
    for (auto _ : state)
        scene.Draw();
}
BENCHMARK(BM_SameSceneIntoMemory)->Unit(benchmark::kMillisecond);

void BM_RepaintRatio(benchmark::State& state)
{
    Ward ward;
    if (!ward.ready) {
        state.SkipWithError("the station or its beds did not come up");
        return;
    }
    PlainScene scene(ward);
    double repaint = 0, plain = 0;
    for (auto _ : state) {
        repaint += Repaint(ward);
        const double start = bench::CpuSeconds();
        scene.Draw();
        plain += bench::CpuSeconds() - start;
    }
    state.counters["repaint_ms"] = benchmark::Counter(repaint * 1000 / double(state.iterations()));
    state.counters["plain_ms"] = benchmark::Counter(plain * 1000 / double(state.iterations()));
    state.counters["ratio"] = plain > 0 ? repaint / plain : 0;
}
BENCHMARK(BM_RepaintRatio)->Unit(benchmark::kMillisecond)->Iterations(50);

} // namespace

int main(int argc, char** argv) { return bench::RunOnNullHost(argc, argv); }
