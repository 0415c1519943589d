// Parameter packet: every field at its hand-built position, the fetal-movement bit rules,
// event flags, the all-no-data packet and the validity test per parameter data kind.
#include "nrdata/packet/PKParam_v110.h"
#include "support/FrameBytes.h"

#include <gtest/gtest.h>

using namespace nrdata_test;

namespace {

Bytes ParamFrame() { return EmptyFrame(108, 0xC1); }

struct ByteSamples
{
    const char* name;
    int offset;
    int kind;
    BYTE (PKParam_v110::*get)(int) const;
    void (PKParam_v110::*set)(int, BYTE);
};

const ByteSamples kByteSamples[] = {
    { "FHR1", 6, 11, &PKParam_v110::GetFHR1, &PKParam_v110::SetFHR1 },
    { "FHR2", 17, 12, &PKParam_v110::GetFHR2, &PKParam_v110::SetFHR2 },
    { "UC", 29, 6, &PKParam_v110::GetUC, &PKParam_v110::SetUC },
    { "SpO2", 46, 2, &PKParam_v110::GetSpO2, &PKParam_v110::SetSpO2 },
    { "FECG", 73, 8, &PKParam_v110::GetFECG, &PKParam_v110::SetFECG },
    { "FSpO2", 79, 9, &PKParam_v110::GetFSpO2, &PKParam_v110::SetFSpO2 },
    { "IUP", 96, 7, &PKParam_v110::GetIUP, &PKParam_v110::SetIUP },
};

struct WordSamples
{
    const char* name;
    int offset;
    int kind;
    int (PKParam_v110::*get)(int) const;
    void (PKParam_v110::*set)(int, int);
};

const WordSamples kWordSamples[] = {
    { "ECG", 35, 1, &PKParam_v110::GetECG, &PKParam_v110::SetECG },
    { "SpO2R", 51, 3, &PKParam_v110::GetSpO2R, &PKParam_v110::SetSpO2R },
    { "FSpO2R", 84, 10, &PKParam_v110::GetFSpO2R, &PKParam_v110::SetFSpO2R },
};

struct WholeByte
{
    const char* name;
    int offset;
    BYTE (PKParam_v110::*get)() const;
    void (PKParam_v110::*set)(BYTE);
};

const WholeByte kWholeBytes[] = {
    { "FHR1Alarm", 5, &PKParam_v110::GetFHR1Alarm, &PKParam_v110::SetFHR1Alarm },
    { "FHR2Alarm", 16, &PKParam_v110::GetFHR2Alarm, &PKParam_v110::SetFHR2Alarm },
    { "UCAlarm", 27, &PKParam_v110::GetUCAlarm, &PKParam_v110::SetUCAlarm },
    { "UCZeroing", 28, &PKParam_v110::GetUCZeroing, &PKParam_v110::SetUCZeroing },
    { "ECGAlarm", 34, &PKParam_v110::GetECGAlarm, &PKParam_v110::SetECGAlarm },
    { "SpO2Alarm", 45, &PKParam_v110::GetSpO2Alarm, &PKParam_v110::SetSpO2Alarm },
    { "NIBPAlarm", 61, &PKParam_v110::GetNIBPAlarm, &PKParam_v110::SetNIBPAlarm },
    { "NIBPStatus", 68, &PKParam_v110::GetNIBPStatus, &PKParam_v110::SetNIBPStatus },
    { "TempAlarm", 69, &PKParam_v110::GetTempAlarm, &PKParam_v110::SetTempAlarm },
    { "FECGAlarm", 72, &PKParam_v110::GetFECGAlarm, &PKParam_v110::SetFECGAlarm },
    { "FSpO2Alarm", 78, &PKParam_v110::GetFSpO2Alarm, &PKParam_v110::SetFSpO2Alarm },
    { "IUPAlarm", 94, &PKParam_v110::GetIUPAlarm, &PKParam_v110::SetIUPAlarm },
    { "IUPZeroing", 95, &PKParam_v110::GetIUPZeroing, &PKParam_v110::SetIUPZeroing },
};

struct Pressure
{
    const char* name;
    int offset;
    int (PKParam_v110::*get)() const;
    void (PKParam_v110::*set)(int);
};

const Pressure kPressures[] = {
    { "Sys", 62, &PKParam_v110::GetNIBPSys, &PKParam_v110::SetNIBPSys },
    { "Mean", 64, &PKParam_v110::GetNIBPMean, &PKParam_v110::SetNIBPMean },
    { "Dia", 66, &PKParam_v110::GetNIBPDia, &PKParam_v110::SetNIBPDia },
};

PKParam_v110 Loaded(const Bytes& frame)
{
    PKParam_v110 param;
    EXPECT_EQ(param.SetPacket(frame.data(), 108, 1), 1);
    return param;
}

} // namespace

