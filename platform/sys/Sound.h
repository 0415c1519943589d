// Sound playback: a RIFF wave held in memory (or a file) played through ALSA's default
// device, the way the alarm sound is played.
//
// Playing starts at once and runs on its own thread; a new sound cuts the one that plays.
// Failing is an answer, never a wait: a wave that is not plain PCM, or a machine without a
// usable sound device, gives FALSE immediately.
//
// Tests replace the device with a sink of their own (FakeSoundSink counts the sounds and
// notes the process clock at each one). A program started with PLATFORM_SOUND_LOG=FILE plays
// nothing and notes each sound as a line of FILE ("play MS CHANNELS RATE BITS", MS on the
// machine's monotonic clock): how a test hears a program it started.
#pragma once

#include "platform/core/Types.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

constexpr DWORD SND_SYNC = 0x0000;
constexpr DWORD SND_ASYNC = 0x0001;
constexpr DWORD SND_NODEFAULT = 0x0002;
constexpr DWORD SND_MEMORY = 0x0004;
constexpr DWORD SND_FILENAME = 0x00020000;
constexpr DWORD SND_RESOURCE = 0x00040004;

// `sound`: with SND_MEMORY the bytes of a wave file; with SND_RESOURCE a "WAVE" resource of
// `module` (null: the search order of the resource modules), by number (an integer below
// 0x10000 in the pointer) or by name; otherwise a file name. Null stops the sound that plays.
// Without SND_ASYNC the call returns when the sound has ended.
BOOL PlaySound(LPCSTR sound, HMODULE module, DWORD flags);

namespace platform {

// The format of the samples of a wave.
struct WaveFormat
{
    unsigned channels { 0 };
    unsigned samplesPerSecond { 0 };
    unsigned bitsPerSample { 0 }; // 8 (unsigned) or 16 (signed, little-endian)
};

// A parsed wave: its format and where its samples lie inside the bytes given.
struct Wave
{
    WaveFormat format;
    const std::uint8_t* samples { nullptr };
    std::size_t sampleBytes { 0 };
};

// Reads a RIFF wave of PCM samples; false for anything else or a damaged file.
bool ParseWave(const void* data, std::size_t size, Wave& wave);

// Where sounds go. Play is called with samples that stay valid until Stop or the next Play
// returns; it must not wait for the sound to end. Calls are serialised by the layer.
class SoundSink
{
public:
    virtual ~SoundSink() = default;
    virtual bool Play(const Wave& wave) = 0;
    virtual void Stop() = 0;
    // Blocks until the sound that plays has ended (for SND_SYNC).
    virtual void WaitUntilDone() = 0;
};

// Replaces the output (null: the ALSA default device again).
void SetSoundSink(std::shared_ptr<SoundSink> sink);

// A sink for tests: accepts every sound (or refuses all when told to), plays nothing, and
// notes each sound with the process clock's time.
class FakeSoundSink : public SoundSink
{
public:
    bool Play(const Wave& wave) override;
    void Stop() override;
    void WaitUntilDone() override {}

    void SetFailing(bool failing);
    int PlayCount() const;
    int StopCount() const;
    // MonotonicMs at each accepted sound, in order.
    std::vector<std::uint64_t> PlayTimes() const;
    WaveFormat LastFormat() const;

private:
    mutable std::mutex m_lock; // guards the fields below
    bool m_failing { false };
    int m_stops { 0 };
    std::vector<std::uint64_t> m_times;
    WaveFormat m_last;
};

} // namespace platform
