// CClientPatientPage: the second page of the bed settings sheet. Shows the patient admitted to
// the bed and the patient data the monitor last reported, and lets the user choose the bed's
// doctor and nurse, which take effect in the client at once. Nothing is sent from this page:
// its Apply button stays disabled.
#pragma once

#include "tarvic/dialogs/CClientPage.h"

namespace tarvic::bed {

class CClientPatientPage : public CClientPage
{
public:
    CClientPatientPage(NyraClientInfo* pClient, ClientGone gone = {});

    BOOL OnInitDialog() override;
    void Reload() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnSelectDoctor();
    void OnSelectNurse();

    static constexpr int IDC_YEAR = 1021;
    static constexpr int IDC_MONTH = 1024;
    static constexpr int IDC_DAY = 1028;
    static constexpr int IDC_AGE = 1380;
    static constexpr int IDC_HEIGHT = 1014;
    static constexpr int IDC_WEIGHT = 1015;
    static constexpr int IDC_DOCTOR = 1555;
    static constexpr int IDC_NURSE = 1556;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

private:
    CString m_strPatientId;
    CString m_strLastName;
    CString m_strFirstName;
    double m_dHeight { 0.0 };
    double m_dWeight { 0.0 };
};

} // namespace tarvic::bed
