// KTAdo record sets: cursor rules, typed fields, row edits, schema and the SQL the system writes.
#include "ktutilex/KTAdo.h"
#include "support/TestDatabase.h"
#include "testkit/TempFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using ktado_test::CreateStationDatabase;
using ktado_test::kPassword;
using testkit::TempFolder;

namespace {

constexpr DATE kNoDate = -328716.0;  // 1000-01-01 00:00:00, the system's "no date"

class KTAdoRecordset : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CreateStationDatabase(m_path);
        ASSERT_EQ(m_db.ConnectDB(m_path.c_str(), kPassword), 1) << m_db.GetLastErrorString().GetString();
    }

    void Exec(const char* sql) { ASSERT_EQ(m_db.ExecuteSQL(sql), 1) << m_db.GetLastErrorString().GetString(); }

    void AddUsers()
    {
        Exec("INSERT INTO TBLUser (M_ID, M_NAME, M_LEVEL) VALUES ('u1', 'Anna', 2)");
        Exec("INSERT INTO TBLUser (M_ID, M_NAME, M_LEVEL) VALUES ('u2', 'Berta', 1)");
        Exec("INSERT INTO TBLUser (M_ID, M_NAME, M_LEVEL) VALUES ('u3', 'Clara', 0)");
    }

    long Count(const char* sql)
    {
        KTAdo reader(m_db);  // a copy shares the connection
        EXPECT_EQ(reader.OpenRecordset(sql, adOpenUnspecified, adLockUnspecified), 1);
        return reader.GetRecordCount();
    }

    TempFolder m_folder;
    std::string m_path { m_folder / "TarvicII.mdb" };
    KTAdo m_db;
};

// ---- cursor rules -------------------------------------------------------------------------

TEST_F(KTAdoRecordset, EmptyResultOpensAndMovesByTheRules)
{
    ASSERT_EQ(m_db.OpenRecordset("SELECT * FROM TBLUser", adOpenDynamic, adLockOptimistic), 1);
    EXPECT_EQ(m_db.IsBOF(), -1);
    EXPECT_EQ(m_db.IsEOF(), -1);
    EXPECT_EQ(m_db.MoveFirst(), 1);
    EXPECT_EQ(m_db.MoveNext(), 0);
    EXPECT_EQ(m_db.MovePrevious(), 0);
    EXPECT_EQ(m_db.MoveLast(), 0);
    EXPECT_EQ(m_db.GetRecordCount(), 0);
}

TEST_F(KTAdoRecordset, CountsThreeRowsAndLeavesTheCursorOnTheFirst)
{
    AddUsers();
    ASSERT_EQ(m_db.OpenRecordset("SELECT * FROM TBLUser ORDER BY M_ID", adOpenDynamic, adLockOptimistic), 1);
    EXPECT_EQ(m_db.GetRecordCount(), 3);
    CString id;
    EXPECT_EQ(m_db.GetFieldValue("M_ID", id), 1);
    EXPECT_STREQ(id, "u1");
}

TEST_F(KTAdoRecordset, WalksBothWaysWithExactReturns)
{
    AddUsers();
    ASSERT_EQ(m_db.OpenRecordset("SELECT M_ID FROM TBLUser ORDER BY M_ID", adOpenDynamic, adLockOptimistic), 1);
    EXPECT_EQ(m_db.IsBOF(), 0);
    EXPECT_EQ(m_db.MoveNext(), 1);
    EXPECT_EQ(m_db.MoveNext(), 1);
    EXPECT_EQ(m_db.MoveNext(), 1);  // onto EOF still counts as a move
    EXPECT_EQ(m_db.IsEOF(), -1);
    EXPECT_EQ(m_db.MoveNext(), 0);
    EXPECT_EQ(m_db.MoveLast(), 0);  // EOF is read first
    EXPECT_EQ(m_db.MovePrevious(), 1);
    CString id;
    m_db.GetFieldValue(0L, id);
    EXPECT_STREQ(id, "u3");
    EXPECT_EQ(m_db.MovePrevious(), 1);
    EXPECT_EQ(m_db.MovePrevious(), 1);
    EXPECT_EQ(m_db.MovePrevious(), 1);  // onto BOF
    EXPECT_EQ(m_db.IsBOF(), -1);
    EXPECT_EQ(m_db.MovePrevious(), 0);
    // From BOF, MoveFirst goes back onto the first row, so the count stays right.
    EXPECT_EQ(m_db.GetRecordCount(), 3);
    m_db.GetFieldValue(0L, id);
    EXPECT_STREQ(id, "u1");
    EXPECT_EQ(m_db.MoveLast(), 1);
    m_db.GetFieldValue(0L, id);
    EXPECT_STREQ(id, "u3");
}

