// CDC block transfers: BitBlt, StretchBlt (with halftone), PatBlt, TransparentBlt, PlgBlt,
// MaskBlt, and the device-independent bitmap calls.
//
// Raster operations are evaluated on the pixels with the classic ternary codes (pattern,
// source, destination). Monochrome sources take the destination's text colour for black and
// its background colour for white; a colour source going to a monochrome destination turns
// white where it matches the source DC's background colour and black elsewhere: the rules
// that masked and transparent drawing rely on.
//
// Locking: a blit holds the destination's and the source's surface locks together
// (std::scoped_lock orders them, so opposite blits between two surfaces cannot deadlock).
// A blit within one surface copies the source area first.
#include "platform/gdi/DcInternal.h"

#include <cairo.h>

#include <cmath>
#include <cstring>
#include <optional>

namespace platform::gdi {

namespace {

inline std::uint32_t Rop3(BYTE code, std::uint32_t p, std::uint32_t s, std::uint32_t d)
{
    switch (code) {
    case 0xCC: return s;
    case 0xEE: return s | d;
    case 0x88: return s & d;
    case 0x66: return (s ^ d) | 0xFF000000u;
    case 0xF0: return p;
    case 0x55: return ~d | 0xFF000000u;
    case 0x5A: return (p ^ d) | 0xFF000000u;
    case 0x00: return 0xFF000000u;
    case 0xFF: return 0xFFFFFFFFu;
    default: break;
    }
    std::uint32_t r = 0;
    for (int i = 0; i < 8; ++i)
        if ((code >> i) & 1)
            r |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
    return r | 0xFF000000u;
}

BYTE RopCode(DWORD rop)
{
    return static_cast<BYTE>((rop >> 16) & 0xFF);
}

bool RopUsesSource(BYTE code)
{
    return ((code >> 2) & 0x33) != (code & 0x33);
}

// Where the source comes from and how its pixels turn into destination pixels.
struct Source
{
    const Surface* surface { nullptr };
    // Source rectangle corners in source surface coordinates (signed: mirrored when reversed).
    double x0 { 0 }, y0 { 0 }, x1 { 0 }, y1 { 0 };
    bool mono { false };
    std::uint32_t bkPixel { 0 }; // source DC background, for colour to monochrome
};

struct Transfer
{
    // Destination corners in surface coordinates (signed).
    int dx0 { 0 }, dy0 { 0 }, dx1 { 0 }, dy1 { 0 };
    DWORD rop { SRCCOPY };
    bool halftone { false };
    std::optional<std::uint32_t> key;  // transparent colour (source pixel, 0x00RRGGBB)
    const Surface* mask { nullptr };    // MaskBlt: white = foreground rop, black = background rop
    int maskX { 0 }, maskY { 0 };
    DWORD backRop { SRCCOPY };
};

std::uint32_t ConvertSource(const DcData& dst, const Source& src, std::uint32_t s)
{
    if (src.mono && !dst.Mono())
        return (s & 0xFFFFFF) ? PixelFromColor(dst.st.bkColor) : PixelFromColor(dst.st.textColor);
    if (!src.mono && dst.Mono())
        return ((s & 0xFFFFFF) == (src.bkPixel & 0xFFFFFF)) ? 0xFFFFFFFFu : 0xFF000000u;
    return s;
}

std::uint32_t PatternPixel(const DcData& d, int x, int y)
{
    const BrushData* b = d.st.brush.get();
    if (!b || b->style == BS_NULL)
        return 0xFFFFFFFFu;
    if (b->style == BS_PATTERN && b->pattern) {
        const Surface& p = *b->pattern;
        int ox = d.st.brushOrg.x + d.origin.x, oy = d.st.brushOrg.y + d.origin.y;
        int tx = ((x - ox) % p.Width() + p.Width()) % p.Width();
        int ty = ((y - oy) % p.Height() + p.Height()) % p.Height();
        return p.Row(ty)[tx];
    }
    return d.DevicePixel(b->color);
}

// Average of a source box (halftone shrink).
std::uint32_t BoxAverage(const Surface& s, double fx0, double fy0, double fx1, double fy1)
{
    int x0 = static_cast<int>(std::floor(std::min(fx0, fx1))), x1 = static_cast<int>(std::ceil(std::max(fx0, fx1)));
    int y0 = static_cast<int>(std::floor(std::min(fy0, fy1))), y1 = static_cast<int>(std::ceil(std::max(fy0, fy1)));
    x0 = std::max(x0, 0), y0 = std::max(y0, 0), x1 = std::min(x1, s.Width()), y1 = std::min(y1, s.Height());
    if (x1 <= x0 || y1 <= y0)
        return 0;
    std::uint64_t r = 0, g = 0, b = 0, n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            std::uint32_t p = s.Row(y)[x];
            r += (p >> 16) & 0xFF, g += (p >> 8) & 0xFF, b += p & 0xFF, ++n;
        }
    return 0xFF000000u | static_cast<std::uint32_t>((r / n) << 16 | (g / n) << 8 | (b / n));
}

// The transfer onto a pixel surface, under both locks.
void TransferPixels(DcData& dst, const Source& src, const Transfer& t)
{
    CRect target(t.dx0, t.dy0, t.dx1, t.dy1);
    target.NormalizeRect();
    double dw = t.dx1 - t.dx0, dh = t.dy1 - t.dy0;
    if (dw == 0 || dh == 0)
        return;
    double sw = src.x1 - src.x0, sh = src.y1 - src.y0;
    BYTE code = RopCode(t.rop);
    bool usesSource = RopUsesSource(code) || t.mask;
    bool plainCopy = code == 0xCC && !t.key && !t.mask && src.surface && src.mono == dst.Mono() && dw == sw &&
                     dh == sh && dw > 0 && dh > 0;
    bool shrink = t.halftone && (std::abs(sw) > std::abs(dw) || std::abs(sh) > std::abs(dh));
    Surface& ds = *dst.surface;
    for (const CRect& c : dst.Clip()) {
        CRect x = target & c;
        if (x.IsRectEmpty())
            continue;
        if (plainCopy) {
            const Surface& ss = *src.surface;
            for (int y = x.top; y < x.bottom; ++y) {
                int sy = static_cast<int>(src.y0) + (y - t.dy0);
                if (sy < 0 || sy >= ss.Height())
                    continue;
                int sx = static_cast<int>(src.x0) + (x.left - t.dx0);
                int from = std::max(0, -sx), to = std::min(x.Width(), ss.Width() - sx);
                if (to > from)
                    std::memcpy(ds.Row(y) + x.left + from, ss.Row(sy) + sx + from, static_cast<size_t>(to - from) * 4);
            }
            continue;
        }
        for (int y = x.top; y < x.bottom; ++y) {
            double ty0 = (y - t.dy0) / dh, ty1 = (y + 1 - t.dy0) / dh;
            int sy = static_cast<int>(std::floor(src.y0 + (y + 0.5 - t.dy0) / dh * sh));
            std::uint32_t* row = ds.Row(y);
            for (int px = x.left; px < x.right; ++px) {
                std::uint32_t s = 0;
                if (usesSource && src.surface) {
                    int sx = static_cast<int>(std::floor(src.x0 + (px + 0.5 - t.dx0) / dw * sw));
                    if (sx < 0 || sy < 0 || sx >= src.surface->Width() || sy >= src.surface->Height())
                        continue;
                    if (shrink) {
                        double tx0 = (px - t.dx0) / dw, tx1 = (px + 1 - t.dx0) / dw;
                        s = BoxAverage(*src.surface, src.x0 + tx0 * sw, src.y0 + ty0 * sh, src.x0 + tx1 * sw,
                                       src.y0 + ty1 * sh);
                    } else {
                        s = src.surface->Row(sy)[sx];
                    }
                    if (t.key && (s & 0xFFFFFF) == *t.key)
                        continue;
                    s = ConvertSource(dst, src, s);
                }
                DWORD rop = t.rop;
                if (t.mask) {
                    int mx = t.maskX + (px - t.dx0), my = t.maskY + (y - t.dy0);
                    bool fore = mx >= 0 && my >= 0 && mx < t.mask->Width() && my < t.mask->Height() &&
                                (t.mask->Row(my)[mx] & 0xFFFFFF) != 0;
                    rop = fore ? t.rop : t.backRop;
                }
                BYTE rc = RopCode(rop);
                std::uint32_t p = (((rc >> 4) & 0x0F) != (rc & 0x0F)) ? PatternPixel(dst, px, y) : 0;
                std::uint32_t result = Rop3(rc, p, s, row[px]);
                row[px] = dst.Mono() ? MonoPixel(result) : result;
            }
        }
    }
    dst.Touch(target);
}

// The transfer onto a printer page: the source area, converted, painted as an image.
void TransferToCairo(DcData& dst, const Source& src, const Transfer& t)
{
    cairo_t* cr = dst.Cairo();
    if (!cr || !src.surface)
        return;
    int sx0 = static_cast<int>(std::floor(std::min(src.x0, src.x1))), sx1 = static_cast<int>(std::ceil(std::max(src.x0, src.x1)));
    int sy0 = static_cast<int>(std::floor(std::min(src.y0, src.y1))), sy1 = static_cast<int>(std::ceil(std::max(src.y0, src.y1)));
    sx0 = std::max(sx0, 0), sy0 = std::max(sy0, 0);
    sx1 = std::min(sx1, src.surface->Width()), sy1 = std::min(sy1, src.surface->Height());
    if (sx1 <= sx0 || sy1 <= sy0)
        return;
    Surface part(sx1 - sx0, sy1 - sy0);
    for (int y = sy0; y < sy1; ++y)
        for (int x = sx0; x < sx1; ++x)
            part.Row(y - sy0)[x - sx0] = ConvertSource(dst, src, src.surface->Row(y)[x]);
    cairo_save(cr);
    cairo_translate(cr, t.dx0, t.dy0);
    cairo_scale(cr, double(t.dx1 - t.dx0) / (src.x1 - src.x0), double(t.dy1 - t.dy0) / (src.y1 - src.y0));
    cairo_translate(cr, -src.x0, -src.y0);
    cairo_set_source_surface(cr, static_cast<cairo_surface_t*>(part.CairoSurface()), sx0, sy0);
    cairo_pattern_set_filter(cairo_get_source(cr), t.halftone ? CAIRO_FILTER_GOOD : CAIRO_FILTER_NEAREST);
    cairo_rectangle(cr, sx0, sy0, sx1 - sx0, sy1 - sy0);
    cairo_fill(cr);
    cairo_restore(cr);
}

// Runs a transfer from a surface (possibly another DC's) with the right locks.
bool Run(DcData& dst, Source src, const Transfer& t)
{
    if (src.surface && dst.surface && src.surface == dst.surface.get()) {
        // Same pixels on both sides: copy the source area first.
        std::lock_guard lock(dst.surface->Mutex());
        int sx0 = static_cast<int>(std::floor(std::min(src.x0, src.x1))), sy0 = static_cast<int>(std::floor(std::min(src.y0, src.y1)));
        int sx1 = static_cast<int>(std::ceil(std::max(src.x0, src.x1))), sy1 = static_cast<int>(std::ceil(std::max(src.y0, src.y1)));
        sx0 = std::clamp(sx0, 0, src.surface->Width()), sx1 = std::clamp(sx1, 0, src.surface->Width());
        sy0 = std::clamp(sy0, 0, src.surface->Height()), sy1 = std::clamp(sy1, 0, src.surface->Height());
        if (sx1 <= sx0 || sy1 <= sy0)
            return true;
        Surface copy(sx1 - sx0, sy1 - sy0, src.surface->IsMonochrome());
        for (int y = sy0; y < sy1; ++y)
            std::memcpy(copy.Row(y - sy0), src.surface->Row(y) + sx0, static_cast<size_t>(sx1 - sx0) * 4);
        src.surface = &copy;
        src.x0 -= sx0, src.x1 -= sx0, src.y0 -= sy0, src.y1 -= sy0;
        TransferPixels(dst, src, t);
        return true;
    }
    std::unique_lock<platform::CheckedRecursiveMutex> a, b;
    if (dst.surface && src.surface) {
        std::lock(dst.surface->Mutex(), src.surface->Mutex());
        a = std::unique_lock(dst.surface->Mutex(), std::adopt_lock);
        b = std::unique_lock(src.surface->Mutex(), std::adopt_lock);
    } else if (dst.surface) {
        a = std::unique_lock(dst.surface->Mutex());
    } else if (src.surface) {
        b = std::unique_lock(src.surface->Mutex());
    }
    if (dst.HasPixels())
        TransferPixels(dst, src, t);
    else
        TransferToCairo(dst, src, t);
    return true;
}

// Source and transfer for logical rectangles of two DCs.
bool Blit(DcData& dst, int x, int y, int w, int h, DcData* srcDc, int xs, int ys, int ws, int hs, DWORD rop,
          std::optional<std::uint32_t> key = {})
{
    Transfer t;
    POINT a = dst.ToSurfacePoint(x, y), b = dst.ToSurfacePoint(x + w, y + h);
    t.dx0 = a.x, t.dy0 = a.y, t.dx1 = b.x, t.dy1 = b.y;
    t.rop = rop;
    t.key = key;
    t.halftone = dst.st.stretchMode == HALFTONE;
    Source src;
    if (srcDc && RopUsesSource(RopCode(rop))) {
        if (!srcDc->HasPixels())
            return false;
        POINT sa = srcDc->ToSurfacePoint(xs, ys), sb = srcDc->ToSurfacePoint(xs + ws, ys + hs);
        src.surface = srcDc->surface.get();
        src.x0 = sa.x, src.y0 = sa.y, src.x1 = sb.x, src.y1 = sb.y;
        src.mono = srcDc->Mono();
        src.bkPixel = PixelFromColor(srcDc->st.bkColor);
        SurfacePtr keepAlive = srcDc->surface;
        return Run(dst, src, t);
    }
    if (RopUsesSource(RopCode(rop)))
        return false;
    if (!dst.HasPixels()) {
        if (RopCode(rop) == 0xF0 && dst.st.brush) {
            CRect r(t.dx0, t.dy0, t.dx1, t.dy1);
            r.NormalizeRect();
            FillWithBrush(dst, r, *dst.st.brush);
        }
        return true;
    }
    return Run(dst, src, t);
}

} // namespace

