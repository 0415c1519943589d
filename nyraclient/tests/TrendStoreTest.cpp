// The trend store: one entry per second of the monitor's sequence, blanks for gaps, restarts
// on a backward jump, the one-hour trim, the recording limits, review mode and the trend lock,
// and readers that only ever hold copies.
#include "nyraclient/trend/CTrendStore.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

// The bed around the store, reduced to what the store asks, with a record of what it was told.
class FakeBed : public CTrendStoreOwner
{
public:
    int recording{0};
    int review{0};
    int recordLimit{0};
    int stops{0};
    int interrupted{0};
    int starts{0};
    int jumps{0};
    std::vector<UINT> recorded; // stamps handed to the recording
    CTrendStore* store{nullptr};
    UINT lossAtStop{0};

    int IsTrendRecording() const override { return recording; }
    void StopTrendRecording() override
    {
        if (!recording)
            return;
        recording = 0;
        ++stops;
        interrupted = 0; // a stop clears the interrupted flag, as the recording does
        if (store != nullptr)
            lossAtStop = store->GetSignalLossOfRecored();
    }
    void MarkRecordInterrupted() override { interrupted = 1; }
    void OnTrendStarted() override { ++starts; }
    void OnTrendJumpedBack() override { ++jumps; }
    void OnTrendEntry(const BYTE* entry, int len) override
    {
        ASSERT_EQ(len, PKParam_v110::kSize);
        if (recording) {
            PKParam_v110 packet;
            packet.SetPacket(entry, len, 0);
            recorded.push_back(packet.GetTimeStamp());
        }
    }
    int IsTrendReviewMode() const override { return review; }
    int GetRecordLimitMinutes() const override { return recordLimit; }
};

PKParam_v110 Packet(UINT stamp)
{
    PKParam_v110 packet;
    packet.SetKey(1);
    packet.Clear(0xFF);
    packet.SetTimeStamp(stamp);
    packet.SetFHR1(0, 140);
    packet.SetUC(0, 20);
    return packet;
}

class TrendStoreTest : public ::testing::Test
{
protected:
    TrendStoreTest() { bed.store = &store; }

    int Add(UINT stamp) { return store.AddTrendData(Packet(stamp).GetPacket()); }
    void AddRun(UINT first, UINT count)
    {
        for (UINT i = 0; i < count; ++i)
            Add(first + i);
    }
    UINT StampAt(UINT index)
    {
        PKParam_v110 entry;
        EXPECT_TRUE(store.CopyTrendDataAtIndex(index, entry));
        return entry.GetTimeStamp();
    }
    std::vector<UINT> Stamps()
    {
        std::vector<UINT> stamps;
        for (UINT i = 0; i < store.GetCountsOfTrendData(); ++i)
            stamps.push_back(StampAt(i));
        return stamps;
    }

    FakeBed bed;
    CTrendStore store{bed};
};

// ---- gaps and repeats ---------------------------------------------------------------------------

TEST_F(TrendStoreTest, FillsAGapWithBlankEntriesCountedAsSignalLossWhileRecording)
{
    bed.recording = 1;
    EXPECT_EQ(Add(100), 1);
    EXPECT_EQ(Add(101), 1);
    EXPECT_EQ(Add(104), 1);

    EXPECT_EQ(Stamps(), (std::vector<UINT>{100, 101, 102, 103, 104}));
    EXPECT_EQ(bed.recorded, (std::vector<UINT>{100, 101, 102, 103, 104}));
    EXPECT_EQ(store.GetSignalLossOfRecored(), 2u);
    EXPECT_EQ(store.GetStartStampOfTrend(), 100u);
    EXPECT_EQ(store.GetLastStampOfTrend(), 104u);

    PKParam_v110 blank;
    ASSERT_TRUE(store.CopyTrendDataAtIndex(2, blank));
    for (int kind = ParamKind::ECG; kind <= ParamKind::FM2; ++kind)
        for (int i = 0; i < PKParam_v110::kSamples; ++i)
            EXPECT_FALSE(blank.IsValidData(kind, i)) << "kind " << kind << " sample " << i;
    EXPECT_EQ(blank.GetMarker(), 0);
    EXPECT_EQ(blank.GetStimulator(), 0);
    for (int i = 0; i < PKParam_v110::kSamples; ++i) {
        EXPECT_EQ(blank.GetFMD1(i), 0);
        EXPECT_EQ(blank.GetFMD2(i), 0);
    }
    EXPECT_EQ(blank.GetPacket()[0], PK_TYPE_PARAM);
}

