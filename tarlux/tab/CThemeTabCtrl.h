// CThemeTabCtrl: the tab control of the study information, painted in the desktop's visual style
// where one is active (on the desktop, the GTK theme through the platform's visual-style
// service), in every orientation: the style draws tabs only upright with their header on top, so
// each tab and the page frame are drawn upright off screen and then mirrored (tabs at the bottom
// or right) and turned (tabs at the left or right). Without an active style, or with the themed
// drawing switched off, the control paints as a plain tab control.
//
// The owner calls OnSelChanging and OnSelChange from its own handlers of the two notifications;
// the control remembers the tab that lost the selection and repaints it.
#pragma once

#include "platform/ui/controls/TabCtrl.h"

class CDC;

namespace tarlux {

// Whether a visual style draws tabs here (on the calling thread).
int ThemeIsActive();
// Draws a part of the theme class into the rectangle: 1 when drawn, 0 without an active style
// (nothing is drawn then).
int ThemeDrawBackground(CDC* pDC, int part, int state, const char* className, const CRect& rect);

class CThemeTabCtrl : public CTabCtrl
{
public:
    // Tabs at the top, bottom, left or right, from the window style.
    enum Orientation { kTop = 0, kBottom = 1, kLeft = 2, kRight = 3 };
    // What one drawn part is, as bits.
    enum DrawFlags { kPane = 1, kSelected = 2, kHot = 4, kMirrored = 8, kVertical = 16 };

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    void EnableTheme(int bEnable) { m_bTheme = bEnable; }
    // 1 when themed drawing is switched on, the window exists and a visual style is active;
    // refreshes the orientation from the window style.
    int IsThemed();
    int GetOrientation() const { return m_nOrientation; }
    int GetPreviousSelection() const { return m_nPrevSel; }

    // Selection changing: remembers the current selection; the change is allowed (0).
    LRESULT OnSelChanging();
    // Selection changed: a themed control repaints the tab that lost the selection; answers 1.
    LRESULT OnSelChange();

    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnMouseLeave();

private:
    void UpdateOrientation();
    int HotItem() const;
    // Draws the pane (item -1) or a tab into `rect` of `pDC` with the flags of DrawFlags.
    void DrawThemesPart(CDC& dc, int item, const CRect& rect, int flags);
    // A tab's image and text on its upright picture of `rect`'s size.
    void DrawTabContent(CDC& dc, const CRect& rect, int item, int flags);

    int m_nOrientation { kTop };
    int m_bTheme { 0 };
    int m_nPrevSel { -1 };
    int m_nHot { -1 };
};

} // namespace tarlux
