// Patients and users: adding, editing, searching and deleting them through the station's record
// dialogs, with quotes and hostile texts in ids and names, heights and weights in inches and
// pounds, dates left empty, deletes that take studies and recordings along (but never a
// patient admitted on a bed), and a database that refuses a delete. Also the dialogs' pictures.
#include "support/StationFixture.h"

#include "tarvic/dialogs/BedDialogControls.h"
#include "tarvic/dialogs/CAddPatientDlg.h"
#include "tarvic/dialogs/CAddUserDlg.h"
#include "tarvic/dialogs/CClientPatientPage.h"
#include "tarvic/dialogs/CManagerListDlg.h"
#include "tarvic/dialogs/CPatientManagerDlg.h"
#include "tarvic/dialogs/CUserManagerDlg.h"
#include "tarvic/dialogs/UserLists.h"
#include "tarvic/dialogs/UserPickers.h"
#include "tarvic/res/TarvicResourceIds.h"
#include "tarvic/res/UserDialogIds.h"

#include "nrdata/record/RecordFilePath.h"
#include "nrdata/table/TBLUser.h"

#include "ktutil/KTGF.h"

#include "platform/host/null/NullHost.h"
#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/controls/DateTimeCtrl.h"
#include "platform/ui/controls/Edit.h"
#include "testkit/ControlParent.h"
#include "testkit/Golden.h"
#include "testkit/ModalDriver.h"
#include "testkit/Pump.h"
#include "testkit/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>

using namespace stationtest;
using namespace tarvic::records;
using platform::host::NullHost;

namespace {

const COleDateTime kNow(2026, 3, 20, 14, 30, 0);
const COleDateTime kNoDate(1000, 1, 1, 0, 0, 0);

class Records : public StationTest
{
protected:
    void SetUp() override
    {
        StartStation();
        tarvic::SetStationClock([] { return kNow; });
        boxes.Reset();
    }

    static void AddUser(const char* id, const char* name, long level)
    {
        TBLUser user(&g_Database);
        user.M_ID = id;
        user.M_NAME = name;
        user.M_PASSWORD = "pw";
        user.M_LEVEL = level;
        user.M_REG_DATE = COleDateTime(2026, 1, 2, 8, 0, 0);
        user.M_EDIT_DATE = user.M_REG_DATE;
        ASSERT_EQ(user.Add(), 1);
    }

    static void AddPatient(const char* id, const char* last, COleDateTime registered, const char* doctor = "",
                           double height = 170)
    {
        TBLPatient patient(&g_Database);
        patient.P_ID = id;
        patient.P_FIRST_NAME = "ANNA";
        patient.P_LAST_NAME = last;
        patient.P_REG_DATE = registered;
        patient.P_BIRTHDAY = kNoDate;
        patient.P_LMP = kNoDate;
        patient.P_EDC = kNoDate;
        patient.P_EDIT_DATE = registered;
        patient.P_GR = -1;
        patient.P_PA = -1;
        patient.P_HEIGHT = height;
        patient.P_WEIGHT = 60;
        patient.P_DOCTOR_ID = doctor;
        ASSERT_EQ(patient.Add(), 1);
    }

    static bool PatientExists(const char* id)
    {
        TBLPatient patient(&g_Database);
        patient.P_ID = id;
        return patient.Get() == 1;
    }

    static bool UserExists(const char* id)
    {
        TBLUser user(&g_Database);
        user.M_ID = id;
        return user.Get() == 1;
    }

    static int Rows(const char* table)
    {
        TBLPatient any(&g_Database);
        const int rows = any.CursorOpen(CString("SELECT * FROM ") + table, adOpenUnspecified, adLockUnspecified);
        any.CursorClose();
        return rows;
    }

    // A study of the patient with a recording file of each extension given.
    static CString AddStudy(const char* patientId, int minute, std::initializer_list<const char*> extensions)
    {
        TBLStudy study(&g_Database);
        study.S_ID = patientId;
        study.SetStartTime(COleDateTime(2026, 3, 1, 10, minute, 0), 1);
        study.S_EDIT_DATE = study.S_START_TIME;
        EXPECT_EQ(study.Add(), 1);
        for (const char* extension : extensions) {
            const CString path = RecordFile(patientId, study.S_STUDY_ID, extension);
            KTGF::CreateDir(nrdata::record::RecordsFolderOf(tarvic::DataFolder()));
            std::ofstream(path.GetString()) << "x";
        }
        return study.S_STUDY_ID;
    }

    static CString RecordFile(const char* patientId, const CString& studyId, const char* extension)
    {
        return nrdata::record::RecordFilePathOf(tarvic::DataFolder(), patientId, studyId, extension);
    }

