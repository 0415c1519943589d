// The two toolbar layouts of the main window (the setting "Demo Mode" chooses 129): 60 x 50
// pictures, button i showing picture i of the toolbar bitmaps. Layout 129 is layout 128 with its
// own picture ids and the demo-bed button at the right end.
#include "tarvic/res/TarvicResourceIds.h"

#include "platform/core/ResourceModule.h"

#include <array>

namespace tarvic {
namespace {

constexpr std::array<UINT, 16> kLayout128 = {
    ID_PICTURE_LOGO,    ID_PAGE_PREV,       ID_PAGE_NEXT,       ID_PICTURE_PAGES,
    ID_DISPLAY_1CH,     ID_DISPLAY_2CH,     ID_DISPLAY_4CH,     ID_DISPLAY_8CH,
    ID_DISPLAY_16CH,    ID_PICTURE_LAYOUTS, ID_PATIENT_MANAGER, ID_CONFIGURATION,
    ID_PICTURE_RECORDS, ID_REVIEW_PROGRAM,  ID_PICTURE_REVIEW,  ID_APP_EXIT,
};
constexpr std::array<UINT, 17> kLayout129 = {
    ID_PICTURE_LOGO_DEMO,
    ID_PAGE_PREV,
    ID_PAGE_NEXT,
    ID_PICTURE_PAGES_DEMO,
    ID_DISPLAY_1CH,
    ID_DISPLAY_2CH,
    ID_DISPLAY_4CH,
    ID_DISPLAY_8CH,
    ID_DISPLAY_16CH,
    ID_PICTURE_LAYOUTS_DEMO,
    ID_PATIENT_MANAGER,
    ID_CONFIGURATION,
    ID_PICTURE_RECORDS_DEMO,
    ID_REVIEW_PROGRAM,
    ID_PICTURE_REVIEW_DEMO,
    ID_APP_EXIT,
    ID_DEMO_BED,
};

// A toolbar resource: little-endian words version 1, button width, height, count, then the ids.
template <std::size_t N> constexpr std::array<BYTE, 8 + 2 * N> ToolBarResource(const std::array<UINT, N>& ids)
{
    std::array<BYTE, 8 + 2 * N> bytes{};
    const UINT head[] = {1, kToolBarImageWidth, kToolBarImageHeight, N};
    std::size_t at = 0;
    auto put = [&](UINT word) {
        bytes[at++] = BYTE(word & 0xFF);
        bytes[at++] = BYTE(word >> 8);
    };
    for (UINT word : head)
        put(word);
    for (UINT id : ids)
        put(id);
    return bytes;
}

constexpr auto kToolBar128 = ToolBarResource(kLayout128);
constexpr auto kToolBar129 = ToolBarResource(kLayout129);
static_assert(kLayout129.size() <= kToolBarImageCount);

const platform::ResourceData kData[] = {
    {"TOOLBAR", IDR_MAINFRAME, nullptr, kToolBar128},
    {"TOOLBAR", IDR_MAINFRAME_DEMO, nullptr, kToolBar129},
};

const platform::ResourceModuleRegistration s_toolbars("TarvicII", {.data = kData});

} // namespace
} // namespace tarvic
