// Monitor settings packet: every one-byte setting, the version and the unit name at their
// hand-built positions; a setter changes its own byte only.
#include "nrdata/packet/PKMonitor_v110.h"
#include "support/FrameBytes.h"

#include <gtest/gtest.h>

using namespace nrdata_test;

namespace {

struct SettingRow
{
    const char* name;
    int offset;
    BYTE (PKMonitor_v110::*get)() const;
    void (PKMonitor_v110::*set)(BYTE);
};

const SettingRow kSettings[] = {
    { "ModelType", 1, &PKMonitor_v110::GetModelType, &PKMonitor_v110::SetModelType },
    { "MonitorNumber", 24, &PKMonitor_v110::GetMonitorNumber, &PKMonitor_v110::SetMonitorNumber },
    { "DisplayMode", 25, &PKMonitor_v110::GetDisplayMode, &PKMonitor_v110::SetDisplayMode },
    { "ECGLead", 26, &PKMonitor_v110::GetECGLead, &PKMonitor_v110::SetECGLead },
    { "QRSVolume", 27, &PKMonitor_v110::GetQRSVolume, &PKMonitor_v110::SetQRSVolume },
    { "ECGFilter", 28, &PKMonitor_v110::GetECGFilter, &PKMonitor_v110::SetECGFilter },
    { "ECGACFilter", 29, &PKMonitor_v110::GetECGACFilter, &PKMonitor_v110::SetECGACFilter },
    { "Pace", 30, &PKMonitor_v110::GetPace, &PKMonitor_v110::SetPace },
    { "SpO2RateVolume", 31, &PKMonitor_v110::GetSpO2RateVolume, &PKMonitor_v110::SetSpO2RateVolume },
    { "NIBPCuffType", 32, &PKMonitor_v110::GetNIBPCuffType, &PKMonitor_v110::SetNIBPCuffType },
    { "NIBPInterval", 33, &PKMonitor_v110::GetNIBPInterval, &PKMonitor_v110::SetNIBPInterval },
    { "NIBPMode", 34, &PKMonitor_v110::GetNIBPMode, &PKMonitor_v110::SetNIBPMode },
    { "FQRSVolume", 35, &PKMonitor_v110::GetFQRSVolume, &PKMonitor_v110::SetFQRSVolume },
    { "FECGFilter", 36, &PKMonitor_v110::GetFECGFilter, &PKMonitor_v110::SetFECGFilter },
    { "FECGACFilter", 37, &PKMonitor_v110::GetFECGACFilter, &PKMonitor_v110::SetFECGACFilter },
    { "FSpO2RateVolume", 38, &PKMonitor_v110::GetFSpO2RateVolume, &PKMonitor_v110::SetFSpO2RateVolume },
    { "FHRAutoGainControl", 39, &PKMonitor_v110::GetFHRAutoGainControl, &PKMonitor_v110::SetFHRAutoGainControl },
    { "FHR1Volume", 40, &PKMonitor_v110::GetFHR1Volume, &PKMonitor_v110::SetFHR1Volume },
    { "FHR2Volume", 41, &PKMonitor_v110::GetFHR2Volume, &PKMonitor_v110::SetFHR2Volume },
    { "FHR2Offset", 42, &PKMonitor_v110::GetFHR2Offset, &PKMonitor_v110::SetFHR2Offset },
    { "UCOffset", 43, &PKMonitor_v110::GetUCOffset, &PKMonitor_v110::SetUCOffset },
    { "IUPOffset", 44, &PKMonitor_v110::GetIUPOffset, &PKMonitor_v110::SetIUPOffset },
    { "AutoZeroing", 45, &PKMonitor_v110::GetAutoZeroing, &PKMonitor_v110::SetAutoZeroing },
    { "FetalMovement", 46, &PKMonitor_v110::GetFetalMovement, &PKMonitor_v110::SetFetalMovement },
};

Bytes MonitorFrame() { return EmptyFrame(56, 0xB3); }

} // namespace

TEST(MonitorPacket, EachSettingIsItsOwnByte)
{
    for (const SettingRow& row : kSettings) {
        Bytes frame = MonitorFrame();
        Put(frame, row.offset, { 0xC5 });
        PKMonitor_v110 monitor;
        ASSERT_EQ(monitor.SetPacket(frame.data(), 56, 1), 1);
        EXPECT_EQ((monitor.*row.get)(), 0xC5) << row.name;

        // Over a patterned frame the setter changes its own byte and nothing else.
        PKMonitor_v110 built;
        built.Clear(0x11);
        (built.*row.set)(0xC5);
        Bytes expected(56, 0x11);
        expected.front() = 0xB3;
        expected.back() = 0xFF;
        Put(expected, row.offset, { 0xC5 });
        EXPECT_EQ(FrameOf(built), expected) << row.name;
    }
}

TEST(MonitorPacket, VersionBytesAndText)
{
    PKMonitor_v110 monitor;
    monitor.SetVersion(1, 10);
    Bytes expected = MonitorFrame();
    Put(expected, 2, { 1, 10 });
    EXPECT_EQ(FrameOf(monitor), expected);
    EXPECT_EQ(monitor.GetVersionToSting(), "1.10");
    BYTE main = 0, sub = 0;
    monitor.GetVersion(main, sub);
    EXPECT_EQ(main, 1);
    EXPECT_EQ(sub, 10);
}

TEST(MonitorPacket, UnitNameIsTwentyBytesFromByteFour)
{
    PKMonitor_v110 monitor;
    monitor.SetMonitorNumber(3);
    monitor.SetUnitName("ABCDEFGHIJKLMNOPQRSTU");
    Bytes expected = MonitorFrame();
    Put(expected, 4, { 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J',
                       'K', 'L', 'M', 'N', 'O', 'P', 'Q', 'R', 'S', 'T', 3 });
    EXPECT_EQ(FrameOf(monitor), expected);
    EXPECT_EQ(monitor.GetUnitName(), "ABCDEFGHIJKLMNOPQRST");

    monitor.SetUnitName("Bed 7");
    EXPECT_EQ(monitor.GetUnitName(), "Bed 7");
    EXPECT_EQ(monitor.GetMonitorNumber(), 3);
}
