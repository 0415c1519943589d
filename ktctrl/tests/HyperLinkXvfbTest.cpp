// The hyperlink under the gtk host on a real X display: the pointer over the link shows the
// desktop's hand cursor, and a click starts the link's target through the shell (here a
// small script that leaves a marker file).
#include "ktctrl/link/KTHyperLink.h"
#include "testkit/ControlParent.h"
#include "testkit/TempFolder.h"
#include "testkit/TestWindow.h"
#include "testkit/Xvfb.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using testkit::PumpDisplayUntil;

namespace {

class KTHyperLinkOnXvfb : public testkit::XvfbTest
{
protected:
    void SetUp() override
    {
        testkit::XvfbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        script = folder.Path("open-target.sh").GetString();
        marker = folder.Path("opened").GetString();
        std::ofstream(script) << "#!/bin/sh\ntouch '" << marker << "'\n";
        ::chmod(script.c_str(), 0755);
        ASSERT_TRUE(frame.CreateTop(CRect(60, 60, 360, 200), WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, nullptr, "Link"));
        ASSERT_TRUE(testkit::DisplayHostRunning());
        link.SetURL(script.c_str());
        ASSERT_TRUE(link.Create("Open the ward manual", WS_CHILD | WS_VISIBLE, CRect(20, 20, 260, 40), &frame, 300));
        ASSERT_TRUE(PumpDisplayUntil([&] { return testkit::IsOnDisplay(frame.m_hWnd); }));
    }
    static int MoveTo(POINT screen)
    {
        return testkit::RunTool({ "xdotool", "mousemove", "--sync", std::to_string(screen.x), std::to_string(screen.y) });
    }

    testkit::TempFolder folder;
    std::string script, marker;
    testkit::RecordingWnd frame;
    KTHyperLink link;
};

TEST_F(KTHyperLinkOnXvfb, ShowsAHandOverTheLinkAndAClickOpensItsTarget)
{
    ASSERT_EQ(MoveTo(testkit::ScreenPoint(frame, 200, 100)), 0);
    PumpDisplayUntil([&] { return testkit::ShownCursorName() == "default"; });
    ASSERT_EQ(MoveTo(testkit::ScreenPoint(link, 5, 5)), 0);
    EXPECT_TRUE(PumpDisplayUntil([&] { return testkit::ShownCursorName() == "pointer"; }))
        << "shown: " << testkit::ShownCursorName();
    EXPECT_TRUE(PumpDisplayUntil([&] { return link.IsHover() != 0; }));

    ASSERT_EQ(testkit::RunTool({ "xdotool", "click", "1" }), 0);
    EXPECT_TRUE(PumpDisplayUntil([&] { return ::access(marker.c_str(), F_OK) == 0; })) << "the target did not run";
    EXPECT_EQ(link.GetVisited(), 1);
}

} // namespace
