// CDC: life of device contexts, selected objects, attributes, mapping and clipping.
#include "platform/gdi/DcInternal.h"

#include "platform/core/Check.h"
#include "platform/gdi/SysColors.h"

#include <cairo.h>

#include <cmath>
#include <cstring>
#include <unordered_map>
#include <unordered_set>

namespace platform::gdi {

// ---- the table of live device contexts --------------------------------------------------
namespace {

LiveSet& DcTable()
{
    static auto* t = new LiveSet;
    return *t;
}

} // namespace

DcData* DcOf(HDC dc)
{
    return DcTable().Contains(dc) ? static_cast<DcData*>(static_cast<void*>(dc)) : nullptr;
}

HDC NewDc(std::unique_ptr<DcData> data)
{
    DcData* d = data.release();
    if (!d->st.pen)
        d->st.pen = Ref<PenData>::Share(static_cast<PenData*>(Stock(BLACK_PEN)));
    if (!d->st.brush)
        d->st.brush = Ref<BrushData>::Share(static_cast<BrushData*>(Stock(WHITE_BRUSH)));
    if (!d->st.font)
        d->st.font = Ref<FontData>::Share(static_cast<FontData*>(Stock(SYSTEM_FONT)));
    DcTable().Insert(d);
    return static_cast<HDC>(static_cast<void*>(d));
}

void FreeDc(HDC dc)
{
    if (!DcTable().Erase(dc))
        return;
    DcData* d = static_cast<DcData*>(static_cast<void*>(dc));
    if (d->onDelete)
        d->onDelete(*d);
    delete d;
}

DcData* Data(const CDC* dc)
{
    return dc ? DcOf(dc->m_hDC) : nullptr;
}

std::shared_ptr<cairo_region_t> MakeRegion(cairo_region_t* adopt)
{
    return std::shared_ptr<cairo_region_t>(adopt, cairo_region_destroy);
}

std::shared_ptr<cairo_region_t> CopyRegion(const cairo_region_t* r)
{
    return r ? MakeRegion(cairo_region_copy(r)) : nullptr;
}

// ---- coordinates --------------------------------------------------------------------
POINT DcData::ToDevice(int x, int y) const
{
    if (!Scaled())
        return POINT { x - st.windowOrg.x + st.viewportOrg.x, y - st.windowOrg.y + st.viewportOrg.y };
    return POINT { static_cast<LONG>(std::lround(ToDeviceXf(x))), static_cast<LONG>(std::lround(ToDeviceYf(y))) };
}

POINT DcData::ToLogical(int x, int y) const
{
    if (!Scaled())
        return POINT { x - st.viewportOrg.x + st.windowOrg.x, y - st.viewportOrg.y + st.windowOrg.y };
    double sx = ScaleX(), sy = ScaleY();
    return POINT { static_cast<LONG>(std::lround((x - st.viewportOrg.x) / (sx ? sx : 1) + st.windowOrg.x)),
                   static_cast<LONG>(std::lround((y - st.viewportOrg.y) / (sy ? sy : 1) + st.windowOrg.y)) };
}

CRect DcData::ToSurface(const RECT& logical) const
{
    POINT a = ToSurfacePoint(logical.left, logical.top);
    POINT b = ToSurfacePoint(logical.right, logical.bottom);
    CRect r(a.x, a.y, b.x, b.y);
    r.NormalizeRect();
    return r;
}

// ---- clipping ----------------------------------------------------------------------
const std::vector<CRect>& DcData::Clip()
{
    if (!clipDirty)
        return clipRects;
    clipDirty = false;
    clipRects.clear();
    cairo_rectangle_int_t whole { 0, 0, DeviceWidth(), DeviceHeight() };
    if (surface && kind != DcKind::Printer)
        whole = { 0, 0, surface->Width(), surface->Height() };
    cairo_region_t* r = cairo_region_create_rectangle(&whole);
    for (const auto& extra : { systemClip, st.clip }) {
        if (!extra)
            continue;
        cairo_region_t* moved = cairo_region_copy(extra.get());
        cairo_region_translate(moved, origin.x, origin.y);
        cairo_region_intersect(r, moved);
        cairo_region_destroy(moved);
    }
    int n = cairo_region_num_rectangles(r);
    clipRects.reserve(n);
    for (int i = 0; i < n; ++i) {
        cairo_rectangle_int_t c;
        cairo_region_get_rectangle(r, i, &c);
        clipRects.emplace_back(c.x, c.y, c.x + c.width, c.y + c.height);
    }
    cairo_rectangle_int_t e;
    cairo_region_get_extents(r, &e);
    clipBox = CRect(e.x, e.y, e.x + e.width, e.y + e.height);
    cairo_region_destroy(r);
    return clipRects;
}

void DcData::Touch(const CRect& surfaceRect)
{
    Clip();
    CRect r = surfaceRect & clipBox;
    if (r.IsRectEmpty())
        return;
    if (surface && kind == DcKind::Window)
        surface->MarkDirty(r);
    if (accumulate) {
        r.OffsetRect(-origin.x, -origin.y);
        POINT a = ToLogical(r.left, r.top), b = ToLogical(r.right, r.bottom);
        CRect l(a.x, a.y, b.x, b.y);
        l.NormalizeRect();
        bounds |= l;
    }
}

cairo_t* DcData::Cairo()
{
    void* target = nullptr;
    unsigned generation = 0;
    if (kind == DcKind::Printer) {
        target = PrinterCairoSurface(*this);
    } else if (surface) {
        WARD_CHECK(surface->Mutex().IsHeldByThisThread());
        target = surface->CairoSurface();
        generation = surface->Generation();
    }
    if (!target)
        return nullptr;
    if (!cr || crSurface != target || crGeneration != generation) {
        if (cr)
            cairo_destroy(cr);
        cr = cairo_create(static_cast<cairo_surface_t*>(target));
        crSurface = target;
        crGeneration = generation;
    }
    cairo_reset_clip(cr);
    cairo_identity_matrix(cr);
    if (kind == DcKind::Printer)
        cairo_scale(cr, 72.0 / 300.0, 72.0 / 300.0);
    const auto& rects = Clip();
    if (rects.size() != 1 || rects[0] != CRect(0, 0, DeviceWidth(), DeviceHeight())) {
        for (const CRect& c : rects)
            cairo_rectangle(cr, c.left, c.top, c.Width(), c.Height());
        if (rects.empty())
            cairo_rectangle(cr, 0, 0, 0, 0);
        cairo_clip(cr);
    }
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    return cr;
}

void CairoSetColor(cairo_t* cr, COLORREF color, bool mono)
{
    std::uint32_t p = mono ? MonoPixel(PixelFromColor(color)) : PixelFromColor(color);
    cairo_set_source_rgb(cr, ((p >> 16) & 0xFF) / 255.0, ((p >> 8) & 0xFF) / 255.0, (p & 0xFF) / 255.0);
}

// ---- stock one-pixel bitmap of a new memory DC ---------------------------------------
namespace {

BitmapData* DefaultBitmap()
{
    static BitmapData* const bitmap = [] {
        auto* b = new BitmapData;
        b->stock = true;
        b->bitsPixel = 1;
        b->surface = std::make_shared<Surface>(1, 1, true);
        Register(b);
        return b;
    }();
    return bitmap;
}

} // namespace

} // namespace platform::gdi

