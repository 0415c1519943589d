// CThemeTabCtrl: the tab control of the study information. It would paint its tabs and page
// frame in the desktop's visual style, in any orientation; no visual-style library exists here,
// so IsThemed always answers 0 and the control paints as a plain tab control. What stays is
// its part in changing pages: the owner calls OnSelChanging and OnSelChange from its own
// handlers of the two notifications, and the control remembers the tab that lost the selection.
#pragma once

#include "platform/ui/controls/TabCtrl.h"

namespace tarlux {

// Whether a visual style is active on this desktop: never here.
int ThemeIsActive();

class CThemeTabCtrl : public CTabCtrl
{
public:
    // Tabs at the top, bottom, left or right, from the window style.
    enum Orientation { kTop = 0, kBottom = 1, kLeft = 2, kRight = 3 };

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

private:
    void UpdateOrientation();

    int m_nOrientation { kTop };
    int m_bTheme { 0 };
    int m_nPrevSel { -1 };
};

} // namespace tarlux