TEST(ParamPacket, TimeStampIsLittleEndianInBytesOneToFour)
{
    Bytes frame = ParamFrame();
    Put(frame, 1, { 0x78, 0x56, 0x34, 0x12 });
    EXPECT_EQ(Loaded(frame).GetTimeStamp(), 0x12345678u);
    PKParam_v110 built;
    built.SetTimeStamp(0x12345678u);
    EXPECT_EQ(FrameOf(built), frame);
}

TEST(ParamPacket, ByteSamplesSitFiveInARow)
{
    for (const ByteSamples& row : kByteSamples) {
        Bytes frame = ParamFrame();
        Put(frame, row.offset, { 10, 20, 30, 40, 254 });
        PKParam_v110 param = Loaded(frame);
        PKParam_v110 built;
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ((param.*row.get)(i), frame[row.offset + i]) << row.name << i;
            (built.*row.set)(i, frame[row.offset + i]);
        }
        EXPECT_EQ(FrameOf(built), frame) << row.name;
    }
}

TEST(ParamPacket, TwoByteSamplesAreLittleEndian)
{
    for (const WordSamples& row : kWordSamples) {
        Bytes frame = ParamFrame();
        Put(frame, row.offset, { 0x78, 0x00, 0x2C, 0x01, 0xFE, 0xFF, 0x00, 0x00, 0x01, 0x02 });
        const int values[] = { 120, 300, 65534, 0, 0x0201 };
        PKParam_v110 param = Loaded(frame);
        PKParam_v110 built;
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ((param.*row.get)(i), values[i]) << row.name << i;
            (built.*row.set)(i, values[i]);
        }
        EXPECT_EQ(FrameOf(built), frame) << row.name;
    }
}

TEST(ParamPacket, WholeBytesAndPressures)
{
    for (const WholeByte& row : kWholeBytes) {
        Bytes frame = ParamFrame();
        Put(frame, row.offset, { 0x9C });
        EXPECT_EQ((Loaded(frame).*row.get)(), 0x9C) << row.name;
        PKParam_v110 built;
        (built.*row.set)(0x9C);
        EXPECT_EQ(FrameOf(built), frame) << row.name;
    }
    for (const Pressure& row : kPressures) {
        Bytes frame = ParamFrame();
        Put(frame, row.offset, { 0x2C, 0x01 });
        EXPECT_EQ((Loaded(frame).*row.get)(), 300) << row.name;
        PKParam_v110 built;
        (built.*row.set)(300);
        EXPECT_EQ(FrameOf(built), frame) << row.name;
    }
}

TEST(ParamPacket, IndexOutsideFiveSamplesReadsZeroAndWritesNothing)
{
    PKParam_v110 param;
    param.Clear(0x44);
    const Bytes before = FrameOf(param);
    for (int i : { -1, 5, 100 }) {
        for (const ByteSamples& row : kByteSamples) {
            (param.*row.set)(i, 100);
            EXPECT_EQ((param.*row.get)(i), 0) << row.name << i;
        }
        for (const WordSamples& row : kWordSamples) {
            (param.*row.set)(i, 100);
            EXPECT_EQ((param.*row.get)(i), 0) << row.name << i;
        }
        param.SetFM1(i, 3);
        param.SetFMD2(i, 1);
        EXPECT_EQ(param.GetFM1(i), 0);
        EXPECT_EQ(param.GetFMD2(i), 0);
    }
    EXPECT_EQ(FrameOf(param), before);
}

