// Regions on cairo's pixel regions (unions of rectangles).
#include "platform/gdi/CRgn.h"
#include "platform/gdi/GdiInternal.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace platform::gdi {

RegionData::RegionData() : ObjectData(Kind::Region), region(cairo_region_create()) {}

RegionData::~RegionData()
{
    cairo_region_destroy(region);
}

namespace {

int RegionType(const cairo_region_t* r)
{
    if (!r)
        return ERROR;
    int n = cairo_region_num_rectangles(r);
    return n == 0 ? NULLREGION : n == 1 ? SIMPLEREGION : COMPLEXREGION;
}

RegionData* DataOf(HGDIOBJ handle)
{
    // Regions are owned by their wrapper; a live check is enough.
    return IsLive(handle) && static_cast<ObjectData*>(static_cast<void*>(handle))->kind == Kind::Region
               ? static_cast<RegionData*>(static_cast<ObjectData*>(static_cast<void*>(handle)))
               : nullptr;
}

// Pixels whose centres lie inside the polygon (even-odd or non-zero winding), row by row.
cairo_region_t* PolygonRegion(const POINT* pts, int count, int fillMode)
{
    std::vector<cairo_rectangle_int_t> rects;
    if (count >= 3) {
        LONG minY = pts[0].y, maxY = pts[0].y;
        for (int i = 1; i < count; ++i)
            minY = std::min(minY, pts[i].y), maxY = std::max(maxY, pts[i].y);
        std::vector<std::pair<double, int>> crossings;
        for (LONG y = minY; y < maxY; ++y) {
            double cy = y + 0.5;
            crossings.clear();
            for (int i = 0; i < count; ++i) {
                POINT a = pts[i], b = pts[(i + 1) % count];
                if (a.y == b.y)
                    continue;
                int dir = b.y > a.y ? 1 : -1;
                if (a.y > b.y)
                    std::swap(a, b);
                if (cy < a.y || cy >= b.y)
                    continue;
                double x = a.x + (cy - a.y) * double(b.x - a.x) / double(b.y - a.y);
                crossings.emplace_back(x, dir);
            }
            std::sort(crossings.begin(), crossings.end());
            int winding = 0;
            for (size_t i = 0; i + 1 < crossings.size(); ++i) {
                winding += (fillMode == WINDING) ? crossings[i].second : 1;
                bool inside = fillMode == WINDING ? winding != 0 : (winding & 1) != 0;
                if (!inside)
                    continue;
                int x0 = static_cast<int>(std::ceil(crossings[i].first - 0.5));
                int x1 = static_cast<int>(std::ceil(crossings[i + 1].first - 0.5));
                if (x1 > x0)
                    rects.push_back({ x0, static_cast<int>(y), x1 - x0, 1 });
            }
        }
    }
    return cairo_region_create_rectangles(rects.data(), static_cast<int>(rects.size()));
}

cairo_region_t* EllipseRegion(int l, int t, int r, int b)
{
    std::vector<cairo_rectangle_int_t> rects;
    double cx = (l + r) / 2.0, cy = (t + b) / 2.0, rx = (r - l) / 2.0, ry = (b - t) / 2.0;
    if (rx > 0 && ry > 0) {
        for (int y = t; y < b; ++y) {
            double dy = (y + 0.5 - cy) / ry;
            double h = 1.0 - dy * dy;
            if (h <= 0)
                continue;
            double half = rx * std::sqrt(h);
            int x0 = static_cast<int>(std::ceil(cx - half - 0.5));
            int x1 = static_cast<int>(std::ceil(cx + half - 0.5));
            if (x1 > x0)
                rects.push_back({ x0, y, x1 - x0, 1 });
        }
    }
    return cairo_region_create_rectangles(rects.data(), static_cast<int>(rects.size()));
}

} // namespace

cairo_region_t* RegionOf(HRGN rgn)
{
    RegionData* d = DataOf(reinterpret_cast<HGDIOBJ>(rgn));
    return d ? d->region : nullptr;
}

HRGN RegionFromCairo(cairo_region_t* adopt)
{
    auto* d = new RegionData;
    cairo_region_destroy(d->region);
    d->region = adopt;
    return static_cast<HRGN>(Register(d));
}

} // namespace platform::gdi

using namespace platform::gdi;