    static bool StudyExists(const char* patientId, const CString& studyId)
    {
        TBLStudy study;
        return ReadStudy(patientId, studyId, study);
    }

    template <class Dialog>
    std::unique_ptr<Dialog> Open(UINT templateId, std::function<void(Dialog&)> prepare = {})
    {
        auto dialog = std::make_unique<Dialog>(view);
        if (prepare)
            prepare(*dialog);
        EXPECT_TRUE(dialog->Create(templateId, view));
        return dialog;
    }

    static CString Text(CWnd& dialog, int id)
    {
        CString text;
        dialog.GetDlgItemText(id, text);
        return text;
    }

    static std::set<std::string> Ids(CListCtrl& list)
    {
        std::set<std::string> ids;
        for (int i = 0; i < list.GetItemCount(); ++i)
            ids.insert(list.GetItemText(i, 0).GetString());
        return ids;
    }

    static void Select(CListCtrl& list, std::initializer_list<int> rows, int focused)
    {
        list.SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        for (int row : rows)
            list.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
        list.SetItemState(focused, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }

    static int RowOf(CListCtrl& list, const char* id)
    {
        for (int i = 0; i < list.GetItemCount(); ++i)
            if (list.GetItemText(i, 0) == id)
                return i;
        return -1;
    }

    static bool Enabled(CWnd& dialog, int id) { return dialog.GetDlgItem(id)->IsWindowEnabled() != FALSE; }

    // Presses the picker button `id` of `dialog`; in the user list that opens, clicks the row of
    // `userId`, then OK.
    void PickUser(CWnd& dialog, int id, const char* userId)
    {
        CRect rect;
        dialog.GetDlgItem(id)->GetWindowRect(&rect);
        const CPoint at = rect.CenterPoint();
        NullHost::MoveMouse(at.x, at.y);
        NullHost::MouseDown(at.x, at.y);
        testkit::Pump();
        bool picked = false;
        // A timer comes only when no input waits: the release below opens the list first.
        testkit::RecordingWnd driver;
        driver.CreateTop(CRect(0, 0, 10, 10), WS_POPUP);
        driver.onMessage = [&](UINT message, WPARAM, LPARAM, LRESULT&) {
            auto* users = dynamic_cast<CManagerListDlg*>(CWnd::FromHandlePermanent(::GetActiveWindow()));
            if (message != WM_TIMER || users == nullptr || picked)
                return false;
            picked = true;
            CListCtrl& list = users->List();
            CRect row;
            EXPECT_TRUE(list.GetItemRect(RowOf(list, userId), &row, LVIR_BOUNDS)) << userId;
            testkit::ClickPumped(testkit::ScreenPoint(list.GetSafeHwnd(), row.left + 10, row.CenterPoint().y));
            ClickControl(*users, IDOK);
            return true;
        };
        driver.SetTimer(1, 1, nullptr);
        // The release clicks the button, whose list runs modally until the timer has picked.
        NullHost::MouseUp(at.x, at.y);
        testkit::Pump();
        driver.DestroyWindow();
        EXPECT_TRUE(picked) << userId;
    }

    // A press and release at the middle of the dialog's control.
    static void ClickControl(CWnd& dialog, int id)
    {
        CRect rect;
        dialog.GetDlgItem(id)->GetWindowRect(&rect);
        testkit::ClickPumped(rect.CenterPoint());
    }

    testkit::ScriptedDialogs boxes;
};

// ---- users ------------------------------------------------------------------------------------------

TEST_F(Records, UsersAreAddedRefusedWhenDuplicatedAndEdited)
{
    auto add = Open<CAddUserDlg>(IDD_ADD_USER);
    EXPECT_EQ(Text(*add, IDC_REG_DATE), "2026-03-20");
    add->SetDlgItemText(IDC_ID, "  D-01 ");
    add->SetDlgItemText(IDC_USER_NAME, "O'NEIL");
    add->SetDlgItemText(IDC_PASSWORD, "Secret");
    add->SetDlgItemText(IDC_REPEAT_PASSWORD, "secret");
    tarvic::bed::SelectListValue(*add, IDC_LEVEL, kLevelDoctor);
    boxes.AnswerBoxes({IDYES});
    add->OnOK();
    EXPECT_EQ(boxes.BoxTexts(), (std::vector<std::string>{"Do you want to add this user?", "Incorrect password!"}));
    add->SetDlgItemText(IDC_REPEAT_PASSWORD, "Secret");
    boxes.AnswerBoxes({IDYES});
    add->OnOK();
    EXPECT_EQ(boxes.BoxTexts().size(), 1u);
    TBLUser stored(&g_Database);
    stored.M_ID = "D-01"; // trimmed
    ASSERT_EQ(stored.Get(), 1);
    EXPECT_EQ(stored.M_NAME, "O'NEIL");
    EXPECT_EQ(stored.M_LEVEL, kLevelDoctor);
    EXPECT_EQ(stored.M_REG_DATE, kNow);
    add->DestroyWindow();

    // The same id again, in other case: refused, nothing written.
    auto again = Open<CAddUserDlg>(IDD_ADD_USER);
    again->SetDlgItemText(IDC_ID, "d-01");
    again->SetDlgItemText(IDC_USER_NAME, "OTHER");
    boxes.AnswerBoxes({IDYES});
    again->OnOK();
    EXPECT_EQ(boxes.BoxTexts(),
              (std::vector<std::string>{"Do you want to add this user?",
                                        "The input Id is Duplicated.\nPlease, Input the unique ID."}));
    EXPECT_EQ(Rows("TBLUser"), 1);
    // Ids are held to the width of the doctor and nurse columns.
    EXPECT_EQ(again->SendDlgItemMessage(IDC_ID, EM_GETLIMITTEXT), LRESULT(kUserIdLimit));
    again->DestroyWindow();

    // Editing: the id is read-only, the registration date stays, the edit date is now; a level
    // list without a selection keeps the stored level.
    tarvic::SetStationClock([] { return COleDateTime(2026, 4, 1, 9, 0, 0); });
    auto edit = Open<CAddUserDlg>(IDD_ADD_USER, [](CAddUserDlg& d) { d.SetUserId("D-01"); });
    EXPECT_FALSE(edit->IsAddMode());
    EXPECT_EQ(Text(*edit, IDC_USER_NAME), "O'NEIL");
    EXPECT_NE(edit->GetDlgItem(IDC_ID)->GetStyle() & ES_READONLY, 0u);
    edit->SetDlgItemText(IDC_USER_NAME, "O'NEILL");
    edit->SendDlgItemMessage(IDC_LEVEL, CB_SETCURSEL, WPARAM(-1));
    boxes.AnswerBoxes({IDYES});
    edit->OnOK();
    EXPECT_EQ(boxes.BoxTexts(), (std::vector<std::string>{"Do you want to modify this user?"}));
    ASSERT_EQ(stored.Get(), 1);
    EXPECT_EQ(stored.M_NAME, "O'NEILL");
    EXPECT_EQ(stored.M_LEVEL, kLevelDoctor);
    EXPECT_EQ(stored.M_REG_DATE, kNow);
    EXPECT_EQ(stored.M_EDIT_DATE, COleDateTime(2026, 4, 1, 9, 0, 0));
    edit->DestroyWindow();
}

TEST_F(Records, UserManagerSearchesAndDeletesByTheWholeId)
{
    AddUser("X' OR '1'='1", "MALLORY", kLevelSystem);
    AddUser("D-01", "O'NEIL", kLevelDoctor);
    AddUser("N-01", "BERG", kLevelNurse);
    AddUser("N-02", "LIND", kLevelNurse);
    auto manager = Open<CUserManagerDlg>(IDD_USER_MANAGER);
    EXPECT_EQ(manager->List().GetItemCount(), 4);
    EXPECT_FALSE(Enabled(*manager, IDC_EDIT));

    struct Case
    {
        const char* id;
        const char* name;
        long level;
        std::set<std::string> found;
    } cases[] = {
        {"", "O'N", kLevelAll, {"D-01"}},
        {"n-", "", kLevelAll, {"N-01", "N-02"}},
        {"", "", kLevelNurse, {"N-01", "N-02"}},
        {"' OR", "", kLevelAll, {"X' OR '1'='1"}},
        {"N_0", "", kLevelAll, {"N-01", "N-02"}}, // the user's own wildcard
    };
    for (const Case& c : cases) {
        manager->SetDlgItemText(IDC_ID, c.id);
        manager->SetDlgItemText(IDC_USER_NAME, c.name);
        tarvic::bed::SelectListValue(*manager, IDC_LEVEL, c.level);
        manager->OnSearch();
        EXPECT_EQ(Ids(manager->List()), c.found) << c.id << " " << c.name;
    }

    manager->OnClear();
    manager->OnSearch();
    Select(manager->List(), {RowOf(manager->List(), "X' OR '1'='1")}, RowOf(manager->List(), "X' OR '1'='1"));
    EXPECT_TRUE(Enabled(*manager, IDC_DELETE));
    boxes.AnswerBoxes({IDYES});
    manager->OnDelete();
    EXPECT_EQ(boxes.BoxTexts(), (std::vector<std::string>{"Do you want to delete this user?"}));
    EXPECT_EQ(Rows("TBLUser"), 3);
    EXPECT_FALSE(UserExists("X' OR '1'='1"));
    EXPECT_EQ(manager->List().GetItemCount(), 3);

    // A database that refuses: the row and its list item stay, one box says so.
    ASSERT_TRUE(g_Database.ExecuteSQL(
        "CREATE TRIGGER keep_users BEFORE DELETE ON TBLUser BEGIN SELECT RAISE(ABORT, 'locked'); END"));
    Select(manager->List(), {0, 1}, 1);
    boxes.AnswerBoxes({IDYES});
    manager->OnDelete();
    EXPECT_EQ(boxes.BoxTexts(),
              (std::vector<std::string>{"Do you want to delete this user?", "Internal database error!!"}));
    EXPECT_EQ(manager->List().GetItemCount(), 3);
    ASSERT_TRUE(g_Database.ExecuteSQL("DROP TRIGGER keep_users"));

    // Deleting every row disables Edit and Delete.
    Select(manager->List(), {0, 1, 2}, 2);
    boxes.AnswerBoxes({IDYES});
    manager->OnDelete();
    EXPECT_EQ(manager->List().GetItemCount(), 0);
    EXPECT_EQ(Rows("TBLUser"), 0);
    EXPECT_FALSE(Enabled(*manager, IDC_EDIT));
    EXPECT_FALSE(Enabled(*manager, IDC_DELETE));
    manager->DestroyWindow();
}

TEST_F(Records, TheUserListPicksADoctorOrANurse)
{
    AddUser("D-01", "KIM", kLevelDoctor);
    AddUser("N-01", "BERG", kLevelNurse);
    auto nurses = Open<CManagerListDlg>(IDD_MANAGER_LIST, [](CManagerListDlg& d) { d.SetDoctorMode(FALSE); });
    EXPECT_EQ(Ids(nurses->List()), (std::set<std::string>{"N-01"}));
    nurses->OnOK();
    EXPECT_EQ(boxes.BoxTexts(), (std::vector<std::string>{"Select Nurse and Press OK"}));
    Select(nurses->List(), {0}, 0);
    nurses->OnOK();
    EXPECT_EQ(nurses->GetNurseId(), "N-01");
    nurses->DestroyWindow();

    auto doctors = Open<CManagerListDlg>(IDD_MANAGER_LIST);
    EXPECT_EQ(Ids(doctors->List()), (std::set<std::string>{"D-01"}));
    EXPECT_EQ(doctors->List().GetItemText(0, 3), "Doctor");
    doctors->DestroyWindow();
}

// The pickers answer the chosen user's id as stored, brackets and all, to the add patient
// dialog and to a bed's patient page.
TEST_F(Records, DoctorAndNursePickersKeepAnIdThatHoldsBrackets)
{
    AddUser("D(2)", "KIM", kLevelDoctor);
    AddUser("N(1))", "BERG", kLevelNurse);

    auto add = Open<CAddPatientDlg>(IDD_ADD_PATIENT);
    add->ShowWindow(SW_SHOW);
    add->SetDlgItemText(IDC_ID, "P-9");
    add->SetDlgItemText(IDC_LAST_NAME, "LIND");
    PickUser(*add, IDC_DOCTOR, "D(2)");
    EXPECT_EQ(Text(*add, IDC_DOCTOR), CString("KIM(D(2))"));
    boxes.AnswerBoxes({IDYES});
    ClickControl(*add, IDOK);
    EXPECT_EQ(boxes.BoxTexts(), (std::vector<std::string>{"Do you want to add this patient?"}));
    TBLPatient stored(&g_Database);
    stored.P_ID = "P-9";
    ASSERT_EQ(stored.Get(), 1);
    EXPECT_EQ(stored.P_DOCTOR_ID, CString("D(2)"));
    if (::IsWindow(add->GetSafeHwnd()))
        add->DestroyWindow();

    MonitorSim* sim = nullptr;
    NyraClientInfo* bed = ConnectMonitor("127.0.0.2", &sim);
    ASSERT_NE(bed, nullptr);
    tarvic::bed::CClientPatientPage page(bed);
    ASSERT_TRUE(page.Create(view));
    // Over the bed's tile, as it stands in its sheet.
    page.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    PickUser(page, tarvic::bed::CClientPatientPage::IDC_DOCTOR, "D(2)");
    PickUser(page, tarvic::bed::CClientPatientPage::IDC_NURSE, "N(1))");
    EXPECT_EQ(bed->m_strDoctorID, CString("D(2)"));
    EXPECT_EQ(bed->m_strNurseID, CString("N(1))"));
    EXPECT_EQ(Text(page, tarvic::bed::CClientPatientPage::IDC_DOCTOR), CString("KIM(D(2))"));
    EXPECT_EQ(Text(page, tarvic::bed::CClientPatientPage::IDC_NURSE), CString("BERG(N(1)))"));
    page.DestroyWindow();
}

// ---- patients ---------------------------------------------------------------------------------------

TEST_F(Records, ANewPatientNeedsAnUnusedIdAndAName)
{
    AddPatient("P-1", "BERG", kNow);
    auto add = Open<CAddPatientDlg>(IDD_ADD_PATIENT);
    add->SetDlgItemText(IDC_FIRST_NAME, "EVA");
    add->SetDlgItemText(IDC_ID, "   ");
    boxes.AnswerBoxes({IDYES});
    add->OnOK();
    EXPECT_EQ(boxes.BoxTexts(), (std::vector<std::string>{"Do you want to add this patient?", "Please, Input  ID."}));
    EXPECT_EQ(::GetFocus(), add->GetDlgItem(IDC_ID)->GetSafeHwnd());

    add->SetDlgItemText(IDC_ID, "P-1");
    boxes.AnswerBoxes({IDYES});
    add->OnOK();
    const auto shown = boxes.Boxes();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].text, "The input Id is Duplicated.\nPlease, Input the unique ID.");
    EXPECT_EQ(shown[1].Icon(), UINT(MB_ICONSTOP));
    EXPECT_EQ(Rows("TBLPatient"), 1);

