// Patient packet: every field at its hand-built position, the text rule, and the scaled
// height and weight (rounded to the value typed, held to the field's range).
#include "nrdata/packet/PKPatient_v110.h"
#include "support/FrameBytes.h"

#include <gtest/gtest.h>

using namespace nrdata_test;

namespace {
Bytes PatientFrame() { return EmptyFrame(80, 0xB1); }
} // namespace

TEST(PatientPacket, ReadsEveryFieldOfHandBuiltFrame)
{
    Bytes frame = PatientFrame();
    Put(frame, 1, { 'P', '0', '0', '1' });
    Put(frame, 21, { 'K', 'i', 'm' });
    Put(frame, 41, { 'A', 'n', 'n', 'a' });
    Put(frame, 61, { 2, 0xD6, 0x07, 11, 30, 33, 0xA6, 0x40, 0x0A, 0x19 });
    PKPatient_v110 patient;
    ASSERT_EQ(patient.SetPacket(frame.data(), 80, 1), 1);
    EXPECT_EQ(patient.GetPatientId(), "P001");
    EXPECT_EQ(patient.GetLastName(), "Kim");
    EXPECT_EQ(patient.GetFirstName(), "Anna");
    EXPECT_EQ(patient.GetGender(), 2);
    EXPECT_EQ(patient.GetYear(), 2006);
    EXPECT_EQ(patient.GetMonth(), 11);
    EXPECT_EQ(patient.GetDay(), 30);
    EXPECT_EQ(patient.GetAge(), 33);
    EXPECT_DOUBLE_EQ(patient.GetHeight(), 165.5);
    EXPECT_DOUBLE_EQ(patient.GetWeight(), 64.10);
}

TEST(PatientPacket, SettersWriteTheSameFrame)
{
    PKPatient_v110 patient;
    patient.SetPatientId("P001");
    patient.SetLastName("Kim");
    patient.SetFirstName("Anna");
    patient.SetGender(2);
    patient.SetYear(2006);
    patient.SetMonth(11);
    patient.SetDay(30);
    patient.SetAge(33);
    patient.SetHeight(165.5);
    patient.SetWeight(64.1);
    Bytes frame = PatientFrame();
    Put(frame, 1, { 'P', '0', '0', '1' });
    Put(frame, 21, { 'K', 'i', 'm' });
    Put(frame, 41, { 'A', 'n', 'n', 'a' });
    Put(frame, 61, { 2, 0xD6, 0x07, 11, 30, 33, 0xA6, 0x40, 0x0A, 0x19 });
    EXPECT_EQ(FrameOf(patient), frame);
}

TEST(PatientPacket, TextFieldsAreCutToTwentyBytesAndCarryNoTerminatorWhenFull)
{
    PKPatient_v110 patient;
    patient.SetLastName("Zz");
    patient.SetPatientId("ABCDEFGHIJKLMNOPQRSTUVWXY");
    EXPECT_EQ(patient.GetPatientId(), "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(patient.GetPacket()[20], 'T');
    EXPECT_EQ(patient.GetLastName(), "Zz") << "the next field is untouched";

    patient.SetPatientId("12345678901234567890");
    EXPECT_EQ(patient.GetPatientId(), "12345678901234567890");

    patient.SetPatientId("AB"); // a shorter text zero-fills the rest
    EXPECT_EQ(patient.GetPacket()[3], 0);
    EXPECT_EQ(patient.GetPacket()[20], 0);
}

TEST(PatientPacket, TextCutNeverSplitsACharacter)
{
    PKPatient_v110 patient;
    // 19 ASCII bytes and a two-byte character: the character does not fit and is left out.
    patient.SetFirstName("ABCDEFGHIJKLMNOPQRS\xC3\xA9");
    EXPECT_EQ(patient.GetFirstName(), "ABCDEFGHIJKLMNOPQRS");
    patient.SetFirstName("ABCDEFGHIJKLMNOPQR\xC3\xA9");
    EXPECT_EQ(patient.GetFirstName(), "ABCDEFGHIJKLMNOPQR\xC3\xA9");
}

TEST(PatientPacket, HeightAndWeightKeepTheValueTypedAndEachOther)
{
    struct Case
    {
        double typed;
        BYTE low, high;
        double reads;
    };
    const Case cases[] = {
        { 165.5, 0xA6, 0x40, 165.5 },
        { 64.1, 0x0A, 0x19, 64.1 },       // 6410, not 6409
        { 62.347, 0x5B, 0x18, 62.35 },    // nearest hundredth
        { 0.0, 0x00, 0x00, 0.0 },
        { -3.0, 0x00, 0x00, 0.0 },        // held at the bottom of the field
        { 700.0, 0xFF, 0xFF, 655.35 },    // held at the top instead of wrapping
    };
    for (const Case& c : cases) {
        PKPatient_v110 patient;
        patient.SetWeight(70.0);
        patient.SetHeight(c.typed);
        EXPECT_EQ(patient.GetPacket()[67], c.low) << c.typed;
        EXPECT_EQ(patient.GetPacket()[68], c.high) << c.typed;
        EXPECT_DOUBLE_EQ(patient.GetHeight(), c.reads);
        EXPECT_DOUBLE_EQ(patient.GetWeight(), 70.0) << "height leaves the weight bytes";

        patient.SetWeight(c.typed);
        EXPECT_EQ(patient.GetPacket()[69], c.low) << c.typed;
        EXPECT_EQ(patient.GetPacket()[70], c.high) << c.typed;
        EXPECT_DOUBLE_EQ(patient.GetWeight(), c.reads);
        EXPECT_DOUBLE_EQ(patient.GetHeight(), c.reads) << "weight leaves the height bytes";
    }
}

TEST(PatientPacket, UnusedBytesStayZero)
{
    PKPatient_v110 patient;
    patient.Clear(0xFF);
    patient.Clear();
    patient.SetHeight(170);
    patient.SetWeight(80);
    for (int i = 71; i <= 78; ++i)
        EXPECT_EQ(patient.GetPacket()[i], 0) << i;
}
