// CImageList: images kept as 32-bit pixels with a transparency mask each.
#include "platform/gdi/CImageList.h"

#include "platform/gdi/DcInternal.h"

#include <cairo.h>

#include <cstring>
#include <functional>
#include <memory>
#include <mutex>
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
        // The picture drawn transparently (transparent pixels clear), made at its first such
        // draw under cacheLock and never changed: toolbars and captions draw it again and again,
        // from several threads.
        std::shared_ptr<const std::vector<std::uint32_t>> cleared;
    };
    std::vector<Entry> images;
    std::mutex cacheLock;
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
    auto& e = list->images[image];
    bool transparent = (style & ILD_TRANSPARENT) || list->bkColor == CLR_NONE;
    bool maskOnly = style & ILD_MASK;
    // The picture as premultiplied pixels with transparent pixels clear (or the background
    // colour, or the mask); painted over the DC.
    std::shared_ptr<const std::vector<std::uint32_t>> pixels;
    if (transparent && !maskOnly) {
        std::lock_guard cache(list->cacheLock);
        if (!e.cleared) {
            auto cleared = std::make_shared<std::vector<std::uint32_t>>(e.pixels);
            for (size_t k = 0; k < cleared->size(); ++k)
                if (e.transparent[k])
                    (*cleared)[k] = 0u;
            e.cleared = std::move(cleared);
        }
        pixels = e.cleared;
    } else {
        auto made = std::make_shared<std::vector<std::uint32_t>>(e.pixels.size());
        for (size_t k = 0; k < made->size(); ++k) {
            std::uint32_t p = maskOnly ? (e.transparent[k] ? 0xFFFFFFFFu : 0xFF000000u) : e.pixels[k];
            if (!maskOnly && e.transparent[k])
                p = PixelFromColor(list->bkColor);
            (*made)[k] = p;
        }
        pixels = std::move(made);
    }
    SurfaceLock lock(*d);
    cairo_t* cr = d->Cairo();
    if (!cr)
        return FALSE;
    // A surface of this draw's own over the shared pixels, which cairo only reads.
    cairo_surface_t* cs = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(const_cast<std::uint32_t*>(pixels->data())), CAIRO_FORMAT_ARGB32, list->cx,
        list->cy, list->cx * 4);
    POINT at = d->ToSurfacePoint(point.x, point.y);
    cairo_save(cr);
    cairo_set_source_surface(cr, cs, at.x, at.y);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_rectangle(cr, at.x, at.y, list->cx, list->cy);
    cairo_fill(cr);
    cairo_restore(cr);
    // Finished while its pixels are still held: a printer page that kept it takes a copy.
    cairo_surface_finish(cs);
    cairo_surface_destroy(cs);
    d->Touch(CRect(at.x, at.y, at.x + list->cx, at.y + list->cy));
    return TRUE;
}
