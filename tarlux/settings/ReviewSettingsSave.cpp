// Writing back only the review settings sheet's keys.
#include "tarlux/settings/ReviewSettingsSave.h"

#include "nrdata/config/NyraConfig.h"

namespace tarlux {
namespace {

// The number keys the sheet edits: its display page (speeds and gains), its colour page (the
// graph, grid and event colours and the grid styles the review pages draw with) and the picture
// type and language of its system page.
constexpr int NyraSettings::* kSheetNumbers[] = {
    &NyraSettings::ReviewSweepSpeed, &NyraSettings::ReviewTrendSpeed, &NyraSettings::ReviewECGGain,
    &NyraSettings::ReviewFECGGain,   &NyraSettings::GraphBackground,  &NyraSettings::GraphText,
    &NyraSettings::GraphHR,          &NyraSettings::GraphSpO2,        &NyraSettings::GraphNIBP,
    &NyraSettings::GraphTEMP,        &NyraSettings::GraphFHR1,        &NyraSettings::GraphFHR2,
    &NyraSettings::GraphUC,          &NyraSettings::GraphFECG,        &NyraSettings::GraphFSpO2,
    &NyraSettings::GraphNormalFHR,   &NyraSettings::GridOuter,        &NyraSettings::GridInner,
    &NyraSettings::GridCenter,       &NyraSettings::GridOuterStyle,   &NyraSettings::GridInnerStyle,
    &NyraSettings::GridCenterStyle,  &NyraSettings::EventMaker,       &NyraSettings::EventStimulator,
    &NyraSettings::EMRImageType,     &NyraSettings::Language,
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
