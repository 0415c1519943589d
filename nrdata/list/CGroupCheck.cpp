// CGroupCheck: a group box's caption check box.
#include "nrdata/list/CGroupCheck.h"

#include "platform/gdi/WindowDCs.h"

void CGroupCheck::SetGroupbox(UINT id, BOOL hide)
{
    CWnd* parent = GetParent();
    SetGroupbox(parent ? parent->GetDlgItem(static_cast<int>(id)) : nullptr, hide);
}

void CGroupCheck::SetGroupbox(CWnd* groupBox, BOOL hide)
{
    m_pGroupbox = groupBox;
    m_bHide = hide ? 1 : 0;
    if (!m_pGroupbox || !GetSafeHwnd())
        return;
    m_pGroupbox->SetWindowText("");
    PlaceInCaption();
    CheckGroupboxControls();
}

void CGroupCheck::PlaceInCaption()
{
    CWnd* parent = GetParent();
    if (!parent)
        return;
    CString caption;
    GetWindowText(caption);
    CSize text;
    {
        CClientDC dc(this);
        const HGDIOBJ oldFont = dc.SelectObject(reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
        text = dc.GetTextExtent(caption);
        if (oldFont)
            dc.SelectObject(oldFont);
    }
    CRect box;
    m_pGroupbox->GetWindowRect(&box);
    parent->ScreenToClient(&box);
    // Just above the group box in z-order, so that the check box is drawn over its frame: after
    // the window that precedes the box, or first when nothing does.
    const CWnd* before = m_pGroupbox->GetWindow(GW_HWNDPREV);
    UINT flags = SWP_NOACTIVATE;
    if (before && before->GetSafeHwnd() == GetSafeHwnd())
        flags |= SWP_NOZORDER;
    SetWindowPos(before ? before : &CWnd::wndTop, box.left + 10, box.top, text.cx + 25, text.cy, flags);
}

void CGroupCheck::SetCheck(int state)
{
    CButton::SetCheck(state);
    CheckGroupboxControls();
}

void CGroupCheck::CheckGroupboxControls()
{
    CWnd* parent = GetParent();
    if (!m_pGroupbox || !m_pGroupbox->GetSafeHwnd() || !parent)
        return;
    const int state = GetCheck();
    CRect box;
    m_pGroupbox->GetWindowRect(&box);
    for (CWnd* child = parent->GetWindow(GW_CHILD); child; child = child->GetNextWindow(GW_HWNDNEXT)) {
        const HWND hwnd = child->GetSafeHwnd();
        if (hwnd == GetSafeHwnd() || hwnd == m_pGroupbox->GetSafeHwnd())
            continue;
        CRect rect, common;
        child->GetWindowRect(&rect);
        if (!common.IntersectRect(&rect, &box))
            continue;
        child->EnableWindow(state == BST_CHECKED);
        if (m_bHide)
            child->ShowWindow(state > BST_UNCHECKED ? SW_SHOW : SW_HIDE);
    }
    if (m_bHide)
        m_pGroupbox->ShowWindow(state > BST_UNCHECKED ? SW_SHOW : SW_HIDE);
}

BOOL CGroupCheck::OnClicked()
{
    CheckGroupboxControls();
    return FALSE; // the parent hears the click as well
}

const platform::MessageMap* CGroupCheck::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        ReflectCommand<&CGroupCheck::OnClicked>(BN_CLICKED),
    };
    static constexpr platform::MessageMap kMap { &CButton::GetThisMessageMap, kEntries };
    return &kMap;
}