TEST_F(KTAdoRecordset, CursorCallsWithoutARecordSetThrowToTheCaller)
{
    EXPECT_THROW(m_db.MoveFirst(), _com_error);
    EXPECT_THROW(m_db.MoveNext(), _com_error);
    EXPECT_THROW(m_db.IsEOF(), _com_error);
    EXPECT_THROW(m_db.GetRecordCount(), _com_error);
    try {
        m_db.IsBOF();
    } catch (const _com_error& error) {
        EXPECT_EQ(error.Error(), E_POINTER);
    }
    // The others report a failure.
    long count = 1;
    EXPECT_EQ(m_db.GetFieldValue("M_ID", count), 0);
    EXPECT_EQ(m_db.IsRecordsetOpened(), 0);
}

TEST_F(KTAdoRecordset, AFailedOpenLeavesNoOpenRecordSet)
{
    AddUsers();
    ASSERT_EQ(m_db.OpenRecordset("SELECT * FROM TBLUser", adOpenDynamic, adLockOptimistic), 1);
    EXPECT_EQ(m_db.OpenRecordset("SELECT * FROM NoSuchTable", adOpenDynamic, adLockOptimistic), 0);
    EXPECT_EQ(m_db.IsRecordsetOpened(), 0);
    EXPECT_GE(m_db.GetLastErrorString().Find("Code = 80040e37"), 0) << m_db.GetLastErrorString().GetString();
    EXPECT_EQ(m_db.OpenTable("NoSuchTable", adOpenDynamic, adLockOptimistic), 0);
}

// ---- typed fields ---------------------------------------------------------------------------

TEST_F(KTAdoRecordset, TypedGettersFollowTheConversionRules)
{
    Exec("INSERT INTO TBLPatient (P_ID, P_FIRST_NAME, P_HEIGHT, P_WEIGHT, P_GR) VALUES ('p1', 'Eva', 2.9, -2.9, 3)");
    ASSERT_EQ(m_db.OpenRecordset("SELECT * FROM TBLPatient", adOpenDynamic, adLockOptimistic), 1);

    long number = 7;
    EXPECT_EQ(m_db.GetFieldValue("P_HEIGHT", number), 1);
    EXPECT_EQ(number, 2);
    EXPECT_EQ(m_db.GetFieldValue("P_WEIGHT", number), 1);
    EXPECT_EQ(number, -2);
    EXPECT_EQ(m_db.GetFieldValue("P_FIRST_NAME", number), 0);
    EXPECT_EQ(number, 0);
    EXPECT_EQ(m_db.GetFieldValue("P_PA", number), 1);  // null counts as 0
    EXPECT_EQ(number, 0);
    int gravida = 0;
    EXPECT_EQ(m_db.GetFieldValue("P_GR", gravida), 1);
    EXPECT_EQ(gravida, 3);

    CString text = "old";
    EXPECT_EQ(m_db.GetFieldValue("P_LAST_NAME", text), 1);  // null text gives ""
    EXPECT_STREQ(text, "");
    EXPECT_EQ(m_db.GetFieldValue("P_HEIGHT", text), 0);
    EXPECT_STREQ(text, "");

    float height = 5.0f;
    EXPECT_EQ(m_db.GetFieldValue("P_FIRST_NAME", height), 0);
    EXPECT_EQ(height, 5.0f);  // untouched on failure
    double weight = 1;
    EXPECT_EQ(m_db.GetFieldValue(6L, weight), 1);
    EXPECT_DOUBLE_EQ(weight, -2.9);

    COleDateTime date(2006, 3, 7, 0, 0, 0);
    EXPECT_EQ(m_db.GetFieldValue("P_BIRTHDAY", date), 0);  // null date
    EXPECT_EQ(date.GetStatus(), COleDateTime::null);
    date = COleDateTime(2006, 3, 7, 0, 0, 0);
    EXPECT_EQ(m_db.GetFieldValue("P_FIRST_NAME", date), 0);
    EXPECT_EQ(date.GetStatus(), COleDateTime::null);

    _variant_t value(5);
    EXPECT_EQ(m_db.GetFieldValue("NO_SUCH_FIELD", value), 0);
    EXPECT_EQ(value.vt, VT_EMPTY);
    EXPECT_GE(m_db.GetLastErrorString().Find("Item cannot be found"), 0);
}

