// The central station in one test: a program folder of its own (the ini file, the empty
// database, the background picture), listeners on ports the system chooses, an instance name of
// its own, and monitor simulators that connect from their own loopback addresses. Also a
// scripted message box that can act while it is "open", and reading a study row back.
#pragma once

#include "tarvic/app/CTarvicIIApp.h"
#include "tarvic/app/StationGlobals.h"
#include "tarvic/frame/CMainFrame.h"
#include "tarvic/view/CTarvicIIView.h"
#include "tarvic/view/StationClock.h"

#include "nrdata/table/TBLPatient.h"
#include "nrdata/table/TBLStudy.h"
#include "nyraclient/client/DeferredDelete.h"
#include "nyraclient/client/NyraClientInfo.h"
#include "tools/monitor-sim/MonitorSim.h"

#include "platform/core/Clock.h"
#include "platform/core/FileSystem.h"
#include "platform/msg/MessageBoxService.h"
#include "platform/sys/Sound.h"
#include "platform/ui/framework/FrameworkIds.h"
#include "testkit/BuildFolders.h"
#include "testkit/SerialFarEnd.h"
#include "testkit/TempFolder.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <unistd.h>
#include <utility>

namespace stationtest {

using monitorsim::MonitorSim;
using testkit::PumpUntil;

// A file of the build's program folder (the empty database, the background picture).
inline std::string BinFile(const std::string& name)
{
    return testkit::ProgramFolder() + "/" + name;
}

// The settings a test starts its station with, as ini lines under their sections.
struct StationSettings
{
    int windowMode{1};
    int demoMode{0};
    int recordOnAdmit{0};
    int serialPort{0};          // "Serial Name1"
    UINT monitorPort{0};        // 0: the system chooses
    bool emptyDatabase{true};   // the empty database beside the program
    std::string extraDefault{}; // more lines for [CENTRAL_DEFAULT]
    // Runs inside the start-up once the main window and its view exist, before the station
    // counts as started.
    std::function<void()> duringStartUp{};
};

// The station's application with a test's work in the middle of its start-up: making the
// window and view is the last step before the start-up-complete flag is set.
class StartUpHookedApp : public CTarvicIIApp
{
public:
    explicit StartUpHookedApp(std::function<void()> duringStartUp) : m_duringStartUp(std::move(duringStartUp)) {}

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (nID != ID_FILE_NEW || nCode != CN_COMMAND || pHandlerInfo != nullptr || !m_duringStartUp)
            return CTarvicIIApp::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
        if (!CTarvicIIApp::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            OnFileNew();
        std::exchange(m_duringStartUp, nullptr)();
        return TRUE;
    }

private:
    std::function<void()> m_duringStartUp;
};

class StationTest : public ::testing::Test
{
protected:
    void TearDown() override { StopStation(); }

    // Lays out the program folder and runs the station's start-up; the data folder exists.
    void StartStation(const StationSettings& settings = {})
    {
        const auto replace = std::filesystem::copy_options::overwrite_existing;
        if (settings.emptyDatabase)
            std::filesystem::copy_file(BinFile("TarvicII.mdb"), folder / "TarvicII.mdb", replace);
        std::filesystem::copy_file(BinFile("BG_Image.jpg"), folder / "BG_Image.jpg", replace);
        folder.MakeDir("Data");
        folder.Write("TarvicII.ini", "[CENTRAL_DEMO]\nWindow Mode=" + std::to_string(settings.windowMode) +
                                         "\nDemo Mode=" + std::to_string(settings.demoMode) +
                                         "\n[CENTRAL_DEFAULT]\nData Path=" + (folder / "Data") +
                                         "\nRecord On Admit=" + std::to_string(settings.recordOnAdmit) +
                                         "\n" + settings.extraDefault + "[CENTRAL_SYSTEM]\nSerial Name1=" +
                                         std::to_string(settings.serialPort) + "\n");
        tarvic::StationOptions& options = tarvic::Options();
        options.programFolder = folder.Root();
        options.monitorPort = settings.monitorPort;
        options.viewerPort = 0;
        static int s_station = 0;
        options.instanceName.Format("TarvicII_Test_%d_%d", int(getpid()), ++s_station);
        platform::msg::ResetMessageBoxScript();
        // The alarm sound plays into a sink of the test's: a machine without a sound device
        // would otherwise show its box in the middle of every test with a bed in alarm.
        platform::SetSoundSink(sound);
        if (settings.duringStartUp)
            app = std::make_unique<StartUpHookedApp>(settings.duringStartUp);
        else
            app = std::make_unique<CTarvicIIApp>();
        app->SetCommandLineArguments({});
        ASSERT_TRUE(app->InitInstance());
        frame = app->GetMainFrame();
        view = app->GetView();
        ASSERT_NE(frame, nullptr);
        ASSERT_NE(view, nullptr);
        testkit::PumpUntil([] { return true; });
    }

    void StopStation()
    {
        sims.clear();
        if (app == nullptr)
            return;
        if (CWnd* main = app->m_pMainWnd; main != nullptr && ::IsWindow(main->GetSafeHwnd()))
            main->DestroyWindow();
        Drain();
        app->ExitInstance();
        app.reset();
        nyraclient::FlushDeferredDeletes();
        tarvic::Options() = tarvic::StationOptions();
        tarvic::SetStationClock(nullptr);
        platform::SetDiskSpaceProbe(nullptr);
        platform::SetSoundSink(nullptr);
        platform::msg::ResetMessageBoxScript();
    }

