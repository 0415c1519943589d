// The standard look, drawn in one place: 3-D edges and frame controls (push buttons, check
// boxes, radio buttons, scroll arrows, the size grip) in the classic light colours. Every
// control calls these instead of drawing its own copy.
#include "platform/gdi/DcInternal.h"
#include "platform/gdi/SysColors.h"

#include <cairo.h>

#include <cmath>

using namespace platform::gdi;

namespace {

// A solid fill of a logical rectangle that leaves the DC's attributes alone.
void Fill(CDC& dc, const CRect& r, COLORREF color)
{
    DcData* d = Data(&dc);
    if (!d || r.IsRectEmpty())
        return;
    SurfaceLock lock(*d);
    BrushData b;
    b.color = color;
    FillWithBrush(*d, d->ToSurface(r), b);
}

void Frame3d(CDC& dc, const CRect& r, COLORREF topLeft, COLORREF bottomRight, UINT sides)
{
    if (sides & BF_TOP)
        Fill(dc, CRect(r.left, r.top, r.right - ((sides & BF_RIGHT) ? 1 : 0), r.top + 1), topLeft);
    if (sides & BF_LEFT)
        Fill(dc, CRect(r.left, r.top, r.left + 1, r.bottom - ((sides & BF_BOTTOM) ? 1 : 0)), topLeft);
    if (sides & BF_BOTTOM)
        Fill(dc, CRect(r.left, r.bottom - 1, r.right, r.bottom), bottomRight);
    if (sides & BF_RIGHT)
        Fill(dc, CRect(r.right - 1, r.top, r.right, r.bottom), bottomRight);
}

void Shrink(CRect& r, UINT sides)
{
    if (sides & BF_LEFT)
        ++r.left;
    if (sides & BF_TOP)
        ++r.top;
    if (sides & BF_RIGHT)
        --r.right;
    if (sides & BF_BOTTOM)
        --r.bottom;
}

// Solid triangle arrow pointing in a direction (0 up, 1 down, 2 left, 3 right), centred.
void Arrow(CDC& dc, const CRect& r, int direction, COLORREF color)
{
    int size = std::max(2, std::min(r.Width(), r.Height()) / 4); // rows of the glyph
    int cx = r.left + r.Width() / 2, cy = r.top + r.Height() / 2;
    for (int i = 0; i < size; ++i) {
        int half = i; // row i spans 2i+1 pixels
        switch (direction) {
        case 0: Fill(dc, CRect(cx - half, cy - size / 2 + i, cx + half + 1, cy - size / 2 + i + 1), color); break;
        case 1: Fill(dc, CRect(cx - half, cy + (size + 1) / 2 - 1 - i, cx + half + 1, cy + (size + 1) / 2 - i), color); break;
        case 2: Fill(dc, CRect(cx - size / 2 + i, cy - half, cx - size / 2 + i + 1, cy + half + 1), color); break;
        default: Fill(dc, CRect(cx + (size + 1) / 2 - 1 - i, cy - half, cx + (size + 1) / 2 - i, cy + half + 1), color); break;
        }
    }
}

void CheckMark(CDC& dc, const CRect& box, COLORREF color)
{
    // The classic 7x7 tick: three pixels thick, falling then rising.
    int x = box.left + (box.Width() - 7) / 2, y = box.top + (box.Height() - 7) / 2;
    const int rise[7] = { 2, 3, 4, 3, 2, 1, 0 };
    for (int i = 0; i < 7; ++i)
        Fill(dc, CRect(x + i, y + rise[i], x + i + 1, y + rise[i] + 3), color);
}

void Disc(CDC& dc, double cx, double cy, double radius, COLORREF color, double from = 0, double to = 2 * M_PI)
{
    DcData* d = Data(&dc);
    if (!d)
        return;
    SurfaceLock lock(*d);
    cairo_t* cr = d->Cairo();
    if (!cr)
        return;
    POINT c = d->ToSurfacePoint(static_cast<int>(cx), static_cast<int>(cy));
    cairo_save(cr);
    if (d->HasPixels())
        cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    CairoSetColor(cr, color, d->Mono());
    cairo_move_to(cr, c.x + (cx - std::floor(cx)), c.y + (cy - std::floor(cy)));
    cairo_arc(cr, c.x + (cx - std::floor(cx)), c.y + (cy - std::floor(cy)), radius, from, to);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_restore(cr);
    d->Touch(CRect(c.x - static_cast<int>(radius) - 1, c.y - static_cast<int>(radius) - 1,
                   c.x + static_cast<int>(radius) + 2, c.y + static_cast<int>(radius) + 2));
}

CRect GlyphBox(const CRect& r)
{
    int size = std::min({ 13, r.Width(), r.Height() });
    int top = r.top + (r.Height() - size) / 2;
    return CRect(r.left, top, r.left + size, top + size);
}

void DrawCheckBox(CDC& dc, const CRect& r, UINT state)
{
    CRect box = GlyphBox(r);
    bool inactive = state & DFCS_INACTIVE;
    if (state & (DFCS_FLAT | DFCS_MONO))
        Frame3d(dc, box, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW), BF_RECT);
    else
        dc.DrawEdge(&box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    if (state & (DFCS_FLAT | DFCS_MONO))
        box.DeflateRect(1, 1);
    Fill(dc, box, (inactive || (state & DFCS_PUSHED)) ? GetSysColor(COLOR_BTNFACE) : GetSysColor(COLOR_WINDOW));
    if (state & DFCS_CHECKED)
        CheckMark(dc, box, inactive ? GetSysColor(COLOR_GRAYTEXT) : GetSysColor(COLOR_WINDOWTEXT));
}

void DrawRadio(CDC& dc, const CRect& r, UINT state)
{
    CRect box = GlyphBox(r);
    double cx = box.left + box.Width() / 2.0, cy = box.top + box.Height() / 2.0, radius = box.Width() / 2.0;
    bool inactive = state & DFCS_INACTIVE;
    // Shadow on the upper left half, light on the lower right, then the inner ring and the well.
    Disc(dc, cx, cy, radius, GetSysColor(COLOR_BTNHIGHLIGHT), -M_PI / 4, 3 * M_PI / 4);
    Disc(dc, cx, cy, radius, GetSysColor(COLOR_BTNSHADOW), 3 * M_PI / 4, 7 * M_PI / 4);
    Disc(dc, cx, cy, radius - 1, GetSysColor(COLOR_3DLIGHT), -M_PI / 4, 3 * M_PI / 4);
    Disc(dc, cx, cy, radius - 1, GetSysColor(COLOR_3DDKSHADOW), 3 * M_PI / 4, 7 * M_PI / 4);
    Disc(dc, cx, cy, radius - 2, (inactive || (state & DFCS_PUSHED)) ? GetSysColor(COLOR_BTNFACE) : GetSysColor(COLOR_WINDOW));
    if (state & DFCS_CHECKED) {
        // The classic dot: a 4x4 square with its corners cut.
        COLORREF ink = inactive ? GetSysColor(COLOR_GRAYTEXT) : GetSysColor(COLOR_WINDOWTEXT);
        int x = box.left + box.Width() / 2 - 2, y = box.top + box.Height() / 2 - 2;
        Fill(dc, CRect(x + 1, y, x + 3, y + 4), ink);
        Fill(dc, CRect(x, y + 1, x + 4, y + 3), ink);
    }
}

void DrawPushButton(CDC& dc, CRect r, UINT state)
{
    if (state & DFCS_FLAT) {
        Frame3d(dc, r, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW), BF_RECT);
        r.DeflateRect(1, 1);
        Fill(dc, r, GetSysColor(COLOR_BTNFACE));
        return;
    }
    if (state & DFCS_PUSHED) {
        // Pressed: a dark frame and a shadow line inside it.
        Frame3d(dc, r, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DDKSHADOW), BF_RECT);
        r.DeflateRect(1, 1);
        Frame3d(dc, r, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW), BF_RECT);
        r.DeflateRect(1, 1);
        Fill(dc, r, GetSysColor(COLOR_BTNFACE));
        return;
    }
    dc.DrawEdge(&r, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_SOFT);
}

