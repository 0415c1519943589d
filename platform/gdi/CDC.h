// CDC: a device context. One class for every kind: memory (CreateCompatibleDC, draws into the
// selected bitmap), window and paint (made by the window layer, draw into the top-level's
// backing surface under its lock), and printer (a PDF page at 300 dots per inch).
//
// Pixel rules are the classic ones: lines and outlines are not anti-aliased and a line omits
// its last pixel; dashed pens apply at width 1 only; fills cover half-open rectangles; text is
// anti-aliased. Coordinates are logical; the mapping is MM_TEXT or MM_ANISOTROPIC.
//
// A CDC owns its handle (the destructor deletes it) unless the handle was attached by
// FromHandle or detached again.
//
// Threads: one CDC is used by one thread at a time, but one bitmap may be selected into several
// memory DCs at once, one on each thread (a window's background bitmap that its painter threads
// copy from while the user-interface thread draws into it): each DC keeps its own objects,
// origin and clip, and every operation holds the bitmap's lock while it touches the pixels.
#pragma once

#include "platform/core/CString.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CBrush.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/CPalette.h"
#include "platform/gdi/CPen.h"
#include "platform/gdi/CRgn.h"

#include <memory>

class CDC
{
public:
    CDC() = default;
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC { nullptr };
    HDC m_hAttribDC { nullptr };
    BOOL m_bPrinting { FALSE };

    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const;

    // ---- life -------------------------------------------------------------------
    BOOL CreateCompatibleDC(CDC* dc);
    BOOL DeleteDC();
    BOOL Attach(HDC dc);
    HDC Detach();
    // A CDC for a handle: the registered owner, or a per-thread wrapper that does not own it.
    static CDC* FromHandle(HDC dc);
    BOOL IsPrinting() const { return m_bPrinting; }
    int SaveDC();
    BOOL RestoreDC(int savedDC);

    // ---- objects ------------------------------------------------------------------
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CBitmap* SelectObject(CBitmap* bitmap);
    int SelectObject(CRgn* rgn) { return SelectClipRgn(rgn); }
    CGdiObject* SelectObject(CGdiObject* object);
    HGDIOBJ SelectObject(HGDIOBJ object);
    template <GdiHandle H>
    H SelectObject(H object) { return reinterpret_cast<H>(SelectObject(ToGdiObject(object))); }
    CGdiObject* SelectStockObject(int index);
    CPalette* SelectPalette(CPalette* palette, BOOL forceBackground);
    UINT RealizePalette() { return 0; }
    CPen* GetCurrentPen() const;
    CBrush* GetCurrentBrush() const;
    CFont* GetCurrentFont() const;
    CBitmap* GetCurrentBitmap() const;

    // ---- attributes -----------------------------------------------------------------
    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const;
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const;
    int SetBkMode(int mode);
    int GetBkMode() const;
    int SetROP2(int mode);
    int GetROP2() const;
    int SetPolyFillMode(int mode);
    int GetPolyFillMode() const;
    int SetStretchBltMode(int mode);
    int GetStretchBltMode() const;
    UINT SetTextAlign(UINT flags);
    UINT GetTextAlign() const;
    CPoint SetBrushOrg(int x, int y);
    CPoint SetBrushOrg(POINT p) { return SetBrushOrg(p.x, p.y); }
    CPoint GetBrushOrg() const;
    int GetDeviceCaps(int index) const;

    // ---- mapping ----------------------------------------------------------------------
    int SetMapMode(int mode);
    int GetMapMode() const;
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(POINT p) { return SetWindowOrg(p.x, p.y); }
    CPoint GetWindowOrg() const;
    CPoint OffsetWindowOrg(int dx, int dy);
    CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(POINT p) { return SetViewportOrg(p.x, p.y); }
    CPoint GetViewportOrg() const;
    CPoint OffsetViewportOrg(int dx, int dy);
    CSize SetWindowExt(int cx, int cy);
    CSize SetWindowExt(SIZE s) { return SetWindowExt(s.cx, s.cy); }
    CSize GetWindowExt() const;
    CSize SetViewportExt(int cx, int cy);
    CSize SetViewportExt(SIZE s) { return SetViewportExt(s.cx, s.cy); }
    CSize GetViewportExt() const;
    void LPtoDP(LPPOINT points, int count = 1) const;
    void LPtoDP(LPRECT rect) const;
    void LPtoDP(SIZE* size) const;
    void DPtoLP(LPPOINT points, int count = 1) const;
    void DPtoLP(LPRECT rect) const;
    void DPtoLP(SIZE* size) const;