HRGN CreateRectRgn(int left, int top, int right, int bottom)
{
    cairo_rectangle_int_t r { std::min(left, right), std::min(top, bottom), std::abs(right - left), std::abs(bottom - top) };
    return RegionFromCairo(cairo_region_create_rectangle(&r));
}

int CombineRgn(HRGN dest, HRGN a, HRGN b, int mode)
{
    cairo_region_t* d = RegionOf(dest);
    cairo_region_t* ra = RegionOf(a);
    cairo_region_t* rb = RegionOf(b);
    if (!d || !ra || (mode != RGN_COPY && !rb))
        return ERROR;
    cairo_region_t* result = cairo_region_copy(ra);
    switch (mode) {
    case RGN_AND: cairo_region_intersect(result, rb); break;
    case RGN_OR: cairo_region_union(result, rb); break;
    case RGN_XOR: cairo_region_xor(result, rb); break;
    case RGN_DIFF: cairo_region_subtract(result, rb); break;
    case RGN_COPY: break;
    default: cairo_region_destroy(result); return ERROR;
    }
    // Replace the destination's content in place (its handle stays the same).
    cairo_region_subtract(d, d);
    cairo_region_union(d, result);
    cairo_region_destroy(result);
    return RegionType(d);
}

BOOL CRgn::CreateRectRgn(int left, int top, int right, int bottom)
{
    Replace(reinterpret_cast<HGDIOBJ>(::CreateRectRgn(left, top, right, bottom)));
    return TRUE;
}

BOOL CRgn::CreateRectRgnIndirect(LPCRECT rect)
{
    return rect && CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

BOOL CRgn::CreatePolygonRgn(const POINT* points, int count, int fillMode)
{
    if (!points || count < 2)
        return FALSE;
    Replace(reinterpret_cast<HGDIOBJ>(RegionFromCairo(PolygonRegion(points, count, fillMode))));
    return TRUE;
}

BOOL CRgn::CreateEllipticRgn(int left, int top, int right, int bottom)
{
    Replace(reinterpret_cast<HGDIOBJ>(RegionFromCairo(EllipseRegion(left, top, right, bottom))));
    return TRUE;
}

void CRgn::SetRectRgn(int left, int top, int right, int bottom)
{
    cairo_region_t* d = RegionOf(*this);
    if (!d) {
        CreateRectRgn(left, top, right, bottom);
        return;
    }
    cairo_region_subtract(d, d);
    cairo_rectangle_int_t r { std::min(left, right), std::min(top, bottom), std::abs(right - left), std::abs(bottom - top) };
    cairo_region_union_rectangle(d, &r);
}

int CRgn::CombineRgn(const CRgn* a, const CRgn* b, int mode)
{
    return ::CombineRgn(*this, a ? static_cast<HRGN>(*a) : nullptr, b ? static_cast<HRGN>(*b) : nullptr, mode);
}

int CRgn::CopyRgn(const CRgn* source)
{
    return CombineRgn(source, nullptr, RGN_COPY);
}

int CRgn::OffsetRgn(int dx, int dy)
{
    cairo_region_t* d = RegionOf(*this);
    if (!d)
        return ERROR;
    cairo_region_translate(d, dx, dy);
    return RegionType(d);
}

BOOL CRgn::PtInRegion(int x, int y) const
{
    cairo_region_t* d = RegionOf(*this);
    return d && cairo_region_contains_point(d, x, y);
}

BOOL CRgn::RectInRegion(LPCRECT rect) const
{
    cairo_region_t* d = RegionOf(*this);
    if (!d || !rect)
        return FALSE;
    cairo_rectangle_int_t r { rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top };
    return cairo_region_contains_rectangle(d, &r) != CAIRO_REGION_OVERLAP_OUT;
}

BOOL CRgn::EqualRgn(const CRgn* other) const
{
    cairo_region_t* a = RegionOf(*this);
    cairo_region_t* b = other ? RegionOf(*other) : nullptr;
    return a && b && cairo_region_equal(a, b);
}

int CRgn::GetRgnBox(LPRECT rect) const
{
    cairo_region_t* d = RegionOf(*this);
    if (!d || !rect)
        return ERROR;
    cairo_rectangle_int_t e;
    cairo_region_get_extents(d, &e);
    *rect = CRect(e.x, e.y, e.x + e.width, e.y + e.height);
    return RegionType(d);
}
