// Resource ids of the per-bed dialogs: the bed settings sheet with its four pages, the wait box,
// the alarm limit dialog and the admission dialog. Their texts and templates are in
// BedDialogResources.cpp.
#pragma once

#include "platform/core/Types.h"

namespace tarvic::bed {

// ---- dialogs -------------------------------------------------------------------------------------
constexpr UINT IDD_ADMIT_PATIENT = 133;
constexpr UINT IDD_WAIT_MESSAGE = 146;
constexpr UINT IDD_CLIENT_SETTING = 202;
constexpr UINT IDD_CLIENT_DISPLAY = 203;
constexpr UINT IDD_CLIENT_PATIENT = 204;
constexpr UINT IDD_CLIENT_MONITOR = 205;
constexpr UINT IDD_CLIENT_ALARM = 206;
constexpr UINT IDD_ALARM_LIMIT = 210;

// ---- controls shared by the pages ------------------------------------------------------------------
constexpr int IDC_TAB = 1399;
constexpr int IDC_HEADING = 1400;
constexpr int IDC_APPLY = 1487;
constexpr int IDC_SET_DEFAULT = 1204;
constexpr int IDC_WAIT_TEXT = 1236;

// ---- strings ---------------------------------------------------------------------------------------
// From the data library's table.
constexpr UINT IDS_LOW = 10017;
constexpr UINT IDS_HIGH = 10018;
constexpr UINT IDS_OFF = 10019;
constexpr UINT IDS_ON = 10020;
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
constexpr UINT IDS_PARAM_MSPO2_PCT = 10165;
constexpr UINT IDS_PARAM_FSPO2_PR = 10166;
constexpr UINT IDS_PARAM_FSPO2_PCT = 10167;
// From the monitor client library's table.
constexpr UINT IDS_ID = 11007;
constexpr UINT IDS_NAME = 11008;
constexpr UINT IDS_SWEEP_SPEED = 11011;
// The station's own.
constexpr UINT IDS_ADMIT_CAPTION = 12000;
constexpr UINT IDS_UNIT_NAME = 12001;
constexpr UINT IDS_DEVICE_NUMBER = 12002;
constexpr UINT IDS_ADMIT_STATUS = 12003;
constexpr UINT IDS_MODEL_NAME = 12004;
constexpr UINT IDS_DEVICE_INFORMATION = 12005;
constexpr UINT IDS_CONDITION = 12006;
constexpr UINT IDS_FIRST_NAME = 12007;
constexpr UINT IDS_LAST_NAME = 12008;
constexpr UINT IDS_REGISTRATION_DATE = 12009;
constexpr UINT IDS_SEARCH = 12010;
constexpr UINT IDS_ADMIT = 12011;
constexpr UINT IDS_DISCHARGE = 12012;
constexpr UINT IDS_CLEAR = 12013;
constexpr UINT IDS_CLOSE = 12014;
constexpr UINT IDS_BIRTHDAY = 12015;
constexpr UINT IDS_EDC = 12016;
constexpr UINT IDS_DOCTOR = 12017;
constexpr UINT IDS_NURSE = 12018;
constexpr UINT IDS_LMP = 12019;
constexpr UINT IDS_GR = 12020;
constexpr UINT IDS_PA = 12021;
constexpr UINT IDS_HEIGHT = 12022;
constexpr UINT IDS_WEIGHT = 12023;
constexpr UINT IDS_EDIT_DATE = 12024;
constexpr UINT IDS_COMMENT = 12025;
constexpr UINT IDS_PATIENT_IN_USE = 12026;
constexpr UINT IDS_ASK_ADMIT = 12027;
constexpr UINT IDS_WAIT_ADMIT = 12028;
constexpr UINT IDS_ADMIT_FAILED = 12029;
constexpr UINT IDS_ASK_DISCHARGE = 12030;
constexpr UINT IDS_ASK_APPLY_ALARM = 12031;
constexpr UINT IDS_ASK_APPLY_MONITOR = 12033;
constexpr UINT IDS_APPLYING = 12034;
constexpr UINT IDS_APPLY_FAILED = 12035;
constexpr UINT IDS_CANCEL = 12040;
constexpr UINT IDS_LEVEL = 12068;
constexpr UINT IDS_DEFAULT = 12087;
constexpr UINT IDS_TOP_GRAPH = 12105;
constexpr UINT IDS_BOTTOM_GRAPH = 12106;
constexpr UINT IDS_ECG_GAIN = 12108;
constexpr UINT IDS_FECG_GAIN = 12109;
constexpr UINT IDS_TREND_SPEED = 12110;
constexpr UINT IDS_ALARM_SOUND = 12113;
constexpr UINT IDS_ALARM_LIMIT = 12127;
constexpr UINT IDS_APPLY = 12128;
constexpr UINT IDS_PATIENT_HEADING = 12140;
constexpr UINT IDS_PATIENT_INFORMATION = 12141;
constexpr UINT IDS_AGE = 12142;
constexpr UINT IDS_USER_INFORMATION = 12143;
constexpr UINT IDS_ALARM_HEADING = 12144;
constexpr UINT IDS_LIMIT = 12145;
constexpr UINT IDS_DUR_LIMIT = 12146;
constexpr UINT IDS_SOURCE = 12147;
constexpr UINT IDS_DISPLAY_HEADING = 12148;
constexpr UINT IDS_CONNECTION_INFORMATION = 12149;
constexpr UINT IDS_DEVICE_MODEL = 12150;
constexpr UINT IDS_DEVICE_VERSION = 12151;
constexpr UINT IDS_CONNECTION_METHOD = 12152;
constexpr UINT IDS_MONITOR_HEADING = 12156;
constexpr UINT IDS_DISPLAY_MODE = 12157;
constexpr UINT IDS_ECG_LEAD = 12158;
constexpr UINT IDS_ECG_VOLUME = 12159;
constexpr UINT IDS_ECG_FILTER = 12160;
constexpr UINT IDS_ECG_AC_FILTER = 12161;
constexpr UINT IDS_PACEMAKER = 12162;
constexpr UINT IDS_SPO2_VOLUME = 12163;
constexpr UINT IDS_NIBP_CUFF = 12164;
constexpr UINT IDS_NIBP_INTERVAL = 12165;
constexpr UINT IDS_NIBP_MODE = 12166;
constexpr UINT IDS_UC_OFFSET = 12167;
constexpr UINT IDS_IUP_OFFSET = 12168;
constexpr UINT IDS_FECG_VOLUME = 12169;
constexpr UINT IDS_FECG_FILTER = 12170;
constexpr UINT IDS_FECG_AC_FILTER = 12171;
constexpr UINT IDS_FHR_AUTO_GAIN = 12172;
constexpr UINT IDS_FHR1_VOLUME = 12173;
constexpr UINT IDS_FHR2_VOLUME = 12174;
constexpr UINT IDS_FHR2_OFFSET = 12175;
constexpr UINT IDS_FETAL_MOVEMENT = 12176;
constexpr UINT IDS_AUTO_ZEROING = 12177;
constexpr UINT IDS_DISPLAY_INFORMATION = 12178;
constexpr UINT IDS_ALARM_INFORMATION = 12179;
// "Graph": the station's caption holds 12090, so the display page's group has an id of its own.
constexpr UINT IDS_GRAPH = 12189;
constexpr UINT IDS_CLIENT_SETTING = 12193;
constexpr UINT IDS_FSPO2_VOLUME = 12199;
constexpr UINT IDS_MINUTES = 57666;
constexpr UINT IDS_AUTO_RECORDING_TIME = 57667;
constexpr UINT IDS_PERIOD = 57668;

} // namespace tarvic::bed
