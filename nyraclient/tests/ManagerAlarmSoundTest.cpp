// The alarm-sound thread: it plays every 3 seconds of the tick clock while a bed is in alarm,
// asks for one "Can't play alarm sound" box per failing run without waiting for it, and ends
// quickly when its manager goes, even in the middle of its pause.
#include "support/StationHarness.h"

#include "nyraclient/alarm/NyraAlarmManager.h"
#include "nyraclient/res/NyraClientSounds.h"
#include "nyraclient/res/NyraClientStrings.h"

#include "platform/core/Clock.h"
#include "platform/core/ResourceModule.h"
#include "platform/sys/Sound.h"
#include "testkit/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <mutex>
#include <thread>

using namespace stationtest;

namespace {

// A sound output that notes the tick clock at every attempt, counts the stops and fails while
// told to.
class ScriptedSink : public platform::SoundSink
{
public:
    bool Play(const platform::Wave&) override
    {
        std::lock_guard guard(m_lock);
        m_attempts.push_back(platform::MonotonicMs());
        return !m_failing;
    }
    void Stop() override
    {
        std::lock_guard guard(m_lock);
        ++m_stops;
    }
    void WaitUntilDone() override {}

    void SetFailing(bool failing)
    {
        std::lock_guard guard(m_lock);
        m_failing = failing;
    }
    std::vector<std::uint64_t> Attempts() const
    {
        std::lock_guard guard(m_lock);
        return m_attempts;
    }
    int Stops() const
    {
        std::lock_guard guard(m_lock);
        return m_stops;
    }

private:
    mutable std::mutex m_lock; // guards the fields below
    bool m_failing { true };
    std::vector<std::uint64_t> m_attempts;
    int m_stops { 0 };
};

class AlarmSound : public ::testing::Test
{
protected:
    // Under the test clock, unless a test needs real time.
    explicit AlarmSound(bool testClock = true)
        : m_clock(testClock ? std::make_unique<platform::ScopedTestClock>(0) : nullptr)
    {
        platform::SetSoundSink(m_sink);
    }
    ~AlarmSound() override { platform::SetSoundSink(nullptr); }

    // A connected monitor without alarms on a station whose alarm sound is `soundOn`.
    NyraClientInfo* AddBed(int soundOn)
    {
        NyraConfig config = m_station->manager.GetConfig();
        config.AllAlarmSound = soundOn;
        m_station->manager.SetConfig(config, FALSE);
        NyraClientSock* sock = nullptr;
        m_sim = m_station->ConnectMonitor(sock);
        NyraClientInfo* client = m_station->Attach(*m_sim, sock);
        if (client != nullptr)
            Exchange(*m_sim, m_sim->ConnectPacket(), 1);
        return client;
    }

    // A monitor in network alarm on a station whose alarm sound is on.
    void AddBedInAlarm()
    {
        NyraClientInfo* client = AddBed(1);
        ASSERT_NE(client, nullptr);
        client->GetAlarmManager().SetAlarm(ALARMTYPE_NETWORK, 1);
        ASSERT_EQ(client->CanPlayAlarmSound(), 1);
    }

    // Waits (real time) until the sink saw `count` attempts, then lets the thread enter its
    // pause before the test clock moves.
    bool WaitForAttempts(std::size_t count)
    {
        const bool seen = PumpUntil([&] { return m_sink->Attempts().size() >= count; });
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        return seen;
    }

