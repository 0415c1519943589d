// NyraControl: the parameter panel, the bed's numerics. Each numeric is a group of three items
// (label, value, third cell); the layout says which groups a monitor has and where each item
// stands, this file what each item reads and in which colour.
//
// Value texts come from the client's last parameter packet (sample 0) and its last NIBP reading;
// a value without data shows dashes, and a bed whose connection timed out shows "---" everywhere.
// A value in alarm is drawn in the colour of its alarm's level.
#include "nyraclient/bedwindow/NyraControl.h"

#include "nyraclient/bedwindow/AlarmColors.h"
#include "nyraclient/client/NyraClientInfo.h"

#include "ktutil/KTGF.h"

namespace {

constexpr UINT IDS_DEGREE_CELSIUS = 10057;
constexpr UINT IDS_DEGREE_FAHRENHEIT = 10058;
constexpr UINT IDS_MMHG = 10114;
constexpr UINT IDS_KPA = 10115;
// The second unit of the NIBP and temperature settings (kPa, degrees Fahrenheit); any other
// value means the first.
constexpr int kSecondUnit = 2;
constexpr double kKiloPascalPerMmHg = 0.133322;

constexpr char kNoValue[] = "---";
constexpr char kNoPressure[] = "---/---";
// NIBP statuses of the parameter packet besides the finished measurement.
constexpr BYTE kNIBPStatusMeasuring = 1;
constexpr BYTE kNIBPStatusAlarm = 5;

// What a value item reads when its sample is valid, and when not.
using ValueText = CString (*)(const PKParam_v110& p, const NyraConfig& config);

struct PanelGroup
{
    UINT label;                   // string id of the label
    int NyraSettings::*color;     // colour setting of the value
    ALARMTYPE alarm;              // the alarm the value belongs to
    int kind;                     // parameter data kind of the value's validity; 0 for NIBP
    BYTE (PKParam_v110::*alarmByte)() const;
    ValueText text;
    const char* noData;
};

CString Number(int value)
{
    CString text;
    text.Format("%d", value);
    return text;
}

// A pulse rate without data reads as dashes beside a valid saturation.
CString PulseRateAndSaturation(int rate, int saturation, const char* format)
{
    CString text;
    if (rate == PK_NODATA_WORD) {
        CString dashes;
        dashes.Format("%s/%d%%", kNoValue, saturation);
        return dashes;
    }
    text.Format(format, rate, saturation);
    return text;
}

CString Pressure(int systolic, int diastolic, int unit)
{
    CString text;
    if (unit == kSecondUnit)
        text.Format("%3.1f/%3.1f", systolic * kKiloPascalPerMmHg, diastolic * kKiloPascalPerMmHg);
    else
        text.Format("%3d/%3d", systolic, diastolic);
    return text;
}

const PanelGroup kGroups[] = {
    { 10170, &NyraSettings::GraphHR, ALARMTYPE_ECG, ParamKind::ECG, &PKParam_v110::GetECGAlarm,
      [](const PKParam_v110& p, const NyraConfig&) { return Number(p.GetECG(0)); }, kNoValue },
    { 10118, &NyraSettings::GraphSpO2, ALARMTYPE_MSPO2, ParamKind::SpO2, &PKParam_v110::GetSpO2Alarm,
      [](const PKParam_v110& p, const NyraConfig&) { return PulseRateAndSaturation(p.GetSpO2R(0), p.GetSpO2(0), "%3d/%2d%%"); },
      "---/--%" },
    { 10120, &NyraSettings::GraphNIBP, ALARMTYPE_NIBP, 0, &PKParam_v110::GetNIBPAlarm, nullptr, kNoPressure },
    { 10121, &NyraSettings::GraphTEMP, ALARMTYPE_TEMP, ParamKind::Temp, &PKParam_v110::GetTempAlarm,
      [](const PKParam_v110& p, const NyraConfig& config) {
          const double celsius = p.GetTemp();
          CString text;
          text.Format("%0.1f", config.TempUnit == kSecondUnit ? celsius * 9 / 5 + 32 : celsius);
          return text;
      },
      "--.-" },
    { 10124, &NyraSettings::GraphUC, ALARMTYPE_UC, ParamKind::UC, nullptr,
      [](const PKParam_v110& p, const NyraConfig&) { return Number(p.GetUC(0)); }, kNoValue },
    { 10125, &NyraSettings::GraphUC, ALARMTYPE_IUP, ParamKind::IUP, nullptr,
      [](const PKParam_v110& p, const NyraConfig&) { return Number(p.GetIUP(0)); }, kNoValue },
    { 10117, &NyraSettings::GraphFECG, ALARMTYPE_FECG, ParamKind::FECG, &PKParam_v110::GetFECGAlarm,
      [](const PKParam_v110& p, const NyraConfig&) { return Number(p.GetFECG(0)); }, kNoValue },
    { 10122, &NyraSettings::GraphFHR1, ALARMTYPE_FHR1, ParamKind::FHR1, &PKParam_v110::GetFHR1Alarm,
      [](const PKParam_v110& p, const NyraConfig&) { return Number(p.GetFHR1(0)); }, kNoValue },
    { 10123, &NyraSettings::GraphFHR2, ALARMTYPE_FHR2, ParamKind::FHR2, &PKParam_v110::GetFHR2Alarm,
      [](const PKParam_v110& p, const NyraConfig&) { return Number(p.GetFHR2(0)); }, kNoValue },
    { 10119, &NyraSettings::GraphFSpO2, ALARMTYPE_FSPO2, ParamKind::FSpO2, &PKParam_v110::GetFSpO2Alarm,
      [](const PKParam_v110& p, const NyraConfig&) { return PulseRateAndSaturation(p.GetFSpO2R(0), p.GetFSpO2(0), "%d/%d%%"); },
      "---/---%" },
};
static_assert(std::size(kGroups) * 3 == kParamItems);

enum class Cell
{
    Label,
    Value,
    Third,
};

const PanelGroup& GroupOf(PARAMITEM item) { return kGroups[item / 3]; }
Cell CellOf(PARAMITEM item) { return static_cast<Cell>(item % 3); }

// The NIBP value: a measurement in alarm, the running cuff pressure while measuring, else the
// last finished reading.
CString NIBPText(const PKParam_v110& p, const NIBPReading& last, int unit, int& alarm)
{
    switch (p.GetNIBPStatus()) {
    case kNIBPStatusAlarm: {
        alarm = 1;
        CString cause;
        int level = 0;
        // A technical cause has no pressures to show.
        if (AlarmText(ALARMTYPE_NIBP, p.GetNIBPAlarm(), cause, level) == 1)
            return kNoPressure;
        return Pressure(p.GetNIBPSys(), p.GetNIBPDia(), unit);
    }
    case PK_NIBP_STATUS_DONE:
        return p.IsValidData(ParamKind::NIBP, 0) ? Pressure(p.GetNIBPSys(), p.GetNIBPDia(), unit) : CString(kNoPressure);
    case kNIBPStatusMeasuring: {
        const int cuff = p.GetNIBPMean();
        if (cuff == PK_NODATA_WORD)
            return kNoValue;
        CString text;
        if (unit == kSecondUnit)
            text.Format("%3.1f", cuff * kKiloPascalPerMmHg);
        else
            text.Format("%3d", cuff);
        return text;
    }
    default:
        return last.IsComplete() ? Pressure(last.systolic, last.diastolic, unit) : CString(kNoPressure);
    }
}

} // namespace

