// The review station's dialog templates (dialog units) and its toolbar layout.
#include "tarlux/res/TarluxResources.h"

#include "tarlux/trend/CTrendViewCtrl.h"
#include "tarlux/wave/CWaveViewCtrl.h"

#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/controls/ListCtrl.h"
#include "platform/ui/controls/Static.h"
#include "platform/ui/dialogs/DialogTemplate.h"

#include <array>
#include <iterator>

namespace tarlux {
namespace {

constexpr DWORD kChildDialog = DS_SETFONT | DS_CONTROL | WS_CHILD;
constexpr DWORD kPopupDialog = DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
// Read-only fields start disabled; the dialogs enable what may be edited.
constexpr DWORD kField = ES_AUTOHSCROLL | WS_BORDER | WS_DISABLED;
constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kReport = LVS_REPORT | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP;
constexpr DWORD kDropList = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD kPush = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kPicker = BS_OWNERDRAW | WS_TABSTOP;
constexpr DWORD kLineCombo = CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | WS_VSCROLL | WS_TABSTOP;

// The form: three frames marking the places of the patient list (left column), the patient
// information (top right) and the study information (below it).
const platform::DialogItem kFormItems[] = {
    { "Static", "", IDC_FRAME_PATIENT_LIST, SS_GRAYFRAME, 0, 0, 121, 378 },
    { "Static", "", IDC_FRAME_PATIENT_INFO, SS_GRAYFRAME, 123, 0, 366, 98 },
    { "Static", "", IDC_FRAME_STUDY_INFO, SS_GRAYFRAME, 123, 100, 366, 278 },
};

// The patient list: the two filters and the search above the list of patients.
const platform::DialogItem kPatientListItems[] = {
    { "Static", "", IDC_PLIST_TITLE, SS_LEFT, 3, 3, 115, 10 },
    { "Static", "", IDC_PLIST_ID_LABEL, SS_LEFT, 3, 18, 32, 8 },
    { "Edit", "", IDC_PLIST_ID, kEdit, 36, 16, 82, 12 },
    { "Static", "", IDC_PLIST_NAME_LABEL, SS_LEFT, 3, 32, 32, 8 },
    { "Edit", "", IDC_PLIST_NAME, kEdit, 36, 30, 82, 12 },
    { "Button", "", IDC_PLIST_SEARCH, kPush, 68, 45, 50, 13 },
    { "SysListView32", "", IDC_PLIST_LIST, kReport, 2, 62, 117, 311 },
};

// The patient information: the patient's fields on the left, the study history on the right.
const platform::DialogItem kPatientInfoItems[] = {
    { "Static", "", IDC_PINFO_ID_LABEL, SS_LEFT, 3, 5, 38, 8 },
    { "Edit", "", IDC_PINFO_ID, kField, 42, 3, 60, 11 },
    { "Static", "", IDC_PINFO_NAME_LABEL, SS_LEFT, 106, 5, 30, 8 },
    { "Edit", "", IDC_PINFO_NAME, kField, 137, 3, 80, 11 },
    { "Static", "", IDC_PINFO_BIRTHDAY_LABEL, SS_LEFT, 3, 18, 38, 8 },
    { "Edit", "", IDC_PINFO_BIRTHDAY, kField, 42, 16, 60, 11 },
    { "Static", "", IDC_PINFO_LMP_LABEL, SS_LEFT, 106, 18, 30, 8 },
    { "Edit", "", IDC_PINFO_LMP, kField, 137, 16, 80, 11 },
    { "Static", "", IDC_PINFO_EDC_LABEL, SS_LEFT, 3, 31, 38, 8 },
    { "Edit", "", IDC_PINFO_EDC, kField, 42, 29, 60, 11 },
    { "Static", "", IDC_PINFO_GRPA_LABEL, SS_LEFT, 106, 31, 30, 8 },
    { "Edit", "", IDC_PINFO_GR, kField, 137, 29, 38, 11 },
    { "Edit", "", IDC_PINFO_PA, kField, 179, 29, 38, 11 },
    { "Static", "", IDC_PINFO_COMMENT_LABEL, SS_LEFT, 3, 44, 38, 8 },
    { "Edit", "", IDC_PINFO_COMMENT, ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | WS_BORDER | WS_DISABLED, 42,
      42, 175, 34 },
    { "Button", "", IDC_PINFO_EDIT, kPush | WS_DISABLED, 113, 80, 50, 13 },
    { "Button", "", IDC_PINFO_CANCEL, kPush | WS_DISABLED, 167, 80, 50, 13 },
    { "Static", "", IDC_PINFO_HISTORY_LABEL, SS_LEFT, 222, 3, 80, 8 },
    { "SysListView32", "", IDC_PINFO_HISTORY, kReport, 222, 13, 141, 82 },
};

// The study information: the study's fields and comment above the trend and wave pages.
const platform::DialogItem kStudyInfoItems[] = {
    { "Static", "", IDC_STUDY_START_LABEL, SS_LEFT, 3, 5, 45, 8 },
    { "Edit", "", IDC_STUDY_START, kField, 49, 3, 75, 11 },
    { "Static", "", IDC_STUDY_LENGTH_LABEL, SS_LEFT, 128, 5, 28, 8 },
    { "Edit", "", IDC_STUDY_LENGTH, kField, 157, 3, 45, 11 },
    { "Static", "", IDC_STUDY_DOCTOR_LABEL, SS_LEFT, 3, 18, 45, 8 },
    { "Edit", "", IDC_STUDY_DOCTOR, kField, 49, 16, 75, 11 },
    { "Static", "", IDC_STUDY_NURSE_LABEL, SS_LEFT, 128, 18, 28, 8 },
    { "Edit", "", IDC_STUDY_NURSE, kField, 157, 16, 75, 11 },
    { "Static", "", IDC_STUDY_COMMENT_LABEL, SS_LEFT, 3, 31, 45, 8 },
    { "Edit", "", IDC_STUDY_COMMENT, ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | WS_BORDER | WS_DISABLED, 49,
      29, 183, 20 },
    { "Button", "", IDC_STUDY_EDIT, kPush | WS_DISABLED, 238, 2, 45, 13 },
    { "Button", "", IDC_STUDY_CANCEL, kPush | WS_DISABLED, 238, 17, 45, 13 },
    { "SysTabControl32", "", IDC_STUDY_TAB, WS_TABSTOP | WS_CLIPCHILDREN, 3, 52, 578, 250 },
};

// The trend page: the trend view control fills it (the page moves it on every size change).
const platform::DialogItem kTrendPageItems[] = {
    { CTrendViewCtrl::kClassName, "", IDC_TREND_VIEW, WS_HSCROLL | WS_TABSTOP, 0, 0, 396, 199 },
};

// The wave page: the wave view control fills it (the page moves it on every size change).
const platform::DialogItem kWavePageItems[] = {
    { CWaveViewCtrl::kClassName, "", IDC_WAVE_VIEW, WS_HSCROLL | WS_VSCROLL | WS_TABSTOP, 0, 0, 396, 199 },
};

// The settings sheet: a heading, the tab control with the three pages, the save button.
const platform::DialogItem kEnvironmentItems[] = {
    { "Static", "", IDC_SETTING_TITLE, SS_LEFT, 7, 5, 400, 10 },
    { "SysTabControl32", "", IDC_SETTING_TAB, WS_TABSTOP, 4, 18, 452, 250 },
    { "Button", "", IDC_SETTING_SAVE, kPush, 366, 272, 90, 14 },
};

// The display page: speeds and gains, and which trends are drawn.
const platform::DialogItem kDisplayPageItems[] = {
    { "Static", "", 5400, SS_LEFT, 7, 4, 430, 10 },
    { "Button", "", 5409, BS_GROUPBOX, 3, 16, 440, 50 },
    { "Static", "", 5360, SS_LEFT, 12, 31, 60, 8 },
    { "ComboBox", "", 5419, kDropList, 74, 29, 90, 80 },
    { "Static", "", 5361, SS_LEFT, 230, 31, 60, 8 },
    { "ComboBox", "", 5420, kDropList, 292, 29, 90, 80 },
    { "Static", "", 5362, SS_LEFT, 12, 48, 60, 8 },
    { "ComboBox", "", 5421, kDropList, 74, 46, 90, 80 },
    { "Static", "", 5432, SS_LEFT, 230, 48, 60, 8 },
    { "ComboBox", "", 5422, kDropList, 292, 46, 90, 80 },
    { "Button", "", 5529, BS_GROUPBOX, 3, 70, 440, 104 },
    { "Button", "", 5058, kCheck, 12, 84, 90, 10 },
    { "Button", "", 5531, kCheck, 12, 100, 90, 10 },
    { "Button", "", 5218, kCheck, 117, 100, 90, 10 },
    { "Button", "", 5535, kCheck, 222, 100, 90, 10 },
    { "Button", "", 5221, kCheck, 327, 100, 90, 10 },
    { "Button", "", 5220, kCheck, 12, 116, 90, 10 },
    { "Button", "", 5537, kCheck, 117, 116, 90, 10 },
    { "Button", "", 5536, kCheck, 222, 116, 90, 10 },
    { "Button", "", 5538, kCheck, 327, 116, 90, 10 },
    { "Button", "", 5539, kCheck, 12, 132, 90, 10 },
    { "Button", "", 5540, kCheck, 117, 132, 90, 10 },
    { "Button", "", 5541, kCheck, 222, 132, 90, 10 },
    { "Button", "", 5542, kCheck, 327, 132, 90, 10 },
    { "Button", "", 5544, kCheck, 12, 148, 90, 10 },
    { "Button", "", 5543, kCheck, 117, 148, 90, 10 },
    { "Button", "", 1546, kCheck, 222, 148, 90, 10 },
    { "Button", "", 1545, kCheck, 327, 148, 90, 10 },
    { "Button", "", 5039, kPush, 385, 182, 58, 14 },
};

// The colour page: the graph colours, the grid colours and styles, the event colours, the presets.
const platform::DialogItem kColorPageItems[] = {
    { "Static", "", 5400, SS_LEFT, 7, 4, 430, 10 },
    { "Button", "", 5434, BS_GROUPBOX, 3, 16, 440, 80 },
    { "Static", "", 5439, SS_LEFT, 10, 30, 70, 8 },
    { "Button", "", 5435, kPicker, 82, 28, 55, 14 },
    { "Static", "", 5471, SS_LEFT, 155, 30, 70, 8 },
    { "Button", "", 5472, kPicker, 227, 28, 55, 14 },
    { "Static", "", 5456, SS_LEFT, 300, 30, 70, 8 },
    { "Button", "", 5436, kPicker, 372, 28, 55, 14 },
    { "Static", "", 5465, SS_LEFT, 10, 46, 70, 8 },
    { "Button", "", 5438, kPicker, 82, 44, 55, 14 },
    { "Static", "", 5466, SS_LEFT, 155, 46, 70, 8 },
    { "Button", "", 5444, kPicker, 227, 44, 55, 14 },
    { "Static", "", 5467, SS_LEFT, 300, 46, 70, 8 },
    { "Button", "", 5446, kPicker, 372, 44, 55, 14 },
    { "Static", "", 5453, SS_LEFT, 10, 62, 70, 8 },
    { "Button", "", 5437, kPicker, 82, 60, 55, 14 },
    { "Static", "", 5454, SS_LEFT, 155, 62, 70, 8 },
    { "Button", "", 5440, kPicker, 227, 60, 55, 14 },
    { "Static", "", 5442, SS_LEFT, 300, 62, 70, 8 },
    { "Button", "", 5443, kPicker, 372, 60, 55, 14 },
    { "Static", "", 5455, SS_LEFT, 10, 78, 70, 8 },
    { "Button", "", 5445, kPicker, 82, 76, 55, 14 },
    { "Static", "", 5468, SS_LEFT, 155, 78, 70, 8 },
    { "Button", "", 5447, kPicker, 227, 76, 55, 14 },
    { "Static", "", 5428, SS_LEFT, 300, 78, 70, 8 },
    { "Button", "", 5448, kPicker, 372, 76, 55, 14 },
    { "Button", "", 5403, BS_GROUPBOX, 3, 100, 440, 50 },
    { "Static", "", 5457, SS_LEFT, 10, 114, 70, 8 },
    { "Button", "", 5450, kPicker, 82, 112, 55, 14 },
    { "Static", "", 5458, SS_LEFT, 155, 114, 70, 8 },
    { "Button", "", 5452, kPicker, 227, 112, 55, 14 },
    { "Static", "", 1459, SS_LEFT, 300, 114, 70, 8 },
    { "Button", "", 1451, kPicker, 372, 112, 55, 14 },
    { "Static", "", 5430, SS_LEFT, 10, 132, 70, 8 },
    { "ComboBox", "", 5563, kLineCombo, 82, 130, 55, 80 },
    { "Static", "", 5431, SS_LEFT, 155, 132, 70, 8 },
    { "ComboBox", "", 5564, kLineCombo, 227, 130, 55, 80 },
    { "Static", "", 1441, SS_LEFT, 300, 132, 70, 8 },
    { "ComboBox", "", 1565, kLineCombo, 372, 130, 55, 80 },
    { "Button", "", 5404, BS_GROUPBOX, 3, 154, 290, 30 },
    { "Static", "", 5460, SS_LEFT, 10, 168, 70, 8 },
    { "Button", "", 5461, kPicker, 82, 166, 55, 14 },
    { "Static", "", 5463, SS_LEFT, 155, 168, 70, 8 },
    { "Button", "", 5464, kPicker, 227, 166, 55, 14 },
    { "Static", "", 5479, SS_LEFT, 300, 168, 45, 8 },
    { "ComboBox", "", 5433, CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, 347, 166, 90, 60 },
};

// The system page: the folders of the medical-record program, the data folder and the language.
const platform::DialogItem kSystemPageItems[] = {
    { "Static", "", 5400, SS_LEFT, 7, 4, 430, 10 },
    { "Button", "", 1403, BS_GROUPBOX, 3, 16, 440, 66 },
    { "Static", "", 1411, SS_LEFT, 12, 31, 60, 8 },
    { "Edit", "", 1106, kEdit, 74, 29, 300, 12 },
    { "Button", "...", 1478, kPush, 378, 29, 20, 12 },
    { "Static", "", 1486, SS_LEFT, 12, 47, 60, 8 },
    { "Edit", "", 1107, kEdit, 74, 45, 300, 12 },
    { "Button", "...", 1479, kPush, 378, 45, 20, 12 },
    { "Static", "", 1487, SS_LEFT, 12, 63, 60, 8 },
    { "ComboBox", "", 1477, kDropList, 74, 61, 80, 60 },
    { "Button", "", 5410, BS_GROUPBOX, 3, 86, 440, 66 },
    { "Static", "", 5411, SS_LEFT, 12, 101, 60, 8 },
    { "Edit", "", 5106, kEdit, 74, 99, 300, 12 },
    { "Button", "...", 5413, kPush, 378, 99, 20, 12 },
    { "Static", "", 5412, SS_LEFT, 12, 117, 60, 8 },
    { "ComboBox", "", 5098, kDropList, 74, 115, 100, 120 },
    { "Static", "", 1273, SS_LEFT, 12, 135, 60, 8 },
    { "Static", "", 1414, SS_LEFT, 74, 135, 100, 8 },
};

const platform::DialogTemplate kDialogs[] = {
    { IDD_TARLUXII_FORM, nullptr, WS_CHILD, 0, 0, 0, 490, 378, nullptr, "MS Sans Serif", 8, kFormItems },
    { IDD_PATIENT_LIST, nullptr, kChildDialog, 0, 0, 0, 121, 378, nullptr, "MS Sans Serif", 8, kPatientListItems },
    { IDD_PATIENT_INFO, nullptr, kChildDialog, 0, 0, 0, 366, 98, nullptr, "MS Sans Serif", 8, kPatientInfoItems },
    { IDD_STUDY_INFO, nullptr, kChildDialog, 0, 0, 0, 584, 305, nullptr, "MS Sans Serif", 9, kStudyInfoItems },
    { IDD_TREND_PAGE, nullptr, kChildDialog, 0, 0, 0, 396, 199, nullptr, "MS Sans Serif", 8, kTrendPageItems },
    { IDD_WAVE_PAGE, nullptr, kChildDialog, 0, 0, 0, 396, 199, nullptr, "MS Sans Serif", 8, kWavePageItems },
    { IDD_ENVIRONMENT_SETTING, nullptr, kPopupDialog, 0, 0, 0, 460, 290, "Configuration Setting", "MS Sans Serif",
      8, kEnvironmentItems },
    { IDD_DISPLAY_SETTING_PAGE, nullptr, kChildDialog, 0, 0, 0, 446, 222, nullptr, "MS Sans Serif", 8,
      kDisplayPageItems },
    { IDD_COLOR_SETTING_PAGE, nullptr, kChildDialog, 0, 0, 0, 446, 222, nullptr, "MS Sans Serif", 8,
      kColorPageItems },
    { IDD_SYSTEM_SETTING_PAGE, nullptr, kChildDialog, 0, 0, 0, 446, 222, nullptr, "MS Sans Serif", 8,
      kSystemPageItems },
};
const platform::DialogTemplateTable kDialogTable { kDialogs };

// The toolbar: version 1, 60 x 60 buttons, nine of them (spacers between the working ones).
constexpr WORD kToolBarWords[] = {
    1, 60, 60, kToolbarButtons,
    ID_REVIEW_SPACER1, ID_REVIEW_PREVIEW, ID_REVIEW_PRINT, ID_REVIEW_SPACER2, ID_REVIEW_IMAGE,
    ID_REVIEW_SPACER3, ID_REVIEW_SETTING, ID_REVIEW_SPACER4, ID_REVIEW_EXIT,
};
static_assert(std::size(kToolBarWords) == 4 + kToolbarButtons);

// The words as the resource's little-endian bytes.
constexpr auto kToolBar = [] {
    std::array<BYTE, 2 * std::size(kToolBarWords)> bytes {};
    for (std::size_t i = 0; i < std::size(kToolBarWords); ++i) {
        bytes[2 * i] = static_cast<BYTE>(kToolBarWords[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<BYTE>(kToolBarWords[i] >> 8);
    }
    return bytes;
}();

const platform::ResourceData kData[] = { { "TOOLBAR", IDR_MAINFRAME, nullptr, kToolBar } };

const platform::ResourceModuleRegistration s_dialogs("TarluxII", { .data = kData, .dialogs = &kDialogTable });

} // namespace
} // namespace tarlux
