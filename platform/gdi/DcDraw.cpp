// CDC drawing: lines, shapes, fills and pixels with the classic pixel rules.
//
// On pixel surfaces, one-pixel lines and rectangle fills are written straight into the
// pixels (fast, exact, and free of anti-aliasing); wider pens, ellipses and polygons go
// through cairo with anti-aliasing off. On a printer everything goes through cairo.
#include "platform/gdi/DcInternal.h"
#include "platform/gdi/SysColors.h"

#include <cairo.h>

#include <cmath>

namespace platform::gdi {

namespace {

inline void Mix(std::uint32_t& d, std::uint32_t s, int rop2)
{
    switch (rop2) {
    case R2_COPYPEN: d = s; break;
    case R2_XORPEN: d = (d ^ s) | 0xFF000000u; break;
    case R2_NOTXORPEN: d = ~(d ^ s) | 0xFF000000u; break;
    case R2_NOT: d = ~d | 0xFF000000u; break;
    case R2_BLACK: d = 0xFF000000u; break;
    case R2_WHITE: d = 0xFFFFFFFFu; break;
    case R2_NOP: break;
    default: d = s; break;
    }
}

// Dash patterns of one-pixel pens, in pixels on/off.
struct DashPattern
{
    int count;
    int lengths[6];
};
constexpr DashPattern kDashes[] = {
    { 0, {} },                     // PS_SOLID
    { 2, { 18, 6 } },              // PS_DASH
    { 2, { 3, 3 } },               // PS_DOT
    { 4, { 9, 6, 3, 6 } },         // PS_DASHDOT
    { 6, { 9, 3, 3, 3, 3, 3 } },   // PS_DASHDOTDOT
};

int PatternLength(const DashPattern& p)
{
    int n = 0;
    for (int i = 0; i < p.count; ++i)
        n += p.lengths[i];
    return n;
}

// Whether position `phase` of the pattern is in a dash (true) or a gap.
bool InDash(const DashPattern& p, int phase)
{
    int total = PatternLength(p);
    phase %= total;
    for (int i = 0; i < p.count; ++i) {
        if (phase < p.lengths[i])
            return (i % 2) == 0;
        phase -= p.lengths[i];
    }
    return true;
}

// Device width of the current pen (0 or 1 pixel for a cosmetic pen).
int PenDeviceWidth(const DcData& d)
{
    const PenData& pen = *d.st.pen;
    if (pen.width <= 1 && !d.Scaled())
        return 1;
    if (pen.width == 0)
        return 1;
    return std::max(1, static_cast<int>(std::lround(pen.width * std::abs(d.ScaleX()))));
}

bool PenVisible(const DcData& d)
{
    return d.st.pen && d.st.pen->style != PS_NULL;
}

// A one-pixel line in surface coordinates, end pixel omitted.
void ThinLine(DcData& d, int x0, int y0, int x1, int y1)
{
    const PenData& pen = *d.st.pen;
    std::uint32_t pixel = d.DevicePixel(pen.color);
    int rop = d.st.rop2;
    int style = pen.style <= PS_DASHDOTDOT ? pen.style : PS_SOLID;
    const auto& clip = d.Clip();
    if (clip.empty() || (x0 == x1 && y0 == y1))
        return;
    if (style == PS_SOLID && (y0 == y1 || x0 == x1)) {
        CRect r = y0 == y1 ? (x0 < x1 ? CRect(x0, y0, x1, y0 + 1) : CRect(x1 + 1, y0, x0 + 1, y0 + 1))
                           : (y0 < y1 ? CRect(x0, y0, x0 + 1, y1) : CRect(x0, y1 + 1, x0 + 1, y0 + 1));
        FillSurfaceRect(d, r, pixel, rop);
        return;
    }
    const DashPattern& dash = kDashes[style];
    bool opaqueGaps = d.st.bkMode == OPAQUE;
    std::uint32_t gapPixel = d.DevicePixel(d.st.bkColor);
    int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
    int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int steps = std::max(dx, dy);
    int err = (dx > dy ? dx : -dy) / 2;
    int x = x0, y = y0;
    bool single = clip.size() == 1;
    const CRect& c0 = clip[0];
    Surface& s = *d.surface;
    for (int i = 0; i < steps; ++i) {
        bool draw = true;
        std::uint32_t p = pixel;
        if (style != PS_SOLID) {
            if (!InDash(dash, d.dashPhase++)) {
                draw = opaqueGaps;
                p = gapPixel;
            }
        }
        if (draw) {
            bool inside = false;
            if (single)
                inside = x >= c0.left && x < c0.right && y >= c0.top && y < c0.bottom;
            else
                for (const CRect& c : clip)
                    if (x >= c.left && x < c.right && y >= c.top && y < c.bottom) {
                        inside = true;
                        break;
                    }
            if (inside)
                Mix(s.Row(y)[x], p, rop);
        }
        int e2 = err;
        if (e2 > -dx) err -= dy, x += sx;
        if (e2 < dy) err += dx, y += sy;
    }
}

void CairoPen(DcData& d, cairo_t* cr)
{
    const PenData& pen = *d.st.pen;
    CairoSetColor(cr, pen.color, d.Mono());
    int w = PenDeviceWidth(d);
    cairo_set_line_width(cr, w);
    cairo_set_line_cap(cr, pen.endcap == PS_ENDCAP_FLAT     ? CAIRO_LINE_CAP_BUTT
                           : pen.endcap == PS_ENDCAP_SQUARE ? CAIRO_LINE_CAP_SQUARE
                                                            : CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    if (w == 1 && pen.style >= PS_DASH && pen.style <= PS_DASHDOTDOT) {
        const DashPattern& p = kDashes[pen.style];
        double lengths[6];
        for (int i = 0; i < p.count; ++i)
            lengths[i] = p.lengths[i];
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
        cairo_set_dash(cr, lengths, p.count, 0);
    } else {
        cairo_set_dash(cr, nullptr, 0, 0);
    }
    if (d.HasPixels())
        cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    if (d.st.rop2 == R2_XORPEN || d.st.rop2 == R2_NOT) {
        cairo_set_operator(cr, CAIRO_OPERATOR_DIFFERENCE);
        if (d.st.rop2 == R2_NOT)
            cairo_set_source_rgb(cr, 1, 1, 1);
    }
}

// Offset that puts an odd-width stroke on pixel centres.
double StrokeOffset(const DcData& d)
{
    return (d.HasPixels() && PenDeviceWidth(d) % 2 == 1) ? 0.5 : 0.0;
}

// Bounding rectangle of device points (surface coordinates), grown by the pen.
CRect PointsBounds(const DcData& d, const POINT* pts, int count, int grow)
{
    CRect r(pts[0].x, pts[0].y, pts[0].x + 1, pts[0].y + 1);
    for (int i = 1; i < count; ++i)
        r |= CRect(pts[i].x, pts[i].y, pts[i].x + 1, pts[i].y + 1);
    r.InflateRect(grow, grow);
    (void)d;
    return r;
}

bool UseThinLines(const DcData& d)
{
    return d.HasPixels() && PenDeviceWidth(d) == 1;
}

// Strokes a path of surface points with the current pen (open or closed).
void StrokePoints(DcData& d, const std::vector<POINT>& pts, bool closed)
{
    if (!PenVisible(d) || pts.size() < 2)
        return;
    if (UseThinLines(d)) {
        for (size_t i = 0; i + 1 < pts.size(); ++i)
            ThinLine(d, pts[i].x, pts[i].y, pts[i + 1].x, pts[i + 1].y);
        if (closed)
            ThinLine(d, pts.back().x, pts.back().y, pts.front().x, pts.front().y);
    } else if (cairo_t* cr = d.Cairo()) {
        cairo_save(cr);
        CairoPen(d, cr);
        double o = StrokeOffset(d);
        cairo_move_to(cr, pts[0].x + o, pts[0].y + o);
        for (size_t i = 1; i < pts.size(); ++i)
            cairo_line_to(cr, pts[i].x + o, pts[i].y + o);
        if (closed)
            cairo_close_path(cr);
        cairo_stroke(cr);
        cairo_restore(cr);
    }
    d.Touch(PointsBounds(d, pts.data(), static_cast<int>(pts.size()), PenDeviceWidth(d)));
}

void CairoBrush(DcData& d, cairo_t* cr, const BrushData& brush)
{
    if (brush.style == BS_PATTERN && brush.pattern) {
        cairo_pattern_t* p = cairo_pattern_create_for_surface(static_cast<cairo_surface_t*>(brush.pattern->CairoSurface()));
        cairo_pattern_set_extend(p, CAIRO_EXTEND_REPEAT);
        cairo_matrix_t m;
        cairo_matrix_init_translate(&m, -(d.st.brushOrg.x + d.origin.x), -(d.st.brushOrg.y + d.origin.y));
        cairo_pattern_set_matrix(p, &m);
        cairo_set_source(cr, p);
        cairo_pattern_destroy(p);
    } else {
        CairoSetColor(cr, brush.color, d.Mono());
    }
    if (d.HasPixels())
        cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
}

std::vector<POINT> SurfacePoints(const DcData& d, const POINT* points, int count)
{
    std::vector<POINT> pts(count);
    for (int i = 0; i < count; ++i)
        pts[i] = d.ToSurfacePoint(points[i].x, points[i].y);
    return pts;
}

bool BrushVisible(const DcData& d)
{
    return d.st.brush && d.st.brush->style != BS_NULL;
}

// 8x8 hatch patterns, one byte a row, most significant bit leftmost.
constexpr BYTE kHatch[6][8] = {
    { 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00 }, // HS_HORIZONTAL
    { 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08 }, // HS_VERTICAL
    { 0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01 }, // HS_FDIAGONAL
    { 0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80 }, // HS_BDIAGONAL
    { 0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08, 0x08 }, // HS_CROSS
    { 0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81 }, // HS_DIAGCROSS
};

} // namespace

void FillSurfaceRect(DcData& d, const CRect& r, std::uint32_t pixel, int rop2)
{
    if (!d.HasPixels() || r.IsRectEmpty())
        return;
    Surface& s = *d.surface;
    for (const CRect& c : d.Clip()) {
        CRect x = r & c;
        if (x.IsRectEmpty())
            continue;
        for (int y = x.top; y < x.bottom; ++y) {
            std::uint32_t* row = s.Row(y);
            if (rop2 == R2_COPYPEN)
                std::fill(row + x.left, row + x.right, pixel);
            else
                for (int px = x.left; px < x.right; ++px)
                    Mix(row[px], pixel, rop2);
        }
    }
}

void FillWithBrush(DcData& d, const CRect& r, const BrushData& brush)
{
    if (brush.style == BS_NULL || r.IsRectEmpty())
        return;
    if (!d.HasPixels()) {
        if (cairo_t* cr = d.Cairo()) {
            cairo_save(cr);
            CairoBrush(d, cr, brush);
            cairo_rectangle(cr, r.left, r.top, r.Width(), r.Height());
            cairo_fill(cr);
            cairo_restore(cr);
        }
        return;
    }
    if (brush.style == BS_SOLID) {
        FillSurfaceRect(d, r, d.DevicePixel(brush.color), R2_COPYPEN);
    } else {
        Surface& s = *d.surface;
        std::uint32_t fore = d.DevicePixel(brush.color), back = d.DevicePixel(d.st.bkColor);
        bool opaque = d.st.bkMode == OPAQUE;
        int ox = d.st.brushOrg.x + d.origin.x, oy = d.st.brushOrg.y + d.origin.y;
        const Surface* pattern = brush.pattern.get();
        for (const CRect& c : d.Clip()) {
            CRect x = r & c;
            for (int y = x.top; y < x.bottom; ++y) {
                std::uint32_t* row = s.Row(y);
                for (int px = x.left; px < x.right; ++px) {
                    if (pattern) {
                        int tx = ((px - ox) % pattern->Width() + pattern->Width()) % pattern->Width();
                        int ty = ((y - oy) % pattern->Height() + pattern->Height()) % pattern->Height();
                        row[px] = pattern->Row(ty)[tx];
                    } else {
                        int hx = ((px - ox) % 8 + 8) % 8, hy = ((y - oy) % 8 + 8) % 8;
                        if ((kHatch[brush.hatch][hy] >> (7 - hx)) & 1)
                            row[px] = fore;
                        else if (opaque)
                            row[px] = back;
                    }
                }
            }
        }
    }
    d.Touch(r);
}

} // namespace platform::gdi

using namespace platform::gdi;

// ---- lines -----------------------------------------------------------------------------
CPoint CDC::MoveTo(int x, int y)
{
    DcData* d = Data(this);
    if (!d)
        return CPoint();
    d->dashPhase = 0;
    return std::exchange(d->st.current, POINT { x, y });
}

CPoint CDC::GetCurrentPosition() const
{
    DcData* d = Data(this);
    return d ? CPoint(d->st.current) : CPoint();
}

BOOL CDC::LineTo(int x, int y)
{
    DcData* d = Data(this);
    if (!d)
        return FALSE;
    SurfaceLock lock(*d);
    POINT a = d->ToSurfacePoint(d->st.current.x, d->st.current.y);
    POINT b = d->ToSurfacePoint(x, y);
    d->st.current = POINT { x, y };
    if (!PenVisible(*d))
        return TRUE;
    if (UseThinLines(*d)) {
        ThinLine(*d, a.x, a.y, b.x, b.y);
        POINT pts[2] = { a, b };
        d->Touch(PointsBounds(*d, pts, 2, 0));
        return TRUE;
    }
    StrokePoints(*d, { a, b }, false);
    return TRUE;
}

BOOL CDC::Polyline(const POINT* points, int count)
{
    DcData* d = Data(this);
    if (!d || !points || count < 2)
        return FALSE;
    SurfaceLock lock(*d);
    d->dashPhase = 0;
    StrokePoints(*d, SurfacePoints(*d, points, count), false);
    return TRUE;
}

BOOL CDC::PolyPolyline(const POINT* points, const DWORD* counts, int polylines)
{
    if (!points || !counts)
        return FALSE;
    for (int i = 0; i < polylines; ++i) {
        Polyline(points, static_cast<int>(counts[i]));
        points += counts[i];
    }
    return TRUE;
}

BOOL CDC::Polygon(const POINT* points, int count)
{
    DcData* d = Data(this);
    if (!d || !points || count < 2)
        return FALSE;
    SurfaceLock lock(*d);
    std::vector<POINT> pts = SurfacePoints(*d, points, count);
    if (BrushVisible(*d)) {
        if (cairo_t* cr = d->Cairo()) {
            cairo_save(cr);
            CairoBrush(*d, cr, *d->st.brush);
            cairo_set_fill_rule(cr, d->st.polyFill == WINDING ? CAIRO_FILL_RULE_WINDING : CAIRO_FILL_RULE_EVEN_ODD);
            cairo_move_to(cr, pts[0].x, pts[0].y);
            for (int i = 1; i < count; ++i)
                cairo_line_to(cr, pts[i].x, pts[i].y);
            cairo_close_path(cr);
            cairo_fill(cr);
            cairo_restore(cr);
            d->Touch(PointsBounds(*d, pts.data(), count, 0));
        }
    }
    d->dashPhase = 0;
    StrokePoints(*d, pts, true);
    return TRUE;
}

// ---- rectangles and shapes ---------------------------------------------------------------
BOOL CDC::Rectangle(int left, int top, int right, int bottom)
{
    DcData* d = Data(this);
    if (!d)
        return FALSE;
    SurfaceLock lock(*d);
    CRect r = d->ToSurface(CRect(left, top, right, bottom));
    bool pen = PenVisible(*d);
    if (r.IsRectEmpty())
        return TRUE;
    if (!pen) {
        // Without a pen the fill is one pixel smaller on the right and bottom.
        if (BrushVisible(*d))
            FillWithBrush(*d, CRect(r.left, r.top, r.right - 1, r.bottom - 1), *d->st.brush);
        return TRUE;
    }
    int w = PenDeviceWidth(*d);
    if (BrushVisible(*d))
        FillWithBrush(*d, CRect(r.left + 1, r.top + 1, r.right - 1, r.bottom - 1), *d->st.brush);
    const PenData& p = *d->st.pen;
    if (d->HasPixels() && (w > 1 || p.style == PS_SOLID || p.style == PS_INSIDEFRAME)) {
        // The frame is the outline of the inclusive rectangle, as wide as the pen, centred.
        CRect outer(r.left - w / 2, r.top - w / 2, r.right - 1 - w / 2 + w, r.bottom - 1 - w / 2 + w);
        if (p.style == PS_INSIDEFRAME)
            outer = r;
        std::uint32_t px = d->DevicePixel(p.color);
        int rop = d->st.rop2;
        int t = std::min(w, std::min(outer.Width(), outer.Height()));
        FillSurfaceRect(*d, CRect(outer.left, outer.top, outer.right, outer.top + t), px, rop);
        if (outer.Height() > t) {
            FillSurfaceRect(*d, CRect(outer.left, outer.bottom - t, outer.right, outer.bottom), px, rop);
            FillSurfaceRect(*d, CRect(outer.left, outer.top + t, outer.left + t, outer.bottom - t), px, rop);
            if (outer.Width() > t)
                FillSurfaceRect(*d, CRect(outer.right - t, outer.top + t, outer.right, outer.bottom - t), px, rop);
        }
        d->Touch(outer);
        return TRUE;
    }
    d->dashPhase = 0;
    StrokePoints(*d, { { r.left, r.top }, { r.right - 1, r.top }, { r.right - 1, r.bottom - 1 }, { r.left, r.bottom - 1 } },
                 true);
    return TRUE;
}

namespace {

void EllipsePath(cairo_t* cr, double l, double t, double r, double b)
{
    double rx = (r - l) / 2, ry = (b - t) / 2;
    if (rx <= 0 || ry <= 0)
        return;
    cairo_save(cr);
    cairo_translate(cr, l + rx, t + ry);
    cairo_scale(cr, rx, ry);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
}

void RoundRectPath(cairo_t* cr, double l, double t, double r, double b, double ew, double eh)
{
    double rx = std::min(ew / 2, (r - l) / 2), ry = std::min(eh / 2, (b - t) / 2);
    if (rx <= 0 || ry <= 0) {
        cairo_rectangle(cr, l, t, r - l, b - t);
        return;
    }
    auto corner = [&](double cx, double cy, double a0) {
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_scale(cr, rx, ry);
        cairo_arc(cr, 0, 0, 1, a0, a0 + M_PI / 2);
        cairo_restore(cr);
    };
    cairo_new_sub_path(cr);
    corner(r - rx, t + ry, -M_PI / 2);
    corner(r - rx, b - ry, 0);
    corner(l + rx, b - ry, M_PI / 2);
    corner(l + rx, t + ry, M_PI);
    cairo_close_path(cr);
}

// Fills with the brush and strokes with the pen a closed shape given by a path builder taking
// (left, top, right, bottom) in surface units.
template <typename Path>
void Shape(DcData& d, const CRect& r, Path path)
{
    cairo_t* cr = d.Cairo();
    if (!cr || r.IsRectEmpty())
        return;
    if (BrushVisible(d)) {
        cairo_save(cr);
        CairoBrush(d, cr, *d.st.brush);
        path(cr, r.left, r.top, r.right, r.bottom);
        cairo_fill(cr);
        cairo_restore(cr);
    }
    if (PenVisible(d)) {
        cairo_save(cr);
        CairoPen(d, cr);
        double half = PenDeviceWidth(d) / 2.0;
        double in = d.HasPixels() ? std::max(0.5, half) : 0.0;
        path(cr, r.left + in, r.top + in, r.right - in, r.bottom - in);
        cairo_stroke(cr);
        cairo_restore(cr);
    }
    CRect touched = r;
    touched.InflateRect(PenDeviceWidth(d), PenDeviceWidth(d));
    d.Touch(touched);
}

} // namespace

BOOL CDC::Ellipse(int left, int top, int right, int bottom)
{
    DcData* d = Data(this);
    if (!d)
        return FALSE;
    SurfaceLock lock(*d);
    Shape(*d, d->ToSurface(CRect(left, top, right, bottom)), EllipsePath);
    return TRUE;
}

BOOL CDC::RoundRect(int left, int top, int right, int bottom, int width, int height)
{
    DcData* d = Data(this);
    if (!d)
        return FALSE;
    SurfaceLock lock(*d);
    double ew = width * std::abs(d->ScaleX()), eh = height * std::abs(d->ScaleY());
    Shape(*d, d->ToSurface(CRect(left, top, right, bottom)),
          [&](cairo_t* cr, double l, double t, double r, double b) { RoundRectPath(cr, l, t, r, b, ew, eh); });
    return TRUE;
}

BOOL CDC::Pie(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2)
{
    DcData* d = Data(this);
    if (!d)
        return FALSE;
    SurfaceLock lock(*d);
    CRect r = d->ToSurface(CRect(left, top, right, bottom));
    POINT s = d->ToSurfacePoint(x1, y1), e = d->ToSurfacePoint(x2, y2);
    double cx = (r.left + r.right) / 2.0, cy = (r.top + r.bottom) / 2.0;
    // Counter-clockwise from the start radial to the end radial, as on screen.
    double a0 = std::atan2(s.y - cy, s.x - cx), a1 = std::atan2(e.y - cy, e.x - cx);
    Shape(*d, r, [&](cairo_t* cr, double l, double t, double rr, double b) {
        double rx = (rr - l) / 2, ry = (b - t) / 2;
        if (rx <= 0 || ry <= 0)
            return;
        cairo_move_to(cr, cx, cy);
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_scale(cr, rx, ry);
        cairo_arc_negative(cr, 0, 0, 1, a0, a1);
        cairo_restore(cr);
        cairo_close_path(cr);
    });
    return TRUE;
}

COLORREF CDC::SetPixel(int x, int y, COLORREF color)
{
    DcData* d = Data(this);
    if (!d)
        return 0xFFFFFFFF;
    SurfaceLock lock(*d);
    POINT p = d->ToSurfacePoint(x, y);
    CRect r(p.x, p.y, p.x + 1, p.y + 1);
    if (d->HasPixels())
        FillSurfaceRect(*d, r, d->DevicePixel(color), R2_COPYPEN);
    else
    {
        BrushData b;
        b.color = color & 0xFFFFFF;
        FillWithBrush(*d, r, b);
    }
    d->Touch(r);
    return color & 0xFFFFFF;
}

COLORREF CDC::GetPixel(int x, int y) const
{
    DcData* d = Data(this);
    if (!d || !d->HasPixels())
        return 0xFFFFFFFF;
    SurfaceLock lock(*d);
    POINT p = d->ToSurfacePoint(x, y);
    for (const CRect& c : d->Clip())
        if (c.PtInRect(p))
            return ColorFromPixel(d->surface->Row(p.y)[p.x]);
    return 0xFFFFFFFF;
}

// ---- fills and frames ------------------------------------------------------------------
void CDC::FillRect(LPCRECT rect, CBrush* brush)
{
    DcData* d = Data(this);
    if (!d || !rect || !brush)
        return;
    Ref<ObjectData> b(Acquire(brush->m_hObject, Kind::Brush));
    if (!b)
        return;
    SurfaceLock lock(*d);
    FillWithBrush(*d, d->ToSurface(*rect), *static_cast<BrushData*>(b.get()));
}

int FillRect(HDC dc, LPCRECT rect, HBRUSH brush)
{
    CDC* c = CDC::FromHandle(dc);
    if (!c)
        return 0;
    // A small system colour index + 1 stands for that colour's brush, as window classes use.
    if (reinterpret_cast<uintptr_t>(brush) <= 31 && brush)
        brush = GetSysColorBrush(static_cast<int>(reinterpret_cast<uintptr_t>(brush)) - 1);
    c->FillRect(rect, CBrush::FromHandle(brush));
    return 1;
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF color)
{
    DcData* d = Data(this);
    if (!d || !rect)
        return;
    // Like the classic call, the background colour becomes the fill colour.
    d->st.bkColor = color & 0xFFFFFF;
    SurfaceLock lock(*d);
    BrushData b;
    b.color = color & 0xFFFFFF;
    FillWithBrush(*d, d->ToSurface(*rect), b);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color)
{
    CRect r(x, y, x + cx, y + cy);
    r.NormalizeRect();
    FillSolidRect(&r, color);
}

void CDC::FrameRect(LPCRECT rect, CBrush* brush)
{
    if (!rect || !brush)
        return;
    CRect r(rect);
    if (r.IsRectEmpty())
        return;
    CRect sides[4] = { { r.left, r.top, r.right, r.top + 1 },
                       { r.left, r.bottom - 1, r.right, r.bottom },
                       { r.left, r.top, r.left + 1, r.bottom },
                       { r.right - 1, r.top, r.right, r.bottom } };
    for (const CRect& s : sides)
        FillRect(&s, brush);
}

void CDC::Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight)
{
    if (rect)
        Draw3dRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, topLeft, bottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, topLeft);
    FillSolidRect(x, y, 1, cy - 1, topLeft);
    FillSolidRect(x + cx - 1, y, 1, cy, bottomRight);
    FillSolidRect(x, y + cy - 1, cx, 1, bottomRight);
}

