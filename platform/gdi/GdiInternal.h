// Internal objects behind the drawing handles. Only the drawing module includes this header.
//
// Every handle (pen, brush, font, bitmap, region, palette) is the address of a reference-counted
// object registered in a process-wide table; a handle that is not in the table (deleted, or never
// made) is refused instead of followed. A wrapper (CPen, CFont ...) holds one reference, every
// device context that selects the object holds another, so deleting a wrapper while a worker
// thread still draws with the object is safe: the object goes when the last holder lets go.
// Object contents never change after creation; "re-creating" a font makes a new object.
#pragma once

#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/Surface.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <unordered_set>
#include <string>
#include <utility>
#include <vector>

typedef struct _cairo_region cairo_region_t;
typedef struct _PangoFontDescription PangoFontDescription;

namespace platform::gdi {

// The addresses of live objects of one sort (drawing objects, DCs, icons), so that a handle is
// checked before it is followed. Its lock is a leaf: nothing else is taken while it is held.
// Sets are created on first use and never destroyed, so handles stay checkable at exit.
class LiveSet
{
public:
    void Insert(const void* p)
    {
        std::lock_guard lock(m_mutex);
        m_set.insert(p);
    }
    bool Erase(const void* p)
    {
        std::lock_guard lock(m_mutex);
        return m_set.erase(p) > 0;
    }
    bool Contains(const void* p) const
    {
        std::lock_guard lock(m_mutex);
        return p && m_set.count(p);
    }
    // Runs `action` under the lock when `p` is live; returns whether it was.
    template <typename F>
    bool IfLive(const void* p, F action) const
    {
        std::lock_guard lock(m_mutex);
        if (!p || !m_set.count(p))
            return false;
        action();
        return true;
    }

private:
    mutable std::mutex m_mutex;
    std::unordered_set<const void*> m_set;
};

enum class Kind { Pen, Brush, Font, Bitmap, Region, Palette };

struct ObjectData
{
    explicit ObjectData(Kind k) : kind(k) {}
    virtual ~ObjectData() = default;
    std::atomic<int> refs { 1 };
    Kind kind;
    bool stock { false }; // stock objects live for the whole process
};

// Registers a new object (one reference, the caller's) and returns it as a handle.
void* Register(ObjectData* data);
void Unregister(ObjectData* data);
void AddRef(ObjectData* data);
void Release(ObjectData* data);
// The registered object of a handle, with one reference for the caller; null when the handle is
// not a live object of the wanted kind.
ObjectData* Acquire(const void* handle, Kind kind);
bool IsLive(const void* handle);
Kind KindOf(const void* handle, bool* ok);

// A counted reference to an object.
template <typename T>
class Ref
{
public:
    Ref() = default;
    explicit Ref(T* adopt) : m_p(adopt) {}
    Ref(const Ref& o) : m_p(o.m_p) { if (m_p) AddRef(m_p); }
    Ref(Ref&& o) noexcept : m_p(std::exchange(o.m_p, nullptr)) {}
    Ref& operator=(Ref o) { std::swap(m_p, o.m_p); return *this; }
    ~Ref() { if (m_p) Release(m_p); }
    T* get() const { return m_p; }
    T* operator->() const { return m_p; }
    T& operator*() const { return *m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    static Ref Share(T* p) { if (p) AddRef(p); return Ref(p); }

private:
    T* m_p { nullptr };
};

struct PenData : ObjectData
{
    PenData() : ObjectData(Kind::Pen) {}
    int style { PS_SOLID };
    int width { 1 };
    int endcap { PS_ENDCAP_ROUND };
    COLORREF color { 0 };
};

struct BrushData : ObjectData
{
    BrushData() : ObjectData(Kind::Brush) {}
    UINT style { BS_SOLID };
    COLORREF color { 0 };
    int hatch { 0 };
    SurfacePtr pattern; // BS_PATTERN: the bitmap's pixels at creation
};

struct FontMetrics
{
    int ascent { 0 };
    int descent { 0 };
    int internalLeading { 0 };
    int aveCharWidth { 0 };
    int maxCharWidth { 0 };
};

struct FontData : ObjectData
{
    FontData() : ObjectData(Kind::Font) {}
    ~FontData() override;
    LOGFONT lf {};
    std::string family;        // resolved fontconfig family
    double emPixels { 12.0 };  // character height in logical units
    PangoFontDescription* desc { nullptr }; // at emPixels
    // The description as text, interned: what the shaped-text cache knows the face by.
    const std::string* shapeKey { nullptr };
    // Face metrics per pixel of character height, measured once per face.
    double ascentRatio { 0.905 };
    double descentRatio { 0.212 };
    double aveWidthRatio { 0.5 };
    double maxWidthRatio { 1.0 };
    double capitalRatio { 0.72 }; // ink height of a capital letter
};

struct BitmapData : ObjectData
{
    BitmapData() : ObjectData(Kind::Bitmap) {}
    SurfacePtr surface;
    int bitsPixel { 32 };
};

struct RegionData : ObjectData
{
    RegionData();
    ~RegionData() override;
    cairo_region_t* region { nullptr };
};

struct PaletteData : ObjectData
{
    PaletteData() : ObjectData(Kind::Palette) {}
};

// ---- shared helpers -----------------------------------------------------------
// COLORREF (0x00BBGGRR) to a surface pixel (0xFFRRGGBB) and back.
inline std::uint32_t PixelFromColor(COLORREF c)
{
    return 0xFF000000u | (static_cast<std::uint32_t>(GetRValue(c)) << 16) |
           (static_cast<std::uint32_t>(GetGValue(c)) << 8) | GetBValue(c);
}
inline COLORREF ColorFromPixel(std::uint32_t p)
{
    return RGB(static_cast<BYTE>(p >> 16), static_cast<BYTE>(p >> 8), static_cast<BYTE>(p));
}
// A colour as a monochrome surface stores it: black or white by brightness.
inline std::uint32_t MonoPixel(std::uint32_t p)
{
    int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    return (r * 30 + g * 59 + b * 11) >= 12800 ? 0xFFFFFFFFu : 0xFF000000u;
}

// Fonts: the family a face name resolves to and the metrics of a font at a pixel scale.
std::string ResolveFamily(const char* faceName, BYTE pitchAndFamily);
FontData* CreateFontData(const LOGFONT& lf);
// Metrics of the font at a given character height in device pixels.
FontMetrics MetricsFor(const FontData& font, double emDevicePixels);

// Stock objects (never freed).
ObjectData* Stock(int index);

// The surface of a bitmap handle (null when it is not a live bitmap).
SurfacePtr SurfaceOf(HBITMAP bitmap);
HBITMAP CreateBitmapFromSurface(SurfacePtr surface, int bitsPixel);
// A device-independent bitmap (1, 4, 8, 24 or 32 bits) as a top-down surface; null if invalid.
SurfacePtr SurfaceFromDib(const void* bits, const BITMAPINFO* info);

} // namespace platform::gdi

namespace platform::gdi {
// The cairo region of a region handle (null when not live), and a new handle over a region.
cairo_region_t* RegionOf(HRGN rgn);
HRGN RegionFromCairo(cairo_region_t* adopt);
} // namespace platform::gdi
