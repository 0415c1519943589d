// The language-module override with real shared libraries: LANG_TST.so (a language module) and
// TSTEXT.so (an extension library), built into the platform tests' test-module folder.
#include "platform/core/CString.h"
#include "platform/core/ResourceModule.h"
#include "platform/core/StringTable.h"
#include "testkit/BuildFolders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace {

const platform::StringEntry kEnglish[] = {
    { 1, "Hello everybody" },
    { 2, "The program's second text" },
    { 3, "Only in English" },
};
platform::ResourceModuleRegistration s_program("LanguageModuleTest", { .strings = kEnglish });

std::string ModuleFolder() { return testkit::TestModuleFolder("platform"); }

std::string Text(UINT id)
{
    std::string text;
    return platform::LookupString(id, text) ? text : "<none>";
}

// Leaves the resource handle as the test found it.
class LanguageModule : public testing::Test
{
protected:
    void TearDown() override { AfxSetResourceHandle(nullptr); }
};

TEST_F(LanguageModule, CurrentLanguageModuleOverridesTextsAndMissingIdsStayEnglish)
{
    HINSTANCE language = platform::LoadLanguageModule("TST", ModuleFolder());
    ASSERT_NE(language, nullptr) << "LANG_TST.so in " << ModuleFolder();

    EXPECT_EQ(Text(1), "Hello everybody") << "loaded but not current: no effect";
    EXPECT_EQ(Text(4), "<none>");

    AfxSetResourceHandle(language);
    EXPECT_EQ(AfxGetResourceHandle(), language);
    EXPECT_EQ(Text(1), "Bonjour à tous");
    EXPECT_EQ(Text(3), "Only in English");
    EXPECT_EQ(Text(4), "Seulement dans le module de langue");
    CString loaded;
    EXPECT_TRUE(loaded.LoadString(1));
    EXPECT_EQ(loaded, "Bonjour à tous");

    std::string text;
    EXPECT_FALSE(platform::LookupString(language, 3, text)) << "a lookup in one module stays there";
    EXPECT_TRUE(platform::LookupString(nullptr, 1, text));
    EXPECT_EQ(text, "Hello everybody") << "null is the program's own module";

    AfxSetResourceHandle(nullptr);
    EXPECT_EQ(Text(1), "Hello everybody");
    EXPECT_TRUE(FreeLibrary(language));
}

TEST_F(LanguageModule, NameFormsOfOneModuleLoadTheSameLibrary)
{
    const std::string folder = ModuleFolder();
    HINSTANCE byCode = platform::LoadLanguageModule("TST", folder);
    HINSTANCE byClassicName = platform::LoadLanguageModule("LANG_TST.dll", folder);
    HINSTANCE byPath = platform::LoadLanguageModule(folder + "/LANG_TST.so");
    HINSTANCE byLoadLibrary = LoadLibrary((folder + "/LANG_TST.dll").c_str());
    ASSERT_NE(byCode, nullptr);
    EXPECT_EQ(byClassicName, byCode);
    EXPECT_EQ(byPath, byCode);
    EXPECT_EQ(byLoadLibrary, byCode);
    for (HINSTANCE h : { byCode, byClassicName, byPath, byLoadLibrary })
        FreeLibrary(h);
}

TEST_F(LanguageModule, UnloadingTheCurrentLanguageModuleGoesBackToEnglish)
{
    HINSTANCE language = platform::LoadLanguageModule("TST", ModuleFolder());
    ASSERT_NE(language, nullptr);
    AfxSetResourceHandle(language);
    EXPECT_EQ(Text(1), "Bonjour à tous");
    EXPECT_TRUE(FreeLibrary(language));
    EXPECT_EQ(AfxGetResourceHandle(), AfxGetInstanceHandle());
    EXPECT_EQ(Text(1), "Hello everybody");
    EXPECT_EQ(Text(4), "<none>");
}

TEST_F(LanguageModule, ExtensionLibraryJoinsTheChainAfterTheModulesLoadedBeforeIt)
{
    HINSTANCE language = platform::LoadLanguageModule("TST", ModuleFolder());
    HMODULE extension = LoadLibrary((ModuleFolder() + "/TSTEXT.so").c_str());
    ASSERT_NE(language, nullptr);
    ASSERT_NE(extension, nullptr);

    EXPECT_EQ(Text(5), "Only in the extension") << "found along the chain";
    AfxSetResourceHandle(language);
    EXPECT_EQ(Text(2), "The program's second text") << "the program was loaded before the extension";
    EXPECT_EQ(Text(5), "Only in the extension");
    AfxSetResourceHandle(extension);
    EXPECT_EQ(Text(2), "The extension's second text") << "the current module comes first";

    AfxSetResourceHandle(nullptr);
    FreeLibrary(extension);
    FreeLibrary(language);
    EXPECT_EQ(Text(5), "<none>");
}

TEST_F(LanguageModule, MissingOrBrokenLanguageModuleLeavesEnglish)
{
    EXPECT_EQ(platform::LoadLanguageModule("KOR", ModuleFolder()), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);

    const std::string broken = testing::TempDir() + "LANG_BAD.so";
    std::ofstream(broken) << "not a library";
    EXPECT_EQ(platform::LoadLanguageModule("BAD", testing::TempDir()), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    std::remove(broken.c_str());

    EXPECT_EQ(LoadLibrary("libc.so.6"), nullptr) << "bare names are looked for beside the program only";
    EXPECT_EQ(platform::LoadLanguageModule(""), nullptr);
    EXPECT_EQ(AfxGetResourceHandle(), AfxGetInstanceHandle());
    EXPECT_EQ(Text(1), "Hello everybody");
}

} // namespace
