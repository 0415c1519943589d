// The recording file's name stem: patient id, "_", study id, with nothing that could lead the
// name out of the "Records" folder; and the file's place below the data folder.
#include "nrdata/record/RecordFilePath.h"
#include "nrdata/table/RecordFileStem.h"

#include "ktutil/KTGF.h"

#include "platform/core/ModulePath.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(RecordStem, OrdinaryIdsAreJoinedUnchanged)
{
    EXPECT_EQ(MakeRecordFileStem("20060307-001", "20060307140509"), "20060307-001_20060307140509");
    EXPECT_EQ(MakeRecordFileStem("Kim.H", "20060307140509"), "Kim.H_20060307140509");
    // Multi-byte characters pass through.
    EXPECT_EQ(MakeRecordFileStem("\xEA\xB9\x80", "1"), "\xEA\xB9\x80_1");
    EXPECT_EQ(MakeRecordFileStem("", nullptr), "_");
}

TEST(RecordStem, CharactersAFileNameMayNotHoldBecomeUnderscores)
{
    struct Case
    {
        const char* patientId;
        const char* studyId;
        const char* stem;
    } cases[] = {
        { "../../etc/passwd", "1", "____etc_passwd_1" },
        { "..", "..", "___" },
        { "a/b", "c/d", "a_b_c_d" },
        { "/abs", "1", "_abs_1" },
        { "a\\b", "1", "a_b_1" },
        { "a:b*c?d", "\"<>|", "a_b_c_d_____" },
        { "tab\there", "new\nline", "tab_here_new_line" },
        { "a...b", "1", "a_.b_1" },
    };
    for (const Case& c : cases) {
        const std::string stem = MakeRecordFileStem(c.patientId, c.studyId).str();
        EXPECT_EQ(stem, c.stem) << c.patientId << " / " << c.studyId;
        EXPECT_EQ(stem.find('/'), std::string::npos);
        EXPECT_EQ(stem.find(".."), std::string::npos);
    }
}

TEST(RecordPath, FilesLieInTheRecordsFolderBelowTheDataFolder)
{
    using namespace nrdata::record;
    EXPECT_EQ(RecordsFolderOf("/data/ward"), "/data/ward/Records");
    EXPECT_EQ(RecordFilePathOf("/data/ward", "P_1", "20240101083000", kCommittedExtension),
              "/data/ward/Records/P_1_20240101083000.FMF");
    EXPECT_EQ(RecordFilePathOf("/data/ward/", "../x", "1", kWorkingExtension), "/data/ward/Records/__x_1.TMP");
    // A blank data folder is the program's folder, as for every path; a path that is not valid
    // gives way to the classic fixed folder below the home folder.
    const CString besideProgram = KTGF::MakePath(KTGF::GetModulePath(), "Records");
    EXPECT_EQ(RecordsFolderOf(""), besideProgram);
    EXPECT_EQ(RecordsFolderOf(nullptr), besideProgram);
    EXPECT_EQ(RecordsFolderOf("bad|path"), platform::GetHomeFolder() + "/TarvicII/Data/Records");
}

} // namespace
