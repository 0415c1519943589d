// End to end: another program (a backup, the review station saving a long edit) holds the
// database's write lock for 25 seconds while a bed records. The station goes on: the monitor's
// packets are answered at once, the enlarged bed keeps drawing its waves, no box shows, and the
// study row catches up at the first commit after the lock is gone. The longest the user-interface
// thread was held up, and the longest the waves stood still, are printed.
#include "support/StationFixture.h"

#include "nyraclient/bedwindow/NyraControl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <iostream>

using namespace stationtest;

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr auto kLockHeld = std::chrono::seconds(25);
// The monitor's seconds come four times as fast as real ones, so that the held lock meets a
// commit every 2.5 seconds instead of every 10.
constexpr auto kMonitorSecond = milliseconds(250);

class HeldDatabaseLock : public StationTest
{
};

TEST_F(HeldDatabaseLock, TheStationGoesOnNoBoxShowsAndTheRowCatchesUpAfterwards)
{
    StartStation();
    SetFreeMegabytes(5000);
    MonitorSim* sim = nullptr;
    NyraClientInfo* bed = RecordingBed("127.0.0.2", "P-0040", &sim);
    ASSERT_TRUE(bed != nullptr && bed->IsRecording());
    if (bed->GetEnlargedControl() == nullptr)
        Manager().ExpandClient(bed, TRUE);
    ASSERT_NE(bed->GetEnlargedControl(), nullptr);
    const TBLStudy started = bed->GetStudy();
    TBLStudy row;
    Seconds(*sim, 10);
    ASSERT_TRUE(
        PumpUntil([&] { return ReadStudy(started.S_ID, started.S_STUDY_ID, row) && row.S_LENGTH == 10; }));

    KTAdo other;
    ASSERT_EQ(other.ConnectDB(folder.Path("Data/TarvicII.mdb"), tarvic::kDatabasePassword), 1);
    ASSERT_EQ(other.BeginTrans(), 1);
    const auto lockStart = Clock::now();
    auto longestAnswer = milliseconds(0), longestStill = milliseconds(0);
    unsigned drawn = NyraControl::EnlargedOf(bed)->GetDrawnWavePackets();
    auto lastDrawn = Clock::now();
    const auto watchWaves = [&] {
        const unsigned now = NyraControl::EnlargedOf(bed)->GetDrawnWavePackets();
        const auto at = Clock::now();
        longestStill = std::max(longestStill, std::chrono::duration_cast<milliseconds>(at - lastDrawn));
        if (now != drawn) {
            drawn = now;
            lastDrawn = at;
        }
    };
    int seconds = 10;
    while (Clock::now() - lockStart < kLockHeld) {
        const auto sent = Clock::now();
        Seconds(*sim, 1);
        ++seconds;
        longestAnswer =
            std::max(longestAnswer, std::chrono::duration_cast<milliseconds>(Clock::now() - sent));
        PumpUntil([&] {
            watchWaves();
            return Clock::now() - sent >= kMonitorSecond;
        });
    }
    // The lock held its rows back, and nobody was bothered with it.
    ASSERT_TRUE(ReadStudy(started.S_ID, started.S_STUDY_ID, row));
    EXPECT_EQ(row.S_LENGTH, 10);
    EXPECT_TRUE(platform::msg::TakeShownMessageBoxes().empty());
    ASSERT_EQ(other.CommitTrans(), 1);

    Seconds(*sim, 10 - seconds % 10);
    seconds += 10 - seconds % 10;
    EXPECT_TRUE(PumpUntil([&] {
        return ReadStudy(started.S_ID, started.S_STUDY_ID, row) && row.S_LENGTH == seconds;
    })) << row.S_LENGTH
        << " of " << seconds;
    EXPECT_TRUE(platform::msg::TakeShownMessageBoxes().empty());

    std::cout << "Under the held lock the station answered the monitor within " << longestAnswer.count()
              << " ms at most; the waves stood still for " << longestStill.count() << " ms at most.\n";
    RecordProperty("LongestAnswerMs", int(longestAnswer.count()));
    RecordProperty("LongestWavesStillMs", int(longestStill.count()));
    // The database's own wait would be ten seconds a commit: far from that.
    EXPECT_LT(longestAnswer, milliseconds(2000));
    EXPECT_LT(longestStill, milliseconds(2000));
}

} // namespace