    // No on the question writes nothing; then the new patient is stored with GR and PA unset.
    add->SetDlgItemText(IDC_ID, "P-2");
    boxes.AnswerBoxes({IDNO});
    add->OnOK();
    EXPECT_EQ(Rows("TBLPatient"), 1);
    boxes.AnswerBoxes({IDYES});
    add->OnOK();
    TBLPatient stored(&g_Database);
    stored.P_ID = "P-2";
    ASSERT_EQ(stored.Get(), 1);
    EXPECT_EQ(stored.P_GR, -1);
    EXPECT_EQ(stored.P_REG_DATE, kNow);
    EXPECT_EQ(stored.P_EDIT_DATE, kNow);
    add->DestroyWindow();

    // Lower case typed into a name turns upper case when the focus leaves it.
    auto next = Open<CAddPatientDlg>(IDD_ADD_PATIENT);
    next->SetDlgItemText(IDC_LAST_NAME, "lind");
    next->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_LAST_NAME, EN_KILLFOCUS), LPARAM(next->GetDlgItem(IDC_LAST_NAME)->GetSafeHwnd()));
    EXPECT_EQ(Text(*next, IDC_LAST_NAME), "LIND");
    next->DestroyWindow();
}

TEST_F(Records, HeightAndWeightInInchesAndPounds)
{
    g_Config.HeightUnit = 2;
    g_Config.WeightUnit = 2;
    AddPatient("P-1", "BERG", kNow);
    auto edit = Open<CAddPatientDlg>(IDD_ADD_PATIENT, [](CAddPatientDlg& d) { d.SetPatientId("P-1"); });
    EXPECT_EQ(Text(*edit, IDC_HEIGHT), "66.9");
    EXPECT_EQ(Text(*edit, IDC_WEIGHT), "132.3");
    EXPECT_EQ(Text(*edit, IDC_HEIGHT_UNIT), "inch");
    EXPECT_EQ(Text(*edit, IDC_WEIGHT_UNIT), "lbs");
    // Untouched fields keep the stored metric values exactly.
    boxes.AnswerBoxes({IDYES});
    edit->OnOK();
    TBLPatient stored(&g_Database);
    stored.P_ID = "P-1";
    ASSERT_EQ(stored.Get(), 1);
    EXPECT_DOUBLE_EQ(stored.P_HEIGHT, 170.0);
    EXPECT_DOUBLE_EQ(stored.P_WEIGHT, 60.0);
    edit->DestroyWindow();

    // Typed values go in as centimetres and kilograms.
    struct Case
    {
        int unit;
        const char* typed;
        double height;
        double weight;
    } cases[] = {
        {2, "66.9", 169.926, 66.9 * 0.453583},
        {1, "66.9", 66.9, 66.9},
        {2, "", 0.0, 0.0},
    };
    int next = 0;
    for (const Case& c : cases) {
        g_Config.HeightUnit = c.unit;
        g_Config.WeightUnit = c.unit;
        const CString id = FormatString("N-%d", ++next);
        auto add = Open<CAddPatientDlg>(IDD_ADD_PATIENT);
        add->SetDlgItemText(IDC_ID, id);
        add->SetDlgItemText(IDC_LAST_NAME, "BERG");
        add->SetDlgItemText(IDC_HEIGHT, c.typed);
        add->SetDlgItemText(IDC_WEIGHT, c.typed);
        boxes.AnswerBoxes({IDYES});
        add->OnOK();
        stored.P_ID = id;
        ASSERT_EQ(stored.Get(), 1);
        EXPECT_NEAR(stored.P_HEIGHT, c.height, 1e-9) << c.unit << " " << c.typed;
        EXPECT_NEAR(stored.P_WEIGHT, c.weight, 1e-9) << c.unit << " " << c.typed;
        add->DestroyWindow();
    }
}

