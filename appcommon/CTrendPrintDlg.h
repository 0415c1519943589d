// CTrendPrintDlg: what part of a recorded trend to print and how. The whole recording or a range
// of whole minutes chosen on two sliders, the trend speed, and whether the cover page and the
// trend pages are printed. Both stations carry it; each shows it from its own template, whose
// control ids are the central station's plus the template's offset (the review station's are
// 4000 higher).
//
// The caller fills it with SetPrintInfo, shows it modally and, after IDOK, reads the start and end
// minute, the speed and the two flags. The start stays at least one minute before the end.
#pragma once

#include "platform/ui/dialogs/Dialog.h"

// Which template the dialog is made from, and how far its control ids lie from the central
// station's.
struct TrendPrintTemplate
{
    UINT dialogId;
    int idOffset;
};

constexpr TrendPrintTemplate kCentralTrendPrintTemplate { 212, 0 };
constexpr TrendPrintTemplate kReviewTrendPrintTemplate { 516, 4000 };

class CTrendPrintDlg : public CDialog
{
public:
    explicit CTrendPrintDlg(TrendPrintTemplate layout, CWnd* pParent = nullptr);

    void SetPrintInfo(int bPrintAll, int bPrintCover, int bPrintTrend, int nTrendSpeed, int nStart, int nEnd,
                      int nMin, int nMax);

    int GetStartTime() const { return m_nStart; }
    int GetEndTime() const { return m_nEnd; }
    int GetTrendSpeed() const { return m_nTrendSpeed; }
    int IsPrintCover() const { return m_bPrintCover; }
    int IsPrintTrend() const { return m_bPrintTrend; }
    int IsPrintAll() const { return m_bPrintAll; }

    TrendPrintTemplate Layout() const { return m_layout; }
    // The id of a control of this dialog's template, from its central station id.
    int Id(int centralId) const { return centralId + m_layout.idOffset; }

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    // Moves a slider as the user does (the dialog's scroll handling follows).
    void MoveSlider(int centralSliderId, int position);

    // Central station control ids.
    static constexpr int IDC_END_TEXT = 1106;
    static constexpr int IDC_START_TEXT = 1026;
    static constexpr int IDC_MIN_TEXT = 1539;
    static constexpr int IDC_MAX_TEXT = 1540;
    static constexpr int IDC_RANGE_GROUP = 1532;
    static constexpr int IDC_ALL = 1535;
    static constexpr int IDC_SELECT_RANGE = 1536;
    static constexpr int IDC_START_SLIDER = 1537;
    static constexpr int IDC_END_SLIDER = 1538;
    static constexpr int IDC_START_LABEL = 1541;
    static constexpr int IDC_END_LABEL = 1542;
    static constexpr int IDC_OPTION_GROUP = 1533;
    static constexpr int IDC_SPEED = 1420;
    static constexpr int IDC_SPEED_LABEL = 1361;
    static constexpr int IDC_PRINT_COVER = 1058;
    static constexpr int IDC_PRINT_TREND = 1059;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

private:
    void OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);
    void OnAllClicked();
    void OnSelectRangeClicked();
    void SetTexts();
    void FillSpeedList();
    void EnableSliders(BOOL enable);
    int SliderPos(int centralId);
    void SetSliderPos(int centralId, int position);

    TrendPrintTemplate m_layout;
    int m_bPrintAll { 1 };
    int m_bPrintCover { 1 };
    int m_bPrintTrend { 1 };
    int m_nTrendSpeed { 3 };
    int m_nStart { 0 };
    int m_nEnd { 0 };
    int m_nMin { 0 };
    int m_nMax { 0 };
    CString m_strEnd;
    CString m_strStart;
    CString m_strMax;
    CString m_strMin;
};
