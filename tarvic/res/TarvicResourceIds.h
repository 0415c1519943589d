// The central station's resource ids: strings, dialogs, toolbars, bitmaps, the icon, the
// registration script and the commands of the main window. A language module carries the same
// ids.
#pragma once

#include "appcommon/StationStrings.h"

#include "platform/ui/framework/FrameworkIds.h"

namespace tarvic {

// ---- dialogs, toolbars, pictures -------------------------------------------------------------
constexpr UINT IDD_ABOUTBOX = 100;
constexpr UINT IDR_REGISTRY_SCRIPT = 108; // "REGISTRY": the application id's registry entries
constexpr UINT IDR_MAINFRAME = 128;       // the document string, the icon, toolbar layout 128
constexpr UINT IDR_MAINFRAME_DEMO = 129;  // toolbar layout 129: one more button, the demo bed
constexpr UINT IDB_TOOLBAR_NORMAL = 149;
constexpr UINT IDB_TOOLBAR_HOT = 151;
constexpr UINT IDB_TOOLBAR_DISABLED = 156;
constexpr UINT IDB_TOOLBAR_BAND = 218;

// The toolbar's pictures: 60 x 50 pixels each, on magenta, one per button in layout order.
constexpr int kToolBarImageWidth = 60;
constexpr int kToolBarImageHeight = 50;
constexpr int kToolBarImageCount = 17;

// ---- commands ----------------------------------------------------------------------------------
constexpr UINT ID_PAGE_PREV = 32774;
constexpr UINT ID_PAGE_NEXT = 32775;
constexpr UINT ID_PATIENT_MANAGER = 32776;
constexpr UINT ID_CONFIGURATION = 32777;
constexpr UINT ID_REVIEW_PROGRAM = 32778;
constexpr UINT ID_DISPLAY_2CH = 32782;
constexpr UINT ID_DISPLAY_4CH = 32783;
constexpr UINT ID_DISPLAY_8CH = 32784;
constexpr UINT ID_DISPLAY_16CH = 32785;
constexpr UINT ID_DISPLAY_1CH = 32786;
constexpr UINT ID_DEMO_BED = 32787;
constexpr UINT ID_FULL_SCREEN = 32797;
// Picture buttons: no handler, so they show their disabled picture and do nothing.
constexpr UINT ID_PICTURE_LOGO = 32818;
constexpr UINT ID_PICTURE_PAGES = 32805;
constexpr UINT ID_PICTURE_LAYOUTS = 32806;
constexpr UINT ID_PICTURE_RECORDS = 32807;
constexpr UINT ID_PICTURE_REVIEW = 32808;
constexpr UINT ID_PICTURE_LOGO_DEMO = 32819;
constexpr UINT ID_PICTURE_PAGES_DEMO = 32810;
constexpr UINT ID_PICTURE_LAYOUTS_DEMO = 32811;
constexpr UINT ID_PICTURE_RECORDS_DEMO = 32812;
constexpr UINT ID_PICTURE_REVIEW_DEMO = 32813;

// ---- strings -----------------------------------------------------------------------------------
// The main window's title: not in the English table (a language module may carry it).
constexpr UINT IDS_MAIN_TITLE = 57344;
using appcommon::IDS_DATABASE_NOT_FOUND;
constexpr UINT IDS_REVIEW_NOT_RUN = 12072;
constexpr UINT IDS_NO_MORE_CLIENTS = 12073;
constexpr UINT IDS_LACK_OF_MEMORY = 12074;
constexpr UINT IDS_CONNECTION_ERROR = 12075;
constexpr UINT IDS_RECORD_NO_SPACE = 12076;
constexpr UINT IDS_MEMORY_INFORMATION = 12077;
constexpr UINT IDS_STUDY_NOT_STORED = 12078;
constexpr UINT IDS_RECORD_ENDED_NO_SPACE = 12079;
constexpr UINT IDS_DISK_LOW = 12080;
constexpr UINT IDS_DRIVE = 12081;
constexpr UINT IDS_FREE_DISK = 12082;
constexpr UINT IDS_EXIT_PROGRAM = 12083;
// A recording that a write error ended: the bed, why, the patient.
constexpr UINT IDS_RECORD_STOPPED = 12400;
constexpr UINT IDS_CAUSE_DISK_FULL = 12401;
constexpr UINT IDS_CAUSE_WRITE_FAILED = 12402;
// Follows IDS_STUDY_NOT_STORED when study rows have not been stored for a minute.
constexpr UINT IDS_DATABASE_UNWRITABLE = 12403;
// The recordings completed at start-up, one line each, and those left as they were.
constexpr UINT IDS_RECOVERED_INTRO = 12404;
constexpr UINT IDS_RECOVERED_STUDY = 12405;
constexpr UINT IDS_RECOVERED_ROWS_LATER = 12406;
constexpr UINT IDS_RECOVERY_KEPT = 12407;
// The caption of the station's message boxes.
constexpr UINT IDS_STATION_CAPTION = 12408;
// What a command whose dialog is not in this version answers.
constexpr UINT IDS_NOT_AVAILABLE = 12409;

} // namespace tarvic
