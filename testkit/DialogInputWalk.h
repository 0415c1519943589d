// Every control of a dialog reached the user's way: a press and release at the centre of each
// visible, enabled control through the host's input path, checking that the control took it,
// then a round of Tab and one of Shift+Tab from the first control, on every page, checking that
// every tab stop gets the focus exactly once per round.
//
// A dialog is walked as it stands: its controls, those of the child dialogs in it and those of
// the pages on its tab controls (each tab chosen by a click on the tab). What shows that a
// control took the click depends on its kind:
//   - push button: its parent heard its WM_COMMAND;
//   - check box: its state changed (a second click puts it back);
//   - radio button: it is checked and has the focus (the previous choice is clicked back);
//   - drop-down list: its list opened (a click outside closes it again);
//   - everything else (edits, lists, sliders, date pickers, the programs' own controls): the
//     focus went to it.
// Labels and group boxes are not clicked. A click that opens a modal dialog gets it closed
// again (its close box); a message box gets the answer that changes nothing (No, Cancel or OK)
// and a common dialog is cancelled, so no question a click asks is ever answered yes. A click that closes the
// dialog (OK, Close) counts when it sent its command, and the dialog is opened again for the next control.
// Controls that a click enables (Edit once a row is chosen) are clicked right after it.
#pragma once

#include "platform/core/Types.h"

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace testkit {

// What shows that a click reached a control; Auto chooses by its kind (above).
enum class Takes
{
    Auto,
    Focus,
    Check,
    Radio,
    DropDown,
    Command,
    Popup, // a window of its own opened (a colour picker's palette); it is closed again
};

// A control that is by design not clicked (or that an earlier click disables before its turn):
// its dialog's template (0: any of the walk) and id, and why.
struct NotClicked
{
    UINT dialogTemplate;
    int id;
    const char* why;
};

struct DialogWalk
{
    std::string name;
    // Opens the dialog as the program opens it and returns its window (a dialog, or a form that
    // holds child dialogs); called again when a click closed it.
    std::function<HWND()> open;
    // Closes what `open` opened; called at the end and before opening again.
    std::function<void()> close;
    std::vector<NotClicked> notClicked;
    // Overrides what shows that a click reached a control (Auto: by its kind).
    std::function<Takes(HWND control)> takes;
};

struct WalkFigures
{
    int clicked{0};           // controls clicked (tabs of tab controls included)
    int missed{0};            // of those, the ones that did not take the click
    int tabStops{0};          // tab stops the rounds of Tab went through, summed over the pages
    std::set<UINT> templates; // the dialog templates walked (the dialog, its child dialogs, pages)
    std::vector<std::string> faults;
};

WalkFigures WalkDialog(const DialogWalk& walk);

// Walks every dialog of a program (`program` names it in the figures it prints): each fault fails
// the running test, and so does a template the program registers that no walk reached, apart from
// `walkedElsewhere` (shared code's templates that the other program opens).
void WalkEveryDialog(const std::string& program, const std::vector<DialogWalk>& walks,
                     const std::set<UINT>& walkedElsewhere);

// The template a dialog window was made from (a dialog or a form view), 0 for other windows.
UINT DialogTemplateOf(HWND hwnd);

// The ids of the dialog templates that the calling program's own module registers.
std::set<UINT> RegisteredDialogTemplates();

} // namespace testkit
