// The split dialog: its layout area, splitter dragging and frame limits.
#include "ktctrl/composite/KTSplitDialog.h"

#include "platform/gdi/CDC.h"
#include "platform/msg/WindowApi.h"

namespace {
// The frame edge a WM_SIZING drag holds.
constexpr UINT WMSZ_LEFT = 1;
constexpr UINT WMSZ_TOP = 3;
constexpr UINT WMSZ_TOPLEFT = 4;
constexpr UINT WMSZ_TOPRIGHT = 5;
constexpr UINT WMSZ_BOTTOMLEFT = 7;
} // namespace

KTSplitPane* KTSplitDialog::CreatePane(int orientation, KTSplitPane* parent, int side, BOOL splitter)
{
    auto* pane = new KTSplitPane;
    pane->SetOrientation(orientation);
    pane->EnableSplitter(splitter);
    if (parent) {
        parent->SetSidePane(side, pane);
        return pane;
    }
    m_pRoot = pane;
    m_nLeft = m_nTop = m_nRight = m_nBottom = 0;
    if (GetSafeHwnd()) {
        CRect client;
        GetClientRect(&client);
        pane->MovePane(client.left, client.top, client.Width(), client.Height());
    }
    return pane;
}

BOOL KTSplitDialog::SetPaneWnd(KTSplitPane* pane, CWnd* wnd, int side, int minWidth, int minHeight, int width,
                               int height)
{
    if (!pane)
        return FALSE;
    if (width != 0 && height != 0 && wnd && wnd->GetSafeHwnd())
        wnd->MoveWindow(0, 0, width, height);
    pane->SetSideWnd(side, wnd, minWidth, minHeight);
    return TRUE;
}

BOOL KTSplitDialog::ShowPane(KTSplitPane* pane, BOOL show, int side)
{
    if (!pane)
        return FALSE;
    if (side == KTSplitPane::SIDE_LEFT)
        pane->ShowLeft(show);
    else
        pane->ShowRight(show);
    if (m_pRoot)
        m_pRoot->MovePane(-1, -1);
    return TRUE;
}

void KTSplitDialog::Initialize()
{
    if (m_pRoot)
        m_pRoot->MovePane(-1, -1);
}

void KTSplitDialog::LayOut()
{
    if (!m_pRoot || !GetSafeHwnd())
        return;
    CRect client;
    GetClientRect(&client);
    const CRect area = m_pRoot->GetPaneRect();
    m_pRoot->MovePane(area.left, area.top, client.Width() - m_nLeft - m_nRight, client.Height() - m_nTop - m_nBottom);
}

void KTSplitDialog::SetMainRect(const CRect& rect)
{
    CRect client;
    if (GetSafeHwnd())
        GetClientRect(&client);
    m_nLeft = rect.left;
    m_nTop = rect.top;
    m_nRight = client.right - rect.right;
    m_nBottom = client.bottom - rect.bottom;
    if (m_pRoot)
        m_pRoot->MovePane(rect.left, rect.top, rect.Width(), rect.Height());
}

void KTSplitDialog::SetTopOffset(int value)
{
    if (!m_pRoot)
        return;
    CRect area = m_pRoot->GetPaneRect();
    m_nTop = value;
    m_pRoot->MovePane(area.left, value, area.Width(), area.bottom - value);
}

void KTSplitDialog::SetLeftOffset(int value)
{
    if (!m_pRoot)
        return;
    CRect area = m_pRoot->GetPaneRect();
    m_nLeft = value;
    m_pRoot->MovePane(value, area.top, area.right - value, area.Height());
}

void KTSplitDialog::SetRightOffset(int value)
{
    m_nRight = value;
    LayOut();
}

void KTSplitDialog::SetBottomOffset(int value)
{
    m_nBottom = value;
    LayOut();
}

// ---- messages ----------------------------------------------------------------------------------

void KTSplitDialog::OnSize(UINT type, int, int)
{
    Default();
    if (type != SIZE_MINIMIZED)
        LayOut();
}

void KTSplitDialog::OnSizing(UINT edge, LPRECT rect)
{
    Default();
    if (!m_pRoot)
        return;
    const int minHeight = m_pRoot->GetMinHeight() + m_nTop + m_nBottom;
    const int minWidth = m_pRoot->GetMinWidth() + m_nLeft + m_nRight;
    if (rect->bottom - rect->top < minHeight) {
        if (edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT)
            rect->top = rect->bottom - minHeight;
        else
            rect->bottom = rect->top + minHeight;
    }
    if (rect->right - rect->left < minWidth) {
        if (edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT)
            rect->left = rect->right - minWidth;
        else
            rect->right = rect->left + minWidth;
    }
}

void KTSplitDialog::OnMouseMove(UINT, CPoint point)
{
    if (m_bDragging) {
        DrawDraggingBar(point, DRAG_MOVING);
        return;
    }
    Default();
}

void KTSplitDialog::OnLButtonDown(UINT, CPoint point)
{
    KTSplitPane* pane = m_pRoot ? m_pRoot->IsPointInSplitter(point) : nullptr;
    if (!pane) {
        Default();
        return;
    }
    SetCapture();
    m_bDragging = TRUE;
    m_pDragPane = pane;
    DrawDraggingBar(point, DRAG_FIRST);
}

void KTSplitDialog::OnLButtonUp(UINT, CPoint point)
{
    if (!m_bDragging) {
        Default();
        return;
    }
    DrawDraggingBar(point, DRAG_FINAL);
    m_bDragging = FALSE;
    KTSplitPane* pane = m_pDragPane;
    m_pDragPane = nullptr;
    pane->MoveSplitter(point);
    ReleaseCapture();
    RedrawWindow(&m_rcLastBar, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
}

void KTSplitDialog::DrawDraggingBar(CPoint point, int mode)
{
    if (!m_pDragPane)
        return;
    CRect bar = m_pDragPane->GetSplitterRect();
    if (m_pDragPane->GetOrientation() == KTSplitPane::SIDE_BY_SIDE)
        bar.OffsetRect(point.x - bar.left, 0);
    else
        bar.OffsetRect(0, point.y - bar.top);
    CDC* dc = GetDC();
    if (mode != DRAG_FIRST && !m_rcLastBar.IsRectEmpty())
        dc->InvertRect(&m_rcLastBar); // inverting again erases the previous bar
    dc->InvertRect(&bar);
    ReleaseDC(dc);
    m_rcBar = bar;
    m_rcLastBar = bar;
}

const platform::MessageMap* KTSplitDialog::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_SIZE, &KTSplitDialog::OnSize>(),
        Message<WM_SIZING, &KTSplitDialog::OnSizing>(),
        Message<WM_MOUSEMOVE, &KTSplitDialog::OnMouseMove>(),
        Message<WM_LBUTTONDOWN, &KTSplitDialog::OnLButtonDown>(),
        Message<WM_LBUTTONUP, &KTSplitDialog::OnLButtonUp>(),
    };
    static constexpr platform::MessageMap kMap { &CDialog::GetThisMessageMap, kEntries };
    return &kMap;
}
