// NyraConfig: every setting of the central station, the review station and the monitor client
// library in one object with public members, kept in the ini file "TarvicII.ini" beside the
// program. The programs keep one global object and copy it by value: assignment copies every
// stored setting and leaves the target's display flags, which are not stored.
#pragma once

#include "platform/core/CString.h"
#include "platform/core/Types.h"

#include <array>

// The stored settings, in the order of the ini file (NyraConfigSettings.h lists each one's
// section, key and default). Integers are 32-bit signed; colours are 0x00BBGGRR values.
struct NyraSettings
{
    // ---- [CENTRAL_DEMO] -----------------------------------------------------------------
    int WindowMode;
    int DemoMode;

    // ---- [CENTRAL_DEFAULT] --------------------------------------------------------------
    CString DataPath;
    int AutoRecordStop;     // CMAP_AUTO_RECORD_STOP
    int DisplayMode;        // the bed-grid layout
    int SaveDisplayMode;
    int TopGraph;
    int BottomGraph;
    int Language;           // 1 to 14; 3 is the built-in English
    int HeightUnit;         // CMAP_HEIGHT_UNIT
    int WeightUnit;         // CMAP_WEIGHT_UNIT
    int NIBPUnit;           // CMAP_NIBP_UNIT
    int TempUnit;           // CMAP_TEMP_UNIT
    int SweepSpeed;         // CMAP_ECG_SPEED
    int TrendSpeed;         // CMAP_TREND_SPEED
    int ECGGain;            // CMAP_ECG_GAIN
    int FECGGain;           // CMAP_ECG_GAIN
    int RecordLimit;
    int AllAlarmSound;
    int DevicePositionFix;
    int RecordOnAdmit;
    int FHR1DelayTime;      // CMAP_DELAY_TIME
    int FHR2DelayTime;      // CMAP_DELAY_TIME
    int FHR1AlarmSound;
    int FHR2AlarmSound;
    int FECGAlarmSound;
    int FSpO2AlarmSound;
    int ECGAlarmSound;
    int SpO2AlarmSound;
    int NIBPAlarmSound;
    int TEMPAlarmSound;
    int UCAlarmSound;
    int IUPAlarmSound;

    // ---- [CENTRAL_SYSTEM] ---------------------------------------------------------------
    int BrokerIP;           // an IPv4 address as one 32-bit number
    int BrokerPort;
    CString EMRDataPath;
    CString EMRProgramPath;
    int EMRImageType;
    CString HospitalName;
    std::array<int, 8> SerialName; // "Serial Name1" to "Serial Name8": COM port numbers, 0 none

    // ---- [CENTRAL_COLOR] ----------------------------------------------------------------
    int GraphBackground;
    int ParamBackground;
    int GraphText;
    int ParamText;
    int GraphFHR1;
    int GraphFHR2;
    int GraphFECG;
    int GraphFSpO2;
    int GraphNormalFHR;
    int GraphHR;
    int GraphSpO2;
    int GraphNIBP;
    int GraphTEMP;
    int GraphUC;
    int GridOuter;
    int GridOuterStyle;
    int GridInner;
    int GridInnerStyle;
    int GridCenter;
    int GridCenterStyle;
    int Event;
    int EventMaker;
    int EventStimulator;

    // ---- [CENTRAL_SYSTEM], written after the colours ------------------------------------
    CString DoctorID;
    CString DoctorName;
    CString NurseID;
    CString NurseName;

    // ---- [REVIEW_DEFAULT] ---------------------------------------------------------------
    int ReviewSweepSpeed;
    int ReviewTrendSpeed;
    int ReviewECGGain;
    int ReviewFECGGain;

    // ---- [REVIEW_COLOR] -----------------------------------------------------------------
    int ReviewGraphBackground;
    int ReviewParamBackground;
    int ReviewGraphText;
    int ReviewParamText;
    int ReviewGraphFHR1;
    int ReviewGraphFHR2;
    int ReviewGraphFECG;
    int ReviewGraphFSpO2;
    int ReviewGraphNormalFHR;
    int ReviewGraphHR;
    int ReviewGraphSpO2;
    int ReviewGraphNIBP;
    int ReviewGraphTEMP;
    int ReviewGraphUC;
    int ReviewGridOuter;
    int ReviewGridOuterStyle;
    int ReviewGridInner;
    int ReviewGridInnerStyle;
    int ReviewEvent;
    int ReviewEventMaker;
    int ReviewEventStimulator;
    int ReviewEventUCZeroing;
};

class NyraConfig : public NyraSettings
{
public:
    static constexpr int kDisplayFlags = 18;
    // The settings file beside the program.
    static constexpr const char* kIniFileName = "TarvicII.ini";

    NyraConfig();
    NyraConfig(const NyraConfig& other) = default;
    // Every stored setting; the target's display flags stay.
    NyraConfig& operator=(const NyraConfig& other);
    virtual ~NyraConfig() = default;

    // Every setting to its default (the doctor and nurse texts stay), every display flag to 1.
    void Default();

    // Reads every setting from the ini file beside the program, or from `path`: 1 when read,
    // 0 when the file does not exist (nothing changes then). A missing key takes its fallback;
    // a "Data Path" that names nothing existing becomes the "Data" folder beside the program.
    int Open();
    int Open(const char* path);
    // Writes every setting, creating the file when needed: 1 when written, 0 when the file
    // cannot be created, and 0 with nothing written when a text setting holds a line break
    // (CR, LF) or a NUL, which the file cannot give back (KTIni::IsWritableValue).
    int Save();
    int Save(const char* path);

    // The display flag of a parameter data kind (ParamKind); kind 19 is always visible, an
    // unknown kind never.
    int IsVisible(int kind) const;
    // The index in DisplayFlag of a parameter data kind's visibility, -1 for a kind without one
    // (19, unknown kinds). The one map between the two numberings: they differ for the fetal
    // values (FHR1 is kind 11 but flag 9) and kinds 15 and 16 share the flags of 13 and 14.
    static int DisplayFlagOfKind(int kind);
    // The display flag index of the enlarged bed window's waves.
    static constexpr int kWaveDisplayFlag = 0;

    // Display flags, not stored: 0 the bed window's waveform flag, 1 to 16 the trend
    // visibility flags that IsVisible reports, 17 unused by any kind.
    std::array<int, kDisplayFlags> DisplayFlag;

    // The "Data" folder beside the program: the default of the data and medical-record paths.
    static CString GetDefaultDataPath();
    // The settings file beside the program.
    static CString GetDefaultIniPath();
};
