// The alarm limit dialog.
#include "tarvic/dialogs/CAlarmLimitDlg.h"

#include "tarvic/dialogs/BedDialogControls.h"
#include "tarvic/res/BedDialogIds.h"

#include "platform/msg/MessageMap.h"
#include "platform/ui/controls/SliderCtrl.h"

#include <algorithm>

namespace tarvic::bed {
namespace {

constexpr LabelText kLabels[] = {
    {1522, IDS_HIGH, true},
    {1523, IDS_LOW, true},
    {IDOK, IDS_APPLY, false},
    {IDCANCEL, IDS_CANCEL, false},
};

} // namespace

CAlarmLimitDlg::CAlarmLimitDlg(CWnd* pParent) : CDialog(IDD_ALARM_LIMIT, pParent) {}

void CAlarmLimitDlg::SetLimitInfo(int bDecimal, int nLow, int nHigh, int nMin, int nMax, int bLowLocked,
                                  int bHighLocked)
{
    m_bDecimal = bDecimal;
    m_nMin = std::min(nMin, nMax);
    m_nMax = std::max(nMin, nMax);
    m_nLow = std::clamp(nLow, m_nMin, m_nMax);
    m_nHigh = std::clamp(nHigh, m_nMin, m_nMax);
    m_bLowLocked = bLowLocked;
    m_bHighLocked = bHighLocked;
}

CString CAlarmLimitDlg::Format(int value) const
{
    CString text;
    if (m_bDecimal)
        text.Format("%.1f", value / 10.0);
    else
        text.Format("%d", value);
    return text;
}

int CAlarmLimitDlg::SliderPos(int id) const
{
    return static_cast<int>(const_cast<CAlarmLimitDlg*>(this)->SendDlgItemMessage(id, TBM_GETPOS));
}

void CAlarmLimitDlg::SetSliderPos(int id, int position) { SendDlgItemMessage(id, TBM_SETPOS, TRUE, position); }

BOOL CAlarmLimitDlg::OnInitDialog()
{
    SetWindowText(LoadText(IDS_ALARM_LIMIT));
    SetLabelTexts(*this, kLabels);
    for (int slider : {IDC_HIGH_SLIDER, IDC_LOW_SLIDER}) {
        SendDlgItemMessage(slider, TBM_SETRANGEMIN, FALSE, m_nMin);
        SendDlgItemMessage(slider, TBM_SETRANGEMAX, FALSE, m_nMax);
    }
    SetSliderPos(IDC_HIGH_SLIDER, m_nHigh);
    SetSliderPos(IDC_LOW_SLIDER, m_nLow);
    m_strMax = Format(m_nMax);
    m_strMin = Format(m_nMin);
    m_strHigh = Format(m_nHigh);
    m_strLow = Format(m_nLow);
    GetDlgItem(IDC_LOW_SLIDER)->EnableWindow(!m_bLowLocked);
    GetDlgItem(IDC_HIGH_SLIDER)->EnableWindow(!m_bHighLocked);
    return CDialog::OnInitDialog();
}

void CAlarmLimitDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_MAX_TEXT, m_strMax);
    DDX_Text(pDX, IDC_MIN_TEXT, m_strMin);
    DDX_Text(pDX, IDC_HIGH_TEXT, m_strHigh);
    DDX_Text(pDX, IDC_LOW_TEXT, m_strLow);
}

void CAlarmLimitDlg::MoveSlider(int sliderId, int position)
{
    if (!GetDlgItem(sliderId)->IsWindowEnabled())
        return;
    SetSliderPos(sliderId, position);
    SendMessage(WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position),
                reinterpret_cast<LPARAM>(GetDlgItem(sliderId)->GetSafeHwnd()));
}

void CAlarmLimitDlg::OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar)
{
    if (pScrollBar != nullptr) {
        const int id = pScrollBar->GetDlgCtrlID();
        const int high = SliderPos(IDC_HIGH_SLIDER);
        const int low = SliderPos(IDC_LOW_SLIDER);
        if (id == IDC_LOW_SLIDER) {
            if (high <= low)
                SetSliderPos(IDC_LOW_SLIDER, high - 1);
            m_nLow = SliderPos(IDC_LOW_SLIDER);
            m_strLow = Format(m_nLow);
        } else if (id == IDC_HIGH_SLIDER) {
            if (high <= low)
                SetSliderPos(IDC_HIGH_SLIDER, low + 1);
            m_nHigh = SliderPos(IDC_HIGH_SLIDER);
            m_strHigh = Format(m_nHigh);
        }
        UpdateData(FALSE);
    }
    CDialog::OnHScroll(nSBCode, nPos, pScrollBar);
}

const platform::MessageMap* CAlarmLimitDlg::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_HSCROLL, &CAlarmLimitDlg::OnHScroll>(),
    };
    static constexpr platform::MessageMap kMap{&CDialog::GetThisMessageMap, kEntries};
    return &kMap;
}

} // namespace tarvic::bed
