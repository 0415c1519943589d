// CTrendPageDlg: the trend page of the study information, holding the trend view control.
#pragma once

#include "tarlux/study/CStudyPageDlg.h"
#include "tarlux/trend/CTrendViewCtrl.h"

namespace tarlux {

class CTrendPageDlg : public CStudyPageDlg
{
public:
    CTrendPageDlg();
    CTrendViewCtrl& GetTrendView() { return m_trendView; }
    void DoDataExchange(CDataExchange* pDX) override;

protected:
    CWnd& ViewControl() override { return m_trendView; }
    void ResetViewControl() override { m_trendView.ResetView(); }

private:
    CTrendViewCtrl m_trendView;
};

} // namespace tarlux
