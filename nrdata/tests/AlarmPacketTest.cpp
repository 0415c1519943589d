// Alarm settings packet: the switch and level nibbles, the limits of every quantity at their
// hand-built positions, limits held to their field's range and temperature limits in tenths.
#include "nrdata/packet/PKAlarm_v110.h"
#include "support/FrameBytes.h"

#include <gtest/gtest.h>

#include <functional>

using namespace nrdata_test;

namespace {

struct NibbleRow
{
    const char* name;
    int offset;
    BYTE (PKAlarm_v110::*getEnable)() const;
    void (PKAlarm_v110::*setEnable)(BYTE);
    BYTE (PKAlarm_v110::*getLevel)() const;
    void (PKAlarm_v110::*setLevel)(BYTE);
};

const NibbleRow kNibbleRows[] = {
    { "FHR1", 1, &PKAlarm_v110::GetFHR1AlarmEnable, &PKAlarm_v110::SetFHR1AlarmEnable, &PKAlarm_v110::GetFHR1Level, &PKAlarm_v110::SetFHR1Level },
    { "FHR2", 4, &PKAlarm_v110::GetFHR2AlarmEnable, &PKAlarm_v110::SetFHR2AlarmEnable, &PKAlarm_v110::GetFHR2Level, &PKAlarm_v110::SetFHR2Level },
    { "UC", 7, &PKAlarm_v110::GetUCAlarmEnable, &PKAlarm_v110::SetUCAlarmEnable, &PKAlarm_v110::GetUCLevel, &PKAlarm_v110::SetUCLevel },
    { "ECG", 12, &PKAlarm_v110::GetECGAlarmEnable, &PKAlarm_v110::SetECGAlarmEnable, &PKAlarm_v110::GetECGLevel, &PKAlarm_v110::SetECGLevel },
    { "SpO2", 17, &PKAlarm_v110::GetSpO2AlarmEnable, &PKAlarm_v110::SetSpO2AlarmEnable, &PKAlarm_v110::GetSpO2Level, &PKAlarm_v110::SetSpO2Level },
    { "NIBP", 25, &PKAlarm_v110::GetNIBPAlarmEnable, &PKAlarm_v110::SetNIBPAlarmEnable, &PKAlarm_v110::GetNIBPLevel, &PKAlarm_v110::SetNIBPLevel },
    { "Temp", 31, &PKAlarm_v110::GetTempAlarmEnable, &PKAlarm_v110::SetTempAlarmEnable, &PKAlarm_v110::GetTempLevel, &PKAlarm_v110::SetTempLevel },
    { "FECG", 36, &PKAlarm_v110::GetFECGAlarmEnable, &PKAlarm_v110::SetFECGAlarmEnable, &PKAlarm_v110::GetFECGLevel, &PKAlarm_v110::SetFECGLevel },
    { "FSpO2", 39, &PKAlarm_v110::GetFSpO2AlarmEnable, &PKAlarm_v110::SetFSpO2AlarmEnable, &PKAlarm_v110::GetFSpO2Level, &PKAlarm_v110::SetFSpO2Level },
    { "IUP", 45, &PKAlarm_v110::GetIUPAlarmEnable, &PKAlarm_v110::SetIUPAlarmEnable, &PKAlarm_v110::GetIUPLevel, &PKAlarm_v110::SetIUPLevel },
};

struct LimitRow
{
    const char* name;
    int lower; // offset of the lower limit; the upper one follows it
    int width;
    void (PKAlarm_v110::*get)(int&, int&) const;
    void (PKAlarm_v110::*set)(int, int);
};

const LimitRow kLimitRows[] = {
    { "FHR1", 2, 1, &PKAlarm_v110::GetFHR1Limit, &PKAlarm_v110::SetFHR1Limit },
    { "FHR2", 5, 1, &PKAlarm_v110::GetFHR2Limit, &PKAlarm_v110::SetFHR2Limit },
    { "UC", 8, 1, &PKAlarm_v110::GetUCLimit, &PKAlarm_v110::SetUCLimit },
    { "UCFreq", 10, 1, &PKAlarm_v110::GetUCFreqLimit, &PKAlarm_v110::SetUCFreqLimit },
    { "ECG", 13, 2, &PKAlarm_v110::GetECGLimit, &PKAlarm_v110::SetECGLimit },
    { "SpO2", 18, 1, &PKAlarm_v110::GetSpO2Limit, &PKAlarm_v110::SetSpO2Limit },
    { "SpO2R", 21, 2, &PKAlarm_v110::GetSpO2RLimit, &PKAlarm_v110::SetSpO2RLimit },
    { "NIBP", 27, 2, &PKAlarm_v110::GetNIBPLimit, &PKAlarm_v110::SetNIBPLimit },
    { "FECG", 37, 1, &PKAlarm_v110::GetFECGLimit, &PKAlarm_v110::SetFECGLimit },
    { "FSpO2", 40, 1, &PKAlarm_v110::GetFSpO2Limit, &PKAlarm_v110::SetFSpO2Limit },
    { "FSpO2R", 43, 1, &PKAlarm_v110::GetFSpO2RLimit, &PKAlarm_v110::SetFSpO2RLimit },
    { "IUP", 46, 1, &PKAlarm_v110::GetIUPLimit, &PKAlarm_v110::SetIUPLimit },
    { "IUPFreq", 48, 1, &PKAlarm_v110::GetIUPFreqLimit, &PKAlarm_v110::SetIUPFreqLimit },
};

struct ByteRow
{
    const char* name;
    int offset;
    BYTE (PKAlarm_v110::*get)() const;
    void (PKAlarm_v110::*set)(BYTE);
};

const ByteRow kByteRows[] = {
    { "SpO2RLevel", 20, &PKAlarm_v110::GetSpO2RLevel, &PKAlarm_v110::SetSpO2RLevel },
    { "NIBPSource", 26, &PKAlarm_v110::GetNIBPSource, &PKAlarm_v110::SetNIBPSource },
    { "FSpO2RLevel", 42, &PKAlarm_v110::GetFSpO2RLevel, &PKAlarm_v110::SetFSpO2RLevel },
};

Bytes AlarmFrame() { return EmptyFrame(60, 0xB2); }

} // namespace

