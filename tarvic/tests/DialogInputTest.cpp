// Every dialog of the central station used by mouse and keyboard: each opened as the station opens
// it, on a running station with a simulated monitor's bed, then every visible, enabled control
// clicked at its centre through the host's input path and Tab walked round every page
// (testkit/DialogInputWalk.h). The table holds every dialog template the program registers.
#include "support/StationFixture.h"

#include "tarvic/app/CAboutDlg.h"
#include "tarvic/dialogs/CAddPatientDlg.h"
#include "tarvic/dialogs/CAddUserDlg.h"
#include "tarvic/dialogs/CAdmitPatientDlg.h"
#include "tarvic/dialogs/CAlarmLimitDlg.h"
#include "tarvic/dialogs/CClientSettingDlg.h"
#include "tarvic/dialogs/CConfigurationDlg.h"
#include "tarvic/dialogs/CManagerListDlg.h"
#include "tarvic/dialogs/CPatientManagerDlg.h"
#include "tarvic/dialogs/CTrendVisibleDlg.h"
#include "tarvic/dialogs/CUserManagerDlg.h"
#include "tarvic/dialogs/CWaitMessageDlg.h"
#include "tarvic/res/BedDialogIds.h"
#include "tarvic/res/ConfigDialogIds.h"
#include "tarvic/res/TarvicResourceIds.h"
#include "tarvic/res/TrendDialogIds.h"
#include "tarvic/res/UserDialogIds.h"

#include "appcommon/CTrendPrintDlg.h"
#include "ktctrl/basic/KTColorPicker.h"
#include "nrdata/table/TBLUser.h"

#include "testkit/DialogInputWalk.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace stationtest;

namespace {

// The colour pickers open their palette; every other control shows by its kind that it took
// the click.
testkit::Takes PickersOpenTheirPalette(HWND control)
{
    return dynamic_cast<KTColorPicker*>(CWnd::FromHandlePermanent(control)) ? testkit::Takes::Popup
                                                                            : testkit::Takes::Auto;
}

class DialogInput : public StationTest
{
protected:
    // A row of the table: how the station opens the dialog (modeless here, on the view) and the
    // controls that are by design not clicked.
    struct Row
    {
        const char* name;
        std::function<std::unique_ptr<CDialog>()> make;
        std::vector<testkit::NotClicked> notClicked{};
    };

    // A `Dialog` made from `args`, prepared, created on the view from its template and shown.
    template <class Dialog, class... Args>
    std::unique_ptr<CDialog> Shown(UINT templateId, std::function<void(Dialog&)> prepare, Args&&... args)
    {
        auto dialog = std::make_unique<Dialog>(std::forward<Args>(args)...);
        if (prepare)
            prepare(*dialog);
        if (!dialog->Create(templateId, view))
            return nullptr;
        dialog->ShowWindow(SW_SHOW);
        return dialog;
    }

