// NRConstMap: the value-to-text maps of the packets and settings. Each map is a fixed table of
// (value, string id) entries in display order; the text is fetched from the string table at
// call time, so a loaded language module changes every text. All operations are static.
#pragma once

#include "platform/core/CString.h"
#include "platform/core/Types.h"

// One map entry.
struct __CONST_MAP
{
    LONG value;
    UINT stringId;
};

class NRConstMap
{
public:
    // A fixed underlying type: a map type that comes from outside the table (a caller's int)
    // is a well-defined value that the lookups refuse, not undefined behaviour.
    enum CMAP_TYPE : int
    {
        CMAP_MODEL = 2,
        CMAP_AC_FILTER = 3,
        CMAP_ADMIT_STATUS = 4,
        CMAP_ADMIT_TYPE = 5,
        CMAP_GENDER = 6,
        CMAP_HEIGHT_UNIT = 7,
        CMAP_WEIGHT_UNIT = 8,
        CMAP_ALARM_LEVEL = 9,
        CMAP_ON_OFF = 10,
        CMAP_COLOR = 11,
        CMAP_ECG_LEAD = 12,
        CMAP_ECG_GAIN = 13,
        CMAP_ECG_SPEED = 14,
        CMAP_ECG_FILTER = 15,
        CMAP_NIBP_CUFF = 16,
        CMAP_NIBP_INTERVAL = 17,
        CMAP_NIBP_VALUE = 18,
        CMAP_NIBP_UNIT = 19,
        CMAP_TEMP_UNIT = 20,
        CMAP_PACEMAKER = 21,
        CMAP_ECG_ALARM = 22,
        CMAP_SPO2_ALARM = 23,
        CMAP_FHR1_ALARM = 24,
        CMAP_FHR2_ALARM = 25,
        CMAP_FECG_ALARM = 26,
        CMAP_FSPO2_ALARM = 27,
        CMAP_UC_ALARM = 28,
        CMAP_IUP_ALARM = 29,
        CMAP_NIBP_ALARM = 30,
        CMAP_TEMP_ALARM = 31,
        CMAP_WAVE_CHANNEL = 32,
        CMAP_LANGUAGE = 33,
        CMAP_AUTO_RECORD_STOP = 34,
        CMAP_TREND_SPEED = 35,
        CMAP_DELAY_TIME = 36,
        CMAP_VOLUME9 = 37,
        CMAP_VOLUME5 = 38,
        CMAP_MANUAL_AUTO = 39,
        CMAP_OFFSET = 40,
        CMAP_FHR2_OFFSET = 41,
        CMAP_DISPLAY_MODE = 42,
    };

    NRConstMap() = default;
    NRConstMap(const NRConstMap&) = default;
    NRConstMap& operator=(const NRConstMap&) = default;
    virtual ~NRConstMap() = default;

    // ---- the tables ---------------------------------------------------------------------
    // Null and 0 for a type without entries.
    static const __CONST_MAP* GetMapPointer(CMAP_TYPE type);
    static int GetMapSize(CMAP_TYPE type);
    // Entry `index` in table order; 0 (and nothing copied) out of range.
    static int GetMap(CMAP_TYPE type, int index, __CONST_MAP& out);
    static long GetMapConst(CMAP_TYPE type, int index);
    static UINT GetMapStringId(CMAP_TYPE type, int index);
    // The text of entry `index`; empty out of range.
    static CString GetMapText(CMAP_TYPE type, int index);
    // The text of the first entry holding `value`; empty when none does.
    static CString GetMapTextByConst(CMAP_TYPE type, long value);

    // ---- special conversions ------------------------------------------------------------
    // Seconds of a CMAP_NIBP_INTERVAL value; 0 for "Off" and unknown values.
    static int GetNIBPIntervalValue(long index);
    // The degree sign and "C" for 1, and "F" for any other value; not from the string table.
    static CString GetTempUnitText(long value);

    // ---- typed texts: GetMapTextByConst on the named map --------------------------------
    static CString GetModelText(long v) { return GetMapTextByConst(CMAP_MODEL, v); }
    static CString GetACFilterText(long v) { return GetMapTextByConst(CMAP_AC_FILTER, v); }
    static CString GetAdmitStatusText(long v) { return GetMapTextByConst(CMAP_ADMIT_STATUS, v); }
    static CString GetAdmitTypeText(long v) { return GetMapTextByConst(CMAP_ADMIT_TYPE, v); }
    static CString GetGenderText(long v) { return GetMapTextByConst(CMAP_GENDER, v); }
    static CString GetHeightUnitText(long v) { return GetMapTextByConst(CMAP_HEIGHT_UNIT, v); }
    static CString GetWeightUnitText(long v) { return GetMapTextByConst(CMAP_WEIGHT_UNIT, v); }
    static CString GetAlarmLevelText(long v) { return GetMapTextByConst(CMAP_ALARM_LEVEL, v); }
    static CString GetOnOffText(long v) { return GetMapTextByConst(CMAP_ON_OFF, v); }
    static CString GetColorText(long v) { return GetMapTextByConst(CMAP_COLOR, v); }
    static CString GetECGLeadText(long v) { return GetMapTextByConst(CMAP_ECG_LEAD, v); }
    static CString GetECGGainText(long v) { return GetMapTextByConst(CMAP_ECG_GAIN, v); }
    static CString GetECGSpeedText(long v) { return GetMapTextByConst(CMAP_ECG_SPEED, v); }
    static CString GetECGFilterText(long v) { return GetMapTextByConst(CMAP_ECG_FILTER, v); }
    static CString GetNIBPCuffText(long v) { return GetMapTextByConst(CMAP_NIBP_CUFF, v); }
    static CString GetNIBPIntervalText(long v) { return GetMapTextByConst(CMAP_NIBP_INTERVAL, v); }
    static CString GetNIBPUnitText(long v) { return GetMapTextByConst(CMAP_NIBP_UNIT, v); }
    static CString GetPacemakerText(long v) { return GetMapTextByConst(CMAP_PACEMAKER, v); }
    static CString GetEcgAlarmText(long v) { return GetMapTextByConst(CMAP_ECG_ALARM, v); }
    static CString GetSpO2AlarmText(long v) { return GetMapTextByConst(CMAP_SPO2_ALARM, v); }
    static CString GetFHR1AlarmText(long v) { return GetMapTextByConst(CMAP_FHR1_ALARM, v); }
    static CString GetFHR2AlarmText(long v) { return GetMapTextByConst(CMAP_FHR2_ALARM, v); }
    static CString GetFEcgAlarmText(long v) { return GetMapTextByConst(CMAP_FECG_ALARM, v); }
    static CString GetFSpO2AlarmText(long v) { return GetMapTextByConst(CMAP_FSPO2_ALARM, v); }
    static CString GetUCAlarmText(long v) { return GetMapTextByConst(CMAP_UC_ALARM, v); }
    static CString GetIUPAlarmText(long v) { return GetMapTextByConst(CMAP_IUP_ALARM, v); }
    static CString GetNIBPAlarmText(long v) { return GetMapTextByConst(CMAP_NIBP_ALARM, v); }
    static CString GetTempAlarmText(long v) { return GetMapTextByConst(CMAP_TEMP_ALARM, v); }
};
