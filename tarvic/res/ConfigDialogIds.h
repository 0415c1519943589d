// Resource ids of the configuration sheet and its three pages (initial data, colours, system).
// Their texts and templates are in ConfigDialogResources.cpp; texts they share with the per-bed
// dialogs ("Default", "Top Graph", ...) come from BedDialogIds.h.
#pragma once

#include "tarvic/res/UserDialogIds.h"

#include "appcommon/StationStrings.h"
#include "nrdata/res/NRDataStrings.h"

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
using nrdata::IDS_PARAM_MHR;
using nrdata::IDS_NORMAL_FHR;
// The station's own.
using appcommon::IDS_SELECT_DATA_FOLDER;
using appcommon::IDS_SYSTEM;
using appcommon::IDS_SAVE_CONFIGURATION;
using appcommon::IDS_CONFIG_HEADING;
using appcommon::IDS_CONFIGURATION_SETTING;
constexpr UINT IDS_COLOR_HEADING = 12088;
using appcommon::IDS_COLOR_SKIN;
using appcommon::IDS_GRAPH_TEXT;
constexpr UINT IDS_PARAM_BACKGROUND = 12093;
constexpr UINT IDS_PARAM_TEXT = 12094;
using appcommon::IDS_GRID;
using appcommon::IDS_OUTER_GRID;
using appcommon::IDS_INNER_GRID;
using appcommon::IDS_OUTER_STYLE;
using appcommon::IDS_INNER_STYLE;
using appcommon::IDS_EVENT;
using appcommon::IDS_MARKER;
using appcommon::IDS_STIMULATOR;
constexpr UINT IDS_INITIAL_HEADING = 12103;
constexpr UINT IDS_BASE_UNIT = 12104;
using appcommon::IDS_SW_VERSION;
using appcommon::IDS_LANGUAGE;
using appcommon::IDS_DATA_PATH;
constexpr UINT IDS_SERIAL_SETTING = 12115;
constexpr UINT IDS_SELECT_COM_PORT = 12116;
using appcommon::IDS_EMR_SETTING;
using appcommon::IDS_PROGRAM_PATH;
using appcommon::IDS_IMAGE_TYPE;
constexpr UINT IDS_LOGIN = 12120;
constexpr UINT IDS_CHANGE_LOGIN = 12121;
using tarvic::records::IDS_USER_MANAGER;
constexpr UINT IDS_USER_SETTING = 12123;
using appcommon::IDS_COLOR;
using appcommon::IDS_DEFAULT_COLOR;
using appcommon::IDS_PAPER_COLOR;
constexpr UINT IDS_NOT_USE = 12187;
constexpr UINT IDS_PRESSURE = 12194;
using appcommon::IDS_CENTER_GRID;
using appcommon::IDS_CENTER_STYLE;
constexpr UINT IDS_DEVICE_POSITION_FIX = 12197;
constexpr UINT IDS_RECORD_ON_ADMIT = 57669;
using appcommon::IDS_GRAPH_BACKGROUND;
// A save whose settings file could not be written.
constexpr UINT IDS_CONFIG_NOT_SAVED = 12392;
// Beside the data folder and the language: when they take effect.
constexpr UINT IDS_NEXT_START_NOTE = 12393;

} // namespace tarvic::config
