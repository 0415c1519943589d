// CClientPage: what the four pages of the bed settings sheet share: a sheet page that keeps its
// bed's client (not owned) and reloads every control from the client whenever it is shown or
// hidden.
#pragma once

#include "tarvic/dialogs/CTabSheet.h"

#include <functional>

class NyraClientInfo;

namespace tarvic::bed {

// Answers true once the bed's client has gone (disconnected and removed): a waiting page then
// gives up without touching it.
using ClientGone = std::function<bool()>;

using tarvic::IsEnterOrEscape;

class CClientPage : public CSheetPage
{
public:
    CClientPage(UINT nIDTemplate, NyraClientInfo* pClient, ClientGone gone);

protected:
    bool CanReload() const override { return m_pClient != nullptr && !IsClientGone(); }
    bool IsClientGone() const { return m_ClientGone && m_ClientGone(); }

    NyraClientInfo* m_pClient { nullptr };
    ClientGone m_ClientGone;
};

} // namespace tarvic::bed
