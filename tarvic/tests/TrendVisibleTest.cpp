// The trend visibility dialog of a bed: what the monitor's display mode does not measure is
// cleared and disabled at once, "All" leaves disabled boxes alone, a hidden FHR2 stays hidden
// when the monitor resends its settings and comes back when it changes its display mode, the
// choices are the bed's own, and a bed that goes while the dialog is open is never touched.
#include "support/StationFixture.h"

#include "tarvic/dialogs/CTrendVisibleDlg.h"

#include "nyraclient/client/ClientMessages.h"

#include "platform/ui/controls/Button.h"
#include "testkit/Golden.h"
#include "testkit/ModalDriver.h"
#include "testkit/Pump.h"
#include "testkit/ScriptedDialogs.h"

#include <gtest/gtest.h>

using namespace stationtest;
using tarvic::bed::CTrendVisibleDlg;

namespace {

constexpr int kFHR2 = 12;

class TrendVisible : public StationTest
{
protected:
    NyraClientInfo* StartWithBed(int displayMode = 3, const char* address = "127.0.0.2")
    {
        if (view == nullptr)
            StartStation();
        MonitorSim* dialled = Dial(address);
        dialled->SetDisplayMode(displayMode);
        EXPECT_TRUE(PumpUntil([&] { return BedFrom(address) != nullptr; }));
        EXPECT_TRUE(dialled->Send(dialled->ConnectPacket()));
        Await(*dialled, 1); // the key comes with this answer
        EXPECT_TRUE(dialled->Send(dialled->VersionPacket()) && dialled->Send(dialled->MonitorPacket()) &&
                    dialled->Send(dialled->PatientPacket()) && dialled->Send(dialled->AlarmPacket()));
        Await(*dialled, 4);
        sim = dialled;
        return BedFrom(address);
    }

    std::unique_ptr<CTrendVisibleDlg> Open(NyraClientInfo* bed, CTrendVisibleDlg::ClientGone gone = {})
    {
        auto dialog = std::make_unique<CTrendVisibleDlg>(view, std::move(gone));
        dialog->SetClientInfo(bed);
        EXPECT_TRUE(dialog->Create(211, view));
        return dialog;
    }

    static void Click(CWnd& dialog, int id, UINT state)
    {
        dialog.CheckDlgButton(id, state);
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    }
    static bool Checked(CWnd& dialog, int id) { return dialog.IsDlgButtonChecked(id) == BST_CHECKED; }
    static bool Enabled(CWnd& dialog, int id) { return dialog.GetDlgItem(id)->IsWindowEnabled() != FALSE; }

