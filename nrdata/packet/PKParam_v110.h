// PKParam_v110: the 108-byte parameter packet: a time stamp (the sequence number, one per
// second), five samples of each fetal and uterine quantity, five maternal heart-rate and SpO2
// samples, the latest NIBP and temperature, an alarm status byte per quantity, the zeroing events
// and the event flags. It is the unit of the trend store, the alarm evaluation and the recording
// file's records. Indexed accessors take sample 0..4; another index reads 0 and writes nothing.
#pragma once

#include "nrdata/packet/PKBase.h"

// Parameter data kinds: what IsValidData tests and what NyraConfig::IsVisible answers for.
namespace ParamKind {
constexpr int ECG = 1;        // maternal heart rate
constexpr int SpO2 = 2;
constexpr int SpO2R = 3;      // maternal pulse rate
constexpr int Temp = 4;
constexpr int NIBP = 5;
constexpr int UC = 6;
constexpr int IUP = 7;
constexpr int FECG = 8;
constexpr int FSpO2 = 9;
constexpr int FSpO2R = 10;    // fetal pulse rate
constexpr int FHR1 = 11;
constexpr int FHR2 = 12;
constexpr int FM1 = 13;
constexpr int FM2 = 14;
constexpr int FMD1 = 15;      // no value of its own
constexpr int FMD2 = 16;      // no value of its own
constexpr int Marker = 17;
constexpr int Stimulator = 18;
constexpr int Zeroing = 19;
} // namespace ParamKind

// NIBP status of a completed measurement: only then do the three pressures count.
constexpr BYTE PK_NIBP_STATUS_DONE = 4;
// Highest temperature that counts as a measurement.
constexpr float PK_TEMP_MAX_VALID = 45.0f;

class PKParam_v110 : public PKFrame<108, PK_TYPE_PARAM>
{
public:
    // ---- frame layout (bytes 102-106 are not used) ----------------------------------------
    static constexpr int kSamples = 5;
    static constexpr int kOffTimeStamp = 1;    // unsigned 32-bit
    static constexpr int kOffFHR1Alarm = 5;
    static constexpr int kOffFHR1 = 6;         // x5 bytes
    static constexpr int kOffFM1 = 11;         // x5: bits 0-6 count, bit 7 FMD1
    static constexpr int kOffFHR2Alarm = 16;
    static constexpr int kOffFHR2 = 17;        // x5 bytes
    static constexpr int kOffFM2 = 22;         // x5: bits 0-6 count, bit 7 FMD2
    static constexpr int kOffUCAlarm = 27;
    static constexpr int kOffUCZeroing = 28;
    static constexpr int kOffUC = 29;          // x5 bytes
    static constexpr int kOffECGAlarm = 34;
    static constexpr int kOffECG = 35;         // x5 unsigned 16-bit
    static constexpr int kOffSpO2Alarm = 45;
    static constexpr int kOffSpO2 = 46;        // x5 bytes
    static constexpr int kOffSpO2R = 51;       // x5 unsigned 16-bit
    static constexpr int kOffNIBPAlarm = 61;
    static constexpr int kOffNIBPSys = 62;     // unsigned 16-bit
    static constexpr int kOffNIBPMean = 64;    // unsigned 16-bit
    static constexpr int kOffNIBPDia = 66;     // unsigned 16-bit
    static constexpr int kOffNIBPStatus = 68;
    static constexpr int kOffTempAlarm = 69;
    static constexpr int kOffTemp = 70;        // unsigned 16-bit, degrees x10
    static constexpr int kOffFECGAlarm = 72;
    static constexpr int kOffFECG = 73;        // x5 bytes
    static constexpr int kOffFSpO2Alarm = 78;
    static constexpr int kOffFSpO2 = 79;       // x5 bytes
    static constexpr int kOffFSpO2R = 84;      // x5 unsigned 16-bit
    static constexpr int kOffIUPAlarm = 94;
    static constexpr int kOffIUPZeroing = 95;
    static constexpr int kOffIUP = 96;         // x5 bytes
    static constexpr int kOffEventFlags = 101; // bit 0 marker, bit 1 stimulator
    static constexpr BYTE kMarkerBit = 0x01;
    static constexpr BYTE kStimulatorBit = 0x02;
    static constexpr BYTE kFMDetectBit = 0x80;
    static constexpr BYTE kFMCountMask = 0x7F;
    static constexpr double kTempScale = 10.0;