TEST_F(Records, DatesLeftEmptyComeBackEmptyAndTheDoctorIsChosen)
{
    AddUser("D-01", "KIM", kLevelDoctor);
    tarvic::bed::SetUserPickers([](CWnd*, const CString&) -> std::optional<CString> { return CString("D-01"); }, {});
    auto add = Open<CAddPatientDlg>(IDD_ADD_PATIENT);
    add->SetDlgItemText(IDC_ID, "P-9");
    add->SetDlgItemText(IDC_LAST_NAME, "BERG");
    add->OnSelectDoctor();
    EXPECT_EQ(Text(*add, IDC_DOCTOR), "KIM(D-01)");
    boxes.AnswerBoxes({IDYES});
    add->OnOK();
    add->DestroyWindow();
    tarvic::bed::SetUserPickers({}, {});

    TBLPatient stored(&g_Database);
    stored.P_ID = "P-9";
    ASSERT_EQ(stored.Get(), 1);
    EXPECT_EQ(stored.P_DOCTOR_ID, "D-01");
    for (const COleDateTime& date : {stored.P_BIRTHDAY, stored.P_LMP, stored.P_EDC})
        EXPECT_EQ(date, kNoDate);

    auto edit = Open<CAddPatientDlg>(IDD_ADD_PATIENT, [](CAddPatientDlg& d) { d.SetPatientId("P-9"); });
    EXPECT_EQ(Text(*edit, IDC_DOCTOR), "KIM(D-01)");
    for (int id : {IDC_BIRTHDAY, IDC_LMP, IDC_EDC}) {
        SYSTEMTIME shown{};
        EXPECT_EQ(edit->SendDlgItemMessage(id, DTM_GETSYSTEMTIME, 0, LPARAM(&shown)), GDT_NONE) << id;
    }
    EXPECT_EQ(Text(*edit, IDC_REG_DATE), "2026-03-20");
    edit->DestroyWindow();
}

