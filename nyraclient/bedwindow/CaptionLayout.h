// The caption bar of a bed window: the 22-pixel strip at its top with the caption text (who is in
// the bed), the monitor-number button at the left, the command buttons at the right and, while
// the bed records, the elapsed recording time just left of the stop button.
//
// MapCaptionCommands lays the bar out from the window's client rectangle and the bed's state;
// it knows nothing of windows, so the table of buttons can be checked on its own.
#pragma once

#include "nyraclient/display/DisplayTypes.h"

#include "platform/core/CString.h"
#include "platform/core/Geometry.h"

#include <array>

// One button of the caption bar. A button whose rectangle is empty is neither drawn nor hit.
struct CaptionButton
{
    CRect rect { 0, 0, 0, 0 };
    int icon { 0 };    // cell of the button icon strip (the monitor number for the number button)
    int command { 0 }; // the per-bed command its click sends (NYRACMD)
};

constexpr int kCaptionButtonSlots = 13;
// The slot of the monitor-number button, the only one a parameter-panel-only tile shows.
constexpr int kNumberButtonSlot = 12;

// What decides which buttons a bed shows.
struct CaptionState
{
    DISPMODE mode { DISPMODE_1CH };
    bool admitted { false };
    bool recording { false };
    bool soundOn { false };
};

struct CaptionLayout
{
    CRect caption { 0, 0, 0, 0 }; // where the caption text goes
    CRect elapsed { 0, 0, 0, 0 }; // the elapsed recording time; empty unless recording
    std::array<CaptionButton, kCaptionButtonSlots> buttons {};
};

// Buttons are 20 pixels wide, as tall as the caption (18), 22 pixels apart, right-aligned on
// the caption's right edge; the caption text keeps 2 pixels away from the buttons on each side.
CaptionLayout MapCaptionCommands(CRect client, const CaptionState& state);

// The elapsed recording time "%02dh:%02dm:%02ds"; a negative span (the clock was set back)
// reads as no time at all.
CString FormatElapsedRecordTime(double seconds);

// The caption text: "<id>, <first name> <last name>", with "-----------" for a missing id and
// for two missing names; names are trimmed first.
CString MakeCaptionText(CString id, CString firstName, CString lastName);
