// TBLBase: the condition clause, the cursor without a connection or with a failing query, and
// the text fit that FieldCheck uses.
#include "nrdata/list/TextFit.h"
#include "nrdata/table/TBLPatient.h"
#include "support/StationDatabase.h"

#include <string>

namespace {

using nrdata_test::StationDatabase;

TEST(TableConditions, JoinWithAndBehindWhereOrHaving)
{
    TBLBase table;
    EXPECT_EQ(table.GetConditionString(0), "");
    EXPECT_EQ(table.GetConditionString(1), "");
    table.AddCondition("P_ID='a'");
    EXPECT_EQ(table.GetConditionString(0), "WHERE P_ID='a'");
    table.AddCondition("P_GR=1");
    EXPECT_EQ(table.GetConditionString(0), "WHERE P_ID='a' AND P_GR=1");
    EXPECT_EQ(table.GetConditionString(1), "HAVING P_ID='a' AND P_GR=1");
    table.ClearCondition();
    EXPECT_EQ(table.GetConditionString(0), "");
}

TEST(TableCursor, WithoutAConnectionEveryOperationFailsQuietly)
{
    testkit::ScriptedDialogs dialogs;
    TBLPatient patient;
    EXPECT_EQ(patient.IsConnected(), 0);
    EXPECT_EQ(patient.CursorOpenEx(nullptr), -1);
    EXPECT_EQ(patient.CursorCount(), -1);
    EXPECT_EQ(patient.CursorMove(), 0);
    patient.CursorClose();
    patient.P_ID = "p1";
    EXPECT_EQ(patient.Get(), 0);
    EXPECT_EQ(patient.Add(), 0);
    EXPECT_EQ(patient.Update(), 0);
    EXPECT_EQ(patient.Delete(), 0);
    EXPECT_EQ(patient.CursorGet(), 0);
    EXPECT_EQ(TBLPatient::GetUniqueId(nullptr), "");
    EXPECT_TRUE(dialogs.Boxes().empty());
}

using TableCursorOnDatabase = StationDatabase;

TEST_F(TableCursorOnDatabase, CountsRowsAndWalksThemToTheEnd)
{
    Exec("INSERT INTO TBLPatient (P_ID) VALUES ('a')");
    Exec("INSERT INTO TBLPatient (P_ID) VALUES ('b')");
    TBLBase table(&m_db);
    EXPECT_EQ(table.IsConnected(), 1);
    ASSERT_EQ(table.CursorOpen("SELECT * FROM TBLPatient ORDER BY P_ID", adOpenUnspecified, adLockUnspecified), 2);
    EXPECT_EQ(table.CursorMove(), 1);
    EXPECT_EQ(table.CursorMove(), 1);
    EXPECT_EQ(table.CursorMove(), 0);
    table.CursorClose();
    // Without an open record set the cursor reports failure, it does not throw.
    EXPECT_EQ(table.CursorCount(), -1);
    EXPECT_EQ(table.CursorMove(), 0);
}

TEST_F(TableCursorOnDatabase, AQueryThatFailsGivesMinusOne)
{
    TBLBase table(&m_db);
    EXPECT_EQ(table.CursorOpen("SELECT * FROM TBLNothing", adOpenUnspecified, adLockUnspecified), -1);
    TBLPatient patient(&m_db);
    patient.AddCondition("NO_SUCH_COLUMN=1");
    EXPECT_EQ(patient.CursorOpenCondition(), -1);
}

TEST_F(TableCursorOnDatabase, AfterDisconnectTheTableIsNotConnected)
{
    TBLBase table(&m_db);
    m_db.Disconnect();
    EXPECT_EQ(table.IsConnected(), 0);
    EXPECT_EQ(TBLPatient::GetUniqueId(&m_db), "");
}

TEST(TableTextFit, CutsOnlyTextsLongerThanTheWidth)
{
    struct Case
    {
        const char* text;
        int width;
        int result;
        const char* cut;
    } cases[] = {
        { "", 30, 1, "" },
        { "abc", 3, 1, "abc" },
        { "abcd", 3, 0, "..." },
        { "abcdefghij", 8, 0, "abcde..." },
        { "Eva", 30, 1, "Eva" },
        // Three characters of two bytes each: longer than 4 in bytes but not in characters, so
        // the text is not fitting and yet comes back whole.
        { "\xC3\xA4\xC3\xB6\xC3\xBC", 4, 0, "\xC3\xA4\xC3\xB6\xC3\xBC" },
        { "\xC3\xA4\xC3\xB6\xC3\xBC\xC3\xA4\xC3\xB6", 4, 0, "\xC3\xA4..." },
    };
    for (const Case& c : cases) {
        CString text = c.text;
        EXPECT_EQ(FitText(text, c.width, FALSE), c.result) << c.text;
        EXPECT_EQ(text, c.text) << "unchanged without cut";
        EXPECT_EQ(FitText(text, c.width, TRUE), c.result) << c.text;
        EXPECT_EQ(text, c.cut) << c.text << " width " << c.width;
    }
}

} // namespace
