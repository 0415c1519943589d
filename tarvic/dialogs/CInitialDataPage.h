// CInitialDataPage: the "Default" tab of the configuration sheet: the units, graph channels,
// speeds, gains, alarm sound, automatic recording period, device position fix and recording on
// admission that every bed and new patient start with. Every change of a list or a radio button
// stores all of the page's values into the sheet's copy of the settings at once.
#pragma once

#include "tarvic/dialogs/CConfigPage.h"

namespace tarvic::config {

class CInitialDataPage : public CConfigPage
{
public:
    CInitialDataPage();

    BOOL OnInitDialog() override;
    void Reload() override;
    // The page's values into the copy; a list without a selection leaves its setting as it is.
    void Store();
    // "Default": the built-in defaults into the copy, then the controls from the copy.
    void OnSetDefault();

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }
};

} // namespace tarvic::config
