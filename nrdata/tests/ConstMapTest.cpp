// Value-to-text maps: every map's size and entry order, a sample of each map's values, ids and
// texts, the shared tables, out-of-range answers and the special conversions. Texts are checked
// against the library's own English string table.
#include "nrdata/constmap/NRConstMap.h"
#include "nrdata/res/NRDataStrings.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>
#include <type_traits>

namespace {

using M = NRConstMap;

M::CMAP_TYPE Type(int value) { return static_cast<M::CMAP_TYPE>(value); }

// The English text of an id in the library's table; "<missing>" when it has none.
std::string EnglishText(UINT id)
{
    for (const platform::StringEntry& entry : nrdata::StringTable())
        if (entry.id == id)
            return entry.text;
    return "<missing>";
}

struct MapSample
{
    int type;
    int size;
    int index; // a sample entry
    long value;
    UINT id;
    const char* text;
};

// One row per map: its size and one entry, written out from the system's tables.
const MapSample kMaps[] = {
    { 2, 3, 2, 3, 10002, "MX-C" },
    { 3, 2, 1, 2, 10004, "60Hz" },
    { 4, 2, 0, 0, 10005, "Discharged" },
    { 5, 3, 1, 2, 10008, "Pediatric" },
    { 6, 2, 1, 2, 10011, "Female" },
    { 7, 2, 1, 2, 10013, "inch" },
    { 8, 2, 1, 2, 10015, "lbs" },
    { 9, 2, 0, 1, 10017, "Low" },
    { 10, 2, 0, 0, 10019, "Off" },
    { 12, 3, 2, 3, 10023, "III" },
    { 13, 4, 0, 2, 10033, "5mm/mV" },
    { 14, 4, 0, 1, 10037, "6.25mm/sec" },
    { 15, 4, 3, 4, 10044, "Diagnosis" },
    { 16, 3, 2, 3, 10009, "Neonate" },
    { 17, 13, 10, 10, 10176, "45min" },
    { 18, 3, 2, 3, 10094, "Diastolic" },
    { 19, 2, 1, 2, 10115, "kPa" },
    { 20, 2, 0, 1, 10057, "\u2103" },
    { 21, 2, 1, 1, 10060, "Detected" },
    { 22, 6, 3, 11, 10128, "lead fault" },
    { 23, 11, 4, 4, 10136, "PR Upper Limit, % Lower Limit" },
    { 24, 6, 3, 3, 10143, "Cross channel" },
    { 25, 6, 3, 3, 10146, "Fetal-Maternal Cross channel" },
    { 26, 6, 5, 13, 10132, "Cable Off" },
    { 27, 11, 10, 10, 10142, "Lost Pulse" },
    { 28, 4, 3, 3, 10149, "Duration, Frequency High" },
    { 29, 4, 1, 1, 10147, "Duration High" },
    { 30, 17, 11, 25, 10158, "Infufficient Pressure" },
    { 31, 4, 3, 6, 10138, "Probe Off" },
    { 32, 4, 1, 2, 10118, "MSpO2" },
    { 33, 2, 1, 13, 10080, "LANG_KOR " },
    { 34, 3, 1, 1, 10083, "The Auto-recording is stop after [hh:mm]" },
    { 35, 3, 2, 3, 10087, "30mm/min" },
    { 36, 5, 4, 4, 10091, "60sec" },
    { 37, 10, 9, 9, 10180, "Level 9" },
    { 38, 6, 5, 5, 10099, "Level 5" },
    { 39, 2, 1, 1, 10101, "Auto" },
    { 40, 3, 1, 1, 10112, "10" },
    { 41, 5, 1, 1, 10107, "-20" },
    { 42, 4, 2, 3, 10105, "Intrapartum" },
};

} // namespace

TEST(ConstMap, EveryMapHasItsSizeAndEntries)
{
    for (const MapSample& m : kMaps) {
        const M::CMAP_TYPE type = Type(m.type);
        EXPECT_EQ(M::GetMapSize(type), m.size) << m.type;
        ASSERT_NE(M::GetMapPointer(type), nullptr) << m.type;
        EXPECT_EQ(M::GetMapConst(type, m.index), m.value) << m.type;
        EXPECT_EQ(M::GetMapStringId(type, m.index), m.id) << m.type;
        EXPECT_EQ(EnglishText(m.id), m.text) << m.type;
        __CONST_MAP entry { -1, 0 };
        EXPECT_EQ(M::GetMap(type, m.index, entry), 1);
        EXPECT_EQ(entry.value, m.value);
        EXPECT_EQ(entry.stringId, m.id);
        EXPECT_EQ(M::GetMapPointer(type)[m.index].stringId, m.id);
    }
}

TEST(ConstMap, EveryEntryNamesATextOfTheLibrary)
{
    for (int type = 0; type <= 50; ++type)
        for (int i = 0; i < M::GetMapSize(Type(type)); ++i)
            EXPECT_NE(EnglishText(M::GetMapStringId(Type(type), i)), "<missing>") << type << "/" << i;
}

