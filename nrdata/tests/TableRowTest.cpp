// The operation pattern of the patient, study and user tables on a copy of the stations' empty
// database: every column reaches its member and back, add, get, update (never of the key),
// delete, searches with conditions, texts cut to their widths, NULL dates, keys with quotes and
// wildcard characters, and failures shown to the user with the connection's last error.
#include "support/StationDatabase.h"
#include "support/TableTraits.h"

#include "ktutilex/KTAdo.h"

#include <memory>
#include <set>
#include <string>

namespace {

using namespace nrdata_test;

template <class Traits>
class TableRow : public StationDatabase
{
protected:
    using Table = typename Traits::Table;

    // A row of `key` with `text` in the text column, added through the class.
    void AddRow(const char* key, const char* text)
    {
        Table row(&m_db);
        Traits::Fill(row);
        Traits::SetKey(row, key);
        Traits::Text(row) = text;
        ASSERT_EQ(row.Add(), 1) << key << ": " << m_db.GetLastErrorString().GetString();
    }
    std::string Where(const char* key)
    {
        return std::string(" FROM ") + Traits::kTable + " WHERE " + Traits::kKeyColumn + "='" +
               KTAdo::EscapeString(key).str() + "'";
    }
    int Rows(const char* key) { return Count(("SELECT *" + Where(key)).c_str()); }
    std::string StoredText(const char* key)
    {
        return Text(("SELECT " + std::string(Traits::kTextColumn) + Where(key)).c_str());
    }
    std::set<std::string> KeysOf(Table& table, int rows)
    {
        std::set<std::string> keys;
        for (int i = 0; i < rows; ++i) {
            EXPECT_EQ(table.CursorGet(), 1);
            keys.insert(Traits::Text(table).str());
            table.CursorMove();
        }
        table.CursorClose();
        return keys;
    }
};

using Tables = ::testing::Types<PatientTraits, StudyTraits, UserTraits>;
TYPED_TEST_SUITE(TableRow, Tables);

TYPED_TEST(TableRow, GetReadsEveryColumnIntoItsMember)
{
    std::string columns, values;
    for (const ColumnValue& c : TypeParam::Row()) {
        columns += std::string(columns.empty() ? "" : ", ") + c.column;
        values += std::string(values.empty() ? "" : ", ") + c.literal;
    }
    this->Exec(("INSERT INTO " + std::string(TypeParam::kTable) + " (" + columns + ") VALUES (" + values + ")").c_str());

    typename TypeParam::Table row(&this->m_db);
    TypeParam::Fill(row); // for the key
    TypeParam::Text(row) = "to be replaced";
    ASSERT_EQ(row.Get(), 1);
    TypeParam::ExpectFilled(row);
}

TYPED_TEST(TableRow, AddWritesEveryMemberIntoItsColumn)
{
    typename TypeParam::Table row(&this->m_db);
    TypeParam::Fill(row);
    ASSERT_EQ(row.Add(), 1) << this->m_db.GetLastErrorString().GetString();
    const std::string key = TypeParam::Row()[0].readBack;
    for (const ColumnValue& c : TypeParam::Row()) {
        EXPECT_EQ(this->Text(("SELECT " + std::string(c.column) + this->Where(key.c_str())).c_str()), c.readBack)
            << c.column;
    }
    EXPECT_TRUE(this->Boxes().empty());
}

TYPED_TEST(TableRow, UpdateWritesTheMembersIntoTheRowOfTheKey)
{
    this->AddRow("k1", "before");
    this->AddRow("k2", "other");
    typename TypeParam::Table row(&this->m_db);
    TypeParam::SetKey(row, "k1");
    ASSERT_EQ(row.Get(), 1);
    TypeParam::Text(row) = "after";
    TypeParam::Date(row) = COleDateTime(2007, 1, 2, 3, 4, 5);
    ASSERT_EQ(row.Update(), 1) << this->m_db.GetLastErrorString().GetString();

    typename TypeParam::Table again(&this->m_db);
    TypeParam::SetKey(again, "k1");
    ASSERT_EQ(again.Get(), 1);
    EXPECT_EQ(TypeParam::Text(again), "after");
    EXPECT_EQ(TypeParam::Date(again), COleDateTime(2007, 1, 2, 3, 4, 5));
    EXPECT_EQ(this->StoredText("k2"), "other");
}

TYPED_TEST(TableRow, UpdateNeverChangesAKey)
{
    this->AddRow("k1", "before");
    typename TypeParam::Table row(&this->m_db);
    TypeParam::SetKey(row, "k1");
    ASSERT_EQ(row.Get(), 1);
    TypeParam::SetKey(row, "k9");
    TypeParam::Text(row) = "after";
    EXPECT_EQ(row.Update(), 0);
    // Even a key that differs in case only is another key for Update.
    TypeParam::SetKey(row, "K1");
    EXPECT_EQ(row.Update(), 0);
    EXPECT_EQ(this->StoredText("k1"), "before");
    EXPECT_EQ(this->Rows("k9"), 0);
    EXPECT_TRUE(this->Boxes().empty());
}

TYPED_TEST(TableRow, UpdateOfARowThatIsGoneChangesNothing)
{
    this->AddRow("k1", "before");
    typename TypeParam::Table row(&this->m_db);
    TypeParam::SetKey(row, "k1");
    ASSERT_EQ(row.Get(), 1);
    this->Exec(("DELETE" + this->Where("k1")).c_str());
    EXPECT_EQ(row.Update(), 0);
    EXPECT_EQ(this->Rows("k1"), 0);
}

TYPED_TEST(TableRow, GetOfAMissingKeyKeepsTheMembers)
{
    typename TypeParam::Table row(&this->m_db);
    TypeParam::Fill(row);
    TypeParam::SetKey(row, "nobody");
    TypeParam::Text(row) = "kept";
    EXPECT_EQ(row.Get(), 0);
    EXPECT_EQ(TypeParam::Text(row), "kept");
}

TYPED_TEST(TableRow, DeleteRemovesOnlyTheRowOfTheKey)
{
    this->AddRow("k1", "a");
    this->AddRow("k2", "b");
    typename TypeParam::Table row(&this->m_db);
    TypeParam::SetKey(row, "k1");
    EXPECT_EQ(row.Delete(), 1);
    EXPECT_EQ(this->Rows("k1"), 0);
    EXPECT_EQ(this->Rows("k2"), 1);
    // The statement runs for a key that no row holds.
    EXPECT_EQ(row.Delete(), 1);
}

TYPED_TEST(TableRow, AddOfATakenKeyIsShownAndLeavesTheRowAlone)
{
    this->AddRow("k1", "first");
    typename TypeParam::Table row(&this->m_db);
    TypeParam::Fill(row);
    TypeParam::SetKey(row, "k1");
    TypeParam::Text(row) = "second";
    EXPECT_EQ(row.Add(), 0);
    const auto boxes = this->Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Icon(), static_cast<UINT>(MB_ICONSTOP));
    EXPECT_EQ(boxes[0].text, this->m_db.GetLastErrorString());
    EXPECT_EQ(boxes[0].text.Find("COM ERROR"), 0);
    EXPECT_EQ(this->Rows("k1"), 1);
    EXPECT_EQ(this->StoredText("k1"), "first");
    // The connection is usable afterwards: the failed insert was rolled back.
    this->AddRow("k2", "third");
    EXPECT_EQ(this->Rows("k2"), 1);
}

