// PKWave_v110: the 56-byte wave packet: twelve maternal ECG samples (signed 16-bit), three
// maternal SpO2 samples (bytes), twelve fetal ECG samples and three fetal SpO2 samples. A sample
// index outside its channel reads as the channel's no-data value and is never written.
#pragma once

#include "nrdata/packet/PKBase.h"

// Wave data kinds (the numbering of CMAP_WAVE_CHANNEL).
constexpr int WAVE_KIND_ECG = 1;
constexpr int WAVE_KIND_SPO2 = 2;
constexpr int WAVE_KIND_FECG = 3;
constexpr int WAVE_KIND_FSPO2 = 4;

class PKWave_v110 : public PKFrame<56, PK_TYPE_WAVE>
{
public:
    // ---- frame layout ---------------------------------------------------------------------
    static constexpr int kOffECG = 1;    // 12 x signed 16-bit
    static constexpr int kOffSpO2 = 25;  // 3 x byte
    static constexpr int kOffFECG = 28;  // 12 x signed 16-bit
    static constexpr int kOffFSpO2 = 52; // 3 x byte
    static constexpr int kECGSamples = 12;
    static constexpr int kSpO2Samples = 3;

    short GetECG(int i) const { return GetWaveSample(kOffECG, i); }
    void SetECG(int i, short v) { SetWaveSample(kOffECG, i, v); }
    int GetSpO2(int i) const { return GetByteSample(kOffSpO2, i); }
    void SetSpO2(int i, int v) { SetByteSample(kOffSpO2, i, v); }
    short GetFECG(int i) const { return GetWaveSample(kOffFECG, i); }
    void SetFECG(int i, short v) { SetWaveSample(kOffFECG, i, v); }
    int GetFSpO2(int i) const { return GetByteSample(kOffFSpO2, i); }
    void SetFSpO2(int i, int v) { SetByteSample(kOffFSpO2, i, v); }

    // 1 when sample i of the channel of wave data kind `kind` holds a measurement.
    int IsValidData(int kind, int i) const;

private:
    short GetWaveSample(int offset, int i) const;
    void SetWaveSample(int offset, int i, short v);
    int GetByteSample(int offset, int i) const;
    void SetByteSample(int offset, int i, int v);
};
