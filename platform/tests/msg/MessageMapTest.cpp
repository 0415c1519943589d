// Message maps: typed handlers get their cracked arguments, maps chain to the base class,
// commands route with their command-UI state, notifications reach the parent, and
// reflection gives a control its own notifications first.
#include "platform/host/null/NullHost.h"
#include "testkit/TestWindow.h"

#include <gtest/gtest.h>

using platform::MessageMap;
using platform::MessageMapEntry;

namespace {

constexpr UINT ID_SAVE = 100;
constexpr UINT ID_PRINT = 101;
constexpr UINT ID_BED_FIRST = 200;
constexpr UINT ID_BED_LAST = 215;
constexpr UINT IDC_LIST = 300;
constexpr UINT IDC_BUTTON = 301;
constexpr UINT EN_CHANGE_CODE = 0x0300;
constexpr UINT NM_CLICK_CODE = static_cast<UINT>(-2);
constexpr UINT NM_DBLCLK_CODE = static_cast<UINT>(-3);

class CBaseWnd : public CWnd
{
public:
    static const MessageMap* GetThisMessageMap()
    {
        using namespace platform::msgmap;
        static constexpr MessageMapEntry kEntries[] = {
            Message<WM_SIZE, &CBaseWnd::OnSize>(),
            Message<WM_TIMER, &CBaseWnd::OnTimer>(),
            Command<&CBaseWnd::OnPrint>(ID_PRINT),
        };
        static constexpr MessageMap kMap { &CWnd::GetThisMessageMap, kEntries };
        return &kMap;
    }
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    void OnSize(UINT type, int cx, int cy) { sizes.push_back({ static_cast<int>(type), cx, cy }); }
    void OnTimer(UINT_PTR id) { baseTimers.push_back(id); }
    void OnPrint() { ++prints; }

    std::vector<std::array<int, 3>> sizes;
    std::vector<UINT_PTR> baseTimers;
    int prints = 0;
};

class CDerivedWnd : public CBaseWnd
{
public:
    static const MessageMap* GetThisMessageMap()
    {
        using namespace platform::msgmap;
        static constexpr MessageMapEntry kEntries[] = {
            Message<WM_TIMER, &CDerivedWnd::OnTimer>(),
            Message<WM_LBUTTONDOWN, &CDerivedWnd::OnLButtonDown>(),
            Message<WM_MOUSEWHEEL, &CDerivedWnd::OnMouseWheel>(),
            Message<WM_KEYDOWN, &CDerivedWnd::OnKeyDown>(),
            Message<WM_APP + 5, &CDerivedWnd::OnAppMessage>(),
            Message<WM_DRAWITEM, &CDerivedWnd::OnDrawItem>(),
            CtlColor<&CDerivedWnd::OnCtlColor>(),
            Command<&CDerivedWnd::OnSave>(ID_SAVE),
            UpdateUI<&CDerivedWnd::OnUpdateSave>(ID_SAVE),
            CommandRange<&CDerivedWnd::OnBed>(ID_BED_FIRST, ID_BED_LAST),
            Control<&CDerivedWnd::OnListChange>(EN_CHANGE_CODE, IDC_LIST),
            Control<&CDerivedWnd::OnButton>(0, IDC_BUTTON),
            Notify<&CDerivedWnd::OnListClick>(NM_CLICK_CODE, IDC_LIST),
            NotifyRange<&CDerivedWnd::OnAnyDblClk>(NM_DBLCLK_CODE, IDC_LIST, IDC_BUTTON),
        };
        static constexpr MessageMap kMap { &CBaseWnd::GetThisMessageMap, kEntries };
        return &kMap;
    }
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    void OnTimer(UINT_PTR id)
    {
        derivedTimers.push_back(id);
        CBaseWnd::OnTimer(id); // chains to the base handler explicitly, like the classic code
    }
    void OnLButtonDown(UINT flags, CPoint point) { clicks.push_back({ flags, point }); }
    BOOL OnMouseWheel(UINT, short delta, CPoint) { wheel += delta; return TRUE; }
    void OnKeyDown(UINT key, UINT repeat, UINT) { keys.push_back({ key, repeat }); }
    LRESULT OnAppMessage(WPARAM w, LPARAM l) { return static_cast<LRESULT>(w) + l; }
    void OnDrawItem(int, LPDRAWITEMSTRUCT) { ++parentDrawItems; }
    HBRUSH OnCtlColor(CDC*, CWnd*, UINT kind) { ++parentCtlColors; lastCtlColor = kind; return reinterpret_cast<HBRUSH>(1); }
    void OnSave() { ++saves; }
    void OnUpdateSave(CCmdUI* ui) { ui->Enable(saveEnabled); }
    void OnBed(UINT id) { beds.push_back(id); }
    void OnListChange() { ++listChanges; }
    void OnButton() { ++buttonClicks; }
    void OnListClick(NMHDR* header, LRESULT* result) { ++listClicks, lastNotifyFrom = header->hwndFrom, *result = 5; }
    void OnAnyDblClk(UINT id, NMHDR*, LRESULT*) { dblClkIds.push_back(id); }

