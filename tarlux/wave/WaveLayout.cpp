// The wave snapshot strip's geometry.
#include "tarlux/wave/WaveLayout.h"

#include <algorithm>

namespace tarlux {
namespace {

constexpr int kDefaultScale = 3;

const WaveChannelInfo kChannels[kWaveChannelCount] = {
    { 10, 7, 12, true },  // ECG, 300 samples a second
    { 8, 17, 3, false },  // maternal SpO2 pleth, 75 a second
    { 10, 25, 12, true }, // FECG
    { 8, 35, 3, false },  // fetal SpO2 pleth
};

// Per sweep speed 1-4: the speed factor (large squares per second), strip width, label
// column, time-mark step, seconds per mark and the calibration pulse width in quarter squares.
struct SpeedRow
{
    double factor;
    int widthGrids;
    int labelGrids;
    int markStep;
    int secondsPerMark;
    int pulseQuarters;
};
const SpeedRow kSpeeds[4] = {
    { 1.25, 13, 3, 5, 4, 1 },
    { 2.5, 25, 3, 5, 2, 2 },
    { 5.0, 50, 3, 5, 1, 4 },
    { 10.0, 100, 4, 10, 1, 8 },
};

// Gain 2-5: large squares per millivolt.
int GainFactor(int gain) { return 1 << (gain - 2); }

} // namespace

const WaveChannelInfo& WaveChannelOf(int channel)
{
    if (channel < 0 || channel >= kWaveChannelCount)
        channel = kWaveECG;
    return kChannels[channel];
}

int WaveSweepSpeedOrDefault(int speed) { return speed >= 1 && speed <= 4 ? speed : kDefaultScale; }

int WaveGainOrDefault(int gain) { return gain >= 2 && gain <= 5 ? gain : kDefaultScale; }

WaveLayout MakeWaveLayout(int dpi, int sweepSpeed, int ecgGain, int fecgGain)
{
    WaveLayout layout;
    layout.mm = std::max(1, static_cast<int>(dpi / 25.4 + 0.5));
    layout.grid = 5 * layout.mm;
    layout.sweepSpeed = WaveSweepSpeedOrDefault(sweepSpeed);
    const SpeedRow& speed = kSpeeds[layout.sweepSpeed - 1];
    layout.widthGrids = speed.widthGrids;
    layout.labelGrids = speed.labelGrids;
    layout.markStep = speed.markStep;
    layout.secondsPerMark = speed.secondsPerMark;
    layout.pulseWidth = layout.grid * speed.pulseQuarters / 4;

    const int gains[2] = { GainFactor(WaveGainOrDefault(ecgGain)), GainFactor(WaveGainOrDefault(fecgGain)) };
    layout.pulseHeight[0] = gains[0] * layout.grid;
    layout.pulseHeight[1] = gains[1] * layout.grid;
    const double spo2Scale = 8.0 * layout.grid / 120.0 * 5.0 / 6.0;
    for (int channel = 0; channel < kWaveChannelCount; ++channel) {
        const double samplesPerSecond = kChannels[channel].samplesPerPacket * 25.0;
        layout.xScale[channel] = layout.grid * speed.factor / samplesPerSecond;
    }
    layout.yScale[kWaveECG] = layout.grid * gains[0] / 1000.0;
    layout.yScale[kWaveFECG] = layout.grid * gains[1] / 1000.0;
    layout.yScale[kWaveSpO2] = spo2Scale;
    layout.yScale[kWaveFSpO2] = spo2Scale;
    return layout;
}

} // namespace tarlux
