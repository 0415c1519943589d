// The frame rules every packet kind shares: a new packet's bytes, clearing, loading received
// bytes (size and key checks, key adoption), keys and copies that own their bytes.
#include "nrdata/packet/PKAlarm_v110.h"
#include "nrdata/packet/PKControl.h"
#include "nrdata/packet/PKMonitor_v110.h"
#include "nrdata/packet/PKParam_v110.h"
#include "nrdata/packet/PKPatient_v110.h"
#include "nrdata/packet/PKProtocolVer.h"
#include "nrdata/packet/PKWave_v110.h"
#include "support/FrameBytes.h"

#include <gtest/gtest.h>

using namespace nrdata_test;

template <class Packet, int Size, BYTE Type>
struct Kind
{
    using PacketType = Packet;
    static constexpr int kSize = Size;
    static constexpr BYTE kType = Type;
};

// Sizes and headers written out here, not taken from the classes.
using AllKinds = ::testing::Types<Kind<PKControl, 4, 0xA0>, Kind<PKProtocolVer, 4, 0xB0>,
                                  Kind<PKPatient_v110, 80, 0xB1>, Kind<PKAlarm_v110, 60, 0xB2>,
                                  Kind<PKMonitor_v110, 56, 0xB3>, Kind<PKWave_v110, 56, 0xC0>,
                                  Kind<PKParam_v110, 108, 0xC1>>;

template <class K>
class PacketFrame : public ::testing::Test
{
protected:
    using Packet = typename K::PacketType;
    static Bytes Frame(BYTE key) { return EmptyFrame(K::kSize, K::kType, key); }
    // A frame whose payload bytes count up, so that any misplaced byte shows.
    static Bytes Pattern(BYTE key)
    {
        Bytes frame = Frame(key);
        for (int i = 1; i < K::kSize - 1; ++i)
            frame[i] = static_cast<BYTE>(i * 7 + 3);
        return frame;
    }
};
TYPED_TEST_SUITE(PacketFrame, AllKinds);

TYPED_TEST(PacketFrame, NewPacketIsZeroedWithHeaderAndDefaultKeyAndNotValid)
{
    typename TestFixture::Packet packet;
    EXPECT_EQ(packet.GetPacketSize(), TypeParam::kSize);
    EXPECT_EQ(packet.GetTypeHeader(), TypeParam::kType);
    EXPECT_EQ(FrameOf(packet), this->Frame(0xFF));
    EXPECT_EQ(packet.GetKey(), 0xFF);
    EXPECT_EQ(packet.IsValid(), 0);
}

TYPED_TEST(PacketFrame, ClearWithFillFillsPayloadKeepsHeaderAndKeyAndIsValid)
{
    typename TestFixture::Packet packet;
    packet.SetKey(0x21);
    packet.Clear(0xFF);
    Bytes expected(TypeParam::kSize, 0xFF);
    expected.front() = TypeParam::kType;
    expected.back() = 0x21;
    EXPECT_EQ(FrameOf(packet), expected);
    EXPECT_EQ(packet.IsValid(), 1);

    packet.Clear();
    EXPECT_EQ(FrameOf(packet), this->Frame(0x21));
    EXPECT_EQ(packet.IsValid(), 0);
}

TYPED_TEST(PacketFrame, LoadsFrameOfRightSizeAndKey)
{
    typename TestFixture::Packet packet;
    const Bytes frame = this->Pattern(0xFF);
    ASSERT_EQ(packet.SetPacket(frame.data(), TypeParam::kSize, 1), 1);
    EXPECT_EQ(FrameOf(packet), frame);
    EXPECT_EQ(packet.IsValid(), 1);
}

TYPED_TEST(PacketFrame, RefusesWrongLengthAndChangesNothing)
{
    typename TestFixture::Packet packet;
    packet.SetKey(0x11);
    Bytes longer = this->Pattern(0x11);
    longer.push_back(0x11);
    for (int len : { TypeParam::kSize - 1, TypeParam::kSize + 1 }) {
        EXPECT_EQ(packet.SetPacket(longer.data(), len, 1), 0) << len;
        EXPECT_EQ(packet.SetPacket(longer.data(), len, 0), 0) << len;
        EXPECT_EQ(FrameOf(packet), this->Frame(0x11));
        EXPECT_EQ(packet.GetKey(), 0x11);
        EXPECT_EQ(packet.IsValid(), 0);
    }
    EXPECT_EQ(packet.SetPacket(nullptr, TypeParam::kSize, 0), 0);
}

