// NRConstMap: the map tables and their lookups. Maps that list the same entries share one
// table; CMAP_VOLUME5 reads the first six entries of the CMAP_VOLUME9 table.
#include "nrdata/constmap/NRConstMap.h"

#include "ktutil/KTGF.h"
#include "nrdata/res/NRDataStrings.h"

#include <span>

namespace {

// Ids used by several maps.
using nrdata::IDS_OFF;
constexpr UINT IDS_NORMAL = 10127;
constexpr UINT IDS_UPPER_LIMIT = 10129;
constexpr UINT IDS_LOWER_LIMIT = 10130;

// ---- the tables, in display order -----------------------------------------------------------

constexpr __CONST_MAP kModel[] = { { 1, 10000 }, { 2, 10001 }, { 3, 10002 } };
constexpr __CONST_MAP kACFilter[] = { { 1, 10003 }, { 2, 10004 } };
constexpr __CONST_MAP kAdmitStatus[] = { { 0, 10005 }, { 1, 10006 } };
// Admission type and NIBP cuff.
constexpr __CONST_MAP kPatientType[] = { { 1, 10007 }, { 2, 10008 }, { 3, 10009 } };
constexpr __CONST_MAP kGender[] = { { 1, 10010 }, { 2, 10011 } };
constexpr __CONST_MAP kHeightUnit[] = { { 1, 10012 }, { 2, 10013 } };
constexpr __CONST_MAP kWeightUnit[] = { { 1, 10014 }, { 2, 10015 } };
constexpr __CONST_MAP kAlarmLevel[] = { { 1, 10017 }, { 2, 10018 } };
constexpr __CONST_MAP kOnOff[] = { { 0, IDS_OFF }, { 1, 10020 } };
constexpr __CONST_MAP kECGLead[] = { { 1, 10021 }, { 2, 10022 }, { 3, 10023 } };
constexpr __CONST_MAP kECGGain[] = { { 2, 10033 }, { 3, 10034 }, { 4, 10035 }, { 5, 10036 } };
constexpr __CONST_MAP kECGSpeed[] = { { 1, 10037 }, { 2, 10038 }, { 3, 10039 }, { 4, 10040 } };
constexpr __CONST_MAP kECGFilter[] = { { 1, 10041 }, { 2, 10042 }, { 3, 10043 }, { 4, 10044 } };
constexpr __CONST_MAP kNIBPInterval[] = {
    { 0, 10045 }, { 1, 10046 }, { 2, 10047 }, { 3, 10048 },  { 4, 10049 },  { 5, 10050 },  { 6, 10051 },
    { 7, 10052 }, { 8, 10053 }, { 9, 10054 }, { 10, 10176 }, { 11, 10055 }, { 12, 10056 },
};
constexpr __CONST_MAP kNIBPValue[] = { { 1, 10092 }, { 2, 10093 }, { 3, 10094 } };
constexpr __CONST_MAP kNIBPUnit[] = { { 1, 10114 }, { 2, 10115 } };
constexpr __CONST_MAP kTempUnit[] = { { 1, 10057 }, { 2, 10058 } };
constexpr __CONST_MAP kPacemaker[] = { { 0, 10059 }, { 1, 10060 } };
// ECG and FECG alarm causes.
constexpr __CONST_MAP kECGAlarm[] = {
    { 0, IDS_NORMAL }, { 1, IDS_UPPER_LIMIT }, { 2, IDS_LOWER_LIMIT },
    { 11, 10128 },     { 12, 10131 },          { 13, 10132 },
};
// SpO2 and FSpO2 alarm causes.
constexpr __CONST_MAP kSpO2Alarm[] = {
    { 0, IDS_NORMAL }, { 1, 10133 }, { 2, 10134 }, { 3, 10135 }, { 4, 10136 },  { 5, 10137 },
    { 6, 10138 },      { 7, 10139 }, { 8, 10140 }, { 9, 10141 }, { 10, 10142 },
};
constexpr __CONST_MAP kFHR1Alarm[] = {
    { 0, IDS_NORMAL }, { 1, IDS_UPPER_LIMIT }, { 2, IDS_LOWER_LIMIT }, { 3, 10143 }, { 4, 10144 }, { 5, 10145 },
};
constexpr __CONST_MAP kFHR2Alarm[] = {
    { 0, IDS_NORMAL }, { 1, IDS_UPPER_LIMIT }, { 2, IDS_LOWER_LIMIT }, { 3, 10146 }, { 4, 10144 }, { 5, 10145 },
};
// UC and IUP alarm causes.
constexpr __CONST_MAP kContractionAlarm[] = { { 0, IDS_NORMAL }, { 1, 10147 }, { 2, 10148 }, { 3, 10149 } };
constexpr __CONST_MAP kNIBPAlarm[] = {
    { 0, IDS_NORMAL }, { 1, IDS_UPPER_LIMIT }, { 2, IDS_LOWER_LIMIT }, { 17, 10150 }, { 18, 10151 }, { 19, 10152 },
    { 20, 10153 },     { 21, 10154 },          { 22, 10155 },          { 23, 10156 }, { 24, 10157 }, { 25, 10158 },
    { 26, 10159 },     { 27, 10160 },          { 28, 10161 },          { 29, 10162 }, { 30, 10163 },
};
constexpr __CONST_MAP kTempAlarm[] = { { 0, IDS_NORMAL }, { 1, IDS_UPPER_LIMIT }, { 2, IDS_LOWER_LIMIT }, { 6, 10138 } };
constexpr __CONST_MAP kWaveChannel[] = { { 1, 10116 }, { 2, 10118 }, { 3, 10117 }, { 4, 10119 } };
constexpr __CONST_MAP kLanguage[] = { { 3, 10070 }, { 13, 10080 } };
constexpr __CONST_MAP kAutoRecordStop[] = { { 0, 10082 }, { 1, 10083 }, { 2, 10084 } };
constexpr __CONST_MAP kTrendSpeed[] = { { 1, 10085 }, { 2, 10086 }, { 3, 10087 } };
constexpr __CONST_MAP kDelayTime[] = { { 0, IDS_OFF }, { 1, 10088 }, { 2, 10089 }, { 3, 10090 }, { 4, 10091 } };
// CMAP_VOLUME9, and CMAP_VOLUME5 as its first six entries.
constexpr __CONST_MAP kVolume[] = {
    { 0, IDS_OFF }, { 1, 10095 }, { 2, 10096 }, { 3, 10097 }, { 4, 10098 },
    { 5, 10099 },   { 6, 10177 }, { 7, 10178 }, { 8, 10179 }, { 9, 10180 },
};
constexpr __CONST_MAP kManualAuto[] = { { 0, 10100 }, { 1, 10101 } };
constexpr __CONST_MAP kOffset[] = { { 0, 10111 }, { 1, 10112 }, { 2, 10113 } };
constexpr __CONST_MAP kFHR2Offset[] = { { 0, 10106 }, { 1, 10107 }, { 2, 10108 }, { 3, 10109 }, { 4, 10110 } };
constexpr __CONST_MAP kDisplayMode[] = { { 1, 10102 }, { 2, 10103 }, { 3, 10105 }, { 4, 10104 } };

struct MapTable
{
    NRConstMap::CMAP_TYPE type;
    std::span<const __CONST_MAP> entries;
};

constexpr MapTable kMaps[] = {
    { NRConstMap::CMAP_MODEL, kModel },
    { NRConstMap::CMAP_AC_FILTER, kACFilter },
    { NRConstMap::CMAP_ADMIT_STATUS, kAdmitStatus },
    { NRConstMap::CMAP_ADMIT_TYPE, kPatientType },
    { NRConstMap::CMAP_GENDER, kGender },
    { NRConstMap::CMAP_HEIGHT_UNIT, kHeightUnit },
    { NRConstMap::CMAP_WEIGHT_UNIT, kWeightUnit },
    { NRConstMap::CMAP_ALARM_LEVEL, kAlarmLevel },
    { NRConstMap::CMAP_ON_OFF, kOnOff },
    { NRConstMap::CMAP_ECG_LEAD, kECGLead },
    { NRConstMap::CMAP_ECG_GAIN, kECGGain },
    { NRConstMap::CMAP_ECG_SPEED, kECGSpeed },
    { NRConstMap::CMAP_ECG_FILTER, kECGFilter },
    { NRConstMap::CMAP_NIBP_CUFF, kPatientType },
    { NRConstMap::CMAP_NIBP_INTERVAL, kNIBPInterval },
    { NRConstMap::CMAP_NIBP_VALUE, kNIBPValue },
    { NRConstMap::CMAP_NIBP_UNIT, kNIBPUnit },
    { NRConstMap::CMAP_TEMP_UNIT, kTempUnit },
    { NRConstMap::CMAP_PACEMAKER, kPacemaker },
    { NRConstMap::CMAP_ECG_ALARM, kECGAlarm },
    { NRConstMap::CMAP_SPO2_ALARM, kSpO2Alarm },
    { NRConstMap::CMAP_FHR1_ALARM, kFHR1Alarm },
    { NRConstMap::CMAP_FHR2_ALARM, kFHR2Alarm },
    { NRConstMap::CMAP_FECG_ALARM, kECGAlarm },
    { NRConstMap::CMAP_FSPO2_ALARM, kSpO2Alarm },
    { NRConstMap::CMAP_UC_ALARM, kContractionAlarm },
    { NRConstMap::CMAP_IUP_ALARM, kContractionAlarm },
    { NRConstMap::CMAP_NIBP_ALARM, kNIBPAlarm },
    { NRConstMap::CMAP_TEMP_ALARM, kTempAlarm },
    { NRConstMap::CMAP_WAVE_CHANNEL, kWaveChannel },
    { NRConstMap::CMAP_LANGUAGE, kLanguage },
    { NRConstMap::CMAP_AUTO_RECORD_STOP, kAutoRecordStop },
    { NRConstMap::CMAP_TREND_SPEED, kTrendSpeed },
    { NRConstMap::CMAP_DELAY_TIME, kDelayTime },
    { NRConstMap::CMAP_VOLUME9, kVolume },
    { NRConstMap::CMAP_VOLUME5, std::span(kVolume).first(6) },
    { NRConstMap::CMAP_MANUAL_AUTO, kManualAuto },
    { NRConstMap::CMAP_OFFSET, kOffset },
    { NRConstMap::CMAP_FHR2_OFFSET, kFHR2Offset },
    { NRConstMap::CMAP_DISPLAY_MODE, kDisplayMode },
};

// The entries of a type; empty for CMAP_COLOR and any type not in the table.
std::span<const __CONST_MAP> EntriesOf(NRConstMap::CMAP_TYPE type)
{
    for (const MapTable& map : kMaps)
        if (map.type == type)
            return map.entries;
    return {};
}

const __CONST_MAP* EntryAt(NRConstMap::CMAP_TYPE type, int index)
{
    std::span<const __CONST_MAP> entries = EntriesOf(type);
    if (index < 0 || static_cast<size_t>(index) >= entries.size())
        return nullptr;
    return &entries[static_cast<size_t>(index)];
}

// Seconds of the NIBP interval values 1 to 12 ("Off" is 0).
constexpr int kNIBPIntervalSeconds[] = { 0, 60, 120, 150, 180, 300, 600, 900, 1200, 1800, 2700, 3600, 7200 };

} // namespace

