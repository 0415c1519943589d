// The recycle bin: trashed items land in the home trash with their info files and can be
// found there again; nothing is ever deleted for good.
#include "platform/sys/RecycleBin.h"

#include "testkit/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

namespace fs = std::filesystem;

namespace {

// Points HOME at a temporary folder for one test, so the trash used is a fresh one.
class TemporaryHome
{
public:
    TemporaryHome()
    {
        Save("HOME", m_home);
        Save("XDG_DATA_HOME", m_dataHome);
        setenv("HOME", m_folder.Dir().c_str(), 1);
        unsetenv("XDG_DATA_HOME");
    }
    ~TemporaryHome()
    {
        Restore("HOME", m_home);
        Restore("XDG_DATA_HOME", m_dataHome);
    }
    std::string Trash() const { return m_folder / ".local/share/Trash"; }
    std::string operator/(const std::string& name) const { return m_folder / name; }

private:
    static void Save(const char* name, std::optional<std::string>& into)
    {
        if (const char* v = getenv(name))
            into = v;
    }
    static void Restore(const char* name, const std::optional<std::string>& value)
    {
        if (value)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }

    testkit::TempFolder m_folder;
    std::optional<std::string> m_home, m_dataHome;
};

std::string InfoValue(const std::string& info, const std::string& key)
{
    auto at = info.find("\n" + key + "=");
    if (at == std::string::npos)
        return {};
    at += key.size() + 2;
    return info.substr(at, info.find('\n', at) - at);
}

} // namespace

TEST(SysRecycleBin, TrashedFileLandsInTheTrashWithItsInfoFile)
{
    TemporaryHome home;
    ASSERT_EQ(platform::HomeTrashFolder(), home.Trash());
    fs::create_directories(home / "Data/Records");
    const std::string study = home / "Data/Records/P 01_7.FMF"; // a blank, as names may hold
    testkit::WriteText(study, "recording");

    ASSERT_EQ(platform::MoveToTrash(study), 0);
    EXPECT_FALSE(fs::exists(study));
    EXPECT_EQ(testkit::ReadText(home.Trash() + "/files/P 01_7.FMF"), "recording");

    std::string info = testkit::ReadText(home.Trash() + "/info/P 01_7.FMF.trashinfo");
    EXPECT_EQ(info.rfind("[Trash Info]\n", 0), 0u) << info;
    std::string encoded = study;
    encoded.replace(encoded.find(' '), 1, "%20");
    EXPECT_EQ(InfoValue(info, "Path"), encoded);
    std::string date = InfoValue(info, "DeletionDate"); // yyyy-mm-ddThh:mm:ss
    ASSERT_EQ(date.size(), 19u) << info;
    EXPECT_EQ(date[10], 'T');

    // A second file of the same name keeps the first one in the trash.
    testkit::WriteText(study, "second recording");
    ASSERT_EQ(platform::MoveToTrash(study), 0);
    EXPECT_EQ(testkit::ReadText(home.Trash() + "/files/P 01_7.FMF"), "recording");
    EXPECT_EQ(testkit::ReadText(home.Trash() + "/files/P 01_7.2.FMF"), "second recording");
    EXPECT_TRUE(fs::exists(home.Trash() + "/info/P 01_7.2.FMF.trashinfo"));
}

TEST(SysRecycleBin, WhatCannotBeTrashedStaysAndLeavesNoInfo)
{
    TemporaryHome home;
    EXPECT_EQ(platform::MoveToTrash(home / "no such file.TMP"), -1);
    EXPECT_EQ(platform::MoveToTrash(""), -1);

    // A folder goes as a whole.
    fs::create_directories(home / "Export/pages");
    testkit::WriteText(home / "Export/pages/1.jpg", "jpeg");
    ASSERT_EQ(platform::MoveToTrash(home / "Export"), 0);
    EXPECT_EQ(testkit::ReadText(home.Trash() + "/files/Export/pages/1.jpg"), "jpeg");

    // No trash can be made: the file stays where it was, and no info file is left.
    testkit::WriteText(home / "kept.FMF", "kept");
    fs::remove_all(home.Trash());
    testkit::WriteText(home / ".local/share/Trash", "a file where the trash folder belongs");
    EXPECT_EQ(platform::MoveToTrash(home / "kept.FMF"), -1);
    EXPECT_EQ(testkit::ReadText(home / "kept.FMF"), "kept");
}
