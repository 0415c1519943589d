// The trend print dialog of both stations: its texts and times, the sliders that keep the start
// a minute before the end, "All" and "Select Range", the check boxes and the speed list, and the
// review station's template with its shifted control ids.
#include "appcommon/CTrendPrintDlg.h"

#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/ComboBox.h"
#include "testkit/Golden.h"
#include "testkit/Pump.h"
#include "testkit/TestWindow.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class TrendPrintDialog : public ::testing::TestWithParam<TrendPrintTemplate>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateTop(CRect(0, 0, 800, 600), WS_POPUP | WS_VISIBLE));
        ASSERT_TRUE(m_helper.CreateTop(CRect(0, 0, 10, 10), WS_POPUP));
    }
    void TearDown() override
    {
        if (dialog && dialog->GetSafeHwnd())
            dialog->DestroyWindow();
        m_helper.DestroyWindow();
        m_parent.DestroyWindow();
    }

    CTrendPrintDlg& Open(int all, int cover, int trend, int speed, int start, int end, int min, int max)
    {
        dialog = std::make_unique<CTrendPrintDlg>(GetParam(), &m_parent);
        dialog->SetPrintInfo(all, cover, trend, speed, start, end, min, max);
        EXPECT_TRUE(dialog->Create(GetParam().dialogId, &m_parent));
        return *dialog;
    }

    CString Text(int centralId)
    {
        CString text;
        dialog->GetDlgItemText(dialog->Id(centralId), text);
        return text;
    }
    bool Enabled(int centralId) { return dialog->GetDlgItem(dialog->Id(centralId))->IsWindowEnabled() != FALSE; }
    bool Checked(int centralId) { return dialog->IsDlgButtonChecked(dialog->Id(centralId)) == BST_CHECKED; }
    // Clicks a button as the user does: the check state changes, then the parent hears of it.
    void Click(int centralId, UINT state)
    {
        const int id = dialog->Id(centralId);
        dialog->CheckDlgButton(id, state);
        dialog->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                            reinterpret_cast<LPARAM>(dialog->GetDlgItem(id)->GetSafeHwnd()));
    }
    void ChooseSpeed(int index)
    {
        const int id = dialog->Id(CTrendPrintDlg::IDC_SPEED);
        dialog->SendDlgItemMessage(id, CB_SETCURSEL, index);
        dialog->SendMessage(WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                            reinterpret_cast<LPARAM>(dialog->GetDlgItem(id)->GetSafeHwnd()));
    }

    std::unique_ptr<CTrendPrintDlg> dialog;
    testkit::RecordingWnd m_helper;

private:
    testkit::RecordingWnd m_parent;
};

TEST_P(TrendPrintDialog, ShowsTheTextsAndTheRangeAsHoursAndMinutes)
{
    CTrendPrintDlg& dlg = Open(1, 1, 1, 3, 0, 125, 0, 125);
    CString title;
    dlg.GetWindowText(title);
    EXPECT_EQ(title, "Print");
    EXPECT_EQ(Text(CTrendPrintDlg::IDC_MAX_TEXT), "02:05");
    EXPECT_EQ(Text(CTrendPrintDlg::IDC_MIN_TEXT), "00:00");
    EXPECT_EQ(Text(CTrendPrintDlg::IDC_END_TEXT), "02:05");
    EXPECT_EQ(Text(CTrendPrintDlg::IDC_START_TEXT), "00:00");
    EXPECT_EQ(Text(CTrendPrintDlg::IDC_START_LABEL), "Start Time : ");
    EXPECT_EQ(Text(CTrendPrintDlg::IDC_ALL), "All");
    EXPECT_EQ(Text(CTrendPrintDlg::IDC_PRINT_COVER), "Print Cover Page");
    EXPECT_TRUE(Checked(CTrendPrintDlg::IDC_ALL));
    EXPECT_FALSE(Checked(CTrendPrintDlg::IDC_SELECT_RANGE));
    EXPECT_FALSE(Enabled(CTrendPrintDlg::IDC_START_SLIDER));
    EXPECT_FALSE(Enabled(CTrendPrintDlg::IDC_END_SLIDER));
    EXPECT_TRUE(Checked(CTrendPrintDlg::IDC_PRINT_COVER));
    EXPECT_TRUE(Checked(CTrendPrintDlg::IDC_PRINT_TREND));

    const int speedList = dlg.Id(CTrendPrintDlg::IDC_SPEED);
    ASSERT_EQ(dlg.SendDlgItemMessage(speedList, CB_GETCOUNT), 3);
    const auto selected = dlg.SendDlgItemMessage(speedList, CB_GETCURSEL);
    EXPECT_EQ(dlg.SendDlgItemMessage(speedList, CB_GETITEMDATA, selected), 3);
    CString speedText;
    dlg.GetDlgItem(speedList)->GetWindowText(speedText);
    EXPECT_EQ(speedText, "30mm/min");
}

