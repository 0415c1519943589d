// CConfigPage: what the three pages of the configuration sheet share: a sheet page that edits
// the sheet's copy of the settings (not owned, handed over before the page's window is made)
// and reloads its controls from the copy whenever it is shown or hidden.
#pragma once

#include "tarvic/dialogs/CTabSheet.h"

#include "nrdata/config/NyraConfig.h"

namespace tarvic::config {

class CConfigPage : public CSheetPage
{
public:
    explicit CConfigPage(UINT nIDTemplate) : CSheetPage(nIDTemplate) {}

    void SetConfig(NyraConfig* pConfig) { m_pConfig = pConfig; }

protected:
    bool CanReload() const override { return m_pConfig != nullptr; }

    NyraConfig* m_pConfig { nullptr };
};

} // namespace tarvic::config
