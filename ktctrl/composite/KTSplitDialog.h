// KTSplitDialog: a dialog whose layout area (the client area less four offsets) is laid out by
// a tree of KTSplitPane nodes; the user drags a splitter to move it, with an inverted bar
// following the mouse. The dialog does not own the root pane.
#pragma once

#include "ktctrl/composite/KTSplitPane.h"
#include "platform/ui/dialogs/Dialog.h"

class KTSplitDialog : public CDialog
{
public:
    enum DRAGFLAG { DRAG_FIRST = 0, DRAG_FINAL = 1, DRAG_MOVING = 2 };

    KTSplitDialog() = default;
    explicit KTSplitDialog(UINT nIDTemplate, CWnd* pParent = nullptr) : CDialog(nIDTemplate, pParent) {}

    KTSplitPane* CreatePane(int orientation, KTSplitPane* parent = nullptr, int side = KTSplitPane::SIDE_LEFT,
                            BOOL splitter = TRUE);
    BOOL SetPaneWnd(KTSplitPane* pane, CWnd* wnd, int side, int minWidth = 0, int minHeight = 0, int width = 0,
                    int height = 0);
    BOOL ShowPane(KTSplitPane* pane, BOOL show, int side);
    void Initialize();
    void SetMainRect(const CRect& rect);
    void SetMainRect(int x, int y, int width, int height) { SetMainRect(CRect(x, y, x + width, y + height)); }
    void SetTopOffset(int value);
    void SetLeftOffset(int value);
    void SetRightOffset(int value);
    void SetBottomOffset(int value);
    KTSplitPane* GetRootPane() const { return m_pRoot; }
    BOOL IsDragging() const { return m_bDragging; }

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

protected:
    void DrawDraggingBar(CPoint point, int mode);
    void LayOut();

    void OnSize(UINT type, int cx, int cy);
    void OnSizing(UINT edge, LPRECT rect);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);

    KTSplitPane* m_pRoot { nullptr };
    BOOL m_bDragging { FALSE };
    KTSplitPane* m_pDragPane { nullptr };
    int m_nLeft { 0 };
    int m_nTop { 0 };
    int m_nRight { 0 };
    int m_nBottom { 0 };
    CRect m_rcLastBar { 0, 0, 0, 0 };
    CRect m_rcBar { 0, 0, 0, 0 };
};
