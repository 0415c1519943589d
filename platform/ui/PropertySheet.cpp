// CPropertySheet: the sheet's template is built at run time (the tab control and the three
// buttons); OnInitDialog sizes the tab control to the largest page and lines the buttons up
// under it, right-aligned: OK, Cancel, Apply.
#include "platform/ui/PropertySheet.h"

#include "platform/ui/Button.h"

#include <algorithm>

namespace {

// Layout in dialog units of the pages' font.
constexpr int kMargin = 7;
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;
constexpr int kButtonGap = 4;

const platform::DialogTemplate* TemplateOf(const CPropertyPage* page)
{
    return page->m_lpszTemplateName ? platform::FindDialogTemplate(page->m_lpszTemplateName)
                                     : platform::FindDialogTemplate(page->m_nIDTemplate);
}

} // namespace

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    m_caption.LoadString(nIDCaption);
    m_pParentWnd = pParentWnd;
    m_psh.nStartPage = iSelectPage;
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    m_caption = pszCaption ? pszCaption : "";
    m_pParentWnd = pParentWnd;
    m_psh.nStartPage = iSelectPage;
}

// ---- pages -------------------------------------------------------------------------------

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    if (!pPage || GetPageIndex(pPage) >= 0)
        return;
    m_pages.push_back(pPage);
    pPage->m_pSheet = this;
    if (m_hWnd)
        m_tabCtrl.InsertItem(GetPageCount() - 1, pPage->GetCaption());
}

void CPropertySheet::RemovePage(CPropertyPage* pPage) { RemovePage(GetPageIndex(pPage)); }

void CPropertySheet::RemovePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return;
    CPropertyPage* page = m_pages[static_cast<size_t>(nPage)];
    m_pages.erase(m_pages.begin() + nPage);
    page->m_pSheet = nullptr;
    if (!m_hWnd)
        return;
    if (page->m_hWnd)
        page->DestroyWindow();
    m_tabCtrl.DeleteItem(nPage);
    if (nPage < m_active) {
        --m_active;
    } else if (nPage == m_active) {
        m_active = -1;
        ShowPage(std::min(nPage, GetPageCount() - 1));
    }
    UpdateApplyButton();
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
    return nPage >= 0 && nPage < GetPageCount() ? m_pages[static_cast<size_t>(nPage)] : nullptr;
}

int CPropertySheet::GetPageIndex(const CPropertyPage* pPage) const
{
    auto found = std::find(m_pages.begin(), m_pages.end(), pPage);
    return found == m_pages.end() ? -1 : static_cast<int>(found - m_pages.begin());
}

int CPropertySheet::GetActiveIndex() const { return m_hWnd ? m_active : static_cast<int>(m_psh.nStartPage); }

CPropertyPage* CPropertySheet::GetActivePage() const { return GetPage(GetActiveIndex()); }

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage) { return SetActivePage(GetPageIndex(pPage)); }

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return FALSE;
    if (!m_hWnd) {
        m_psh.nStartPage = static_cast<UINT>(nPage);
        return TRUE;
    }
    if (nPage == m_active)
        return TRUE;
    CPropertyPage* current = GetActivePage();
    if (current && current->m_hWnd && !current->OnKillActive())
        return FALSE;
    return ShowPage(nPage) ? TRUE : FALSE;
}

void CPropertySheet::SetTitle(LPCTSTR lpszText)
{
    m_caption = lpszText ? lpszText : "";
    if (m_hWnd)
        SetWindowText(m_caption);
}

