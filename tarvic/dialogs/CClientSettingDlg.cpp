// The bed settings sheet.
#include "tarvic/dialogs/CClientSettingDlg.h"

#include "tarvic/dialogs/BedDialogControls.h"
#include "tarvic/dialogs/CClientAlarmPage.h"
#include "tarvic/dialogs/CClientDisplayPage.h"
#include "tarvic/dialogs/CClientMonitorPage.h"
#include "tarvic/dialogs/CClientPatientPage.h"
#include "tarvic/res/BedDialogIds.h"

#include "platform/msg/MessageMap.h"
#include "platform/ui/controls/TabCtrl.h"

namespace tarvic::bed {
namespace {

constexpr UINT kTabTexts[CClientSettingDlg::kPageCount] = {IDS_DISPLAY_INFORMATION, IDS_PATIENT_INFORMATION,
                                                           IDS_ALARM_INFORMATION, IDS_DEVICE_INFORMATION};

} // namespace

CClientSettingDlg::CClientSettingDlg(NyraClientInfo* pClient, CWnd* pParent, ClientGone gone)
    : CDialog(IDD_CLIENT_SETTING, pParent), m_pClient(pClient), m_ClientGone(std::move(gone))
{
}

CClientSettingDlg::~CClientSettingDlg() { DestroyPages(); }

BOOL CClientSettingDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(LoadText(IDS_CLIENT_SETTING));
    HWND tabWnd = GetDlgItem(IDC_TAB)->GetSafeHwnd();
    for (int i = 0; i < kPageCount; ++i) {
        const CString text = LoadText(kTabTexts[i]);
        TCITEM item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<LPTSTR>(text.GetString());
        ::SendMessage(tabWnd, TCM_INSERTITEM, WPARAM(i), reinterpret_cast<LPARAM>(&item));
    }
    if (m_pClient == nullptr) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    m_Pages[0] = std::make_unique<CClientDisplayPage>(m_pClient, m_ClientGone);
    m_Pages[1] = std::make_unique<CClientPatientPage>(m_pClient, m_ClientGone);
    m_Pages[2] = std::make_unique<CClientAlarmPage>(m_pClient, m_ClientGone);
    m_Pages[3] = std::make_unique<CClientMonitorPage>(m_pClient, m_ClientGone);
    CWnd* tabControl = GetDlgItem(IDC_TAB);
    CRect area;
    tabControl->GetWindowRect(&area);
    for (auto& page : m_Pages) {
        page->Create(tabControl);
        page->SetWindowPos(nullptr, 1, 22, area.Width() - 5, area.Height() - 28, SWP_NOZORDER | SWP_NOACTIVATE);
        page->ShowWindow(SW_HIDE);
    }
    ::SendMessage(tabWnd, TCM_SETCURSEL, 0, 0);
    ShowPage(0, TRUE);
    return TRUE;
}

BOOL CClientSettingDlg::PreTranslateMessage(MSG* pMsg)
{
    if (IsEnterOrEscape(pMsg))
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

CClientPage* CClientSettingDlg::GetPage(int index) const
{
    return index >= 0 && index < kPageCount ? m_Pages[size_t(index)].get() : nullptr;
}

int CClientSettingDlg::GetCurrentTab() const
{
    CWnd* tab = GetDlgItem(IDC_TAB);
    return tab != nullptr ? static_cast<int>(::SendMessage(tab->GetSafeHwnd(), TCM_GETCURSEL, 0, 0)) : -1;
}

void CClientSettingDlg::SelectTab(int index)
{
    if (index < 0 || index >= kPageCount || index == GetCurrentTab())
        return;
    ShowPage(GetCurrentTab(), FALSE);
    ::SendMessage(GetDlgItem(IDC_TAB)->GetSafeHwnd(), TCM_SETCURSEL, WPARAM(index), 0);
    ShowPage(index, TRUE);
}

void CClientSettingDlg::OnSelChanging(NMHDR*, LRESULT* pResult)
{
    ShowPage(GetCurrentTab(), FALSE);
    *pResult = 0;
}

void CClientSettingDlg::OnSelChange(NMHDR*, LRESULT* pResult)
{
    ShowPage(GetCurrentTab(), TRUE);
    *pResult = 0;
}

void CClientSettingDlg::ShowPage(int index, BOOL show)
{
    if (CClientPage* page = GetPage(index); page != nullptr && page->GetSafeHwnd() != nullptr)
        page->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void CClientSettingDlg::DestroyPages()
{
    for (auto& page : m_Pages) {
        if (page != nullptr && page->GetSafeHwnd() != nullptr && ::IsWindow(page->GetSafeHwnd()))
            page->DestroyWindow();
        page.reset();
    }
}

const platform::MessageMap* CClientSettingDlg::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Notify<&CClientSettingDlg::OnSelChanging>(TCN_SELCHANGING, IDC_TAB),
        Notify<&CClientSettingDlg::OnSelChange>(TCN_SELCHANGE, IDC_TAB),
    };
    static constexpr platform::MessageMap kMap{&CDialog::GetThisMessageMap, kEntries};
    return &kMap;
}

} // namespace tarvic::bed
