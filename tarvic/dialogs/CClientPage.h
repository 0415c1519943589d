// CClientPage: what the four pages of the bed settings sheet share. A page is a child dialog
// without caption that keeps its bed's client (not owned), swallows Enter and Escape, and
// reloads every control from the client whenever it is shown or hidden, so that edits not
// applied are dropped on a tab change.
#pragma once

#include "platform/ui/dialogs/Dialog.h"

#include <functional>

class NyraClientInfo;

namespace tarvic::bed {

// Answers true once the bed's client has gone (disconnected and removed): a waiting page then
// gives up without touching it.
using ClientGone = std::function<bool()>;

// True for a key-down of Enter or Escape: the sheet and its pages swallow them.
bool IsEnterOrEscape(const MSG* pMsg);

class CClientPage : public CDialog
{
public:
    CClientPage(UINT nIDTemplate, NyraClientInfo* pClient, ClientGone gone);

    BOOL Create(CWnd* pParentWnd);
    // Puts the client's current values into the controls.
    virtual void Reload() = 0;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnOK() override {}
    void OnCancel() override {}

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

protected:
    void OnShowWindow(BOOL bShow, UINT nStatus);
    bool IsClientGone() const { return m_ClientGone && m_ClientGone(); }

    NyraClientInfo* m_pClient { nullptr };
    ClientGone m_ClientGone;
};

} // namespace tarvic::bed