    std::vector<UINT_PTR> derivedTimers;
    std::vector<std::pair<UINT, CPoint>> clicks;
    int wheel = 0;
    std::vector<std::pair<UINT, UINT>> keys;
    int parentDrawItems = 0, parentCtlColors = 0, saves = 0, listChanges = 0, buttonClicks = 0, listClicks = 0;
    UINT lastCtlColor = 0;
    bool saveEnabled = true;
    std::vector<UINT> beds, dblClkIds;
    HWND lastNotifyFrom = nullptr;
};

// A control that handles some of its own notifications through reflection.
class CReflectingControl : public CWnd
{
public:
    static const MessageMap* GetThisMessageMap()
    {
        using namespace platform::msgmap;
        static constexpr MessageMapEntry kEntries[] = {
            ReflectCommand<&CReflectingControl::OnReflectedClick>(0),
            ReflectCommand<&CReflectingControl::OnReflectedChange>(EN_CHANGE_CODE),
            ReflectNotify<&CReflectingControl::OnReflectedNotify>(NM_CLICK_CODE),
            ReflectDrawItem<&CReflectingControl::DrawItem>(),
            ReflectCtlColor<&CReflectingControl::CtlColor>(),
        };
        static constexpr MessageMap kMap { &CWnd::GetThisMessageMap, kEntries };
        return &kMap;
    }
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    void OnReflectedClick() { ++ownClicks; }
    BOOL OnReflectedChange() { ++ownChanges; return FALSE; } // the parent sees it too
    void OnReflectedNotify(NMHDR*, LRESULT* result) { ++ownNotifies, *result = 9; }
    void DrawItem(LPDRAWITEMSTRUCT) { ++ownDrawItems; }
    HBRUSH CtlColor(CDC*, UINT) { return ownBrush; }

    int ownClicks = 0, ownChanges = 0, ownNotifies = 0, ownDrawItems = 0;
    HBRUSH ownBrush = nullptr;
};

class MessageMaps : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr));
        ASSERT_TRUE(control.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 40), &parent, IDC_BUTTON));
    }

    CDerivedWnd parent;
    CReflectingControl control;
};

TEST_F(MessageMaps, TypedHandlersGetCrackedArguments)
{
    parent.SendMessage(WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(640, 480));
    ASSERT_FALSE(parent.sizes.empty());
    EXPECT_EQ(parent.sizes.back(), (std::array<int, 3> { 2, 640, 480 }));

    parent.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(static_cast<WORD>(-5), 17));
    ASSERT_EQ(parent.clicks.size(), 1u);
    EXPECT_EQ(parent.clicks[0].first, MK_LBUTTON | MK_SHIFT);
    EXPECT_EQ(parent.clicks[0].second, CPoint(-5, 17));

    EXPECT_EQ(parent.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-240)), 0), TRUE);
    EXPECT_EQ(parent.wheel, -240);

    parent.SendMessage(WM_KEYDOWN, VK_F5, 3);
    ASSERT_EQ(parent.keys.size(), 1u);
    EXPECT_EQ(parent.keys[0], (std::pair<UINT, UINT>(VK_F5, 3)));

    EXPECT_EQ(parent.SendMessage(WM_APP + 5, 40, 2), 42);
}

TEST_F(MessageMaps, DerivedEntriesComeFirstAndTheBaseMapStillAnswers)
{
    parent.SendMessage(WM_TIMER, 3, 0);
    EXPECT_EQ(parent.derivedTimers, std::vector<UINT_PTR> { 3 });
    EXPECT_EQ(parent.baseTimers, std::vector<UINT_PTR> { 3 });
    parent.SendMessage(WM_COMMAND, ID_PRINT, 0);
    EXPECT_EQ(parent.prints, 1);
}

