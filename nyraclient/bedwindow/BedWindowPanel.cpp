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

#include "nyraclient/display/DisplayLayoutTables.h"

#include "ktutil/KTGF.h"
#include "nrdata/res/NRDataStrings.h"

#include <algorithm>
#include <vector>

using nyraclient::display::ParamGroupTextsOf;

namespace {

using nrdata::IDS_DEGREE_CELSIUS;
using nrdata::IDS_DEGREE_FAHRENHEIT;
using nrdata::IDS_KPA;
using nrdata::IDS_MMHG;
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
using ValueFormat = CString (*)(const PKParam_v110& p, const NyraConfig& config);

struct PanelGroup
{
    int NyraSettings::*color;     // colour setting of the value
    ALARMTYPE alarm;              // the alarm the value belongs to
    int kind;                     // parameter data kind of the value's validity; 0 for NIBP
    BYTE (PKParam_v110::*alarmByte)() const;
    ValueFormat text;
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
    { &NyraSettings::GraphHR, ALARMTYPE_ECG, ParamKind::ECG, &PKParam_v110::GetECGAlarm,
      [](const PKParam_v110& p, const NyraConfig&) { return Number(p.GetECG(0)); }, kNoValue },
    { &NyraSettings::GraphSpO2, ALARMTYPE_MSPO2, ParamKind::SpO2, &PKParam_v110::GetSpO2Alarm,
      [](const PKParam_v110& p, const NyraConfig&) { return PulseRateAndSaturation(p.GetSpO2R(0), p.GetSpO2(0), "%3d/%2d%%"); },
      "---/--%" },
    { &NyraSettings::GraphNIBP, ALARMTYPE_NIBP, 0, &PKParam_v110::GetNIBPAlarm, nullptr, kNoPressure },
    { &NyraSettings::GraphTEMP, ALARMTYPE_TEMP, ParamKind::Temp, &PKParam_v110::GetTempAlarm,
      [](const PKParam_v110& p, const NyraConfig& config) {
          const double celsius = p.GetTemp();
          CString text;
          text.Format("%0.1f", config.TempUnit == kSecondUnit ? celsius * 9 / 5 + 32 : celsius);
          return text;
      },
      "--.-" },
    { &NyraSettings::GraphUC, ALARMTYPE_UC, ParamKind::UC, nullptr,
      [](const PKParam_v110& p, const NyraConfig&) { return Number(p.GetUC(0)); }, kNoValue },
    { &NyraSettings::GraphUC, ALARMTYPE_IUP, ParamKind::IUP, nullptr,
      [](const PKParam_v110& p, const NyraConfig&) { return Number(p.GetIUP(0)); }, kNoValue },
    { &NyraSettings::GraphFECG, ALARMTYPE_FECG, ParamKind::FECG, &PKParam_v110::GetFECGAlarm,
      [](const PKParam_v110& p, const NyraConfig&) { return Number(p.GetFECG(0)); }, kNoValue },
    { &NyraSettings::GraphFHR1, ALARMTYPE_FHR1, ParamKind::FHR1, &PKParam_v110::GetFHR1Alarm,
      [](const PKParam_v110& p, const NyraConfig&) { return Number(p.GetFHR1(0)); }, kNoValue },
    { &NyraSettings::GraphFHR2, ALARMTYPE_FHR2, ParamKind::FHR2, &PKParam_v110::GetFHR2Alarm,
      [](const PKParam_v110& p, const NyraConfig&) { return Number(p.GetFHR2(0)); }, kNoValue },
    { &NyraSettings::GraphFSpO2, ALARMTYPE_FSPO2, ParamKind::FSpO2, &PKParam_v110::GetFSpO2Alarm,
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

// ---- what the items read ----------------------------------------------------------------------

namespace {

CString ValueText(const PanelSnapshot& snapshot, PARAMITEM item, int& alarm)
{
    alarm = 0;
    if (snapshot.networkAlarm) {
        alarm = 1;
        return kNoValue;
    }
    const PanelGroup& group = GroupOf(item);
    const PKParam_v110& packet = snapshot.packet;
    if (group.alarm == ALARMTYPE_NIBP)
        return NIBPText(packet, snapshot.lastNIBP, snapshot.config.NIBPUnit, alarm);
    if (group.alarmByte != nullptr && (packet.*group.alarmByte)() != 0)
        alarm = 1;
    return packet.IsValidData(group.kind, 0) ? group.text(packet, snapshot.config) : CString(group.noData);
}

CString ItemText(const PanelSnapshot& snapshot, PARAMITEM item, int& alarm)
{
    alarm = 0;
    switch (CellOf(item)) {
    case Cell::Label: return KTGF::GetString(ParamGroupTextsOf(item / 3).label);
    case Cell::Value: return ValueText(snapshot, item, alarm);
    case Cell::Third: break;
    }
    if (item == PARAM_NIBP_UNIT)
        return KTGF::GetString(snapshot.config.NIBPUnit == kSecondUnit ? IDS_KPA : IDS_MMHG);
    if (item == PARAM_TEMP_UNIT)
        return KTGF::GetString(snapshot.config.TempUnit == kSecondUnit ? IDS_DEGREE_FAHRENHEIT : IDS_DEGREE_CELSIUS);
    return CString();
}

COLORREF ItemColor(const PanelSnapshot& snapshot, PARAMITEM item, int alarm)
{
    const NyraConfig& config = snapshot.config;
    if (CellOf(item) != Cell::Value)
        return COLORREF(config.ParamText);
    const PanelGroup& group = GroupOf(item);
    const COLORREF normal = COLORREF(config.*group.color);
    if (!alarm)
        return normal;
    // The level the alarm is shown at, as the caption shows it: a technical cause in orange.
    const ALARMTYPE type = snapshot.networkAlarm ? ALARMTYPE_NETWORK : group.alarm;
    const BYTE value = snapshot.alarmValues[type];
    int level = snapshot.alarmLevels[type];
    if (value == 0 || level == 0)
        return normal;
    CString cause;
    AlarmText(type, value, cause, level);
    return AlarmLevelColor(level, normal);
}

// The group separators: between two numerics' boxes, a third of the way from the background
// to the label colour, so that a nurse sees which number belongs to which name.
COLORREF SeparatorColor(COLORREF text, COLORREF background)
{
    const auto mix = [](int a, int b) { return static_cast<BYTE>(b + (a - b) / 3); };
    return RGB(mix(GetRValue(text), GetRValue(background)), mix(GetGValue(text), GetGValue(background)),
               mix(GetBValue(text), GetBValue(background)));
}

bool Crosses(const CRect& line, const CRect& box)
{
    return line.left < box.right && box.left < line.right && line.top < box.bottom && box.top < line.bottom;
}

} // namespace

void NyraControl::GetParamData(PARAMITEM item, CString& text, int& alarm) const
{
    alarm = 0;
    if (m_pClient == nullptr || item < 0 || item >= kParamItems)
        return;
    const PanelSnapshot snapshot = m_pClient->TakePanelSnapshot();
    if (snapshot.networkAlarm || CellOf(item) == Cell::Value)
        text = ValueText(snapshot, item, alarm);
}

COLORREF NyraControl::GetParamColor(PARAMITEM item, int alarm) const
{
    if (m_pClient == nullptr || item < 0 || item >= kParamItems)
        return 0;
    return ItemColor(m_pClient->TakePanelSnapshot(), item, alarm);
}

CString NyraControl::GetPanelText(PARAMITEM item, int& alarm) const
{
    alarm = 0;
    if (m_pClient == nullptr || item < 0 || item >= kParamItems)
        return CString();
    return ItemText(m_pClient->TakePanelSnapshot(), item, alarm);
}

PanelPicture NyraControl::ComposePanel(const PanelSnapshot& snapshot) const
{
    PanelPicture picture {};
    const BYTE layout = MonitorLayout();
    for (int i = 0; i < kParamItems; ++i) {
        const auto item = static_cast<PARAMITEM>(i);
        if (!m_Layout.IsVisible(item, layout) || m_Layout.GetTextRect(item, layout).IsRectEmpty())
            continue;
        int alarm = 0;
        picture[size_t(i)].text = ItemText(snapshot, item, alarm);
        picture[size_t(i)].color = ItemColor(snapshot, item, alarm);
    }
    return picture;
}

// ---- drawing ---------------------------------------------------------------------------------

void NyraControl::DrawParameter(CDC* dc)
{
    if (m_pClient != nullptr)
        DrawParameter(dc, m_pClient->TakePanelSnapshot());
}

void NyraControl::DrawParameter(CDC* dc, const PanelSnapshot& snapshot)
{
    const CRect panel = m_Layout.GetParamRectAll();
    if (panel.IsRectEmpty() || m_pClient == nullptr)
        return;
    const COLORREF background = COLORREF(snapshot.config.ParamBackground);
    dc->FillSolidRect(&panel, background);
    DrawPanelSeparators(dc, SeparatorColor(COLORREF(snapshot.config.ParamText), background));
    const PanelPicture picture = ComposePanel(snapshot);
    for (int i = 0; i < kParamItems; ++i)
        DrawPanelItem(dc, static_cast<PARAMITEM>(i), picture[size_t(i)], background);
}

void NyraControl::DrawPanelSeparators(CDC* dc, COLORREF color)
{
    const CRect panel = m_Layout.GetParamRectAll();
    const BYTE layout = MonitorLayout();
    std::vector<CRect> texts;
    for (int i = 0; i < kParamItems; ++i) {
        const CRect r = m_Layout.GetTextRect(static_cast<PARAMITEM>(i), layout);
        if (!r.IsRectEmpty())
            texts.push_back(r);
    }
    // A group's left and top edges where another group stands beyond them: in the gap the
    // boxes leave, and only where no text stands.
    for (int group = 0; group < kParamItems / 3; ++group) {
        const CRect box = m_Layout.GetGroupRect(group, layout);
        if (box.IsRectEmpty())
            continue;
        const CRect left(box.left - 2, box.top, box.left - 1, box.bottom);
        const CRect top(box.left, box.top - 1, box.right, box.top);
        for (const CRect& line : { left, top }) {
            // Not along the panel's own edges.
            if ((&line == &left && line.left <= panel.left + 1) || (&line == &top && line.top <= panel.top))
                continue;
            if (std::any_of(texts.begin(), texts.end(), [&](const CRect& t) { return Crosses(line, t); }))
                continue;
            dc->FillSolidRect(&line, color);
        }
    }
}

CRect NyraControl::DrawPanelItem(CDC* dc, PARAMITEM item, const PanelItem& shown, COLORREF background)
{
    const BYTE layout = MonitorLayout();
    CRect area = m_Layout.GetTextRect(item, layout);
    if (area.IsRectEmpty())
        return area;
    const int saved = dc->SaveDC();
    dc->FillSolidRect(&area, background);
    dc->SetBkMode(TRANSPARENT);
    if (CFont* font = m_Layout.GetTextFont(item, layout))
        dc->SelectObject(font);
    dc->SetTextColor(shown.color);
    const CRect box = area;
    dc->DrawText(shown.text, &area, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | m_Layout.GetTextAlign(item, layout));
    dc->RestoreDC(saved);
    return box;
}
