// CWnd's dialog-item and scroll-bar members: forwards to the item functions and the scroll-bar
// functions.
#include "platform/msg/DialogItems.h"
#include "platform/msg/ScrollInfo.h"
#include "platform/msg/Wnd.h"

#include <algorithm>

// ---- dialog items -------------------------------------------------------------------------------------

void CWnd::SetDlgItemText(int nID, LPCTSTR s) { ::SetDlgItemText(m_hWnd, nID, s); }
int CWnd::GetDlgItemText(int nID, LPTSTR s, int nMaxCount) const
{
    return static_cast<int>(::GetDlgItemText(m_hWnd, nID, s, nMaxCount));
}
int CWnd::GetDlgItemText(int nID, CString& s) const
{
    HWND item = ::GetDlgItem(m_hWnd, nID);
    int length = item ? ::GetWindowTextLength(item) : 0;
    int copied = item ? ::GetWindowText(item, s.GetBuffer(length), length + 1) : 0;
    s.ReleaseBuffer(copied);
    return copied;
}
void CWnd::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned) { ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned); }
UINT CWnd::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const { return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned); }
void CWnd::CheckDlgButton(int nID, UINT nCheck) { ::CheckDlgButton(m_hWnd, nID, nCheck); }
UINT CWnd::IsDlgButtonChecked(int nID) const { return ::IsDlgButtonChecked(m_hWnd, nID); }
void CWnd::CheckRadioButton(int first, int last, int check) { ::CheckRadioButton(m_hWnd, first, last, check); }
int CWnd::GetCheckedRadioButton(int first, int last)
{
    for (int id = first; id <= last; ++id)
        if (::IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED)
            return id;
    return 0;
}
LRESULT CWnd::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendDlgItemMessage(m_hWnd, nID, message, wParam, lParam);
}

// ---- window scroll bars ----------------------------------------------------------------------------------

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO info, BOOL bRedraw)
{
    if (!info)
        return FALSE;
    ::SetScrollInfo(m_hWnd, nBar, info, bRedraw);
    return TRUE;
}
BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO info, UINT nMask)
{
    if (!info)
        return FALSE;
    info->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, nBar, info);
}
int CWnd::SetScrollPos(int nBar, int nPos, BOOL bRedraw) { return ::SetScrollPos(m_hWnd, nBar, nPos, bRedraw); }
int CWnd::GetScrollPos(int nBar) const { return ::GetScrollPos(m_hWnd, nBar); }
void CWnd::SetScrollRange(int nBar, int nMin, int nMax, BOOL bRedraw) { ::SetScrollRange(m_hWnd, nBar, nMin, nMax, bRedraw); }
void CWnd::GetScrollRange(int nBar, LPINT lpMin, LPINT lpMax) const { ::GetScrollRange(m_hWnd, nBar, lpMin, lpMax); }
int CWnd::GetScrollLimit(int nBar)
{
    SCROLLINFO info;
    if (!GetScrollInfo(nBar, &info, SIF_RANGE | SIF_PAGE))
        return 0;
    return info.nMax - std::max<int>(static_cast<int>(info.nPage) - 1, 0);
}
void CWnd::ShowScrollBar(UINT nBar, BOOL bShow) { ::ShowScrollBar(m_hWnd, static_cast<int>(nBar), bShow); }
BOOL CWnd::EnableScrollBar(int nSBFlags, UINT nArrowFlags) { return ::EnableScrollBar(m_hWnd, nSBFlags, nArrowFlags); }
void CWnd::EnableScrollBarCtrl(int nBar, BOOL bEnable) { ::ShowScrollBar(m_hWnd, nBar, bEnable); }