// Types from outside the table are refused; the type's fixed underlying type makes each of
// them a well-defined value (without it 99 and -2 lay beyond the enumeration's values).
static_assert(std::is_same_v<std::underlying_type_t<M::CMAP_TYPE>, int>);

TEST(ConstMap, TypesWithoutEntries)
{
    for (int type : { 0, 1, 11, 43, 64, 99, -1, -2, INT_MIN, INT_MAX }) {
        EXPECT_EQ(M::GetMapPointer(Type(type)), nullptr) << type;
        EXPECT_EQ(M::GetMapSize(Type(type)), 0) << type;
        EXPECT_EQ(M::GetMapConst(Type(type), 0), 0) << type;
        EXPECT_EQ(M::GetMapStringId(Type(type), 0), 0u) << type;
        EXPECT_EQ(M::GetMapText(Type(type), 0), "") << type;
        EXPECT_EQ(M::GetMapTextByConst(Type(type), 0), "") << type;
    }
    EXPECT_EQ(M::GetColorText(0), "");
}

TEST(ConstMap, IndexOutOfRangeGivesNothing)
{
    for (int index : { -1, 6, 100 }) {
        __CONST_MAP entry { 77, 77 };
        EXPECT_EQ(M::GetMap(M::CMAP_VOLUME5, index, entry), 0) << index;
        EXPECT_EQ(entry.value, 77);
        EXPECT_EQ(M::GetMapConst(M::CMAP_VOLUME5, index), 0);
        EXPECT_EQ(M::GetMapStringId(M::CMAP_VOLUME5, index), 0u);
        EXPECT_EQ(M::GetMapText(M::CMAP_VOLUME5, index), "");
    }
}

TEST(ConstMap, SharedTablesListTheSameEntries)
{
    struct Pair
    {
        int a, b, count;
    };
    const Pair shared[] = { { 5, 16, 3 }, { 22, 26, 6 }, { 23, 27, 11 }, { 28, 29, 4 }, { 37, 38, 6 } };
    for (const Pair& p : shared)
        for (int i = 0; i < p.count; ++i) {
            EXPECT_EQ(M::GetMapConst(Type(p.a), i), M::GetMapConst(Type(p.b), i)) << p.a << "/" << p.b;
            EXPECT_EQ(M::GetMapStringId(Type(p.a), i), M::GetMapStringId(Type(p.b), i)) << p.a << "/" << p.b;
        }
    // FHR2 differs from FHR1 only in its cross-channel text.
    EXPECT_EQ(M::GetMapStringId(M::CMAP_FHR1_ALARM, 3), 10143u);
    EXPECT_EQ(M::GetMapStringId(M::CMAP_FHR2_ALARM, 3), 10146u);
    EXPECT_EQ(M::GetMapStringId(M::CMAP_FHR2_ALARM, 4), 10144u);
}

TEST(ConstMap, EntryOrderIsDisplayOrder)
{
    const long interval[] = { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12 };
    const UINT intervalIds[] = { 10045, 10046, 10047, 10048, 10049, 10050, 10051,
                                 10052, 10053, 10054, 10176, 10055, 10056 };
    for (int i = 0; i < 13; ++i) {
        EXPECT_EQ(M::GetMapConst(M::CMAP_NIBP_INTERVAL, i), interval[i]);
        EXPECT_EQ(M::GetMapStringId(M::CMAP_NIBP_INTERVAL, i), intervalIds[i]);
    }
    const long nibpAlarm[] = { 0, 1, 2, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30 };
    for (int i = 0; i < 17; ++i)
        EXPECT_EQ(M::GetMapConst(M::CMAP_NIBP_ALARM, i), nibpAlarm[i]);
    const UINT displayIds[] = { 10102, 10103, 10105, 10104 };
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(M::GetMapConst(M::CMAP_DISPLAY_MODE, i), i + 1);
        EXPECT_EQ(M::GetMapStringId(M::CMAP_DISPLAY_MODE, i), displayIds[i]);
    }
    const UINT waveIds[] = { 10116, 10118, 10117, 10119 };
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(M::GetMapStringId(M::CMAP_WAVE_CHANNEL, i), waveIds[i]);
}

TEST(ConstMap, NIBPIntervalSeconds)
{
    const int seconds[] = { 0, 60, 120, 150, 180, 300, 600, 900, 1200, 1800, 2700, 3600, 7200, 0 };
    for (long v = 0; v <= 13; ++v)
        EXPECT_EQ(M::GetNIBPIntervalValue(v), seconds[v]) << v;
    EXPECT_EQ(M::GetNIBPIntervalValue(-1), 0);
}

TEST(ConstMap, TemperatureUnitTextIsNotFromTheStringTable)
{
    EXPECT_EQ(M::GetTempUnitText(1), "\xC2\xB0"
                                     "C");
    EXPECT_EQ(M::GetTempUnitText(2), "\xC2\xB0"
                                     "F");
    EXPECT_EQ(M::GetTempUnitText(0), "\xC2\xB0"
                                     "F");
}

