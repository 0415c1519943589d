// KTGF copying, moving and deleting with progress, cancel and the "Overwrite ?" question, in a
// temporary tree.
#include "ktutil/KTCallBack.h"
#include "ktutil/KTGF.h"

#include "platform/core/Collections.h"
#include "testkit/ScriptedDialogs.h"
#include "testkit/TempFolder.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

using testkit::PatternBytes;
using testkit::TempFolder;
using Strings = std::vector<std::string>;

// ---- a progress target that records what it is told ------------------------------------------------

struct Seen
{
    LONG code;
    KTNotifyProgress record;
};

struct Recorder
{
    std::vector<Seen> seen;
    std::vector<LONG> userValues;
    int cancelAt { 0 };                     // answer 1 on this call (1-based); 0: never
    std::function<void()> onCall;
};

Recorder g_recorder;

LONG Record(__KTNotify* notify, LONG userValue)
{
    g_recorder.seen.push_back({ notify->nCode, *notify->pProgress });
    g_recorder.userValues.push_back(userValue);
    if (g_recorder.onCall)
        g_recorder.onCall();
    return static_cast<int>(g_recorder.seen.size()) == g_recorder.cancelAt ? KTCALLBACK_CANCEL : 0;
}

KTCallBack Target() { return KTCallBack(Record, 77); }

class KTGFCopy : public ::testing::Test
{
protected:
    void SetUp() override { g_recorder = Recorder(); }

    // Files left behind by an abandoned copy.
    bool HasPartFiles() const
    {
        for (const std::string& entry : dir.Tree())
            if (entry.find(".part") != std::string::npos)
                return true;
        return false;
    }

    TempFolder dir;
    // "Overwrite ?" is answered through the window layer's message-box hook.
    testkit::ScriptedDialogs dialogs;
};

// ---- single-file copy ----------------------------------------------------------------------------------

TEST_F(KTGFCopy, CopiesContentTimesAndReadOnly)
{
    for (std::size_t size : { 0u, 1u, 4095u, 4096u, 4097u, 10000u }) {
        SCOPED_TRACE(size);
        const std::string name = "src" + std::to_string(size);
        const CString source = dir.Write(name, PatternBytes(size));
        EXPECT_EQ(KTGF::CopyFileA(source, dir.Path("out/" + name), FALSE, TRUE), 0);
        EXPECT_EQ(dir.Read("out/" + name), PatternBytes(size));
    }
    const CString source = dir.Path("src10000");
    std::filesystem::last_write_time(source.GetString(),
        std::filesystem::last_write_time(source.GetString()) - std::chrono::hours(48));
    KTGF::SetReadOnly(source, TRUE);
    EXPECT_EQ(KTGF::CopyFileA(source, dir.Path("ro"), FALSE, FALSE), 0);
    struct stat copied {}, original {};
    stat(dir.Path("ro"), &copied);
    stat(source, &original);
    EXPECT_EQ(copied.st_mtime, original.st_mtime);
    EXPECT_TRUE(KTGF::IsReadOnly(dir.Path("ro")));
    EXPECT_FALSE(HasPartFiles());
}

TEST_F(KTGFCopy, CopyResultCodes)
{
    const CString source = dir.Write("a.txt", "abc");
    EXPECT_EQ(KTGF::CopyFileA(dir.Path("none"), dir.Path("b"), FALSE, TRUE), KTGF_INVALID_PATH);
    EXPECT_EQ(KTGF::CopyFileA(dir.Path("sub"), dir.Path("b"), FALSE, TRUE), KTGF_INVALID_PATH);
    EXPECT_EQ(KTGF::CopyFileA(source, dir.Path("b?"), FALSE, TRUE), KTGF_INVALID_PATH);
    EXPECT_EQ(KTGF::CopyFileA(source, dir.Path("b/"), FALSE, TRUE), KTGF_INVALID_PATH);
    EXPECT_EQ(KTGF::CopyFileA(source, dir.Path("missing/b"), FALSE, FALSE), KTGF_NO_TARGET_DIR);
    EXPECT_FALSE(dir.Exists("missing"));
    EXPECT_EQ(KTGF::CopyFileA(source, dir.Path("made/here/b"), FALSE, TRUE), 0);
    EXPECT_EQ(dir.Read("made/here/b"), "abc");
    // A read-only target is not overwritten.
    dir.Write("locked", "old");
    KTGF::SetReadOnly(dir.Path("locked"), TRUE);
    EXPECT_EQ(KTGF::CopyFileA(source, dir.Path("locked"), FALSE, FALSE), KTGF_CREATE_FAILED);
    EXPECT_EQ(dir.Read("locked"), "old");
    if (geteuid() != 0) { // root reads everything
        dir.Write("secret", "s");
        chmod(dir.Path("secret"), 0);
        EXPECT_EQ(KTGF::CopyFileA(dir.Path("secret"), dir.Path("s2"), FALSE, FALSE), KTGF_OPEN_FAILED);
        EXPECT_FALSE(dir.Exists("s2"));
    }
}