    // ---- clipping and bounds ----------------------------------------------------------------
    // The region is in device units; null removes the application clip.
    int SelectClipRgn(CRgn* rgn);
    int SelectClipRgn(CRgn* rgn, int mode);
    int IntersectClipRect(int left, int top, int right, int bottom);
    int IntersectClipRect(LPCRECT rect) { return IntersectClipRect(rect->left, rect->top, rect->right, rect->bottom); }
    int ExcludeClipRect(int left, int top, int right, int bottom);
    int ExcludeClipRect(LPCRECT rect) { return ExcludeClipRect(rect->left, rect->top, rect->right, rect->bottom); }
    int OffsetClipRgn(int dx, int dy);
    int GetClipBox(LPRECT rect) const;
    BOOL PtVisible(int x, int y) const;
    BOOL PtVisible(POINT p) const { return PtVisible(p.x, p.y); }
    BOOL RectVisible(LPCRECT rect) const;
    UINT SetBoundsRect(LPCRECT bounds, UINT flags);
    UINT GetBoundsRect(LPRECT bounds, UINT flags);

    // ---- lines and shapes -------------------------------------------------------------------
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT p) { return MoveTo(p.x, p.y); }
    CPoint GetCurrentPosition() const;
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT p) { return LineTo(p.x, p.y); }
    BOOL Polyline(const POINT* points, int count);
    BOOL PolyPolyline(const POINT* points, const DWORD* counts, int polylines);
    BOOL Polygon(const POINT* points, int count);
    BOOL Rectangle(int left, int top, int right, int bottom);
    BOOL Rectangle(LPCRECT rect) { return Rectangle(rect->left, rect->top, rect->right, rect->bottom); }
    BOOL RoundRect(int left, int top, int right, int bottom, int width, int height);
    BOOL Ellipse(int left, int top, int right, int bottom);
    BOOL Ellipse(LPCRECT rect) { return Ellipse(rect->left, rect->top, rect->right, rect->bottom); }
    BOOL Pie(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2);
    COLORREF SetPixel(int x, int y, COLORREF color);
    COLORREF SetPixel(POINT p, COLORREF color) { return SetPixel(p.x, p.y, color); }
    BOOL SetPixelV(int x, int y, COLORREF color) { SetPixel(x, y, color); return TRUE; }
    COLORREF GetPixel(int x, int y) const;
    COLORREF GetPixel(POINT p) const { return GetPixel(p.x, p.y); }

    // ---- fills and frames ----------------------------------------------------------------------
    void FillRect(LPCRECT rect, CBrush* brush);
    void FillSolidRect(LPCRECT rect, COLORREF color);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
    void FrameRect(LPCRECT rect, CBrush* brush);
    BOOL FillRgn(CRgn* rgn, CBrush* brush);
    BOOL FrameRgn(CRgn* rgn, CBrush* brush, int width, int height);
    BOOL PaintRgn(CRgn* rgn);
    BOOL InvertRgn(CRgn* rgn);
    void InvertRect(LPCRECT rect);
    void Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight);
    void DrawFocusRect(LPCRECT rect);
    BOOL DrawEdge(LPRECT rect, UINT edge, UINT flags);
    BOOL DrawFrameControl(LPRECT rect, UINT type, UINT state);
    BOOL DrawIcon(int x, int y, HICON icon);
    BOOL DrawIcon(POINT p, HICON icon) { return DrawIcon(p.x, p.y, icon); }
    // DSS_DISABLED draws the shape embossed in highlight and shadow colours. A zero size
    // takes the picture's own.
    BOOL DrawState(CPoint point, CSize size, HICON icon, UINT flags, HBRUSH brush = nullptr);
    BOOL DrawState(CPoint point, CSize size, CBitmap* bitmap, UINT flags, HBRUSH brush = nullptr);

    // ---- text ------------------------------------------------------------------------------
    BOOL TextOut(int x, int y, const CString& text) { return TextOut(x, y, text, text.GetLength()); }
    BOOL TextOut(int x, int y, LPCSTR text, int count);
    BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, const CString& text, const int* dx = nullptr)
    {
        return ExtTextOut(x, y, options, rect, text, text.GetLength(), dx);
    }
    BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCSTR text, UINT count, const int* dx);
    int DrawText(const CString& text, LPRECT rect, UINT format);
    int DrawText(LPCSTR text, int count, LPRECT rect, UINT format);
    // DT_MODIFYSTRING writes the shortened text back.
    int DrawText(CString& text, LPRECT rect, UINT format);
    CSize GetTextExtent(const CString& text) const { return GetTextExtent(text, text.GetLength()); }
    CSize GetTextExtent(LPCSTR text, int count) const;
    CSize GetOutputTextExtent(const CString& text) const { return GetTextExtent(text); }
    // Width with tabs expanded to the given stops (none: every 8 average character widths).
    CSize GetTabbedTextExtent(const CString& text, int tabPositions, const int* tabStops) const;
    BOOL GetTextMetrics(LPTEXTMETRIC metrics) const;
    BOOL GetOutputTextMetrics(LPTEXTMETRIC metrics) const { return GetTextMetrics(metrics); }
    int GetTextFace(int count, LPSTR faceName) const;

    // ---- blits --------------------------------------------------------------------------
    BOOL BitBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, DWORD rop);
    BOOL StretchBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, int srcWidth,
                    int srcHeight, DWORD rop);
    BOOL PatBlt(int x, int y, int width, int height, DWORD rop);
    BOOL TransparentBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, int srcWidth,
                        int srcHeight, UINT transparentColor);
    // Copies the source rectangle onto the parallelogram (points: top-left, top-right,
    // bottom-left of the destination). Quarter turns and mirrors are exact.
    BOOL PlgBlt(const POINT* points, CDC* source, int xSrc, int ySrc, int width, int height, CBitmap* mask,
                int xMask, int yMask);
    BOOL MaskBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, CBitmap& mask,
                 int xMask, int yMask, DWORD rop);

    // ---- printing ---------------------------------------------------------------------------
    int StartDoc(LPCSTR docName);
    int StartDoc(const DOCINFO* docInfo);
    int StartPage();
    int EndPage();
    int EndDoc();
    int AbortDoc();
    BOOL ResetDC(const DEVMODE* devMode);
    // A printer DC on a PDF surface. `printer` names the printing system's queue that receives
    // the finished document (empty: the default queue); a DOCINFO output file overrides it.
    BOOL CreatePrinterDC(LPCSTR printer, const DEVMODE* devMode);

    // ---- snapshots ---------------------------------------------------------------------------
    // Writes what the DC shows (its bitmap or its window's area) as a PNG file.
    BOOL SaveSnapshot(LPCSTR path) const;

