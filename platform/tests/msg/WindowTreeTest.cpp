// Windows as objects: parents, owners and children in z-order, control ids, styles, text,
// enabled and visible state, position and size with their messages, coordinate mapping, and
// the class registry.
#include "platform/host/null/NullHost.h"
#include "platform/msg/WindowClass.h"
#include "testkit/TestWindow.h"

#include <gtest/gtest.h>

using testkit::RecordingWnd;

namespace {

class WindowTree : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.CreateTop(CRect(100, 50, 500, 350), WS_OVERLAPPEDWINDOW | WS_VISIBLE));
        for (int i = 0; i < 3; ++i)
            ASSERT_TRUE(children[i].CreateChild(&frame, CRect(10 * i, 0, 10 * i + 10, 10), i == 2 ? 7 : 7 + i));
    }
    RecordingWnd frame;
    RecordingWnd children[3];
};

BOOL CollectChild(HWND hwnd, LPARAM lParam)
{
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
    return TRUE;
}

TEST_F(WindowTree, ChildrenEnumerateInCreationOrderAndDuplicateIdsAreAllowed)
{
    std::vector<HWND> order;
    EnumChildWindows(frame.m_hWnd, CollectChild, reinterpret_cast<LPARAM>(&order));
    EXPECT_EQ(order, (std::vector<HWND> { children[0].m_hWnd, children[1].m_hWnd, children[2].m_hWnd }));
    EXPECT_EQ(frame.GetWindow(GW_CHILD)->m_hWnd, children[0].m_hWnd);
    EXPECT_EQ(children[0].GetWindow(GW_HWNDNEXT)->m_hWnd, children[1].m_hWnd);
    EXPECT_EQ(children[2].GetWindow(GW_HWNDNEXT), nullptr);
    // Two children share id 7: GetDlgItem finds the first in z-order.
    EXPECT_EQ(::GetDlgItem(frame.m_hWnd, 7), children[0].m_hWnd);
    EXPECT_EQ(children[2].GetDlgCtrlID(), 7);
    EXPECT_EQ(children[1].GetParent()->m_hWnd, frame.m_hWnd);
    EXPECT_TRUE(::IsChild(frame.m_hWnd, children[1].m_hWnd));

    children[2].SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(::GetWindow(frame.m_hWnd, GW_CHILD), children[2].m_hWnd);
    EXPECT_EQ(::GetDlgItem(frame.m_hWnd, 7), children[2].m_hWnd);
}

TEST_F(WindowTree, OwnedPopupsAreTopLevelWindowsWithAnOwner)
{
    RecordingWnd popup;
    // The owner of a top-level window is always a top-level: asking for a child gives its frame.
    ASSERT_TRUE(popup.CreateTop(CRect(0, 0, 50, 50), WS_POPUP, children[0].m_hWnd));
    EXPECT_EQ(::GetWindow(popup.m_hWnd, GW_OWNER), frame.m_hWnd);
    EXPECT_EQ(::GetParent(popup.m_hWnd), frame.m_hWnd); // the classic answer for a pop-up
    EXPECT_EQ(::GetAncestor(popup.m_hWnd, GA_PARENT), GetDesktopWindow());
    EXPECT_EQ(::GetAncestor(children[1].m_hWnd, GA_ROOT), frame.m_hWnd);
    EXPECT_EQ(::GetParent(frame.m_hWnd), nullptr);
}

TEST_F(WindowTree, TopmostWindowsStayAboveActivatedOnes)
{
    RecordingWnd tip;
    ASSERT_TRUE(tip.CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, nullptr, "", WS_POPUP | WS_BORDER, 0, 0, 50, 20,
                             frame.m_hWnd, nullptr));
    tip.SetWindowPos(&CWnd::wndTopMost, 120, 80, 50, 20, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    EXPECT_TRUE(tip.IsWindowVisible());
    EXPECT_NE(GetActiveWindow(), tip.m_hWnd); // shown without activation
    RecordingWnd other;
    ASSERT_TRUE(other.CreateTop(CRect(0, 0, 300, 300)));
    frame.SetActiveWindow();
    EXPECT_EQ(GetTopWindow(nullptr), tip.m_hWnd);
    EXPECT_EQ(::WindowFromPoint(CPoint(130, 90)), tip.m_hWnd);
}