TEST_F(KTGFCopy, CopyOntoItselfIsRefusedAndKeepsTheFile)
{
    const CString source = dir.Write("data/a.fmf", PatternBytes(9000));
    dir.MakeDir("data/sub");
    const std::vector<CString> sameFile = {
        source,
        dir.Path("data/./a.fmf"),
        dir.Path("data/sub/../a.fmf"),
    };
    std::filesystem::create_hard_link(source.GetString(), dir.Path("data/link.fmf").GetString());
    for (const CString& target : sameFile) {
        SCOPED_TRACE(target.GetString());
        EXPECT_EQ(KTGF::CopyFileA(source, target, FALSE, FALSE), KTGF_CREATE_FAILED);
        EXPECT_EQ(KTGF::CopyFileA(source, target, TRUE, FALSE), KTGF_CREATE_FAILED);
        EXPECT_EQ(KTGF::MoveFileA(source, target, FALSE), KTGF_CREATE_FAILED);
    }
    EXPECT_EQ(KTGF::CopyFileA(source, dir.Path("data/link.fmf"), FALSE, FALSE), KTGF_CREATE_FAILED);
    EXPECT_EQ(dir.Read("data/a.fmf"), PatternBytes(9000));
    EXPECT_TRUE(dialogs.BoxTexts().empty()) << "no question about overwriting the source with itself";
}

TEST_F(KTGFCopy, OverwriteQuestionAnsweredYesNoCancel)
{
    const CString source = dir.Write("new", "new content");
    dir.Write("old", "old");
    struct Case {
        int answer;
        int result;
        const char* targetAfter;
    };
    const std::vector<Case> cases = {
        { IDCANCEL, KTGF_CANCELLED, "old" },
        { IDNO, KTGF_NOT_OVERWRITTEN, "old" },
        { IDYES, KTGF_DONE, "new content" },
    };
    for (const Case& c : cases) {
        dir.Write("old", "old");
        dialogs.AnswerBoxes({ c.answer });
        EXPECT_EQ(KTGF::CopyFileA(source, dir.Path("old"), TRUE, FALSE), c.result);
        const std::vector<platform::msg::MessageBoxRequest> shown = dialogs.Boxes();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text, "Overwrite ?");
        EXPECT_EQ(shown[0].Buttons(), static_cast<UINT>(MB_YESNOCANCEL));
        EXPECT_EQ(shown[0].Icon(), static_cast<UINT>(MB_ICONQUESTION));
        EXPECT_EQ(dir.Read("old"), c.targetAfter);
    }
    // Without the ask flag nobody is asked.
    dir.Write("old", "old");
    EXPECT_EQ(KTGF::CopyFileA(source, dir.Path("old"), FALSE, FALSE), 0);
    EXPECT_TRUE(dialogs.BoxTexts().empty());
    EXPECT_EQ(dir.Read("old"), "new content");
}

