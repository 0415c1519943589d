// The bed settings sheet against a simulated monitor: Apply waits for the monitor's ACK and
// stores the packet, fails after 5000 ms of silence or a NAK, fails at once on a lost link or a
// removed bed, ignores a second Apply while waiting, and a demo bed acknowledges itself. The
// pages: the alarm limits (every temperature tenth round-trips), the groups and lists each
// display mode switches off, the display page's connection text and record period, the device
// page's defaults and the patient page's dates, units and doctor and nurse.
#include "support/StationFixture.h"
#include "support/ViewerTap.h"

#include "tarvic/dialogs/ApplyToMonitor.h"
#include "tarvic/dialogs/CAlarmLimitDlg.h"
#include "tarvic/dialogs/CClientAlarmPage.h"
#include "tarvic/dialogs/CClientDisplayPage.h"
#include "tarvic/dialogs/CClientMonitorPage.h"
#include "tarvic/dialogs/CClientPatientPage.h"
#include "tarvic/dialogs/CClientSettingDlg.h"
#include "tarvic/dialogs/UserPickers.h"
#include "tarvic/res/BedDialogIds.h"

#include "nrdata/table/TBLUser.h"

#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/ComboBox.h"
#include "testkit/Golden.h"
#include "testkit/ModalDriver.h"
#include "testkit/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

using namespace stationtest;
using namespace tarvic::bed;

namespace {

class BedSettings : public StationTest
{
protected:
    NyraClientInfo* StartWithBed(const StationSettings& settings = {})
    {
        StartStation(settings);
        NyraClientInfo* bed = ConnectMonitor("127.0.0.2", &sim);
        EXPECT_NE(bed, nullptr);
        boxes.Reset();
        return bed;
    }

    // A page of `Page` on the view, shown (and so loaded from the bed).
    template <class Page>
    std::unique_ptr<Page> OpenPage(NyraClientInfo* bed, ClientGone gone = {})
    {
        auto page = std::make_unique<Page>(bed, std::move(gone));
        EXPECT_TRUE(page->Create(view));
        page->ShowWindow(SW_SHOW);
        return page;
    }

    static bool Enabled(CWnd& page, int id) { return page.GetDlgItem(id)->IsWindowEnabled() != FALSE; }
    static CString Text(CWnd& page, int id)
    {
        CString text;
        page.GetDlgItemText(id, text);
        return text;
    }
    static long Selected(CWnd& page, int id)
    {
        const auto index = static_cast<int>(page.SendDlgItemMessage(id, CB_GETCURSEL));
        return index < 0 ? -1 : static_cast<long>(page.SendDlgItemMessage(id, CB_GETITEMDATA, WPARAM(index)));
    }

    testkit::ScriptedDialogs boxes;
    MonitorSim* sim{nullptr};
};

int FECGLower(const PKAlarm_v110& packet)
{
    int lower = 0;
    int upper = 0;
    packet.GetFECGLimit(lower, upper);
    return lower;
}

// The alarm settings packets a viewing station received, from the `skip`th on.
std::vector<PKAlarm_v110> AlarmPacketsSeen(const ViewerTap& viewer, size_t skip)
{
    std::vector<PKAlarm_v110> packets;
    const auto relayed = viewer.Packets(PK_TYPE_ALARM);
    for (size_t i = skip; i < relayed.size(); ++i) {
        packets.emplace_back();
        EXPECT_NE(packets.back().SetPacket(relayed[i].packet.data(), PKAlarm_v110::kSize, FALSE), 0);
    }
    return packets;
}

// ---- apply to the monitor -----------------------------------------------------------------------

TEST_F(BedSettings, AnAcknowledgedApplyStoresThePacket)
{
    NyraClientInfo* bed = StartWithBed();
    auto page = OpenPage<CClientAlarmPage>(bed);
    PKAlarm_v110 edited = page->BuildPacket();
    edited.SetFECGLimit(77, 190);
    // A viewing station on the station's viewer port. Once the station took it, the broker
    // sends it the bed's stored packets, the alarm settings among them.
    ViewerTap viewer(view->GetViewerPort());
    ASSERT_TRUE(PumpUntil([&] { return Manager().GetViewerCount() == 1; }));
    const auto any = [](const ViewerTap::Relayed&) { return true; };
    ASSERT_GE(viewer.WaitFor(PK_TYPE_ALARM, 0, any, std::chrono::seconds(10)), 0);
    const size_t stored = viewer.Packets(PK_TYPE_ALARM).size();
    boxes.AnswerBoxes({IDYES});
    testkit::ModalDriver driver;
    driver.Start([&](int) {
        sim->Poll(0);
        return true;
    });
    EXPECT_EQ(ApplyToMonitor(*page, *bed, {}, edited), ApplyResult::Applied);
    driver.Stop();
    EXPECT_EQ(FECGLower(bed->GetAlarmPacket()), 77);
    EXPECT_EQ(bed->IsWaitingAck(NyraClientInfo::WAIT_ACK_ALARM), 0);
    // The viewing station gets the acknowledged packet, once.
    ASSERT_GE(viewer.WaitFor(PK_TYPE_ALARM, stored, any, std::chrono::seconds(10)), 0);
    PumpUntil([] { return false; }, std::chrono::milliseconds(500));
    const auto relayed = AlarmPacketsSeen(viewer, stored);
    ASSERT_EQ(relayed.size(), 1u);
    EXPECT_EQ(FECGLower(relayed[0]), 77);
    const auto shown = boxes.BoxTexts();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "Do you want to apply changed Alarm settings?");
}

