// CConfigPage: what the three pages of the configuration sheet share. A page is a child dialog
// without caption that edits the sheet's copy of the settings (not owned, handed over before
// the page's window is made), swallows Enter and Escape, and reloads its controls from the copy
// whenever it is shown or hidden.
#pragma once

#include "nrdata/config/NyraConfig.h"

#include "platform/ui/dialogs/Dialog.h"

namespace tarvic::config {

class CConfigPage : public CDialog
{
public:
    explicit CConfigPage(UINT nIDTemplate);

    void SetConfig(NyraConfig* pConfig) { m_pConfig = pConfig; }
    BOOL Create(CWnd* pParentWnd);
    // Puts the copy's values into the controls.
    virtual void Reload() = 0;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnOK() override {}
    void OnCancel() override {}

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

protected:
    void OnShowWindow(BOOL bShow, UINT nStatus);

    NyraConfig* m_pConfig { nullptr };
};

} // namespace tarvic::config