using namespace platform::gdi;

// ---- life ------------------------------------------------------------------------------
CDC::~CDC()
{
    if (m_hDC)
        DeleteDC();
}

HDC CDC::GetSafeHdc() const
{
    const CDC* self = this;
    asm("" : "+r"(self));
    return self ? self->m_hDC : nullptr;
}

HDC CreateCompatibleDC(HDC)
{
    auto d = std::make_unique<DcData>();
    d->kind = DcKind::Memory;
    d->st.bitmap = Ref<BitmapData>::Share(DefaultBitmap());
    d->surface = d->st.bitmap->surface;
    return NewDc(std::move(d));
}

BOOL DeleteDC(HDC dc)
{
    if (!DcOf(dc))
        return FALSE;
    FreeDc(dc);
    return TRUE;
}

BOOL CDC::CreateCompatibleDC(CDC*)
{
    if (m_hDC)
        DeleteDC();
    return Attach(::CreateCompatibleDC(nullptr));
}

BOOL CDC::DeleteDC()
{
    HDC dc = Detach();
    return dc ? ::DeleteDC(dc) : FALSE;
}

BOOL CDC::Attach(HDC dc)
{
    DcData* d = DcOf(dc);
    if (!d)
        return FALSE;
    m_hDC = m_hAttribDC = dc;
    if (!d->owner)
        d->owner = this;
    if (d->kind == DcKind::Printer)
        m_bPrinting = TRUE;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC dc = m_hDC;
    if (DcData* d = DcOf(dc); d && d->owner == this)
        d->owner = nullptr;
    m_hDC = m_hAttribDC = nullptr;
    return dc;
}

