// End to end on a real display: the TarvicII program as its own process under the gtk host, on
// the test program's Xvfb with a window manager, full screen as on the ward, with a bedside
// monitor (the monitor simulator) on loopback. A user's mouse and keys come from xdotool through
// the X server; what the station did is looked at from outside: what the monitor received, the
// stored packets a viewing station gets, the ini file, the database, the recording files and the
// stacking of the windows as the window manager keeps it. Each flow leaves a picture of the
// screen in build/pictures/ for a person to look at. The alarm flows run the monitor simulator
// program and watch the bed's caption on the screen and the packets a viewing station receives.
//
// Where to click is worked out the way the station lays its windows out: dialog controls from
// their templates (dialog units of the template's font) at the dialog's place on the screen, the
// few points on the full-screen main window from its fixed layout on this 1024x768 screen.
#include "support/MonitorSimProcess.h"
#include "support/StationProcess.h"
#include "support/ViewerTap.h"

#include "appcommon/CTrendPrintDlg.h"
#include "tarvic/app/StationGlobals.h"
#include "tarvic/res/BedDialogIds.h"
#include "tarvic/res/ConfigDialogIds.h"
#include "tarvic/res/UserDialogIds.h"

#include "ktutilex/KTAdo.h"
#include "nrdata/packet/PKAlarm_v110.h"
#include "nrdata/table/TBLPatient.h"
#include "nrdata/table/TBLStudy.h"
#include "nrdata/table/TBLUser.h"
#include "nyraclient/broker/BrokerProtocol.h"
#include "tools/monitor-sim/MonitorSim.h"

#include "platform/gdi/CDC.h"
#include "platform/ui/dialogs/DialogTemplate.h"
#include "testkit/Golden.h"
#include "testkit/Xvfb.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <thread>

#include <arpa/inet.h>
#include <poll.h>

using namespace stationtest;
using monitorsim::MonitorSim;
using testkit::XWindow;
using namespace tarvic::bed;
using namespace tarvic::config;
using namespace tarvic::records;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// ==== the full-screen station's fixed places on the 1024x768 screen ==============================

// The toolbar's "Configuration" button.
constexpr POINT kToolbarConfiguration{771, 32};
// The caption buttons of the one bed's tile (the grid shows one tile).
constexpr POINT kBedAdmit{894, 76};
constexpr POINT kBedTrendPrint{960, 76};
constexpr POINT kBedSettings{982, 76};
// The caption bar of that tile, where an alarm text blinks.
const CRect kBedCaption{0, 66, 1024, 87};

// ==== where a dialog's controls are ===============================================================

// The pixel size of the dialog units of a template (its font's average character width, height).
SIZE TemplateUnits(const platform::DialogTemplate& dialog)
{
    CFont font;
    font.CreatePointFont((dialog.pointSize > 0 ? dialog.pointSize : 8) * 10,
                         dialog.fontFace ? dialog.fontFace : "MS Sans Serif");
    return platform::ui::DialogBaseUnits(static_cast<HFONT>(font));
}

// A control of dialog template `dialogId`, in pixels of the dialog's client area.
CRect ControlRect(UINT dialogId, int controlId)
{
    const platform::DialogTemplate* dialog = platform::FindDialogTemplate(dialogId);
    if (dialog == nullptr)
        return CRect();
    const SIZE units = TemplateUnits(*dialog);
    for (const platform::DialogItem& item : dialog->items)
        if (item.id == controlId)
            return CRect(item.x * units.cx / 4, item.y * units.cy / 8, (item.x + item.cx) * units.cx / 4,
                         (item.y + item.cy) * units.cy / 8);
    return CRect();
}

// A page of a tab sheet sits in the sheet's tab control at (1, 22).
CPoint PageOrigin(UINT sheetId, const CRect& sheetOnScreen)
{
    const CRect tab = ControlRect(sheetId, 1399);
    return sheetOnScreen.TopLeft() + tab.TopLeft() + CPoint(1, 22);
}

// The centre of tab `index` of a sheet's tab control: the tabs stand side by side from 2 pixels
// in, each as wide as its text in the dialog font and 6 pixels either side.
CPoint TabCentre(UINT sheetId, const CRect& sheetOnScreen, const std::vector<const char*>& texts, size_t index)
{
    const platform::DialogTemplate* sheet = platform::FindDialogTemplate(sheetId);
    CFont font;
    font.CreatePointFont((sheet->pointSize > 0 ? sheet->pointSize : 8) * 10, sheet->fontFace ? sheet->fontFace : "MS Sans Serif");
    HDC hdc = ::GetDC(nullptr);
    CDC* dc = CDC::FromHandle(hdc);
    const int saved = dc->SaveDC();
    dc->SelectObject(&font);
    int left = 2;
    for (size_t i = 0; i < index; ++i)
        left += dc->GetTextExtent(texts[i]).cx + 12;
    const int width = dc->GetTextExtent(texts[index]).cx + 12;
    dc->RestoreDC(saved);
    ::ReleaseDC(nullptr, hdc);
    const CRect tab = ControlRect(sheetId, 1399);
    return sheetOnScreen.TopLeft() + tab.TopLeft() + CPoint(left + width / 2, 12);
}