TEST_F(BedSettings, SilenceOrANakFailsAfterFiveSecondsAndKeepsThePacket)
{
    for (const bool nak : {false, true}) {
        SCOPED_TRACE(nak ? "NAK" : "silence");
        NyraClientInfo* bed = StartWithBed();
        sim->SetAnswerSettings(false);
        auto page = OpenPage<CClientMonitorPage>(bed);
        PKMonitor_v110 edited = page->BuildPacket();
        edited.SetQRSVolume(5);
        const BYTE before = bed->GetMonitorPacket().GetQRSVolume();
        platform::ScopedTestClock clock(1000);
        bool waitingAt4999 = false;
        boxes.AnswerBoxes({IDYES});
        testkit::ModalDriver driver;
        driver.Start([&](int call) {
            sim->Poll(0);
            if (nak && call == 1)
                sim->Send(sim->ControlPacket(0xF0, PK_TYPE_MONITOR));
            if (nak && bed->GetControlPacket().GetType() != 0xF0)
                return true; // until the NAK has arrived
            if (!waitingAt4999) {
                clock.Advance(kApplyWaitMs - 1);
                waitingAt4999 = true;
                return true;
            }
            EXPECT_TRUE(IsApplyWaiting());
            clock.Advance(2);
            return false;
        });
        EXPECT_EQ(ApplyToMonitor(*page, *bed, {}, edited), ApplyResult::Failed);
        EXPECT_TRUE(waitingAt4999);
        EXPECT_EQ(bed->GetMonitorPacket().GetQRSVolume(), before);
        const auto shown = boxes.Boxes();
        ASSERT_EQ(shown.size(), 2u);
        EXPECT_EQ(shown[1].text, "Failed applying changes to the device. \n Check Fetal Monitor connection status.");
        EXPECT_EQ(shown[1].Icon(), UINT(MB_ICONSTOP));
        EXPECT_EQ(shown[1].caption, "Tarvic II");
        page->DestroyWindow();
        StopStation();
    }
}

TEST_F(BedSettings, ALostLinkFailsAtOnce)
{
    NyraClientInfo* bed = StartWithBed();
    auto page = OpenPage<CClientAlarmPage>(bed);
    bed->TimeOut(); // the link is lost
    platform::ScopedTestClock clock(1000);
    boxes.AnswerBoxes({IDYES});
    testkit::ModalDriver driver;
    driver.Start([&](int) {
        clock.Advance(kApplyWaitMs + 1); // only a wait that should not run gets here
        return false;
    });
    EXPECT_EQ(ApplyToMonitor(*page, *bed, {}, page->BuildPacket()), ApplyResult::Failed);
    EXPECT_EQ(driver.calls, 0);
    EXPECT_EQ(boxes.BoxTexts().size(), 2u);
}

TEST_F(BedSettings, ADemoBedAcknowledgesItself)
{
    StartStation();
    NyraClientInfo demo(nullptr, 1, 0);
    demo.SetKey(5); // as the manager gives it
    auto page = OpenPage<CClientAlarmPage>(&demo);
    PKAlarm_v110 edited = page->BuildPacket();
    edited.SetFECGLimit(88, 200);
    boxes.AnswerBoxes({IDYES});
    EXPECT_EQ(ApplyToMonitor(*page, demo, {}, edited), ApplyResult::Applied);
    EXPECT_EQ(FECGLower(demo.GetAlarmPacket()), 88);
    EXPECT_EQ(demo.IsWaitingAck(NyraClientInfo::WAIT_ACK_ALARM), 0);
    page->DestroyWindow();
    demo.DestroyWindow();
}

