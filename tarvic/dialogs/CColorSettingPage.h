// CColorSettingPage: the "Color" tab of the configuration sheet: the colours of the bed tiles'
// graphs, numbers, grids and event marks (nineteen colour pickers), the line styles of the
// three grids, and the two colour schemes ("Default Color", "Paper Color"). Each choice is
// stored into the sheet's copy of the settings at once.
#pragma once

#include "tarvic/dialogs/CConfigPage.h"

#include "ktctrl/basic/KTColorPicker.h"
#include "ktctrl/basic/KTLineComboBox.h"

#include <array>

namespace tarvic::config {

class CColorSettingPage : public CConfigPage
{
public:
    static constexpr int kPickerCount = 19;
    static constexpr int kStyleCount = 3;

    CColorSettingPage();

    BOOL OnInitDialog() override;
    void Reload() override;

    // A picker's text colour for the colour it shows: white on dark colours (the average of
    // the three bytes at most 100), black on light ones.
    static COLORREF TextColourFor(COLORREF colour);

    // The picker with control id `id`; null when the page has none.
    KTColorPicker* GetPicker(int id);
    // The colour scheme of the chooser's item data (0 default, 1 paper) into the pickers, the
    // grid styles and the copy.
    void ApplyPreset(int preset);

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

private:
    void ShowColour(KTColorPicker& picker, COLORREF colour);
    void FillStyles(const std::array<int, kStyleCount>& styles);
    // Every picker's colour into the copy; a picker on its "default" colour gives its setting's
    // colour of the default scheme (and then shows it).
    void StoreColours();
    void StoreStyle(UINT id);
    void OnPresetChosen();
    LRESULT OnColourChosen(WPARAM wParam, LPARAM lParam);

    std::array<KTColorPicker, kPickerCount> m_Pickers;
    std::array<KTLineComboBox, kStyleCount> m_Styles;
};

} // namespace tarvic::config