private:
    friend struct CDCAccess;
};

// ---- the same services on handles (device-independent bitmap code uses these) -----------
HDC CreateCompatibleDC(HDC dc);
BOOL DeleteDC(HDC dc);
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
template <GdiHandle H>
H SelectObject(HDC dc, H object) { return reinterpret_cast<H>(SelectObject(dc, ToGdiObject(object))); }
int GetDeviceCaps(HDC dc, int index);
int SetStretchBltMode(HDC dc, int mode);
BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int xSrc, int ySrc, DWORD rop);
BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int xSrc, int ySrc, int srcWidth,
                int srcHeight, DWORD rop);
int FillRect(HDC dc, LPCRECT rect, HBRUSH brush);
int DrawText(HDC dc, LPCSTR text, int count, LPRECT rect, UINT format);
BOOL GetTextExtentPoint32(HDC dc, LPCSTR text, int count, SIZE* size);
// Width in the low word and height in the high word, as the classic call packs them.
DWORD GetTabbedTextExtent(HDC dc, LPCSTR text, int count, int tabPositions, const int* tabStops);
BOOL DrawEdge(HDC dc, LPRECT rect, UINT edge, UINT flags);
BOOL DrawFrameControl(HDC dc, LPRECT rect, UINT type, UINT state);
// Device-independent bitmaps: 1, 4, 8, 24 and 32 bits per pixel; rows padded to 4 bytes,
// bottom-up for a positive height and top-down for a negative one.
int SetDIBitsToDevice(HDC dc, int x, int y, DWORD width, DWORD height, int xSrc, int ySrc, UINT startScan,
                      UINT scanLines, const void* bits, const BITMAPINFO* info, UINT usage);
int StretchDIBits(HDC dc, int x, int y, int width, int height, int xSrc, int ySrc, int srcWidth,
                  int srcHeight, const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop);
int GetDIBits(HDC dc, HBITMAP bitmap, UINT startScan, UINT scanLines, void* bits, BITMAPINFO* info, UINT usage);
int SetDIBits(HDC dc, HBITMAP bitmap, UINT startScan, UINT scanLines, const void* bits, const BITMAPINFO* info,
              UINT usage);