// Makes page `nPage` on first use, lets it agree (OnSetActive) and shows it in place of the
// current one. The current page has already been asked to leave.
bool CPropertySheet::ShowPage(int nPage)
{
    CPropertyPage* page = GetPage(nPage);
    if (!page)
        return false;
    if (!page->m_hWnd) {
        page->m_firstSetActive = true;
        page->m_modified = false;
        BOOL made = page->m_lpszTemplateName ? page->Create(page->m_lpszTemplateName, this) : page->Create(page->m_nIDTemplate, this);
        if (!made)
            return false;
        // On top of the tab control so that it paints over the display area; its controls
        // come first in the tab order.
        CRect area = PageRect();
        page->SetWindowPos(&CWnd::wndTop, area.left, area.top, area.Width(), area.Height(), SWP_NOACTIVATE);
    }
    if (!page->OnSetActive())
        return false;
    CPropertyPage* previous = GetPage(m_active);
    m_active = nPage;
    m_tabCtrl.SetCurSel(nPage);
    page->ShowWindow(SW_SHOW);
    if (previous && previous != page && previous->m_hWnd) {
        // The focus must not stay on a hidden control.
        HWND focus = ::GetFocus();
        bool focusInPrevious = focus && (focus == previous->m_hWnd || ::IsChild(previous->m_hWnd, focus));
        previous->ShowWindow(SW_HIDE);
        if (focusInPrevious)
            m_tabCtrl.SetFocus();
    }
    return true;
}

// ---- the modal run -----------------------------------------------------------------------

void CPropertySheet::BuildTemplate()
{
    const platform::DialogTemplate* first = m_pages.empty() ? nullptr : TemplateOf(m_pages.front());
    m_items = {
        { platform::ui::kTabControlClass, "", static_cast<int>(AFX_IDC_TAB_CONTROL), WS_TABSTOP | WS_GROUP, 0, 0, 10, 10 },
        { "Button", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 0, 0, kButtonWidth, kButtonHeight },
        { "Button", "Cancel", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 0, 0, kButtonWidth, kButtonHeight },
        { "Button", "&Apply", static_cast<int>(ID_APPLY_NOW), BS_PUSHBUTTON | WS_TABSTOP, 0, 0, kButtonWidth, kButtonHeight },
    };
    // The pages' font, so that the sheet's dialog units are the pages' own.
    m_template = { 0,
                   nullptr,
                   DS_MODALFRAME | DS_3DLOOK | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                   0,
                   0,
                   0,
                   100,
                   100,
                   m_caption,
                   first ? first->fontFace : nullptr,
                   first ? first->pointSize : 0,
                   m_items };
}

INT_PTR CPropertySheet::DoModal()
{
    if (m_hWnd)
        return -1;
    platform::ui::RegisterTabControlClass();
    BuildTemplate();
    InitModalIndirect(m_template, m_pParentWnd);
    INT_PTR result = CDialog::DoModal();
    m_active = -1;
    return result;
}

// The display area of the tab control, in the sheet's client coordinates.
CRect CPropertySheet::PageRect()
{
    CRect area;
    m_tabCtrl.GetWindowRect(&area);
    ScreenToClient(&area);
    m_tabCtrl.AdjustRect(FALSE, &area);
    return area;
}

// The tab control around the largest page, the buttons under it, the sheet around both.
void CPropertySheet::Layout()
{
    CRect page(0, 0, 0, 0);
    for (CPropertyPage* p : m_pages)
        if (const platform::DialogTemplate* t = TemplateOf(p)) {
            page.right = std::max(page.right, static_cast<LONG>(t->cx));
            page.bottom = std::max(page.bottom, static_cast<LONG>(t->cy));
        }
    MapDialogRect(&page);
    CRect units(0, 0, kMargin, kButtonGap);
    MapDialogRect(&units);
    const int margin = units.right, gap = units.bottom;
    CRect button(0, 0, kButtonWidth, kButtonHeight);
    MapDialogRect(&button);

    CRect tabs = page;
    m_tabCtrl.AdjustRect(TRUE, &tabs);
    tabs.OffsetRect(margin - tabs.left, margin - tabs.top);
    m_tabCtrl.MoveWindow(&tabs);

    std::vector<int> buttons { IDOK, IDCANCEL };
    if (!(m_psh.dwFlags & PSH_NOAPPLYNOW))
        buttons.push_back(static_cast<int>(ID_APPLY_NOW));
    const int top = tabs.bottom + margin;
    int right = tabs.right;
    for (auto id = buttons.rbegin(); id != buttons.rend(); ++id) {
        if (CWnd* b = GetDlgItem(*id))
            b->MoveWindow(right - button.Width(), top, button.Width(), button.Height());
        right -= button.Width() + gap;
    }

    CRect window, client;
    GetWindowRect(&window);
    GetClientRect(&client);
    const int width = tabs.right + margin + window.Width() - client.Width();
    const int height = top + button.Height() + margin + window.Height() - client.Height();
    SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CenterWindow();
}