CDC* CDC::FromHandle(HDC dc)
{
    DcData* d = DcOf(dc);
    if (!d)
        return nullptr;
    if (d->owner)
        return d->owner;
    // A wrapper per thread that never deletes the handle.
    struct Wrapper
    {
        std::unique_ptr<CDC> dc;
        ~Wrapper()
        {
            if (dc)
                dc->m_hDC = dc->m_hAttribDC = nullptr;
        }
        Wrapper() = default;
        Wrapper(Wrapper&&) = default;
    };
    thread_local std::unordered_map<HDC, Wrapper> wrappers;
    auto& w = wrappers[dc];
    if (!w.dc)
        w.dc = std::make_unique<CDC>();
    w.dc->m_hDC = w.dc->m_hAttribDC = dc;
    w.dc->m_bPrinting = d->kind == DcKind::Printer;
    if (wrappers.size() > 256)
        std::erase_if(wrappers, [dc](const auto& e) { return e.first != dc && !DcOf(e.first); });
    return w.dc.get();
}

int CDC::SaveDC()
{
    DcData* d = Data(this);
    if (!d)
        return 0;
    d->saved.push_back(d->st);
    d->saved.back().clip = CopyRegion(d->st.clip.get());
    return static_cast<int>(d->saved.size());
}

BOOL CDC::RestoreDC(int savedDC)
{
    DcData* d = Data(this);
    if (!d || d->saved.empty())
        return FALSE;
    int n = static_cast<int>(d->saved.size());
    int index = savedDC < 0 ? n + savedDC : savedDC - 1;
    if (index < 0 || index >= n)
        return FALSE;
    d->st = std::move(d->saved[index]);
    d->saved.resize(index);
    if (d->kind == DcKind::Memory && d->st.bitmap)
        d->surface = d->st.bitmap->surface;
    d->InvalidateClip();
    return TRUE;
}

// ---- objects ------------------------------------------------------------------------------
namespace {

HGDIOBJ HandleOf(const ObjectData* d)
{
    return static_cast<HGDIOBJ>(static_cast<void*>(const_cast<ObjectData*>(d)));
}

} // namespace

HGDIOBJ CDC::SelectObject(HGDIOBJ object)
{
    DcData* d = Data(this);
    if (!d || !object)
        return nullptr;
    bool ok = false;
    Kind kind = KindOf(object, &ok);
    if (!ok)
        return nullptr;
    Ref<ObjectData> ref(Acquire(object, kind));
    if (!ref)
        return nullptr;
    HGDIOBJ previous = nullptr;
    auto swapIn = [&](auto& slot, auto* typed) {
        previous = HandleOf(slot.get());
        slot = std::remove_reference_t<decltype(slot)>::Share(typed);
    };
    switch (kind) {
    case Kind::Pen: swapIn(d->st.pen, static_cast<PenData*>(ref.get())); break;
    case Kind::Brush: swapIn(d->st.brush, static_cast<BrushData*>(ref.get())); break;
    case Kind::Font: swapIn(d->st.font, static_cast<FontData*>(ref.get())); break;
    case Kind::Bitmap:
        if (d->kind != DcKind::Memory)
            return nullptr;
        swapIn(d->st.bitmap, static_cast<BitmapData*>(ref.get()));
        d->surface = d->st.bitmap->surface;
        d->InvalidateClip();
        break;
    case Kind::Region: {
        SelectClipRgn(CRgn::FromHandle(reinterpret_cast<HRGN>(object)));
        return reinterpret_cast<HGDIOBJ>(static_cast<intptr_t>(SIMPLEREGION));
    }
    case Kind::Palette: return object;
    }
    return previous;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object)
{
    CDC* c = CDC::FromHandle(dc);
    return c ? c->SelectObject(object) : nullptr;
}

