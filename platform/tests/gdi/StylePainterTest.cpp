// The standard look: 3-D edges and frame controls compared pixel for pixel with a reviewed
// picture (platform/tests/golden/GdiStylePainter.png). Set WARD_UPDATE_GOLDEN=1 to rewrite the
// picture after a deliberate change, then look at it before committing.
#include "platform/gdi/CDC.h"
#include "platform/gdi/Image.h"
#include "platform/gdi/SysColors.h"
#include "testkit/Canvas.h"
#include "testkit/Golden.h"

#include <gtest/gtest.h>

namespace {

// One row of edges, one of buttons and check marks, one of scroll arrows and the size grip.
void PaintSheet(CDC& dc)
{
    dc.FillSolidRect(0, 0, 240, 120, GetSysColor(COLOR_BTNFACE));
    const UINT edges[] = { EDGE_RAISED, EDGE_SUNKEN, EDGE_ETCHED, EDGE_BUMP, BDR_SUNKENOUTER, BDR_RAISEDINNER };
    for (int i = 0; i < 6; ++i) {
        CRect r(4 + i * 38, 4, 4 + i * 38 + 34, 30);
        dc.DrawEdge(&r, edges[i], BF_RECT | (i == 0 ? BF_MIDDLE : 0));
    }
    const UINT buttons[][2] = {
        { DFC_BUTTON, DFCS_BUTTONPUSH },
        { DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED },
        { DFC_BUTTON, DFCS_BUTTONCHECK },
        { DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED },
        { DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE },
        { DFC_BUTTON, DFCS_BUTTONRADIO },
        { DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED },
    };
    for (int i = 0; i < 7; ++i) {
        CRect r(4 + i * 32, 40, 4 + i * 32 + (i < 2 ? 28 : 16), 40 + (i < 2 ? 22 : 16));
        dc.DrawFrameControl(&r, buttons[i][0], buttons[i][1]);
    }
    const UINT scrolls[] = { DFCS_SCROLLUP, DFCS_SCROLLDOWN, DFCS_SCROLLLEFT, DFCS_SCROLLRIGHT,
                             DFCS_SCROLLDOWN | DFCS_PUSHED, DFCS_SCROLLUP | DFCS_INACTIVE, DFCS_SCROLLSIZEGRIP };
    for (int i = 0; i < 7; ++i) {
        CRect r(4 + i * 22, 80, 4 + i * 22 + 16, 96);
        dc.DrawFrameControl(&r, DFC_SCROLL, scrolls[i]);
    }
    CRect focus(170, 80, 230, 110);
    dc.DrawFocusRect(&focus);
    dc.Draw3dRect(172, 100, 20, 8, RGB(255, 0, 0), RGB(0, 0, 255));
}

TEST(GdiStylePainter, EdgesAndFrameControlsMatchTheReviewedPicture)
{
    testkit::Canvas canvas(240, 120);
    PaintSheet(canvas.dc);
    testkit::ExpectMatchesGolden(canvas.Picture(), "platform/tests/golden/GdiStylePainter.png");
}

TEST(GdiStylePainter, AdjustedEdgesShrinkTheRectangleByTheirWidth)
{
    testkit::Canvas canvas(40, 40);
    CDC& dc = canvas.dc;
    struct Case
    {
        UINT edge;
        UINT flags;
        CRect after;
    };
    const Case cases[] = {
        { EDGE_SUNKEN, BF_RECT | BF_ADJUST, CRect(12, 12, 28, 28) },
        { BDR_SUNKENOUTER, BF_RECT | BF_ADJUST, CRect(11, 11, 29, 29) },
        { EDGE_RAISED, BF_LEFT | BF_TOP | BF_ADJUST, CRect(12, 12, 30, 30) },
        { EDGE_RAISED, BF_RECT, CRect(10, 10, 30, 30) },
    };
    for (const Case& k : cases) {
        CRect r(10, 10, 30, 30);
        dc.DrawEdge(&r, k.edge, k.flags);
        EXPECT_TRUE(r == k.after) << k.edge << " " << k.flags;
    }
    // A sunken edge: shadow on top, highlight at the bottom.
    CRect r(0, 0, 20, 20);
    dc.DrawEdge(&r, EDGE_SUNKEN, BF_RECT);
    EXPECT_EQ(dc.GetPixel(5, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(dc.GetPixel(5, 19), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(dc.GetPixel(5, 1), GetSysColor(COLOR_3DDKSHADOW));
}

} // namespace