TYPED_TEST(PacketFrame, AdoptsKeyWithoutCheckThenRefusesOtherKey)
{
    typename TestFixture::Packet packet;
    const Bytes keyed = this->Pattern(0x37);
    ASSERT_EQ(packet.SetPacket(keyed.data(), TypeParam::kSize, 0), 1);
    EXPECT_EQ(packet.GetKey(), 0x37);
    EXPECT_EQ(packet.IsValid(), 1);

    const Bytes other = this->Frame(0xFF);
    EXPECT_EQ(packet.SetPacket(other.data(), TypeParam::kSize, 1), 0);
    EXPECT_EQ(packet.IsValid(), 0);
    EXPECT_EQ(FrameOf(packet), keyed) << "a refused frame leaves the bytes";
    EXPECT_EQ(packet.GetKey(), 0x37);
}

TYPED_TEST(PacketFrame, SetKeyWritesLastByteAndKeepsValidity)
{
    typename TestFixture::Packet packet;
    const Bytes frame = this->Pattern(0xFF);
    packet.SetPacket(frame.data(), TypeParam::kSize, 1);
    packet.SetKey(5);
    EXPECT_EQ(packet.GetPacket()[TypeParam::kSize - 1], 5);
    EXPECT_EQ(packet.GetKey(), 5);
    EXPECT_EQ(packet.GetCheckSum(), 5);
    EXPECT_EQ(packet.MakeCheckSum(), 5);
    EXPECT_EQ(packet.IsValid(), 1);
}

TYPED_TEST(PacketFrame, ResetCheckSumWritesKeyAndMakesValid)
{
    typename TestFixture::Packet packet;
    packet.SetKey(9);
    packet.GetPacket()[TypeParam::kSize - 1] = 0x55;
    EXPECT_EQ(packet.IsValid(), 0);
    packet.ResetCheckSum();
    EXPECT_EQ(packet.GetPacket()[TypeParam::kSize - 1], 9);
    EXPECT_EQ(packet.IsValid(), 1);
}

TYPED_TEST(PacketFrame, ValidityFollowsTheLastByte)
{
    typename TestFixture::Packet packet;
    const Bytes frame = this->Pattern(0xFF);
    packet.SetPacket(frame.data(), TypeParam::kSize, 1);
    packet.GetPacket()[TypeParam::kSize - 1] = 0x00;
    EXPECT_EQ(packet.IsValid(), 0);
}

TYPED_TEST(PacketFrame, CopiesOwnTheirBytesAndKey)
{
    using Packet = typename TestFixture::Packet;
    Packet source;
    const Bytes frame = this->Pattern(0x42);
    source.SetPacket(frame.data(), TypeParam::kSize, 0);

    Packet constructed(source);
    EXPECT_EQ(FrameOf(constructed), frame);
    EXPECT_EQ(constructed.GetKey(), 0x42);
    EXPECT_EQ(constructed.IsValid(), 1);
    EXPECT_NE(constructed.GetPacket(), source.GetPacket());

    Packet assigned;
    assigned = source;
    EXPECT_EQ(FrameOf(assigned), frame);
    EXPECT_EQ(assigned.GetKey(), 0x42);
    EXPECT_EQ(assigned.IsValid(), 0) << "assignment leaves the target's valid flag";

    constructed.GetPacket()[1] ^= 0xFF;
    assigned.GetPacket()[1] ^= 0xFF;
    constructed.SetKey(1);
    EXPECT_EQ(FrameOf(source), frame) << "changing a copy leaves the source";
    EXPECT_EQ(source.GetKey(), 0x42);

    Packet copied;
    EXPECT_EQ(copied.CopyPacket(&source), TypeParam::kSize);
    EXPECT_EQ(FrameOf(copied), frame);
}

TEST(PacketCopy, RefusesPacketOfAnotherSize)
{
    PKParam_v110 large;
    large.Clear(0x33);
    PKControl small;
    small.SetKey(3);
    EXPECT_EQ(small.CopyPacket(&large), 0);
    EXPECT_EQ(FrameOf(small), EmptyFrame(4, 0xA0, 3));
    EXPECT_EQ(large.CopyPacket(&small), 0);
    EXPECT_EQ(large.GetPacket()[50], 0x33);
    EXPECT_EQ(small.CopyPacket(nullptr), 0);
}

TEST(PacketCopy, CopiesBetweenKindsOfOneSizeLikeTheFrameRuleSays)
{
    // Wave and monitor packets are both 56 bytes: the copy takes the bytes as they are.
    PKWave_v110 wave;
    wave.SetECG(0, 0x1234);
    PKMonitor_v110 monitor;
    EXPECT_EQ(monitor.CopyPacket(&wave), 56);
    EXPECT_EQ(monitor.GetPacket()[1], 0x34);
    EXPECT_EQ(monitor.GetTypeHeader(), 0xB3) << "the type header member stays";
}