CGdiObject* CDC::SelectObject(CGdiObject* object)
{
    return CGdiObject::FromHandle(SelectObject(object ? object->m_hObject : nullptr));
}

CPen* CDC::SelectObject(CPen* pen)
{
    return static_cast<CPen*>(CGdiObject::FromHandle(SelectObject(pen ? pen->m_hObject : nullptr)));
}

CBrush* CDC::SelectObject(CBrush* brush)
{
    return static_cast<CBrush*>(CGdiObject::FromHandle(SelectObject(brush ? brush->m_hObject : nullptr)));
}

CFont* CDC::SelectObject(CFont* font)
{
    return static_cast<CFont*>(CGdiObject::FromHandle(SelectObject(font ? font->m_hObject : nullptr)));
}

CBitmap* CDC::SelectObject(CBitmap* bitmap)
{
    return static_cast<CBitmap*>(CGdiObject::FromHandle(SelectObject(bitmap ? bitmap->m_hObject : nullptr)));
}

CGdiObject* CDC::SelectStockObject(int index)
{
    return CGdiObject::FromHandle(SelectObject(GetStockObject(index)));
}

CPalette* CDC::SelectPalette(CPalette* palette, BOOL)
{
    return palette;
}

CPen* CDC::GetCurrentPen() const
{
    DcData* d = Data(this);
    return d ? static_cast<CPen*>(CGdiObject::FromHandle(HandleOf(d->st.pen.get()))) : nullptr;
}

CBrush* CDC::GetCurrentBrush() const
{
    DcData* d = Data(this);
    return d ? static_cast<CBrush*>(CGdiObject::FromHandle(HandleOf(d->st.brush.get()))) : nullptr;
}

CFont* CDC::GetCurrentFont() const
{
    DcData* d = Data(this);
    return d ? static_cast<CFont*>(CGdiObject::FromHandle(HandleOf(d->st.font.get()))) : nullptr;
}

CBitmap* CDC::GetCurrentBitmap() const
{
    DcData* d = Data(this);
    return d && d->st.bitmap ? static_cast<CBitmap*>(CGdiObject::FromHandle(HandleOf(d->st.bitmap.get()))) : nullptr;
}

// ---- attributes -------------------------------------------------------------------------
namespace {

template <typename T, typename Member>
T Exchange(const CDC* dc, Member member, T value)
{
    DcData* d = Data(dc);
    if (!d)
        return T {};
    return std::exchange(d->st.*member, value);
}

template <typename T, typename Member>
T Read(const CDC* dc, Member member)
{
    DcData* d = Data(dc);
    return d ? d->st.*member : T {};
}

} // namespace

COLORREF CDC::SetTextColor(COLORREF c) { return Exchange<COLORREF>(this, &DcState::textColor, c & 0xFFFFFF); }
COLORREF CDC::GetTextColor() const { return Read<COLORREF>(this, &DcState::textColor); }
COLORREF CDC::SetBkColor(COLORREF c) { return Exchange<COLORREF>(this, &DcState::bkColor, c & 0xFFFFFF); }
COLORREF CDC::GetBkColor() const { return Read<COLORREF>(this, &DcState::bkColor); }
int CDC::SetBkMode(int mode) { return Exchange<int>(this, &DcState::bkMode, mode); }
int CDC::GetBkMode() const { return Read<int>(this, &DcState::bkMode); }
int CDC::SetROP2(int mode) { return Exchange<int>(this, &DcState::rop2, mode); }
int CDC::GetROP2() const { return Read<int>(this, &DcState::rop2); }
int CDC::SetPolyFillMode(int mode) { return Exchange<int>(this, &DcState::polyFill, mode); }
int CDC::GetPolyFillMode() const { return Read<int>(this, &DcState::polyFill); }
int CDC::SetStretchBltMode(int mode) { return Exchange<int>(this, &DcState::stretchMode, mode); }
int CDC::GetStretchBltMode() const { return Read<int>(this, &DcState::stretchMode); }
UINT CDC::SetTextAlign(UINT flags) { return Exchange<UINT>(this, &DcState::textAlign, flags); }
UINT CDC::GetTextAlign() const { return Read<UINT>(this, &DcState::textAlign); }

CPoint CDC::SetBrushOrg(int x, int y)
{
    return Exchange<POINT>(this, &DcState::brushOrg, POINT { x, y });
}

