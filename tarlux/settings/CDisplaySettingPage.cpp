// The display page of the review settings.
#include "tarlux/settings/CDisplaySettingPage.h"

#include "tarlux/app/ReviewGlobals.h"
#include "tarlux/common/ReviewDialogs.h"
#include "tarlux/res/TarluxResources.h"

#include "nrdata/config/NyraConfig.h"

#include <algorithm>
#include <iterator>

using namespace platform::msgmap;

namespace tarlux {
namespace {

constexpr int kSweepSpeedCombo = 5419;
constexpr int kTrendSpeedCombo = 5420;
constexpr int kEcgGainCombo = 5421;
constexpr int kFecgGainCombo = 5422;
constexpr int kDefaultButton = 5039;
constexpr int kDefaultScale = 3;

constexpr UINT kTrendTexts[16] = { IDS_PARAM_MHR,  IDS_PARAM_MSPO2, IDS_PARAM_MSPO2_PR,   IDS_PARAM_TEMP, IDS_PARAM_NIBP,   IDS_PARAM_UC,
                                   IDS_PARAM_IUP,  IDS_PARAM_FECG,  IDS_PARAM_FHR1,       IDS_PARAM_FHR2, IDS_PARAM_FSPO2,
                                   IDS_PARAM_FSPO2_PR, IDS_FM1,    IDS_FM2,        IDS_MARKER, IDS_STIMULATOR };

constexpr LabelText kLabels[] = {
    { 5400, IDS_DISPLAY_HEADING, false },   { 5409, IDS_DISPLAY_INFORMATION, false },
    { 5360, IDS_SWEEP_SPEED, true },        { 5361, IDS_TREND_SPEED, true },
    { 5362, IDS_ECG_GAIN, true },           { 5432, IDS_FECG_GAIN, true },
    { kDefaultButton, IDS_DEFAULT, false }, { 5529, IDS_TREND_VISIBLE_SETTING, false },
    { CDisplaySettingPage::kAllCheck, IDS_ALL, false },
};

} // namespace

CDisplaySettingPage::CDisplaySettingPage(NyraConfig* pConfig) : CReviewSettingPage(IDD_DISPLAY_SETTING_PAGE, pConfig) {}

const platform::MessageMap* CDisplaySettingPage::GetThisMessageMap()
{
    static constexpr platform::MessageMapEntry kEntries[] = {
        Command<&CDisplaySettingPage::OnAll>(kAllCheck),
        Command<&CDisplaySettingPage::OnDefault>(kDefaultButton),
    };
    static constexpr platform::MessageMap kMap { &CReviewSettingPage::GetThisMessageMap, kEntries };
    return &kMap;
}

void CDisplaySettingPage::DoDataExchange(CDataExchange* pDX)
{
    CReviewSettingPage::DoDataExchange(pDX);
    DDX_Control(pDX, kSweepSpeedCombo, m_sweepSpeed);
    DDX_Control(pDX, kTrendSpeedCombo, m_trendSpeed);
    DDX_Control(pDX, kEcgGainCombo, m_ecgGain);
    DDX_Control(pDX, kFecgGainCombo, m_fecgGain);
}

BOOL CDisplaySettingPage::OnInitDialog()
{
    CReviewSettingPage::OnInitDialog();
    SetLabelTexts(*this, kLabels);
    for (int i = 0; i < 16; ++i)
        SetDlgItemText(kTrendChecks[i], LoadText(kTrendTexts[i]));
    return TRUE;
}

void CDisplaySettingPage::Reload()
{
    if (!::IsWindow(m_sweepSpeed.m_hWnd))
        return;
    FillMapCombo(m_sweepSpeed, NRConstMap::CMAP_ECG_SPEED, m_pConfig->ReviewSweepSpeed);
    FillMapCombo(m_ecgGain, NRConstMap::CMAP_ECG_GAIN, m_pConfig->ReviewECGGain);
    FillMapCombo(m_fecgGain, NRConstMap::CMAP_ECG_GAIN, m_pConfig->ReviewFECGGain);
    FillMapCombo(m_trendSpeed, NRConstMap::CMAP_TREND_SPEED, m_pConfig->ReviewTrendSpeed);
    const NyraConfig& program = ReviewConfig();
    for (int i = 0; i < 16; ++i)
        CheckDlgButton(kTrendChecks[i], program.DisplayFlag[i + 1] ? BST_CHECKED : BST_UNCHECKED);
}

void CDisplaySettingPage::StoreDisplay()
{
    m_pConfig->ReviewSweepSpeed = SelectedItemData(m_sweepSpeed, m_pConfig->ReviewSweepSpeed);
    m_pConfig->ReviewTrendSpeed = SelectedItemData(m_trendSpeed, m_pConfig->ReviewTrendSpeed);
    m_pConfig->ReviewECGGain = SelectedItemData(m_ecgGain, m_pConfig->ReviewECGGain);
    m_pConfig->ReviewFECGGain = SelectedItemData(m_fecgGain, m_pConfig->ReviewFECGGain);
    NyraConfig& program = ReviewConfig();
    bool changed = false;
    for (int i = 0; i < 16; ++i) {
        const int flag = IsDlgButtonChecked(kTrendChecks[i]) == BST_CHECKED ? 1 : 0;
        changed = changed || program.DisplayFlag[i + 1] != flag;
        program.DisplayFlag[i + 1] = flag;
    }
    if (!changed)
        return;
    if (m_hNotify && ::IsWindow(m_hNotify))
        ::PostMessage(m_hNotify, WM_SETTINGS_CHANGED, 0, 0);
}

BOOL CDisplaySettingPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    const bool trendCheck = std::find(std::begin(kTrendChecks), std::end(kTrendChecks), id) != std::end(kTrendChecks);
    const bool combo = id == kSweepSpeedCombo || id == kTrendSpeedCombo || id == kEcgGainCombo || id == kFecgGainCombo;
    if ((trendCheck && code == BN_CLICKED) || (combo && code == CBN_SELCHANGE)) {
        StoreDisplay();
        return TRUE;
    }
    return CReviewSettingPage::OnCommand(wParam, lParam);
}

void CDisplaySettingPage::OnAll()
{
    const UINT state = IsDlgButtonChecked(kAllCheck) == BST_CHECKED ? BST_CHECKED : BST_UNCHECKED;
    for (const int id : kTrendChecks)
        CheckDlgButton(id, state);
    StoreDisplay();
}

void CDisplaySettingPage::OnDefault()
{
    m_pConfig->ReviewSweepSpeed = kDefaultScale;
    m_pConfig->ReviewTrendSpeed = kDefaultScale;
    m_pConfig->ReviewECGGain = kDefaultScale;
    m_pConfig->ReviewFECGGain = kDefaultScale;
    for (const int id : kTrendChecks)
        CheckDlgButton(id, BST_CHECKED);
    StoreDisplay();
    Reload();
}

} // namespace tarlux
