// The colour page of the review settings.
#include "tarlux/settings/CColorSettingPage.h"

#include "tarlux/common/ReviewDialogs.h"
#include "tarlux/res/TarluxResources.h"

#include "nrdata/config/NyraConfig.h"

using namespace platform::msgmap;

namespace tarlux {
namespace {

// Each picker: its control, its label and text, and the setting it edits.
struct PickerInfo
{
    int id;
    int label;
    UINT text;
    int NyraSettings::* key;
    COLORREF presets[2]; // Default Color, Paper Color
};
constexpr PickerInfo kPickers[CColorSettingPage::kPickerCount] = {
    { 5435, 5439, IDS_GRAPH_BACKGROUND, &NyraSettings::GraphBackground, { 0xFFFFFF, 0xFFFFFF } },
    { 5472, 5471, IDS_GRAPH_TEXT, &NyraSettings::GraphText, { 0x7F7F7F, 0x71B33C } },
    { 5436, 5456, IDS_PARAM_MHR, &NyraSettings::GraphHR, { 0x2068FF, 0x2068FF } },
    { 5438, 5465, IDS_PARAM_MSPO2, &NyraSettings::GraphSpO2, { 0x800080, 0x282828 } },
    { 5444, 5466, IDS_PARAM_NIBP, &NyraSettings::GraphNIBP, { 0x404000, 0x404000 } },
    { 5446, 5467, IDS_PARAM_TEMP, &NyraSettings::GraphTEMP, { 0x282828, 0x282828 } },
    { 5437, 5453, IDS_PARAM_FHR1, &NyraSettings::GraphFHR1, { 0x00008B, 0xFF0000 } },
    { 5440, 5454, IDS_PARAM_FHR2, &NyraSettings::GraphFHR2, { 0x009300, 0x002AA5 } },
    { 5443, 5442, IDS_PARAM_UC, &NyraSettings::GraphUC, { 0x8B0000, 0x8B0000 } },
    { 5445, 5455, IDS_PARAM_FECG, &NyraSettings::GraphFECG, { 0x0000FF, 0x0000FF } },
    { 5447, 5468, IDS_PARAM_FSPO2, &NyraSettings::GraphFSpO2, { 0x82004B, 0x82004B } },
    { 5448, 5428, IDS_NORMAL_FHR, &NyraSettings::GraphNormalFHR, { 0xC0C0C0, 0xC0C0C0 } },
    { 5450, 5457, IDS_OUTER_GRID, &NyraSettings::GridOuter, { 0x7F7F7F, 0x9CD071 } },
    { 5452, 5458, IDS_INNER_GRID, &NyraSettings::GridInner, { 0xC0C0C0, 0xDFE3D7 } },
    { 1451, 1459, IDS_CENTER_GRID, &NyraSettings::GridCenter, { 0xC0C0C0, 0xDFE3D7 } },
    { 5461, 5460, IDS_MARKER, &NyraSettings::EventMaker, { 0x000000, 0x000000 } },
    { 5464, 5463, IDS_STIMULATOR, &NyraSettings::EventStimulator, { 0x000000, 0x000000 } },
};

// Each line combo: its control, its label and text, the setting it edits and the presets'
// style indexes.
struct LineInfo
{
    int id;
    int label;
    UINT text;
    int NyraSettings::* key;
    int presets[2];
};
constexpr LineInfo kLines[CColorSettingPage::kLineCount] = {
    { 5563, 5430, IDS_OUTER_STYLE, &NyraSettings::GridOuterStyle, { 0, 0 } },
    { 5564, 5431, IDS_INNER_STYLE, &NyraSettings::GridInnerStyle, { 2, 2 } },
    { 1565, 1441, IDS_CENTER_STYLE, &NyraSettings::GridCenterStyle, { 2, 2 } },
};

constexpr LabelText kLabels[] = {
    { 5400, IDS_COLOR_HEADING, false }, { 5434, IDS_GRAPH, false }, { 5403, IDS_GRID, false },
    { 5404, IDS_EVENT, false },         { 5479, IDS_COLOR_SKIN, true },
};

// Below this mean of red, green and blue a picker's text is white.
constexpr int kDarkMean = 101;

} // namespace

void SetPickerColour(KTColorPicker& picker, COLORREF colour)
{
    picker.SetColour(colour);
    const int mean = (GetRValue(colour) + GetGValue(colour) + GetBValue(colour)) / 3;
    picker.SetTextColour(mean < kDarkMean ? RGB(255, 255, 255) : RGB(0, 0, 0));
}

CColorSettingPage::CColorSettingPage(NyraConfig* pConfig) : CReviewSettingPage(IDD_COLOR_SETTING_PAGE, pConfig) {}

const platform::MessageMap* CColorSettingPage::GetThisMessageMap()
{
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<CPM_SELENDOK, &CColorSettingPage::OnSelEndOK>(),
    };
    static constexpr platform::MessageMap kMap { &CReviewSettingPage::GetThisMessageMap, kEntries };
    return &kMap;
}

