// PKAlarm_v110: the 60-byte alarm settings packet. Per monitored quantity an alarm byte (high
// nibble the switch, low nibble the level) and a lower and an upper limit, lower first. The
// pulse-rate entries have a whole level byte and limits but no switch. Limits are held to their
// field's range (0..255 or 0..65535) instead of wrapping; temperature limits are stored in tenths
// of a degree, rounded so that the value typed reads back.
#pragma once

#include "nrdata/packet/PKBase.h"

class PKAlarm_v110 : public PKFrame<60, PK_TYPE_ALARM>
{
public:
    // ---- frame layout (bytes 50-58 are not used) ------------------------------------------
    // A pair of limits: the lower limit at `lower`, the upper one right after it.
    struct LimitField
    {
        int lower;
        int width; // 1 or 2 bytes each
    };
    static constexpr int kOffFHR1Alarm = 1;
    static constexpr int kOffFHR2Alarm = 4;
    static constexpr int kOffUCAlarm = 7;
    static constexpr int kOffECGAlarm = 12;
    static constexpr int kOffSpO2Alarm = 17;
    static constexpr int kOffSpO2RLevel = 20;
    static constexpr int kOffNIBPAlarm = 25;
    static constexpr int kOffNIBPSource = 26;
    static constexpr int kOffTempAlarm = 31;
    static constexpr int kOffFECGAlarm = 36;
    static constexpr int kOffFSpO2Alarm = 39;
    static constexpr int kOffFSpO2RLevel = 42;
    static constexpr int kOffIUPAlarm = 45;
    static constexpr LimitField kFHR1Limit { 2, 1 };
    static constexpr LimitField kFHR2Limit { 5, 1 };
    static constexpr LimitField kUCLimit { 8, 1 };
    static constexpr LimitField kUCFreqLimit { 10, 1 };
    static constexpr LimitField kECGLimit { 13, 2 };
    static constexpr LimitField kSpO2Limit { 18, 1 };
    static constexpr LimitField kSpO2RLimit { 21, 2 };
    static constexpr LimitField kNIBPLimit { 27, 2 };
    static constexpr LimitField kTempLimit { 32, 2 };
    static constexpr LimitField kFECGLimit { 37, 1 };
    static constexpr LimitField kFSpO2Limit { 40, 1 };
    static constexpr LimitField kFSpO2RLimit { 43, 1 };
    static constexpr LimitField kIUPLimit { 46, 1 };
    static constexpr LimitField kIUPFreqLimit { 48, 1 };
    static constexpr double kTempScale = 10.0;

    // ---- FHR1 ---------------------------------------------------------------------------------
    BYTE GetFHR1AlarmEnable() const { return GetSwitch(kOffFHR1Alarm); }
    void SetFHR1AlarmEnable(BYTE v) { SetSwitch(kOffFHR1Alarm, v); }
    BYTE GetFHR1Level() const { return GetLevel(kOffFHR1Alarm); }
    void SetFHR1Level(BYTE v) { SetLevel(kOffFHR1Alarm, v); }
    void GetFHR1Limit(int& lower, int& upper) const { GetLimit(kFHR1Limit, lower, upper); }
    void SetFHR1Limit(int lower, int upper) { SetLimit(kFHR1Limit, lower, upper); }

    // ---- FHR2 ---------------------------------------------------------------------------------
    BYTE GetFHR2AlarmEnable() const { return GetSwitch(kOffFHR2Alarm); }
    void SetFHR2AlarmEnable(BYTE v) { SetSwitch(kOffFHR2Alarm, v); }
    BYTE GetFHR2Level() const { return GetLevel(kOffFHR2Alarm); }
    void SetFHR2Level(BYTE v) { SetLevel(kOffFHR2Alarm, v); }
    void GetFHR2Limit(int& lower, int& upper) const { GetLimit(kFHR2Limit, lower, upper); }
    void SetFHR2Limit(int lower, int upper) { SetLimit(kFHR2Limit, lower, upper); }

    // ---- UC -----------------------------------------------------------------------------------
    BYTE GetUCAlarmEnable() const { return GetSwitch(kOffUCAlarm); }
    void SetUCAlarmEnable(BYTE v) { SetSwitch(kOffUCAlarm, v); }
    BYTE GetUCLevel() const { return GetLevel(kOffUCAlarm); }
    void SetUCLevel(BYTE v) { SetLevel(kOffUCAlarm, v); }
    void GetUCLimit(int& lower, int& upper) const { GetLimit(kUCLimit, lower, upper); }
    void SetUCLimit(int lower, int upper) { SetLimit(kUCLimit, lower, upper); }
    void GetUCFreqLimit(int& lower, int& upper) const { GetLimit(kUCFreqLimit, lower, upper); }
    void SetUCFreqLimit(int lower, int upper) { SetLimit(kUCFreqLimit, lower, upper); }

    // ---- ECG ----------------------------------------------------------------------------------
    BYTE GetECGAlarmEnable() const { return GetSwitch(kOffECGAlarm); }
    void SetECGAlarmEnable(BYTE v) { SetSwitch(kOffECGAlarm, v); }
    BYTE GetECGLevel() const { return GetLevel(kOffECGAlarm); }
    void SetECGLevel(BYTE v) { SetLevel(kOffECGAlarm, v); }
    void GetECGLimit(int& lower, int& upper) const { GetLimit(kECGLimit, lower, upper); }
    void SetECGLimit(int lower, int upper) { SetLimit(kECGLimit, lower, upper); }