TEST_F(MessageMaps, MenuCommandsRunOnlyWhileTheirCommandUIEnablesThem)
{
    parent.SendMessage(WM_COMMAND, ID_SAVE, 0);
    EXPECT_EQ(parent.saves, 1);
    parent.saveEnabled = false;
    parent.SendMessage(WM_COMMAND, ID_SAVE, 0);
    EXPECT_EQ(parent.saves, 1);

    CCmdUI state;
    state.m_nID = ID_SAVE;
    EXPECT_TRUE(state.DoUpdate(&parent, TRUE));
    EXPECT_FALSE(state.m_bEnabled);
    // Without an update handler an item is enabled exactly when some handler takes it.
    CCmdUI print, unknown;
    print.m_nID = ID_PRINT;
    unknown.m_nID = 999;
    print.DoUpdate(&parent, TRUE);
    unknown.DoUpdate(&parent, TRUE);
    EXPECT_TRUE(print.m_bEnabled);
    EXPECT_FALSE(unknown.m_bEnabled);
}

// A kind of item that shows checks its own way shows radio states the same way.
TEST(MsgCommandUI, ARadioStateReachesTheItemThroughItsCheck)
{
    struct CheckedItem : CCmdUI
    {
        std::vector<int> checks;
        void SetCheck(int nCheck) override
        {
            CCmdUI::SetCheck(nCheck);
            checks.push_back(nCheck);
        }
    } item;
    item.SetRadio(TRUE);
    item.SetRadio(FALSE);
    EXPECT_EQ(item.checks, (std::vector<int> { 1, 0 }));
    EXPECT_EQ(item.m_nCheck, 0);
}

TEST_F(MessageMaps, CommandRangesGetTheCommandId)
{
    for (UINT id : { ID_BED_FIRST, ID_BED_FIRST + 7, ID_BED_LAST, ID_BED_LAST + 1 })
        parent.SendMessage(WM_COMMAND, id, 0);
    EXPECT_EQ(parent.beds, (std::vector<UINT> { ID_BED_FIRST, ID_BED_FIRST + 7, ID_BED_LAST }));
}

TEST_F(MessageMaps, AReflectedNotificationStaysWithTheControlUnlessItLetsItThrough)
{
    // BN_CLICKED: the control takes it, the parent never sees it.
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_BUTTON, 0), reinterpret_cast<LPARAM>(control.m_hWnd));
    EXPECT_EQ(control.ownClicks, 1);
    EXPECT_EQ(parent.buttonClicks, 0);

    // EN_CHANGE: the control's handler returns FALSE, so the parent handles it too.
    control.SetDlgCtrlID(IDC_LIST);
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_LIST, EN_CHANGE_CODE), reinterpret_cast<LPARAM>(control.m_hWnd));
    EXPECT_EQ(control.ownChanges, 1);
    EXPECT_EQ(parent.listChanges, 1);

    // WM_NOTIFY: reflected first, with the control's result.
    NMHDR header { control.m_hWnd, IDC_LIST, NM_CLICK_CODE };
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, IDC_LIST, reinterpret_cast<LPARAM>(&header)), 9);
    EXPECT_EQ(control.ownNotifies, 1);
    EXPECT_EQ(parent.listClicks, 0);
}

TEST_F(MessageMaps, NotificationsFromControlsWithoutReflectionReachTheParent)
{
    testkit::RecordingWnd plain;
    ASSERT_TRUE(plain.CreateChild(&parent, CRect(0, 50, 50, 80), IDC_LIST));
    NMHDR header { plain.m_hWnd, IDC_LIST, NM_CLICK_CODE };
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, IDC_LIST, reinterpret_cast<LPARAM>(&header)), 5);
    EXPECT_EQ(parent.listClicks, 1);
    EXPECT_EQ(parent.lastNotifyFrom, plain.m_hWnd);

    NMHDR dbl { plain.m_hWnd, IDC_LIST, NM_DBLCLK_CODE };
    parent.SendMessage(WM_NOTIFY, IDC_LIST, reinterpret_cast<LPARAM>(&dbl));
    NMHDR dblButton { plain.m_hWnd, IDC_BUTTON, NM_DBLCLK_CODE };
    parent.SendMessage(WM_NOTIFY, IDC_BUTTON, reinterpret_cast<LPARAM>(&dblButton));
    EXPECT_EQ(parent.dblClkIds, (std::vector<UINT> { IDC_LIST, IDC_BUTTON }));

    parent.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_LIST, EN_CHANGE_CODE), reinterpret_cast<LPARAM>(plain.m_hWnd));
    EXPECT_EQ(parent.listChanges, 1);
}

