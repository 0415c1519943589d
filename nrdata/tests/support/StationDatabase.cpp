// A temporary copy of the stations' empty database for the table tests.
#include "support/StationDatabase.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace nrdata_test {

namespace {

constexpr const char* kStationPassword = "vam38216";

// The build's program folder: WARD_BIN_DIR, else bin/ beside the tests' own folder.
std::filesystem::path ProgramFolder()
{
    if (const char* bin = std::getenv("WARD_BIN_DIR"); bin && *bin)
        return bin;
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "bin";
}

} // namespace

void StationDatabase::SetUp()
{
    const std::filesystem::path source = ProgramFolder() / "TarvicII.mdb";
    ASSERT_TRUE(std::filesystem::exists(source)) << source << " is missing: build ktutilex_template_database";
    std::string pattern = (std::filesystem::temp_directory_path() / "nrdata-tables-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    m_folder = pattern;
    m_path = m_folder + "/TarvicII.mdb";
    std::filesystem::copy_file(source, m_path);
    ASSERT_EQ(m_db.ConnectDB(m_path.c_str(), kStationPassword), 1) << m_db.GetLastErrorString().GetString();
    platform::msg::ResetMessageBoxScript();
}

void StationDatabase::TearDown()
{
    m_db.Disconnect();
    platform::msg::ResetMessageBoxScript();
    std::error_code ignored;
    if (!m_folder.empty())
        std::filesystem::remove_all(m_folder, ignored);
}

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

std::vector<platform::msg::MessageBoxRequest> StationDatabase::Boxes() { return platform::msg::TakeShownMessageBoxes(); }

} // namespace nrdata_test