// A device-independent bitmap as a top-down surface (1, 4, 8, 24 or 32 bits, uncompressed).
SurfacePtr SurfaceFromDib(const void* bits, const BITMAPINFO* info)
{
    if (!bits || !info)
        return nullptr;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    int width = h.biWidth, height = std::abs(h.biHeight);
    int bpp = h.biBitCount;
    if (!Surface::SizeAllowed(width, height) || h.biCompression != BI_RGB || (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32))
        return nullptr;
    size_t stride = ((static_cast<size_t>(width) * bpp + 31) / 32) * 4;
    const auto* data = static_cast<const BYTE*>(bits);
    const RGBQUAD* palette = info->bmiColors;
    auto surface = std::make_shared<Surface>(width, height);
    for (int row = 0; row < height; ++row) {
        int y = h.biHeight > 0 ? height - 1 - row : row;
        const BYTE* src = data + static_cast<size_t>(row) * stride;
        std::uint32_t* out = surface->Row(y);
        for (int x = 0; x < width; ++x) {
            if (bpp >= 24) {
                const BYTE* p = src + static_cast<size_t>(x) * (bpp / 8);
                out[x] = 0xFF000000u | (p[2] << 16) | (p[1] << 8) | p[0];
            } else {
                int index = bpp == 8 ? src[x] : bpp == 4 ? (src[x / 2] >> ((x % 2) ? 0 : 4)) & 0x0F : (src[x / 8] >> (7 - x % 8)) & 1;
                const RGBQUAD& q = palette[index];
                out[x] = 0xFF000000u | (q.rgbRed << 16) | (q.rgbGreen << 8) | q.rgbBlue;
            }
        }
    }
    return surface;
}

} // namespace platform::gdi

