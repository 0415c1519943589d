// Wave packet: signed little-endian ECG and FECG samples, byte SpO2 samples, the no-data test
// per wave data kind, and index checks (out of range reads no data, writes nothing).
#include "nrdata/packet/PKWave_v110.h"
#include "support/FrameBytes.h"

#include <gtest/gtest.h>

using namespace nrdata_test;

namespace {
Bytes WaveFrame() { return EmptyFrame(56, 0xC0); }
} // namespace

TEST(WavePacket, ReadsSamplesOfHandBuiltFrame)
{
    Bytes frame = WaveFrame();
    Put(frame, 1, { 0xFF, 0xFF });   // ECG 0 = -1
    Put(frame, 23, { 0x00, 0x80 });  // ECG 11 = -32768
    Put(frame, 25, { 10, 20, 255 }); // SpO2 0..2
    Put(frame, 28, { 0x34, 0x12 });  // FECG 0 = 0x1234
    Put(frame, 50, { 0xFE, 0x7F });  // FECG 11 = 32766
    Put(frame, 52, { 255, 99, 1 });  // FSpO2 0..2
    PKWave_v110 wave;
    ASSERT_EQ(wave.SetPacket(frame.data(), 56, 1), 1);
    EXPECT_EQ(wave.GetECG(0), -1);
    EXPECT_EQ(wave.GetECG(11), -32768);
    EXPECT_EQ(wave.GetECG(5), 0);
    EXPECT_EQ(wave.GetSpO2(0), 10);
    EXPECT_EQ(wave.GetSpO2(2), 255);
    EXPECT_EQ(wave.GetFECG(0), 0x1234);
    EXPECT_EQ(wave.GetFECG(11), 32766);
    EXPECT_EQ(wave.GetFSpO2(0), 255);
    EXPECT_EQ(wave.GetFSpO2(1), 99);

    EXPECT_EQ(wave.IsValidData(1, 0), 1);
    EXPECT_EQ(wave.IsValidData(1, 11), 0);
    EXPECT_EQ(wave.IsValidData(2, 1), 1);
    EXPECT_EQ(wave.IsValidData(2, 2), 0);
    EXPECT_EQ(wave.IsValidData(3, 11), 1);
    EXPECT_EQ(wave.IsValidData(4, 0), 0);
    EXPECT_EQ(wave.IsValidData(4, 2), 1);
    EXPECT_EQ(wave.IsValidData(0, 0), 0);
    EXPECT_EQ(wave.IsValidData(5, 0), 0);
}

TEST(WavePacket, SettersWriteTheSameFrame)
{
    PKWave_v110 wave;
    wave.SetECG(0, -1);
    wave.SetECG(11, -32768);
    wave.SetSpO2(0, 10);
    wave.SetSpO2(1, 20);
    wave.SetSpO2(2, 300); // low byte: 44
    wave.SetFECG(0, 0x1234);
    wave.SetFECG(11, 32766);
    wave.SetFSpO2(0, 255);
    wave.SetFSpO2(1, 99);
    wave.SetFSpO2(2, 1);
    Bytes frame = WaveFrame();
    Put(frame, 1, { 0xFF, 0xFF });
    Put(frame, 23, { 0x00, 0x80 });
    Put(frame, 25, { 10, 20, 44 });
    Put(frame, 28, { 0x34, 0x12 });
    Put(frame, 50, { 0xFE, 0x7F });
    Put(frame, 52, { 255, 99, 1 });
    EXPECT_EQ(FrameOf(wave), frame);
}

TEST(WavePacket, IndexOutsideTheChannelReadsNoDataAndWritesNothing)
{
    PKWave_v110 wave;
    wave.Clear(0x00);
    const Bytes before = FrameOf(wave);
    for (int i : { -1, 12, 1000 }) {
        wave.SetECG(i, 7);
        wave.SetFECG(i, 7);
        EXPECT_EQ(wave.GetECG(i), -32768) << i;
        EXPECT_EQ(wave.GetFECG(i), -32768) << i;
        EXPECT_EQ(wave.IsValidData(1, i), 0) << i;
        EXPECT_EQ(wave.IsValidData(3, i), 0) << i;
    }
    for (int i : { -1, 3, 12 }) {
        wave.SetSpO2(i, 7);
        wave.SetFSpO2(i, 7);
        EXPECT_EQ(wave.GetSpO2(i), 255) << i;
        EXPECT_EQ(wave.GetFSpO2(i), 255) << i;
        EXPECT_EQ(wave.IsValidData(2, i), 0) << i;
        EXPECT_EQ(wave.IsValidData(4, i), 0) << i;
    }
    EXPECT_EQ(FrameOf(wave), before);
}
