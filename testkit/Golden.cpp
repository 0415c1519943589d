#include "testkit/Golden.h"

#include "platform/gdi/WindowCapture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace testkit {

platform::Image Capture(HWND hwnd) { return platform::CaptureWindow(hwnd); }

namespace {

int ChannelDistance(uint32_t a, uint32_t b)
{
    int worst = 0;
    for (int shift : { 0, 8, 16 })
        worst = std::max(worst, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
    return worst;
}

} // namespace

void ExpectMatchesGolden(const platform::Image& actual, const std::string& relative, GoldenTolerance tolerance)
{
    const std::string golden = SourcePath(relative);
    if (std::getenv("WARD_UPDATE_GOLDEN")) {
        std::filesystem::create_directories(std::filesystem::path(golden).parent_path());
        ASSERT_TRUE(actual.SavePng(golden.c_str())) << actual.LastError();
        GTEST_SKIP() << "rewrote " << golden;
    }
    platform::Image expected;
    ASSERT_TRUE(expected.LoadPng(golden.c_str())) << golden << ": " << expected.LastError();
    ASSERT_EQ(expected.Width(), actual.Width());
    ASSERT_EQ(expected.Height(), actual.Height());
    long differing = 0;
    for (int y = 0; y < actual.Height(); ++y) {
        for (int x = 0; x < actual.Width(); ++x) {
            if (ChannelDistance(actual.Pixel(x, y), expected.Pixel(x, y)) <= tolerance.channel)
                continue;
            if (differing++ < 5 && tolerance.share == 0.0)
                ADD_FAILURE() << "pixel " << x << "," << y << " differs";
        }
    }
    const long allowed = static_cast<long>(tolerance.share * actual.Width() * actual.Height());
    EXPECT_LE(differing, allowed) << differing << " pixels differ from " << golden;
}

bool SaveForReview(const platform::Image& image, const std::string& name)
{
    const std::filesystem::path folder = std::filesystem::path(ProgramFolder()).parent_path() / "pictures";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    return image.SavePng((folder / (name + ".png")).c_str());
}

} // namespace testkit