using namespace platform::gdi;
using platform::Surface;
using platform::SurfacePtr;

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, DWORD rop)
{
    DcData* d = Data(this);
    if (!d)
        return FALSE;
    DcData* s = source ? Data(source) : nullptr;
    if (s && (s->Scaled() || d->Scaled())) {
        // Under a scaling map the source keeps the destination's logical size.
        return Blit(*d, x, y, width, height, s, xSrc, ySrc, width, height, rop);
    }
    return Blit(*d, x, y, width, height, s, xSrc, ySrc, width, height, rop);
}

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int xSrc, int ySrc, DWORD rop)
{
    CDC* d = CDC::FromHandle(dest);
    return d ? d->BitBlt(x, y, width, height, CDC::FromHandle(source), xSrc, ySrc, rop) : FALSE;
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, int srcWidth,
                     int srcHeight, DWORD rop)
{
    DcData* d = Data(this);
    if (!d)
        return FALSE;
    return Blit(*d, x, y, width, height, source ? Data(source) : nullptr, xSrc, ySrc, srcWidth, srcHeight, rop);
}

BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int xSrc, int ySrc, int srcWidth,
                int srcHeight, DWORD rop)
{
    CDC* d = CDC::FromHandle(dest);
    return d ? d->StretchBlt(x, y, width, height, CDC::FromHandle(source), xSrc, ySrc, srcWidth, srcHeight, rop) : FALSE;
}