    // ---- time stamp -----------------------------------------------------------------------
    unsigned int GetTimeStamp() const { return Get4ByteValue(kOffTimeStamp); }
    void SetTimeStamp(unsigned int stamp) { Set4ByteValue(kOffTimeStamp, stamp); }

    // ---- byte samples ---------------------------------------------------------------------
    BYTE GetFHR1(int i) const { return GetByteSample(kOffFHR1, i); }
    void SetFHR1(int i, BYTE v) { SetByteSample(kOffFHR1, i, v); }
    BYTE GetFHR2(int i) const { return GetByteSample(kOffFHR2, i); }
    void SetFHR2(int i, BYTE v) { SetByteSample(kOffFHR2, i, v); }
    BYTE GetUC(int i) const { return GetByteSample(kOffUC, i); }
    void SetUC(int i, BYTE v) { SetByteSample(kOffUC, i, v); }
    BYTE GetSpO2(int i) const { return GetByteSample(kOffSpO2, i); }
    void SetSpO2(int i, BYTE v) { SetByteSample(kOffSpO2, i, v); }
    BYTE GetFECG(int i) const { return GetByteSample(kOffFECG, i); }
    void SetFECG(int i, BYTE v) { SetByteSample(kOffFECG, i, v); }
    BYTE GetFSpO2(int i) const { return GetByteSample(kOffFSpO2, i); }
    void SetFSpO2(int i, BYTE v) { SetByteSample(kOffFSpO2, i, v); }
    BYTE GetIUP(int i) const { return GetByteSample(kOffIUP, i); }
    void SetIUP(int i, BYTE v) { SetByteSample(kOffIUP, i, v); }

    // ---- two-byte samples -----------------------------------------------------------------
    int GetECG(int i) const { return GetWordSample(kOffECG, i); }
    void SetECG(int i, int v) { SetWordSample(kOffECG, i, v); }
    int GetSpO2R(int i) const { return GetWordSample(kOffSpO2R, i); }
    void SetSpO2R(int i, int v) { SetWordSample(kOffSpO2R, i, v); }
    int GetFSpO2R(int i) const { return GetWordSample(kOffFSpO2R, i); }
    void SetFSpO2R(int i, int v) { SetWordSample(kOffFSpO2R, i, v); }

    // ---- fetal movement: count in bits 0-6, detection flag in bit 7 ------------------------
    BYTE GetFM1(int i) const { return GetFMCount(kOffFM1, i); }
    void SetFM1(int i, BYTE v) { SetFMCount(kOffFM1, i, v); }
    BYTE GetFM2(int i) const { return GetFMCount(kOffFM2, i); }
    void SetFM2(int i, BYTE v) { SetFMCount(kOffFM2, i, v); }
    // 128 when the detection flag is set, else 0.
    int GetFMD1(int i) const { return GetFMDetect(kOffFM1, i); }
    // 1 sets the flag, any other value clears it.
    void SetFMD1(int i, int v) { SetFMDetect(kOffFM1, i, v); }
    int GetFMD2(int i) const { return GetFMDetect(kOffFM2, i); }
    void SetFMD2(int i, int v) { SetFMDetect(kOffFM2, i, v); }

