// What a bed sends up and what the station does with it: every per-bed command reaches its action,
// a trend-area double-click opens the visibility dialog, a disconnect ends the bed's open dialog
// as cancelled while the bed lives on until its handling is over, admission with "Record On
// Admit" starts a recording once, and the toolbar's dialog commands.
#include "support/StationFixture.h"

#include "tarvic/app/StationMessages.h"
#include "tarvic/res/TarvicResourceIds.h"
#include "tarvic/serial/CSerialPortManager.h"

#include "nyraclient/client/ClientMessages.h"

#include "ktutil/KTIni.h"
#include "platform/ui/dialogs/Dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace stationtest;

namespace {

class StationDispatch : public StationTest
{
protected:
    // Openers that note their calls and answer `answer`; the admission also runs `admit`.
    void RecordOpeners(INT_PTR answer = IDCANCEL)
    {
        auto bed = [this, answer](const char* name) {
            return [this, answer, name](CTarvicIIView&, NyraClientInfo&) -> INT_PTR {
                opened.push_back(name);
                return answer;
            };
        };
        auto station = [this](const char* name) {
            return [this, name](CTarvicIIView&) { opened.push_back(name); };
        };
        view->Dialogs() = {bed("admit"),
                           bed("setting"),
                           bed("trendVisible"),
                           bed("trendPrint"),
                           bed("capture"),
                           station("patientManager"),
                           station("configuration")};
    }

    // A bed of a monitor from 127.0.0.2, announced.
    NyraClientInfo* StartWithBed(const StationSettings& settings = {})
    {
        StartStation(settings);
        NyraClientInfo* bed = ConnectMonitor("127.0.0.2", &sim);
        EXPECT_NE(bed, nullptr);
        platform::msg::TakeShownMessageBoxes();
        return bed;
    }

    static void Command(NyraClientInfo* bed, int command)
    {
        bed->SendMsgToParent(CLIENT_NOTIFY_COMMAND, DWORD(command));
    }

    std::vector<std::string> opened;
    MonitorSim* sim{nullptr};
};

TEST_F(StationDispatch, EveryPerBedCommandReachesItsAction)
{
    NyraClientInfo* bed = StartWithBed();
    ASSERT_NE(bed, nullptr);
    RecordOpeners();
    struct Case
    {
        int command;
        const char* opener; // "" for none
    };
    const Case cases[] = {
        {NYRACMD_ADMIT_OFF, ""},
        {NYRACMD_ADMIT_ON, ""},
        {NYRACMD_TREND_PRINT, "trendPrint"},
        {NYRACMD_CAPTURE, "capture"},
        {NYRACMD_ADMIT, "admit"},
        {NYRACMD_SETTING, "setting"},
        {NYRACMD_RECORD_STOP, ""},
        {12, ""},
        {-1, ""},
    };
    for (const Case& c : cases) {
        opened.clear();
        Command(bed, c.command);
        EXPECT_EQ(opened, *c.opener ? std::vector<std::string>{c.opener} : std::vector<std::string>{})
            << c.command;
        EXPECT_TRUE(platform::msg::TakeShownMessageBoxes().empty()) << c.command;
    }

    // The alarm sound of the bed.
    Command(bed, NYRACMD_SOUND_OFF);
    EXPECT_EQ(bed->GetConfig().AllAlarmSound, 0);
    Command(bed, NYRACMD_SOUND_ON);
    EXPECT_EQ(bed->GetConfig().AllAlarmSound, 1);

    // A bed without an admitted patient is not recorded.
    Command(bed, NYRACMD_RECORD_START);
    EXPECT_FALSE(bed->IsRecording());

    Command(bed, NYRACMD_EXPAND);
    EXPECT_EQ(Manager().GetExpandedClient(), bed);

    // A monitor's bed is closed only as the manager decides: while its link is up it refuses.
    Command(bed, NYRACMD_CLOSE);
    const auto shown = platform::msg::TakeShownMessageBoxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].text.Find("can't be disconnected"), -1);
    EXPECT_EQ(shown[0].caption, "Tarvic II");
    EXPECT_EQ(BedCount(), 1);
}

TEST_F(StationDispatch, ADoubleClickOnTheTrendAreaOpensTheVisibilityDialog)
{
    NyraClientInfo* bed = StartWithBed();
    RecordOpeners();
    bed->SendMsgToParent(CLIENT_NOTIFY_TREND_SETTING, 0);
    EXPECT_EQ(opened, std::vector<std::string>{"trendVisible"});
}

