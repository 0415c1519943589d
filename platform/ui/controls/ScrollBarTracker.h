// ScrollBarTracker: the geometry, drawing and mouse tracking of one scroll bar, shared by the
// scroll-bar control and the window scroll bars. Coordinates are those of the DC or the window
// that holds the bar rectangle.
#pragma once

#include "platform/gdi/CDC.h"
#include "platform/ui/controls/ScrollBar.h"

#include <functional>

namespace platform::ui {

using platform::msg::ClampScrollInfo;

class ScrollBarTracker
{
public:
    enum class Part { None, LineUp, LineDown, PageUp, PageDown, Thumb };

    struct Layout
    {
        CRect upArrow, downArrow, trough, thumb;
        bool hasThumb { false };
    };

    // What the tracker needs from the bar's owner.
    struct Owner
    {
        std::function<SCROLLINFO()> info;
        std::function<void(int trackPos)> setTrackPos;
        std::function<void(UINT code, int pos)> send; // WM_HSCROLL / WM_VSCROLL
        std::function<void()> redraw;
        HWND timerWindow { nullptr }; // gets the repeat timer (its procedure calls OnTimer)
    };

    static constexpr UINT_PTR kRepeatTimer = 0x5CB0;
    static constexpr UINT kFirstRepeatMs = 400;
    static constexpr UINT kRepeatMs = 50;

    static Layout Compute(const CRect& bar, bool vertical, const SCROLLINFO& info);
    static void Paint(CDC& dc, const CRect& bar, bool vertical, const SCROLLINFO& info, Part pressed, bool enabled);
    // The track position for the thumb's leading edge at `thumbStart` along the bar.
    static int TrackPosition(const CRect& bar, bool vertical, const SCROLLINFO& info, int thumbStart);

    void Begin(Owner owner, const CRect& bar, bool vertical, POINT point);
    void Move(POINT point);
    void End();
    void OnTimer();
    bool Tracking() const { return m_part != Part::None; }
    Part Pressed() const { return m_pressedShown ? m_part : Part::None; }

private:
    Part HitTest(POINT point) const;
    void Step();

    Owner m_owner;
    CRect m_bar;
    bool m_vertical { true };
    Part m_part { Part::None };
    bool m_pressedShown { false };
    POINT m_point {};
    int m_grabOffset { 0 };
    int m_trackPos { 0 };
    bool m_repeating { false };
};

} // namespace platform::ui
