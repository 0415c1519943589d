// The bed grid: the tile rectangles of each display mode (with and without an enlarged bed),
// which beds get tile windows on which page, the order of the beds with "Device Position Fix",
// and the picture of a grid a nurse sees.
#include "support/BedWindowHarness.h"
#include "support/StationHarness.h"

#include "nyraclient/manager/CClientLayout.h"

#include "platform/gdi/Image.h"
#include "platform/gdi/TextRecorder.h"
#include "platform/gdi/WindowDCs.h"
#include "testkit/Golden.h"
#include "testkit/Pump.h"
#include "testkit/TextLayout.h"

#include <gtest/gtest.h>

#include <regex>

using namespace stationtest;
using testkit::Pump;

namespace {

// A manager without a window whose array has `entries` places (one bed, the rest empty places
// from "Device Position Fix"), for the enlarged layouts that depend on it.
struct Owner
{
    explicit Owner(int entries)
    {
        NyraConfig config = manager.GetConfig();
        config.DevicePositionFix = 1;
        manager.SetConfig(config, FALSE);
        for (int i = 0; i < std::min(entries, 3); ++i)
            manager.ConnectedAsLan(10, 0, 0, BYTE(i + 1), i + 1);
        if (entries > 3) {
            manager.GetClient(0)->MonitorPacket().SetMonitorNumber(BYTE(entries));
            manager.Sort(FALSE); // places 1 .. 16 and no more beds: 16 entries
        }
    }
    ~Owner() { manager.ClearAll(); nyraclient::FlushDeferredDeletes(); }
    NyraClientManager manager;
};

struct LayoutCase
{
    const char* name;
    int mode;
    int entries;   // of the owner; -1 none
    BOOL expanded;
    CSize area;
    int tiles;
    std::vector<std::pair<int, CRect>> someTiles;
    CRect enlarged;
};

TEST(GridLayout, ModesAndSizesGiveTheseTiles)
{
    const LayoutCase cases[] = {
        { "two beds", 1, -1, FALSE, { 1000, 800 }, 2, { { 0, { 2, 2, 998, 398 } }, { 1, { 2, 402, 998, 798 } } }, {} },
        { "four beds", 2, -1, FALSE, { 1000, 800 }, 4, { { 0, { 2, 2, 498, 398 } }, { 3, { 502, 402, 998, 798 } } }, {} },
        { "eight beds, odd size", 3, -1, FALSE, { 1001, 801 }, 8, { { 6, { 502, 402, 748, 798 } } }, {} },
        { "sixteen beds", 4, -1, FALSE, { 1000, 800 }, 16, { { 5, { 252, 202, 498, 398 } }, { 15, { 752, 602, 998, 798 } } }, {} },
        { "sixteen beds with a margin", 4, -1, FALSE, { 1007, 800 }, 16, { { 0, { 3, 2, 250, 198 } } }, {} },
        { "mode 0 without an enlarged bed", 0, -1, FALSE, { 1000, 800 }, 16, { { 15, { 752, 602, 998, 798 } } }, {} },
        { "one bed enlarged", 0, 1, TRUE, { 1000, 800 }, 8, { { 0, { 0, 0, 0, 0 } }, { 7, { 0, 0, 0, 0 } } }, { 4, 2, 996, 798 } },
        { "three beds, one enlarged", 0, 3, TRUE, { 1000, 800 }, 8, { { 0, { 834, 2, 996, 98 } }, { 7, { 834, 702, 996, 798 } } }, { 4, 2, 832, 798 } },
        { "nine or more entries, one enlarged", 0, 9, TRUE, { 1000, 800 }, 16,
          { { 0, { 668, 2, 830, 98 } }, { 8, { 834, 2, 996, 98 } }, { 15, { 834, 702, 996, 798 } } }, { 4, 2, 666, 798 } },
        { "no mode", -1, -1, FALSE, { 1000, 800 }, 0, {}, {} },
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<Owner> owner = c.entries >= 0 ? std::make_unique<Owner>(c.entries) : nullptr;
        CClientLayout layout;
        layout.SetOwner(owner != nullptr ? &owner->manager : nullptr);
        if (c.mode >= 0)
            layout.SetMode(static_cast<DISPMODE>(c.mode), FALSE);
        layout.SetExpanded(c.expanded, FALSE);
        layout.Recalc(c.area.cx, c.area.cy);
        EXPECT_EQ(layout.GetTileCount(), c.tiles);
        for (const auto& [index, rect] : c.someTiles)
            EXPECT_EQ(layout.GetTileRect(index), rect) << "tile " << index;
        EXPECT_EQ(layout.GetExpandedRect(), c.enlarged);
        EXPECT_EQ(layout.GetTileRect(c.tiles), CRect()) << "a tile beyond the page has no place";
        EXPECT_EQ(layout.GetTileRect(-1), CRect());
    }
}

TEST(GridLayout, AZeroSizeKeepsTheLastAreaAndGivesNoTiles)
{
    CClientLayout layout;
    EXPECT_EQ(layout.SetMode(DISPMODE_4CH, TRUE), 1);
    EXPECT_EQ(layout.SetMode(DISPMODE_4CH, TRUE), 0);
    layout.Recalc(1000, 800);
    layout.Recalc(0, 800);
    EXPECT_EQ(layout.GetTileCount(), 0);
    EXPECT_EQ(layout.GetArea(), CSize(1000, 800));
    layout.SetMode(DISPMODE_2CH, TRUE); // recomputed for the stored area
    EXPECT_EQ(layout.GetTileCount(), 2);
    EXPECT_EQ(layout.GetPageSize(), 2);
}

// ---- the manager's grid --------------------------------------------------------------------------

class Grid : public ::testing::Test
{
protected:
    // A bed listed by another station with this monitor number, sorted into place.
    NyraClientInfo* AddListed(int number)
    {
        const int key = ++m_nextKey;
        EXPECT_EQ(m_station.manager.ConnectedAsLan(10, 0, 0, BYTE(key), key), key);
        NyraClientInfo* client = m_station.manager.GetClient(m_station.manager.PeerCheck(10, 0, 0, BYTE(key)));
        client->MonitorPacket().SetMonitorNumber(BYTE(number));
        m_station.manager.Sort(TRUE);
        return client;
    }
    void PositionFix(int on)
    {
        NyraConfig config = m_station.manager.GetConfig();
        config.DevicePositionFix = on;
        m_station.manager.SetConfig(config, FALSE);
    }