// ---- the tables ---------------------------------------------------------------------------

const __CONST_MAP* NRConstMap::GetMapPointer(CMAP_TYPE type)
{
    std::span<const __CONST_MAP> entries = EntriesOf(type);
    return entries.empty() ? nullptr : entries.data();
}

int NRConstMap::GetMapSize(CMAP_TYPE type)
{
    return static_cast<int>(EntriesOf(type).size());
}

int NRConstMap::GetMap(CMAP_TYPE type, int index, __CONST_MAP& out)
{
    const __CONST_MAP* entry = EntryAt(type, index);
    if (entry == nullptr)
        return 0;
    out = *entry;
    return 1;
}

long NRConstMap::GetMapConst(CMAP_TYPE type, int index)
{
    const __CONST_MAP* entry = EntryAt(type, index);
    return entry ? entry->value : 0;
}

UINT NRConstMap::GetMapStringId(CMAP_TYPE type, int index)
{
    const __CONST_MAP* entry = EntryAt(type, index);
    return entry ? entry->stringId : 0;
}

CString NRConstMap::GetMapText(CMAP_TYPE type, int index)
{
    const __CONST_MAP* entry = EntryAt(type, index);
    return entry ? KTGF::GetString(entry->stringId) : CString();
}

CString NRConstMap::GetMapTextByConst(CMAP_TYPE type, long value)
{
    for (const __CONST_MAP& entry : EntriesOf(type))
        if (entry.value == value)
            return KTGF::GetString(entry.stringId);
    return CString();
}

// ---- special conversions ------------------------------------------------------------------

int NRConstMap::GetNIBPIntervalValue(long index)
{
    if (index < 0 || index >= static_cast<long>(std::size(kNIBPIntervalSeconds)))
        return 0;
    return kNIBPIntervalSeconds[index];
}

CString NRConstMap::GetTempUnitText(long value)
{
    return value == 1 ? CString("\u00B0C") : CString("\u00B0F");
}
