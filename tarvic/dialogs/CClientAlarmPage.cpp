// The alarm settings page.
#include "tarvic/dialogs/CClientAlarmPage.h"

#include "tarvic/dialogs/ApplyToMonitor.h"
#include "tarvic/dialogs/BedDialogControls.h"
#include "tarvic/dialogs/CAlarmLimitDlg.h"
#include "tarvic/res/BedDialogIds.h"

#include "nyraclient/client/NyraClientInfo.h"

#include "platform/msg/MessageMap.h"
#include "platform/ui/controls/Button.h"

#include <cmath>
#include <iterator>

namespace tarvic::bed {
namespace {

using Switch = BYTE (PKAlarm_v110::*)() const;
using SetSwitch = void (PKAlarm_v110::*)(BYTE);
using Limit = void (PKAlarm_v110::*)(int&, int&) const;
using SetLimit = void (PKAlarm_v110::*)(int, int);

// A parameter's alarm group: its check box, the group box it enables, and the packet's switch.
struct Group
{
    int check;
    int box;
    UINT text;
    Switch get;
    SetSwitch set;
};

enum GroupIndex
{
    kGroupFHR1,
    kGroupFHR2,
    kGroupFECG,
    kGroupFSpO2,
    kGroupECG,
    kGroupMSpO2,
    kGroupTemp,
    kGroupNIBP,
    kGroupUC,
    kGroupIUP
};

constexpr Group kGroups[CClientAlarmPage::kGroupCount] = {
    {1566, 1516, IDS_PARAM_FHR1, &PKAlarm_v110::GetFHR1AlarmEnable, &PKAlarm_v110::SetFHR1AlarmEnable},
    {1570, 1505, IDS_PARAM_FHR2, &PKAlarm_v110::GetFHR2AlarmEnable, &PKAlarm_v110::SetFHR2AlarmEnable},
    {1571, 1422, IDS_PARAM_FECG, &PKAlarm_v110::GetFECGAlarmEnable, &PKAlarm_v110::SetFECGAlarmEnable},
    {1581, 1424, IDS_PARAM_FSPO2, &PKAlarm_v110::GetFSpO2AlarmEnable, &PKAlarm_v110::SetFSpO2AlarmEnable},
    {1568, 1423, IDS_PARAM_ECG, &PKAlarm_v110::GetECGAlarmEnable, &PKAlarm_v110::SetECGAlarmEnable},
    {1583, 1425, IDS_PARAM_MSPO2, &PKAlarm_v110::GetSpO2AlarmEnable, &PKAlarm_v110::SetSpO2AlarmEnable},
    {1584, 1420, IDS_PARAM_TEMP, &PKAlarm_v110::GetTempAlarmEnable, &PKAlarm_v110::SetTempAlarmEnable},
    {1585, 1243, IDS_PARAM_NIBP, &PKAlarm_v110::GetNIBPAlarmEnable, &PKAlarm_v110::SetNIBPAlarmEnable},
    {1582, 1525, IDS_PARAM_UC, &PKAlarm_v110::GetUCAlarmEnable, &PKAlarm_v110::SetUCAlarmEnable},
    {1586, 1534, IDS_PARAM_IUP, &PKAlarm_v110::GetIUPAlarmEnable, &PKAlarm_v110::SetIUPAlarmEnable},
};

// A level list (or the NIBP source list) and the packet field it edits.
struct LevelList
{
    int id;
    NRConstMap::CMAP_TYPE map;
    Switch get;
    SetSwitch set;
};

constexpr LevelList kLevels[] = {
    {1565, NRConstMap::CMAP_ALARM_LEVEL, &PKAlarm_v110::GetFHR1Level, &PKAlarm_v110::SetFHR1Level},
    {1569, NRConstMap::CMAP_ALARM_LEVEL, &PKAlarm_v110::GetFHR2Level, &PKAlarm_v110::SetFHR2Level},
    {1572, NRConstMap::CMAP_ALARM_LEVEL, &PKAlarm_v110::GetFECGLevel, &PKAlarm_v110::SetFECGLevel},
    {1576, NRConstMap::CMAP_ALARM_LEVEL, &PKAlarm_v110::GetFSpO2Level, &PKAlarm_v110::SetFSpO2Level},
    {1577, NRConstMap::CMAP_ALARM_LEVEL, &PKAlarm_v110::GetFSpO2RLevel, &PKAlarm_v110::SetFSpO2RLevel},
    {1567, NRConstMap::CMAP_ALARM_LEVEL, &PKAlarm_v110::GetECGLevel, &PKAlarm_v110::SetECGLevel},
    {1573, NRConstMap::CMAP_ALARM_LEVEL, &PKAlarm_v110::GetSpO2Level, &PKAlarm_v110::SetSpO2Level},
    {1574, NRConstMap::CMAP_ALARM_LEVEL, &PKAlarm_v110::GetSpO2RLevel, &PKAlarm_v110::SetSpO2RLevel},
    {1575, NRConstMap::CMAP_ALARM_LEVEL, &PKAlarm_v110::GetTempLevel, &PKAlarm_v110::SetTempLevel},
    {1578, NRConstMap::CMAP_ALARM_LEVEL, &PKAlarm_v110::GetNIBPLevel, &PKAlarm_v110::SetNIBPLevel},
    {1107, NRConstMap::CMAP_NIBP_VALUE, &PKAlarm_v110::GetNIBPSource, &PKAlarm_v110::SetNIBPSource},
    {1580, NRConstMap::CMAP_ALARM_LEVEL, &PKAlarm_v110::GetUCLevel, &PKAlarm_v110::SetUCLevel},
    {1579, NRConstMap::CMAP_ALARM_LEVEL, &PKAlarm_v110::GetIUPLevel, &PKAlarm_v110::SetIUPLevel},
};

// A limit button: the pair it edits, how the limit dialog shows it and the packet's accessors
// (none for the temperature, which the packet holds in degrees).
struct LimitButton
{
    int id;
    CClientAlarmPage::Pair pair;
    int decimal;
    int min;
    int max;
    int lowFixed;
    int highFixed;
    Limit get;
    SetLimit set;
};

constexpr int kFHRMaxDefault = 210;
constexpr int kFHRMaxWide = 240; // monitors of model value 1
constexpr int kSpO2Top = 100;

constexpr LimitButton kButtons[CClientAlarmPage::kPairCount] = {
    {1527, CClientAlarmPage::kFHR1, 0, 50, kFHRMaxDefault, 0, 0, &PKAlarm_v110::GetFHR1Limit, &PKAlarm_v110::SetFHR1Limit},
    {1528, CClientAlarmPage::kFHR2, 0, 50, kFHRMaxDefault, 0, 0, &PKAlarm_v110::GetFHR2Limit, &PKAlarm_v110::SetFHR2Limit},
    {1533, CClientAlarmPage::kFECG, 0, 30, 300, 0, 0, &PKAlarm_v110::GetFECGLimit, &PKAlarm_v110::SetFECGLimit},
    {1536, CClientAlarmPage::kFSpO2, 0, 0, 100, 0, 0, &PKAlarm_v110::GetFSpO2Limit, &PKAlarm_v110::SetFSpO2Limit},
    {1542, CClientAlarmPage::kFSpO2Rate, 0, 30, 300, 0, 0, &PKAlarm_v110::GetFSpO2RLimit, &PKAlarm_v110::SetFSpO2RLimit},
    {1545, CClientAlarmPage::kECG, 0, 30, 300, 0, 0, &PKAlarm_v110::GetECGLimit, &PKAlarm_v110::SetECGLimit},
    {1546, CClientAlarmPage::kSpO2, 0, 0, 100, 0, 1, &PKAlarm_v110::GetSpO2Limit, &PKAlarm_v110::SetSpO2Limit},
    {1547, CClientAlarmPage::kSpO2Rate, 0, 30, 300, 0, 0, &PKAlarm_v110::GetSpO2RLimit, &PKAlarm_v110::SetSpO2RLimit},
    {1548, CClientAlarmPage::kTemp, 1, 150, 450, 0, 0, nullptr, nullptr},
    {1549, CClientAlarmPage::kNIBP, 0, 0, 300, 0, 0, &PKAlarm_v110::GetNIBPLimit, &PKAlarm_v110::SetNIBPLimit},
    {1543, CClientAlarmPage::kUC, 0, 1, 240, 0, 0, &PKAlarm_v110::GetUCLimit, &PKAlarm_v110::SetUCLimit},
    {1544, CClientAlarmPage::kUCDuration, 0, 1, 30, 1, 0, &PKAlarm_v110::GetUCFreqLimit, &PKAlarm_v110::SetUCFreqLimit},
    {1550, CClientAlarmPage::kIUP, 0, 1, 240, 0, 0, &PKAlarm_v110::GetIUPLimit, &PKAlarm_v110::SetIUPLimit},
    {1551, CClientAlarmPage::kIUPDuration, 0, 1, 30, 1, 0, &PKAlarm_v110::GetIUPFreqLimit, &PKAlarm_v110::SetIUPFreqLimit},
};

constexpr LabelText kLabels[] = {
    {IDC_HEADING, IDS_ALARM_HEADING, false},
    {IDC_APPLY, IDS_APPLY, false},
    {1523, IDS_LIMIT, true}, {1511, IDS_LIMIT, true}, {1441, IDS_LIMIT, true}, {1532, IDS_LIMIT, true},
    {1448, IDS_LIMIT, true}, {1434, IDS_LIMIT, true}, {1463, IDS_LIMIT, true}, {1541, IDS_LIMIT, true},
    {1522, IDS_LEVEL, true}, {1513, IDS_LEVEL, true}, {1440, IDS_LEVEL, true}, {1531, IDS_LEVEL, true},
    {1447, IDS_LEVEL, true}, {1433, IDS_LEVEL, true}, {1462, IDS_LEVEL, true}, {1540, IDS_LEVEL, true},
    {1535, IDS_DUR_LIMIT, true}, {1537, IDS_DUR_LIMIT, true},
    {1464, IDS_SOURCE, true},
};

// The SpO2 groups' labels: parameter text, a blank, the word and " : ".
struct SpO2Label
{
    int id;
    UINT parameter;
    UINT word;
};

constexpr SpO2Label kSpO2Labels[] = {
    {1482, IDS_PARAM_FSPO2_PCT, IDS_LIMIT}, {1486, IDS_PARAM_FSPO2_PCT, IDS_LEVEL},
    {1483, IDS_PARAM_FSPO2_PR, IDS_LIMIT},  {1481, IDS_PARAM_FSPO2_PR, IDS_LEVEL},
    {1471, IDS_PARAM_MSPO2_PCT, IDS_LIMIT}, {1475, IDS_PARAM_MSPO2_PCT, IDS_LEVEL},
    {1472, IDS_PARAM_MSPO2_PR, IDS_LIMIT},  {1470, IDS_PARAM_MSPO2_PR, IDS_LEVEL},
};

// The groups each display mode (1 to 4) switches off for good.
constexpr int kAntepartumOff[] = {kGroupFECG, kGroupFSpO2, kGroupECG, kGroupMSpO2, kGroupNIBP, kGroupTemp, kGroupIUP};
constexpr int kMotherFetalOff[] = {kGroupFECG, kGroupFSpO2, kGroupIUP};
constexpr int kMotherOnlyOff[] = {kGroupFHR1, kGroupFHR2, kGroupFECG, kGroupFSpO2, kGroupUC, kGroupIUP};

std::span<const int> GroupsOffIn(int displayMode)
{
    switch (displayMode) {
    case 1: return kAntepartumOff;
    case 2: return kMotherFetalOff;
    case 4: return kMotherOnlyOff;
    default: return {};
    }
}

int ToTenths(float degrees) { return static_cast<int>(std::lround(degrees * 10.0f)); }

} // namespace

CClientAlarmPage::CClientAlarmPage(NyraClientInfo* pClient, ClientGone gone)
    : CClientPage(IDD_CLIENT_ALARM, pClient, std::move(gone))
{
}

BOOL CClientAlarmPage::OnInitDialog()
{
    CClientPage::OnInitDialog();
    SetLabelTexts(*this, kLabels);
    for (const SpO2Label& label : kSpO2Labels)
        SetDlgItemText(label.id, LoadText(label.parameter) + " " + LoadText(label.word, true));
    if (CWnd* setDefault = GetDlgItem(IDC_SET_DEFAULT))
        setDefault->ShowWindow(SW_HIDE);
    for (size_t i = 0; i < std::size(kGroups); ++i) {
        m_Checks[i].SubclassDlgItem(UINT(kGroups[i].check), this);
        m_Checks[i].SetWindowText(LoadText(kGroups[i].text));
        m_Checks[i].SetGroupbox(UINT(kGroups[i].box));
    }
    return TRUE;
}

void CClientAlarmPage::Reload()
{
    const PKAlarm_v110& packet = m_pClient->GetAlarmPacket();
    for (size_t i = 0; i < std::size(kGroups); ++i)
        m_Checks[i].SetCheck((packet.*kGroups[i].get)() != 0 ? BST_CHECKED : BST_UNCHECKED);
    for (const LevelList& level : kLevels)
        FillMapList(*this, level.id, level.map, (packet.*level.get)());
    for (const LimitButton& button : kButtons) {
        auto& pair = m_Limits[size_t(button.pair)];
        if (button.get != nullptr) {
            (packet.*button.get)(pair[0], pair[1]);
        } else {
            float lower = 0;
            float upper = 0;
            packet.GetTempLimit(lower, upper);
            pair = {ToTenths(lower), ToTenths(upper)};
        }
    }
    WriteLimitTexts();
    for (int group : GroupsOffIn(m_pClient->GetMonitorPacket().GetDisplayMode())) {
        m_Checks[size_t(group)].SetCheck(BST_UNCHECKED);
        m_Checks[size_t(group)].EnableWindow(FALSE);
    }
}

void CClientAlarmPage::WriteLimitTexts()
{
    for (const LimitButton& button : kButtons) {
        const auto& pair = m_Limits[size_t(button.pair)];
        CString text;
        if (button.decimal)
            text.Format("%.1f ~ %.1f", pair[0] / 10.0, pair[1] / 10.0);
        else
            text.Format("%d ~ %d", pair[0], pair[1]);
        SetDlgItemText(button.id, text);
    }
}

void CClientAlarmPage::OnLimitButton(UINT nID)
{
    const LimitButton* button = nullptr;
    for (const LimitButton& candidate : kButtons)
        if (UINT(candidate.id) == nID)
            button = &candidate;
    if (button == nullptr || IsClientGone())
        return;
    auto& pair = m_Limits[size_t(button->pair)];
    int max = button->max;
    if ((button->pair == kFHR1 || button->pair == kFHR2) && m_pClient->GetMonitorPacket().GetModelType() == 1)
        max = kFHRMaxWide;
    // The SpO2 upper limit is fixed at the top of the scale, whatever the answer.
    if (button->highFixed)
        pair[1] = kSpO2Top;
    CAlarmLimitDlg dialog(this);
    dialog.SetLimitInfo(button->decimal, pair[0], pair[1], button->min, max, button->lowFixed, button->highFixed);
    if (dialog.DoModal() == IDOK && !IsClientGone()) {
        pair[0] = dialog.GetLowLimit();
        if (!button->highFixed)
            pair[1] = dialog.GetHighLimit();
    }
    WriteLimitTexts();
}

PKAlarm_v110 CClientAlarmPage::BuildPacket()
{
    PKAlarm_v110 packet(m_pClient->GetAlarmPacket());
    for (size_t i = 0; i < std::size(kGroups); ++i)
        (packet.*kGroups[i].set)(m_Checks[i].GetCheck() == BST_CHECKED ? 1 : 0);
    for (const LevelList& level : kLevels)
        (packet.*level.set)(static_cast<BYTE>(SelectedListValue(*this, level.id, (packet.*level.get)())));
    for (const LimitButton& button : kButtons) {
        const auto& pair = m_Limits[size_t(button.pair)];
        if (button.set != nullptr)
            (packet.*button.set)(pair[0], pair[1]);
        else
            packet.SetTempLimit(pair[0] / 10.0f, pair[1] / 10.0f);
    }
    return packet;
}

void CClientAlarmPage::OnApply()
{
    if (IsClientGone() || IsApplyWaiting())
        return;
    ApplyToMonitor(*this, *m_pClient, m_ClientGone, BuildPacket());
}

const platform::MessageMap* CClientAlarmPage::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Command<&CClientAlarmPage::OnApply>(IDC_APPLY),
        CommandRange<&CClientAlarmPage::OnLimitButton>(1527, 1551),
    };
    static constexpr platform::MessageMap kMap{&CClientPage::GetThisMessageMap, kEntries};
    return &kMap;
}

} // namespace tarvic::bed
