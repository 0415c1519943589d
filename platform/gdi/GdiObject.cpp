// The handle table of drawing objects, CGdiObject, the stock objects, pens, brushes and palettes.
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CBrush.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/CPalette.h"
#include "platform/gdi/CPen.h"
#include "platform/gdi/CRgn.h"
#include "platform/gdi/GdiInternal.h"
#include "platform/gdi/SysColors.h"

#include <cstring>
#include <mutex>
#include <unordered_map>
#include <unordered_set>

namespace platform::gdi {

// ---- handle table -------------------------------------------------------------
namespace {

LiveSet& Table()
{
    static auto* t = new LiveSet;
    return *t;
}

} // namespace

void* Register(ObjectData* data)
{
    Table().Insert(data);
    return data;
}

void Unregister(ObjectData* data)
{
    Table().Erase(data);
}

void AddRef(ObjectData* data)
{
    if (data && !data->stock)
        data->refs.fetch_add(1, std::memory_order_relaxed);
}

void Release(ObjectData* data)
{
    if (!data || data->stock)
        return;
    if (data->refs.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        Unregister(data);
        delete data;
    }
}

ObjectData* Acquire(const void* handle, Kind kind)
{
    ObjectData* result = nullptr;
    Table().IfLive(handle, [&] {
        auto* data = static_cast<ObjectData*>(const_cast<void*>(handle));
        if (data->kind == kind) {
            AddRef(data);
            result = data;
        }
    });
    return result;
}

bool IsLive(const void* handle)
{
    return Table().Contains(handle);
}

Kind KindOf(const void* handle, bool* ok)
{
    Kind kind = Kind::Pen;
    *ok = Table().IfLive(handle, [&] { kind = static_cast<const ObjectData*>(handle)->kind; });
    return kind;
}

// ---- stock objects --------------------------------------------------------------
namespace {

template <typename T>
T* MakeStock()
{
    auto* data = new T;
    data->stock = true;
    Register(data);
    return data;
}

BrushData* StockBrush(UINT style, COLORREF color)
{
    auto* b = MakeStock<BrushData>();
    b->style = style;
    b->color = color;
    return b;
}

PenData* StockPen(int style, COLORREF color)
{
    auto* p = MakeStock<PenData>();
    p->style = style;
    p->color = color;
    return p;
}

FontData* StockFont(const char* face, int height, BYTE pitch)
{
    LOGFONT lf;
    lf.lfHeight = height;
    lf.lfPitchAndFamily = pitch;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    FontData* f = CreateFontData(lf);
    f->stock = true;
    return f;
}

} // namespace

ObjectData* Stock(int index)
{
    static ObjectData* const table[] = {
        StockBrush(BS_SOLID, RGB(255, 255, 255)),       // WHITE_BRUSH
        StockBrush(BS_SOLID, RGB(192, 192, 192)),       // LTGRAY_BRUSH
        StockBrush(BS_SOLID, RGB(128, 128, 128)),       // GRAY_BRUSH
        StockBrush(BS_SOLID, RGB(64, 64, 64)),          // DKGRAY_BRUSH
        StockBrush(BS_SOLID, RGB(0, 0, 0)),             // BLACK_BRUSH
        StockBrush(BS_NULL, 0),                         // NULL_BRUSH
        StockPen(PS_SOLID, RGB(255, 255, 255)),         // WHITE_PEN
        StockPen(PS_SOLID, RGB(0, 0, 0)),               // BLACK_PEN
        StockPen(PS_NULL, 0),                           // NULL_PEN
        nullptr,                                        // 9: unused
        StockFont("Courier New", -13, FIXED_PITCH),     // 10: OEM_FIXED_FONT
        StockFont("Courier New", -13, FIXED_PITCH),     // ANSI_FIXED_FONT
        StockFont("MS Sans Serif", -11, VARIABLE_PITCH), // ANSI_VAR_FONT
        StockFont("MS Sans Serif", -13, VARIABLE_PITCH), // SYSTEM_FONT (bold in the classic look)
        StockFont("MS Sans Serif", -13, VARIABLE_PITCH), // DEVICE_DEFAULT_FONT
        MakeStock<PaletteData>(),                       // DEFAULT_PALETTE
        StockFont("Courier New", -13, FIXED_PITCH),     // SYSTEM_FIXED_FONT
        StockFont("MS Sans Serif", -11, VARIABLE_PITCH), // DEFAULT_GUI_FONT
    };
    if (index < 0 || index >= static_cast<int>(std::size(table)))
        return nullptr;
    return table[index];
}

} // namespace platform::gdi

using namespace platform::gdi;

// ---- CGdiObject -------------------------------------------------------------------
CGdiObject::~CGdiObject()
{
    DeleteObject();
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    ObjectData* data = static_cast<ObjectData*>(static_cast<void*>(m_hObject));
    m_hObject = nullptr;
    if (IsLive(data))
        Release(data);
    return TRUE;
}

