// Control and protocol-version packets: their two payload bytes against hand-built frames.
#include "nrdata/packet/PKControl.h"
#include "nrdata/packet/PKProtocolVer.h"
#include "support/FrameBytes.h"

#include <gtest/gtest.h>

using namespace nrdata_test;

TEST(ControlPacket, AcknowledgementFrameIsTypeDataKey)
{
    PKControl control;
    control.SetType(0xF1);
    control.SetData(0xB1);
    control.SetKey(7);
    EXPECT_EQ(FrameOf(control), (Bytes { 0xA0, 0xF1, 0xB1, 0x07 }));
    EXPECT_EQ(PK_CONTROL_ACK, 0xF1);
    EXPECT_EQ(PK_CONTROL_NAK, 0xF0);
}

TEST(ControlPacket, ReadsConnectRequestAndAdoptsItsKey)
{
    const Bytes frame { 0xA0, 0x01, 0x00, 0x5A };
    PKControl control;
    ASSERT_EQ(control.SetPacket(frame.data(), 4, 0), 1);
    EXPECT_EQ(control.GetType(), PK_CONTROL_CONNECT);
    EXPECT_EQ(control.GetData(), 0);
    EXPECT_EQ(control.GetKey(), 0x5A);
}

TEST(ProtocolVersionPacket, ReadsAndWritesVersionBytes)
{
    PKProtocolVer version;
    version.SetVersion(1, 10);
    EXPECT_EQ(FrameOf(version), (Bytes { 0xB0, 0x01, 0x0A, 0xFF }));
    EXPECT_EQ(version.GetMainVersion(), 1);
    EXPECT_EQ(version.GetSubVersion(), 10);
    EXPECT_TRUE(version.IsMachedVersion(1, 10));
    EXPECT_FALSE(version.IsMachedVersion(1, 0));
    EXPECT_FALSE(version.IsMachedVersion(2, 10));

    version.SetVersion(0x101, 0x205); // only the low bytes count
    EXPECT_EQ(FrameOf(version), (Bytes { 0xB0, 0x01, 0x05, 0xFF }));
}

TEST(ProtocolVersionPacket, VersionTextIsDecimalAndUnsigned)
{
    struct Case
    {
        Bytes frame;
        const char* text;
    };
    const Case cases[] = {
        { { 0xB0, 1, 10, 0xFF }, "1.10" },
        { { 0xB0, 1, 5, 0xFF }, "1.5" },
        { { 0xB0, 1, 200, 0xFF }, "1.200" },
        { { 0xB0, 255, 0, 0xFF }, "255.0" },
    };
    for (const Case& c : cases) {
        PKProtocolVer version;
        ASSERT_EQ(version.SetPacket(c.frame.data(), 4, 1), 1);
        EXPECT_EQ(version.GetVersionToString(), c.text);
    }
}
