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
// The static frames of the form that mark where the three dialogs go.
constexpr int IDC_FRAME_PATIENT_LIST = 5006;
constexpr int IDC_FRAME_PATIENT_INFO = 5007;
constexpr int IDC_FRAME_STUDY_INFO = 5008;
// The trend view control on the trend page.
constexpr int IDC_TREND_VIEW = 5031;

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
