// Admission: the search condition for every combination of texts and dates, the list's cells
// (no-date values and unset numbers blank, units), an admitted bed opened read-only, a patient
// already admitted elsewhere refused (by the whole id, longer than the monitor's 20 bytes), an
// admission that records when "Record On Admit" is set, a demo bed admitted by the station
// itself, and a bed without a link refused. Also the pictures of the per-bed dialogs, and the
// patient list's scroll bar when more patients are registered than fit.
#include "support/StationFixture.h"

#include "tarvic/dialogs/BedDialogOpeners.h"
#include "tarvic/dialogs/CAdmitPatientDlg.h"
#include "tarvic/dialogs/CAlarmLimitDlg.h"
#include "tarvic/dialogs/CClientSettingDlg.h"
#include "tarvic/res/BedDialogIds.h"

#include "nyraclient/client/ClientMessages.h"

#include "testkit/Golden.h"
#include "testkit/Pump.h"
#include "testkit/ScriptedDialogs.h"
#include "testkit/TestWindow.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>

using namespace stationtest;
using namespace tarvic::bed;

namespace {

class Admission : public StationTest
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

    static void AddPatient(const char* id, const char* first, const char* last, COleDateTime registered)
    {
        TBLPatient patient(&g_Database);
        patient.P_ID = id;
        patient.P_FIRST_NAME = first;
        patient.P_LAST_NAME = last;
        patient.P_REG_DATE = registered;
        patient.P_BIRTHDAY = COleDateTime(1990, 4, 12, 0, 0, 0);
        patient.P_LMP = COleDateTime(1000, 1, 1, 0, 0, 0);
        patient.P_EDC = COleDateTime(1000, 1, 1, 0, 0, 0);
        patient.P_EDIT_DATE = registered;
        patient.P_GR = -1;
        patient.P_PA = 2;
        patient.P_HEIGHT = 160;
        patient.P_WEIGHT = 60;
        ASSERT_EQ(patient.Add(), 1);
    }

    // The admission dialog of `bed`, open (not modal).
    std::unique_ptr<CAdmitPatientDlg> Open(NyraClientInfo* bed)
    {
        auto dialog = std::make_unique<CAdmitPatientDlg>(bed, &Manager(), view);
        EXPECT_TRUE(dialog->Create(IDD_ADMIT_PATIENT, view));
        return dialog;
    }

    static bool Enabled(CWnd& dialog, int id) { return dialog.GetDlgItem(id)->IsWindowEnabled() != FALSE; }

    testkit::ScriptedDialogs boxes;
    MonitorSim* sim{nullptr};
};

