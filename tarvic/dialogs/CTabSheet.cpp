// The station's tabbed sheets and their pages.
#include "tarvic/dialogs/CTabSheet.h"

#include "tarvic/app/StationMessages.h"

#include "platform/msg/MessageMap.h"
#include "platform/ui/controls/TabCtrl.h"

namespace tarvic {

bool IsEnterOrEscape(const MSG* pMsg)
{
    return pMsg != nullptr && pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE);
}

// ---- pages ------------------------------------------------------------------------------------------

CSheetPage::CSheetPage(UINT nIDTemplate) : CDialog(nIDTemplate) {}

BOOL CSheetPage::Create(CWnd* pParentWnd) { return CDialog::Create(m_nIDTemplate, pParentWnd); }

BOOL CSheetPage::PreTranslateMessage(MSG* pMsg)
{
    if (IsEnterOrEscape(pMsg))
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

void CSheetPage::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CDialog::OnShowWindow(bShow, nStatus);
    // Shown or hidden alike: the controls start again from what the page edits.
    if (CanReload())
        Reload();
}

const platform::MessageMap* CSheetPage::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_SHOWWINDOW, &CSheetPage::OnShowWindow>(),
    };
    static constexpr platform::MessageMap kMap{&CDialog::GetThisMessageMap, kEntries};
    return &kMap;
}

// ---- sheets -----------------------------------------------------------------------------------------

CTabSheet::CTabSheet(UINT nIDTemplate, CWnd* pParent) : CDialog(nIDTemplate, pParent) {}

BOOL CTabSheet::PreTranslateMessage(MSG* pMsg)
{
    if (IsEnterOrEscape(pMsg))
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

void CTabSheet::CreateTabs(std::span<const UINT> textIds)
{
    CWnd* tabControl = GetDlgItem(IDC_SHEET_TAB);
    HWND tabWnd = tabControl->GetSafeHwnd();
    m_nTabs = static_cast<int>(textIds.size());
    for (int i = 0; i < m_nTabs; ++i) {
        const CString text = LoadText(textIds[size_t(i)]);
        TCITEM item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<LPTSTR>(text.GetString());
        ::SendMessage(tabWnd, TCM_INSERTITEM, WPARAM(i), reinterpret_cast<LPARAM>(&item));
    }
    CRect area;
    tabControl->GetClientRect(&area);
    for (int i = 0; i < m_nTabs; ++i) {
        CSheetPage* page = PageAt(i);
        if (page == nullptr)
            continue;
        page->Create(tabControl);
        page->SetWindowPos(nullptr, 1, 22, area.Width() - 5, area.Height() - 28, SWP_NOZORDER | SWP_NOACTIVATE);
        page->ShowWindow(SW_HIDE);
    }
    ::SendMessage(tabWnd, TCM_SETCURSEL, 0, 0);
    ShowPage(0, TRUE);
}

int CTabSheet::GetCurrentTab() const
{
    CWnd* tab = GetDlgItem(IDC_SHEET_TAB);
    return tab != nullptr ? static_cast<int>(::SendMessage(tab->GetSafeHwnd(), TCM_GETCURSEL, 0, 0)) : -1;
}

void CTabSheet::SelectTab(int index)
{
    if (index < 0 || index >= m_nTabs || index == GetCurrentTab())
        return;
    ShowPage(GetCurrentTab(), FALSE);
    ::SendMessage(GetDlgItem(IDC_SHEET_TAB)->GetSafeHwnd(), TCM_SETCURSEL, WPARAM(index), 0);
    ShowPage(index, TRUE);
}

void CTabSheet::OnSelChanging(NMHDR*, LRESULT* pResult)
{
    ShowPage(GetCurrentTab(), FALSE);
    *pResult = 0;
}

void CTabSheet::OnSelChange(NMHDR*, LRESULT* pResult)
{
    ShowPage(GetCurrentTab(), TRUE);
    *pResult = 0;
}

void CTabSheet::ShowPage(int index, BOOL show)
{
    if (CSheetPage* page = PageAt(index); page != nullptr && page->GetSafeHwnd() != nullptr)
        page->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void CTabSheet::DestroyPageWindows()
{
    for (int i = 0; i < m_nTabs; ++i)
        if (CSheetPage* page = PageAt(i); page != nullptr && page->GetSafeHwnd() != nullptr && ::IsWindow(page->GetSafeHwnd()))
            page->DestroyWindow();
}

const platform::MessageMap* CTabSheet::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Notify<&CTabSheet::OnSelChanging>(TCN_SELCHANGING, IDC_SHEET_TAB),
        Notify<&CTabSheet::OnSelChange>(TCN_SELCHANGE, IDC_SHEET_TAB),
    };
    static constexpr platform::MessageMap kMap{&CDialog::GetThisMessageMap, kEntries};
    return &kMap;
}

} // namespace tarvic