BOOL CDC::PatBlt(int x, int y, int width, int height, DWORD rop)
{
    DcData* d = Data(this);
    if (!d || RopUsesSource(RopCode(rop)))
        return FALSE;
    return Blit(*d, x, y, width, height, nullptr, 0, 0, 0, 0, rop);
}

BOOL CDC::TransparentBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, int srcWidth,
                         int srcHeight, UINT transparentColor)
{
    DcData* d = Data(this);
    DcData* s = source ? Data(source) : nullptr;
    if (!d || !s)
        return FALSE;
    std::uint32_t key = PixelFromColor(transparentColor) & 0xFFFFFF;
    // Transparent copies never blend: nearest pixels keep the key exact.
    int mode = std::exchange(d->st.stretchMode, COLORONCOLOR);
    BOOL ok = Blit(*d, x, y, width, height, s, xSrc, ySrc, srcWidth, srcHeight, SRCCOPY, key);
    d->st.stretchMode = mode;
    return ok;
}

BOOL CDC::MaskBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, CBitmap& mask, int xMask,
                  int yMask, DWORD rop)
{
    DcData* d = Data(this);
    DcData* s = source ? Data(source) : nullptr;
    SurfacePtr maskSurface = SurfaceOf(mask);
    if (!d || !s || !s->HasPixels() || !maskSurface || !d->HasPixels())
        return FALSE;
    Transfer t;
    POINT a = d->ToSurfacePoint(x, y);
    t.dx0 = a.x, t.dy0 = a.y, t.dx1 = a.x + width, t.dy1 = a.y + height;
    // The high byte of the quaternary code selects the background operation.
    t.rop = (rop & 0x00FFFFFF);
    t.backRop = ((rop >> 8) & 0x00FF0000) | (rop & 0x0000FFFF);
    t.mask = maskSurface.get();
    t.maskX = xMask, t.maskY = yMask;
    POINT sa = s->ToSurfacePoint(xSrc, ySrc);
    Source src;
    src.surface = s->surface.get();
    src.x0 = sa.x, src.y0 = sa.y, src.x1 = sa.x + width, src.y1 = sa.y + height;
    src.mono = s->Mono();
    src.bkPixel = PixelFromColor(s->st.bkColor);
    std::lock_guard maskLock(maskSurface->Mutex());
    return Run(*d, src, t);
}

