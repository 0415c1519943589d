// PKParam_v110: sample access, the all-no-data packet and the validity test per data kind.
#include "nrdata/packet/PKParam_v110.h"

namespace {

// How a per-sample data kind is stored and which value means "no measurement".
enum class SampleEncoding
{
    Byte,    // valid below 255
    Word,    // valid when not 0xFFFF
    FMCount, // bits 0-6, valid when not 127
};

struct SampleKind
{
    int kind;
    int offset;
    SampleEncoding encoding;
};

constexpr SampleKind kSampleKinds[] = {
    { ParamKind::ECG, PKParam_v110::kOffECG, SampleEncoding::Word },
    { ParamKind::SpO2, PKParam_v110::kOffSpO2, SampleEncoding::Byte },
    { ParamKind::SpO2R, PKParam_v110::kOffSpO2R, SampleEncoding::Word },
    { ParamKind::UC, PKParam_v110::kOffUC, SampleEncoding::Byte },
    { ParamKind::IUP, PKParam_v110::kOffIUP, SampleEncoding::Byte },
    { ParamKind::FECG, PKParam_v110::kOffFECG, SampleEncoding::Byte },
    { ParamKind::FSpO2, PKParam_v110::kOffFSpO2, SampleEncoding::Byte },
    { ParamKind::FSpO2R, PKParam_v110::kOffFSpO2R, SampleEncoding::Word },
    { ParamKind::FHR1, PKParam_v110::kOffFHR1, SampleEncoding::Byte },
    { ParamKind::FHR2, PKParam_v110::kOffFHR2, SampleEncoding::Byte },
    { ParamKind::FM1, PKParam_v110::kOffFM1, SampleEncoding::FMCount },
    { ParamKind::FM2, PKParam_v110::kOffFM2, SampleEncoding::FMCount },
};

const SampleKind* FindSampleKind(int kind)
{
    for (const SampleKind& entry : kSampleKinds)
        if (entry.kind == kind)
            return &entry;
    return nullptr;
}

// A zeroing event byte names one of the monitor's five zeroing causes.
bool IsZeroingCode(BYTE v) { return v >= 1 && v <= 5; }

} // namespace

// ---- sample access ----------------------------------------------------------------------

void PKParam_v110::SetByteSample(int offset, int i, BYTE v)
{
    if (IsSampleIndex(i))
        SetByte(offset + i, v);
}

void PKParam_v110::SetWordSample(int offset, int i, int v)
{
    if (IsSampleIndex(i))
        Set2ByteValue(offset + 2 * i, v);
}

BYTE PKParam_v110::GetFMCount(int offset, int i) const
{
    return IsSampleIndex(i) ? static_cast<BYTE>(GetByte(offset + i) & kFMCountMask) : 0;
}

void PKParam_v110::SetFMCount(int offset, int i, BYTE v)
{
    if (IsSampleIndex(i))
        SetByte(offset + i, static_cast<BYTE>((GetByte(offset + i) & kFMDetectBit) | (v & kFMCountMask)));
}

int PKParam_v110::GetFMDetect(int offset, int i) const
{
    return IsSampleIndex(i) ? (GetByte(offset + i) & kFMDetectBit) : 0;
}

void PKParam_v110::SetFMDetect(int offset, int i, int v)
{
    if (!IsSampleIndex(i))
        return;
    const BYTE count = GetByte(offset + i) & kFMCountMask;
    SetByte(offset + i, static_cast<BYTE>(v == 1 ? (count | kFMDetectBit) : count));
}

void PKParam_v110::SetEventBit(BYTE bit, int on)
{
    const BYTE flags = GetByte(kOffEventFlags);
    SetByte(kOffEventFlags, static_cast<BYTE>(on ? (flags | bit) : (flags & ~bit)));
}

// ---- whole packet -----------------------------------------------------------------------

void PKParam_v110::SetNullData()
{
    Clear(0xFF);
    SetMarker(0);
    SetStimulator(0);
    for (int i = 0; i < kSamples; ++i) {
        SetFMD1(i, 0);
        SetFMD2(i, 0);
    }
}

bool PKParam_v110::IsZeroingEvent() const
{
    return IsZeroingCode(GetUCZeroing()) || IsZeroingCode(GetIUPZeroing());
}

int PKParam_v110::IsValidData(int kind, int i) const
{
    if (!IsSampleIndex(i))
        return 0;
    if (const SampleKind* sample = FindSampleKind(kind)) {
        switch (sample->encoding) {
        case SampleEncoding::Byte: return GetByteSample(sample->offset, i) < PK_NODATA_BYTE;
        case SampleEncoding::Word: return GetWordSample(sample->offset, i) != PK_NODATA_WORD;
        case SampleEncoding::FMCount: return GetFMCount(sample->offset, i) != PK_NODATA_FM;
        }
        return 0;
    }
    switch (kind) {
    case ParamKind::Temp: return GetTemp() <= PK_TEMP_MAX_VALID;
    case ParamKind::NIBP:
        return i == 0 && GetNIBPStatus() == PK_NIBP_STATUS_DONE && GetNIBPSys() != PK_NODATA_WORD &&
               GetNIBPDia() != PK_NODATA_WORD && GetNIBPMean() != PK_NODATA_WORD;
    case ParamKind::Marker: return i == 0 && GetMarker();
    case ParamKind::Stimulator: return i == 0 && GetStimulator();
    case ParamKind::Zeroing: return i == 0 && IsZeroingEvent();
    default: return 0; // FMD1, FMD2 and unknown kinds carry no value of their own
    }
}
