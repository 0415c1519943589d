// NyraControl: the trend area. Two grids of trend paper (fetal heart rate above, uterine activity
// below) drawn from the bed's trend store, live at the newest end. The scroll bar under the
// grids, the mouse wheel and dragging the paper move back in time into review mode, which ends
// by itself at the 202nd tick of the 40-ms timer after the last scroll action (about 8 s). While
// a window reviews, its bed's trend store keeps its old entries. The timer runs only during a
// review: in live mode the scroll bar follows each parameter packet (PushParam).
//
// The scroll bar runs from 0 to the store's count with a page of V, the entries that fit across
// the grid. The first entry drawn in review is the bar's position as it reads back after it was
// set, held to the last whole page (count - V): the classic bar clamps its position to
// max - page + 1, one past that.
#include "nyraclient/bedwindow/NyraControl.h"

#include "nyraclient/client/CClientTrendSource.h"
#include "nyraclient/client/DeferredDelete.h"
#include "nyraclient/client/NyraClientInfo.h"

#include "nrdata/trend/TrendGraphRenderer.h"
#include "platform/core/Check.h"

#include <algorithm>

namespace {

// Margins of the trend paper inside the trend area: fixed at the sides, shares of the height
// above and below.
constexpr int kTrendMarginX = 10;
constexpr double kTrendMarginTop = 0.056;
constexpr double kTrendMarginBottom = 0.046;
constexpr double kFHRShare = 0.72;
constexpr double kUCShare = 0.25;
// Seconds of trend per grid column by "Trend Speed" (1 to 3).
constexpr double kSecondsPerColumn[] = { 0, 30, 15, 10 };
// A review ends at the tick after this many idle ticks.
constexpr UINT kReviewIdleTicks = 201;
// Wheel: entries per notch.
constexpr int kWheelStep = 5;
// A drag ends when the pointer comes this close to the window's edge.
constexpr int kDragMargin = 10;

// The drag of the trend paper; one for the whole library, since one mouse drags at a time.
// Only the user-interface thread touches it.
struct TrendDrag
{
    HWND owner { nullptr };
    CPoint start { 0, 0 };
    int startPosition { 0 };
};
TrendDrag s_drag;

} // namespace

// ==== drawing ====================================================================================

void NyraControl::DrawTrend(CDC* dc)
{
    const int saved = dc->SaveDC();
    dc->SetBkMode(TRANSPARENT);
    const CRect area = GetTrendRectAll();
    // No grids of an earlier layout stay behind for the drag and the painter to use.
    m_rcFHRTrend.SetRectEmpty();
    m_rcUCTrend.SetRectEmpty();
    m_nTrendColumns = 0;
    if (area.IsRectEmpty() || m_pClient == nullptr) {
        dc->RestoreDC(saved);
        return;
    }
    const NyraConfig config = m_pClient->GetConfig();
    dc->FillSolidRect(&area, COLORREF(config.GraphBackground));
    const int height = area.Height();
    CRect margin(kTrendMarginX, static_cast<int>(height * kTrendMarginTop), kTrendMarginX,
                 static_cast<int>(height * kTrendMarginBottom));
    // The paper keeps room around its grids for its captions, time labels and trend speed.
    UINT columns = 0;
    CRect fhr, uc;
    nrdata::trend::LayoutTrendPaper(dc, area, fhr, uc, kFHRShare, kUCShare, margin, columns, config.TrendSpeed,
                                    nrdata::trend::kCentralTrendStyle);
    const nyraclient::trend::CClientTrendSource source(*m_pClient);
    UINT index = 0;
    CDisplayInfo::DrawTrendGraph(dc, fhr, uc, columns, &source, index, -1, config.TrendSpeed, DRAW_SCREEN, 0,
                                 TREND_DRAW_GRID);
    m_rcFHRTrend = fhr;
    m_rcUCTrend = uc;
    m_nTrendColumns = columns;
    if (config.TrendSpeed >= 1 && config.TrendSpeed <= 3)
        m_nVisibleTrend.store(static_cast<UINT>(columns * kSecondsPerColumn[config.TrendSpeed]));
    dc->RestoreDC(saved);
}

