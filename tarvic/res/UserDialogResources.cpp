// The record dialogs' English texts and their dialog templates: the patient manager, the add
// patient dialog, the user manager, the add user dialog and the user list.
#include "tarvic/res/UserDialogIds.h"

#include "platform/core/ResourceModule.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/controls/DateTimeCtrl.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/controls/ListCtrl.h"
#include "platform/ui/controls/Static.h"
#include "platform/ui/dialogs/DialogTemplate.h"

namespace tarvic::records {
namespace {

constexpr platform::StringEntry kStrings[] = {
    {IDS_ADD_PATIENT_TITLE, "Add Patient Information"},
    {IDS_MODIFY_PATIENT_TITLE, "Modify Patient Information"},
    {IDS_ASK_ADD_PATIENT, "Do you want to add this patient?"},
    {IDS_ASK_MODIFY_PATIENT, "Do you want to modify this patient?"},
    {IDS_ASK_DELETE_PATIENT, "Do you want to delete this patient?"},
    {IDS_INPUT_ID, "Please, Input  ID."},
    {IDS_DUPLICATED_ID, "The input Id is Duplicated.\nPlease, Input the unique ID."},
    {IDS_DATABASE_ERROR, "Internal database error!!"},
    {IDS_INPUT_NAME, "Please, Input name."},
    {IDS_PATIENT_MANAGER, "Patient Manager"},
    {IDS_3_MONTHS, "3 Month"},
    {IDS_1_MONTH, "1 Month"},
    {IDS_1_WEEK, "1 Week"},
    {IDS_1_DAY, "1 Day"},
    {IDS_ADD, "Add"},
    {IDS_DELETE, "Delete"},
    {IDS_ADD_USER_TITLE, "Add User"},
    {IDS_EDIT_USER_TITLE, "Edit User"},
    {IDS_ASK_ADD_USER, "Do you want to add this user?"},
    {IDS_ASK_MODIFY_USER, "Do you want to modify this user?"},
    {IDS_ENTER_PASSWORD, "Enter password."},
    {IDS_INCORRECT_PASSWORD, "Incorrect password!"},
    {IDS_SELECT_DOCTOR, "Select Doctor"},
    {IDS_SELECT_NURSE, "Select Nurse"},
    {IDS_SELECT_DOCTOR_OK, "Select Doctor and Press OK"},
    {IDS_SELECT_NURSE_OK, "Select Nurse and Press OK"},
    {IDS_USER_MANAGER, "User Manager"},
    {IDS_PASSWORD, "Password"},
    {IDS_REPEAT_PASSWORD, "Re-Password"},
    {IDS_ASK_DELETE_USER, "Do you want to delete this user?"},
    {IDS_PATIENT_BEING_USED, "Cannot Delete! Current User (Patient ID: %s) is being Used"},
    {IDS_USER_LIST, "User List"},
};

// ---- dialog templates (dialog units) ---------------------------------------------------------------
constexpr DWORD kLabel = SS_LEFT;
constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kKeyEdit = ES_AUTOHSCROLL | ES_UPPERCASE | WS_BORDER | WS_TABSTOP;
constexpr DWORD kReadOnly = ES_AUTOHSCROLL | ES_READONLY | WS_BORDER;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kDateNone = DTS_SHOWNONE | WS_TABSTOP;
constexpr DWORD kDropList = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
constexpr DWORD kReportList = LVS_REPORT | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP;

constexpr platform::DialogItem kPatientManagerItems[] = {
    {"Button", "", 1255, BS_GROUPBOX, 7, 5, 456, 56},
    {"Static", "", 1250, kLabel, 14, 20, 34, 8},
    {"Edit", "", IDC_ID, kEdit, 50, 18, 70, 12},
    {"Static", "", 1251, kLabel, 128, 20, 50, 8},
    {"Edit", "", IDC_FIRST_NAME, kEdit, 180, 18, 70, 12},
    {"Static", "", 1252, kLabel, 258, 20, 50, 8},
    {"Edit", "", IDC_LAST_NAME, kEdit, 310, 18, 70, 12},
    {"Static", "", 1254, kLabel, 14, 40, 70, 8},
    {"SysDateTimePick32", "", IDC_DATE_FROM, kDateNone, 86, 38, 76, 12},
    {"Static", "~", IDC_STATIC, SS_CENTER, 163, 40, 8, 8},
    {"SysDateTimePick32", "", IDC_DATE_TO, kDateNone, 172, 38, 76, 12},
    {"Button", "", IDC_ALL, kButton, 252, 37, 28, 14},
    {"Button", "", IDC_1_DAY, kButton, 252, 37, 34, 14},
    {"Button", "", IDC_1_WEEK, kButton, 288, 37, 34, 14},
    {"Button", "", IDC_1_MONTH, kButton, 324, 37, 34, 14},
    {"Button", "", IDC_3_MONTHS, kButton, 360, 37, 34, 14},
    {"Button", "", IDC_SEARCH, BS_DEFPUSHBUTTON | WS_TABSTOP, 402, 16, 54, 14},
    {"Button", "", IDC_CLEAR, kButton, 402, 37, 54, 14},
    {"SysListView32", "", IDC_PATIENT_LIST, kReportList, 7, 66, 456, 178},
    {"Button", "", IDC_ADD, kButton, 241, 250, 52, 14},
    {"Button", "", IDC_EDIT, kButton, 297, 250, 52, 14},
    {"Button", "", IDC_DELETE, kButton, 353, 250, 52, 14},
    {"Button", "", IDCANCEL, kButton, 409, 250, 52, 14},
};

constexpr platform::DialogItem kAddPatientItems[] = {
    {"Static", "", 1250, kLabel, 10, 10, 68, 8},
    {"Edit", "", IDC_ID, kKeyEdit, 80, 8, 80, 12},
    {"Static", "", 1251, kLabel, 10, 26, 68, 8},
    {"Edit", "", IDC_FIRST_NAME, kKeyEdit, 80, 24, 80, 12},
    {"Static", "", 1252, kLabel, 10, 42, 68, 8},
    {"Edit", "", IDC_LAST_NAME, kKeyEdit, 80, 40, 80, 12},
    {"Static", "", 1256, kLabel, 10, 58, 68, 8},
    {"SysDateTimePick32", "", IDC_BIRTHDAY, kDateNone, 80, 56, 80, 12},
    {"Static", "", 1257, kLabel, 10, 74, 68, 8},
    {"Edit", "", IDC_HEIGHT, kEdit, 80, 72, 50, 12},
    {"Static", "", IDC_HEIGHT_UNIT, kLabel, 134, 74, 26, 8},
    {"Static", "", 1258, kLabel, 10, 90, 68, 8},
    {"Edit", "", IDC_WEIGHT, kEdit, 80, 88, 50, 12},
    {"Static", "", IDC_WEIGHT_UNIT, kLabel, 134, 90, 26, 8},
    {"Static", "", 1253, kLabel, 10, 107, 68, 8},
    {"Button", "", IDC_DOCTOR, kButton, 80, 104, 120, 14},
    {"Static", "", 1260, kLabel, 172, 10, 68, 8},
    {"ComboBox", "", IDC_GR, kDropList, 242, 8, 40, 140},
    {"Static", "", 1261, kLabel, 172, 26, 68, 8},
    {"ComboBox", "", IDC_PA, kDropList, 242, 24, 40, 140},
    {"Static", "", 1262, kLabel, 172, 42, 68, 8},
    {"SysDateTimePick32", "", IDC_LMP, kDateNone, 242, 40, 80, 12},
    {"Static", "", 1263, kLabel, 172, 58, 68, 8},
    {"SysDateTimePick32", "", IDC_EDC, kDateNone, 242, 56, 80, 12},
    {"Static", "", 1254, kLabel, 172, 74, 68, 8},
    {"Edit", "", IDC_REG_DATE, kReadOnly, 242, 72, 80, 12},
    {"Static", "", 1554, kLabel, 172, 90, 68, 8},
    {"Edit", "", IDC_EDIT_DATE, kReadOnly, 242, 88, 80, 12},
    {"Static", "", 1259, kLabel, 10, 126, 68, 8},
    {"Edit", "", IDC_COMMENT, ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 10, 136, 312,
     48},
    {"Button", "", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 212, 192, 52, 14},
    {"Button", "", IDCANCEL, kButton, 270, 192, 52, 14},
};

constexpr platform::DialogItem kAddUserItems[] = {
    {"Static", "", 1250, kLabel, 10, 10, 68, 8},
    {"Edit", "", IDC_ID, kKeyEdit, 80, 8, 120, 12},
    {"Static", "", 1548, kLabel, 10, 26, 68, 8},
    {"Edit", "", IDC_USER_NAME, kKeyEdit, 80, 24, 120, 12},
    {"Static", "", 1549, kLabel, 10, 42, 68, 8},
    {"ComboBox", "", IDC_LEVEL, kDropList, 80, 40, 70, 80},
    {"Static", "", 1552, kLabel, 10, 58, 68, 8},
    {"Edit", "", IDC_PASSWORD, ES_AUTOHSCROLL | ES_PASSWORD | WS_BORDER | WS_TABSTOP, 80, 56, 120, 12},
    {"Static", "", 1555, kLabel, 10, 74, 68, 8},
    {"Edit", "", IDC_REPEAT_PASSWORD, ES_AUTOHSCROLL | ES_PASSWORD | WS_BORDER | WS_TABSTOP, 80, 72, 120, 12},
    {"Static", "", 1254, kLabel, 10, 90, 68, 8},
    {"Edit", "", IDC_REG_DATE, kReadOnly, 80, 88, 80, 12},
    {"Static", "", 1554, kLabel, 10, 106, 68, 8},
    {"Edit", "", IDC_EDIT_DATE, kReadOnly, 80, 104, 80, 12},
    {"Button", "", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 92, 126, 52, 14},
    {"Button", "", IDCANCEL, kButton, 148, 126, 52, 14},
};

constexpr platform::DialogItem kUserManagerItems[] = {
    {"Button", "", 1255, BS_GROUPBOX, 7, 5, 406, 42},
    {"Static", "", 1250, kLabel, 14, 21, 22, 8},
    {"Edit", "", IDC_ID, kEdit, 38, 19, 80, 12},
    {"Static", "", 1548, kLabel, 124, 21, 30, 8},
    {"Edit", "", IDC_USER_NAME, kEdit, 156, 19, 80, 12},
    {"Static", "", 1549, kLabel, 242, 21, 30, 8},
    {"ComboBox", "", IDC_LEVEL, kDropList, 274, 19, 60, 80},
    {"Button", "", IDC_SEARCH, BS_DEFPUSHBUTTON | WS_TABSTOP, 346, 13, 60, 14},
    {"Button", "", IDC_CLEAR, kButton, 346, 29, 60, 14},
    {"SysListView32", "", IDC_USER_LIST, kReportList, 7, 52, 406, 180},
    {"Button", "", IDC_ADD, kButton, 191, 238, 52, 14},
    {"Button", "", IDC_EDIT, kButton, 247, 238, 52, 14},
    {"Button", "", IDC_DELETE, kButton, 303, 238, 52, 14},
    {"Button", "", IDCANCEL, kButton, 359, 238, 52, 14},
};

constexpr platform::DialogItem kManagerListItems[] = {
    {"Static", "", IDC_PROMPT, kLabel, 7, 7, 200, 8},
    {"SysListView32", "", IDC_USER_LIST, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP,
     7, 19, 326, 150},
    {"Button", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 225, 176, 52, 14},
    {"Button", "Cancel", IDCANCEL, kButton, 281, 176, 52, 14},
};

constexpr DWORD kModalStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;

constexpr platform::DialogTemplate kDialogs[] = {
    {IDD_PATIENT_MANAGER, nullptr, kModalStyle, 0, 0, 0, 470, 270, "", "MS Sans Serif", 8, kPatientManagerItems},
    {IDD_ADD_PATIENT, nullptr, kModalStyle, 0, 0, 0, 332, 212, "", "MS Sans Serif", 8, kAddPatientItems},
    {IDD_ADD_USER, nullptr, kModalStyle, 0, 0, 0, 210, 146, "", "MS Sans Serif", 8, kAddUserItems},
    {IDD_USER_MANAGER, nullptr, kModalStyle, 0, 0, 0, 420, 258, "", "MS Sans Serif", 8, kUserManagerItems},
    {IDD_MANAGER_LIST, nullptr, kModalStyle, 0, 0, 0, 340, 196, "", "MS Sans Serif", 8, kManagerListItems},
};
constexpr platform::DialogTemplateTable kDialogTable{kDialogs};

const platform::ResourceModuleRegistration s_resources("TarvicII", {.strings = kStrings, .dialogs = &kDialogTable});

} // namespace
} // namespace tarvic::records
