// GetUniqueId of the patient and the user table: today's date and the first free number, and
// no endless search when the database cannot be asked.
#include "support/StationDatabase.h"
#include "support/TableTraits.h"

#include <string>

namespace {

using namespace nrdata_test;

template <class Traits>
class TableUniqueId : public StationDatabase
{
protected:
    static std::string Today()
    {
        const COleDateTime now = COleDateTime::GetCurrentTime();
        return FormatString("%04d%02d%02d", now.GetYear(), now.GetMonth(), now.GetDay()).str();
    }
    void Take(const std::string& id)
    {
        Exec(FormatString("INSERT INTO %s (%s) VALUES ('%s')", Traits::kTable, Traits::kKeyColumn, id.c_str()));
    }
    // The id, or a skip when the date changed while the test ran.
    std::string UniqueId(const std::string& today)
    {
        const std::string id = Traits::Table::GetUniqueId(&m_db).str();
        if (Today() != today)
            return "";
        return id;
    }
};

struct PatientIds : PatientTraits {};
struct UserIds : UserTraits {};
using Tables = ::testing::Types<PatientIds, UserIds>;
TYPED_TEST_SUITE(TableUniqueId, Tables);

TYPED_TEST(TableUniqueId, TheFirstFreeNumberOfToday)
{
    const std::string today = this->Today();
    EXPECT_EQ(this->UniqueId(today), today + "-001");
    this->Take(today + "-001");
    this->Take(today + "-002");
    this->Take(today + "-004");
    EXPECT_EQ(this->UniqueId(today), today + "-003");
}

TYPED_TEST(TableUniqueId, FromOneThousandOnTheNumberHasFourDigits)
{
    const std::string today = this->Today();
    ASSERT_EQ(this->m_db.BeginTrans(), 1);
    for (int n = 1; n <= 999; ++n)
        this->Take(FormatString("%s-%03d", today.c_str(), n).str());
    ASSERT_EQ(this->m_db.CommitTrans(), 1);
    EXPECT_EQ(this->UniqueId(today), today + "-1000");
}

TYPED_TEST(TableUniqueId, GivesUpWithAnEmptyIdWhenTheQueryFails)
{
    this->Exec(FormatString("DROP TABLE %s", TypeParam::kTable));
    EXPECT_EQ(TypeParam::Table::GetUniqueId(&this->m_db), "");
    EXPECT_EQ(TypeParam::Table::GetUniqueId(nullptr), "");
}

} // namespace