CPoint CDC::GetBrushOrg() const
{
    return Read<POINT>(this, &DcState::brushOrg);
}

int SetStretchBltMode(HDC dc, int mode)
{
    CDC* c = CDC::FromHandle(dc);
    return c ? c->SetStretchBltMode(mode) : 0;
}

int DcData::DeviceWidth() const
{
    if (kind == DcKind::Printer) {
        return PrinterPageSize(*this).cx;
    }
    if (kind == DcKind::Window)
        return GetSystemMetrics(SM_CXSCREEN);
    return surface ? surface->Width() : 0;
}

int DcData::DeviceHeight() const
{
    if (kind == DcKind::Printer) {
        return PrinterPageSize(*this).cy;
    }
    if (kind == DcKind::Window)
        return GetSystemMetrics(SM_CYSCREEN);
    return surface ? surface->Height() : 0;
}

int CDC::GetDeviceCaps(int index) const
{
    DcData* d = Data(this);
    if (!d)
        return 0;
    bool printer = d->kind == DcKind::Printer;
    int dpi = printer ? 300 : 96;
    switch (index) {
    case TECHNOLOGY: return printer ? DT_RASPRINTER : DT_RASDISPLAY;
    case HORZRES:
    case PHYSICALWIDTH: return d->DeviceWidth();
    case VERTRES:
    case PHYSICALHEIGHT: return d->DeviceHeight();
    case HORZSIZE: return static_cast<int>(std::lround(d->DeviceWidth() * 25.4 / dpi));
    case VERTSIZE: return static_cast<int>(std::lround(d->DeviceHeight() * 25.4 / dpi));
    case LOGPIXELSX:
    case LOGPIXELSY: return dpi;
    case BITSPIXEL: return d->Mono() ? 1 : 32;
    case PLANES: return 1;
    case NUMCOLORS: return -1;
    case SIZEPALETTE: return 0;
    case RASTERCAPS: return RC_BITBLT | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB;
    case PHYSICALOFFSETX:
    case PHYSICALOFFSETY: return 0;
    default: return 0;
    }
}

int GetDeviceCaps(HDC dc, int index)
{
    CDC* c = CDC::FromHandle(dc);
    return c ? c->GetDeviceCaps(index) : 0;
}

// ---- mapping --------------------------------------------------------------------------
int CDC::SetMapMode(int mode)
{
    DcData* d = Data(this);
    if (!d || (mode != MM_TEXT && mode != MM_ANISOTROPIC))
        return 0;
    int old = std::exchange(d->st.mapMode, mode);
    if (mode == MM_TEXT)
        d->st.windowExt = d->st.viewportExt = SIZE { 1, 1 };
    return old;
}

int CDC::GetMapMode() const { return Read<int>(this, &DcState::mapMode); }
CPoint CDC::SetWindowOrg(int x, int y) { return Exchange<POINT>(this, &DcState::windowOrg, POINT { x, y }); }
CPoint CDC::GetWindowOrg() const { return Read<POINT>(this, &DcState::windowOrg); }
CPoint CDC::SetViewportOrg(int x, int y) { return Exchange<POINT>(this, &DcState::viewportOrg, POINT { x, y }); }
CPoint CDC::GetViewportOrg() const { return Read<POINT>(this, &DcState::viewportOrg); }

CPoint CDC::OffsetWindowOrg(int dx, int dy)
{
    CPoint p = GetWindowOrg();
    return SetWindowOrg(p.x + dx, p.y + dy);
}

CPoint CDC::OffsetViewportOrg(int dx, int dy)
{
    CPoint p = GetViewportOrg();
    return SetViewportOrg(p.x + dx, p.y + dy);
}

CSize CDC::SetWindowExt(int cx, int cy)
{
    DcData* d = Data(this);
    if (!d || d->st.mapMode != MM_ANISOTROPIC || cx == 0 || cy == 0)
        return d ? CSize(d->st.windowExt) : CSize();
    return std::exchange(d->st.windowExt, SIZE { cx, cy });
}

CSize CDC::SetViewportExt(int cx, int cy)
{
    DcData* d = Data(this);
    if (!d || d->st.mapMode != MM_ANISOTROPIC || cx == 0 || cy == 0)
        return d ? CSize(d->st.viewportExt) : CSize();
    return std::exchange(d->st.viewportExt, SIZE { cx, cy });
}

