// The bed settings pages' common behaviour.
#include "tarvic/dialogs/CClientPage.h"

namespace tarvic::bed {

CClientPage::CClientPage(UINT nIDTemplate, NyraClientInfo* pClient, ClientGone gone)
    : CSheetPage(nIDTemplate), m_pClient(pClient), m_ClientGone(std::move(gone))
{
}

} // namespace tarvic::bed
