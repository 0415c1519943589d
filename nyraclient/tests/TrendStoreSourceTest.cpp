// A bed's trend store as the drawing code reads it: counts and copies from the store, the
// bed's settings for visibility, the monitor's layout and the patient of the report page.
#include "nyraclient/client/NyraClientInfo.h"
#include "nyraclient/client/CClientTrendSource.h"

#include <gtest/gtest.h>

namespace {

PKParam_v110 Packet(UINT stamp, BYTE fhr)
{
    PKParam_v110 packet;
    packet.SetKey(1);
    packet.Clear(0xFF);
    packet.SetTimeStamp(stamp);
    packet.SetFHR1(2, fhr);
    return packet;
}

TEST(TrendStoreSource, HandsOutCopiesOfTheBedsEntriesUnderItsSettings)
{
    NyraClientInfo client(nullptr, 0, 1);
    client.AddTrendData(Packet(10, 0xFF).GetPacket()); // no valid FHR1
    client.AddTrendData(Packet(11, 0xFF).GetPacket());
    client.AddTrendData(Packet(13, 150).GetPacket()); // one blank before it

    nyraclient::trend::CClientTrendSource source(client);
    ASSERT_EQ(source.GetCountsOfTrendData(), 4u);
    PKParam_v110 entry;
    ASSERT_TRUE(source.CopyTrendDataAtIndex(3, entry));
    EXPECT_EQ(entry.GetTimeStamp(), 13u);
    EXPECT_EQ(entry.GetFHR1(2), 150);
    EXPECT_FALSE(source.CopyTrendDataAtIndex(4, entry));
    EXPECT_EQ(source.GetStartTimeOfTrend(), client.GetStartTimeOfTrend());

    // Every kind is visible in the settings a bed starts with.
    EXPECT_EQ(source.IsValidRange(ParamKind::FHR1, 0, 3), 0) << "no valid sample in the first three";
    EXPECT_EQ(source.IsValidRange(ParamKind::FHR1, 2, 2), 1);
    EXPECT_EQ(source.IsValidRange(ParamKind::FHR1, 3, 100), 1) << "entries past the end are skipped";
    EXPECT_EQ(source.IsValidRange(ParamKind::FHR1, 4, 1), 0);
    // A monitor in its maternal layout hides the fetal heart rates.
    client.MonitorPacket().SetDisplayMode(4);
    client.UpdateConfig();
    EXPECT_EQ(source.IsValidRange(ParamKind::FHR1, 0, 4), 0) << "a hidden kind has no curve";
    EXPECT_EQ(source.GetMonitorLayout(), 3);

    client.RemoveAllTrendData();
    EXPECT_EQ(source.GetCountsOfTrendData(), 0u);
    EXPECT_EQ(entry.GetFHR1(2), 150) << "a copy outlives the store's entry";
}

TEST(TrendStoreSource, NamesTheMonitorsPatientWhenTheBedIsNotAdmitted)
{
    NyraClientInfo client(nullptr, 0, 1);
    client.PatientPacket().SetPatientId("P-77");
    client.PatientPacket().SetFirstName("Ann");
    client.PatientPacket().SetLastName("Lee");
    nyraclient::trend::CClientTrendSource source(client);
    const auto patient = source.GetReportPatient();
    EXPECT_EQ(patient.id, CString("P-77"));
    EXPECT_EQ(patient.names[0], CString("Lee"));
    EXPECT_EQ(source.GetReportFirstIndex(), 0u);
    EXPECT_EQ(source.GetMonitorLayout(), BYTE(client.GetDisplayMode()));
}

} // namespace