TEST_F(BedSettings, ASecondApplyWhileWaitingIsIgnored)
{
    NyraClientInfo* bed = StartWithBed();
    auto page = OpenPage<CClientAlarmPage>(bed);
    boxes.AnswerBoxes({IDYES, IDYES});
    testkit::ModalDriver driver;
    driver.Start([&](int call) {
        if (call == 1)
            page->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_APPLY, BN_CLICKED), 0);
        sim->Poll(0);
        return true;
    });
    EXPECT_EQ(ApplyToMonitor(*page, *bed, {}, page->BuildPacket()), ApplyResult::Applied);
    driver.Stop();
    EXPECT_EQ(boxes.BoxTexts().size(), 1u); // one question: the second Apply asked nothing
}

// The bed disconnects while the sheet's alarm page waits: the wait ends, the sheet ends as
// cancelled, and nothing is stored into the removed bed (AddressSanitizer watches).
TEST_F(BedSettings, ADisconnectDuringTheWaitEndsItWithoutTouchingTheBed)
{
    NyraClientInfo* bed = StartWithBed();
    sim->SetAnswerSettings(false);
    ApplyResult result = ApplyResult::Declined;
    INT_PTR sheetResult = 0;
    testkit::ModalDriver driver;
    view->Dialogs().clientSetting = [&](CTarvicIIView& station, NyraClientInfo& client) -> INT_PTR {
        ClientGone gone = [&station] { return station.IsBedDialogClientGone() != FALSE; };
        CClientSettingDlg sheet(&client, &station, gone);
        driver.Start([&](int) {
            // Inside the sheet's modal loop: the alarm tab, then Apply; the answer to the
            // question is the monitor saying goodbye.
            sheet.SelectTab(2);
            auto* page = static_cast<CClientAlarmPage*>(sheet.GetPage(2));
            boxes.AnswerBox([&](const platform::msg::MessageBoxRequest&) {
                sim->Send(sim->DisconnectPacket());
                return IDYES;
            });
            result = ApplyToMonitor(*page, client, gone, page->BuildPacket());
            return false;
        });
        sheetResult = station.RunBedDialog(sheet, &client);
        return sheetResult;
    };
    bed->SendMsgToParent(CLIENT_NOTIFY_COMMAND, NYRACMD_SETTING);
    EXPECT_EQ(result, ApplyResult::Failed);
    EXPECT_EQ(sheetResult, IDCANCEL);
    EXPECT_EQ(BedCount(), 0);
    EXPECT_TRUE(PumpUntil([] { return nyraclient::PendingDeferredDeletes() == 0; }));
}

// ---- the sheet ------------------------------------------------------------------------------------

TEST_F(BedSettings, TheStationsOwnOpenerShowsTheSheetUntilItsCloseBox)
{
    NyraClientInfo* bed = StartWithBed();
    CString caption;
    testkit::ModalDriver driver;
    driver.Start([&](int) {
        HWND sheet = ::GetActiveWindow();
        CWnd::FromHandle(sheet)->GetWindowText(caption);
        ::PostMessage(sheet, WM_SYSCOMMAND, SC_CLOSE, 0);
        return false;
    });
    EXPECT_EQ(view->Dialogs().clientSetting(*view, *bed), IDCANCEL);
    EXPECT_EQ(caption, "Client Setting");
}

TEST_F(BedSettings, TheSheetSwallowsEnterAndEscapeAndReloadsOnATabChange)
{
    NyraClientInfo* bed = StartWithBed();
    CClientSettingDlg sheet(bed, view);
    ASSERT_TRUE(sheet.Create(IDD_CLIENT_SETTING, view));
    sheet.ShowWindow(SW_SHOW);
    EXPECT_EQ(sheet.GetCurrentTab(), 0);
    sheet.SelectTab(3);
    CClientPage* device = sheet.GetPage(3);
    const long stored = bed->GetMonitorPacket().GetQRSVolume();
    device->SendDlgItemMessage(1193, CB_SETCURSEL, 0);
    sheet.SelectTab(0);
    sheet.SelectTab(3);
    EXPECT_EQ(Selected(*device, 1193), stored);
    for (WPARAM key : {WPARAM(VK_RETURN), WPARAM(VK_ESCAPE)}) {
        MSG msg{device->GetDlgItem(1193)->GetSafeHwnd(), WM_KEYDOWN, key, 0, 0, {}};
        EXPECT_TRUE(sheet.PreTranslateMessage(&msg));
    }
    EXPECT_TRUE(::IsWindow(sheet.GetSafeHwnd()));
    sheet.DestroyWindow();
}

