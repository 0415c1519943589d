// The trend curve table: grids, value-to-height formulas and jump limits per parameter kind.
#include "nrdata/trend/TrendCurves.h"

#include <array>

namespace nrdata::trend {
namespace {

// Heights are exact fractions of the grid height truncated towards zero, taken in integers so
// that a value on a grid line lands on that line (in floating point 110 / 210 x 210 comes out
// just below 110).
int Scaled(long long numerator, long long denominator, int gridHeight)
{
    return static_cast<int>(numerator * gridHeight / denominator);
}

// ---- value to height --------------------------------------------------------------------------

// Heart rates on the FHR grid: 30 bpm on its base line, 240 bpm at its top.
int RateHeight(int v, int h) { return Scaled(v - 30, 210, h); }
// Saturation on the UC grid: 70 % on its base line, 100 % at its top; lower values lie on the line.
int SaturationHeight(int v, int h) { return v < 70 ? 0 : Scaled(v - 70, 30, h); }
// Temperature in tenths of a degree on the UC grid: 15.0 on its base line, 45.0 at its top.
int TemperatureHeight(int v, int h) { return Scaled(v - 150, 300, h); }
// Pressures on the UC grid: 0 to 100.
int PressureHeight(int v, int h) { return Scaled(v, 100, h); }
// Fetal movement counts: FM1 in the upper half of the UC grid, FM2 in the lower half.
int UpperMovementHeight(int v, int h) { return Scaled(v + 100, 200, h); }
int LowerMovementHeight(int v, int h) { return Scaled(v, 200, h); }

int Same(int v) { return v; }
// The temperature jumps by whole degrees.
int WholeDegrees(int tenths) { return tenths / 10; }

// ---- sample values ----------------------------------------------------------------------------

int ECG(const PKParam_v110& p, int i) { return p.GetECG(i); }
int SpO2(const PKParam_v110& p, int i) { return p.GetSpO2(i); }
int SpO2R(const PKParam_v110& p, int i) { return p.GetSpO2R(i); }
// The stored tenths, so the formula works on whole numbers.
int TempTenths(const PKParam_v110& p, int) { return static_cast<int>(p.GetTemp() * 10.0f + 0.5f); }
int UC(const PKParam_v110& p, int i) { return p.GetUC(i); }
int IUP(const PKParam_v110& p, int i) { return p.GetIUP(i); }
int FECG(const PKParam_v110& p, int i) { return p.GetFECG(i); }
int FSpO2(const PKParam_v110& p, int i) { return p.GetFSpO2(i); }
int FSpO2R(const PKParam_v110& p, int i) { return p.GetFSpO2R(i); }
int FHR1(const PKParam_v110& p, int i) { return p.GetFHR1(i); }
int FHR2(const PKParam_v110& p, int i) { return p.GetFHR2(i); }
int FM1(const PKParam_v110& p, int i) { return p.GetFM1(i); }
int FM2(const PKParam_v110& p, int i) { return p.GetFM2(i); }

using G = TrendGrid;

constexpr TrendCurve kCurves[] = {
    { ParamKind::ECG, G::FHR, PEN_HR, 20, ECG, RateHeight, Same },
    { ParamKind::SpO2, G::UC, PEN_SPO2, 20, SpO2, SaturationHeight, Same },
    { ParamKind::SpO2R, G::FHR, PEN_SPO2, 20, SpO2R, RateHeight, Same },
    { ParamKind::Temp, G::UC, PEN_TEMP, 20, TempTenths, TemperatureHeight, WholeDegrees },
    { ParamKind::UC, G::UC, PEN_UC, 0, UC, PressureHeight, Same },
    { ParamKind::IUP, G::UC, PEN_UC, 0, IUP, PressureHeight, Same },
    { ParamKind::FECG, G::FHR, PEN_FECG, 20, FECG, RateHeight, Same },
    { ParamKind::FSpO2, G::UC, PEN_FSPO2, 20, FSpO2, SaturationHeight, Same },
    { ParamKind::FSpO2R, G::FHR, PEN_FSPO2, 20, FSpO2R, RateHeight, Same },
    { ParamKind::FHR1, G::FHR, PEN_FHR1, 10, FHR1, RateHeight, Same },
    { ParamKind::FHR2, G::FHR, PEN_FHR2, 10, FHR2, RateHeight, Same },
    { ParamKind::FM1, G::UC, PEN_FM1, 0, FM1, UpperMovementHeight, Same },
    { ParamKind::FM2, G::UC, PEN_FM2, 0, FM2, LowerMovementHeight, Same },
};

constexpr TrendPenSpec kPens[TREND_PEN_COUNT] = {
    { &NyraSettings::GraphHR, 2 },          // PEN_HR
    { &NyraSettings::GraphSpO2, 3 },        // PEN_SPO2
    { &NyraSettings::GraphTEMP, 2 },        // PEN_TEMP
    { &NyraSettings::GraphNIBP, 1 },        // PEN_NIBP
    { &NyraSettings::GraphFHR1, 1 },        // PEN_FHR1
    { &NyraSettings::GraphFHR2, 3 },        // PEN_FHR2
    { &NyraSettings::GraphFECG, 3 },        // PEN_FECG
    { &NyraSettings::GraphFSpO2, 4 },       // PEN_FSPO2
    { &NyraSettings::GraphUC, 1 },          // PEN_UC
    { &NyraSettings::GraphFHR1, 1 },        // PEN_FM1
    { &NyraSettings::GraphFHR2, 1 },        // PEN_FM2
    { &NyraSettings::EventMaker, 1 },       // PEN_MARKER
    { &NyraSettings::EventStimulator, 1 },  // PEN_STIMULATOR
};

} // namespace

const TrendPenSpec& TrendPenOf(TrendPen pen) { return kPens[pen]; }

std::span<const TrendCurve> TrendCurves() { return kCurves; }

const TrendCurve* FindTrendCurve(int kind)
{
    for (const TrendCurve& c : kCurves)
        if (c.kind == kind)
            return &c;
    return nullptr;
}

int NIBPHeight(int pressure, int gridHeight) { return Scaled(pressure, 300, gridHeight); }

UINT SecondsPerColumn(int speed)
{
    switch (speed) {
    case 1: return 30; // 10 mm/min
    case 2: return 15; // 20 mm/min
    case 3: return 10; // 30 mm/min
    default: return 0;
    }
}

UINT RecordsPerStrip(UINT columns, int speed) { return columns * SecondsPerColumn(speed); }

// Twelve columns in samples (five per record).
UINT TimeLabelInterval(int speed) { return 12 * 5 * SecondsPerColumn(speed); }

} // namespace nrdata::trend