TEST(AdmissionSearch, TheConditionTakesEachPartThatApplies)
{
    const COleDateTime from(2026, 3, 1, 0, 0, 0);
    const COleDateTime to(2026, 3, 31, 0, 0, 0);
    struct Case
    {
        const char* id;
        const char* first;
        const char* last;
        const COleDateTime* from;
        const COleDateTime* to;
        const char* clause;
    } cases[] = {
        {"", "  ", "", nullptr, nullptr, ""},
        {"", "", "", &from, nullptr, "WHERE P_REG_DATE>=#2026-03-01#"},
        {"", "", "", nullptr, &to, "WHERE P_REG_DATE<#2026-04-01#"},
        {"", "", "", &from, &to, "WHERE P_REG_DATE>=#2026-03-01# AND P_REG_DATE<#2026-04-01#"},
        {" P-1 ", "", "O'Hara", nullptr, nullptr, "WHERE P_ID LIKE '%P-1%' AND P_LAST_NAME LIKE '%O''Hara%'"},
        {"", "Ann", "", nullptr, nullptr, "WHERE P_FIRST_NAME LIKE '%Ann%'"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CAdmitPatientDlg::BuildSearchClause(c.id, c.first, c.last, c.from, c.to), c.clause);
}

TEST(AdmissionSearch, RowsShowBlankCellsForNoDatesAndConvertUnits)
{
    TBLPatientRow row;
    row.P_ID = "P-7";
    row.P_FIRST_NAME = "Anna";
    row.P_LAST_NAME = "Berg";
    row.P_REG_DATE = COleDateTime(2026, 12, 1, 9, 30, 0);
    row.P_BIRTHDAY = COleDateTime(1000, 1, 1, 0, 0, 0);
    row.P_EDC = COleDateTime(1000, 1, 1, 0, 0, 0);
    row.P_LMP = COleDateTime(2026, 3, 2, 0, 0, 0);
    row.P_GR = -1;
    row.P_PA = 0;
    row.P_HEIGHT = 160;
    row.P_WEIGHT = 60;
    const auto metric = CAdmitPatientDlg::FormatRow(row, 1, 1);
    EXPECT_EQ(metric[1], "Berg Anna");
    EXPECT_EQ(metric[2], "2026-12-01");
    EXPECT_EQ(metric[3], "");
    EXPECT_EQ(metric[4], "");
    EXPECT_EQ(metric[6], "2026-03-02");
    EXPECT_EQ(metric[7], "");
    EXPECT_EQ(metric[8], "0");
    EXPECT_EQ(metric[9], "160.0 cm");
    EXPECT_EQ(metric[10], "60.0 kg");
    const auto imperial = CAdmitPatientDlg::FormatRow(row, 2, 2);
    EXPECT_EQ(imperial[9], "63.0 inch");
    EXPECT_EQ(imperial[10], "132.3 lbs");
}

TEST_F(Admission, SearchFindsRegistrationsOfTheWholeLastDay)
{
    StartWithBed();
    AddPatient("P-0001", "Anna", "Berg", COleDateTime(2026, 3, 31, 18, 45, 0));
    AddPatient("P-0002", "Eva", "O'Hara", COleDateTime(2026, 4, 1, 8, 0, 0));
    NyraClientInfo* bed = BedFrom("127.0.0.2");
    auto dialog = Open(bed);
    EXPECT_EQ(dialog->List().GetItemCount(), 2);
    const COleDateTime lastDay(2026, 3, 31, 0, 0, 0);
    const CString upTo31 = CAdmitPatientDlg::BuildSearchClause("", "", "", nullptr, &lastDay);
    EXPECT_EQ(dialog->FillList(upTo31), 1);
    EXPECT_EQ(dialog->FillList(CAdmitPatientDlg::BuildSearchClause("", "", "O'Hara", nullptr, nullptr)), 1);
    EXPECT_EQ(dialog->List().GetItemText(0, 0), "P-0002");
    dialog->DestroyWindow();
}

TEST_F(Admission, AnAdmittedBedOpensReadOnly)
{
    NyraClientInfo* bed = StartWithBed();
    AdmitPatient(bed, *sim, "P-0009");
    auto dialog = Open(bed);
    CString id;
    dialog->GetDlgItemText(CAdmitPatientDlg::IDC_PATIENT_ID, id);
    EXPECT_EQ(id, "P-0009");
    EXPECT_EQ(dialog->List().GetItemCount(), 0);
    EXPECT_FALSE(Enabled(*dialog, IDOK));
    EXPECT_FALSE(Enabled(*dialog, CAdmitPatientDlg::IDC_CLEAR));
    EXPECT_FALSE(Enabled(*dialog, CAdmitPatientDlg::IDC_ADMIT));
    EXPECT_TRUE(Enabled(*dialog, CAdmitPatientDlg::IDC_DISCHARGE));
    EXPECT_FALSE(Enabled(*dialog, CAdmitPatientDlg::IDC_DATE_FROM));
    CString status;
    dialog->GetDlgItemText(1065, status);
    EXPECT_EQ(status, "Admitted");
    dialog->DestroyWindow();
}

TEST_F(Admission, APatientAdmittedElsewhereIsRefusedByTheWholeId)
{
    NyraClientInfo* first = StartWithBed();
    MonitorSim* other = nullptr;
    NyraClientInfo* second = ConnectMonitor("127.0.0.3", &other);
    ASSERT_NE(second, nullptr);
    // 25 characters: the patient packet keeps only the first 20.
    const char* longId = "ABCDEFGHIJKLMNOPQRSTUVWXY";
    AdmitPatient(first, *sim, longId);
    EXPECT_EQ(Manager().CheckAdmitInfoInUse(longId), 1);
    EXPECT_EQ(Manager().CheckAdmitInfoInUse("ABCDEFGHIJKLMNOPQRSTZZZZZ"), 0);

    AddPatient("P-0003", "Anna", "Berg", COleDateTime(2026, 1, 5, 0, 0, 0));
    AdmitPatient(first, *sim, "P-0003");
    auto dialog = Open(second);
    dialog->SelectRow(0);
    ASSERT_TRUE(Enabled(*dialog, CAdmitPatientDlg::IDC_ADMIT));
    boxes.Reset();
    dialog->OnAdmit();
    const auto shown = boxes.Boxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Patient info is already being used. Select another patient.");
    EXPECT_EQ(shown[0].Icon(), UINT(MB_ICONSTOP));
    EXPECT_FALSE(second->IsAdmitted());
    EXPECT_TRUE(::IsWindow(dialog->GetSafeHwnd()));
    dialog->DestroyWindow();
}

TEST_F(Admission, AdmittingWithRecordOnAdmitStartsARecording)
{
    NyraClientInfo* bed = StartWithBed({.recordOnAdmit = 1});
    SetFreeMegabytes(5000);
    AddPatient("P-0004", "Anna", "Berg", COleDateTime(2026, 1, 5, 0, 0, 0));
    AddPatient("P-0005", "Eva", "Lind", COleDateTime(2026, 1, 6, 0, 0, 0));
    const char* chosen = nullptr;
    view->Dialogs().admitPatient = [&](CTarvicIIView& station, NyraClientInfo& client) -> INT_PTR {
        CAdmitPatientDlg dialog(&client, &station.GetClientManager(), &station);
        // Inside the modal loop: pick the patient's row, then Admit (Yes).
        boxes.AnswerBoxes({IDYES});
        testkit::RecordingWnd helper;
        helper.CreateTop(CRect(0, 0, 1, 1), WS_POPUP);
        helper.onMessage = [&](UINT message, WPARAM, LPARAM, LRESULT&) {
            if (message != WM_USER + 5)
                return false;
            for (int row = 0; row < dialog.List().GetItemCount(); ++row)
                if (dialog.List().GetItemText(row, 0) == chosen)
                    dialog.SelectRow(row);
            dialog.OnAdmit();
            return true;
        };
        helper.PostMessage(WM_USER + 5);
        const INT_PTR result = station.RunBedDialog(dialog, &client);
        helper.DestroyWindow();
        return result;
    };
    chosen = "P-0004";
    bed->SendMsgToParent(CLIENT_NOTIFY_COMMAND, NYRACMD_ADMIT);
    EXPECT_TRUE(bed->IsAdmitted());
    EXPECT_EQ(bed->GetAdmittedPatient().P_ID, "P-0004");
    EXPECT_TRUE(bed->IsRecording());

    // A demo bed: the station acknowledges the admission itself and the recording starts alike.
    ASSERT_EQ(Manager().AddDemoClient(), 1);
    NyraClientInfo* demo = nullptr;
    for (int i = 0; i < Manager().GetClientCount(); ++i) {
        NyraClientInfo* client = Manager().GetClient(i);
        if (client != nullptr && client->IsDemo())
            demo = client;
    }
    ASSERT_NE(demo, nullptr);
    chosen = "P-0005";
    demo->SendMsgToParent(CLIENT_NOTIFY_COMMAND, NYRACMD_ADMIT);
    EXPECT_TRUE(demo->IsAdmitted());
    EXPECT_EQ(demo->GetAdmittedPatient().P_ID, "P-0005");
    EXPECT_TRUE(demo->IsRecording());
}

TEST_F(Admission, ADemoBedIsAdmittedByTheStationAndALostLinkIsRefused)
{
    StartWithBed();
    AddPatient("P-0005", "Anna", "Berg", COleDateTime(2026, 1, 5, 0, 0, 0));
    NyraClientInfo demo(nullptr, 1, 0);
    demo.SetKey(6);
    auto dialog = Open(&demo);
    dialog->SelectRow(0);
    boxes.AnswerBoxes({IDYES});
    dialog->OnAdmit();
    EXPECT_TRUE(demo.IsAdmitted());
    EXPECT_EQ(demo.GetAdmittedPatient().P_ID, "P-0005");
    dialog->DestroyWindow();

    NyraClientInfo* bed = BedFrom("127.0.0.2");
    bed->TimeOut(); // the link is lost
    auto refused = Open(bed);
    refused->SelectRow(0);
    boxes.Reset();
    boxes.AnswerBoxes({IDYES});
    refused->OnAdmit();
    const auto texts = boxes.BoxTexts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1], "Admit is failed!!");
    EXPECT_FALSE(bed->IsAdmitted());
    EXPECT_EQ(bed->IsWaitingAck(NyraClientInfo::WAIT_ACK_ADMIT), 0);
    refused->DestroyWindow();
    demo.DestroyWindow();
}