    Station m_station;
    int m_nextKey { 0 };
};

TEST_F(Grid, MirroredBedsOneFiveAndSeventeenTakeTwoPagesInModeFour)
{
    PositionFix(1);
    m_station.manager.SetDisplayMode(4, TRUE);
    m_station.manager.ResetLayout(0, 0, 800, 600);
    NyraClientInfo* one = AddListed(1);
    NyraClientInfo* five = AddListed(5);
    NyraClientInfo* seventeen = AddListed(17);

    NyraClientManager& manager = m_station.manager;
    ASSERT_EQ(manager.GetClientCount(), 17);
    EXPECT_EQ(manager.GetClient(0), one);
    EXPECT_EQ(manager.GetClient(4), five);
    EXPECT_EQ(manager.GetClient(16), seventeen);
    EXPECT_EQ(manager.GetTotalPageCount(), 2);
    EXPECT_TRUE(manager.CanNext());
    EXPECT_FALSE(manager.CanPrev());
    EXPECT_NE(one->GetControl(), nullptr);
    EXPECT_NE(five->GetControl(), nullptr);
    EXPECT_EQ(seventeen->GetControl(), nullptr);
    // Bed 5 sits in tile position 5 (index 4) of the first page.
    CRect rect;
    five->GetControl()->GetWindowRect(&rect);
    m_station.parent.ScreenToClient(&rect);
    EXPECT_EQ(rect, manager.GetLayout().GetTileRect(4));

    manager.ShowNextPage();
    EXPECT_EQ(manager.GetCurrentPage(), 1);
    EXPECT_EQ(one->GetControl(), nullptr);
    EXPECT_EQ(five->GetControl(), nullptr);
    ASSERT_NE(seventeen->GetControl(), nullptr);
    EXPECT_EQ(seventeen->GetTileID(), 0) << "the tile ids of the first page were given back";
    EXPECT_FALSE(manager.CanNext());
    EXPECT_TRUE(manager.CanPrev());
    manager.ShowNextPage(); // nothing beyond the last page
    EXPECT_EQ(manager.GetCurrentPage(), 1);

    // The only bed of the last page goes: the grid falls back to the new last page.
    manager.RemoveClient(seventeen, TRUE);
    nyraclient::FlushDeferredDeletes();
    EXPECT_EQ(manager.GetTotalPageCount(), 1);
    EXPECT_EQ(manager.GetCurrentPage(), 0);
    EXPECT_NE(one->GetControl(), nullptr);
}

TEST_F(Grid, TwoBedsWithOneNumberBothStayWithPositionFix)
{
    PositionFix(1);
    NyraClientInfo* first = AddListed(5);
    NyraClientInfo* second = AddListed(5);
    ASSERT_EQ(m_station.manager.GetClientCount(), 17);
    EXPECT_EQ(m_station.manager.GetClient(4), first);
    EXPECT_EQ(m_station.manager.GetClient(16), second) << "after the 16 places, never dropped";
    // Sorting again keeps both where they are.
    m_station.manager.Sort(TRUE);
    EXPECT_EQ(m_station.manager.GetClient(4), first);
    EXPECT_EQ(m_station.manager.GetClient(16), second);
}

TEST_F(Grid, WithoutPositionFixBedsAreOrderedByMonitorNumber)
{
    NyraClientInfo* nine = AddListed(9);
    NyraClientInfo* three = AddListed(3);
    EXPECT_EQ(m_station.manager.GetClientCount(), 2);
    EXPECT_EQ(m_station.manager.GetClient(0), three);
    EXPECT_EQ(m_station.manager.GetClient(1), nine);
}

TEST_F(Grid, AModeTheGridDoesNotKnowShowsModeZeroAndNoModeMeansNoPages)
{
    NyraClientManager bare;
    bare.ConnectedAsLan(10, 0, 0, 1, 1);
    EXPECT_EQ(bare.GetPageSize(), 0);
    EXPECT_EQ(bare.GetTotalPageCount(), 0) << "no mode yet: no pages, and no division by zero";
    bare.ResetLayout(0, 0, 800, 600);
    bare.ClearAll();
    nyraclient::FlushDeferredDeletes();

    for (int mode : { -1, 5, 9, 1000 }) {
        SCOPED_TRACE(mode);
        m_station.manager.SetDisplayMode(mode, TRUE);
        EXPECT_EQ(m_station.manager.GetDisplayMode(), 0);
        m_station.manager.SetDisplayMode(4, TRUE);
    }
}

TEST_F(Grid, ModeZeroEnlargesTheFirstBedAndAnotherModeCollapsesIt)
{
    m_station.manager.ResetLayout(0, 0, 1000, 800);
    NyraClientInfo* three = AddListed(3);
    NyraClientInfo* one = AddListed(1);
    m_station.manager.SetDisplayMode(0, TRUE);
    EXPECT_EQ(m_station.manager.GetExpandedClient(), one);
    ASSERT_NE(one->GetEnlargedControl(), nullptr);
    // Two beds: one column of small tiles at the right, the enlarged bed beside it.
    CRect rect;
    one->GetEnlargedControl()->GetWindowRect(&rect);
    m_station.parent.ScreenToClient(&rect);
    EXPECT_EQ(rect, m_station.manager.GetLayout().GetExpandedRect());
    EXPECT_EQ(rect.right, 832);

    EXPECT_EQ(m_station.manager.ExpandClient(three, TRUE), 1);
    EXPECT_EQ(one->GetEnlargedControl(), nullptr);
    EXPECT_NE(three->GetEnlargedControl(), nullptr);

    m_station.manager.SetDisplayMode(2, TRUE);
    EXPECT_EQ(m_station.manager.GetExpandedClient(), nullptr);
    EXPECT_EQ(three->GetEnlargedControl(), nullptr);
    EXPECT_FALSE(m_station.manager.IsEnlargeMode());
}

TEST_F(Grid, TheManagerMakesTheBedWindowsAndAClientWithoutOneHasNone)
{
    m_station.manager.ResetLayout(0, 0, 1000, 800);
    NyraClientInfo* one = AddListed(1);
    m_station.manager.SetDisplayMode(0, TRUE);
    ASSERT_NE(NyraControl::TileOf(one), nullptr);
    ASSERT_NE(NyraControl::EnlargedOf(one), nullptr);
    EXPECT_EQ(NyraControl::EnlargedOf(one)->GetClient(), one);

    NyraClientInfo lonely(nullptr, 0, 1);
    EXPECT_EQ(lonely.CreateComponent(&m_station.parent, IDC_BED_TILE_FIRST + 15), 0);
    EXPECT_EQ(lonely.Expand(&m_station.parent), 0);
    EXPECT_EQ(lonely.GetControl(), nullptr);
    EXPECT_EQ(lonely.GetEnlargedControl(), nullptr);
    lonely.RefreshControl(1, 1); // nothing to draw on
}

TEST_F(Grid, AZeroSizedGridStillMakesAndDropsTileWindows)
{
    m_station.manager.SetDisplayMode(1, TRUE);
    NyraClientInfo* a = AddListed(1);
    NyraClientInfo* b = AddListed(2);
    PositionFix(1);
    NyraClientInfo* c = AddListed(3);
    PositionFix(0);
    m_station.manager.Sort(TRUE);
    ASSERT_EQ(m_station.manager.GetTotalPageCount(), 2);
    EXPECT_NE(a->GetControl(), nullptr);
    EXPECT_NE(b->GetControl(), nullptr);
    EXPECT_EQ(c->GetControl(), nullptr);
    m_station.manager.ShowPage(1);
    EXPECT_EQ(a->GetControl(), nullptr);
    EXPECT_EQ(a->GetTileID(), -1);
    ASSERT_NE(c->GetControl(), nullptr);
    CRect rect;
    c->GetControl()->GetWindowRect(&rect);
    EXPECT_TRUE(rect.IsRectEmpty()) << "nothing is positioned without a size";
}

TEST_F(Grid, EraseBkgndFillsAroundTheBeds)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap canvas;
    canvas.CreateCompatibleBitmap(&dc, 100, 100);
    CBitmap* old = dc.SelectObject(&canvas);
    dc.FillSolidRect(0, 0, 100, 100, RGB(0, 0, 0));
    m_station.manager.SetDisplayMode(2, TRUE);
    m_station.manager.ResetLayout(0, 0, 100, 100);
    m_station.manager.EraseBkgnd(&dc, RGB(255, 0, 0));
    EXPECT_EQ(dc.GetPixel(50, 50), RGB(255, 0, 0)) << "no beds: the whole grid";
    AddListed(1);
    dc.FillSolidRect(0, 0, 100, 100, RGB(0, 0, 0));
    m_station.manager.EraseBkgnd(&dc, RGB(255, 0, 0));
    EXPECT_EQ(dc.GetPixel(20, 20), RGB(0, 0, 0)) << "inside the first tile";
    EXPECT_EQ(dc.GetPixel(50, 20), RGB(255, 0, 0)) << "the gap between tiles";
    dc.SelectObject(old);
}

