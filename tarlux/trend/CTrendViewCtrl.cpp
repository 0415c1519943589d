// The trend page control: layout, off-screen picture, scrolling, wheel and drag.
#include "tarlux/trend/CTrendViewCtrl.h"

#include "tarlux/app/ReviewGlobals.h"
#include "tarlux/common/ReviewControlClass.h"
#include "tarlux/common/ReviewScroll.h"
#include "tarlux/context/CReviewContext.h"
#include "tarlux/trend/ReviewTrendGraph.h"

#include "nrdata/config/NyraConfig.h"
#include "nrdata/table/TBLPatientStudy.h"
#include "nrdata/trend/TrendGraphRenderer.h"
#include "nrdata/trend/TrendRect.h"

#include "platform/core/ResourceModule.h"
#include "platform/gdi/CBrush.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/WindowDCs.h"
#include "platform/msg/WindowClass.h"

#include <algorithm>
#include <cstdint>

using namespace platform::msgmap;

namespace tarlux {
namespace {

// The paper's shares of the page's height and its margins (parts of the page's size).
constexpr double kUpperShare = 0.65;
constexpr double kLowerShare = 0.30;
constexpr double kSideMargin = 0.03;
constexpr double kTopBottomMargin = 0.05;

int Trunc(double v) { return static_cast<int>(v); }

} // namespace

CTrendViewCtrl::CTrendViewCtrl()
{
    RegisterWindowClass(AfxGetInstanceHandle());
    RegisterWindowClass(AfxGetResourceHandle());
}

CTrendViewCtrl::~CTrendViewCtrl() { FreeBitmap(); }

const platform::MessageMap* CTrendViewCtrl::GetThisMessageMap()
{
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_PAINT, &CTrendViewCtrl::OnPaint>(),
        Message<WM_DESTROY, &CTrendViewCtrl::OnDestroy>(),
        Message<WM_HSCROLL, &CTrendViewCtrl::OnHScroll>(),
        Message<WM_MOUSEWHEEL, &CTrendViewCtrl::OnMouseWheel>(),
        Message<WM_LBUTTONDOWN, &CTrendViewCtrl::OnLButtonDown>(),
        Message<WM_MOUSEMOVE, &CTrendViewCtrl::OnMouseMove>(),
        Message<WM_LBUTTONUP, &CTrendViewCtrl::OnLButtonUp>(),
    };
    static constexpr platform::MessageMap kMap { &CWnd::GetThisMessageMap, kEntries };
    return &kMap;
}

BOOL CTrendViewCtrl::RegisterWindowClass(HINSTANCE instance)
{
    return RegisterReviewControlClass(instance, kClassName);
}

// ---- rebuilding --------------------------------------------------------------------------------------------

void CTrendViewCtrl::FreeBitmap()
{
    if (m_dcMem.GetSafeHdc()) {
        if (m_pOldBitmap)
            m_dcMem.SelectObject(m_pOldBitmap);
        m_dcMem.DeleteDC();
    }
    m_pOldBitmap = nullptr;
    m_bmpMem.DeleteObject();
}

void CTrendViewCtrl::ResetView()
{
    if (!::IsWindow(m_hWnd))
        return;
    // The bar stands for good (disabled when there is nothing to scroll), so the picture is
    // made for the client area it leaves and is never cut off by a bar that appears later.
    ShowScrollBar(SB_HORZ, TRUE);
    CRect client;
    GetClientRect(&client);
    FreeBitmap();
    // Without a picture there is no paper either: a size too small for a bitmap leaves no page
    // to move through.
    m_nTrendSpeed = ReviewConfig().ReviewTrendSpeed;
    m_nPageRecords = 0;
    m_nColumns = 0;
    m_rcClient = m_rcUpper = m_rcLower = CRect(0, 0, 0, 0);
    {
        CClientDC dc(this);
        const bool made = m_dcMem.CreateCompatibleDC(&dc);
        if (made && !m_bmpMem.CreateCompatibleBitmap(&dc, client.Width(), client.Height()))
            m_dcMem.DeleteDC();
        if (m_dcMem.GetSafeHdc())
            m_pOldBitmap = m_dcMem.SelectObject(&m_bmpMem);
    }
    if (!m_dcMem.GetSafeHdc()) {
        UpdateScrollBar();
        return;
    }

    const int width = client.Width();
    const int height = client.Height();
    m_rcMargin = CRect(Trunc(kSideMargin * width), Trunc(kTopBottomMargin * height), Trunc(kSideMargin * width),
                       Trunc(kTopBottomMargin * height));
    m_rcClient = CRect(0, 0, width, height);
    // The paper keeps room around its grids for the legend, the captions and the time labels.
    nrdata::trend::LayoutTrendPaper(&m_dcMem, m_rcClient, m_rcUpper, m_rcLower, kUpperShare, kLowerShare, m_rcMargin,
                                    m_nColumns, m_nTrendSpeed, nrdata::trend::kReviewTrendStyle, true);
    m_nPageRecords = ReviewPageRecords(m_nColumns, m_nTrendSpeed);

    UpdateScrollBar();
    DrawView();
}

