// CDemoGenerator: the packets of a demo bed. Each wave packet carries 12 ECG and 12 FECG
// samples and 3 pulse-wave samples; every 26th wave packet is followed by a parameter packet
// of 5 samples, and every 102nd parameter packet carries a finished NIBP measurement (the
// others a measurement under way whose mean field counts 0 to 100). All counters start at 0.
#pragma once

#include "nrdata/packet/PKParam_v110.h"
#include "nrdata/packet/PKWave_v110.h"

namespace nyraclient::demo {

class CDemoGenerator
{
public:
    // Wave packets between two parameter packets, and parameter packets between two finished
    // NIBP measurements.
    static constexpr int kWavesPerParameter = 26;
    static constexpr int kNIBPCycle = 100;

    // The next wave packet (with `key` as its key byte).
    void MakeWave(PKWave_v110& wave, BYTE key);
    // Counts a wave packet made: true when a parameter packet follows it.
    bool ParameterDue();
    // The next parameter packet.
    void MakeParameter(PKParam_v110& param, BYTE key);

private:
    unsigned m_nSequence { 0 };
    int m_nECG { 0 };
    int m_nFECG { 0 };
    int m_nPulseWave { 0 };
    int m_nHeartRate { 0 };
    int m_nPulseRate { 0 };
    int m_nSpO2 { 0 };
    int m_nFHR1 { 0 };
    int m_nFHR2 { 0 };
    int m_nUC { 0 };
    int m_nNIBP { 0 };
    int m_nWaveCount { 0 };
};

} // namespace nyraclient::demo
