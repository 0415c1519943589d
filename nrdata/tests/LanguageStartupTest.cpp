// Choosing the language at start-up: the "Language" number of the ini file names the language
// library that becomes the current resource module; English stays for 3, for numbers that name
// no library, and when the library or the ini file is missing.
#include "nrdata/constmap/NRConstMap.h"
#include "nrdata/startup/NRDataLanguage.h"

#include "platform/core/ResourceModule.h"
#include "testkit/BuildFolders.h"
#include "testkit/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string TestLanguageFolder() { return testkit::TestModuleFolder("nrdata"); }

// A scratch folder with an ini file; the resource handle is restored afterwards.
class LanguageStartup : public testing::Test
{
protected:
    void TearDown() override { AfxSetResourceHandle(nullptr); }
    void WriteIni(const std::string& text) { testkit::WriteText(m_ini, text); }

    testkit::TempFolder m_folder;
    std::string m_ini { m_folder / "TarvicII.ini" };
};

} // namespace

TEST(LanguageLibraries, NumbersNameTheirLibraries)
{
    const char* names[] = { nullptr,        "LANG_BUL.dll", "LANG_CZE.dll", nullptr,        "LANG_FRA.dll",
                            "LANG_GER.dll", "LANG_ITA.dll", "LANG_POL.dll", "LANG_POR.dll", "LANG_ROM.dll",
                            "LANG_RUS.dll", "LANG_SPA.dll", "LANG_TUR.dll", "LANG_KOR.dll", "LANG_CHN.dll" };
    for (int language = 0; language <= 14; ++language) {
        const char* name = nrdata::LanguageLibraryName(language);
        if (names[language] == nullptr)
            EXPECT_EQ(name, nullptr) << language;
        else
            EXPECT_STREQ(name, names[language]) << language;
    }
    for (int language : { -1, 15, 100 })
        EXPECT_EQ(nrdata::LanguageLibraryName(language), nullptr) << language;
}

TEST_F(LanguageStartup, KoreanLibraryBecomesTheCurrentResourceModule)
{
    WriteIni("[CENTRAL_DEFAULT]\nLanguage=13\n");
    HINSTANCE korean = nrdata::InstallLanguage(m_ini.c_str(), TestLanguageFolder().c_str());
    ASSERT_NE(korean, nullptr);
    EXPECT_EQ(AfxGetResourceHandle(), korean);
    EXPECT_EQ(NRConstMap::GetOnOffText(0), "끄기");
    EXPECT_EQ(NRConstMap::GetOnOffText(1), "On");
}

TEST_F(LanguageStartup, EnglishStaysForNumbersThatNameNoLibrary)
{
    const HINSTANCE before = AfxGetResourceHandle();
    for (const char* language : { "3", "0", "15", "-2", "KOR" }) {
        WriteIni(std::string("[CENTRAL_DEFAULT]\nLanguage=") + language + "\n");
        EXPECT_EQ(nrdata::InstallLanguage(m_ini.c_str(), TestLanguageFolder().c_str()), nullptr) << language;
        EXPECT_EQ(AfxGetResourceHandle(), before) << language;
        EXPECT_EQ(NRConstMap::GetOnOffText(0), "Off") << language;
    }
}

TEST_F(LanguageStartup, EnglishStaysWhenTheIniFileOrTheLibraryIsMissing)
{
    const HINSTANCE before = AfxGetResourceHandle();
    EXPECT_EQ(nrdata::InstallLanguage(m_ini.c_str(), TestLanguageFolder().c_str()), nullptr) << "no ini file";
    WriteIni("[CENTRAL_DEFAULT]\nTop Graph=2\n");
    EXPECT_EQ(nrdata::InstallLanguage(m_ini.c_str(), TestLanguageFolder().c_str()), nullptr) << "no key";
    WriteIni("[CENTRAL_DEFAULT]\nLanguage=5\n");
    EXPECT_EQ(nrdata::InstallLanguage(m_ini.c_str(), TestLanguageFolder().c_str()), nullptr) << "no LANG_GER";
    WriteIni("[CENTRAL_DEFAULT]\nLanguage=13\n");
    EXPECT_EQ(nrdata::InstallLanguage(m_ini.c_str(), m_folder.Dir().c_str()), nullptr) << "no LANG_KOR in that folder";
    EXPECT_EQ(AfxGetResourceHandle(), before);
    EXPECT_EQ(NRConstMap::GetOnOffText(0), "Off");
}
