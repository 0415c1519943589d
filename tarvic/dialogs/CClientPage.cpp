// The bed settings pages' common behaviour.
#include "tarvic/dialogs/CClientPage.h"

#include "platform/msg/MessageMap.h"

namespace tarvic::bed {

bool IsEnterOrEscape(const MSG* pMsg)
{
    return pMsg != nullptr && pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE);
}

CClientPage::CClientPage(UINT nIDTemplate, NyraClientInfo* pClient, ClientGone gone)
    : CDialog(nIDTemplate), m_pClient(pClient), m_ClientGone(std::move(gone))
{
}

BOOL CClientPage::Create(CWnd* pParentWnd) { return CDialog::Create(m_nIDTemplate, pParentWnd); }

BOOL CClientPage::PreTranslateMessage(MSG* pMsg)
{
    if (IsEnterOrEscape(pMsg))
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

void CClientPage::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CDialog::OnShowWindow(bShow, nStatus);
    // Shown or hidden alike: the controls start again from the client.
    if (m_pClient != nullptr && !IsClientGone())
        Reload();
}

const platform::MessageMap* CClientPage::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_SHOWWINDOW, &CClientPage::OnShowWindow>(),
    };
    static constexpr platform::MessageMap kMap{&CDialog::GetThisMessageMap, kEntries};
    return &kMap;
}

} // namespace tarvic::bed
