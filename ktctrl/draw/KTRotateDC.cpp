// The rotated device context.
#include "ktctrl/draw/KTRotateDC.h"

const KTRotateDC::Rotator KTRotateDC::s_Rotator[4] = { { 0, 1 }, { -1, 0 }, { 0, -1 }, { 1, 0 } };

// ---- turning -------------------------------------------------------------------------------

KTRotateDC::ANGLE_TYPE KTRotateDC::AngleFromDegree(int degrees)
{
    int quarter = (degrees / 90) % 4;
    return static_cast<ANGLE_TYPE>(quarter < 0 ? quarter + 4 : quarter);
}

CPoint KTRotateDC::Rotate(const CPoint& point, ANGLE_TYPE angle)
{
    const Rotator& r = s_Rotator[angle & 3];
    return CPoint(r.b * point.x + r.a * point.y, r.b * point.y - r.a * point.x);
}

CRect KTRotateDC::Rotate(const CRect& rect, ANGLE_TYPE angle)
{
    CPoint a = Rotate(rect.TopLeft(), angle);
    CPoint b = Rotate(rect.BottomRight(), angle);
    CRect turned(a.x, a.y, b.x, b.y);
    turned.NormalizeRect();
    return turned;
}

CSize KTRotateDC::Rotate(const CSize& size, ANGLE_TYPE angle)
{
    return (angle & 1) ? CSize(size.cy, size.cx) : size;
}

void KTRotateDC::Rotate(POINT* points, int count, ANGLE_TYPE angle)
{
    for (int i = 0; points && i < count; ++i)
        points[i] = Rotate(CPoint(points[i]), angle);
}

// ---- life ----------------------------------------------------------------------------------

KTRotateDC::KTRotateDC(CDC& target, const CRect& rect, int degrees, int copyBackground)
{
    Create(target, rect, degrees, copyBackground);
}

KTRotateDC::KTRotateDC(CDC* target, const CRect& rect, int degrees, int copyBackground)
{
    Create(target, rect, degrees, copyBackground);
}

KTRotateDC::KTRotateDC(CDC& target, int degrees, int copyBackground)
{
    Create(target, degrees, copyBackground);
}

KTRotateDC::KTRotateDC(CDC* target, int degrees, int copyBackground)
{
    Create(target, degrees, copyBackground);
}

KTRotateDC::~KTRotateDC()
{
    if (!m_bFinished)
        Finish();
    if (m_hDC && m_initialBitmapKnown)
        SelectObject(m_initialBitmap);
    m_bitmap.DeleteObject();
}

BOOL KTRotateDC::Refuse()
{
    m_pDC = nullptr;
    m_rotRect.SetRectEmpty();
    return FALSE;
}

BOOL KTRotateDC::Create(CDC* target, const CRect& rect, int degrees, int copyBackground)
{
    return target ? Create(*target, rect, degrees, copyBackground) : Refuse();
}

BOOL KTRotateDC::Create(CDC& target, int degrees, int copyBackground)
{
    CRect box;
    target.GetClipBox(&box);
    return Create(target, box, degrees, copyBackground);
}

BOOL KTRotateDC::Create(CDC* target, int degrees, int copyBackground)
{
    return target ? Create(*target, degrees, copyBackground) : Refuse();
}

BOOL KTRotateDC::Create(CDC& target, const CRect& rect, int degrees, int copyBackground)
{
    if (target.IsPrinting())
        return Refuse();
    CRect box;
    target.GetClipBox(&box);
    CRect clip;
    if (!clip.IntersectRect(&rect, &box))
        return Refuse();

    m_pDC = &target;
    m_angle = AngleFromDegree(degrees);
    m_rect = rect;
    m_clipRect = clip;
    m_rotRect = Rotate(rect, m_angle);
    m_rotClipRect = Rotate(clip, m_angle);
    m_bFinished = 0;

    if (!m_hDC && !CreateCompatibleDC(&target)) {
        m_bFinished = 1;
        return Refuse();
    }

    SetBkColor(target.GetBkColor());
    SetBkMode(target.GetBkMode());
    SetTextColor(target.GetTextColor());
    if (CFont* font = target.GetCurrentFont())
        SelectObject(font);

    // The bitmap is kept between uses and replaced only when it is too small.
    if (m_bitmap.GetSafeHandle() &&
        (m_bitmapWidth < m_rotClipRect.Width() || m_bitmapHeight < m_rotClipRect.Height())) {
        if (m_initialBitmapKnown)
            SelectObject(m_initialBitmap);
        m_bitmap.DeleteObject();
    }
    if (!m_bitmap.GetSafeHandle()) {
        m_bitmap.CreateCompatibleBitmap(&target, m_rotClipRect.Width(), m_rotClipRect.Height());
        m_bitmapWidth = m_rotClipRect.Width();
        m_bitmapHeight = m_rotClipRect.Height();
    }

    SetMapMode(MM_TEXT);
    SetWindowOrg(m_rotClipRect.left, m_rotClipRect.top);
    SetBoundsRect(&m_rotClipRect, DCB_RESET | DCB_ACCUMULATE);
    SelectClipRgn(nullptr);
    CBitmap* previous = SelectObject(&m_bitmap);
    if (!m_initialBitmapKnown) {
        m_initialBitmap = previous;
        m_initialBitmapKnown = true;
    }

    if (copyBackground) {
        CRect grown = m_clipRect;
        grown.InflateRect(1, 1);
        CopyFrom(grown);
    }
    return TRUE;
}

// ---- copies -------------------------------------------------------------------------------------

void KTRotateDC::TurnedCopy(CDC* destination, CDC* source, const CRect& rect, ANGLE_TYPE angle)
{
    if (angle == ANGLE_0) {
        CPoint at = rect.TopLeft();
        destination->BitBlt(at.x, at.y, rect.Width(), rect.Height(), source, rect.left, rect.top, SRCCOPY);
        return;
    }
    POINT corners[3] = { { rect.left, rect.top }, { rect.right, rect.top }, { rect.left, rect.bottom } };
    Rotate(corners, 3, angle);
    destination->PlgBlt(corners, source, rect.left, rect.top, rect.Width(), rect.Height(), nullptr, 0, 0);
}

void KTRotateDC::CopyRotTo(const CRect& rect)
{
    if (!m_pDC || rect.IsRectEmpty())
        return;
    TurnedCopy(m_pDC, this, rect, InvertAngle(m_angle));
}

void KTRotateDC::CopyTo(const CRect& rect)
{
    CopyRotTo(Rotate(rect));
}

void KTRotateDC::CopyFrom(const CRect& rect)
{
    if (!m_pDC || rect.IsRectEmpty())
        return;
    TurnedCopy(this, m_pDC, rect, m_angle);
}

void KTRotateDC::CopyRotFrom(const CRect& rect)
{
    CopyFrom(RotateBack(rect));
}

int KTRotateDC::Finish()
{
    if (!m_pDC)
        return 0;
    if (!m_bFinished) {
        m_bFinished = 1;
        CopyRotTo(m_rotClipRect);
    }
    return 1;
}

void KTRotateDC::Invalidate()
{
    m_bFinished = 1;
    if (m_pDC)
        IntersectClipRect(0, 0, 0, 0);
}
