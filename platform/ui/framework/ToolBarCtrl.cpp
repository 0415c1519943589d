// CToolBarCtrl: the button operations of a CToolBar.
#include "platform/ui/framework/ToolBarCtrl.h"

#include "platform/ui/framework/ToolBar.h"

namespace {
enum ListSlot { Normal, Hot, Disabled };

CImageList* Swap(CToolBar& bar, ListSlot slot, CImageList* list)
{
    CImageList* old = bar.m_pImages[slot];
    bar.m_pImages[slot] = list;
    if (list) {
        // Buttons take the size of their pictures plus the classic margin.
        int cx = 0;
        int cy = 0;
        if (slot == Normal && list->GetIconSize(&cx, &cy))
            bar.m_sizeButton = CSize(cx + 7, cy + 6);
    }
    bar.ButtonsChanged();
    return old;
}
} // namespace

HWND CToolBarCtrl::GetSafeHwnd() const { return m_bar.GetSafeHwnd(); }
CImageList* CToolBarCtrl::SetImageList(CImageList* pImageList) { return Swap(m_bar, Normal, pImageList); }
CImageList* CToolBarCtrl::GetImageList() const { return m_bar.m_pImages[Normal]; }
CImageList* CToolBarCtrl::SetHotImageList(CImageList* pImageList) { return Swap(m_bar, Hot, pImageList); }
CImageList* CToolBarCtrl::GetHotImageList() const { return m_bar.m_pImages[Hot]; }
CImageList* CToolBarCtrl::SetDisabledImageList(CImageList* pImageList) { return Swap(m_bar, Disabled, pImageList); }
CImageList* CToolBarCtrl::GetDisabledImageList() const { return m_bar.m_pImages[Disabled]; }
int CToolBarCtrl::GetButtonCount() const { return m_bar.GetCount(); }

BOOL CToolBarCtrl::GetButton(int nIndex, TBBUTTON* pButton) const
{
    if (!pButton || nIndex < 0 || nIndex >= m_bar.GetCount())
        return FALSE;
    UINT id = 0;
    UINT style = 0;
    int image = 0;
    m_bar.GetButtonInfo(nIndex, id, style, image);
    pButton->idCommand = static_cast<int>(id);
    pButton->iBitmap = image;
    pButton->fsStyle = static_cast<BYTE>(style & 0xFF);
    // TBBS_DISABLED carries the inverted enabled bit.
    pButton->fsState = static_cast<BYTE>(((style >> 16) & 0xFF) ^ TBSTATE_ENABLED);
    return TRUE;
}

int CToolBarCtrl::CommandToIndex(UINT nID) const { return m_bar.CommandToIndex(nID); }

BOOL CToolBarCtrl::EnableButton(int nID, BOOL bEnable)
{
    int index = m_bar.CommandToIndex(static_cast<UINT>(nID));
    if (index < 0)
        return FALSE;
    UINT style = m_bar.GetButtonStyle(index);
    m_bar.SetButtonStyle(index, bEnable ? (style & ~TBBS_DISABLED) : (style | TBBS_DISABLED));
    return TRUE;
}

BOOL CToolBarCtrl::CheckButton(int nID, BOOL bCheck)
{
    int index = m_bar.CommandToIndex(static_cast<UINT>(nID));
    if (index < 0)
        return FALSE;
    UINT style = m_bar.GetButtonStyle(index);
    m_bar.SetButtonStyle(index, bCheck ? (style | TBBS_CHECKED) : (style & ~TBBS_CHECKED));
    return TRUE;
}

BOOL CToolBarCtrl::IsButtonEnabled(int nID) const
{
    int index = m_bar.CommandToIndex(static_cast<UINT>(nID));
    return index >= 0 && !(m_bar.GetButtonStyle(index) & TBBS_DISABLED);
}

BOOL CToolBarCtrl::IsButtonChecked(int nID) const
{
    int index = m_bar.CommandToIndex(static_cast<UINT>(nID));
    return index >= 0 && (m_bar.GetButtonStyle(index) & TBBS_CHECKED);
}

BOOL CToolBarCtrl::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (!lpRect || nIndex < 0 || nIndex >= m_bar.GetCount())
        return FALSE;
    m_bar.GetItemRect(nIndex, lpRect);
    return TRUE;
}

BOOL CToolBarCtrl::SetButtonSize(CSize size)
{
    m_bar.m_sizeButton = size;
    m_bar.ButtonsChanged();
    return TRUE;
}

CToolTipCtrl* CToolBarCtrl::GetToolTips() const { return m_bar.GetToolTips(); }
