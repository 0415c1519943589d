// The colour settings page.
#include "tarvic/dialogs/CColorSettingPage.h"

#include "tarvic/dialogs/BedDialogControls.h"
#include "tarvic/res/BedDialogIds.h"
#include "tarvic/res/ConfigDialogIds.h"

#include "nrdata/config/ColorPresets.h"

#include "platform/msg/MessageMap.h"
#include "platform/ui/controls/ComboBox.h"

namespace tarvic::config {
namespace {

using bed::LabelText;
using nrdata::config::ColorPreset;

constexpr int IDC_PRESET = 1433;
constexpr int IDC_OUTER_STYLE = 1563;
constexpr int IDC_INNER_STYLE = 1564;
constexpr int IDC_CENTER_STYLE = 1565;

// A picker, its label, the setting it edits and the same colour in a scheme.
struct PickerEntry
{
    int id;
    int label;
    UINT text;
    int NyraSettings::*setting;
    int ColorPreset::*preset;
};

constexpr PickerEntry kPickerEntries[CColorSettingPage::kPickerCount] = {
    {1435, 1439, IDS_GRAPH_BACKGROUND, &NyraSettings::GraphBackground, &ColorPreset::GraphBackground},
    {1472, 1471, IDS_GRAPH_TEXT, &NyraSettings::GraphText, &ColorPreset::GraphText},
    {1470, 1469, IDS_PARAM_BACKGROUND, &NyraSettings::ParamBackground, &ColorPreset::ParamBackground},
    {1474, 1473, IDS_PARAM_TEXT, &NyraSettings::ParamText, &ColorPreset::ParamText},
    {1437, 1453, bed::IDS_PARAM_FHR1, &NyraSettings::GraphFHR1, &ColorPreset::GraphFHR1},
    {1440, 1454, bed::IDS_PARAM_FHR2, &NyraSettings::GraphFHR2, &ColorPreset::GraphFHR2},
    {1443, 1442, 0, &NyraSettings::GraphUC, &ColorPreset::GraphUC}, // "UC/IUP", made below
    {1445, 1455, bed::IDS_PARAM_FECG, &NyraSettings::GraphFECG, &ColorPreset::GraphFECG},
    {1447, 1468, bed::IDS_PARAM_FSPO2, &NyraSettings::GraphFSpO2, &ColorPreset::GraphFSpO2},
    {1436, 1456, IDS_PARAM_MHR, &NyraSettings::GraphHR, &ColorPreset::GraphHR},
    {1438, 1465, bed::IDS_PARAM_MSPO2, &NyraSettings::GraphSpO2, &ColorPreset::GraphSpO2},
    {1444, 1466, bed::IDS_PARAM_NIBP, &NyraSettings::GraphNIBP, &ColorPreset::GraphNIBP},
    {1446, 1467, bed::IDS_PARAM_TEMP, &NyraSettings::GraphTEMP, &ColorPreset::GraphTEMP},
    {1448, 1428, IDS_NORMAL_FHR, &NyraSettings::GraphNormalFHR, &ColorPreset::GraphNormalFHR},
    {1450, 1457, IDS_OUTER_GRID, &NyraSettings::GridOuter, &ColorPreset::GridOuter},
    {1452, 1458, IDS_INNER_GRID, &NyraSettings::GridInner, &ColorPreset::GridInner},
    {1451, 1459, IDS_CENTER_GRID, &NyraSettings::GridCenter, &ColorPreset::GridCenter},
    {1461, 1460, IDS_MARKER, &NyraSettings::EventMaker, &ColorPreset::EventMaker},
    {1464, 1463, IDS_STIMULATOR, &NyraSettings::EventStimulator, &ColorPreset::EventStimulator},
};

// A grid's line-style list and its setting.
struct StyleEntry
{
    int id;
    int NyraSettings::*setting;
    int ColorPreset::*preset;
};

constexpr StyleEntry kStyleEntries[CColorSettingPage::kStyleCount] = {
    {IDC_OUTER_STYLE, &NyraSettings::GridOuterStyle, &ColorPreset::GridOuterStyle},
    {IDC_INNER_STYLE, &NyraSettings::GridInnerStyle, &ColorPreset::GridInnerStyle},
    {IDC_CENTER_STYLE, &NyraSettings::GridCenterStyle, &ColorPreset::GridCenterStyle},
};

constexpr LabelText kLabels[] = {
    {1400, IDS_COLOR_HEADING, false},
    {1479, IDS_COLOR_SKIN, true},
    {1434, bed::IDS_GRAPH, false},
    {1403, IDS_GRID, false},
    {1404, IDS_EVENT, false},
    {1430, IDS_OUTER_STYLE, true},
    {1431, IDS_INNER_STYLE, true},
    {1441, IDS_CENTER_STYLE, true},
};

constexpr int kTextThreshold = 100;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kBlack = 0x000000;

} // namespace

CColorSettingPage::CColorSettingPage() : CConfigPage(IDD_COLOR_SETTING) {}

COLORREF CColorSettingPage::TextColourFor(COLORREF colour)
{
    const int average = (int(GetRValue(colour)) + int(GetGValue(colour)) + int(GetBValue(colour))) / 3;
    return average <= kTextThreshold ? kWhite : kBlack;
}

BOOL CColorSettingPage::OnInitDialog()
{
    CConfigPage::OnInitDialog();
    bed::SetLabelTexts(*this, kLabels);
    for (size_t i = 0; i < m_Pickers.size(); ++i) {
        const PickerEntry& entry = kPickerEntries[i];
        m_Pickers[i].SubclassDlgItem(entry.id, this);
        if (entry.text != 0) {
            SetDlgItemText(entry.label, bed::LoadText(entry.text, true));
        } else {
            SetDlgItemText(entry.label, bed::LoadText(bed::IDS_PARAM_UC) + "/" + bed::LoadText(bed::IDS_PARAM_IUP, true));
        }
    }
    for (size_t i = 0; i < m_Styles.size(); ++i)
        m_Styles[i].SubclassDlgItem(kStyleEntries[i].id, this);
    return TRUE;
}

void CColorSettingPage::Reload()
{
    SendDlgItemMessage(IDC_PRESET, CB_RESETCONTENT);
    bed::AddListEntry(*this, IDC_PRESET, bed::LoadText(IDS_DEFAULT_COLOR), 0);
    bed::AddListEntry(*this, IDC_PRESET, bed::LoadText(IDS_PAPER_COLOR), 1);
    SendDlgItemMessage(IDC_PRESET, CB_SETCURSEL, WPARAM(-1));
    for (size_t i = 0; i < m_Pickers.size(); ++i)
        ShowColour(m_Pickers[i], COLORREF(m_pConfig->*kPickerEntries[i].setting));
    std::array<int, kStyleCount> styles{};
    for (size_t i = 0; i < styles.size(); ++i)
        styles[i] = m_pConfig->*kStyleEntries[i].setting;
    FillStyles(styles);
}

KTColorPicker* CColorSettingPage::GetPicker(int id)
{
    for (size_t i = 0; i < m_Pickers.size(); ++i)
        if (kPickerEntries[i].id == id)
            return &m_Pickers[i];
    return nullptr;
}

void CColorSettingPage::ShowColour(KTColorPicker& picker, COLORREF colour)
{
    picker.SetColour(colour);
    picker.SetTextColour(TextColourFor(colour));
}

void CColorSettingPage::FillStyles(const std::array<int, kStyleCount>& styles)
{
    for (size_t i = 0; i < m_Styles.size(); ++i) {
        m_Styles[i].SetStyleMode(FALSE);
        // The item at the position of the style; none for a style the list does not offer.
        const int count = m_Styles[i].GetCount();
        m_Styles[i].SetCurSel(styles[i] >= 0 && styles[i] < count ? styles[i] : -1);
    }
}

void CColorSettingPage::StoreColours()
{
    if (m_pConfig == nullptr)
        return;
    for (size_t i = 0; i < m_Pickers.size(); ++i) {
        const PickerEntry& entry = kPickerEntries[i];
        COLORREF colour = m_Pickers[i].GetColour();
        if (colour == CLR_DEFAULT) {
            colour = COLORREF(nrdata::config::kDefaultColors.*entry.preset);
            ShowColour(m_Pickers[i], colour);
        }
        m_pConfig->*entry.setting = int(colour);
    }
}

void CColorSettingPage::StoreStyle(UINT id)
{
    if (m_pConfig == nullptr)
        return;
    for (size_t i = 0; i < m_Styles.size(); ++i) {
        int width = 0;
        int style = 0;
        if (kStyleEntries[i].id == int(id) && m_Styles[i].GetCurLine(width, style))
            m_pConfig->*kStyleEntries[i].setting = style;
    }
}

void CColorSettingPage::ApplyPreset(int preset)
{
    if (preset < 0 || preset >= int(nrdata::config::kColorPresets.size()))
        return;
    const ColorPreset& scheme = *nrdata::config::kColorPresets[size_t(preset)];
    for (size_t i = 0; i < m_Pickers.size(); ++i)
        ShowColour(m_Pickers[i], COLORREF(scheme.*kPickerEntries[i].preset));
    std::array<int, kStyleCount> styles{};
    for (size_t i = 0; i < styles.size(); ++i)
        styles[i] = scheme.*kStyleEntries[i].preset;
    FillStyles(styles);
    StoreColours();
    // What the lists now show is what the copy holds.
    if (m_pConfig != nullptr)
        for (size_t i = 0; i < styles.size(); ++i)
            m_pConfig->*kStyleEntries[i].setting = styles[i];
}

void CColorSettingPage::OnPresetChosen()
{
    const auto index = static_cast<int>(SendDlgItemMessage(IDC_PRESET, CB_GETCURSEL));
    if (index < 0)
        return;
    ApplyPreset(static_cast<int>(SendDlgItemMessage(IDC_PRESET, CB_GETITEMDATA, WPARAM(index))));
}

LRESULT CColorSettingPage::OnColourChosen(WPARAM, LPARAM lParam)
{
    if (GetPicker(static_cast<int>(lParam)) != nullptr)
        StoreColours();
    return 0;
}

const platform::MessageMap* CColorSettingPage::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<CPM_SELENDOK, &CColorSettingPage::OnColourChosen>(),
        Control<&CColorSettingPage::OnPresetChosen>(CBN_SELCHANGE, IDC_PRESET),
        ControlRange<&CColorSettingPage::StoreStyle>(CBN_SELCHANGE, IDC_OUTER_STYLE, IDC_CENTER_STYLE),
    };
    static constexpr platform::MessageMap kMap{&CConfigPage::GetThisMessageMap, kEntries};
    return &kMap;
}

} // namespace tarvic::config
