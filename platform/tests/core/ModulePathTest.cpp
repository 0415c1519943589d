#include "platform/core/ModulePath.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace {

int FunctionInsideTheProgram()
{
    return 42;
}

// Sets an environment variable for one scope.
class ScopedEnv
{
public:
    ScopedEnv(const char* name, const char* value) : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old, m_had = true;
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedEnv() { m_had ? setenv(m_name, m_old.c_str(), 1) : unsetenv(m_name); }

private:
    const char* m_name;
    std::string m_old;
    bool m_had{false};
};

TEST(ModulePath, ProgramPathIsTheRunningExecutable)
{
    const CString program = platform::GetProgramPath();
    ASSERT_FALSE(program.IsEmpty());
    EXPECT_EQ(program.GetAt(0), '/');
    EXPECT_NE(program.Find("ModulePathTest"), -1);
    EXPECT_EQ(platform::GetProgramFolder() + "/" + program.Mid(program.ReverseFind('/') + 1), program);
    EXPECT_EQ(platform::GetModulePathOf(reinterpret_cast<const void*>(&FunctionInsideTheProgram)), program);

    char buffer[4096];
    EXPECT_EQ(GetModuleFileName(nullptr, buffer, sizeof buffer), static_cast<DWORD>(program.GetLength()));
    EXPECT_EQ(CString(buffer), program);
    // Too small: cut and terminated, with the classic error.
    char small[8];
    EXPECT_EQ(GetModuleFileName(nullptr, small, sizeof small), 7u);
    EXPECT_EQ(std::string(small), program.Left(7).str());
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
}

TEST(ModulePath, ALibraryKnowsItsOwnFile)
{
    // The platform's own functions live in the platform library (or, in a static test build,
    // in the program); either way the file exists and holds the address.
    const CString path = platform::GetModulePathOf(reinterpret_cast<const void*>(&platform::GetHomeFolder));
    EXPECT_EQ(access(path, R_OK), 0) << path.GetString();
    EXPECT_EQ(platform::GetModuleFolderOf(reinterpret_cast<const void*>(&platform::GetHomeFolder)),
              path.Left(path.ReverseFind('/')));

    void* libm = dlopen("libm.so.6", RTLD_NOW);
    ASSERT_NE(libm, nullptr);
    char buffer[4096];
    ASSERT_GT(GetModuleFileName(reinterpret_cast<HMODULE>(libm), buffer, sizeof buffer), 0u);
    EXPECT_NE(std::string(buffer).find("libm"), std::string::npos) << buffer;
    EXPECT_EQ(buffer[0], '/');
    const CString viaAddress = platform::GetModulePathOf(dlsym(libm, "cos"));
    EXPECT_EQ(viaAddress, CString(buffer));
    dlclose(libm);
}

TEST(ModulePath, UserFoldersFollowTheEnvironment)
{
    {
        ScopedEnv home("HOME", "/home/nurse");
        ScopedEnv config("XDG_CONFIG_HOME", nullptr);
        ScopedEnv tmp("TMPDIR", "/var/tmp/ward//");
        EXPECT_EQ(platform::GetHomeFolder(), "/home/nurse");
        EXPECT_EQ(platform::GetConfigFolder(), "/home/nurse/.config");
        EXPECT_EQ(platform::GetTempFolder(), "/var/tmp/ward");
        char buffer[64];
        EXPECT_EQ(GetTempPath(sizeof buffer, buffer), 14u);
        EXPECT_STREQ(buffer, "/var/tmp/ward/");
        EXPECT_EQ(GetTempPath(4, buffer), 15u); // the size needed, terminator included
    }
    {
        ScopedEnv config("XDG_CONFIG_HOME", "/etc/xdg-user");
        ScopedEnv tmp("TMPDIR", nullptr);
        EXPECT_EQ(platform::GetConfigFolder(), "/etc/xdg-user");
        EXPECT_EQ(platform::GetTempFolder(), "/tmp");
    }
    {
        ScopedEnv home("HOME", nullptr);
        EXPECT_FALSE(platform::GetHomeFolder().IsEmpty()); // from the password database
    }
}

} // namespace