void CDC::InvertRect(LPCRECT rect)
{
    DcData* d = Data(this);
    if (!d || !rect || !d->HasPixels())
        return;
    SurfaceLock lock(*d);
    CRect r = d->ToSurface(*rect);
    FillSurfaceRect(*d, r, 0, R2_NOT);
    d->Touch(r);
}

void CDC::DrawFocusRect(LPCRECT rect)
{
    DcData* d = Data(this);
    if (!d || !rect || !d->HasPixels())
        return;
    SurfaceLock lock(*d);
    CRect r = d->ToSurface(*rect);
    if (r.IsRectEmpty())
        return;
    // Every other pixel of the frame inverted, so that a second call restores it.
    auto dot = [&](int x, int y) {
        if (((x + y) & 1) == 0)
            FillSurfaceRect(*d, CRect(x, y, x + 1, y + 1), 0, R2_NOT);
    };
    for (int x = r.left; x < r.right; ++x) {
        dot(x, r.top);
        if (r.bottom - 1 > r.top)
            dot(x, r.bottom - 1);
    }
    for (int y = r.top + 1; y < r.bottom - 1; ++y) {
        dot(r.left, y);
        if (r.right - 1 > r.left)
            dot(r.right - 1, y);
    }
    d->Touch(r);
}

namespace {

// Fills every rectangle of a device-unit region with a brush (or inverts it).
void FillRegion(DcData& d, cairo_region_t* region, const BrushData* brush)
{
    int n = cairo_region_num_rectangles(region);
    for (int i = 0; i < n; ++i) {
        cairo_rectangle_int_t c;
        cairo_region_get_rectangle(region, i, &c);
        CRect r(c.x + d.origin.x, c.y + d.origin.y, c.x + d.origin.x + c.width, c.y + d.origin.y + c.height);
        if (brush)
            FillWithBrush(d, r, *brush);
        else {
            FillSurfaceRect(d, r, 0, R2_NOT);
            d.Touch(r);
        }
    }
}

} // namespace

