// The review station's English string table: its template string and title, the tool tips of
// its toolbar, and its messages. A language module replaces any of them under the same id.
#include "tarlux/res/TarluxResources.h"

#include "appcommon/StationStrings.h"

#include "platform/core/ResourceModule.h"

namespace tarlux {
namespace {

const platform::StringEntry kStrings[] = {
    // The document template: the frame's title is its first field.
    { IDR_MAINFRAME, "Tarlux II\n\nTarlux II\n\n\nTarlux II.Document\nTarlux II Document" },
    { IDS_RECORD_FILE_NOT_OPENED, "Can not open Record File!!!" },
    { IDS_PATIENT_LIST, "Patient List" },
    { IDS_HISTORY, "History" },
    { IDS_STUDY_ID, "Study ID" },
    { IDS_MEMBRANE_STATUS, "Membrane Status" },
    { IDS_DELETE_STUDIES, "Do you want to delete selected History Files(counts: %d)?" },
    { IDS_COLOR_HEADING, "Set up \"Color Info.\" Of Review Program." },
    { IDS_DISPLAY_HEADING, "Set up \"Default Info.\" Of Review Program." },
    { IDS_TAB_TREND, "Trend" },
    { IDS_TAB_WAVEFORM, "Waveform" },
    { IDS_SYSTEM_HEADING, "Set up \"System Info.\" Of Review Program." },
    { IDS_STUDY_IN_USE, "Cannot Delete!\nStudy File(File Name: %s) is being Used." },
    { IDS_COVER_PRODUCT, "Tarvic II" },
    { IDS_COVER_VERSION, "1.1.2 Lite" },
    { IDS_COVER_FOOTER, "ORLISK ver.1.0." },
    // Toolbar commands: no status text, the tool tip after "\n".
    { ID_REVIEW_IMAGE, "\nExport Image" },
    { ID_REVIEW_EXIT, "\nExit Program" },
    { ID_REVIEW_SETTING, "\nConfiguration" },
    { ID_REVIEW_PRINT, "\nPrint" },
    { ID_REVIEW_PREVIEW, "\nPreview" },
};

const platform::ResourceModuleRegistration s_strings("TarluxII", { .strings = kStrings });

// The texts both stations share are in appcommon's table; this links it (and its registration)
// into the program.
const bool s_stationStrings = (appcommon::UseStationStrings(), true);

} // namespace
} // namespace tarlux
