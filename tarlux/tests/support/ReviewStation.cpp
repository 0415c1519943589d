// The review station for its tests.
#include "support/ReviewStation.h"

#include "tarlux/app/ReviewGlobals.h"

#include "ktutilex/KTAdo.h"
#include "ktutil/KTGF.h"
#include "nrdata/config/NyraConfig.h"
#include "nrdata/packet/PKMonitor_v110.h"
#include "nrdata/packet/PKPatient_v110.h"
#include "nrdata/record/RecordFileFormat.h"
#include "nrdata/table/TBLPatient.h"
#include "nrdata/table/TBLStudy.h"
#include "platform/core/ResourceModule.h"
#include "platform/host/null/NullHost.h"
#include "platform/msg/WindowApi.h"
#include "testkit/BuildFolders.h"

#include <gtest/gtest.h>


#include <cmath>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

namespace reviewtest {

// ---- folders -----------------------------------------------------------------------------------------

const char kPaperColours[] = "Graph Background=16777215\nGraph Text=7451452\nGraph FHR1=16711680\n"
                             "Graph FHR2=10917\nGraph UC=9109504\nGraph FECG=255\nGraph FSpO2=8519755\n"
                             "Graph HR=2124031\nGraph SpO2=2631720\nGraph NIBP=4210688\nGraph TEMP=2631720\n"
                             "Graph Normal FHR=12632256\nGrid Inner=14672855\nGrid Outer=10276977\n"
                             "Grid Center=14672855\nGrid Inner Style=2\nGrid Outer Style=0\nGrid Center Style=2\n"
                             "Event Maker=0\nEvent Stimulator=0\n";
const char kDefaultColours[] = "Graph Background=16777215\nGraph Text=8355711\nGraph FHR1=139\n"
                               "Graph FHR2=37632\nGraph UC=9109504\nGraph FECG=255\nGraph FSpO2=8519755\n"
                               "Graph HR=2124031\nGraph SpO2=8388736\nGraph NIBP=4210688\nGraph TEMP=2631720\n"
                               "Graph Normal FHR=12632256\nGrid Inner=12632256\nGrid Outer=8355711\n"
                               "Grid Center=12632256\nGrid Inner Style=2\nGrid Outer Style=0\nGrid Center Style=2\n"
                               "Event Maker=0\nEvent Stimulator=0\n";

ReviewFolders::ReviewFolders(const Options& options)
{
    const CString runtime = m_root.MakeDir("runtime");
    ::chmod(runtime, 0700);
    ::setenv("XDG_RUNTIME_DIR", runtime, 1);
    m_root.MakeDir("program");
    if (options.dataFolder)
        m_root.MakeDir("data");
    if (options.templateDatabase) {
        const std::string source = testkit::ProgramFolder() + "/TarvicII.mdb";
        EXPECT_TRUE(std::filesystem::exists(source)) << source << " is missing: build ktutilex_template_database";
        std::filesystem::copy_file(source, m_root / "program/TarvicII.mdb");
    }
    m_root.Write("program/TarvicII.ini", "[CENTRAL_DEFAULT]\nData Path=" + (m_root / "data") + "\n" +
                                             options.centralDefault + "[REVIEW_DEFAULT]\n" + options.reviewDefault +
                                             "[CENTRAL_COLOR]\n" + options.centralColour);
    // Each test's station holds a name of its own, so that tests in one process start one each.
    static int s_stations = 0;
    tarlux::ReviewStartupSettings() = { ProgramFolder(), m_root.Path("program/TarvicII.ini"),
                                        FormatString("TarluxerII-test-%d", ++s_stations) };
    tarlux::ReviewConfig().Default();
    tarlux::ReviewConfig().Open(tarlux::ReviewStartupSettings().iniPath);
}

// ---- the started station -------------------------------------------------------------------------

ReviewStation::ReviewStation() : m_app(std::make_unique<tarlux::CTarluxIIApp>())
{
    platform::msg::ResetMessageBoxScript();
    m_started = m_app->InitInstance();
    Pump();
}

ReviewStation::~ReviewStation()
{
    if (m_app->m_pMainWnd && ::IsWindow(m_app->m_pMainWnd->GetSafeHwnd()))
        m_app->m_pMainWnd->DestroyWindow();
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
        if (msg.message != WM_QUIT)
            ::DispatchMessage(&msg);
    tarlux::ReviewDatabase().Disconnect();
    AfxSetResourceHandle(nullptr);
    platform::msg::ResetMessageBoxScript();
}

tarlux::CMainFrame* ReviewStation::Frame() const { return dynamic_cast<tarlux::CMainFrame*>(m_app->m_pMainWnd); }

tarlux::CTarluxIIView* ReviewStation::View() const
{
    tarlux::CMainFrame* frame = Frame();
    return frame ? dynamic_cast<tarlux::CTarluxIIView*>(frame->GetActiveView()) : nullptr;
}

void ReviewStation::Pump() { platform::host::NullHost::PumpPending(); }

std::vector<platform::msg::MessageBoxRequest> ReviewStation::Boxes() { return platform::msg::TakeShownMessageBoxes(); }

// ---- database rows ---------------------------------------------------------------------------------

void AddPatient(KTAdo& db, const char* id, const char* firstName, const char* lastName)
{
    TBLPatient patient(&db);
    patient.P_ID = id;
    patient.P_FIRST_NAME = firstName;
    patient.P_LAST_NAME = lastName;
    patient.P_REG_DATE = COleDateTime(2024, 3, 1, 9, 0, 0);
    patient.P_BIRTHDAY = COleDateTime(1990, 6, 15, 0, 0, 0);
    patient.P_LMP = patient.P_EDC = COleDateTime(1000, 1, 1, 0, 0, 0);
    patient.P_GR = patient.P_PA = -1;
    patient.P_EDIT_DATE = patient.P_REG_DATE;
    EXPECT_EQ(patient.Add(), 1) << id;
}

CString StudyIdOf(const COleDateTime& start) { return start.Format("%Y%m%d%H%M%S"); }

void AddStudy(KTAdo& db, const char* patientId, const COleDateTime& start, long length)
{
    TBLStudy study(&db);
    study.S_ID = patientId;
    EXPECT_EQ(study.SetStartTime(start, 1), 1);
    study.S_LENGTH = length;
    study.S_EDIT_DATE = start;
    EXPECT_EQ(study.Add(), 1) << patientId;
}

// ---- trend records ---------------------------------------------------------------------------------

PKParam_v110 BlankRecord(unsigned int stamp)
{
    PKParam_v110 p;
    p.SetNullData();
    p.SetTimeStamp(stamp);
    return p;
}

std::vector<PKParam_v110> MakeRecords(unsigned int count, const std::function<void(PKParam_v110&, unsigned int)>& fill)
{
    std::vector<PKParam_v110> records;
    records.reserve(count);
    for (unsigned int r = 0; r < count; ++r) {
        records.push_back(BlankRecord(5000 + r));
        fill(records.back(), r);
    }
    return records;
}

std::vector<BYTE> RecordBytes(const std::vector<PKParam_v110>& records)
{
    std::vector<BYTE> bytes;
    for (const PKParam_v110& p : records)
        bytes.insert(bytes.end(), p.GetPacket(), p.GetPacket() + p.GetPacketSize());
    return bytes;
}

namespace {

// A smooth bump of height 1 centred on `centre`, `width` wide.
double Bump(double t, double centre, double width)
{
    const double d = (t - centre) / (width / 2);
    return std::fabs(d) >= 1 ? 0 : 0.5 * (1 + std::cos(M_PI * d));
}

BYTE Byte(double v) { return static_cast<BYTE>(std::lround(v)); }

} // namespace

std::vector<PKParam_v110> ScriptedTrend(unsigned int count)
{
    const double n = count;
    return MakeRecords(count, [n](PKParam_v110& p, unsigned int r) {
        const double share = r / n;
        for (int i = 0; i < PKParam_v110::kSamples; ++i) {
            const double t = r + i / 5.0;
            const double wobble = 3 * std::sin(t / 9.0) + 2 * std::sin(t / 3.1);
            // FHR1: an acceleration, a deceleration, a gap of signal loss and a step of 11 bpm
            // that breaks the line.
            double fhr1 = 140 + wobble + 25 * Bump(share, 0.22, 0.06) - 35 * Bump(share, 0.62, 0.07);
            if (share >= 0.80)
                fhr1 = 151 + wobble / 3;
            else if (share >= 0.72)
                fhr1 = 140 + wobble / 3;
            if (share < 0.40 || share >= 0.44)
                p.SetFHR1(i, Byte(fhr1));
            p.SetFHR2(i, Byte(125 + wobble * 0.8 + 15 * Bump(share, 0.25, 0.05)));
            p.SetECG(i, static_cast<int>(std::lround(82 + wobble / 2)));
            p.SetSpO2R(i, static_cast<int>(std::lround(95 + wobble / 2)));
            p.SetFECG(i, Byte(165 + wobble));
            p.SetFSpO2R(i, static_cast<int>(std::lround(190 + wobble / 2)));
            p.SetSpO2(i, Byte(97 + wobble / 4));
            p.SetFSpO2(i, Byte(80 + wobble / 2));
            // Contractions every sixth of the page; the IUP runs beside them a little lower.
            const double contraction = Bump(std::fmod(share, 1.0 / 6), 1.0 / 12, 0.09);
            p.SetUC(i, Byte(12 + 68 * contraction));
            p.SetIUP(i, Byte(6 + 40 * contraction));
            p.SetFM1(i, Byte(share * 60));
            p.SetFM2(i, Byte(share * 40));
            p.SetFMD1(i, r % 97 == 11 && i == 2);
            p.SetFMD2(i, r % 131 == 40 && i == 3);
        }
        p.SetTemp(static_cast<float>(36.6 + 0.4 * share));
        if (r % 600 == 300) {
            p.SetNIBPSys(124);
            p.SetNIBPMean(92);
            p.SetNIBPDia(76);
            p.SetNIBPStatus(4);
        }
        p.SetMarker(r == static_cast<unsigned int>(n * 0.30) || r == static_cast<unsigned int>(n * 0.55));
        p.SetStimulator(r == static_cast<unsigned int>(n * 0.50));
        if (r == static_cast<unsigned int>(n * 0.15))
            p.SetUCZeroing(1);
    });
}

// ---- recording files -----------------------------------------------------------------------------

void WriteRecording(const CString& path, const RecordingContents& contents)
{
    namespace record = nrdata::record;
    PKMonitor_v110 monitor;
    monitor.SetDisplayMode(contents.displayMode);
    PKPatient_v110 patient;
    patient.SetPatientId(contents.patientId);
    auto block1 = record::MakeHeaderBlock1(contents.start, monitor.GetPacket());
    if (contents.hasWaveTime)
        record::PutRecordTime(block1, record::kOffWaveTime, contents.waveTime);
    block1[record::kOffECGLead1] = contents.ecgLead1;
    block1[record::kOffECGLead2] = contents.ecgLead2;
    const auto block2 = record::MakeHeaderBlock2(patient.GetPacket());
    std::string bytes(block1.begin(), block1.end());
    bytes.append(block2.begin(), block2.end());
    std::string waves(record::kWaveAreaSize, '\0');
    for (std::size_t i = 0; i < contents.waves.size() && i < record::kWavePacketCount; ++i)
        std::memcpy(&waves[i * record::kWavePacketSize], contents.waves[i].GetPacket(), record::kWavePacketSize);
    bytes += waves;
    const std::vector<BYTE> body = RecordBytes(contents.records);
    bytes.append(body.begin(), body.end());
    KTGF::CreateDir(KTGF::ExtractDir(path));
    testkit::WriteText(path.str(), bytes);
}

std::vector<PKWave_v110> ScriptedWaves(int count)
{
    std::vector<PKWave_v110> waves(static_cast<std::size_t>(count));
    for (int p = 0; p < count; ++p) {
        PKWave_v110& wave = waves[static_cast<std::size_t>(p)];
        for (int i = 0; i < PKWave_v110::kECGSamples; ++i) {
            const int n = p * PKWave_v110::kECGSamples + i; // 300 samples a second
            const double beat = std::fmod(n / 240.0, 1.0);  // 75 beats a minute
            const double fetalBeat = std::fmod(n / 128.0, 1.0);
            wave.SetECG(i, static_cast<short>(beat < 0.04 ? 1000 * std::sin(beat / 0.04 * M_PI) : 0));
            wave.SetFECG(i, static_cast<short>(fetalBeat < 0.06 ? 500 * std::sin(fetalBeat / 0.06 * M_PI) : 0));
        }
        for (int i = 0; i < PKWave_v110::kSpO2Samples; ++i) {
            const int n = p * PKWave_v110::kSpO2Samples + i; // 75 samples a second
            wave.SetSpO2(i, static_cast<int>(60 + 50 * std::sin(n / 60.0 * 2 * M_PI)));
            wave.SetFSpO2(i, static_cast<int>(60 + 40 * std::sin(n / 32.0 * 2 * M_PI)));
        }
    }
    return waves;
}

} // namespace reviewtest
