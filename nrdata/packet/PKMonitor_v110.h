// PKMonitor_v110: the 56-byte monitor settings packet: device model, software version, unit
// name, the monitor number the station checks before it accepts a monitor's data, the display
// mode and the per-quantity settings. Every setting is one unsigned byte whose values are those
// of the value map named beside it (NRConstMap).
#pragma once

#include "nrdata/packet/PKBase.h"

class PKMonitor_v110 : public PKFrame<56, PK_TYPE_MONITOR>
{
public:
    // ---- frame layout (bytes 47-54 are not used) ------------------------------------------
    static constexpr int kOffModelType = 1;          // CMAP_MODEL
    static constexpr int kOffVersionMain = 2;
    static constexpr int kOffVersionSub = 3;
    static constexpr int kOffUnitName = 4;
    static constexpr int kUnitNameWidth = 20;
    static constexpr int kOffMonitorNumber = 24;
    static constexpr int kOffDisplayMode = 25;       // CMAP_DISPLAY_MODE
    static constexpr int kOffECGLead = 26;           // CMAP_ECG_LEAD
    static constexpr int kOffQRSVolume = 27;         // CMAP_VOLUME5
    static constexpr int kOffECGFilter = 28;         // CMAP_ECG_FILTER
    static constexpr int kOffECGACFilter = 29;       // CMAP_AC_FILTER
    static constexpr int kOffPace = 30;              // CMAP_PACEMAKER
    static constexpr int kOffSpO2RateVolume = 31;    // CMAP_VOLUME5
    static constexpr int kOffNIBPCuffType = 32;      // CMAP_NIBP_CUFF
    static constexpr int kOffNIBPInterval = 33;      // CMAP_NIBP_INTERVAL
    static constexpr int kOffNIBPMode = 34;          // CMAP_MANUAL_AUTO
    static constexpr int kOffFQRSVolume = 35;        // CMAP_VOLUME5
    static constexpr int kOffFECGFilter = 36;        // CMAP_ECG_FILTER
    static constexpr int kOffFECGACFilter = 37;      // CMAP_AC_FILTER
    static constexpr int kOffFSpO2RateVolume = 38;   // CMAP_VOLUME5
    static constexpr int kOffFHRAutoGainControl = 39; // CMAP_ON_OFF
    static constexpr int kOffFHR1Volume = 40;        // CMAP_VOLUME9
    static constexpr int kOffFHR2Volume = 41;        // CMAP_VOLUME9
    static constexpr int kOffFHR2Offset = 42;        // CMAP_FHR2_OFFSET
    static constexpr int kOffUCOffset = 43;          // CMAP_OFFSET
    static constexpr int kOffIUPOffset = 44;         // CMAP_OFFSET
    static constexpr int kOffAutoZeroing = 45;       // CMAP_ON_OFF
    static constexpr int kOffFetalMovement = 46;     // CMAP_ON_OFF

    // ---- identity -------------------------------------------------------------------------
    BYTE GetModelType() const { return GetByte(kOffModelType); }
    void SetModelType(BYTE v) { SetByte(kOffModelType, v); }
    void GetVersion(BYTE& main, BYTE& sub) const
    {
        main = GetByte(kOffVersionMain);
        sub = GetByte(kOffVersionSub);
    }
    void SetVersion(BYTE main, BYTE sub)
    {
        SetByte(kOffVersionMain, main);
        SetByte(kOffVersionSub, sub);
    }
    // "main.sub" in decimal.
    CString GetVersionToSting() const;
    CString GetUnitName() const { return GetStringValue(kOffUnitName, kUnitNameWidth); }
    void SetUnitName(const CString& name) { SetStringValue(kOffUnitName, name, kUnitNameWidth); }
    BYTE GetMonitorNumber() const { return GetByte(kOffMonitorNumber); }
    void SetMonitorNumber(BYTE v) { SetByte(kOffMonitorNumber, v); }
    BYTE GetDisplayMode() const { return GetByte(kOffDisplayMode); }
    void SetDisplayMode(BYTE v) { SetByte(kOffDisplayMode, v); }

