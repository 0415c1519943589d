#include "platform/core/Registry.h"

#include "testkit/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using testkit::ReadText;
using testkit::TempFolder;

// Points the store at a fresh config folder for each test.
class RegistryTest : public testing::Test
{
protected:
    void SetUp() override
    {
        setenv("HOME", m_home.Dir().c_str(), 1);
        unsetenv("XDG_CONFIG_HOME");
    }

    HKEY Create(HKEY parent, const char* path)
    {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyEx(parent, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        return key;
    }
    static LONG SetString(HKEY key, const char* name, const std::string& text)
    {
        return RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                             static_cast<DWORD>(text.size() + 1));
    }
    static std::string GetString(HKEY key, const char* name)
    {
        char buffer[256] = {};
        DWORD size = sizeof buffer, type = 0;
        if (RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
            ERROR_SUCCESS)
            return "<missing>";
        return type == REG_SZ ? std::string(buffer) : "<not a string>";
    }
    static std::vector<std::string> SubKeys(HKEY key)
    {
        std::vector<std::string> names;
        char name[256];
        for (DWORD i = 0;; ++i) {
            DWORD size = sizeof name;
            const LONG r = RegEnumKeyEx(key, i, name, &size, nullptr, nullptr, nullptr, nullptr);
            if (r == static_cast<LONG>(ERROR_NO_MORE_ITEMS))
                break;
            EXPECT_EQ(r, ERROR_SUCCESS);
            names.emplace_back(name, size);
        }
        return names;
    }

    TempFolder m_home;
};