TEST(StringTableOfTheLibrary, IdsAreAscendingUniqueAndInTheLibrarysRanges)
{
    std::set<UINT> seen;
    UINT previous = 0;
    for (const platform::StringEntry& entry : nrdata::StringTable()) {
        EXPECT_GT(entry.id, previous);
        const bool valueMap = entry.id >= nrdata::NRDATA_STRING_FIRST && entry.id <= nrdata::NRDATA_STRING_LAST;
        const bool label = entry.id >= nrdata::NRDATA_LABEL_FIRST && entry.id <= nrdata::NRDATA_LABEL_LAST;
        EXPECT_TRUE(valueMap || label) << entry.id;
        previous = entry.id;
        seen.insert(entry.id);
    }
    // Every id of the ranges has a text but 10061 to 10067, which the system leaves unused.
    EXPECT_EQ(seen.size(), 183u - 7u + 5u);
    EXPECT_EQ(EnglishText(nrdata::IDS_ID), "ID");
    EXPECT_EQ(EnglishText(nrdata::IDS_SWEEP_SPEED), "Sweep Speed");
    EXPECT_EQ(EnglishText(10016), "None");
    EXPECT_EQ(EnglishText(10068), "LANG_BUL");
    EXPECT_EQ(EnglishText(10069), "LANG_CZE ");
    EXPECT_EQ(EnglishText(10074), "LANG_POL");
    EXPECT_EQ(EnglishText(10081), "LANG_CHN ");
    EXPECT_EQ(EnglishText(10162), "Pulse Too Week");
    EXPECT_EQ(EnglishText(10159), "Signal Satuated");
    EXPECT_EQ(EnglishText(10182), "Level 11");
}

TEST(ConstMap, TextsComeFromTheStringTableAtCallTime)
{
    EXPECT_EQ(M::GetMapSize(M::CMAP_VOLUME5), 6);
    EXPECT_EQ(M::GetMapText(M::CMAP_VOLUME5, 5), "Level 5");
    EXPECT_EQ(M::GetMapText(M::CMAP_VOLUME5, 6), "") << "the shared table's seventh entry is not part of it";
    EXPECT_EQ(M::GetMapText(M::CMAP_VOLUME9, 6), "Level 6");
    EXPECT_EQ(M::GetMapConst(M::CMAP_ECG_GAIN, 0), 2);
    EXPECT_EQ(M::GetECGGainText(1), "");
    EXPECT_EQ(M::GetMapTextByConst(M::CMAP_NIBP_ALARM, 29), "Pulse Too Week");
    EXPECT_EQ(M::GetMapTextByConst(M::CMAP_NIBP_ALARM, 3), "");
    for (const MapSample& m : kMaps) {
        EXPECT_EQ(M::GetMapText(Type(m.type), m.index), m.text) << m.type;
        EXPECT_EQ(M::GetMapTextByConst(Type(m.type), m.value), m.text) << m.type;
    }
}

TEST(ConstMap, TypedTextGettersReadTheirOwnMap)
{
    struct Case
    {
        CString (*get)(long);
        long value;
        const char* text;
    };
    const Case cases[] = {
        { &M::GetModelText, 1, "MX-A" },
        { &M::GetACFilterText, 1, "50Hz" },
        { &M::GetAdmitStatusText, 1, "Admitted" },
        { &M::GetAdmitTypeText, 3, "Neonate" },
        { &M::GetGenderText, 1, "Male" },
        { &M::GetHeightUnitText, 1, "cm" },
        { &M::GetWeightUnitText, 1, "kg" },
        { &M::GetAlarmLevelText, 2, "High" },
        { &M::GetOnOffText, 1, "On" },
        { &M::GetECGLeadText, 2, "II" },
        { &M::GetECGGainText, 5, "40mm/mV" },
        { &M::GetECGSpeedText, 3, "25mm/sec" },
        { &M::GetECGFilterText, 2, "Moderate" },
        { &M::GetNIBPCuffText, 1, "Adult" },
        { &M::GetNIBPIntervalText, 12, "120min" },
        { &M::GetNIBPUnitText, 1, "mmHg" },
        { &M::GetPacemakerText, 0, "None" },
        { &M::GetEcgAlarmText, 12, "Check Electrode" },
        { &M::GetSpO2AlarmText, 9, "Searching too long" },
        { &M::GetFHR1AlarmText, 4, "Upper Limit, Cross channel verification" },
        { &M::GetFHR2AlarmText, 5, "Lower Limit, Cross channel verification" },
        { &M::GetFEcgAlarmText, 2, "Lower Limit" },
        { &M::GetFSpO2AlarmText, 7, "No Finger" },
        { &M::GetUCAlarmText, 2, "Frequency High" },
        { &M::GetIUPAlarmText, 0, "Normal" },
        { &M::GetNIBPAlarmText, 26, "Signal Satuated" },
        { &M::GetTempAlarmText, 1, "Upper Limit" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.get(c.value), c.text) << c.text;
}
