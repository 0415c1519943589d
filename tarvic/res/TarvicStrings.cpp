// The central station's English string table and its dialog templates. A command's string is
// its status-bar prompt, a line feed and its tool tip. The main window's title (57344) is left
// out on purpose: in English the station's window carries no title text.
#include "tarvic/res/TarvicResourceIds.h"

#include "appcommon/StationStrings.h"

#include "platform/core/ResourceModule.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/Static.h"
#include "platform/ui/dialogs/DialogTemplate.h"

namespace tarvic {
namespace {

constexpr platform::StringEntry kStrings[] = {
    // ---- the document template: title, document name, new-file name ----------------------------
    {IDR_MAINFRAME, "Tarvic II\n\nTarvicII\n\n\nTarvicII.Document\nTarvicII Document"},
    // ---- messages --------------------------------------------------------------------------------
    {IDS_REVIEW_NOT_RUN, "Can not execute [Tarlux.exe].\nCheck [Tarlux.exe] is installed correctly."},
    {IDS_NO_MORE_CLIENTS, "No more clients are available!"},
    {IDS_LACK_OF_MEMORY, "Lack of Memory Space"},
    {IDS_CONNECTION_ERROR, "Connection error!"},
    {IDS_RECORD_NO_SPACE, "There is not enough free space (%d MB) available to run recording"},
    {IDS_MEMORY_INFORMATION, "Memory Information"},
    {IDS_STUDY_NOT_STORED, "Fail to insert study!"},
    {IDS_RECORD_ENDED_NO_SPACE, "Recording will be ended because there is not enough free space (%d MB) "
                                "available to complete recording"},
    {IDS_DISK_LOW, "Not enough Disk Space"},
    {IDS_DRIVE, "Drive"},
    {IDS_FREE_DISK, "Free Disk"},
    {IDS_EXIT_PROGRAM, "Exit Program?"},
    {IDS_RECORD_STOPPED,
     "Recording of bed %1 stopped: %2.\nPatient: %3\n\nWhat was recorded until then is kept."},
    {IDS_CAUSE_DISK_FULL, "the disk is full"},
    {IDS_CAUSE_WRITE_FAILED, "the recording file could not be written"},
    {IDS_DATABASE_UNWRITABLE, "The database could not be written for a minute. The recordings go on; their "
                              "study records are stored as soon as the database can be written again."},
    {IDS_RECOVERED_INTRO, "The central station did not end in order last time. The recordings it was writing "
                          "then have been completed:"},
    {IDS_RECOVERED_STUDY, "%1: recording started %2, %3 long"},
    {IDS_RECOVERED_ROWS_LATER,
     "Their study records are stored as soon as the database can be written again."},
    {IDS_RECOVERY_KEPT, "These working files could not be completed and were left in the Records folder (the "
                        "run log tells why):"},
    {IDS_STATION_CAPTION, "Tarvic II"},
    {IDS_NOT_AVAILABLE, "This function is not available in this version of the central station."},
    // ---- commands: prompt, line feed, tool tip -------------------------------------------------
    {ID_PAGE_PREV, "Show the previous page of beds\nPrevious"},
    {ID_PAGE_NEXT, "Show the next page of beds\nNext"},
    {ID_PATIENT_MANAGER, "Find, add and edit patients\nPatient Manager"},
    {ID_CONFIGURATION, "Change the station's settings\nConfiguration Setting"},
    {ID_REVIEW_PROGRAM, "Start the review station\nRun \"Review Program\""},
    {ID_DISPLAY_2CH, "Show two beds at a time\n2CH"},
    {ID_DISPLAY_4CH, "Show four beds at a time\n4CH"},
    {ID_DISPLAY_8CH, "Show eight beds at a time\n8CH"},
    {ID_DISPLAY_16CH, "Show sixteen beds at a time\n16CH"},
    {ID_DISPLAY_1CH, "Show one bed enlarged beside the others\n1CH"},
    {ID_DEMO_BED, "Add a demonstration bed\nDemo"},
    {ID_FULL_SCREEN, "Switch between full screen and a window\nFull Screen"},
    {ID_APP_ABOUT, "Show the program's version\nAbout"},
    {ID_APP_EXIT, "Close the central station\nExit Program"},
};

// ---- dialog templates ----------------------------------------------------------------------------
constexpr platform::DialogItem kAboutItems[] = {
    {"Static", "", IDC_STATIC, SS_ICON, 11, 17, 20, 20},
    {"Static", "TarvicII Version 1.0", IDC_STATIC, SS_LEFT | SS_NOPREFIX, 40, 20, 119, 8},
    {"Button", "Ok", IDOK, BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, 178, 16, 50, 14},
};

constexpr platform::DialogTemplate kDialogs[] = {
    {IDD_ABOUTBOX, nullptr, DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0, 235, 55,
     "About TarvicII", "MS Sans Serif", 8, kAboutItems},
};
constexpr platform::DialogTemplateTable kDialogTable{kDialogs};

const platform::ResourceModuleRegistration s_strings("TarvicII",
                                                     {.strings = kStrings, .dialogs = &kDialogTable});

// The texts both stations share are in appcommon's table; this links it (and its registration)
// into the program.
const bool s_stationStrings = (appcommon::UseStationStrings(), true);

} // namespace
} // namespace tarvic
