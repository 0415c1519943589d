// The control library's own string table: the English texts its controls show. A language
// module replaces any of them under the same id. The table is registered as the library's
// resource module when the library loads (basic/KTCtrlModule.cpp).
#pragma once

#include "platform/core/ResourceModule.h"
#include "platform/core/Types.h"

#include <span>

namespace ktctrl {

// ---- colour picker --------------------------------------------------------------------------
constexpr UINT IDS_KTCOLOR_DEFAULT = 12000; // the popup's "Default" cell
constexpr UINT IDS_KTCOLOR_MORE = 12001;    // the popup's "More Colours..." cell

// The names of the palette's 40 colours, cell by cell: IDS_KTCOLOR_PALETTE_FIRST + cell.
constexpr UINT IDS_KTCOLOR_PALETTE_FIRST = 12010;
// The names of the colour combo box's 16 default colours: IDS_KTCOLOR_COMBO_FIRST + index.
constexpr UINT IDS_KTCOLOR_COMBO_FIRST = 12050;

// Every entry in ascending id order.
std::span<const platform::StringEntry> StringTable();

} // namespace ktctrl