void DrawScroll(CDC& dc, CRect r, UINT state)
{
    UINT kind = state & 0x1F;
    if (kind == DFCS_SCROLLSIZEGRIP) {
        Fill(dc, r, GetSysColor(COLOR_BTNFACE));
        // Three pairs of diagonal lines in the bottom-right corner: light then two shadows.
        int size = std::min(r.Width(), r.Height());
        for (int line = 0; line < size - 1; ++line) {
            int phase = line % 4;
            if (phase == 3)
                continue;
            COLORREF c = phase == 0 ? GetSysColor(COLOR_BTNHIGHLIGHT) : GetSysColor(COLOR_BTNSHADOW);
            for (int i = 0; i <= line; ++i)
                Fill(dc, CRect(r.right - 1 - line + i, r.bottom - 1 - i, r.right - line + i, r.bottom - i), c);
        }
        return;
    }
    if (state & DFCS_PUSHED) {
        Frame3d(dc, r, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW), BF_RECT);
        CRect inner = r;
        inner.DeflateRect(1, 1);
        Fill(dc, inner, GetSysColor(COLOR_BTNFACE));
    } else if (state & DFCS_FLAT) {
        Fill(dc, r, GetSysColor(COLOR_BTNFACE));
    } else {
        CRect edge = r;
        dc.DrawEdge(&edge, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    }
    int direction = kind == DFCS_SCROLLUP ? 0 : kind == DFCS_SCROLLLEFT ? 2 : kind == DFCS_SCROLLRIGHT ? 3 : 1;
    CRect glyph = r;
    if (state & DFCS_PUSHED)
        glyph.OffsetRect(1, 1);
    if (state & DFCS_INACTIVE) {
        CRect shadow = glyph;
        shadow.OffsetRect(1, 1);
        Arrow(dc, shadow, direction, GetSysColor(COLOR_BTNHIGHLIGHT));
        Arrow(dc, glyph, direction, GetSysColor(COLOR_GRAYTEXT));
    } else {
        Arrow(dc, glyph, direction, GetSysColor(COLOR_BTNTEXT));
    }
}

} // namespace

