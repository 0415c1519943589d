// CAlarmLimitDlg: the lower and upper alarm limit of one parameter on two sliders. The caller
// hands it the limits, the range and the display form, and reads the limits back after IDOK.
// The upper limit stays at least one step above the lower one; a locked slider cannot move.
#pragma once

#include "platform/ui/dialogs/Dialog.h"

namespace tarvic::bed {

class CAlarmLimitDlg : public CDialog
{
public:
    explicit CAlarmLimitDlg(CWnd* pParent = nullptr);

    // Values in slider steps (tenths with the decimal display). Limits outside the range are
    // taken as the nearest end of it.
    void SetLimitInfo(int bDecimal, int nLow, int nHigh, int nMin, int nMax, int bLowLocked, int bHighLocked);
    int GetLowLimit() const { return m_nLow; }
    int GetHighLimit() const { return m_nHigh; }

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    // Moves a slider as the user does (the dialog's scroll handling follows).
    void MoveSlider(int sliderId, int position);

    static constexpr int IDC_HIGH_SLIDER = 1524;
    static constexpr int IDC_LOW_SLIDER = 1525;
    static constexpr int IDC_HIGH_TEXT = 1108;
    static constexpr int IDC_LOW_TEXT = 1107;
    static constexpr int IDC_MIN_TEXT = 1526;
    static constexpr int IDC_MAX_TEXT = 1527;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

private:
    void OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);
    CString Format(int value) const;
    int SliderPos(int id) const;
    void SetSliderPos(int id, int position);

    int m_bDecimal { 0 };
    int m_nLow { 0 };
    int m_nHigh { 0 };
    int m_nMin { 0 };
    int m_nMax { 0 };
    int m_bLowLocked { 0 };
    int m_bHighLocked { 0 };
    CString m_strMax;
    CString m_strMin;
    CString m_strHigh;
    CString m_strLow;
};

} // namespace tarvic::bed
