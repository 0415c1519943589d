// CDisplaySettingPage: the review settings' speeds and gains (kept in the sheet's copy until
// Save) and which trends are drawn. The trend flags act at once on the program's settings and
// are kept in the settings file straight away, so a trend the user hid stays hidden after a
// restart; closing the sheet does not undo them.
#pragma once

#include "tarlux/settings/CReviewSettingPage.h"

#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/ComboBox.h"

namespace tarlux {

class CDisplaySettingPage : public CReviewSettingPage
{
public:
    // The check boxes of the trend flags 1 to 16, in flag order.
    static constexpr int kTrendChecks[16] = { 5531, 5218, 5535, 5221, 5220, 5537, 5536, 5538,
                                              5539, 5540, 5541, 5542, 5544, 5543, 1546, 1545 };
    static constexpr int kAllCheck = 5058;

    explicit CDisplaySettingPage(NyraConfig* pConfig);

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    void Reload() override;
    // Takes the combos into the copy and the check boxes into the program's settings.
    void StoreDisplay();

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnAll();
    void OnDefault();

private:
    CComboBox m_sweepSpeed;
    CComboBox m_trendSpeed;
    CComboBox m_ecgGain;
    CComboBox m_fecgGain;
};

} // namespace tarlux
