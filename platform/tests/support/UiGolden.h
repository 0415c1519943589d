// Golden pictures of the control tests: platform/tests/golden/ui_*.png. Set WARD_UPDATE_GOLDEN=1
// to rewrite them (then look at them before committing).
#pragma once

#include "platform/gdi/CDC.h"
#include "platform/gdi/Image.h"
#include "platform/msg/WindowApi.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace uitest {

inline std::string GoldenPath(const char* name)
{
    const char* source = std::getenv("WARD_SOURCE_DIR");
    std::filesystem::path root = source ? std::filesystem::path(source) / "platform/tests"
                                        : std::filesystem::path(__FILE__).parent_path().parent_path();
    return (root / "golden" / name).string();
}

// The whole window (frame included) as it stands on its surface.
inline platform::Image Capture(HWND hwnd)
{
    CRect window;
    GetWindowRect(hwnd, &window);
    CDC memory;
    memory.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&memory, window.Width(), window.Height());
    CBitmap* old = memory.SelectObject(&bitmap);
    HDC source = GetWindowDC(hwnd);
    memory.BitBlt(0, 0, window.Width(), window.Height(), CDC::FromHandle(source), 0, 0, SRCCOPY);
    ReleaseDC(hwnd, source);
    platform::Image image;
    image.FromBitmap(bitmap);
    memory.SelectObject(old);
    return image;
}

inline void ExpectMatchesGolden(const platform::Image& actual, const char* name)
{
    std::string golden = GoldenPath(name);
    if (std::getenv("WARD_UPDATE_GOLDEN")) {
        ASSERT_TRUE(actual.SavePng(golden.c_str()));
        GTEST_SKIP() << "rewrote " << golden;
    }
    platform::Image expected;
    ASSERT_TRUE(expected.LoadPng(golden.c_str())) << expected.LastError();
    ASSERT_EQ(expected.Width(), actual.Width());
    ASSERT_EQ(expected.Height(), actual.Height());
    int differing = 0;
    for (int y = 0; y < actual.Height(); ++y)
        for (int x = 0; x < actual.Width(); ++x)
            if (actual.Pixel(x, y) != expected.Pixel(x, y) && differing++ < 5)
                ADD_FAILURE() << "pixel " << x << "," << y << " differs";
    EXPECT_EQ(differing, 0);
}

} // namespace uitest
