// Resource ids of the station's record dialogs: the patient manager and the add patient dialog,
// the user manager, the add user dialog and the user list that picks a doctor or a nurse. Their
// texts and templates are in UserDialogResources.cpp; labels they share with the per-bed dialogs
// ("ID", "Name", "Doctor", ...) come from BedDialogIds.h.
#pragma once

#include "appcommon/StationStrings.h"
#include "tarvic/res/BedDialogIds.h"

namespace tarvic::records {

// ---- dialogs -------------------------------------------------------------------------------------
constexpr UINT IDD_PATIENT_MANAGER = 130;
constexpr UINT IDD_ADD_PATIENT = 132;
constexpr UINT IDD_ADD_USER = 219;
constexpr UINT IDD_USER_MANAGER = 220;
constexpr UINT IDD_MANAGER_LIST = 221;

// ---- strings ---------------------------------------------------------------------------------------
using tarvic::bed::IDS_BIRTHDAY;
using tarvic::bed::IDS_CANCEL;
using tarvic::bed::IDS_CLEAR;
using tarvic::bed::IDS_CLOSE;
using tarvic::bed::IDS_COMMENT;
using tarvic::bed::IDS_CONDITION;
using tarvic::bed::IDS_DOCTOR;
using tarvic::bed::IDS_EDC;
using tarvic::bed::IDS_EDIT_DATE;
using tarvic::bed::IDS_FIRST_NAME;
using tarvic::bed::IDS_GR;
using tarvic::bed::IDS_HEIGHT;
using tarvic::bed::IDS_ID;
using tarvic::bed::IDS_LAST_NAME;
using tarvic::bed::IDS_LEVEL;
using tarvic::bed::IDS_LMP;
using tarvic::bed::IDS_NAME;
using tarvic::bed::IDS_NURSE;
using tarvic::bed::IDS_PA;
using tarvic::bed::IDS_REGISTRATION_DATE;
using tarvic::bed::IDS_SEARCH;
using tarvic::bed::IDS_WEIGHT;

constexpr UINT IDS_ADD_PATIENT_TITLE = 12037;
constexpr UINT IDS_MODIFY_PATIENT_TITLE = 12038;
using appcommon::IDS_SAVE;
constexpr UINT IDS_ASK_ADD_PATIENT = 12041;
constexpr UINT IDS_ASK_MODIFY_PATIENT = 12042;
constexpr UINT IDS_ASK_DELETE_PATIENT = 12043;
constexpr UINT IDS_INPUT_ID = 12044;
constexpr UINT IDS_DUPLICATED_ID = 12045;
constexpr UINT IDS_DATABASE_ERROR = 12046;
constexpr UINT IDS_INPUT_NAME = 12047;
constexpr UINT IDS_PATIENT_MANAGER = 12049;
using appcommon::IDS_ALL;
constexpr UINT IDS_3_MONTHS = 12051;
constexpr UINT IDS_1_MONTH = 12052;
constexpr UINT IDS_1_WEEK = 12053;
constexpr UINT IDS_1_DAY = 12054;
constexpr UINT IDS_ADD = 12055;
using appcommon::IDS_EDIT;
constexpr UINT IDS_DELETE = 12057;
using appcommon::IDS_SYSTEM;
constexpr UINT IDS_ADD_USER_TITLE = 12060;
constexpr UINT IDS_EDIT_USER_TITLE = 12061;
constexpr UINT IDS_ASK_ADD_USER = 12062;
constexpr UINT IDS_ASK_MODIFY_USER = 12063;
constexpr UINT IDS_ENTER_PASSWORD = 12064;
constexpr UINT IDS_INCORRECT_PASSWORD = 12065;
constexpr UINT IDS_SELECT_DOCTOR = 12066;
constexpr UINT IDS_SELECT_NURSE = 12067;
constexpr UINT IDS_SELECT_DOCTOR_OK = 12069;
constexpr UINT IDS_SELECT_NURSE_OK = 12070;
constexpr UINT IDS_USER_MANAGER = 12122;
constexpr UINT IDS_PASSWORD = 12124;
constexpr UINT IDS_REPEAT_PASSWORD = 12125;
constexpr UINT IDS_ASK_DELETE_USER = 12126;
constexpr UINT IDS_PATIENT_BEING_USED = 12180;
constexpr UINT IDS_USER_LIST = 12192;

// ---- controls ----------------------------------------------------------------------------------------
// Shared by several of the dialogs.
constexpr int IDC_ID = 1000;
constexpr int IDC_REG_DATE = 1017;
constexpr int IDC_EDIT_DATE = 1018;
constexpr int IDC_ADD = 1009;
constexpr int IDC_EDIT = 1010;
constexpr int IDC_DELETE = 1011;
constexpr int IDC_CLEAR = 1029;
constexpr int IDC_SEARCH = 1052;

// The patient dialogs.
constexpr int IDC_FIRST_NAME = 1033;
constexpr int IDC_LAST_NAME = 1005;
constexpr int IDC_PATIENT_LIST = 1168;
constexpr int IDC_DATE_FROM = 1115;
constexpr int IDC_DATE_TO = 1114;
constexpr int IDC_ALL = 1016;
constexpr int IDC_1_DAY = 1017;
constexpr int IDC_1_WEEK = 1020;
constexpr int IDC_1_MONTH = 1018;
constexpr int IDC_3_MONTHS = 1019;
constexpr int IDC_BIRTHDAY = 1019;
constexpr int IDC_HEIGHT = 1014;
constexpr int IDC_WEIGHT = 1015;
constexpr int IDC_HEIGHT_UNIT = 1264;
constexpr int IDC_WEIGHT_UNIT = 1267;
constexpr int IDC_COMMENT = 1016;
constexpr int IDC_GR = 1006;
constexpr int IDC_PA = 1007;
constexpr int IDC_LMP = 1020;
constexpr int IDC_EDC = 1021;
constexpr int IDC_DOCTOR = 1555;

// The user dialogs.
constexpr int IDC_USER_NAME = 1001;
constexpr int IDC_LEVEL = 1550;
constexpr int IDC_USER_LIST = 1551;
constexpr int IDC_PASSWORD = 1553;
constexpr int IDC_REPEAT_PASSWORD = 1556;
constexpr int IDC_PROMPT = 1556;

} // namespace tarvic::records
