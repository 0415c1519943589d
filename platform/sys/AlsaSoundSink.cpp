// The ALSA sink: opens the default device without blocking (a machine without sound answers
// at once), then feeds the samples from a player thread that a new sound can stop at any
// point.
#include "platform/sys/Sound.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <thread>

namespace platform {
namespace {

// Longest pause of the player thread, so that a stop takes effect quickly.
constexpr int kWaitSliceMs = 20;
constexpr unsigned kLatencyUs = 200000;

class AlsaSoundSink : public SoundSink
{
public:
    ~AlsaSoundSink() override { Stop(); }

    bool Play(const Wave& wave) override
    {
        Stop();
        snd_pcm_t* pcm = nullptr;
        if (snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0)
            return false;
        snd_pcm_format_t format = wave.format.bitsPerSample == 8 ? SND_PCM_FORMAT_U8 : SND_PCM_FORMAT_S16_LE;
        if (snd_pcm_set_params(pcm, format, SND_PCM_ACCESS_RW_INTERLEAVED, wave.format.channels,
                               wave.format.samplesPerSecond, 1, kLatencyUs) < 0) {
            snd_pcm_close(pcm);
            return false;
        }
        m_cancel = false;
        {
            std::lock_guard guard(m_doneLock);
            m_playing = true;
        }
        m_thread = std::thread(&AlsaSoundSink::Run, this, pcm, wave);
        return true;
    }

    void Stop() override
    {
        if (!m_thread.joinable())
            return;
        m_cancel = true;
        m_thread.join();
    }

    void WaitUntilDone() override
    {
        std::unique_lock lock(m_doneLock);
        m_doneCv.wait(lock, [this] { return !m_playing; });
    }

private:
    void Run(snd_pcm_t* pcm, Wave wave)
    {
        const std::size_t frameBytes = wave.format.channels * wave.format.bitsPerSample / 8;
        const snd_pcm_uframes_t frames = wave.sampleBytes / frameBytes;
        snd_pcm_uframes_t done = 0;
        bool failed = false;
        while (done < frames && !m_cancel) {
            snd_pcm_uframes_t chunk = std::min<snd_pcm_uframes_t>(frames - done, 4096);
            snd_pcm_sframes_t n = snd_pcm_writei(pcm, wave.samples + done * frameBytes, chunk);
            if (n == -EAGAIN) {
                snd_pcm_wait(pcm, kWaitSliceMs);
            } else if (n < 0) {
                if (snd_pcm_recover(pcm, int(n), 1) < 0) {
                    failed = true;
                    break;
                }
            } else {
                done += snd_pcm_uframes_t(n);
            }
        }
        if (!m_cancel && !failed) {
            // A sound shorter than the start threshold has not started yet.
            if (snd_pcm_state(pcm) == SND_PCM_STATE_PREPARED)
                snd_pcm_start(pcm);
            // Let the queued tail play out, in slices so that a stop still cuts it.
            while (!m_cancel && snd_pcm_state(pcm) == SND_PCM_STATE_RUNNING) {
                snd_pcm_sframes_t delay = 0;
                if (snd_pcm_delay(pcm, &delay) < 0 || delay <= 0)
                    break;
                std::this_thread::sleep_for(std::chrono::milliseconds(kWaitSliceMs));
            }
        }
        snd_pcm_drop(pcm);
        snd_pcm_close(pcm);
        {
            std::lock_guard guard(m_doneLock);
            m_playing = false;
        }
        m_doneCv.notify_all();
    }

    std::thread m_thread; // touched only under the layer's sound lock
    std::atomic<bool> m_cancel { false };
    std::mutex m_doneLock; // guards m_playing
    std::condition_variable m_doneCv;
    bool m_playing { false };
};

void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

} // namespace

std::shared_ptr<SoundSink> MakeAlsaSoundSink()
{
    // A ward PC without a sound card would otherwise get ALSA's complaints on the standard
    // error at every alarm; the failure is reported through PlaySound's result instead.
    static const bool quiet = snd_lib_error_set_handler(IgnoreAlsaError) == 0;
    (void)quiet;
    // Never destroyed: a player thread may still run when the process exits, and the alarm
    // thread may call in during static destruction.
    static auto* sink = new std::shared_ptr<SoundSink>(std::make_shared<AlsaSoundSink>());
    return *sink;
}

} // namespace platform
