// NyraConfig: defaults, assignment that keeps the display flags, copies, visibility by
// parameter data kind, and the ini file: defaults on a missing file, the fallbacks of a sparse
// file, and a save/open round trip that is byte-stable.
#include "nrdata/config/NyraConfig.h"

#include "ktutil/KTGF.h"
#include "testkit/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Sets every stored setting to a value unlike its default.
void FillWithNonDefaults(NyraConfig& c)
{
    int n = 100;
    c.WindowMode = n++;
    c.DemoMode = n++;
    c.DataPath = "/tmp";
    c.AutoRecordStop = 2;
    c.DisplayMode = n++;
    c.SaveDisplayMode = 1;
    c.TopGraph = n++;
    c.BottomGraph = n++;
    c.Language = 13;
    c.HeightUnit = 2;
    c.WeightUnit = 2;
    c.NIBPUnit = 2;
    c.TempUnit = 2;
    c.SweepSpeed = 4;
    c.TrendSpeed = 1;
    c.ECGGain = 5;
    c.FECGGain = 2;
    c.RecordLimit = 90;
    c.AllAlarmSound = 0;
    c.DevicePositionFix = 1;
    c.RecordOnAdmit = 1;
    c.FHR1DelayTime = 3;
    c.FHR2DelayTime = 4;
    c.FHR1AlarmSound = 0;
    c.IUPAlarmSound = 0;
    c.BrokerIP = 0x0100007F;
    c.BrokerPort = 4600;
    c.EMRDataPath = "/srv/emr data";
    c.EMRProgramPath = "/opt/emr/bin";
    c.EMRImageType = 1;
    c.HospitalName = "St. Mary's Ward 3";
    for (int i = 0; i < 8; ++i)
        c.SerialName[static_cast<size_t>(i)] = i + 1;
    c.GraphBackground = 0x00FFFFFF;
    c.GraphFHR1 = 0x000000FF;
    c.GridCenterStyle = 2;
    c.EventStimulator = 0x00123456;
    c.DoctorID = "D01";
    c.DoctorName = "Dr. Lee";
    c.NurseID = "N07";
    c.NurseName = "Park";
    c.ReviewSweepSpeed = 1;
    c.ReviewFECGGain = 5;
    c.ReviewGraphUC = 0x00ABCDEF;
    c.ReviewEventUCZeroing = 0x00010203;
}

} // namespace

TEST(NyraConfigDefaults, NewObjectHoldsTheTableDefaults)
{
    NyraConfig c;
    const CString data = KTGF::MakePath(KTGF::GetModulePath(), "Data");
    EXPECT_EQ(c.WindowMode, 0);
    EXPECT_EQ(c.DemoMode, 0);
    EXPECT_EQ(c.DataPath, data);
    EXPECT_EQ(c.TopGraph, 1);
    EXPECT_EQ(c.BottomGraph, 2);
    EXPECT_EQ(c.Language, 3);
    EXPECT_EQ(c.HeightUnit, 1);
    EXPECT_EQ(c.TempUnit, 1);
    EXPECT_EQ(c.SweepSpeed, 3);
    EXPECT_EQ(c.TrendSpeed, 3);
    EXPECT_EQ(c.ECGGain, 3);
    EXPECT_EQ(c.FECGGain, 3);
    EXPECT_EQ(c.RecordLimit, 0);
    EXPECT_EQ(c.AllAlarmSound, 1);
    EXPECT_EQ(c.DevicePositionFix, 0);
    EXPECT_EQ(c.FHR1AlarmSound, 1);
    EXPECT_EQ(c.IUPAlarmSound, 1);
    EXPECT_EQ(c.BrokerIP, 0);
    EXPECT_EQ(c.BrokerPort, 4500);
    EXPECT_EQ(c.EMRDataPath, data);
    EXPECT_EQ(c.EMRProgramPath, data);
    EXPECT_EQ(c.EMRImageType, 0);
    EXPECT_EQ(c.HospitalName, "MY HOSPITAL");
    for (int port : c.SerialName)
        EXPECT_EQ(port, 0);
    // Without colour settings the tiles take the default scheme, not black on black.
    EXPECT_EQ(c.GraphBackground, 0xFFFFFF);
    EXPECT_EQ(c.GraphFHR1, 0x00008B);
    EXPECT_EQ(c.GridInnerStyle, 2);
    EXPECT_EQ(c.EventStimulator, 0);
    EXPECT_EQ(c.DoctorID, "");
    EXPECT_EQ(c.NurseName, "");
    EXPECT_EQ(c.ReviewSweepSpeed, 3);
    EXPECT_EQ(c.ReviewFECGGain, 3);
    EXPECT_EQ(c.ReviewEventUCZeroing, 0);
    for (int flag : c.DisplayFlag)
        EXPECT_EQ(flag, 1);
}

