// A trend hidden on the review station stays hidden after a restart, and saving the settings
// sheet afterwards keeps it so.
#include "support/ReviewStation.h"

#include "tarlux/settings/ReviewSettingsSave.h"
#include "tarlux/settings/TrendVisibility.h"

#include "nrdata/config/NyraConfig.h"

#include <gtest/gtest.h>

namespace {

constexpr int kFHR1Flag = 9;

TEST(TrendVisibility, HiddenTrendStaysHiddenAfterRestart)
{
    testkit::TempFolder folder;
    const CString ini = folder.Path("TarvicII.ini");
    NyraConfig running;
    ASSERT_EQ(running.Save(ini), 1);
    running.DisplayFlag[kFHR1Flag] = 0;
    ASSERT_EQ(tarlux::SaveTrendVisibility(running, ini), 1);
    ASSERT_EQ(tarlux::SaveReviewSettings(running, ini), 1);

    NyraConfig restarted;
    ASSERT_EQ(restarted.Open(ini), 1);
    tarlux::LoadTrendVisibility(restarted, ini);
    EXPECT_EQ(restarted.DisplayFlag[kFHR1Flag], 0);
    for (int flag = 1; flag <= 16; ++flag) {
        if (flag != kFHR1Flag)
            EXPECT_EQ(restarted.DisplayFlag[flag], 1) << flag;
    }

    // A file without the section (an older station's) shows every trend.
    testkit::TempFolder other;
    NyraConfig fresh;
    fresh.DisplayFlag[kFHR1Flag] = 0;
    tarlux::LoadTrendVisibility(fresh, other.Path("missing.ini"));
    EXPECT_EQ(fresh.DisplayFlag[kFHR1Flag], 1);
}

} // namespace
