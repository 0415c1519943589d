// CControlBar: the common part of the bars along a frame's edges (toolbar, rebar, status bar):
// the CBRS_ alignment and border style bits, the borders around the bar's content, the
// gripper, the height the frame's layout gives it, and the command-UI refresh at idle
// (WM_IDLEUPDATECMDUI from the frame).
#pragma once

#include "platform/msg/Wnd.h"
#include "platform/ui/framework/FrameworkIds.h"

class CFrameWnd;

class CControlBar : public CWnd
{
public:
    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD dwStyle);
    void SetBorders(int cxLeft = 0, int cyTop = 0, int cxRight = 0, int cyBottom = 0);
    void SetBorders(LPCRECT lpRect) { SetBorders(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    CRect GetBorders() const { return CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder); }

    // The size the bar wants along an edge of `length` pixels.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    // Refreshes the bar's items against `pTarget` (the frame).
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler) = 0;

    // Draws the CBRS_BORDER_ edges of `rect` (window coordinates) and shrinks it by them.
    void DrawBorders(CDC* pDC, CRect& rect);
    // Draws the gripper at the bar's left end when the style asks for one.
    void DrawGripper(CDC* pDC, const CRect& rect);
    // The client area: the window less the borders and the gripper.
    void CalcInsideRect(CRect& rect, BOOL bHorz) const;

    LRESULT OnIdleUpdateCmdUIMessage(WPARAM wParam, LPARAM lParam);
    BOOL OnEraseBkgnd(CDC* pDC);

    BOOL m_bAutoDelete { FALSE };

protected:
    // The frame this bar serves: its owner's frame (a bar inside a rebar is owned by the frame).
    CFrameWnd* TargetFrame() const;

    DWORD m_dwStyle { 0 };
    int m_cxLeftBorder { 6 };
    int m_cxRightBorder { 0 };
    int m_cyTopBorder { 2 };
    int m_cyBottomBorder { 2 };
    int m_cyDefaultHeight { 0 };
};

constexpr int kGripperWidth = 8;
