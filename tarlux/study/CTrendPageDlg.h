// CTrendPageDlg: the trend page of the study information: a child dialog whose one control, the
// trend view, fills it less a pixel on each side and is rebuilt on every size change and when a
// study was loaded.
#pragma once

#include "tarlux/trend/CTrendViewCtrl.h"

#include "platform/ui/dialogs/Dialog.h"

namespace tarlux {

class CTrendPageDlg : public CDialog
{
public:
    CTrendPageDlg();

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    BOOL Create(CWnd* pParentWnd);
    // Draws the page again from the current recording and settings, from its first page.
    void Refresh();
    CTrendViewCtrl& GetTrendView() { return m_trendView; }

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnSize(UINT nType, int cx, int cy);

private:
    void PlaceTrendView();

    CTrendViewCtrl m_trendView;
};

} // namespace tarlux
