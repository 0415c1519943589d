// The demo bed's generator tables. The pulse is written out sample by sample; the longer
// curves are given by their turning points and filled in between in straight lines, which is
// all a demonstration needs to look like a monitor.
#include "nyraclient/demo/DemoTables.h"

#include <cstddef>

namespace nyraclient::demo {

namespace {

struct Point
{
    int index;
    int value;
};

// A table of N entries through the turning points (the first at index 0, the last at N - 1).
template <typename T, std::size_t N, std::size_t P>
constexpr std::array<T, N> Through(const Point (&points)[P])
{
    std::array<T, N> table {};
    for (std::size_t p = 0; p + 1 < P; ++p) {
        const Point a = points[p];
        const Point b = points[p + 1];
        for (int i = a.index; i <= b.index; ++i) {
            const int span = b.index - a.index;
            const int value = span == 0 ? a.value : a.value + (b.value - a.value) * (i - a.index) / span;
            table[std::size_t(i)] = static_cast<T>(value);
        }
    }
    return table;
}

// One heartbeat: P wave, QRS with the R peak at entry 86, S trough, T wave.
constexpr Point kECGPoints[] = {
    { 0, -36 }, { 34, -36 }, { 44, -12 }, { 54, -36 }, { 80, -36 }, { 83, -60 },
    { 86, 982 }, { 90, -168 }, { 96, -36 }, { 128, -36 }, { 148, 70 }, { 168, -36 }, { 224, -36 },
};

// One fetal ECG complex with its peak at entry 54.
constexpr Point kFECGPoints[] = {
    { 0, -34 }, { 48, -34 }, { 51, -50 }, { 54, 389 }, { 57, -79 }, { 62, -34 }, { 149, -34 },
};

// The maternal heart rate wanders between 79 and 83, the pulse rate five below it.
constexpr Point kHeartRatePoints[] = {
    { 0, 81 }, { 60, 83 }, { 150, 79 }, { 240, 83 }, { 299, 81 },
};
constexpr Point kPulseRatePoints[] = {
    { 0, 76 }, { 60, 78 }, { 150, 74 }, { 240, 78 }, { 299, 76 },
};

// One contraction from entry 200 to 600, its peak of 55 at 400; at rest 10.
constexpr Point kUCPoints[] = {
    { 0, 10 }, { 200, 10 }, { 300, 28 }, { 400, 55 }, { 500, 30 }, { 600, 10 }, { 899, 10 },
};
// FHR1 accelerates to 162 (entry 442) with the contraction; FHR2 decelerates to 110 (entry 490).
constexpr Point kFHR1Points[] = {
    { 0, 120 }, { 120, 123 }, { 240, 118 }, { 330, 126 }, { 442, 162 }, { 540, 132 },
    { 640, 119 }, { 760, 122 }, { 899, 120 },
};
constexpr Point kFHR2Points[] = {
    { 0, 128 }, { 150, 131 }, { 300, 126 }, { 420, 127 }, { 490, 110 }, { 580, 126 },
    { 720, 130 }, { 899, 128 },
};

} // namespace

const std::array<std::int16_t, kECGWaveSize>& ECGWave()
{
    static constexpr auto table = Through<std::int16_t, kECGWaveSize>(kECGPoints);
    return table;
}

const std::array<std::int16_t, kFECGWaveSize>& FECGWave()
{
    static constexpr auto table = Through<std::int16_t, kFECGWaveSize>(kFECGPoints);
    return table;
}

const std::array<std::uint8_t, kPulseWaveSize>& PulseWave()
{
    // Rising to the peak of 76, then falling with the dicrotic notch to 1.
    static constexpr std::array<std::uint8_t, kPulseWaveSize> table = {
        0, 0, 1, 0, 0, 0, 1, 3, 5, 9, 17, 26, 36, 47, 57, 65, 71, 75, 76, 75,
        73, 70, 66, 61, 56, 51, 46, 42, 39, 37, 36, 36, 37, 37, 36, 34, 31, 28, 25, 22,
        19, 16, 14, 12, 10, 8, 7, 6, 5, 4, 3, 3, 2, 2, 1, 1,
    };
    return table;
}

const std::array<std::int8_t, kHeartRateSize>& HeartRate()
{
    static constexpr auto table = Through<std::int8_t, kHeartRateSize>(kHeartRatePoints);
    return table;
}

const std::array<std::int8_t, kPulseRateSize>& PulseRate()
{
    static constexpr auto table = Through<std::int8_t, kPulseRateSize>(kPulseRatePoints);
    return table;
}

const std::array<std::uint8_t, kFetalSize>& FHR1Curve()
{
    static constexpr auto table = Through<std::uint8_t, kFetalSize>(kFHR1Points);
    return table;
}

const std::array<std::uint8_t, kFetalSize>& FHR2Curve()
{
    static constexpr auto table = Through<std::uint8_t, kFetalSize>(kFHR2Points);
    return table;
}

const std::array<std::uint8_t, kFetalSize>& UCCurve()
{
    static constexpr auto table = Through<std::uint8_t, kFetalSize>(kUCPoints);
    return table;
}

} // namespace nyraclient::demo
