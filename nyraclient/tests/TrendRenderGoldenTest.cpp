// A reviewed picture of 30 minutes of trend paper: a scripted fetal heart rate with an
// acceleration, a deceleration and signal loss, a second fetal heart rate, the maternal heart
// rate, SpO2 and temperature, contractions, NIBP readings, a marker, a stimulator, fetal
// movements and a zeroing, drawn for the screen with its legend. The render is compared with
// nyraclient/tests/golden/TrendRenderGolden.png with a small tolerance for text smoothing. Set
// WARD_UPDATE_GOLDEN=1 to rewrite the picture (and look at it before committing it).
#include "nrdata/tests/support/TrendRenderFixture.h"

#include "nyraclient/display/CDisplayInfo.h"

#include "platform/gdi/Image.h"
#include "testkit/Golden.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace trendtest;
using nrdata::trend::CTrendVectorSource;

namespace {

// A smooth bump of height 1 centred on `centre` seconds, `width` seconds wide.
double Bump(double t, double centre, double width)
{
    const double d = (t - centre) / (width / 2);
    return std::fabs(d) >= 1 ? 0 : 0.5 * (1 + std::cos(M_PI * d));
}

// 30 minutes, one entry per second.
void ScriptThirtyMinutes(CTrendVectorSource& source)
{
    AddEntries(source, 1800, [](PKParam_v110& p, UINT r) {
        const double t = r;
        for (int i = 0; i < 5; ++i) {
            const double ts = t + i / 5.0;
            const bool lost = r >= 720 && r < 780;
            double fhr = 140 + 4 * std::sin(ts / 7.5) + 2 * std::sin(ts / 1.7);
            fhr += 25 * Bump(t, 450, 60);   // acceleration
            fhr -= 40 * Bump(t, 1080, 120); // deceleration
            p.SetFHR1(i, lost ? 255 : static_cast<BYTE>(fhr));
            p.SetFHR2(i, static_cast<BYTE>(156 + 3 * std::sin(ts / 9.0)));
            p.SetECG(i, static_cast<int>(84 + 3 * std::sin(ts / 20.0)));
            p.SetSpO2(i, 97);
            double uc = 12;
            for (double c = 300; c < 1800; c += 300)
                uc += 55 * Bump(t, c, 100);
            p.SetUC(i, static_cast<BYTE>(uc));
        }
        p.SetTemp(36.8f);
        if (r == 180 || r == 900 || r == 1620) {
            p.SetNIBPSys(118), p.SetNIBPMean(90), p.SetNIBPDia(76);
            p.SetNIBPStatus(PK_NIBP_STATUS_DONE);
        }
        if (r == 30)
            p.SetUCZeroing(1);
        if (r == 300)
            p.SetMarker(1);
        if (r == 1500)
            p.SetStimulator(1);
        if (r == 440 || r == 452 || r == 1300)
            p.SetFMD1(0, 1);
        if (r == 1310)
            p.SetFMD2(0, 1);
    });
}

TEST(TrendRenderGolden, ThirtyMinutesOfScriptedTrendMatchTheReviewedPicture)
{
    CTrendVectorSource source;
    Prepare(source, MONITOR_LAYOUT_MOTHER_FETAL);
    NyraConfig& cfg = source.m_config;
    cfg.GridInner = RGB(255, 214, 214);
    cfg.GridCenter = RGB(240, 170, 170);
    cfg.GridOuter = RGB(200, 80, 80);
    cfg.GraphText = RGB(0, 0, 0);
    cfg.GraphUC = RGB(160, 0, 0);
    cfg.TrendSpeed = 1;
    ScriptThirtyMinutes(source);

    Canvas c(1100, 520);
    CRect fhr, uc;
    UINT columns = 0;
    CDisplayInfo::GetTrendRect(CRect(0, 0, 1100, 520), fhr, uc, 0.72, 0.25, CRect(110, 24, 80, 40), columns);
    ASSERT_EQ(columns, 60u); // 60 columns of 30 s: the whole half hour
    c.dc.SetBkMode(TRANSPARENT);
    UINT index = 0;
    ASSERT_EQ(CDisplayInfo::DrawTrendGraph(&c.dc, fhr, uc, columns, &source, index, -1, 1, DRAW_SCREEN, 1,
                                           TREND_DRAW_ALL), 1);
    EXPECT_EQ(index, 1800u);

    platform::Image actual;
    ASSERT_TRUE(actual.FromBitmap(c.bitmap));
    // Lines and marks are exact; smoothed text may differ a little between font builds.
    testkit::ExpectMatchesGolden(actual, "nyraclient/tests/golden/TrendRenderGolden.png", { 64, 1.0 / 500 });
}

} // namespace
