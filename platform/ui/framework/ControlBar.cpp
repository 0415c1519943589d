// CControlBar: borders, gripper, layout size and the idle command-UI refresh.
#include "platform/ui/framework/ControlBar.h"

#include "platform/gdi/CDC.h"
#include "platform/gdi/SysColors.h"
#include "platform/ui/framework/FrameWnd.h"

const platform::MessageMap* CControlBar::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_IDLEUPDATECMDUI, &CControlBar::OnIdleUpdateCmdUIMessage>(),
        Message<WM_ERASEBKGND, &CControlBar::OnEraseBkgnd>(),
    };
    static constexpr platform::MessageMap kMap { &CWnd::GetThisMessageMap, kEntries };
    return &kMap;
}

void CControlBar::SetBarStyle(DWORD dwStyle)
{
    if (m_dwStyle == dwStyle)
        return;
    m_dwStyle = dwStyle;
    if (m_hWnd)
        Invalidate();
}

void CControlBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom)
{
    m_cxLeftBorder = cxLeft;
    m_cyTopBorder = cyTop;
    m_cxRightBorder = cxRight;
    m_cyBottomBorder = cyBottom;
}

CSize CControlBar::CalcFixedLayout(BOOL, BOOL)
{
    CRect edges;
    CalcInsideRect(edges, TRUE);
    return CSize(0, m_cyDefaultHeight - edges.top + edges.bottom);
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    DWORD style = m_dwStyle;
    if (style & CBRS_BORDER_LEFT)
        rect.left += 2;
    if (style & CBRS_BORDER_TOP)
        rect.top += 2;
    if (style & CBRS_BORDER_RIGHT)
        rect.right -= 2;
    if (style & CBRS_BORDER_BOTTOM)
        rect.bottom -= 2;
    if (bHorz) {
        rect.left += m_cxLeftBorder + ((style & CBRS_GRIPPER) ? kGripperWidth : 0);
        rect.right -= m_cxRightBorder;
        rect.top += m_cyTopBorder;
        rect.bottom -= m_cyBottomBorder;
    } else {
        rect.left += m_cyTopBorder;
        rect.right -= m_cyBottomBorder;
        rect.top += m_cxLeftBorder + ((style & CBRS_GRIPPER) ? kGripperWidth : 0);
        rect.bottom -= m_cxRightBorder;
    }
}

void CControlBar::DrawBorders(CDC* pDC, CRect& rect)
{
    if (!pDC)
        return;
    UINT sides = 0;
    if (m_dwStyle & CBRS_BORDER_LEFT)
        sides |= BF_LEFT;
    if (m_dwStyle & CBRS_BORDER_TOP)
        sides |= BF_TOP;
    if (m_dwStyle & CBRS_BORDER_RIGHT)
        sides |= BF_RIGHT;
    if (m_dwStyle & CBRS_BORDER_BOTTOM)
        sides |= BF_BOTTOM;
    if (sides)
        pDC->DrawEdge(&rect, EDGE_ETCHED, sides | BF_ADJUST);
}

void CControlBar::DrawGripper(CDC* pDC, const CRect& rect)
{
    if (!pDC || !(m_dwStyle & CBRS_GRIPPER))
        return;
    CRect grip(rect.left + 2, rect.top + 2, rect.left + 5, rect.bottom - 2);
    pDC->Draw3dRect(&grip, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
}

CFrameWnd* CControlBar::TargetFrame() const
{
    if (CWnd* owner = GetOwner())
        if (CFrameWnd* frame = AfxGetParentFrame(owner))
            return frame;
    return AfxGetParentFrame(this);
}

LRESULT CControlBar::OnIdleUpdateCmdUIMessage(WPARAM wParam, LPARAM)
{
    if (!IsWindowVisible())
        return 0;
    if (CFrameWnd* target = TargetFrame())
        OnUpdateCmdUI(target, static_cast<BOOL>(wParam));
    return 0;
}

BOOL CControlBar::OnEraseBkgnd(CDC* pDC)
{
    CRect r;
    GetClientRect(&r);
    if (pDC)
        pDC->FillSolidRect(&r, GetSysColor(COLOR_BTNFACE));
    return TRUE;
}
