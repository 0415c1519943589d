// Saving the review settings sheet keeps what another writer (the central station) changed in
// the shared settings file since the review station read it.
#include "support/ReviewStation.h"

#include "tarlux/settings/ReviewSettingsSave.h"

#include "nrdata/config/NyraConfig.h"

#include <gtest/gtest.h>

using namespace reviewtest;

namespace {

TEST(ReviewSettingsSave, WritesOnlyTheSheetsKeys)
{
    testkit::TempFolder folder;
    const CString ini = folder.Path("TarvicII.ini");

    NyraConfig start;
    start.ReviewSweepSpeed = 3;
    start.SweepSpeed = 3;
    start.GraphFHR1 = 0x0000FF;
    start.TopGraph = 1;
    ASSERT_EQ(start.Save(ini), 1);

    // The review station reads the file and its sheet edits a copy ...
    NyraConfig review;
    ASSERT_EQ(review.Open(ini), 1);
    NyraConfig edited = review;
    edited.ReviewSweepSpeed = 4;
    edited.GraphFHR1 = 0x00FF00;
    edited.EMRDataPath = folder.Path("emr");

    // ... while the central station changes keys of its own.
    NyraConfig central;
    ASSERT_EQ(central.Open(ini), 1);
    central.SweepSpeed = 1;
    central.TopGraph = 2;
    central.ReviewGraphFHR1 = 0x123456;
    ASSERT_EQ(central.Save(ini), 1);

    ASSERT_EQ(tarlux::SaveReviewSettings(edited, ini), 1);
    NyraConfig after;
    ASSERT_EQ(after.Open(ini), 1);
    EXPECT_EQ(after.ReviewSweepSpeed, 4);
    EXPECT_EQ(after.GraphFHR1, 0x00FF00);
    EXPECT_EQ(after.EMRDataPath, folder.Path("emr"));
    EXPECT_EQ(after.SweepSpeed, 1);
    EXPECT_EQ(after.TopGraph, 2);
    EXPECT_EQ(after.ReviewGraphFHR1, 0x123456);
}

} // namespace