TEST_F(KTGFCopy, ProgressReportsEveryBlock)
{
    const CString source = dir.Write("a.bin", PatternBytes(10000));
    KTCallBack target = Target();
    EXPECT_EQ(KTGF::CopyFileA(source, dir.Path("b.bin"), FALSE, FALSE, &target), 0);
    ASSERT_EQ(g_recorder.seen.size(), 3u);
    EXPECT_EQ(g_recorder.userValues, (std::vector<LONG> { 77, 77, 77 }));
    const std::vector<DWORD> done = { 4096, 8192, 10000 };
    const std::vector<LONG> percent = { 40, 81, 100 };
    for (std::size_t i = 0; i < 3; ++i) {
        const KTNotifyProgress& r = g_recorder.seen[i].record;
        EXPECT_EQ(g_recorder.seen[i].code, KTNOTIFY_COPY);
        EXPECT_EQ(r.nFileCount, 1);
        EXPECT_EQ(r.nTotalSize, 10000);
        EXPECT_EQ(r.nFileNumber, 1);
        EXPECT_EQ(r.nFileSize, 10000u);
        EXPECT_EQ(r.strFileName, source);
        EXPECT_EQ(r.nFileDone, done[i]);
        EXPECT_EQ(r.nTotalDone, static_cast<LONGLONG>(done[i]));
        EXPECT_EQ(r.nFilePercent, percent[i]);
        EXPECT_EQ(r.nTotalPercent, percent[i]);
    }
}

TEST_F(KTGFCopy, CancelLeavesNoPartialTarget)
{
    const CString source = dir.Write("a.bin", PatternBytes(20000));
    g_recorder.cancelAt = 2;
    KTCallBack target = Target();
    EXPECT_EQ(KTGF::CopyFileA(source, dir.Path("out/b.bin"), FALSE, TRUE, &target), KTGF_CANCELLED);
    EXPECT_EQ(g_recorder.seen.size(), 2u);
    EXPECT_FALSE(dir.Exists("out/b.bin"));
    EXPECT_FALSE(HasPartFiles());

    // An existing target survives a cancelled overwrite whole.
    dir.Write("out/b.bin", "previous");
    g_recorder = Recorder();
    g_recorder.cancelAt = 1;
    EXPECT_EQ(KTGF::CopyFileA(source, dir.Path("out/b.bin"), FALSE, TRUE, &target), KTGF_CANCELLED);
    EXPECT_EQ(dir.Read("out/b.bin"), "previous");
    EXPECT_FALSE(HasPartFiles());
}

TEST_F(KTGFCopy, PercentagesOfAGrowingFileStayAt100)
{
    const CString source = dir.Write("grow.log", PatternBytes(5000));
    g_recorder.onCall = [&] { std::ofstream(source.GetString(), std::ios::app) << PatternBytes(3000); };
    KTCallBack target = Target();
    EXPECT_EQ(KTGF::CopyFileA(source, dir.Path("copy.log"), FALSE, FALSE, &target), 0);
    ASSERT_GE(g_recorder.seen.size(), 2u);
    for (const Seen& s : g_recorder.seen) {
        EXPECT_LE(s.record.nFilePercent, 100);
        EXPECT_LE(s.record.nTotalPercent, 100);
    }
    EXPECT_EQ(g_recorder.seen.back().record.nFilePercent, 100);
}

TEST_F(KTGFCopy, MessageModeWithoutAWindowAnswersNothing)
{
    const CString source = dir.Write("a.bin", PatternBytes(100));
    KTCallBack nobody(static_cast<HWND>(nullptr), 0x8001, 5);
    EXPECT_EQ(KTGF::CopyFileA(source, dir.Path("b.bin"), FALSE, FALSE, &nobody), 0);
    KTCallBack empty;
    __KTNotify notify;
    EXPECT_EQ(empty.CallBack(&notify), 0);
}

// ---- single-file move -------------------------------------------------------------------------------------

TEST_F(KTGFCopy, MoveWithinAFileSystemRenamesAndReportsOnce)
{
    const CString source = dir.Write("a.bin", PatternBytes(5000));
    KTCallBack target = Target();
    EXPECT_EQ(KTGF::MoveFileA(source, dir.Path("to/b.bin"), FALSE, &target), 0);
    EXPECT_FALSE(dir.Exists("a.bin"));
    EXPECT_EQ(dir.Read("to/b.bin"), PatternBytes(5000));
    ASSERT_EQ(g_recorder.seen.size(), 1u);
    const KTNotifyProgress& r = g_recorder.seen[0].record;
    EXPECT_EQ(g_recorder.seen[0].code, KTNOTIFY_MOVE);
    EXPECT_EQ(r.nFileCount, 1);
    EXPECT_EQ(r.nFileNumber, 1);
    EXPECT_EQ(r.strFileName, source);
    EXPECT_EQ(r.nFileSize, 5000u);
    EXPECT_EQ(r.nFileDone, 5000u);
    EXPECT_EQ(r.nTotalDone, 5000);
    EXPECT_EQ(r.nTotalPercent, 100);
    EXPECT_EQ(r.nFilePercent, 100);
}

