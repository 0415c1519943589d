// The configuration sheet.
#include "tarvic/dialogs/CConfigurationDlg.h"

#include "tarvic/app/StationGlobals.h"
#include "tarvic/app/StationMessages.h"
#include "tarvic/dialogs/BedDialogControls.h"
#include "tarvic/dialogs/CColorSettingPage.h"
#include "tarvic/dialogs/CInitialDataPage.h"
#include "tarvic/dialogs/CSystemSettingPage.h"
#include "tarvic/dialogs/CUserManagerDlg.h"
#include "tarvic/res/BedDialogIds.h"
#include "tarvic/res/ConfigDialogIds.h"
#include "tarvic/view/CTarvicIIView.h"

#include "platform/msg/MessageMap.h"

namespace tarvic::config {
namespace {

constexpr UINT kTabTexts[CConfigurationDlg::kPageCount] = {bed::IDS_DEFAULT, IDS_COLOR, IDS_SYSTEM};

} // namespace

CConfigurationDlg::CConfigurationDlg(CWnd* pParent, std::function<void(CWnd&)> openUserManager)
    : CTabSheet(IDD_CONFIGURATION, pParent), m_OpenUserManager(std::move(openUserManager))
{
}

CConfigurationDlg::~CConfigurationDlg() { DestroyPages(); }

BOOL CConfigurationDlg::OnInitDialog()
{
    CTabSheet::OnInitDialog();
    SetWindowText(bed::LoadText(IDS_CONFIGURATION_SETTING));
    SetDlgItemText(IDC_CONFIG_HEADING, bed::LoadText(IDS_CONFIG_HEADING));
    SetDlgItemText(IDC_SAVE_CONFIGURATION, bed::LoadText(IDS_SAVE_CONFIGURATION));
    m_Config = g_Config;
    m_Pages[0] = std::make_unique<CInitialDataPage>();
    m_Pages[1] = std::make_unique<CColorSettingPage>();
    m_Pages[2] = std::make_unique<CSystemSettingPage>(m_OpenUserManager);
    for (auto& page : m_Pages)
        page->SetConfig(&m_Config);
    CreateTabs(kTabTexts);
    return TRUE;
}

CConfigPage* CConfigurationDlg::GetPage(int index) const
{
    return index >= 0 && index < kPageCount ? m_Pages[size_t(index)].get() : nullptr;
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
    DestroyPageWindows();
    for (auto& page : m_Pages)
        page.reset();
}

void CConfigurationDlg::OnDestroy()
{
    DestroyPages();
    CTabSheet::OnDestroy();
}

const platform::MessageMap* CConfigurationDlg::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Command<&CConfigurationDlg::OnSaveConfiguration>(IDC_SAVE_CONFIGURATION),
        Message<WM_DESTROY, &CConfigurationDlg::OnDestroy>(),
    };
    static constexpr platform::MessageMap kMap{&CTabSheet::GetThisMessageMap, kEntries};
    return &kMap;
}

void OpenConfiguration(CTarvicIIView& view)
{
    CConfigurationDlg dialog(&view, [](CWnd& page) { tarvic::records::OpenUserManager(&page); });
    dialog.SetView(&view);
    dialog.DoModal();
}

} // namespace tarvic::config
