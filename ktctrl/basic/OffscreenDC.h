// OffscreenDC: how the library's owner-drawn controls paint off screen. Drawing goes into a
// memory bitmap that covers `area` of the target, in the target's own coordinates, and reaches
// the target in one copy when the object ends, so a control never shows half drawn.
#pragma once

#include "platform/gdi/CDC.h"
#include "platform/msg/WindowApi.h"

#include <algorithm>

namespace ktctrl {

class OffscreenDC : public CDC
{
public:
    OffscreenDC(CDC* target, const CRect& area) : m_target(target), m_area(area)
    {
        CreateCompatibleDC(target);
        m_bitmap.CreateCompatibleBitmap(target, std::max(area.Width(), 1), std::max(area.Height(), 1));
        m_oldBitmap = SelectObject(&m_bitmap);
        SetWindowOrg(area.left, area.top);
    }
    ~OffscreenDC() override
    {
        m_target->BitBlt(m_area.left, m_area.top, m_area.Width(), m_area.Height(), this, m_area.left, m_area.top, SRCCOPY);
        SelectObject(m_oldBitmap);
    }
    OffscreenDC(const OffscreenDC&) = delete;
    OffscreenDC& operator=(const OffscreenDC&) = delete;

    // Draws text in the control's font (WM_GETFONT), or the default GUI font when it has none.
    void UseFontOf(HWND control)
    {
        auto font = reinterpret_cast<HFONT>(::SendMessage(control, WM_GETFONT, 0, 0));
        SelectObject(font ? font : reinterpret_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    }

private:
    CDC* m_target { nullptr };
    CRect m_area;
    CBitmap m_bitmap;
    CBitmap* m_oldBitmap { nullptr };
};

} // namespace ktctrl