// ---- the alarm page and limit dialog ---------------------------------------------------------------

TEST_F(BedSettings, EveryTemperatureTenthRoundTrips)
{
    NyraClientInfo* bed = StartWithBed();
    auto page = OpenPage<CClientAlarmPage>(bed);
    for (int tenths = 150; tenths <= 450; ++tenths) {
        PKAlarm_v110 packet(bed->GetAlarmPacket());
        packet.SetTempLimit(tenths / 10.0f, 45.0f);
        bed->SetAlarmPacket(packet);
        page->Reload();
        ASSERT_EQ(page->GetLower(CClientAlarmPage::kTemp), tenths);
        float lower = 0;
        float upper = 0;
        page->BuildPacket().GetTempLimit(lower, upper);
        ASSERT_EQ(std::lround(lower * 10.0f), tenths);
    }
    PKAlarm_v110 packet(bed->GetAlarmPacket());
    packet.SetTempLimit(37.2f, 38.5f);
    packet.SetECGLimit(50, 120);
    packet.SetFECGLimit(100, 180);
    bed->SetAlarmPacket(packet);
    page->Reload();
    EXPECT_EQ(Text(*page, 1548), "37.2 ~ 38.5");
    EXPECT_EQ(Text(*page, 1533), "100 ~ 180"); // the FECG button shows the FECG limits
    EXPECT_EQ(Text(*page, 1545), "50 ~ 120");
}

// The simulator's alarm settings, as a monitor sends them over its link: every level list and the
// NIBP source show an entry, the FHR alarms that are on at "High".
TEST_F(BedSettings, TheSimulatorsAlarmSettingsShowALevelInEveryList)
{
    NyraClientInfo* bed = StartWithBed();
    auto page = OpenPage<CClientAlarmPage>(bed);
    for (int id : {1565, 1569, 1572, 1576, 1577, 1567, 1573, 1574, 1575, 1578, 1580, 1579, 1107}) {
        EXPECT_NE(Selected(*page, id), -1) << id;
        EXPECT_NE(Text(*page, id), "") << id;
    }
    EXPECT_EQ(Text(*page, 1565), "High"); // FHR1
    EXPECT_EQ(Text(*page, 1569), "High"); // FHR2
    EXPECT_EQ(Text(*page, 1107), "Systolic");
}

TEST_F(BedSettings, EachDisplayModeSwitchesOffItsAlarmGroups)
{
    // Check boxes in table order: FHR1, FHR2, FECG, FSpO2, ECG, MSpO2, TEMP, NIBP, UC, IUP.
    constexpr int kChecks[] = {1566, 1570, 1571, 1581, 1568, 1583, 1584, 1585, 1582, 1586};
    struct Case
    {
        int mode;
        const char* off; // one letter per check box: x = switched off
    } cases[] = {
        {1, "..xxxxxx.x"},
        {2, "..xx.....x"},
        {3, ".........."},
        {4, "xxxx....xx"},
    };
    NyraClientInfo* bed = StartWithBed();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        PKMonitor_v110 monitor(bed->GetMonitorPacket());
        monitor.SetDisplayMode(BYTE(c.mode));
        bed->SetMonitorPacket(monitor);
        auto page = OpenPage<CClientAlarmPage>(bed);
        const PKAlarm_v110 sent = page->BuildPacket();
        for (size_t i = 0; i < std::size(kChecks); ++i) {
            const bool off = c.off[i] == 'x';
            EXPECT_EQ(Enabled(*page, kChecks[i]), !off) << kChecks[i];
            if (off) {
                EXPECT_EQ(page->SendDlgItemMessage(kChecks[i], BM_GETCHECK), BST_UNCHECKED) << kChecks[i];
            }
        }
        if (c.mode == 4) {
            EXPECT_EQ(sent.GetFHR1AlarmEnable(), 0);
        }
        page->DestroyWindow();
    }
}

