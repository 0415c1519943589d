// The empty database "TarvicII.mdb" that the build puts beside the programs: it opens with the
// stations' password only, and holds the three tables with their columns, types and keys.
#include "ktutilex/KTAdo.h"
#include "support/TestDatabase.h"
#include "testkit/BuildFolders.h"
#include "testkit/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

using testkit::TempFolder;

namespace {

constexpr const char* kStationPassword = "vam38216";

class TemplateDatabase : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const std::filesystem::path source = std::filesystem::path(testkit::ProgramFolder()) / "TarvicII.mdb";
        ASSERT_TRUE(std::filesystem::exists(source)) << source;
        // The programs copy the template into their data folder; so do we, and use the copy.
        std::filesystem::copy_file(source, m_path);
        ASSERT_EQ(m_db.ConnectDB(m_path.c_str(), kStationPassword), 1) << m_db.GetLastErrorString().GetString();
    }

    std::vector<std::string> Columns(const char* table)
    {
        EXPECT_EQ(m_db.OpenTable(table, adOpenDynamic, adLockOptimistic), 1);
        CStringArray names;
        m_db.GetFieldList(names);
        std::vector<std::string> list;
        for (INT_PTR i = 0; i < names.GetSize(); ++i)
            list.push_back(names.GetAt(i).str());
        return list;
    }

    TempFolder m_folder;
    std::string m_path { m_folder / "TarvicII.mdb" };
    KTAdo m_db;
};

TEST_F(TemplateDatabase, OpensOnlyWithTheStationsPassword)
{
    KTAdo other;
    EXPECT_EQ(other.ConnectDB(m_path.c_str(), "vam38217"), 0);
    EXPECT_EQ(other.ConnectDB(m_path.c_str(), nullptr), 0);
    EXPECT_EQ(other.ConnectDB(m_path.c_str(), kStationPassword), 1);
}

TEST_F(TemplateDatabase, HoldsTheThreeTablesEmpty)
{
    ASSERT_EQ(m_db.OpenSchema(), 1);
    EXPECT_EQ(m_db.GetRecordCount(), 3);
    for (const char* table : { "TBLPatient", "TBLStudy", "TBLUser" }) {
        ASSERT_EQ(m_db.OpenRecordset(FormatString("SELECT * FROM %s", table), adOpenUnspecified, adLockUnspecified),
                  1);
        EXPECT_EQ(m_db.GetRecordCount(), 0) << table;
    }
}

TEST_F(TemplateDatabase, ColumnsStandInTheTablesOrder)
{
    EXPECT_EQ(Columns("TBLPatient"),
              (std::vector<std::string> { "P_ID", "P_FIRST_NAME", "P_LAST_NAME", "P_REG_DATE", "P_BIRTHDAY",
                                          "P_HEIGHT", "P_WEIGHT", "P_COMMENT", "P_DOCTOR_ID", "P_LMP", "P_EDC",
                                          "P_GR", "P_PA", "P_EDIT_DATE" }));
    EXPECT_EQ(Columns("TBLStudy"),
              (std::vector<std::string> { "S_ID", "S_STUDY_ID", "S_START_TIME", "S_LENGTH", "S_LOSS", "S_DOCTOR_ID",
                                          "S_NURSE_ID", "S_COMMENT", "S_MEMB_STATUS", "S_EDIT_DATE" }));
    EXPECT_EQ(Columns("TBLUser"), (std::vector<std::string> { "M_ID", "M_NAME", "M_PASSWORD", "M_LEVEL",
                                                               "M_REG_DATE", "M_EDIT_DATE" }));
}

TEST_F(TemplateDatabase, ColumnsReadBackWithTheirTypes)
{
    ASSERT_EQ(m_db.ExecuteSQL("INSERT INTO TBLPatient VALUES ('p', 'f', 'l', 1, 2, 3, 4, 'c', 'd', 5, 6, 7, 8, 9)"), 1);
    ASSERT_EQ(m_db.ExecuteSQL("INSERT INTO TBLStudy VALUES ('p', 's', 1, 2, 3, 'd', 'n', 'c', 4, 5)"), 1);
    ASSERT_EQ(m_db.ExecuteSQL("INSERT INTO TBLUser VALUES ('u', 'n', 'pw', 1, 2, 3)"), 1);
    struct Case
    {
        const char* table;
        const char* column;
        VARTYPE type;
    };
    const Case cases[] = {
        { "TBLPatient", "P_ID", VT_BSTR },       { "TBLPatient", "P_REG_DATE", VT_DATE },
        { "TBLPatient", "P_BIRTHDAY", VT_DATE }, { "TBLPatient", "P_HEIGHT", VT_R8 },
        { "TBLPatient", "P_WEIGHT", VT_R8 },     { "TBLPatient", "P_COMMENT", VT_BSTR },
        { "TBLPatient", "P_LMP", VT_DATE },      { "TBLPatient", "P_EDC", VT_DATE },
        { "TBLPatient", "P_GR", VT_I4 },         { "TBLPatient", "P_PA", VT_I4 },
        { "TBLPatient", "P_EDIT_DATE", VT_DATE }, { "TBLStudy", "S_STUDY_ID", VT_BSTR },
        { "TBLStudy", "S_START_TIME", VT_DATE }, { "TBLStudy", "S_LENGTH", VT_I4 },
        { "TBLStudy", "S_LOSS", VT_I4 },         { "TBLStudy", "S_MEMB_STATUS", VT_I4 },
        { "TBLStudy", "S_EDIT_DATE", VT_DATE },  { "TBLUser", "M_PASSWORD", VT_BSTR },
        { "TBLUser", "M_LEVEL", VT_I4 },         { "TBLUser", "M_REG_DATE", VT_DATE },
    };
    for (const Case& c : cases) {
        ASSERT_EQ(m_db.OpenTable(c.table, adOpenDynamic, adLockOptimistic), 1);
        _variant_t value;
        ASSERT_EQ(m_db.GetFieldValue(c.column, value), 1) << c.column;
        EXPECT_EQ(value.vt, c.type) << c.column;
    }
}

TEST_F(TemplateDatabase, KeysRefuseASecondRowWithTheSameKey)
{
    struct Case
    {
        const char* first;
        const char* second;
        int secondResult;
    };
    const Case cases[] = {
        { "INSERT INTO TBLPatient (P_ID) VALUES ('P1')", "INSERT INTO TBLPatient (P_ID) VALUES ('p1')", 0 },
        { "INSERT INTO TBLUser (M_ID) VALUES ('U1')", "INSERT INTO TBLUser (M_ID) VALUES ('U1')", 0 },
        { "INSERT INTO TBLStudy (S_ID, S_STUDY_ID) VALUES ('P1', 'S1')",
          "INSERT INTO TBLStudy (S_ID, S_STUDY_ID) VALUES ('P1', 'S2')", 1 },
        { "INSERT INTO TBLStudy (S_ID, S_STUDY_ID) VALUES ('P2', 'S1')",
          "INSERT INTO TBLStudy (S_ID, S_STUDY_ID) VALUES ('P2', 'S1')", 0 },
    };
    for (const Case& c : cases) {
        ASSERT_EQ(m_db.ExecuteSQL(c.first), 1) << c.first;
        EXPECT_EQ(m_db.ExecuteSQL(c.second), c.secondResult) << c.second;
    }
}

} // namespace
