// KTAdo transactions, commands and parameters.
#include "ktutilex/KTAdo.h"
#include "support/TestDatabase.h"
#include "testkit/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

using ktado_test::CreateStationDatabase;
using ktado_test::kPassword;
using testkit::TempFolder;

namespace {

class KTAdoTransaction : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CreateStationDatabase(m_path);
        ASSERT_EQ(m_db.ConnectDB(m_path.c_str(), kPassword), 1);
    }

    long Users()
    {
        KTAdo other;  // its own connection: sees only what was committed
        EXPECT_EQ(other.ConnectDB(m_path.c_str(), kPassword), 1);
        EXPECT_EQ(other.OpenRecordset("SELECT * FROM TBLUser", adOpenUnspecified, adLockUnspecified), 1);
        return other.GetRecordCount();
    }

    TempFolder m_folder;
    std::string m_path { m_folder / "TarvicII.mdb" };
    KTAdo m_db;
};

TEST_F(KTAdoTransaction, RollbackUndoesAndCommitKeeps)
{
    ASSERT_EQ(m_db.BeginTrans(), 1);
    ASSERT_EQ(m_db.ExecuteSQL("INSERT INTO TBLUser (M_ID) VALUES ('a')"), 1);
    EXPECT_EQ(Users(), 0);
    ASSERT_EQ(m_db.Rollback(), 1);
    EXPECT_EQ(Users(), 0);

    ASSERT_EQ(m_db.BeginTrans(), 1);
    ASSERT_EQ(m_db.OpenTable("TBLUser", adOpenDynamic, adLockOptimistic), 1);
    ASSERT_EQ(m_db.AddNew(), 1);
    ASSERT_EQ(m_db.SetFieldValue("M_ID", "b"), 1);
    ASSERT_EQ(m_db.Update(), 1);
    ASSERT_EQ(m_db.CommitTrans(), 1);
    EXPECT_EQ(Users(), 1);
}

TEST_F(KTAdoTransaction, RecordSetWritesBelongToTheTransaction)
{
    ASSERT_EQ(m_db.BeginTrans(), 1);
    ASSERT_EQ(m_db.OpenTable("TBLUser", adOpenDynamic, adLockOptimistic), 1);
    ASSERT_EQ(m_db.AddNew(), 1);
    ASSERT_EQ(m_db.SetFieldValue("M_ID", "a"), 1);
    ASSERT_EQ(m_db.Update(), 1);
    // The record set reads on the same connection: it sees its own uncommitted row.
    ASSERT_EQ(m_db.OpenRecordset("SELECT * FROM TBLUser", adOpenUnspecified, adLockUnspecified), 1);
    EXPECT_EQ(m_db.GetRecordCount(), 1);
    ASSERT_EQ(m_db.Rollback(), 1);
    EXPECT_EQ(Users(), 0);
}

TEST_F(KTAdoTransaction, NestedLevelsRollBackOnlyTheInnerPart)
{
    ASSERT_EQ(m_db.BeginTrans(), 1);
    ASSERT_EQ(m_db.ExecuteSQL("INSERT INTO TBLUser (M_ID) VALUES ('outer')"), 1);
    ASSERT_EQ(m_db.BeginTrans(), 1);
    ASSERT_EQ(m_db.ExecuteSQL("INSERT INTO TBLUser (M_ID) VALUES ('inner')"), 1);
    ASSERT_EQ(m_db.Rollback(), 1);
    ASSERT_EQ(m_db.CommitTrans(), 1);
    EXPECT_EQ(Users(), 1);
}

TEST_F(KTAdoTransaction, CommitOrRollbackWithoutTransactionFails)
{
    EXPECT_EQ(m_db.CommitTrans(), 0);
    EXPECT_EQ(m_db.GetLastErrorString().Find("COM ERROR\n"), 0);
    EXPECT_EQ(m_db.Rollback(), 0);
    KTAdo unconnected;
    EXPECT_EQ(unconnected.BeginTrans(), 0);
    EXPECT_EQ(unconnected.ExecuteSQL("DELETE FROM TBLUser"), 0);
}

TEST_F(KTAdoTransaction, AShortBusyTimeOutGivesUpOnAnotherProgramsWriteLockAndTheNextTryGetsThrough)
{
    KTAdo other; // a second program in the middle of a long write
    ASSERT_EQ(other.ConnectDB(m_path.c_str(), kPassword), 1);
    ASSERT_EQ(other.BeginTrans(), 1);
    ASSERT_EQ(other.ExecuteSQL("INSERT INTO TBLUser (M_ID) VALUES ('other')"), 1);

    ASSERT_EQ(m_db.SetBusyTimeout(50), 1);
    EXPECT_EQ(m_db.BeginTrans(), 0);
    EXPECT_GE(m_db.GetLastErrorString().Find("COM ERROR\n"), 0);
    // Reading goes on meanwhile.
    EXPECT_EQ(m_db.OpenRecordset("SELECT * FROM TBLUser", adOpenUnspecified, adLockUnspecified), 1);
    m_db.CloseRecordset();

    ASSERT_EQ(other.CommitTrans(), 1);
    ASSERT_EQ(m_db.BeginTrans(), 1);
    ASSERT_EQ(m_db.ExecuteSQL("INSERT INTO TBLUser (M_ID) VALUES ('mine')"), 1);
    ASSERT_EQ(m_db.CommitTrans(), 1);
    EXPECT_EQ(Users(), 2);
    KTAdo unconnected;
    EXPECT_EQ(unconnected.SetBusyTimeout(50), 0);
}

