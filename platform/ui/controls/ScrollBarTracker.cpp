// Scroll-bar geometry, drawing and tracking.
#include "platform/ui/controls/ScrollBarTracker.h"

#include "platform/gdi/SysColors.h"

#include <algorithm>

namespace platform::ui {

namespace {

constexpr int kMinThumb = 8;

int Along(const CRect& r, bool vertical) { return vertical ? r.Height() : r.Width(); }
int Start(const CRect& r, bool vertical) { return vertical ? r.top : r.left; }
int Coordinate(POINT p, bool vertical) { return vertical ? p.y : p.x; }

CRect Segment(const CRect& bar, bool vertical, int from, int to)
{
    return vertical ? CRect(bar.left, from, bar.right, to) : CRect(from, bar.top, to, bar.bottom);
}

} // namespace

ScrollBarTracker::Layout ScrollBarTracker::Compute(const CRect& bar, bool vertical, const SCROLLINFO& info)
{
    Layout layout;
    int length = Along(bar, vertical);
    int arrow = std::min(GetSystemMetrics(vertical ? SM_CYVSCROLL : SM_CXHSCROLL), length / 2);
    int start = Start(bar, vertical), end = start + length;
    layout.upArrow = Segment(bar, vertical, start, start + arrow);
    layout.downArrow = Segment(bar, vertical, end - arrow, end);
    layout.trough = Segment(bar, vertical, start + arrow, end - arrow);
    int trough = length - 2 * arrow;
    long long range = static_cast<long long>(info.nMax) - info.nMin + 1;
    if (range <= 1 || (info.nPage && static_cast<long long>(info.nPage) >= range))
        return layout;
    int thumb = info.nPage ? static_cast<int>(trough * static_cast<long long>(info.nPage) / range)
                           : GetSystemMetrics(vertical ? SM_CYVTHUMB : SM_CXHTHUMB);
    thumb = std::max(thumb, kMinThumb);
    if (thumb >= trough)
        return layout;
    long long span = range - std::max<long long>(info.nPage, 1);
    int offset = span > 0 ? static_cast<int>((trough - thumb) * (static_cast<long long>(info.nPos) - info.nMin) / span) : 0;
    offset = std::clamp(offset, 0, trough - thumb);
    int thumbStart = start + arrow + offset;
    layout.thumb = Segment(bar, vertical, thumbStart, thumbStart + thumb);
    layout.hasThumb = true;
    return layout;
}

int ScrollBarTracker::TrackPosition(const CRect& bar, bool vertical, const SCROLLINFO& info, int thumbStart)
{
    Layout layout = Compute(bar, vertical, info);
    if (!layout.hasThumb)
        return info.nPos;
    int free = Along(layout.trough, vertical) - Along(layout.thumb, vertical);
    long long range = static_cast<long long>(info.nMax) - info.nMin + 1;
    long long span = range - std::max<long long>(info.nPage, 1);
    int offset = std::clamp(thumbStart - Start(layout.trough, vertical), 0, free);
    // Rounded to the nearest position so that a drag to the end reaches the last position.
    return info.nMin + static_cast<int>(free ? (offset * span + free / 2) / free : 0);
}

void ScrollBarTracker::Paint(CDC& dc, const CRect& bar, bool vertical, const SCROLLINFO& info, Part pressed, bool enabled)
{
    Layout layout = Compute(bar, vertical, info);
    bool usable = enabled && layout.hasThumb;
    UINT inactive = usable ? 0 : DFCS_INACTIVE;
    CRect up = layout.upArrow, down = layout.downArrow;
    dc.DrawFrameControl(&up, DFC_SCROLL, (vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT) | inactive |
                                             (pressed == Part::LineUp ? DFCS_PUSHED | DFCS_FLAT : 0));
    dc.DrawFrameControl(&down, DFC_SCROLL, (vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT) | inactive |
                                               (pressed == Part::LineDown ? DFCS_PUSHED | DFCS_FLAT : 0));
    // The trough in the scroll-bar colour; the pressed page part darkened.
    dc.FillSolidRect(&layout.trough, GetSysColor(COLOR_SCROLLBAR));
    if (!layout.hasThumb || !usable)
        return;
    if (pressed == Part::PageUp || pressed == Part::PageDown) {
        CRect page = pressed == Part::PageUp ? Segment(bar, vertical, Start(layout.trough, vertical), Start(layout.thumb, vertical))
                                             : Segment(bar, vertical, Start(layout.thumb, vertical) + Along(layout.thumb, vertical),
                                                       Start(layout.trough, vertical) + Along(layout.trough, vertical));
        dc.FillSolidRect(&page, GetSysColor(COLOR_3DDKSHADOW));
    }
    CRect thumb = layout.thumb;
    dc.FillSolidRect(&thumb, GetSysColor(COLOR_BTNFACE));
    dc.DrawEdge(&thumb, EDGE_RAISED, BF_RECT);
}

ScrollBarTracker::Part ScrollBarTracker::HitTest(POINT point) const
{
    SCROLLINFO info = m_owner.info();
    Layout layout = Compute(m_bar, m_vertical, info);
    if (layout.upArrow.PtInRect(point))
        return Part::LineUp;
    if (layout.downArrow.PtInRect(point))
        return Part::LineDown;
    if (!layout.hasThumb || !layout.trough.PtInRect(point))
        return Part::None;
    if (layout.thumb.PtInRect(point))
        return Part::Thumb;
    return Coordinate(point, m_vertical) < Start(layout.thumb, m_vertical) ? Part::PageUp : Part::PageDown;
}

void ScrollBarTracker::Begin(Owner owner, const CRect& bar, bool vertical, POINT point)
{
    m_owner = std::move(owner);
    m_bar = bar;
    m_vertical = vertical;
    m_point = point;
    m_part = HitTest(point);
    if (m_part == Part::None)
        return;
    SCROLLINFO info = m_owner.info();
    if (!Compute(m_bar, m_vertical, info).hasThumb) {
        m_part = Part::None; // a bar without room to scroll takes no input
        return;
    }
    m_pressedShown = true;
    if (m_part == Part::Thumb) {
        Layout layout = Compute(m_bar, m_vertical, info);
        m_grabOffset = Coordinate(point, m_vertical) - Start(layout.thumb, m_vertical);
        m_trackPos = info.nPos;
        m_owner.setTrackPos(m_trackPos);
        m_owner.redraw();
        return;
    }
    m_owner.redraw();
    Step();
    m_repeating = false;
    if (m_owner.timerWindow)
        ::SetTimer(m_owner.timerWindow, kRepeatTimer, kFirstRepeatMs, nullptr);
}

void ScrollBarTracker::Step()
{
    switch (m_part) {
    case Part::LineUp: m_owner.send(SB_LINEUP, 0); break;
    case Part::LineDown: m_owner.send(SB_LINEDOWN, 0); break;
    case Part::PageUp: m_owner.send(SB_PAGEUP, 0); break;
    case Part::PageDown: m_owner.send(SB_PAGEDOWN, 0); break;
    default: break;
    }
}

void ScrollBarTracker::Move(POINT point)
{
    if (m_part == Part::None)
        return;
    m_point = point;
    if (m_part == Part::Thumb) {
        SCROLLINFO info = m_owner.info();
        int pos = TrackPosition(m_bar, m_vertical, info, Coordinate(point, m_vertical) - m_grabOffset);
        if (pos == m_trackPos)
            return;
        m_trackPos = pos;
        m_owner.setTrackPos(pos);
        m_owner.send(SB_THUMBTRACK, pos);
        m_owner.redraw();
        return;
    }
    bool inside = HitTest(point) == m_part;
    if (inside != m_pressedShown) {
        m_pressedShown = inside;
        m_owner.redraw();
    }
}

void ScrollBarTracker::OnTimer()
{
    if (m_part == Part::None || m_part == Part::Thumb)
        return;
    if (!m_repeating) {
        m_repeating = true;
        ::SetTimer(m_owner.timerWindow, kRepeatTimer, kRepeatMs, nullptr);
    }
    // Repeats only while the mouse stays on the part; a page stops when the thumb reaches it.
    if (HitTest(m_point) == m_part)
        Step();
}

void ScrollBarTracker::End()
{
    if (m_part == Part::None)
        return;
    Part part = m_part;
    m_part = Part::None;
    m_pressedShown = false;
    if (m_owner.timerWindow)
        ::KillTimer(m_owner.timerWindow, kRepeatTimer);
    if (part == Part::Thumb)
        m_owner.send(SB_THUMBPOSITION, m_trackPos);
    m_owner.send(SB_ENDSCROLL, 0);
    m_owner.redraw();
}

} // namespace platform::ui
