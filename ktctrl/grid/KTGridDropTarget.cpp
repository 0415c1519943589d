// The grid's drop target.
#include "ktctrl/grid/KTGridDropTarget.h"

#include "ktctrl/grid/KTGrid.h"

BOOL KTGridDropTarget::Register(KTGrid* grid)
{
    if (m_bRegistered || !grid || !grid->GetSafeHwnd())
        return FALSE;
    m_pGridCtrl = grid;
    m_bRegistered = COleDropTarget::Register(grid);
    return m_bRegistered;
}

void KTGridDropTarget::Revoke()
{
    m_bRegistered = FALSE;
    m_pGridCtrl = nullptr;
    COleDropTarget::Revoke();
}

bool KTGridDropTarget::ServesWindow(CWnd* wnd) const
{
    return m_pGridCtrl && wnd && wnd->GetSafeHwnd() == m_pGridCtrl->GetSafeHwnd();
}

DROPEFFECT KTGridDropTarget::OnDragEnter(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point)
{
    return ServesWindow(wnd) ? m_pGridCtrl->OnDragEnter(data, keyState, point) : DROPEFFECT_NONE;
}

DROPEFFECT KTGridDropTarget::OnDragOver(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point)
{
    return ServesWindow(wnd) ? m_pGridCtrl->OnDragOver(data, keyState, point) : DROPEFFECT_NONE;
}

// Never answers with a scroll: the grid scrolls and then still hears where the drag is, so the
// drop highlight follows the cells that move under the pointer.
DROPEFFECT KTGridDropTarget::OnDragScroll(CWnd* wnd, DWORD keyState, CPoint point)
{
    if (ServesWindow(wnd))
        m_pGridCtrl->DragScroll(point);
    return (keyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

void KTGridDropTarget::OnDragLeave(CWnd* wnd)
{
    if (ServesWindow(wnd))
        m_pGridCtrl->OnDragLeave();
}

BOOL KTGridDropTarget::OnDrop(CWnd* wnd, COleDataObject* data, DROPEFFECT effect, CPoint point)
{
    return ServesWindow(wnd) ? m_pGridCtrl->OnDrop(data, effect, point) : FALSE;
}
