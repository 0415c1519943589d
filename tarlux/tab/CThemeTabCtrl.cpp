// The study information's tab control.
#include "tarlux/tab/CThemeTabCtrl.h"

namespace tarlux {

int ThemeIsActive() { return 0; }

void CThemeTabCtrl::UpdateOrientation()
{
    const DWORD style = static_cast<DWORD>(::GetWindowLong(m_hWnd, GWL_STYLE));
    if (style & TCS_VERTICAL)
        m_nOrientation = (style & TCS_BOTTOM) ? kRight : kLeft;
    else
        m_nOrientation = (style & TCS_BOTTOM) ? kBottom : kTop;
}

int CThemeTabCtrl::IsThemed()
{
    if (!::IsWindow(m_hWnd))
        return 0;
    UpdateOrientation();
    return m_bTheme && ThemeIsActive() ? 1 : 0;
}

LRESULT CThemeTabCtrl::OnSelChanging()
{
    m_nPrevSel = GetCurSel();
    return 0;
}

LRESULT CThemeTabCtrl::OnSelChange()
{
    const int selection = GetCurSel();
    if (m_nPrevSel >= 0 && m_nPrevSel != selection && IsThemed()) {
        CRect tab;
        if (GetItemRect(m_nPrevSel, &tab)) {
            tab.InflateRect(2, 2);
            MapWindowPoints(GetParent(), &tab);
            GetParent()->InvalidateRect(&tab, TRUE);
        }
    }
    return 1;
}

} // namespace tarlux