    MonitorSim* sim { nullptr };
    testkit::ScriptedDialogs boxes;
};

TEST_F(TrendVisible, ADisplayModeClearsAndDisablesWhatItDoesNotMeasureAtOnce)
{
    NyraClientInfo* bed = StartWithBed(2);
    std::array<int, NyraConfig::kDisplayFlags> all;
    all.fill(1); // as if the user had shown everything
    bed->SetDisplayFlags(all);
    ASSERT_EQ(bed->GetConfig().IsVisible(7), 1);
    auto dialog = Open(bed);
    for (int id : {CTrendVisibleDlg::IDC_IUP, CTrendVisibleDlg::IDC_FECG, CTrendVisibleDlg::IDC_FSPO2,
                   CTrendVisibleDlg::IDC_FSPO2_PR}) {
        EXPECT_FALSE(Checked(*dialog, id)) << id;
        EXPECT_FALSE(Enabled(*dialog, id)) << id;
    }
    EXPECT_TRUE(Checked(*dialog, CTrendVisibleDlg::IDC_FHR1));
    EXPECT_FALSE(dialog->GetDlgItem(CTrendVisibleDlg::IDC_STIMULATOR)->IsWindowVisible());
    // Waves can be chosen only for a bed shown enlarged (the first bed is, in the station's mode 0).
    EXPECT_EQ(Enabled(*dialog, CTrendVisibleDlg::IDC_SHOW_WAVEFORM), bed->GetEnlargedControl() != nullptr);
    // Before any click the bed stops drawing them.
    const NyraConfig stored = bed->GetConfig();
    for (int kind : {7, 8, 9, 10})
        EXPECT_EQ(stored.IsVisible(kind), 0) << kind;
    EXPECT_EQ(stored.IsVisible(11), 1);
    dialog->DestroyWindow();
}

TEST_F(TrendVisible, AllInMotherOnlyModeLeavesTheDisabledFetalBoxesCleared)
{
    NyraClientInfo* bed = StartWithBed(4);
    std::array<int, NyraConfig::kDisplayFlags> none{};
    bed->SetDisplayFlags(none);
    auto dialog = Open(bed);
    Click(*dialog, CTrendVisibleDlg::IDC_ALL, BST_UNCHECKED);
    Click(*dialog, CTrendVisibleDlg::IDC_ALL, BST_CHECKED);
    const NyraConfig stored = bed->GetConfig();
    for (int kind : {1, 2, 3, 4, 5})
        EXPECT_EQ(stored.IsVisible(kind), 1) << kind;
    for (int kind : {6, 7, 8, 9, 10, 11, 12, 13, 14})
        EXPECT_EQ(stored.IsVisible(kind), 0) << kind;
    EXPECT_FALSE(Enabled(*dialog, CTrendVisibleDlg::IDC_MARKER));
    dialog->DestroyWindow();
}

TEST_F(TrendVisible, AHiddenFHR2SurvivesAResentMonitorPacketAndAModeChangeResetsIt)
{
    NyraClientInfo* bed = StartWithBed(3);
    NyraClientInfo* other = StartWithBed(3, "127.0.0.3");
    MonitorSim* first = sims.front().get();
    const NyraConfig stationBefore = g_Config;

    // Through the station's own opener: the dialog shows until Close.
    testkit::ModalDriver driver;
    driver.Start([&](int) {
        auto* dialog = dynamic_cast<CTrendVisibleDlg*>(CWnd::FromHandlePermanent(::GetActiveWindow()));
        if (dialog == nullptr)
            return true;
        Click(*dialog, CTrendVisibleDlg::IDC_FHR2, BST_UNCHECKED);
        dialog->PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return false;
    });
    bed->SendMsgToParent(CLIENT_NOTIFY_TREND_SETTING, 0);
    EXPECT_EQ(bed->GetConfig().IsVisible(kFHR2), 0);
    EXPECT_EQ(other->GetConfig().IsVisible(kFHR2), 1);
    EXPECT_EQ(g_Config.DisplayFlag, stationBefore.DisplayFlag);

    ASSERT_TRUE(first->Send(first->MonitorPacket()));
    Await(*first, 1);
    EXPECT_EQ(bed->GetConfig().IsVisible(kFHR2), 0);

    first->SetDisplayMode(2);
    ASSERT_TRUE(first->Send(first->MonitorPacket()));
    Await(*first, 1);
    EXPECT_EQ(bed->GetConfig().IsVisible(kFHR2), 1);
    EXPECT_EQ(bed->GetConfig().IsVisible(7), 0); // IUP, not measured in mode 2
}

TEST_F(TrendVisible, ABedGoneWhileTheDialogIsOpenIsNeverTouched)
{
    NyraClientInfo* bed = StartWithBed(3);
    // Directly: once gone, a click stores nothing and closes the dialog.
    bool gone = false;
    auto dialog = Open(bed, [&] { return gone; });
    const NyraConfig before = bed->GetConfig();
    gone = true;
    Click(*dialog, CTrendVisibleDlg::IDC_FHR1, BST_UNCHECKED);
    EXPECT_EQ(bed->GetConfig().DisplayFlag, before.DisplayFlag);
    dialog->DestroyWindow();

    // Through the station: the monitor says goodbye while the dialog is open; the dialog ends
    // and the bed goes after it.
    testkit::ModalDriver driver;
    driver.Start([&](int call) {
        if (call == 1) {
            sim->Send(sim->DisconnectPacket());
            return true;
        }
        auto* open = dynamic_cast<CTrendVisibleDlg*>(CWnd::FromHandlePermanent(::GetActiveWindow()));
        if (open != nullptr && view->IsBedDialogClientGone())
            Click(*open, CTrendVisibleDlg::IDC_FHR2, BST_UNCHECKED);
        return call < 200;
    });
    bed->SendMsgToParent(CLIENT_NOTIFY_TREND_SETTING, 0);
    driver.Stop();
    EXPECT_TRUE(PumpUntil([&] { return BedCount() == 0; }));
    EXPECT_TRUE(PumpUntil([] { return nyraclient::PendingDeferredDeletes() == 0; }));
}

TEST_F(TrendVisible, Picture)
{
    NyraClientInfo* bed = StartWithBed(2);
    auto dialog = Open(bed);
    dialog->ShowWindow(SW_SHOW);
    testkit::Pump();
    const platform::Image picture = testkit::Capture(dialog->GetSafeHwnd());
    testkit::SaveForReview(picture, "tarvic_trend_visible");
    testkit::ExpectMatchesGolden(picture, "tarvic/tests/golden/TrendVisible.png", {48, 0.01});
    dialog->DestroyWindow();
}

} // namespace
