// The trend print dialog's templates (its texts are in StationStrings.cpp). Both stations lay the dialog out the
// same way; the review station's control ids are the central station's plus its offset.
#include "appcommon/TrendPrintDlgResources.h"

#include "appcommon/CTrendPrintDlg.h"

#include "platform/core/ResourceModule.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/controls/SliderCtrl.h"
#include "platform/ui/controls/Static.h"
#include "platform/ui/dialogs/DialogTemplate.h"

#include <array>

namespace appcommon {
namespace {

template <int Offset>
constexpr std::array<platform::DialogItem, 18> MakeItems()
{
    using D = CTrendPrintDlg;
    return {{
        {"Button", "", D::IDC_RANGE_GROUP + Offset, BS_GROUPBOX, 7, 5, 216, 78},
        {"Button", "", D::IDC_ALL + Offset, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 15, 18, 70, 10},
        {"Button", "", D::IDC_SELECT_RANGE + Offset, BS_AUTORADIOBUTTON, 96, 18, 90, 10},
        {"Static", "", D::IDC_START_LABEL + Offset, SS_LEFT, 15, 34, 52, 8},
        {"Edit", "", D::IDC_START_TEXT + Offset, ES_CENTER | ES_READONLY | WS_BORDER, 68, 32, 34, 12},
        {"msctls_trackbar32", "", D::IDC_START_SLIDER + Offset, TBS_HORZ | WS_TABSTOP, 106, 30, 112, 16},
        {"Static", "", D::IDC_END_LABEL + Offset, SS_LEFT, 15, 54, 52, 8},
        {"Edit", "", D::IDC_END_TEXT + Offset, ES_CENTER | ES_READONLY | WS_BORDER, 68, 52, 34, 12},
        {"msctls_trackbar32", "", D::IDC_END_SLIDER + Offset, TBS_HORZ | WS_TABSTOP, 106, 50, 112, 16},
        {"Static", "", D::IDC_MIN_TEXT + Offset, SS_LEFT, 108, 68, 40, 8},
        {"Static", "", D::IDC_MAX_TEXT + Offset, SS_RIGHT, 176, 68, 40, 8},
        {"Button", "", D::IDC_OPTION_GROUP + Offset, BS_GROUPBOX, 7, 86, 216, 42},
        {"Static", "", D::IDC_SPEED_LABEL + Offset, SS_LEFT, 15, 99, 62, 8},
        {"ComboBox", "", D::IDC_SPEED + Offset, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 80, 97, 70, 80},
        {"Button", "", D::IDC_PRINT_COVER + Offset, BS_AUTOCHECKBOX | WS_TABSTOP, 15, 113, 96, 10},
        {"Button", "", D::IDC_PRINT_TREND + Offset, BS_AUTOCHECKBOX | WS_TABSTOP, 120, 113, 96, 10},
        {"Button", "", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 113, 134, 50, 14},
        {"Button", "", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 169, 134, 50, 14},
    }};
}

constexpr auto kCentralItems = MakeItems<kCentralTrendPrintTemplate.idOffset>();
constexpr auto kReviewItems = MakeItems<kReviewTrendPrintTemplate.idOffset>();

constexpr DWORD kModalStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;

constexpr platform::DialogTemplate kDialogs[] = {
    {kCentralTrendPrintTemplate.dialogId, nullptr, kModalStyle, 0, 0, 0, 230, 155, "", "MS Sans Serif", 8,
     kCentralItems},
    {kReviewTrendPrintTemplate.dialogId, nullptr, kModalStyle, 0, 0, 0, 230, 155, "", "MS Sans Serif", 8,
     kReviewItems},
};
constexpr platform::DialogTemplateTable kDialogTable{kDialogs};

const platform::ResourceModuleRegistration s_resources("AppCommon", {.dialogs = &kDialogTable});

} // namespace

void UseTrendPrintResources() {}

} // namespace appcommon
