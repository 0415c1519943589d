// Resource ids of the configuration sheet and its three pages (initial data, colours, system).
// Their texts and templates are in ConfigDialogResources.cpp; texts they share with the per-bed
// dialogs ("Default", "Top Graph", ...) come from BedDialogIds.h.
#pragma once

#include "platform/core/Types.h"

namespace tarvic::config {

// ---- dialogs -------------------------------------------------------------------------------------
constexpr UINT IDD_CONFIGURATION = 136;
constexpr UINT IDD_INITIAL_DATA = 198;
constexpr UINT IDD_SYSTEM_SETTING = 200;
constexpr UINT IDD_COLOR_SETTING = 201;

// ---- controls of the sheet -----------------------------------------------------------------------
constexpr int IDC_CONFIG_TAB = 1399;
constexpr int IDC_CONFIG_HEADING = 1400;
constexpr int IDC_SAVE_CONFIGURATION = 1431;

// ---- strings ---------------------------------------------------------------------------------------
// The language names of the language list.
constexpr UINT IDS_LANGUAGE_ENGLISH = 10070;
constexpr UINT IDS_LANGUAGE_KOREAN = 10080;
// From the data library's table.
constexpr UINT IDS_PARAM_MHR = 10170;
constexpr UINT IDS_NORMAL_FHR = 10171;
// The station's own.
constexpr UINT IDS_SELECT_DATA_FOLDER = 12058;
constexpr UINT IDS_SYSTEM = 12059;
constexpr UINT IDS_SAVE_CONFIGURATION = 12084;
constexpr UINT IDS_CONFIG_HEADING = 12085;
constexpr UINT IDS_CONFIGURATION = 12086;
constexpr UINT IDS_COLOR_HEADING = 12088;
constexpr UINT IDS_COLOR_SKIN = 12089;
constexpr UINT IDS_GRAPH_TEXT = 12092;
constexpr UINT IDS_PARAM_BACKGROUND = 12093;
constexpr UINT IDS_PARAM_TEXT = 12094;
constexpr UINT IDS_GRID = 12095;
constexpr UINT IDS_OUTER_GRID = 12096;
constexpr UINT IDS_INNER_GRID = 12097;
constexpr UINT IDS_OUTER_STYLE = 12098;
constexpr UINT IDS_INNER_STYLE = 12099;
constexpr UINT IDS_EVENT = 12100;
constexpr UINT IDS_MARKER = 12101;
constexpr UINT IDS_STIMULATOR = 12102;
constexpr UINT IDS_INITIAL_HEADING = 12103;
constexpr UINT IDS_BASE_UNIT = 12104;
constexpr UINT IDS_SW_VERSION = 12111;
constexpr UINT IDS_LANGUAGE = 12112;
constexpr UINT IDS_DATA_PATH = 12114;
constexpr UINT IDS_SERIAL_SETTING = 12115;
constexpr UINT IDS_SELECT_COM_PORT = 12116;
constexpr UINT IDS_EMR_SETTING = 12117;
constexpr UINT IDS_PROGRAM_PATH = 12118;
constexpr UINT IDS_IMAGE_TYPE = 12119;
constexpr UINT IDS_LOGIN = 12120;
constexpr UINT IDS_CHANGE_LOGIN = 12121;
constexpr UINT IDS_USER_MANAGER = 12122;
constexpr UINT IDS_USER_SETTING = 12123;
constexpr UINT IDS_COLOR = 12184;
constexpr UINT IDS_DEFAULT_COLOR = 12185;
constexpr UINT IDS_PAPER_COLOR = 12186;
constexpr UINT IDS_NOT_USE = 12187;
constexpr UINT IDS_PRESSURE = 12194;
constexpr UINT IDS_CENTER_GRID = 12195;
constexpr UINT IDS_CENTER_STYLE = 12196;
constexpr UINT IDS_DEVICE_POSITION_FIX = 12197;
constexpr UINT IDS_RECORD_ON_ADMIT = 57669;
// "Graph Background": 12091 holds the station's "not available" text, so it has an id of its own.
constexpr UINT IDS_GRAPH_BACKGROUND = 12391;
// A save whose settings file could not be written.
constexpr UINT IDS_CONFIG_NOT_SAVED = 12392;
// Beside the data folder and the language: when they take effect.
constexpr UINT IDS_NEXT_START_NOTE = 12393;

} // namespace tarvic::config
