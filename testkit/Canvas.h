// A memory DC over a colour bitmap filled with a background colour, for tests that draw and
// then read the pixels back or compare them with a golden picture.
#pragma once

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/Image.h"

#include <algorithm>

namespace testkit {

class Canvas
{
public:
    Canvas(int width, int height, COLORREF background = RGB(255, 255, 255)) : m_width(width), m_height(height)
    {
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateCompatibleBitmap(&dc, width, height);
        m_old = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, width, height, background);
    }
    ~Canvas() { dc.SelectObject(m_old); }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // A device pixel, whatever mapping mode and clipping the drawing left on the DC.
    COLORREF At(int x, int y) const
    {
        DeviceView view(dc);
        return dc.GetPixel(x, y);
    }

    // The pixels of `colour` inside `area` (the part on the canvas), or on the whole canvas.
    int Count(const CRect& area, COLORREF colour) const
    {
        DeviceView view(dc);
        int n = 0;
        for (int y = std::max<int>(area.top, 0); y < std::min<int>(area.bottom, m_height); ++y)
            for (int x = std::max<int>(area.left, 0); x < std::min<int>(area.right, m_width); ++x)
                n += dc.GetPixel(x, y) == colour;
        return n;
    }
    int Count(COLORREF colour) const { return Count(CRect(0, 0, m_width, m_height), colour); }

    // What the bitmap holds, as a picture.
    platform::Image Picture() const
    {
        platform::Image image;
        image.FromBitmap(bitmap);
        return image;
    }

    mutable CDC dc;
    CBitmap bitmap;

private:
    // Device coordinates without clipping while it lives; the DC's own state comes back after.
    class DeviceView
    {
    public:
        explicit DeviceView(CDC& dc) : m_dc(dc), m_saved(dc.SaveDC())
        {
            dc.SetMapMode(MM_TEXT);
            dc.SetWindowOrg(0, 0);
            dc.SetViewportOrg(0, 0);
            dc.SelectClipRgn(nullptr);
        }
        ~DeviceView() { m_dc.RestoreDC(m_saved); }

    private:
        CDC& m_dc;
        int m_saved;
    };

    int m_width;
    int m_height;
    CBitmap* m_old { nullptr };
};

} // namespace testkit
