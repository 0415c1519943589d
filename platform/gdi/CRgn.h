// CRgn: an area made of rectangles, polygons and ellipses, combined with and, or, xor and
// difference. Coordinates are device units.
#pragma once

#include "platform/gdi/CGdiObject.h"

class CRgn : public CGdiObject
{
public:
    BOOL CreateRectRgn(int left, int top, int right, int bottom);
    BOOL CreateRectRgnIndirect(LPCRECT rect);
    // Polygon interior by the fill mode (ALTERNATE or WINDING), classic half-open pixel rule.
    BOOL CreatePolygonRgn(const POINT* points, int count, int fillMode);
    BOOL CreateEllipticRgn(int left, int top, int right, int bottom);
    BOOL CreateEllipticRgnIndirect(LPCRECT rect) { return CreateEllipticRgn(rect->left, rect->top, rect->right, rect->bottom); }
    void SetRectRgn(int left, int top, int right, int bottom);
    void SetRectRgn(LPCRECT rect) { SetRectRgn(rect->left, rect->top, rect->right, rect->bottom); }
    // This region becomes a combined with b; returns the region type or ERROR.
    int CombineRgn(const CRgn* a, const CRgn* b, int mode);
    int CopyRgn(const CRgn* source);
    int OffsetRgn(int dx, int dy);
    int OffsetRgn(POINT p) { return OffsetRgn(p.x, p.y); }
    BOOL PtInRegion(int x, int y) const;
    BOOL PtInRegion(POINT p) const { return PtInRegion(p.x, p.y); }
    BOOL RectInRegion(LPCRECT rect) const;
    BOOL EqualRgn(const CRgn* other) const;
    int GetRgnBox(LPRECT rect) const;
    operator HRGN() const { return reinterpret_cast<HRGN>(m_hObject); }
    static CRgn* FromHandle(HRGN rgn) { return static_cast<CRgn*>(CGdiObject::FromHandle(reinterpret_cast<HGDIOBJ>(rgn))); }
};

HRGN CreateRectRgn(int left, int top, int right, int bottom);
int CombineRgn(HRGN dest, HRGN a, HRGN b, int mode);