BOOL CDC::PlgBlt(const POINT* points, CDC* source, int xSrc, int ySrc, int width, int height, CBitmap* mask,
                 int xMask, int yMask)
{
    DcData* d = Data(this);
    DcData* s = source ? Data(source) : nullptr;
    if (!d || !s || !points || !s->HasPixels() || !d->HasPixels() || !Surface::SizeAllowed(std::abs(width), std::abs(height)))
        return FALSE;
    SurfacePtr maskSurface = mask ? SurfaceOf(*mask) : nullptr;
    SurfacePtr srcSurface = s->surface;
    // Destination parallelogram in surface coordinates: A (top-left), B (top-right), C (bottom-left).
    POINT A = d->ToSurfacePoint(points[0].x, points[0].y);
    POINT B = d->ToSurfacePoint(points[1].x, points[1].y);
    POINT C = d->ToSurfacePoint(points[2].x, points[2].y);
    POINT S = s->ToSurfacePoint(xSrc, ySrc);
    double ux = B.x - A.x, uy = B.y - A.y, vx = C.x - A.x, vy = C.y - A.y;
    double det = ux * vy - uy * vx;
    if (det == 0)
        return FALSE;
    CRect box(A.x, A.y, A.x, A.y);
    POINT D { B.x + C.x - A.x, B.y + C.y - A.y };
    for (POINT p : { B, C, D })
        box.left = std::min(box.left, p.x), box.top = std::min(box.top, p.y), box.right = std::max(box.right, p.x),
        box.bottom = std::max(box.bottom, p.y);
    // Copy the source area first: source and destination may share a surface.
    Surface copy(std::abs(width), std::abs(height));
    {
        std::lock_guard lock(srcSurface->Mutex());
        for (int y = 0; y < copy.Height(); ++y)
            for (int x = 0; x < copy.Width(); ++x) {
                int sx = S.x + x, sy = S.y + y;
                copy.Row(y)[x] = (sx >= 0 && sy >= 0 && sx < srcSurface->Width() && sy < srcSurface->Height())
                                     ? srcSurface->Row(sy)[sx]
                                     : 0xFF000000u;
            }
    }
    SurfaceLock lock(*d);
    Surface& ds = *d->surface;
    for (const CRect& c : d->Clip()) {
        CRect x = box & c;
        for (int py = x.top; py < x.bottom; ++py)
            for (int px = x.left; px < x.right; ++px) {
                // Pixel centre in parallelogram coordinates (u, v) in [0, 1).
                double qx = px + 0.5 - A.x, qy = py + 0.5 - A.y;
                double u = (qx * vy - qy * vx) / det, v = (ux * qy - uy * qx) / det;
                if (u < 0 || v < 0 || u >= 1 || v >= 1)
                    continue;
                int sx = static_cast<int>(u * copy.Width()), sy = static_cast<int>(v * copy.Height());
                if (maskSurface) {
                    int mx = xMask + sx, my = yMask + sy;
                    if (mx < 0 || my < 0 || mx >= maskSurface->Width() || my >= maskSurface->Height() ||
                        (maskSurface->Row(my)[mx] & 0xFFFFFF) == 0)
                        continue;
                }
                Source src;
                src.mono = s->Mono();
                src.bkPixel = PixelFromColor(s->st.bkColor);
                ds.Row(py)[px] = ConvertSource(*d, src, copy.Row(sy)[sx]);
            }
    }
    d->Touch(box);
    return TRUE;
}

