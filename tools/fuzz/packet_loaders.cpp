// Fuzz target: every monitor packet loader, and what reads a loaded packet (fields, texts,
// samples, alarm limits, value-to-text maps, the alarm manager), with bytes as a monitor might
// send them.
//
// Input: the frame itself, offered to the loader of every kind, whole and cut to the kind's
// size; its first bytes also give a map type and an alarm type as any int.
#include "FuzzTarget.h"

#include "nyraclient/alarm/NyraAlarmManager.h"

#include "nrdata/constmap/NRConstMap.h"
#include "nrdata/packet/PKAlarm_v110.h"
#include "nrdata/packet/PKControl.h"
#include "nrdata/packet/PKMonitor_v110.h"
#include "nrdata/packet/PKParam_v110.h"
#include "nrdata/packet/PKPatient_v110.h"
#include "nrdata/packet/PKProtocolVer.h"
#include "nrdata/packet/PKWave_v110.h"

#include <cstring>

namespace {

using fuzz::Require;

// ---- readers of each kind -----------------------------------------------------------------------

void Read(const PKControl& p)
{
    (void)p.GetType();
    (void)p.GetData();
}

void Read(const PKProtocolVer& p)
{
    (void)p.GetVersionToString();
    (void)p.IsMachedVersion(p.GetMainVersion(), p.GetSubVersion());
}

void Read(const PKPatient_v110& p)
{
    for (const CString& text : {p.GetPatientId(), p.GetLastName(), p.GetFirstName()})
        Require(text.GetLength() <= 20, "a patient text is no longer than its field");
    (void)NRConstMap::GetGenderText(p.GetGender());
    (void)(p.GetHeight() + p.GetWeight() + p.GetYear() + p.GetMonth() + p.GetDay() + p.GetAge());
}

void Read(const PKAlarm_v110& p)
{
    using Limit = void (PKAlarm_v110::*)(int&, int&) const;
    for (const Limit limit :
         {&PKAlarm_v110::GetFHR1Limit, &PKAlarm_v110::GetFHR2Limit, &PKAlarm_v110::GetUCLimit,
          &PKAlarm_v110::GetUCFreqLimit, &PKAlarm_v110::GetECGLimit, &PKAlarm_v110::GetSpO2Limit,
          &PKAlarm_v110::GetSpO2RLimit, &PKAlarm_v110::GetNIBPLimit, &PKAlarm_v110::GetFECGLimit,
          &PKAlarm_v110::GetFSpO2Limit, &PKAlarm_v110::GetFSpO2RLimit, &PKAlarm_v110::GetIUPLimit,
          &PKAlarm_v110::GetIUPFreqLimit}) {
        int lower = 0, upper = 0;
        (p.*limit)(lower, upper);
    }
    float low = 0, high = 0;
    p.GetTempLimit(low, high);
    (void)NRConstMap::GetAlarmLevelText(p.GetFHR1Level());
}

void Read(const PKMonitor_v110& p)
{
    Require(p.GetUnitName().GetLength() <= 20, "the unit name is no longer than its field");
    (void)p.GetVersionToSting();
    (void)NRConstMap::GetECGLeadText(p.GetECGLead());
    (void)NRConstMap::GetModelText(p.GetModelType());
    (void)NRConstMap::GetNIBPIntervalValue(p.GetNIBPInterval());
}

void Read(const PKWave_v110& p)
{
    for (int kind = 0; kind <= 5; ++kind)
        for (int i = -1; i <= PKWave_v110::kECGSamples; ++i) {
            const int valid = p.IsValidData(kind, i);
            Require(valid == 0 || valid == 1, "a wave sample is valid or not");
        }
    for (int i = -1; i <= PKWave_v110::kECGSamples; ++i)
        (void)(p.GetECG(i) + p.GetFECG(i) + p.GetSpO2(i) + p.GetFSpO2(i));
}

void Read(const PKParam_v110& p)
{
    (void)p.GetTimeStamp();
    for (int kind = -1; kind <= 20; ++kind)
        for (int i = -1; i <= PKParam_v110::kSamples; ++i) {
            const int valid = p.IsValidData(kind, i);
            Require(valid == 0 || valid == 1, "a parameter sample is valid or not");
        }
    for (int i = -1; i <= PKParam_v110::kSamples; ++i)
        (void)(p.GetFM1(i) + p.GetFM2(i) + p.GetFMD1(i) + p.GetFMD2(i) + p.GetECG(i) + p.GetSpO2R(i));
    (void)(p.GetTemp() + float(p.GetNIBPSys() + p.GetNIBPMean() + p.GetNIBPDia()));
    (void)(p.GetMarker() + p.GetStimulator());
}

// ---- loading --------------------------------------------------------------------------------------

// Loads the bytes into a packet of kind P as the client does: a wrong length changes nothing,
// the right length without the key check adopts the frame and its key, with the key check a
// foreign key is refused.
template <class P>
P Load(const std::uint8_t* data, std::size_t size)
{
    P packet;
    packet.SetKey(1);
    const int len = size > 4096 ? 4096 : int(size);
    if (len != P::kSize) {
        BYTE before[P::kSize];
        std::memcpy(before, packet.GetPacket(), P::kSize);
        Require(packet.SetPacket(data, len, 1) == 0 && packet.SetPacket(data, len, 0) == 0,
                "a frame of another length is refused");
        Require(std::memcmp(before, packet.GetPacket(), P::kSize) == 0, "a refused frame changes nothing");
    }
    if (size < std::size_t(P::kSize))
        return packet;
    const int keyed = packet.SetPacket(data, P::kSize, 1);
    Require(keyed == (data[P::kSize - 1] == 1 ? 1 : 0), "the key check takes only the packet's key");
    Require(packet.SetPacket(data, P::kSize, 0) == 1, "a frame of the right length loads");
    Require(std::memcmp(packet.GetPacket(), data, P::kSize) == 0, "the packet holds the frame");
    Require(packet.GetKey() == data[P::kSize - 1], "the packet adopts the frame's key");
    const P copy(packet);
    Require(std::memcmp(copy.GetPacket(), data, P::kSize) == 0, "a copy holds its own frame");
    Read(copy);
    return packet;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Load<PKControl>(data, size);
    Load<PKProtocolVer>(data, size);
    Load<PKPatient_v110>(data, size);
    Load<PKMonitor_v110>(data, size);
    Load<PKWave_v110>(data, size);
    const PKAlarm_v110 alarm = Load<PKAlarm_v110>(data, size);
    const PKParam_v110 param = Load<PKParam_v110>(data, size);

    // The alarms of a loaded parameter packet under the loaded alarm settings.
    NyraAlarmManager alarms;
    Require(alarms.SetAlarm(param, alarm) <= ALARMTYPE_COUNT, "no more alarms than alarm types");

    // Types from outside their tables, as any int: refused, never undefined.
    fuzz::Input in(data, size);
    const auto mapType = static_cast<NRConstMap::CMAP_TYPE>(int(in.Dword()));
    const long value = long(int(in.Dword()));
    (void)NRConstMap::GetMapTextByConst(mapType, value);
    (void)NRConstMap::GetMapText(mapType, int(value));
    const auto alarmType = static_cast<ALARMTYPE>(int(in.Dword()));
    alarms.SetAlarm(alarmType, in.Byte());
    CString text;
    int level = 2;
    AlarmText(alarmType, in.Byte(), text, level);
    return 0;
}
