// Two programs (the central and the review station) writing one database file at the same time.
// The test starts a second process running this same test program and both write rows with the
// table classes' pattern of calls; neither may see "database is locked" or lose a row.
#include "ktutilex/KTAdo.h"
#include "support/TestDatabase.h"
#include "testkit/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

using ktado_test::CreateStationDatabase;
using ktado_test::kPassword;
using testkit::TempFolder;

namespace {

constexpr int kRowsPerProcess = 150;
constexpr const char* kChildDatabase = "KTADO_CHILD_DATABASE";

// Adds and then updates `count` study rows whose patient id is `prefix`; returns the failures.
int WriteStudies(const std::string& path, const char* prefix, int count)
{
    KTAdo db;
    if (!db.ConnectDB(path.c_str(), kPassword)) {
        ADD_FAILURE() << db.GetLastErrorString().GetString();
        return count;
    }
    int failures = 0;
    for (int i = 0; i < count; ++i) {
        const CString studyId = FormatString("%06d", i);
        // Add: open the table, begin, add, set, update, commit.
        bool ok = db.OpenTable("TBLStudy", adOpenDynamic, adLockOptimistic) && db.BeginTrans() && db.AddNew() &&
                  db.SetFieldValue("S_ID", prefix) && db.SetFieldValue("S_STUDY_ID", studyId) &&
                  db.SetFieldValue("S_LENGTH", 0L) && db.Update() && db.CommitTrans();
        if (!ok) {
            ADD_FAILURE() << "add " << prefix << i << ": " << db.GetLastErrorString().GetString();
            db.Rollback();
            ++failures;
        }
        db.CloseRecordset();
        // Update: open the row, begin, set, update, commit.
        const CString select = FormatString("SELECT * FROM TBLStudy WHERE S_ID='%s' AND S_STUDY_ID='%s'", prefix,
                                            studyId.GetString());
        ok = db.OpenRecordset(select, adOpenDynamic, adLockOptimistic) && db.MoveFirst() && db.BeginTrans() &&
             db.SetFieldValue("S_LENGTH", static_cast<long>(i + 1)) && db.Update() && db.CommitTrans();
        if (!ok) {
            ADD_FAILURE() << "update " << prefix << i << ": " << db.GetLastErrorString().GetString();
            db.Rollback();
            ++failures;
        }
        db.CloseRecordset();
        // And a reader's walk now and then, as the review station's lists do.
        if (i % 10 == 0 && (db.OpenRecordset("SELECT * FROM TBLStudy", adOpenUnspecified, adLockUnspecified) != 1 ||
                            db.GetRecordCount() < i)) {
            ADD_FAILURE() << "read: " << db.GetLastErrorString().GetString();
            ++failures;
        }
    }
    return failures;
}

// The second process's half; it does nothing when run on its own.
TEST(KTAdoTwoProcessesChild, WritesItsStudies)
{
    const char* path = std::getenv(kChildDatabase);
    if (!path)
        GTEST_SKIP() << "runs only as the second process of KTAdoTwoProcesses";
    EXPECT_EQ(WriteStudies(path, "child", kRowsPerProcess), 0);
}

TEST(KTAdoTwoProcesses, BothWriteOneFileAtOnceWithoutLosingARow)
{
    TempFolder folder;
    const std::string path = folder / "TarvicII.mdb";
    CreateStationDatabase(path);

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        setenv(kChildDatabase, path.c_str(), 1);
        execl("/proc/self/exe", "/proc/self/exe", "--gtest_filter=KTAdoTwoProcessesChild.*", "--gtest_brief=1",
              static_cast<char*>(nullptr));
        _exit(127);
    }
    const int failures = WriteStudies(path, "parent", kRowsPerProcess);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_EQ(failures, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);

    KTAdo db;
    ASSERT_EQ(db.ConnectDB(path.c_str(), kPassword), 1);
    for (const char* prefix : { "parent", "child" }) {
        ASSERT_EQ(db.OpenRecordset(FormatString("SELECT * FROM TBLStudy WHERE S_ID='%s'", prefix),
                                   adOpenUnspecified, adLockUnspecified),
                  1);
        EXPECT_EQ(db.GetRecordCount(), kRowsPerProcess) << prefix;
        ASSERT_EQ(db.OpenRecordset(FormatString("SELECT SUM(S_LENGTH) FROM TBLStudy WHERE S_ID='%s'", prefix),
                                   adOpenUnspecified, adLockUnspecified),
                  1);
        long sum = 0;
        EXPECT_EQ(db.GetFieldValue(0L, sum), 1);
        EXPECT_EQ(sum, kRowsPerProcess * (kRowsPerProcess + 1) / 2) << prefix;
    }
}

} // namespace
