// Resource ids of the per-bed dialogs: the bed settings sheet with its four pages, the wait box,
// the alarm limit dialog and the admission dialog. Their texts and templates are in
// BedDialogResources.cpp.
#pragma once

#include "appcommon/StationStrings.h"
#include "nrdata/res/NRDataStrings.h"

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
using nrdata::IDS_OFF;
constexpr UINT IDS_ON = 10020;
using nrdata::IDS_PARAM_ECG;
using nrdata::IDS_PARAM_FECG;
using nrdata::IDS_PARAM_MSPO2;
using nrdata::IDS_PARAM_FSPO2;
using nrdata::IDS_PARAM_NIBP;
using nrdata::IDS_PARAM_TEMP;
using nrdata::IDS_PARAM_FHR1;
using nrdata::IDS_PARAM_FHR2;
using nrdata::IDS_PARAM_UC;
using nrdata::IDS_PARAM_IUP;
using nrdata::IDS_PARAM_MSPO2_PR;
constexpr UINT IDS_PARAM_MSPO2_PCT = 10165;
using nrdata::IDS_PARAM_FSPO2_PR;
constexpr UINT IDS_PARAM_FSPO2_PCT = 10167;
// From the monitor client library's table.
using nrdata::IDS_ID;
using nrdata::IDS_NAME;
using nrdata::IDS_SWEEP_SPEED;
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
using appcommon::IDS_REGISTRATION_DATE;
using appcommon::IDS_SEARCH;
constexpr UINT IDS_ADMIT = 12011;
constexpr UINT IDS_DISCHARGE = 12012;
constexpr UINT IDS_CLEAR = 12013;
constexpr UINT IDS_CLOSE = 12014;
using appcommon::IDS_BIRTHDAY;
using appcommon::IDS_EDC;
using appcommon::IDS_DOCTOR;
using appcommon::IDS_NURSE;
using appcommon::IDS_LMP;
using appcommon::IDS_GR;
using appcommon::IDS_PA;
using appcommon::IDS_HEIGHT;
using appcommon::IDS_WEIGHT;
using appcommon::IDS_EDIT_DATE;
using appcommon::IDS_COMMENT;
constexpr UINT IDS_PATIENT_IN_USE = 12026;
constexpr UINT IDS_ASK_ADMIT = 12027;
constexpr UINT IDS_WAIT_ADMIT = 12028;
constexpr UINT IDS_ADMIT_FAILED = 12029;
constexpr UINT IDS_ASK_DISCHARGE = 12030;
constexpr UINT IDS_ASK_APPLY_ALARM = 12031;
constexpr UINT IDS_ASK_APPLY_MONITOR = 12033;
constexpr UINT IDS_APPLYING = 12034;
constexpr UINT IDS_APPLY_FAILED = 12035;
using appcommon::IDS_CANCEL;
constexpr UINT IDS_LEVEL = 12068;
using appcommon::IDS_DEFAULT;
constexpr UINT IDS_TOP_GRAPH = 12105;
constexpr UINT IDS_BOTTOM_GRAPH = 12106;
using appcommon::IDS_ECG_GAIN;
using appcommon::IDS_FECG_GAIN;
using appcommon::IDS_TREND_SPEED;
constexpr UINT IDS_ALARM_SOUND = 12113;
constexpr UINT IDS_ALARM_LIMIT = 12127;
constexpr UINT IDS_APPLY = 12128;
constexpr UINT IDS_PATIENT_HEADING = 12140;
using appcommon::IDS_PATIENT_INFORMATION;
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
using appcommon::IDS_DISPLAY_INFORMATION;
constexpr UINT IDS_ALARM_INFORMATION = 12179;
using appcommon::IDS_GRAPH;
constexpr UINT IDS_CLIENT_SETTING = 12193;
constexpr UINT IDS_FSPO2_VOLUME = 12199;
constexpr UINT IDS_MINUTES = 57666;
constexpr UINT IDS_AUTO_RECORDING_TIME = 57667;
constexpr UINT IDS_PERIOD = 57668;

} // namespace tarvic::bed