TEST_F(BedSettings, TheLimitDialogKeepsTheUpperLimitAboveTheLowerAndClampsItsStart)
{
    StartStation();
    CAlarmLimitDlg dialog(view);
    dialog.SetLimitInfo(0, 110, 160, 30, 300, 0, 0);
    ASSERT_TRUE(dialog.Create(IDD_ALARM_LIMIT, view));
    dialog.MoveSlider(CAlarmLimitDlg::IDC_LOW_SLIDER, 200);
    EXPECT_EQ(dialog.GetLowLimit(), 159);
    EXPECT_EQ(dialog.GetHighLimit(), 160);
    EXPECT_EQ(Text(dialog, CAlarmLimitDlg::IDC_LOW_TEXT), "159");
    dialog.DestroyWindow();

    CAlarmLimitDlg tenths(view);
    tenths.SetLimitInfo(1, 100, 385, 150, 450, 1, 0); // a start below the range is taken as its end
    ASSERT_TRUE(tenths.Create(IDD_ALARM_LIMIT, view));
    EXPECT_EQ(tenths.GetLowLimit(), 150);
    EXPECT_EQ(Text(tenths, CAlarmLimitDlg::IDC_HIGH_TEXT), "38.5");
    EXPECT_EQ(Text(tenths, CAlarmLimitDlg::IDC_MAX_TEXT), "45.0");
    tenths.MoveSlider(CAlarmLimitDlg::IDC_LOW_SLIDER, 300); // locked
    EXPECT_EQ(tenths.GetLowLimit(), 150);
    tenths.DestroyWindow();
}

// ---- the display page ---------------------------------------------------------------------------

TEST_F(BedSettings, TheDisplayPageShowsTheConnectionAndStoresTheRecordPeriod)
{
    const BYTE lan[4] = {192, 168, 0, 7};
    const BYTE none[4] = {0, 0, 0, 0};
    EXPECT_EQ(CClientDisplayPage::ConnectionText(lan, 0), "LAN (192:168:0:7)");
    EXPECT_EQ(CClientDisplayPage::ConnectionText(none, 3), "SERIAL (COM3)");
    EXPECT_EQ(CClientDisplayPage::ConnectionText(none, 0), "");

    NyraClientInfo* bed = StartWithBed();
    auto page = OpenPage<CClientDisplayPage>(bed);
    EXPECT_EQ(Text(*page, 1064), "LAN (127:0:0:2)");
    page->SendDlgItemMessage(1423, CB_SETCURSEL, 6); // Off, 5, 10, 15, 20, 25, 30
    page->OnApply();
    EXPECT_EQ(bed->GetConfig().RecordLimit, 30);
    page->OnSetDefault();
    page->OnApply();
    EXPECT_EQ(bed->GetConfig().RecordLimit, 0);

    // A stored value the list does not hold leaves it unselected, and Apply keeps the value.
    NyraConfig config = bed->GetConfig();
    config.SweepSpeed = 99;
    bed->SetConfig(config, FALSE);
    page->Reload();
    EXPECT_EQ(Selected(*page, 1419), -1);
    // Apply leaves the speed alone; the bed's window, which the grid now sizes, puts a speed
    // out of range back to 3 when it rebuilds, as it does for any settings change.
    page->OnApply();
    EXPECT_EQ(bed->GetConfig().SweepSpeed, 3);
}

// ---- the device page ----------------------------------------------------------------------------

TEST_F(BedSettings, TheDevicePageDisablesByModeAndItsDefaultsKeepTheNumber)
{
    // Lists enabled per mode, out of the 22 beside the number.
    const struct
    {
        int mode;
        int enabled;
    } cases[] = {{1, 7}, {2, 16}, {3, 21}, {4, 9}, {7, 22}};
    constexpr int kLists[] = {1502, 1192, 1193, 1045, 1421, 1429, 1436, 1048, 1051, 1433, 1442,
                              1449, 1194, 1435, 1431, 1437, 1438, 1440, 1196, 1443, 1447, 1445};
    NyraClientInfo* bed = StartWithBed();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        PKMonitor_v110 monitor(bed->GetMonitorPacket());
        monitor.SetDisplayMode(BYTE(c.mode));
        monitor.SetMonitorNumber(9);
        bed->SetMonitorPacket(monitor);
        auto page = OpenPage<CClientMonitorPage>(bed);
        int enabled = 0;
        for (int id : kLists)
            enabled += Enabled(*page, id) ? 1 : 0;
        EXPECT_EQ(enabled, c.enabled);
        EXPECT_EQ(Selected(*page, CClientMonitorPage::IDC_MONITOR_NUMBER), 9);
        page->OnSetDefault();
        const PKMonitor_v110 sent = page->BuildPacket();
        EXPECT_EQ(sent.GetMonitorNumber(), 9);
        EXPECT_EQ(sent.GetDisplayMode(), 1);
        EXPECT_EQ(sent.GetFHR2Offset(), 3);
        page->DestroyWindow();
    }
    // A stored value no list item holds leaves the list unselected and goes out unchanged.
    PKMonitor_v110 monitor(bed->GetMonitorPacket());
    monitor.SetQRSVolume(200);
    bed->SetMonitorPacket(monitor);
    auto page = OpenPage<CClientMonitorPage>(bed);
    EXPECT_EQ(Selected(*page, 1193), -1);
    EXPECT_EQ(page->BuildPacket().GetQRSVolume(), 200);
}

