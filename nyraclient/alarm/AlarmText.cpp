// The display texts of alarms, and the causes that are always shown in orange.
#include "nyraclient/alarm/NyraAlarmManager.h"

#include "nyraclient/res/NyraClientStrings.h"

#include "ktutil/KTGF.h"
#include "nrdata/constmap/NRConstMap.h"

namespace {

// How one parameter type turns a cause into a text, and which causes it forces to orange:
// the sensor, cross-channel and equipment causes. The limit causes keep their set level.
struct ParamAlarmText
{
    UINT nameId;
    NRConstMap::CMAP_TYPE causeMap;
    int forcedFirst; // forced causes first..last; an empty range (first > last) forces none
    int forcedLast;
    int forcedResult; // the result when the level was forced
};

constexpr ParamAlarmText kParamAlarmTexts[ALARMTYPE_PARAM_COUNT] = {
    /* ECG   */ { nyraclient::IDS_PARAM_ECG, NRConstMap::CMAP_ECG_ALARM, 11, 13, 1 },
    /* MSpO2 */ { nyraclient::IDS_PARAM_MSPO2, NRConstMap::CMAP_SPO2_ALARM, 6, 10, 1 },
    /* FHR1  */ { nyraclient::IDS_PARAM_FHR1, NRConstMap::CMAP_FHR1_ALARM, 3, 3, 0 },
    /* FHR2  */ { nyraclient::IDS_PARAM_FHR2, NRConstMap::CMAP_FHR2_ALARM, 3, 3, 0 },
    /* FECG  */ { nyraclient::IDS_PARAM_FECG, NRConstMap::CMAP_FECG_ALARM, 11, 13, 1 },
    /* FSpO2 */ { nyraclient::IDS_PARAM_FSPO2, NRConstMap::CMAP_FSPO2_ALARM, 6, 10, 1 },
    /* UC    */ { nyraclient::IDS_PARAM_UC, NRConstMap::CMAP_UC_ALARM, 1, 0, 0 },
    /* IUP   */ { nyraclient::IDS_PARAM_IUP, NRConstMap::CMAP_IUP_ALARM, 1, 0, 0 },
    /* NIBP  */ { nyraclient::IDS_PARAM_NIBP, NRConstMap::CMAP_NIBP_ALARM, 17, 30, 1 },
    /* TEMP  */ { nyraclient::IDS_PARAM_TEMP, NRConstMap::CMAP_TEMP_ALARM, 6, 6, 1 },
};

} // namespace

int AlarmText(ALARMTYPE type, BYTE cause, CString& text, int& level)
{
    text.Empty();
    if (type == ALARMTYPE_NETWORK) {
        if (cause != 0)
            text.Format("%s", KTGF::GetString(nyraclient::IDS_NETWORK_ALARM).GetString());
        return 1;
    }
    if (type < 0 || type >= ALARMTYPE_PARAM_COUNT)
        return 0;

    const ParamAlarmText& entry = kParamAlarmTexts[type];
    if (cause != 0) {
        text.Format("%s: ", KTGF::GetString(entry.nameId).GetString());
        text += NRConstMap::GetMapTextByConst(entry.causeMap, cause);
    }
    if (cause >= entry.forcedFirst && cause <= entry.forcedLast) {
        level = ALARM_LEVEL_ORANGE;
        return entry.forcedResult;
    }
    return 0;
}