TEST_F(KTGFCopy, AnEmptyFileCountsAs100Percent)
{
    const CString source = dir.Write("empty.log", "");
    KTCallBack target = Target();
    EXPECT_EQ(KTGF::MoveFileA(source, dir.Path("moved.log"), FALSE, &target), 0);
    ASSERT_EQ(g_recorder.seen.size(), 1u);
    EXPECT_EQ(g_recorder.seen[0].record.nTotalSize, 0);
    EXPECT_EQ(g_recorder.seen[0].record.nTotalPercent, 100);
    EXPECT_EQ(g_recorder.seen[0].record.nFilePercent, 100);

    dir.Write("dst/moved.log", "existing");
    CStringArray list;
    list.Add(dir.Path("moved.log"));
    dialogs.AnswerBoxes({ IDNO });
    g_recorder = Recorder();
    EXPECT_EQ(KTGF::CopyMulti(list, dir.Path("dst"), nullptr, TRUE, &target), 0);
    ASSERT_EQ(g_recorder.seen.size(), 1u);
    EXPECT_EQ(g_recorder.seen[0].record.nTotalPercent, 100);
    EXPECT_EQ(dir.Read("dst/moved.log"), "existing");
}

TEST_F(KTGFCopy, MoveNeverRenamesOntoAnExistingFile)
{
    const CString source = dir.Write("a", "source");
    dir.Write("b", "target");
    EXPECT_EQ(KTGF::MoveFileA(source, dir.Path("b"), FALSE), KTGF_FAILED);
    EXPECT_EQ(dir.Read("a"), "source");
    EXPECT_EQ(dir.Read("b"), "target");

    dialogs.AnswerBoxes({ IDNO });
    EXPECT_EQ(KTGF::MoveFileA(source, dir.Path("b"), TRUE), KTGF_NOT_OVERWRITTEN);
    dialogs.AnswerBoxes({ IDCANCEL });
    EXPECT_EQ(KTGF::MoveFileA(source, dir.Path("b"), TRUE), KTGF_CANCELLED);
    EXPECT_EQ(dir.Read("b"), "target");
    // Yes replaces the target; the source goes after the copy.
    dialogs.AnswerBoxes({ IDYES });
    EXPECT_EQ(KTGF::MoveFileA(source, dir.Path("b"), TRUE), 0);
    EXPECT_EQ(dir.Read("b"), "source");
    EXPECT_FALSE(dir.Exists("a"));
    EXPECT_EQ(KTGF::MoveFileA(dir.Path("none"), dir.Path("c"), FALSE), KTGF_INVALID_PATH);
}

// ---- across file systems ----------------------------------------------------------------------------------

class KTGFAcross : public KTGFCopy
{
protected:
    void SetUp() override
    {
        KTGFCopy::SetUp();
        if (testkit::OtherFileSystem().empty())
            GTEST_SKIP() << "no second file system to move to";
        other = std::make_unique<TempFolder>(testkit::OtherFileSystem());
    }
    std::unique_ptr<TempFolder> other;
};

TEST_F(KTGFAcross, MoveCopiesThenDeletesTheSource)
{
    const CString source = dir.Write("a.bin", PatternBytes(9000));
    KTCallBack target = Target();
    EXPECT_EQ(KTGF::MoveFileA(source, other->Path("in/a.bin"), FALSE, &target), 0);
    EXPECT_FALSE(dir.Exists("a.bin"));
    EXPECT_EQ(other->Read("in/a.bin"), PatternBytes(9000));
    ASSERT_EQ(g_recorder.seen.size(), 3u);
    EXPECT_EQ(g_recorder.seen.back().record.nTotalPercent, 100);
}

TEST_F(KTGFAcross, ACancelledMoveKeepsTheSource)
{
    const CString source = dir.Write("a.bin", PatternBytes(9000));
    g_recorder.cancelAt = 2;
    KTCallBack target = Target();
    EXPECT_EQ(KTGF::MoveFileA(source, other->Path("a.bin"), FALSE, &target), KTGF_CANCELLED);
    EXPECT_EQ(dir.Read("a.bin"), PatternBytes(9000));
    EXPECT_FALSE(other->Exists("a.bin"));
    EXPECT_TRUE(other->Tree().empty()) << "no partial file";
}