CSize CDC::GetWindowExt() const { return Read<SIZE>(this, &DcState::windowExt); }
CSize CDC::GetViewportExt() const { return Read<SIZE>(this, &DcState::viewportExt); }

void CDC::LPtoDP(LPPOINT points, int count) const
{
    DcData* d = Data(this);
    for (int i = 0; d && points && i < count; ++i)
        points[i] = d->ToDevice(points[i].x, points[i].y);
}

void CDC::LPtoDP(LPRECT rect) const
{
    LPtoDP(reinterpret_cast<LPPOINT>(rect), 2);
}

void CDC::LPtoDP(SIZE* size) const
{
    DcData* d = Data(this);
    if (d && size)
        size->cx = static_cast<LONG>(std::lround(size->cx * std::abs(d->ScaleX()))),
        size->cy = static_cast<LONG>(std::lround(size->cy * std::abs(d->ScaleY())));
}

void CDC::DPtoLP(LPPOINT points, int count) const
{
    DcData* d = Data(this);
    for (int i = 0; d && points && i < count; ++i)
        points[i] = d->ToLogical(points[i].x, points[i].y);
}

void CDC::DPtoLP(LPRECT rect) const
{
    DPtoLP(reinterpret_cast<LPPOINT>(rect), 2);
}

void CDC::DPtoLP(SIZE* size) const
{
    DcData* d = Data(this);
    if (d && size && d->ScaleX() && d->ScaleY())
        size->cx = static_cast<LONG>(std::lround(size->cx / std::abs(d->ScaleX()))),
        size->cy = static_cast<LONG>(std::lround(size->cy / std::abs(d->ScaleY())));
}

// ---- clipping -------------------------------------------------------------------------------
namespace {

int ClipType(DcData& d)
{
    size_t n = d.Clip().size();
    return n == 0 ? NULLREGION : n == 1 ? SIMPLEREGION : COMPLEXREGION;
}

// The application clip, or (when there is none) the whole device as a region to narrow.
cairo_region_t* CurrentClipOrWhole(DcData& d)
{
    if (d.st.clip)
        return cairo_region_copy(d.st.clip.get());
    cairo_rectangle_int_t whole { -(1 << 28), -(1 << 28), 1 << 29, 1 << 29 };
    return cairo_region_create_rectangle(&whole);
}

} // namespace

int CDC::SelectClipRgn(CRgn* rgn)
{
    return SelectClipRgn(rgn, RGN_COPY);
}

int CDC::SelectClipRgn(CRgn* rgn, int mode)
{
    DcData* d = Data(this);
    if (!d)
        return ERROR;
    cairo_region_t* source = rgn ? RegionOf(*rgn) : nullptr;
    if (mode == RGN_COPY) {
        d->st.clip = CopyRegion(source);
    } else {
        if (!source)
            return ERROR;
        cairo_region_t* r = CurrentClipOrWhole(*d);
        switch (mode) {
        case RGN_AND: cairo_region_intersect(r, source); break;
        case RGN_OR: cairo_region_union(r, source); break;
        case RGN_XOR: cairo_region_xor(r, source); break;
        case RGN_DIFF: cairo_region_subtract(r, source); break;
        default: cairo_region_destroy(r); return ERROR;
        }
        d->st.clip = MakeRegion(r);
    }
    d->InvalidateClip();
    return ClipType(*d);
}

int CDC::IntersectClipRect(int left, int top, int right, int bottom)
{
    DcData* d = Data(this);
    if (!d)
        return ERROR;
    CRect r = d->ToSurface(CRect(left, top, right, bottom));
    r.OffsetRect(-d->origin.x, -d->origin.y);
    cairo_region_t* clip = CurrentClipOrWhole(*d);
    cairo_rectangle_int_t c { r.left, r.top, r.Width(), r.Height() };
    cairo_region_intersect_rectangle(clip, &c);
    d->st.clip = MakeRegion(clip);
    d->InvalidateClip();
    return ClipType(*d);
}