    // ---- alarm status bytes (codes of the alarm-cause maps; 0 normal) ----------------------
    BYTE GetFHR1Alarm() const { return GetByte(kOffFHR1Alarm); }
    void SetFHR1Alarm(BYTE v) { SetByte(kOffFHR1Alarm, v); }
    BYTE GetFHR2Alarm() const { return GetByte(kOffFHR2Alarm); }
    void SetFHR2Alarm(BYTE v) { SetByte(kOffFHR2Alarm, v); }
    BYTE GetUCAlarm() const { return GetByte(kOffUCAlarm); }
    void SetUCAlarm(BYTE v) { SetByte(kOffUCAlarm, v); }
    BYTE GetECGAlarm() const { return GetByte(kOffECGAlarm); }
    void SetECGAlarm(BYTE v) { SetByte(kOffECGAlarm, v); }
    BYTE GetSpO2Alarm() const { return GetByte(kOffSpO2Alarm); }
    void SetSpO2Alarm(BYTE v) { SetByte(kOffSpO2Alarm, v); }
    BYTE GetNIBPAlarm() const { return GetByte(kOffNIBPAlarm); }
    void SetNIBPAlarm(BYTE v) { SetByte(kOffNIBPAlarm, v); }
    BYTE GetTempAlarm() const { return GetByte(kOffTempAlarm); }
    void SetTempAlarm(BYTE v) { SetByte(kOffTempAlarm, v); }
    BYTE GetFECGAlarm() const { return GetByte(kOffFECGAlarm); }
    void SetFECGAlarm(BYTE v) { SetByte(kOffFECGAlarm, v); }
    BYTE GetFSpO2Alarm() const { return GetByte(kOffFSpO2Alarm); }
    void SetFSpO2Alarm(BYTE v) { SetByte(kOffFSpO2Alarm, v); }
    BYTE GetIUPAlarm() const { return GetByte(kOffIUPAlarm); }
    void SetIUPAlarm(BYTE v) { SetByte(kOffIUPAlarm, v); }

    // ---- zeroing events -------------------------------------------------------------------
    BYTE GetUCZeroing() const { return GetByte(kOffUCZeroing); }
    void SetUCZeroing(BYTE v) { SetByte(kOffUCZeroing, v); }
    BYTE GetIUPZeroing() const { return GetByte(kOffIUPZeroing); }
    void SetIUPZeroing(BYTE v) { SetByte(kOffIUPZeroing, v); }

    // ---- NIBP and temperature -------------------------------------------------------------
    int GetNIBPSys() const { return Get2ByteValue(kOffNIBPSys); }
    void SetNIBPSys(int v) { Set2ByteValue(kOffNIBPSys, v); }
    int GetNIBPMean() const { return Get2ByteValue(kOffNIBPMean); }
    void SetNIBPMean(int v) { Set2ByteValue(kOffNIBPMean, v); }
    int GetNIBPDia() const { return Get2ByteValue(kOffNIBPDia); }
    void SetNIBPDia(int v) { Set2ByteValue(kOffNIBPDia, v); }
    BYTE GetNIBPStatus() const { return GetByte(kOffNIBPStatus); }
    void SetNIBPStatus(BYTE v) { SetByte(kOffNIBPStatus, v); }
    float GetTemp() const { return static_cast<float>(Get2ByteValue(kOffTemp) / kTempScale); }
    // Degrees, stored in tenths rounded to the nearest tenth and held to the field's range.
    void SetTemp(float degrees) { Set2ByteValue(kOffTemp, ScaleToField(degrees, kTempScale, 0xFFFF)); }

    // ---- event flags ----------------------------------------------------------------------
    int GetMarker() const { return (GetByte(kOffEventFlags) & kMarkerBit) ? 1 : 0; }
    void SetMarker(int on) { SetEventBit(kMarkerBit, on); }
    int GetStimulator() const { return (GetByte(kOffEventFlags) & kStimulatorBit) ? 1 : 0; }
    void SetStimulator(int on) { SetEventBit(kStimulatorBit, on); }

    // ---- whole packet ---------------------------------------------------------------------
    // An all-no-data packet: every sample and status byte its no-data value, the time stamp
    // 0xFFFFFFFF, fetal-movement bytes 0x7F, no events; valid.
    void SetNullData();
    // 1 when the value of parameter data kind `kind` at sample i is a real measurement.
    int IsValidData(int kind, int i) const;

private:
    static bool IsSampleIndex(int i) { return i >= 0 && i < kSamples; }
    BYTE GetByteSample(int offset, int i) const { return IsSampleIndex(i) ? GetByte(offset + i) : 0; }
    void SetByteSample(int offset, int i, BYTE v);
    int GetWordSample(int offset, int i) const { return IsSampleIndex(i) ? Get2ByteValue(offset + 2 * i) : 0; }
    void SetWordSample(int offset, int i, int v);
    BYTE GetFMCount(int offset, int i) const;
    void SetFMCount(int offset, int i, BYTE v);
    int GetFMDetect(int offset, int i) const;
    void SetFMDetect(int offset, int i, int v);
    void SetEventBit(BYTE bit, int on);
    bool IsZeroingEvent() const;
};