TEST_F(KTGFAcross, MoveMultiMovesTreesAndKeepsWhatWasNotCopied)
{
    dir.Write("src/a.txt", "a");
    dir.Write("src/d1/b.bin", PatternBytes(9000));
    dir.Write("src/d1/d2/c.txt", "c");
    CStringArray list;
    list.Add(dir.Path("src"));
    g_recorder.cancelAt = 3; // inside b.bin
    KTCallBack target = Target();
    EXPECT_EQ(KTGF::MoveMulti(list, other->Path("dst"), nullptr, FALSE, &target), KTGF_CANCELLED);
    EXPECT_FALSE(dir.Exists("src/a.txt"));
    EXPECT_EQ(other->Read("dst/a.txt"), "a");
    EXPECT_EQ(dir.Read("src/d1/b.bin"), PatternBytes(9000));
    EXPECT_TRUE(dir.Exists("src/d1/d2/c.txt"));

    g_recorder = Recorder();
    EXPECT_EQ(KTGF::MoveMulti(list, other->Path("dst"), nullptr, FALSE), 0);
    EXPECT_FALSE(dir.Exists("src"));
    EXPECT_EQ(other->Tree(), (Strings { "dst/", "dst/a.txt", "dst/d1/", "dst/d1/b.bin", "dst/d1/d2/",
                                        "dst/d1/d2/c.txt" }));
}

// ---- several files ------------------------------------------------------------------------------------------

class KTGFMulti : public KTGFCopy
{
protected:
    void SetUp() override
    {
        KTGFCopy::SetUp();
        dir.Write("src/a.txt", "a");
        dir.Write("src/b.log", PatternBytes(5000));
        dir.Write("src/d1/c.txt", "cc");
        dir.Write("src/d1/d2/e.txt", "eee");
        dir.MakeDir("src/d3");
    }
    CStringArray List(const Strings& relative)
    {
        CStringArray list;
        for (const std::string& r : relative)
            list.Add(dir.Path(r));
        return list;
    }
};

TEST_F(KTGFMulti, CopyMultiKeepsPathsBelowTheBaseFolder)
{
    CStringArray list = List({ "src/d1", "src/a.txt" });
    KTCallBack target = Target();
    EXPECT_EQ(KTGF::CopyMulti(list, dir.Path("dst"), "*.*", FALSE, &target), 0);
    EXPECT_EQ(list[0], dir.Path("src/a.txt")) << "the caller's list is sorted";
    EXPECT_TRUE(dir.Exists("dst/a.txt"));
    EXPECT_EQ(dir.Read("dst/d1/c.txt"), "cc");
    EXPECT_EQ(dir.Read("dst/d1/d2/e.txt"), "eee");
    EXPECT_FALSE(dir.Exists("dst/b.log"));
    EXPECT_TRUE(dir.Exists("src/d1/c.txt"));
    ASSERT_FALSE(g_recorder.seen.empty());
    EXPECT_EQ(g_recorder.seen.back().record.nFileCount, 3);
    EXPECT_EQ(g_recorder.seen.back().record.nTotalSize, 6);
    EXPECT_EQ(g_recorder.seen.back().record.nTotalPercent, 100);
    EXPECT_EQ(g_recorder.seen.back().code, KTNOTIFY_COPY);
}

TEST_F(KTGFMulti, BaseFolderIsStrippedOnlyAsALeadingPrefix)
{
    // The base folder's full text appears again further down the path.
    const std::string inner = "src/" + dir.Path("src").Mid(1).str() + "/x.txt";
    dir.Write(inner, "x");
    CStringArray list = List({ "src/a.txt", "src/" + dir.Path("src").Mid(1).str().substr(0, dir.Path("src").Mid(1).str().find('/')) });
    EXPECT_EQ(KTGF::CopyMulti(list, dir.Path("dst"), nullptr, FALSE), 0);
    EXPECT_EQ(dir.Read("dst/" + inner.substr(4)), "x");
    EXPECT_FALSE(dir.Exists("dst/x.txt"));
}