TEST_F(TrendStoreTest, CountsNoSignalLossWhenNotRecording)
{
    AddRun(100, 2);
    Add(110);
    EXPECT_EQ(store.GetCountsOfTrendData(), 11u);
    EXPECT_EQ(store.GetSignalLossOfRecored(), 0u);
}

TEST_F(TrendStoreTest, DropsARepeatedSequenceNumber)
{
    AddRun(7, 3);
    EXPECT_EQ(Add(9), 1);
    EXPECT_EQ(Stamps(), (std::vector<UINT>{7, 8, 9}));
}

TEST_F(TrendStoreTest, CopyBeyondTheEndGivesNothing)
{
    AddRun(1, 3);
    BYTE out[PKParam_v110::kSize] = {0x5A};
    EXPECT_FALSE(store.CopyTrendDataAtIndex(3, out));
    EXPECT_EQ(out[0], 0x5A);
    EXPECT_FALSE(store.CopyTrendDataAtIndex(0xFFFFFFFFu, out));
    EXPECT_TRUE(store.CopyTrendDataAtIndex(2, out));
}

// ---- backward jump --------------------------------------------------------------------------

TEST_F(TrendStoreTest, BackwardJumpEmptiesTheStoreAndInterruptsTheRecording)
{
    bed.recording = 1;
    AddRun(500, 5);
    ASSERT_EQ(bed.starts, 1);

    EXPECT_EQ(Add(3), 0);
    EXPECT_EQ(store.GetCountsOfTrendData(), 0u);
    EXPECT_EQ(bed.stops, 1);
    EXPECT_EQ(bed.interrupted, 1);
    EXPECT_EQ(bed.jumps, 1);

    // The next packet starts a new store (and the bed asks for a new recording then).
    EXPECT_EQ(Add(4), 1);
    EXPECT_EQ(bed.starts, 2);
    EXPECT_EQ(Stamps(), (std::vector<UINT>{4}));
    EXPECT_EQ(store.GetStartStampOfTrend(), 4u);
}

TEST_F(TrendStoreTest, BackwardJumpWhenNotRecordingMarksNothing)
{
    AddRun(500, 5);
    EXPECT_EQ(Add(499), 0);
    EXPECT_EQ(bed.stops, 0);
    EXPECT_EQ(bed.interrupted, 0);
    EXPECT_EQ(bed.jumps, 1);
}

// ---- trimming ---------------------------------------------------------------------------------

TEST_F(TrendStoreTest, KeepsTheLastHourWhenNotRecording)
{
    AddRun(1000, 3601);
    EXPECT_EQ(store.GetCountsOfTrendData(), 3600u);
    EXPECT_EQ(store.GetStartStampOfTrend(), 1001u);
    EXPECT_EQ(StampAt(0), 1001u);
    EXPECT_EQ(StampAt(3599), 4600u);
    const double hours = (COleDateTime::GetCurrentTime() - store.GetStartTimeOfTrend()).GetTotalHours();
    EXPECT_NEAR(hours, 1.0, 0.01);

    AddRun(4601, 5000); // across several chunks
    EXPECT_EQ(store.GetCountsOfTrendData(), 3600u);
    EXPECT_EQ(StampAt(0), 6001u);
    EXPECT_EQ(StampAt(3599), 9600u);
}

struct HoldCase
{
    const char* name;
    int review;
    int lock;
};

class TrendStoreHoldTest : public TrendStoreTest, public ::testing::WithParamInterface<HoldCase>
{
};

TEST_P(TrendStoreHoldTest, KeepsEveryEntryWhileHeldAndTrimsAtTheNextPacketAfter)
{
    bed.review = GetParam().review;
    store.SetLockTrendDelete(GetParam().lock);
    AddRun(1, 3700);
    EXPECT_EQ(store.GetCountsOfTrendData(), 3700u);
    EXPECT_EQ(store.GetStartStampOfTrend(), 1u);

    bed.review = 0;
    store.SetLockTrendDelete(0);
    Add(3701);
    EXPECT_EQ(store.GetCountsOfTrendData(), 3600u);
    EXPECT_EQ(store.GetStartStampOfTrend(), 102u);
}