TEST_F(StationDispatch, ADisconnectEndsTheBedsDialogAsCancelledWhileTheBedLivesOn)
{
    NyraClientInfo* bed = StartWithBed();
    struct Seen
    {
        INT_PTR result{0};
        BOOL gone{FALSE};
        int key{-1};
        int pendingDeletes{0};
    } seen;
    view->Dialogs().clientSetting = [&](CTarvicIIView& station, NyraClientInfo& client) -> INT_PTR {
        // The monitor says goodbye while the dialog is open; its bed goes at once.
        sim->Send(sim->DisconnectPacket());
        CDialog dialog(tarvic::IDD_ABOUTBOX, &station);
        seen.result = station.RunBedDialog(dialog, &client);
        seen.gone = station.IsBedDialogClientGone();
        // Still a whole object: its deletion waits until this handling is over.
        seen.key = client.GetKey();
        seen.pendingDeletes = nyraclient::PendingDeferredDeletes();
        return seen.result;
    };
    const int key = bed->GetKey();
    Command(bed, NYRACMD_SETTING);
    EXPECT_EQ(seen.result, IDCANCEL);
    EXPECT_TRUE(seen.gone);
    EXPECT_EQ(seen.key, key);
    EXPECT_GE(seen.pendingDeletes, 1);
    EXPECT_EQ(BedCount(), 0);
    EXPECT_TRUE(PumpUntil([] { return nyraclient::PendingDeferredDeletes() == 0; }));
}

TEST_F(StationDispatch, AdmittingWithRecordOnAdmitStartsARecordingButReadmittingDoesNot)
{
    NyraClientInfo* bed = StartWithBed({.recordOnAdmit = 1});
    SetFreeMegabytes(5000);
    RecordOpeners();
    view->Dialogs().admitPatient = [&](CTarvicIIView&, NyraClientInfo& client) -> INT_PTR {
        opened.push_back("admit");
        AdmitPatient(&client, *sim, "P-0001");
        return IDOK;
    };
    Command(bed, NYRACMD_ADMIT);
    EXPECT_TRUE(bed->IsRecording());
    EXPECT_EQ(bed->GetStudy().S_ID, "P-0001");

    Command(bed, NYRACMD_RECORD_STOP);
    EXPECT_FALSE(bed->IsRecording());
    Command(bed, NYRACMD_ADMIT);
    EXPECT_EQ(opened.size(), 2u);
    EXPECT_FALSE(bed->IsRecording());

    // Without a database the admission is not even offered.
    g_Database.Disconnect();
    Command(bed, NYRACMD_ADMIT);
    EXPECT_EQ(opened.size(), 2u);
    const auto shown = platform::msg::TakeShownMessageBoxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, tarvic::LoadText(tarvic::IDS_DATABASE_NOT_FOUND));
    EXPECT_EQ(shown[0].Icon(), UINT(MB_ICONERROR));
}

TEST_F(StationDispatch, ToolbarDialogCommandsAndTheReviewProgram)
{
    StartStation();
    RecordOpeners();
    frame->SendMessage(WM_COMMAND, tarvic::ID_DISPLAY_8CH);
    frame->SendMessage(WM_COMMAND, tarvic::ID_CONFIGURATION);
    // The configuration starts from the layout in use.
    EXPECT_EQ(g_Config.DisplayMode, 3);
    frame->SendMessage(WM_COMMAND, tarvic::ID_PATIENT_MANAGER);
    EXPECT_EQ(opened, (std::vector<std::string>{"configuration", "patientManager"}));

    g_Database.Disconnect();
    frame->SendMessage(WM_COMMAND, tarvic::ID_PATIENT_MANAGER);
    EXPECT_EQ(opened.size(), 2u);
    // No review station in this program folder.
    frame->SendMessage(WM_COMMAND, tarvic::ID_REVIEW_PROGRAM);
    const auto shown = platform::msg::TakeShownMessageBoxes();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, tarvic::LoadText(tarvic::IDS_DATABASE_NOT_FOUND));
    EXPECT_EQ(shown[1].text, "Can not execute [Tarlux.exe].\nCheck [Tarlux.exe] is installed correctly.");
    EXPECT_EQ(shown[1].caption, "Tarvic II");
}

TEST_F(StationDispatch, SavedDisplayModeAndNewSerialPortsFromTheConfiguration)
{
    StartStation({.extraDefault = "Save Display Mode=1\n"});
    frame->SendMessage(WM_COMMAND, tarvic::ID_DISPLAY_16CH);

    // Saving the configuration restarts the serial ports with the new list.
    g_Config.SerialName = {0, 0, 4, 0, 0, 0, 0, 9};
    view->ApplyConfiguration();
    EXPECT_EQ(view->GetSerialPortManager()->GetPorts(), (std::vector<UINT>{4, 9}));

    frame->DestroyWindow();
    Drain();
    EXPECT_EQ(KTIni(folder.Path("TarvicII.ini")).ReadInt("CENTRAL_DEFAULT", "Display Mode", -1), 4);
}

} // namespace
