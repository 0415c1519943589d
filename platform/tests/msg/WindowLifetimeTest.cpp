// Window life: handles of destroyed windows stay invalid, posted messages to a destroyed window
// are dropped, an object that deletes itself in its last message is never touched again, and
// the order of the creation and destruction messages.
#include "platform/host/null/NullHost.h"
#include "testkit/TestWindow.h"

#include <gtest/gtest.h>

#include <cstring>
#include <new>
#include <set>

using testkit::RecordingWnd;
using platform::host::NullHost;

namespace {

TEST(WindowLifetime, HandleOfADestroyedWindowIsInvalidForGood)
{
    std::set<HWND> seen;
    HWND first = nullptr;
    for (int i = 0; i < 50; ++i) {
        RecordingWnd w;
        ASSERT_TRUE(w.CreateTop(CRect(0, 0, 10, 10), WS_POPUP));
        HWND h = w.m_hWnd;
        EXPECT_TRUE(seen.insert(h).second) << "a handle was given out twice";
        if (!first)
            first = h;
        w.DestroyWindow();
        EXPECT_FALSE(IsWindow(h));
        EXPECT_EQ(w.m_hWnd, nullptr);
    }
    SetLastError(0);
    EXPECT_EQ(::SendMessage(first, WM_USER, 0, 0), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    EXPECT_FALSE(PostMessage(first, WM_USER, 0, 0));
    EXPECT_FALSE(::DestroyWindow(first));
    EXPECT_FALSE(::SetWindowText(first, "x"));
    RECT r;
    EXPECT_FALSE(::GetWindowRect(first, &r));
    EXPECT_EQ(CWnd::FromHandle(first), nullptr);
    // Made-up handles are no better.
    EXPECT_FALSE(IsWindow(reinterpret_cast<HWND>(0x12345)));
    EXPECT_FALSE(IsWindow(nullptr));
}

TEST(WindowLifetime, PostedMessageToAWindowDestroyedBeforeDispatchIsDropped)
{
    RecordingWnd doomed, other;
    ASSERT_TRUE(doomed.CreateTop(CRect(0, 0, 10, 10), WS_POPUP));
    ASSERT_TRUE(other.CreateTop(CRect(0, 0, 10, 10), WS_POPUP));
    doomed.PostMessage(WM_APP, 1);
    other.PostMessage(WM_APP, 2);
    doomed.PostMessage(WM_APP, 3);
    doomed.DestroyWindow();
    doomed.log.clear();
    NullHost::PumpPending();
    EXPECT_EQ(doomed.Count(WM_APP), 0);
    ASSERT_EQ(other.Count(WM_APP), 1);
}

// Deletes itself after its window is gone, and wipes its memory on the way out, so that any
// later use of the object by the dispatcher calls through a wiped vtable and crashes.
class SelfDeletingWnd : public CWnd
{
public:
    explicit SelfDeletingWnd(int* deleted) : m_deleted(deleted) {}
    ~SelfDeletingWnd() override { ++*m_deleted; }
    static void operator delete(void* p, std::size_t size)
    {
        std::memset(p, 0xDD, size);
        ::operator delete(p);
    }

    static const platform::MessageMap* GetThisMessageMap()
    {
        using namespace platform::msgmap;
        static constexpr platform::MessageMapEntry kEntries[] = {
            Message<WM_CLOSE, &SelfDeletingWnd::OnClose>(),
            Message<WM_APP, &SelfDeletingWnd::OnDestroyMe>(),
        };
        static constexpr platform::MessageMap kMap { &CWnd::GetThisMessageMap, kEntries };
        return &kMap;
    }
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    void OnClose() { DestroyWindow(); }
    LRESULT OnDestroyMe(WPARAM, LPARAM) { return DestroyWindow(); }
    void PostNcDestroy() override { delete this; }

private:
    int* m_deleted;
};

TEST(WindowLifetime, ObjectThatDeletesItselfInItsLastMessageIsNeverTouchedAgain)
{
    int deleted = 0;
    auto* a = new SelfDeletingWnd(&deleted);
    ASSERT_TRUE(a->CreateEx(0, nullptr, "a", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr));
    HWND ha = a->m_hWnd;
    auto* b = new SelfDeletingWnd(&deleted);
    ASSERT_TRUE(b->CreateEx(0, nullptr, "b", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr));
    HWND hb = b->m_hWnd;
    // More messages wait behind the ones that destroy the windows.
    PostMessage(ha, WM_CLOSE, 0, 0);
    PostMessage(ha, WM_APP, 0, 0);
    PostMessage(ha, WM_PAINT, 0, 0);
    EXPECT_EQ(::SendMessage(hb, WM_APP, 0, 0), TRUE);
    PostMessage(hb, WM_CLOSE, 0, 0);
    NullHost::PumpPending();
    EXPECT_EQ(deleted, 2);
    EXPECT_FALSE(IsWindow(ha));
    EXPECT_FALSE(IsWindow(hb));
}

TEST(WindowLifetime, CreationAndDestructionMessagesComeInTheClassicOrder)
{
    RecordingWnd parent, child;
    ASSERT_TRUE(parent.CreateTop(CRect(0, 0, 200, 200)));
    ASSERT_TRUE(child.CreateChild(&parent, CRect(10, 10, 50, 50), 100));
    EXPECT_EQ(child.Sequence({ WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW }),
              (std::vector<UINT> { WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW }));
    EXPECT_EQ(parent.Count(WM_PARENTNOTIFY), 1);

    std::vector<std::pair<HWND, UINT>> order;
    auto recorder = [&](RecordingWnd& w) {
        return [&order, &w](UINT m, WPARAM, LPARAM, LRESULT&) {
            if (m == WM_DESTROY || m == WM_NCDESTROY)
                order.emplace_back(w.m_hWnd, m);
            return false;
        };
    };
    parent.onMessage = recorder(parent);
    child.onMessage = recorder(child);
    HWND hp = parent.m_hWnd, hc = child.m_hWnd;
    parent.DestroyWindow();
    // WM_DESTROY parent first, WM_NCDESTROY children first.
    std::vector<std::pair<HWND, UINT>> expected { { hp, WM_DESTROY }, { hc, WM_DESTROY }, { hc, WM_NCDESTROY }, { hp, WM_NCDESTROY } };
    EXPECT_EQ(order, expected);
    EXPECT_EQ(child.m_hWnd, nullptr);
}

TEST(WindowLifetime, FailedCreationLeavesNoWindow)
{
    RecordingWnd refusing;
    refusing.onMessage = [](UINT m, WPARAM, LPARAM, LRESULT& result) {
        if (m != WM_CREATE)
            return false;
        result = -1;
        return true;
    };
    EXPECT_FALSE(refusing.CreateTop(CRect(0, 0, 10, 10), WS_POPUP));
    EXPECT_EQ(refusing.m_hWnd, nullptr);
    EXPECT_EQ(refusing.Count(WM_NCDESTROY), 1);

    RecordingWnd unknown;
    EXPECT_FALSE(unknown.CreateTop(CRect(0, 0, 10, 10), WS_POPUP, nullptr, "NoSuchClass"));
    EXPECT_EQ(GetLastError(), ERROR_CANNOT_FIND_WND_CLASS);

    // A child needs a parent.
    EXPECT_EQ(CreateWindowEx(0, testkit::TestClass("PlainClass", 0), "", WS_CHILD, 0, 0, 1, 1, nullptr, nullptr,
                             nullptr, nullptr),
              nullptr);
}

TEST(WindowLifetime, DestroyingAnOwnerDestroysTheWindowsItOwnsFirst)
{
    RecordingWnd owner, owned;
    ASSERT_TRUE(owner.CreateTop(CRect(0, 0, 100, 100)));
    ASSERT_TRUE(owned.CreateTop(CRect(0, 0, 50, 50), WS_POPUP, owner.m_hWnd));
    bool ownerAliveWhenOwnedDied = false;
    owned.onMessage = [&](UINT m, WPARAM, LPARAM, LRESULT&) {
        if (m == WM_DESTROY)
            ownerAliveWhenOwnedDied = IsWindow(owner.m_hWnd) && owner.Count(WM_DESTROY) == 0;
        return false;
    };
    owner.DestroyWindow();
    EXPECT_EQ(owned.m_hWnd, nullptr);
    EXPECT_TRUE(ownerAliveWhenOwnedDied);
}

TEST(WindowLifetime, DestroyingTheObjectDestroysItsWindow)
{
    HWND h;
    {
        RecordingWnd w;
        ASSERT_TRUE(w.CreateTop(CRect(0, 0, 10, 10), WS_POPUP));
        h = w.m_hWnd;
    }
    EXPECT_FALSE(IsWindow(h));
}

TEST(WindowLifetime, AChildObjectDeletedInItsParentsDestructionIsNotCalledAgain)
{
    // A view deletes its helper windows' objects in its own WM_DESTROY: their windows go with
    // the view, later, and reach no deleted object.
    RecordingWnd parent;
    ASSERT_TRUE(parent.CreateTop(CRect(0, 0, 100, 100), WS_POPUP));
    auto* child = new RecordingWnd;
    ASSERT_TRUE(child->CreateEx(0, nullptr, "", WS_CHILD, CRect(0, 0, 10, 10), &parent, 1));
    const HWND childWindow = child->m_hWnd;
    parent.onMessage = [&](UINT message, WPARAM, LPARAM, LRESULT&) {
        if (message == WM_DESTROY) {
            delete child;
            child = nullptr;
        }
        return false;
    };
    parent.DestroyWindow();
    EXPECT_EQ(child, nullptr);
    EXPECT_FALSE(IsWindow(childWindow));
}

// A control class whose procedure keeps a per-window object and frees it in WM_NCDESTROY, as
// the standard controls do.
int g_controlObjects = 0;
LRESULT CountingControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        ++g_controlObjects;
    else if (message == WM_NCDESTROY)
        --g_controlObjects;
    return DefWindowProc(hwnd, message, wParam, lParam);
}

TEST(WindowLifetime, AControlWhoseObjectWentInItsParentsDestructionStillFreesItsOwnObject)
{
    WNDCLASS wc {};
    wc.lpfnWndProc = &CountingControlProc;
    wc.lpszClassName = "CountingControl";
    RegisterClass(&wc);
    g_controlObjects = 0;

    // A view whose WM_DESTROY deletes the object of a control it made: the control's window
    // goes later with the view, and its class procedure still sees the end.
    RecordingWnd parent;
    ASSERT_TRUE(parent.CreateTop(CRect(0, 0, 100, 100), WS_POPUP));
    auto* control = new CWnd;
    ASSERT_TRUE(control->CreateEx(0, "CountingControl", "", WS_CHILD, CRect(0, 0, 10, 10), &parent, 1));
    ASSERT_EQ(g_controlObjects, 1);
    parent.onMessage = [&](UINT message, WPARAM, LPARAM, LRESULT&) {
        if (message == WM_DESTROY) {
            delete control;
            control = nullptr;
        }
        return false;
    };
    parent.DestroyWindow();
    EXPECT_EQ(control, nullptr);
    EXPECT_EQ(g_controlObjects, 0) << "the class procedure got WM_NCDESTROY";
}

} // namespace
