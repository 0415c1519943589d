// CSystemSettingPage: the folders of the medical-record program and of the data, the picture
// type and the language in the sheet's copy. The folders change only through their pickers.
// While the central station runs on this computer every input is disabled: the two programs
// share the data folder and the settings file, so neither may be changed from here then.
#pragma once

#include "tarlux/settings/CReviewSettingPage.h"

#include "platform/ui/controls/ComboBox.h"

struct NyraSettings;

namespace tarlux {

class CSystemSettingPage : public CReviewSettingPage
{
public:
    explicit CSystemSettingPage(NyraConfig* pConfig);

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    void Reload() override;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnPickEmrFolder();
    void OnPickProgram();
    void OnPickDataFolder();
    void OnImageTypeChange();
    void OnLanguageChange();

private:
    // The folder picker for the edit `editId`; the chosen folder goes to `key` of the copy.
    void PickFolder(int editId, CString NyraSettings::* key);

    CComboBox m_imageType;
    CComboBox m_language;
};

} // namespace tarlux