TYPED_TEST(TableRow, KeysAndTextsWithQuotesAndWildcardsAreLikeAnyOther)
{
    const char* keys[] = { "O'Neil", "O''Neil", "a_c", "a%", "x'; DELETE FROM TBLUser; --" };
    // Rows that a wildcard or a broken quote would wrongly reach.
    const char* decoys[] = { "ONeil", "abc", "a1" };
    for (const char* key : decoys)
        this->AddRow(key, "decoy");
    for (const char* key : keys)
        this->AddRow(key, (std::string("t:") + key).c_str());

    for (const char* key : keys) {
        typename TypeParam::Table row(&this->m_db);
        TypeParam::SetKey(row, key);
        ASSERT_EQ(row.Get(), 1) << key;
        EXPECT_EQ(TypeParam::Text(row).str(), std::string("t:") + key);
        TypeParam::Text(row) = "it's updated";
        ASSERT_EQ(row.Update(), 1) << key;
        EXPECT_EQ(this->StoredText(key), "it's updated");
        EXPECT_EQ(row.Delete(), 1);
        EXPECT_EQ(this->Rows(key), 0) << key;
    }
    for (const char* key : decoys)
        EXPECT_EQ(this->StoredText(key), "decoy") << key;
}

TYPED_TEST(TableRow, TextsLongerThanTheirColumnAreCutOnAddAndUpdate)
{
    const int width = TypeParam::kTextWidth;
    typename TypeParam::Table row(&this->m_db);
    TypeParam::Fill(row);
    TypeParam::SetKey(row, "k1");
    TypeParam::Text(row) = CString('x', width + 1);
    ASSERT_EQ(row.Add(), 1);
    const CString cut = CString('x', width - 3) + "...";
    EXPECT_EQ(TypeParam::Text(row), cut);
    EXPECT_EQ(this->StoredText("k1"), cut.str());

    TypeParam::Text(row) = CString('y', width);
    ASSERT_EQ(row.Update(), 1);
    EXPECT_EQ(this->StoredText("k1"), std::string(width, 'y'));
    TypeParam::Text(row) = CString('z', width + 5);
    ASSERT_EQ(row.Update(), 1);
    EXPECT_EQ(this->StoredText("k1"), std::string(width - 3, 'z') + "...");
}

TYPED_TEST(TableRow, EmptyColumnsReadAsEmptyMembersAndNullDates)
{
    typename TypeParam::Table written(&this->m_db);
    TypeParam::SetKey(written, "k1");
    ASSERT_EQ(written.Add(), 1); // a cleared row: dates null, written as NULL
    EXPECT_EQ(this->Text(("SELECT " + std::string(TypeParam::kDateColumn) + this->Where("k1")).c_str()), "<null>");

    typename TypeParam::Table row(&this->m_db);
    TypeParam::Fill(row);
    TypeParam::SetKey(row, "k1");
    ASSERT_EQ(row.Get(), 1);
    EXPECT_EQ(TypeParam::Date(row).GetStatus(), COleDateTime::null);
    EXPECT_EQ(TypeParam::Text(row), "");
    EXPECT_TRUE(this->Boxes().empty());
}

