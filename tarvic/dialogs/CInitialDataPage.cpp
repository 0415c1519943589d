// The initial data page.
#include "tarvic/dialogs/CInitialDataPage.h"

#include "tarvic/dialogs/BedDialogControls.h"
#include "tarvic/res/BedDialogIds.h"
#include "tarvic/res/ConfigDialogIds.h"

#include "platform/msg/MessageMap.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/ComboBox.h"

namespace tarvic::config {
namespace {

using bed::LabelText;

constexpr int IDC_HEIGHT_UNIT = 1559;
constexpr int IDC_WEIGHT_UNIT = 1560;
constexpr int IDC_NIBP_UNIT = 1561;
constexpr int IDC_TEMP_UNIT = 1053;
constexpr int IDC_TOP_GRAPH = 1416;
constexpr int IDC_BOTTOM_GRAPH = 1417;
constexpr int IDC_SWEEP_SPEED = 1419;
constexpr int IDC_TREND_SPEED = 1420;
constexpr int IDC_ECG_GAIN = 1421;
constexpr int IDC_FECG_GAIN = 1422;
constexpr int IDC_PERIOD = 1423;
constexpr int IDC_DEFAULT = 1204;

// The lists filled from a map, and the setting each edits.
struct MapList
{
    int id;
    NRConstMap::CMAP_TYPE map;
    int NyraSettings::*setting;
};

constexpr MapList kLists[] = {
    {IDC_HEIGHT_UNIT, NRConstMap::CMAP_HEIGHT_UNIT, &NyraSettings::HeightUnit},
    {IDC_WEIGHT_UNIT, NRConstMap::CMAP_WEIGHT_UNIT, &NyraSettings::WeightUnit},
    {IDC_NIBP_UNIT, NRConstMap::CMAP_NIBP_UNIT, &NyraSettings::NIBPUnit},
    {IDC_TOP_GRAPH, NRConstMap::CMAP_WAVE_CHANNEL, &NyraSettings::TopGraph},
    {IDC_BOTTOM_GRAPH, NRConstMap::CMAP_WAVE_CHANNEL, &NyraSettings::BottomGraph},
    {IDC_SWEEP_SPEED, NRConstMap::CMAP_ECG_SPEED, &NyraSettings::SweepSpeed},
    {IDC_TREND_SPEED, NRConstMap::CMAP_TREND_SPEED, &NyraSettings::TrendSpeed},
    {IDC_ECG_GAIN, NRConstMap::CMAP_ECG_GAIN, &NyraSettings::ECGGain},
    {IDC_FECG_GAIN, NRConstMap::CMAP_ECG_GAIN, &NyraSettings::FECGGain},
};

// The On/Off pairs: the "On" button, the "Off" button and the setting (1 on, 0 off).
struct RadioPair
{
    int on;
    int off;
    int NyraSettings::*setting;
};

constexpr RadioPair kRadios[] = {
    {1426, 1427, &NyraSettings::AllAlarmSound},
    {1428, 1429, &NyraSettings::DevicePositionFix},
    {1430, 1431, &NyraSettings::RecordOnAdmit},
};

// The values of "Default".
struct DefaultValue
{
    int NyraSettings::*setting;
    int value;
};

constexpr DefaultValue kDefaults[] = {
    {&NyraSettings::HeightUnit, 1},    {&NyraSettings::WeightUnit, 1},   {&NyraSettings::NIBPUnit, 1},
    {&NyraSettings::TempUnit, 1},      {&NyraSettings::SweepSpeed, 3},   {&NyraSettings::TrendSpeed, 3},
    {&NyraSettings::ECGGain, 3},       {&NyraSettings::FECGGain, 3},     {&NyraSettings::TopGraph, 1},
    {&NyraSettings::BottomGraph, 2},   {&NyraSettings::AllAlarmSound, 1}, {&NyraSettings::DevicePositionFix, 0},
    {&NyraSettings::RecordOnAdmit, 0}, {&NyraSettings::RecordLimit, 0},
};

constexpr LabelText kLabels[] = {
    {1400, IDS_INITIAL_HEADING, false},
    {IDC_DEFAULT, bed::IDS_DEFAULT, false},
    {1402, IDS_BASE_UNIT, false},
    {1497, bed::IDS_HEIGHT, true},
    {1496, bed::IDS_WEIGHT, true},
    {1562, IDS_PRESSURE, true},
    {1289, bed::IDS_PARAM_TEMP, true},
    {1434, bed::IDS_GRAPH, false},
    {1414, bed::IDS_TOP_GRAPH, true},
    {1415, bed::IDS_BOTTOM_GRAPH, true},
    {1567, bed::IDS_SWEEP_SPEED, true},
    {1361, bed::IDS_TREND_SPEED, true},
    {1362, bed::IDS_ECG_GAIN, true},
    {1432, bed::IDS_FECG_GAIN, true},
    {1570, bed::IDS_AUTO_RECORDING_TIME, false},
    {1418, bed::IDS_PERIOD, true},
    {1568, bed::IDS_ALARM_SOUND, false},
    {1569, IDS_DEVICE_POSITION_FIX, false},
    {1573, IDS_RECORD_ON_ADMIT, false},
    {1426, bed::IDS_ON, false},
    {1427, bed::IDS_OFF, false},
    {1428, bed::IDS_ON, false},
    {1429, bed::IDS_OFF, false},
    {1430, bed::IDS_ON, false},
    {1431, bed::IDS_OFF, false},
};

} // namespace

CInitialDataPage::CInitialDataPage() : CConfigPage(IDD_INITIAL_DATA) {}

BOOL CInitialDataPage::OnInitDialog()
{
    CConfigPage::OnInitDialog();
    bed::SetLabelTexts(*this, kLabels);
    if (m_pConfig != nullptr)
        Reload();
    return TRUE;
}

void CInitialDataPage::Reload()
{
    const NyraConfig& config = *m_pConfig;
    for (const MapList& list : kLists)
        bed::FillMapList(*this, list.id, list.map, config.*list.setting);
    SendDlgItemMessage(IDC_TEMP_UNIT, CB_RESETCONTENT);
    bed::AddListEntry(*this, IDC_TEMP_UNIT, NRConstMap::GetTempUnitText(1), 1);
    bed::AddListEntry(*this, IDC_TEMP_UNIT, NRConstMap::GetTempUnitText(2), 2);
    SendDlgItemMessage(IDC_TEMP_UNIT, CB_SETCURSEL, config.TempUnit == 1 ? 0 : 1);
    bed::FillPeriodList(*this, IDC_PERIOD, config.RecordLimit);
    for (const RadioPair& pair : kRadios)
        CheckRadioButton(pair.on, pair.off, config.*pair.setting != 0 ? pair.on : pair.off);
    UpdateData(FALSE);
}

void CInitialDataPage::Store()
{
    if (m_pConfig == nullptr)
        return;
    NyraConfig& config = *m_pConfig;
    for (const MapList& list : kLists)
        config.*list.setting = int(bed::SelectedListValue(*this, list.id, config.*list.setting));
    config.TempUnit = int(bed::SelectedListValue(*this, IDC_TEMP_UNIT, config.TempUnit));
    config.RecordLimit = int(bed::SelectedListValue(*this, IDC_PERIOD, config.RecordLimit));
    for (const RadioPair& pair : kRadios)
        config.*pair.setting = IsDlgButtonChecked(pair.on) == BST_CHECKED ? 1 : 0;
}

void CInitialDataPage::OnSetDefault()
{
    if (m_pConfig == nullptr)
        return;
    for (const DefaultValue& entry : kDefaults)
        m_pConfig->*entry.setting = entry.value;
    SendMessage(WM_SHOWWINDOW, TRUE, 0);
}

const platform::MessageMap* CInitialDataPage::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Control<&CInitialDataPage::Store>(CBN_SELCHANGE, IDC_HEIGHT_UNIT),
        Control<&CInitialDataPage::Store>(CBN_SELCHANGE, IDC_WEIGHT_UNIT),
        Control<&CInitialDataPage::Store>(CBN_SELCHANGE, IDC_NIBP_UNIT),
        Control<&CInitialDataPage::Store>(CBN_SELCHANGE, IDC_TEMP_UNIT),
        Control<&CInitialDataPage::Store>(CBN_SELCHANGE, IDC_TOP_GRAPH),
        Control<&CInitialDataPage::Store>(CBN_SELCHANGE, IDC_BOTTOM_GRAPH),
        Control<&CInitialDataPage::Store>(CBN_SELCHANGE, IDC_SWEEP_SPEED),
        Control<&CInitialDataPage::Store>(CBN_SELCHANGE, IDC_TREND_SPEED),
        Control<&CInitialDataPage::Store>(CBN_SELCHANGE, IDC_ECG_GAIN),
        Control<&CInitialDataPage::Store>(CBN_SELCHANGE, IDC_FECG_GAIN),
        Control<&CInitialDataPage::Store>(CBN_SELCHANGE, IDC_PERIOD),
        Command<&CInitialDataPage::Store>(1426),
        Command<&CInitialDataPage::Store>(1427),
        Command<&CInitialDataPage::Store>(1428),
        Command<&CInitialDataPage::Store>(1429),
        Command<&CInitialDataPage::Store>(1430),
        Command<&CInitialDataPage::Store>(1431),
        Command<&CInitialDataPage::OnSetDefault>(IDC_DEFAULT),
    };
    static constexpr platform::MessageMap kMap{&CConfigPage::GetThisMessageMap, kEntries};
    return &kMap;
}

} // namespace tarvic::config