BOOL CDC::DrawEdge(LPRECT rect, UINT edge, UINT flags)
{
    if (!rect || !m_hDC)
        return FALSE;
    CRect r(rect);
    UINT sides = flags & BF_RECT;
    COLORREF light = GetSysColor(COLOR_3DLIGHT), highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), dark = GetSysColor(COLOR_3DDKSHADOW);
    if (flags & BF_MONO) {
        light = highlight = shadow = dark = GetSysColor(COLOR_WINDOWFRAME);
    } else if (flags & BF_FLAT) {
        light = highlight = shadow = dark = GetSysColor(COLOR_BTNSHADOW);
    }
    bool soft = flags & BF_SOFT;
    // Outer ring.
    if (edge & BDR_RAISEDOUTER)
        Frame3d(*this, r, soft ? highlight : light, dark, sides);
    else if (edge & BDR_SUNKENOUTER)
        Frame3d(*this, r, soft ? dark : shadow, highlight, sides);
    if (edge & BDR_OUTER)
        Shrink(r, sides);
    // Inner ring.
    if (edge & BDR_RAISEDINNER)
        Frame3d(*this, r, soft ? light : highlight, shadow, sides);
    else if (edge & BDR_SUNKENINNER)
        Frame3d(*this, r, soft ? shadow : dark, light, sides);
    if (edge & BDR_INNER)
        Shrink(r, sides);
    if (flags & BF_MIDDLE)
        Fill(*this, r, (flags & BF_MONO) ? GetSysColor(COLOR_WINDOW) : GetSysColor(COLOR_BTNFACE));
    if (flags & BF_ADJUST)
        *rect = r;
    return TRUE;
}

BOOL DrawEdge(HDC dc, LPRECT rect, UINT edge, UINT flags)
{
    CDC* c = CDC::FromHandle(dc);
    return c ? c->DrawEdge(rect, edge, flags) : FALSE;
}

BOOL CDC::DrawFrameControl(LPRECT rect, UINT type, UINT state)
{
    if (!rect || !m_hDC)
        return FALSE;
    CRect r(rect);
    switch (type) {
    case DFC_BUTTON:
        if (state & DFCS_BUTTONPUSH)
            DrawPushButton(*this, r, state);
        else if ((state & 0x0F) == DFCS_BUTTONRADIO)
            DrawRadio(*this, r, state);
        else
            DrawCheckBox(*this, r, state);
        return TRUE;
    case DFC_SCROLL: DrawScroll(*this, r, state); return TRUE;
    case DFC_CAPTION:
    case DFC_MENU: DrawPushButton(*this, r, state); return TRUE;
    default: return FALSE;
    }
}

BOOL DrawFrameControl(HDC dc, LPRECT rect, UINT type, UINT state)
{
    CDC* c = CDC::FromHandle(dc);
    return c ? c->DrawFrameControl(rect, type, state) : FALSE;
}