void CTrendViewCtrl::UpdateScrollBar()
{
    if (!::IsWindow(m_hWnd) || !CReviewContext::HasInstance())
        return;
    const int records = std::max(CReviewContext::GetInstance()->GetReader().GetRecordCount(), 0);
    ShowScrollBar(SB_HORZ, TRUE);
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = records;
    info.nPage = static_cast<UINT>(m_nPageRecords);
    info.nPos = 0;
    SetScrollInfo(SB_HORZ, &info, TRUE);
}

void CTrendViewCtrl::DrawView()
{
    if (!::IsWindow(m_hWnd))
        return;
    // The page's records: a full page hands its last record to the renderer as the end, so
    // that record's column stays empty until the next page; a short recording ends at its count.
    const int pos = GetScrollPos(SB_HORZ);
    int last = pos + m_nPageRecords - 1;
    TBLPatientStudy row;
    if (CReviewContext::HasInstance()) {
        CReviewContext* context = CReviewContext::GetInstance();
        context->LoadStudyRow(row);
        CRecordReader& reader = context->GetReader();
        last = std::min(last, reader.GetRecordCount());
        reader.SetShownFirst(pos);
        reader.SetShownLast(last);
    }
    if (!m_dcMem.GetSafeHdc() || m_rcClient.IsRectEmpty())
        return;
    CBrush background;
    background.CreateSolidBrush(static_cast<COLORREF>(ReviewConfig().GraphBackground));
    m_dcMem.FillRect(&m_rcClient, &background);
    int start = pos;
    DrawTrendGraph(&m_dcMem, m_rcUpper, m_rcLower, m_nColumns, &start, last, m_nTrendSpeed, DRAW_SCREEN,
                   row.S_START_TIME);
    CClientDC dc(this);
    dc.BitBlt(0, 0, m_rcClient.Width(), m_rcClient.Height(), &m_dcMem, 0, 0, SRCCOPY);
}

// ---- painting and destruction ----------------------------------------------------------------------------

void CTrendViewCtrl::OnPaint()
{
    CPaintDC dc(this);
    if (m_dcMem.GetSafeHdc())
        dc.BitBlt(0, 0, m_rcClient.Width(), m_rcClient.Height(), &m_dcMem, 0, 0, SRCCOPY);
}

void CTrendViewCtrl::OnDestroy()
{
    CWnd::OnDestroy();
    FreeBitmap();
}

// ---- moving through the recording --------------------------------------------------------------------------

void CTrendViewCtrl::MoveTo(int position)
{
    SetScrollPos(SB_HORZ, position, TRUE);
    DrawView();
}

void CTrendViewCtrl::OnHScroll(UINT nSBCode, UINT, CWnd*)
{
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    GetScrollInfo(SB_HORZ, &info, SIF_ALL);
    const int position = ScrolledPosition(info, nSBCode);
    if (nSBCode == SB_ENDSCROLL)
        SetFocus();
    if (nSBCode != SB_ENDSCROLL && position != info.nPos)
        MoveTo(position);
    Default();
}

BOOL CTrendViewCtrl::OnMouseWheel(UINT, short zDelta, CPoint)
{
    int minimum = 0;
    int maximum = 0;
    GetScrollRange(SB_HORZ, &minimum, &maximum);
    const int notches = zDelta / WHEEL_DELTA;
    const int position = std::clamp(GetScrollPos(SB_HORZ) - notches * kWheelRecords, minimum, std::max(minimum, maximum));
    MoveTo(position);
    Default();
    return TRUE;
}

void CTrendViewCtrl::OnLButtonDown(UINT, CPoint point)
{
    SetFocus();
    m_bDragging = true;
    m_ptDragStart = point;
    m_nDragStartPos = GetScrollPos(SB_HORZ);
    Default();
}

void CTrendViewCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    CRect client;
    GetClientRect(&client);
    const bool nearEdge = point.x < client.left + kDragEdge || point.x > client.right - kDragEdge ||
                          point.y < client.top + kDragEdge || point.y > client.bottom - kDragEdge;
    // The mouse is not captured, so a button released outside the control is never heard: a
    // move without the button down ends the drag as a release would have.
    if (nearEdge || (nFlags & MK_LBUTTON) == 0)
        m_bDragging = false;
    if (m_bDragging && m_rcUpper.Width() > 0) {
        const double moved = static_cast<double>(m_ptDragStart.x - point.x) * m_nPageRecords / m_rcUpper.Width();
        MoveTo(Trunc(m_nDragStartPos + moved));
    }
    Default();
}

void CTrendViewCtrl::OnLButtonUp(UINT, CPoint)
{
    m_bDragging = false;
    Default();
}

} // namespace tarlux