    // Runs what is waiting, the quit message of a closed main window included.
    static void Drain()
    {
        MSG msg;
        while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
            if (msg.message != WM_QUIT)
                ::DispatchMessage(&msg);
    }

    bool MainWindowAlive() const
    {
        return app && app->m_pMainWnd && ::IsWindow(app->m_pMainWnd->GetSafeHwnd());
    }

    NyraClientManager& Manager() { return view->GetClientManager(); }

    int BedCount()
    {
        int beds = 0;
        for (int i = 0; i < Manager().GetClientCount(); ++i)
            beds += Manager().GetClient(i) != nullptr ? 1 : 0;
        return beds;
    }

    // The bed of the monitor that came from `address` ("127.0.0.2"), or null.
    NyraClientInfo* BedFrom(const char* address)
    {
        in_addr a{};
        inet_pton(AF_INET, address, &a);
        const auto* b = reinterpret_cast<const BYTE*>(&a.s_addr);
        return Manager().GetClient(Manager().PeerCheck(b[0], b[1], b[2], b[3]));
    }

    // A simulated monitor from `address` connected to the station's monitor port (not announced).
    MonitorSim* Dial(const char* address)
    {
        auto sim = std::make_unique<MonitorSim>();
        sim->LoadTrace(monitorsim::SampleTracePath());
        EXPECT_TRUE(sim->ConnectTcp("127.0.0.1", int(view->GetMonitorPort()), address));
        sims.push_back(std::move(sim));
        return sims.back().get();
    }

    // Pumps the station until the simulator has `count` more answers.
    static void Await(MonitorSim& sim, size_t count)
    {
        size_t got = 0;
        EXPECT_TRUE(PumpUntil([&] {
            got += sim.Poll(0).size();
            return got >= count;
        }));
    }

    // A monitor from `address` that became a bed and announced itself (key, version, settings,
    // patient, alarm limits); its bed.
    NyraClientInfo* ConnectMonitor(const char* address, MonitorSim** simOut = nullptr)
    {
        MonitorSim* sim = Dial(address);
        EXPECT_TRUE(PumpUntil([&] { return BedFrom(address) != nullptr; }));
        EXPECT_TRUE(sim->Send(sim->ConnectPacket()));
        Await(*sim, 1);
        EXPECT_TRUE(sim->Send(sim->VersionPacket()) && sim->Send(sim->MonitorPacket()) &&
                    sim->Send(sim->PatientPacket()) && sim->Send(sim->AlarmPacket()));
        Await(*sim, 4);
        if (simOut != nullptr)
            *simOut = sim;
        return BedFrom(address);
    }

    // Admits `patientId` to the bed; the monitor acknowledges the patient packet.
    static void AdmitPatient(NyraClientInfo* bed, MonitorSim& sim, const char* patientId)
    {
        TBLPatient patient(&g_Database);
        patient.P_ID = patientId;
        patient.P_FIRST_NAME = "Anna";
        patient.P_LAST_NAME = "Berg";
        patient.P_BIRTHDAY = COleDateTime(1990, 4, 12, 0, 0, 0);
        bed->Admit(patient);
        EXPECT_TRUE(PumpUntil([&] {
            sim.Poll(0);
            return bed->IsAdmitted() != 0;
        }));
    }

    // A monitor from `address` whose bed has `patientId` admitted and records (the bed's doctor
    // "DR-1" and nurse "RN-2"); its bed.
    NyraClientInfo* RecordingBed(const char* address, const char* patientId, MonitorSim** simOut)
    {
        NyraClientInfo* bed = ConnectMonitor(address, simOut);
        EXPECT_NE(bed, nullptr);
        if (bed == nullptr)
            return nullptr;
        AdmitPatient(bed, **simOut, patientId);
        bed->m_strDoctorID = "DR-1";
        bed->m_strNurseID = "RN-2";
        bed->SendMsgToParent(CLIENT_NOTIFY_COMMAND, NYRACMD_RECORD_START);
        EXPECT_TRUE(bed->IsRecording());
        return bed;
    }

    // One second of the monitor: its waves and its parameter packet, answered.
    static void Seconds(MonitorSim& sim, int count)
    {
        for (int i = 0; i < count; ++i) {
            ASSERT_TRUE(sim.SendSecond());
            Await(sim, 1);
        }
    }

    // The study row of a recording, read back; false when there is none.
    static bool ReadStudy(const CString& patientId, const CString& studyId, TBLStudy& study)
    {
        study.SetDataBase(&g_Database);
        study.S_ID = patientId;
        study.S_STUDY_ID = studyId;
        return study.Get() == 1;
    }

    // Makes the data folder's file system report `megabytes` free (MB of 1,000,000 bytes).
    void SetFreeMegabytes(ULONGLONG megabytes)
    {
        const std::string data = folder / "Data";
        platform::SetDiskSpaceProbe(
            [data, megabytes](const char* path) -> std::optional<platform::DiskSpace> {
                if (std::string(path).rfind(data, 0) != 0)
                    return std::nullopt;
                return platform::DiskSpace{megabytes * 1'000'000ull + 999'999ull, 500'000'000'000ull};
            });
    }

    testkit::TempFolder folder;
    std::unique_ptr<CTarvicIIApp> app;
    std::shared_ptr<platform::FakeSoundSink> sound { std::make_shared<platform::FakeSoundSink>() };
    CMainFrame* frame{nullptr};
    CTarvicIIView* view{nullptr};
    std::vector<std::unique_ptr<MonitorSim>> sims;
};

} // namespace stationtest
