// The texts both stations show: the labels, headings and messages their dialogs and printouts
// share, and the trend print dialog's texts. Both programs carry this table (it is compiled into
// each), so each id has its English text once; a language module replaces any of them under the
// same id.
#pragma once

#include "platform/core/ResourceModule.h"
#include "platform/core/Types.h"

#include <span>

namespace appcommon {

constexpr UINT IDS_REGISTRATION_DATE = 12009;
constexpr UINT IDS_SEARCH = 12010;
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
constexpr UINT IDS_SAVE = 12039;
constexpr UINT IDS_CANCEL = 12040;
constexpr UINT IDS_ALL = 12050;
constexpr UINT IDS_EDIT = 12056;
constexpr UINT IDS_SELECT_DATA_FOLDER = 12058;
constexpr UINT IDS_SYSTEM = 12059;
constexpr UINT IDS_DATABASE_NOT_FOUND = 12071;
constexpr UINT IDS_SAVE_CONFIGURATION = 12084;
constexpr UINT IDS_CONFIG_HEADING = 12085;
constexpr UINT IDS_CONFIGURATION_SETTING = 12086;
constexpr UINT IDS_DEFAULT = 12087;
constexpr UINT IDS_COLOR_SKIN = 12089;
constexpr UINT IDS_GRAPH = 12090;
constexpr UINT IDS_GRAPH_BACKGROUND = 12091;
constexpr UINT IDS_GRAPH_TEXT = 12092;
constexpr UINT IDS_GRID = 12095;
constexpr UINT IDS_OUTER_GRID = 12096;
constexpr UINT IDS_INNER_GRID = 12097;
constexpr UINT IDS_OUTER_STYLE = 12098;
constexpr UINT IDS_INNER_STYLE = 12099;
constexpr UINT IDS_EVENT = 12100;
constexpr UINT IDS_MARKER = 12101;
constexpr UINT IDS_STIMULATOR = 12102;
constexpr UINT IDS_ECG_GAIN = 12108;
constexpr UINT IDS_FECG_GAIN = 12109;
constexpr UINT IDS_TREND_SPEED = 12110;
constexpr UINT IDS_SW_VERSION = 12111;
constexpr UINT IDS_LANGUAGE = 12112;
constexpr UINT IDS_DATA_PATH = 12114;
constexpr UINT IDS_EMR_SETTING = 12117;
constexpr UINT IDS_PROGRAM_PATH = 12118;
constexpr UINT IDS_IMAGE_TYPE = 12119;
// ---- the trend print dialog ----------------------------------------------------------------
constexpr UINT IDS_OK = 12129;
constexpr UINT IDS_PRINT = 12130;
constexpr UINT IDS_PRINT_RANGE = 12131;
constexpr UINT IDS_PRINT_COVER_PAGE = 12132;
constexpr UINT IDS_PRINT_TREND = 12133;
constexpr UINT IDS_SELECT_RANGE = 12134;
constexpr UINT IDS_START_TIME = 12135;
constexpr UINT IDS_END_TIME = 12136;
constexpr UINT IDS_OPTION = 12137;
constexpr UINT IDS_TREND_VISIBLE_SETTING = 12138;
constexpr UINT IDS_PATIENT_INFORMATION = 12141;
constexpr UINT IDS_DISPLAY_INFORMATION = 12178;
constexpr UINT IDS_JPG_NOT_CREATED = 12182;
constexpr UINT IDS_FILE_SAVED = 12183;
constexpr UINT IDS_COLOR = 12184;
constexpr UINT IDS_DEFAULT_COLOR = 12185;
constexpr UINT IDS_PAPER_COLOR = 12186;
constexpr UINT IDS_LOSS_OF_SIGNAL = 12188;
constexpr UINT IDS_PRINTED_INTERVAL = 12190;
constexpr UINT IDS_WEEKS = 12191;
constexpr UINT IDS_CENTER_GRID = 12195;
constexpr UINT IDS_CENTER_STYLE = 12196;
constexpr UINT IDS_RECORD_INFORMATION = 13008;

// Every entry in ascending id order.
std::span<const platform::StringEntry> StationStringTable();
// Called by what shows these texts, so that a program links the table (and its registration).
void UseStationStrings();

} // namespace appcommon
