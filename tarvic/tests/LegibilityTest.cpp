// The bed windows legible at every layout: the station full screen at 1920 x 1080 and 1280 x 1024
// with two live beds (their monitors in each of the four monitor layouts), switched through every
// layout of the toolbar by clicking its buttons. At each layout every bed window on the page (the
// enlarged bed too) is drawn again while a text recorder watches, and its texts must stand apart:
// none overlaps another, none leaves its cell or the window, none crosses the frame of a trend
// grid or hides under the trend's scroll bar, a scale number inside a grid stands on its own
// background (no grid line crosses it), every text stands out from the paper or panel it is
// drawn on, and every capital letter is at least 9 pixels high; a repaint of a bed window
// leaves its scroll bar whole. The pictures of the five layouts at
// 1920 x 1080 are reviewed goldens (the time labels, which tell when the test ran, masked).
#include "support/StationFixture.h"

#include "tarvic/res/TarvicResourceIds.h"

#include "nyraclient/bedwindow/NyraControl.h"
#include "nyraclient/client/NyraClientInfo.h"

#include "platform/core/Clock.h"
#include "platform/gdi/TextRecorder.h"
#include "platform/host/null/NullHost.h"
#include "testkit/Golden.h"
#include "testkit/TextLayout.h"

#include <algorithm>
#include <sstream>
#include <vector>

using namespace stationtest;
using platform::host::NullHost;

namespace {

struct Screen
{
    int width;
    int height;
};

struct Layout
{
    const char* name;
    UINT command;
};
constexpr Layout kLayouts[] = {
    { "1CH", tarvic::ID_DISPLAY_1CH }, { "2CH", tarvic::ID_DISPLAY_2CH }, { "4CH", tarvic::ID_DISPLAY_4CH },
    { "8CH", tarvic::ID_DISPLAY_8CH }, { "16CH", tarvic::ID_DISPLAY_16CH },
};

COleDateTime FixedNow() { return COleDateTime(2026, 12, 11, 8, 30, 15); }

// The texts one bed window draws, drawn again whole (its bitmaps and every painter), once no
// other window draws any more.
std::vector<platform::DrawnText> TextsOf(NyraControl& bed, const std::vector<NyraControl*>& all)
{
    EXPECT_TRUE(testkit::PumpUntil([&] {
        return std::none_of(all.begin(), all.end(), [](NyraControl* w) { return w->IsParameterDrawPending(); });
    }));
    platform::TextRecorder recorder;
    bed.RedrawControl();

    EXPECT_TRUE(testkit::PumpUntil([&] { return !bed.IsParameterDrawPending(); }));
    std::vector<platform::DrawnText> texts = recorder.Texts();

    // A text drawn again at the same place (the panel into the background, then by its painter)
    // is one text.
    std::vector<platform::DrawnText> unique;
    for (const auto& t : texts)
        if (std::none_of(unique.begin(), unique.end(),
                         [&](const auto& u) { return u.text == t.text && u.box == t.box; }))
            unique.push_back(t);
    return unique;
}

// What is wrong with the texts of one bed window, one line each: its trend grids are frames,
// its scroll bar covers.
std::vector<std::string> Problems(NyraControl& bed, const std::vector<platform::DrawnText>& texts)
{
    testkit::TextRules rules;
    bed.GetClientRect(&rules.bounds);
    rules.frames = { bed.GetFHRTrendRect(), bed.GetUCTrendRect() };
    // The trend paper, the wave area and the panel, each in its settings' colour.
    const NyraConfig config = bed.GetClient()->GetConfig();
    rules.papers = { { bed.GetTrendRectAll(), COLORREF(config.GraphBackground) },
                     { bed.GetGraphRectAll(), COLORREF(config.GraphBackground) },
                     { bed.GetParamRectAll(), COLORREF(config.ParamBackground) } };
    if (bed.GetTrendScrollBar().GetSafeHwnd() != nullptr && bed.GetTrendScrollBar().IsWindowVisible()) {
        CRect bar;
        bed.GetTrendScrollBar().GetWindowRect(&bar);
        bed.ScreenToClient(&bar);
        rules.covers.push_back(bar);
    }
    return testkit::TextProblems(texts, rules);
}

class Legibility : public StationTest, public ::testing::WithParamInterface<Screen>
{
protected:
    void SetUp() override
    {
        NullHost::SetScreenSize(GetParam().width, GetParam().height);
        tarvic::SetStationClock(FixedNow);
    }
    void TearDown() override
    {
        StationTest::TearDown();
        NullHost::SetScreenSize(1920, 1080);
    }

    // Two beds whose monitors run in the monitor layouts `a` and `b` (1 Antepartum, 2 Mother /
    // Fetal, 3 Intrapartum, 4 Mother only), with ten minutes of trend; the first one admitted.
    void TwoBeds(int a, int b)
    {
        const char* addresses[] = { "127.0.0.2", "127.0.0.3" };
        const int layouts[] = { a, b };
        for (int i = 0; i < 2; ++i) {
            MonitorSim* sim = Dial(addresses[i]);
            sim->SetDisplayMode(layouts[i]);
            sim->SetMonitorNumber(i + 3);
            ASSERT_TRUE(PumpUntil([&] { return BedFrom(addresses[i]) != nullptr; }));
            sim->Send(sim->ConnectPacket());
            Await(*sim, 1);
            sim->Send(sim->VersionPacket());
            sim->Send(sim->MonitorPacket());
            sim->Send(sim->PatientPacket());
            sim->Send(sim->AlarmPacket());
            Await(*sim, 4);
            beds.push_back(BedFrom(addresses[i]));
            monitors.push_back(sim);
        }
        AdmitPatient(beds[0], *monitors[0], "P-20417");
        for (int second = 0; second < 600; ++second)
            for (MonitorSim* sim : monitors) {
                ASSERT_TRUE(sim->SendSecond());
                Await(*sim, 1);
            }
    }

