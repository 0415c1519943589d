// The table classes and the stations' empty database agree: every class lists the columns of
// its table in the table's order, with the table's types, text widths and key.
#include "nrdata/table/TBLPatient.h"
#include "nrdata/table/TBLStudy.h"
#include "nrdata/table/TBLUser.h"
#include "support/StationDatabase.h"

#include <string>
#include <vector>

namespace {

struct ColumnShape
{
    std::string name;
    std::string type; // TEXT(n), DATETIME, INTEGER, DOUBLE
    bool key;
    bool operator==(const ColumnShape&) const = default;
};

void PrintTo(const ColumnShape& c, std::ostream* out) { *out << c.name << " " << c.type << (c.key ? " key" : ""); }

template <class Data>
std::vector<ColumnShape> ClassShape(std::span<const TBLColumn<Data>> columns)
{
    std::vector<ColumnShape> shape;
    for (const TBLColumn<Data>& column : columns) {
        std::string type;
        switch (column.Type()) {
        case TBLColumnType::Text: type = "TEXT(" + std::to_string(column.width) + ")"; break;
        case TBLColumnType::Date: type = "DATETIME"; break;
        case TBLColumnType::Long: type = "INTEGER"; break;
        case TBLColumnType::Double: type = "DOUBLE"; break;
        }
        shape.push_back({ column.name, type, column.key });
    }
    return shape;
}

class TableSchema : public nrdata_test::StationDatabase
{
protected:
    std::vector<ColumnShape> DatabaseShape(const char* table)
    {
        std::vector<ColumnShape> shape;
        const CString sql = FormatString("SELECT name, type, pk FROM pragma_table_info('%s') ORDER BY cid", table);
        EXPECT_EQ(m_db.OpenRecordset(sql, adOpenUnspecified, adLockUnspecified), 1) << m_db.GetLastErrorString().GetString();
        while (!m_db.IsEOF()) {
            CString name, type;
            long key = 0;
            m_db.GetFieldValue("name", name);
            m_db.GetFieldValue("type", type);
            m_db.GetFieldValue("pk", key);
            shape.push_back({ name.str(), type.MakeUpper().str(), key != 0 });
            m_db.MoveNext();
        }
        m_db.CloseRecordset();
        return shape;
    }
};

TEST_F(TableSchema, PatientClassMatchesTheDatabase)
{
    EXPECT_EQ(ClassShape(TBLPatient::Columns()), DatabaseShape("TBLPatient"));
}

TEST_F(TableSchema, StudyClassMatchesTheDatabase)
{
    EXPECT_EQ(ClassShape(TBLStudy::Columns()), DatabaseShape("TBLStudy"));
}

TEST_F(TableSchema, UserClassMatchesTheDatabase)
{
    EXPECT_EQ(ClassShape(TBLUser::Columns()), DatabaseShape("TBLUser"));
}

} // namespace