TEST(NyraConfigDefaults, DefaultResetsEverythingButTheDoctorAndNurseTexts)
{
    NyraConfig c;
    FillWithNonDefaults(c);
    c.DisplayFlag.fill(0);
    c.Default();
    const NyraConfig fresh;
    EXPECT_EQ(c.BrokerPort, 4500);
    EXPECT_EQ(c.HospitalName, "MY HOSPITAL");
    EXPECT_EQ(c.SerialName, fresh.SerialName);
    EXPECT_EQ(c.ReviewGraphUC, 0);
    EXPECT_EQ(c.DisplayFlag, fresh.DisplayFlag);
    EXPECT_EQ(c.DoctorID, "D01");
    EXPECT_EQ(c.DoctorName, "Dr. Lee");
    EXPECT_EQ(c.NurseID, "N07");
    EXPECT_EQ(c.NurseName, "Park");
}

TEST(NyraConfigCopy, AssignmentCopiesSettingsAndKeepsTheTargetsDisplayFlags)
{
    NyraConfig source;
    FillWithNonDefaults(source);
    source.DisplayFlag.fill(0);
    NyraConfig target;
    target.DisplayFlag[4] = 7;
    target = source;
    EXPECT_EQ(target.BrokerPort, 4600);
    EXPECT_EQ(target.HospitalName, "St. Mary's Ward 3");
    EXPECT_EQ(target.FHR1AlarmSound, 0) << "the alarm-sound switches are settings too";
    EXPECT_EQ(target.SerialName, source.SerialName);
    EXPECT_EQ(target.DoctorName, "Dr. Lee");
    EXPECT_EQ(target.ReviewEventUCZeroing, 0x00010203);
    EXPECT_EQ(target.DisplayFlag[0], 1);
    EXPECT_EQ(target.DisplayFlag[4], 7);
    EXPECT_EQ(target.DisplayFlag[17], 1);

    NyraConfig copied(source);
    EXPECT_EQ(copied.HospitalName, "St. Mary's Ward 3");
    EXPECT_EQ(copied.DisplayFlag, source.DisplayFlag) << "copy construction takes the flags too";
}

TEST(NyraConfigVisibility, EachKindReadsItsOwnFlag)
{
    // kind -> display flag, written out from the system's table.
    const int flagOfKind[20] = { -1, 1, 2, 3, 4, 5, 6, 7, 8, 11, 12, 9, 10, 13, 14, 13, 14, 15, 16, -1 };
    for (int kind = 1; kind <= 18; ++kind) {
        NyraConfig c;
        c.DisplayFlag.fill(1);
        c.DisplayFlag[static_cast<size_t>(flagOfKind[kind])] = 0;
        EXPECT_EQ(c.IsVisible(kind), 0) << kind;
        c.DisplayFlag.fill(0);
        c.DisplayFlag[static_cast<size_t>(flagOfKind[kind])] = 1;
        EXPECT_EQ(c.IsVisible(kind), 1) << kind;
    }
    NyraConfig c;
    c.DisplayFlag.fill(0);
    EXPECT_EQ(c.IsVisible(19), 1) << "zeroing events are always shown";
    c.DisplayFlag.fill(1);
    for (int kind : { 0, 20, -1, 100 })
        EXPECT_EQ(c.IsVisible(kind), 0) << kind;
    c.DisplayFlag[13] = 0;
    EXPECT_EQ(c.IsVisible(13), c.IsVisible(15));
}

// ---- the ini file ---------------------------------------------------------------------------

namespace {

// A scratch folder for ini files, removed afterwards.
class NyraConfigFile : public testing::Test
{
protected:
    std::string File(const char* name) { return m_folder / name; }
    static std::string Contents(const std::string& path) { return testkit::ReadText(path); }
    static void Write(const std::string& path, const std::string& text) { testkit::WriteText(path, text); }

    testkit::TempFolder m_folder;
};

} // namespace

