// The configuration sheet's English texts and the dialog templates of the sheet and its three
// pages.
#include "tarvic/res/ConfigDialogIds.h"

#include "platform/core/ResourceModule.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/controls/Static.h"
#include "platform/ui/dialogs/DialogTemplate.h"

namespace tarvic::config {
namespace {

constexpr platform::StringEntry kStrings[] = {
    {IDS_LANGUAGE_ENGLISH, "English"},
    {IDS_LANGUAGE_KOREAN, "Korean"},
    {IDS_COLOR_HEADING, "Setting up the initial data of all devices"},
    {IDS_PARAM_BACKGROUND, "Parameter Background"},
    {IDS_PARAM_TEXT, "Parameter Text"},
    {IDS_INITIAL_HEADING, "Setting up the initial data of all devices"},
    {IDS_BASE_UNIT, "Base Unit"},
    {IDS_SERIAL_SETTING, "Serial Setting"},
    {IDS_SELECT_COM_PORT, "Select available COM port"},
    {IDS_LOGIN, "Login"},
    {IDS_CHANGE_LOGIN, "Change Login"},
    {IDS_USER_SETTING, "User Setting"},
    {IDS_NOT_USE, "Not use"},
    {IDS_PRESSURE, "Pressure"},
    {IDS_DEVICE_POSITION_FIX, "Device Position Fix"},
    {IDS_RECORD_ON_ADMIT, "Auto Recording on Admit"},
    {IDS_CONFIG_NOT_SAVED, "The settings could not be written to the settings file.\n"
                           "They apply until the central station is closed."},
    {IDS_NEXT_START_NOTE, "A new data path or language takes effect at the next start of the program."},
};

// ---- dialog templates (dialog units) ---------------------------------------------------------------
constexpr DWORD kList = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
constexpr DWORD kLineList = CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | WS_VSCROLL | WS_TABSTOP;
constexpr DWORD kPicker = BS_OWNERDRAW | WS_TABSTOP;
constexpr DWORD kGroup = BS_GROUPBOX;
constexpr DWORD kFirstRadio = BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP;
constexpr DWORD kRadio = BS_AUTORADIOBUTTON;
constexpr DWORD kPathEdit = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;

constexpr platform::DialogItem kSheetItems[] = {
    {"Static", "", IDC_CONFIG_HEADING, SS_LEFT, 7, 6, 360, 10},
    {"SysTabControl32", "", IDC_CONFIG_TAB, WS_TABSTOP, 4, 20, 450, 250},
    {"Button", "", IDC_SAVE_CONFIGURATION, BS_PUSHBUTTON | WS_TABSTOP, 364, 274, 90, 14},
};

constexpr platform::DialogItem kInitialItems[] = {
    {"Static", "", 1400, SS_LEFT, 7, 4, 432, 10},
    {"Button", "", 1402, kGroup, 3, 16, 440, 46},
    {"Static", "", 1497, SS_LEFT, 12, 30, 80, 8},
    {"ComboBox", "", 1559, kList, 94, 28, 100, 120},
    {"Static", "", 1496, SS_LEFT, 232, 30, 80, 8},
    {"ComboBox", "", 1560, kList, 314, 28, 100, 120},
    {"Static", "", 1562, SS_LEFT, 12, 46, 80, 8},
    {"ComboBox", "", 1561, kList, 94, 44, 100, 120},
    {"Static", "", 1289, SS_LEFT, 232, 46, 80, 8},
    {"ComboBox", "", 1053, kList, 314, 44, 100, 120},
    {"Button", "", 1434, kGroup, 3, 66, 440, 64},
    {"Static", "", 1414, SS_LEFT, 12, 80, 80, 8},
    {"ComboBox", "", 1416, kList, 94, 78, 100, 120},
    {"Static", "", 1415, SS_LEFT, 232, 80, 80, 8},
    {"ComboBox", "", 1417, kList, 314, 78, 100, 120},
    {"Static", "", 1567, SS_LEFT, 12, 96, 80, 8},
    {"ComboBox", "", 1419, kList, 94, 94, 100, 120},
    {"Static", "", 1361, SS_LEFT, 232, 96, 80, 8},
    {"ComboBox", "", 1420, kList, 314, 94, 100, 120},
    {"Static", "", 1362, SS_LEFT, 12, 112, 80, 8},
    {"ComboBox", "", 1421, kList, 94, 110, 100, 120},
    {"Static", "", 1432, SS_LEFT, 232, 112, 80, 8},
    {"ComboBox", "", 1422, kList, 314, 110, 100, 120},
    {"Button", "", 1568, kGroup, 3, 134, 144, 28},
    {"Button", "", 1426, kFirstRadio, 12, 147, 50, 10},
    {"Button", "", 1427, kRadio, 70, 147, 50, 10},
    {"Button", "", 1569, kGroup | WS_GROUP, 151, 134, 144, 28},
    {"Button", "", 1428, kFirstRadio, 160, 147, 50, 10},
    {"Button", "", 1429, kRadio, 218, 147, 50, 10},
    {"Button", "", 1573, kGroup | WS_GROUP, 299, 134, 144, 28},
    {"Button", "", 1430, kFirstRadio, 308, 147, 50, 10},
    {"Button", "", 1431, kRadio, 366, 147, 50, 10},
    {"Button", "", 1570, kGroup | WS_GROUP, 3, 166, 216, 28},
    {"Static", "", 1418, SS_LEFT, 12, 179, 66, 8},
    {"ComboBox", "", 1423, kList, 80, 177, 108, 160},
    {"Button", "", 1204, BS_PUSHBUTTON | WS_TABSTOP, 384, 204, 58, 14},
};

constexpr platform::DialogItem kColorItems[] = {
    {"Static", "", 1400, SS_LEFT, 7, 4, 260, 10},
    {"Static", "", 1479, SS_RIGHT, 270, 4, 76, 8},
    {"ComboBox", "", 1433, kList, 350, 2, 92, 80},
    // Graph: two columns of seven.
    {"Button", "", 1434, kGroup, 3, 18, 440, 120},
    {"Static", "", 1439, SS_LEFT, 12, 32, 92, 8},
    {"Button", "", 1435, kPicker, 106, 30, 80, 14},
    {"Static", "", 1471, SS_LEFT, 12, 47, 92, 8},
    {"Button", "", 1472, kPicker, 106, 45, 80, 14},
    {"Static", "", 1469, SS_LEFT, 12, 62, 92, 8},
    {"Button", "", 1470, kPicker, 106, 60, 80, 14},
    {"Static", "", 1473, SS_LEFT, 12, 77, 92, 8},
    {"Button", "", 1474, kPicker, 106, 75, 80, 14},
    {"Static", "", 1453, SS_LEFT, 12, 92, 92, 8},
    {"Button", "", 1437, kPicker, 106, 90, 80, 14},
    {"Static", "", 1454, SS_LEFT, 12, 107, 92, 8},
    {"Button", "", 1440, kPicker, 106, 105, 80, 14},
    {"Static", "", 1442, SS_LEFT, 12, 122, 92, 8},
    {"Button", "", 1443, kPicker, 106, 120, 80, 14},
    {"Static", "", 1455, SS_LEFT, 232, 32, 92, 8},
    {"Button", "", 1445, kPicker, 326, 30, 80, 14},
    {"Static", "", 1468, SS_LEFT, 232, 47, 92, 8},
    {"Button", "", 1447, kPicker, 326, 45, 80, 14},
    {"Static", "", 1456, SS_LEFT, 232, 62, 92, 8},
    {"Button", "", 1436, kPicker, 326, 60, 80, 14},
    {"Static", "", 1465, SS_LEFT, 232, 77, 92, 8},
    {"Button", "", 1438, kPicker, 326, 75, 80, 14},
    {"Static", "", 1466, SS_LEFT, 232, 92, 92, 8},
    {"Button", "", 1444, kPicker, 326, 90, 80, 14},
    {"Static", "", 1467, SS_LEFT, 232, 107, 92, 8},
    {"Button", "", 1446, kPicker, 326, 105, 80, 14},
    {"Static", "", 1428, SS_LEFT, 232, 122, 92, 8},
    {"Button", "", 1448, kPicker, 326, 120, 80, 14},
    // Grid: colour and line style of each grid.
    {"Button", "", 1403, kGroup, 3, 142, 300, 66},
    {"Static", "", 1457, SS_LEFT, 12, 156, 56, 8},
    {"Button", "", 1450, kPicker, 70, 154, 70, 14},
    {"Static", "", 1430, SS_LEFT, 150, 156, 56, 8},
    {"ComboBox", "", 1563, kLineList, 208, 154, 88, 80},
    {"Static", "", 1458, SS_LEFT, 12, 173, 56, 8},
    {"Button", "", 1452, kPicker, 70, 171, 70, 14},
    {"Static", "", 1431, SS_LEFT, 150, 173, 56, 8},
    {"ComboBox", "", 1564, kLineList, 208, 171, 88, 80},
    {"Static", "", 1459, SS_LEFT, 12, 190, 56, 8},
    {"Button", "", 1451, kPicker, 70, 188, 70, 14},
    {"Static", "", 1441, SS_LEFT, 150, 190, 56, 8},
    {"ComboBox", "", 1565, kLineList, 208, 188, 88, 80},
    // Event marks.
    {"Button", "", 1404, kGroup, 307, 142, 136, 66},
    {"Static", "", 1460, SS_LEFT, 316, 156, 44, 8},
    {"Button", "", 1461, kPicker, 362, 154, 70, 14},
    {"Static", "", 1463, SS_LEFT, 316, 173, 44, 8},
    {"Button", "", 1464, kPicker, 362, 171, 70, 14},
};

constexpr platform::DialogItem kSystemItems[] = {
    {"Button", "", 1366, kGroup, 3, 4, 440, 62},
    {"Static", "", 1472, SS_LEFT, 12, 17, 200, 8},
    {"Static", "1.", IDC_STATIC, SS_LEFT, 12, 32, 10, 8},
    {"ComboBox", "", 1471, kList, 24, 30, 80, 200},
    {"Static", "2.", IDC_STATIC, SS_LEFT, 120, 32, 10, 8},
    {"ComboBox", "", 1473, kList, 132, 30, 80, 200},
    {"Static", "3.", IDC_STATIC, SS_LEFT, 228, 32, 10, 8},
    {"ComboBox", "", 1474, kList, 240, 30, 80, 200},
    {"Static", "4.", IDC_STATIC, SS_LEFT, 336, 32, 10, 8},
    {"ComboBox", "", 1475, kList, 348, 30, 80, 200},
    {"Static", "5.", IDC_STATIC, SS_LEFT, 12, 48, 10, 8},
    {"ComboBox", "", 1482, kList, 24, 46, 80, 200},
    {"Static", "6.", IDC_STATIC, SS_LEFT, 120, 48, 10, 8},
    {"ComboBox", "", 1483, kList, 132, 46, 80, 200},
    {"Static", "7.", IDC_STATIC, SS_LEFT, 228, 48, 10, 8},
    {"ComboBox", "", 1484, kList, 240, 46, 80, 200},
    {"Static", "8.", IDC_STATIC, SS_LEFT, 336, 48, 10, 8},
    {"ComboBox", "", 1485, kList, 348, 46, 80, 200},
    {"Button", "", 1403, kGroup, 3, 70, 440, 62},
    {"Static", "", 1411, SS_LEFT, 12, 84, 64, 8},
    {"Edit", "", 1106, kPathEdit | ES_READONLY, 78, 82, 334, 12},
    {"Button", "...", 1478, BS_PUSHBUTTON | WS_TABSTOP, 416, 82, 20, 12},
    {"Static", "", 1486, SS_LEFT, 12, 100, 64, 8},
    {"Edit", "", 1107, kPathEdit, 78, 98, 334, 12},
    {"Button", "...", 1479, BS_PUSHBUTTON | WS_TABSTOP, 416, 98, 20, 12},
    {"Static", "", 1487, SS_LEFT, 12, 116, 64, 8},
    {"ComboBox", "", 1477, kList, 78, 114, 60, 60},
    {"Button", "", 1410, kGroup, 3, 136, 296, 82},
    {"Static", "", 1412, SS_LEFT, 12, 150, 64, 8},
    {"Edit", "", 1108, kPathEdit | ES_READONLY, 78, 148, 190, 12},
    {"Button", "...", 1413, BS_PUSHBUTTON | WS_TABSTOP, 272, 148, 20, 12},
    {"Static", "", 1359, SS_LEFT, 12, 166, 64, 8},
    {"ComboBox", "", 1098, kList, 78, 164, 90, 80},
    {"Static", "", 1273, SS_LEFT, 12, 182, 64, 8},
    {"Static", "", 1414, SS_LEFT, 78, 182, 90, 8},
    {"Static", "", 1599, SS_LEFT, 12, 198, 282, 16},
    {"Button", "", 1404, kGroup, 303, 136, 140, 82},
    {"Button", "", 1548, BS_PUSHBUTTON | WS_TABSTOP, 313, 152, 120, 14},
    {"Static", "", 1547, SS_LEFT, 313, 174, 40, 8},
    {"Edit", "", 1062, ES_AUTOHSCROLL | ES_READONLY | WS_BORDER, 355, 172, 78, 12},
    {"Button", "", 1546, BS_PUSHBUTTON, 313, 190, 120, 14},
};

constexpr DWORD kPageStyle = WS_CHILD | DS_CONTROL;

constexpr platform::DialogTemplate kDialogs[] = {
    {IDD_CONFIGURATION, nullptr, DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0, 458, 292, "",
     "MS Sans Serif", 8, kSheetItems},
    {IDD_INITIAL_DATA, nullptr, kPageStyle, 0, 0, 0, 446, 222, "", "MS Sans Serif", 8, kInitialItems},
    {IDD_COLOR_SETTING, nullptr, kPageStyle, 0, 0, 0, 446, 222, "", "MS Sans Serif", 8, kColorItems},
    {IDD_SYSTEM_SETTING, nullptr, kPageStyle, 0, 0, 0, 446, 222, "", "MS Sans Serif", 8, kSystemItems},
};
constexpr platform::DialogTemplateTable kDialogTable{kDialogs};

const platform::ResourceModuleRegistration s_resources("TarvicII", {.strings = kStrings, .dialogs = &kDialogTable});

} // namespace
} // namespace tarvic::config
