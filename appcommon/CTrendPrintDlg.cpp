// The trend print dialog.
#include "appcommon/CTrendPrintDlg.h"

#include "appcommon/StationStrings.h"
#include "appcommon/TrendPrintDlgResources.h"

#include "ktutil/KTGF.h"
#include "nrdata/constmap/NRConstMap.h"

#include "platform/msg/MessageMap.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/controls/SliderCtrl.h"
#include "platform/ui/dialogs/DataExchange.h"

#include <algorithm>

namespace {

using namespace appcommon;

// One label of the template: its central station id, its text and whether " : " follows.
struct Label
{
    int id;
    UINT stringId;
    bool colon;
};

constexpr Label kLabels[] = {
    {CTrendPrintDlg::IDC_RANGE_GROUP, IDS_PRINT_RANGE, false},   {CTrendPrintDlg::IDC_ALL, IDS_ALL, false},
    {CTrendPrintDlg::IDC_SELECT_RANGE, IDS_SELECT_RANGE, false},  {CTrendPrintDlg::IDC_START_LABEL, IDS_START_TIME, true},
    {CTrendPrintDlg::IDC_END_LABEL, IDS_END_TIME, true},      {CTrendPrintDlg::IDC_OPTION_GROUP, IDS_OPTION, false},
    {CTrendPrintDlg::IDC_SPEED_LABEL, IDS_TREND_SPEED, true},    {CTrendPrintDlg::IDC_PRINT_COVER, IDS_PRINT_COVER_PAGE, false},
    {CTrendPrintDlg::IDC_PRINT_TREND, IDS_PRINT_TREND, false},
};


// Minutes as "%02d:%02d" of hours and minutes.
CString MinutesText(int minutes)
{
    CString text;
    text.Format("%02d:%02d", minutes / 60, minutes % 60);
    return text;
}

} // namespace

CTrendPrintDlg::CTrendPrintDlg(TrendPrintTemplate layout, CWnd* pParent)
    : CDialog(layout.dialogId, pParent), m_layout(layout)
{
    appcommon::UseTrendPrintResources();
    appcommon::UseStationStrings();
}

void CTrendPrintDlg::SetPrintInfo(int bPrintAll, int bPrintCover, int bPrintTrend, int nTrendSpeed, int nStart,
                                  int nEnd, int nMin, int nMax)
{
    m_bPrintAll = bPrintAll;
    m_bPrintCover = bPrintCover;
    m_bPrintTrend = bPrintTrend;
    m_nTrendSpeed = nTrendSpeed;
    m_nStart = nStart;
    m_nEnd = nEnd;
    m_nMin = nMin;
    m_nMax = nMax;
}

// ---- controls ----------------------------------------------------------------------------------

int CTrendPrintDlg::SliderPos(int centralId)
{
    return static_cast<int>(SendDlgItemMessage(Id(centralId), TBM_GETPOS));
}

void CTrendPrintDlg::SetSliderPos(int centralId, int position)
{
    SendDlgItemMessage(Id(centralId), TBM_SETPOS, TRUE, position);
}

void CTrendPrintDlg::EnableSliders(BOOL enable)
{
    GetDlgItem(Id(IDC_START_SLIDER))->EnableWindow(enable);
    GetDlgItem(Id(IDC_END_SLIDER))->EnableWindow(enable);
}

void CTrendPrintDlg::SetTexts()
{
    SetWindowText(KTGF::GetString(IDS_PRINT));
    for (const Label& label : kLabels) {
        CString text = KTGF::GetString(label.stringId);
        if (label.colon)
            text += " : ";
        SetDlgItemText(Id(label.id), text);
    }
    SetDlgItemText(IDOK, KTGF::GetString(IDS_OK));
    SetDlgItemText(IDCANCEL, KTGF::GetString(IDS_CANCEL));
}

void CTrendPrintDlg::FillSpeedList()
{
    const int list = Id(IDC_SPEED);
    SendDlgItemMessage(list, CB_RESETCONTENT);
    const int size = NRConstMap::GetMapSize(NRConstMap::CMAP_TREND_SPEED);
    for (int i = 0; i < size; ++i) {
        const CString text = NRConstMap::GetMapText(NRConstMap::CMAP_TREND_SPEED, i);
        const long value = NRConstMap::GetMapConst(NRConstMap::CMAP_TREND_SPEED, i);
        const auto index = SendDlgItemMessage(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.GetString()));
        SendDlgItemMessage(list, CB_SETITEMDATA, index, value);
        if (value == m_nTrendSpeed)
            SendDlgItemMessage(list, CB_SETCURSEL, index);
    }
}

// ---- initialisation and data exchange ----------------------------------------------------------