CPoint Centre(const CRect& rect) { return rect.CenterPoint(); }

// The "Yes" button of a Yes/No message box: the buttons (75 x 23, 6 apart) stand centred 11
// pixels above its bottom edge.
CPoint YesOfQuestion(const CRect& box) { return CPoint(box.left + (box.Width() - 156) / 2 + 37, box.bottom - 22); }

// ==== a bedside monitor on loopback ===============================================================

// The monitor simulator run as the simulator program runs it, on a thread of its own: it
// announces itself, sends a second of waves and parameters every second and acknowledges the
// settings the station sends; what the station sent is kept for the test.
class MonitorOnLoopback
{
public:
    explicit MonitorOnLoopback(UINT port) : m_thread([this, port] { Run(port); }) {}
    ~MonitorOnLoopback()
    {
        m_stop = true;
        m_thread.join();
    }

    // Waits until the station took the monitor's announcement: its connect notice, protocol
    // version, settings, patient and alarm limits, each acknowledged.
    bool WaitAnnounced() const
    {
        return WaitUntil([&] { return m_announced.load(); }, testkit::kWindowDeadline);
    }
    // Waits for a packet from the station that `match` takes; a copy of it, empty when none came.
    monitorsim::Bytes WaitForPacket(const std::function<bool(const monitorsim::Bytes&)>& match)
    {
        monitorsim::Bytes found;
        WaitUntil(
            [&] {
                std::lock_guard lock(m_lock);
                for (const auto& reply : m_received)
                    if (match(reply.packet)) {
                        found = reply.packet;
                        return true;
                    }
                return false;
            },
            testkit::kWindowDeadline);
        return found;
    }

private:
    // Keeps what the station sent; the number of acknowledgements among it.
    int Keep(std::vector<monitorsim::Reply> replies)
    {
        std::lock_guard lock(m_lock);
        int acknowledged = 0;
        for (auto& reply : replies) {
            acknowledged += reply.packet.size() == 4 && reply.IsAck(reply.packet[2]) ? 1 : 0;
            m_received.push_back(std::move(reply));
        }
        return acknowledged;
    }

    void Run(UINT port)
    {
        MonitorSim sim;
        sim.LoadTrace(monitorsim::SampleTracePath());
        const auto giveUp = Clock::now() + testkit::kWindowDeadline;
        while (!m_stop && !sim.ConnectTcp("127.0.0.1", int(port), "127.0.0.2")) {
            if (Clock::now() > giveUp)
                return;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        // The connect notice first; its acknowledgement carries the key of the other packets.
        sim.Send(sim.ConnectPacket());
        if (Keep(sim.WaitReplies(1, 30000)) != 1)
            return;
        sim.Send(sim.VersionPacket());
        sim.Send(sim.MonitorPacket());
        sim.Send(sim.PatientPacket());
        sim.Send(sim.AlarmPacket());
        m_announced = Keep(sim.WaitReplies(4, 30000)) == 4;
        auto next = Clock::now();
        while (!m_stop && sim.IsOpen() && !sim.PeerClosed()) {
            if (!sim.SendSecond())
                break;
            next += std::chrono::seconds(1);
            while (!m_stop && Clock::now() < next)
                Keep(sim.Poll(100));
        }
    }

    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_announced{false};
    std::mutex m_lock; // guards m_received
    std::vector<monitorsim::Reply> m_received;
    std::thread m_thread;
};

// ==== a viewing station ===========================================================================

// Connects to the station's viewer port as a viewing station and reads the stream until a data
// packet relays a monitor packet of `kind`; the data of that packet (the monitor packet, padded
// to the data packet's room), empty when none came. On connecting, a viewer is sent each bed's
// stored packets.
std::vector<BYTE> StoredPacketSeenByViewer(UINT viewerPort, BYTE kind)
{
    namespace broker = nyraclient::broker;
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(viewerPort));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::vector<BYTE> stream, found;
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
        const auto end = Clock::now() + std::chrono::seconds(30);
        while (found.empty() && Clock::now() < end) {
            pollfd p{fd, POLLIN, 0};
            if (poll(&p, 1, 200) <= 0)
                continue;
            BYTE buffer[4096];
            const ssize_t got = recv(fd, buffer, sizeof buffer, 0);
            if (got <= 0)
                break;
            stream.insert(stream.end(), buffer, buffer + got);
            // Client lists and data packets follow each other whole.
            size_t at = 0;
            while (at < stream.size()) {
                const size_t size = stream[at] == broker::kListStart   ? size_t(broker::kListPacketSize)
                                    : stream[at] == broker::kDataStart ? size_t(broker::kDataPacketSize)
                                                                       : 1;
                if (at + size > stream.size())
                    break;
                if (size == size_t(broker::kDataPacketSize) && stream[at + broker::kDataOffset] == kind) {
                    found.assign(stream.begin() + std::ptrdiff_t(at + broker::kDataOffset),
                                 stream.begin() + std::ptrdiff_t(at + size - 1));
                    break;
                }
                at += size;
            }
            stream.erase(stream.begin(), stream.begin() + std::ptrdiff_t(std::min(at, stream.size())));
        }
    }
    close(fd);
    return found;
}

