// CStudyPageDlg: what the two pages of the study information share. A page is a child dialog
// whose one control (the trend view or the wave view) fills it less a pixel on each side and is
// rebuilt on every size change and when a study was loaded. Enter goes nowhere on a page.
#pragma once

#include "platform/ui/dialogs/Dialog.h"

namespace tarlux {

class CStudyPageDlg : public CDialog
{
public:
    explicit CStudyPageDlg(UINT nIDTemplate);

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    BOOL Create(CWnd* pParentWnd);
    // Draws the page again from the current recording and settings.
    void Refresh();

    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnSize(UINT nType, int cx, int cy);

protected:
    // The page's view control and its rebuild.
    virtual CWnd& ViewControl() = 0;
    virtual void ResetViewControl() = 0;

private:
    void PlaceView();

    UINT m_nTemplate;
};

} // namespace tarlux