BOOL CTrendPrintDlg::OnInitDialog()
{
    SetTexts();
    for (int slider : {IDC_START_SLIDER, IDC_END_SLIDER}) {
        SendDlgItemMessage(Id(slider), TBM_SETRANGEMIN, FALSE, m_nMin);
        SendDlgItemMessage(Id(slider), TBM_SETRANGEMAX, FALSE, m_nMax);
    }
    SetSliderPos(IDC_END_SLIDER, m_nEnd);
    SetSliderPos(IDC_START_SLIDER, m_nStart);
    m_strMax = MinutesText(m_nMax);
    m_strMin = MinutesText(m_nMin);
    m_strEnd = MinutesText(m_nEnd);
    m_strStart = MinutesText(m_nStart);
    CheckDlgButton(Id(IDC_PRINT_COVER), m_bPrintCover ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(Id(IDC_PRINT_TREND), m_bPrintTrend ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(Id(IDC_ALL), m_bPrintAll ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(Id(IDC_SELECT_RANGE), m_bPrintAll ? BST_UNCHECKED : BST_CHECKED);
    EnableSliders(!m_bPrintAll);
    FillSpeedList();
    return CDialog::OnInitDialog();
}

void CTrendPrintDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, Id(IDC_END_TEXT), m_strEnd);
    DDX_Text(pDX, Id(IDC_START_TEXT), m_strStart);
    DDX_Text(pDX, Id(IDC_MAX_TEXT), m_strMax);
    DDX_Text(pDX, Id(IDC_MIN_TEXT), m_strMin);
}

// ---- the user's moves --------------------------------------------------------------------------

void CTrendPrintDlg::MoveSlider(int centralSliderId, int position)
{
    CWnd* slider = GetDlgItem(Id(centralSliderId));
    if (slider == nullptr || !slider->IsWindowEnabled())
        return;
    SetSliderPos(centralSliderId, position);
    SendMessage(WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position), reinterpret_cast<LPARAM>(slider->GetSafeHwnd()));
}

void CTrendPrintDlg::OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar)
{
    if (pScrollBar != nullptr) {
        const int id = pScrollBar->GetDlgCtrlID() - m_layout.idOffset;
        const int start = SliderPos(IDC_START_SLIDER);
        const int end = SliderPos(IDC_END_SLIDER);
        if (id == IDC_START_SLIDER) {
            if (end <= start)
                SetSliderPos(IDC_START_SLIDER, end - 1);
            m_nStart = SliderPos(IDC_START_SLIDER);
            m_strStart = MinutesText(m_nStart);
        } else if (id == IDC_END_SLIDER) {
            if (end <= start)
                SetSliderPos(IDC_END_SLIDER, start + 1);
            m_nEnd = SliderPos(IDC_END_SLIDER);
            m_strEnd = MinutesText(m_nEnd);
        }
        UpdateData(FALSE);
    }
    CDialog::OnHScroll(nSBCode, nPos, pScrollBar);
}

void CTrendPrintDlg::OnAllClicked()
{
    EnableSliders(FALSE);
    SetSliderPos(IDC_START_SLIDER, m_nMin);
    SetSliderPos(IDC_END_SLIDER, m_nMax);
    m_nStart = m_nMin;
    m_nEnd = m_nMax;
    // The time texts follow, so that what the dialog shows is what it prints.
    m_strStart = MinutesText(m_nStart);
    m_strEnd = MinutesText(m_nEnd);
    m_bPrintAll = 1;
    UpdateData(FALSE);
}

void CTrendPrintDlg::OnSelectRangeClicked()
{
    EnableSliders(TRUE);
    m_bPrintAll = 0;
    UpdateData(FALSE);
}

BOOL CTrendPrintDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = static_cast<int>(LOWORD(wParam)) - m_layout.idOffset;
    const UINT code = HIWORD(wParam);
    if (code == BN_CLICKED) {
        switch (id) {
        case IDC_ALL:
            OnAllClicked();
            return TRUE;
        case IDC_SELECT_RANGE:
            OnSelectRangeClicked();
            return TRUE;
        case IDC_PRINT_COVER:
            m_bPrintCover = IsDlgButtonChecked(Id(IDC_PRINT_COVER)) == BST_CHECKED ? 1 : 0;
            return TRUE;
        case IDC_PRINT_TREND:
            m_bPrintTrend = IsDlgButtonChecked(Id(IDC_PRINT_TREND)) == BST_CHECKED ? 1 : 0;
            return TRUE;
        default:
            break;
        }
    } else if (code == CBN_SELCHANGE && id == IDC_SPEED) {
        const auto index = SendDlgItemMessage(Id(IDC_SPEED), CB_GETCURSEL);
        if (index != CB_ERR)
            m_nTrendSpeed = static_cast<int>(SendDlgItemMessage(Id(IDC_SPEED), CB_GETITEMDATA, index));
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

const platform::MessageMap* CTrendPrintDlg::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_HSCROLL, &CTrendPrintDlg::OnHScroll>(),
    };
    static constexpr platform::MessageMap kMap{&CDialog::GetThisMessageMap, kEntries};
    return &kMap;
}