BOOL CGdiObject::Attach(HGDIOBJ object)
{
    if (!object)
        return FALSE;
    DeleteObject();
    m_hObject = object;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    return std::exchange(m_hObject, nullptr);
}

void CGdiObject::Replace(HGDIOBJ object)
{
    DeleteObject();
    m_hObject = object;
}

HGDIOBJ CGdiObject::GetSafeHandle() const
{
    // Callers ask a null object pointer for its handle; keep the compiler from assuming this
    // cannot happen.
    const CGdiObject* self = this;
    asm("" : "+r"(self));
    return self ? self->m_hObject : nullptr;
}

BOOL CGdiObject::CreateStockObject(int index)
{
    ObjectData* data = Stock(index);
    if (!data)
        return FALSE;
    Replace(static_cast<HGDIOBJ>(static_cast<void*>(data)));
    return TRUE;
}

int CGdiObject::GetObject(int size, void* buffer) const
{
    return ::GetObject(m_hObject, size, buffer);
}

DWORD CGdiObject::GetObjectType() const
{
    return ::GetObjectType(m_hObject);
}

namespace {

// Wrappers handed out for handles that the caller does not own. They never release.
struct TemporaryWrapper
{
    std::unique_ptr<CGdiObject> object;
    ~TemporaryWrapper()
    {
        if (object)
            object->m_hObject = nullptr;
    }
    TemporaryWrapper() = default;
    TemporaryWrapper(TemporaryWrapper&&) = default;
};

std::unique_ptr<CGdiObject> MakeWrapper(Kind kind)
{
    switch (kind) {
    case Kind::Pen: return std::make_unique<CPen>();
    case Kind::Brush: return std::make_unique<CBrush>();
    case Kind::Font: return std::make_unique<CFont>();
    case Kind::Bitmap: return std::make_unique<CBitmap>();
    case Kind::Region: return std::make_unique<CRgn>();
    case Kind::Palette: return std::make_unique<CPalette>();
    }
    return nullptr;
}

} // namespace

CGdiObject* CGdiObject::FromHandleTemporary(HGDIOBJ object)
{
    bool ok = false;
    Kind kind = KindOf(object, &ok);
    if (!ok)
        return nullptr;
    thread_local std::unordered_map<HGDIOBJ, TemporaryWrapper> wrappers;
    auto it = wrappers.find(object);
    if (it != wrappers.end() && it->second.object && dynamic_cast<CGdiObject*>(it->second.object.get())) {
        // Same address, possibly a new object of another kind: rebuild when the kind differs.
        auto* existing = it->second.object.get();
        bool sameKind = (kind == Kind::Pen && dynamic_cast<CPen*>(existing)) ||
                        (kind == Kind::Brush && dynamic_cast<CBrush*>(existing)) ||
                        (kind == Kind::Font && dynamic_cast<CFont*>(existing)) ||
                        (kind == Kind::Bitmap && dynamic_cast<CBitmap*>(existing)) ||
                        (kind == Kind::Region && dynamic_cast<CRgn*>(existing)) ||
                        (kind == Kind::Palette && dynamic_cast<CPalette*>(existing));
        if (sameKind)
            return existing;
        wrappers.erase(it);
    }
    if (wrappers.size() > 1024)
        std::erase_if(wrappers, [](const auto& entry) { return !IsLive(entry.first); });
    TemporaryWrapper w;
    w.object = MakeWrapper(kind);
    w.object->m_hObject = object;
    CGdiObject* result = w.object.get();
    wrappers.emplace(object, std::move(w));
    return result;
}

HGDIOBJ GetStockObject(int index)
{
    return static_cast<HGDIOBJ>(static_cast<void*>(Stock(index)));
}

BOOL DeleteObject(HGDIOBJ object)
{
    if (!IsLive(object))
        return FALSE;
    Release(static_cast<ObjectData*>(static_cast<void*>(object)));
    return TRUE;
}

DWORD GetObjectType(HGDIOBJ object)
{
    bool ok = false;
    Kind kind = KindOf(object, &ok);
    if (!ok)
        return 0;
    switch (kind) {
    case Kind::Pen: return OBJ_PEN;
    case Kind::Brush: return OBJ_BRUSH;
    case Kind::Font: return OBJ_FONT;
    case Kind::Bitmap: return OBJ_BITMAP;
    case Kind::Region: return OBJ_REGION;
    case Kind::Palette: return OBJ_PAL;
    }
    return 0;
}

