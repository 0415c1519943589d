// The trend dialogs' English texts and the trend visibility dialog's template.
#include "tarvic/res/TrendDialogIds.h"

#include "platform/core/ResourceModule.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/dialogs/DialogTemplate.h"

namespace tarvic::trend {
namespace {

constexpr platform::StringEntry kStrings[] = {
    {IDS_PARAMETER, "Parameter"},
    {IDS_CANNOT_RUN_EMR, "Cannot Run EMR Program. Check EMR Program Path."},
    {IDS_SHOW_WAVEFORM, "Show Waveform"},
    {IDS_COVER_PRODUCT, "Tarvic II"},
    {IDS_COVER_VERSION, "1.1.2 Lite"},
    {IDS_COVER_FOOTER, "ORLISK ver.1.0."},
};

constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP;

// Maternal values on the left, fetal ones in the middle, UC, IUP and the marks on the right.
constexpr platform::DialogItem kVisibleItems[] = {
    {"Button", "", 1059, kCheck, 10, 8, 100, 10},
    {"Button", "", 1529, BS_GROUPBOX, 7, 22, 246, 96},
    {"Button", "", 1058, kCheck, 15, 34, 70, 10},
    {"Button", "", 1531, kCheck, 15, 50, 70, 10},
    {"Button", "", 1218, kCheck, 15, 62, 70, 10},
    {"Button", "", 1535, kCheck, 15, 74, 70, 10},
    {"Button", "", 1221, kCheck, 15, 86, 70, 10},
    {"Button", "", 1220, kCheck, 15, 98, 70, 10},
    {"Button", "", 1539, kCheck, 95, 50, 70, 10},
    {"Button", "", 1540, kCheck, 95, 62, 70, 10},
    {"Button", "", 1538, kCheck, 95, 74, 70, 10},
    {"Button", "", 1541, kCheck, 95, 86, 70, 10},
    {"Button", "", 1542, kCheck, 95, 98, 70, 10},
    {"Button", "", 1537, kCheck, 175, 50, 70, 10},
    {"Button", "", 1536, kCheck, 175, 62, 70, 10},
    {"Button", "", 1544, kCheck, 175, 74, 34, 10},
    {"Button", "", 1543, kCheck, 211, 74, 34, 10},
    {"Button", "", 1546, kCheck, 175, 86, 70, 10},
    {"Button", "", 1545, kCheck, 175, 98, 70, 10},
    {"Button", "", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 197, 124, 56, 14},
};

constexpr DWORD kModalStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;

constexpr platform::DialogTemplate kDialogs[] = {
    {IDD_TREND_VISIBLE, nullptr, kModalStyle, 0, 0, 0, 260, 144, "", "MS Sans Serif", 8, kVisibleItems},
};
constexpr platform::DialogTemplateTable kDialogTable{kDialogs};

const platform::ResourceModuleRegistration s_resources("TarvicII", {.strings = kStrings, .dialogs = &kDialogTable});

} // namespace
} // namespace tarvic::trend
