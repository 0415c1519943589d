// Reviewed pictures of a bed window: an admitted bed whose monitor plays 29 minutes of the CTG
// trace, as a tile of the four-bed grid and in the enlarged layout with its wave area, each at
// two sizes a station screen gives them, in a ward's dark colours. Every text the window draws
// must read on its paper and stand apart from the others (testkit/TextLayout.h). The time labels
// under the trend (the local time the trend began) are masked out before the comparison. Set WARD_UPDATE_GOLDEN=1 to rewrite the pictures, and look at them before
// committing them.
#include "support/BedWindowHarness.h"

#include "platform/gdi/Image.h"
#include "platform/gdi/TextRecorder.h"
#include "testkit/TextLayout.h"

#include <gtest/gtest.h>

using namespace bedtest;

namespace {

struct GoldenCase
{
    const char* name;
    CSize size;
    DISPMODE mode;
};

class BedWindowGolden : public ::testing::TestWithParam<GoldenCase>
{
};

// Paints the band under the UC grid where the time labels stand in the graph background.
void MaskTimeLabels(platform::Image& image, const NyraControl& bed, COLORREF background)
{
    const CRect trend = bed.GetTrendRectAll();
    const CRect uc = bed.GetUCTrendRect();
    if (trend.IsRectEmpty() || bed.GetTrendColumns() == 0)
        return;
    const int cell = bed.GetFHRTrendRect().Width() / int(bed.GetTrendColumns());
    const std::uint32_t pixel = ImagePixel(background);
    for (int y = uc.bottom + cell / 2; y < trend.bottom && y < image.Height(); ++y)
        for (int x = trend.left; x < trend.right && x < image.Width(); ++x)
            image.Row(y)[x] = pixel;
}

TEST_P(BedWindowGolden, AnAdmittedBedPlayingTheCtgTraceMatchesTheReviewedPicture)
{
    const GoldenCase& c = GetParam();
    // The trend is fed while the tile has no size (nothing is drawn per packet), then laid out.
    BedStation station(CSize(0, 0), c.mode);
    station.Admit("P-1001", "Anna", "Novak");
    station.Feed(1741); // about 29 minutes, ending on a heart rate the transducer found
    platform::TextRecorder recorder;
    station.Layout(c.size, c.mode);
    station.clock.Advance(NyraControl::kTrendTimerMs); // one tick brings the scroll bar up to date
    Pump();
    ASSERT_TRUE(station.WaitForParameterPainter()); // the numerics and the curves

    // Every text reads on the ward's dark paper and panel as it does on the default light ones.
    NyraControl& bed = *station.Tile();
    const NyraConfig config = station.client->GetConfig();
    testkit::TextRules rules;
    bed.GetClientRect(&rules.bounds);
    rules.frames = { bed.GetFHRTrendRect(), bed.GetUCTrendRect() };
    rules.papers = { { bed.GetTrendRectAll(), COLORREF(config.GraphBackground) },
                     { bed.GetGraphRectAll(), COLORREF(config.GraphBackground) },
                     { bed.GetParamRectAll(), COLORREF(config.ParamBackground) } };
    for (const std::string& problem : testkit::TextProblems(testkit::DistinctTexts(recorder.Texts()), rules))
        ADD_FAILURE() << problem;

    platform::Image picture = testkit::Capture(station.Tile()->GetSafeHwnd());
    ASSERT_EQ(picture.Width(), c.size.cx);
    MaskTimeLabels(picture, *station.Tile(), COLORREF(station.client->GetConfig().GraphBackground));
    testkit::SaveForReview(picture, std::string("BedWindow-") + c.name);
    testkit::ExpectMatchesGolden(picture, std::string("nyraclient/tests/golden/BedWindow-") + c.name + ".png",
                                 { 64, 1.0 / 500 });
}

INSTANTIATE_TEST_SUITE_P(SizesAndModes, BedWindowGolden,
                         ::testing::Values(GoldenCase { "Tile960x520", { 960, 520 }, DISPMODE_4CH },
                                           GoldenCase { "Tile1280x720", { 1280, 720 }, DISPMODE_4CH },
                                           GoldenCase { "Enlarged1200x800", { 1200, 800 }, DISPMODE_ENLARGE },
                                           GoldenCase { "Enlarged1600x900", { 1600, 900 }, DISPMODE_ENLARGE }),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
