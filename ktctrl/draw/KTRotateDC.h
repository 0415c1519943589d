// KTRotateDC: drawing turned by a quarter turn with ordinary horizontal calls. The painter
// creates it over a rectangle of the target and an angle, draws in the rotated coordinate
// space, and Finish (or the destructor) copies the picture back onto the target turned by the
// angle. Angle 0 is a plain off-screen copy.
//
// A point turns as x' = b x + a y, y' = b y - a x with (a, b) the angle's row of s_Rotator.
#pragma once

#include "platform/gdi/CDC.h"

class KTRotateDC : public CDC
{
public:
    enum ANGLE_TYPE { ANGLE_0 = 0, ANGLE_90 = 1, ANGLE_180 = 2, ANGLE_270 = 3 };
    struct Rotator
    {
        int a;
        int b;
    };
    static const Rotator s_Rotator[4];

    KTRotateDC() = default;
    KTRotateDC(CDC& target, const CRect& rect, int degrees, int copyBackground = 0);
    KTRotateDC(CDC* target, const CRect& rect, int degrees, int copyBackground = 0);
    KTRotateDC(CDC& target, int degrees, int copyBackground = 0);
    KTRotateDC(CDC* target, int degrees, int copyBackground = 0);
    ~KTRotateDC() override;

    BOOL Create(CDC& target, const CRect& rect, int degrees, int copyBackground = 0);
    BOOL Create(CDC* target, const CRect& rect, int degrees, int copyBackground = 0);
    BOOL Create(CDC& target, int degrees, int copyBackground = 0);
    BOOL Create(CDC* target, int degrees, int copyBackground = 0);

    // Copies the picture back once; 0 when not created.
    int Finish();
    // Ends without copying; further drawing has no effect.
    void Invalidate();

    // Target coordinates.
    void CopyTo(const CRect& rect);
    void CopyFrom(const CRect& rect);
    // Rotated coordinates.
    void CopyRotTo(const CRect& rect);
    void CopyRotFrom(const CRect& rect);

    const CRect& GetRotateRect() const { return m_rotRect; }
    ANGLE_TYPE GetAngle() const { return m_angle; }
    BOOL IsCreated() const { return m_pDC != nullptr; }

    // ---- turning -----------------------------------------------------------------------
    static ANGLE_TYPE AngleFromDegree(int degrees);
    static int DegreeFromAngle(ANGLE_TYPE angle) { return static_cast<int>(angle) * 90; }
    static ANGLE_TYPE InvertAngle(ANGLE_TYPE angle)
    {
        return angle == ANGLE_0 ? ANGLE_0 : static_cast<ANGLE_TYPE>(4 - angle);
    }

    static CRect Rotate(const CRect& rect, ANGLE_TYPE angle);
    static CPoint Rotate(const CPoint& point, ANGLE_TYPE angle);
    static CSize Rotate(const CSize& size, ANGLE_TYPE angle);
    static void Rotate(POINT* points, int count, ANGLE_TYPE angle);
    static CRect Rotate(const CRect& rect, int degrees) { return Rotate(rect, AngleFromDegree(degrees)); }
    static CPoint Rotate(const CPoint& point, int degrees) { return Rotate(point, AngleFromDegree(degrees)); }
    static CSize Rotate(const CSize& size, int degrees) { return Rotate(size, AngleFromDegree(degrees)); }
    static void Rotate(POINT* points, int count, int degrees) { Rotate(points, count, AngleFromDegree(degrees)); }

    CRect Rotate(const CRect& rect) const { return Rotate(rect, m_angle); }
    CPoint Rotate(const CPoint& point) const { return Rotate(point, m_angle); }
    CSize Rotate(const CSize& size) const { return Rotate(size, m_angle); }
    CRect RotateBack(const CRect& rect) const { return Rotate(rect, InvertAngle(m_angle)); }
    CPoint RotateBack(const CPoint& point) const { return Rotate(point, InvertAngle(m_angle)); }
    CSize RotateBack(const CSize& size) const { return Rotate(size, InvertAngle(m_angle)); }
    template <typename T>
    T operator()(const T& value, int forward) const
    {
        return forward ? Rotate(value) : RotateBack(value);
    }

    operator KTRotateDC*() { return IsCreated() ? this : nullptr; }
    KTRotateDC* operator->() { return this; }

private:
    BOOL Refuse();
    // Copies `source` (in the source's coordinates) onto the parallelogram of its corners
    // turned by `angle`.
    static void TurnedCopy(CDC* destination, CDC* source, const CRect& sourceRect, ANGLE_TYPE angle);

    CDC* m_pDC { nullptr };
    CRect m_rect;
    CRect m_clipRect;
    CRect m_rotRect;
    CRect m_rotClipRect;
    ANGLE_TYPE m_angle { ANGLE_0 };
    CBitmap m_bitmap;
    int m_bitmapWidth { 0 };
    int m_bitmapHeight { 0 };
    CBitmap* m_initialBitmap { nullptr };
    bool m_initialBitmapKnown { false };
    int m_bFinished { 1 };
};