TEST_F(KTAdoRecordset, AFailedConversionLeavesALastErrorNamingTheFieldAndTheType)
{
    Exec("INSERT INTO TBLPatient (P_ID, P_FIRST_NAME, P_HEIGHT) VALUES ('p1', 'Eva', 2.5)");
    ASSERT_EQ(m_db.OpenRecordset("SELECT * FROM TBLPatient", adOpenDynamic, adLockOptimistic), 1);

    long number = 0;
    float height = 0;
    double weight = 0;
    CString text;
    COleDateTime date;
    const struct {
        const char* what;
        std::function<int()> get;
        const char* description;
    } cases[] = {
        { "long", [&] { return m_db.GetFieldValue("P_FIRST_NAME", number); },
          "Field P_FIRST_NAME holds text, which cannot be read as a whole number." },
        { "float", [&] { return m_db.GetFieldValue("P_FIRST_NAME", height); },
          "Field P_FIRST_NAME holds text, which cannot be read as a number." },
        { "double", [&] { return m_db.GetFieldValue("P_FIRST_NAME", weight); },
          "Field P_FIRST_NAME holds text, which cannot be read as a number." },
        { "text", [&] { return m_db.GetFieldValue("P_HEIGHT", text); },
          "Field P_HEIGHT holds a number, which cannot be read as text." },
        { "date", [&] { return m_db.GetFieldValue("P_BIRTHDAY", date); },
          "Field P_BIRTHDAY holds no value, which cannot be read as a date." },
        { "by position", [&] { return m_db.GetFieldValue(_variant_t(1L), number); },
          "The field at position 1 holds text, which cannot be read as a whole number." },
    };
    for (const auto& c : cases) {
        _variant_t unknown;
        m_db.GetFieldValue("NO_SUCH_FIELD", unknown);  // an older error the case must replace
        EXPECT_EQ(c.get(), 0) << c.what;
        const CString error = m_db.GetLastErrorString();
        EXPECT_EQ(error.Find("COM ERROR\n\tCode = 80040e07\n"), 0) << c.what << ": " << error.GetString();
        EXPECT_GE(error.Find("\tSource = KTAdo\n"), 0) << c.what << ": " << error.GetString();
        EXPECT_GE(error.Find(CString("\tDescription = ") + c.description), 0) << c.what << ": " << error.GetString();
    }

    // An unknown field keeps the error of the failed read.
    EXPECT_EQ(m_db.GetFieldValue("NO_SUCH_FIELD", number), 0);
    EXPECT_GE(m_db.GetLastErrorString().Find("Item cannot be found"), 0) << m_db.GetLastErrorString().GetString();
}