TEST_F(KTGFMulti, CopyDirCopiesTheContentsAndAsksPerFile)
{
    dir.Write("dst/a.txt", "old a");
    dir.Write("dst/b.log", "old b");
    dialogs.AnswerBoxes({ IDNO, IDYES });
    KTCallBack target = Target();
    EXPECT_EQ(KTGF::CopyDir(dir.Path("src"), dir.Path("dst"), nullptr, TRUE, &target), 0);
    EXPECT_EQ(dialogs.BoxTexts().size(), 2u);
    EXPECT_EQ(dir.Read("dst/a.txt"), "old a");
    EXPECT_EQ(dir.Read("dst/b.log"), PatternBytes(5000));
    EXPECT_EQ(dir.Read("dst/d1/d2/e.txt"), "eee");
    // The skipped file is reported as handled.
    EXPECT_EQ(g_recorder.seen.front().record.strFileName, dir.Path("src/a.txt"));
    EXPECT_EQ(g_recorder.seen.front().record.nFilePercent, 100);

    dialogs.AnswerBoxes({ IDCANCEL });
    EXPECT_EQ(KTGF::CopyDir(dir.Path("src"), dir.Path("dst"), nullptr, TRUE), KTGF_CANCELLED);
    EXPECT_EQ(KTGF::CopyDir(dir.Path("none"), dir.Path("dst"), nullptr, TRUE), KTGF_INVALID_PATH);
    EXPECT_EQ(KTGF::CopyDir(dir.Path("src"), dir.Path("d|st"), nullptr, TRUE), KTGF_INVALID_PATH);
}

TEST_F(KTGFMulti, CancelStopsTheWholeCopyWithoutPartialFiles)
{
    g_recorder.cancelAt = 2; // during the second block of b.log
    KTCallBack target = Target();
    EXPECT_EQ(KTGF::CopyDir(dir.Path("src"), dir.Path("dst"), nullptr, FALSE, &target), KTGF_CANCELLED);
    EXPECT_TRUE(dir.Exists("dst/a.txt"));
    EXPECT_FALSE(dir.Exists("dst/b.log"));
    EXPECT_FALSE(dir.Exists("dst/d1/c.txt")) << "nothing after the cancel";
    EXPECT_FALSE(HasPartFiles());
}

TEST_F(KTGFMulti, MoveDirMovesFilesAndRemovesTheEmptiedFolders)
{
    KTCallBack target = Target();
    EXPECT_EQ(KTGF::MoveDir(dir.Path("src"), dir.Path("dst"), nullptr, FALSE, &target), 0);
    EXPECT_EQ(dir.Tree(), (Strings { "dst/", "dst/a.txt", "dst/b.log", "dst/d1/", "dst/d1/c.txt", "dst/d1/d2/",
                                     "dst/d1/d2/e.txt" }));
    EXPECT_EQ(g_recorder.seen.size(), 4u);
    EXPECT_EQ(g_recorder.seen.back().code, KTNOTIFY_MOVE);
    EXPECT_EQ(g_recorder.seen.back().record.nTotalPercent, 100);
}

TEST_F(KTGFMulti, MoveMultiLeavesFilesOfOtherPatternsAndTheirFolders)
{
    CStringArray list = List({ "src" });
    EXPECT_EQ(KTGF::MoveMulti(list, dir.Path("dst"), "*.txt", FALSE), 0);
    EXPECT_TRUE(dir.Exists("dst/a.txt"));
    EXPECT_TRUE(dir.Exists("src/b.log"));
    EXPECT_FALSE(dir.Exists("src/a.txt"));
}

TEST_F(KTGFMulti, MoveMultiOntoExistingFilesFailsWithoutAsking)
{
    dir.Write("dst/a.txt", "keep");
    CStringArray list = List({ "src/a.txt" });
    EXPECT_EQ(KTGF::MoveMulti(list, dir.Path("dst"), nullptr, FALSE), KTGF_MOVE_FAILED);
    EXPECT_EQ(dir.Read("dst/a.txt"), "keep");
    EXPECT_EQ(dir.Read("src/a.txt"), "a");
}

TEST_F(KTGFMulti, EmptyOrUnknownListsDoNothing)
{
    CStringArray empty;
    EXPECT_EQ(KTGF::CopyMulti(empty, dir.Path("dst"), nullptr, FALSE), 0);
    EXPECT_EQ(KTGF::DeleteMulti(empty, nullptr, FALSE), 0);
    CStringArray unknown = List({ "none" });
    EXPECT_EQ(KTGF::CopyMulti(unknown, dir.Path("dst"), nullptr, FALSE), 0);
    EXPECT_EQ(KTGF::CopyMulti(unknown, dir.Path("d>st"), nullptr, FALSE), KTGF_INVALID_PATH);
}

