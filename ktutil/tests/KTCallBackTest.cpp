// KTCallBack in message mode (a window of the calling thread answers the progress message) and
// the message pumping of KTGF: PeekMsg, and one waiting message dispatched per copied block.
#include "ktutil/KTCallBack.h"
#include "ktutil/KTGF.h"

#include "platform/msg/Messages.h"
#include "platform/msg/WindowApi.h"
#include "testkit/TempFolder.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using testkit::PatternBytes;
using testkit::TempFolder;

constexpr UINT kProgressMessage = WM_APP + 1;
constexpr UINT kPostedMessage = WM_APP + 2;

struct WindowLog
{
    std::vector<KTNotifyProgress> records;
    std::vector<LONG> codes;
    std::vector<LPARAM> userValues;
    int cancelAt { 0 };
    int posted { 0 };
};
WindowLog g_log;

LRESULT ProgressWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kProgressMessage) {
        const auto* notify = reinterpret_cast<const __KTNotify*>(wParam);
        g_log.records.push_back(*notify->pProgress);
        g_log.codes.push_back(notify->nCode);
        g_log.userValues.push_back(lParam);
        return static_cast<int>(g_log.records.size()) == g_log.cancelAt ? KTCALLBACK_CANCEL : 0;
    }
    if (message == kPostedMessage) {
        ++g_log.posted;
        return 0;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

class KTCallBackWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        static const bool registered = [] {
            WNDCLASS progressClass;
            progressClass.lpfnWndProc = ProgressWindowProc;
            progressClass.lpszClassName = "KTCallBackTestWindow";
            return RegisterClass(&progressClass) != 0;
        }();
        ASSERT_TRUE(registered);
        g_log = WindowLog();
        window = CreateWindowEx(0, "KTCallBackTestWindow", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                nullptr);
        ASSERT_TRUE(window);
        // Nothing of the window's creation is left waiting.
        while (KTGF::PeekMsg(nullptr)) {
        }
    }
    void TearDown() override
    {
        if (IsWindow(window))
            DestroyWindow(window);
    }

    HWND window { nullptr };
    TempFolder dir;
};

TEST_F(KTCallBackWindow, MessageModeSendsTheRecordToTheWindow)
{
    const CString source = dir.Write("a.bin", PatternBytes(10000));
    KTCallBack target(window, kProgressMessage, 42);
    EXPECT_EQ(KTGF::CopyFileA(source, dir.Path("b.bin"), FALSE, FALSE, &target), 0);
    ASSERT_EQ(g_log.records.size(), 3u);
    EXPECT_EQ(g_log.codes, (std::vector<LONG> { KTNOTIFY_COPY, KTNOTIFY_COPY, KTNOTIFY_COPY }));
    EXPECT_EQ(g_log.userValues, (std::vector<LPARAM> { 42, 42, 42 }));
    EXPECT_EQ(g_log.records[0].nFileDone, 4096u);
    EXPECT_EQ(g_log.records[2].nTotalPercent, 100);
    EXPECT_EQ(g_log.records[2].strFileName, source);
}

TEST_F(KTCallBackWindow, TheWindowCancelsAndNoPartialTargetIsLeft)
{
    const CString source = dir.Write("a.bin", PatternBytes(10000));
    g_log.cancelAt = 2;
    KTCallBack target(window, kProgressMessage, 0);
    EXPECT_EQ(KTGF::CopyFileA(source, dir.Path("b.bin"), FALSE, FALSE, &target), KTGF_CANCELLED);
    EXPECT_EQ(dir.Tree(), (std::vector<std::string> { "a.bin" }));
}

TEST_F(KTCallBackWindow, AModeSwitchKeepsTheLatestTarget)
{
    KTCallBack target(window, kProgressMessage, 7);
    KTCallBack copy(target);
    KTNotifyProgress record;
    __KTNotify notify { KTNOTIFY_DELETE, &record };
    EXPECT_EQ(copy.CallBack(&notify), 0);
    EXPECT_EQ(g_log.userValues, (std::vector<LPARAM> { 7 }));
    copy.UseFunctionCB([](__KTNotify*, LONG value) -> LONG { return value; }, KTCALLBACK_CANCEL);
    EXPECT_EQ(copy.CallBack(&notify), KTCALLBACK_CANCEL);
    EXPECT_EQ(g_log.userValues.size(), 1u) << "the window is no longer told";
    DestroyWindow(window);
    EXPECT_EQ(target.CallBack(&notify), 0) << "a destroyed window answers nothing";
}

TEST_F(KTCallBackWindow, PeekMsgDispatchesOneWaitingMessageAndNeverWaits)
{
    PostMessage(window, kPostedMessage);
    PostMessage(window, kPostedMessage);
    MSG msg;
    EXPECT_TRUE(KTGF::PeekMsg(&msg));
    EXPECT_EQ(msg.message, kPostedMessage);
    EXPECT_EQ(g_log.posted, 1);
    EXPECT_TRUE(KTGF::PeekMsg(nullptr));
    EXPECT_EQ(g_log.posted, 2);
    EXPECT_FALSE(KTGF::PeekMsg(&msg));
}

TEST_F(KTCallBackWindow, ACopyDispatchesOneMessageAfterEachFullBlock)
{
    for (int i = 0; i < 5; ++i)
        PostMessage(window, kPostedMessage);
    const CString exact = dir.Write("exact.bin", PatternBytes(4096));
    EXPECT_EQ(KTGF::CopyFileA(exact, dir.Path("exact.out"), FALSE, FALSE), 0);
    EXPECT_EQ(g_log.posted, 1) << "one full block, then a read of 0 bytes";
    const CString longer = dir.Write("long.bin", PatternBytes(3 * 4096 + 10));
    EXPECT_EQ(KTGF::CopyFileA(longer, dir.Path("long.out"), FALSE, FALSE), 0);
    EXPECT_EQ(g_log.posted, 4);
    const CString empty = dir.Write("empty.bin", "");
    EXPECT_EQ(KTGF::CopyFileA(empty, dir.Path("empty.out"), FALSE, FALSE), 0);
    EXPECT_EQ(g_log.posted, 4);
    EXPECT_EQ(dir.Read("empty.out"), "");
}

} // namespace