TYPED_TEST(TableRow, SearchesWalkTheRowsOfTheConditions)
{
    this->AddRow("k1", "apple");
    this->AddRow("k2", "grape");
    this->AddRow("k3", "pineapple");
    typename TypeParam::Table table(&this->m_db);
    const int all = table.CursorOpenCondition();
    EXPECT_EQ(all, 3);
    EXPECT_EQ(this->KeysOf(table, all), (std::set<std::string> { "apple", "grape", "pineapple" }));

    table.AddCondition(FormatString("%s LIKE '%%%s%%'", TypeParam::kTextColumn, "APPLE"));
    table.AddCondition(FormatString("%s<>'k1'", TypeParam::kKeyColumn));
    const int found = table.CursorOpenCondition();
    EXPECT_EQ(found, 1);
    EXPECT_EQ(this->KeysOf(table, found), (std::set<std::string> { "pineapple" }));

    const int ordered = table.CursorOpenEx(FormatString("ORDER BY %s DESC", TypeParam::kKeyColumn));
    ASSERT_EQ(ordered, 3);
    ASSERT_EQ(table.CursorGet(), 1);
    EXPECT_EQ(TypeParam::Text(table), "pineapple");
    table.CursorClose();
}

TYPED_TEST(TableRow, ARowThatCannotBeReadIsShownAndCleared)
{
    this->AddRow("k1", "text");
    typename TypeParam::Table table(&this->m_db);
    // A query that lacks every column but the key: the second column cannot be read.
    ASSERT_EQ(table.CursorOpen(FormatString("SELECT %s FROM %s", TypeParam::kKeyColumn, TypeParam::kTable),
                               adOpenUnspecified, adLockUnspecified),
              1);
    TypeParam::Fill(table);
    EXPECT_EQ(table.CursorGet(), 0);
    EXPECT_EQ(TypeParam::Text(table), "");
    EXPECT_EQ(TypeParam::Date(table).GetStatus(), COleDateTime::null);
    const auto boxes = this->Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Icon(), static_cast<UINT>(MB_ICONSTOP));
    EXPECT_EQ(boxes[0].text, this->m_db.GetLastErrorString());
    EXPECT_FALSE(boxes[0].text.IsEmpty());
}

TYPED_TEST(TableRow, AValueOfAnotherTypeIsShownWithItsColumn)
{
    this->AddRow("k1", "text");
    // Another program wrote a text into a date column.
    this->Exec(FormatString("UPDATE %s SET %s='garbage'", TypeParam::kTable, TypeParam::kDateColumn));
    typename TypeParam::Table row(&this->m_db);
    TypeParam::SetKey(row, "k1");
    EXPECT_EQ(row.Get(), 0);
    const auto boxes = this->Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Icon(), static_cast<UINT>(MB_ICONSTOP));
    EXPECT_EQ(boxes[0].text.Find("COM ERROR\n"), 0);
    EXPECT_GE(boxes[0].text.Find(TypeParam::kDateColumn), 0) << boxes[0].text.GetString();
}

TYPED_TEST(TableRow, ClonesCopyTheRowAndItsLoadedKeyButNoConditions)
{
    this->AddRow("k1", "before");
    typename TypeParam::Table row(&this->m_db);
    TypeParam::SetKey(row, "k1");
    ASSERT_EQ(row.Get(), 1);
    row.AddCondition("1=1");

    std::unique_ptr<typename TypeParam::Table> clone(row.Clone());
    EXPECT_EQ(clone->GetDataBase(), &this->m_db);
    EXPECT_EQ(clone->GetConditionString(0), "");
    EXPECT_EQ(TypeParam::Text(*clone), "before");
    TypeParam::Text(*clone) = "after";
    EXPECT_EQ(clone->Update(), 1);
    EXPECT_EQ(this->StoredText("k1"), "after");

    // Assignment keeps the target's own connection and conditions.
    typename TypeParam::Table other;
    other.AddCondition("2=2");
    other = row;
    EXPECT_EQ(other.GetDataBase(), nullptr);
    EXPECT_EQ(other.GetConditionString(0), "WHERE 2=2");
    EXPECT_EQ(TypeParam::Text(other), "before");
}

TYPED_TEST(TableRow, ClearEmptiesTheRowAndTheConditions)
{
    typename TypeParam::Table row(&this->m_db);
    TypeParam::Fill(row);
    row.AddCondition("1=1");
    row.Clear();
    EXPECT_EQ(TypeParam::Text(row), "");
    EXPECT_EQ(TypeParam::Date(row).GetStatus(), COleDateTime::null);
    EXPECT_EQ(row.GetConditionString(0), "");
    EXPECT_EQ(row.GetDataBase(), &this->m_db);
}

} // namespace