    std::unique_ptr<platform::ScopedTestClock> m_clock;
    testkit::ScriptedDialogs m_dialogs;
    std::shared_ptr<ScriptedSink> m_sink { std::make_shared<ScriptedSink>() };
    RunLogFile m_log;
    std::unique_ptr<Station> m_station { std::make_unique<Station>() };
    std::unique_ptr<MonitorSim> m_sim;
};

TEST_F(AlarmSound, TheResourceIsAPlayableWave)
{
    const auto bytes = platform::FindResourceData(nullptr, "WAVE", nyraclient::IDR_ALARM_SOUND);
    platform::Wave wave;
    ASSERT_TRUE(platform::ParseWave(bytes.data(), bytes.size(), wave));
    EXPECT_EQ(wave.format.channels, 1u);
    EXPECT_EQ(wave.format.samplesPerSecond, 8000u);
    EXPECT_GT(wave.sampleBytes, 4000u); // half a second or more
}

TEST_F(AlarmSound, AFailingDeviceIsTriedEvery3sAndAsksForOneBoxPerFailingRun)
{
    AddBedInAlarm();
    m_station->manager.StartAlarm();
    m_station->manager.StartAlarm(); // one thread per manager
    ASSERT_TRUE(WaitForAttempts(1));

    m_clock->Advance(2999);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(m_sink->Attempts().size(), 1u) << "no sound before 3 s of the tick clock";
    m_clock->Advance(1);
    ASSERT_TRUE(WaitForAttempts(2));
    m_clock->Advance(3000);
    ASSERT_TRUE(WaitForAttempts(3));
    EXPECT_EQ(m_sink->Attempts(), (std::vector<std::uint64_t> { 0, 3000, 6000 }));

    // The box is shown on this thread, once for the three failures.
    ASSERT_TRUE(PumpUntil([&] { return m_station->manager.AlarmSoundBoxRequests() >= 1; }));
    testkit::Pump();
    const std::vector<std::string> texts = m_dialogs.BoxTexts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], "Can't play alarm sound");

    // A sound that plays ends the failing run; the next failure asks again.
    m_sink->SetFailing(false);
    m_clock->Advance(3000);
    ASSERT_TRUE(WaitForAttempts(4));
    m_sink->SetFailing(true);
    m_clock->Advance(3000);
    ASSERT_TRUE(WaitForAttempts(5));
    ASSERT_TRUE(PumpUntil([&] { return m_station->manager.AlarmSoundBoxRequests() >= 2; }));
    testkit::Pump();
    EXPECT_EQ(m_dialogs.BoxTexts().size(), 1u);

    // The manager's end does not wait out the pause.
    m_station->manager.ClearAll();
    const auto start = std::chrono::steady_clock::now();
    m_station.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
}

// Real time: no move of a test clock wakes the thread, only the manager taking a bed does.
class AlarmSoundInRealTime : public AlarmSound
{
protected:
    AlarmSoundInRealTime() : AlarmSound(false) {}
};

TEST_F(AlarmSoundInRealTime, AThreadStartedWithoutBedsSoundsForTheFirstBedInAlarm)
{
    // No bed: the thread sleeps until the manager takes one (it does not look every 100 ms).
    m_sink->SetFailing(false);
    m_station->manager.StartAlarm();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(m_sink->Attempts().empty());
    AddBedInAlarm();
    ASSERT_TRUE(WaitForAttempts(1));
}

TEST_F(AlarmSoundInRealTime, AQuietBedSoundsOnceItsAlarmsBeginAndItsSoundIsOn)
{
    // A bed with its sound off: the thread sleeps with a bed, and alarms alone do not sound.
    m_sink->SetFailing(false);
    NyraClientInfo* client = AddBed(0);
    ASSERT_NE(client, nullptr);
    m_station->manager.StartAlarm();
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    client->GetAlarmManager().SetAlarm(ALARMTYPE_NETWORK, 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    EXPECT_TRUE(m_sink->Attempts().empty());

    // Switching the bed's sound on wakes the thread.
    client->EnableAlarm(1);
    ASSERT_TRUE(WaitForAttempts(1));

    // A thread started anew (out of the pause after that sound) sleeps while the bed is quiet;
    // alarms that begin on it wake the thread.
    m_station->manager.StopAlarm();
    client->GetAlarmManager().RemoveAlarmAll();
    m_station->manager.StartAlarm();
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    EXPECT_EQ(m_sink->Attempts().size(), 1u);
    client->GetAlarmManager().SetAlarm(ALARMTYPE_NETWORK, 1);
    ASSERT_TRUE(WaitForAttempts(2));
}

TEST_F(AlarmSound, StopAlarmEndsTheThreadWithinItsPause)
{
    AddBedInAlarm();
    m_sink->SetFailing(false);
    m_station->manager.StartAlarm();
    ASSERT_TRUE(WaitForAttempts(1));
    const int stopsWhileSounding = m_sink->Stops();
    m_station->manager.StopAlarm();
    // The let-go thread still holds the sound lock until it has seen its stop flag.
    CCriticalSection& soundLock = m_station->manager.GetSoundLock();
    soundLock.Lock();
    soundLock.Unlock();
    // The sound it started is cut as it ends.
    EXPECT_EQ(m_sink->Stops(), stopsWhileSounding + 1);
    m_clock->Advance(3000);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(m_sink->Attempts().size(), 1u);
    // A new start after the stop plays again.
    m_station->manager.StartAlarm();
    ASSERT_TRUE(WaitForAttempts(2));
}

TEST(AlarmSoundLifetime, StartAlarmThenImmediateDestructionIsQuick)
{
    for (int i = 0; i < 200; ++i) {
        auto manager = std::make_unique<NyraClientManager>();
        manager->StartAlarm();
        const auto start = std::chrono::steady_clock::now();
        manager.reset();
        ASSERT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100)) << "round " << i;
    }
}

} // namespace