void NyraControl::DrawTrendCurves(CDC* dc, UINT first)
{
    if (m_pClient == nullptr || m_nTrendColumns == 0)
        return;
    const nyraclient::trend::CClientTrendSource source(*m_pClient);
    CDisplayInfo::DrawTrendGraph(dc, m_rcFHRTrend, m_rcUCTrend, m_nTrendColumns, &source, first, -1,
                                 m_pClient->GetConfig().TrendSpeed, DRAW_SCREEN, 0, TREND_DRAW_CURVES);
}

// ==== live and review ============================================================================

UINT NyraControl::GetDrawFirstIndexOfTrend() const
{
    if (m_bReview.load())
        return m_nReviewFirst.load();
    const UINT count = m_pClient != nullptr ? m_pClient->GetCountsOfTrendData() : 0;
    const UINT visible = m_nVisibleTrend.load();
    return count > visible ? count - visible : 0;
}

void NyraControl::SetScrollbarRange(UINT maximum, UINT position)
{
    if (GetTrendRectAll().IsRectEmpty() || position > maximum || m_ScrollBar.GetSafeHwnd() == nullptr)
        return;
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = static_cast<int>(maximum);
    info.nPage = m_nVisibleTrend.load();
    info.nPos = static_cast<int>(position);
    m_ScrollBar.SetScrollInfo(&info, TRUE);
}

void NyraControl::CalcTrendScrollRange()
{
    const CRect area = GetTrendRectAll();
    if (area.Width() < 1 || area.Height() < 1 || m_pClient == nullptr)
        return;
    const UINT count = m_pClient->GetCountsOfTrendData();
    const bool hasBar = m_ScrollBar.GetSafeHwnd() != nullptr;
    const bool wasReview = m_bReview.load() != 0;
    UINT target = 0;
    if (count > m_nVisibleTrend.load()) {
        if (hasBar && !m_ScrollBar.IsWindowEnabled())
            m_ScrollBar.EnableWindow(TRUE);
        target = count;
    } else {
        if (hasBar && m_ScrollBar.IsWindowEnabled())
            m_ScrollBar.EnableWindow(FALSE);
        m_bReview.store(0);
    }
    if (m_bReview.load() && m_nReviewIdleTicks < kReviewIdleTicks) {
        ++m_nReviewIdleTicks;
        return;
    }
    m_bReview.store(0);
    // Live mode follows the data (PushParam); only a review counts the timer's ticks.
    if (GetSafeHwnd() != nullptr)
        KillTimer(kTrendTimer);
    SetScrollbarRange(target, target);
    m_nLivePosition = target;
    m_nLiveCount = count;
    // Back to live: the newest end is shown again.
    if (wasReview)
        RequestParameterDraw();
}

int NyraControl::MoveScrollBar(int position)
{
    SCROLLINFO info;
    info.fMask = SIF_POS;
    info.nPos = position;
    m_ScrollBar.SetScrollInfo(&info, TRUE);
    return m_ScrollBar.GetScrollPos();
}

void NyraControl::EnterReview()
{
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    m_ScrollBar.GetScrollInfo(&info);
    const int lastPage = std::max(info.nMax - static_cast<int>(m_nVisibleTrend.load()), 0);
    m_bReview.store(1);
    m_nReviewIdleTicks = 0;
    SetTimer(kTrendTimer, kTrendTimerMs);
    // The parameter painter draws the page once it sees the new position.
    m_nReviewFirst.store(static_cast<UINT>(std::clamp(info.nPos, 0, lastPage)));
    WakeParameterPainter();
}

// ==== scroll bar and wheel =======================================================================

void NyraControl::OnTimer(UINT_PTR id)
{
    if (id == kTrendTimer)
        CalcTrendScrollRange();
    Default();
}