TEST_F(RegistryTest, ValuesRoundTripThroughTheStoreFile)
{
    HKEY key = Create(HKEY_CURRENT_USER, "Software\\Ward\\Settings");
    DWORD beds = 12;
    const BYTE blob[] = {0, 1, 2, 0xFF, '\n', '"'};
    EXPECT_EQ(SetString(key, "Name", "Ward \"3\"\\ünits\nsecond line"), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueEx(key, "Beds", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&beds), 4),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueEx(key, "Blob", 0, REG_BINARY, blob, sizeof blob), ERROR_SUCCESS);
    EXPECT_EQ(SetString(key, nullptr, "unnamed"), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);

    // The store sits under the user's config folder and reads back through a new handle.
    EXPECT_NE(ReadText(m_home / ".config/ward-stations/registry.ini")
                  .find("[HKEY_CURRENT_USER\\Software\\Ward\\Settings]"),
              std::string::npos);
    HKEY again = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "SOFTWARE\\ward\\settings", 0, KEY_READ, &again),
              ERROR_SUCCESS);
    EXPECT_EQ(GetString(again, "name"), "Ward \"3\"\\ünits\nsecond line");
    EXPECT_EQ(GetString(again, ""), "unnamed");
    DWORD value = 0, size = sizeof value, type = 0;
    EXPECT_EQ(RegQueryValueEx(again, "Beds", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(value, 12u);
    BYTE read[16] = {};
    size = sizeof read;
    EXPECT_EQ(RegQueryValueEx(again, "Blob", nullptr, &type, read, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_BINARY);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(read), size),
              std::string(reinterpret_cast<const char*>(blob), sizeof blob));

    // Size queries and short buffers.
    size = 0;
    EXPECT_EQ(RegQueryValueEx(again, "Blob", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, sizeof blob);
    size = 2;
    EXPECT_EQ(RegQueryValueEx(again, "Blob", nullptr, nullptr, read, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, sizeof blob);
    EXPECT_EQ(RegQueryValueEx(again, "Nothing", nullptr, nullptr, read, &size), ERROR_FILE_NOT_FOUND);

    // Replace and delete.
    EXPECT_EQ(SetString(again, "NAME", "Ward 4"), ERROR_SUCCESS);
    EXPECT_EQ(GetString(again, "Name"), "Ward 4");
    EXPECT_EQ(RegDeleteValue(again, "name"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValue(again, "name"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(GetString(again, "Name"), "<missing>");
    RegCloseKey(again);
}

TEST_F(RegistryTest, KeysOpenCreateEnumerateAndDelete)
{
    HKEY missing = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Nobody", 0, KEY_READ, &missing),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(missing, nullptr);

    HKEY home = Create(HKEY_CURRENT_USER, "Software\\Ward");
    DWORD disposition = 0;
    HKEY sub = nullptr;
    EXPECT_EQ(RegCreateKeyEx(home, "beta", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    RegCloseKey(sub);
    EXPECT_EQ(RegCreateKeyEx(home, "BETA", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
    RegCloseKey(sub);
    RegCloseKey(Create(home, "Alpha\\Deep"));
    RegCloseKey(Create(home, "gamma"));
    EXPECT_EQ(SubKeys(home), (std::vector<std::string>{"Alpha", "beta", "gamma"}));

    DWORD count = 0, longest = 0;
    EXPECT_EQ(RegQueryInfoKey(home, nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr, nullptr,
                              nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(count, 3u);
    EXPECT_EQ(longest, 5u);

    char name[4];
    DWORD size = sizeof name;
    EXPECT_EQ(RegEnumKeyEx(home, 0, name, &size, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);

    // A key with sub-keys is not deleted; depth first works.
    EXPECT_EQ(RegDeleteKey(home, "alpha"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKey(home, "alpha\\deep"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKey(home, "alpha"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKey(home, "alpha"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(SubKeys(home), (std::vector<std::string>{"beta", "gamma"}));

    // A handle whose key was deleted reports it.
    HKEY gamma = nullptr;
    ASSERT_EQ(RegOpenKeyEx(home, "gamma", 0, KEY_READ, &gamma), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKey(home, "gamma"), ERROR_SUCCESS);
    EXPECT_EQ(SetString(gamma, "x", "y"), static_cast<LONG>(ERROR_KEY_DELETED));
    RegCloseKey(gamma);
    EXPECT_EQ(RegCloseKey(gamma), ERROR_INVALID_HANDLE);
    EXPECT_EQ(SetString(gamma, "x", "y"), ERROR_INVALID_HANDLE);
    RegCloseKey(home);
}

TEST_F(RegistryTest, ValuesEnumerateInTheOrderSet)
{
    HKEY key = Create(HKEY_CURRENT_USER, "Software\\Order");
    for (const char* name : {"zeta", "alpha", "mid"})
        SetString(key, name, name);
    SetString(key, "ALPHA", "again"); // replacing keeps the place
    std::vector<std::string> names;
    char name[64];
    BYTE data[64];
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = sizeof name, dataSize = sizeof data, type = 0;
        const LONG r = RegEnumValue(key, i, name, &nameSize, nullptr, &type, data, &dataSize);
        if (r == static_cast<LONG>(ERROR_NO_MORE_ITEMS))
            break;
        ASSERT_EQ(r, ERROR_SUCCESS);
        names.push_back(std::string(name) + "=" + reinterpret_cast<char*>(data));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"zeta=zeta", "alpha=again", "mid=mid"}));
    RegCloseKey(key);
}

TEST_F(RegistryTest, LocalMachineIsItsOwnTreeAndTheStoreIsShared)
{
    HKEY user = Create(HKEY_CURRENT_USER, "Software\\Ward");
    HKEY machine = Create(HKEY_LOCAL_MACHINE, "Software\\Ward");
    SetString(user, "Who", "user");
    SetString(machine, "Who", "machine");
    EXPECT_EQ(GetString(user, "Who"), "user");
    EXPECT_EQ(GetString(machine, "Who"), "machine");

    // Another process writes; this one sees it at once.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        HKEY key = nullptr;
        if (RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Ward", 0, KEY_WRITE, &key) != ERROR_SUCCESS)
            _exit(1);
        _exit(SetString(key, "Child", "was here") == ERROR_SUCCESS ? 0 : 2);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(GetString(user, "Child"), "was here");
    EXPECT_EQ(GetString(user, "Who"), "user");
    RegCloseKey(user);
    RegCloseKey(machine);

    // XDG_CONFIG_HOME moves the store.
    TempFolder other;
    setenv("XDG_CONFIG_HOME", other.Dir().c_str(), 1);
    HKEY fresh = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Ward", 0, KEY_READ, &fresh), ERROR_FILE_NOT_FOUND);
    unsetenv("XDG_CONFIG_HOME");
}

TEST_F(RegistryTest, BadArgumentsGiveClassicErrors)
{
    HKEY key = nullptr;
    EXPECT_EQ(
        RegOpenKeyEx(reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x7777)), "x", 0, KEY_READ, &key),
        ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegOpenKeyEx(nullptr, "x", 0, KEY_READ, &key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "x", 0, KEY_READ, nullptr), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, ""), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegSetValueEx(HKEY_CURRENT_USER, "v", 0, REG_BINARY, nullptr, 4), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
}

} // namespace
