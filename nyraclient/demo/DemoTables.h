// The demo bed's generator tables: one heartbeat of ECG, one fetal ECG complex, one pulse of
// the plethysmogram, and the slow curves of heart rate, pulse rate, both fetal heart rates and
// the uterine contraction that the demo's parameter packets step through.
#pragma once

#include <array>
#include <cstdint>

namespace nyraclient::demo {

constexpr int kECGWaveSize = 225;
constexpr int kFECGWaveSize = 150;
constexpr int kPulseWaveSize = 56;
constexpr int kHeartRateSize = 300;
constexpr int kPulseRateSize = 300;
constexpr int kFetalSize = 900;

const std::array<std::int16_t, kECGWaveSize>& ECGWave();
const std::array<std::int16_t, kFECGWaveSize>& FECGWave();
const std::array<std::uint8_t, kPulseWaveSize>& PulseWave();
const std::array<std::int8_t, kHeartRateSize>& HeartRate();
const std::array<std::int8_t, kPulseRateSize>& PulseRate();
const std::array<std::uint8_t, kFetalSize>& FHR1Curve();
const std::array<std::uint8_t, kFetalSize>& FHR2Curve();
const std::array<std::uint8_t, kFetalSize>& UCCurve();

} // namespace nyraclient::demo
