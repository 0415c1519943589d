// The alarm manager: values and levels from a parameter packet and the alarm-settings packet,
// the network alarm, and the display texts with their forced orange levels.
#include "nyraclient/alarm/NyraAlarmManager.h"

#include "nrdata/packet/PKAlarm_v110.h"
#include "nrdata/packet/PKParam_v110.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <type_traits>

namespace {

// How a test reaches one parameter's alarm byte and its alarm settings.
struct ParamAccess
{
    ALARMTYPE type;
    void (PKParam_v110::*setAlarm)(BYTE);
    void (PKAlarm_v110::*setEnable)(BYTE);
    void (PKAlarm_v110::*setLevel)(BYTE);
};

constexpr ParamAccess kParams[] = {
    { ALARMTYPE_ECG, &PKParam_v110::SetECGAlarm, &PKAlarm_v110::SetECGAlarmEnable, &PKAlarm_v110::SetECGLevel },
    { ALARMTYPE_MSPO2, &PKParam_v110::SetSpO2Alarm, &PKAlarm_v110::SetSpO2AlarmEnable, &PKAlarm_v110::SetSpO2Level },
    { ALARMTYPE_FHR1, &PKParam_v110::SetFHR1Alarm, &PKAlarm_v110::SetFHR1AlarmEnable, &PKAlarm_v110::SetFHR1Level },
    { ALARMTYPE_FHR2, &PKParam_v110::SetFHR2Alarm, &PKAlarm_v110::SetFHR2AlarmEnable, &PKAlarm_v110::SetFHR2Level },
    { ALARMTYPE_FECG, &PKParam_v110::SetFECGAlarm, &PKAlarm_v110::SetFECGAlarmEnable, &PKAlarm_v110::SetFECGLevel },
    { ALARMTYPE_FSPO2, &PKParam_v110::SetFSpO2Alarm, &PKAlarm_v110::SetFSpO2AlarmEnable, &PKAlarm_v110::SetFSpO2Level },
    { ALARMTYPE_UC, &PKParam_v110::SetUCAlarm, &PKAlarm_v110::SetUCAlarmEnable, &PKAlarm_v110::SetUCLevel },
    { ALARMTYPE_IUP, &PKParam_v110::SetIUPAlarm, &PKAlarm_v110::SetIUPAlarmEnable, &PKAlarm_v110::SetIUPLevel },
    { ALARMTYPE_NIBP, &PKParam_v110::SetNIBPAlarm, &PKAlarm_v110::SetNIBPAlarmEnable, &PKAlarm_v110::SetNIBPLevel },
    { ALARMTYPE_TEMP, &PKParam_v110::SetTempAlarm, &PKAlarm_v110::SetTempAlarmEnable, &PKAlarm_v110::SetTempLevel },
};

// ---- values and levels from the packets ----------------------------------------------------------

// Each parameter in turn: its own alarm byte and level arrive, the others stay 0; a switched-off
// parameter gets value and level 0 whatever the packet's alarm byte says.
TEST(AlarmManagerFromPackets, EachParameterTakesItsOwnAlarmByteAndLevelWhenSwitchedOn)
{
    for (const ParamAccess& p : kParams) {
        SCOPED_TRACE(p.type);
        PKParam_v110 param;
        PKAlarm_v110 alarm;
        (param.*p.setAlarm)(static_cast<BYTE>(p.type + 1));
        (alarm.*p.setEnable)(1);
        (alarm.*p.setLevel)(2);

        NyraAlarmManager manager;
        EXPECT_EQ(manager.SetAlarm(param, alarm), 1);
        for (int t = 0; t < ALARMTYPE_COUNT; ++t) {
            const auto type = static_cast<ALARMTYPE>(t);
            EXPECT_EQ(manager.GetAlarm(type), type == p.type ? p.type + 1 : 0) << "type " << t;
            EXPECT_EQ(manager.GetAlarmLevel(type), type == p.type ? 2 : 0) << "type " << t;
        }

        (alarm.*p.setEnable)(0);
        EXPECT_EQ(manager.SetAlarm(param, alarm), 0);
        EXPECT_EQ(manager.GetAlarm(p.type), 0);
        EXPECT_EQ(manager.GetAlarmLevel(p.type), 0);
    }
}

TEST(AlarmManagerFromPackets, CountsEveryParameterInAlarmAndKeepsTheNetworkAlarm)
{
    PKParam_v110 param;
    PKAlarm_v110 alarm;
    for (const ParamAccess& p : kParams) {
        (param.*p.setAlarm)(1);
        (alarm.*p.setEnable)(1);
        (alarm.*p.setLevel)(1);
    }
    NyraAlarmManager manager;
    manager.SetAlarm(ALARMTYPE_NETWORK, 1);
    EXPECT_EQ(manager.SetAlarm(param, alarm), 11);
    EXPECT_EQ(manager.GetAlarm(ALARMTYPE_NETWORK), 1);
    EXPECT_EQ(manager.GetAlarmLevel(ALARMTYPE_NETWORK), 2);

    (param.*kParams[0].setAlarm)(0); // ECG back to normal: counted no more
    EXPECT_EQ(manager.SetAlarm(param, alarm), 10);
    EXPECT_EQ(manager.GetAlarmLevel(ALARMTYPE_ECG), 1); // its level stays as set
}

// ---- the network alarm and the single operations ------------------------------------------------

TEST(AlarmManager, ClearingTheNetworkAlarmLeavesItsLevelRedButCountsItNoMore)
{
    NyraAlarmManager manager;
    manager.SetAlarm(ALARMTYPE_NETWORK, 1);
    EXPECT_EQ(manager.GetAlarmCount(), 1);
    EXPECT_EQ(manager.IsAbnormal(ALARMTYPE_NETWORK), 1);

    manager.SetAlarm(ALARMTYPE_NETWORK, 0);
    EXPECT_EQ(manager.GetAlarm(ALARMTYPE_NETWORK), 0);
    EXPECT_EQ(manager.GetAlarmLevel(ALARMTYPE_NETWORK), 2);
    EXPECT_EQ(manager.GetAlarmCount(), 0);
    EXPECT_EQ(manager.IsAbnormal(ALARMTYPE_NETWORK), 0);
}

TEST(AlarmManager, ValuesAndLevelsAreClearedIndependently)
{
    NyraAlarmManager manager;
    manager.SetAlarm(ALARMTYPE_UC, 2);
    manager.SetAlarmLevel(ALARMTYPE_UC, 1);
    manager.SetAlarm(ALARMTYPE_TEMP, 6);
    manager.SetAlarmLevel(ALARMTYPE_TEMP, 2);

    manager.RemoveAlarm(ALARMTYPE_UC);
    EXPECT_EQ(manager.GetAlarm(ALARMTYPE_UC), 0);
    EXPECT_EQ(manager.GetAlarmLevel(ALARMTYPE_UC), 1);

    manager.RemoveAlarmAll();
    EXPECT_EQ(manager.GetAlarmCount(), 0);
    EXPECT_EQ(manager.GetAlarmLevel(ALARMTYPE_TEMP), 2);

    manager.SetAlarm(ALARMTYPE_TEMP, 6);
    manager.RemoveAlarmLevel(ALARMTYPE_TEMP);
    EXPECT_EQ(manager.GetAlarmLevel(ALARMTYPE_TEMP), 0);
    EXPECT_EQ(manager.GetAlarm(ALARMTYPE_TEMP), 6);
    manager.SetAlarmLevel(ALARMTYPE_UC, 2);
    manager.RemoveAlarmLevelAll();
    EXPECT_EQ(manager.GetAlarmLevel(ALARMTYPE_UC), 0);
    EXPECT_EQ(manager.GetAlarm(ALARMTYPE_TEMP), 6);
}

TEST(AlarmManager, CopiesCarryBothArrays)
{
    NyraAlarmManager manager;
    manager.SetAlarm(ALARMTYPE_FHR2, 3);
    manager.SetAlarmLevel(ALARMTYPE_FHR2, 1);
    NyraAlarmManager copy(manager);
    NyraAlarmManager assigned;
    assigned = manager;
    for (const NyraAlarmManager* m : { &copy, &assigned }) {
        EXPECT_EQ(m->GetAlarm(ALARMTYPE_FHR2), 3);
        EXPECT_EQ(m->GetAlarmLevel(ALARMTYPE_FHR2), 1);
    }
}

// The change hook wakes the caption painters: every change of a value calls it once, a write
// that changes no value (the same packet again, a level alone) does not.
TEST(AlarmManager, TheChangeHookHearsEveryChangedValueAndNothingElse)
{
    PKAlarm_v110 settings;
    settings.SetFHR1AlarmEnable(1);
    settings.SetFHR1Level(2);
    PKParam_v110 quiet, alarmed;
    alarmed.SetFHR1Alarm(1);
    struct Case
    {
        const char* what;
        void (*write)(NyraAlarmManager&, const PKParam_v110&, const PKParam_v110&, const PKAlarm_v110&);
        int calls;
    };
    const Case cases[] = {
        { "an alarm in a packet", [](auto& m, auto&, auto& a, auto& s) { m.SetAlarm(a, s); }, 1 },
        { "the same packet again", [](auto& m, auto&, auto& a, auto& s) { m.SetAlarm(a, s); m.SetAlarm(a, s); }, 1 },
        { "a quiet packet", [](auto& m, auto& q, auto&, auto& s) { m.SetAlarm(q, s); }, 0 },
        { "a network alarm", [](auto& m, auto&, auto&, auto&) { m.SetAlarm(ALARMTYPE_NETWORK, 1); }, 1 },
        { "a level alone", [](auto& m, auto&, auto&, auto&) { m.SetAlarmLevel(ALARMTYPE_ECG, 2); }, 0 },
        { "an alarm removed", [](auto& m, auto&, auto&, auto&) { m.SetAlarm(ALARMTYPE_ECG, 4); m.RemoveAlarm(ALARMTYPE_ECG); }, 2 },
        { "all removed", [](auto& m, auto&, auto& a, auto& s) { m.SetAlarm(a, s); m.RemoveAlarmAll(); m.RemoveAlarmAll(); }, 2 },
        { "nothing to remove", [](auto& m, auto&, auto&, auto&) { m.RemoveAlarm(ALARMTYPE_ECG); m.RemoveAlarmAll(); }, 0 },
    };
    for (const Case& c : cases) {
        NyraAlarmManager manager;
        int calls = 0;
        manager.SetChangeHook([&calls] { ++calls; });
        c.write(manager, quiet, alarmed, settings);
        EXPECT_EQ(calls, c.calls) << c.what;
    }
}

// The type's fixed underlying type makes every int a well-defined type value for the guards
// to refuse (without it 99 and -2 lay beyond the enumeration's values).
static_assert(std::is_same_v<std::underlying_type_t<ALARMTYPE>, int>);

TEST(AlarmManager, ATypeOutsideTheTableIsIgnored)
{
    for (int type : { 11, 16, 99, -1, -2, INT_MIN, INT_MAX }) {
        SCOPED_TRACE(type);
        NyraAlarmManager manager;
        const auto outside = static_cast<ALARMTYPE>(type);
        manager.SetAlarm(outside, 9);
        manager.SetAlarmLevel(outside, 9);
        manager.RemoveAlarm(outside);
        manager.RemoveAlarmLevel(outside);
        EXPECT_EQ(manager.GetAlarm(outside), 0);
        EXPECT_EQ(manager.GetAlarmLevel(outside), 0);
        EXPECT_EQ(manager.GetAlarmCount(), 0);
        CString text = "left over";
        int level = 2;
        EXPECT_EQ(AlarmText(outside, 3, text, level), 0);
        EXPECT_EQ(text, "");
    }
}

// ---- alarm texts --------------------------------------------------------------------------------

struct AlarmTextCase
{
    ALARMTYPE type;
    BYTE cause;
    int levelIn;
    const char* text;
    int levelOut;
    int result;
};

// The level passed in is 2 (red) unless said otherwise: forced causes come back as 1.
const AlarmTextCase kAlarmTextCases[] = {
    { ALARMTYPE_ECG, 12, 2, "ECG: Check Electrode", 1, 1 },
    { ALARMTYPE_ECG, 11, 2, "ECG: lead fault", 1, 1 },
    { ALARMTYPE_ECG, 13, 2, "ECG: Cable Off", 1, 1 },
    { ALARMTYPE_ECG, 1, 2, "ECG: Upper Limit", 2, 0 },
    { ALARMTYPE_ECG, 10, 2, "ECG: ", 2, 0 }, // a cause without a text keeps the name
    { ALARMTYPE_MSPO2, 6, 2, "MSpO2: Probe Off", 1, 1 },
    { ALARMTYPE_MSPO2, 10, 2, "MSpO2: Lost Pulse", 1, 1 },
    { ALARMTYPE_MSPO2, 5, 2, "MSpO2: PR Lower Limit, % Lower Limit", 2, 0 },
    { ALARMTYPE_FHR1, 3, 2, "FHR1: Cross channel", 1, 0 },
    { ALARMTYPE_FHR1, 4, 2, "FHR1: Upper Limit, Cross channel verification", 2, 0 },
    { ALARMTYPE_FHR2, 3, 2, "FHR2: Fetal-Maternal Cross channel", 1, 0 },
    { ALARMTYPE_FECG, 12, 2, "FECG: Check Electrode", 1, 1 },
    { ALARMTYPE_FSPO2, 7, 2, "FSpO2: No Finger", 1, 1 },
    { ALARMTYPE_UC, 1, 2, "UC: Duration High", 2, 0 },
    { ALARMTYPE_IUP, 3, 2, "IUP: Duration, Frequency High", 2, 0 },
    { ALARMTYPE_NIBP, 17, 2, "NIBP: Over Pressure", 1, 1 },
    { ALARMTYPE_NIBP, 30, 2, "NIBP: System Fault", 1, 1 },
    { ALARMTYPE_NIBP, 2, 2, "NIBP: Lower Limit", 2, 0 },
    { ALARMTYPE_TEMP, 6, 2, "TEMP: Probe Off", 1, 1 },
    { ALARMTYPE_TEMP, 1, 0, "TEMP: Upper Limit", 0, 0 },
    // Cause 0: no text, and 0 lies in no forced range.
    { ALARMTYPE_ECG, 0, 2, "", 2, 0 },
    { ALARMTYPE_NIBP, 0, 0, "", 0, 0 },
    // The network alarm: its own text, the level untouched, result 1 in any case.
    { ALARMTYPE_NETWORK, 1, 2, "Network Connection is broken!!!", 2, 1 },
    { ALARMTYPE_NETWORK, 0, 0, "", 0, 1 },
    // Outside the table: nothing.
    { static_cast<ALARMTYPE>(11), 3, 2, "", 2, 0 },
};

TEST(AlarmText, TextsForcedLevelsAndResults)
{
    for (const AlarmTextCase& c : kAlarmTextCases) {
        SCOPED_TRACE(::testing::Message() << "type " << c.type << " cause " << int(c.cause));
        CString text = "left over";
        int level = c.levelIn;
        EXPECT_EQ(AlarmText(c.type, c.cause, text, level), c.result);
        EXPECT_EQ(std::string(text.GetString()), c.text);
        EXPECT_EQ(level, c.levelOut);
    }
}

} // namespace