BOOL CPropertySheet::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_tabCtrl.SubclassDlgItem(AFX_IDC_TAB_CONTROL, this);
    for (int i = 0; i < GetPageCount(); ++i) {
        m_pages[static_cast<size_t>(i)]->m_pSheet = this;
        m_tabCtrl.InsertItem(i, m_pages[static_cast<size_t>(i)]->GetCaption());
    }
    if (m_psh.dwFlags & PSH_NOAPPLYNOW) {
        if (CWnd* apply = GetDlgItem(ID_APPLY_NOW))
            apply->DestroyWindow();
    }
    Layout();
    m_active = -1;
    int start = m_psh.nStartPage < static_cast<UINT>(GetPageCount()) ? static_cast<int>(m_psh.nStartPage) : 0;
    if (!ShowPage(start) && start != 0)
        ShowPage(0);
    UpdateApplyButton();
    return TRUE;
}

// Apply is enabled while a page has changes that were not applied.
void CPropertySheet::UpdateApplyButton()
{
    if (!m_hWnd)
        return;
    HWND apply = ::GetDlgItem(m_hWnd, static_cast<int>(ID_APPLY_NOW));
    if (!apply)
        return;
    bool modified = std::any_of(m_pages.begin(), m_pages.end(), [](const CPropertyPage* p) { return p->m_modified; });
    if (!modified && ::GetFocus() == apply)
        GotoDlgCtrl(GetDlgItem(IDOK));
    ::EnableWindow(apply, modified ? TRUE : FALSE);
}

// Saves the current page, then applies every page made so far. A page that refuses is shown
// and the sheet stays open.
bool CPropertySheet::ApplyPages()
{
    CPropertyPage* current = GetPage(m_active);
    if (current && current->m_hWnd && !current->OnKillActive())
        return false;
    for (int i = 0; i < GetPageCount(); ++i) {
        CPropertyPage* page = m_pages[static_cast<size_t>(i)];
        if (!page->m_hWnd)
            continue;
        if (!page->OnApply()) {
            if (i != m_active)
                ShowPage(i);
            return false;
        }
    }
    for (CPropertyPage* page : m_pages)
        page->m_modified = false;
    UpdateApplyButton();
    return true;
}

void CPropertySheet::OnOK()
{
    if (ApplyPages())
        EndDialog(IDOK);
}

void CPropertySheet::OnCancel()
{
    for (CPropertyPage* page : m_pages)
        if (page->m_hWnd)
            page->OnCancel();
    EndDialog(IDCANCEL);
}

BOOL CPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == ID_APPLY_NOW && HIWORD(wParam) == BN_CLICKED) {
        ApplyPages();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

BOOL CPropertySheet::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header && header->hwndFrom && header->hwndFrom == m_tabCtrl.m_hWnd) {
        if (header->code == TCN_SELCHANGING) {
            // A non-zero answer keeps the current tab.
            CPropertyPage* current = GetPage(m_active);
            *pResult = current && current->m_hWnd && !current->OnKillActive() ? TRUE : FALSE;
            return TRUE;
        }
        if (header->code == TCN_SELCHANGE) {
            int previous = m_active;
            if (!ShowPage(m_tabCtrl.GetCurSel()) && previous >= 0) {
                // The new page could not be shown: back to the one that was left.
                m_tabCtrl.SetCurSel(previous);
                GetPage(previous)->OnSetActive();
            }
            *pResult = 0;
            return TRUE;
        }
    }
    return CDialog::OnNotify(wParam, lParam, pResult);
}
