// CEnvironmentSettingDlg: the review station's modal settings sheet ("Configuration Setting"):
// a tab control with the display, colour and system pages, which edit a private copy of the
// program's settings. "Save Configuration." takes the copy into the program's settings, writes
// the sheet's keys into the shared settings file (read again first, so what the central
// station changed meanwhile is kept) and tells the notify window (WM_SETTINGS_CHANGED). The
// sheet stays open after a save; closing it drops what was not saved. The trend flags of the
// display page are the exception: they act at once.
#pragma once

#include "tarlux/settings/CReviewSettingPage.h"

#include "nrdata/config/NyraConfig.h"

#include "platform/ui/controls/TabCtrl.h"
#include "platform/ui/dialogs/Dialog.h"

#include <array>
#include <memory>

namespace tarlux {

class CEnvironmentSettingDlg : public CDialog
{
public:
    enum PageIndex { kDisplayPage = 0, kColorPage = 1, kSystemPage = 2, kPageCount = 3 };

    explicit CEnvironmentSettingDlg(CWnd* pParent = nullptr);
    ~CEnvironmentSettingDlg() override;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    void SetNotifyWnd(HWND hWnd) { m_hNotify = hWnd; }
    NyraConfig& GetConfigCopy() { return m_config; }
    CReviewSettingPage* GetPage(int index) const;
    // Shows the page of that tab, as a click on the tab does.
    void SelectPage(int index);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnSave();
    void OnClose();
    void OnTabSelChanging(NMHDR* pNMHDR, LRESULT* pResult);
    void OnTabSelChange(NMHDR* pNMHDR, LRESULT* pResult);

private:
    void ShowPage(int index, BOOL show);
    void DestroyPages();

    CTabCtrl m_tab;
    NyraConfig m_config;
    std::array<std::unique_ptr<CReviewSettingPage>, kPageCount> m_pages;
    HWND m_hNotify { nullptr };
};

} // namespace tarlux
