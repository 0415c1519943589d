// The gtk host's key symbols to classic virtual keys, and its choice of host without a display.
#include "platform/host/gtk/GtkHost.h"
#include "platform/msg/Messages.h"
#include "testkit/TestWindow.h"

#include <gtest/gtest.h>

using platform::host::GtkHost;
using platform::host::VirtualKeyForKeySymbol;

namespace {

struct KeyCase
{
    const char* name;
    unsigned symbol; // X keysym
    int vk;
};

// Symbols by their X keysym values, so the table reads without GTK's headers.
const KeyCase kKeys[] = {
    { "a", 0x061, 'A' },           { "Z", 0x05A, 'Z' },          { "7", 0x037, '7' },
    { "exclam (Shift+1)", 0x021, '1' }, { "parenright (Shift+0)", 0x029, '0' },
    { "Return", 0xFF0D, VK_RETURN }, { "KP_Enter", 0xFF8D, VK_RETURN }, { "Escape", 0xFF1B, VK_ESCAPE },
    { "BackSpace", 0xFF08, VK_BACK }, { "Tab", 0xFF09, VK_TAB },    { "ISO_Left_Tab", 0xFE20, VK_TAB },
    { "Delete", 0xFFFF, VK_DELETE }, { "Home", 0xFF50, VK_HOME },   { "Page_Down", 0xFF56, VK_NEXT },
    { "Left", 0xFF51, VK_LEFT },    { "Down", 0xFF54, VK_DOWN },    { "F1", 0xFFBE, VK_F1 },
    { "F12", 0xFFC9, VK_F12 },      { "KP_0", 0xFFB0, VK_NUMPAD0 }, { "KP_9", 0xFFB9, VK_NUMPAD0 + 9 },
    { "KP_Add", 0xFFAB, VK_ADD },   { "KP_Decimal", 0xFFAE, VK_DECIMAL }, { "KP_Divide", 0xFFAF, VK_DIVIDE },
    { "KP_End (Num Lock off)", 0xFF9C, VK_END }, { "KP_Insert (Num Lock off)", 0xFF9E, VK_INSERT },
    { "Shift_R", 0xFFE2, VK_SHIFT }, { "Control_L", 0xFFE3, VK_CONTROL }, { "Alt_L", 0xFFE9, VK_MENU },
    { "semicolon", 0x03B, VK_OEM_1 }, { "minus", 0x02D, VK_OEM_MINUS }, { "question", 0x03F, VK_OEM_2 },
    { "adiaeresis (no classic key)", 0x0E4, 0 }, { "unknown", 0x1234567, 0 },
};

TEST(GtkHostKeyMap, KeySymbolsGiveTheClassicVirtualKeys)
{
    for (const auto& k : kKeys)
        EXPECT_EQ(VirtualKeyForKeySymbol(k.symbol), k.vk) << k.name;
}

TEST(GtkHostStart, PlatformHostNullKeepsTheNullHostEvenWithADisplaySet)
{
    // The test environment sets PLATFORM_HOST=null; a display name alone must not start GTK.
    ::setenv("DISPLAY", ":99", 1);
    testkit::RecordingWnd frame;
    ASSERT_TRUE(frame.CreateTop(CRect(0, 0, 100, 100)));
    EXPECT_FALSE(GtkHost::IsRunning());
    EXPECT_FALSE(GtkHost::Start()) << "the choice is made once";
    frame.DestroyWindow();
}

} // namespace
