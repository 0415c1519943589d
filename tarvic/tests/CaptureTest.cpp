// Capturing a bed's trend for the medical record: a 1344 x 1900 JPEG named from the monitor's
// patient texts and the time, saved in the "EMR Data Path" folder with the message that says
// where; a missing folder says so and the medical-record program still starts; a folder named as
// the program starts nothing; texts with "/" and ".." never lead the file out of the folder.
#include "support/StationFixture.h"

#include "nyraclient/client/ClientMessages.h"

#include "platform/gdi/Image.h"
#include "testkit/Golden.h"
#include "testkit/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sys/stat.h>

using namespace stationtest;
namespace fs = std::filesystem;

namespace {

class Capture : public StationTest
{
protected:
    NyraClientInfo* StartWithBed()
    {
        StartStation();
        NyraClientInfo* bed = ConnectMonitor("127.0.0.2", &sim);
        EXPECT_NE(bed, nullptr);
        Seconds(*sim, 120);
        boxes.Reset();
        return bed;
    }

    void SetPatient(NyraClientInfo* bed, const char* id, const char* first, const char* last)
    {
        sim->SetPatient(id, first, last);
        ASSERT_TRUE(sim->Send(sim->PatientPacket()));
        Await(*sim, 1);
        ASSERT_EQ(bed->GetPatientPacket().GetPatientId(), CString(id));
    }

    // A program that leaves a file behind when it runs.
    std::string MarkerScript()
    {
        const std::string script = folder / "emr.sh";
        std::ofstream(script) << "#!/bin/sh\ntouch '" << (folder / "emr-ran") << "'\n";
        ::chmod(script.c_str(), 0755);
        return script;
    }

    std::vector<fs::path> Jpegs(const std::string& where)
    {
        std::vector<fs::path> found;
        if (fs::is_directory(where)) {
            for (const auto& entry : fs::directory_iterator(where))
                if (entry.path().extension() == ".JPG")
                    found.push_back(entry.path());
        }
        return found;
    }

    MonitorSim* sim { nullptr };
    testkit::ScriptedDialogs boxes;
};

TEST_F(Capture, SavesTheReportPageAsAJpegAndSaysWhere)
{
    NyraClientInfo* bed = StartWithBed();
    SetPatient(bed, "P-7", "Anna", "Berg");
    const std::string emr(folder.MakeDir("EMR"));
    g_Config.EMRDataPath = emr.c_str();
    g_Config.EMRProgramPath = "";
    bed->SendMsgToParent(CLIENT_NOTIFY_COMMAND, NYRACMD_CAPTURE);

    const auto files = Jpegs(emr);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_TRUE(std::regex_match(files[0].filename().string(), std::regex(R"(P-7_BergAnna_\d{14}\.JPG)")))
        << files[0];
    platform::Image image;
    ASSERT_TRUE(image.Load(files[0].c_str()));
    EXPECT_EQ(image.Width(), 1344);
    EXPECT_EQ(image.Height(), 1900);
    testkit::SaveForReview(image, "tarvic_capture");

    const auto shown = boxes.BoxTexts();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "File saved in following directory...\n(" + files[0].string() + ")");
    EXPECT_EQ(bed->GetTrendStore().IsLockTrendDelete(), 0);
}

TEST_F(Capture, AMissingFolderSaysSoAndTheProgramStillStarts)
{
    NyraClientInfo* bed = StartWithBed();
    g_Config.EMRDataPath = (folder / "no-such-folder").c_str();
    g_Config.EMRProgramPath = MarkerScript().c_str();
    bed->SendMsgToParent(CLIENT_NOTIFY_COMMAND, NYRACMD_CAPTURE);
    const auto shown = platform::msg::TakeShownMessageBoxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text.Find("JPG image cannot be created!\nImage save path not correct!\n("), 0);
    EXPECT_EQ(shown[0].Icon(), UINT(MB_ICONERROR));
    EXPECT_EQ(shown[0].caption, "Tarvic II");
    EXPECT_TRUE(PumpUntil([&] { return fs::exists(folder / "emr-ran"); }));
    EXPECT_EQ(bed->GetTrendStore().IsLockTrendDelete(), 0);
}

TEST_F(Capture, AFolderAsTheProgramStartsNothingAndSaysNothing)
{
    NyraClientInfo* bed = StartWithBed();
    const std::string emr(folder.MakeDir("EMR"));
    g_Config.EMRDataPath = emr.c_str();
    g_Config.EMRProgramPath = emr.c_str();
    bed->SendMsgToParent(CLIENT_NOTIFY_COMMAND, NYRACMD_CAPTURE);
    const auto shown = platform::msg::TakeShownMessageBoxes();
    ASSERT_EQ(shown.size(), 1u); // the saved picture's message alone
    EXPECT_EQ(shown[0].Icon(), 0u);
}

TEST_F(Capture, PatientTextsNeverLeadTheFileOutOfTheFolder)
{
    NyraClientInfo* bed = StartWithBed();
    SetPatient(bed, "../../up", "a/b", "..");
    const std::string emr(folder.MakeDir("EMR"));
    g_Config.EMRDataPath = emr.c_str();
    g_Config.EMRProgramPath = "";
    bed->SendMsgToParent(CLIENT_NOTIFY_COMMAND, NYRACMD_CAPTURE);
    const auto files = Jpegs(emr);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].parent_path(), fs::path(emr));
    const std::string name = files[0].filename().string();
    EXPECT_EQ(name.find(".."), std::string::npos) << name;
    EXPECT_EQ(name.rfind("____up__a_b_", 0), 0u) << name;
    EXPECT_TRUE(Jpegs(std::string(folder.Root())).empty());
}

} // namespace
