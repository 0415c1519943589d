// The bed settings sheet.
#include "tarvic/dialogs/CClientSettingDlg.h"

#include "tarvic/dialogs/BedDialogControls.h"
#include "tarvic/dialogs/CClientAlarmPage.h"
#include "tarvic/dialogs/CClientDisplayPage.h"
#include "tarvic/dialogs/CClientMonitorPage.h"
#include "tarvic/dialogs/CClientPatientPage.h"
#include "tarvic/res/BedDialogIds.h"

namespace tarvic::bed {
namespace {

constexpr UINT kTabTexts[CClientSettingDlg::kPageCount] = {IDS_DISPLAY_INFORMATION, IDS_PATIENT_INFORMATION,
                                                           IDS_ALARM_INFORMATION, IDS_DEVICE_INFORMATION};

} // namespace

CClientSettingDlg::CClientSettingDlg(NyraClientInfo* pClient, CWnd* pParent, ClientGone gone)
    : CTabSheet(IDD_CLIENT_SETTING, pParent), m_pClient(pClient), m_ClientGone(std::move(gone))
{
}

CClientSettingDlg::~CClientSettingDlg() { DestroyPages(); }

BOOL CClientSettingDlg::OnInitDialog()
{
    CTabSheet::OnInitDialog();
    SetWindowText(LoadText(IDS_CLIENT_SETTING));
    if (m_pClient == nullptr) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    m_Pages[0] = std::make_unique<CClientDisplayPage>(m_pClient, m_ClientGone);
    m_Pages[1] = std::make_unique<CClientPatientPage>(m_pClient, m_ClientGone);
    m_Pages[2] = std::make_unique<CClientAlarmPage>(m_pClient, m_ClientGone);
    m_Pages[3] = std::make_unique<CClientMonitorPage>(m_pClient, m_ClientGone);
    CreateTabs(kTabTexts);
    return TRUE;
}

CClientPage* CClientSettingDlg::GetPage(int index) const
{
    return index >= 0 && index < kPageCount ? m_Pages[size_t(index)].get() : nullptr;
}

void CClientSettingDlg::DestroyPages()
{
    DestroyPageWindows();
    for (auto& page : m_Pages)
        page.reset();
}

} // namespace tarvic::bed
