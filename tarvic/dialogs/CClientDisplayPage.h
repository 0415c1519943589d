// CClientDisplayPage: the first page of the bed settings sheet. Shows how the bed is connected
// and which monitor it is, and edits the bed's own display settings (graphs, speeds, gains,
// alarm sound, automatic recording period) in the client's copy of the settings. Apply stores
// them at once and redraws the bed; nothing goes to the monitor or to the settings file.
#pragma once

#include "tarvic/dialogs/CClientPage.h"

namespace tarvic::bed {

class CClientDisplayPage : public CClientPage
{
public:
    CClientDisplayPage(NyraClientInfo* pClient, ClientGone gone = {});

    BOOL OnInitDialog() override;
    void Reload() override;
    void OnSetDefault();
    void OnApply();

    // The connection method as the page shows it: "LAN (a:b:c:d)", "SERIAL (COMn)" or empty.
    static CString ConnectionText(const BYTE address[4], UINT comPort);

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }
};

} // namespace tarvic::bed