TEST_F(WindowTree, MessageOnlyWindowsExistOnlyAsTargets)
{
    RecordingWnd hidden;
    ASSERT_TRUE(hidden.CreateEx(0, nullptr, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr));
    EXPECT_FALSE(hidden.IsWindowVisible());
    std::vector<HWND> tops;
    EnumWindows(CollectChild, reinterpret_cast<LPARAM>(&tops));
    EXPECT_EQ(std::count(tops.begin(), tops.end(), hidden.m_hWnd), 0);
    hidden.PostMessage(WM_APP);
    platform::host::NullHost::PumpPending();
    EXPECT_EQ(hidden.Count(WM_APP), 1);
}

TEST_F(WindowTree, MovingAndSizingSendTheirMessagesAndMapCoordinates)
{
    children[1].log.clear();
    children[1].MoveWindow(20, 30, 60, 40);
    EXPECT_EQ(children[1].Sequence({ WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE }),
              (std::vector<UINT> { WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE }));
    auto size = std::find_if(children[1].log.begin(), children[1].log.end(), [](auto& e) { return e.message == WM_SIZE; });
    EXPECT_EQ(LOWORD(size->lParam), 60);
    EXPECT_EQ(HIWORD(size->lParam), 40);

    // Only a move: no WM_SIZE.
    children[1].log.clear();
    children[1].SetWindowPos(nullptr, 25, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(children[1].Count(WM_SIZE), 0);
    EXPECT_EQ(children[1].Count(WM_MOVE), 1);

    // The frame has a sizing border (4) and a caption (19): its client area starts inside them.
    CRect client;
    frame.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 400 - 8, 300 - 4 - 4 - 19));
    CPoint p(0, 0);
    children[1].ClientToScreen(&p);
    EXPECT_EQ(p, CPoint(100 + 4 + 25, 50 + 4 + 19 + 30));
    children[1].ScreenToClient(&p);
    EXPECT_EQ(p, CPoint(0, 0));
    CRect window;
    children[1].GetWindowRect(&window);
    EXPECT_EQ(window, CRect(129, 103, 189, 143));
    EXPECT_EQ(::WindowFromPoint(CPoint(130, 104)), children[1].m_hWnd);
    EXPECT_EQ(::ChildWindowFromPoint(frame.m_hWnd, CPoint(26, 31)), children[1].m_hWnd);

    CRect adjusted(0, 0, 100, 100);
    AdjustWindowRectEx(&adjusted, WS_OVERLAPPEDWINDOW, FALSE, 0);
    EXPECT_EQ(adjusted, CRect(-4, -23, 104, 104));
}

TEST_F(WindowTree, StylesTextAndStateChangeWithTheirMessages)
{
    frame.log.clear();
    EXPECT_TRUE(frame.ModifyStyle(0, WS_CLIPCHILDREN));
    EXPECT_FALSE(frame.ModifyStyle(0, WS_CLIPCHILDREN)); // nothing to change
    EXPECT_TRUE(frame.GetStyle() & WS_CLIPCHILDREN);
    EXPECT_EQ(frame.Sequence({ WM_STYLECHANGING, WM_STYLECHANGED }), (std::vector<UINT> { WM_STYLECHANGING, WM_STYLECHANGED }));
    EXPECT_TRUE(frame.ModifyStyleEx(0, WS_EX_CLIENTEDGE));
    EXPECT_TRUE(frame.GetExStyle() & WS_EX_CLIENTEDGE);

    frame.SetWindowText("Bett 1 – Überwachung");
    CString text;
    frame.GetWindowText(text);
    EXPECT_EQ(text, "Bett 1 – Überwachung");
    char small[9];
    // A short buffer never ends in half a character: "Bett 1 " and then a 3-byte dash.
    EXPECT_EQ(::GetWindowText(frame.m_hWnd, small, sizeof small), 7);
    EXPECT_STREQ(small, "Bett 1 ");

    EXPECT_FALSE(children[0].EnableWindow(FALSE));
    EXPECT_FALSE(children[0].IsWindowEnabled());
    EXPECT_TRUE(children[0].EnableWindow(TRUE));
    EXPECT_EQ(children[0].Count(WM_ENABLE), 2);

    frame.ShowWindow(SW_HIDE);
    EXPECT_FALSE(children[0].IsWindowVisible()); // visible means: with every ancestor
    EXPECT_TRUE(children[0].GetStyle() & WS_VISIBLE);
    frame.ShowWindow(SW_SHOW);
    EXPECT_TRUE(children[0].IsWindowVisible());
}