TEST_F(Admission, ABirthdayNeverEnteredGoesOutAsNoData)
{
    NyraClientInfo* bed = StartWithBed();
    TBLPatient patient(&g_Database);
    patient.P_ID = "P-0006";
    patient.P_BIRTHDAY = COleDateTime(1000, 1, 1, 0, 0, 0);
    bed->Admit(patient);
    EXPECT_EQ(bed->GetPatientPacket().GetYear(), 0xFFFF);
    EXPECT_EQ(bed->GetPatientPacket().GetAge(), 255);
    bed->CancelWaitAdmit();
}

// The viewing stations' thread copies the stored patient packet while admissions are sent and
// withdrawn: every copy is one of the two whole packets, never one half written.
TEST_F(Admission, TheBrokerCopiesThePatientPacketWholeWhileAnAdmissionIsSentAndWithdrawn)
{
    NyraClientInfo* bed = StartWithBed();
    TBLPatient patient(&g_Database);
    patient.P_ID = "P-0010";
    patient.P_FIRST_NAME = "Anna";
    patient.P_LAST_NAME = "Berg";
    patient.P_BIRTHDAY = COleDateTime(1990, 4, 12, 0, 0, 0);
    patient.P_HEIGHT = 165;
    patient.P_WEIGHT = 70;
    const PKPatient_v110 before(bed->GetPatientPacket());
    bed->Admit(patient);
    const PKPatient_v110 admitted(bed->GetPatientPacket());
    bed->CancelWaitAdmit();
    ASSERT_NE(0, std::memcmp(before.GetPacket(), admitted.GetPacket(), PKPatient_v110::kSize));

    std::atomic<bool> stop{false};
    std::atomic<int> copies{0};
    std::atomic<int> torn{0};
    std::thread broker([&] {
        BYTE copy[PKPatient_v110::kSize];
        while (!stop.load()) {
            const int size = bed->CopyStoredPacket(PK_TYPE_PATIENT, copy, int(sizeof copy));
            ++copies;
            if (size != PKPatient_v110::kSize
                || (std::memcmp(copy, before.GetPacket(), sizeof copy) != 0
                    && std::memcmp(copy, admitted.GetPacket(), sizeof copy) != 0))
                ++torn;
        }
    });
    // The copies must overlap the admissions: start them once the thread is copying.
    while (copies.load() == 0)
        std::this_thread::yield();
    for (int i = 0; i < 2000; ++i) {
        bed->Admit(patient);
        bed->CancelWaitAdmit();
    }
    stop = true;
    broker.join();
    EXPECT_GT(copies.load(), 0);
    EXPECT_EQ(torn.load(), 0);
}

