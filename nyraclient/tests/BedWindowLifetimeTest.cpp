// A click on a bed window may remove the bed it shows: Close on a bed whose monitor timed out,
// or a monitor that leaves while a dialog opened from a click is up. The window and its client
// must outlive the handler that is still running on them (run these under AddressSanitizer).
#include "support/BedWindowHarness.h"

#include "platform/msg/MessageBoxService.h"

#include <gtest/gtest.h>

using namespace bedtest;
using namespace stationtest;
using platform::host::NullHost;

namespace {

void ClickOn(const NyraControl& bed, const CRect& area)
{
    CPoint at = area.CenterPoint();
    bed.ClientToScreen(&at);
    NullHost::Click(at.x, at.y);
}

// The station's part for Close: the removal asks first (a timed-out bed) and goes ahead on OK.
void RemoveOnClose(BedStation& station)
{
    station.parent.onNotice = [&station](const Notice& n) {
        if (n.code == CLIENT_NOTIFY_COMMAND && n.value == NYRACMD_CLOSE)
            station.manager.RemoveClient(n.client, FALSE);
    };
}

class BedWindowLifetime : public ::testing::Test
{
protected:
    void SetUp() override { platform::msg::ResetMessageBoxScript(); }
    void TearDown() override { platform::msg::ResetMessageBoxScript(); }
};

TEST_F(BedWindowLifetime, CloseOnATimedOutTileRemovesTheBedAfterTheClickHandlerReturned)
{
    BedStation station;
    station.client->TimeOut();
    RemoveOnClose(station);
    platform::msg::ScriptMessageBoxAnswer(IDOK);

    ClickOn(*station.Tile(), station.Tile()->GetCaptionLayout().buttons[11].rect);
    Pump();
    nyraclient::FlushDeferredDeletes();
    EXPECT_EQ(station.manager.GetClientCount(), 0);
    EXPECT_EQ(platform::msg::TakeShownMessageBoxes().size(), 1u);
}

TEST_F(BedWindowLifetime, CloseOnATimedOutEnlargedBedCollapsesAndRemovesIt)
{
    BedStation station;
    ASSERT_EQ(station.manager.ExpandClient(station.client), 1);
    NyraControl* enlarged = NyraControl::EnlargedOf(station.client);
    ASSERT_NE(enlarged, nullptr);
    enlarged->MoveWindow(0, 0, 600, 400);
    Pump();
    station.client->TimeOut();
    RemoveOnClose(station);
    platform::msg::ScriptMessageBoxAnswer(IDOK);

    ClickOn(*enlarged, enlarged->GetCaptionLayout().buttons[11].rect);
    Pump();
    nyraclient::FlushDeferredDeletes();
    EXPECT_EQ(station.manager.GetClientCount(), 0);
    EXPECT_EQ(station.manager.GetExpandedClient(), nullptr);
}

TEST_F(BedWindowLifetime, AMonitorThatLeavesWhileASettingsDialogIsOpenIsRemovedWhenTheDialogCloses)
{
    Station station;
    NyraClientSock* sock = nullptr;
    auto sim = station.ConnectMonitor(sock);
    NyraClientInfo* client = station.Attach(*sim, sock);
    ASSERT_NE(client, nullptr);
    ASSERT_TRUE(Exchange(*sim, sim->ConnectPacket(), 1).size() == 1);
    station.parent.ShowWindow(SW_SHOW);
    NyraControl* tile = NyraControl::TileOf(client);
    tile->SetDisplayMode(DISPMODE_4CH);
    tile->MoveWindow(0, 0, 600, 400);
    Pump();

    // The settings dialog stands in as a message box whose answer pumps while the monitor
    // sends its disconnect notice, until the bed is gone from the manager.
    bool removedWhileOpen = false;
    station.parent.onNotice = [&](const Notice& n) {
        if (n.code != CLIENT_NOTIFY_COMMAND || n.value != NYRACMD_SETTING)
            return;
        platform::msg::ScriptMessageBoxAnswer([&](const platform::msg::MessageBoxRequest&) {
            sim->Send(sim->DisconnectPacket());
            removedWhileOpen = PumpUntil([&] { return station.manager.GetClientCount() == 0; });
            return IDOK;
        });
        AfxMessageBox("Settings");
    };
    const HWND tileWindow = tile->GetSafeHwnd();
    ClickOn(*tile, tile->GetCaptionLayout().buttons[10].rect);
    Pump();
    EXPECT_TRUE(removedWhileOpen);
    EXPECT_TRUE(PumpUntil([] { return nyraclient::PendingDeferredDeletes() == 0; }));
    EXPECT_FALSE(::IsWindow(tileWindow));
    ASSERT_FALSE(station.parent.notices.empty());
    EXPECT_EQ(station.parent.notices.back().code, CLIENT_NOTIFY_DISCONNECTED);
}

} // namespace