int GetObject(HGDIOBJ object, int size, void* buffer)
{
    bool ok = false;
    Kind kind = KindOf(object, &ok);
    if (!ok)
        return 0;
    auto copyOut = [&](const auto& value) {
        int n = static_cast<int>(sizeof(value));
        if (!buffer)
            return n;
        if (size < n)
            return 0;
        std::memcpy(buffer, &value, n);
        return n;
    };
    Ref<ObjectData> ref(Acquire(object, kind));
    if (!ref)
        return 0;
    switch (kind) {
    case Kind::Pen: {
        auto* p = static_cast<PenData*>(ref.get());
        LOGPEN lp;
        lp.lopnStyle = static_cast<UINT>(p->style | p->endcap);
        lp.lopnWidth.x = p->width;
        lp.lopnColor = p->color;
        return copyOut(lp);
    }
    case Kind::Brush: {
        auto* b = static_cast<BrushData*>(ref.get());
        LOGBRUSH lb;
        lb.lbStyle = b->style;
        lb.lbColor = b->color;
        lb.lbHatch = static_cast<ULONG_PTR>(b->hatch);
        return copyOut(lb);
    }
    case Kind::Font: return copyOut(static_cast<FontData*>(ref.get())->lf);
    case Kind::Bitmap: {
        auto* b = static_cast<BitmapData*>(ref.get());
        BITMAP bm;
        bm.bmWidth = b->surface->Width();
        bm.bmHeight = b->surface->Height();
        bm.bmBitsPixel = static_cast<WORD>(b->bitsPixel);
        bm.bmWidthBytes = ((bm.bmWidth * bm.bmBitsPixel + 15) / 16) * 2;
        return copyOut(bm);
    }
    case Kind::Region:
    case Kind::Palette: return 0;
    }
    return 0;
}

// ---- CPen ------------------------------------------------------------------------
HPEN CreatePen(int style, int width, COLORREF color)
{
    auto* p = new PenData;
    p->style = style & PS_STYLE_MASK;
    p->endcap = style & PS_ENDCAP_MASK;
    p->width = std::max(width, 1);
    p->color = color & 0x00FFFFFF;
    if (p->style > PS_INSIDEFRAME)
        p->style = PS_SOLID;
    return static_cast<HPEN>(Register(p));
}

BOOL CPen::CreatePen(int style, int width, COLORREF color)
{
    Replace(reinterpret_cast<HGDIOBJ>(::CreatePen(style, width, color)));
    return TRUE;
}

BOOL CPen::CreatePenIndirect(const LOGPEN* logPen)
{
    if (!logPen)
        return FALSE;
    return CreatePen(static_cast<int>(logPen->lopnStyle), logPen->lopnWidth.x, logPen->lopnColor);
}

int CPen::GetLogPen(LOGPEN* logPen) const
{
    return ::GetObject(m_hObject, sizeof(LOGPEN), logPen);
}

// ---- CBrush ----------------------------------------------------------------------
HBRUSH CreateSolidBrush(COLORREF color)
{
    auto* b = new BrushData;
    b->color = color & 0x00FFFFFF;
    return static_cast<HBRUSH>(Register(b));
}

BOOL CBrush::CreateSolidBrush(COLORREF color)
{
    Replace(reinterpret_cast<HGDIOBJ>(::CreateSolidBrush(color)));
    return TRUE;
}

BOOL CBrush::CreateHatchBrush(int hatch, COLORREF color)
{
    if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS)
        return FALSE;
    auto* b = new BrushData;
    b->style = BS_HATCHED;
    b->hatch = hatch;
    b->color = color & 0x00FFFFFF;
    Replace(static_cast<HGDIOBJ>(Register(b)));
    return TRUE;
}

BOOL CBrush::CreatePatternBrush(CBitmap* bitmap)
{
    platform::SurfacePtr source = SurfaceOf(reinterpret_cast<HBITMAP>(bitmap ? bitmap->m_hObject : nullptr));
    if (!source)
        return FALSE;
    auto* b = new BrushData;
    b->style = BS_PATTERN;
    {
        std::lock_guard lock(source->Mutex());
        b->pattern = std::make_shared<platform::Surface>(source->Width(), source->Height());
        for (int y = 0; y < source->Height(); ++y)
            std::memcpy(b->pattern->Row(y), source->Row(y), static_cast<size_t>(source->Width()) * 4);
    }
    Replace(static_cast<HGDIOBJ>(Register(b)));
    return TRUE;
}

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* logBrush)
{
    if (!logBrush)
        return FALSE;
    switch (logBrush->lbStyle) {
    case BS_SOLID: return CreateSolidBrush(logBrush->lbColor);
    case BS_HATCHED: return CreateHatchBrush(static_cast<int>(logBrush->lbHatch), logBrush->lbColor);
    case BS_NULL: return CreateStockObject(NULL_BRUSH);
    default: return FALSE;
    }
}

BOOL CBrush::CreateSysColorBrush(int index)
{
    return CreateSolidBrush(GetSysColor(index));
}

int CBrush::GetLogBrush(LOGBRUSH* logBrush) const
{
    return ::GetObject(m_hObject, sizeof(LOGBRUSH), logBrush);
}

// ---- CPalette ----------------------------------------------------------------------
BOOL CPalette::CreatePalette(const LOGPALETTE*)
{
    Replace(static_cast<HGDIOBJ>(Register(new PaletteData)));
    return TRUE;
}

BOOL CPalette::CreateHalftonePalette(CDC*)
{
    return CreatePalette(nullptr);
}
