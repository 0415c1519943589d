// The text drawing's cache of shaped lines: a line drawn or measured again on the same thread is
// not shaped again, anything that changes its glyphs (text, face, size, scale, underline, a
// rotation) is, the cache stays bounded, and each thread shapes for itself.
#include "platform/gdi/TextShapingCount.h"

#include "platform/gdi/CFont.h"
#include "testkit/Canvas.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>

namespace {

std::uint64_t Shapings() { return platform::TextShapingsOnThisThread(); }

void MakeFont(CFont& font, int height, int weight = FW_NORMAL, BYTE underline = FALSE, int escapement = 0)
{
    font.CreateFont(height, 0, escapement, 0, weight, FALSE, underline, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
}

TEST(TextShaping, ALineDrawnOrMeasuredAgainIsNotShapedAgain)
{
    testkit::Canvas canvas(300, 100);
    CFont font;
    MakeFont(font, 20);
    canvas.dc.SelectObject(&font);
    CRect cell(0, 0, 300, 40);
    canvas.dc.DrawText("FHR1 142", &cell, DT_SINGLELINE | DT_VCENTER);
    const std::uint64_t first = Shapings();
    const platform::Image drawn = canvas.Picture();

    canvas.dc.FillSolidRect(0, 0, 300, 100, RGB(255, 255, 255));
    canvas.dc.DrawText("FHR1 142", &cell, DT_SINGLELINE | DT_VCENTER);
    canvas.dc.TextOut(0, 50, "FHR1 142");
    EXPECT_GT(canvas.dc.GetTextExtent("FHR1 142").cx, 0);
    // Another DC of the thread (a painter makes one per step) draws from the same cache.
    testkit::Canvas other(300, 100);
    other.dc.SelectObject(&font);
    other.dc.DrawText("FHR1 142", &cell, DT_SINGLELINE | DT_VCENTER);
    EXPECT_EQ(Shapings(), first);

    canvas.dc.FillSolidRect(0, 40, 300, 60, RGB(255, 255, 255));
    const platform::Image again = canvas.Picture();
    int differing = 0;
    for (int y = 0; y < again.Height(); ++y)
        for (int x = 0; x < again.Width(); ++x)
            differing += again.Pixel(x, y) != drawn.Pixel(x, y);
    EXPECT_EQ(differing, 0) << "the cached line draws the same pixels";
}

TEST(TextShaping, WhatChangesTheGlyphsShapesTheLineAnew)
{
    struct Case
    {
        const char* name;
        std::function<void(CDC&, CFont&)> change;
    };
    const Case cases[] = {
        { "another text", [](CDC& dc, CFont&) { dc.TextOut(0, 0, "FHR1 143"); } },
        { "another size", [](CDC& dc, CFont& font) { MakeFont(font, 21); dc.SelectObject(&font); } },
        { "another weight", [](CDC& dc, CFont& font) { MakeFont(font, 20, FW_BOLD); dc.SelectObject(&font); } },
        { "underlined", [](CDC& dc, CFont& font) { MakeFont(font, 20, FW_NORMAL, TRUE); dc.SelectObject(&font); } },
        { "a scaled mapping",
          [](CDC& dc, CFont&) {
              dc.SetMapMode(MM_ANISOTROPIC);
              dc.SetWindowExt(100, 100);
              dc.SetViewportExt(150, 150);
          } },
        { "rotated", [](CDC& dc, CFont& font) { MakeFont(font, 20, FW_NORMAL, FALSE, 900); dc.SelectObject(&font); } },
    };
    for (const Case& c : cases) {
        testkit::Canvas canvas(300, 300);
        CFont font;
        MakeFont(font, 20);
        canvas.dc.SelectObject(&font);
        canvas.dc.TextOut(0, 0, "FHR1 142");
        const std::uint64_t before = Shapings();
        CFont changed;
        c.change(canvas.dc, changed);
        canvas.dc.TextOut(100, 150, "FHR1 142");
        EXPECT_GT(Shapings(), before) << c.name;
    }

    // A mnemonic's underline is an attribute of its own line.
    testkit::Canvas canvas(300, 100);
    CRect cell(0, 0, 300, 40);
    canvas.dc.DrawText("Open", &cell, DT_SINGLELINE);
    const std::uint64_t before = Shapings();
    canvas.dc.DrawText("&Open", &cell, DT_SINGLELINE);
    EXPECT_GT(Shapings(), before) << "a mnemonic";
}

TEST(TextShaping, TheCacheIsBoundedAndKeepsWhatIsDrawnOften)
{
    testkit::Canvas canvas(200, 40);
    canvas.dc.TextOut(0, 0, "often");
    for (int i = 0; i < 2000; ++i) {
        canvas.dc.TextOut(0, 0, std::to_string(i).c_str());
        canvas.dc.TextOut(0, 0, "often"); // used all the time: stays
    }
    std::uint64_t before = Shapings();
    canvas.dc.TextOut(0, 0, "often");
    EXPECT_EQ(Shapings(), before);
    canvas.dc.TextOut(0, 0, "0");
    EXPECT_EQ(Shapings(), before + 1) << "the oldest lines went";
}

TEST(TextShaping, EachThreadShapesForItself)
{
    testkit::Canvas canvas(200, 40);
    canvas.dc.TextOut(0, 0, "MHR 82");
    const std::uint64_t here = Shapings();
    std::uint64_t there = 0;
    std::thread painter([&there] {
        testkit::Canvas own(200, 40);
        own.dc.TextOut(0, 0, "MHR 82");
        own.dc.TextOut(0, 0, "MHR 82");
        there = platform::TextShapingsOnThisThread();
    });
    painter.join();
    EXPECT_EQ(there, 1u) << "shaped once on the painter's own thread";
    EXPECT_EQ(Shapings(), here);
}

} // namespace