// The per-bed dialogs as a nurse sees them, saved for review.
TEST_F(Admission, PicturesOfTheBedDialogs)
{
    NyraClientInfo* bed = StartWithBed();
    AddPatient("P-0001", "Anna", "Berg", COleDateTime(2026, 3, 31, 18, 45, 0));
    AddPatient("P-0002", "Eva", "Lind", COleDateTime(2026, 4, 1, 8, 0, 0));
    auto admit = Open(bed);
    admit->ShowWindow(SW_SHOW);
    testkit::Pump();
    testkit::SaveForReview(testkit::Capture(admit->GetSafeHwnd()), "tarvic_admit");
    admit->DestroyWindow();

    CClientSettingDlg sheet(bed, view);
    ASSERT_TRUE(sheet.Create(IDD_CLIENT_SETTING, view));
    sheet.ShowWindow(SW_SHOW);
    const char* names[] = {"display", "patient", "alarm", "device"};
    for (int tab = 0; tab < CClientSettingDlg::kPageCount; ++tab) {
        sheet.SelectTab(tab);
        testkit::Pump();
        const platform::Image picture = testkit::Capture(sheet.GetSafeHwnd());
        testkit::SaveForReview(picture, std::string("tarvic_setting_") + names[tab]);
        if (tab == 2)
            testkit::ExpectMatchesGolden(picture, "tarvic/tests/golden/BedAlarmPage.png", {48, 0.01});
    }
    sheet.DestroyWindow();

    CAlarmLimitDlg limits(view);
    limits.SetLimitInfo(1, 365, 385, 150, 450, 0, 0);
    ASSERT_TRUE(limits.Create(IDD_ALARM_LIMIT, view));
    limits.ShowWindow(SW_SHOW);
    testkit::Pump();
    testkit::SaveForReview(testkit::Capture(limits.GetSafeHwnd()), "tarvic_alarm_limit");
    limits.DestroyWindow();
}

// More patients than the list shows: its vertical bar is there to reach the rest, and its
// horizontal one to reach the columns right of the list's width.
TEST_F(Admission, TheListOfManyPatientsShowsItsScrollBars)
{
    NyraClientInfo* bed = StartWithBed();
    for (int i = 0; i < 40; ++i) {
        CString id;
        id.Format("P-%04d", i + 1);
        AddPatient(id, "Anna", "Berg", COleDateTime(2026, 3, 1 + i % 28, 9, 30, 0));
    }
    auto admit = Open(bed);
    admit->ShowWindow(SW_SHOW);
    testkit::Pump();
    CListCtrl& list = admit->List();
    ASSERT_EQ(list.GetItemCount(), 40);
    EXPECT_TRUE(list.GetStyle() & WS_VSCROLL);
    EXPECT_LT(list.GetCountPerPage(), 40);
    // The list alone: the dialog's date boxes show today.
    testkit::ExpectMatchesGolden(testkit::Capture(list.GetSafeHwnd()), "tarvic/tests/golden/AdmitManyPatients.png", {48, 0.01});
    admit->DestroyWindow();
}

} // namespace
