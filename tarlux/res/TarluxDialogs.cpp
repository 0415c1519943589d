// The review station's dialog templates (dialog units) and its toolbar layout.
#include "tarlux/res/TarluxResources.h"

#include "tarlux/trend/CTrendViewCtrl.h"

#include "platform/ui/controls/Static.h"
#include "platform/ui/dialogs/DialogTemplate.h"

#include <array>
#include <iterator>

namespace tarlux {
namespace {

constexpr DWORD kChildDialog = DS_SETFONT | DS_CONTROL | WS_CHILD;

// The form: three frames marking the places of the patient list (left column), the patient
// information (top right) and the study information (below it).
const platform::DialogItem kFormItems[] = {
    { "Static", "", IDC_FRAME_PATIENT_LIST, SS_GRAYFRAME, 0, 0, 121, 378 },
    { "Static", "", IDC_FRAME_PATIENT_INFO, SS_GRAYFRAME, 123, 0, 366, 65 },
    { "Static", "", IDC_FRAME_STUDY_INFO, SS_GRAYFRAME, 123, 67, 366, 311 },
};

// The trend page: the trend view control fills it (the page moves it on every size change).
const platform::DialogItem kTrendPageItems[] = {
    { CTrendViewCtrl::kClassName, "", IDC_TREND_VIEW, WS_HSCROLL | WS_TABSTOP, 0, 0, 396, 199 },
};

const platform::DialogTemplate kDialogs[] = {
    { IDD_TARLUXII_FORM, nullptr, WS_CHILD, 0, 0, 0, 490, 378, nullptr, "MS Sans Serif", 8, kFormItems },
    { IDD_PATIENT_LIST, nullptr, kChildDialog, 0, 0, 0, 121, 378, nullptr, "MS Sans Serif", 8, {} },
    { IDD_PATIENT_INFO, nullptr, kChildDialog, 0, 0, 0, 366, 65, nullptr, "MS Sans Serif", 8, {} },
    { IDD_STUDY_INFO, nullptr, kChildDialog, 0, 0, 0, 584, 305, nullptr, "MS Sans Serif", 9, {} },
    { IDD_TREND_PAGE, nullptr, kChildDialog, 0, 0, 0, 396, 199, nullptr, "MS Sans Serif", 8, kTrendPageItems },
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