TEST_F(NyraConfigFile, MissingFileKeepsTheDefaults)
{
    NyraConfig c;
    c.BrokerPort = 1234;
    EXPECT_EQ(c.Open(File("absent.ini").c_str()), 0);
    EXPECT_EQ(c.BrokerPort, 1234) << "nothing changes";
    NyraConfig fresh;
    EXPECT_EQ(fresh.Open(File("absent.ini").c_str()), 0);
    EXPECT_EQ(fresh.BrokerPort, 4500);
    EXPECT_EQ(fresh.HospitalName, "MY HOSPITAL");
    EXPECT_EQ(c.Open(nullptr), 0);
}

TEST_F(NyraConfigFile, SparseFileGivesTheFallbacks)
{
    const std::string ini = File("sparse.ini");
    Write(ini, "[CENTRAL_DEMO]\nDemo Mode=1\n");
    NyraConfig c;
    FillWithNonDefaults(c);
    c.DisplayFlag.fill(0);
    ASSERT_EQ(c.Open(ini.c_str()), 1);
    const NyraConfig fresh;
    EXPECT_EQ(c.DemoMode, 1);
    EXPECT_EQ(c.WindowMode, 0);
    EXPECT_EQ(c.BrokerPort, 0) << "a file without the key means no broker port";
    EXPECT_EQ(c.HospitalName, "MY HOSPITAL");
    EXPECT_EQ(c.DataPath, fresh.DataPath);
    EXPECT_EQ(c.EMRDataPath, fresh.DataPath);
    EXPECT_EQ(c.Language, 3);
    EXPECT_EQ(c.SweepSpeed, 3);
    EXPECT_EQ(c.FHR1AlarmSound, 1);
    EXPECT_EQ(c.SerialName, fresh.SerialName);
    EXPECT_EQ(c.GraphBackground, 0xFFFFFF);
    EXPECT_EQ(c.DoctorID, "") << "the doctor and nurse texts fall back to empty";
    EXPECT_EQ(c.NurseName, "");
    EXPECT_EQ(c.ReviewECGGain, 3);
    EXPECT_EQ(c.ReviewEventUCZeroing, 0);
    for (int flag : c.DisplayFlag)
        EXPECT_EQ(flag, 0) << "the display flags are not read";
}

TEST_F(NyraConfigFile, DataPathMustNameSomethingThatExists)
{
    const std::string ini = File("paths.ini");
    const std::string records = m_folder / "records";
    ASSERT_EQ(mkdir(records.c_str(), 0700), 0);
    Write(ini, "[CENTRAL_DEFAULT]\nData Path=" + records + "\n[CENTRAL_SYSTEM]\nEMR Data Path=/no/such/emr\n");
    NyraConfig c;
    ASSERT_EQ(c.Open(ini.c_str()), 1);
    EXPECT_EQ(c.DataPath, records.c_str());
    EXPECT_EQ(c.EMRDataPath, "/no/such/emr") << "only the data path is checked";

    Write(ini, "[CENTRAL_DEFAULT]\nData Path=" + (m_folder / "gone") + "\n");
    ASSERT_EQ(c.Open(ini.c_str()), 1);
    EXPECT_EQ(c.DataPath, KTGF::MakePath(KTGF::GetModulePath(), "Data"));
}

TEST_F(NyraConfigFile, SaveThenOpenGivesEqualSettingsAndTheSameBytes)
{
    const std::string first = File("first.ini");
    const std::string second = File("second.ini");
    NyraConfig saved;
    FillWithNonDefaults(saved);
    saved.BrokerIP = static_cast<int>(0xC0A80A05u); // 192.168.10.5 reads as a negative int
    ASSERT_EQ(saved.Save(first.c_str()), 1);

    NyraConfig opened;
    opened.DisplayFlag.fill(0);
    ASSERT_EQ(opened.Open(first.c_str()), 1);
    EXPECT_EQ(opened.BrokerIP, saved.BrokerIP);
    EXPECT_EQ(opened.BrokerPort, 4600);
    EXPECT_EQ(opened.HospitalName, "St. Mary's Ward 3");
    EXPECT_EQ(opened.EMRDataPath, "/srv/emr data");
    EXPECT_EQ(opened.SerialName, saved.SerialName);
    EXPECT_EQ(opened.DoctorName, "Dr. Lee");
    EXPECT_EQ(opened.ReviewEventUCZeroing, 0x00010203);
    EXPECT_EQ(opened.DisplayFlag[3], 0) << "the display flags are neither written nor read";

    ASSERT_EQ(opened.Save(second.c_str()), 1);
    EXPECT_EQ(Contents(second), Contents(first));
    ASSERT_EQ(opened.Save(first.c_str()), 1);
    EXPECT_EQ(Contents(first), Contents(second)) << "saving over the file changes no byte";
}