int CDC::ExcludeClipRect(int left, int top, int right, int bottom)
{
    DcData* d = Data(this);
    if (!d)
        return ERROR;
    CRect r = d->ToSurface(CRect(left, top, right, bottom));
    r.OffsetRect(-d->origin.x, -d->origin.y);
    cairo_region_t* clip = CurrentClipOrWhole(*d);
    cairo_rectangle_int_t c { r.left, r.top, r.Width(), r.Height() };
    cairo_region_t* hole = cairo_region_create_rectangle(&c);
    cairo_region_subtract(clip, hole);
    cairo_region_destroy(hole);
    d->st.clip = MakeRegion(clip);
    d->InvalidateClip();
    return ClipType(*d);
}

int CDC::OffsetClipRgn(int dx, int dy)
{
    DcData* d = Data(this);
    if (!d)
        return ERROR;
    if (d->st.clip) {
        auto moved = CopyRegion(d->st.clip.get());
        cairo_region_translate(moved.get(), static_cast<int>(std::lround(dx * d->ScaleX())),
                               static_cast<int>(std::lround(dy * d->ScaleY())));
        d->st.clip = moved;
        d->InvalidateClip();
    }
    return ClipType(*d);
}

int CDC::GetClipBox(LPRECT rect) const
{
    DcData* d = Data(this);
    if (!d || !rect)
        return ERROR;
    int type = ClipType(*d);
    CRect box = d->clipBox;
    if (type == NULLREGION)
        box.SetRectEmpty();
    box.OffsetRect(-d->origin.x, -d->origin.y);
    POINT a = d->ToLogical(box.left, box.top), b = d->ToLogical(box.right, box.bottom);
    CRect l(a.x, a.y, b.x, b.y);
    l.NormalizeRect();
    *rect = l;
    return type;
}

BOOL CDC::PtVisible(int x, int y) const
{
    DcData* d = Data(this);
    if (!d)
        return FALSE;
    POINT p = d->ToSurfacePoint(x, y);
    for (const CRect& c : d->Clip())
        if (c.PtInRect(p))
            return TRUE;
    return FALSE;
}

BOOL CDC::RectVisible(LPCRECT rect) const
{
    DcData* d = Data(this);
    if (!d || !rect)
        return FALSE;
    CRect r = d->ToSurface(*rect);
    for (const CRect& c : d->Clip())
        if (!(c & r).IsRectEmpty())
            return TRUE;
    return FALSE;
}

UINT CDC::SetBoundsRect(LPCRECT bounds, UINT flags)
{
    DcData* d = Data(this);
    if (!d)
        return 0;
    UINT old = (d->accumulate ? DCB_ENABLE : DCB_DISABLE) | (d->bounds.IsRectEmpty() ? DCB_RESET : DCB_SET);
    if (flags & DCB_RESET)
        d->bounds.SetRectEmpty();
    if ((flags & DCB_ACCUMULATE) && bounds)
        d->bounds |= CRect(bounds);
    // DCB_ACCUMULATE also switches accumulation on, as the off-screen painters expect.
    if (flags & (DCB_ENABLE | DCB_ACCUMULATE))
        d->accumulate = true;
    if (flags & DCB_DISABLE)
        d->accumulate = false;
    return old;
}

UINT CDC::GetBoundsRect(LPRECT bounds, UINT flags)
{
    DcData* d = Data(this);
    if (!d || !bounds)
        return 0;
    *bounds = d->bounds;
    UINT state = (d->accumulate ? DCB_ENABLE : DCB_DISABLE) | (d->bounds.IsRectEmpty() ? DCB_RESET : DCB_SET);
    if (flags & DCB_RESET)
        d->bounds.SetRectEmpty();
    return state;
}

// ---- snapshots ---------------------------------------------------------------------------
BOOL CDC::SaveSnapshot(LPCSTR path) const
{
    DcData* d = Data(this);
    if (!d || !d->HasPixels() || !path)
        return FALSE;
    if (d->kind == DcKind::Memory)
        return d->surface->SavePng(path);
    // A window DC: its visible part of the top-level's surface.
    SurfaceLock lock(*d);
    CRect box = d->Clip().empty() ? CRect() : d->clipBox;
    if (box.IsRectEmpty())
        return FALSE;
    platform::Surface copy(box.Width(), box.Height());
    for (int y = 0; y < box.Height(); ++y)
        std::memcpy(copy.Row(y), d->surface->Row(box.top + y) + box.left, static_cast<size_t>(box.Width()) * 4);
    return copy.SavePng(path);
}
