// A temporary copy of the stations' empty database for the table tests, with a few helpers to
// put rows in and read them out with plain SQL, past the table classes.
#pragma once

#include "ktutilex/KTAdo.h"
#include "testkit/ScriptedDialogs.h"
#include "testkit/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nrdata_test {

class StationDatabase : public ::testing::Test
{
protected:
    // Copies TarvicII.mdb from the program folder into a folder of its own and connects to it
    // with the stations' password; message boxes are answered and recorded.
    void SetUp() override;
    void TearDown() override;

    // Runs one statement; the test fails when it does not.
    void Exec(const char* sql);
    // The number of rows of a query (-1 when it fails).
    int Count(const char* sql);
    // The first column of the first row of a query as text: numbers with %g, dates as
    // "yyyy-mm-dd hh:mm:ss", "<null>" for NULL, "<none>" without a row or when the query fails.
    std::string Text(const char* sql);
    // The message boxes shown since the last call.
    std::vector<platform::msg::MessageBoxRequest> Boxes();

    testkit::TempFolder m_folder;
    std::string m_path;
    testkit::ScriptedDialogs m_dialogs;
    KTAdo m_db;
};

} // namespace nrdata_test
