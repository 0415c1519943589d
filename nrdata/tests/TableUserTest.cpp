// The user table's name lookup: "<name>(<id>)" of exactly the user asked for.
#include "nrdata/table/TBLUser.h"
#include "support/StationDatabase.h"

namespace {

class TableUser : public nrdata_test::StationDatabase
{
protected:
    void AddUser(const char* id, const char* name)
    {
        TBLUser user(&m_db);
        user.M_ID = id;
        user.M_NAME = name;
        user.M_LEVEL = 2;
        ASSERT_EQ(user.Add(), 1) << id;
    }
};

TEST_F(TableUser, NameStringIsTheNameWithTheIdInBrackets)
{
    AddUser("doc1", "Hana Kim");
    AddUser("doc2", "");
    EXPECT_EQ(TBLUser::GetUserNameStringInDatabase(&m_db, "doc1"), "Hana Kim(doc1)");
    EXPECT_EQ(TBLUser::GetUserNameStringInDatabase(&m_db, "doc2"), "(doc2)");
    EXPECT_EQ(TBLUser::GetUserNameStringInDatabase(&m_db, "nobody"), "");
    EXPECT_EQ(TBLUser::GetUserNameStringInDatabase(&m_db, ""), "");
    EXPECT_EQ(TBLUser::GetUserNameStringInDatabase(nullptr, "doc1"), "");
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(TableUser, IdsWithWildcardsOrQuotesNameOnlyThemselves)
{
    AddUser("nurse1", "Ana");
    AddUser("nurseA", "Bea");
    AddUser("O'Hara", "Cora");
    struct Case
    {
        const char* id;
        const char* expected;
    } cases[] = {
        { "nurse_", "" },    // would match nurse1 as a LIKE pattern
        { "nurse%", "" },
        { "%", "" },
        { "_'Hara", "" },
        { "O'Hara", "Cora(O'Hara)" },
        { "nurseA", "Bea(nurseA)" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(TBLUser::GetUserNameStringInDatabase(&m_db, c.id).str(), c.expected) << c.id;

    AddUser("nurse_", "Dana");
    EXPECT_EQ(TBLUser::GetUserNameStringInDatabase(&m_db, "nurse_"), "Dana(nurse_)");
}

TEST_F(TableUser, APasswordOfFiftyOneCharactersIsCutToFifty)
{
    TBLUser user(&m_db);
    user.M_ID = "sys";
    user.M_PASSWORD = CString('p', 51);
    ASSERT_EQ(user.Add(), 1);
    EXPECT_EQ(user.M_PASSWORD.GetLength(), 50);
    EXPECT_EQ(Text("SELECT M_PASSWORD FROM TBLUser WHERE M_ID='sys'"), std::string(47, 'p') + "...");
}

} // namespace