TEST(KTAdoConversions, VariantConversionsByTypeTag)
{
    struct Case
    {
        _variant_t value;
        int decimalOk;
        double decimal;
    };
    const Case cases[] = {
        { _variant_t::Null(), 1, 0.0 },
        { _variant_t(short(-4)), 1, -4.0 },
        { _variant_t(7L), 1, 7.0 },
        { _variant_t(1.5f), 1, 1.5 },
        { _variant_t(true), 1, -1.0 },
        { _variant_t(static_cast<unsigned char>(200)), 1, 200.0 },
        { _variant_t(3.0, VT_UI4), 1, 3.0 },
        { _variant_t(), 0, 0.0 },
        { _variant_t("12"), 0, 0.0 },
        { _variant_t(39000.0, VT_DATE), 0, 0.0 },
    };
    for (const Case& c : cases) {
        _variant_t value = c.value;
        double decimal = 99;
        EXPECT_EQ(KTAdo::VariantToDecimal(value, decimal), c.decimalOk) << value.vt;
        EXPECT_EQ(decimal, c.decimal) << value.vt;
        int flag = 5;
        EXPECT_EQ(KTAdo::VariantToBool(value, flag), c.decimalOk);
        EXPECT_EQ(flag, c.decimal != 0.0 ? 1 : 0);
    }
    _variant_t text("abc");
    CString out = "x";
    EXPECT_EQ(KTAdo::VariantToString(text, out), 1);
    EXPECT_STREQ(out, "abc");
    _variant_t number(3L);
    EXPECT_EQ(KTAdo::VariantToString(number, out), 0);
    EXPECT_STREQ(out, "");
}

TEST_F(KTAdoRecordset, DateColumnsComeBackAsDatesAndKeepTheYear1000AndNullDates)
{
    ASSERT_EQ(m_db.OpenTable("TBLPatient", adOpenDynamic, adLockOptimistic), 1);
    ASSERT_EQ(m_db.AddNew(), 1);
    COleDateTime noDate(1000, 1, 1, 0, 0, 0);
    ASSERT_DOUBLE_EQ(noDate.m_dt, kNoDate);
    EXPECT_EQ(m_db.SetFieldValue("P_ID", "p1"), 1);
    EXPECT_EQ(m_db.SetFieldValue("P_BIRTHDAY", noDate), 1);
    EXPECT_EQ(m_db.SetFieldValue("P_REG_DATE", COleDateTime(2006, 3, 7, 14, 5, 9)), 1);
    COleDateTime empty(2006, 3, 7, 0, 0, 0);
    empty.SetStatus(COleDateTime::null);
    EXPECT_EQ(m_db.SetFieldValue("P_LMP", empty), 1);
    ASSERT_EQ(m_db.Update(), 1) << m_db.GetLastErrorString().GetString();
    m_db.CloseRecordset();

    ASSERT_EQ(m_db.OpenRecordset("SELECT * FROM TBLPatient WHERE P_ID='p1'", adOpenDynamic, adLockOptimistic), 1);
    _variant_t raw;
    ASSERT_EQ(m_db.GetFieldValue("P_BIRTHDAY", raw), 1);
    EXPECT_EQ(raw.vt, VT_DATE);
    COleDateTime birthday;
    ASSERT_EQ(m_db.GetFieldValue("P_BIRTHDAY", birthday), 1);
    EXPECT_EQ(birthday.GetStatus(), COleDateTime::valid);
    EXPECT_EQ(birthday.GetYear(), 1000);
    EXPECT_DOUBLE_EQ(birthday.m_dt, kNoDate);
    COleDateTime registered;
    ASSERT_EQ(m_db.GetFieldValue("P_REG_DATE", registered), 1);
    EXPECT_STREQ(registered.Format("%Y-%m-%d %H:%M:%S"), "2006-03-07 14:05:09");
    COleDateTime lastPeriod(2006, 1, 1, 0, 0, 0);
    EXPECT_EQ(m_db.GetFieldValue("P_LMP", lastPeriod), 0);  // a null date stays null
    EXPECT_EQ(lastPeriod.GetStatus(), COleDateTime::null);
}

TEST_F(KTAdoRecordset, DateLiteralsSelectByDayOutsideQuotedTexts)
{
    Exec("INSERT INTO TBLPatient (P_ID, P_REG_DATE, P_COMMENT) VALUES ('a', #2006-03-07#, 'seen #2006-03-07#')");
    Exec("INSERT INTO TBLPatient (P_ID, P_REG_DATE) VALUES ('b', #2006-03-09 08:30:00#)");
    Exec("INSERT INTO TBLPatient (P_ID, P_REG_DATE) VALUES ('c', #1000-01-01#)");
    EXPECT_EQ(Count("SELECT * FROM TBLPatient WHERE P_REG_DATE>=#2006-03-07# AND P_REG_DATE<=#2006-03-09#"), 1);
    EXPECT_EQ(Count("SELECT * FROM TBLPatient WHERE P_REG_DATE>=#2006-03-07# AND P_REG_DATE<=#2006-03-10#"), 2);
    EXPECT_EQ(Count("SELECT * FROM TBLPatient WHERE P_REG_DATE=#1000-01-01#"), 1);
    EXPECT_EQ(Count("SELECT * FROM TBLPatient WHERE P_COMMENT='seen #2006-03-07#'"), 1);
}

