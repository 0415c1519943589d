// The review settings sheet.
#include "tarlux/settings/CEnvironmentSettingDlg.h"

#include "tarlux/app/ReviewGlobals.h"
#include "tarlux/common/ReviewDialogs.h"
#include "tarlux/res/TarluxResources.h"
#include "tarlux/settings/CColorSettingPage.h"
#include "tarlux/settings/CDisplaySettingPage.h"
#include "tarlux/settings/CSystemSettingPage.h"
#include "tarlux/settings/ReviewSettingsSave.h"

using namespace platform::msgmap;

namespace tarlux {
namespace {

constexpr UINT kTabTexts[CEnvironmentSettingDlg::kPageCount] = { IDS_DEFAULT, IDS_COLOR, IDS_SYSTEM };
// Where the pages stand inside the tab control.
constexpr int kPageLeft = 1;
constexpr int kPageTop = 22;
constexpr int kPageRightGap = 5;
constexpr int kPageBottomGap = 28;

} // namespace

CEnvironmentSettingDlg::CEnvironmentSettingDlg(CWnd* pParent) : CDialog(IDD_ENVIRONMENT_SETTING, pParent) {}

CEnvironmentSettingDlg::~CEnvironmentSettingDlg() { DestroyPages(); }

const platform::MessageMap* CEnvironmentSettingDlg::GetThisMessageMap()
{
    static constexpr platform::MessageMapEntry kEntries[] = {
        Command<&CEnvironmentSettingDlg::OnSave>(IDC_SETTING_SAVE),
        Message<WM_CLOSE, &CEnvironmentSettingDlg::OnClose>(),
        Notify<&CEnvironmentSettingDlg::OnTabSelChanging>(TCN_SELCHANGING, IDC_SETTING_TAB),
        Notify<&CEnvironmentSettingDlg::OnTabSelChange>(TCN_SELCHANGE, IDC_SETTING_TAB),
    };
    static constexpr platform::MessageMap kMap { &CDialog::GetThisMessageMap, kEntries };
    return &kMap;
}

void CEnvironmentSettingDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SETTING_TAB, m_tab);
}

BOOL CEnvironmentSettingDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(LoadText(IDS_CONFIGURATION_SETTING));
    SetDlgItemText(IDC_SETTING_TITLE, LoadText(IDS_CONFIG_HEADING));
    SetDlgItemText(IDC_SETTING_SAVE, LoadText(IDS_SAVE_CONFIGURATION));
    m_config = ReviewConfig();
    for (int i = 0; i < kPageCount; ++i)
        m_tab.InsertItem(i, LoadText(kTabTexts[i]));

    m_pages[kDisplayPage] = std::make_unique<CDisplaySettingPage>(&m_config);
    m_pages[kColorPage] = std::make_unique<CColorSettingPage>(&m_config);
    m_pages[kSystemPage] = std::make_unique<CSystemSettingPage>(&m_config);
    CRect area;
    m_tab.GetWindowRect(&area);
    for (auto& page : m_pages) {
        page->SetNotifyWnd(m_hNotify);
        page->Create(&m_tab);
        page->SetWindowPos(nullptr, kPageLeft, kPageTop, area.Width() - kPageRightGap, area.Height() - kPageBottomGap,
                           SWP_NOZORDER | SWP_NOACTIVATE);
        page->ShowWindow(SW_HIDE);
    }
    m_tab.SetCurSel(kDisplayPage);
    ShowPage(kDisplayPage, TRUE);
    return TRUE;
}

BOOL CEnvironmentSettingDlg::PreTranslateMessage(MSG* pMsg)
{
    if (IsEnterOrEscape(pMsg))
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

CReviewSettingPage* CEnvironmentSettingDlg::GetPage(int index) const
{
    return index >= 0 && index < kPageCount ? m_pages[static_cast<size_t>(index)].get() : nullptr;
}

void CEnvironmentSettingDlg::ShowPage(int index, BOOL show)
{
    if (CReviewSettingPage* page = GetPage(index); page && ::IsWindow(page->m_hWnd))
        page->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void CEnvironmentSettingDlg::SelectPage(int index)
{
    if (!GetPage(index) || index == m_tab.GetCurSel())
        return;
    ShowPage(m_tab.GetCurSel(), FALSE);
    m_tab.SetCurSel(index);
    ShowPage(index, TRUE);
}

void CEnvironmentSettingDlg::OnTabSelChanging(NMHDR*, LRESULT* pResult)
{
    ShowPage(m_tab.GetCurSel(), FALSE);
    *pResult = 0;
}

void CEnvironmentSettingDlg::OnTabSelChange(NMHDR*, LRESULT* pResult)
{
    ShowPage(m_tab.GetCurSel(), TRUE);
    *pResult = 0;
}

// The program's settings take the copy (their trend flags stay), and only the sheet's keys are
// written into the file as it stands now. A failed write is not reported; the view redraws.
void CEnvironmentSettingDlg::OnSave()
{
    ReviewConfig() = m_config;
    SaveReviewSettings(m_config, ReviewStartupSettings().iniPath);
    if (m_hNotify && ::IsWindow(m_hNotify))
        ::PostMessage(m_hNotify, WM_SETTINGS_CHANGED, 0, 0);
}

void CEnvironmentSettingDlg::OnClose() { EndDialog(IDCANCEL); }

void CEnvironmentSettingDlg::DestroyPages()
{
    for (auto& page : m_pages) {
        if (page && ::IsWindow(page->m_hWnd))
            page->DestroyWindow();
        page.reset();
    }
}

} // namespace tarlux