// ---- device-independent bitmaps -----------------------------------------------------------
namespace {

// Source rectangle of a DIB call: DIB origin is the bottom-left for bottom-up images.
int DibTop(const BITMAPINFO* info, int ySrc, int height)
{
    int h = std::abs(info->bmiHeader.biHeight);
    return info->bmiHeader.biHeight > 0 ? h - ySrc - height : ySrc;
}

int DibToDevice(HDC dc, int x, int y, int w, int h, int xSrc, int ySrc, int ws, int hs, const void* bits,
                const BITMAPINFO* info, DWORD rop)
{
    DcData* d = DcOf(dc);
    SurfacePtr image = SurfaceFromDib(bits, info);
    if (!d || !image)
        return 0;
    int top = DibTop(info, ySrc, hs);
    Transfer t;
    POINT a = d->ToSurfacePoint(x, y), b = d->ToSurfacePoint(x + w, y + h);
    t.dx0 = a.x, t.dy0 = a.y, t.dx1 = b.x, t.dy1 = b.y;
    t.rop = rop;
    t.halftone = d->st.stretchMode == HALFTONE;
    Source src;
    src.surface = image.get();
    src.x0 = xSrc, src.x1 = xSrc + ws, src.y0 = top, src.y1 = top + hs;
    Run(*d, src, t);
    return std::abs(hs);
}

} // namespace

