// Every dialog of the review station used by mouse and keyboard: the main form with its patient
// list, patient information and study information (trend and wave pages) on a station that
// shows a recorded study, the settings sheet and the trend print dialog, each opened as the
// station opens it; every visible, enabled control clicked at its centre through the host's input
// path and Tab walked round every page (testkit/DialogInputWalk.h). The table holds every dialog
// template the program registers.
#include "support/ReviewStation.h"

#include "tarlux/app/ReviewGlobals.h"
#include "tarlux/context/CReviewContext.h"
#include "tarlux/res/TarluxResources.h"
#include "tarlux/settings/CEnvironmentSettingDlg.h"
#include "tarlux/study/StudyRecording.h"

#include "appcommon/CTrendPrintDlg.h"
#include "ktctrl/basic/KTColorPicker.h"
#include "ktutilex/KTAdo.h"
#include "nrdata/config/NyraConfig.h"

#include "testkit/DialogInputWalk.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace reviewtest;

namespace {

const COleDateTime kStart(2024, 3, 5, 8, 0, 0);

// The colour pickers open their palette; every other control shows by its kind that it took
// the click.
testkit::Takes PickersOpenTheirPalette(HWND control)
{
    return dynamic_cast<KTColorPicker*>(CWnd::FromHandlePermanent(control)) ? testkit::Takes::Popup
                                                                            : testkit::Takes::Auto;
}

class DialogInput : public testing::Test
{
protected:
    DialogInput()
    {
        KTAdo& db = tarlux::ReviewDatabase();
        AddPatient(db, "P_1", "Siobhan", "O'Brien");
        AddStudy(db, "P_1", kStart, 3725);
        RecordingContents contents;
        contents.start = kStart;
        contents.waves = ScriptedWaves();
        contents.hasWaveTime = true;
        contents.waveTime = kStart;
        contents.records = ScriptedTrend(3725);
        WriteRecording(tarlux::StudyRecordingPath("P_1", StudyIdOf(kStart)), contents);
        tarlux::CReviewContext::GetInstance()->SelectPatient("P_1");
        tarlux::CReviewContext::GetInstance()->SelectStudy(StudyIdOf(kStart));
        ReviewStation::Pump();
    }

    // A row of the table: how the station opens the dialog (the form is always there; the
    // others modeless over the main window) and the controls that are by design not clicked.
    struct Row
    {
        const char* name;
        std::function<HWND()> open;
        std::function<void()> close;
        std::vector<testkit::NotClicked> notClicked{};
    };

    std::vector<Row> Table()
    {
        tarlux::CTarluxIIView* view = m_station.View();
        CWnd* frame = m_station.Frame();
        return {
            {"main form", [view] { return view->GetSafeHwnd(); }, [] {}},
            {"settings",
             [this, view, frame] {
                 m_dialog = std::make_unique<tarlux::CEnvironmentSettingDlg>();
                 auto* sheet = static_cast<tarlux::CEnvironmentSettingDlg*>(m_dialog.get());
                 sheet->SetNotifyWnd(view->GetSafeHwnd());
                 if (!sheet->Create(tarlux::IDD_ENVIRONMENT_SETTING, frame))
                     return HWND{};
                 sheet->ShowWindow(SW_SHOW);
                 return sheet->GetSafeHwnd();
             },
             [this] { CloseDialog(); }},
            {"trend print",
             [this, frame] {
                 const tarlux::CRecordReader& reader = tarlux::CReviewContext::GetInstance()->GetReader();
                 auto print = std::make_unique<CTrendPrintDlg>(kReviewTrendPrintTemplate, frame);
                 print->SetPrintInfo(0, 1, 1, tarlux::ReviewConfig().ReviewTrendSpeed,
                                     reader.GetShownFirst() / 60, (reader.GetShownLast() + 59) / 60, 0,
                                     (reader.GetRecordCount() + 59) / 60);
                 if (!print->Create(kReviewTrendPrintTemplate.dialogId, frame))
                     return HWND{};
                 print->ShowWindow(SW_SHOW);
                 m_dialog = std::move(print);
                 return m_dialog->GetSafeHwnd();
             },
             [this] { CloseDialog(); }},
        };
    }

    void CloseDialog()
    {
        if (m_dialog && ::IsWindow(m_dialog->GetSafeHwnd()))
            m_dialog->DestroyWindow();
        m_dialog.reset();
    }

    ReviewFolders m_folders;
    ReviewStation m_station;
    std::unique_ptr<CDialog> m_dialog;
};

TEST_F(DialogInput, EveryControlOfEveryDialogTakesAClickAndEveryTabStopTheFocus)
{
    ASSERT_TRUE(m_station.Started());
    ASSERT_TRUE(tarlux::CReviewContext::GetInstance()->GetReader().IsLoaded());
    std::vector<testkit::DialogWalk> walks;
    for (const Row& row : Table())
        walks.push_back({row.name, row.open, row.close, row.notClicked, PickersOpenTheirPalette});
    // The central station's layout of the trend print dialog comes along with the shared code; its
    // own test walks it.
    testkit::WalkEveryDialog("review station", walks, {kCentralTrendPrintTemplate.dialogId});
}

} // namespace
