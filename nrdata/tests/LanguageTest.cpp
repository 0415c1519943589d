// Languages: a language module that becomes the current resource module replaces the value-map
// texts by id, while ids it lacks stay English.
#include "nrdata/constmap/NRConstMap.h"

#include "platform/core/ResourceModule.h"
#include "testkit/BuildFolders.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using M = NRConstMap;

std::string TestLanguageFolder() { return testkit::TestModuleFolder("nrdata"); }

// Leaves the resource handle as the test found it.
class Language : public testing::Test
{
protected:
    void TearDown() override { AfxSetResourceHandle(nullptr); }
};

} // namespace

TEST_F(Language, CurrentLanguageModuleOverridesMapTexts)
{
    HINSTANCE korean = platform::LoadLanguageModule("LANG_KOR.dll", TestLanguageFolder());
    ASSERT_NE(korean, nullptr) << "LANG_KOR.so in " << TestLanguageFolder();
    EXPECT_EQ(M::GetOnOffText(0), "Off") << "loaded but not current: English";

    AfxSetResourceHandle(korean);
    EXPECT_EQ(M::GetOnOffText(0), "끄기");
    EXPECT_EQ(M::GetMapText(M::CMAP_VOLUME9, 0), "끄기") << "every map naming the id";
    EXPECT_EQ(M::GetMapText(M::CMAP_DELAY_TIME, 0), "끄기");
    EXPECT_EQ(M::GetEcgAlarmText(0), "정상");
    EXPECT_EQ(M::GetGenderText(1), "남성");
    EXPECT_EQ(M::GetGenderText(2), "Female") << "an id the module lacks stays English";
    EXPECT_EQ(M::GetOnOffText(1), "On");

    AfxSetResourceHandle(nullptr);
    EXPECT_EQ(M::GetOnOffText(0), "Off");
}