TEST_F(MessageMaps, DrawItemAndControlColoursGoToTheControlFirst)
{
    DRAWITEMSTRUCT dis;
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = IDC_BUTTON;
    dis.hwndItem = control.m_hWnd;
    EXPECT_EQ(parent.SendMessage(WM_DRAWITEM, IDC_BUTTON, reinterpret_cast<LPARAM>(&dis)), TRUE);
    EXPECT_EQ(control.ownDrawItems, 1);
    EXPECT_EQ(parent.parentDrawItems, 0);

    // A control without its own colours leaves the answer to the parent.
    EXPECT_EQ(parent.SendMessage(WM_CTLCOLORSTATIC, 0, reinterpret_cast<LPARAM>(control.m_hWnd)), 1);
    EXPECT_EQ(parent.parentCtlColors, 1);
    EXPECT_EQ(parent.lastCtlColor, CTLCOLOR_STATIC);
    control.ownBrush = reinterpret_cast<HBRUSH>(0x77);
    EXPECT_EQ(parent.SendMessage(WM_CTLCOLORBTN, 0, reinterpret_cast<LPARAM>(control.m_hWnd)), 0x77);
    EXPECT_EQ(parent.parentCtlColors, 1);
}

// Pre-translation sees a message for the target first, then for each parent.
class CPreTranslating : public testkit::RecordingWnd
{
public:
    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_KEYDOWN || msg->message == WM_KEYUP)
            seen.push_back(msg->hwnd);
        return consume && msg->message == WM_KEYDOWN;
    }
    std::vector<HWND> seen;
    bool consume = false;
};

TEST(MsgPreTranslate, WalksFromTheTargetUpThroughItsParents)
{
    CPreTranslating top, middle, leaf;
    ASSERT_TRUE(top.CreateTop(CRect(0, 0, 200, 200)));
    ASSERT_TRUE(middle.CreateChild(&top, CRect(0, 0, 100, 100), 1));
    ASSERT_TRUE(leaf.CreateChild(&middle, CRect(0, 0, 50, 50), 2));
    top.consume = true;
    leaf.PostMessage(WM_KEYDOWN, 'A', 1);
    leaf.PostMessage(WM_KEYUP, 'A', 1);
    platform::host::NullHost::PumpPending();
    EXPECT_EQ(leaf.seen.size(), 2u);
    EXPECT_EQ(middle.seen.size(), 2u);
    EXPECT_EQ(top.seen.size(), 2u);
    // The key-down was consumed by the top window: never dispatched, never translated.
    EXPECT_EQ(leaf.Count(WM_KEYDOWN), 0);
    EXPECT_EQ(leaf.Count(WM_CHAR), 0);
    EXPECT_EQ(leaf.Count(WM_KEYUP), 1);
}

// An existing window of a class with its own procedure, taken over by an object.
int s_classProcCalls = 0;
LRESULT CountingClassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP + 9)
        return ++s_classProcCalls;
    return DefWindowProc(hwnd, message, wParam, lParam);
}

class CSubclasser : public CWnd
{
public:
    void PreSubclassWindow() override { preSubclassed = m_hWnd != nullptr; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_APP + 8)
            return 88;
        return CWnd::WindowProc(message, wParam, lParam);
    }
    bool preSubclassed = false;
};

TEST(MsgSubclass, ObjectGetsTheMessagesFirstAndTheClassProcedureTheRest)
{
    WNDCLASS wc;
    wc.lpfnWndProc = CountingClassProc;
    wc.lpszClassName = "CountingControl";
    ASSERT_NE(RegisterClass(&wc), 0);
    EXPECT_EQ(RegisterClass(&wc), 0);
    EXPECT_EQ(GetLastError(), ERROR_CLASS_ALREADY_EXISTS);
    EXPECT_TRUE(GetClassInfo(nullptr, "countingcontrol", &wc)); // names compare without case

    HWND hwnd = CreateWindowEx(0, "CountingControl", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
    CSubclasser object;
    ASSERT_TRUE(object.SubclassWindow(hwnd));
    EXPECT_TRUE(object.preSubclassed);
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), &object);
    EXPECT_EQ(::SendMessage(hwnd, WM_APP + 8, 0, 0), 88);
    EXPECT_EQ(::SendMessage(hwnd, WM_APP + 9, 0, 0), 1);
    EXPECT_EQ(object.UnsubclassWindow(), hwnd);
    EXPECT_EQ(::SendMessage(hwnd, WM_APP + 8, 0, 0), 0);
    ::DestroyWindow(hwnd);

    // A window the object creates itself goes through PreSubclassWindow too, before WM_NCCREATE.
    CSubclasser created;
    ASSERT_TRUE(created.CreateEx(0, "CountingControl", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_TRUE(created.preSubclassed);
    EXPECT_EQ(created.SendMessage(WM_APP + 9), 2);
}

} // namespace
