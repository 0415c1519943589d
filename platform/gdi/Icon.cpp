// Icons and DrawState.
#include "platform/gdi/Icon.h"
#include "platform/gdi/Cursor.h"

#include "platform/core/ResourceModule.h"
#include "platform/gdi/DcInternal.h"
#include "platform/gdi/Image.h"
#include "platform/gdi/SysColors.h"

#include <cairo.h>

#include <mutex>
#include <unordered_set>

namespace platform {

namespace gdi {

struct IconData
{
    int width { 0 };
    int height { 0 };
    std::vector<std::uint32_t> pixels; // 0xFFRRGGBB, or 0 where transparent
};

namespace {

LiveSet& Icons()
{
    static auto* set = new LiveSet;
    return *set;
}

} // namespace

// The icon of a handle while it is live (icons are owned by whoever loaded them).
const IconData* IconOf(HICON icon)
{
    return Icons().Contains(icon) ? reinterpret_cast<const IconData*>(icon) : nullptr;
}

// Paints an icon's picture at (x, y) sized width x height (surface units of the DC), with the
// disabled look when asked: the shape embossed in highlight and shadow colours.
void PaintIcon(DcData& d, const IconData& icon, int x, int y, int width, int height, bool disabled)
{
    Surface picture(icon.width, icon.height);
    auto* cs = static_cast<cairo_surface_t*>(picture.CairoSurface());
    cairo_surface_flush(cs);
    auto paint = [&](std::uint32_t solid, int dx, int dy) {
        for (int py = 0; py < icon.height; ++py)
            for (int px = 0; px < icon.width; ++px) {
                std::uint32_t p = icon.pixels[static_cast<size_t>(py) * icon.width + px];
                picture.Row(py)[px] = p == 0 ? 0u : (solid ? solid : p);
            }
        cairo_surface_mark_dirty(cs);
        cairo_t* cr = d.Cairo();
        if (!cr)
            return;
        cairo_save(cr);
        cairo_translate(cr, x + dx, y + dy);
        cairo_scale(cr, double(width) / icon.width, double(height) / icon.height);
        cairo_set_source_surface(cr, cs, 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
        cairo_paint(cr);
        cairo_restore(cr);
    };
    if (disabled) {
        paint(PixelFromColor(GetSysColor(COLOR_BTNHIGHLIGHT)), 1, 1);
        paint(PixelFromColor(GetSysColor(COLOR_BTNSHADOW)), 0, 0);
    } else {
        paint(0, 0, 0);
    }
    d.Touch(CRect(x, y, x + width + 1, y + height + 1));
}

} // namespace gdi

HICON CreateIconFromImage(const Image& image)
{
    if (image.IsNull())
        return nullptr;
    auto* icon = new gdi::IconData;
    icon->width = image.Width();
    icon->height = image.Height();
    icon->pixels.resize(static_cast<size_t>(icon->width) * icon->height);
    for (int y = 0; y < icon->height; ++y)
        for (int x = 0; x < icon->width; ++x) {
            std::uint32_t p = image.Pixel(x, y);
            icon->pixels[static_cast<size_t>(y) * icon->width + x] = (p >> 24) < 128 ? 0u : (p | 0xFF000000u);
        }
    gdi::Icons().Insert(icon);
    return reinterpret_cast<HICON>(icon);
}

bool GetIconSize(HICON icon, SIZE* size)
{
    const gdi::IconData* data = gdi::IconOf(icon);
    if (!data || !size)
        return false;
    *size = SIZE { data->width, data->height };
    return true;
}

} // namespace platform

namespace {

HICON IconFromResource(HINSTANCE module, const std::function<std::span<const BYTE>(const char* type)>& find)
{
    (void)module;
    for (const char* type : { "ICON", "PNG" }) {
        std::span<const BYTE> bytes = find(type);
        platform::Image image;
        if (!bytes.empty() && image.LoadPng(bytes.data(), bytes.size(), true))
            return platform::CreateIconFromImage(image);
    }
    return nullptr;
}

} // namespace

HICON LoadIcon(HINSTANCE module, UINT id)
{
    return IconFromResource(module, [&](const char* type) { return platform::FindResourceData(module, type, id); });
}

HICON LoadIcon(HINSTANCE module, LPCSTR name)
{
    if (!name)
        return nullptr;
    return IconFromResource(module, [&](const char* type) {
        return platform::FindResourceData(module, type, std::string_view(name));
    });
}

BOOL DestroyIcon(HICON icon)
{
    // The standard cursors are shared by the whole process.
    if (platform::IsStandardCursor(icon))
        return FALSE;
    if (!platform::gdi::Icons().Erase(icon))
        return FALSE;
    delete reinterpret_cast<platform::gdi::IconData*>(icon);
    return TRUE;
}

BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int width, int height, UINT, HBRUSH, UINT)
{
    using namespace platform::gdi;
    DcData* d = DcOf(dc);
    const IconData* data = IconOf(icon);
    if (!d || !data)
        return FALSE;
    SurfaceLock lock(*d);
    CRect r = d->ToSurface(CRect(x, y, x + (width ? width : data->width), y + (height ? height : data->height)));
    PaintIcon(*d, *data, r.left, r.top, r.Width(), r.Height(), false);
    return TRUE;
}

BOOL DrawIcon(HDC dc, int x, int y, HICON icon)
{
    return DrawIconEx(dc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL);
}

BOOL CDC::DrawIcon(int x, int y, HICON icon)
{
    return ::DrawIcon(m_hDC, x, y, icon);
}

BOOL CDC::DrawState(CPoint point, CSize size, HICON icon, UINT flags, HBRUSH)
{
    using namespace platform::gdi;
    DcData* d = Data(this);
    const IconData* data = IconOf(icon);
    if (!d || !data)
        return FALSE;
    SurfaceLock lock(*d);
    CSize s(size.cx ? size.cx : data->width, size.cy ? size.cy : data->height);
    CRect r = d->ToSurface(CRect(point, s));
    PaintIcon(*d, *data, r.left, r.top, r.Width(), r.Height(), (flags & DSS_DISABLED) != 0);
    return TRUE;
}

BOOL CDC::DrawState(CPoint point, CSize size, CBitmap* bitmap, UINT flags, HBRUSH)
{
    if (!bitmap)
        return FALSE;
    platform::Image image;
    if (!image.FromBitmap(*bitmap))
        return FALSE;
    HICON icon = platform::CreateIconFromImage(image); // opaque everywhere
    BOOL ok = DrawState(point, size, icon, flags, nullptr);
    DestroyIcon(icon);
    return ok;
}