// Typed texts (names, paths) come back from the file exactly as saved, whatever marks of the
// file's own syntax they hold; a text that the file cannot give back (a line break would end
// its line and inject keys; a NUL would cut it) makes Save refuse before it writes anything.
TEST_F(NyraConfigFile, HostileTextsRoundTripOrTheSaveIsRefused)
{
    const std::string ini = File("hostile.ini");
    NyraConfig base;
    FillWithNonDefaults(base);
    ASSERT_EQ(base.Save(ini.c_str()), 1);
    const std::string before = Contents(ini);

    const char* const keptAsTyped[] = {
        "Ward 1; bay=2",         "[CENTRAL_DEFAULT]", "Language=9",      "=",
        "; not a comment",       "100% \"sure\" it's",  "/srv/data;x/[y]", "tab\tinside",
        "\xE6\x97\xA5\xE6\x9C\xAC", "C:\\Data\\Ward",
    };
    for (const char* text : keptAsTyped) {
        SCOPED_TRACE(text);
        NyraConfig c = base;
        c.HospitalName = text;
        c.DoctorName = text;
        c.EMRProgramPath = text;
        ASSERT_EQ(c.Save(ini.c_str()), 1);
        NyraConfig opened;
        ASSERT_EQ(opened.Open(ini.c_str()), 1);
        EXPECT_EQ(opened.HospitalName, text);
        EXPECT_EQ(opened.DoctorName, text);
        EXPECT_EQ(opened.EMRProgramPath, text);
        EXPECT_EQ(opened.Language, base.Language);
    }

    ASSERT_EQ(base.Save(ini.c_str()), 1);
    const CString refused[] = {
        "Ward 1\nInjected=999", "Ward 1\r\n[CENTRAL_DEFAULT]\r\nLanguage=9", "Ward 1\r",
        CString("Ward 1\0Language=9", 18),
    };
    for (const CString& text : refused) {
        SCOPED_TRACE(text.GetString());
        NyraConfig c = base;
        c.NurseName = text;
        c.Language = 5;
        EXPECT_EQ(c.Save(ini.c_str()), 0);
        EXPECT_EQ(Contents(ini), before) << "nothing of the refused settings is written";
    }
}

TEST_F(NyraConfigFile, FileHoldsSectionsAndKeysInTableOrder)
{
    const std::string ini = File("order.ini");
    NyraConfig c;
    c.DataPath = "/data";
    ASSERT_EQ(c.Save(ini.c_str()), 1);
    const std::string text = Contents(ini);
    const char* inOrder[] = {
        "[CENTRAL_DEMO]",       "Window Mode=0",     "Demo Mode=0",        "[CENTRAL_DEFAULT]",
        "Data Path=/data",      "Auto Record Stop=0", "Language=3",        "IUP Alarm Sound=1",
        "[CENTRAL_SYSTEM]",     "Broker IP=0",       "Broker Port=4500",   "Hospital Name=MY HOSPITAL",
        "Serial Name8=0",       "Doctor ID=",        "Nurse Name=",        "[CENTRAL_COLOR]",
        "Graph Background=16777215", "Event Stimulator=0", "[REVIEW_DEFAULT]",  "Review FECG Gain=3",
        "[REVIEW_COLOR]",       "Review Event UCZeroing=0",
    };
    size_t at = 0;
    for (const char* line : inOrder) {
        const size_t found = text.find(line, at);
        ASSERT_NE(found, std::string::npos) << line << " after byte " << at << " in\n" << text;
        at = found;
    }
}

TEST_F(NyraConfigFile, SaveFailsWhenTheFileCannotBeCreated)
{
    NyraConfig c;
    EXPECT_EQ(c.Save((m_folder / "no/such/folder/TarvicII.ini").c_str()), 0);
    EXPECT_EQ(c.Save(nullptr), 0);
}

TEST_F(NyraConfigFile, SaveReportsAFileThatCannotBeWritten)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes read-only files";
    const std::string ini = File("readonly.ini");
    Write(ini, "[CENTRAL_DEMO]\nDemo Mode=1\n");
    ASSERT_EQ(chmod(ini.c_str(), 0444), 0);
    NyraConfig c;
    EXPECT_EQ(c.Save(ini.c_str()), 0);
    EXPECT_EQ(Contents(ini), "[CENTRAL_DEMO]\nDemo Mode=1\n");
}
