// PlaySound: wave parsing, the current sink, and the fake sink for tests.
#include "platform/sys/Sound.h"

#include "platform/core/Clock.h"
#include "platform/core/ResourceModule.h"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string_view>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>

namespace platform {

std::shared_ptr<SoundSink> MakeAlsaSoundSink();

namespace {

// Guards the sink and the wave bytes it plays. Held while a sound is started or stopped,
// never while a synchronous sound is waited for.
std::mutex s_soundLock;
std::shared_ptr<SoundSink> s_sink;
std::vector<std::uint8_t> s_playing; // the bytes the sink reads from until the next Stop

std::uint32_t Le32(const std::uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24); }
std::uint16_t Le16(const std::uint8_t* p) { return std::uint16_t(p[0] | (p[1] << 8)); }

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;

// With PLATFORM_SOUND_LOG set, a program notes its sounds in that file instead of playing
// them: one line "play MS CHANNELS RATE BITS" per sound started, MS on the machine's monotonic
// clock (the one std::chrono::steady_clock reads in every process). This is how a test hears the
// sounds of a program it started, on a machine with or without a sound device.
class SoundLogSink : public SoundSink
{
public:
    explicit SoundLogSink(std::string path) : m_path(std::move(path)) {}
    bool Play(const Wave& wave) override
    {
        std::ofstream out(m_path, std::ios::app);
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now().time_since_epoch());
        out << "play " << ms.count() << ' ' << wave.format.channels << ' ' << wave.format.samplesPerSecond << ' '
            << wave.format.bitsPerSample << '\n';
        out.flush();
        return bool(out);
    }
    void Stop() override {}
    void WaitUntilDone() override {}

private:
    std::string m_path;
};

SoundSink& CurrentSinkLocked()
{
    if (!s_sink) {
        const char* log = std::getenv("PLATFORM_SOUND_LOG");
        if (log != nullptr && *log != '\0')
            s_sink = std::make_shared<SoundLogSink>(log);
        else
            s_sink = MakeAlsaSoundSink();
    }
    return *s_sink;
}

bool ReadFile(const char* name, std::vector<std::uint8_t>& bytes)
{
    std::ifstream in(name, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

} // namespace

bool ParseWave(const void* data, std::size_t size, Wave& wave)
{
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    if (!bytes || size < 12 || std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0)
        return false;
    // The RIFF size may claim less than we were given (padding) but never more.
    std::size_t end = std::min<std::size_t>(size, std::size_t(Le32(bytes + 4)) + 8);
    bool haveFormat = false;
    std::uint16_t blockAlign = 0;
    for (std::size_t at = 12; at + 8 <= end;) {
        const std::uint8_t* chunk = bytes + at;
        std::size_t length = Le32(chunk + 4);
        std::size_t body = at + 8;
        if (length > end - body)
            return false;
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (length < 16)
                return false;
            std::uint16_t tag = Le16(chunk + 8);
            if (tag == kFormatExtensible && length >= 40)
                tag = Le16(chunk + 8 + 24); // the sub-format's first two bytes
            if (tag != kFormatPcm)
                return false;
            wave.format.channels = Le16(chunk + 10);
            wave.format.samplesPerSecond = Le32(chunk + 12);
            blockAlign = Le16(chunk + 20);
            wave.format.bitsPerSample = Le16(chunk + 22);
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!haveFormat)
                return false;
            const WaveFormat& f = wave.format;
            bool plausible = f.channels >= 1 && f.channels <= 8 && f.samplesPerSecond >= 1000
                && f.samplesPerSecond <= 192000 && (f.bitsPerSample == 8 || f.bitsPerSample == 16)
                && blockAlign == f.channels * f.bitsPerSample / 8;
            if (!plausible)
                return false;
            wave.samples = bytes + body;
            wave.sampleBytes = length - length % blockAlign; // whole frames only
            return true;
        }
        at = body + length + (length & 1); // chunks are padded to even sizes
    }
    return false;
}

void SetSoundSink(std::shared_ptr<SoundSink> sink)
{
    std::lock_guard guard(s_soundLock);
    if (s_sink)
        s_sink->Stop();
    s_sink = std::move(sink);
}

// ---- fake sink ------------------------------------------------------------------------------

bool FakeSoundSink::Play(const Wave& wave)
{
    std::lock_guard guard(m_lock);
    if (m_failing)
        return false;
    m_times.push_back(MonotonicMs());
    m_last = wave.format;
    return true;
}

void FakeSoundSink::Stop()
{
    std::lock_guard guard(m_lock);
    ++m_stops;
}

void FakeSoundSink::SetFailing(bool failing)
{
    std::lock_guard guard(m_lock);
    m_failing = failing;
}

int FakeSoundSink::PlayCount() const
{
    std::lock_guard guard(m_lock);
    return static_cast<int>(m_times.size());
}

int FakeSoundSink::StopCount() const
{
    std::lock_guard guard(m_lock);
    return m_stops;
}

std::vector<std::uint64_t> FakeSoundSink::PlayTimes() const
{
    std::lock_guard guard(m_lock);
    return m_times;
}

WaveFormat FakeSoundSink::LastFormat() const
{
    std::lock_guard guard(m_lock);
    return m_last;
}

} // namespace platform

using namespace platform;

BOOL PlaySound(LPCSTR sound, HMODULE module, DWORD flags)
{
    std::shared_ptr<SoundSink> sink;
    {
        std::lock_guard guard(s_soundLock);
        SoundSink& current = CurrentSinkLocked();
        current.Stop(); // a new call, even a failing one, cuts the sound that plays
        s_playing.clear();
        if (!sound)
            return TRUE;

        std::vector<std::uint8_t> bytes;
        if ((flags & SND_RESOURCE) == SND_RESOURCE) {
            auto number = reinterpret_cast<std::uintptr_t>(sound);
            std::span<const BYTE> found = number < 0x10000
                ? FindResourceData(module, "WAVE", static_cast<UINT>(number))
                : FindResourceData(module, "WAVE", std::string_view(sound));
            bytes.assign(found.begin(), found.end());
        } else if (flags & SND_MEMORY) {
            // The wave's own header tells its length; the bytes are copied so the caller's
            // block need not outlive an asynchronous sound.
            const auto* p = reinterpret_cast<const std::uint8_t*>(sound);
            if (std::memcmp(p, "RIFF", 4) != 0)
                return FALSE;
            bytes.assign(p, p + std::size_t(Le32(p + 4)) + 8);
        } else if (!ReadFile(sound, bytes)) {
            return FALSE;
        }
        Wave wave;
        if (!ParseWave(bytes.data(), bytes.size(), wave))
            return FALSE;
        s_playing = std::move(bytes); // the vector's buffer moves with it: `wave` stays valid
        if (!current.Play(wave))
            return FALSE;
        if (flags & SND_ASYNC)
            return TRUE;
        sink = s_sink;
    }
    sink->WaitUntilDone();
    return TRUE;
}
