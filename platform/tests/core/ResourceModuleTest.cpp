#include "platform/core/CString.h"
#include "platform/core/ResourceModule.h"
#include "platform/core/StringTable.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const platform::StringEntry kProgramStrings[] = {
    { 101, "Patient" },
    { 102, "Größe" }, // 7 bytes: G r ö(2) ß(2) e
};

const BYTE kLogo[] = { 0x89, 'P', 'N', 'G' };
const BYTE kAlarm[] = { 'R', 'I', 'F', 'F' };
const platform::ResourceData kProgramData[] = {
    { "PNG", 300, "logo.png", kLogo },
    { "WAVE", 5033, nullptr, kAlarm },
};

// The dialog module defines the template table; only its address matters here.
const int kDialogTableStandIn = 0;
const auto* kDialogs = reinterpret_cast<const platform::DialogTemplateTable*>(&kDialogTableStandIn);

platform::ResourceModuleRegistration s_program("ResourceModuleTest",
                                               { .strings = kProgramStrings, .data = kProgramData, .dialogs = kDialogs });

TEST(ResourceModule, ProgramRegistrationIsTheInstanceModuleAndTheDefaultResourceModule)
{
    EXPECT_NE(AfxGetInstanceHandle(), nullptr);
    EXPECT_EQ(s_program.Handle(), AfxGetInstanceHandle());
    EXPECT_EQ(AfxGetResourceHandle(), AfxGetInstanceHandle());

    std::string text;
    EXPECT_TRUE(platform::LookupString(101, text));
    EXPECT_EQ(text, "Patient");
    CString loaded;
    EXPECT_TRUE(loaded.LoadString(102));
    EXPECT_EQ(loaded, "Größe");
}

TEST(ResourceModule, MissingIdIsNotFoundAndGivesEmptyText)
{
    std::string text = "unchanged";
    EXPECT_FALSE(platform::LookupString(999, text));
    CString loaded = "old";
    EXPECT_FALSE(loaded.LoadString(999));
    EXPECT_TRUE(loaded.IsEmpty());
    char buffer[8] = "x";
    EXPECT_EQ(LoadString(nullptr, 999, buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "");
}

TEST(ResourceModule, LoadStringFitsTheBufferWithoutSplittingACharacter)
{
    struct Case
    {
        int size;
        const char* expected;
    } cases[] = {
        { 8, "Größe" }, { 7, "Größ" }, { 6, "Grö" }, { 5, "Grö" }, { 4, "Gr" }, { 1, "" },
    };
    for (const auto& c : cases) {
        char buffer[16];
        int n = LoadString(AfxGetInstanceHandle(), 102, buffer, c.size);
        EXPECT_STREQ(buffer, c.expected) << "size " << c.size;
        EXPECT_EQ(n, static_cast<int>(std::string(c.expected).size())) << "size " << c.size;
    }
    EXPECT_EQ(LoadString(nullptr, 101, nullptr, 10), 0);
}

TEST(ResourceModule, AnotherRegistrationOfTheSameFileAddsTablesUntilItIsDestroyed)
{
    static const platform::StringEntry kMore[] = { { 101, "Not this one" }, { 200, "Added later" } };
    std::string text;
    {
        platform::ResourceModuleRegistration more("ResourceModuleTest", { .strings = kMore });
        EXPECT_EQ(more.Handle(), AfxGetInstanceHandle()) << "same file, same module";
        EXPECT_TRUE(platform::LookupString(200, text));
        EXPECT_EQ(text, "Added later");
        EXPECT_TRUE(platform::LookupString(101, text));
        EXPECT_EQ(text, "Patient") << "the first registration's table is searched first";
    }
    EXPECT_FALSE(platform::LookupString(200, text));
    EXPECT_TRUE(platform::LookupString(101, text));
}

TEST(ResourceModule, ResourceDataIsFoundByTypeAndIdOrNameWithoutCase)
{
    auto wave = platform::FindResourceData(nullptr, "wave", 5033u);
    ASSERT_EQ(wave.size(), sizeof kAlarm);
    EXPECT_EQ(wave.data(), kAlarm);
    EXPECT_EQ(platform::FindResourceData(AfxGetInstanceHandle(), "PNG", "LOGO.PNG").data(), kLogo);
    EXPECT_EQ(platform::FindResourceData(nullptr, "PNG", 300u).data(), kLogo);
    EXPECT_TRUE(platform::FindResourceData(nullptr, "PNG", 5033u).empty()) << "type must match";
    EXPECT_TRUE(platform::FindResourceData(nullptr, "WAVE", "logo.png").empty());
}

TEST(ResourceModule, SearchShowsEachModulesDialogTable)
{
    HINSTANCE found = platform::SearchResourceModules(
        [](const platform::ResourceTables& tables) { return tables.dialogs == kDialogs; });
    EXPECT_EQ(found, AfxGetInstanceHandle());
    EXPECT_EQ(platform::SearchResourceModules([](const platform::ResourceTables&) { return false; }), nullptr);
}

} // namespace
