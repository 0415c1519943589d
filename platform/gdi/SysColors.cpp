// The fixed classic light colour and metrics tables.
#include "platform/gdi/SysColors.h"

#include "platform/gdi/GdiInternal.h"
#include "platform/msg/NonClientMetrics.h"

#include <array>
#include <atomic>

using namespace platform::gdi;

namespace {

constexpr std::array<COLORREF, 31> kColors = {
    RGB(212, 208, 200), // COLOR_SCROLLBAR
    RGB(58, 110, 165),  // COLOR_BACKGROUND
    RGB(10, 36, 106),   // COLOR_ACTIVECAPTION
    RGB(128, 128, 128), // COLOR_INACTIVECAPTION
    RGB(212, 208, 200), // COLOR_MENU
    RGB(255, 255, 255), // COLOR_WINDOW
    RGB(0, 0, 0),       // COLOR_WINDOWFRAME
    RGB(0, 0, 0),       // COLOR_MENUTEXT
    RGB(0, 0, 0),       // COLOR_WINDOWTEXT
    RGB(255, 255, 255), // COLOR_CAPTIONTEXT
    RGB(212, 208, 200), // COLOR_ACTIVEBORDER
    RGB(212, 208, 200), // COLOR_INACTIVEBORDER
    RGB(128, 128, 128), // COLOR_APPWORKSPACE
    RGB(10, 36, 106),   // COLOR_HIGHLIGHT
    RGB(255, 255, 255), // COLOR_HIGHLIGHTTEXT
    RGB(212, 208, 200), // COLOR_BTNFACE
    RGB(128, 128, 128), // COLOR_BTNSHADOW
    RGB(128, 128, 128), // COLOR_GRAYTEXT
    RGB(0, 0, 0),       // COLOR_BTNTEXT
    RGB(212, 208, 200), // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255), // COLOR_BTNHIGHLIGHT
    RGB(64, 64, 64),    // COLOR_3DDKSHADOW
    RGB(212, 208, 200), // COLOR_3DLIGHT
    RGB(0, 0, 0),       // COLOR_INFOTEXT
    RGB(255, 255, 225), // COLOR_INFOBK
    RGB(181, 181, 181), // 25: unused
    RGB(0, 0, 128),     // COLOR_HOTLIGHT
    RGB(166, 202, 240), // COLOR_GRADIENTACTIVECAPTION
    RGB(192, 192, 192), // COLOR_GRADIENTINACTIVECAPTION
    RGB(10, 36, 106),   // COLOR_MENUHILIGHT
    RGB(212, 208, 200), // COLOR_MENUBAR
};

struct MetricEntry
{
    int index;
    int value;
};

// Metrics that do not depend on the screen. The non-client sizes come from the window layer's
// table, so that the bars and frames it reserves are the ones the controls measure.
constexpr auto& kNc = platform::msg::kNonClientMetrics;
constexpr MetricEntry kMetrics[] = {
    { SM_CXVSCROLL, kNc.scrollBar }, { SM_CYHSCROLL, kNc.scrollBar }, { SM_CYCAPTION, kNc.caption },
    { SM_CXBORDER, kNc.border }, { SM_CYBORDER, kNc.border }, { SM_CXDLGFRAME, kNc.dialogFrame },
    { SM_CYDLGFRAME, kNc.dialogFrame }, { SM_CYVTHUMB, kNc.scrollThumb }, { SM_CXHTHUMB, kNc.scrollThumb },
    { SM_CXICON, 32 }, { SM_CYICON, 32 }, { SM_CXCURSOR, 32 }, { SM_CYCURSOR, 32 }, { SM_CYMENU, kNc.menuBar },
    { SM_CYVSCROLL, kNc.scrollBar }, { SM_CXHSCROLL, kNc.scrollBar },
    { SM_CXMIN, 112 }, { SM_CYMIN, 27 }, { SM_CXSIZE, 18 }, { SM_CYSIZE, 18 },
    { SM_CXFRAME, kNc.sizingFrame }, { SM_CYFRAME, kNc.sizingFrame }, { SM_CXDOUBLECLK, 4 }, { SM_CYDOUBLECLK, 4 },
    { SM_CXEDGE, kNc.clientEdge }, { SM_CYEDGE, kNc.clientEdge }, { SM_CXSMICON, 16 }, { SM_CYSMICON, 16 },
    { SM_CXDRAG, 4 }, { SM_CYDRAG, 4 }, { SM_CXMENUCHECK, 13 }, { SM_CYMENUCHECK, 13 },
    { SM_CMONITORS, 1 },
};

std::atomic<int> g_screenWidth { 1920 };
std::atomic<int> g_screenHeight { 1080 };

} // namespace

COLORREF GetSysColor(int index)
{
    if (index < 0 || index >= static_cast<int>(kColors.size()))
        return 0;
    return kColors[index];
}

HBRUSH GetSysColorBrush(int index)
{
    static const auto brushes = [] {
        std::array<BrushData*, kColors.size()> table {};
        for (size_t i = 0; i < kColors.size(); ++i) {
            auto* b = new BrushData;
            b->stock = true;
            b->color = kColors[i];
            Register(b);
            table[i] = b;
        }
        return table;
    }();
    if (index < 0 || index >= static_cast<int>(brushes.size()))
        return nullptr;
    return static_cast<HBRUSH>(static_cast<void*>(brushes[index]));
}

int GetSystemMetrics(int index)
{
    switch (index) {
    case SM_CXSCREEN:
    case SM_CXFULLSCREEN:
    case SM_CXVIRTUALSCREEN: return g_screenWidth.load();
    case SM_CYSCREEN:
    case SM_CYVIRTUALSCREEN: return g_screenHeight.load();
    case SM_CYFULLSCREEN: return g_screenHeight.load() - 19;
    default: break;
    }
    for (const auto& m : kMetrics)
        if (m.index == index)
            return m.value;
    return 0;
}

void platform::SetScreenMetrics(int width, int height)
{
    g_screenWidth = width;
    g_screenHeight = height;
}
