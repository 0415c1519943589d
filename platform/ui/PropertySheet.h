// CPropertySheet: a dialog holding a tab control, one page per tab (CPropertyPage), and the
// OK, Cancel and Apply buttons along the bottom right. The sheet is as large as its largest page.
// DoModal makes the start page only; other pages are made when first shown. A tab change asks
// the current page (OnKillActive) and stays when it refuses. Apply (enabled once a page calls
// SetModified) and OK save the current page and call OnApply of every page made so far; OK then
// ends with IDOK. Cancel and Escape call OnCancel of each page made and end with IDCANCEL. With
// PSH_NOAPPLYNOW in m_psh.dwFlags there is no Apply button. The pages belong to the caller.
#pragma once

#include "platform/ui/Dialog.h"
#include "platform/ui/PropertyPage.h"
#include "platform/ui/TabCtrl.h"

#include <deque>
#include <string>
#include <vector>

constexpr DWORD PSH_DEFAULT = 0x0000;
constexpr DWORD PSH_NOAPPLYNOW = 0x0080;

// The sheet's own controls.
constexpr UINT AFX_IDC_TAB_CONTROL = 0x3020;
constexpr UINT ID_APPLY_NOW = 0x3021;

struct PROPSHEETHEADER
{
    DWORD dwFlags { PSH_DEFAULT };
    UINT nStartPage { 0 };
};

class CPropertySheet : public CDialog
{
public:
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

    INT_PTR DoModal() override;

    void AddPage(CPropertyPage* pPage);
    void RemovePage(CPropertyPage* pPage);
    void RemovePage(int nPage);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int nPage) const;
    int GetPageIndex(const CPropertyPage* pPage) const;

    // Before DoModal: the start page. While open: leaves the current page (it may refuse) and
    // shows page `nPage`.
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage);
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    CTabCtrl* GetTabControl() { return &m_tabCtrl; }
    void SetTitle(LPCTSTR lpszText);

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    PROPSHEETHEADER m_psh;

private:
    friend class CPropertyPage;

    void BuildTemplate();
    void Layout();
    CRect PageRect();
    bool ShowPage(int nPage);
    bool ApplyPages();
    void UpdateApplyButton();

    std::vector<CPropertyPage*> m_pages;
    int m_active { -1 };
    CString m_caption;
    CTabCtrl m_tabCtrl;
    std::vector<platform::DialogItem> m_items;
    platform::DialogTemplate m_template {};
};