// ---- the picture ----------------------------------------------------------------------------------

TEST(GridPicture, ThreeBedsInModeZeroMatchTheReviewedPicture)
{
    platform::ScopedTestClock clock;
    StationParent parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 1000, 800, nullptr, nullptr));
    NyraClientManager manager(&parent);
    NyraConfig config = manager.GetConfig();
    bedtest::WardColours(config);
    config.DevicePositionFix = 1; // three beds listed by another station
    manager.SetConfig(config, FALSE);
    manager.SetDisplayMode(0, FALSE);
    manager.ResetLayout(0, 0, 1000, 800);
    for (int bed = 1; bed <= 3; ++bed)
        ASSERT_EQ(manager.ConnectedAsLan(10, 0, 0, BYTE(bed), bed), bed);
    config.DevicePositionFix = 0; // and sorted together, without empty places
    manager.SetConfig(config, FALSE);
    for (int bed = 1; bed <= 3; ++bed) {
        NyraClientInfo* client = manager.GetClient(manager.PeerCheck(10, 0, 0, BYTE(bed)));
        monitorsim::MonitorSim sim;
        sim.SetKey(BYTE(bed));
        sim.SetMonitorNumber(bed);
        sim.SetDisplayMode(2);
        sim.LoadTrace(bedtest::CtgTracePath());
        monitorsim::Bytes monitor = sim.MonitorPacket();
        client->Receive_Monitor(monitor.data(), int(monitor.size()));
        for (int second = 0; second < 120; ++second) {
            monitorsim::Bytes param = sim.ParamPacket();
            client->Receive_Parameter(param.data(), int(param.size()));
        }
    }
    clock.Advance(1000);
    Pump();
    CClientDC dc(&parent);
    manager.EraseBkgnd(&dc, RGB(40, 44, 52));
    platform::TextRecorder recorder;
    NyraControl* enlarged = nullptr;
    for (int i = 0; i < manager.GetClientCount(); ++i) {
        if (NyraClientInfo* client = manager.GetClient(i)) {
            client->RedrawControl();
            if (NyraControl::EnlargedOf(client) != nullptr)
                enlarged = NyraControl::EnlargedOf(client);
        }
    }
    Pump();
    ASSERT_NE(enlarged, nullptr);
    ASSERT_TRUE(testkit::PumpUntil([&] { return !enlarged->IsParameterDrawPending(); }));

    platform::Image picture = testkit::Capture(parent.GetSafeHwnd());
    ASSERT_EQ(picture.Width(), 1000);
    // The enlarged bed's time label under the short stretch of its trend tells the local time
    // the trend began, which changes with every run: it is painted over in grey where it stands.
    const std::regex timeLabel(R"(\d{4}-\d{2}-\d{2} \d{2}:\d{2})");
    CRect frame;
    parent.GetWindowRect(&frame);
    int labels = 0;
    for (const platform::DrawnText& text : testkit::DistinctTexts(recorder.Texts())) {
        if (!std::regex_match(text.text, timeLabel))
            continue;
        ++labels;
        CRect box = text.box;
        enlarged->ClientToScreen(&box);
        box.OffsetRect(-frame.left, -frame.top);
        for (int y = std::max<int>(box.top, 0); y < box.bottom && y < picture.Height(); ++y)
            for (int x = std::max<int>(box.left, 0); x < box.right && x < picture.Width(); ++x)
                picture.Row(y)[x] = 0xFF808080u;
    }
    EXPECT_EQ(labels, 1) << "the trend's start is labelled under it";
    testkit::SaveForReview(picture, "Grid-Mode0-ThreeBeds");
    testkit::ExpectMatchesGolden(picture, "nyraclient/tests/golden/Grid-Mode0-ThreeBeds.png", { 64, 1.0 / 200 });
    manager.ClearAll();
    nyraclient::FlushDeferredDeletes();
}

} // namespace