void CColorSettingPage::DoDataExchange(CDataExchange* pDX)
{
    CReviewSettingPage::DoDataExchange(pDX);
    for (int i = 0; i < kPickerCount; ++i)
        DDX_Control(pDX, kPickers[i].id, m_pickers[i]);
    for (int i = 0; i < kLineCount; ++i)
        DDX_Control(pDX, kLines[i].id, m_lines[i]);
    DDX_Control(pDX, kSkinCombo, m_skin);
}

BOOL CColorSettingPage::OnInitDialog()
{
    CReviewSettingPage::OnInitDialog();
    SetLabelTexts(*this, kLabels);
    for (const PickerInfo& picker : kPickers)
        SetDlgItemText(picker.label, LoadText(picker.text, true));
    SetDlgItemText(5442, LoadText(IDS_PARAM_UC) + "/" + LoadText(IDS_PARAM_IUP, true));
    for (const LineInfo& line : kLines)
        SetDlgItemText(line.label, LoadText(line.text, true));
    return TRUE;
}

void CColorSettingPage::Reload()
{
    if (!::IsWindow(m_skin.m_hWnd))
        return;
    m_skin.ResetContent();
    m_skin.SetWindowText(LoadText(IDS_COLOR_SKIN));
    m_skin.SetItemData(m_skin.AddString(LoadText(IDS_DEFAULT_COLOR)), kDefaultColor);
    m_skin.SetItemData(m_skin.AddString(LoadText(IDS_PAPER_COLOR)), kPaperColor);
    for (int i = 0; i < kPickerCount; ++i)
        SetPickerColour(m_pickers[i], static_cast<COLORREF>(m_pConfig->*kPickers[i].key));
    for (int i = 0; i < kLineCount; ++i) {
        m_lines[i].ResetContent();
        m_lines[i].SetStyleMode(0);
        m_lines[i].SetCurSel(m_pConfig->*kLines[i].key);
    }
}

void CColorSettingPage::StoreColours()
{
    for (int i = 0; i < kPickerCount; ++i)
        m_pConfig->*kPickers[i].key = static_cast<int>(m_pickers[i].GetColour());
}

void CColorSettingPage::ApplyPreset(int preset)
{
    if (preset != kDefaultColor && preset != kPaperColor)
        return;
    for (int i = 0; i < kPickerCount; ++i)
        SetPickerColour(m_pickers[i], kPickers[i].presets[preset]);
    for (int i = 0; i < kLineCount; ++i) {
        m_lines[i].ResetContent();
        m_lines[i].SetStyleMode(0);
        m_lines[i].SetCurSel(kLines[i].presets[preset]);
    }
    StoreColours();
}

LRESULT CColorSettingPage::OnSelEndOK(WPARAM, LPARAM)
{
    if (::IsWindow(m_hWnd))
        StoreColours();
    return 0;
}

BOOL CColorSettingPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    if (HIWORD(wParam) == CBN_SELCHANGE) {
        if (id == kSkinCombo) {
            const int selection = m_skin.GetCurSel();
            if (selection >= 0)
                ApplyPreset(static_cast<int>(m_skin.GetItemData(selection)));
            return TRUE;
        }
        for (int i = 0; i < kLineCount; ++i) {
            int width = 0;
            int style = 0;
            if (id == kLines[i].id && m_lines[i].GetCurLine(width, style)) {
                m_pConfig->*kLines[i].key = style;
                return TRUE;
            }
        }
    }
    return CReviewSettingPage::OnCommand(wParam, lParam);
}

} // namespace tarlux