INSTANTIATE_TEST_SUITE_P(Holds, TrendStoreHoldTest,
                         ::testing::Values(HoldCase{"ReviewMode", 1, 0}, HoldCase{"TrendLock", 0, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- the recording limits ---------------------------------------------------------------------

TEST_F(TrendStoreTest, RecordLimitStopsTheRecordingAtItsMinutes)
{
    bed.recording = 1;
    bed.recordLimit = 10;
    AddRun(1, 599);
    EXPECT_EQ(bed.stops, 0);
    Add(600);
    EXPECT_EQ(bed.stops, 1);
    EXPECT_EQ(bed.interrupted, 0);
    EXPECT_EQ(store.GetCountsOfTrendData(), 600u); // the entries stay; the store trims later
}

TEST_F(TrendStoreTest, SeventyTwoHoursStopEmptyAndInterrupt)
{
    bed.recording = 1;
    AddRun(1, CTrendStore::kMaxRecording - 1);
    EXPECT_EQ(bed.stops, 0);
    Add(CTrendStore::kMaxRecording);
    EXPECT_EQ(bed.stops, 1);
    EXPECT_EQ(bed.interrupted, 1);
    EXPECT_EQ(store.GetCountsOfTrendData(), 0u);
    EXPECT_EQ(bed.recorded.size(), size_t(CTrendStore::kMaxRecording));

    Add(CTrendStore::kMaxRecording + 1);
    EXPECT_EQ(bed.starts, 2);
    EXPECT_EQ(store.GetCountsOfTrendData(), 1u);
}

TEST_F(TrendStoreTest, LockedTrendIsNotHeldToTheRecordingLimits)
{
    bed.recording = 1;
    bed.recordLimit = 1;
    store.SetLockTrendDelete(1);
    AddRun(1, 120);
    EXPECT_EQ(bed.stops, 0);
    store.SetLockTrendDelete(0);
    Add(121);
    EXPECT_EQ(bed.stops, 1);
}

// ---- a stamp far ahead ------------------------------------------------------------------------

// A gap of up to an hour is filled; one second more is a leap of the monitor's count (a clock
// that jumped days ahead), which ends the store like a backward jump instead of adding blanks.
TEST_F(TrendStoreTest, AGapOfAnHourIsFilledAndALongerLeapStartsTheStoreAnew)
{
    struct Case
    {
        const char* name;
        int recording;
    };
    for (const Case c : { Case{"not recording", 0}, Case{"recording", 1} }) {
        SCOPED_TRACE(c.name);
        FakeBed bed;
        CTrendStore store{bed};
        bed.store = &store;
        bed.recording = c.recording;
        store.AddTrendData(Packet(10).GetPacket());
        EXPECT_EQ(store.AddTrendData(Packet(11 + CTrendStore::kMaxGapFill).GetPacket()), 1);
        EXPECT_EQ(store.GetCountsOfTrendData(),
                  c.recording ? CTrendStore::kMaxGapFill + 2 : CTrendStore::kKeepNotRecording);
        EXPECT_EQ(store.GetSignalLossOfRecored(), c.recording ? CTrendStore::kMaxGapFill : 0u);
        EXPECT_EQ(bed.stops, 0);

        const UINT last = 11 + CTrendStore::kMaxGapFill;
        const UINT leap = last + 1 + CTrendStore::kMaxGapFill + 1; // an hour and a second missing
        const std::size_t recorded = bed.recorded.size();
        EXPECT_EQ(store.AddTrendData(Packet(leap).GetPacket()), 0);
        EXPECT_EQ(store.GetCountsOfTrendData(), 0u);
        EXPECT_EQ(bed.recorded.size(), recorded) << "no blank goes to the recording";
        EXPECT_EQ(bed.stops, c.recording);
        EXPECT_EQ(bed.interrupted, c.recording);
        EXPECT_EQ(bed.jumps, 1) << "the alarms go as after a backward jump";

        // The next packet starts a new store (and the bed asks for a new recording then).
        EXPECT_EQ(store.AddTrendData(Packet(leap + 1).GetPacket()), 1);
        EXPECT_EQ(bed.starts, 2);
        EXPECT_EQ(store.GetCountsOfTrendData(), 1u);
        EXPECT_EQ(store.GetStartStampOfTrend(), leap + 1);
    }
}

TEST_F(TrendStoreTest, AMonitorClockThreeDaysAheadAddsNoBlanks)
{
    bed.recording = 1;
    AddRun(1, 10);
    EXPECT_EQ(Add(10 + 3 * 24 * 3600), 0);
    EXPECT_EQ(store.GetCountsOfTrendData(), 0u);
    EXPECT_EQ(bed.recorded.size(), 10u);
    EXPECT_EQ(bed.stops, 1);
    EXPECT_EQ(bed.interrupted, 1);
    EXPECT_EQ(Add(0xFFFFFFFFu), 1) << "a new store may start anywhere";
    EXPECT_EQ(Add(0xFFFFFFFFu), 1);
    EXPECT_EQ(store.GetCountsOfTrendData(), 1u);
}

TEST_F(TrendStoreTest, AGapNearTheSeventyTwoHourLimitFillsToItThenStartsANewStore)
{
    bed.recording = 1;
    const UINT before = CTrendStore::kMaxRecording - 100;
    AddRun(1, before);
    const UINT stamp = before + 1 + 1000; // 1,000 missing, room for 100
    EXPECT_EQ(Add(stamp), 1);

    EXPECT_EQ(bed.stops, 1);
    EXPECT_EQ(bed.interrupted, 1);
    EXPECT_EQ(bed.lossAtStop, 100u);
    ASSERT_EQ(bed.recorded.size(), size_t(CTrendStore::kMaxRecording));
    EXPECT_EQ(bed.recorded.back(), CTrendStore::kMaxRecording); // consecutive up to the limit

    EXPECT_EQ(Stamps(), (std::vector<UINT>{stamp}));
    EXPECT_EQ(store.GetStartStampOfTrend(), stamp);
    EXPECT_EQ(store.GetSignalLossOfRecored(), 0u);
    EXPECT_EQ(bed.starts, 2);
}

TEST_F(TrendStoreTest, AGapJustWithinTheLimitIsFilledWhole)
{
    bed.recording = 1;
    const UINT before = CTrendStore::kMaxRecording - 100;
    AddRun(1, before);
    Add(before + 100 + 1); // exactly 100 blanks, then the packet reaches the limit
    EXPECT_EQ(bed.lossAtStop, 100u);
    EXPECT_EQ(bed.recorded.size(), size_t(CTrendStore::kMaxRecording) + 1);
    EXPECT_EQ(bed.interrupted, 1);
}

// ---- emptying -----------------------------------------------------------------------------

TEST_F(TrendStoreTest, AClearRequestEmptiesTheStoreAtTheNextPacketWhichStartsAtTheGivenTime)
{
    AddRun(1, 50);
    const COleDateTime recordStart(2026, 12, 11, 7, 15, 54);
    store.RequestClear(recordStart);
    EXPECT_EQ(store.GetCountsOfTrendData(), 50u);
    Add(51);
    EXPECT_EQ(Stamps(), (std::vector<UINT>{51}));
    EXPECT_EQ(store.GetStartStampOfTrend(), 51u);
    EXPECT_EQ(store.GetStartTimeOfTrend(), recordStart);
    EXPECT_EQ(bed.starts, 2);
}

// Readers on another thread copy entries while the store adds, trims and empties: every copy
// is a whole entry of the store (run under the sanitizers, a freed entry would show).
TEST_F(TrendStoreTest, ReadersHoldOnlyCopiesWhileTheStoreTrimsAndEmpties)
{
    std::atomic<bool> done{false};
    std::atomic<long> torn{0};
    std::thread reader([&] {
        PKParam_v110 entry;
        while (!done.load()) {
            const UINT count = store.GetCountsOfTrendData();
            for (UINT i = 0; i < count; i += 97)
                if (store.CopyTrendDataAtIndex(i, entry) && (entry.GetFHR1(0) != 140 || entry.GetUC(0) != 20))
                    ++torn;
        }
    });
    for (int round = 0; round < 3; ++round) {
        AddRun(1, 8000);
        store.RemoveAllTrendData();
    }
    done = true;
    reader.join();
    EXPECT_EQ(torn.load(), 0);
}

} // namespace
