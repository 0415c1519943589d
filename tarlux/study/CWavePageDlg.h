// CWavePageDlg: the wave page of the study information, holding the wave view control.
#pragma once

#include "tarlux/study/CStudyPageDlg.h"
#include "tarlux/wave/CWaveViewCtrl.h"

namespace tarlux {

class CWavePageDlg : public CStudyPageDlg
{
public:
    CWavePageDlg();
    CWaveViewCtrl& GetWaveView() { return m_waveView; }
    void DoDataExchange(CDataExchange* pDX) override;

protected:
    CWnd& ViewControl() override { return m_waveView; }
    void ResetViewControl() override { m_waveView.ResetView(); }

private:
    CWaveViewCtrl m_waveView;
};

} // namespace tarlux
