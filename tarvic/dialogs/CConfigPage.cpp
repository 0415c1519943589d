// The configuration pages' common behaviour.
#include "tarvic/dialogs/CConfigPage.h"

#include "tarvic/dialogs/CClientPage.h"

#include "platform/msg/MessageMap.h"

namespace tarvic::config {

CConfigPage::CConfigPage(UINT nIDTemplate) : CDialog(nIDTemplate) {}

BOOL CConfigPage::Create(CWnd* pParentWnd) { return CDialog::Create(m_nIDTemplate, pParentWnd); }

BOOL CConfigPage::PreTranslateMessage(MSG* pMsg)
{
    if (bed::IsEnterOrEscape(pMsg))
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

void CConfigPage::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CDialog::OnShowWindow(bShow, nStatus);
    // Shown or hidden alike: what was not stored in the copy is dropped.
    if (m_pConfig != nullptr)
        Reload();
}

const platform::MessageMap* CConfigPage::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_SHOWWINDOW, &CConfigPage::OnShowWindow>(),
    };
    static constexpr platform::MessageMap kMap{&CDialog::GetThisMessageMap, kEntries};
    return &kMap;
}

} // namespace tarvic::config