// ---- the patient manager ----------------------------------------------------------------------------

TEST_F(Records, PatientManagerSearches)
{
    AddUser("D-01", "KIM", kLevelDoctor);
    AddPatient("P-120", "O'HARA", COleDateTime(2026, 3, 10, 23, 59, 0), "D-01");
    AddPatient("P-312", "BERG", COleDateTime(2026, 3, 11, 0, 0, 0), "", 150);
    AddPatient("Q-7", "LIND", COleDateTime(2026, 3, 1, 8, 0, 0), "", 45.5);
    auto manager = Open<CPatientManagerDlg>(IDD_PATIENT_MANAGER);
    // It opens on every patient although "1 Week" is set on the way.
    EXPECT_EQ(manager->List().GetItemCount(), 3);
    EXPECT_EQ(manager->List().GetItemText(RowOf(manager->List(), "P-120"), 5), "KIM(D-01)");

    const COleDateTime march10(2026, 3, 10, 9, 0, 0);
    const COleDateTime march11(2026, 3, 11, 9, 0, 0);
    COleDateTime none;
    none.SetStatus(COleDateTime::null);
    struct Case
    {
        const char* id;
        const char* last;
        COleDateTime from;
        COleDateTime to;
        std::set<std::string> found;
    } cases[] = {
        {"12", "", none, none, {"P-120", "P-312"}},
        {"", "o'h", none, none, {"P-120"}},
        {"' OR '1'='1", "", none, none, {}},
        {"", "", none, march10, {"P-120", "Q-7"}},
        {"", "", march11, none, {"P-312"}},
        {"", "", march10, march11, {"P-120", "P-312"}},
        {"P_", "", none, none, {"P-120", "P-312"}},
    };
    for (const Case& c : cases) {
        manager->SetDlgItemText(IDC_ID, c.id);
        manager->SetDlgItemText(IDC_LAST_NAME, c.last);
        manager->DateFrom().SetTime(c.from);
        manager->DateTo().SetTime(c.to);
        manager->OnSearch();
        EXPECT_EQ(Ids(manager->List()), c.found) << c.id << " " << c.last;
    }

    // Every click flips the direction, whichever column it sorts.
    manager->OnClear();
    manager->OnSearch();
    manager->SortByColumn(0);
    EXPECT_EQ(manager->List().GetItemText(0, 0), "P-120");
    manager->SortByColumn(1);
    EXPECT_EQ(manager->List().GetItemText(0, 1), "O'HARA ANNA");
    // Heights sort as numbers ("45.5 cm" before "150.0 cm").
    manager->SortByColumn(9);
    EXPECT_EQ(manager->List().GetItemText(0, 9), "45.5 cm");
    EXPECT_EQ(manager->List().GetItemText(1, 9), "150.0 cm");

    // Edit opens the selected patient; after OK the same position is selected again.
    CString opened;
    manager->openRecord = [&](CWnd*, const CString& id) {
        opened = id;
        return INT_PTR(IDOK);
    };
    Select(manager->List(), {1}, 1);
    const CString second = manager->List().GetItemText(1, 0);
    manager->OnEdit();
    EXPECT_EQ(opened, second);
    EXPECT_EQ(manager->List().GetItemState(1, LVIS_SELECTED | LVIS_FOCUSED), UINT(LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_EQ(manager->List().GetSelectedCount(), 1u);
    EXPECT_TRUE(Enabled(*manager, IDC_EDIT));
    manager->DestroyWindow();
}

TEST_F(Records, DeletingPatientsTakesTheirStudiesAndRecordings)
{
    AddPatient("P-1", "BERG", kNow);
    AddPatient("P-2", "LIND", kNow);
    AddPatient("P-3", "HOLM", kNow);
    const CString study1 = AddStudy("P-1", 0, {nrdata::record::kCommittedExtension});
    const CString study2 = AddStudy("P-2", 1, {nrdata::record::kCommittedExtension});
    const CString running = AddStudy("P-2", 2, {nrdata::record::kWorkingExtension});
    const CString kept = AddStudy("P-3", 3, {nrdata::record::kCommittedExtension});
    auto manager = Open<CPatientManagerDlg>(IDD_PATIENT_MANAGER, [&](CPatientManagerDlg& d) {
        d.SetClientManager(&Manager());
    });
    manager->SortByColumn(0);
    Select(manager->List(), {0, 1}, 1);
    boxes.AnswerBoxes({IDYES});
    manager->OnDelete();
    EXPECT_EQ(boxes.BoxTexts(), (std::vector<std::string>{"Do you want to delete this patient?"}));
    EXPECT_FALSE(PatientExists("P-1"));
    EXPECT_FALSE(PatientExists("P-2"));
    EXPECT_FALSE(StudyExists("P-1", study1));
    EXPECT_FALSE(StudyExists("P-2", running));
    EXPECT_FALSE(KTGF::IsFile(RecordFile("P-1", study1, nrdata::record::kCommittedExtension)));
    EXPECT_FALSE(KTGF::IsFile(RecordFile("P-2", study2, nrdata::record::kCommittedExtension)));
    EXPECT_TRUE(KTGF::IsFile(RecordFile("P-2", running, nrdata::record::kWorkingExtension)));
    EXPECT_TRUE(StudyExists("P-3", kept));
    EXPECT_TRUE(KTGF::IsFile(RecordFile("P-3", kept, nrdata::record::kCommittedExtension)));
    // The nearest remaining row is selected.
    ASSERT_EQ(manager->List().GetItemCount(), 1);
    EXPECT_EQ(manager->List().GetItemState(0, LVIS_SELECTED | LVIS_FOCUSED), UINT(LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_TRUE(Enabled(*manager, IDC_DELETE));
    manager->DestroyWindow();
}

TEST_F(Records, DeletingAPatientTakesItsRecordingsFromTheDataFolderInUseAfterADataPathChange)
{
    AddPatient("P-1", "BERG", kNow);
    const CString study = AddStudy("P-1", 0, {nrdata::record::kCommittedExtension});
    const CString recording = RecordFile("P-1", study, nrdata::record::kCommittedExtension);
    ASSERT_TRUE(KTGF::IsFile(recording));
    // A new data folder saved in the settings takes effect at the next start.
    folder.MakeDir("NewData");
    g_Config.DataPath = (folder / "NewData").c_str();
    ASSERT_NE(tarvic::DataFolder(), g_Config.DataPath);

    // The nurse opens the patient manager, picks the row and deletes it.
    boxes.AnswerBoxes({IDYES});
    testkit::ModalDriver driver;
    driver.Start([&](int) {
        auto* manager = dynamic_cast<CPatientManagerDlg*>(CWnd::FromHandlePermanent(::GetActiveWindow()));
        if (manager == nullptr)
            return true;
        CListCtrl& list = manager->List();
        CRect row;
        EXPECT_TRUE(list.GetItemRect(RowOf(list, "P-1"), &row, LVIR_BOUNDS));
        testkit::ClickPumped(testkit::ScreenPoint(list.GetSafeHwnd(), row.left + 10, row.CenterPoint().y));
        ClickControl(*manager, IDC_DELETE);
        ClickControl(*manager, IDCANCEL);
        return false;
    });
    frame->SendMessage(WM_COMMAND, tarvic::ID_PATIENT_MANAGER); // the toolbar button's command
    driver.Stop();

    EXPECT_EQ(boxes.BoxTexts(), (std::vector<std::string>{"Do you want to delete this patient?"}));
    EXPECT_FALSE(PatientExists("P-1"));
    EXPECT_FALSE(StudyExists("P-1", study));
    EXPECT_FALSE(KTGF::IsFile(recording)) << "the recording went with its study row";
}

TEST_F(Records, APatientOnABedIsNeverDeleted)
{
    MonitorSim* sim = nullptr;
    NyraClientInfo* bed = ConnectMonitor("127.0.0.2", &sim);
    ASSERT_NE(bed, nullptr);
    AddPatient("P-1", "BERG", kNow);
    AddPatient("P-2", "LIND", kNow);
    AddPatient("P-3", "HOLM", kNow);
    AdmitPatient(bed, *sim, "P-2");
    boxes.Reset();
    auto manager = Open<CPatientManagerDlg>(IDD_PATIENT_MANAGER, [&](CPatientManagerDlg& d) {
        d.SetClientManager(&Manager());
    });
    manager->SortByColumn(0);
    Select(manager->List(), {0, 1, 2}, 0);
    manager->OnDelete();
    const auto shown = boxes.Boxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Cannot Delete! Current User (Patient ID: P-2) is being Used");
    EXPECT_EQ(shown[0].Icon(), UINT(MB_ICONSTOP));
    EXPECT_EQ(Rows("TBLPatient"), 3);
    EXPECT_EQ(manager->List().GetItemCount(), 3);
    manager->DestroyWindow();
}

TEST_F(Records, APatientRowTheDatabaseKeepsKeepsItsStudiesAndListItem)
{
    AddPatient("P-1", "BERG", kNow);
    AddPatient("P-2", "LIND", kNow);
    const CString study = AddStudy("P-2", 0, {nrdata::record::kCommittedExtension});
    ASSERT_TRUE(g_Database.ExecuteSQL("CREATE TRIGGER keep_p2 BEFORE DELETE ON TBLPatient WHEN OLD.P_ID='P-2' "
                                      "BEGIN SELECT RAISE(ABORT, 'locked'); END"));
    auto manager = Open<CPatientManagerDlg>(IDD_PATIENT_MANAGER, [&](CPatientManagerDlg& d) {
        d.SetClientManager(&Manager());
    });
    manager->SortByColumn(0);
    Select(manager->List(), {0, 1}, 0);
    boxes.AnswerBoxes({IDYES});
    manager->OnDelete();
    EXPECT_EQ(boxes.BoxTexts(),
              (std::vector<std::string>{"Do you want to delete this patient?", "Internal database error!!"}));
    EXPECT_FALSE(PatientExists("P-1"));
    EXPECT_TRUE(PatientExists("P-2"));
    EXPECT_TRUE(StudyExists("P-2", study));
    EXPECT_TRUE(KTGF::IsFile(RecordFile("P-2", study, nrdata::record::kCommittedExtension)));
    EXPECT_EQ(Ids(manager->List()), (std::set<std::string>{"P-2"}));
    manager->DestroyWindow();
}

// The record dialogs as a nurse sees them, saved for review.
TEST_F(Records, PicturesOfTheRecordDialogs)
{
    AddUser("D-01", "KIM", kLevelDoctor);
    AddUser("N-01", "BERG", kLevelNurse);
    AddPatient("P-0001", "BERG", COleDateTime(2026, 3, 10, 9, 0, 0), "D-01");
    AddPatient("P-0002", "LIND", COleDateTime(2026, 3, 12, 9, 0, 0));
    auto capture = [](CDialog& dialog, const char* name) {
        dialog.ShowWindow(SW_SHOW);
        testkit::Pump();
        const platform::Image picture = testkit::Capture(dialog.GetSafeHwnd());
        testkit::SaveForReview(picture, name);
        dialog.DestroyWindow();
        return picture;
    };
    capture(*Open<CPatientManagerDlg>(IDD_PATIENT_MANAGER), "tarvic_patient_manager");
    const platform::Image patient =
        capture(*Open<CAddPatientDlg>(IDD_ADD_PATIENT, [](CAddPatientDlg& d) { d.SetPatientId("P-0001"); }),
                "tarvic_add_patient");
    testkit::ExpectMatchesGolden(patient, "tarvic/tests/golden/AddPatient.png", {48, 0.01});
    capture(*Open<CUserManagerDlg>(IDD_USER_MANAGER), "tarvic_user_manager");
    capture(*Open<CAddUserDlg>(IDD_ADD_USER, [](CAddUserDlg& d) { d.SetUserId("D-01"); }), "tarvic_add_user");
    capture(*Open<CManagerListDlg>(IDD_MANAGER_LIST), "tarvic_user_list");
}

} // namespace