TEST(ParamPacket, FetalMovementCountAndDetectionShareAByte)
{
    Bytes frame = ParamFrame();
    Put(frame, 11, { 0x00, 0x7F, 0x80, 0xC8, 0x05 });
    Put(frame, 22, { 0xFF, 0x01, 0x00, 0x00, 0x85 });
    PKParam_v110 param = Loaded(frame);
    EXPECT_EQ(param.GetFM1(1), 127);
    EXPECT_EQ(param.GetFMD1(1), 0);
    EXPECT_EQ(param.GetFM1(3), 72);
    EXPECT_EQ(param.GetFMD1(3), 128);
    EXPECT_EQ(param.GetFM2(0), 127);
    EXPECT_EQ(param.GetFMD2(0), 128);
    EXPECT_EQ(param.GetFM2(4), 5);
    EXPECT_EQ(param.GetFMD2(4), 128);

    PKParam_v110 built;
    built.GetPacket()[13] = 0x80;
    built.SetFM1(2, 200);
    EXPECT_EQ(built.GetPacket()[13], 0xC8) << "count 72, the detection flag kept";
    built.SetFMD1(2, 2);
    EXPECT_EQ(built.GetPacket()[13], 0x48) << "only 1 sets the flag";
    built.SetFMD1(2, 1);
    EXPECT_EQ(built.GetPacket()[13], 0xC8);
    built.SetFM2(4, 5);
    built.SetFMD2(4, 1);
    EXPECT_EQ(built.GetPacket()[26], 0x85);
}

TEST(ParamPacket, TemperatureIsTenthsOfADegree)
{
    struct Case
    {
        float typed;
        BYTE low, high;
        float reads;
    };
    const Case cases[] = {
        { 37.3f, 0x75, 0x01, 37.3f },  // 373, not 372
        { 37.25f, 0x75, 0x01, 37.3f }, // to the nearest tenth
        { 45.0f, 0xC2, 0x01, 45.0f },
        { -2.0f, 0x00, 0x00, 0.0f },
        { 9999.0f, 0xFF, 0xFF, 6553.5f },
    };
    for (const Case& c : cases) {
        PKParam_v110 param;
        param.SetTemp(c.typed);
        Bytes expected = ParamFrame();
        Put(expected, 70, { c.low, c.high });
        EXPECT_EQ(FrameOf(param), expected) << c.typed;
        EXPECT_FLOAT_EQ(param.GetTemp(), c.reads);
    }
}

TEST(ParamPacket, EventFlagsAreBitsOfByte101)
{
    PKParam_v110 param;
    param.GetPacket()[101] = 0xF0;
    param.SetMarker(5);
    EXPECT_EQ(param.GetPacket()[101], 0xF1);
    param.SetStimulator(1);
    EXPECT_EQ(param.GetPacket()[101], 0xF3);
    EXPECT_EQ(param.GetMarker(), 1);
    EXPECT_EQ(param.GetStimulator(), 1);
    param.SetMarker(0);
    EXPECT_EQ(param.GetPacket()[101], 0xF2);
    EXPECT_EQ(param.GetMarker(), 0);
}

TEST(ParamPacket, NullDataIsNoDataEverywhere)
{
    PKParam_v110 param;
    param.SetKey(0x10);
    param.SetNullData();
    Bytes expected(108, 0xFF);
    expected.front() = 0xC1;
    expected.back() = 0x10;
    for (int i = 11; i <= 15; ++i)
        expected[i] = 0x7F;
    for (int i = 22; i <= 26; ++i)
        expected[i] = 0x7F;
    expected[101] = 0xFC;
    EXPECT_EQ(FrameOf(param), expected);
    EXPECT_EQ(param.IsValid(), 1);
    EXPECT_EQ(param.GetTimeStamp(), 0xFFFFFFFFu);
    EXPECT_FLOAT_EQ(param.GetTemp(), 6553.5f);
    for (int kind = 1; kind <= 19; ++kind)
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(param.IsValidData(kind, i), 0) << kind << "/" << i;
}

