// The review station's resource ids: its document template, toolbar, form and child dialogs,
// bitmaps, commands, view messages and texts. The values are the program's classic ones, so a
// language module that carries the same ids replaces the texts and pictures.
#pragma once

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
constexpr UINT IDS_DATABASE_NOT_FOUND = 12071;
constexpr UINT IDS_RECORD_FILE_NOT_OPENED = 13007;
// Texts of the data library the review station shows.
constexpr UINT IDS_WAVE_ECG = 10116;
constexpr UINT IDS_WAVE_FECG = 10117;
constexpr UINT IDS_WAVE_MSPO2 = 10118;
constexpr UINT IDS_WAVE_FSPO2 = 10119;
constexpr UINT IDS_NIBP = 10120;
constexpr UINT IDS_TEMP = 10121;
constexpr UINT IDS_FHR1 = 10122;
constexpr UINT IDS_FHR2 = 10123;
constexpr UINT IDS_UC = 10124;
constexpr UINT IDS_IUP = 10125;
constexpr UINT IDS_MSPO2_PR = 10164;
constexpr UINT IDS_FSPO2_PR = 10166;
constexpr UINT IDS_FM1 = 10168;
constexpr UINT IDS_FM2 = 10169;
constexpr UINT IDS_MHR = 10170;
constexpr UINT IDS_NORMAL_FHR = 10171;
constexpr UINT IDS_GA = 10173;
constexpr UINT IDS_LENGTH = 10175;
// The review station's own texts.
constexpr UINT IDS_ID = 11007;
constexpr UINT IDS_NAME = 11008;
constexpr UINT IDS_RECORD_START = 11009;
constexpr UINT IDS_CURRENT_DATE = 11010;
constexpr UINT IDS_SWEEP_SPEED = 11011;
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
constexpr UINT IDS_SELECT_DATA_DIRECTORY = 12058;
constexpr UINT IDS_SYSTEM = 12059;
constexpr UINT IDS_SAVE_CONFIGURATION = 12084;
constexpr UINT IDS_SETTING_HEADING = 12085;
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
constexpr UINT IDS_PATIENT_LIST = 13000;
constexpr UINT IDS_HISTORY = 13001;
constexpr UINT IDS_STUDY_ID = 13002;
constexpr UINT IDS_MEMBRANE_STATUS = 13004;
constexpr UINT IDS_DELETE_STUDIES = 13005;
constexpr UINT IDS_RECORD_INFORMATION = 13008;
constexpr UINT IDS_COLOR_HEADING = 13009;
constexpr UINT IDS_DISPLAY_HEADING = 13010;
constexpr UINT IDS_TAB_TREND = 13011;
constexpr UINT IDS_TAB_WAVEFORM = 13012;
constexpr UINT IDS_SYSTEM_HEADING = 13013;
constexpr UINT IDS_STUDY_IN_USE = 13014;

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
