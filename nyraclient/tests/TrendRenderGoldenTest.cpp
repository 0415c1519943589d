// A reviewed picture of 30 minutes of trend paper: a scripted fetal heart rate with an
// acceleration, a deceleration and signal loss, a second fetal heart rate, the maternal heart
// rate, SpO2 and temperature, contractions, NIBP readings, a marker, a stimulator, fetal
// movements and a zeroing, drawn for the screen with its legend. The render is compared with
// nyraclient/tests/golden/TrendRenderGolden.png with a small tolerance for text smoothing. Set
// WARD_UPDATE_GOLDEN=1 to rewrite the picture (and look at it before committing it).
#include "TrendRenderFixture.h"

#include "nyraclient/display/CDisplayInfo.h"

#include "platform/gdi/Image.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>

using namespace trendtest;
using nyraclient::display::CTrendVectorSource;

namespace {

std::string GoldenPath(const char* name)
{
    const char* source = std::getenv("WARD_SOURCE_DIR");
    std::filesystem::path root = source ? std::filesystem::path(source) / "nyraclient" / "tests"
                                        : std::filesystem::path(__FILE__).parent_path();
    return (root / "golden" / name).string();
}

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
    const std::string golden = GoldenPath("TrendRenderGolden.png");
    if (std::getenv("WARD_UPDATE_GOLDEN")) {
        ASSERT_TRUE(actual.SavePng(golden.c_str())) << actual.LastError();
        GTEST_SKIP() << "rewrote " << golden;
    }
    platform::Image expected;
    ASSERT_TRUE(expected.LoadPng(golden.c_str())) << expected.LastError();
    ASSERT_EQ(expected.Width(), actual.Width());
    ASSERT_EQ(expected.Height(), actual.Height());
    // Lines and marks are exact; smoothed text may differ a little between font builds.
    int differing = 0;
    for (int y = 0; y < actual.Height(); ++y) {
        for (int x = 0; x < actual.Width(); ++x) {
            const uint32_t a = actual.Pixel(x, y), e = expected.Pixel(x, y);
            int worst = 0;
            for (int shift : { 0, 8, 16 })
                worst = std::max(worst, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((e >> shift) & 0xFF)));
            differing += worst > 64;
        }
    }
    EXPECT_LE(differing, actual.Width() * actual.Height() / 500) << differing << " pixels differ";
}

} // namespace
