// The grid's drop target: hands what a drag does over the grid's own window to the grid, and
// scrolls the grid while a drag rests near the edges of its cells.
#pragma once

#include "platform/ui/controls/DragDrop.h"

class KTGrid;

class KTGridDropTarget : public COleDropTarget
{
public:
    // Registers for the grid's window once; false without a window or when registering fails.
    BOOL Register(KTGrid* grid);
    void Revoke();
    BOOL IsRegistered() const { return m_bRegistered; }

    DROPEFFECT OnDragEnter(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point) override;
    DROPEFFECT OnDragScroll(CWnd* wnd, DWORD keyState, CPoint point) override;
    void OnDragLeave(CWnd* wnd) override;
    BOOL OnDrop(CWnd* wnd, COleDataObject* data, DROPEFFECT effect, CPoint point) override;

private:
    bool ServesWindow(CWnd* wnd) const;

    KTGrid* m_pGridCtrl { nullptr };
    BOOL m_bRegistered { FALSE };
};