TEST_F(WindowTree, MaximizeAndRestoreReportTheSizeType)
{
    platform::host::NullHost::SetScreenSize(1280, 1024);
    frame.log.clear();
    frame.ShowWindow(SW_MAXIMIZE);
    EXPECT_TRUE(frame.IsZoomed());
    CRect rect;
    frame.GetWindowRect(&rect);
    EXPECT_EQ(rect, CRect(0, 0, 1280, 1024));
    auto sizes = [&] {
        std::vector<WPARAM> types;
        for (auto& e : frame.log)
            if (e.message == WM_SIZE)
                types.push_back(e.wParam);
        return types;
    };
    EXPECT_EQ(sizes().back(), SIZE_MAXIMIZED);
    frame.ShowWindow(SW_RESTORE);
    frame.GetWindowRect(&rect);
    EXPECT_EQ(rect, CRect(100, 50, 500, 350));
    EXPECT_EQ(sizes().back(), SIZE_RESTORED);

    // The window may set its own maximized place and size.
    frame.onMessage = [](UINT m, WPARAM, LPARAM lParam, LRESULT&) {
        if (m != WM_GETMINMAXINFO)
            return false;
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMaxPosition = POINT { 10, 20 };
        info->ptMaxSize = POINT { 800, 600 };
        return true;
    };
    frame.ShowWindow(SW_MAXIMIZE);
    frame.GetWindowRect(&rect);
    EXPECT_EQ(rect, CRect(10, 20, 810, 620));
    platform::host::NullHost::SetScreenSize(1920, 1080);
}

TEST(WindowSizes, ANewTopLevelStartsWithinItsTrackSizes)
{
    RecordingWnd small;
    small.onMessage = [](UINT m, WPARAM, LPARAM lParam, LRESULT&) {
        if (m == WM_GETMINMAXINFO)
            reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = POINT { 300, 200 };
        return false;
    };
    ASSERT_TRUE(small.CreateTop(CRect(0, 0, 100, 100), WS_OVERLAPPEDWINDOW));
    CRect rect;
    small.GetWindowRect(&rect);
    EXPECT_EQ(rect, CRect(0, 0, 300, 200));
}

TEST(WindowClasses, RegistryByNameWithTheFrameworkHelpers)
{
    LPCTSTR name = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW, nullptr, reinterpret_cast<HBRUSH>(16));
    EXPECT_STREQ(AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW, nullptr, reinterpret_cast<HBRUSH>(16)), name);
    WNDCLASS wc;
    ASSERT_TRUE(GetClassInfo(nullptr, name, &wc));
    EXPECT_EQ(wc.style, CS_DBLCLKS | CS_HREDRAW);

    WNDCLASS bed;
    bed.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    bed.lpfnWndProc = ::DefWindowProc;
    bed.lpszClassName = "TreeTestControl";
    EXPECT_TRUE(AfxRegisterClass(&bed));
    EXPECT_TRUE(AfxRegisterClass(&bed)); // already there is fine

    // A window of a registered class by name, as dialog templates make their controls.
    HWND hwnd = CreateWindowEx(0, "treetestcontrol", "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
    char className[64];
    EXPECT_EQ(GetClassName(hwnd, className, sizeof className), 15);
    EXPECT_STREQ(className, "TreeTestControl");
    EXPECT_FALSE(UnregisterClass("TreeTestControl", nullptr)); // still has a window
    ::DestroyWindow(hwnd);
    EXPECT_TRUE(UnregisterClass("TreeTestControl", nullptr));

    WNDCLASS nameless;
    nameless.lpfnWndProc = ::DefWindowProc;
    nameless.lpszClassName = "";
    EXPECT_FALSE(AfxRegisterClass(&nameless));
}

TEST(WindowClasses, AFailedRegistrationThrowsTheResourceException)
{
    bool thrown = false;
    try {
        AfxThrowResourceException();
    } catch (CResourceException* e) {
        char text[80];
        thrown = e->GetErrorMessage(text, sizeof text);
        e->Delete();
    }
    EXPECT_TRUE(thrown);
}

} // namespace
