// Images: JPEG and PNG round trips, bitmaps to images and back, snapshots, bad input.
#include "platform/gdi/CDC.h"
#include "platform/gdi/Icon.h"
#include "platform/gdi/Image.h"
#include "platform/core/ResourceModule.h"
#include "platform/gdi/SysColors.h"
#include "testkit/Canvas.h"
#include "testkit/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

class GdiImage : public ::testing::Test
{
protected:
    std::string Path(const char* name) const { return m_dir / name; }

    testkit::TempFolder m_dir;
};

// A bitmap with a gradient and a few solid blocks, drawn through a memory DC.
HBITMAP MakePicture(int width, int height)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dc, width, height);
    CBitmap* old = dc.SelectObject(&bitmap);
    for (int y = 0; y < height; y += 50)
        dc.FillSolidRect(0, y, width, 50, RGB(y * 255 / height, 128, 255 - y * 255 / height));
    dc.FillSolidRect(100, 100, 200, 200, RGB(255, 0, 0));
    dc.SelectObject(old);
    return reinterpret_cast<HBITMAP>(bitmap.Detach());
}

int Difference(std::uint32_t a, std::uint32_t b)
{
    int d = 0;
    for (int shift = 0; shift < 24; shift += 8)
        d = std::max(d, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
    return d;
}

TEST_F(GdiImage, JpegOfAFullPageKeepsItsSizeAndColours)
{
    HBITMAP picture = MakePicture(1344, 1900);
    platform::Image image;
    ASSERT_TRUE(image.FromBitmap(picture));
    ASSERT_TRUE(image.SaveJpeg(Path("trend.JPG").c_str()));
    EXPECT_FALSE(fs::exists(Path("trend.JPG.partial")));

    platform::Image back;
    ASSERT_TRUE(back.Load(Path("trend.JPG").c_str())) << back.LastError();
    EXPECT_EQ(back.Width(), 1344);
    EXPECT_EQ(back.Height(), 1900);
    EXPECT_LE(Difference(back.Pixel(200, 200), 0xFFFF0000u), 8); // inside the red block
    EXPECT_LE(Difference(back.Pixel(600, 1500), image.Pixel(600, 1500)), 8);

    // A lower quality gives a smaller file.
    ASSERT_TRUE(image.SaveJpeg(Path("low.jpg").c_str(), 30));
    EXPECT_LT(fs::file_size(Path("low.jpg")), fs::file_size(Path("trend.JPG")));
    DeleteObject(picture);
}

TEST_F(GdiImage, PngRoundTripIsExactAndTurnsBackIntoABitmap)
{
    HBITMAP picture = MakePicture(64, 48);
    platform::Image image;
    ASSERT_TRUE(image.FromBitmap(picture));
    ASSERT_TRUE(image.SavePng(Path("page.png").c_str()));
    platform::Image back;
    ASSERT_TRUE(back.LoadPng(Path("page.png").c_str()));
    ASSERT_EQ(back.Width(), 64);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            ASSERT_EQ(back.Pixel(x, y), image.Pixel(x, y)) << x << "," << y;

    CBitmap restored;
    restored.Attach(back.ToBitmap());
    BITMAP info;
    ASSERT_GT(restored.GetBitmap(&info), 0);
    EXPECT_EQ(info.bmWidth, 64);
    EXPECT_EQ(info.bmHeight, 48);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* old = dc.SelectObject(&restored);
    EXPECT_EQ(dc.GetPixel(10, 10), RGB(0, 128, 255));
    dc.SelectObject(old);
    DeleteObject(picture);
}

TEST_F(GdiImage, BadFilesAndUnwritableFoldersAreReportedNotCrashed)
{
    {
        std::ofstream junk(Path("junk.jpg"), std::ios::binary);
        junk << "\xFF\xD8\xFF\xE0 not really a jpeg";
    }
    platform::Image image;
    EXPECT_FALSE(image.Load(Path("junk.jpg").c_str()));
    EXPECT_TRUE(image.IsNull());
    EXPECT_FALSE(image.LastError().empty());
    EXPECT_FALSE(image.Load(Path("missing.png").c_str()));

    platform::Image small(4, 4);
    EXPECT_FALSE(small.SaveJpeg(Path("no-such-folder/x.jpg").c_str()));
    EXPECT_FALSE(small.SavePng(Path("no-such-folder/x.png").c_str()));
    EXPECT_FALSE(platform::Image().SavePng(Path("empty.png").c_str()));
    EXPECT_FALSE(fs::exists(Path("empty.png")));
}

TEST_F(GdiImage, SnapshotOfAMemoryDcIsItsBitmap)
{
    testkit::Canvas canvas(30, 20, RGB(1, 2, 3));
    ASSERT_TRUE(canvas.dc.SaveSnapshot(Path("shot.png").c_str()));
    platform::Image shot;
    ASSERT_TRUE(shot.LoadPng(Path("shot.png").c_str()));
    EXPECT_EQ(shot.Width(), 30);
    EXPECT_EQ(shot.Pixel(5, 5), 0xFF010203u);
}

TEST_F(GdiImage, IconsFromPngResourcesKeepTheirTransparency)
{
    // A 4x4 picture: red, with its left half transparent.
    platform::Image picture(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            picture.Row(y)[x] = x < 2 ? 0x00000000u : 0xFFFF0000u;
    ASSERT_TRUE(picture.SavePng(Path("icon.png").c_str()));
    std::ifstream in(Path("icon.png"), std::ios::binary);
    static std::vector<BYTE> png;
    png.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    static const platform::ResourceData data[] = { { "ICON", 4711, "BEDICON", { png.data(), png.size() } } };
    platform::ResourceModuleRegistration module("GdiImageTest", { .data = data });

    HICON icon = LoadIcon(nullptr, 4711);
    ASSERT_TRUE(icon);
    EXPECT_FALSE(LoadIcon(nullptr, 4712));
    SIZE size;
    ASSERT_TRUE(platform::GetIconSize(icon, &size));
    EXPECT_EQ(size.cx, 4);

    testkit::Canvas canvas(20, 10, RGB(0, 0, 255));
    CDC& dc = canvas.dc;
    EXPECT_TRUE(dc.DrawIcon(0, 0, icon));
    EXPECT_EQ(dc.GetPixel(0, 0), RGB(0, 0, 255)); // transparent half
    EXPECT_EQ(dc.GetPixel(3, 3), RGB(255, 0, 0));
    EXPECT_TRUE(dc.DrawState(CPoint(10, 0), CSize(0, 0), icon, DSS_DISABLED));
    EXPECT_EQ(dc.GetPixel(12, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(dc.GetPixel(10, 0), RGB(0, 0, 255));
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_FALSE(DestroyIcon(icon));
    EXPECT_FALSE(dc.DrawIcon(0, 0, icon));
}

} // namespace