    // ---- SpO2 and its pulse rate ------------------------------------------------------------
    BYTE GetSpO2AlarmEnable() const { return GetSwitch(kOffSpO2Alarm); }
    void SetSpO2AlarmEnable(BYTE v) { SetSwitch(kOffSpO2Alarm, v); }
    BYTE GetSpO2Level() const { return GetLevel(kOffSpO2Alarm); }
    void SetSpO2Level(BYTE v) { SetLevel(kOffSpO2Alarm, v); }
    void GetSpO2Limit(int& lower, int& upper) const { GetLimit(kSpO2Limit, lower, upper); }
    void SetSpO2Limit(int lower, int upper) { SetLimit(kSpO2Limit, lower, upper); }
    BYTE GetSpO2RLevel() const { return GetByte(kOffSpO2RLevel); }
    void SetSpO2RLevel(BYTE v) { SetByte(kOffSpO2RLevel, v); }
    void GetSpO2RLimit(int& lower, int& upper) const { GetLimit(kSpO2RLimit, lower, upper); }
    void SetSpO2RLimit(int lower, int upper) { SetLimit(kSpO2RLimit, lower, upper); }

    // ---- NIBP ---------------------------------------------------------------------------------
    BYTE GetNIBPAlarmEnable() const { return GetSwitch(kOffNIBPAlarm); }
    void SetNIBPAlarmEnable(BYTE v) { SetSwitch(kOffNIBPAlarm, v); }
    BYTE GetNIBPLevel() const { return GetLevel(kOffNIBPAlarm); }
    void SetNIBPLevel(BYTE v) { SetLevel(kOffNIBPAlarm, v); }
    BYTE GetNIBPSource() const { return GetByte(kOffNIBPSource); }
    void SetNIBPSource(BYTE v) { SetByte(kOffNIBPSource, v); }
    void GetNIBPLimit(int& lower, int& upper) const { GetLimit(kNIBPLimit, lower, upper); }
    void SetNIBPLimit(int lower, int upper) { SetLimit(kNIBPLimit, lower, upper); }

    // ---- TEMP (degrees) -------------------------------------------------------------------
    BYTE GetTempAlarmEnable() const { return GetSwitch(kOffTempAlarm); }
    void SetTempAlarmEnable(BYTE v) { SetSwitch(kOffTempAlarm, v); }
    BYTE GetTempLevel() const { return GetLevel(kOffTempAlarm); }
    void SetTempLevel(BYTE v) { SetLevel(kOffTempAlarm, v); }
    void GetTempLimit(float& lower, float& upper) const;
    void SetTempLimit(float lower, float upper);

    // ---- FECG ---------------------------------------------------------------------------------
    BYTE GetFECGAlarmEnable() const { return GetSwitch(kOffFECGAlarm); }
    void SetFECGAlarmEnable(BYTE v) { SetSwitch(kOffFECGAlarm, v); }
    BYTE GetFECGLevel() const { return GetLevel(kOffFECGAlarm); }
    void SetFECGLevel(BYTE v) { SetLevel(kOffFECGAlarm, v); }
    void GetFECGLimit(int& lower, int& upper) const { GetLimit(kFECGLimit, lower, upper); }
    void SetFECGLimit(int lower, int upper) { SetLimit(kFECGLimit, lower, upper); }

    // ---- FSpO2 and its pulse rate -----------------------------------------------------------
    BYTE GetFSpO2AlarmEnable() const { return GetSwitch(kOffFSpO2Alarm); }
    void SetFSpO2AlarmEnable(BYTE v) { SetSwitch(kOffFSpO2Alarm, v); }
    BYTE GetFSpO2Level() const { return GetLevel(kOffFSpO2Alarm); }
    void SetFSpO2Level(BYTE v) { SetLevel(kOffFSpO2Alarm, v); }
    void GetFSpO2Limit(int& lower, int& upper) const { GetLimit(kFSpO2Limit, lower, upper); }
    void SetFSpO2Limit(int lower, int upper) { SetLimit(kFSpO2Limit, lower, upper); }
    BYTE GetFSpO2RLevel() const { return GetByte(kOffFSpO2RLevel); }
    void SetFSpO2RLevel(BYTE v) { SetByte(kOffFSpO2RLevel, v); }
    void GetFSpO2RLimit(int& lower, int& upper) const { GetLimit(kFSpO2RLimit, lower, upper); }
    void SetFSpO2RLimit(int lower, int upper) { SetLimit(kFSpO2RLimit, lower, upper); }

    // ---- IUP ----------------------------------------------------------------------------------
    BYTE GetIUPAlarmEnable() const { return GetSwitch(kOffIUPAlarm); }
    void SetIUPAlarmEnable(BYTE v) { SetSwitch(kOffIUPAlarm, v); }
    BYTE GetIUPLevel() const { return GetLevel(kOffIUPAlarm); }
    void SetIUPLevel(BYTE v) { SetLevel(kOffIUPAlarm, v); }
    void GetIUPLimit(int& lower, int& upper) const { GetLimit(kIUPLimit, lower, upper); }
    void SetIUPLimit(int lower, int upper) { SetLimit(kIUPLimit, lower, upper); }
    void GetIUPFreqLimit(int& lower, int& upper) const { GetLimit(kIUPFreqLimit, lower, upper); }
    void SetIUPFreqLimit(int lower, int upper) { SetLimit(kIUPFreqLimit, lower, upper); }

private:
    BYTE GetSwitch(int offset) const { return static_cast<BYTE>(GetByte(offset) >> 4); }
    void SetSwitch(int offset, BYTE v);
    BYTE GetLevel(int offset) const { return static_cast<BYTE>(GetByte(offset) & 0x0F); }
    void SetLevel(int offset, BYTE v);
    void GetLimit(LimitField field, int& lower, int& upper) const;
    void SetLimit(LimitField field, int lower, int upper);
};