TEST_F(KTAdoTransaction, AFailedStepRollsBackTheWholeWrite)
{
    // The table classes' pattern: begin, add, a step fails, roll back, close.
    ASSERT_EQ(m_db.ExecuteSQL("INSERT INTO TBLUser (M_ID) VALUES ('taken')"), 1);
    ASSERT_EQ(m_db.OpenTable("TBLUser", adOpenDynamic, adLockOptimistic), 1);
    ASSERT_EQ(m_db.BeginTrans(), 1);
    ASSERT_EQ(m_db.AddNew(), 1);
    ASSERT_EQ(m_db.SetFieldValue("M_ID", "TAKEN"), 1);
    EXPECT_EQ(m_db.SetFieldValue("M_LEVEL", "high"), 0);  // not a number
    EXPECT_GE(m_db.GetLastErrorString().Find("80040e07"), 0) << m_db.GetLastErrorString().GetString();
    EXPECT_EQ(m_db.Update(), 0);  // the key is taken, without regard to case
    EXPECT_GE(m_db.GetLastErrorString().Find("same key"), 0) << m_db.GetLastErrorString().GetString();
    EXPECT_EQ(m_db.Rollback(), 1);
    EXPECT_NO_THROW(m_db.CloseRecordset());
    EXPECT_EQ(Users(), 1);
}

TEST_F(KTAdoTransaction, CommandParametersBindByNameAndPositionAndClearFromTheEnd)
{
    ASSERT_EQ(m_db.CreateCommand(), 1);
    EXPECT_EQ(m_db.IsCommandCreated(), 1);
    _variant_t id("u1"), name("Anna"), level(2L), output(0L);
    ASSERT_EQ(m_db.AppendParam("id", adVarWChar, adParamInput, 50, id), 1);
    ASSERT_EQ(m_db.AppendParam("name", adVarWChar, adParamInput, 50, name), 1);
    ASSERT_EQ(m_db.AppendParam("", adInteger, adParamInput, 4, level), 1);
    ASSERT_EQ(m_db.AppendParam("result", adInteger, adParamOutput, 4, output), 1);
    EXPECT_EQ(m_db.GetParamCount(), 4);
    ASSERT_EQ(m_db.ExecuteStoreProc("INSERT INTO TBLUser (M_ID, M_NAME, M_LEVEL) VALUES (:id, @name, ?)"), 1)
        << m_db.GetLastErrorString().GetString();
    EXPECT_EQ(Users(), 1);

    _variant_t value;
    ASSERT_EQ(m_db.GetParamValue(_variant_t("name"), value), 1);
    EXPECT_STREQ(value.GetText(), "Anna");
    ASSERT_EQ(m_db.GetParamValue(_variant_t(2L), value), 1);
    EXPECT_EQ(value.lVal, 2);
    EXPECT_EQ(m_db.GetParamValue(_variant_t("missing"), value), 0);
    EXPECT_EQ(value.vt, VT_EMPTY);
    EXPECT_EQ(m_db.IsOupputParam(_variant_t("result")), 1);
    EXPECT_EQ(m_db.IsOupputParam(_variant_t(0L)), 0);

    m_db.ClearParam();
    EXPECT_EQ(m_db.GetParamCount(), 0);
    m_db.CloseCommand();
    EXPECT_EQ(m_db.IsCommandCreated(), 0);
}

TEST_F(KTAdoTransaction, StoredQueryByNameReturnsItsRows)
{
    ASSERT_EQ(m_db.ExecuteSQL("INSERT INTO TBLUser (M_ID, M_LEVEL) VALUES ('d1', 2)"), 1);
    ASSERT_EQ(m_db.ExecuteSQL("CREATE VIEW Doctors AS SELECT * FROM TBLUser WHERE M_LEVEL=2"), 1);
    ASSERT_EQ(m_db.CreateCommand(), 1);
    ASSERT_EQ(m_db.ExecuteStoreProc("Doctors"), 1) << m_db.GetLastErrorString().GetString();
    ASSERT_EQ(m_db.IsRecordsetOpened(), 1);
    CString id;
    EXPECT_EQ(m_db.GetFieldValue("M_ID", id), 1);
    EXPECT_STREQ(id, "d1");
    EXPECT_EQ(m_db.ExecuteStoreProc("NoSuchQuery"), 0);
}

TEST_F(KTAdoTransaction, ExecuteRunsOnlyOneStatement)
{
    EXPECT_EQ(m_db.ExecuteSQL("INSERT INTO TBLUser (M_ID) VALUES ('a'); INSERT INTO TBLUser (M_ID) VALUES ('b')"), 0);
    EXPECT_EQ(m_db.ExecuteSQL("INSERT INTO TBLUser (M_ID) VALUES ('a');  "), 1);
    EXPECT_EQ(Users(), 1);
}

} // namespace