// ==== the fixture =================================================================================

class StationOnDisplay : public testkit::XvfbWindowManagerTest
{
protected:
    void SetUp() override
    {
        testkit::XvfbWindowManagerTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        monitorPort = FreePort();
        viewerPort = FreePort();
        ASSERT_NE(monitorPort, 0u);
        ASSERT_NE(viewerPort, 0u);
        station.program.MakeDir("Data");
        station.program.Write("TarvicII.ini", "[CENTRAL_DEMO]\nWindow Mode=0\nDemo Mode=0\n[CENTRAL_DEFAULT]\nData Path=" +
                                                  DataFolder() + "\nRecord On Admit=0\n");
        fs::copy_file(station.program / "TarvicII.mdb", DataFolder() + "/TarvicII.mdb");
        // The machine may have no sound device: the alarm tones go to ALSA's null device.
        station.home.Write(".asoundrc", "pcm.!default { type null }\n");
    }

    void TearDown() override
    {
        if (HasFailure())
            Picture(std::string("tarvic_StationOnDisplay_failed_") +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        monitor.reset();
        if (pid > 0) {
            kill(pid, SIGTERM);
            StationProcess::WaitForEnd(pid, std::chrono::seconds(30));
        }
    }

    std::string DataFolder() { return station.program / "Data"; }

    // Starts the station on the display with its monitor; true once its main window shows and
    // the monitor's announcement was taken.
    bool StartStation()
    {
        if (!StartStationAlone())
            return false;
        monitor = std::make_unique<MonitorOnLoopback>(monitorPort);
        return monitor->WaitAnnounced();
    }

    // Starts the station on the display without a monitor; true once its main window shows.
    bool StartStationAlone()
    {
        pid = station.Start({"--ports", std::to_string(monitorPort) + "," + std::to_string(viewerPort)},
                            {std::string("DISPLAY=") + std::getenv("DISPLAY"), "PLATFORM_HOST=gtk",
                             "GSETTINGS_BACKEND=memory", "NO_AT_BRIDGE=1"});
        if (pid <= 0)
            return false;
        // In English the main window has no title: it is found as the station's window.
        mainWindow = testkit::WaitForWindowOf(pid);
        if (mainWindow == 0)
            return false;
        // The host passes a changed title on within a second.
        std::string title;
        WaitUntil(
            [&] {
                title.clear();
                testkit::RunTool({"xdotool", "getwindowname", std::to_string(mainWindow)}, title);
                return title == "\n";
            },
            std::chrono::seconds(10));
        EXPECT_EQ(title, "\n") << "the window manager shows no title, and no document name";
        return true;
    }

    // Waits for the dialog titled `title` and for its place on the screen to settle.
    static CRect Dialog(const std::string& title, XWindow* window = nullptr)
    {
        const XWindow found = testkit::WaitForWindow("^" + title + "$");
        if (window != nullptr)
            *window = found;
        if (found == 0)
            return CRect();
        CRect place = testkit::WindowOnScreen(found);
        WaitUntil(
            [&] {
                const CRect again = testkit::WindowOnScreen(found);
                const bool settled = again == place && !again.IsRectEmpty();
                place = again;
                return settled;
            },
            std::chrono::seconds(10));
        return place;
    }

    // The whole screen, kept in build/pictures/ under `name`.
    static void Picture(const std::string& name)
    {
        testkit::TempFolder temp;
        testkit::SaveForReview(testkit::ScreenShot(CRect(0, 0, 1024, 768), temp / "screen.png"), name);
    }

    // The user raises the FHR1 upper limit from 160 to 230 by mouse and keys: the bed's
    // settings sheet, its alarm page, the FHR1 limit button, the high slider, Apply, and Yes to
    // the question.
    void RaiseFhr1UpperLimitByMouse()
    {
        // The bed's settings sheet, its alarm page, the FHR1 limit button.
        ASSERT_TRUE(testkit::ClickAt(kBedSettings));
        const CRect sheet = Dialog("Client Setting");
        ASSERT_FALSE(sheet.IsRectEmpty()) << "the bed settings sheet did not open";
        ASSERT_TRUE(testkit::ClickAt(TabCentre(IDD_CLIENT_SETTING, sheet,
                                      {"Display Information", "Patient Information", "Alarm Information"}, 2)));
        const CPoint page = PageOrigin(IDD_CLIENT_SETTING, sheet);
        ASSERT_TRUE(testkit::ClickAt(page + Centre(ControlRect(IDD_CLIENT_ALARM, 1527))));

        // The alarm limit dialog: the high slider's thumb dragged past its right end (the highest
        // limit the monitor allows), then ten steps back with the arrow key, and Apply.
        XWindow limitWindow = 0;
        const CRect limit = Dialog("Alarm Limit", &limitWindow);
        ASSERT_FALSE(limit.IsRectEmpty()) << "the alarm limit dialog did not open";
        const CRect slider = ControlRect(IDD_ALARM_LIMIT, 1524) + limit.TopLeft();
        // The thumb of the stored 160 on the range 50 to 240 (the simulated monitor's model),
        // the channel running 8 pixels in from either end.
        const int channel = slider.Width() - 16 - 1;
        const CPoint thumb(slider.left + 8 + channel * (160 - 50) / (240 - 50), slider.top + 10);
        ASSERT_TRUE(testkit::DragFromTo(thumb, CPoint(slider.right + 40, thumb.y)));
        ASSERT_TRUE(testkit::PressKeys(std::vector<std::string>(10, "Left")));
        Picture("tarvic_StationOnDisplay_AlarmLimit");
        ASSERT_TRUE(testkit::ClickAt(Centre(ControlRect(IDD_ALARM_LIMIT, IDOK) + limit.TopLeft())));
        ASSERT_TRUE(testkit::WaitForNoWindow("^Alarm Limit$"));

        // The page's Apply, and Yes to its question, which stands above the sheet.
        ASSERT_TRUE(testkit::ClickAt(page + Centre(ControlRect(IDD_CLIENT_ALARM, 1487))));
        XWindow question = 0;
        const CRect box = Dialog("Tarvic II", &question);
        ASSERT_FALSE(box.IsRectEmpty()) << "no question before applying";
        ASSERT_TRUE(testkit::ClickAt(YesOfQuestion(box)));
    }

    // Opens a database connection of the test's own on the station's database.
    bool OpenDatabase(KTAdo& database)
    {
        return database.ConnectDB((DataFolder() + "/TarvicII.mdb").c_str(), tarvic::kDatabasePassword) != 0;
    }

    StationProcess station;
    UINT monitorPort{0};
    UINT viewerPort{0};
    pid_t pid{-1};
    XWindow mainWindow{0};
    std::unique_ptr<MonitorOnLoopback> monitor;
};

using testkit::ClickAt;

// ==== the flows ===================================================================================

TEST_F(StationOnDisplay, FhrAlarmLimitSetByMouseReachesTheMonitorAndTheStoredPacket)
{
    ASSERT_TRUE(StartStation());

    ASSERT_NO_FATAL_FAILURE(RaiseFhr1UpperLimitByMouse());

    // The monitor received the new limits and acknowledged them ...
    const monitorsim::Bytes sent = monitor->WaitForPacket(
        [](const monitorsim::Bytes& packet) { return packet.size() == PKAlarm_v110::kSize && packet[0] == PK_TYPE_ALARM; });
    ASSERT_EQ(sent.size(), size_t(PKAlarm_v110::kSize)) << "the monitor got no alarm settings";
    PKAlarm_v110 received;
    ASSERT_TRUE(received.SetPacket(sent.data(), int(sent.size()), FALSE));
    int lower = 0, upper = 0;
    received.GetFHR1Limit(lower, upper);
    EXPECT_EQ(lower, 110);
    EXPECT_EQ(upper, 230);
    // ... the wait box went without a failure message, and the station now holds them: a
    // viewing station that connects is sent the bed's stored alarm packet with them.
    ASSERT_TRUE(testkit::WaitForNoWindow("^Tarvic II$"));
    Picture("tarvic_StationOnDisplay_AlarmApplied");
    const std::vector<BYTE> stored = StoredPacketSeenByViewer(viewerPort, PK_TYPE_ALARM);
    ASSERT_GE(stored.size(), size_t(PKAlarm_v110::kSize)) << "no stored alarm packet reached the viewer";
    PKAlarm_v110 relayed;
    ASSERT_TRUE(relayed.SetPacket(stored.data(), PKAlarm_v110::kSize, FALSE));
    relayed.GetFHR1Limit(lower, upper);
    EXPECT_EQ(lower, 110);
    EXPECT_EQ(upper, 230);
}

TEST_F(StationOnDisplay, RecordOnAdmitSwitchedOnByMouseIsSavedAndTheNextAdmissionRecords)
{
    {
        KTAdo database;
        ASSERT_TRUE(OpenDatabase(database));
        TBLPatient patient(&database);
        patient.P_ID = "P-4711";
        patient.P_FIRST_NAME = "Anna";
        patient.P_LAST_NAME = "Berg";
        patient.P_REG_DATE = COleDateTime::GetCurrentTime();
        patient.P_EDIT_DATE = patient.P_REG_DATE;
        patient.P_BIRTHDAY = COleDateTime(1990, 4, 12, 0, 0, 0);
        patient.P_LMP = COleDateTime(1000, 1, 1, 0, 0, 0);
        patient.P_EDC = COleDateTime(1000, 1, 1, 0, 0, 0);
        patient.P_GR = -1;
        patient.P_PA = -1;
        ASSERT_EQ(patient.Add(), 1);
        database.Disconnect();
    }
    ASSERT_TRUE(StartStation());

    // The configuration sheet's "Default" page: "Auto Recording on Admit" On, then Save.
    ASSERT_TRUE(ClickAt(kToolbarConfiguration));
    XWindow configuration = 0;
    const CRect sheet = Dialog("Configuration Setting", &configuration);
    ASSERT_FALSE(sheet.IsRectEmpty()) << "the configuration sheet did not open";
    ASSERT_TRUE(ClickAt(PageOrigin(IDD_CONFIGURATION, sheet) + Centre(ControlRect(IDD_INITIAL_DATA, 1430))));
    Picture("tarvic_StationOnDisplay_RecordOnAdmit");
    ASSERT_TRUE(ClickAt(Centre(ControlRect(IDD_CONFIGURATION, 1431) + sheet.TopLeft())));
    EXPECT_TRUE(WaitUntil(
        [&] {
            std::ifstream in(station.program / "TarvicII.ini");
            std::stringstream text;
            text << in.rdbuf();
            return text.str().find("Record On Admit=1") != std::string::npos;
        },
        std::chrono::seconds(30)))
        << "the ini file does not hold the switch";
    // Closed by its close box, the right-most button of the frame's title bar.
    const CRect frame = testkit::FrameOnScreen(configuration);
    ASSERT_TRUE(ClickAt(CPoint(frame.right - 10, (frame.top + sheet.top) / 2)));
    ASSERT_TRUE(testkit::WaitForNoWindow("^Configuration Setting$")) << "the close box did not close the sheet";

    // The next admission, by mouse: the bed's admit button, the patient's row, Admit, Yes.
    ASSERT_TRUE(ClickAt(kBedAdmit));
    const CRect admit = Dialog("Admit Patient");
    ASSERT_FALSE(admit.IsRectEmpty()) << "the admission dialog did not open";
    const CRect list = ControlRect(IDD_ADMIT_PATIENT, 1168) + admit.TopLeft();
    ASSERT_TRUE(ClickAt(CPoint(list.left + 30, list.top + 28))); // the first row, under the header
    ASSERT_TRUE(ClickAt(Centre(ControlRect(IDD_ADMIT_PATIENT, 1057) + admit.TopLeft())));
    const CRect box = Dialog("Tarvic II");
    ASSERT_FALSE(box.IsRectEmpty()) << "no question before admitting";
    ASSERT_TRUE(ClickAt(YesOfQuestion(box)));
    ASSERT_TRUE(testkit::WaitForNoWindow("^Admit Patient$"));

    // The recording runs: its working file in the records folder and its study row.
    const fs::path records = DataFolder() + "/Records";
    std::string recording;
    EXPECT_TRUE(WaitUntil(
        [&] {
            std::error_code error;
            for (const auto& entry : fs::directory_iterator(records, error))
                if (entry.path().filename().string().rfind("P-4711_", 0) == 0 && entry.path().extension() == ".TMP")
                    recording = entry.path().filename().string();
            return !recording.empty();
        },
        std::chrono::seconds(30)))
        << "no recording file appeared";
    Picture("tarvic_StationOnDisplay_Recording");
    // The study row is written with the recording's first ten seconds.
    KTAdo database;
    ASSERT_TRUE(OpenDatabase(database));
    TBLStudy study(&database);
    EXPECT_TRUE(WaitUntil([&] { return study.CursorOpenEx("WHERE S_ID='P-4711'") >= 1; }, testkit::kWindowDeadline))
        << "no study row for the admission";
}

TEST_F(StationOnDisplay, UserAddedThroughTheUserManagerByMouseIsInTheDatabase)
{
    ASSERT_TRUE(StartStation());

    // The configuration sheet's "System" page, its "User Manager" button, then "Add".
    ASSERT_TRUE(ClickAt(kToolbarConfiguration));
    const CRect sheet = Dialog("Configuration Setting");
    ASSERT_FALSE(sheet.IsRectEmpty()) << "the configuration sheet did not open";
    ASSERT_TRUE(ClickAt(TabCentre(IDD_CONFIGURATION, sheet, {"Default", "Color", "System"}, 2)));
    ASSERT_TRUE(ClickAt(PageOrigin(IDD_CONFIGURATION, sheet) + Centre(ControlRect(IDD_SYSTEM_SETTING, 1548))));
    const CRect manager = Dialog("User Manager");
    ASSERT_FALSE(manager.IsRectEmpty()) << "the user manager did not open";
    ASSERT_TRUE(ClickAt(Centre(ControlRect(IDD_USER_MANAGER, 1009) + manager.TopLeft())));
    XWindow addWindow = 0;
    const CRect add = Dialog("Add User", &addWindow);
    ASSERT_FALSE(add.IsRectEmpty()) << "the add user dialog did not open";

    // Id, name, level (Nurse is chosen), password twice, Save.
    const auto typeInto = [&](int control, const std::string& text) {
        return ClickAt(Centre(ControlRect(IDD_ADD_USER, control) + add.TopLeft())) && testkit::TypeText(text);
    };
    ASSERT_TRUE(typeInto(1000, "nurse7"));
    ASSERT_TRUE(typeInto(1001, "Maria Lund"));
    ASSERT_TRUE(typeInto(1553, "Pw-7x"));
    ASSERT_TRUE(typeInto(1556, "Pw-7x"));
    ASSERT_TRUE(ClickAt(Centre(ControlRect(IDD_ADD_USER, IDOK) + add.TopLeft())));

    // The question belongs to the add user dialog: it is modal to it and stays above it, also
    // when the user clicks the dialog meanwhile.
    XWindow question = 0;
    const CRect box = Dialog("Tarvic II", &question);
    ASSERT_FALSE(box.IsRectEmpty()) << "no question before adding";
    EXPECT_EQ(testkit::TransientFor(question), addWindow);
    const std::vector<std::string> states = testkit::WindowStates(question);
    EXPECT_NE(std::find(states.begin(), states.end(), "_NET_WM_STATE_MODAL"), states.end());
    ASSERT_TRUE(ClickAt(CPoint(add.left + 20, add.top + 20)));
    const auto questionOnTop = [&] {
        const std::vector<XWindow> stacking = testkit::StackingOrder();
        const auto at = [&](XWindow w) { return std::find(stacking.begin(), stacking.end(), w) - stacking.begin(); };
        return at(question) < std::ptrdiff_t(stacking.size()) && at(question) > at(addWindow);
    };
    EXPECT_FALSE(WaitUntil([&] { return !questionOnTop(); }, std::chrono::seconds(2)))
        << "the question fell behind the dialog it asks for";
    Picture("tarvic_StationOnDisplay_AddUserQuestion");
    ASSERT_TRUE(ClickAt(YesOfQuestion(box)));
    ASSERT_TRUE(testkit::WaitForNoWindow("^Add User$"));
    Picture("tarvic_StationOnDisplay_UserAdded");

    KTAdo database;
    ASSERT_TRUE(OpenDatabase(database));
    TBLUser user(&database);
    user.M_ID = "NURSE7"; // the id edit takes capitals
    ASSERT_EQ(user.Get(), 1) << "the user is not in the database";
    EXPECT_EQ(user.M_NAME, "MARIA LUND");
    EXPECT_EQ(user.M_PASSWORD, "Pw-7x");
    EXPECT_EQ(user.M_LEVEL, 1);
}

TEST_F(StationOnDisplay, PrintDialogOfTheFullScreenStationStaysAboveIt)
{
    ASSERT_TRUE(StartStation());
    const std::vector<std::string> mainStates = testkit::WindowStates(mainWindow);
    EXPECT_NE(std::find(mainStates.begin(), mainStates.end(), "_NET_WM_STATE_FULLSCREEN"), mainStates.end())
        << "the station is not full screen";

    // The bed's trend print dialog, OK: the desktop's print dialog follows.
    ASSERT_TRUE(ClickAt(kBedTrendPrint));
    XWindow rangeWindow = 0;
    const CRect range = Dialog("Print", &rangeWindow);
    ASSERT_FALSE(range.IsRectEmpty()) << "the trend print dialog did not open";
    ASSERT_TRUE(ClickAt(Centre(ControlRect(kCentralTrendPrintTemplate.dialogId, IDOK) + range.TopLeft())));
    XWindow print = 0;
    ASSERT_TRUE(WaitUntil(
        [&] {
            print = testkit::WaitForWindow("^Print$", std::chrono::seconds(1));
            return print != 0 && print != rangeWindow;
        },
        testkit::kWindowDeadline))
        << "the print dialog did not show";

    // It stays above the station, also after a click on the station.
    const auto printAboveStation = [&] {
        const std::vector<XWindow> stacking = testkit::StackingOrder();
        const auto at = [&](XWindow w) { return std::find(stacking.begin(), stacking.end(), w) - stacking.begin(); };
        return at(print) < std::ptrdiff_t(stacking.size()) && at(print) > at(mainWindow);
    };
    EXPECT_TRUE(WaitUntil(printAboveStation, std::chrono::seconds(10))) << "the print dialog is beneath the station";
    EXPECT_EQ(testkit::TransientFor(print), mainWindow);
    const std::vector<std::string> states = testkit::WindowStates(print);
    EXPECT_NE(std::find(states.begin(), states.end(), "_NET_WM_STATE_MODAL"), states.end());
    ASSERT_TRUE(ClickAt(CPoint(100, 300)));
    EXPECT_TRUE(WaitUntil(printAboveStation, std::chrono::seconds(2)));
    EXPECT_FALSE(WaitUntil([&] { return !printAboveStation(); }, std::chrono::seconds(2)))
        << "a click on the station raised it over its print dialog";
    Picture("tarvic_StationOnDisplay_PrintDialog");

    // Escape cancels it, and the station takes input again.
    ASSERT_TRUE(testkit::PressKeys({"Escape"}));
    ASSERT_TRUE(testkit::WaitForNoWindow("^Print$"));
    ASSERT_TRUE(ClickAt(kBedSettings));
    EXPECT_FALSE(Dialog("Client Setting").IsRectEmpty()) << "the station took no click after its print dialog";
}

// ---- alarms ------------------------------------------------------------------------------------

// How much of the bed's caption is filled with an alarm colour: the red of a high-level alarm
// and the orange of a low-level one; the share of its pixels of each.
struct CaptionColours
{
    double red{0};
    double orange{0};
};

CaptionColours CaptionInAlarm(const platform::Image& shot)
{
    CaptionColours colours;
    if (shot.IsNull())
        return colours;
    int red = 0, orange = 0;
    for (int y = 0; y < shot.Height(); ++y)
        for (int x = 0; x < shot.Width(); ++x) {
            const std::uint32_t rgb = shot.Pixel(x, y) & 0xFFFFFF;
            red += rgb == 0xFF0000;
            orange += rgb == 0xFF6600;
        }
    const double all = double(shot.Width()) * shot.Height();
    colours.red = red / all;
    colours.orange = orange / all;
    return colours;
}

platform::Image CaptionShot()
{
    testkit::TempFolder temp;
    return testkit::ScreenShot(kBedCaption, temp / "caption.png");
}

// Whether the caption shows the alarm in red (a blink shows it for 500 ms of each second)
// within `limit`; the caption as it showed it.
bool SamePixels(const platform::Image& a, const platform::Image& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return false;
    for (int y = 0; y < a.Height(); ++y)
        if (!std::equal(a.Row(y), a.Row(y) + a.Width(), b.Row(y)))
            return false;
    return true;
}

// The caption in red, as it stands once drawn: two grabs in a row the same, so a grab taken
// while the step still draws its text is not the one kept.
bool CaptionTurnsRed(std::chrono::milliseconds limit, platform::Image& shown)
{
    platform::Image last;
    return WaitUntil(
        [&] {
            shown = CaptionShot();
            const bool settled = CaptionInAlarm(shown).red > 0.5 && SamePixels(shown, last);
            last = shown;
            return settled;
        },
        limit);
}

// Whether the caption stays free of alarm colours for `span` (grabbed again and again).
bool CaptionStaysCalm(std::chrono::milliseconds span)
{
    return !WaitUntil(
        [&] {
            const CaptionColours colours = CaptionInAlarm(CaptionShot());
            return colours.red > 0 || colours.orange > 0;
        },
        span);
}

TEST_F(StationOnDisplay, TheBedCaptionShowsAnFhr1AlarmInRedAndThenClears)
{
    ASSERT_TRUE(StartStationAlone());
    ViewerTap viewer(viewerPort);
    // 140 bpm, then 175 (above the monitor's upper limit of 160) for eight seconds, then 140.
    MonitorSimProcess sim;
    ASSERT_TRUE(sim.Start({"--tcp", "127.0.0.1:" + std::to_string(monitorPort), "--local", "127.0.0.2", "--fhr", "140",
                           "--seconds", "60", "--fault", "fhr-high@10", "--fault", "fhr-back@18"}));

    const int normal = viewer.WaitFor(PK_TYPE_PARAM, 0, WithFhr1Cause(0), testkit::kWindowDeadline);
    ASSERT_GE(normal, 0) << "the monitor's parameters reached no viewer\n" << sim.Output();
    EXPECT_TRUE(CaptionStaysCalm(std::chrono::seconds(2))) << "an alarm colour while FHR1 is inside its limits";

    const int alarm = viewer.WaitFor(PK_TYPE_PARAM, size_t(normal), WithFhr1Cause(1), testkit::kWindowDeadline);
    ASSERT_GE(alarm, 0) << "the monitor raised no FHR1 alarm\n" << sim.Output();
    platform::Image caption;
    ASSERT_TRUE(CaptionTurnsRed(std::chrono::seconds(5), caption)) << "the caption did not show the alarm in red";
    testkit::SaveForReview(caption, "tarvic_StationOnDisplay_CaptionInAlarm");
    Picture("tarvic_StationOnDisplay_BedInAlarm");
    // White "FHR1: Upper Limit" on the high level's red, over the whole caption.
    testkit::ExpectMatchesGolden(caption, "tarvic/tests/golden/BedCaptionFhr1Alarm.png", {48, 0.01});

    const int cleared = viewer.WaitFor(PK_TYPE_PARAM, size_t(alarm), WithFhr1Cause(0), testkit::kWindowDeadline);
    ASSERT_GE(cleared, 0) << "the monitor's FHR1 alarm did not clear\n" << sim.Output();
    // The text that was showing finishes its step (500 ms); then the caption is the bed's again.
    std::this_thread::sleep_for(std::chrono::milliseconds(1000));
    EXPECT_TRUE(CaptionStaysCalm(std::chrono::seconds(3))) << "the caption still shows an alarm after it cleared";
}

TEST_F(StationOnDisplay, AnUpperLimitRaisedByMouseMovesWhereTheFhr1AlarmStarts)
{
    ASSERT_TRUE(StartStationAlone());
    ViewerTap viewer(viewerPort);
    // A steady 170 bpm: above the monitor's upper limit of 160 from the start.
    MonitorSimProcess sim;
    ASSERT_TRUE(sim.Start({"--tcp", "127.0.0.1:" + std::to_string(monitorPort), "--local", "127.0.0.2", "--fhr", "170",
                           "--seconds", "120"}));
    const int alarm = viewer.WaitFor(PK_TYPE_PARAM, 0, WithFhr1Cause(1), testkit::kWindowDeadline);
    ASSERT_GE(alarm, 0) << "the monitor raised no FHR1 alarm at 170 bpm\n" << sim.Output();
    platform::Image caption;
    ASSERT_TRUE(CaptionTurnsRed(std::chrono::seconds(5), caption)) << "the caption did not show the alarm in red";

    // Raised to 230 through the bed's settings: the monitor takes the limit and 170 is normal.
    ASSERT_NO_FATAL_FAILURE(RaiseFhr1UpperLimitByMouse());
    ASSERT_TRUE(testkit::WaitForNoWindow("^Tarvic II$"));
    const int normal = viewer.WaitFor(PK_TYPE_PARAM, size_t(alarm), WithFhr1Cause(0), testkit::kWindowDeadline);
    ASSERT_GE(normal, 0) << "the alarm went on after the limit was raised\n" << sim.Output();
    // From then on every second is normal.
    std::this_thread::sleep_for(std::chrono::seconds(3));
    const auto relayed = viewer.Packets(PK_TYPE_PARAM);
    for (size_t i = size_t(normal); i < relayed.size(); ++i)
        EXPECT_EQ(Fhr1Cause(relayed[i]), 0) << "second " << i - size_t(normal) << " after the change";
    EXPECT_TRUE(CaptionStaysCalm(std::chrono::seconds(3))) << "the caption still shows an alarm";
    Picture("tarvic_StationOnDisplay_AlarmLimitRaised");
}

} // namespace
