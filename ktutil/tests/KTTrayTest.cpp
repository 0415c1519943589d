// KTTray with a recording tray service: the icon's record, showing it again, the tip, and what
// happens with the icon's mouse notifications.
#include "ktutil/KTTray.h"

#include "platform/gdi/Icon.h"
#include "platform/gdi/Image.h"
#include "testkit/TestWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct RecordingTray : ktutil::TrayArea
{
    std::vector<std::string> calls;
    std::vector<ktutil::TrayIcon> added;
    HWND menuOwner { nullptr };
    UINT menuId { 0 };
    int subMenu { -1 };

    bool AddIcon(const ktutil::TrayIcon& icon) override
    {
        calls.push_back("add");
        added.push_back(icon);
        return true;
    }
    bool RemoveIcon(const ktutil::TrayIcon&) override
    {
        calls.push_back("remove");
        return true;
    }
    void ShowMenu(HWND owner, UINT id, int sub) override
    {
        calls.push_back("menu");
        menuOwner = owner, menuId = id, subMenu = sub;
    }
};

constexpr UINT kTrayId = 4321;
constexpr UINT kMenuId = 130;

class KTTrayTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ktutil::SetTrayArea(m_area);
        ASSERT_TRUE(m_parent.CreateTop(CRect(0, 0, 300, 200)));
        platform::Image picture(16, 16);
        m_icon = platform::CreateIconFromImage(picture);
        ASSERT_NE(m_icon, nullptr);
    }
    void TearDown() override
    {
        ktutil::SetTrayArea(nullptr);
        DestroyIcon(m_icon);
    }

    LRESULT Notify(KTTray& tray, UINT event) { return tray.SendMessage(KTTray::WM_TRAY_NOTIFY, kTrayId, event); }

    std::shared_ptr<RecordingTray> m_area { std::make_shared<RecordingTray>() };
    testkit::RecordingWnd m_parent;
    HICON m_icon { nullptr };
};

} // namespace

TEST_F(KTTrayTest, TheIconIsAddedWithItsRecordAndReAddedOnEveryChange)
{
    KTTray tray;
    ASSERT_EQ(tray.Create(&m_parent, kTrayId), 1);
    EXPECT_EQ(tray.GetDlgCtrlID(), static_cast<int>(kTrayId));
    ASSERT_EQ(tray.SetTray(m_icon, "Central station"), 1);
    EXPECT_TRUE(tray.IsShown());
    ASSERT_EQ(m_area->added.size(), 1u);
    const ktutil::TrayIcon& record = m_area->added[0];
    EXPECT_EQ(record.window, tray.m_hWnd);
    EXPECT_EQ(record.id, kTrayId);
    EXPECT_EQ(record.callbackMessage, 71024u);
    EXPECT_EQ(record.icon, m_icon);
    EXPECT_STREQ(record.tip, "Central station");

    tray.SetToolTip("Bed 1");
    EXPECT_EQ(m_area->calls, std::vector<std::string>({ "add", "remove", "add" }));
    EXPECT_STREQ(m_area->added.back().tip, "Bed 1");

    // The desktop's notification area started again: the icon goes back in.
    tray.SendMessage(RegisterWindowMessage("TaskbarCreated"));
    EXPECT_EQ(m_area->calls.size(), 5u);
    EXPECT_EQ(m_area->calls.back(), "add");
}

TEST_F(KTTrayTest, ALongTipIsCutOnACharacterBoundary)
{
    KTTray tray;
    ASSERT_EQ(tray.Create(&m_parent, kTrayId), 1);
    std::string tip(62, 'a');
    tip += "\xEC\x82\xB0 more"; // a three-byte character across the 63-byte limit
    tray.SetTray(m_icon, tip.c_str());
    EXPECT_EQ(std::string(m_area->added.back().tip), std::string(62, 'a'));
}

TEST_F(KTTrayTest, AnIconTheProgramLacksKeepsTheCurrentOne)
{
    KTTray tray;
    ASSERT_EQ(tray.Create(&m_parent, kTrayId), 1);
    tray.SetTray(m_icon, "tip");
    size_t calls = m_area->calls.size();
    EXPECT_EQ(tray.SetTrayIcon(9999u), 0);
    EXPECT_EQ(tray.SetStandareIcon(9999u), 0);
    EXPECT_EQ(m_area->calls.size(), calls);
}

TEST_F(KTTrayTest, WithoutANotificationAreaTheIconIsNotShownAndNothingFails)
{
    ktutil::SetTrayArea(nullptr);
    KTTray tray;
    ASSERT_EQ(tray.Create(&m_parent, kTrayId), 1);
    EXPECT_EQ(tray.SetTray(m_icon, "tip"), 1);
    EXPECT_FALSE(tray.IsShown());
    tray.SetDefaultMenu(kMenuId, 0);
    EXPECT_EQ(Notify(tray, WM_RBUTTONUP), 0);
}

TEST_F(KTTrayTest, TheMenuOpensOnARightClickOnlyWhenEnabledAndSet)
{
    KTTray tray;
    ASSERT_EQ(tray.Create(&m_parent, kTrayId), 1);
    tray.SetTray(m_icon, "tip");
    m_area->calls.clear();

    Notify(tray, WM_RBUTTONUP); // no menu set yet
    tray.SetDefaultMenu(kMenuId, 2);
    Notify(tray, WM_LBUTTONUP); // a left click without Alt
    Notify(tray, WM_MOUSEMOVE);
    EXPECT_TRUE(m_area->calls.empty());

    Notify(tray, WM_RBUTTONUP);
    ASSERT_EQ(m_area->calls, std::vector<std::string>({ "menu" }));
    EXPECT_EQ(m_area->menuOwner, m_parent.m_hWnd);
    EXPECT_EQ(m_area->menuId, kMenuId);
    EXPECT_EQ(m_area->subMenu, 2);
    EXPECT_EQ(GetForegroundWindow(), m_parent.m_hWnd);

    tray.EnablePopup(FALSE);
    Notify(tray, WM_RBUTTONUP);
    EXPECT_EQ(m_area->calls.size(), 1u);
}

TEST_F(KTTrayTest, ForwardedNotificationsGoToTheNotifyWindowWithItsAnswer)
{
    KTTray tray;
    ASSERT_EQ(tray.Create(&m_parent, kTrayId), 1);
    tray.SetDefaultMenu(kMenuId, 0);
    constexpr UINT kForwarded = WM_USER + 77;
    m_parent.onMessage = [](UINT message, WPARAM, LPARAM, LRESULT& result) {
        if (message != kForwarded)
            return false;
        result = 55;
        return true;
    };
    tray.SetNotify(&m_parent, kForwarded);
    EXPECT_EQ(Notify(tray, WM_RBUTTONUP), 55);
    EXPECT_EQ(m_parent.Count(kForwarded), 1);
    EXPECT_TRUE(m_area->calls.empty() || m_area->calls.back() != "menu");

    tray.SetNotify(nullptr, 0); // forwarding ends; the menu is back
    Notify(tray, WM_RBUTTONUP);
    EXPECT_EQ(m_parent.Count(kForwarded), 1);
    EXPECT_EQ(m_area->calls.back(), "menu");
}

TEST_F(KTTrayTest, TheIconLeavesTheAreaWithTheObject)
{
    {
        KTTray tray;
        ASSERT_EQ(tray.Create(&m_parent, kTrayId), 1);
        tray.SetTray(m_icon, "tip");
    }
    EXPECT_EQ(m_area->calls.back(), "remove");
}