    // ---- maternal ECG, SpO2, NIBP -------------------------------------------------------
    BYTE GetECGLead() const { return GetByte(kOffECGLead); }
    void SetECGLead(BYTE v) { SetByte(kOffECGLead, v); }
    BYTE GetQRSVolume() const { return GetByte(kOffQRSVolume); }
    void SetQRSVolume(BYTE v) { SetByte(kOffQRSVolume, v); }
    BYTE GetECGFilter() const { return GetByte(kOffECGFilter); }
    void SetECGFilter(BYTE v) { SetByte(kOffECGFilter, v); }
    BYTE GetECGACFilter() const { return GetByte(kOffECGACFilter); }
    void SetECGACFilter(BYTE v) { SetByte(kOffECGACFilter, v); }
    BYTE GetPace() const { return GetByte(kOffPace); }
    void SetPace(BYTE v) { SetByte(kOffPace, v); }
    BYTE GetSpO2RateVolume() const { return GetByte(kOffSpO2RateVolume); }
    void SetSpO2RateVolume(BYTE v) { SetByte(kOffSpO2RateVolume, v); }
    BYTE GetNIBPCuffType() const { return GetByte(kOffNIBPCuffType); }
    void SetNIBPCuffType(BYTE v) { SetByte(kOffNIBPCuffType, v); }
    // An index into CMAP_NIBP_INTERVAL; NRConstMap::GetNIBPIntervalValue gives the seconds.
    BYTE GetNIBPInterval() const { return GetByte(kOffNIBPInterval); }
    void SetNIBPInterval(BYTE v) { SetByte(kOffNIBPInterval, v); }
    BYTE GetNIBPMode() const { return GetByte(kOffNIBPMode); }
    void SetNIBPMode(BYTE v) { SetByte(kOffNIBPMode, v); }

    // ---- fetal quantities -----------------------------------------------------------------
    BYTE GetFQRSVolume() const { return GetByte(kOffFQRSVolume); }
    void SetFQRSVolume(BYTE v) { SetByte(kOffFQRSVolume, v); }
    BYTE GetFECGFilter() const { return GetByte(kOffFECGFilter); }
    void SetFECGFilter(BYTE v) { SetByte(kOffFECGFilter, v); }
    BYTE GetFECGACFilter() const { return GetByte(kOffFECGACFilter); }
    void SetFECGACFilter(BYTE v) { SetByte(kOffFECGACFilter, v); }
    BYTE GetFSpO2RateVolume() const { return GetByte(kOffFSpO2RateVolume); }
    void SetFSpO2RateVolume(BYTE v) { SetByte(kOffFSpO2RateVolume, v); }
    BYTE GetFHRAutoGainControl() const { return GetByte(kOffFHRAutoGainControl); }
    void SetFHRAutoGainControl(BYTE v) { SetByte(kOffFHRAutoGainControl, v); }
    BYTE GetFHR1Volume() const { return GetByte(kOffFHR1Volume); }
    void SetFHR1Volume(BYTE v) { SetByte(kOffFHR1Volume, v); }
    BYTE GetFHR2Volume() const { return GetByte(kOffFHR2Volume); }
    void SetFHR2Volume(BYTE v) { SetByte(kOffFHR2Volume, v); }
    BYTE GetFHR2Offset() const { return GetByte(kOffFHR2Offset); }
    void SetFHR2Offset(BYTE v) { SetByte(kOffFHR2Offset, v); }
    BYTE GetUCOffset() const { return GetByte(kOffUCOffset); }
    void SetUCOffset(BYTE v) { SetByte(kOffUCOffset, v); }
    BYTE GetIUPOffset() const { return GetByte(kOffIUPOffset); }
    void SetIUPOffset(BYTE v) { SetByte(kOffIUPOffset, v); }
    BYTE GetAutoZeroing() const { return GetByte(kOffAutoZeroing); }
    void SetAutoZeroing(BYTE v) { SetByte(kOffAutoZeroing, v); }
    BYTE GetFetalMovement() const { return GetByte(kOffFetalMovement); }
    void SetFetalMovement(BYTE v) { SetByte(kOffFetalMovement, v); }
};
