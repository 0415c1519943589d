// PKWave_v110: sample access with index checks, and the no-data test.
#include "nrdata/packet/PKWave_v110.h"

short PKWave_v110::GetWaveSample(int offset, int i) const
{
    if (i < 0 || i >= kECGSamples)
        return PK_NODATA_WAVE;
    return static_cast<short>(static_cast<WORD>(Get2ByteValue(offset + 2 * i)));
}

void PKWave_v110::SetWaveSample(int offset, int i, short v)
{
    if (i < 0 || i >= kECGSamples)
        return;
    Set2ByteValue(offset + 2 * i, static_cast<WORD>(v));
}

int PKWave_v110::GetByteSample(int offset, int i) const
{
    if (i < 0 || i >= kSpO2Samples)
        return PK_NODATA_BYTE;
    return GetByte(offset + i);
}

void PKWave_v110::SetByteSample(int offset, int i, int v)
{
    if (i < 0 || i >= kSpO2Samples)
        return;
    SetByte(offset + i, LOBYTE(static_cast<unsigned>(v)));
}

int PKWave_v110::IsValidData(int kind, int i) const
{
    switch (kind) {
    case WAVE_KIND_ECG: return GetECG(i) != PK_NODATA_WAVE;
    case WAVE_KIND_SPO2: return GetSpO2(i) != PK_NODATA_BYTE;
    case WAVE_KIND_FECG: return GetFECG(i) != PK_NODATA_WAVE;
    case WAVE_KIND_FSPO2: return GetFSpO2(i) != PK_NODATA_BYTE;
    default: return 0;
    }
}
