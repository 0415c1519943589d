// CImageList: images kept as 32-bit pixels with a transparency mask each.
#include "platform/gdi/CImageList.h"

#include "platform/gdi/DcInternal.h"

#include <cairo.h>

#include <cstring>
#include <functional>
#include <vector>

namespace platform::gdi {

struct ImageListData
{
    int cx { 16 };
    int cy { 16 };
    UINT flags { 0 };
    COLORREF bkColor { CLR_NONE };
    struct Entry
    {
        std::vector<std::uint32_t> pixels; // 0xFFRRGGBB
        std::vector<bool> transparent;
    };
    std::vector<Entry> images;
};

} // namespace platform::gdi

using namespace platform::gdi;

namespace {

ImageListData* ListOf(HIMAGELIST list)
{
    return reinterpret_cast<ImageListData*>(list);
}

} // namespace

CImageList::CImageList() = default;

CImageList::~CImageList()
{
    DeleteImageList();
}

HIMAGELIST CImageList::GetSafeHandle() const
{
    const CImageList* self = this;
    asm("" : "+r"(self));
    return self ? self->m_hImageList : nullptr;
}

BOOL CImageList::Create(int cx, int cy, UINT flags, int, int)
{
    if (cx <= 0 || cy <= 0)
        return FALSE;
    DeleteImageList();
    auto* data = new ImageListData;
    data->cx = cx;
    data->cy = cy;
    data->flags = flags;
    m_hImageList = reinterpret_cast<HIMAGELIST>(data);
    return TRUE;
}

BOOL CImageList::Create(UINT bitmapId, int cx, int grow, COLORREF mask)
{
    CBitmap bitmap;
    if (!bitmap.LoadBitmap(bitmapId))
        return FALSE;
    BITMAP info;
    bitmap.GetBitmap(&info);
    if (!Create(cx, info.bmHeight, ILC_COLOR32 | (mask != CLR_NONE ? ILC_MASK : 0), 0, grow))
        return FALSE;
    return Add(&bitmap, mask) >= 0;
}

BOOL CImageList::DeleteImageList()
{
    if (!m_hImageList)
        return FALSE;
    delete ListOf(m_hImageList);
    m_hImageList = nullptr;
    return TRUE;
}

namespace {

int AddImages(ImageListData* list, HBITMAP bitmap, const std::function<bool(int x, int y, std::uint32_t pixel)>& isTransparent)
{
    platform::SurfacePtr s = SurfaceOf(bitmap);
    if (!list || !s)
        return -1;
    std::lock_guard lock(s->Mutex());
    int count = std::max(1, s->Width() / list->cx);
    int first = static_cast<int>(list->images.size());
    for (int i = 0; i < count; ++i) {
        ImageListData::Entry e;
        e.pixels.assign(static_cast<size_t>(list->cx) * list->cy, 0xFF000000u);
        e.transparent.assign(e.pixels.size(), false);
        for (int y = 0; y < list->cy && y < s->Height(); ++y)
            for (int x = 0; x < list->cx && i * list->cx + x < s->Width(); ++x) {
                std::uint32_t p = s->Row(y)[i * list->cx + x];
                size_t k = static_cast<size_t>(y) * list->cx + x;
                e.pixels[k] = p;
                e.transparent[k] = (list->flags & ILC_MASK) && isTransparent(i * list->cx + x, y, p);
            }
        list->images.push_back(std::move(e));
    }
    return first;
}

} // namespace

int CImageList::Add(CBitmap* bitmap, COLORREF maskColor)
{
    if (!bitmap)
        return -1;
    std::uint32_t key = PixelFromColor(maskColor) & 0xFFFFFF;
    return AddImages(ListOf(m_hImageList), *bitmap,
                     [key](int, int, std::uint32_t p) { return (p & 0xFFFFFF) == key; });
}

int CImageList::Add(CBitmap* bitmap, CBitmap* mask)
{
    if (!bitmap)
        return -1;
    platform::SurfacePtr m = mask ? SurfaceOf(*mask) : nullptr;
    if (!m)
        return AddImages(ListOf(m_hImageList), *bitmap, [](int, int, std::uint32_t) { return false; });
    std::lock_guard lock(m->Mutex());
    return AddImages(ListOf(m_hImageList), *bitmap, [&](int x, int y, std::uint32_t) {
        return x < m->Width() && y < m->Height() && (m->Row(y)[x] & 0xFFFFFF) != 0;
    });
}

BOOL CImageList::Remove(int index)
{
    ImageListData* list = ListOf(m_hImageList);
    if (!list)
        return FALSE;
    if (index == -1) {
        list->images.clear();
        return TRUE;
    }
    if (index < 0 || index >= static_cast<int>(list->images.size()))
        return FALSE;
    list->images.erase(list->images.begin() + index);
    return TRUE;
}

int CImageList::GetImageCount() const
{
    ImageListData* list = ListOf(m_hImageList);
    return list ? static_cast<int>(list->images.size()) : 0;
}

BOOL CImageList::GetIconSize(int* cx, int* cy) const
{
    ImageListData* list = ListOf(m_hImageList);
    if (!list || !cx || !cy)
        return FALSE;
    *cx = list->cx, *cy = list->cy;
    return TRUE;
}

COLORREF CImageList::SetBkColor(COLORREF color)
{
    ImageListData* list = ListOf(m_hImageList);
    return list ? std::exchange(list->bkColor, color) : CLR_NONE;
}

COLORREF CImageList::GetBkColor() const
{
    ImageListData* list = ListOf(m_hImageList);
    return list ? list->bkColor : CLR_NONE;
}

BOOL CImageList::Draw(CDC* dc, int image, POINT point, UINT style)
{
    ImageListData* list = ListOf(m_hImageList);
    DcData* d = Data(dc);
    if (!list || !d || image < 0 || image >= static_cast<int>(list->images.size()))
        return FALSE;
    const auto& e = list->images[image];
    bool transparent = (style & ILD_TRANSPARENT) || list->bkColor == CLR_NONE;
    bool maskOnly = style & ILD_MASK;
    // The picture as a cairo image with transparent pixels clear; painted over the DC.
    platform::Surface picture(list->cx, list->cy);
    cairo_surface_t* cs = static_cast<cairo_surface_t*>(picture.CairoSurface());
    cairo_surface_flush(cs);
    for (int y = 0; y < list->cy; ++y)
        for (int x = 0; x < list->cx; ++x) {
            size_t k = static_cast<size_t>(y) * list->cx + x;
            std::uint32_t p = maskOnly ? (e.transparent[k] ? 0xFFFFFFFFu : 0xFF000000u) : e.pixels[k];
            if (!maskOnly && e.transparent[k])
                p = transparent ? 0u : PixelFromColor(list->bkColor);
            picture.Row(y)[x] = p;
        }
    cairo_surface_mark_dirty(cs);
    SurfaceLock lock(*d);
    cairo_t* cr = d->Cairo();
    if (!cr)
        return FALSE;
    POINT at = d->ToSurfacePoint(point.x, point.y);
    cairo_save(cr);
    cairo_set_source_surface(cr, cs, at.x, at.y);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_rectangle(cr, at.x, at.y, list->cx, list->cy);
    cairo_fill(cr);
    cairo_restore(cr);
    d->Touch(CRect(at.x, at.y, at.x + list->cx, at.y + list->cy));
    return TRUE;
}
