// KTAdo connections: the connection text, the password check, failures and the error text.
#include "ktutilex/KTAdo.h"
#include "ktutilex/ado/ConnectionText.h"
#include "support/TestDatabase.h"
#include "testkit/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

using ktado_test::CreateStationDatabase;
using ktado_test::kPassword;
using testkit::TempFolder;

namespace {

class KTAdoConnection : public ::testing::Test
{
protected:
    void SetUp() override { CreateStationDatabase(m_path); }

    TempFolder m_folder;
    std::string m_path { m_folder / "TarvicII.mdb" };
};

TEST(JetConnectionString, ConcatenatesProviderDataSourceAndPassword)
{
    EXPECT_STREQ(KTAdo::JetConnectionString("/data/TarvicII.mdb", "pw"),
                 "Provider=Microsoft.Jet.OLEDB.4.0;Persist Security Info=False;"
                 "Data Source=/data/TarvicII.mdb;Jet OLEDB:Database Password=pw");
}

TEST(JetConnectionString, NullPasswordGivesAnEmptyPasswordPiece)
{
    const CString text = KTAdo::JetConnectionString("/data/x.mdb", nullptr);
    EXPECT_TRUE(text.Right(28) == "Jet OLEDB:Database Password=") << text.GetString();
}

TEST(JetConnectionString, ReadsBackDataSourceAndPasswordWithQuotesAndBlanks)
{
    const ktado::ConnectionSettings settings = ktado::ParseConnectionString(
        "Provider=Microsoft.Jet.OLEDB.4.0; data source = \"/a b/c;d.mdb\" ;Jet OLEDB:Database Password='p''w'");
    EXPECT_STREQ(settings.provider, "Microsoft.Jet.OLEDB.4.0");
    EXPECT_STREQ(settings.dataSource, "/a b/c;d.mdb");
    EXPECT_STREQ(settings.password, "p'w");
}

// Whatever a data folder or password holds, the text gives it back as it was; a value that
// needs no quotes keeps the classic form.
TEST(JetConnectionString, EveryPathAndPasswordReadsBackAsItWas)
{
    const char* const values[] = {
        "/srv/ward;3/TarvicII.mdb", "/srv/\"ward\"/x.mdb", "\"quoted", "'single", " lead", "trail ",
        "\t", "a;\";b\"\"", "it's", "x=y", "", "/a b/c.mdb",
    };
    for (const char* value : values) {
        SCOPED_TRACE(value);
        const ktado::ConnectionSettings settings =
            ktado::ParseConnectionString(KTAdo::JetConnectionString(value, value));
        EXPECT_STREQ(settings.dataSource, value);
        EXPECT_STREQ(settings.password, value);
        EXPECT_STREQ(settings.provider, "Microsoft.Jet.OLEDB.4.0");
    }
    EXPECT_TRUE(KTAdo::JetConnectionString("/a b/c.mdb", "p").Find("Data Source=/a b/c.mdb;") >= 0);
}

TEST_F(KTAdoConnection, OpensWithTheRightPassword)
{
    KTAdo db;
    ASSERT_EQ(db.ConnectDB(m_path.c_str(), kPassword), 1) << db.GetLastErrorString().GetString();
    EXPECT_EQ(db.IsConnected(), 1);
    EXPECT_TRUE(db.GetLastErrorString().IsEmpty());
    db.Disconnect();
    EXPECT_EQ(db.IsConnected(), 0);
}

TEST(KTAdoDataFolder, AFolderWithASemicolonHoldsTheDatabase)
{
    TempFolder folder;
    const std::string path = (folder / "Ward;3 \"east\"") + "/TarvicII.mdb";
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    CreateStationDatabase(path);
    KTAdo db;
    ASSERT_EQ(db.ConnectDB(path.c_str(), kPassword), 1) << db.GetLastErrorString().GetString();
    EXPECT_EQ(db.IsConnected(), 1);
    EXPECT_FALSE(std::filesystem::exists(folder / "Ward")) << "no file made at the path's first piece";
}

TEST_F(KTAdoConnection, RefusesAWrongOrMissingPassword)
{
    for (const char* password : { "Secret", "", static_cast<const char*>(nullptr) }) {
        KTAdo db;
        EXPECT_EQ(db.ConnectDB(m_path.c_str(), password), 0);
        EXPECT_EQ(db.IsConnected(), 0);
        EXPECT_FALSE(db.GetConnection());
        const CString error = db.GetLastErrorString();
        EXPECT_EQ(error.Find("COM ERROR\n"), 0);
        EXPECT_GE(error.Find("\tCode = 80040e4d\n"), 0) << error.GetString();
        EXPECT_GE(error.Find("Not a valid password."), 0) << error.GetString();
    }
}

TEST_F(KTAdoConnection, DatabaseWithoutPasswordOpensWithAnyPassword)
{
    const std::string open = m_folder / "open.mdb";
    CreateStationDatabase(open, nullptr);
    KTAdo db;
    EXPECT_EQ(db.ConnectDB(open.c_str(), nullptr), 1);
    EXPECT_EQ(db.ConnectDB(open.c_str(), "anything"), 1);
    // The connection text keeps the empty password piece at its end.
    ASSERT_EQ(db.ConnectDB(open.c_str(), nullptr), 1);
    EXPECT_TRUE(db.GetConnection()->GetConnectionString().Right(28) == "Jet OLEDB:Database Password=");
}

TEST_F(KTAdoConnection, MissingFileOrNonDatabaseFailsWithoutCreatingAFile)
{
    const std::string missing = m_folder / "missing.mdb";
    const std::string text = m_folder / "notes.mdb";
    std::ofstream(text) << "this is not a database, just some text that is long enough to look like a page";
    KTAdo db;
    EXPECT_EQ(db.ConnectDB(missing.c_str(), kPassword), 0);
    EXPECT_GE(db.GetLastErrorString().Find("Could not find file"), 0);
    EXPECT_FALSE(std::ifstream(missing).good());
    EXPECT_EQ(db.ConnectDB(text.c_str(), kPassword), 0);
    EXPECT_EQ(db.GetLastErrorString().Find("COM ERROR\n"), 0);
    EXPECT_EQ(db.IsConnected(), 0);
}

TEST_F(KTAdoConnection, AFailedConnectLeavesTheEarlierConnectionClosed)
{
    KTAdo db;
    ASSERT_EQ(db.ConnectDB(m_path.c_str(), kPassword), 1);
    EXPECT_EQ(db.ConnectDB(m_path.c_str(), "wrong"), 0);
    EXPECT_EQ(db.IsConnected(), 0);
}

TEST_F(KTAdoConnection, ErrorTextCarriesCodeMeaningSourceAndDescription)
{
    KTAdo db;
    ASSERT_EQ(db.ConnectDB(m_path.c_str(), kPassword), 1);
    EXPECT_EQ(db.ExecuteSQL("SELEC nothing"), 0);
    const CString error = db.GetLastErrorString();
    // 0x80040E14 has no system text: its meaning is built from the interface error number.
    EXPECT_EQ(error.Find("COM ERROR\n\tCode = 80040e14\n\tCode meaning = IDispatch error #3092\n\tSource = "), 0)
        << error.GetString();
    EXPECT_GE(error.Find("\tDescription = "), 0);
    EXPECT_NE(error.Right(1), "\n");
    // A success keeps the last error.
    EXPECT_EQ(db.ExecuteSQL("DELETE FROM TBLUser"), 1);
    EXPECT_STREQ(db.GetLastErrorString(), error);
}

TEST(ComError, CodeMeaningForSystemInterfaceAndUnknownCodes)
{
    EXPECT_STREQ(_com_error(E_POINTER).ErrorMessage(), "Invalid pointer");
    EXPECT_STREQ(_com_error(DB_E_ERRORSINCOMMAND).ErrorMessage(), "IDispatch error #3092");
    EXPECT_STREQ(_com_error(ADO_E_ITEMNOTFOUND).ErrorMessage(), "Unknown error 0x800A0CC1");
}

TEST_F(KTAdoConnection, UnknownProviderAndForeignFormatsAreRefused)
{
    KTAdo db;
    EXPECT_EQ(db.ConnectDB(("Provider=Other.Provider;Data Source=" + m_path).c_str()), 0);
    EXPECT_EQ(db.ConnectDB(("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + m_path +
                            ";Extended Properties=Excel 8.0;").c_str()),
              0);
    EXPECT_EQ(db.IsConnected(), 0);
}

TEST_F(KTAdoConnection, FileUsesWriteAheadLogging)
{
    KTAdo db;
    ASSERT_EQ(db.ConnectDB(m_path.c_str(), kPassword), 1);
    ASSERT_EQ(db.OpenRecordset("PRAGMA journal_mode", adOpenUnspecified, adLockUnspecified), 1);
    CString mode;
    EXPECT_EQ(db.GetFieldValue(0L, mode), 1);
    EXPECT_STREQ(mode, "wal");
}

TEST_F(KTAdoConnection, DestructorClosesEverythingWithoutThrowing)
{
    auto db = std::make_unique<KTAdo>();
    ASSERT_EQ(db->ConnectDB(m_path.c_str(), kPassword), 1);
    ASSERT_EQ(db->CreateCommand(), 1);
    ASSERT_EQ(db->OpenTable("TBLUser", adOpenDynamic, adLockOptimistic), 1);
    EXPECT_NO_THROW(db.reset());
}

TEST(KTAdoEscape, DoublesSingleQuotes)
{
    EXPECT_STREQ(KTAdo::EscapeString("O'Neil"), "O''Neil");
    EXPECT_STREQ(KTAdo::EscapeString("''"), "''''");
    EXPECT_STREQ(KTAdo::EscapeString(nullptr), "");
}

} // namespace