TEST(ParamPacket, SampleKindsAreValidBelowTheirNoDataValue)
{
    for (const ByteSamples& row : kByteSamples) {
        PKParam_v110 param;
        param.SetNullData();
        (param.*row.set)(2, 254);
        EXPECT_EQ(param.IsValidData(row.kind, 2), 1) << row.name;
        EXPECT_EQ(param.IsValidData(row.kind, 1), 0) << row.name;
    }
    for (const WordSamples& row : kWordSamples) {
        PKParam_v110 param;
        param.SetNullData();
        (param.*row.set)(4, 0xFFFE);
        EXPECT_EQ(param.IsValidData(row.kind, 4), 1) << row.name;
        EXPECT_EQ(param.IsValidData(row.kind, 3), 0) << row.name;
    }
    PKParam_v110 param;
    param.SetNullData();
    param.SetFM1(0, 126);
    param.SetFM2(1, 0);
    EXPECT_EQ(param.IsValidData(13, 0), 1);
    EXPECT_EQ(param.IsValidData(14, 1), 1);
    EXPECT_EQ(param.IsValidData(14, 0), 0);
    param.SetFMD1(2, 1);
    EXPECT_EQ(param.IsValidData(13, 2), 0) << "the detection flag is not a count";
    EXPECT_EQ(param.IsValidData(15, 2), 0);
    EXPECT_EQ(param.IsValidData(16, 0), 0);
}

TEST(ParamPacket, SampleOutsideFiveIsNeverValid)
{
    PKParam_v110 param; // all zero: every sample kind would read as a measurement
    for (int kind : { 1, 2, 3, 6, 7, 8, 9, 10, 11, 12, 13, 14 }) {
        EXPECT_EQ(param.IsValidData(kind, 0), 1) << kind;
        EXPECT_EQ(param.IsValidData(kind, 5), 0) << kind;
        EXPECT_EQ(param.IsValidData(kind, -1), 0) << kind;
    }
}

TEST(ParamPacket, TemperatureValidUpToFortyFiveDegrees)
{
    PKParam_v110 param;
    param.SetTemp(45.0f);
    EXPECT_EQ(param.IsValidData(4, 0), 1);
    EXPECT_EQ(param.IsValidData(4, 3), 1) << "the index does not matter for one value";
    param.SetTemp(45.1f);
    EXPECT_EQ(param.IsValidData(4, 0), 0);
}

TEST(ParamPacket, NIBPCountsOnlyWhenMeasuredAndOnlyAtIndexZero)
{
    PKParam_v110 param;
    param.SetNIBPSys(120);
    param.SetNIBPMean(90);
    param.SetNIBPDia(80);
    param.SetNIBPStatus(3);
    EXPECT_EQ(param.IsValidData(5, 0), 0);
    param.SetNIBPStatus(4);
    EXPECT_EQ(param.IsValidData(5, 0), 1);
    EXPECT_EQ(param.IsValidData(5, 1), 0);
    for (const Pressure& row : kPressures) {
        PKParam_v110 missing(param);
        (missing.*row.set)(0xFFFF);
        EXPECT_EQ(missing.IsValidData(5, 0), 0) << row.name;
    }
}

TEST(ParamPacket, EventKindsAtIndexZero)
{
    PKParam_v110 param;
    EXPECT_EQ(param.IsValidData(17, 0), 0);
    param.SetMarker(1);
    EXPECT_EQ(param.IsValidData(17, 0), 1);
    EXPECT_EQ(param.IsValidData(17, 1), 0);
    EXPECT_EQ(param.IsValidData(18, 0), 0);
    param.SetStimulator(1);
    EXPECT_EQ(param.IsValidData(18, 0), 1);
    EXPECT_EQ(param.IsValidData(18, 2), 0);

    struct Case
    {
        BYTE uc, iup;
        int valid;
    };
    const Case zeroing[] = { { 0, 0, 0 }, { 1, 0, 1 }, { 5, 0, 1 }, { 6, 0, 0 }, { 6, 3, 1 }, { 0xFF, 0xFF, 0 } };
    for (const Case& c : zeroing) {
        param.SetUCZeroing(c.uc);
        param.SetIUPZeroing(c.iup);
        EXPECT_EQ(param.IsValidData(19, 0), c.valid) << int(c.uc) << "/" << int(c.iup);
        EXPECT_EQ(param.IsValidData(19, 1), 0);
    }
    EXPECT_EQ(param.IsValidData(0, 0), 0);
    EXPECT_EQ(param.IsValidData(20, 0), 0);
}
