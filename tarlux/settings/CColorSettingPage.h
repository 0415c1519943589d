// CColorSettingPage: the graph, grid and event colours and the grid line styles of the sheet's
// copy (section [CENTRAL_COLOR], which the review pages draw with), and the two colour presets.
// A preset changes every picker at once; the style combos show the preset's styles, which reach
// the copy only when a style is picked.
#pragma once

#include "tarlux/settings/CReviewSettingPage.h"

#include "ktctrl/basic/KTColorPicker.h"
#include "ktctrl/basic/KTLineComboBox.h"

#include "platform/ui/controls/ComboBox.h"

namespace tarlux {

class CColorSettingPage : public CReviewSettingPage
{
public:
    static constexpr int kPickerCount = 17;
    static constexpr int kLineCount = 3;
    static constexpr int kSkinCombo = 5433;
    enum Preset { kDefaultColor = 0, kPaperColor = 1 };

    explicit CColorSettingPage(NyraConfig* pConfig);

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    void Reload() override;
    // Shows the preset in the pickers and style combos and takes the pickers into the copy.
    void ApplyPreset(int preset);
    // Copies every picker's colour into the copy.
    void StoreColours();
    KTColorPicker& Picker(int index) { return m_pickers[index]; }
    KTLineComboBox& LineCombo(int index) { return m_lines[index]; }

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnSelEndOK(WPARAM wParam, LPARAM lParam);

private:
    KTColorPicker m_pickers[kPickerCount];
    KTLineComboBox m_lines[kLineCount];
    CComboBox m_skin;
};

// A picker shows the colour, with white text on a dark colour (mean of red, green and blue
// below 101) and black text otherwise.
void SetPickerColour(KTColorPicker& picker, COLORREF colour);

} // namespace tarlux
