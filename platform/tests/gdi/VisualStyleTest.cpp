// The visual-style service: without one no style is active and nothing is drawn, so the controls
// keep their classic look; a service draws each part over what the device context holds at the
// part's place, and only there.
#include "platform/gdi/VisualStyle.h"
#include "testkit/Canvas.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Paints every pixel of a "TAB" part darker by its state: what lies beneath shows through.
class ShadingStyle : public platform::VisualStyleService
{
public:
    bool Draws(const char* themeClass) const override { return std::strcmp(themeClass, "TAB") == 0; }
    bool DrawPart(const char*, int part, int state, std::uint32_t* pixels, int width, int height) override
    {
        lastPart = part;
        lastState = state;
        for (int i = 0; i < width * height; ++i)
            pixels[i] = (pixels[i] >> 1) & 0x7F7F7F;
        return true;
    }
    int lastPart { 0 };
    int lastState { 0 };
};

class VisualStyle : public testing::Test
{
protected:
    ~VisualStyle() override { platform::SetVisualStyleService(nullptr); }
};

TEST_F(VisualStyle, WithoutAServiceNoStyleIsActiveAndNothingIsDrawn)
{
    testkit::Canvas canvas(40, 30, RGB(200, 100, 50));
    EXPECT_FALSE(platform::IsVisualStyleActive("TAB"));
    EXPECT_FALSE(platform::DrawVisualStylePart(canvas.dc.GetSafeHdc(), "TAB", 1, 3, CRect(5, 5, 20, 20)));
    EXPECT_EQ(canvas.Count(CRect(0, 0, 40, 30), RGB(200, 100, 50)), 40 * 30);
}

TEST_F(VisualStyle, APartIsDrawnOverWhatLiesBeneathInItsRectangleOnly)
{
    auto style = std::make_shared<ShadingStyle>();
    platform::SetVisualStyleService(style);
    testkit::Canvas canvas(40, 30, RGB(200, 100, 50));
    canvas.dc.FillSolidRect(10, 10, 4, 4, RGB(0, 0, 200));
    EXPECT_TRUE(platform::IsVisualStyleActive("TAB"));
    EXPECT_FALSE(platform::IsVisualStyleActive("SPIN"));
    EXPECT_FALSE(platform::DrawVisualStylePart(canvas.dc.GetSafeHdc(), "SPIN", 1, 1, CRect(5, 5, 20, 20)));
    EXPECT_FALSE(platform::DrawVisualStylePart(canvas.dc.GetSafeHdc(), "TAB", 1, 1, CRect(5, 5, 5, 20)));

    ASSERT_TRUE(platform::DrawVisualStylePart(canvas.dc.GetSafeHdc(), "TAB", 9, 0, CRect(5, 5, 20, 20)));
    EXPECT_EQ(style->lastPart, 9);
    EXPECT_EQ(style->lastState, 0);
    EXPECT_EQ(canvas.Count(CRect(5, 5, 20, 20), RGB(100, 50, 25)), 15 * 15 - 16);
    EXPECT_EQ(canvas.Count(CRect(10, 10, 14, 14), RGB(0, 0, 100)), 16);
    EXPECT_EQ(canvas.Count(CRect(0, 0, 40, 30), RGB(200, 100, 50)), 40 * 30 - 15 * 15);
}

} // namespace
