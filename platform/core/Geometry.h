// Points, sizes and rectangles. Rectangles are half-open: right and bottom are outside.
#pragma once

#include "platform/core/Types.h"

#include <algorithm>

struct POINT
{
    LONG x { 0 };
    LONG y { 0 };
};

struct SIZE
{
    LONG cx { 0 };
    LONG cy { 0 };
};

struct RECT
{
    LONG left { 0 };
    LONG top { 0 };
    LONG right { 0 };
    LONG bottom { 0 };
};

using LPRECT = RECT*;
using LPCRECT = const RECT*;
using LPPOINT = POINT*;

class CPoint : public POINT
{
public:
    CPoint() = default;
    CPoint(int x_, int y_) { x = x_, y = y_; }
    CPoint(POINT p) : POINT(p) {}
    explicit CPoint(LPARAM lp) { x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp); }
    void Offset(int dx, int dy) { x += dx, y += dy; }
    void SetPoint(int x_, int y_) { x = x_, y = y_; }
    friend bool operator==(const CPoint& a, const CPoint& b) { return a.x == b.x && a.y == b.y; }
    CPoint operator+(const POINT& p) const { return CPoint(x + p.x, y + p.y); }
    CPoint operator-(const POINT& p) const { return CPoint(x - p.x, y - p.y); }
    CPoint& operator+=(const POINT& p) { return x += p.x, y += p.y, *this; }
    CPoint& operator-=(const POINT& p) { return x -= p.x, y -= p.y, *this; }
    CPoint operator-() const { return CPoint(-x, -y); }
};

class CSize : public SIZE
{
public:
    CSize() = default;
    CSize(int cx_, int cy_) { cx = cx_, cy = cy_; }
    CSize(SIZE s) : SIZE(s) {}
    friend bool operator==(const CSize& a, const CSize& b) { return a.cx == b.cx && a.cy == b.cy; }
    CSize operator+(const SIZE& s) const { return CSize(cx + s.cx, cy + s.cy); }
    CSize operator-(const SIZE& s) const { return CSize(cx - s.cx, cy - s.cy); }
};

class CRect : public RECT
{
public:
    CRect() = default;
    CRect(int l, int t, int r, int b) { left = l, top = t, right = r, bottom = b; }
    CRect(const RECT& r) : RECT(r) {}
    CRect(const RECT* r) : RECT(r ? *r : RECT {}) {}
    CRect(POINT topLeft, SIZE size)
    {
        left = topLeft.x, top = topLeft.y, right = topLeft.x + size.cx, bottom = topLeft.y + size.cy;
    }
    CRect(POINT topLeft, POINT bottomRight)
    {
        left = topLeft.x, top = topLeft.y, right = bottomRight.x, bottom = bottomRight.y;
    }

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    CPoint TopLeft() const { return CPoint(left, top); }
    CPoint BottomRight() const { return CPoint(right, bottom); }
    CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }
    bool IsRectEmpty() const { return right <= left || bottom <= top; }
    bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    bool PtInRect(POINT p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }

    void SetRect(int l, int t, int r, int b) { left = l, top = t, right = r, bottom = b; }
    void SetRectEmpty() { left = top = right = bottom = 0; }
    void CopyRect(const RECT* r) { *static_cast<RECT*>(this) = *r; }
    void OffsetRect(int dx, int dy) { left += dx, right += dx, top += dy, bottom += dy; }
    void OffsetRect(POINT p) { OffsetRect(p.x, p.y); }
    void MoveToXY(int x, int y) { OffsetRect(x - left, y - top); }
    void MoveToX(int x) { OffsetRect(x - left, 0); }
    void MoveToY(int y) { OffsetRect(0, y - top); }
    void InflateRect(int dx, int dy) { left -= dx, right += dx, top -= dy, bottom += dy; }
    void InflateRect(int l, int t, int r, int b) { left -= l, top -= t, right += r, bottom += b; }
    void InflateRect(const RECT* r) { InflateRect(r->left, r->top, r->right, r->bottom); }
    void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
    void DeflateRect(int l, int t, int r, int b) { InflateRect(-l, -t, -r, -b); }
    void DeflateRect(const RECT* r) { DeflateRect(r->left, r->top, r->right, r->bottom); }
    void NormalizeRect()
    {
        if (left > right)
            std::swap(left, right);
        if (top > bottom)
            std::swap(top, bottom);
    }
    // Intersection; an empty result is the null rectangle. Returns whether it is non-empty.
    BOOL IntersectRect(const RECT* a, const RECT* b)
    {
        CRect r(std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
                std::min(a->bottom, b->bottom));
        if (r.IsRectEmpty())
            r.SetRectEmpty();
        *this = r;
        return !IsRectEmpty();
    }
    BOOL UnionRect(const RECT* a, const RECT* b)
    {
        CRect ra(a), rb(b);
        if (ra.IsRectEmpty())
            *this = rb;
        else if (rb.IsRectEmpty())
            *this = ra;
        else
            SetRect(std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
                    std::max(a->bottom, b->bottom));
        return !IsRectEmpty();
    }

    operator RECT*() { return this; }
    operator const RECT*() const { return this; }
    friend bool operator==(const CRect& a, const CRect& b)
    {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
    CRect& operator&=(const RECT& r) { return IntersectRect(this, &r), *this; }
    CRect& operator|=(const RECT& r) { return UnionRect(this, &r), *this; }
    CRect operator&(const RECT& r) const { CRect o; o.IntersectRect(this, &r); return o; }
    CRect operator|(const RECT& r) const { CRect o; o.UnionRect(this, &r); return o; }
    CRect operator+(POINT p) const { CRect o(*this); o.OffsetRect(p); return o; }
};

inline BOOL PtInRect(const RECT* r, POINT p) { return CRect(r).PtInRect(p); }
inline BOOL IsRectEmpty(const RECT* r) { return CRect(r).IsRectEmpty(); }
inline BOOL SetRect(RECT* r, int l, int t, int rr, int b) { *r = CRect(l, t, rr, b); return TRUE; }
inline BOOL OffsetRect(RECT* r, int dx, int dy) { CRect c(r); c.OffsetRect(dx, dy); *r = c; return TRUE; }
inline BOOL InflateRect(RECT* r, int dx, int dy) { CRect c(r); c.InflateRect(dx, dy); *r = c; return TRUE; }
inline BOOL IntersectRect(RECT* out, const RECT* a, const RECT* b)
{
    CRect c;
    BOOL ok = c.IntersectRect(a, b);
    *out = c;
    return ok;
}
