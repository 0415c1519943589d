// KTLogFile: the line format, the lost first entry of a new file, open-always, clearing,
// reloading and several threads writing to one log.
#include "ktutil/KTLogFile.h"

#include "platform/core/Collections.h"
#include "testkit/ScriptedDialogs.h"
#include "testkit/TempFolder.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

using testkit::TempFolder;

std::vector<std::string> Lines(KTLogFile& log)
{
    CStringArray lines;
    const int count = log.Load(lines);
    std::vector<std::string> out;
    for (INT_PTR i = 0; i < lines.GetSize(); ++i)
        out.push_back(lines[i].GetString());
    EXPECT_EQ(count, static_cast<int>(out.size()));
    return out;
}

TEST(KTLogFile, TheEntryThatCreatesTheFileIsNotWritten)
{
    TempFolder dir;
    KTLogFile log(dir.Path("Log/run.log"));
    EXPECT_EQ(log.Log("*"), 0);
    EXPECT_TRUE(dir.Exists("Log/run.log"));
    EXPECT_EQ(dir.Read("Log/run.log"), "");
    EXPECT_EQ(log.Log("[ CONNECTED ] - %d:%d:%d:%d key %d", 192, 168, 0, 7, 1), 1);
    const std::string content = dir.Read("Log/run.log");
    EXPECT_TRUE(std::regex_match(content, std::regex(R"(\[\d{4}/\d{2}/\d{2} \d{2}:\d{2}:\d{2}\] )"
                                                     R"(\[ CONNECTED \] - 192:168:0:7 key 1\n)")))
        << content;
}

TEST(KTLogFile, LinesWithoutPrefixHoldTheTrimmedEntry)
{
    TempFolder dir;
    dir.Write("a.log", "");
    KTLogFile log(dir.Path("a.log"));
    EXPECT_TRUE(log.IsAddPrefix());
    log.AddPrefix(FALSE);
    EXPECT_FALSE(log.IsAddPrefix());
    EXPECT_EQ(log.GetPrefix(), "");
    EXPECT_EQ(log.Log("  first \t"), 1);
    EXPECT_EQ(log.Log("%s=%d", "second", 2), 1);
    EXPECT_EQ(log.Log("   "), 0);
    const std::string empty;
    EXPECT_EQ(log.Log(empty.c_str()), 0);
    EXPECT_EQ(log.Log(nullptr), 0);
    EXPECT_EQ(dir.Read("a.log"), "first\nsecond=2\n");
}

TEST(KTLogFile, LongEntriesAreCutBelow1000BytesOnACharacterBoundary)
{
    TempFolder dir;
    dir.Write("a.log", "");
    KTLogFile log(dir.Path("a.log"));
    log.AddPrefix(FALSE);
    std::string text;
    while (text.size() < 3000)
        text += "\xE6\x97\xA5";
    EXPECT_EQ(log.Log("%s", text.c_str()), 1);
    const std::string line = dir.Read("a.log");
    ASSERT_FALSE(line.empty());
    const std::string entry = line.substr(0, line.size() - 1);
    EXPECT_EQ(entry.size(), 999u / 3 * 3) << "whole characters only";
    EXPECT_EQ(entry, text.substr(0, entry.size()));
}

TEST(KTLogFile, LoadReadsTheLinesBackAndANewObjectReloadsThem)
{
    TempFolder dir;
    dir.Write("three.log", "one\r\n  two  \nthree");
    KTLogFile log(dir.Path("three.log"));
    EXPECT_EQ(Lines(log), (std::vector<std::string> { "one", "two", "three" }));

    dir.Write("b.log", "");
    KTLogFile writer(dir.Path("b.log"));
    writer.Log("alpha");
    writer.Log("beta");
    KTLogFile reader;
    reader.SetLogFile(dir.Path("b.log"));
    EXPECT_EQ(reader.GetLogFile(), dir.Path("b.log"));
    const std::vector<std::string> lines = Lines(reader);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(lines[0].ends_with("] alpha"));
    EXPECT_TRUE(lines[1].ends_with("] beta"));

    CStringArray none;
    none.Add("stale");
    KTLogFile missing(dir.Path("later.log"));
    EXPECT_EQ(missing.Load(none), -1);
    EXPECT_EQ(none.GetSize(), 0);
    EXPECT_FALSE(dir.Exists("later.log")) << "reading creates nothing";
}

TEST(KTLogFile, OpenAlwaysKeepsTheFileOpenUntilClear)
{
    TempFolder dir;
    dir.Write("a.log", "old line\n");
    KTLogFile log(dir.Path("a.log"), TRUE);
    log.AddPrefix(FALSE);
    EXPECT_EQ(log.Log("one"), 1);
    EXPECT_EQ(log.Log("two"), 1);
    EXPECT_EQ(dir.Read("a.log"), "old line\none\ntwo\n");
    EXPECT_EQ(Lines(log).size(), 3u);
    EXPECT_EQ(log.Log("three"), 1) << "appends after a Load";
    EXPECT_EQ(dir.Read("a.log"), "old line\none\ntwo\nthree\n");
    log.Clear();
    EXPECT_TRUE(dir.Exists("a.log"));
    EXPECT_EQ(dir.Read("a.log"), "");
    EXPECT_EQ(log.Log("after"), 1);
    EXPECT_EQ(dir.Read("a.log"), "after\n");
}

TEST(KTLogFile, AnUnwritableLogTellsTheUserAndLosesTheEntry)
{
    TempFolder dir;
    dir.Write("blocker", "x");
    testkit::ScriptedDialogs dialogs;
    KTLogFile log(dir.Path("blocker/run.log"));
    EXPECT_EQ(log.Log("entry"), 0);
    const std::vector<platform::msg::MessageBoxRequest> shown = dialogs.Boxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].Buttons(), static_cast<UINT>(MB_OK));
    EXPECT_FALSE(shown[0].text.IsEmpty());

    // A log not yet given its file stays silent.
    KTLogFile unnamed;
    EXPECT_EQ(unnamed.Log("early entry"), 0);
    EXPECT_TRUE(dialogs.Boxes().empty());
}

TEST(KTLogFile, SeveralThreadsWriteWholeLines)
{
    TempFolder dir;
    dir.Write("t.log", "");
    KTLogFile log(dir.Path("t.log"));
    constexpr int kThreads = 4;
    constexpr int kEntries = 150;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&log, t] {
            for (int n = 0; n < kEntries; ++n)
                log.Log("thread %d entry %d %s", t, n, "padding padding padding padding");
        });
    for (std::thread& thread : threads)
        thread.join();
    const std::vector<std::string> lines = Lines(log);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(kThreads * kEntries));
    std::set<std::string> unique;
    const std::regex shape(R"(\[[^\]]+\] thread \d entry \d+ padding padding padding padding)");
    for (const std::string& line : lines) {
        EXPECT_TRUE(std::regex_match(line, shape)) << line;
        unique.insert(line.substr(line.find("thread")));
    }
    EXPECT_EQ(unique.size(), lines.size());
}

} // namespace
