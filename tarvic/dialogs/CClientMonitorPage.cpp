// The monitor settings page.
#include "tarvic/dialogs/CClientMonitorPage.h"

#include "tarvic/dialogs/ApplyToMonitor.h"
#include "tarvic/dialogs/BedDialogControls.h"
#include "tarvic/res/BedDialogIds.h"

#include "nyraclient/client/NyraClientInfo.h"

#include "platform/msg/MessageMap.h"

#include <algorithm>

namespace tarvic::bed {
namespace {

using Get = BYTE (PKMonitor_v110::*)() const;
using Set = void (PKMonitor_v110::*)(BYTE);

enum ListIndex
{
    kDisplayMode,
    kECGLead,
    kECGVolume,
    kECGFilter,
    kECGACFilter,
    kPacemaker,
    kSpO2Volume,
    kNIBPCuff,
    kNIBPInterval,
    kNIBPMode,
    kUCOffset,
    kIUPOffset,
    kFECGVolume,
    kFECGFilter,
    kFECGACFilter,
    kFSpO2Volume,
    kFHRAutoGain,
    kFHR1Volume,
    kFHR2Volume,
    kFHR2Offset,
    kFetalMovement,
    kAutoZeroing,
    kListCount
};

// A list: its control, its label and text, the values it offers, the packet field it edits and
// the value Set Default selects.
struct MonitorList
{
    int id;
    int label;
    UINT text;
    NRConstMap::CMAP_TYPE map;
    Get get;
    Set set;
    int defaultValue;
};

constexpr MonitorList kLists[kListCount] = {
    {1502, 1346, IDS_DISPLAY_MODE, NRConstMap::CMAP_DISPLAY_MODE, &PKMonitor_v110::GetDisplayMode, &PKMonitor_v110::SetDisplayMode, 1},
    {1192, 1279, IDS_ECG_LEAD, NRConstMap::CMAP_ECG_LEAD, &PKMonitor_v110::GetECGLead, &PKMonitor_v110::SetECGLead, 1},
    {1193, 1280, IDS_ECG_VOLUME, NRConstMap::CMAP_VOLUME5, &PKMonitor_v110::GetQRSVolume, &PKMonitor_v110::SetQRSVolume, 3},
    {1045, 1282, IDS_ECG_FILTER, NRConstMap::CMAP_ECG_FILTER, &PKMonitor_v110::GetECGFilter, &PKMonitor_v110::SetECGFilter, 2},
    {1421, 1420, IDS_ECG_AC_FILTER, NRConstMap::CMAP_AC_FILTER, &PKMonitor_v110::GetECGACFilter, &PKMonitor_v110::SetECGACFilter, 2},
    {1429, 1283, IDS_PACEMAKER, NRConstMap::CMAP_PACEMAKER, &PKMonitor_v110::GetPace, &PKMonitor_v110::SetPace, 1},
    {1436, 1286, IDS_SPO2_VOLUME, NRConstMap::CMAP_VOLUME5, &PKMonitor_v110::GetSpO2RateVolume, &PKMonitor_v110::SetSpO2RateVolume, 3},
    {1048, 1284, IDS_NIBP_CUFF, NRConstMap::CMAP_NIBP_CUFF, &PKMonitor_v110::GetNIBPCuffType, &PKMonitor_v110::SetNIBPCuffType, 1},
    {1051, 1288, IDS_NIBP_INTERVAL, NRConstMap::CMAP_NIBP_INTERVAL, &PKMonitor_v110::GetNIBPInterval, &PKMonitor_v110::SetNIBPInterval, 0},
    {1433, 1432, IDS_NIBP_MODE, NRConstMap::CMAP_MANUAL_AUTO, &PKMonitor_v110::GetNIBPMode, &PKMonitor_v110::SetNIBPMode, 1},
    {1442, 1441, IDS_UC_OFFSET, NRConstMap::CMAP_OFFSET, &PKMonitor_v110::GetUCOffset, &PKMonitor_v110::SetUCOffset, 2},
    {1449, 1448, IDS_IUP_OFFSET, NRConstMap::CMAP_OFFSET, &PKMonitor_v110::GetIUPOffset, &PKMonitor_v110::SetIUPOffset, 2},
    {1194, 1281, IDS_FECG_VOLUME, NRConstMap::CMAP_VOLUME5, &PKMonitor_v110::GetFQRSVolume, &PKMonitor_v110::SetFQRSVolume, 3},
    {1435, 1434, IDS_FECG_FILTER, NRConstMap::CMAP_ECG_FILTER, &PKMonitor_v110::GetFECGFilter, &PKMonitor_v110::SetFECGFilter, 2},
    {1431, 1430, IDS_FECG_AC_FILTER, NRConstMap::CMAP_AC_FILTER, &PKMonitor_v110::GetFECGACFilter, &PKMonitor_v110::SetFECGACFilter, 2},
    {1437, 1287, IDS_FSPO2_VOLUME, NRConstMap::CMAP_VOLUME5, &PKMonitor_v110::GetFSpO2RateVolume, &PKMonitor_v110::SetFSpO2RateVolume, 3},
    {1438, 1285, IDS_FHR_AUTO_GAIN, NRConstMap::CMAP_ON_OFF, &PKMonitor_v110::GetFHRAutoGainControl, &PKMonitor_v110::SetFHRAutoGainControl, 1},
    {1440, 1289, IDS_FHR1_VOLUME, NRConstMap::CMAP_VOLUME9, &PKMonitor_v110::GetFHR1Volume, &PKMonitor_v110::SetFHR1Volume, 3},
    {1196, 1291, IDS_FHR2_VOLUME, NRConstMap::CMAP_VOLUME9, &PKMonitor_v110::GetFHR2Volume, &PKMonitor_v110::SetFHR2Volume, 3},
    {1443, 1290, IDS_FHR2_OFFSET, NRConstMap::CMAP_FHR2_OFFSET, &PKMonitor_v110::GetFHR2Offset, &PKMonitor_v110::SetFHR2Offset, 3},
    {1447, 1446, IDS_FETAL_MOVEMENT, NRConstMap::CMAP_ON_OFF, &PKMonitor_v110::GetFetalMovement, &PKMonitor_v110::SetFetalMovement, 1},
    {1445, 1444, IDS_AUTO_ZEROING, NRConstMap::CMAP_ON_OFF, &PKMonitor_v110::GetAutoZeroing, &PKMonitor_v110::SetAutoZeroing, 1},
};

constexpr LabelText kLabels[] = {
    {IDC_HEADING, IDS_MONITOR_HEADING, false}, {1266, IDS_DEVICE_NUMBER, true},
    {1265, IDS_UNIT_NAME, true},               {1270, IDS_DEVICE_INFORMATION, false},
    {IDC_SET_DEFAULT, IDS_DEFAULT, false},     {IDC_APPLY, IDS_APPLY, false},
};

// The lists each display mode (1 to 4) disables for good.
constexpr int kAntepartumOff[] = {kDisplayMode, kECGLead,   kECGVolume,  kECGFilter,   kECGACFilter,
                                  kPacemaker,   kSpO2Volume, kNIBPCuff,  kNIBPInterval, kNIBPMode,
                                  kIUPOffset,   kFECGVolume, kFECGFilter, kFECGACFilter, kFSpO2Volume};
constexpr int kMotherFetalOff[] = {kDisplayMode, kIUPOffset, kFECGVolume, kFECGFilter, kFECGACFilter, kFSpO2Volume};
constexpr int kIntrapartumOff[] = {kDisplayMode};
constexpr int kMotherOnlyOff[] = {kDisplayMode,  kUCOffset,    kIUPOffset,   kAutoZeroing, kFECGVolume,
                                  kFECGFilter,   kFECGACFilter, kFSpO2Volume, kFHRAutoGain, kFHR1Volume,
                                  kFHR2Volume,   kFHR2Offset,   kFetalMovement};

std::span<const int> ListsOffIn(int displayMode)
{
    switch (displayMode) {
    case 1: return kAntepartumOff;
    case 2: return kMotherFetalOff;
    case 3: return kIntrapartumOff;
    case 4: return kMotherOnlyOff;
    default: return {};
    }
}

constexpr int kMonitorNumberLast = 16;

} // namespace

CClientMonitorPage::CClientMonitorPage(NyraClientInfo* pClient, ClientGone gone)
    : CClientPage(IDD_CLIENT_MONITOR, pClient, std::move(gone))
{
}

BOOL CClientMonitorPage::OnInitDialog()
{
    CClientPage::OnInitDialog();
    SetLabelTexts(*this, kLabels);
    for (const MonitorList& list : kLists)
        SetDlgItemText(list.label, LoadText(list.text, true));
    // The unit name is kept for the packet, never shown or edited.
    for (int id : {1265, 1062})
        if (CWnd* control = GetDlgItem(id))
            control->ShowWindow(SW_HIDE);
    return TRUE;
}

void CClientMonitorPage::Reload()
{
    const PKMonitor_v110& packet = m_pClient->GetMonitorPacket();
    FillNumberList(*this, IDC_MONITOR_NUMBER, 1, kMonitorNumberLast, packet.GetMonitorNumber());
    m_strUnitName = packet.GetUnitName();
    SetDlgItemText(1062, m_strUnitName);
    for (const MonitorList& list : kLists)
        FillMapList(*this, list.id, list.map, (packet.*list.get)());
    for (int index : ListsOffIn(packet.GetDisplayMode()))
        if (CWnd* control = GetDlgItem(kLists[size_t(index)].id))
            control->EnableWindow(FALSE);
}

void CClientMonitorPage::OnSetDefault()
{
    for (const MonitorList& list : kLists)
        SelectListValue(*this, list.id, list.defaultValue);
}

PKMonitor_v110 CClientMonitorPage::BuildPacket()
{
    PKMonitor_v110 packet(m_pClient->GetMonitorPacket());
    packet.SetMonitorNumber(static_cast<BYTE>(SelectedListValue(*this, IDC_MONITOR_NUMBER, packet.GetMonitorNumber())));
    for (const MonitorList& list : kLists)
        (packet.*list.set)(static_cast<BYTE>(SelectedListValue(*this, list.id, (packet.*list.get)())));
    return packet;
}

void CClientMonitorPage::OnApply()
{
    if (IsClientGone() || IsApplyWaiting())
        return;
    if (ApplyToMonitor(*this, *m_pClient, m_ClientGone, BuildPacket()) == ApplyResult::Applied && !IsClientGone())
        m_pClient->RedrawControl();
}

const platform::MessageMap* CClientMonitorPage::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Command<&CClientMonitorPage::OnSetDefault>(IDC_SET_DEFAULT),
        Command<&CClientMonitorPage::OnApply>(IDC_APPLY),
    };
    static constexpr platform::MessageMap kMap{&CClientPage::GetThisMessageMap, kEntries};
    return &kMap;
}

} // namespace tarvic::bed