// ---- the patient page ---------------------------------------------------------------------------

TEST_F(BedSettings, ThePatientPageShowsDatesUnitsAndTheChosenDoctorAndNurse)
{
    NyraClientInfo* bed = StartWithBed({.extraDefault = "Height Unit=2\nWeight Unit=2\n"});
    PKPatient_v110& packet = bed->PatientPacket();
    packet.SetYear(1985);
    packet.SetMonth(3);
    packet.SetDay(7);
    packet.SetAge(40);
    packet.SetHeight(160);
    packet.SetWeight(60);
    TBLUser doctor(&g_Database);
    doctor.M_ID = "D-01";
    doctor.M_NAME = "Dr Kim";
    doctor.M_PASSWORD = "pw";
    doctor.M_LEVEL = 2;
    ASSERT_EQ(doctor.Add(), 1);
    SetUserPickers([](CWnd*, const CString&) -> std::optional<CString> { return CString("D-01"); },
                   [](CWnd*, const CString&) -> std::optional<CString> { return std::nullopt; });
    auto page = OpenPage<CClientPatientPage>(bed);
    EXPECT_EQ(Selected(*page, CClientPatientPage::IDC_YEAR), 1985);
    EXPECT_EQ(Selected(*page, CClientPatientPage::IDC_MONTH), 3);
    EXPECT_EQ(Selected(*page, CClientPatientPage::IDC_DAY), 7);
    EXPECT_EQ(Selected(*page, CClientPatientPage::IDC_AGE), 40);
    EXPECT_NEAR(std::stod(Text(*page, CClientPatientPage::IDC_HEIGHT).GetString()), 62.99, 0.01);
    EXPECT_NEAR(std::stod(Text(*page, CClientPatientPage::IDC_WEIGHT).GetString()), 132.28, 0.01);
    EXPECT_EQ(Text(*page, 1497), "inch");
    EXPECT_EQ(Text(*page, 1496), "lbs");
    EXPECT_EQ(Text(*page, 1046), ""); // not admitted
    EXPECT_FALSE(Enabled(*page, IDC_APPLY));

    page->OnSelectDoctor();
    page->OnSelectNurse(); // cancelled: nothing changes
    EXPECT_EQ(bed->m_strDoctorID, "D-01");
    EXPECT_EQ(Text(*page, CClientPatientPage::IDC_DOCTOR), "Dr Kim(D-01)");
    EXPECT_EQ(bed->m_strNurseID, "");
    SetUserPickers({}, {});

    packet.SetYear(1899);
    page->Reload();
    EXPECT_EQ(Selected(*page, CClientPatientPage::IDC_YEAR), -1);
}

TEST_F(BedSettings, ProtocolOnePointZeroDisablesThePatientMeasures)
{
    NyraClientInfo* bed = StartWithBed();
    for (const bool oldProtocol : {true, false}) {
        PKProtocolVer version(bed->GetProtocolVerPacket());
        version.SetVersion(1, oldProtocol ? 0 : 1);
        const_cast<PKProtocolVer&>(bed->GetProtocolVerPacket()).CopyPacket(&version);
        auto page = OpenPage<CClientPatientPage>(bed);
        for (int id : {CClientPatientPage::IDC_YEAR, CClientPatientPage::IDC_AGE, CClientPatientPage::IDC_HEIGHT})
            EXPECT_EQ(Enabled(*page, id), !oldProtocol) << id;
        page->DestroyWindow();
    }
}

} // namespace
