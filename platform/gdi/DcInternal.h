// Internal state behind an HDC. Only the drawing module includes this header.
//
// Coordinates: logical (what callers pass) -> device (the mapping mode, window and viewport
// origins) -> surface (device plus the DC's origin inside its surface: a child window's client
// corner inside its top-level's backing store). Clipping is kept in device units and resolved
// into a list of surface rectangles before pixels are written.
//
// A DC is used by one thread at a time; its surface may be shared with other DCs on other
// threads, so each operation holds the surface lock (SurfaceLock) while it touches pixels.
#pragma once

#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiInternal.h"

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;

namespace platform::gdi {

enum class DcKind { Memory, Window, Printer };

struct DcState
{
    Ref<PenData> pen;
    Ref<BrushData> brush;
    Ref<FontData> font;
    Ref<BitmapData> bitmap; // memory DCs
    COLORREF textColor { 0 };
    COLORREF bkColor { RGB(255, 255, 255) };
    int bkMode { OPAQUE };
    int rop2 { R2_COPYPEN };
    int polyFill { ALTERNATE };
    int stretchMode { BLACKONWHITE };
    UINT textAlign { TA_LEFT | TA_TOP };
    int mapMode { MM_TEXT };
    POINT windowOrg {};
    POINT viewportOrg {};
    SIZE windowExt { 1, 1 };
    SIZE viewportExt { 1, 1 };
    POINT current {};
    POINT brushOrg {};
    std::shared_ptr<cairo_region_t> clip; // application clip in device units; null = none
};

struct PrinterJob;
struct PrinterJobDeleter
{
    void operator()(PrinterJob* job) const;
};

struct DcData
{
    DcKind kind { DcKind::Memory };
    DcState st;
    std::vector<DcState> saved;
    CDC* owner { nullptr };

    SurfacePtr surface;        // memory and window DCs
    POINT origin {};           // device (0, 0) inside the surface
    std::shared_ptr<cairo_region_t> systemClip; // device units; null = the whole surface
    HWND hwnd { nullptr };
    std::function<void(DcData&)> onDelete; // window DCs: tells the window layer

    // Derived clip, rebuilt when clipDirty: surface rectangles and their bounding box.
    bool clipDirty { true };
    std::vector<CRect> clipRects;
    CRect clipBox;

    // Drawing contexts, bound to the surface's current pixels.
    cairo_t* cr { nullptr };
    void* crSurface { nullptr };
    unsigned crGeneration { 0 };
    // Text is shaped by the drawing thread's own pango objects (TextShaping.h), never the DC's.

    // Bounds accumulation (logical units as returned).
    bool accumulate { false };
    CRect bounds;

    int dashPhase { 0 };
    std::unique_ptr<PrinterJob, PrinterJobDeleter> printer;

    ~DcData();

    // ---- coordinates ----
    bool Scaled() const { return st.mapMode == MM_ANISOTROPIC; }
    double ScaleX() const { return Scaled() && st.windowExt.cx ? double(st.viewportExt.cx) / st.windowExt.cx : 1.0; }
    double ScaleY() const { return Scaled() && st.windowExt.cy ? double(st.viewportExt.cy) / st.windowExt.cy : 1.0; }
    POINT ToDevice(int x, int y) const;
    POINT ToLogical(int x, int y) const;
    double ToDeviceXf(double x) const { return (x - st.windowOrg.x) * ScaleX() + st.viewportOrg.x; }
    double ToDeviceYf(double y) const { return (y - st.windowOrg.y) * ScaleY() + st.viewportOrg.y; }
    // A logical rectangle as a normalised surface rectangle.
    CRect ToSurface(const RECT& logical) const;
    POINT ToSurfacePoint(int x, int y) const
    {
        POINT d = ToDevice(x, y);
        return POINT { d.x + origin.x, d.y + origin.y };
    }
    int DeviceWidth() const;
    int DeviceHeight() const;

    // ---- clipping ----
    const std::vector<CRect>& Clip();
    void InvalidateClip() { clipDirty = true; }

    // ---- pixels ----
    bool HasPixels() const { return surface != nullptr && kind != DcKind::Printer; }
    bool Mono() const { return surface && surface->IsMonochrome(); }
    std::uint32_t DevicePixel(COLORREF c) const { return Mono() ? MonoPixel(PixelFromColor(c)) : PixelFromColor(c); }
    // Marks a surface rectangle as drawn: dirty for the window host and into the bounds.
    void Touch(const CRect& surfaceRect);

    // ---- cairo ----
    // The cairo context with the clip applied and the identity transform in surface units
    // (printer: device units at 300 dpi). Call under the surface lock.
    cairo_t* Cairo();
};

// Holds the lock of the DC's surface (if any) for one operation.
class SurfaceLock
{
public:
    explicit SurfaceLock(const DcData& dc)
    {
        if (dc.surface)
            m_lock = std::unique_lock(dc.surface->Mutex());
    }

private:
    std::unique_lock<platform::CheckedRecursiveMutex> m_lock;
};

DcData* DcOf(HDC dc);
HDC NewDc(std::unique_ptr<DcData> data);
void FreeDc(HDC dc);
DcData* Data(const CDC* dc);

// Pixel writing helpers shared by the drawing files (surface coordinates, clipped).
void FillSurfaceRect(DcData& dc, const CRect& r, std::uint32_t pixel, int rop2);
void FillWithBrush(DcData& dc, const CRect& surfaceRect, const BrushData& brush);
void CairoSetColor(cairo_t* cr, COLORREF color, bool mono);

// Printer DCs: the PDF surface of the current page and the page size in device units.
void* PrinterCairoSurface(DcData& dc);
SIZE PrinterPageSize(const DcData& dc);

// Tells the text recorder (TextRecorder.h), when one records, about a line of text drawn at
// `surfaceBox` in `surfaceCell` (null: none), clipped to the cell or not.
void RecordText(const DcData& d, const std::string& text, const CRect& surfaceBox, const CRect* surfaceCell,
                bool clipped);

// Cairo region helpers.
std::shared_ptr<cairo_region_t> MakeRegion(cairo_region_t* adopt);
std::shared_ptr<cairo_region_t> CopyRegion(const cairo_region_t* r);

} // namespace platform::gdi
