// CDemoGenerator: steps through the demo tables (each position wraps at its table's end).
#include "nyraclient/demo/CDemoGenerator.h"

#include "nyraclient/demo/DemoTables.h"

namespace nyraclient::demo {

namespace {

// The next entry of `table`, advancing `position` around it.
template <typename Table>
auto Next(const Table& table, int& position)
{
    const auto value = table[std::size_t(position)];
    position = (position + 1) % static_cast<int>(table.size());
    return value;
}

// The finished NIBP measurement of the demo: 120/80, mean 93.
constexpr int kSystolic = 120;
constexpr int kMean = 93;
constexpr int kDiastolic = 80;
constexpr BYTE kNIBPFinished = 4;
constexpr BYTE kNIBPMeasuring = 1;
constexpr BYTE kZeroingDone = 2;
constexpr BYTE kFMCount = 100;

} // namespace

void CDemoGenerator::MakeWave(PKWave_v110& wave, BYTE key)
{
    wave.Clear(0xFF);
    for (int i = 0; i < PKWave_v110::kECGSamples; ++i) {
        wave.SetECG(i, Next(ECGWave(), m_nECG));
        wave.SetFECG(i, Next(FECGWave(), m_nFECG));
    }
    for (int i = 0; i < PKWave_v110::kSpO2Samples; ++i) {
        wave.SetSpO2(i, Next(PulseWave(), m_nPulseWave));
        wave.SetFSpO2(i, 0);
    }
    wave.SetKey(key);
}

bool CDemoGenerator::ParameterDue()
{
    if (m_nWaveCount < kWavesPerParameter - 1) {
        ++m_nWaveCount;
        return false;
    }
    m_nWaveCount = 0;
    return true;
}

void CDemoGenerator::MakeParameter(PKParam_v110& param, BYTE key)
{
    param.Clear(0xFF);
    param.SetTimeStamp(m_nSequence++);
    param.SetECGAlarm(1);
    for (auto set : { &PKParam_v110::SetFECGAlarm, &PKParam_v110::SetSpO2Alarm, &PKParam_v110::SetFSpO2Alarm,
                      &PKParam_v110::SetNIBPAlarm, &PKParam_v110::SetTempAlarm, &PKParam_v110::SetFHR1Alarm,
                      &PKParam_v110::SetFHR2Alarm, &PKParam_v110::SetUCAlarm, &PKParam_v110::SetIUPAlarm })
        (param.*set)(0);
    for (int i = 0; i < PKParam_v110::kSamples; ++i) {
        param.SetECG(i, Next(HeartRate(), m_nHeartRate));
        param.SetSpO2R(i, Next(PulseRate(), m_nPulseRate));
        param.SetSpO2(i, Next(PulseWave(), m_nSpO2));
        param.SetFHR1(i, Next(FHR1Curve(), m_nFHR1));
        param.SetFHR2(i, Next(FHR2Curve(), m_nFHR2));
        const BYTE uc = Next(UCCurve(), m_nUC);
        param.SetUC(i, uc);
        param.SetIUP(i, uc);
        param.SetFM1(i, kFMCount);
        param.SetFM2(i, kFMCount);
    }
    const bool finished = m_nNIBP > kNIBPCycle;
    if (finished) {
        m_nNIBP = 0;
        param.SetNIBPStatus(kNIBPFinished);
        param.SetNIBPSys(kSystolic);
        param.SetNIBPMean(kMean);
        param.SetNIBPDia(kDiastolic);
    } else {
        param.SetNIBPStatus(kNIBPMeasuring);
        param.SetNIBPMean(m_nNIBP++);
    }
    param.SetMarker(finished ? 1 : 0);
    param.SetStimulator(finished ? 1 : 0);
    param.SetUCZeroing(finished ? kZeroingDone : 0);
    param.SetIUPZeroing(finished ? kZeroingDone : 0);
    for (int i = 0; i < PKParam_v110::kSamples; ++i) {
        param.SetFMD1(i, finished ? 1 : 0);
        param.SetFMD2(i, finished ? 1 : 0);
    }
    param.SetKey(key);
}

} // namespace nyraclient::demo