void NyraControl::GetParamData(PARAMITEM item, CString& text, int& alarm) const
{
    alarm = 0;
    if (m_pClient == nullptr || item < 0 || item >= kParamItems)
        return;
    if (m_pClient->IsNetworkAlarm()) {
        text = kNoValue;
        alarm = 1;
        return;
    }
    if (CellOf(item) != Cell::Value)
        return;
    const PanelGroup& group = GroupOf(item);
    const PKParam_v110 packet = m_pClient->GetParamPacket();
    const NyraConfig config = m_pClient->GetConfig();
    if (group.alarm == ALARMTYPE_NIBP) {
        text = NIBPText(packet, m_pClient->GetLastNIBP(), config.NIBPUnit, alarm);
        return;
    }
    if (group.alarmByte != nullptr && (packet.*group.alarmByte)() != 0)
        alarm = 1;
    text = packet.IsValidData(group.kind, 0) ? group.text(packet, config) : CString(group.noData);
}

COLORREF NyraControl::GetParamColor(PARAMITEM item, int alarm) const
{
    if (m_pClient == nullptr || item < 0 || item >= kParamItems)
        return 0;
    const NyraConfig config = m_pClient->GetConfig();
    if (CellOf(item) != Cell::Value)
        return COLORREF(config.ParamText);
    const PanelGroup& group = GroupOf(item);
    const COLORREF normal = COLORREF(config.*group.color);
    if (!alarm)
        return normal;
    // The level the alarm is shown at, as the caption shows it: a technical cause in orange.
    NyraAlarmManager& alarms = m_pClient->GetAlarmManager();
    const ALARMTYPE type = m_pClient->IsNetworkAlarm() ? ALARMTYPE_NETWORK : group.alarm;
    const BYTE value = alarms.GetAlarm(type);
    int level = alarms.GetAlarmLevel(type);
    if (value == 0 || level == 0)
        return normal;
    CString cause;
    AlarmText(type, value, cause, level);
    return AlarmLevelColor(level, normal);
}

CString NyraControl::GetPanelText(PARAMITEM item, int& alarm) const
{
    alarm = 0;
    CString text;
    if (m_pClient == nullptr || item < 0 || item >= kParamItems)
        return text;
    switch (CellOf(item)) {
    case Cell::Label: return KTGF::GetString(GroupOf(item).label);
    case Cell::Value: GetParamData(item, text, alarm); return text;
    case Cell::Third: break;
    }
    const NyraConfig config = m_pClient->GetConfig();
    if (item == PARAM_NIBP_UNIT)
        return KTGF::GetString(config.NIBPUnit == kSecondUnit ? IDS_KPA : IDS_MMHG);
    if (item == PARAM_TEMP_UNIT)
        return KTGF::GetString(config.TempUnit == kSecondUnit ? IDS_DEGREE_FAHRENHEIT : IDS_DEGREE_CELSIUS);
    return text;
}

void NyraControl::DrawParameter(CDC* dc)
{
    const int saved = dc->SaveDC();
    dc->SetBkMode(TRANSPARENT);
    const CRect panel = m_Layout.GetParamRectAll();
    if (panel.IsRectEmpty() || m_pClient == nullptr) {
        dc->RestoreDC(saved);
        return;
    }
    dc->FillSolidRect(&panel, COLORREF(m_pClient->GetConfig().ParamBackground));
    const BYTE layout = MonitorLayout();
    for (int i = 0; i < kParamItems; ++i) {
        const auto item = static_cast<PARAMITEM>(i);
        if (!m_Layout.IsVisible(item, layout))
            continue;
        int alarm = 0;
        const CString text = GetPanelText(item, alarm);
        if (CFont* font = m_Layout.GetFont(item, layout))
            dc->SelectObject(font);
        dc->SetTextColor(GetParamColor(item, alarm));
        CRect area = m_Layout.GetItemRect(item, layout);
        dc->DrawText(text, &area, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | m_Layout.GetTextAlign(item, layout));
    }
    dc->RestoreDC(saved);
}
