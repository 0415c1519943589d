// CClientAlarmPage: the third page of the bed settings sheet. Shows the alarm settings that the
// bed's monitor last reported, lets the user switch each parameter's alarm, choose its level and
// change its limits (the alarm limit dialog), and sends the changed packet to the monitor.
#pragma once

#include "tarvic/dialogs/CClientPage.h"

#include "nrdata/list/CGroupCheck.h"
#include "nrdata/packet/PKAlarm_v110.h"

#include <array>

namespace tarvic::bed {

class CClientAlarmPage : public CClientPage
{
public:
    // The limit pairs the page edits, in the order of its buttons' table.
    enum Pair
    {
        kFHR1,
        kFHR2,
        kFECG,
        kFSpO2,
        kFSpO2Rate,
        kECG,
        kSpO2,
        kSpO2Rate,
        kTemp, // tenths of a degree
        kNIBP,
        kUC,
        kUCDuration,
        kIUP,
        kIUPDuration,
        kPairCount
    };
    static constexpr int kGroupCount = 10;

    CClientAlarmPage(NyraClientInfo* pClient, ClientGone gone = {});

    BOOL OnInitDialog() override;
    void Reload() override;
    void OnApply();

    // The packet Apply would send: the stored one with the page's values.
    PKAlarm_v110 BuildPacket();
    int GetLower(Pair pair) const { return m_Limits[size_t(pair)][0]; }
    int GetUpper(Pair pair) const { return m_Limits[size_t(pair)][1]; }

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

private:
    void OnLimitButton(UINT nID);
    void WriteLimitTexts();

    std::array<CGroupCheck, kGroupCount> m_Checks;
    std::array<std::array<int, 2>, kPairCount> m_Limits {};
};

} // namespace tarvic::bed