int SetDIBitsToDevice(HDC dc, int x, int y, DWORD width, DWORD height, int xSrc, int ySrc, UINT, UINT scanLines,
                      const void* bits, const BITMAPINFO* info, UINT)
{
    int n = DibToDevice(dc, x, y, static_cast<int>(width), static_cast<int>(height), xSrc, ySrc, static_cast<int>(width),
                        static_cast<int>(height), bits, info, SRCCOPY);
    return n ? static_cast<int>(scanLines) : 0;
}

int StretchDIBits(HDC dc, int x, int y, int width, int height, int xSrc, int ySrc, int srcWidth, int srcHeight,
                  const void* bits, const BITMAPINFO* info, UINT, DWORD rop)
{
    return DibToDevice(dc, x, y, width, height, xSrc, ySrc, srcWidth, srcHeight, bits, info, rop);
}

int GetDIBits(HDC, HBITMAP bitmap, UINT startScan, UINT scanLines, void* bits, BITMAPINFO* info, UINT)
{
    SurfacePtr s = SurfaceOf(bitmap);
    if (!s || !info)
        return 0;
    BITMAPINFOHEADER& h = info->bmiHeader;
    if (!bits) {
        // Fill in the format: the bitmap's size, 32 bits unless the caller asked for 24.
        bool topDown = h.biHeight < 0;
        if (h.biBitCount != 24 && h.biBitCount != 32)
            h.biBitCount = 32;
        h.biWidth = s->Width();
        h.biHeight = topDown ? -s->Height() : s->Height();
        h.biPlanes = 1;
        h.biCompression = BI_RGB;
        h.biSizeImage = static_cast<DWORD>(((s->Width() * h.biBitCount + 31) / 32) * 4 * s->Height());
        return s->Height();
    }
    if ((h.biBitCount != 24 && h.biBitCount != 32) || h.biWidth != s->Width())
        return 0;
    int height = s->Height();
    size_t stride = ((static_cast<size_t>(s->Width()) * h.biBitCount + 31) / 32) * 4;
    auto* out = static_cast<BYTE*>(bits);
    std::lock_guard lock(s->Mutex());
    UINT done = 0;
    for (UINT i = 0; i < scanLines && startScan + i < static_cast<UINT>(height); ++i, ++done) {
        int line = static_cast<int>(startScan + i);
        int y = h.biHeight > 0 ? height - 1 - line : line;
        BYTE* row = out + stride * i;
        std::memset(row, 0, stride);
        const std::uint32_t* src = s->Row(y);
        for (int x = 0; x < s->Width(); ++x) {
            BYTE* p = row + static_cast<size_t>(x) * (h.biBitCount / 8);
            p[0] = src[x] & 0xFF, p[1] = (src[x] >> 8) & 0xFF, p[2] = (src[x] >> 16) & 0xFF;
        }
    }
    return static_cast<int>(done);
}

int SetDIBits(HDC, HBITMAP bitmap, UINT startScan, UINT scanLines, const void* bits, const BITMAPINFO* info, UINT)
{
    SurfacePtr s = SurfaceOf(bitmap);
    SurfacePtr image = SurfaceFromDib(bits, info);
    if (!s || !image)
        return 0;
    std::lock_guard lock(s->Mutex());
    int height = image->Height();
    UINT done = 0;
    for (UINT i = 0; i < scanLines && startScan + i < static_cast<UINT>(height); ++i, ++done) {
        int line = static_cast<int>(startScan + i);
        int y = info->bmiHeader.biHeight > 0 ? height - 1 - line : line;
        if (y >= s->Height())
            continue;
        int w = std::min(s->Width(), image->Width());
        for (int x = 0; x < w; ++x)
            s->Row(y)[x] = s->IsMonochrome() ? MonoPixel(image->Row(y)[x]) : image->Row(y)[x];
    }
    return static_cast<int>(done);
}
