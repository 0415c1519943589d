// KTRegistry over the platform's registry store in a temporary home folder.
#include "ktutil/KTRegistry.h"

#include "testkit/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class KTRegistryTest : public testing::Test
{
protected:
    void SetUp() override
    {
        setenv("HOME", m_home.Root(), 1);
        unsetenv("XDG_CONFIG_HOME");
    }

    static bool KeyExists(const char* path)
    {
        HKEY key = nullptr;
        if (RegOpenKeyEx(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }

    testkit::TempFolder m_home;
};

} // namespace

TEST_F(KTRegistryTest, SetRegistryMakesTheKeyUnderSoftware)
{
    KTRegistry registry;
    EXPECT_FALSE(registry.IsAvailable());
    EXPECT_EQ(registry.SetRegistry(" "), static_cast<LONG>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(registry.SetRegistry(nullptr, "Software\\X"), static_cast<LONG>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(registry.SetRegistry("TarvicII"), 0);
    EXPECT_TRUE(registry.IsAvailable());
    EXPECT_TRUE(KeyExists("Software\\TarvicII"));
    EXPECT_EQ(registry.GetCurrentPath(), CString("Software\\TarvicII"));
}

TEST_F(KTRegistryTest, WithoutAKeyEveryOperationReportsInvalidHandleOrGivesTheDefault)
{
    KTRegistry registry;
    const LONG invalidHandle = ERROR_INVALID_HANDLE;
    EXPECT_EQ(registry.CreateSub("a", FALSE), invalidHandle);
    EXPECT_EQ(registry.DeleteSub("a"), invalidHandle);
    EXPECT_EQ(registry.MoveToSub("a"), invalidHandle);
    EXPECT_EQ(registry.MoveToBack(), invalidHandle);
    EXPECT_EQ(registry.MoveToHome(), invalidHandle);
    EXPECT_EQ(registry.DelRegistry(), invalidHandle);
    EXPECT_EQ(registry.ReadString("", "Name", "fallback"), CString("fallback"));
    EXPECT_EQ(registry.ReadDword("", "Count", 7u), 7u);
    EXPECT_EQ(registry.WriteString("", "Name", "x", TRUE), 0);
}

TEST_F(KTRegistryTest, TheStackOfSubKeysGoesBackToHomeAndNoFurther)
{
    KTRegistry registry("TarvicII");
    ASSERT_EQ(registry.CreateSub("a", TRUE), 0);
    ASSERT_EQ(registry.CreateSub("b", TRUE), 0);
    EXPECT_EQ(registry.GetCurrentPath(), CString("Software\\TarvicII\\a\\b"));

    EXPECT_EQ(registry.MoveToBack(), 0);
    EXPECT_EQ(registry.GetCurrentPath(), CString("Software\\TarvicII\\a"));
    EXPECT_EQ(registry.MoveToBack(), 0);
    EXPECT_EQ(registry.GetCurrentPath(), CString("Software\\TarvicII"));
    EXPECT_EQ(registry.MoveToBack(), static_cast<LONG>(ERROR_ACCESS_DENIED));

    ASSERT_EQ(registry.MoveToSub("a"), 0);
    ASSERT_EQ(registry.MoveToSub("b"), 0);
    EXPECT_EQ(registry.MoveToHome(), 0);
    EXPECT_EQ(registry.GetCurrentPath(), CString("Software\\TarvicII"));
    EXPECT_EQ(registry.MoveToBack(), static_cast<LONG>(ERROR_ACCESS_DENIED));
}

TEST_F(KTRegistryTest, MovingToAMissingSubKeyFailsAndKeepsTheCurrentKey)
{
    KTRegistry registry("TarvicII");
    EXPECT_EQ(registry.MoveToSub("missing"), static_cast<LONG>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(registry.GetCurrentPath(), CString("Software\\TarvicII"));
    EXPECT_FALSE(KeyExists("Software\\TarvicII\\missing")); // moving never creates
    EXPECT_EQ(registry.MoveToSub(""), static_cast<LONG>(ERROR_INVALID_PARAMETER));
}

TEST_F(KTRegistryTest, ValuesRoundTripUnderTheCurrentKeyAndItsSubKeys)
{
    KTRegistry registry("TarvicII");
    EXPECT_EQ(registry.WriteString("", "Data Path", "/home/ward/Data", FALSE), 1);
    EXPECT_EQ(registry.WriteDword("Settings", "Beds", 2, FALSE), 0); // the sub-key is missing
    EXPECT_EQ(registry.WriteDword("Settings", "Beds", 2, TRUE), 1);
    const BYTE bytes[] = { 0, 1, 2, 250 };
    EXPECT_EQ(registry.WriteByte("Settings", "Key", bytes, sizeof bytes, FALSE), 1);
    EXPECT_EQ(registry.WriteDefault("Settings", "default text"), 1);

    EXPECT_EQ(registry.ReadString("", "Data Path", ""), CString("/home/ward/Data"));
    EXPECT_EQ(registry.ReadDword("Settings", "Beds", 0), 2u);
    EXPECT_EQ(registry.ReadDefault("Settings"), CString("default text"));
    EXPECT_EQ(registry.ReadByte("Settings", "Key", nullptr, 0), sizeof bytes);
    BYTE read[8] = {};
    EXPECT_EQ(registry.ReadByte("Settings", "Key", read, sizeof read), sizeof bytes);
    EXPECT_EQ(read[3], 250);
    EXPECT_EQ(registry.ReadByte("Settings", "Key", read, 0), 0u);

    // Missing values, keys and blank names give the defaults.
    EXPECT_EQ(registry.ReadDword("Settings", "Missing", 42), 42u);
    EXPECT_EQ(registry.ReadDword("Nowhere", "Beds", 42), 42u);
    EXPECT_EQ(registry.ReadDword("Settings", "", 42), 42u);
    EXPECT_EQ(registry.ReadString("Settings", "Missing", "none"), CString("none"));
    EXPECT_EQ(registry.WriteDword("Settings", " ", 1, TRUE), 0);
    EXPECT_EQ(registry.WriteByte("Settings", "Key", nullptr, 0, TRUE), 0);

    // Sub-keys are addressed from the current key after a move.
    ASSERT_EQ(registry.MoveToSub("Settings"), 0);
    EXPECT_EQ(registry.ReadDword("", "Beds", 0), 2u);
}

TEST_F(KTRegistryTest, AStringLongerThanTheReadBufferGivesTheDefault)
{
    KTRegistry registry("TarvicII");
    CString longText('x', 300);
    ASSERT_EQ(registry.WriteString("", "Long", longText, FALSE), 1);
    EXPECT_EQ(registry.ReadString("", "Long", "default"), CString("default"));
    CString fits('y', 255);
    ASSERT_EQ(registry.WriteString("", "Fits", fits, FALSE), 1);
    EXPECT_EQ(registry.ReadString("", "Fits", ""), fits);
}

TEST_F(KTRegistryTest, DeletingRemovesWholeTrees)
{
    KTRegistry registry("TarvicII");
    registry.CreateSub("a", FALSE);
    registry.CreateSub("a\\b\\c", FALSE);
    registry.CreateSub("a\\d", FALSE);
    registry.WriteDword("a\\b", "v", 1, FALSE);

    EXPECT_EQ(KTRegistry::DeleteKey(HKEY_CURRENT_USER, "Software\\TarvicII\\a", FALSE),
              static_cast<LONG>(ERROR_ACCESS_DENIED)); // it has sub-keys
    EXPECT_EQ(registry.DeleteSub("a"), 0);
    EXPECT_FALSE(KeyExists("Software\\TarvicII\\a"));
    EXPECT_EQ(registry.DeleteSub("a"), static_cast<LONG>(ERROR_FILE_NOT_FOUND));

    registry.CreateSub("x\\y", FALSE);
    EXPECT_EQ(registry.DelRegistry(), 0);
    EXPECT_FALSE(registry.IsAvailable());
    EXPECT_FALSE(KeyExists("Software\\TarvicII"));
    EXPECT_TRUE(KeyExists("Software"));
}
