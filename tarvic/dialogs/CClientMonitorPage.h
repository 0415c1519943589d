// CClientMonitorPage: the fourth page of the bed settings sheet. Shows the settings the bed's
// monitor last reported (number, display mode, ECG, SpO2, NIBP, fetal and offset settings) in
// drop-down lists and sends the changed packet to the monitor.
#pragma once

#include "tarvic/dialogs/CClientPage.h"

#include "nrdata/packet/PKMonitor_v110.h"

namespace tarvic::bed {

class CClientMonitorPage : public CClientPage
{
public:
    CClientMonitorPage(NyraClientInfo* pClient, ClientGone gone = {});

    BOOL OnInitDialog() override;
    void Reload() override;
    void OnSetDefault();
    void OnApply();

    // The packet Apply would send: the stored one with the page's values.
    PKMonitor_v110 BuildPacket();

    static constexpr int IDC_MONITOR_NUMBER = 1424;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

private:
    CString m_strUnitName;
};

} // namespace tarvic::bed