    // Clicks the toolbar button of a layout, as a nurse does.
    void Choose(const Layout& layout)
    {
        CToolBar& bar = frame->GetToolBar();
        CRect button;
        bar.GetItemRect(bar.CommandToIndex(layout.command), &button);
        bar.ClientToScreen(&button);
        NullHost::Click(button.CenterPoint().x, button.CenterPoint().y);
        testkit::PumpUntil([] { return false; }, std::chrono::milliseconds(200));
    }

    // Every bed window on the page and the enlarged one.
    std::vector<NyraControl*> Windows() const
    {
        std::vector<NyraControl*> windows;
        for (NyraClientInfo* bed : beds)
            for (NyraControl* w : { NyraControl::TileOf(bed), NyraControl::EnlargedOf(bed) })
                if (w != nullptr && ::IsWindow(w->GetSafeHwnd()) && w->IsWindowVisible())
                    windows.push_back(w);
        return windows;
    }

    void CheckEveryLayout(const char* beds, bool goldens)
    {
        for (const Layout& layout : kLayouts) {
            Choose(layout);
            const std::vector<NyraControl*> windows = Windows();
            for (NyraControl* window : windows) {
                CRect client;
                window->GetClientRect(&client);
                const auto texts = TextsOf(*window, windows);
                for (const std::string& problem : Problems(*window, texts))
                    ADD_FAILURE() << GetParam().width << 'x' << GetParam().height << ' ' << layout.name << ' ' << beds
                                  << (window->GetEnlargeMode() ? " enlarged " : " tile ") << client.Width() << 'x'
                                  << client.Height() << ": " << problem;
            }
            // A repaint of a bed window leaves its trend's scroll bar whole.
            const platform::Image before = testkit::Capture(frame->GetSafeHwnd());
            for (NyraControl* window : windows) {
                window->Invalidate(FALSE);
                window->UpdateWindow();
            }
            platform::Image picture = testkit::Capture(frame->GetSafeHwnd());
            for (NyraControl* window : windows)
                EXPECT_TRUE(SameUnderScrollBar(*window, before, picture)) << layout.name << " lost its scroll bar";
            const std::string name = std::string("Legibility-") + std::to_string(GetParam().width) + "x" +
                                     std::to_string(GetParam().height) + "-" + beds + "-" + layout.name;
            MaskTimeLabels(picture, windows);
            testkit::SaveForReview(picture, name);
            if (goldens)
                testkit::ExpectMatchesGolden(picture, "tarvic/tests/golden/" + name + ".png", { 64, 1.0 / 500 });
        }
    }

    // Whether the pixels of a window's trend scroll bar are the same in both pictures.
    bool SameUnderScrollBar(NyraControl& bed, const platform::Image& a, const platform::Image& b) const
    {
        CScrollBar& bar = bed.GetTrendScrollBar();
        if (bar.GetSafeHwnd() == nullptr || !bar.IsWindowVisible())
            return true;
        CRect r;
        bar.GetWindowRect(&r);
        CPoint origin(0, 0);
        frame->ClientToScreen(&origin);
        CRect frameWindow;
        frame->GetWindowRect(&frameWindow);
        r.OffsetRect(-frameWindow.left, -frameWindow.top);
        for (int y = std::max<int>(r.top, 0); y < r.bottom && y < a.Height(); ++y)
            for (int x = std::max<int>(r.left, 0); x < r.right && x < a.Width(); ++x)
                if (a.Pixel(x, y) != b.Pixel(x, y))
                    return false;
        return true;
    }

    // The time labels under the trends tell the local time the trend began: painted over.
    void MaskTimeLabels(platform::Image& picture, const std::vector<NyraControl*>& windows) const
    {
        CRect frameWindow;
        frame->GetWindowRect(&frameWindow);
        for (NyraControl* bed : windows) {
            const CRect trend = bed->GetTrendRectAll();
            const CRect uc = bed->GetUCTrendRect();
            if (trend.IsRectEmpty() || uc.IsRectEmpty())
                continue;
            CRect band(trend.left, uc.bottom + 2, trend.right, trend.bottom);
            bed->ClientToScreen(&band);
            band.OffsetRect(-frameWindow.left, -frameWindow.top);
            for (int y = std::max<int>(band.top, 0); y < band.bottom && y < picture.Height(); ++y)
                for (int x = std::max<int>(band.left, 0); x < band.right && x < picture.Width(); ++x)
                    picture.Row(y)[x] = 0xFF808080u;
        }
    }

    std::vector<NyraClientInfo*> beds;
    std::vector<MonitorSim*> monitors;
};

TEST_P(Legibility, MotherFetalAndIntrapartumBedsAtEveryLayout)
{
    StartStation({ .windowMode = 0 });
    TwoBeds(2, 3);
    // Time stands still while the windows are drawn again: no numeric goes blank, no link times out.
    platform::ScopedTestClock still(platform::MonotonicMs());
    CheckEveryLayout("MotherFetal-Intrapartum", GetParam().width == 1920);
}

TEST_P(Legibility, AntepartumAndMotherOnlyBedsAtEveryLayout)
{
    StartStation({ .windowMode = 0 });
    TwoBeds(1, 4);
    platform::ScopedTestClock still(platform::MonotonicMs());
    CheckEveryLayout("Antepartum-MotherOnly", false);
}

INSTANTIATE_TEST_SUITE_P(Screens, Legibility, ::testing::Values(Screen { 1920, 1080 }, Screen { 1280, 1024 }),
                         [](const auto& info) {
                             return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
                         });

} // namespace