// ---- text comparison and quoting -----------------------------------------------------------

TEST_F(KTAdoRecordset, TextComparesWithoutCaseInEqualsAndLike)
{
    Exec("INSERT INTO TBLPatient (P_ID, P_FIRST_NAME, P_LAST_NAME) VALUES ('AB-1', 'Eva', 'MÜLLER')");
    Exec("INSERT INTO TBLPatient (P_ID, P_FIRST_NAME, P_LAST_NAME) VALUES ('ab-2', 'Ewa', 'Smith')");
    struct Case
    {
        const char* where;
        long rows;
    };
    const Case cases[] = {
        { "P_ID='ab-1'", 1 },
        { "P_ID LIKE 'AB%'", 2 },
        { "P_FIRST_NAME LIKE '%V%'", 1 },
        { "P_LAST_NAME LIKE '%müll%'", 1 },
        { "P_LAST_NAME LIKE 'm_ller'", 1 },
        { "P_FIRST_NAME LIKE 'E_a'", 2 },
        { "P_LAST_NAME LIKE 'smith'", 1 },
        { "P_LAST_NAME LIKE '%x%'", 0 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Count(("SELECT * FROM TBLPatient WHERE " + std::string(c.where)).c_str()), c.rows) << c.where;
    // A key that differs only in case is the same key.
    EXPECT_EQ(m_db.ExecuteSQL("INSERT INTO TBLPatient (P_ID) VALUES ('Ab-1')"), 0);
}

TEST_F(KTAdoRecordset, LikeOnANumberColumnMatchesItsDigits)
{
    AddUsers();
    EXPECT_EQ(Count("SELECT * FROM TBLUser WHERE M_LEVEL LIKE '%2%'"), 1);
}

TEST_F(KTAdoRecordset, AQuoteInsideAValueNeitherBreaksNorChangesAQuery)
{
    const CString name = "O'Neil'; DELETE FROM TBLUser; --";
    Exec("INSERT INTO TBLUser (M_ID, M_NAME) VALUES ('keep', 'x')");
    Exec(FormatString("INSERT INTO TBLUser (M_ID, M_NAME) VALUES ('q', '%s')", KTAdo::EscapeString(name).GetString()));
    EXPECT_EQ(Count(FormatString("SELECT * FROM TBLUser WHERE M_NAME='%s'", KTAdo::EscapeString(name).GetString())), 1);
    EXPECT_EQ(Count("SELECT * FROM TBLUser"), 2);
    // Unescaped, the text is refused as a whole instead of running a second statement.
    EXPECT_EQ(m_db.ExecuteSQL(FormatString("UPDATE TBLUser SET M_NAME='%s'", name.GetString())), 0);
    EXPECT_EQ(Count("SELECT * FROM TBLUser"), 2);
}

// ---- row edits ------------------------------------------------------------------------------

TEST_F(KTAdoRecordset, AddNewSetFieldsUpdateWritesOneRow)
{
    ASSERT_EQ(m_db.OpenTable("TBLStudy", adOpenDynamic, adLockOptimistic), 1);
    ASSERT_EQ(m_db.BeginTrans(), 1);
    ASSERT_EQ(m_db.AddNew(vtMissing, vtMissing), 1);
    EXPECT_EQ(m_db.SetFieldValue("S_ID", CString("p1")), 1);
    EXPECT_EQ(m_db.SetFieldValue("S_STUDY_ID", "20060307140509"), 1);
    EXPECT_EQ(m_db.SetFieldValue("S_START_TIME", COleDateTime(2006, 3, 7, 14, 5, 9)), 1);
    EXPECT_EQ(m_db.SetFieldValue("S_LENGTH", 120L), 1);
    EXPECT_EQ(m_db.SetFieldValue("S_LOSS", 3), 1);
    EXPECT_EQ(m_db.SetFieldValue(7L, "comment"), 1);
    EXPECT_EQ(m_db.SetFieldValue("S_MEMB_STATUS", 1.6), 1);  // stored in a long column: 2
    ASSERT_EQ(m_db.Update(vtMissing, vtMissing), 1) << m_db.GetLastErrorString().GetString();
    ASSERT_EQ(m_db.CommitTrans(), 1);
    m_db.CloseRecordset();

    ASSERT_EQ(m_db.OpenRecordset("SELECT * FROM TBLStudy", adOpenUnspecified, adLockUnspecified), 1);
    EXPECT_EQ(m_db.GetRecordCount(), 1);
    long length = 0, status = 0;
    m_db.GetFieldValue("S_LENGTH", length);
    m_db.GetFieldValue("S_MEMB_STATUS", status);
    EXPECT_EQ(length, 120);
    EXPECT_EQ(status, 2);
    CString comment;
    m_db.GetFieldValue("S_COMMENT", comment);
    EXPECT_STREQ(comment, "comment");
}

TEST_F(KTAdoRecordset, UpdateWritesBackExactlyTheRowItRead)
{
    AddUsers();
    ASSERT_EQ(m_db.OpenRecordset("SELECT * FROM TBLUser WHERE M_ID='u2'", adOpenDynamic, adLockOptimistic), 1);
    ASSERT_EQ(m_db.MoveFirst(), 1);
    ASSERT_EQ(m_db.BeginTrans(), 1);
    EXPECT_EQ(m_db.SetFieldValue("M_NAME", "Bertha"), 1);
    EXPECT_EQ(m_db.SetFieldValue("M_LEVEL", 2L), 1);
    ASSERT_EQ(m_db.Update(), 1) << m_db.GetLastErrorString().GetString();
    ASSERT_EQ(m_db.CommitTrans(), 1);
    m_db.CloseRecordset();
    EXPECT_EQ(Count("SELECT * FROM TBLUser WHERE M_NAME='Bertha' AND M_LEVEL=2 AND M_ID='u2'"), 1);
    EXPECT_EQ(Count("SELECT * FROM TBLUser WHERE M_NAME='Anna' AND M_LEVEL=2"), 1);
    EXPECT_EQ(Count("SELECT * FROM TBLUser WHERE M_NAME='Clara' AND M_LEVEL=0"), 1);
}

TEST_F(KTAdoRecordset, UpdateWithFieldListsAndSetRowValueAddAWholeRow)
{
    ASSERT_EQ(m_db.OpenRecordset("SELECT M_ID, M_NAME, M_LEVEL FROM TBLUser", adOpenDynamic, adLockOptimistic), 1);
    _variant_t values;
    values.SetArray({ _variant_t("u9"), _variant_t("Nina"), _variant_t(1L) });
    ASSERT_EQ(m_db.SetRowValue(values), 1) << m_db.GetLastErrorString().GetString();
    _variant_t row;
    ASSERT_EQ(m_db.GetRowValue(row), 1);
    ASSERT_EQ(row.GetArray().size(), 3u);
    EXPECT_STREQ(row.GetArray()[1].GetText(), "Nina");

    ASSERT_EQ(m_db.Update(_variant_t("M_NAME"), _variant_t("Nena")), 1);
    EXPECT_EQ(Count("SELECT * FROM TBLUser WHERE M_ID='u9' AND M_NAME='Nena'"), 1);

    CStringArray names;
    EXPECT_EQ(m_db.GetFieldList(names), 3);
    EXPECT_STREQ(names.GetAt(2), "M_LEVEL");
}

TEST_F(KTAdoRecordset, DeleteRemovesTheCurrentRowAndTheCursorMovesOnFromIt)
{
    AddUsers();
    ASSERT_EQ(m_db.OpenRecordset("SELECT * FROM TBLUser ORDER BY M_ID", adOpenDynamic, adLockOptimistic), 1);
    ASSERT_EQ(m_db.MoveNext(), 1);  // u2
    ASSERT_EQ(m_db.Delete(adAffectCurrent), 1);
    EXPECT_EQ(m_db.IsBOF(), 0);
    EXPECT_EQ(m_db.IsEOF(), 0);
    CString id;
    EXPECT_EQ(m_db.GetFieldValue("M_ID", id), 0);  // the current row is gone
    EXPECT_EQ(m_db.MoveNext(), 1);
    m_db.GetFieldValue("M_ID", id);
    EXPECT_STREQ(id, "u3");
    EXPECT_EQ(m_db.GetRecordCount(), 2);
    EXPECT_EQ(Count("SELECT * FROM TBLUser"), 2);
    EXPECT_EQ(Count("SELECT * FROM TBLUser WHERE M_ID='u2'"), 0);
}

TEST_F(KTAdoRecordset, ReadOnlyRecordSetsRefuseChanges)
{
    AddUsers();
    Exec("INSERT INTO TBLPatient (P_ID) VALUES ('p1')");
    Exec("INSERT INTO TBLStudy (S_ID, S_STUDY_ID) VALUES ('p1', 's1')");
    struct Case
    {
        const char* sql;
        LockTypeEnum lock;
    };
    const Case cases[] = {
        { "SELECT * FROM TBLUser", adLockUnspecified },
        { "SELECT * FROM TBLUser", adLockReadOnly },
        { "SELECT * FROM TBLStudy INNER JOIN TBLPatient ON TBLStudy.S_ID = TBLPatient.P_ID ORDER BY S_ID, S_STUDY_ID",
          adLockOptimistic },
        { "SELECT DISTINCT M_LEVEL FROM TBLUser", adLockOptimistic },
        { "SELECT COUNT(*) FROM TBLUser", adLockOptimistic },
    };
    for (const Case& c : cases) {
        ASSERT_EQ(m_db.OpenRecordset(c.sql, adOpenDynamic, c.lock), 1) << c.sql;
        EXPECT_EQ(m_db.SetFieldValue(0L, "x"), 0) << c.sql;
        EXPECT_GE(m_db.GetLastErrorString().Find("does not support updating"), 0) << c.sql;
        EXPECT_EQ(m_db.Delete(adAffectCurrent), 0) << c.sql;
    }
    EXPECT_EQ(Count("SELECT * FROM TBLUser"), 3);
}

TEST_F(KTAdoRecordset, JoinedViewReadsBothTablesInOrder)
{
    Exec("INSERT INTO TBLPatient (P_ID, P_LAST_NAME) VALUES ('p1', 'Eva')");
    Exec("INSERT INTO TBLStudy (S_ID, S_STUDY_ID, S_LENGTH) VALUES ('p1', '2', 20)");
    Exec("INSERT INTO TBLStudy (S_ID, S_STUDY_ID, S_LENGTH) VALUES ('p1', '1', 10)");
    Exec("INSERT INTO TBLStudy (S_ID, S_STUDY_ID, S_LENGTH) VALUES ('orphan', '1', 5)");
    ASSERT_EQ(m_db.OpenRecordset("SELECT * FROM TBLStudy INNER JOIN TBLPatient ON TBLStudy.S_ID = TBLPatient.P_ID "
                                 "WHERE P_LAST_NAME LIKE '%ev%' ORDER BY S_ID, S_STUDY_ID",
                                 adOpenUnspecified, adLockUnspecified),
              1);
    EXPECT_EQ(m_db.GetRecordCount(), 2);
    EXPECT_EQ(m_db.GetFieldCount(), 24);
    long length = 0;
    m_db.GetFieldValue("S_LENGTH", length);
    EXPECT_EQ(length, 10);
}

TEST_F(KTAdoRecordset, SchemaListsTheUserTables)
{
    ASSERT_EQ(m_db.OpenSchema(), 1);
    std::vector<std::string> tables;
    while (!m_db.IsEOF()) {
        CString name;
        m_db.GetFieldValue("TABLE_NAME", name);
        CString type;
        m_db.GetFieldValue(3L, type);
        EXPECT_STREQ(type, "TABLE");
        tables.push_back(name.str());
        m_db.MoveNext();
    }
    EXPECT_EQ(tables, (std::vector<std::string> { "TBLPatient", "TBLStudy", "TBLUser" }));
}

} // namespace
