// The trend visibility dialog.
#include "tarvic/dialogs/CTrendVisibleDlg.h"

#include "tarvic/dialogs/BedDialogControls.h"
#include "tarvic/res/BedDialogIds.h"
#include "tarvic/res/TrendDialogIds.h"

#include "nrdata/config/NyraConfig.h"
#include "nyraclient/client/NyraClientInfo.h"

#include "platform/ui/controls/Button.h"

namespace tarvic::bed {
namespace {

using D = CTrendVisibleDlg;

constexpr D::Box kBoxes[] = {
    {D::IDC_SHOW_WAVEFORM, trend::IDS_SHOW_WAVEFORM, 0},
    {D::IDC_MHR, 10170, 1},
    {D::IDC_MSPO2, IDS_PARAM_MSPO2, 2},
    {D::IDC_MSPO2_PR, IDS_PARAM_MSPO2_PR, 3},
    {D::IDC_TEMP, IDS_PARAM_TEMP, 4},
    {D::IDC_NIBP, IDS_PARAM_NIBP, 5},
    {D::IDC_UC, IDS_PARAM_UC, 6},
    {D::IDC_IUP, IDS_PARAM_IUP, 7},
    {D::IDC_FECG, IDS_PARAM_FECG, 8},
    {D::IDC_FHR1, IDS_PARAM_FHR1, 11},
    {D::IDC_FHR2, IDS_PARAM_FHR2, 12},
    {D::IDC_FSPO2, IDS_PARAM_FSPO2, 9},
    {D::IDC_FSPO2_PR, IDS_PARAM_FSPO2_PR, 10},
    {D::IDC_FM1, 10168, 13}, // its flag is also that of kind 15
    {D::IDC_FM2, 10169, 14}, // and of kind 16
    {D::IDC_MARKER, trend::IDS_MARKER, 17},
    {D::IDC_STIMULATOR, trend::IDS_STIMULATOR, -1},
};

// What a display mode does not measure: cleared, then disabled; `disabledOnly` are disabled
// without being cleared.
struct ModeRemoval
{
    int mode;
    std::span<const int> cleared;
    std::span<const int> disabledOnly;
};

constexpr int kAntepartumCleared[] = {D::IDC_SHOW_WAVEFORM, D::IDC_MHR,  D::IDC_MSPO2, D::IDC_MSPO2_PR,
                                      D::IDC_TEMP,          D::IDC_NIBP, D::IDC_IUP,   D::IDC_FECG,
                                      D::IDC_FSPO2,         D::IDC_FSPO2_PR};
constexpr int kMotherFetalCleared[] = {D::IDC_IUP, D::IDC_FECG, D::IDC_FSPO2, D::IDC_FSPO2_PR};
constexpr int kMotherOnlyCleared[] = {D::IDC_UC,   D::IDC_IUP,  D::IDC_FECG, D::IDC_FSPO2, D::IDC_FSPO2_PR,
                                      D::IDC_FHR1, D::IDC_FHR2, D::IDC_FM1,  D::IDC_FM2};
constexpr int kMotherOnlyDisabled[] = {D::IDC_MARKER, D::IDC_STIMULATOR};

constexpr ModeRemoval kRemovals[] = {
    {1, kAntepartumCleared, {}},
    {2, kMotherFetalCleared, {}},
    {4, kMotherOnlyCleared, kMotherOnlyDisabled},
};

int FlagOfBox(const D::Box& box)
{
    return box.kind == 0 ? NyraConfig::kWaveDisplayFlag : NyraConfig::DisplayFlagOfKind(box.kind);
}

} // namespace

CTrendVisibleDlg::CTrendVisibleDlg(CWnd* pParent, ClientGone gone)
    : CDialog(trend::IDD_TREND_VISIBLE, pParent), m_ClientGone(std::move(gone))
{
}

std::span<const CTrendVisibleDlg::Box> CTrendVisibleDlg::Boxes() { return kBoxes; }

bool CTrendVisibleDlg::HasClient() const { return m_pClient != nullptr && !(m_ClientGone && m_ClientGone()); }

void CTrendVisibleDlg::SetBox(int id, BOOL checked)
{
    CWnd* box = GetDlgItem(id);
    if (box != nullptr && box->IsWindowEnabled())
        CheckDlgButton(id, checked ? BST_CHECKED : BST_UNCHECKED);
}

BOOL CTrendVisibleDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(LoadText(trend::IDS_TREND_VISIBLE_SETTING));
    for (const Box& box : kBoxes)
        SetDlgItemText(box.id, LoadText(box.stringId));
    SetDlgItemText(IDC_ALL, LoadText(appcommon::IDS_ALL));
    SetDlgItemText(IDC_PARAMETER_GROUP, LoadText(trend::IDS_PARAMETER));
    SetDlgItemText(IDOK, LoadText(IDS_CLOSE));
    if (!HasClient())
        return TRUE;

    const NyraConfig config = m_pClient->GetConfig();
    for (const Box& box : kBoxes) {
        const int flag = FlagOfBox(box);
        if (flag >= 0)
            SetBox(box.id, config.DisplayFlag[static_cast<size_t>(flag)] == 1);
    }
    ApplyDisplayMode(m_pClient->GetMonitorPacket().GetDisplayMode());
    if (m_pClient->GetEnlargedControl() == nullptr)
        GetDlgItem(IDC_SHOW_WAVEFORM)->EnableWindow(FALSE);
    GetDlgItem(IDC_STIMULATOR)->ShowWindow(SW_HIDE);
    Store();
    return TRUE;
}

void CTrendVisibleDlg::ApplyDisplayMode(int mode)
{
    for (const ModeRemoval& removal : kRemovals) {
        if (removal.mode != mode)
            continue;
        for (int id : removal.cleared) {
            SetBox(id, FALSE);
            GetDlgItem(id)->EnableWindow(FALSE);
        }
        for (int id : removal.disabledOnly)
            GetDlgItem(id)->EnableWindow(FALSE);
    }
}

void CTrendVisibleDlg::Store()
{
    if (!HasClient()) {
        m_pClient = nullptr;
        EndDialog(IDOK);
        return;
    }
    auto flags = m_pClient->GetConfig().DisplayFlag;
    for (const Box& box : kBoxes) {
        const int flag = FlagOfBox(box);
        if (flag >= 0)
            flags[static_cast<size_t>(flag)] = IsDlgButtonChecked(box.id) == BST_CHECKED ? 1 : 0;
    }
    m_pClient->SetDisplayFlags(flags);
    m_pClient->RedrawControl();
}

void CTrendVisibleDlg::OnAll()
{
    const BOOL checked = IsDlgButtonChecked(IDC_ALL) == BST_CHECKED;
    for (const Box& box : kBoxes) {
        if (box.id != IDC_SHOW_WAVEFORM)
            SetBox(box.id, checked);
    }
    Store();
}

BOOL CTrendVisibleDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED) {
        if (id == IDC_ALL) {
            OnAll();
            return TRUE;
        }
        for (const Box& box : kBoxes) {
            if (box.id == id) {
                Store();
                return TRUE;
            }
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}

} // namespace tarvic::bed