    // `bed` has no patient, `admitted` has one.
    std::vector<Row> Table(NyraClientInfo* bed, NyraClientInfo* admitted)
    {
        using namespace tarvic;
        return {
            {"admission",
             [=, this] {
                 return Shown<bed::CAdmitPatientDlg>(bed::IDD_ADMIT_PATIENT, {}, bed, &Manager(), view);
             }},
            {"admission of an admitted bed",
             [=, this] {
                 return Shown<bed::CAdmitPatientDlg>(bed::IDD_ADMIT_PATIENT, {}, admitted, &Manager(), view);
             }},
            {"wait box",
             [this]() -> std::unique_ptr<CDialog> {
                 auto box = std::make_unique<bed::CWaitMessageDlg>(view);
                 if (!box->Open(view, "Applying changes..."))
                     return nullptr;
                 return box;
             }},
            {"bed settings",
             [=, this] {
                 return Shown<bed::CClientSettingDlg>(bed::IDD_CLIENT_SETTING, {}, bed, view,
                                                      bed::ClientGone{});
             }},
            {"bed settings of an admitted bed",
             [=, this] {
                 return Shown<bed::CClientSettingDlg>(bed::IDD_CLIENT_SETTING, {}, admitted, view,
                                                      bed::ClientGone{});
             }},
            {"alarm limit",
             [this] {
                 return Shown<bed::CAlarmLimitDlg>(
                     bed::IDD_ALARM_LIMIT,
                     [](bed::CAlarmLimitDlg& d) { d.SetLimitInfo(0, 110, 160, 30, 240, 0, 0); }, view);
             }},
            {"configuration",
             [this] {
                 return Shown<config::CConfigurationDlg>(
                     config::IDD_CONFIGURATION, [this](config::CConfigurationDlg& d) { d.SetView(view); },
                     view, [](CWnd& page) { records::OpenUserManager(&page); });
             }},
            {"about", [this] { return Shown<CAboutDlg>(IDD_ABOUTBOX, {}); }},
            {"trend visibility",
             [=, this] {
                 return Shown<bed::CTrendVisibleDlg>(
                     trend::IDD_TREND_VISIBLE, [=](bed::CTrendVisibleDlg& d) { d.SetClientInfo(bed); }, view,
                     bed::CTrendVisibleDlg::ClientGone{});
             }},
            {"trend print",
             [=, this] {
                 const int minutes = int((bed->GetCountsOfTrendData() + 59) / 60);
                 return Shown<CTrendPrintDlg>(
                     kCentralTrendPrintTemplate.dialogId,
                     [=](CTrendPrintDlg& d) { d.SetPrintInfo(1, 1, 1, 3, 0, minutes, 0, minutes); },
                     kCentralTrendPrintTemplate, view);
             }},
            {"patient manager",
             [this] {
                 return Shown<records::CPatientManagerDlg>(
                     records::IDD_PATIENT_MANAGER,
                     [this](records::CPatientManagerDlg& d) { d.SetClientManager(&Manager()); }, view);
             }},
            {"add patient",
             [=, this] { return Shown<records::CAddPatientDlg>(records::IDD_ADD_PATIENT, {}, view); }},
            {"add user", [=, this] { return Shown<records::CAddUserDlg>(records::IDD_ADD_USER, {}, view); }},
            {"user manager",
             [=, this] { return Shown<records::CUserManagerDlg>(records::IDD_USER_MANAGER, {}, view); }},
            {"user list",
             [=, this] { return Shown<records::CManagerListDlg>(records::IDD_MANAGER_LIST, {}, view); }},
        };
    }

    std::unique_ptr<CDialog> m_dialog;
};

TEST_F(DialogInput, EveryControlOfEveryDialogTakesAClickAndEveryTabStopTheFocus)
{
    StartStation();
    // Lists full of patients and users, so that a click in a list chooses a row (and enables
    // what works on it).
    for (int i = 1; i <= 30; ++i) {
        TBLPatient patient(&g_Database);
        patient.P_ID = FormatString("P-%04d", i);
        patient.P_FIRST_NAME = "ANNA";
        patient.P_LAST_NAME = "BERG";
        patient.P_REG_DATE = COleDateTime::GetCurrentTime();
        patient.P_EDIT_DATE = patient.P_REG_DATE;
        patient.P_BIRTHDAY = patient.P_LMP = patient.P_EDC = COleDateTime(1000, 1, 1, 0, 0, 0);
        patient.P_GR = patient.P_PA = -1;
        ASSERT_EQ(patient.Add(), 1);
        TBLUser user(&g_Database);
        user.M_ID = FormatString("U-%02d", i);
        user.M_NAME = "KIM";
        user.M_PASSWORD = "pw";
        user.M_LEVEL = i % 3;
        user.M_REG_DATE = user.M_EDIT_DATE = patient.P_REG_DATE;
        ASSERT_EQ(user.Add(), 1);
    }
    NyraClientInfo* bed = ConnectMonitor("127.0.0.2");
    ASSERT_NE(bed, nullptr);
    MonitorSim* sim = nullptr;
    NyraClientInfo* admitted = ConnectMonitor("127.0.0.3", &sim);
    ASSERT_NE(admitted, nullptr);
    AdmitPatient(admitted, *sim, "P-0001");

    std::vector<testkit::DialogWalk> walks;
    for (const Row& row : Table(bed, admitted))
        walks.push_back({row.name,
                         [this, make = row.make] {
                             m_dialog = make();
                             return m_dialog ? m_dialog->GetSafeHwnd() : HWND{};
                         },
                         [this] {
                             if (m_dialog && ::IsWindow(m_dialog->GetSafeHwnd()))
                                 m_dialog->DestroyWindow();
                             m_dialog.reset();
                         },
                         row.notClicked, PickersOpenTheirPalette});
    // The review station's layout of the trend print dialog comes along with the shared code; its
    // own test walks it.
    testkit::WalkEveryDialog("central station", walks, {kReviewTrendPrintTemplate.dialogId});
}

} // namespace
