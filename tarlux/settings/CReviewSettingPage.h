// CReviewSettingPage: what the three pages of the review settings sheet share. A page edits
// the sheet's copy of the settings; it reloads its controls from the copy whenever it is shown
// or hidden (so unapplied edits are dropped on a tab change), and swallows Enter and Escape.
#pragma once

#include "platform/ui/dialogs/Dialog.h"

class NyraConfig;

namespace tarlux {

class CReviewSettingPage : public CDialog
{
public:
    CReviewSettingPage(UINT nIDTemplate, NyraConfig* pConfig);

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    BOOL Create(CWnd* pParentWnd);
    // Fills the controls from the copy (and, for the trend flags, the program's settings).
    virtual void Reload() = 0;
    // The window told after changes that act at once (the trend flags); may be null.
    void SetNotifyWnd(HWND hWnd) { m_hNotify = hWnd; }

    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnShowWindow(BOOL bShow, UINT nStatus);

protected:
    NyraConfig* m_pConfig;
    HWND m_hNotify { nullptr };

private:
    UINT m_nTemplate;
};

} // namespace tarlux
