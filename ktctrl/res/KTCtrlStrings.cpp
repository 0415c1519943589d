// The control library's English string table. The colour names stand as the controls have
// always shown them, "Pale green " with its trailing blank and "Fushcia" as it was spelt.
#include "ktctrl/res/KTCtrlStrings.h"

namespace ktctrl {
namespace {

constexpr platform::StringEntry kStrings[] = {
    { IDS_KTCOLOR_DEFAULT, "Default" },
    { IDS_KTCOLOR_MORE, "More Colours..." },

    // ---- the palette, cell by cell -------------------------------------------------------
    { IDS_KTCOLOR_PALETTE_FIRST + 0, "Black" },
    { IDS_KTCOLOR_PALETTE_FIRST + 1, "Brown" },
    { IDS_KTCOLOR_PALETTE_FIRST + 2, "Dark Olive Green" },
    { IDS_KTCOLOR_PALETTE_FIRST + 3, "Dark Green" },
    { IDS_KTCOLOR_PALETTE_FIRST + 4, "Dark Teal" },
    { IDS_KTCOLOR_PALETTE_FIRST + 5, "Dark blue" },
    { IDS_KTCOLOR_PALETTE_FIRST + 6, "Indigo" },
    { IDS_KTCOLOR_PALETTE_FIRST + 7, "Dark grey" },
    { IDS_KTCOLOR_PALETTE_FIRST + 8, "Dark red" },
    { IDS_KTCOLOR_PALETTE_FIRST + 9, "Orange" },
    { IDS_KTCOLOR_PALETTE_FIRST + 10, "Dark yellow" },
    { IDS_KTCOLOR_PALETTE_FIRST + 11, "Green" },
    { IDS_KTCOLOR_PALETTE_FIRST + 12, "Teal" },
    { IDS_KTCOLOR_PALETTE_FIRST + 13, "Blue" },
    { IDS_KTCOLOR_PALETTE_FIRST + 14, "Blue-grey" },
    { IDS_KTCOLOR_PALETTE_FIRST + 15, "Grey - 40" },
    { IDS_KTCOLOR_PALETTE_FIRST + 16, "Red" },
    { IDS_KTCOLOR_PALETTE_FIRST + 17, "Light orange" },
    { IDS_KTCOLOR_PALETTE_FIRST + 18, "Lime" },
    { IDS_KTCOLOR_PALETTE_FIRST + 19, "Sea green" },
    { IDS_KTCOLOR_PALETTE_FIRST + 20, "Aqua" },
    { IDS_KTCOLOR_PALETTE_FIRST + 21, "Light blue" },
    { IDS_KTCOLOR_PALETTE_FIRST + 22, "Violet" },
    { IDS_KTCOLOR_PALETTE_FIRST + 23, "Grey - 50" },
    { IDS_KTCOLOR_PALETTE_FIRST + 24, "Pink" },
    { IDS_KTCOLOR_PALETTE_FIRST + 25, "Gold" },
    { IDS_KTCOLOR_PALETTE_FIRST + 26, "Yellow" },
    { IDS_KTCOLOR_PALETTE_FIRST + 27, "Bright green" },
    { IDS_KTCOLOR_PALETTE_FIRST + 28, "Turquoise" },
    { IDS_KTCOLOR_PALETTE_FIRST + 29, "Skyblue" },
    { IDS_KTCOLOR_PALETTE_FIRST + 30, "Plum" },
    { IDS_KTCOLOR_PALETTE_FIRST + 31, "Light grey" },
    { IDS_KTCOLOR_PALETTE_FIRST + 32, "Rose" },
    { IDS_KTCOLOR_PALETTE_FIRST + 33, "Tan" },
    { IDS_KTCOLOR_PALETTE_FIRST + 34, "Light yellow" },
    { IDS_KTCOLOR_PALETTE_FIRST + 35, "Pale green " },
    { IDS_KTCOLOR_PALETTE_FIRST + 36, "Pale turquoise" },
    { IDS_KTCOLOR_PALETTE_FIRST + 37, "Pale blue" },
    { IDS_KTCOLOR_PALETTE_FIRST + 38, "Lavender" },
    { IDS_KTCOLOR_PALETTE_FIRST + 39, "White" },

    // ---- the colour combo box's defaults --------------------------------------------------
    { IDS_KTCOLOR_COMBO_FIRST + 0, "Black" },
    { IDS_KTCOLOR_COMBO_FIRST + 1, "Maroon" },
    { IDS_KTCOLOR_COMBO_FIRST + 2, "Green" },
    { IDS_KTCOLOR_COMBO_FIRST + 3, "Olive" },
    { IDS_KTCOLOR_COMBO_FIRST + 4, "Navy" },
    { IDS_KTCOLOR_COMBO_FIRST + 5, "Purple" },
    { IDS_KTCOLOR_COMBO_FIRST + 6, "Teal" },
    { IDS_KTCOLOR_COMBO_FIRST + 7, "Grey" },
    { IDS_KTCOLOR_COMBO_FIRST + 8, "Silver" },
    { IDS_KTCOLOR_COMBO_FIRST + 9, "Red" },
    { IDS_KTCOLOR_COMBO_FIRST + 10, "Lime" },
    { IDS_KTCOLOR_COMBO_FIRST + 11, "Yellow" },
    { IDS_KTCOLOR_COMBO_FIRST + 12, "Blue" },
    { IDS_KTCOLOR_COMBO_FIRST + 13, "Fushcia" },
    { IDS_KTCOLOR_COMBO_FIRST + 14, "Aqua" },
    { IDS_KTCOLOR_COMBO_FIRST + 15, "White" },
};

} // namespace

std::span<const platform::StringEntry> StringTable() { return kStrings; }

} // namespace ktctrl