TEST_P(TrendPrintDialog, TheStartStaysAMinuteBeforeTheEnd)
{
    CTrendPrintDlg& dlg = Open(0, 1, 1, 3, 10, 40, 0, 125);
    EXPECT_TRUE(Enabled(CTrendPrintDlg::IDC_START_SLIDER));
    dlg.MoveSlider(CTrendPrintDlg::IDC_START_SLIDER, 90);
    EXPECT_EQ(dlg.GetStartTime(), 39);
    EXPECT_EQ(Text(CTrendPrintDlg::IDC_START_TEXT), "00:39");
    dlg.MoveSlider(CTrendPrintDlg::IDC_END_SLIDER, 5);
    EXPECT_EQ(dlg.GetEndTime(), 40);
    EXPECT_EQ(Text(CTrendPrintDlg::IDC_END_TEXT), "00:40");
    dlg.MoveSlider(CTrendPrintDlg::IDC_END_SLIDER, 125);
    EXPECT_EQ(dlg.GetEndTime(), 125);
    EXPECT_EQ(Text(CTrendPrintDlg::IDC_END_TEXT), "02:05");
    EXPECT_EQ(dlg.GetStartTime(), 39);
}

TEST_P(TrendPrintDialog, AllAfterARangeReturnsTheWholeRecordingAndShowsIt)
{
    CTrendPrintDlg& dlg = Open(0, 1, 1, 3, 10, 40, 0, 125);
    dlg.MoveSlider(CTrendPrintDlg::IDC_START_SLIDER, 20);
    Click(CTrendPrintDlg::IDC_SELECT_RANGE, BST_UNCHECKED);
    Click(CTrendPrintDlg::IDC_ALL, BST_CHECKED);
    EXPECT_EQ(dlg.GetStartTime(), 0);
    EXPECT_EQ(dlg.GetEndTime(), 125);
    EXPECT_EQ(dlg.IsPrintAll(), 1);
    EXPECT_FALSE(Enabled(CTrendPrintDlg::IDC_START_SLIDER));
    EXPECT_EQ(Text(CTrendPrintDlg::IDC_START_TEXT), "00:00");
    EXPECT_EQ(Text(CTrendPrintDlg::IDC_END_TEXT), "02:05");
    // A disabled slider does not move.
    dlg.MoveSlider(CTrendPrintDlg::IDC_START_SLIDER, 50);
    EXPECT_EQ(dlg.GetStartTime(), 0);

    Click(CTrendPrintDlg::IDC_SELECT_RANGE, BST_CHECKED);
    EXPECT_EQ(dlg.IsPrintAll(), 0);
    EXPECT_TRUE(Enabled(CTrendPrintDlg::IDC_END_SLIDER));
}

TEST_P(TrendPrintDialog, TheBoxesAndTheSpeedListSetWhatIsPrinted)
{
    CTrendPrintDlg& dlg = Open(1, 1, 1, 3, 0, 60, 0, 60);
    Click(CTrendPrintDlg::IDC_PRINT_TREND, BST_UNCHECKED);
    EXPECT_EQ(dlg.IsPrintTrend(), 0);
    EXPECT_EQ(dlg.IsPrintCover(), 1);
    Click(CTrendPrintDlg::IDC_PRINT_COVER, BST_UNCHECKED);
    EXPECT_EQ(dlg.IsPrintCover(), 0);
    ChooseSpeed(0);
    EXPECT_EQ(dlg.GetTrendSpeed(), 1);
    ChooseSpeed(1);
    EXPECT_EQ(dlg.GetTrendSpeed(), 2);
}

TEST_P(TrendPrintDialog, OkAndCancelEndTheModalDialog)
{
    constexpr UINT kPress = WM_USER + 31;
    for (const int button : {IDOK, IDCANCEL}) {
        CTrendPrintDlg dlg(GetParam(), &m_helper);
        dlg.SetPrintInfo(1, 0, 1, 2, 0, 3, 0, 3);
        // A message posted before the dialog opens is handled inside its modal loop.
        m_helper.onMessage = [&](UINT message, WPARAM, LPARAM, LRESULT&) {
            if (message != kPress)
                return false;
            dlg.PostMessage(WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
            return true;
        };
        m_helper.PostMessage(kPress);
        EXPECT_EQ(dlg.DoModal(), button);
        EXPECT_EQ(dlg.GetTrendSpeed(), 2);
        EXPECT_EQ(dlg.IsPrintCover(), 0);
        EXPECT_EQ(dlg.GetEndTime(), 3);
    }
}

TEST_P(TrendPrintDialog, Picture)
{
    CTrendPrintDlg& dlg = Open(0, 1, 1, 3, 10, 40, 0, 125);
    dlg.ShowWindow(SW_SHOW);
    testkit::Pump();
    const platform::Image picture = testkit::Capture(dlg.GetSafeHwnd());
    const bool central = GetParam().idOffset == 0;
    testkit::SaveForReview(picture, central ? "appcommon_trend_print" : "appcommon_trend_print_review");
    if (central)
        testkit::ExpectMatchesGolden(picture, "appcommon/tests/golden/TrendPrintDialog.png", {48, 0.01});
}

INSTANTIATE_TEST_SUITE_P(BothStations, TrendPrintDialog,
                         ::testing::Values(kCentralTrendPrintTemplate, kReviewTrendPrintTemplate),
                         [](const auto& info) { return info.param.idOffset == 0 ? "Central" : "Review"; });

} // namespace
