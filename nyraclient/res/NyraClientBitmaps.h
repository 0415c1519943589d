// The client library's bitmaps: the bed window's frame strips, its caption-button icons and its
// monitor-number icons. They are our own artwork, drawn at build time by
// nyraclient/res/tools/MakeBedArtwork.cpp into PNG resources (magenta marks what is transparent
// in the icon strips), and registered with the library's resource module.
#pragma once

#include "platform/core/ResourceModule.h"
#include "platform/core/Types.h"

#include <span>

namespace nyraclient {

// ---- frame strips: the normal set and the highlighted set (a tile whose bed is enlarged) ------
constexpr UINT IDB_FRAME_CAPTION = 5007;        // 1912 x 22
constexpr UINT IDB_FRAME_LEFT = 5021;           // 3 x 479
constexpr UINT IDB_FRAME_RIGHT = 5018;          // 3 x 479
constexpr UINT IDB_FRAME_BOTTOM = 5019;         // 1912 x 3
constexpr UINT IDB_FRAME_CAPTION_HOT = 5012;    // 315 x 22
constexpr UINT IDB_FRAME_LEFT_HOT = 5015;       // 3 x 97
constexpr UINT IDB_FRAME_RIGHT_HOT = 5016;      // 3 x 97
constexpr UINT IDB_FRAME_BOTTOM_HOT = 5013;     // 315 x 3

// ---- icon strips: cells side by side, magenta (255, 0, 255) transparent ----------------------
constexpr UINT IDB_BUTTON_ICONS = 5010;         // 11 cells of 20 x 22
constexpr UINT IDB_BUTTON_ICONS_HOT = 5014;
constexpr UINT IDB_NUMBER_ICONS = 5020;         // 17 cells of 20 x 20 (monitor numbers 0 to 16)
constexpr UINT IDB_NUMBER_ICONS_HOT = 5017;

constexpr int kButtonIconWidth = 20;
constexpr int kButtonIconHeight = 22;
constexpr int kButtonIconCount = 11;
constexpr int kNumberIconWidth = 20;
constexpr int kNumberIconHeight = 20;
constexpr int kNumberIconCount = 17;

// Icons of the button strip by cell.
constexpr int ICON_RECORD_START = 1;
constexpr int ICON_RECORD_STOP = 3;
constexpr int ICON_ADMIT = 4;
constexpr int ICON_SOUND_OFF = 5; // shown while the alarm sound is on: a click silences it
constexpr int ICON_SOUND_ON = 6;  // shown while it is off: a click turns it on
constexpr int ICON_TREND_PRINT = 7;
constexpr int ICON_CAPTURE = 8;
constexpr int ICON_SETTING = 9;
constexpr int ICON_CLOSE = 10;

// Every bitmap as a "PNG" resource (the generated table).
std::span<const platform::ResourceData> BitmapTable();

} // namespace nyraclient
