// The configuration sheet.
#include "tarvic/dialogs/CConfigurationDlg.h"

#include "tarvic/app/StationGlobals.h"
#include "tarvic/app/StationMessages.h"
#include "tarvic/dialogs/BedDialogControls.h"
#include "tarvic/dialogs/CClientPage.h"
#include "tarvic/dialogs/CColorSettingPage.h"
#include "tarvic/dialogs/CInitialDataPage.h"
#include "tarvic/dialogs/CSystemSettingPage.h"
#include "tarvic/res/BedDialogIds.h"
#include "tarvic/res/ConfigDialogIds.h"
#include "tarvic/view/CTarvicIIView.h"

#include "platform/msg/MessageMap.h"
#include "platform/ui/controls/TabCtrl.h"

namespace tarvic::config {
namespace {

constexpr UINT kTabTexts[CConfigurationDlg::kPageCount] = {bed::IDS_DEFAULT, IDS_COLOR, IDS_SYSTEM};

} // namespace

CConfigurationDlg::CConfigurationDlg(CWnd* pParent, std::function<void(CWnd&)> openUserManager)
    : CDialog(IDD_CONFIGURATION, pParent), m_OpenUserManager(std::move(openUserManager))
{
}

CConfigurationDlg::~CConfigurationDlg() { DestroyPages(); }

BOOL CConfigurationDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(bed::LoadText(IDS_CONFIGURATION));
    SetDlgItemText(IDC_CONFIG_HEADING, bed::LoadText(IDS_CONFIG_HEADING));
    SetDlgItemText(IDC_SAVE_CONFIGURATION, bed::LoadText(IDS_SAVE_CONFIGURATION));
    m_Config = g_Config;

    CWnd* tabControl = GetDlgItem(IDC_CONFIG_TAB);
    HWND tabWnd = tabControl->GetSafeHwnd();
    for (int i = 0; i < kPageCount; ++i) {
        const CString text = bed::LoadText(kTabTexts[i]);
        TCITEM item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<LPTSTR>(text.GetString());
        ::SendMessage(tabWnd, TCM_INSERTITEM, WPARAM(i), reinterpret_cast<LPARAM>(&item));
    }
    m_Pages[0] = std::make_unique<CInitialDataPage>();
    m_Pages[1] = std::make_unique<CColorSettingPage>();
    m_Pages[2] = std::make_unique<CSystemSettingPage>(m_OpenUserManager);
    CRect area;
    tabControl->GetClientRect(&area);
    for (auto& page : m_Pages) {
        page->SetConfig(&m_Config);
        page->Create(tabControl);
        page->SetWindowPos(nullptr, 1, 22, area.Width() - 5, area.Height() - 28, SWP_NOZORDER | SWP_NOACTIVATE);
        page->ShowWindow(SW_HIDE);
    }
    ::SendMessage(tabWnd, TCM_SETCURSEL, 0, 0);
    ShowPage(0, TRUE);
    return TRUE;
}

BOOL CConfigurationDlg::PreTranslateMessage(MSG* pMsg)
{
    if (bed::IsEnterOrEscape(pMsg))
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

CConfigPage* CConfigurationDlg::GetPage(int index) const
{
    return index >= 0 && index < kPageCount ? m_Pages[size_t(index)].get() : nullptr;
}

int CConfigurationDlg::GetCurrentTab() const
{
    CWnd* tab = GetDlgItem(IDC_CONFIG_TAB);
    return tab != nullptr ? static_cast<int>(::SendMessage(tab->GetSafeHwnd(), TCM_GETCURSEL, 0, 0)) : -1;
}

void CConfigurationDlg::SelectTab(int index)
{
    if (index < 0 || index >= kPageCount || index == GetCurrentTab())
        return;
    ShowPage(GetCurrentTab(), FALSE);
    ::SendMessage(GetDlgItem(IDC_CONFIG_TAB)->GetSafeHwnd(), TCM_SETCURSEL, WPARAM(index), 0);
    ShowPage(index, TRUE);
}

void CConfigurationDlg::OnSelChanging(NMHDR*, LRESULT* pResult)
{
    ShowPage(GetCurrentTab(), FALSE);
    *pResult = 0;
}

void CConfigurationDlg::OnSelChange(NMHDR*, LRESULT* pResult)
{
    ShowPage(GetCurrentTab(), TRUE);
    *pResult = 0;
}

void CConfigurationDlg::ShowPage(int index, BOOL show)
{
    if (CConfigPage* page = GetPage(index); page != nullptr && page->GetSafeHwnd() != nullptr)
        page->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void CConfigurationDlg::OnSaveConfiguration()
{
    g_Config = m_Config;
    // The settings apply for this run even when the file cannot take them; the user is told.
    if (!g_Config.Save(IniPath()))
        StationMessageBox(IDS_CONFIG_NOT_SAVED, MB_OK | MB_ICONERROR);
    if (m_pView != nullptr)
        m_pView->ApplyConfiguration();
}

void CConfigurationDlg::DestroyPages()
{
    for (auto& page : m_Pages) {
        if (page != nullptr && page->GetSafeHwnd() != nullptr && ::IsWindow(page->GetSafeHwnd()))
            page->DestroyWindow();
        page.reset();
    }
}

void CConfigurationDlg::OnDestroy()
{
    DestroyPages();
    CDialog::OnDestroy();
}

const platform::MessageMap* CConfigurationDlg::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Notify<&CConfigurationDlg::OnSelChanging>(TCN_SELCHANGING, IDC_CONFIG_TAB),
        Notify<&CConfigurationDlg::OnSelChange>(TCN_SELCHANGE, IDC_CONFIG_TAB),
        Command<&CConfigurationDlg::OnSaveConfiguration>(IDC_SAVE_CONFIGURATION),
        Message<WM_DESTROY, &CConfigurationDlg::OnDestroy>(),
    };
    static constexpr platform::MessageMap kMap{&CDialog::GetThisMessageMap, kEntries};
    return &kMap;
}

void OpenConfiguration(CTarvicIIView& view)
{
    CConfigurationDlg dialog(&view);
    dialog.SetView(&view);
    dialog.DoModal();
}

} // namespace tarvic::config