BOOL CDC::FillRgn(CRgn* rgn, CBrush* brush)
{
    DcData* d = Data(this);
    cairo_region_t* region = rgn ? RegionOf(*rgn) : nullptr;
    if (!d || !region || !brush)
        return FALSE;
    Ref<ObjectData> b(Acquire(brush->m_hObject, Kind::Brush));
    if (!b)
        return FALSE;
    SurfaceLock lock(*d);
    FillRegion(*d, region, static_cast<BrushData*>(b.get()));
    return TRUE;
}

BOOL CDC::FrameRgn(CRgn* rgn, CBrush* brush, int width, int height)
{
    DcData* d = Data(this);
    cairo_region_t* region = rgn ? RegionOf(*rgn) : nullptr;
    if (!d || !region || !brush)
        return FALSE;
    Ref<ObjectData> b(Acquire(brush->m_hObject, Kind::Brush));
    if (!b)
        return FALSE;
    // The frame is the region minus its interior shrunk by the frame width and height.
    cairo_region_t* inner = cairo_region_copy(region);
    const int shifts[4][2] = { { width, 0 }, { -width, 0 }, { 0, height }, { 0, -height } };
    for (const auto& s : shifts) {
        cairo_region_t* moved = cairo_region_copy(region);
        cairo_region_translate(moved, s[0], s[1]);
        cairo_region_intersect(inner, moved);
        cairo_region_destroy(moved);
    }
    cairo_region_t* frame = cairo_region_copy(region);
    cairo_region_subtract(frame, inner);
    SurfaceLock lock(*d);
    FillRegion(*d, frame, static_cast<BrushData*>(b.get()));
    cairo_region_destroy(frame);
    cairo_region_destroy(inner);
    return TRUE;
}

BOOL CDC::PaintRgn(CRgn* rgn)
{
    DcData* d = Data(this);
    cairo_region_t* region = rgn ? RegionOf(*rgn) : nullptr;
    if (!d || !region)
        return FALSE;
    SurfaceLock lock(*d);
    FillRegion(*d, region, d->st.brush.get());
    return TRUE;
}

BOOL CDC::InvertRgn(CRgn* rgn)
{
    DcData* d = Data(this);
    cairo_region_t* region = rgn ? RegionOf(*rgn) : nullptr;
    if (!d || !region || !d->HasPixels())
        return FALSE;
    SurfaceLock lock(*d);
    FillRegion(*d, region, nullptr);
    return TRUE;
}
