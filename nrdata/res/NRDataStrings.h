// The data library's own string table: the English texts of the shared value-map range
// 10000 to 10182, and the labels 11007 to 11011 that the bed's report page (client library)
// and both stations' printouts share. It is the library's resource module string table; a
// language module replaces any of these texts under the same id. The ids named below are those
// other libraries and the programs show; they include this header rather than restate them.
#pragma once

#include "platform/core/ResourceModule.h"
#include "platform/core/Types.h"

#include <span>

namespace nrdata {

constexpr UINT NRDATA_STRING_FIRST = 10000;
constexpr UINT NRDATA_STRING_LAST = 10182;
// The language names: id = NRDATA_STRING_LANGUAGE_BASE + language number (1 to 14).
constexpr UINT NRDATA_STRING_LANGUAGE_BASE = 10067;
// The shared labels.
constexpr UINT NRDATA_LABEL_FIRST = 11007;
constexpr UINT NRDATA_LABEL_LAST = 11011;

constexpr UINT IDS_OFF = 10019;
// ---- units ------------------------------------------------------------------------------------
constexpr UINT IDS_DEGREE_CELSIUS = 10057;
constexpr UINT IDS_DEGREE_FAHRENHEIT = 10058;
constexpr UINT IDS_MMHG = 10114;
constexpr UINT IDS_KPA = 10115;
// ---- parameter names ----------------------------------------------------------------------------
constexpr UINT IDS_PARAM_ECG = 10116;
constexpr UINT IDS_PARAM_FECG = 10117;
constexpr UINT IDS_PARAM_MSPO2 = 10118;
constexpr UINT IDS_PARAM_FSPO2 = 10119;
constexpr UINT IDS_PARAM_NIBP = 10120;
constexpr UINT IDS_PARAM_TEMP = 10121;
constexpr UINT IDS_PARAM_FHR1 = 10122;
constexpr UINT IDS_PARAM_FHR2 = 10123;
constexpr UINT IDS_PARAM_UC = 10124;
constexpr UINT IDS_PARAM_IUP = 10125;
constexpr UINT IDS_PARAM_MSPO2_PR = 10164;
constexpr UINT IDS_PARAM_FSPO2_PR = 10166;
constexpr UINT IDS_FM1 = 10168;
constexpr UINT IDS_FM2 = 10169;
constexpr UINT IDS_PARAM_MHR = 10170;
constexpr UINT IDS_NORMAL_FHR = 10171;
constexpr UINT IDS_GA = 10173;
constexpr UINT IDS_BPM = 10174;
constexpr UINT IDS_LENGTH = 10175;
// ---- the shared labels ----------------------------------------------------------------------------
constexpr UINT IDS_ID = 11007;
constexpr UINT IDS_NAME = 11008;
constexpr UINT IDS_RECORD_START = 11009;
constexpr UINT IDS_CURRENT_DATE = 11010;
constexpr UINT IDS_SWEEP_SPEED = 11011;

// Every entry in ascending id order.
std::span<const platform::StringEntry> StringTable();

} // namespace nrdata
