// The display settings page.
#include "tarvic/dialogs/CClientDisplayPage.h"

#include "tarvic/dialogs/BedDialogControls.h"
#include "tarvic/res/BedDialogIds.h"

#include "nyraclient/client/NyraClientInfo.h"

#include "platform/msg/MessageMap.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/ComboBox.h"

namespace tarvic::bed {
namespace {

constexpr int IDC_SOUND_ON = 1426;
constexpr int IDC_SOUND_OFF = 1427;
constexpr int IDC_TOP_GRAPH = 1416;
constexpr int IDC_BOTTOM_GRAPH = 1417;
constexpr int IDC_SWEEP_SPEED = 1419;
constexpr int IDC_ECG_GAIN = 1421;
constexpr int IDC_FECG_GAIN = 1422;
constexpr int IDC_TREND_SPEED = 1420;
constexpr int IDC_PERIOD = 1423;
constexpr int IDC_MODEL = 1516;
constexpr int IDC_VERSION = 1063;
constexpr int IDC_CONNECTION = 1064;

// The lists filled from a map, and the client setting each edits.
struct MapList
{
    int id;
    NRConstMap::CMAP_TYPE map;
    int NyraConfig::*setting;
};

constexpr MapList kLists[] = {
    {IDC_TOP_GRAPH, NRConstMap::CMAP_WAVE_CHANNEL, &NyraConfig::TopGraph},
    {IDC_BOTTOM_GRAPH, NRConstMap::CMAP_WAVE_CHANNEL, &NyraConfig::BottomGraph},
    {IDC_SWEEP_SPEED, NRConstMap::CMAP_ECG_SPEED, &NyraConfig::SweepSpeed},
    {IDC_ECG_GAIN, NRConstMap::CMAP_ECG_GAIN, &NyraConfig::ECGGain},
    {IDC_FECG_GAIN, NRConstMap::CMAP_ECG_GAIN, &NyraConfig::FECGGain},
    {IDC_TREND_SPEED, NRConstMap::CMAP_TREND_SPEED, &NyraConfig::TrendSpeed},
};

constexpr LabelText kLabels[] = {
    {IDC_HEADING, IDS_DISPLAY_HEADING, false},
    {1568, IDS_ALARM_SOUND, false},
    {IDC_SOUND_ON, IDS_ON, false},
    {IDC_SOUND_OFF, IDS_OFF, false},
    {1414, IDS_TOP_GRAPH, false},
    {1415, IDS_BOTTOM_GRAPH, false},
    {1360, IDS_SWEEP_SPEED, true},
    {1362, IDS_ECG_GAIN, true},
    {1432, IDS_FECG_GAIN, true},
    {1361, IDS_TREND_SPEED, true},
    {1570, IDS_AUTO_RECORDING_TIME, false},
    {1418, IDS_PERIOD, true},
    {1407, IDS_CONNECTION_INFORMATION, false},
    {1517, IDS_DEVICE_MODEL, true},
    {1518, IDS_DEVICE_VERSION, true},
    {1519, IDS_CONNECTION_METHOD, true},
    {1434, IDS_GRAPH, false},
    {IDC_SET_DEFAULT, IDS_DEFAULT, false},
    {IDC_APPLY, IDS_APPLY, false},
};

// The lists each display mode (1 to 4) disables.
constexpr int kAntepartumOff[] = {IDC_TOP_GRAPH, IDC_BOTTOM_GRAPH, IDC_SWEEP_SPEED, IDC_ECG_GAIN, IDC_FECG_GAIN};
constexpr int kMotherOff[] = {IDC_TOP_GRAPH, IDC_BOTTOM_GRAPH, IDC_FECG_GAIN};

} // namespace

CClientDisplayPage::CClientDisplayPage(NyraClientInfo* pClient, ClientGone gone)
    : CClientPage(IDD_CLIENT_DISPLAY, pClient, std::move(gone))
{
}

BOOL CClientDisplayPage::OnInitDialog()
{
    CClientPage::OnInitDialog();
    SetLabelTexts(*this, kLabels);
    return TRUE;
}

CString CClientDisplayPage::ConnectionText(const BYTE address[4], UINT comPort)
{
    CString text;
    if (address[0] != 0 || address[1] != 0 || address[2] != 0 || address[3] != 0)
        text.Format("LAN (%d:%d:%d:%d)", address[0], address[1], address[2], address[3]);
    else if (comPort > 0)
        text.Format("SERIAL (COM%u)", comPort);
    return text;
}

void CClientDisplayPage::Reload()
{
    const PKMonitor_v110& monitor = m_pClient->GetMonitorPacket();
    SetDlgItemText(IDC_MODEL, NRConstMap::GetModelText(monitor.GetModelType()));
    SetDlgItemText(IDC_VERSION, monitor.GetVersionToSting());
    SetDlgItemText(IDC_CONNECTION, ConnectionText(m_pClient->GetPeerAddr(), m_pClient->GetComPort()));

    const NyraConfig config = m_pClient->GetConfig();
    CheckRadioButton(IDC_SOUND_ON, IDC_SOUND_OFF, config.AllAlarmSound != 0 ? IDC_SOUND_ON : IDC_SOUND_OFF);
    for (const MapList& list : kLists)
        FillMapList(*this, list.id, list.map, config.*list.setting);
    FillPeriodList(*this, IDC_PERIOD, config.RecordLimit);

    switch (monitor.GetDisplayMode()) {
    case 1: EnableControls(*this, kAntepartumOff, FALSE); break;
    case 2:
    case 4: EnableControls(*this, kMotherOff, FALSE); break;
    default: break;
    }
}

void CClientDisplayPage::OnSetDefault()
{
    const NyraConfig config = m_pClient->GetConfig();
    CheckRadioButton(IDC_SOUND_ON, IDC_SOUND_OFF, config.AllAlarmSound != 0 ? IDC_SOUND_ON : IDC_SOUND_OFF);
    for (const MapList& list : kLists)
        SelectListValue(*this, list.id, config.*list.setting);
    SelectListValue(*this, IDC_PERIOD, 0);
}

void CClientDisplayPage::OnApply()
{
    if (IsClientGone())
        return;
    NyraConfig config = m_pClient->GetConfig();
    config.AllAlarmSound = IsDlgButtonChecked(IDC_SOUND_ON) == BST_CHECKED ? 1 : 0;
    for (const MapList& list : kLists)
        config.*list.setting = int(SelectedListValue(*this, list.id, config.*list.setting));
    config.RecordLimit = int(SelectedListValue(*this, IDC_PERIOD, config.RecordLimit));
    m_pClient->SetConfig(config, FALSE);
    m_pClient->RedrawControl();
}

const platform::MessageMap* CClientDisplayPage::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Command<&CClientDisplayPage::OnSetDefault>(IDC_SET_DEFAULT),
        Command<&CClientDisplayPage::OnApply>(IDC_APPLY),
    };
    static constexpr platform::MessageMap kMap{&CClientPage::GetThisMessageMap, kEntries};
    return &kMap;
}

} // namespace tarvic::bed