// ---- deleting ----------------------------------------------------------------------------------------------

TEST_F(KTGFMulti, DeleteMultiRemovesFilesAndEmptiedFolders)
{
    dir.MakeDir("src/d1/d2");
    std::filesystem::remove(dir.Path("src/d1/d2/e.txt").GetString());
    CStringArray list = List({ "src/a.txt", "src/d1" });
    KTCallBack target = Target();
    EXPECT_EQ(KTGF::DeleteMulti(list, nullptr, FALSE, &target), 0);
    EXPECT_EQ(dir.Tree(), (Strings { "src/", "src/b.log", "src/d3/" }));
    ASSERT_EQ(g_recorder.seen.size(), 2u);
    EXPECT_EQ(g_recorder.seen[0].code, KTNOTIFY_DELETE);
    EXPECT_EQ(g_recorder.seen[0].record.nTotalPercent, 50);
    EXPECT_EQ(g_recorder.seen[1].record.nTotalPercent, 100);
    EXPECT_EQ(g_recorder.seen[1].record.nFileCount, 2);
    EXPECT_EQ(g_recorder.seen[1].record.nFileNumber, 2);
}

TEST_F(KTGFMulti, DeleteMultiReportsAFolderThatStays)
{
    // f.txt lies two subfolder levels down: it is not gathered, so d1 cannot go.
    dir.Write("src/d1/d2/d4/f.txt", "f");
    CStringArray list = List({ "src/d1" });
    EXPECT_EQ(KTGF::DeleteMulti(list, nullptr, FALSE), KTGF_DELETE_FAILED);
    EXPECT_FALSE(dir.Exists("src/d1/c.txt"));
    EXPECT_FALSE(dir.Exists("src/d1/d2/e.txt"));
    EXPECT_TRUE(dir.Exists("src/d1/d2/d4/f.txt"));
}

TEST_F(KTGFMulti, DeleteMultiCancelAndFailure)
{
    g_recorder.cancelAt = 1;
    CStringArray list = List({ "src/a.txt", "src/b.log" });
    KTCallBack target = Target();
    EXPECT_EQ(KTGF::DeleteMulti(list, nullptr, FALSE, &target), KTGF_CANCELLED);
    EXPECT_FALSE(dir.Exists("src/a.txt"));
    EXPECT_TRUE(dir.Exists("src/b.log"));

    KTGF::SetReadOnly(dir.Path("src/b.log"), TRUE);
    CStringArray locked = List({ "src/b.log" });
    EXPECT_EQ(KTGF::DeleteMulti(locked, nullptr, FALSE), KTGF_DELETE_FAILED);
    EXPECT_TRUE(dir.Exists("src/b.log"));
}

TEST_F(KTGFMulti, DeleteDirFilesByPatternSubfoldersOrWhole)
{
    dir.Write("src/d1/d2/d4/f.txt", "f");
    EXPECT_EQ(KTGF::DeleteDirFiles(dir.Path("src"), "*.log", FALSE, FALSE, FALSE), 0);
    EXPECT_FALSE(dir.Exists("src/b.log"));
    EXPECT_TRUE(dir.Exists("src/a.txt"));
    EXPECT_EQ(KTGF::DeleteDirFiles(dir.Path("src"), "*.*", FALSE, FALSE, TRUE), KTGF_DELETE_FAILED)
        << "d1 keeps d2/d4/f.txt";
    EXPECT_FALSE(dir.Exists("src/a.txt"));
    EXPECT_FALSE(dir.Exists("src/d3"));
    std::filesystem::remove(dir.Path("src/d1/d2/d4/f.txt").GetString());
    EXPECT_EQ(KTGF::DeleteDirFiles(dir.Path("src"), "*.*", FALSE, TRUE, FALSE), 0);
    EXPECT_FALSE(dir.Exists("src"));
    EXPECT_EQ(KTGF::DeleteDirFiles(dir.Path("src"), "*.*", FALSE, TRUE, FALSE), KTGF_INVALID_PATH);
}

} // namespace
