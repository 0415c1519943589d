// The control library's own string table: the English texts its controls show. A language
// module replaces any of them under the same id. The table is registered as the library's
// resource module when the library loads (basic/KTCtrlModule.cpp).
#pragma once

#include "platform/core/ResourceModule.h"
#include "platform/core/Types.h"

#include <span>

namespace ktctrl {

// The ids lie in a range of their own: a text is looked up in the program's table first, so an
// id that a program also uses (their texts lie from 10000 to 13999 and above 57000) would show
// the program's text in the library's controls.

// ---- colour picker --------------------------------------------------------------------------
constexpr UINT IDS_KTCOLOR_DEFAULT = 30000; // the popup's "Default" cell
constexpr UINT IDS_KTCOLOR_MORE = 30001;    // the popup's "More Colours..." cell

// The names of the palette's 40 colours, cell by cell: IDS_KTCOLOR_PALETTE_FIRST + cell.
constexpr UINT IDS_KTCOLOR_PALETTE_FIRST = 30010;
// The names of the colour combo box's 16 default colours: IDS_KTCOLOR_COMBO_FIRST + index.
constexpr UINT IDS_KTCOLOR_COMBO_FIRST = 30050;

// Every entry in ascending id order.
std::span<const platform::StringEntry> StringTable();

} // namespace ktctrl
