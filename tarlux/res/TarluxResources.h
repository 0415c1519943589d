// The review station's resource ids: its document template, toolbar, form and child dialogs,
// bitmaps, commands, view messages and texts. The values are the program's classic ones, so a
// language module that carries the same ids replaces the texts and pictures.
#pragma once

#include "appcommon/StationStrings.h"
#include "nrdata/res/NRDataStrings.h"

#include "platform/msg/Messages.h"

namespace tarlux {

// ---- document template, toolbar and bitmaps -------------------------------------------------------
constexpr UINT IDR_MAINFRAME = 502;       // template string, toolbar
constexpr UINT IDB_TOOLBAR_DISABLED = 505;
constexpr UINT IDB_TOOLBAR_NORMAL = 506;
constexpr UINT IDB_TOOLBAR_HOT = 508;
constexpr UINT IDB_TOOLBAR_BAND = 509;    // the rebar band's background
constexpr int kToolbarImageWidth = 60;
constexpr int kToolbarImageHeight = 50;
constexpr int kToolbarBandWidth = 2;
constexpr int kToolbarBandHeight = 66;
constexpr int kToolbarHeight = 56;
constexpr int kToolbarButtons = 9;
// The transparent colour of the toolbar pictures.
constexpr COLORREF kToolbarMask = RGB(255, 0, 255);

// ---- the form and its child dialogs -----------------------------------------------------------------
constexpr UINT IDD_TARLUXII_FORM = 501;
constexpr UINT IDD_PATIENT_INFO = 507;
constexpr UINT IDD_PATIENT_LIST = 510;
constexpr UINT IDD_STUDY_INFO = 513;
constexpr UINT IDD_TREND_PAGE = 517;
constexpr UINT IDD_WAVE_PAGE = 518;
constexpr UINT IDD_ENVIRONMENT_SETTING = 512;
constexpr UINT IDD_DISPLAY_SETTING_PAGE = 514;
constexpr UINT IDD_COLOR_SETTING_PAGE = 515;
constexpr UINT IDD_SYSTEM_SETTING_PAGE = 519;
// The static frames of the form that mark where the three dialogs go.
constexpr int IDC_FRAME_PATIENT_LIST = 5006;
constexpr int IDC_FRAME_PATIENT_INFO = 5007;
constexpr int IDC_FRAME_STUDY_INFO = 5008;
// The trend view control on the trend page, the wave view control on the wave page.
constexpr int IDC_TREND_VIEW = 5031;
constexpr int IDC_WAVE_VIEW = 5032;

// The study information dialog.
constexpr int IDC_STUDY_TAB = 1002;
constexpr int IDC_STUDY_START = 5015;
constexpr int IDC_STUDY_LENGTH = 5016;
constexpr int IDC_STUDY_DOCTOR = 5021;
constexpr int IDC_STUDY_NURSE = 5023;
constexpr int IDC_STUDY_COMMENT = 5026;
constexpr int IDC_STUDY_EDIT = 5040;
constexpr int IDC_STUDY_CANCEL = 5028;
constexpr int IDC_STUDY_START_LABEL = 5018;
constexpr int IDC_STUDY_LENGTH_LABEL = 5019;
constexpr int IDC_STUDY_DOCTOR_LABEL = 5020;
constexpr int IDC_STUDY_NURSE_LABEL = 5022;
constexpr int IDC_STUDY_COMMENT_LABEL = 5017;

// The patient list dialog.
constexpr int IDC_PLIST_TITLE = 5000;
constexpr int IDC_PLIST_ID_LABEL = 5028;
constexpr int IDC_PLIST_ID = 5029;
constexpr int IDC_PLIST_NAME_LABEL = 5016;
constexpr int IDC_PLIST_NAME = 5017;
constexpr int IDC_PLIST_SEARCH = 5018;
constexpr int IDC_PLIST_LIST = 5011;

// The patient information dialog.
constexpr int IDC_PINFO_ID_LABEL = 5014;
constexpr int IDC_PINFO_ID = 5023;
constexpr int IDC_PINFO_NAME_LABEL = 5019;
constexpr int IDC_PINFO_NAME = 5031;
constexpr int IDC_PINFO_BIRTHDAY_LABEL = 5020;
constexpr int IDC_PINFO_BIRTHDAY = 5032;
constexpr int IDC_PINFO_LMP_LABEL = 5015;
constexpr int IDC_PINFO_LMP = 5024;
constexpr int IDC_PINFO_EDC_LABEL = 5016;
constexpr int IDC_PINFO_EDC = 5025;
constexpr int IDC_PINFO_GRPA_LABEL = 5018;
constexpr int IDC_PINFO_GR = 5029;
constexpr int IDC_PINFO_PA = 5030;
constexpr int IDC_PINFO_COMMENT_LABEL = 5017;
constexpr int IDC_PINFO_COMMENT = 5026;
constexpr int IDC_PINFO_HISTORY_LABEL = 5012;
constexpr int IDC_PINFO_HISTORY = 5013;
constexpr int IDC_PINFO_EDIT = 5040;
constexpr int IDC_PINFO_CANCEL = 5028;

// The settings sheet and its pages.
constexpr int IDC_SETTING_TAB = 5399;
constexpr int IDC_SETTING_TITLE = 5400;
constexpr int IDC_SETTING_SAVE = 5431;

// ---- toolbar commands (a command's string holds its tool tip after "\n") --------------------------
constexpr UINT ID_REVIEW_IMAGE = 42773;
constexpr UINT ID_REVIEW_EXIT = 42774;
constexpr UINT ID_REVIEW_SETTING = 42775;
constexpr UINT ID_REVIEW_PRINT = 42776;
constexpr UINT ID_REVIEW_PREVIEW = 42777;
// Blank pictures between the buttons; nothing handles them, so they show disabled.
constexpr UINT ID_REVIEW_SPACER1 = 42780;
constexpr UINT ID_REVIEW_SPACER2 = 42781;
constexpr UINT ID_REVIEW_SPACER3 = 42782;
constexpr UINT ID_REVIEW_SPACER4 = 42783;

// ---- texts ------------------------------------------------------------------------------------------
// From the data library's table.
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
using nrdata::IDS_PARAM_FSPO2_PR;
using nrdata::IDS_FM1;
using nrdata::IDS_FM2;
using nrdata::IDS_PARAM_MHR;
using nrdata::IDS_NORMAL_FHR;
using nrdata::IDS_GA;
using nrdata::IDS_LENGTH;
using nrdata::IDS_ID;
using nrdata::IDS_NAME;
using nrdata::IDS_RECORD_START;
using nrdata::IDS_CURRENT_DATE;
using nrdata::IDS_SWEEP_SPEED;
// From the table both stations share.
using appcommon::IDS_DATABASE_NOT_FOUND;
using appcommon::IDS_REGISTRATION_DATE;
using appcommon::IDS_SEARCH;
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
using appcommon::IDS_SAVE;
using appcommon::IDS_CANCEL;
using appcommon::IDS_ALL;
using appcommon::IDS_EDIT;
using appcommon::IDS_SELECT_DATA_FOLDER;
using appcommon::IDS_SYSTEM;
using appcommon::IDS_SAVE_CONFIGURATION;
using appcommon::IDS_CONFIG_HEADING;
using appcommon::IDS_CONFIGURATION_SETTING;
using appcommon::IDS_DEFAULT;
using appcommon::IDS_COLOR_SKIN;
using appcommon::IDS_GRAPH;
using appcommon::IDS_GRAPH_BACKGROUND;
using appcommon::IDS_GRAPH_TEXT;
using appcommon::IDS_GRID;
using appcommon::IDS_OUTER_GRID;
using appcommon::IDS_INNER_GRID;
using appcommon::IDS_OUTER_STYLE;
using appcommon::IDS_INNER_STYLE;
using appcommon::IDS_EVENT;
using appcommon::IDS_MARKER;
using appcommon::IDS_STIMULATOR;
using appcommon::IDS_ECG_GAIN;
using appcommon::IDS_FECG_GAIN;
using appcommon::IDS_TREND_SPEED;
using appcommon::IDS_SW_VERSION;
using appcommon::IDS_LANGUAGE;
using appcommon::IDS_DATA_PATH;
using appcommon::IDS_EMR_SETTING;
using appcommon::IDS_PROGRAM_PATH;
using appcommon::IDS_IMAGE_TYPE;
using appcommon::IDS_TREND_VISIBLE_SETTING;
using appcommon::IDS_PATIENT_INFORMATION;
using appcommon::IDS_DISPLAY_INFORMATION;
using appcommon::IDS_JPG_NOT_CREATED;
using appcommon::IDS_FILE_SAVED;
using appcommon::IDS_COLOR;
using appcommon::IDS_DEFAULT_COLOR;
using appcommon::IDS_PAPER_COLOR;
using appcommon::IDS_LOSS_OF_SIGNAL;
using appcommon::IDS_PRINTED_INTERVAL;
using appcommon::IDS_WEEKS;
using appcommon::IDS_CENTER_GRID;
using appcommon::IDS_CENTER_STYLE;
using appcommon::IDS_RECORD_INFORMATION;
// The review station's own.
constexpr UINT IDS_RECORD_FILE_NOT_OPENED = 13007;
constexpr UINT IDS_PATIENT_LIST = 13000;
constexpr UINT IDS_HISTORY = 13001;
constexpr UINT IDS_STUDY_ID = 13002;
constexpr UINT IDS_MEMBRANE_STATUS = 13004;
constexpr UINT IDS_DELETE_STUDIES = 13005;
constexpr UINT IDS_COLOR_HEADING = 13009;
constexpr UINT IDS_DISPLAY_HEADING = 13010;
constexpr UINT IDS_TAB_TREND = 13011;
constexpr UINT IDS_TAB_WAVEFORM = 13012;
constexpr UINT IDS_SYSTEM_HEADING = 13013;
constexpr UINT IDS_STUDY_IN_USE = 13014;
// The printed cover page's title line ("%s %s %s": product, version, print time) and bottom line.
constexpr UINT IDS_COVER_PRODUCT = 13015;
constexpr UINT IDS_COVER_VERSION = 13016;
constexpr UINT IDS_COVER_FOOTER = 13017;

// ---- messages the review context and the settings sheet post to the view ----------------------------
constexpr UINT WM_PATIENT_CHANGED = WM_USER + 1;
constexpr UINT WM_STUDY_CHANGED = WM_USER + 2;
constexpr UINT WM_PATIENT_LIST_REFRESH = WM_USER + 3;
constexpr UINT WM_PATIENT_INFO_REFRESH = WM_USER + 4;
constexpr UINT WM_SETTINGS_CHANGED = WM_USER + 5;

// The program's name: the caption of its message boxes, which carry no title of their own.
constexpr char kProgramName[] = "TarluxII";
// The name a running review station holds, so that a second start finds it.
constexpr char kInstanceName[] = "TarluxerII";

} // namespace tarlux