TEST(AlarmPacket, SwitchIsHighNibbleAndLevelLowNibbleOfEachAlarmByte)
{
    for (const NibbleRow& row : kNibbleRows) {
        Bytes frame = AlarmFrame();
        Put(frame, row.offset, { 0x12 });
        PKAlarm_v110 alarm;
        ASSERT_EQ(alarm.SetPacket(frame.data(), 60, 1), 1);
        EXPECT_EQ((alarm.*row.getEnable)(), 1) << row.name;
        EXPECT_EQ((alarm.*row.getLevel)(), 2) << row.name;

        PKAlarm_v110 built;
        built.GetPacket()[row.offset] = 0x02;
        (built.*row.setEnable)(1);
        EXPECT_EQ(built.GetPacket()[row.offset], 0x12) << row.name << ": the level stays";
        (built.*row.setLevel)(0x13);
        EXPECT_EQ(built.GetPacket()[row.offset], 0x13) << row.name << ": only four bits count";
        (built.*row.setEnable)(0);
        EXPECT_EQ(built.GetPacket()[row.offset], 0x03) << row.name;
        Bytes expected = AlarmFrame();
        Put(expected, row.offset, { 0x03 });
        EXPECT_EQ(FrameOf(built), expected) << row.name << ": no other byte changes";
    }
}

TEST(AlarmPacket, LimitsSitLowerFirstAtTheirPositions)
{
    for (const LimitRow& row : kLimitRows) {
        Bytes frame = AlarmFrame();
        if (row.width == 1)
            Put(frame, row.lower, { 110, 160 });
        else
            Put(frame, row.lower, { 0x28, 0x00, 0x2C, 0x01 });
        PKAlarm_v110 alarm;
        ASSERT_EQ(alarm.SetPacket(frame.data(), 60, 1), 1);
        int lower = -1, upper = -1;
        (alarm.*row.get)(lower, upper);
        EXPECT_EQ(lower, row.width == 1 ? 110 : 40) << row.name;
        EXPECT_EQ(upper, row.width == 1 ? 160 : 300) << row.name;

        PKAlarm_v110 built;
        (built.*row.set)(lower, upper);
        EXPECT_EQ(FrameOf(built), frame) << row.name;
    }
}

TEST(AlarmPacket, LimitsAreHeldToTheFieldRangeInsteadOfWrapping)
{
    for (const LimitRow& row : kLimitRows) {
        const int top = row.width == 1 ? 255 : 65535;
        PKAlarm_v110 alarm;
        (alarm.*row.set)(-5, top + 45);
        int lower = -1, upper = -1;
        (alarm.*row.get)(lower, upper);
        EXPECT_EQ(lower, 0) << row.name;
        EXPECT_EQ(upper, top) << row.name;
    }
    PKAlarm_v110 alarm;
    alarm.SetFHR1Limit(110, 300);
    EXPECT_EQ(alarm.GetPacket()[2], 110);
    EXPECT_EQ(alarm.GetPacket()[3], 255);
}

TEST(AlarmPacket, WholeLevelAndSourceBytes)
{
    for (const ByteRow& row : kByteRows) {
        Bytes frame = AlarmFrame();
        Put(frame, row.offset, { 0xA7 });
        PKAlarm_v110 alarm;
        ASSERT_EQ(alarm.SetPacket(frame.data(), 60, 1), 1);
        EXPECT_EQ((alarm.*row.get)(), 0xA7) << row.name;
        PKAlarm_v110 built;
        (built.*row.set)(0xA7);
        EXPECT_EQ(FrameOf(built), frame) << row.name;
    }
}

TEST(AlarmPacket, TemperatureLimitsAreTenthsOfADegree)
{
    struct Case
    {
        float lower, upper;
        Bytes bytes; // 32-35
        float readLower, readUpper;
    };
    const Case cases[] = {
        { 36.5f, 39.0f, { 0x6D, 0x01, 0x86, 0x01 }, 36.5f, 39.0f },
        { 37.3f, 38.1f, { 0x75, 0x01, 0x7D, 0x01 }, 37.3f, 38.1f }, // 373 and 381, not 372 and 380
        { -1.0f, 7000.0f, { 0x00, 0x00, 0xFF, 0xFF }, 0.0f, 6553.5f },
    };
    for (const Case& c : cases) {
        PKAlarm_v110 alarm;
        alarm.SetTempLimit(c.lower, c.upper);
        Bytes expected = AlarmFrame();
        Put(expected, 32, { c.bytes[0], c.bytes[1], c.bytes[2], c.bytes[3] });
        EXPECT_EQ(FrameOf(alarm), expected) << c.lower;
        float lower = 0, upper = 0;
        alarm.GetTempLimit(lower, upper);
        EXPECT_FLOAT_EQ(lower, c.readLower);
        EXPECT_FLOAT_EQ(upper, c.readUpper);
    }
}
