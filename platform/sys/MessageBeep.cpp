// MessageBeep: a generated tone burst, made once per pitch.
#include "platform/sys/MessageBeep.h"

#include "platform/sys/Sound.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <mutex>
#include <vector>

namespace {

constexpr unsigned kRate = 22050;
constexpr unsigned kMilliseconds = 120;

void PutLE(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A 16-bit mono wave of a sine tone with a short fade in and out, so it does not click.
std::vector<std::uint8_t> MakeTone(double frequency)
{
    unsigned samples = kRate * kMilliseconds / 1000;
    std::vector<std::uint8_t> wave;
    wave.insert(wave.end(), { 'R', 'I', 'F', 'F' });
    PutLE(wave, 36 + samples * 2, 4);
    wave.insert(wave.end(), { 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ' });
    PutLE(wave, 16, 4);
    PutLE(wave, 1, 2);
    PutLE(wave, 1, 2);
    PutLE(wave, kRate, 4);
    PutLE(wave, kRate * 2, 4);
    PutLE(wave, 2, 2);
    PutLE(wave, 16, 2);
    wave.insert(wave.end(), { 'd', 'a', 't', 'a' });
    PutLE(wave, samples * 2, 4);
    unsigned fade = kRate / 100;
    for (unsigned i = 0; i < samples; ++i) {
        double envelope = std::min({ 1.0, double(i) / fade, double(samples - i) / fade });
        double value = std::sin(2 * M_PI * frequency * i / kRate) * 9000 * envelope;
        PutLE(wave, static_cast<std::uint16_t>(static_cast<std::int16_t>(value)), 2);
    }
    return wave;
}

double PitchOf(UINT type)
{
    switch (type) {
    case 0x10: return 440.0;  // MB_ICONHAND
    case 0x20: return 660.0;  // MB_ICONQUESTION
    case 0x30: return 880.0;  // MB_ICONEXCLAMATION
    case 0x40: return 990.0;  // MB_ICONASTERISK
    default: return 750.0;
    }
}

} // namespace

BOOL MessageBeep(UINT type)
{
    // The tones live for the process: an asynchronous sound keeps playing from them.
    static std::mutex lock;
    static std::map<double, std::vector<std::uint8_t>> tones;
    const std::vector<std::uint8_t>* tone = nullptr;
    {
        std::lock_guard guard(lock);
        double pitch = PitchOf(type);
        auto it = tones.find(pitch);
        if (it == tones.end())
            it = tones.emplace(pitch, MakeTone(pitch)).first;
        tone = &it->second;
    }
    return PlaySound(reinterpret_cast<LPCSTR>(tone->data()), nullptr, SND_MEMORY | SND_ASYNC);
}
