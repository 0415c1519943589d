// A temporary copy of the stations' empty database for the table tests.
#include "support/StationDatabase.h"

#include "testkit/BuildFolders.h"

#include <filesystem>

namespace nrdata_test {

namespace {

constexpr const char* kStationPassword = "vam38216";

} // namespace

void StationDatabase::SetUp()
{
    const std::filesystem::path source = std::filesystem::path(testkit::ProgramFolder()) / "TarvicII.mdb";
    ASSERT_TRUE(std::filesystem::exists(source)) << source << " is missing: build ktutilex_template_database";
    m_path = m_folder / "TarvicII.mdb";
    std::filesystem::copy_file(source, m_path);
    ASSERT_EQ(m_db.ConnectDB(m_path.c_str(), kStationPassword), 1) << m_db.GetLastErrorString().GetString();
    m_dialogs.Reset();
}

void StationDatabase::TearDown() { m_db.Disconnect(); }

void StationDatabase::Exec(const char* sql)
{
    EXPECT_EQ(m_db.ExecuteSQL(sql), 1) << sql << "\n" << m_db.GetLastErrorString().GetString();
}

int StationDatabase::Count(const char* sql)
{
    if (!m_db.OpenRecordset(sql, adOpenUnspecified, adLockUnspecified))
        return -1;
    const int count = static_cast<int>(m_db.GetRecordCount());
    m_db.CloseRecordset();
    return count;
}

std::string StationDatabase::Text(const char* sql)
{
    std::string text = "<none>";
    if (m_db.OpenRecordset(sql, adOpenUnspecified, adLockUnspecified) && !m_db.IsEOF()) {
        _variant_t value;
        m_db.GetFieldValue(_variant_t(0L), value);
        switch (value.vt) {
        case VT_NULL: text = "<null>"; break;
        case VT_BSTR: text = value.GetText().str(); break;
        case VT_I4: text = std::to_string(value.lVal); break;
        case VT_R8: text = FormatString("%g", value.dblVal).str(); break;
        case VT_DATE: text = COleDateTime(value.date).Format("%Y-%m-%d %H:%M:%S").str(); break;
        default: text = "<type " + std::to_string(value.vt) + ">"; break;
        }
    }
    m_db.CloseRecordset();
    return text;
}

std::vector<platform::msg::MessageBoxRequest> StationDatabase::Boxes() { return m_dialogs.Boxes(); }

} // namespace nrdata_test