void NyraControl::OnHScroll(UINT code, UINT, CWnd*)
{
    nyraclient::NotifyScope scope;
    if (m_ScrollBar.GetSafeHwnd() == nullptr || GetTrendRectAll().IsRectEmpty()) {
        Default();
        return;
    }
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    m_ScrollBar.GetScrollInfo(&info);
    const int page = static_cast<int>(info.nPage);
    int position = info.nPos;
    switch (code) {
    case SB_LINELEFT: position = std::max(info.nPos - 1, info.nMin); break;
    case SB_LINERIGHT: position = std::min(info.nPos + 1, info.nMax); break;
    case SB_PAGELEFT: position = std::max(info.nPos - page, info.nMin); break;
    case SB_PAGERIGHT: position = std::min(info.nPos + page, info.nMax); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        const int track = info.nTrackPos;
        position = track <= info.nMin + 1 ? info.nMin : track < info.nMax - 1 ? track : info.nMax;
        break;
    }
    case SB_LEFT: position = info.nMin; break;
    case SB_RIGHT: position = info.nMax; break;
    case SB_ENDSCROLL: SetFocus(); break;
    default: break;
    }
    if (position != info.nPos) {
        MoveScrollBar(position);
        EnterReview();
    }
    Default();
}

BOOL NyraControl::OnMouseWheel(UINT, short delta, CPoint)
{
    nyraclient::NotifyScope scope;
    // A window without a trend area has nothing to review: a review there would never end and
    // would keep the bed's whole trend store.
    if (m_ScrollBar.GetSafeHwnd() != nullptr && !GetTrendRectAll().IsRectEmpty()) {
        SCROLLINFO info;
        info.fMask = SIF_ALL;
        m_ScrollBar.GetScrollInfo(&info);
        // Rolling away from the user goes back in time.
        int position = delta > 0 ? info.nPos - (delta / WHEEL_DELTA) * kWheelStep
                                 : info.nPos + (-delta / WHEEL_DELTA) * kWheelStep;
        if (position < info.nMin)
            position = 0;
        if (position > info.nMax)
            position = info.nMax;
        MoveScrollBar(position);
        EnterReview();
    }
    return static_cast<BOOL>(Default());
}

// ==== dragging the paper =========================================================================

void NyraControl::BeginTrendDrag(CPoint point)
{
    WARD_CHECK_UI_THREAD();
    s_drag.owner = GetSafeHwnd();
    s_drag.start = point;
    s_drag.startPosition = m_ScrollBar.GetSafeHwnd() != nullptr ? m_ScrollBar.GetScrollPos() : 0;
}

void NyraControl::EndTrendDrag()
{
    WARD_CHECK_UI_THREAD();
    s_drag.owner = nullptr;
}

void NyraControl::DragTrend(UINT flags, CPoint point)
{
    if (s_drag.owner == nullptr || s_drag.owner != GetSafeHwnd())
        return;
    CRect inner;
    GetClientRect(&inner);
    inner.DeflateRect(kDragMargin, kDragMargin);
    // Leaving the window, or a button that went up elsewhere, ends the drag.
    if (!inner.PtInRect(point) || !(flags & MK_LBUTTON)) {
        EndTrendDrag();
        return;
    }
    const int gridWidth = m_rcFHRTrend.Width();
    const UINT visible = m_nVisibleTrend.load();
    if (gridWidth <= 0 || visible == 0 || m_ScrollBar.GetSafeHwnd() == nullptr)
        return; // paper too small for a cell: nothing to pull
    // Pulling the paper to the right goes back in time.
    const double entriesPerPixel = double(visible) / gridWidth;
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    m_ScrollBar.GetScrollInfo(&info);
    const int lastPage = std::max(info.nMax - static_cast<int>(visible), 0);
    const int position = static_cast<int>(s_drag.startPosition + (s_drag.start.x - point.x) * entriesPerPixel);
    MoveScrollBar(std::clamp(position, info.nMin, std::max(lastPage, info.nMin)));
    EnterReview();
}

void NyraControl::OnMouseMove(UINT flags, CPoint point)
{
    nyraclient::NotifyScope scope;
    DragTrend(flags, point);
    Default();
}
