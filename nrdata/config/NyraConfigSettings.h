// The table of stored settings: every member of NyraSettings with its ini section, key and
// default, in the order the ini file holds them. Default, Open and Save all walk this one list.
#pragma once

#include "nrdata/config/ColorPresets.h"
#include "nrdata/config/NyraConfig.h"

namespace nrdata::config {

constexpr const char* kDemo = "CENTRAL_DEMO";
constexpr const char* kDefault = "CENTRAL_DEFAULT";
constexpr const char* kSystem = "CENTRAL_SYSTEM";
constexpr const char* kColor = "CENTRAL_COLOR";
constexpr const char* kReviewDefault = "REVIEW_DEFAULT";
constexpr const char* kReviewColor = "REVIEW_COLOR";

// The default of a text setting.
struct TextDefault
{
    enum Kind
    {
        DataFolder, // the "Data" folder beside the program
        Literal,    // `text`
        Empty,      // empty when missing from the file; Default() leaves it as it is
    };
    Kind kind;
    const char* text { "" };
};

// An integer setting: its default, and the value a file without the key gives (the default,
// except for "Broker Port", where a file without the key means no broker port: 0).
struct IntDefault
{
    int value;
    int missing;
};
constexpr IntDefault Int(int value) { return { value, value }; }

// Calls visit(section, key, member, default) for every stored setting in file order; member is
// an int& with an IntDefault or a CString& with a TextDefault.
template <class Settings, class Visitor>
void ForEachSetting(Settings& s, Visitor&& visit)
{
    visit(kDemo, "Window Mode", s.WindowMode, Int(0));
    visit(kDemo, "Demo Mode", s.DemoMode, Int(0));

    visit(kDefault, "Data Path", s.DataPath, TextDefault { TextDefault::DataFolder });
    visit(kDefault, "Auto Record Stop", s.AutoRecordStop, Int(0));
    visit(kDefault, "Display Mode", s.DisplayMode, Int(0));
    visit(kDefault, "Save Display Mode", s.SaveDisplayMode, Int(0));
    visit(kDefault, "Top Graph", s.TopGraph, Int(1));
    visit(kDefault, "Bottom Graph", s.BottomGraph, Int(2));
    visit(kDefault, "Language", s.Language, Int(3));
    visit(kDefault, "Height Unit", s.HeightUnit, Int(1));
    visit(kDefault, "Weight Unit", s.WeightUnit, Int(1));
    visit(kDefault, "NIBP Unit", s.NIBPUnit, Int(1));
    visit(kDefault, "Temp Unit", s.TempUnit, Int(1));
    visit(kDefault, "Sweep Speed", s.SweepSpeed, Int(3));
    visit(kDefault, "Trend Speed", s.TrendSpeed, Int(3));
    visit(kDefault, "ECG Gain", s.ECGGain, Int(3));
    visit(kDefault, "FECG Gain", s.FECGGain, Int(3));
    visit(kDefault, "Record Limit", s.RecordLimit, Int(0));
    visit(kDefault, "All Alarm Sound", s.AllAlarmSound, Int(1));
    visit(kDefault, "Device Position Fix", s.DevicePositionFix, Int(0));
    visit(kDefault, "Record On Admit", s.RecordOnAdmit, Int(0));
    visit(kDefault, "FHR1 Delay Time", s.FHR1DelayTime, Int(0));
    visit(kDefault, "FHR2 Delay Time", s.FHR2DelayTime, Int(0));
    visit(kDefault, "FHR1 Alarm Sound", s.FHR1AlarmSound, Int(1));
    visit(kDefault, "FHR2 Alarm Sound", s.FHR2AlarmSound, Int(1));
    visit(kDefault, "FECG Alarm Sound", s.FECGAlarmSound, Int(1));
    visit(kDefault, "FSpO2 Alarm Sound", s.FSpO2AlarmSound, Int(1));
    visit(kDefault, "ECG Alarm Sound", s.ECGAlarmSound, Int(1));
    visit(kDefault, "SpO2 Alarm Sound", s.SpO2AlarmSound, Int(1));
    visit(kDefault, "NIBP Alarm Sound", s.NIBPAlarmSound, Int(1));
    visit(kDefault, "TEMP Alarm Sound", s.TEMPAlarmSound, Int(1));
    visit(kDefault, "UC Alarm Sound", s.UCAlarmSound, Int(1));
    visit(kDefault, "IUP Alarm Sound", s.IUPAlarmSound, Int(1));

    visit(kSystem, "Broker IP", s.BrokerIP, Int(0));
    visit(kSystem, "Broker Port", s.BrokerPort, IntDefault { 4500, 0 });
    visit(kSystem, "EMR Data Path", s.EMRDataPath, TextDefault { TextDefault::DataFolder });
    visit(kSystem, "EMR Program Path", s.EMRProgramPath, TextDefault { TextDefault::DataFolder });
    visit(kSystem, "EMR Image Type", s.EMRImageType, Int(0));
    visit(kSystem, "Hospital Name", s.HospitalName, TextDefault { TextDefault::Literal, "MY HOSPITAL" });
    visit(kSystem, "Serial Name1", s.SerialName[0], Int(0));
    visit(kSystem, "Serial Name2", s.SerialName[1], Int(0));
    visit(kSystem, "Serial Name3", s.SerialName[2], Int(0));
    visit(kSystem, "Serial Name4", s.SerialName[3], Int(0));
    visit(kSystem, "Serial Name5", s.SerialName[4], Int(0));
    visit(kSystem, "Serial Name6", s.SerialName[5], Int(0));
    visit(kSystem, "Serial Name7", s.SerialName[6], Int(0));
    visit(kSystem, "Serial Name8", s.SerialName[7], Int(0));

    visit(kColor, "Graph Background", s.GraphBackground, Int(kDefaultColors.GraphBackground));
    visit(kColor, "Param Background", s.ParamBackground, Int(kDefaultColors.ParamBackground));
    visit(kColor, "Graph Text", s.GraphText, Int(kDefaultColors.GraphText));
    visit(kColor, "Param Text", s.ParamText, Int(kDefaultColors.ParamText));
    visit(kColor, "Graph FHR1", s.GraphFHR1, Int(kDefaultColors.GraphFHR1));
    visit(kColor, "Graph FHR2", s.GraphFHR2, Int(kDefaultColors.GraphFHR2));
    visit(kColor, "Graph FECG", s.GraphFECG, Int(kDefaultColors.GraphFECG));
    visit(kColor, "Graph FSpO2", s.GraphFSpO2, Int(kDefaultColors.GraphFSpO2));
    visit(kColor, "Graph Normal FHR", s.GraphNormalFHR, Int(kDefaultColors.GraphNormalFHR));
    visit(kColor, "Graph HR", s.GraphHR, Int(kDefaultColors.GraphHR));
    visit(kColor, "Graph SpO2", s.GraphSpO2, Int(kDefaultColors.GraphSpO2));
    visit(kColor, "Graph NIBP", s.GraphNIBP, Int(kDefaultColors.GraphNIBP));
    visit(kColor, "Graph TEMP", s.GraphTEMP, Int(kDefaultColors.GraphTEMP));
    visit(kColor, "Graph UC", s.GraphUC, Int(kDefaultColors.GraphUC));
    visit(kColor, "Grid Outer", s.GridOuter, Int(kDefaultColors.GridOuter));
    visit(kColor, "Grid Outer Style", s.GridOuterStyle, Int(kDefaultColors.GridOuterStyle));
    visit(kColor, "Grid Inner", s.GridInner, Int(kDefaultColors.GridInner));
    visit(kColor, "Grid Inner Style", s.GridInnerStyle, Int(kDefaultColors.GridInnerStyle));
    visit(kColor, "Grid Center", s.GridCenter, Int(kDefaultColors.GridCenter));
    visit(kColor, "Grid Center Style", s.GridCenterStyle, Int(kDefaultColors.GridCenterStyle));
    visit(kColor, "Event", s.Event, Int(0));
    visit(kColor, "Event Maker", s.EventMaker, Int(kDefaultColors.EventMaker));
    visit(kColor, "Event Stimulator", s.EventStimulator, Int(kDefaultColors.EventStimulator));

    visit(kSystem, "Doctor ID", s.DoctorID, TextDefault { TextDefault::Empty });
    visit(kSystem, "Doctor Name", s.DoctorName, TextDefault { TextDefault::Empty });
    visit(kSystem, "Nurse ID", s.NurseID, TextDefault { TextDefault::Empty });
    visit(kSystem, "Nurse Name", s.NurseName, TextDefault { TextDefault::Empty });

    visit(kReviewDefault, "Review Sweep Speed", s.ReviewSweepSpeed, Int(3));
    visit(kReviewDefault, "Review Trend Speed", s.ReviewTrendSpeed, Int(3));
    visit(kReviewDefault, "Review ECG Gain", s.ReviewECGGain, Int(3));
    visit(kReviewDefault, "Review FECG Gain", s.ReviewFECGGain, Int(3));

    visit(kReviewColor, "Review Graph Background", s.ReviewGraphBackground, Int(0));
    visit(kReviewColor, "Review Param Background", s.ReviewParamBackground, Int(0));
    visit(kReviewColor, "Review Graph Text", s.ReviewGraphText, Int(0));
    visit(kReviewColor, "Review Param Text", s.ReviewParamText, Int(0));
    visit(kReviewColor, "Review Graph FHR1", s.ReviewGraphFHR1, Int(0));
    visit(kReviewColor, "Review Graph FHR2", s.ReviewGraphFHR2, Int(0));
    visit(kReviewColor, "Review Graph FECG", s.ReviewGraphFECG, Int(0));
    visit(kReviewColor, "Review Graph FSpO2", s.ReviewGraphFSpO2, Int(0));
    visit(kReviewColor, "Review Graph Normal FHR", s.ReviewGraphNormalFHR, Int(0));
    visit(kReviewColor, "Review Graph HR", s.ReviewGraphHR, Int(0));
    visit(kReviewColor, "Review Graph SpO2", s.ReviewGraphSpO2, Int(0));
    visit(kReviewColor, "Review Graph NIBP", s.ReviewGraphNIBP, Int(0));
    visit(kReviewColor, "Review Graph TEMP", s.ReviewGraphTEMP, Int(0));
    visit(kReviewColor, "Review Graph UC", s.ReviewGraphUC, Int(0));
    visit(kReviewColor, "Review Grid Outer", s.ReviewGridOuter, Int(0));
    visit(kReviewColor, "Review Grid Outer Style", s.ReviewGridOuterStyle, Int(0));
    visit(kReviewColor, "Review Grid Inner", s.ReviewGridInner, Int(0));
    visit(kReviewColor, "Review Grid Inner Style", s.ReviewGridInnerStyle, Int(0));
    visit(kReviewColor, "Review Event", s.ReviewEvent, Int(0));
    visit(kReviewColor, "Review Event Maker", s.ReviewEventMaker, Int(0));
    visit(kReviewColor, "Review Event Stimulator", s.ReviewEventStimulator, Int(0));
    visit(kReviewColor, "Review Event UCZeroing", s.ReviewEventUCZeroing, Int(0));
}

} // namespace nrdata::config
