// The parameter panel of a bed window: what each item reads with and without data, its units
// by the settings' values, the colours of values in alarm, and the bed's last NIBP reading,
// which the client keeps whether or not a window shows it.
#include "support/BedWindowHarness.h"

#include "nyraclient/bedwindow/AlarmColors.h"

#include <gtest/gtest.h>

using namespace bedtest;

namespace {

CString PanelText(const NyraControl& bed, PARAMITEM item)
{
    int alarm = 0;
    return bed.GetPanelText(item, alarm);
}

void SetUnits(NyraClientInfo& client, int nibpUnit, int tempUnit)
{
    NyraConfig config = client.GetConfig();
    config.NIBPUnit = nibpUnit;
    config.TempUnit = tempUnit;
    client.SetConfig(config, 1);
}

TEST(BedWindowPanel, ABedWithoutDataShowsDashesInEveryValue)
{
    BedStation station;
    const NyraControl& bed = *station.Tile();
    const std::pair<PARAMITEM, const char*> expected[] = {
        { PARAM_MHR_VALUE, "---" },   { PARAM_MSPO2_VALUE, "---/--%" }, { PARAM_NIBP_VALUE, "---/---" },
        { PARAM_TEMP_VALUE, "--.-" }, { PARAM_UC_VALUE, "---" },        { PARAM_IUP_VALUE, "---" },
        { PARAM_FECG_VALUE, "---" },  { PARAM_FHR1_VALUE, "---" },      { PARAM_FHR2_VALUE, "---" },
        { PARAM_FSPO2_VALUE, "---/---%" },
    };
    for (auto [item, text] : expected)
        EXPECT_EQ(PanelText(bed, item), CString(text)) << item;
}

TEST(BedWindowPanel, ValuesReadInTheUnitsTheSettingsChoose)
{
    struct Case
    {
        const char* name;
        void (*fill)(PKParam_v110&);
        int nibpUnit, tempUnit;
        PARAMITEM item;
        const char* text;
    };
    const Case cases[] = {
        { "SpO2 with its pulse rate", [](PKParam_v110& p) { p.SetSpO2(0, 98); p.SetSpO2R(0, 72); }, 1, 1, PARAM_MSPO2_VALUE, " 72/98%" },
        { "SpO2 without a pulse rate", [](PKParam_v110& p) { p.SetSpO2(0, 98); }, 1, 1, PARAM_MSPO2_VALUE, "---/98%" },
        { "fetal SpO2", [](PKParam_v110& p) { p.SetFSpO2(0, 60); p.SetFSpO2R(0, 140); }, 1, 1, PARAM_FSPO2_VALUE, "140/60%" },
        { "NIBP in mmHg", [](PKParam_v110& p) { p.SetNIBPSys(120); p.SetNIBPDia(80); p.SetNIBPMean(93); p.SetNIBPStatus(4); }, 1, 1, PARAM_NIBP_VALUE, "120/ 80" },
        { "NIBP in kPa", [](PKParam_v110& p) { p.SetNIBPSys(120); p.SetNIBPDia(80); p.SetNIBPMean(93); p.SetNIBPStatus(4); }, 2, 1, PARAM_NIBP_VALUE, "16.0/10.7" },
        { "cuff pressure while measuring", [](PKParam_v110& p) { p.SetNIBPMean(85); p.SetNIBPStatus(1); }, 1, 1, PARAM_NIBP_VALUE, " 85" },
        { "cuff pressure in kPa", [](PKParam_v110& p) { p.SetNIBPMean(85); p.SetNIBPStatus(1); }, 2, 1, PARAM_NIBP_VALUE, "11.3" },
        { "temperature in Celsius", [](PKParam_v110& p) { p.SetTemp(37.0f); }, 1, 1, PARAM_TEMP_VALUE, "37.0" },
        { "temperature in Fahrenheit", [](PKParam_v110& p) { p.SetTemp(37.0f); }, 1, 2, PARAM_TEMP_VALUE, "98.6" },
        { "heart rates", [](PKParam_v110& p) { p.SetFHR1(0, 142); p.SetECG(0, 84); }, 1, 1, PARAM_FHR1_VALUE, "142" },
        { "FHR1 without data", [](PKParam_v110& p) { p.SetFHR1(0, 255); }, 1, 1, PARAM_FHR1_VALUE, "---" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BedStation station;
        SetUnits(*station.client, c.nibpUnit, c.tempUnit);
        PKParam_v110 p = QuietPacket();
        c.fill(p);
        station.Param(p);
        EXPECT_EQ(PanelText(*station.Tile(), c.item), CString(c.text));
    }
}

TEST(BedWindowPanel, UnitCellsFollowTheSettingsValueAndFallBackToTheFirstUnit)
{
    BedStation station;
    const struct
    {
        int value;
        const char* nibp;
        const char* temp;
    } cases[] = { { 1, "mmHg", "\u2103" }, { 2, "kPa", "\u2109" }, { 0, "mmHg", "\u2103" }, { 7, "mmHg", "\u2103" }, { -1, "mmHg", "\u2103" } };
    for (const auto& c : cases) {
        SetUnits(*station.client, c.value, c.value);
        EXPECT_EQ(PanelText(*station.Tile(), PARAM_NIBP_UNIT), CString(c.nibp)) << c.value;
        EXPECT_EQ(PanelText(*station.Tile(), PARAM_TEMP_UNIT), CString(c.temp)) << c.value;
    }
    EXPECT_EQ(PanelText(*station.Tile(), PARAM_FHR1_LABEL), CString("FHR1"));
    EXPECT_EQ(PanelText(*station.Tile(), PARAM_MHR_LABEL), CString("MHR"));
}

TEST(BedWindowPanel, AValueInAlarmTakesTheColourOfItsLevel)
{
    const COLORREF fhr1 = RGB(40, 230, 80); // the harness's "Graph FHR1"
    struct Case
    {
        const char* name;
        BYTE cause;
        BYTE level;
        COLORREF colour;
    };
    const Case cases[] = {
        { "level 0 is not shown", 1, 0, fhr1 },
        { "level 1", 1, 1, kAlarmColorOrange },
        { "level 2", 1, 2, kAlarmColorRed },
        { "a technical cause is orange at any level", 3, 2, kAlarmColorOrange },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BedStation station;
        PKParam_v110 p = QuietPacket();
        p.SetFHR1(0, 182);
        p.SetFHR1Alarm(c.cause);
        station.Param(p);
        station.client->GetAlarmManager().SetAlarm(ALARMTYPE_FHR1, c.cause);
        station.client->GetAlarmManager().SetAlarmLevel(ALARMTYPE_FHR1, c.level);
        int alarm = 0;
        EXPECT_EQ(station.Tile()->GetPanelText(PARAM_FHR1_VALUE, alarm), CString("182"));
        EXPECT_EQ(alarm, 1);
        EXPECT_EQ(station.Tile()->GetParamColor(PARAM_FHR1_VALUE, alarm), c.colour);

        // The colour is what the panel draws.
        station.Tile()->UpdateParameter();
        const platform::Image picture = testkit::Capture(station.Tile()->GetSafeHwnd());
        const CRect value = station.Tile()->GetLayout().GetItemRect(PARAM_FHR1_VALUE, BYTE(station.client->GetDisplayMode()));
        int inColour = 0;
        for (int y = value.top; y < value.bottom; ++y)
            for (int x = value.left; x < value.right; ++x)
                inColour += picture.Pixel(x, y) == ImagePixel(c.colour);
        EXPECT_GT(inColour, 50);
    }
}

TEST(BedWindowPanel, ATimedOutBedShowsDashesInRedEverywhere)
{
    BedStation station;
    PKParam_v110 p = QuietPacket();
    p.SetFHR1(0, 140);
    station.Param(p);
    station.client->TimeOut();
    for (PARAMITEM item : { PARAM_FHR1_VALUE, PARAM_MSPO2_VALUE, PARAM_NIBP_VALUE, PARAM_FHR1_LABEL }) {
        CString text;
        int alarm = 0;
        station.Tile()->GetParamData(item, text, alarm);
        EXPECT_EQ(text, CString("---")) << item;
        EXPECT_EQ(alarm, 1) << item;
    }
    int alarm = 0;
    EXPECT_EQ(station.Tile()->GetPanelText(PARAM_FHR1_LABEL, alarm), CString("FHR1")) << "labels stay";
    station.Tile()->GetPanelText(PARAM_FHR1_VALUE, alarm);
    EXPECT_EQ(station.Tile()->GetParamColor(PARAM_FHR1_VALUE, alarm), kAlarmColorRed);
}

// ---- the last NIBP reading ---------------------------------------------------------------------------

monitorsim::Bytes WithNIBP(monitorsim::Bytes bytes, BYTE status, int systolic, int diastolic, int mean)
{
    PKParam_v110 p;
    p.SetPacket(bytes.data(), static_cast<int>(bytes.size()), 0);
    p.SetKey(bytes.back());
    p.SetNIBPStatus(status);
    p.SetNIBPSys(systolic);
    p.SetNIBPDia(diastolic);
    p.SetNIBPMean(mean);
    return monitorsim::Bytes(p.GetPacket(), p.GetPacket() + p.GetPacketSize());
}

TEST(BedWindowPanel, TheLastNIBPReadingIsKeptWithoutAWindowAndForgottenWhenTheMonitorRestarts)
{
    NyraClientInfo client; // no manager, no bed window
    client.SetKey(1);
    monitorsim::MonitorSim sim;
    sim.SetKey(1);
    auto hand = [&](monitorsim::Bytes bytes) { client.Receive_Parameter(bytes.data(), static_cast<int>(bytes.size())); };
    EXPECT_FALSE(client.GetLastNIBP().IsComplete());

    hand(sim.ParamPacket());
    hand(WithNIBP(sim.ParamPacket(), PK_NIBP_STATUS_DONE, 120, 80, 93));
    hand(WithNIBP(sim.ParamPacket(), 0, 0xFFFF, 0xFFFF, 0xFFFF));
    const NIBPReading kept = client.GetLastNIBP();
    EXPECT_EQ(kept.systolic, 120);
    EXPECT_EQ(kept.diastolic, 80);
    EXPECT_EQ(kept.mean, 93);
    EXPECT_EQ(kept.time.GetStatus(), COleDateTime::valid);

    // A window made later shows it while the monitor measures nothing new.
    const NyraControl panel(&client, 0);
    int alarm = 0;
    EXPECT_EQ(panel.GetPanelText(PARAM_NIBP_VALUE, alarm), CString("120/ 80"));

    // The monitor restarts: its sequence jumps back, and the new trend starts without the old
    // blood pressure.
    sim.JumpSequenceBack(100);
    hand(sim.ParamPacket());
    hand(sim.ParamPacket());
    EXPECT_FALSE(client.GetLastNIBP().IsComplete());
    EXPECT_EQ(client.GetLastNIBP().time.GetStatus(), COleDateTime::null);
    EXPECT_EQ(panel.GetPanelText(PARAM_NIBP_VALUE, alarm), CString("---/---"));
}

} // namespace
