// Writing back only the review settings sheet's keys.
#include "tarlux/settings/ReviewSettingsSave.h"

#include "nrdata/config/NyraConfig.h"

namespace tarlux {
namespace {

// The number keys the sheet edits: its display page (speeds, gains), its colour page and the
// picture type and language of its system page.
constexpr int NyraSettings::* kSheetNumbers[] = {
    &NyraSettings::ReviewSweepSpeed, &NyraSettings::ReviewTrendSpeed, &NyraSettings::ReviewECGGain,
    &NyraSettings::ReviewFECGGain, &NyraSettings::ReviewGraphBackground, &NyraSettings::ReviewParamBackground,
    &NyraSettings::ReviewGraphText, &NyraSettings::ReviewParamText, &NyraSettings::ReviewGraphFHR1,
    &NyraSettings::ReviewGraphFHR2, &NyraSettings::ReviewGraphFECG, &NyraSettings::ReviewGraphFSpO2,
    &NyraSettings::ReviewGraphNormalFHR, &NyraSettings::ReviewGraphHR, &NyraSettings::ReviewGraphSpO2,
    &NyraSettings::ReviewGraphNIBP, &NyraSettings::ReviewGraphTEMP, &NyraSettings::ReviewGraphUC,
    &NyraSettings::ReviewGridOuter, &NyraSettings::ReviewGridOuterStyle, &NyraSettings::ReviewGridInner,
    &NyraSettings::ReviewGridInnerStyle, &NyraSettings::ReviewEvent, &NyraSettings::ReviewEventMaker,
    &NyraSettings::ReviewEventStimulator, &NyraSettings::ReviewEventUCZeroing, &NyraSettings::EMRImageType,
    &NyraSettings::Language,
};

// The folder keys of its system page.
constexpr CString NyraSettings::* kSheetTexts[] = {
    &NyraSettings::DataPath, &NyraSettings::EMRDataPath, &NyraSettings::EMRProgramPath,
};

} // namespace

int SaveReviewSettings(const NyraSettings& edited, const char* path)
{
    NyraConfig current;
    const CString file = path ? CString(path) : NyraConfig::GetDefaultIniPath();
    current.Open(file); // a missing file leaves the defaults, which the save then creates
    for (const auto member : kSheetNumbers)
        current.*member = edited.*member;
    for (const auto member : kSheetTexts)
        current.*member = edited.*member;
    return current.Save(file);
}

} // namespace tarlux
